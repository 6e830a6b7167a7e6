#include "tools/soundgen/Level.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

namespace soundgen {
namespace {

constexpr double kTau = 6.283185307179586;

// One biquad section of the weighting, in double precision at any rate.
struct Section {
  double b0, b1, b2, a1, a2;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  double Process(double x) {
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1, x1 = x, y2 = y1, y1 = y;
    return y;
  }
  // Its power gain at the frequency.
  double PowerAt(double hz, int rate) const {
    const std::complex<double> z = std::polar(1.0, -kTau * hz / rate);
    return std::norm((b0 + b1 * z + b2 * z * z) / (1.0 + a1 * z + a2 * z * z));
  }
};

// RBJ's high shelf: the presence band counts a little more.
Section HighShelf(double hz, double gainDb, double q, int rate) {
  const double a = std::pow(10.0, gainDb / 40), w = kTau * hz / rate, c = std::cos(w);
  const double alpha = std::sin(w) / (2 * q), root = 2 * std::sqrt(a) * alpha;
  const double a0 = (a + 1) - (a - 1) * c + root;
  return {a * ((a + 1) + (a - 1) * c + root) / a0, -2 * a * ((a - 1) + (a + 1) * c) / a0,
          a * ((a + 1) + (a - 1) * c - root) / a0, 2 * ((a - 1) - (a + 1) * c) / a0,
          ((a + 1) - (a - 1) * c - root) / a0};
}

// RBJ's high pass: the lowest frequencies count less.
Section HighPass(double hz, double q, int rate) {
  const double w = kTau * hz / rate, c = std::cos(w), alpha = std::sin(w) / (2 * q), a0 = 1 + alpha;
  return {(1 + c) / 2 / a0, -(1 + c) / a0, (1 + c) / 2 / a0, -2 * c / a0, (1 - alpha) / a0};
}

float ToDb(double power) { return power > 1e-12 ? static_cast<float>(10 * std::log10(power)) : kSilentDb; }

// Loudness (dB, before the ceiling) and peak ceiling (dBFS, decoded) of
// each family. Voices and warnings meet at one loudness: a warning is
// heard over a voice, not above it. Effects sit 3 dB under them; the music
// plays under everything (at the volume 0.5 most tables give it, 6 dB
// lower still). The ceilings leave room for the sounds that meet: a voice
// over a tick, chips on a deal, all over the music.
struct FamilyLevel {
  Family family;
  const char* name;
  LevelTarget target;
};
constexpr FamilyLevel kLevels[] = {
    {Family::Voice, "voices", {-20.0f, -3.0f}},
    {Family::Warning, "warnings", {-20.0f, -8.0f}},
    {Family::Effect, "effects", {-23.0f, -4.0f}},
    {Family::Music, "music", {-28.0f, -10.0f}},
};

}  // namespace

Family FamilyOf(const Sound& s) {
  switch (s.kind) {
    case Kind::Voice: return Family::Voice;
    case Kind::Warn:
    case Kind::Tick: return Family::Warning;
    case Kind::Music: return Family::Music;
    default: return Family::Effect;
  }
}

const char* FamilyName(Family family) {
  for (const FamilyLevel& l : kLevels)
    if (l.family == family) return l.name;
  return "?";
}

float LoudnessDb(const float* samples, size_t count, int rate) {
  if (count == 0 || rate <= 0) return kSilentDb;
  Section shelf = HighShelf(1681.97, 4.0, 0.7072, rate), pass = HighPass(38.14, 0.5003, rate);
  std::vector<double> weighted(count);
  for (size_t i = 0; i < count; ++i) weighted[i] = pass.Process(shelf.Process(samples[i]));
  const size_t block = std::max<size_t>(1, static_cast<size_t>(rate / 50)), hop = std::max<size_t>(1, block / 2);
  std::vector<double> powers;
  // A sound shorter than a block is one block of its own length.
  for (size_t at = 0; at == 0 || at + block <= count; at += hop) {
    const size_t end = std::min(count, at + block);
    double sum = 0;
    for (size_t i = at; i < end; ++i) sum += weighted[i] * weighted[i];
    powers.push_back(sum / static_cast<double>(end - at));
  }
  auto meanAbove = [&](double gate) {
    double sum = 0;
    size_t n = 0;
    for (double p : powers)
      if (p > gate) sum += p, ++n;
    return n ? sum / static_cast<double>(n) : 0.0;
  };
  const double audible = meanAbove(1e-7);  // -70 dB
  if (audible <= 0) return kSilentDb;
  // Less the weighting's gain at 1 kHz, so a sine there reads its power.
  return ToDb(meanAbove(audible * 0.1) / (shelf.PowerAt(1000, rate) * pass.PowerAt(1000, rate)));
}

float PeakDb(const Pcm& pcm) {
  float top = 0;
  for (float v : pcm) top = std::max(top, std::fabs(v));
  return top > 0 ? 20 * std::log10(top) : kSilentDb;
}

LevelTarget TargetOf(const Sound& s) {
  LevelTarget target{};
  const Family family = FamilyOf(s);
  for (const FamilyLevel& l : kLevels)
    if (l.family == family) target = l.target;
  // Its copies ring together: they, not one, make the warning's loudness
  // (their power adds) and must stay under the ceiling (their peaks may).
  if (s.kind == Kind::Warn && s.param == "strike") {
    target.loudnessDb -= 10 * std::log10(static_cast<float>(kStrikeCopies));
    target.peakDb -= 20 * std::log10(static_cast<float>(kStrikeCopies));
  }
  return target;
}

float LevelTo(Pcm& pcm, const LevelTarget& target) {
  const float loudness = LoudnessDb(pcm), peak = PeakDb(pcm);
  if (loudness <= kSilentDb || peak <= kSilentDb) return 1.0f;
  const float gainDb = std::min(target.loudnessDb - loudness, target.peakDb - peak);
  const float gain = std::pow(10.0f, gainDb / 20);
  for (float& v : pcm) v *= gain;
  return gain;
}

}  // namespace soundgen
