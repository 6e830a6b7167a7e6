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
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "ExtFixture.h"
#include "SimpleAudioEngine.h"
#include "WavFile.h"
#include "engine/backend/Limiter.h"

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
};

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
  const std::string capture = testing::TempDir() + "kest-mix-" + std::to_string(getpid()) + ".raw";
  writeFile("Sound/loud.wav", MakeWav(22050, 6000, 30000));
  const char* old = getenv("SDL_AUDIODRIVER");
  const std::string saved = old ? old : "";
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);
  SimpleAudioEngine::end();
  SimpleAudioEngine* audio = SimpleAudioEngine::sharedEngine();
  ASSERT_TRUE(audio->hasDevice());
  for (int i = 0; i < 4; ++i) EXPECT_NE(audio->playEffect("Sound/loud.wav"), 0u);
  // The disk driver writes as fast as a sound card plays.
  for (int wait = 0; wait < 200 && audio->playingEffectCount() > 0; ++wait)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  SimpleAudioEngine::end();
  if (old)
    setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
  else
    unsetenv("SDL_AUDIODRIVER");

  std::ifstream in(capture, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::remove(capture.c_str());
  std::vector<float> mix(bytes.size() / sizeof(float));
  std::memcpy(mix.data(), bytes.data(), mix.size() * sizeof(float));
  float peak = 0;
  for (float v : mix) peak = std::max(peak, std::fabs(v));
  EXPECT_GT(mix.size(), 2u * 6000u);
  EXPECT_LE(peak, kest::backend::audio::Limiter::kCeiling);
  EXPECT_GT(peak, 0.85f);
}
