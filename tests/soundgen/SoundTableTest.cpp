#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/soundgen/SoundTable.h"

namespace soundgen {
namespace {

std::vector<int> ErrorLines(const SoundTable& table) {
  std::vector<int> lines;
  for (const SoundError& e : table.errors) lines.push_back(e.line);
  return lines;
}

TEST(SoundTable, AFamilyTakesItsTextsInStepWithItsNames) {
  SoundTable t = ParseSoundTable(
      "# voices\n"
      "Land/effect/girl/SCORE_{1,2,3}\tvoice:f\t{一分,两分,三分}\n"
      "OxEx/Eff/ADD_SCORE\tchips:3\n"
      "Music/background\tmusic:calm\t-\n");
  ASSERT_TRUE(t.errors.empty()) << t.errors[0].message;
  ASSERT_EQ(t.sounds.size(), 5u);
  EXPECT_EQ(t.sounds[1].name, "Land/effect/girl/SCORE_2");
  EXPECT_EQ(t.sounds[1].text, "两分");
  EXPECT_TRUE(t.sounds[1].Female());
  EXPECT_EQ(t.sounds[1].FilePath(), "Land/effect/girl/SCORE_2.ogg");
  EXPECT_EQ(t.sounds[3].kind, Kind::Chips);
  EXPECT_EQ(t.sounds[3].param, "3");
  EXPECT_EQ(t.sounds[4].kind, Kind::Music);
  EXPECT_EQ(t.sounds[4].text, "");
}

TEST(SoundTable, BadRowsAreNamedByLineAndTheGoodOnesKept) {
  SoundTable t = ParseSoundTable(
      "a/ok\ttick\n"                      // 1
      "a/b\tdrum\n"                       // 2 unknown kind
      "a/c\tvoice\t你好\n"                // 3 whose voice?
      "a/d\tvoice:x\t你好\n"              // 4
      "a/e\tchips:0\n"                    // 5
      "a/f\tmusic\n"                      // 6 no style
      "a/g{1,2}\tvoice:m\t{一,二,三}\n"   // 7 texts out of step
      "a/h\tvoice:m\n"                    // 8 says nothing
      "a/i.mp3\ttick\n"                   // 9 the extension is ours
      "../j\ttick\n"                      // 10
      "a/ok\tclick\n"                     // 11 given before
      "a/k\ttick:loud\n"                  // 12 takes no parameter
      "a/l\n"                             // 13 no kind
      "a/m\twarn:strike\n");              // 14
  EXPECT_EQ(ErrorLines(t), (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
  ASSERT_EQ(t.sounds.size(), 2u);
  EXPECT_EQ(t.sounds[0].name, "a/ok");
  EXPECT_EQ(t.sounds[0].kind, Kind::Tick);
  EXPECT_EQ(t.sounds[1].name, "a/m");
}

TEST(SoundTable, TablesAreReadAsOneAndErrorsNameTheirFile) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("kest-soundtable-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir / "Land");
  std::ofstream(dir / "sounds.tsv") << "Music/background\tmusic:calm\n";
  std::ofstream(dir / "Land" / "sounds.tsv") << "# Land\nLand/x\tdeal\nMusic/background\tgong\n";
  SoundTable t;
  std::string failed;
  ASSERT_TRUE(LoadSoundTables({(dir / "sounds.tsv").string(), (dir / "Land" / "sounds.tsv").string()}, t, &failed));
  ASSERT_EQ(t.errors.size(), 1u);
  EXPECT_EQ(t.errors[0].line, 3);
  EXPECT_EQ(t.errors[0].file, (dir / "Land" / "sounds.tsv").string());
  EXPECT_EQ(t.sounds.size(), 2u);
  EXPECT_FALSE(LoadSoundTables({(dir / "none.tsv").string()}, t, &failed));
  EXPECT_EQ(failed, (dir / "none.tsv").string());
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace soundgen
