#include <gtest/gtest.h>

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "WavFile.h"
#include "tools/soundgen/Dsp.h"
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

TEST(Effects, EachIsShortAudibleAndWithinRange) {
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
    EXPECT_NEAR(Peak(pcm), 0.89f, 0.01f) << what;
    EXPECT_TRUE(std::all_of(pcm.begin(), pcm.end(), [](float v) { return std::isfinite(v); })) << what;
  }
  // A clock's tick must not blur into the next second's.
  EXPECT_LT(MakeEffect(Effect(Kind::Tick)).size(), Samples(0.15f));
}

TEST(Effects, AStrikePlayedEveryFrameStaysBelowFullScale) {
  // Three copies at once (a 50 ms strike started every 1/60 s) must not clip.
  const Pcm strike = MakeEffect(Effect(Kind::Warn, "strike"));
  EXPECT_LT(strike.size(), Samples(0.06f));
  EXPECT_LE(Peak(strike) * 3, 1.0f);
}

TEST(Effects, TheSameNameMakesTheSameSoundAndAnotherNameAnother) {
  const Sound a = Effect(Kind::Cheer, "", "OxBattle/Sound/CHEER1"), b = Effect(Kind::Cheer, "", "OxBattle/Sound/CHEER2");
  EXPECT_EQ(MakeEffect(a), MakeEffect(a));
  EXPECT_NE(MakeEffect(a), MakeEffect(b));
  EXPECT_NE(MakeChime("一分", false), MakeChime("两分", false));
}

TEST(Music, ALoopLastsItsWholeBarsAndItsEndRunsIntoItsStart) {
  const Pcm calm = MakeMusic("calm", 7);
  // Eight bars of four beats at 80 a minute.
  EXPECT_NEAR(static_cast<double>(calm.size()), 8 * 4 * 60.0 / 80 * kRate, 1.0);
  EXPECT_NEAR(Peak(calm), kMusicPeak, 0.01f);
  // Notes ringing past the end are heard at the start: no silent first
  // moment, and no jump from the last sample to the first bigger than the
  // tune makes itself.
  EXPECT_GT(Rms(calm, 0, Samples(0.05f)), 0.01f);
  float biggest = 0;
  for (size_t i = 1; i < calm.size(); ++i) biggest = std::max(biggest, std::fabs(calm[i] - calm[i - 1]));
  EXPECT_LE(std::fabs(calm.front() - calm.back()), biggest);
  // Sixteen bars for the fast ones, so a loop is not over too soon.
  EXPECT_NEAR(static_cast<double>(MakeMusic("race", 7).size()), 16 * 4 * 60.0 / 144 * kRate, 1.0);
  EXPECT_NE(MakeMusic("calm", 7), MakeMusic("calm", 8));
  EXPECT_TRUE(MakeMusic("polka", 7).empty());
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

  struct Source {
    const std::string* bytes;
    size_t at = 0;
  } source{&bytes};
  ov_callbacks io{};
  io.read_func = [](void* out, size_t size, size_t count, void* data) -> size_t {
    auto* s = static_cast<Source*>(data);
    const size_t n = std::min(size * count, s->bytes->size() - s->at);
    std::memcpy(out, s->bytes->data() + s->at, n);
    s->at += n;
    return size ? n / size : 0;
  };
  // Seekable, so the decoder can tell the stream's length.
  io.seek_func = [](void* data, ogg_int64_t offset, int whence) -> int {
    auto* s = static_cast<Source*>(data);
    const ogg_int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? static_cast<ogg_int64_t>(s->at)
                                                                          : static_cast<ogg_int64_t>(s->bytes->size());
    if (base + offset < 0 || base + offset > static_cast<ogg_int64_t>(s->bytes->size())) return -1;
    s->at = static_cast<size_t>(base + offset);
    return 0;
  };
  io.tell_func = [](void* data) -> long { return static_cast<long>(static_cast<Source*>(data)->at); };
  OggVorbis_File file;
  ASSERT_EQ(ov_open_callbacks(&source, &file, nullptr, 0, io), 0);
  const vorbis_info* info = ov_info(&file, -1);
  EXPECT_EQ(info->channels, 1);
  EXPECT_EQ(info->rate, kRate);
  EXPECT_EQ(ov_pcm_total(&file, -1), static_cast<ogg_int64_t>(tone.size()));
  Pcm decoded;
  for (;;) {
    float** channels = nullptr;
    int section = 0;
    const long n = ov_read_float(&file, &channels, 4096, &section);
    if (n <= 0) break;
    decoded.insert(decoded.end(), channels[0], channels[0] + n);
  }
  ov_clear(&file);
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
