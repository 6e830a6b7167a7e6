// SDL2_mixer stands in for the Windows audio the engine used. Implemented:
// music (MP3, OGG, WAV, whatever the installed decoders read) and effects
// (WAV, OGG, MP3) on 32 channels, volumes, pause and resume. Not
// implemented: pitch, pan and gain of an effect (taken, not applied); WMA
// (no decoder: logged once and silent, like any unplayable file).

#include "SimpleAudioEngine.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>

#include "CCDirector.h"
#include "CCFileUtils.h"
#include "CCPlatformMacros.h"

namespace CocosDenshion {

namespace {
SimpleAudioEngine* s_engine = nullptr;
const int kChannels = 32;
int toMixVolume(float v) { return (int)(std::min(std::max(v, 0.0f), 1.0f) * MIX_MAX_VOLUME); }
}  // namespace

SimpleAudioEngine* SimpleAudioEngine::sharedEngine() {
  if (!s_engine) s_engine = new SimpleAudioEngine();
  return s_engine;
}

void SimpleAudioEngine::end() {
  delete s_engine;
  s_engine = nullptr;
}

SimpleAudioEngine::~SimpleAudioEngine() {
  if (!m_bOpen) return;
  Mix_HaltChannel(-1);
  Mix_HaltMusic();
  if (m_music) Mix_FreeMusic(m_music);
  for (auto& kv : m_effects) Mix_FreeChunk(kv.second);
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SimpleAudioEngine::open() {
  if (m_bTried) return m_bOpen;
  m_bTried = true;
  // Headless runs (tests, screenshots) make no sound on the machine's speakers.
  if (cocos2d::CCDirector::isHeadless() && !SDL_getenv("SDL_AUDIODRIVER")) SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    cocos2d::CCLog("audio: no audio device (%s); sound is off", SDL_GetError());
    return false;
  }
  Mix_Init(MIX_INIT_OGG | MIX_INIT_MP3);
  if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
    cocos2d::CCLog("audio: cannot open the audio device (%s); sound is off", Mix_GetError());
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Mix_AllocateChannels(kChannels);
  Mix_VolumeMusic(toMixVolume(m_musicVolume));
  Mix_Volume(-1, toMixVolume(m_effectsVolume));
  m_bOpen = true;
  return true;
}

bool SimpleAudioEngine::hasDevice() { return open(); }

std::string SimpleAudioEngine::resolve(const char* path) {
  if (!path || !*path) return "";
  return cocos2d::CCFileUtils::sharedFileUtils()->fullPathForFilename(path);
}

void SimpleAudioEngine::failOnce(const std::string& path, const char* why) {
  if (!m_failed.insert(path).second) return;
  cocos2d::CCLog("audio: cannot play %s: %s", path.c_str(), why);
}

// --- music ------------------------------------------------------------------

Mix_Music* SimpleAudioEngine::loadMusic(const std::string& full) {
  if (full.empty() || !open()) return nullptr;
  if (m_music && m_musicPath == full) return m_music;
  if (m_failed.count(full)) return nullptr;
  if (!cocos2d::CCFileUtils::sharedFileUtils()->isFileExist(full)) {
    failOnce(full, "no such file");
    return nullptr;
  }
  Mix_Music* music = Mix_LoadMUS(full.c_str());
  if (!music) {
    failOnce(full, Mix_GetError());
    return nullptr;
  }
  Mix_HaltMusic();
  if (m_music) Mix_FreeMusic(m_music);
  m_music = music;
  m_musicPath = full;
  return m_music;
}

void SimpleAudioEngine::preloadBackgroundMusic(const char* path) { loadMusic(resolve(path)); }

void SimpleAudioEngine::playBackgroundMusic(const char* path, bool loop) {
  Mix_Music* music = loadMusic(resolve(path));
  if (!music) return;
  Mix_VolumeMusic(toMixVolume(m_musicVolume));
  if (Mix_PlayMusic(music, loop ? -1 : 0) != 0) failOnce(m_musicPath, Mix_GetError());
}

void SimpleAudioEngine::stopBackgroundMusic(bool releaseData) {
  if (!m_bOpen) return;
  Mix_HaltMusic();
  if (releaseData && m_music) {
    Mix_FreeMusic(m_music);
    m_music = nullptr;
    m_musicPath.clear();
  }
}

void SimpleAudioEngine::pauseBackgroundMusic() {
  if (m_bOpen) Mix_PauseMusic();
}

void SimpleAudioEngine::resumeBackgroundMusic() {
  if (m_bOpen) Mix_ResumeMusic();
}

void SimpleAudioEngine::rewindBackgroundMusic() {
  if (m_bOpen && m_music) Mix_RewindMusic();
}

bool SimpleAudioEngine::willPlayBackgroundMusic() { return m_bOpen && m_music != nullptr; }

bool SimpleAudioEngine::isBackgroundMusicPlaying() { return m_bOpen && Mix_PlayingMusic() && !Mix_PausedMusic(); }

void SimpleAudioEngine::setBackgroundMusicVolume(float volume) {
  m_musicVolume = std::min(std::max(volume, 0.0f), 1.0f);
  if (m_bOpen) Mix_VolumeMusic(toMixVolume(m_musicVolume));
}

// --- effects ----------------------------------------------------------------

void SimpleAudioEngine::setEffectsVolume(float volume) {
  m_effectsVolume = std::min(std::max(volume, 0.0f), 1.0f);
  if (m_bOpen) Mix_Volume(-1, toMixVolume(m_effectsVolume));
}

void SimpleAudioEngine::preloadEffect(const char* path) {
  std::string full = resolve(path);
  if (full.empty() || !open() || m_effects.count(full) || m_failed.count(full)) return;
  if (!cocos2d::CCFileUtils::sharedFileUtils()->isFileExist(full)) {
    failOnce(full, "no such file");
    return;
  }
  Mix_Chunk* chunk = Mix_LoadWAV(full.c_str());
  if (!chunk) {
    failOnce(full, Mix_GetError());
    return;
  }
  m_effects[full] = chunk;
}

unsigned int SimpleAudioEngine::playEffect(const char* path, bool loop, float, float, float) {
  std::string full = resolve(path);
  preloadEffect(path);
  auto it = m_effects.find(full);
  if (it == m_effects.end()) return 0;
  int ch = Mix_PlayChannel(-1, it->second, loop ? -1 : 0);
  if (ch < 0) return 0;  // every channel busy: this one is dropped
  Mix_Volume(ch, toMixVolume(m_effectsVolume));
  unsigned int id = m_nextId++;
  if (m_nextId == 0) m_nextId = 1;
  m_channelIds[ch] = id;
  return id;
}

int SimpleAudioEngine::channelOf(unsigned int id) {
  for (auto& kv : m_channelIds)
    if (kv.second == id && Mix_Playing(kv.first)) return kv.first;
  return -1;
}

void SimpleAudioEngine::pauseEffect(unsigned int id) {
  int ch = m_bOpen ? channelOf(id) : -1;
  if (ch >= 0) Mix_Pause(ch);
}

void SimpleAudioEngine::pauseAllEffects() {
  if (m_bOpen) Mix_Pause(-1);
}

void SimpleAudioEngine::resumeEffect(unsigned int id) {
  int ch = m_bOpen ? channelOf(id) : -1;
  if (ch >= 0) Mix_Resume(ch);
}

void SimpleAudioEngine::resumeAllEffects() {
  if (m_bOpen) Mix_Resume(-1);
}

void SimpleAudioEngine::stopEffect(unsigned int id) {
  int ch = m_bOpen ? channelOf(id) : -1;
  if (ch >= 0) Mix_HaltChannel(ch);
}

void SimpleAudioEngine::stopAllEffects() {
  if (m_bOpen) Mix_HaltChannel(-1);
}

void SimpleAudioEngine::unloadEffect(const char* path) {
  auto it = m_effects.find(resolve(path));
  if (it == m_effects.end()) return;
  // A chunk must not be freed while a channel still plays it.
  for (int ch = 0; ch < kChannels; ++ch)
    if (Mix_Playing(ch) && Mix_GetChunk(ch) == it->second) Mix_HaltChannel(ch);
  Mix_FreeChunk(it->second);
  m_effects.erase(it);
}

int SimpleAudioEngine::playingEffectCount() { return m_bOpen ? Mix_Playing(-1) : 0; }

}  // namespace CocosDenshion
