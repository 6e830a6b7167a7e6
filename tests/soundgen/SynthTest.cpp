#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "WavFile.h"
#include "tools/soundgen/Dsp.h"
#include "tools/soundgen/Generator.h"
#include "tools/soundgen/Level.h"
#include "tools/soundgen/OggWriter.h"
#include "tools/soundgen/Speech.h"
#include "tools/soundgen/Synth.h"

namespace soundgen {
namespace {

float Peak(const Pcm& pcm) {
  float top = 0;
  for (float v : pcm) top = std::max(top, std::fabs(v));
  return top;
}

float Rms(const Pcm& pcm, size_t from, size_t count) {
  double sum = 0;
  for (size_t i = from; i < from + count && i < pcm.size(); ++i) sum += pcm[i] * pcm[i];
  return static_cast<float>(std::sqrt(sum / std::max<size_t>(count, 1)));
}

Sound Effect(Kind kind, const std::string& param = "", const std::string& name = "Game/Sound/X") {
  Sound s;
  s.name = name;
  s.kind = kind;
  s.param = param;
  return s;
}

TEST(Effects, EachIsShortAndAudible) {
  const Sound sounds[] = {Effect(Kind::Chips, "3"), Effect(Kind::Chips, "9"), Effect(Kind::Coins),
                          Effect(Kind::Deal),       Effect(Kind::Flip),       Effect(Kind::Shuffle),
                          Effect(Kind::Tick),       Effect(Kind::Warn),       Effect(Kind::Click),
                          Effect(Kind::Jingle, "win"), Effect(Kind::Jingle, "lose"), Effect(Kind::Jingle, "draw"),
                          Effect(Kind::Jingle, "start"), Effect(Kind::Jingle, "end"), Effect(Kind::Jingle, "finish"),
                          Effect(Kind::Gong),       Effect(Kind::Cheer),      Effect(Kind::Bomb),
                          Effect(Kind::Shutter)};
  for (const Sound& s : sounds) {
    const Pcm pcm = MakeEffect(s);
    const std::string what = std::string(KindName(s.kind)) + ":" + s.param;
    EXPECT_GT(pcm.size(), Samples(0.03f)) << what;
    EXPECT_LT(pcm.size(), Samples(3.0f)) << what;
    EXPECT_GT(Peak(pcm), 0.01f) << what;
    EXPECT_TRUE(std::all_of(pcm.begin(), pcm.end(), [](float v) { return std::isfinite(v); })) << what;
  }
  // A clock's tick must not blur into the next second's.
  EXPECT_LT(MakeEffect(Effect(Kind::Tick)).size(), Samples(0.15f));
}

TEST(Effects, AStrikePlayedEveryFrameStaysUnderTheWarningsCeiling) {
  // A 50 ms strike started every 1/60 s: three copies ring at once.
  const Speech none("/nonexistent/espeak-ng");
  bool chimed = false;
  const Sound warn = Effect(Kind::Warn);
  const Pcm strike = MakeSound(Effect(Kind::Warn, "strike"), none, ::testing::TempDir(), chimed);
  Pcm frames(strike.size() + 2 * kRate / 60, 0.0f);
  for (int copy = 0; copy < kStrikeCopies; ++copy)
    for (size_t i = 0; i < strike.size(); ++i) frames[i + static_cast<size_t>(copy * kRate / 60)] += strike[i];
  EXPECT_LE(20 * std::log10(Peak(frames)), TargetOf(warn).peakDb);
}

TEST(Effects, TheSameNameMakesTheSameSoundAndAnotherNameAnother) {
  const Sound a = Effect(Kind::Cheer, "", "OxBattle/Sound/CHEER1"), b = Effect(Kind::Cheer, "", "OxBattle/Sound/CHEER2");
  EXPECT_EQ(MakeEffect(a), MakeEffect(a));
  EXPECT_NE(MakeEffect(a), MakeEffect(b));
  EXPECT_NE(MakeChime("一分", false), MakeChime("两分", false));
}

// Where a loop goes round, what rings at its end goes on at its start: the
// 20 ms after the seam are as loud as the 20 ms before it, and the step from
// the last sample to the first is no bigger than the steps around it (the
// seam falls between beats, where no note starts). Empty when the seam is
// sound, else what is wrong with it.
std::string SeamFault(const Pcm& loop) {
  const size_t block = Samples(0.02f), span = Samples(0.005f);
  if (loop.size() < 2 * block) return "shorter than its seam";
  const float end = Rms(loop, loop.size() - block, block), start = Rms(loop, 0, block);
  if (end < 1e-4f || start < 1e-4f) return "silent on a side of the seam";
  const float jumpDb = 20 * std::log10(start / end);
  if (std::fabs(jumpDb) > 4) return "the level jumps by " + std::to_string(jumpDb) + " dB";
  float around = 0;
  for (size_t i = 1; i <= span; ++i)
    around = std::max({around, std::fabs(loop[i] - loop[i - 1]),
                       std::fabs(loop[loop.size() - i] - loop[loop.size() - i - 1])});
  const float step = std::fabs(loop.front() - loop.back());
  if (step > 1.5f * around) return "a step of " + std::to_string(step) + " where the others are " + std::to_string(around);
  return "";
}

class Loop : public ::testing::TestWithParam<const char*> {};

TEST_P(Loop, GoesRoundWithoutASeam) {
  for (uint64_t seed : {7, 8, 1234567}) {
    const Pcm loop = MakeMusic(GetParam(), seed);
    EXPECT_EQ(SeamFault(loop), "") << GetParam() << " " << seed;
  }
}

INSTANTIATE_TEST_SUITE_P(Styles, Loop, ::testing::Values("calm", "bright", "lively", "race", "tense"));

TEST(Music, ALoopLastsItsWholeBarsAndItsEndRunsIntoItsStart) {
  const Pcm calm = MakeMusic("calm", 7);
  // Eight bars of four beats at 80 a minute.
  const double eighth = 60.0 / 80 / 2 * kRate;
  EXPECT_NEAR(static_cast<double>(calm.size()), 8 * 8 * eighth, 1.0);
  // Sixteen bars for the fast ones, so a loop is not over too soon.
  EXPECT_NEAR(static_cast<double>(MakeMusic("race", 7).size()), 16 * 4 * 60.0 / 144 * kRate, 1.0);
  EXPECT_NE(MakeMusic("calm", 7), MakeMusic("calm", 8));
  EXPECT_TRUE(MakeMusic("polka", 7).empty());

  // Its last notes stopped where it ends, as a loop made without going
  // round would have them: nothing rings on into the half eighth before its
  // first beat, and the seam says so.
  Pcm cut = calm;
  std::fill(cut.begin(), cut.begin() + static_cast<long>(eighth / 2), 0.0f);
  EXPECT_NE(SeamFault(cut), "");
  // Cut inside its last notes and the start set right after them: what
  // ended there does not go on.
  for (double eighths : {0.2, 0.35, 0.45}) {
    Pcm shortened(calm.begin(), calm.end() - static_cast<long>(eighths * eighth));
    EXPECT_NE(SeamFault(shortened), "") << eighths;
  }
}

TEST(Music, AStingIsPlayedOnceAndEndsInSilence) {
  const Pcm sting = MakeMusic("sting", 3);
  EXPECT_GT(sting.size(), static_cast<size_t>(2 * 4 * 60.0 / 132 * kRate));
  EXPECT_LT(sting.size(), Samples(6.0f));
  EXPECT_LT(std::fabs(sting.back()), 1e-3f);
}

// The decoder reads back what the encoder wrote: one channel at 22050 Hz and
// every sample, with the tone's loudness.
TEST(OggVorbis, TheEncodedStreamDecodesToTheSameLengthAndLoudness) {
  Pcm tone(kRate);
  for (size_t i = 0; i < tone.size(); ++i) tone[i] = 0.5f * std::sin(2 * 3.14159265f * 440 * i / kRate);
  std::string bytes;
  ASSERT_TRUE(EncodeOgg(tone, 0.0f, 42, bytes));
  EXPECT_LT(bytes.size(), 12000u);  // about 1 s at the quality for effects and voices

  Pcm decoded;
  ASSERT_TRUE(DecodeOgg(bytes, decoded));
  EXPECT_FALSE(DecodeOgg(bytes.substr(0, 40), decoded));
  ASSERT_TRUE(DecodeOgg(bytes, decoded));
  ASSERT_EQ(decoded.size(), tone.size());
  EXPECT_NEAR(Rms(decoded, 0, decoded.size()), Rms(tone, 0, tone.size()), 0.03f);
}

TEST(SpeechOutput, OnlyMono16BitWavesAt22050AreRead) {
  const std::string path = ::testing::TempDir() + "soundgen-speech.wav";
  Pcm pcm;
  std::ofstream(path, std::ios::binary) << MakeWav(22050, 1000);
  ASSERT_TRUE(ReadWav(path, pcm));
  EXPECT_EQ(pcm.size(), 1000u);
  EXPECT_NEAR(pcm[0], -3000 / 32768.0f, 1e-6f);
  // A stream whose length was never written back, as a pipe leaves it.
  std::string open = MakeWav(22050, 1000);
  open.replace(40, 4, std::string("\xff\xff\xff\x7f", 4));
  std::ofstream(path, std::ios::binary | std::ios::trunc) << open;
  ASSERT_TRUE(ReadWav(path, pcm));
  EXPECT_EQ(pcm.size(), 1000u);
  std::ofstream(path, std::ios::binary | std::ios::trunc) << MakeWav(8000, 1000);
  EXPECT_FALSE(ReadWav(path, pcm));
  std::ofstream(path, std::ios::binary | std::ios::trunc) << MakeWav(22050, 1000).substr(0, 30);
  EXPECT_FALSE(ReadWav(path, pcm));
  EXPECT_FALSE(ReadWav(path + ".none", pcm));
  std::remove(path.c_str());
}

}  // namespace
}  // namespace soundgen
