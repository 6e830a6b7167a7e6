// What espeak-ng says for every voice of the sound tables, read from its
// phonemes (-x): a syllable for each character or pinyin syllable written,
// and 不 and 一 with the tones speech gives them before another syllable.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "SourceTables.h"
#include "tools/soundgen/Speech.h"

namespace soundgen {
namespace {

// The tone of each syllable espeak-ng reads ("55", "35", "214" or "21",
// "51", "11"), in order; empty when it did not run.
std::vector<std::string> SpokenTones(const std::string& text) {
  const std::string out = ::testing::TempDir() + "soundgen-reading-" + std::to_string(getpid());
  const pid_t pid = fork();
  if (pid == 0) {
    if (!freopen(out.c_str(), "w", stdout)) _exit(127);
    execlp("espeak-ng", "espeak-ng", "-v", "cmn-latn-pinyin", "-q", "-x", text.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
  std::ifstream in(out);
  std::stringstream phonemes;
  phonemes << in.rdbuf();
  std::remove(out.c_str());
  std::vector<std::string> tones;
  std::string digits;
  for (char c : phonemes.str() + ' ') {
    if (c >= '0' && c <= '9') {
      digits += c;
    } else if (!digits.empty()) {
      tones.push_back(digits);
      digits.clear();
    }
  }
  return tones;
}

// The syllables written: each Chinese character, and each pinyin syllable
// (letters ending in a tone digit); punctuation is not spoken.
std::vector<std::string> WrittenSyllables(const std::string& text) {
  std::vector<std::string> units;
  std::string latin;
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    const std::string unit = text.substr(i, length);
    i += length;
    if (length == 1 && std::isalpha(c)) {
      latin += unit;
    } else if (length == 1 && std::isdigit(c)) {
      units.push_back(latin + unit);
      latin.clear();
    } else if (length == 3 && unit >= "\xE4\xB8\x80" && unit <= "\xE9\xBE\xBF") {  // U+4E00 .. U+9FBF
      units.push_back(unit);
    }
  }
  return units;
}

bool Is(const std::string& unit, const char* character, const char* pinyin) {
  return unit == character || unit.rfind(pinyin, 0) == 0;
}

TEST(Readings, EveryVoiceIsReadWithItsSyllablesAndTheTonesSpeechGivesThem) {
  if (!Speech("espeak-ng").Available()) GTEST_SKIP() << "espeak-ng with its Mandarin voice is not installed";
  SoundTable table;
  ASSERT_TRUE(LoadSourceTables(table));
  std::set<std::string> texts;
  for (const Sound& s : table.sounds)
    if (s.kind == Kind::Voice) texts.insert(s.text);
  ASSERT_GT(texts.size(), 50u);
  for (const std::string& text : texts) {
    const std::vector<std::string> units = WrittenSyllables(text), tones = SpokenTones(text);
    if (tones.size() != units.size()) {
      ADD_FAILURE() << text << " is read as " << tones.size() << " syllables, written as " << units.size();
      continue;
    }
    for (size_t i = 0; i < units.size(); ++i) {
      const bool last = i + 1 == units.size();
      const bool beforeFourth = !last && tones[i + 1] == "51";
      // 不 is bú before a fourth tone; 一 is yí before a fourth, yì before
      // the others, and yī at the end of a word.
      const char* wanted = Is(units[i], "不", "bu")   ? (beforeFourth ? "35" : "51")
                           : Is(units[i], "一", "yi") ? (last ? "55" : beforeFourth ? "35" : "51")
                                                      : nullptr;
      if (wanted != nullptr) {
        EXPECT_EQ(tones[i], wanted) << text;
      }
    }
  }
}

}  // namespace
}  // namespace soundgen
