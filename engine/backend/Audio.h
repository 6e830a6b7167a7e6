#ifndef KEST_ENGINE_BACKEND_AUDIO_H
#define KEST_ENGINE_BACKEND_AUDIO_H

// The engine's door to the sound device: one piece of music at a time and
// effects on numbered channels. CocosDenshion::SimpleAudioEngine keeps the
// names, ids and volumes; engine/backend/sdl/SdlAudio.cpp implements this
// with SDL2_mixer. Main thread only. Volumes are 0..1.
//
// Nothing is cut mid-wave, where it would click: what is stopped, freed or
// replaced fades out over a few tens of milliseconds, and music fades in
// over a few (a pause and a change of the music's volume ramp too). A sound
// fading out no longer counts as playing.

#include <string>

namespace kest {
namespace backend {
namespace audio {

struct Music;
struct Sound;

// Opens the device with `channels` effect channels (headless: SDL's dummy
// device unless SDL_AUDIODRIVER names another). False when there is none;
// `why` then says what failed.
bool open(bool headless, int channels, std::string& why);
// Stops everything and closes the device; free music and sounds first.
void close();
// Why the last call failed.
const char* lastError();

// Ogg Vorbis is kept as it is and decoded as it plays, on the audio
// thread; another format is decoded whole, like a sound. Null when it
// cannot play.
Music* loadMusic(const std::string& path);
// Stops it where it plays; freed once it is silent.
void freeMusic(Music* music);
// The piece playing gives way to this one, which starts at once (the
// main thread opens a decoder, no more).
bool playMusic(Music* music, bool loop);
void stopMusic();
void pauseMusic();
void resumeMusic();
void rewindMusic();
// Playing and not paused.
bool isMusicPlaying();
void setMusicVolume(float volume);

Sound* loadSound(const std::string& path);
// Stops the channels still playing it; freed once they are silent.
void freeSound(Sound* sound);
// The channel it plays on, or -1 when every channel is busy.
int playSound(Sound* sound, bool loop);
bool isChannelPlaying(int channel);
// A channel of -1 means every channel of the effects.
void setChannelVolume(int channel, float volume);
void pauseChannel(int channel);
void resumeChannel(int channel);
void stopChannel(int channel);
int playingChannelCount();

}  // namespace audio
}  // namespace backend
}  // namespace kest

#endif
