#ifndef KEST_SIMPLE_AUDIO_ENGINE_H
#define KEST_SIMPLE_AUDIO_ENGINE_H

// Background music and sound effects.
//
// Paths are resource names (resolved by CCFileUtils); a name ending in
// ".wav", ".mp3" or ".wma", or without an extension, whose file is not
// there plays the ".ogg" file of the same name when that is. The device
// opens on first use; when there is none every call is silent and nothing
// fails.
// Headless, the device is SDL's dummy one unless SDL_AUDIODRIVER names
// another. A missing or unplayable file (".wma" among them) is silent too
// and logged once. Music: one piece at a time, looping or once;
// paused music does not count as playing. Effects: up to 32 at once; each
// play returns an id for stopEffect and the like (0 when nothing plays).
// An effect started again within the same frame plays once: the call
// returns the id of the one playing. Music and effects that are stopped or
// replaced fade out over a few tens of milliseconds instead of being cut;
// they count as stopped at once.
// Volumes are 0..1; the mix of them all is kept under full scale by a
// limiter on the device (engine/backend/Limiter.h).

#include <chrono>
#include <map>
#include <set>
#include <string>
#include <utility>

// The sound device's types (engine/backend/Audio.h), kept out of this header.
namespace kest {
namespace backend {
namespace audio {
struct Music;
struct Sound;
}  // namespace audio
}  // namespace backend
}  // namespace kest

namespace CocosDenshion {

class SimpleAudioEngine {
 public:
  static SimpleAudioEngine* sharedEngine();
  // Stops everything, frees the sounds and closes the device.
  static void end();

  void preloadBackgroundMusic(const char* pszFilePath);
  void playBackgroundMusic(const char* pszFilePath, bool bLoop = false);
  void stopBackgroundMusic(bool bReleaseData = false);
  void pauseBackgroundMusic();
  void resumeBackgroundMusic();
  void rewindBackgroundMusic();
  bool willPlayBackgroundMusic();
  bool isBackgroundMusicPlaying();
  float getBackgroundMusicVolume() { return m_musicVolume; }
  void setBackgroundMusicVolume(float volume);

  float getEffectsVolume() { return m_effectsVolume; }
  void setEffectsVolume(float volume);
  unsigned int playEffect(const char* pszFilePath, bool bLoop = false, float pitch = 1.0f, float pan = 0.0f,
                          float gain = 1.0f);
  void pauseEffect(unsigned int nSoundId);
  void pauseAllEffects();
  void resumeEffect(unsigned int nSoundId);
  void resumeAllEffects();
  void stopEffect(unsigned int nSoundId);
  void stopAllEffects();
  void preloadEffect(const char* pszFilePath);
  void unloadEffect(const char* pszFilePath);

  // Whether sound reaches a device.
  bool hasDevice();
  // The file a sound name plays (its ".ogg" as above), or the name's own
  // full path when neither is there.
  static std::string fullPathForSound(const char* pszFilePath);
  // Effects playing now.
  int playingEffectCount();

 private:
  SimpleAudioEngine() {}
  ~SimpleAudioEngine();
  bool open();
  std::string resolve(const char* path);
  void failOnce(const std::string& path, const char* why);
  kest::backend::audio::Music* loadMusic(const std::string& full);
  int channelOf(unsigned int id);

  bool m_bTried = false;
  bool m_bOpen = false;
  float m_musicVolume = 1.0f;
  float m_effectsVolume = 1.0f;
  kest::backend::audio::Music* m_music = nullptr;
  std::string m_musicPath;
  std::map<std::string, kest::backend::audio::Sound*> m_effects;
  std::set<std::string> m_failed;
  unsigned int m_nextId = 1;
  std::map<int, unsigned int> m_channelIds;  // channel -> id of the effect it plays
  // The effects started in the frame, by file and looping, with their ids.
  std::map<std::pair<std::string, bool>, unsigned int> m_started;
  unsigned int m_startFrame = 0;
  std::chrono::steady_clock::time_point m_frameStart;
};

}  // namespace CocosDenshion

#endif
