// The sound generator's building blocks: a seeded random source, filters, a
// small reverb and the notes the recipes are made of. Internal to soundgen.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "tools/soundgen/Synth.h"

namespace soundgen {

constexpr float kPi = 3.14159265358979f;

inline size_t Samples(float seconds) { return static_cast<size_t>(std::max(0.0f, seconds) * kRate + 0.5f); }
inline float MidiHz(float note) { return 440.0f * std::pow(2.0f, (note - 69.0f) / 12.0f); }

// xorshift64*: small, fast and the same everywhere.
class Rng {
 public:
  explicit Rng(uint64_t seed) : m_state(seed ? seed : 0x9E3779B97F4A7C15ull) {}
  uint64_t Next() {
    m_state ^= m_state >> 12;
    m_state ^= m_state << 25;
    m_state ^= m_state >> 27;
    return m_state * 2685821657736338717ull;
  }
  float Uniform() { return static_cast<float>(Next() >> 40) / static_cast<float>(1 << 24); }  // [0, 1)
  float Range(float a, float b) { return a + (b - a) * Uniform(); }
  float Noise() { return Uniform() * 2.0f - 1.0f; }
  int Below(int n) { return n > 0 ? static_cast<int>(Next() % static_cast<uint64_t>(n)) : 0; }

 private:
  uint64_t m_state;
};

// A biquad section (RBJ's cookbook), direct form I.
class Biquad {
 public:
  enum class Type { LowPass, HighPass, BandPass };
  Biquad(Type type, float hz, float q) { Set(type, hz, q); }
  void Set(Type type, float hz, float q) {
    hz = std::min(std::max(hz, 10.0f), kRate * 0.45f);
    const float w = 2 * kPi * hz / kRate, c = std::cos(w), alpha = std::sin(w) / (2 * q);
    float b0, b1, b2;
    switch (type) {
      case Type::LowPass: b0 = (1 - c) / 2, b1 = 1 - c, b2 = (1 - c) / 2; break;
      case Type::HighPass: b0 = (1 + c) / 2, b1 = -(1 + c), b2 = (1 + c) / 2; break;
      default: b0 = alpha, b1 = 0, b2 = -alpha; break;
    }
    const float a0 = 1 + alpha;
    m_b0 = b0 / a0, m_b1 = b1 / a0, m_b2 = b2 / a0, m_a1 = -2 * c / a0, m_a2 = (1 - alpha) / a0;
  }
  float Process(float x) {
    const float y = m_b0 * x + m_b1 * m_x1 + m_b2 * m_x2 - m_a1 * m_y1 - m_a2 * m_y2;
    m_x2 = m_x1, m_x1 = x, m_y2 = m_y1, m_y1 = y;
    return y;
  }

 private:
  float m_b0 = 1, m_b1 = 0, m_b2 = 0, m_a1 = 0, m_a2 = 0;
  float m_x1 = 0, m_x2 = 0, m_y1 = 0, m_y2 = 0;
};

// Adds `note` into `out` from sample `at`; with `wrap` what passes the end
// comes in again at the start (a loop's notes ring on into its beginning),
// otherwise `out` grows to take it.
inline void MixInto(Pcm& out, const Pcm& note, size_t at, float gain = 1.0f, bool wrap = false) {
  if (wrap) {
    if (out.empty()) return;
    for (size_t i = 0; i < note.size(); ++i) out[(at + i) % out.size()] += gain * note[i];
    return;
  }
  if (out.size() < at + note.size()) out.resize(at + note.size(), 0.0f);
  for (size_t i = 0; i < note.size(); ++i) out[at + i] += gain * note[i];
}

// A plucked string (Karplus-Strong): a burst of noise going round a delay
// line one period long, softened a little every time round. `bright` 0..1
// shapes the first burst.
inline Pcm Pluck(float hz, float seconds, Rng& rng, float bright = 0.6f, float loss = 0.996f) {
  const int period = std::max(2, static_cast<int>(kRate / hz + 0.5f));
  std::vector<float> line(period);
  float smooth = 0;
  for (float& v : line) {
    smooth += (rng.Noise() - smooth) * (0.15f + 0.85f * bright);
    v = smooth;
  }
  Pcm out(Samples(seconds));
  size_t at = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const size_t next = (at + 1) % line.size();
    out[i] = line[at];
    line[at] = loss * 0.5f * (line[at] + line[next]);
    at = next;
  }
  FadeEnds(out, 0, static_cast<int>(std::min<size_t>(out.size() / 4, Samples(0.03f))));
  return out;
}

// A sine with harmonics (amplitudes of 1x, 2x, 3x ...), an attack and an
// exponential decay with time constant `decay` seconds (0: held, then
// released over `release`).
inline Pcm Tone(float hz, float seconds, const std::vector<float>& harmonics, float attack, float decay,
                float release = 0.05f, float vibrato = 0.0f) {
  Pcm out(Samples(seconds));
  const size_t a = std::max<size_t>(1, Samples(attack)), r = std::max<size_t>(1, Samples(release));
  double phase = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const float t = static_cast<float>(i) / kRate;
    const float f = hz * (1.0f + vibrato * std::sin(2 * kPi * 5.5f * t));
    phase += 2 * kPi * f / kRate;
    float v = 0;
    for (size_t h = 0; h < harmonics.size(); ++h)
      if (hz * (h + 1) < kRate * 0.45f) v += harmonics[h] * static_cast<float>(std::sin(phase * (h + 1)));
    float env = i < a ? static_cast<float>(i) / a : 1.0f;
    if (decay > 0) env *= std::exp(-t / decay);
    if (i + r > out.size()) env *= static_cast<float>(out.size() - i) / r;
    out[i] = v * env;
  }
  return out;
}

// A struck bell: frequency modulation whose depth dies away with the sound.
inline Pcm Bell(float hz, float seconds, float decay = 0.6f, float ratio = 3.5f) {
  Pcm out(Samples(seconds));
  for (size_t i = 0; i < out.size(); ++i) {
    const float t = static_cast<float>(i) / kRate;
    const float env = std::exp(-t / decay);
    const float index = 1.4f * std::exp(-t / (decay * 0.3f));
    out[i] = env * std::sin(2 * kPi * hz * t + index * std::sin(2 * kPi * hz * ratio * t));
  }
  FadeEnds(out, Samples(0.002f), Samples(0.02f));
  return out;
}

// Filtered noise with a quick attack and an exponential decay.
inline Pcm NoiseHit(float seconds, Biquad::Type type, float hz, float q, float decay, Rng& rng, float attack = 0.001f) {
  Pcm out(Samples(seconds));
  Biquad filter(type, hz, q);
  const size_t a = std::max<size_t>(1, Samples(attack));
  for (size_t i = 0; i < out.size(); ++i) {
    const float t = static_cast<float>(i) / kRate;
    const float env = (i < a ? static_cast<float>(i) / a : 1.0f) * std::exp(-t / decay);
    out[i] = filter.Process(rng.Noise()) * env;
  }
  return out;
}

// A drum-like thump: a sine gliding from `fromHz` to `toHz`, dying away.
inline Pcm Thump(float fromHz, float toHz, float seconds, float decay) {
  Pcm out(Samples(seconds));
  double phase = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const float t = static_cast<float>(i) / kRate;
    const float f = toHz + (fromHz - toHz) * std::exp(-t / (seconds * 0.3f));
    phase += 2 * kPi * f / kRate;
    out[i] = static_cast<float>(std::sin(phase)) * std::exp(-t / decay);
  }
  FadeEnds(out, Samples(0.001f), Samples(0.01f));
  return out;
}

// A small room (four damped combs and two all-passes, after Schroeder and
// Moorer). `loop`: the input is a loop, so the tail of its end is heard at
// its start, as when it plays round.
inline void Reverb(Pcm& pcm, float wet, bool loop) {
  if (pcm.empty() || wet <= 0) return;
  struct Comb {
    std::vector<float> line;
    size_t at = 0;
    float store = 0;
  };
  struct AllPass {
    std::vector<float> line;
    size_t at = 0;
  };
  Comb combs[4];
  const size_t combLengths[4] = {558, 594, 638, 678};
  for (int c = 0; c < 4; ++c) combs[c].line.assign(combLengths[c], 0.0f);
  AllPass passes[2];
  passes[0].line.assign(278, 0.0f);
  passes[1].line.assign(220, 0.0f);
  const size_t n = pcm.size();
  const size_t rounds = loop ? 2 : 1;
  if (!loop) pcm.resize(n + Samples(1.2f), 0.0f);
  Pcm out(pcm.size());
  for (size_t r = 0; r < rounds; ++r) {
    for (size_t i = 0; i < pcm.size(); ++i) {
      const float in = pcm[i] * 0.25f;
      float sum = 0;
      for (Comb& c : combs) {
        const float y = c.line[c.at];
        c.store = y * 0.8f + c.store * 0.2f;
        c.line[c.at] = in + c.store * 0.82f;
        c.at = (c.at + 1) % c.line.size();
        sum += y;
      }
      for (AllPass& p : passes) {
        const float y = p.line[p.at];
        p.line[p.at] = sum + y * 0.5f;
        p.at = (p.at + 1) % p.line.size();
        sum = y - sum;
      }
      if (r + 1 == rounds) out[i] = pcm[i] + wet * sum;
    }
  }
  pcm.swap(out);
  if (!loop) TrimSilence(pcm, 0.0005f, false);
}

}  // namespace soundgen
