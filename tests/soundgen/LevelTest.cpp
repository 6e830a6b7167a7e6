#include <gtest/gtest.h>


#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "SourceTables.h"
#include "tools/soundgen/Generator.h"
#include "tools/soundgen/Level.h"
#include "tools/soundgen/OggWriter.h"

namespace soundgen {
namespace {

Pcm Sine(float hz, float amplitude, float seconds) {
  Pcm out(static_cast<size_t>(seconds * kRate));
  for (size_t i = 0; i < out.size(); ++i) out[i] = amplitude * std::sin(6.2831853f * hz * i / kRate);
  return out;
}

// At the family's loudness, or under it where the ceiling holds the peak.
bool AtItsLevel(float loudness, float peak, const LevelTarget& target) {
  return std::fabs(loudness - target.loudnessDb) <= 0.75f ||
         (loudness < target.loudnessDb && peak >= target.peakDb - 1.5f);
}

// The last 5 ms against the loudest sample, in dB.
float EndDb(const Pcm& pcm) {
  float end = 0;
  for (size_t i = pcm.size() - std::min<size_t>(pcm.size(), kRate / 200); i < pcm.size(); ++i)
    end = std::max(end, std::fabs(pcm[i]));
  return end > 0 ? 20 * std::log10(end) - PeakDb(pcm) : kSilentDb;
}

TEST(Loudness, ReadsTheActivePartWeightedAsHeard) {
  EXPECT_NEAR(LoudnessDb(Sine(1000, 1.0f, 1.0f)), -3.0f, 0.05f);
  EXPECT_NEAR(LoudnessDb(Sine(1000, 0.5f, 1.0f)), -9.0f, 0.05f);
  // Gaps and silence around it do not make a sound quieter (but for the
  // blocks that hold a beep's edge).
  Pcm beeps = Sine(1000, 0.5f, 1.0f);
  for (size_t i = 0; i < beeps.size(); ++i)
    if ((i / (kRate / 10)) % 2) beeps[i] = 0;
  beeps.resize(beeps.size() * 3, 0.0f);
  EXPECT_NEAR(LoudnessDb(beeps), -9.0f, 1.0f);
  // The low end counts less than the presence band.
  EXPECT_GT(LoudnessDb(Sine(3000, 0.5f, 1.0f)) - LoudnessDb(Sine(40, 0.5f, 1.0f)), 5.0f);
  EXPECT_EQ(LoudnessDb(Pcm(1000, 0.0f)), kSilentDb);
  EXPECT_EQ(LoudnessDb(Pcm()), kSilentDb);
}

TEST(Loudness, LevellingMeetsTheTargetUnlessThePeakWouldPassTheCeiling) {
  Pcm tone = Sine(500, 0.9f, 0.5f);
  LevelTo(tone, {-20.0f, -3.0f});
  EXPECT_NEAR(LoudnessDb(tone), -20.0f, 0.05f);
  // A click train: all peak and little power, so the ceiling holds it.
  Pcm clicks(kRate, 0.0f);
  for (size_t i = 0; i < clicks.size(); i += kRate / 10) clicks[i] = 0.2f;
  LevelTo(clicks, {-20.0f, -6.0f});
  EXPECT_NEAR(PeakDb(clicks), -6.0f, 0.01f);
  EXPECT_LT(LoudnessDb(clicks), -20.0f);
}

// The build's own files, every row of every table, as a player decodes
// them: under their ceilings (Vorbis rebuilds peaks over the ones it was
// given: the landlord's bomb came back 1.8 dB over full scale), at their
// families' loudness, the warnings at the voices', and, played once, ended
// in silence (the count warning ended inside its release). The levels of
// each family are written to the log.
TEST(BuiltSounds, EveryFileDecodesUnderItsCeilingAtItsFamilysLoudness) {
  SoundTable table;
  ASSERT_TRUE(LoadSourceTables(table));
  std::map<std::string, std::vector<std::pair<float, float>>> families;
  for (const Sound& s : table.sounds) {
    std::ifstream in(std::string(KEST_RES_DIR) + "/" + s.FilePath(), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    Pcm pcm;
    ASSERT_TRUE(DecodeOgg(bytes.str(), pcm)) << s.FilePath();
    const LevelTarget target = TargetOf(s);
    const float peak = PeakDb(pcm), loudness = LoudnessDb(pcm);
    EXPECT_LE(peak, target.peakDb) << s.FilePath();
    EXPECT_TRUE(AtItsLevel(loudness, peak, target)) << s.FilePath() << ": " << loudness << " dB, peak " << peak;
    if (!IsLoop(s)) {
      EXPECT_LT(EndDb(pcm), -30.0f) << s.FilePath();
    }
    const bool strike = s.kind == Kind::Warn && !s.param.empty();
    families[strike ? "warning strike" : FamilyName(FamilyOf(s))].push_back({loudness, peak});
  }
  auto median = [&](const char* family) { return families[family][families[family].size() / 2].first; };
  for (auto& [family, levels] : families) {
    std::sort(levels.begin(), levels.end());
    float top = kSilentDb;
    for (const auto& l : levels) top = std::max(top, l.second);
    std::printf("%-15s %3zu files: loudness %6.1f .. %6.1f dB, median %6.1f; highest peak %5.1f dBFS\n", family.c_str(),
                levels.size(), levels.front().first, levels.back().first, levels[levels.size() / 2].first, top);
  }
  EXPECT_NEAR(median("warnings"), median("voices"), 1.0f);
  EXPECT_LT(median("effects"), median("voices"));
  EXPECT_LT(median("music"), median("effects") - 3);
}

}  // namespace
}  // namespace soundgen
