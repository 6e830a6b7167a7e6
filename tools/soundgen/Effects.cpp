// The effects: chips, coins and cards, clocks and buttons, the short
// phrases of a round's start and end, and the table's noises.
#include <cmath>
#include <cstdlib>

#include "tools/soundgen/Dsp.h"
#include "tools/soundgen/Synth.h"

namespace soundgen {
namespace {

using Type = Biquad::Type;

// One chip landing on the felt: a ceramic clack and its ring.
Pcm Clack(Rng& rng, float loudness) {
  Pcm out = NoiseHit(0.012f, Type::BandPass, rng.Range(3000, 4500), 3.0f, 0.004f, rng);
  const float hz = rng.Range(2300, 2900);
  MixInto(out, Tone(hz, 0.06f, {1.0f}, 0.0005f, 0.012f), 0, 0.35f);
  MixInto(out, Tone(hz * 2.31f, 0.05f, {1.0f}, 0.0005f, 0.008f), 0, 0.2f);
  for (float& v : out) v *= loudness;
  return out;
}

Pcm Chips(const Sound& s, Rng& rng) {
  int count = 3;
  if (!s.param.empty()) count = std::atoi(s.param.c_str());
  Pcm out;
  float at = 0;
  for (int i = 0; i < count; ++i) {
    // The last one settles loudest; a big stack lands faster.
    MixInto(out, Clack(rng, i + 1 == count ? 1.0f : rng.Range(0.45f, 0.8f)), Samples(at));
    at += (count > 6 ? 0.022f : 0.038f) + rng.Range(0.0f, 0.02f);
  }
  out.resize(out.size() + Samples(0.05f), 0.0f);
  return out;
}

Pcm Coins(Rng& rng) {
  Pcm out;
  for (int i = 0; i < 5; ++i) {
    const float hz = rng.Range(2900, 4100);
    Pcm ping = Tone(hz, 0.35f, {1.0f}, 0.0005f, 0.09f);
    MixInto(ping, Tone(hz * 2.76f, 0.2f, {1.0f}, 0.0005f, 0.04f), 0, 0.35f);
    MixInto(ping, NoiseHit(0.01f, Type::HighPass, 3000, 0.7f, 0.003f, rng), 0, 0.5f);
    MixInto(out, ping, Samples(i * 0.055f + rng.Range(0, 0.02f)), rng.Range(0.5f, 0.9f));
  }
  return out;
}

// A card sliding off the deck: noise whose colour rises as it flies.
Pcm Deal(Rng& rng) {
  Pcm out(Samples(0.16f));
  Biquad band(Type::BandPass, 1200, 1.2f);
  for (size_t i = 0; i < out.size(); ++i) {
    const float t = static_cast<float>(i) / out.size();
    band.Set(Type::BandPass, 1200 + 3000 * t, 1.2f);
    const float env = std::min(1.0f, t * 8) * (1 - t) * (1 - t);
    out[i] = band.Process(rng.Noise()) * env * 1.6f;
  }
  MixInto(out, NoiseHit(0.02f, Type::LowPass, 900, 0.7f, 0.004f, rng), Samples(0.13f), 0.6f);
  return out;
}

Pcm Flip(Rng& rng) {
  Pcm out = NoiseHit(0.05f, Type::HighPass, 1500, 0.7f, 0.006f, rng);
  MixInto(out, Thump(220, 120, 0.08f, 0.02f), 0, 0.5f);
  MixInto(out, NoiseHit(0.03f, Type::BandPass, 2500, 1.5f, 0.005f, rng), Samples(0.035f), 0.5f);
  return out;
}

// A riffle: many small snaps, quicker towards the end, then the bridge.
Pcm Shuffle(Rng& rng) {
  Pcm out;
  float at = 0;
  for (int i = 0; i < 26; ++i) {
    MixInto(out, NoiseHit(0.012f, Type::BandPass, rng.Range(2500, 4500), 2.0f, 0.003f, rng), Samples(at),
            rng.Range(0.4f, 0.9f));
    at += 0.03f - i * 0.0007f;
  }
  Pcm bridge(Samples(0.25f));
  Biquad band(Type::BandPass, 1800, 0.8f);
  for (size_t i = 0; i < bridge.size(); ++i) {
    const float t = static_cast<float>(i) / bridge.size();
    bridge[i] = band.Process(rng.Noise()) * std::sin(kPi * t) * 0.7f;
  }
  MixInto(out, bridge, Samples(at));
  return out;
}

// A woodblock: the clock's tick.
Pcm Tick(Rng& rng) {
  Pcm out = Tone(1250, 0.09f, {1.0f, 0.0f, 0.3f}, 0.0005f, 0.018f);
  MixInto(out, Tone(2900, 0.05f, {1.0f}, 0.0005f, 0.008f), 0, 0.3f);
  MixInto(out, NoiseHit(0.004f, Type::HighPass, 2000, 0.7f, 0.001f, rng), 0, 0.4f);
  return out;
}

// Hurry: two bright beeps, each let go over a release that has died away
// before the next (and before the sound ends); or one short strike of an
// alarm bell, for a warning that starts again every frame and so rings
// like the bell.
Pcm Warn(const Sound& s) {
  Pcm out;
  if (s.param == "strike") {
    out = Bell(1760, 0.05f, 0.03f, 1.41f);
    MixInto(out, Bell(2350, 0.05f, 0.025f, 1.41f), 0, 0.6f);
    return out;
  }
  for (int i = 0; i < 2; ++i)
    MixInto(out, Tone(1320, 0.16f, {1.0f, 0.0f, 0.33f, 0.0f, 0.2f}, 0.005f, 0, 0.06f), Samples(i * 0.2f));
  return out;
}

Pcm Click(Rng& rng) {
  Pcm out = Thump(2200, 1000, 0.04f, 0.006f);
  MixInto(out, NoiseHit(0.006f, Type::HighPass, 3000, 0.7f, 0.0015f, rng), 0, 0.5f);
  return out;
}

// Notes of a phrase: (semitones from the key, start, length) and a voice.
struct Note {
  float step, at, length;
};

Pcm Phrase(const std::vector<Note>& notes, float key, int voice, Rng& rng) {
  Pcm out;
  for (const Note& n : notes) {
    const float hz = MidiHz(key + n.step);
    Pcm note;
    switch (voice) {
      case 0:  // bell over a pluck: bright
        note = Bell(hz, n.length + 0.6f, 0.25f + n.length * 0.5f);
        MixInto(note, Pluck(hz, n.length + 0.5f, rng, 0.7f), 0, 0.7f);
        break;
      case 1:  // soft round tone: sad
        note = Tone(hz, n.length + 0.3f, {1.0f, 0.35f, 0.1f}, 0.03f, 0, 0.25f, 0.004f);
        break;
      default:  // brass: a stack of harmonics
        note = Tone(hz, n.length + 0.1f, {1.0f, 0.6f, 0.45f, 0.3f, 0.2f, 0.12f}, 0.025f, 0, 0.08f, 0.003f);
        break;
    }
    MixInto(out, note, Samples(n.at), 0.5f);
  }
  return out;
}

Pcm Jingle(const Sound& s, Rng& rng) {
  const float key = 72 + static_cast<float>(rng.Below(5)) - 2;
  Pcm out;
  if (s.param == "win") {
    out = Phrase({{0, 0, 0.1f}, {4, 0.1f, 0.1f}, {7, 0.2f, 0.1f}, {12, 0.3f, 0.5f}, {4, 0.42f, 0.8f},
                  {7, 0.42f, 0.8f}, {16, 0.42f, 0.8f}},
                 key, 0, rng);
  } else if (s.param == "lose") {
    out = Phrase({{7, 0, 0.22f}, {5, 0.24f, 0.22f}, {3, 0.48f, 0.22f}, {0, 0.72f, 0.7f}}, key - 12, 1, rng);
  } else if (s.param == "draw") {
    out = Phrase({{7, 0, 0.2f}, {0, 0.22f, 0.6f}}, key - 5, 0, rng);
  } else if (s.param == "start") {
    out = Phrase({{0, 0.05f, 0.09f}, {2, 0.14f, 0.09f}, {7, 0.23f, 0.5f}}, key, 0, rng);
    MixInto(out, Thump(160, 70, 0.5f, 0.15f), 0, 0.6f);
    MixInto(out, Tick(rng), 0, 0.4f);
  } else if (s.param == "end") {
    out = Phrase({{7, 0, 0.12f}, {4, 0.13f, 0.12f}, {2, 0.26f, 0.12f}, {0, 0.39f, 0.6f}}, key, 0, rng);
  } else {  // finish: a fanfare over a roll
    out = Phrase({{-5, 0, 0.1f}, {0, 0.12f, 0.1f}, {4, 0.24f, 0.1f}, {7, 0.36f, 0.25f}, {4, 0.64f, 0.12f},
                  {7, 0.78f, 0.9f}, {12, 0.78f, 0.9f}},
                 key - 12, 2, rng);
    for (int i = 0; i < 14; ++i)
      MixInto(out, NoiseHit(0.05f, Type::BandPass, 1800, 0.9f, 0.02f, rng), Samples(i * 0.05f), 0.18f + i * 0.01f);
  }
  Reverb(out, 0.3f, false);
  return out;
}

// A gong: inharmonic partials, the low ones ringing longest.
Pcm Gong(Rng& rng) {
  const float base = rng.Range(100, 130);
  const float ratios[] = {1.0f, 1.52f, 2.0f, 2.48f, 3.1f, 4.2f, 5.4f};
  Pcm out;
  for (size_t i = 0; i < sizeof(ratios) / sizeof(ratios[0]); ++i)
    MixInto(out, Tone(base * ratios[i], 2.0f, {1.0f}, 0.004f, 1.1f / (1 + i * 0.5f), 0.3f, 0.002f), 0,
            0.5f / (1 + i * 0.3f));
  MixInto(out, NoiseHit(0.05f, Type::LowPass, 800, 0.7f, 0.015f, rng), 0, 0.6f);
  Reverb(out, 0.25f, false);
  return out;
}

// A crowd: many voices shouting "ah" and "yeah", each a buzz through two
// vowel formants with its pitch rising, over a bed of breath and claps.
Pcm Cheer(Rng& rng) {
  const float seconds = 1.6f;
  Pcm out(Samples(seconds));
  static const float kVowels[][2] = {{750, 1200}, {550, 1800}, {650, 1050}, {450, 2000}};
  for (int v = 0; v < 18; ++v) {
    const float* vowel = kVowels[rng.Below(4)];
    Biquad first(Type::BandPass, vowel[0] * rng.Range(0.9f, 1.1f), 4.0f);
    Biquad second(Type::BandPass, vowel[1] * rng.Range(0.9f, 1.1f), 5.0f);
    const float start = rng.Range(0, 0.35f), length = rng.Range(0.5f, seconds - start);
    const float pitch = rng.Range(170, 330), rise = rng.Range(1.05f, 1.35f), rate = rng.Range(4.5f, 6.5f);
    float phase = 0;
    for (size_t i = Samples(start); i < std::min(out.size(), Samples(start + length)); ++i) {
      const float t = (static_cast<float>(i) / kRate - start) / length;
      const float hz = pitch * (1 + (rise - 1) * std::min(1.0f, t * 3)) * (1 + 0.02f * std::sin(2 * kPi * rate * t));
      phase += hz / kRate;
      phase -= std::floor(phase);
      const float buzz = 2 * phase - 1 + 0.15f * rng.Noise();
      const float env = std::sin(kPi * t) * std::sin(kPi * t);
      out[i] += (first.Process(buzz) + 0.6f * second.Process(buzz)) * env * 0.6f;
    }
  }
  Biquad breath(Type::BandPass, 1400, 0.7f);
  for (size_t i = 0; i < out.size(); ++i)
    out[i] += breath.Process(rng.Noise()) * 0.06f * std::sin(kPi * static_cast<float>(i) / out.size());
  for (int c = 0; c < 30; ++c)
    MixInto(out, NoiseHit(0.03f, Type::BandPass, rng.Range(1200, 2200), 1.2f, 0.008f, rng),
            Samples(rng.Range(0, seconds - 0.3f)), rng.Range(0.15f, 0.35f));
  FadeEnds(out, Samples(0.08f), Samples(0.5f));
  return out;
}

Pcm Bomb(Rng& rng) {
  Pcm out(Samples(1.4f));
  Biquad low(Type::LowPass, 3000, 0.8f);
  for (size_t i = 0; i < out.size(); ++i) {
    const float t = static_cast<float>(i) / kRate;
    low.Set(Type::LowPass, 200 + 2800 * std::exp(-t / 0.12f), 0.8f);
    out[i] = low.Process(rng.Noise()) * std::exp(-t / 0.35f) * 1.5f;
  }
  MixInto(out, Thump(95, 32, 0.9f, 0.3f), 0, 0.9f);
  for (int c = 0; c < 12; ++c)
    MixInto(out, NoiseHit(0.02f, Type::HighPass, 1500, 0.7f, 0.004f, rng), Samples(rng.Range(0.05f, 0.7f)),
            rng.Range(0.05f, 0.2f));
  for (float& v : out) v = std::tanh(v * 1.5f);
  return out;
}

// A camera: the shutter, then the mirror coming back.
Pcm Shutter(Rng& rng) {
  Pcm out = NoiseHit(0.02f, Type::HighPass, 2500, 0.7f, 0.003f, rng);
  MixInto(out, Thump(420, 300, 0.06f, 0.015f), Samples(0.07f), 0.6f);
  MixInto(out, NoiseHit(0.03f, Type::BandPass, 1500, 1.0f, 0.008f, rng), Samples(0.07f), 0.7f);
  return out;
}

}  // namespace

uint64_t Hash(std::string_view text, uint64_t seed) {
  uint64_t h = seed;
  for (unsigned char c : text) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

Pcm MakeEffect(const Sound& s) {
  Rng rng(Hash(s.name));
  Pcm out;
  switch (s.kind) {
    case Kind::Chips: out = Chips(s, rng); break;
    case Kind::Coins: out = Coins(rng); break;
    case Kind::Deal: out = Deal(rng); break;
    case Kind::Flip: out = Flip(rng); break;
    case Kind::Shuffle: out = Shuffle(rng); break;
    case Kind::Tick: out = Tick(rng); break;
    case Kind::Warn: out = Warn(s); break;
    case Kind::Click: out = Click(rng); break;
    case Kind::Jingle: out = Jingle(s, rng); break;
    case Kind::Gong: out = Gong(rng); break;
    case Kind::Cheer: out = Cheer(rng); break;
    case Kind::Bomb: out = Bomb(rng); break;
    case Kind::Shutter: out = Shutter(rng); break;
    default: return out;
  }
  return out;
}

Pcm MakeChime(std::string_view text, bool female) {
  Rng rng(Hash(text));
  static const float kSteps[] = {0, 2, 4, 7, 9, 12, 14};
  const float key = female ? 79 : 67;
  return Phrase({{kSteps[rng.Below(7)], 0, 0.12f}, {kSteps[rng.Below(7)], 0.14f, 0.25f}}, key, 0, rng);
}

void TrimSilence(Pcm& pcm, float threshold, bool leading) {
  size_t end = pcm.size();
  while (end > 0 && std::fabs(pcm[end - 1]) < threshold) --end;
  size_t begin = 0;
  if (leading)
    while (begin < end && std::fabs(pcm[begin]) < threshold) ++begin;
  pcm = Pcm(pcm.begin() + begin, pcm.begin() + end);
}

void FadeEnds(Pcm& pcm, int fadeIn, int fadeOut) {
  const size_t n = pcm.size();
  for (size_t i = 0; i < static_cast<size_t>(std::max(fadeIn, 0)) && i < n; ++i)
    pcm[i] *= static_cast<float>(i) / fadeIn;
  for (size_t i = 0; i < static_cast<size_t>(std::max(fadeOut, 0)) && i < n; ++i)
    pcm[n - 1 - i] *= static_cast<float>(i) / fadeOut;
}

}  // namespace soundgen
