// The sound device on SDL2_mixer: music and effects (WAV, OGG, MP3), all
// on channels, where each can be faded sample by sample (the mixer's own
// fades and its streamed music change their volume only once a buffer, in
// steps that click). WMA has no decoder: loading it fails like any
// unplayable file.
//
// The mixer works in floats: sounds that meet add up past full scale
// without being clipped on the way, and the limiter on the whole mix
// brings the peaks back under the ceiling before the device has them (SDL
// converts to what the device takes). Mixed in 16 bits, each sound added
// would be clipped at once, and nothing after could mend it.

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "backend/Audio.h"
#include "backend/Limiter.h"

namespace kest {
namespace backend {
namespace audio {

struct Music {
  Mix_Chunk* mix;
  std::string path;
};
struct Sound {
  Mix_Chunk* mix;
};

namespace {
int toMixVolume(float v) { return (int)(std::min(std::max(v, 0.0f), 1.0f) * MIX_MAX_VOLUME); }

// Music plays on channels of its own, below the effects': the piece that
// ends fades out on one while the next starts on another. Three, for a
// piece replaced twice within one fade.
const int kMusicChannels = 3;
// Cut mid-wave, a sound clicks: what is stopped fades out over this, and
// music fades in over the shorter time (a loop's file may start in the
// ring of its own end).
const double kFadeOutSeconds = 0.04, kFadeInSeconds = 0.01;
// Decoding a piece of music whole takes a tenth of a second: the last ones
// freed are kept for a board that goes back and forth between two.
const size_t kKeptPieces = 2;

// A channel's fade, in frames: the audio thread moves both on, the main
// thread only starts them (`out` from -1, `in` before the channel plays).
struct Fade {
  std::atomic<int> in{0};    // frames of the fade-in done
  std::atomic<int> out{-1};  // frames of the fade-out left; 0: silent, -1: none
};

struct Device {
  Limiter* limiter = nullptr;
  int outputs = 2;
  bool floats = false;  // the mix is in floats, where fades and the limiter work
  int fadeIn = 1, fadeOut = 1;
  int channels = 0;  // music's and effects' together
  std::unique_ptr<Fade[]> fades;
  std::vector<bool> faded;  // the fade effect is on the channel (main thread)
  int music = -1;           // the channel of the piece playing
  bool musicLoops = false;
  float musicVolume = 1;
  std::vector<Mix_Chunk*> dying;                         // freed when no channel plays them
  std::vector<std::pair<std::string, Mix_Chunk*>> kept;  // pieces freed, the latest last
};
// Never destroyed: the sounds it keeps stay reachable until close() frees
// them, also in a process that ends without closing the device.
Device& s_device = *new Device();

bool playing(int ch) { return Mix_Playing(ch) != 0; }
bool fading(int ch) { return s_device.fades[ch].out.load(std::memory_order_relaxed) >= 0; }

// Runs on the audio thread, on a channel's samples before its volume.
void fadeChannel(int ch, void* stream, int bytes, void*) {
  Fade& fade = s_device.fades[ch];
  int in = fade.in.load(std::memory_order_relaxed), out = fade.out.load(std::memory_order_relaxed);
  if (in >= s_device.fadeIn && out < 0) return;
  float* samples = static_cast<float*>(stream);
  const size_t outputs = static_cast<size_t>(s_device.outputs);
  const size_t frames = static_cast<size_t>(std::max(bytes, 0)) / sizeof(float) / outputs;
  for (size_t f = 0; f < frames; ++f) {
    float gain = 1;
    if (in < s_device.fadeIn) gain = static_cast<float>(in++) / s_device.fadeIn;
    if (out >= 0) {
      gain *= static_cast<float>(out) / s_device.fadeOut;
      if (out > 0) --out;
    }
    for (size_t c = 0; c < outputs; ++c) samples[f * outputs + c] *= gain;
  }
  fade.in.store(in, std::memory_order_relaxed);
  if (out >= 0) fade.out.store(out, std::memory_order_relaxed);
}

// Runs on the audio thread, on the whole mix, after the music and every
// channel were added at their volumes.
void limitMix(void* data, Uint8* stream, int bytes) {
  Limiter* limiter = static_cast<Limiter*>(data);
  const size_t frames = static_cast<size_t>(std::max(bytes, 0)) / sizeof(float) / limiter->channels();
  limiter->process(reinterpret_cast<float*>(stream), frames);
}

// Before a channel plays, or just after (an effect put on it goes when the
// last play ended): no fade yet.
void clearFade(int ch, bool fadeIn) {
  s_device.faded[ch] = false;
  s_device.fades[ch].out.store(-1);
  s_device.fades[ch].in.store(fadeIn ? 0 : s_device.fadeIn);
}

void putFade(int ch) {
  if (s_device.faded[ch]) return;
  s_device.faded[ch] = Mix_RegisterEffect(ch, fadeChannel, nullptr, nullptr) != 0;
}

// Fades the channel out; it stops when silent (`sweep`). A paused one is
// silent already.
void fadeOut(int ch) {
  if (!playing(ch) || fading(ch)) return;
  if (!s_device.floats || Mix_Paused(ch)) {
    Mix_HaltChannel(ch);
    return;
  }
  s_device.fades[ch].out.store(s_device.fadeOut);
  putFade(ch);
  if (!s_device.faded[ch]) Mix_HaltChannel(ch);
}

// Stops the channels whose fade has ended and frees the sounds no channel
// plays any longer.
void sweep() {
  for (int ch = 0; ch < s_device.channels; ++ch)
    if (s_device.fades[ch].out.load() == 0 && playing(ch)) Mix_HaltChannel(ch);
  auto& dying = s_device.dying;
  for (size_t i = 0; i < dying.size();) {
    bool used = false;
    for (int ch = 0; ch < s_device.channels && !used; ++ch) used = playing(ch) && Mix_GetChunk(ch) == dying[i];
    if (used) {
      ++i;
      continue;
    }
    Mix_FreeChunk(dying[i]);
    dying[i] = dying.back();
    dying.pop_back();
  }
}

// Frees the sound once no channel plays it (a chunk must not be freed while
// one does).
void retire(Mix_Chunk* chunk) {
  s_device.dying.push_back(chunk);
  sweep();
}

// The effect channels, or the one given among them.
template <typename F>
void forEffects(int channel, F f) {
  if (channel >= 0) {
    if (channel >= kMusicChannels && channel < s_device.channels) f(channel);
    return;
  }
  for (int ch = kMusicChannels; ch < s_device.channels; ++ch) f(ch);
}
}  // namespace

bool open(bool headless, int channels, std::string& why) {
  // Headless runs (tests, screenshots) make no sound on the machine's speakers.
  if (headless && !SDL_getenv("SDL_AUDIODRIVER")) SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    why = std::string("no audio device (") + SDL_GetError() + ")";
    return false;
  }
  Mix_Init(MIX_INIT_OGG | MIX_INIT_MP3);
  if (Mix_OpenAudio(44100, AUDIO_F32SYS, 2, 2048) != 0) {
    why = std::string("cannot open the audio device (") + Mix_GetError() + ")";
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Device& d = s_device;
  d.channels = Mix_AllocateChannels(kMusicChannels + channels);
  Mix_ReserveChannels(kMusicChannels);
  d.fades.reset(new Fade[d.channels]);
  d.faded.assign(d.channels, false);
  // The format is as asked (only the rate and the channel count may
  // differ); the limiter takes the mix as it comes.
  int rate = 0, outputs = 0;
  Uint16 format = 0;
  if (Mix_QuerySpec(&rate, &format, &outputs) != 0 && format == AUDIO_F32SYS && outputs > 0) {
    d.floats = true;
    d.outputs = outputs;
    d.fadeIn = std::max(1, static_cast<int>(kFadeInSeconds * rate));
    d.fadeOut = std::max(1, static_cast<int>(kFadeOutSeconds * rate));
    d.limiter = new Limiter(outputs, rate);
    Mix_SetPostMix(limitMix, d.limiter);
  }
  return true;
}

void close() {
  Mix_HaltChannel(-1);
  Mix_SetPostMix(nullptr, nullptr);
  for (Mix_Chunk* chunk : s_device.dying) Mix_FreeChunk(chunk);
  for (auto& piece : s_device.kept) Mix_FreeChunk(piece.second);
  Mix_CloseAudio();
  delete s_device.limiter;
  s_device = Device();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

const char* lastError() { return Mix_GetError(); }

// --- music ------------------------------------------------------------------

// A piece is decoded whole, as an effect is, to play on a channel: only a
// channel's samples can be faded.
Music* loadMusic(const std::string& path) {
  auto& kept = s_device.kept;
  for (auto it = kept.begin(); it != kept.end(); ++it) {
    if (it->first != path) continue;
    Music* music = new Music{it->second, path};
    kept.erase(it);
    return music;
  }
  Mix_Chunk* mix = Mix_LoadWAV(path.c_str());
  return mix ? new Music{mix, path} : nullptr;
}

void freeMusic(Music* music) {
  if (!music) return;
  for (int ch = 0; ch < kMusicChannels; ++ch) {
    if (!playing(ch) || Mix_GetChunk(ch) != music->mix) continue;
    fadeOut(ch);
    if (ch == s_device.music) s_device.music = -1;
  }
  auto& kept = s_device.kept;
  kept.emplace_back(music->path, music->mix);
  delete music;
  if (kept.size() > kKeptPieces) {
    retire(kept.front().second);
    kept.erase(kept.begin());
  }
}

bool playMusic(Music* music, bool loop) {
  if (!music) return false;
  stopMusic();
  // A free music channel, else the one nearest the end of its fade.
  int ch = -1;
  for (int c = 0; c < kMusicChannels && ch < 0; ++c)
    if (!playing(c)) ch = c;
  if (ch < 0) {
    ch = 0;
    for (int c = 1; c < kMusicChannels; ++c)
      if (s_device.fades[c].out.load() < s_device.fades[ch].out.load()) ch = c;
    Mix_HaltChannel(ch);
  }
  clearFade(ch, true);
  if (s_device.floats) putFade(ch);
  Mix_Volume(ch, toMixVolume(s_device.musicVolume));
  if (Mix_PlayChannel(ch, music->mix, loop ? -1 : 0) < 0) return false;
  s_device.music = ch;
  s_device.musicLoops = loop;
  return true;
}

void stopMusic() {
  sweep();
  if (s_device.music >= 0) fadeOut(s_device.music);
  s_device.music = -1;
}

void pauseMusic() {
  if (s_device.music >= 0) Mix_Pause(s_device.music);
}

void resumeMusic() {
  if (s_device.music >= 0) Mix_Resume(s_device.music);
}

void rewindMusic() {
  const int ch = s_device.music;
  if (ch < 0 || !playing(ch)) return;
  const bool paused = Mix_Paused(ch) != 0;
  Music again{Mix_GetChunk(ch), std::string()};
  if (playMusic(&again, s_device.musicLoops) && paused) Mix_Pause(s_device.music);
}

bool isMusicPlaying() {
  const int ch = s_device.music;
  return ch >= 0 && playing(ch) && !Mix_Paused(ch);
}

void setMusicVolume(float volume) {
  s_device.musicVolume = volume;
  if (s_device.music >= 0) Mix_Volume(s_device.music, toMixVolume(volume));
}

// --- effects ----------------------------------------------------------------

Sound* loadSound(const std::string& path) {
  Mix_Chunk* mix = Mix_LoadWAV(path.c_str());
  return mix ? new Sound{mix} : nullptr;
}

void freeSound(Sound* sound) {
  if (!sound) return;
  forEffects(-1, [sound](int ch) {
    if (playing(ch) && Mix_GetChunk(ch) == sound->mix) fadeOut(ch);
  });
  retire(sound->mix);
  delete sound;
}

int playSound(Sound* sound, bool loop) {
  if (!sound) return -1;
  sweep();
  const int ch = Mix_PlayChannel(-1, sound->mix, loop ? -1 : 0);
  if (ch >= 0) clearFade(ch, false);
  return ch;
}

// What fades out has stopped for the callers.
bool isChannelPlaying(int channel) {
  return channel >= kMusicChannels && channel < s_device.channels && playing(channel) && !fading(channel);
}

void setChannelVolume(int channel, float volume) {
  forEffects(channel, [volume](int ch) {
    if (!fading(ch)) Mix_Volume(ch, toMixVolume(volume));
  });
}

void pauseChannel(int channel) {
  forEffects(channel, [](int ch) {
    if (!fading(ch)) Mix_Pause(ch);
  });
}

void resumeChannel(int channel) {
  forEffects(channel, [](int ch) {
    if (!fading(ch)) Mix_Resume(ch);
  });
}

void stopChannel(int channel) {
  sweep();
  forEffects(channel, fadeOut);
}

int playingChannelCount() {
  sweep();
  int n = 0;
  forEffects(-1, [&n](int ch) { n += isChannelPlaying(ch) ? 1 : 0; });
  return n;
}

}  // namespace audio
}  // namespace backend
}  // namespace kest
