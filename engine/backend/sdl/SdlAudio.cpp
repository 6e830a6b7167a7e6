// The sound device on SDL2_mixer. Effects (WAV, OGG, MP3) are decoded
// whole and play on the mixer's channels, each faded sample by sample
// where it stops. Music is streamed: the mixer's music hook mixes it on the
// audio thread from "voices", the piece playing and the pieces fading out
// after a stop or a replacement, each decoded a buffer at a time (Ogg
// Vorbis with libvorbisfile, converted to the device's rate and channels
// with an SDL_AudioStream) and faded per sample. The mixer's own music
// changes its volume only once a buffer, in steps that click. A piece that
// is not Ogg Vorbis (a wave or an MP3 in the resource folder) is decoded
// whole, as an effect is, and mixed by the same hook. WMA has no decoder:
// loading it fails like any unplayable file.
//
// The mixer works in floats: sounds that meet add up past full scale
// without being clipped on the way, and the limiter on the whole mix
// brings the peaks back under the ceiling before the device has them (SDL
// converts to what the device takes). Mixed in 16 bits, each sound added
// would be clipped at once, and nothing after could mend it.
//
// Threads: the main thread makes and frees the voices; the audio thread
// alone reads and decodes them between. They meet in the voices' atomic
// flags and in two short lists under a mutex (voices handed over, voices
// handed back), never while a piece decodes.

#include <SDL.h>
#include <SDL_mixer.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "backend/Audio.h"
#include "backend/Limiter.h"

namespace kest {
namespace backend {
namespace audio {

struct Sound {
  Mix_Chunk* mix;
};

namespace {
// A piece: the bytes of an Ogg Vorbis file, streamed, or else its frames
// decoded whole in the device's format. Voices share them, so a piece
// freed while it fades out stays until its last voice is silent.
struct Piece {
  std::shared_ptr<const std::string> ogg;
  std::shared_ptr<Mix_Chunk> pcm;
  const void* id() const { return ogg ? static_cast<const void*>(ogg.get()) : pcm.get(); }
};

int toMixVolume(float v) { return (int)(std::min(std::max(v, 0.0f), 1.0f) * MIX_MAX_VOLUME); }

// Cut mid-wave, a sound clicks: what is stopped fades out over this, and
// music fades in over the shorter time (a loop's file may start in the
// ring of its own end).
const double kFadeOutSeconds = 0.04, kFadeInSeconds = 0.01;
// The music hook mixes in blocks of this many frames at most.
const size_t kBlockFrames = 1024;
// The piece playing and those still fading out; one more replaced within
// a fade cuts the quietest.
const size_t kVoices = 4;

// --- where a voice's frames come from (audio thread, once made) -------------

class Source {
 public:
  virtual ~Source() = default;
  // Up to `frames` frames in the device's format; fewer only where a piece
  // that does not loop has ended (or its file is damaged past reading).
  virtual size_t read(float* out, size_t frames, bool loop) = 0;
};

// A piece decoded whole: its frames are read in place.
class PcmSource : public Source {
 public:
  PcmSource(std::shared_ptr<Mix_Chunk> pcm, int outputs) : m_pcm(std::move(pcm)), m_outputs(outputs) {}

  size_t read(float* out, size_t frames, bool loop) override {
    const size_t total = m_pcm->alen / sizeof(float) / m_outputs * m_outputs;
    const size_t want = frames * m_outputs;
    size_t done = 0;
    while (done < want) {
      if (m_at >= total) {
        if (!loop || total == 0) break;
        m_at = 0;
      }
      const size_t n = std::min(want - done, total - m_at);
      std::memcpy(out + done, m_pcm->abuf + m_at * sizeof(float), n * sizeof(float));
      done += n;
      m_at += n;
    }
    return done / m_outputs;
  }

 private:
  std::shared_ptr<Mix_Chunk> m_pcm;
  size_t m_outputs;
  size_t m_at = 0;  // samples read
};

size_t readBytes(void* out, size_t size, size_t count, void* rw) {
  return SDL_RWread(static_cast<SDL_RWops*>(rw), out, size, count);
}
int seekBytes(void* rw, ogg_int64_t offset, int whence) {
  return SDL_RWseek(static_cast<SDL_RWops*>(rw), offset, whence) < 0 ? -1 : 0;
}
long tellBytes(void* rw) { return static_cast<long>(SDL_RWtell(static_cast<SDL_RWops*>(rw))); }

// Ogg Vorbis decoded a few packets at a time, as the mix needs them. The
// loop seeks back to the first frame and feeds the same converter, so the
// loop point joins without a gap.
class OggSource : public Source {
 public:
  // Decodes this many of the file's frames at most at once.
  static const int kPacketFrames = 1024;

  ~OggSource() override {
    if (m_open) ov_clear(&m_file);
    if (m_rw) SDL_RWclose(m_rw);
    if (m_stream) SDL_FreeAudioStream(m_stream);
  }

  // Reads the headers (no sound yet: cheap enough for the main thread).
  // False, with the mixer's error set, when the bytes are no Ogg Vorbis
  // or the device cannot take its channels.
  bool open(const std::shared_ptr<const std::string>& bytes, int outputs, int rate) {
    m_bytes = bytes;
    m_rw = SDL_RWFromConstMem(m_bytes->data(), static_cast<int>(m_bytes->size()));
    if (!m_rw) return false;
    ov_callbacks io{readBytes, seekBytes, nullptr, tellBytes};
    if (ov_open_callbacks(m_rw, &m_file, nullptr, 0, io) != 0) {
      Mix_SetError("not an Ogg Vorbis stream");
      return false;
    }
    m_open = true;
    const vorbis_info* info = ov_info(&m_file, -1);
    if (!info || info->channels < 1 || info->channels > 8 || info->rate < 1) {
      Mix_SetError("an Ogg Vorbis stream the device cannot take");
      return false;
    }
    m_channels = info->channels;
    m_stream = SDL_NewAudioStream(AUDIO_F32SYS, static_cast<Uint8>(m_channels), static_cast<int>(info->rate),
                                  AUDIO_F32SYS, static_cast<Uint8>(outputs), rate);
    m_frameBytes = static_cast<int>(sizeof(float)) * outputs;
    m_packet.assign(static_cast<size_t>(kPacketFrames * m_channels), 0.0f);
    return m_stream != nullptr;
  }

  size_t read(float* out, size_t frames, bool loop) override {
    const int want = static_cast<int>(frames) * m_frameBytes;
    int holes = 0;
    while (!m_drained && SDL_AudioStreamAvailable(m_stream) < want) {
      float** pcm = nullptr;
      int link = 0;
      const long n = ov_read_float(&m_file, &pcm, kPacketFrames, &link);
      if (n > 0) {
        put(pcm, static_cast<int>(n), link);
        m_sinceStart = true;
        continue;
      }
      if (n == OV_HOLE && ++holes < 8) continue;
      // The end, or damage past which nothing reads. A loop starts again,
      // unless a whole pass gave nothing.
      if (n == 0 && loop && m_sinceStart && ov_pcm_seek(&m_file, 0) == 0) {
        m_sinceStart = false;
        continue;
      }
      SDL_AudioStreamFlush(m_stream);
      m_drained = true;
    }
    const int got = SDL_AudioStreamGet(m_stream, out, want);
    return got > 0 ? static_cast<size_t>(got / m_frameBytes) : 0;
  }

 private:
  // Interleaves a packet into the converter. A chained file's later link
  // may have other channels: it is fitted to the first's.
  void put(float** pcm, int frames, int link) {
    const vorbis_info* info = ov_info(&m_file, link);
    const int channels = info ? info->channels : 0;
    if (channels < 1) return;
    for (int f = 0; f < frames; ++f)
      for (int c = 0; c < m_channels; ++c) m_packet[f * m_channels + c] = pcm[std::min(c, channels - 1)][f];
    SDL_AudioStreamPut(m_stream, m_packet.data(), frames * m_channels * static_cast<int>(sizeof(float)));
  }

  std::shared_ptr<const std::string> m_bytes;
  SDL_RWops* m_rw = nullptr;
  OggVorbis_File m_file;
  bool m_open = false;
  SDL_AudioStream* m_stream = nullptr;
  int m_channels = 0;  // the file's
  int m_frameBytes = 0;
  std::vector<float> m_packet;
  bool m_sinceStart = false;  // frames decoded since the first frame
  bool m_drained = false;
};

}  // namespace

// A piece, and for Ogg Vorbis the decoder its load opened, which its first
// play takes.
struct Music {
  Piece piece;
  std::unique_ptr<OggSource> opened;
};

namespace {
// --- voices ----------------------------------------------------------------

struct Voice {
  Piece piece;  // before the source, which reads its bytes
  std::unique_ptr<Source> source;
  bool loop = false;
  // The main thread's orders.
  std::atomic<bool> stopping{false};
  std::atomic<bool> paused{false};
  // Set by the audio thread as it hands the voice back: silent, or ended.
  std::atomic<bool> finished{false};
  // The audio thread's: the fade in and out, and the ramp to a pause.
  float envelope = 0;
  float pauseGain = 1;
};

// What the music hook and the main thread share; the hook's own state
// besides.
struct MusicMix {
  std::mutex lock;                // over the two lists only
  std::vector<Voice*> handedOver;  // made on the main thread, not yet mixed
  std::vector<Voice*> handedBack;  // let go of by the audio thread, to free
  std::atomic<float> volume{1};

  // The audio thread's.
  Voice* voices[kVoices] = {};
  float level = 1;  // the volume, ramped towards `volume`
  std::vector<float> mix, frames;

  // Set when the device opens.
  size_t outputs = 2;
  float inStep = 1, outStep = 1;  // a fade's change per frame
};

// Adds a block of the voice to the mix, faded; false when it has finished.
bool mixVoice(MusicMix& m, Voice& v, float* mix, size_t frames) {
  const bool stopping = v.stopping.load(std::memory_order_relaxed);
  const bool paused = v.paused.load(std::memory_order_relaxed);
  // Silent, whether faded out or paused, what is stopped has finished.
  if (stopping && (v.envelope <= 0 || v.pauseGain <= 0)) return false;
  // Paused and silent, it keeps its place: nothing is read.
  if (paused && v.pauseGain <= 0) return true;
  float* in = m.frames.data();
  const size_t got = v.source->read(in, frames, v.loop);
  const size_t outputs = m.outputs;
  for (size_t f = 0; f < got; ++f) {
    const float gain = v.envelope * v.pauseGain;
    for (size_t c = 0; c < outputs; ++c) mix[f * outputs + c] += in[f * outputs + c] * gain;
    v.envelope = stopping ? std::max(0.0f, v.envelope - m.outStep) : std::min(1.0f, v.envelope + m.inStep);
    v.pauseGain = paused ? std::max(0.0f, v.pauseGain - m.outStep) : std::min(1.0f, v.pauseGain + m.inStep);
  }
  return got == frames && !(stopping && (v.envelope <= 0 || v.pauseGain <= 0));
}

// Takes the voices the main thread started. With every place taken, the
// quietest voice (one fading out) gives way.
void takeVoices(MusicMix& m) {
  for (Voice* v : m.handedOver) {
    size_t at = 0;
    for (size_t i = 0; i < kVoices; ++i) {
      if (!m.voices[i]) {
        at = i;
        break;
      }
      if (m.voices[i]->envelope < m.voices[at]->envelope) at = i;
    }
    if (Voice* cut = m.voices[at]) {
      cut->finished.store(true);
      m.handedBack.push_back(cut);
    }
    m.voices[at] = v;
  }
  m.handedOver.clear();
}

// The mixer's music hook, on the audio thread: the voices into the buffer,
// which holds silence, at the music's volume.
void mixMusic(void* data, Uint8* stream, int bytes) {
  MusicMix& m = *static_cast<MusicMix*>(data);
  {
    std::lock_guard<std::mutex> hold(m.lock);
    takeVoices(m);
  }
  float* out = reinterpret_cast<float*>(stream);
  const size_t outputs = m.outputs;
  size_t left = static_cast<size_t>(std::max(bytes, 0)) / sizeof(float) / outputs;
  const float volume = m.volume.load(std::memory_order_relaxed);
  Voice* finished[kVoices];
  size_t nFinished = 0;
  while (left > 0) {
    const size_t frames = std::min(left, kBlockFrames);
    float* mix = m.mix.data();
    std::fill(mix, mix + frames * outputs, 0.0f);
    bool any = false;
    for (Voice*& v : m.voices) {
      if (!v) continue;
      any = true;
      if (mixVoice(m, *v, mix, frames)) continue;
      v->finished.store(true);
      finished[nFinished++] = v;
      v = nullptr;
    }
    if (!any) m.level = volume;
    for (size_t f = 0; f < frames; ++f) {
      m.level += std::min(m.outStep, std::max(-m.outStep, volume - m.level));
      for (size_t c = 0; c < outputs; ++c) out[f * outputs + c] += mix[f * outputs + c] * m.level;
    }
    out += frames * outputs;
    left -= frames;
  }
  if (nFinished == 0) return;
  std::lock_guard<std::mutex> hold(m.lock);
  m.handedBack.insert(m.handedBack.end(), finished, finished + nFinished);
}

// A channel's fade out: the main thread starts it, the audio thread counts
// it down.
struct Fade {
  std::atomic<int> out{-1};  // frames left; 0: silent, -1: none
};

struct Device {
  Limiter* limiter = nullptr;
  int outputs = 2;
  int rate = 44100;
  int fadeOut = 1;  // frames
  int channels = 0;
  std::unique_ptr<Fade[]> fades;
  std::vector<bool> faded;         // the fade effect is on the channel (main thread)
  std::vector<Mix_Chunk*> dying;   // freed when no channel plays them
  std::unique_ptr<MusicMix> mix;   // the music hook's
  std::vector<Voice*> voices;      // every voice made and not yet freed (main thread)
  Voice* music = nullptr;          // the voice of the piece playing
};
// Never destroyed: the sounds it keeps stay reachable until close() frees
// them, also in a process that ends without closing the device.
Device& s_device = *new Device();

bool playing(int ch) { return Mix_Playing(ch) != 0; }
bool fading(int ch) { return s_device.fades[ch].out.load(std::memory_order_relaxed) >= 0; }

// Runs on the audio thread, on a channel's samples before its volume.
void fadeChannel(int ch, void* stream, int bytes, void*) {
  Fade& fade = s_device.fades[ch];
  int out = fade.out.load(std::memory_order_relaxed);
  if (out < 0) return;
  float* samples = static_cast<float*>(stream);
  const size_t outputs = static_cast<size_t>(s_device.outputs);
  const size_t frames = static_cast<size_t>(std::max(bytes, 0)) / sizeof(float) / outputs;
  for (size_t f = 0; f < frames; ++f) {
    const float gain = static_cast<float>(out) / s_device.fadeOut;
    if (out > 0) --out;
    for (size_t c = 0; c < outputs; ++c) samples[f * outputs + c] *= gain;
  }
  fade.out.store(out, std::memory_order_relaxed);
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
void clearFade(int ch) {
  s_device.faded[ch] = false;
  s_device.fades[ch].out.store(-1);
}

void putFade(int ch) {
  if (s_device.faded[ch]) return;
  s_device.faded[ch] = Mix_RegisterEffect(ch, fadeChannel, nullptr, nullptr) != 0;
}

// Fades the channel out; it stops when silent (`sweep`). A paused one is
// silent already.
void fadeOut(int ch) {
  if (!playing(ch) || fading(ch)) return;
  if (Mix_Paused(ch)) {
    Mix_HaltChannel(ch);
    return;
  }
  s_device.fades[ch].out.store(s_device.fadeOut);
  putFade(ch);
  if (!s_device.faded[ch]) Mix_HaltChannel(ch);
}

// Frees the voices the audio thread handed back.
void sweepVoices() {
  Device& d = s_device;
  if (!d.mix) return;
  std::vector<Voice*> back;
  back.reserve(2 * kVoices);
  {
    std::lock_guard<std::mutex> hold(d.mix->lock);
    back.assign(d.mix->handedBack.begin(), d.mix->handedBack.end());
    d.mix->handedBack.clear();
  }
  for (Voice* v : back) {
    if (v == d.music) d.music = nullptr;
    auto at = std::find(d.voices.begin(), d.voices.end(), v);
    if (at != d.voices.end()) d.voices.erase(at);
    delete v;
  }
}

// Stops the channels whose fade has ended, frees the sounds no channel
// plays any longer and the voices that are silent.
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
  sweepVoices();
}

// Frees the sound once no channel plays it (a chunk must not be freed while
// one does).
void retire(Mix_Chunk* chunk) {
  s_device.dying.push_back(chunk);
  sweep();
}

// Every channel, or the one given.
template <typename F>
void forChannels(int channel, F f) {
  if (channel >= 0) {
    if (channel < s_device.channels) f(channel);
    return;
  }
  for (int ch = 0; ch < s_device.channels; ++ch) f(ch);
}

// Starts a voice of the piece, to be mixed from the next buffer on; from
// the decoder given, when there is one.
bool startVoice(const Piece& piece, std::unique_ptr<OggSource> opened, bool loop, bool paused) {
  Device& d = s_device;
  std::unique_ptr<Voice> v(new Voice());
  v->piece = piece;
  v->loop = loop;
  v->paused.store(paused);
  v->pauseGain = paused ? 0.0f : 1.0f;
  if (opened) {
    v->source = std::move(opened);
  } else if (piece.ogg) {
    std::unique_ptr<OggSource> ogg(new OggSource());
    if (!ogg->open(piece.ogg, d.outputs, d.rate)) return false;
    v->source = std::move(ogg);
  } else {
    v->source.reset(new PcmSource(piece.pcm, d.outputs));
  }
  d.music = v.get();
  d.voices.push_back(v.get());
  std::lock_guard<std::mutex> hold(d.mix->lock);
  d.mix->handedOver.push_back(v.release());
  return true;
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
  // The format is as asked (only the rate and the channel count may
  // differ): the fades, the music and the limiter take the mix in floats.
  int rate = 0, outputs = 0;
  Uint16 format = 0;
  if (Mix_OpenAudio(44100, AUDIO_F32SYS, 2, 2048) != 0 || Mix_QuerySpec(&rate, &format, &outputs) == 0 ||
      format != AUDIO_F32SYS || outputs < 1 || rate < 1) {
    why = std::string("cannot open the audio device (") + Mix_GetError() + ")";
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Device& d = s_device;
  d.channels = Mix_AllocateChannels(channels);
  d.fades.reset(new Fade[d.channels]);
  d.faded.assign(d.channels, false);
  d.outputs = outputs;
  d.rate = rate;
  d.fadeOut = std::max(1, static_cast<int>(kFadeOutSeconds * rate));
  d.limiter = new Limiter(outputs, rate);
  Mix_SetPostMix(limitMix, d.limiter);
  d.mix.reset(new MusicMix());
  MusicMix& m = *d.mix;
  m.outputs = static_cast<size_t>(outputs);
  m.inStep = 1.0f / std::max(1, static_cast<int>(kFadeInSeconds * rate));
  m.outStep = 1.0f / d.fadeOut;
  m.mix.assign(kBlockFrames * m.outputs, 0.0f);
  m.frames.assign(kBlockFrames * m.outputs, 0.0f);
  // Room for every voice to come back at once, without growing on the
  // audio thread.
  m.handedBack.reserve(2 * kVoices);
  Mix_HookMusic(mixMusic, &m);
  return true;
}

void close() {
  Device& d = s_device;
  Mix_HaltChannel(-1);
  // Past these the audio thread reads nothing of ours.
  Mix_HookMusic(nullptr, nullptr);
  Mix_SetPostMix(nullptr, nullptr);
  for (Voice* v : d.voices) delete v;
  for (Mix_Chunk* chunk : d.dying) Mix_FreeChunk(chunk);
  Mix_CloseAudio();
  delete d.limiter;
  d = Device();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

const char* lastError() { return Mix_GetError(); }

// --- music ------------------------------------------------------------------

// An Ogg Vorbis file is kept as it is, to be decoded as it plays; anything
// else is decoded whole.
Music* loadMusic(const std::string& path) {
  size_t size = 0;
  void* data = SDL_LoadFile(path.c_str(), &size);
  if (!data) return nullptr;
  std::unique_ptr<Music> music(new Music());
  Piece& piece = music->piece;
  piece.ogg = std::make_shared<const std::string>(static_cast<const char*>(data), size);
  SDL_free(data);
  music->opened.reset(new OggSource());
  if (music->opened->open(piece.ogg, s_device.outputs, s_device.rate)) return music.release();
  music->opened.reset();
  SDL_RWops* rw = SDL_RWFromConstMem(piece.ogg->data(), static_cast<int>(size));
  Mix_Chunk* pcm = rw ? Mix_LoadWAV_RW(rw, 1) : nullptr;
  if (!pcm) return nullptr;
  piece.ogg.reset();
  piece.pcm.reset(pcm, Mix_FreeChunk);
  return music.release();
}

void freeMusic(Music* music) {
  if (!music) return;
  for (Voice* v : s_device.voices)
    if (v->piece.id() == music->piece.id()) v->stopping.store(true);
  if (s_device.music && s_device.music->piece.id() == music->piece.id()) s_device.music = nullptr;
  delete music;
  sweep();
}

bool playMusic(Music* music, bool loop) {
  if (!music) return false;
  stopMusic();
  return startVoice(music->piece, std::move(music->opened), loop, false);
}

void stopMusic() {
  sweep();
  if (s_device.music) s_device.music->stopping.store(true);
  s_device.music = nullptr;
}

void pauseMusic() {
  if (s_device.music) s_device.music->paused.store(true);
}

void resumeMusic() {
  if (s_device.music) s_device.music->paused.store(false);
}

// The piece starts again from its beginning, paused if it was; what
// played fades out.
void rewindMusic() {
  Voice* v = s_device.music;
  if (!v || v->finished.load()) return;
  const Piece piece = v->piece;
  const bool loop = v->loop, paused = v->paused.load();
  stopMusic();
  startVoice(piece, nullptr, loop, paused);
}

bool isMusicPlaying() {
  const Voice* v = s_device.music;
  return v && !v->finished.load() && !v->paused.load();
}

// Every voice ramps to it.
void setMusicVolume(float volume) {
  if (s_device.mix) s_device.mix->volume.store(std::min(std::max(volume, 0.0f), 1.0f));
}

// --- effects ----------------------------------------------------------------

Sound* loadSound(const std::string& path) {
  Mix_Chunk* mix = Mix_LoadWAV(path.c_str());
  return mix ? new Sound{mix} : nullptr;
}

void freeSound(Sound* sound) {
  if (!sound) return;
  forChannels(-1, [sound](int ch) {
    if (playing(ch) && Mix_GetChunk(ch) == sound->mix) fadeOut(ch);
  });
  retire(sound->mix);
  delete sound;
}

int playSound(Sound* sound, bool loop) {
  if (!sound) return -1;
  sweep();
  const int ch = Mix_PlayChannel(-1, sound->mix, loop ? -1 : 0);
  if (ch >= 0) clearFade(ch);
  return ch;
}

// What fades out has stopped for the callers.
bool isChannelPlaying(int channel) {
  return channel >= 0 && channel < s_device.channels && playing(channel) && !fading(channel);
}

void setChannelVolume(int channel, float volume) {
  forChannels(channel, [volume](int ch) {
    if (!fading(ch)) Mix_Volume(ch, toMixVolume(volume));
  });
}

void pauseChannel(int channel) {
  forChannels(channel, [](int ch) {
    if (!fading(ch)) Mix_Pause(ch);
  });
}

void resumeChannel(int channel) {
  forChannels(channel, [](int ch) {
    if (!fading(ch)) Mix_Resume(ch);
  });
}

void stopChannel(int channel) {
  sweep();
  forChannels(channel, fadeOut);
}

int playingChannelCount() {
  sweep();
  int n = 0;
  forChannels(-1, [&n](int ch) { n += isChannelPlaying(ch) ? 1 : 0; });
  return n;
}

}  // namespace audio
}  // namespace backend
}  // namespace kest
