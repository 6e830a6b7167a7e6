// Stands in for the Windows audio the engine used, on the back end's sound
// device (engine/backend/Audio.h). Implemented: music (streamed) and
// effects on 32 channels, volumes, pause and resume, fades where a sound
// stops (the device's); a sound named .wav, .mp3 or .wma that is not there
// plays its .ogg (the build's sounds are Ogg Vorbis).
// Not implemented: pitch, pan and gain of an effect (taken, not applied);
// WMA (no decoder: logged once and silent, like any unplayable file).

#include "SimpleAudioEngine.h"

#include <algorithm>
#include <utility>

#include "CCDirector.h"
#include "CCFileUtils.h"
#include "CCPlatformMacros.h"
#include "backend/Audio.h"

namespace CocosDenshion {

namespace device = kest::backend::audio;

namespace {
SimpleAudioEngine* s_engine = nullptr;
const int kChannels = 32;
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
  device::stopChannel(-1);
  device::stopMusic();
  device::freeMusic(m_music);
  for (auto& kv : m_effects) device::freeSound(kv.second);
  device::close();
}

bool SimpleAudioEngine::open() {
  if (m_bTried) return m_bOpen;
  m_bTried = true;
  std::string why;
  if (!device::open(cocos2d::CCDirector::isHeadless(), kChannels, why)) {
    cocos2d::CCLog("audio: %s; sound is off", why.c_str());
    return false;
  }
  device::setMusicVolume(m_musicVolume);
  device::setChannelVolume(-1, m_effectsVolume);
  m_bOpen = true;
  return true;
}

bool SimpleAudioEngine::hasDevice() { return open(); }

std::string SimpleAudioEngine::resolve(const char* path) { return fullPathForSound(path); }

std::string SimpleAudioEngine::fullPathForSound(const char* path) {
  if (!path || !*path) return "";
  cocos2d::CCFileUtils* files = cocos2d::CCFileUtils::sharedFileUtils();
  const std::string full = files->fullPathForFilename(path);
  if (files->isFileExist(full)) return full;
  // Our sounds are Ogg Vorbis: a name given as .wav, .mp3 or .wma (or
  // without an extension) plays the .ogg of the same name when the file
  // named is not there. A name that finds neither keeps its own, which the
  // failure then names.
  const std::string name = path;
  const size_t slash = name.rfind('/'), dot = name.rfind('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  const std::string extension = hasExtension ? name.substr(dot) : "";
  if (hasExtension && extension != ".wav" && extension != ".mp3" && extension != ".wma") return full;
  const std::string ogg = files->fullPathForFilename((name.substr(0, hasExtension ? dot : name.size()) + ".ogg").c_str());
  return files->isFileExist(ogg) ? ogg : full;
}

void SimpleAudioEngine::failOnce(const std::string& path, const char* why) {
  if (!m_failed.insert(path).second) return;
  cocos2d::CCLog("audio: cannot play %s: %s", path.c_str(), why);
}

// --- music ------------------------------------------------------------------

device::Music* SimpleAudioEngine::loadMusic(const std::string& full) {
  if (full.empty() || !open()) return nullptr;
  if (m_music && m_musicPath == full) return m_music;
  if (m_failed.count(full)) return nullptr;
  if (!cocos2d::CCFileUtils::sharedFileUtils()->isFileExist(full)) {
    failOnce(full, "no such file");
    return nullptr;
  }
  device::Music* music = device::loadMusic(full);
  if (!music) {
    failOnce(full, device::lastError());
    return nullptr;
  }
  device::stopMusic();
  device::freeMusic(m_music);
  m_music = music;
  m_musicPath = full;
  return m_music;
}

void SimpleAudioEngine::preloadBackgroundMusic(const char* path) { loadMusic(resolve(path)); }

void SimpleAudioEngine::playBackgroundMusic(const char* path, bool loop) {
  device::Music* music = loadMusic(resolve(path));
  if (!music) return;
  device::setMusicVolume(m_musicVolume);
  if (!device::playMusic(music, loop)) failOnce(m_musicPath, device::lastError());
}

void SimpleAudioEngine::stopBackgroundMusic(bool releaseData) {
  if (!m_bOpen) return;
  device::stopMusic();
  if (releaseData && m_music) {
    device::freeMusic(m_music);
    m_music = nullptr;
    m_musicPath.clear();
  }
}

void SimpleAudioEngine::pauseBackgroundMusic() {
  if (m_bOpen) device::pauseMusic();
}

void SimpleAudioEngine::resumeBackgroundMusic() {
  if (m_bOpen) device::resumeMusic();
}

void SimpleAudioEngine::rewindBackgroundMusic() {
  if (m_bOpen && m_music) device::rewindMusic();
}

bool SimpleAudioEngine::willPlayBackgroundMusic() { return m_bOpen && m_music != nullptr; }

bool SimpleAudioEngine::isBackgroundMusicPlaying() { return m_bOpen && device::isMusicPlaying(); }

void SimpleAudioEngine::setBackgroundMusicVolume(float volume) {
  m_musicVolume = std::min(std::max(volume, 0.0f), 1.0f);
  if (m_bOpen) device::setMusicVolume(m_musicVolume);
}

// --- effects ----------------------------------------------------------------

void SimpleAudioEngine::setEffectsVolume(float volume) {
  m_effectsVolume = std::min(std::max(volume, 0.0f), 1.0f);
  if (m_bOpen) device::setChannelVolume(-1, m_effectsVolume);
}

void SimpleAudioEngine::preloadEffect(const char* path) {
  std::string full = resolve(path);
  if (full.empty() || !open() || m_effects.count(full) || m_failed.count(full)) return;
  if (!cocos2d::CCFileUtils::sharedFileUtils()->isFileExist(full)) {
    failOnce(full, "no such file");
    return;
  }
  device::Sound* sound = device::loadSound(full);
  if (!sound) {
    failOnce(full, device::lastError());
    return;
  }
  m_effects[full] = sound;
}

unsigned int SimpleAudioEngine::playEffect(const char* path, bool loop, float, float, float) {
  std::string full = resolve(path);
  preloadEffect(path);
  auto it = m_effects.find(full);
  if (it == m_effects.end()) return 0;
  // Started again in the same frame (six cards dealt at once), a sound
  // would add to itself in phase, six times as loud: it plays once. The
  // frame's number stays while the loop waits for input, so what a message
  // asks for after such a wait is not the same frame's.
  const unsigned int frame = cocos2d::CCDirector::sharedDirector()->getTotalFrames();
  const auto now = std::chrono::steady_clock::now();
  if (frame != m_startFrame || now - m_frameStart > std::chrono::milliseconds(50)) {
    m_started.clear();
    m_startFrame = frame;
    m_frameStart = now;
  }
  const auto key = std::make_pair(full, loop);
  auto started = m_started.find(key);
  if (started != m_started.end() && channelOf(started->second) >= 0) return started->second;
  int ch = device::playSound(it->second, loop);
  if (ch < 0) return 0;  // every channel busy: this one is dropped
  device::setChannelVolume(ch, m_effectsVolume);
  unsigned int id = m_nextId++;
  if (m_nextId == 0) m_nextId = 1;
  m_channelIds[ch] = id;
  m_started[key] = id;
  return id;
}

int SimpleAudioEngine::channelOf(unsigned int id) {
  for (auto& kv : m_channelIds)
    if (kv.second == id && device::isChannelPlaying(kv.first)) return kv.first;
  return -1;
}

void SimpleAudioEngine::pauseEffect(unsigned int id) {
  int ch = m_bOpen ? channelOf(id) : -1;
  if (ch >= 0) device::pauseChannel(ch);
}

void SimpleAudioEngine::pauseAllEffects() {
  if (m_bOpen) device::pauseChannel(-1);
}

void SimpleAudioEngine::resumeEffect(unsigned int id) {
  int ch = m_bOpen ? channelOf(id) : -1;
  if (ch >= 0) device::resumeChannel(ch);
}

void SimpleAudioEngine::resumeAllEffects() {
  if (m_bOpen) device::resumeChannel(-1);
}

void SimpleAudioEngine::stopEffect(unsigned int id) {
  int ch = m_bOpen ? channelOf(id) : -1;
  if (ch >= 0) device::stopChannel(ch);
}

void SimpleAudioEngine::stopAllEffects() {
  if (m_bOpen) device::stopChannel(-1);
}

void SimpleAudioEngine::unloadEffect(const char* path) {
  auto it = m_effects.find(resolve(path));
  if (it == m_effects.end()) return;
  device::freeSound(it->second);  // stops it first where it still plays
  m_effects.erase(it);
}

int SimpleAudioEngine::playingEffectCount() { return m_bOpen ? device::playingChannelCount() : 0; }

}  // namespace CocosDenshion
