// Sound: music and effects on the dummy device, files that cannot play,
// and a machine without any device.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "ExtFixture.h"
#include "SimpleAudioEngine.h"
#include "WavFile.h"
#include "engine/backend/Limiter.h"
#include "tools/soundgen/OggWriter.h"

USING_NS_CC;
using CocosDenshion::SimpleAudioEngine;

namespace {

class AudioTest : public ExtTest {
 protected:
  void SetUp() override {
    ExtTest::SetUp();
    writeFile("Music/beep.wav", MakeWav(8000, 4000));
    writeFile("Music/broken.ogg", "not an ogg file at all");
    writeFile("Music/GAME_WARN.wma", std::string(64, '\x30'));
  }
  void TearDown() override {
    SimpleAudioEngine::end();
    ExtTest::TearDown();
  }
  static int count(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
  }
  // The stereo mix the device is handed while `play` runs (SDL's disk
  // driver writes it as the mixer makes it, in floats, at a sound card's
  // pace), up to the engine's end.
  std::vector<float> captureMix(const std::function<void(SimpleAudioEngine*)>& play) {
    const std::string capture = testing::TempDir() + "kest-mix-" + std::to_string(getpid()) + ".raw";
    const char* old = getenv("SDL_AUDIODRIVER");
    const std::string saved = old ? old : "";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);
    SimpleAudioEngine::end();
    SimpleAudioEngine* audio = SimpleAudioEngine::sharedEngine();
    EXPECT_TRUE(audio->hasDevice());
    play(audio);
    SimpleAudioEngine::end();
    if (old)
      setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
    else
      unsetenv("SDL_AUDIODRIVER");
    std::ifstream in(capture, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::remove(capture.c_str());
    std::vector<float> mix(bytes.size() / sizeof(float) / 2 * 2);
    std::memcpy(mix.data(), bytes.data(), mix.size() * sizeof(float));
    return mix;
  }
  static void wait(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

float Peak(const std::vector<float>& mix, size_t from = 0, size_t to = SIZE_MAX) {
  float peak = 0;
  for (size_t i = from; i < mix.size() && i < to; ++i) peak = std::max(peak, std::fabs(mix[i]));
  return peak;
}

// The largest step between samples in each 10 ms of the stereo mix against
// the largest in the 0.3 s before, over the whole capture: a click stands
// out.
float LargestStepRatio(const std::vector<float>& mix) {
  std::vector<float> steps(mix.size() / 882 + 1, 0.0f);
  for (size_t i = 2; i < mix.size(); ++i) steps[i / 882] = std::max(steps[i / 882], std::fabs(mix[i] - mix[i - 2]));
  float worst = 0;
  for (size_t b = 30; b < steps.size(); ++b) {
    const float before = *std::max_element(steps.begin() + b - 30, steps.begin() + b);
    if (before > 1e-3f) worst = std::max(worst, steps[b] / before);
  }
  EXPECT_GT(steps.size(), 200u);
  return worst;
}

}  // namespace

TEST_F(AudioTest, MusicAndEffectsPlayOnTheDevice) {
  SimpleAudioEngine* audio = SimpleAudioEngine::sharedEngine();
  ASSERT_TRUE(audio->hasDevice());
  audio->setBackgroundMusicVolume(0.5f);
  audio->playBackgroundMusic("Music/beep.wav", true);
  EXPECT_TRUE(audio->isBackgroundMusicPlaying());
  audio->pauseBackgroundMusic();
  EXPECT_FALSE(audio->isBackgroundMusicPlaying());
  audio->resumeBackgroundMusic();
  EXPECT_TRUE(audio->isBackgroundMusicPlaying());
  audio->stopBackgroundMusic(true);
  EXPECT_FALSE(audio->isBackgroundMusicPlaying());
  EXPECT_FALSE(audio->willPlayBackgroundMusic());
  EXPECT_FLOAT_EQ(audio->getBackgroundMusicVolume(), 0.5f);

  unsigned int a = audio->playEffect("Music/beep.wav", true);
  step();
  unsigned int b = audio->playEffect("Music/beep.wav", true);
  EXPECT_NE(a, 0u);
  EXPECT_NE(a, b);
  EXPECT_EQ(audio->playingEffectCount(), 2);
  audio->stopEffect(a);
  EXPECT_EQ(audio->playingEffectCount(), 1);
  // Unloading a sound that still plays stops it first.
  audio->unloadEffect("Music/beep.wav");
  EXPECT_EQ(audio->playingEffectCount(), 0);
  audio->playEffect("Music/beep.wav", true);
  audio->stopAllEffects();
  EXPECT_EQ(audio->playingEffectCount(), 0);
}

TEST_F(AudioTest, UnplayableFilesAreSilentAndLoggedOnce) {
  SimpleAudioEngine* audio = SimpleAudioEngine::sharedEngine();
  ASSERT_TRUE(audio->hasDevice());
  testing::internal::CaptureStderr();
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(audio->playEffect("DZShowHand/Music/GAME_WARN.mp3"), 0u);
    EXPECT_EQ(audio->playEffect("Music/GAME_WARN.wma"), 0u);
    audio->playBackgroundMusic("Music/broken.ogg", true);
    audio->preloadEffect("Music/broken.ogg");
  }
  std::string log = testing::internal::GetCapturedStderr();
  EXPECT_EQ(count(log, "GAME_WARN.mp3"), 1) << log;
  EXPECT_EQ(count(log, "GAME_WARN.wma"), 1) << log;
  EXPECT_EQ(count(log, "broken.ogg"), 1) << log;
  EXPECT_FALSE(audio->isBackgroundMusicPlaying());
  // A good file still plays after the bad ones.
  EXPECT_NE(audio->playEffect("Music/beep.wav"), 0u);
}

TEST_F(AudioTest, NoDeviceIsSilentAndNeverAnError) {
  const char* old = getenv("SDL_AUDIODRIVER");
  std::string saved = old ? old : "";
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  SimpleAudioEngine::end();
  SimpleAudioEngine* audio = SimpleAudioEngine::sharedEngine();
  EXPECT_FALSE(audio->hasDevice());
  audio->preloadBackgroundMusic("Music/beep.wav");
  audio->playBackgroundMusic("Music/beep.wav", true);
  EXPECT_FALSE(audio->isBackgroundMusicPlaying());
  audio->pauseBackgroundMusic();
  audio->resumeBackgroundMusic();
  audio->stopBackgroundMusic(true);
  EXPECT_EQ(audio->playEffect("Music/beep.wav", true), 0u);
  audio->setEffectsVolume(0.5f);
  audio->pauseAllEffects();
  audio->resumeAllEffects();
  audio->stopAllEffects();
  audio->unloadEffect("Music/beep.wav");
  EXPECT_EQ(audio->playingEffectCount(), 0);
  SimpleAudioEngine::end();
  if (old)
    setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
  else
    unsetenv("SDL_AUDIODRIVER");
}

TEST_F(AudioTest, VolumesStayInRangeAndPreloadedMusicPlays) {
  SimpleAudioEngine* audio = SimpleAudioEngine::sharedEngine();
  audio->setBackgroundMusicVolume(3);
  EXPECT_FLOAT_EQ(audio->getBackgroundMusicVolume(), 1);
  audio->setEffectsVolume(-1);
  EXPECT_FLOAT_EQ(audio->getEffectsVolume(), 0);
  audio->preloadBackgroundMusic("Music/beep.wav");
  EXPECT_TRUE(audio->willPlayBackgroundMusic());
  EXPECT_FALSE(audio->isBackgroundMusicPlaying());
  audio->playBackgroundMusic("Music/beep.wav", false);
  EXPECT_TRUE(audio->isBackgroundMusicPlaying());
  // Stopping without releasing keeps the piece ready.
  audio->stopBackgroundMusic(false);
  EXPECT_TRUE(audio->willPlayBackgroundMusic());
  // An id that never played, or has ended, is ignored.
  audio->stopEffect(12345);
  audio->pauseEffect(0);
  audio->resumeEffect(7);
}

TEST_F(AudioTest, NamesOfOtherFormatsPlayTheOggOfTheSameName) {
  // SDL_mixer reads the format from the bytes, so a wave will do for an .ogg.
  writeFile("Sound/ding.ogg", MakeWav(8000, 4000));
  writeFile("Sound/both.mp3", "not an mp3 at all");
  writeFile("Sound/both.ogg", MakeWav(8000, 4000));
  writeFile("Sound/picture.ogg", MakeWav(8000, 4000));
  SimpleAudioEngine* audio = SimpleAudioEngine::sharedEngine();
  ASSERT_TRUE(audio->hasDevice());
  testing::internal::CaptureStderr();
  for (const char* name : {"Sound/ding.mp3", "Sound/ding.wav", "Sound/ding.wma", "Sound/ding", "Sound/ding.ogg"})
    EXPECT_NE(audio->playEffect(name), 0u) << name;
  // The file named wins when it is there, and other extensions are not ours.
  EXPECT_EQ(audio->playEffect("Sound/both.mp3"), 0u);
  EXPECT_EQ(audio->playEffect("Sound/picture.png"), 0u);
  // A name that finds nothing is logged under its own name.
  EXPECT_EQ(audio->playEffect("Sound/none.mp3"), 0u);
  std::string log = testing::internal::GetCapturedStderr();
  EXPECT_EQ(count(log, "ding"), 0) << log;
  EXPECT_EQ(count(log, "both.mp3"), 1) << log;
  EXPECT_EQ(count(log, "picture.png"), 1) << log;
  EXPECT_EQ(count(log, "none.mp3"), 1) << log;
}

// Four loud effects at once add up to nearly four times full scale; the
// mix the device is handed (SDL's disk driver writes it as the mixer makes
// it, in floats) stays under the limiter's ceiling, with the sound in it.
TEST_F(AudioTest, SoundsThatMeetReachTheDeviceUnderFullScale) {
  writeFile("Sound/loud.wav", MakeWav(22050, 6000, 30000));
  const std::vector<float> mix = captureMix([this](SimpleAudioEngine* audio) {
    // Four sounds, each a frame after the one before.
    for (int i = 0; i < 4; ++i, step()) EXPECT_NE(audio->playEffect("Sound/loud.wav"), 0u);
    // The disk driver writes as fast as a sound card plays.
    for (int n = 0; n < 200 && audio->playingEffectCount() > 0; ++n) wait(20);
    wait(150);
  });
  EXPECT_GT(mix.size(), 2u * 6000u);
  EXPECT_LE(Peak(mix), kest::backend::audio::Limiter::kCeiling);
  EXPECT_GT(Peak(mix), 0.85f);
}

// Music replaced by another piece, music stopped and a looping effect
// stopped all end without a click: no step between samples stands out of
// the steps of the 0.3 s before it.
TEST_F(AudioTest, MusicAndLoopsEndWithoutAStep) {
  // Loops of whole periods at 22,050 a second, as the build's music is.
  writeFile("Music/a.wav", MakeWav(22050, 22050, 9830, 220.5));
  writeFile("Music/b.wav", MakeWav(22050, 22050, 4915, 315));
  writeFile("Sound/loop.wav", MakeWav(22050, 2200, 9830, 441));
  const std::vector<float> mix = captureMix([](SimpleAudioEngine* audio) {
    audio->playBackgroundMusic("Music/a.wav", true);
    wait(500);
    audio->playBackgroundMusic("Music/b.wav", true);
    wait(400);
    audio->stopBackgroundMusic(true);
    EXPECT_FALSE(audio->isBackgroundMusicPlaying());
    wait(500);
    const unsigned int loop = audio->playEffect("Sound/loop.wav", true);
    wait(400);
    audio->stopEffect(loop);
    EXPECT_EQ(audio->playingEffectCount(), 0);
    wait(500);
  });
  const float worst = LargestStepRatio(mix);
  std::printf("largest step %.2f times the largest of the 0.3 s before it\n", worst);
  EXPECT_LT(worst, 2.0f);
}

// Ogg Vorbis music is decoded as it plays (bench/audio measures what a start
// costs): a loop's end runs into its start without a step, as do the switch
// from a long piece and the stop after it.
TEST_F(AudioTest, OggMusicStreamsAndLoopsWithoutAStep) {
  std::string loop, song;
  soundgen::Pcm wave(soundgen::kRate), minute;  // 441 whole periods; a minute of them, louder
  for (size_t i = 0; i < wave.size(); ++i) wave[i] = 0.15f * std::sin(6.283185307179586 * 441 * i / soundgen::kRate);
  ASSERT_TRUE(soundgen::EncodeOgg(wave, 0.4f, 1, loop));
  for (int i = 0; i < 60; ++i)
    for (float v : wave) minute.push_back(2 * v);
  ASSERT_TRUE(soundgen::EncodeOgg(minute, -0.1f, 2, song));
  writeFile("Music/loop.ogg", loop);
  writeFile("Music/song.ogg", song);
  const std::vector<float> mix = captureMix([](SimpleAudioEngine* audio) {
    audio->playBackgroundMusic("Music/song.ogg", true);
    EXPECT_TRUE(audio->isBackgroundMusicPlaying());
    wait(400);
    audio->playBackgroundMusic("Music/loop.ogg", true);
    wait(2300);
    audio->stopBackgroundMusic(true);
    wait(400);
  });
  const float worst = LargestStepRatio(mix);
  std::printf("largest step %.2f times the 0.3 s before it\n", worst);
  EXPECT_LT(worst, 2.0f);
}

// Six deals of one card in one frame are one sound, as loud as one deal:
// they would add up in phase.
TEST_F(AudioTest, ASoundStartedAgainInTheSameFramePlaysOnce) {
  writeFile("Sound/deal.wav", MakeWav(22050, 3300, 3932, 441));
  const std::vector<float> mix = captureMix([](SimpleAudioEngine* audio) {
    audio->playEffect("Sound/deal.wav");
    wait(400);
    step();
    const unsigned int id = audio->playEffect("Sound/deal.wav");
    for (int i = 0; i < 5; ++i) EXPECT_EQ(audio->playEffect("Sound/deal.wav"), id);
    EXPECT_EQ(audio->playingEffectCount(), 1);
    wait(400);
  });
  size_t start = 0;
  while (start < mix.size() && mix[start] == 0) ++start;
  const float one = Peak(mix, start, start + 2 * 44100 * 3 / 10), six = Peak(mix, start + 2 * 44100 * 3 / 10);
  std::printf("six deals in one frame peak %.1f dB over one\n", 20 * std::log10(six / one));
  EXPECT_GT(one, 0.1f);
  EXPECT_LT(20 * std::log10(six / one), 0.5f);
}
