#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "WavFile.h"
#include "tools/soundgen/Generator.h"

namespace soundgen {
namespace {

namespace fs = std::filesystem;

class Generating : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = fs::temp_directory_path() / ("kest-soundgen-" + std::to_string(getpid()));
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
    m_options.outDir = (m_dir / "res").string();
    m_options.cacheDir = (m_dir / "cache").string();
    m_options.toolId = "test";
    m_options.threads = 2;
  }
  void TearDown() override { fs::remove_all(m_dir); }

  GenerateReport Run(const std::string& rows, const Speech& speech) {
    SoundTable table = ParseSoundTable(rows);
    EXPECT_TRUE(table.errors.empty());
    return Generate(table, speech, m_options);
  }
  bool Has(const std::string& file) const { return fs::is_regular_file(fs::path(m_options.outDir) / file); }

  // A stand-in for espeak-ng: says its version, knows the voice, and writes
  // a prepared wave for every text; each time it speaks it adds a line to
  // a count file.
  std::string FakeSpeech() {
    const fs::path wav = m_dir / "voice.wav", count = m_dir / "spoken", script = m_dir / "fake-espeak";
    std::ofstream(wav, std::ios::binary) << MakeWav(22050, 4000);
    std::ofstream(script) << "#!/bin/sh\n"
                             "[ \"$1\" = --version ] && { echo 'fake speech 1.0'; exit 0; }\n"
                             "while [ $# -gt 0 ]; do\n"
                             "  [ \"$1\" = -w ] && { cp '" << wav.string() << "' \"$2\"; echo x >> '" << count.string()
                          << "'; exit 0; }\n"
                             "  shift\n"
                             "done\n";
    chmod(script.c_str(), 0755);
    return script.string();
  }
  int Spoken() const {
    std::ifstream in(m_dir / "spoken");
    std::string line;
    int n = 0;
    while (std::getline(in, line)) ++n;
    return n;
  }

  fs::path m_dir;
  GenerateOptions m_options;
};

TEST_F(Generating, OnlyWhatChangedIsMadeAgainAndWhatIsGoneIsRemoved) {
  const Speech none("/nonexistent/espeak-ng");
  const std::string rows = "A/tick\ttick\nA/deal\tdeal\nA/win\tjingle:win\n";
  GenerateReport r = Run(rows, none);
  EXPECT_TRUE(r.errors.empty());
  EXPECT_EQ(r.made, 3);
  EXPECT_TRUE(Has("A/tick.ogg") && Has("A/deal.ogg") && Has("A/win.ogg"));
  EXPECT_GT(r.bytes, 0);

  r = Run(rows, none);
  EXPECT_EQ(r.made, 0);
  EXPECT_EQ(r.kept, 3);

  // A changed row, a file deleted by hand, and a build of the generator.
  fs::remove(fs::path(m_options.outDir) / "A/deal.ogg");
  r = Run("A/tick\tclick\nA/deal\tdeal\nA/win\tjingle:win\n", none);
  EXPECT_EQ(r.made, 2);
  m_options.toolId = "rebuilt";
  EXPECT_EQ(Run(rows, none).made, 3);

  r = Run("A/tick\ttick\n", none);
  EXPECT_EQ(r.removed, 2);
  EXPECT_TRUE(Has("A/tick.ogg"));
  EXPECT_FALSE(Has("A/deal.ogg") || Has("A/win.ogg"));
}

TEST_F(Generating, WithoutTheSynthesizerVoicesAreChimesAndItsComingMakesThemAgain) {
  const Speech none("/nonexistent/espeak-ng");
  EXPECT_FALSE(none.Available());
  const std::string rows = "L/boy/PASS\tvoice:m\t不要\nL/girl/PASS\tvoice:f\t不要\nL/bomb\tbomb\n";
  GenerateReport r = Run(rows, none);
  EXPECT_EQ(r.made, 3);
  EXPECT_EQ(r.chimes, 2);
  EXPECT_TRUE(Has("L/boy/PASS.ogg") && Has("L/girl/PASS.ogg"));

  const Speech fake(FakeSpeech());
  ASSERT_TRUE(fake.Available());
  EXPECT_EQ(fake.Version(), "fake speech 1.0");
  r = Run(rows, fake);
  EXPECT_EQ(r.made, 2);  // the voices; the bomb is as it was
  EXPECT_EQ(r.chimes, 0);
  EXPECT_EQ(Spoken(), 2);

  // The synthesizer's words are kept: files made again need no new speech.
  m_options.toolId = "rebuilt";
  EXPECT_EQ(Run(rows, fake).made, 3);
  EXPECT_EQ(Spoken(), 2);
}

}  // namespace
}  // namespace soundgen
