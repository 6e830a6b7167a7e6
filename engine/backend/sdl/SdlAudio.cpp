// The sound device on SDL2_mixer: music (MP3, OGG, WAV, whatever the
// installed decoders read) and effects (WAV, OGG, MP3) on channels. WMA has
// no decoder: loading it fails like any unplayable file.
//
// The mixer works in floats: sounds that meet add up past full scale
// without being clipped on the way, and the limiter on the whole mix
// brings the peaks back under the ceiling before the device has them (SDL
// converts to what the device takes). Mixed in 16 bits, each sound added
// would be clipped at once, and nothing after could mend it.

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>

#include "backend/Audio.h"
#include "backend/Limiter.h"

namespace kest {
namespace backend {
namespace audio {

struct Music {
  Mix_Music* mix;
};
struct Sound {
  Mix_Chunk* mix;
};

namespace {
int toMixVolume(float v) { return (int)(std::min(std::max(v, 0.0f), 1.0f) * MIX_MAX_VOLUME); }

// Runs on the audio thread, on the whole mix, after the music and every
// channel were added at their volumes.
Limiter* s_limiter = nullptr;
void limitMix(void* data, Uint8* stream, int bytes) {
  Limiter* limiter = static_cast<Limiter*>(data);
  const size_t frames = static_cast<size_t>(std::max(bytes, 0)) / sizeof(float) / limiter->channels();
  limiter->process(reinterpret_cast<float*>(stream), frames);
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
  Mix_AllocateChannels(channels);
  // The format is as asked (only the rate and the channel count may
  // differ); the limiter takes the mix as it comes.
  int rate = 0, outputs = 0;
  Uint16 format = 0;
  if (Mix_QuerySpec(&rate, &format, &outputs) != 0 && format == AUDIO_F32SYS) {
    s_limiter = new Limiter(outputs, rate);
    Mix_SetPostMix(limitMix, s_limiter);
  }
  return true;
}

void close() {
  Mix_HaltChannel(-1);
  Mix_HaltMusic();
  Mix_SetPostMix(nullptr, nullptr);
  delete s_limiter;
  s_limiter = nullptr;
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

const char* lastError() { return Mix_GetError(); }

// --- music ------------------------------------------------------------------

Music* loadMusic(const std::string& path) {
  Mix_Music* mix = Mix_LoadMUS(path.c_str());
  return mix ? new Music{mix} : nullptr;
}

void freeMusic(Music* music) {
  if (!music) return;
  Mix_FreeMusic(music->mix);
  delete music;
}

bool playMusic(Music* music, bool loop) { return music && Mix_PlayMusic(music->mix, loop ? -1 : 0) == 0; }

void stopMusic() { Mix_HaltMusic(); }
void pauseMusic() { Mix_PauseMusic(); }
void resumeMusic() { Mix_ResumeMusic(); }
void rewindMusic() { Mix_RewindMusic(); }
bool isMusicPlaying() { return Mix_PlayingMusic() && !Mix_PausedMusic(); }
void setMusicVolume(float volume) { Mix_VolumeMusic(toMixVolume(volume)); }

// --- effects ----------------------------------------------------------------

Sound* loadSound(const std::string& path) {
  Mix_Chunk* mix = Mix_LoadWAV(path.c_str());
  return mix ? new Sound{mix} : nullptr;
}

void freeSound(Sound* sound) {
  if (!sound) return;
  // A chunk must not be freed while a channel still plays it.
  const int channels = Mix_AllocateChannels(-1);
  for (int ch = 0; ch < channels; ++ch)
    if (Mix_Playing(ch) && Mix_GetChunk(ch) == sound->mix) Mix_HaltChannel(ch);
  Mix_FreeChunk(sound->mix);
  delete sound;
}

int playSound(Sound* sound, bool loop) { return sound ? Mix_PlayChannel(-1, sound->mix, loop ? -1 : 0) : -1; }

bool isChannelPlaying(int channel) { return channel >= 0 && Mix_Playing(channel); }
void setChannelVolume(int channel, float volume) { Mix_Volume(channel, toMixVolume(volume)); }
void pauseChannel(int channel) { Mix_Pause(channel); }
void resumeChannel(int channel) { Mix_Resume(channel); }
void stopChannel(int channel) { Mix_HaltChannel(channel); }
int playingChannelCount() { return Mix_Playing(-1); }

}  // namespace audio
}  // namespace backend
}  // namespace kest
