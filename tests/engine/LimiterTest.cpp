// The limiter on the whole mix: what meets over full scale comes out under
// the ceiling, turned down smoothly and let back up; what is under it
// passes untouched, only later.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "engine/backend/Limiter.h"

using kest::backend::audio::Limiter;

namespace {

const int kRate = 44100;

// Stereo frames of a sine on both channels.
std::vector<float> Sine(float hz, float amplitude, size_t frames, float phase = 0) {
  std::vector<float> out(frames * 2);
  for (size_t f = 0; f < frames; ++f)
    out[2 * f] = out[2 * f + 1] = amplitude * std::sin(6.2831853f * hz * f / kRate + phase);
  return out;
}

std::vector<float> Sum(const std::vector<float>& a, const std::vector<float>& b) {
  std::vector<float> out(a);
  for (size_t i = 0; i < out.size() && i < b.size(); ++i) out[i] += b[i];
  return out;
}

float Peak(const std::vector<float>& v, size_t from = 0) {
  float top = 0;
  for (size_t i = from; i < v.size(); ++i) top = std::max(top, std::fabs(v[i]));
  return top;
}

}  // namespace

TEST(Limiter, WhatIsUnderTheCeilingPassesUnchangedOnlyLater) {
  Limiter limiter(2, kRate);
  const std::vector<float> in = Sine(440, 0.8f, 4096);
  std::vector<float> out = in;
  limiter.process(out.data(), 4096);
  const size_t lag = limiter.latency();
  EXPECT_GT(lag, 0u);
  EXPECT_LT(lag, static_cast<size_t>(kRate / 200));  // under 5 ms
  for (size_t f = 0; f < lag; ++f) EXPECT_EQ(out[2 * f], 0.0f);
  for (size_t i = 2 * lag; i < out.size(); ++i) ASSERT_EQ(out[i], in[i - 2 * lag]) << i;
  EXPECT_EQ(limiter.gain(), 1.0f);
}

// Sounds that meet: two near-full-scale tones, then a burst of eight chips
// at once on top (+10 dBFS): nothing passes the ceiling, whatever the size
// of the pieces the device asks for.
TEST(Limiter, NoSampleOfWhatMeetsPassesTheCeiling) {
  std::vector<float> mix = Sum(Sine(220, 0.89f, kRate), Sine(330, 0.89f, kRate, 1.0f));
  for (size_t f = kRate / 2; f < kRate / 2 + 400; ++f) mix[2 * f] += 3.2f * std::sin(0.7f * f), mix[2 * f + 1] -= 2.0f;
  for (size_t piece : {1, 7, 512, 2048}) {
    Limiter limiter(2, kRate);
    std::vector<float> out = mix;
    for (size_t at = 0; at < kRate; at += piece) limiter.process(out.data() + 2 * at, std::min(piece, kRate - at));
    EXPECT_LE(Peak(out), Limiter::kCeiling) << piece;
    EXPECT_GT(Peak(out), 0.8f) << piece;  // turned down to the ceiling, not far under it
    // By the gain: the clamp behind it never had to act.
    EXPECT_EQ(limiter.clamped(), 0u) << piece;
  }
}

// The gain turns down over the look-ahead, not in a step, and comes back
// over the release: a click would be crackle of its own. The burst's first
// sample comes out already turned down by the gain, to the ceiling: the
// clamp behind the gain never acts.
TEST(Limiter, TheGainMovesSmoothlyAndComesBack) {
  Limiter limiter(2, kRate);
  std::vector<float> in = Sine(440, 0.5f, kRate);
  for (size_t f = 10000; f < 10010; ++f) in[2 * f] = in[2 * f + 1] = 4.0f;  // needs a gain of 0.22
  const size_t window = limiter.latency() + 1;
  float last = 1, least = 1, steepest = 0;
  std::vector<float> gains;
  for (size_t f = 0; f < static_cast<size_t>(kRate); ++f) {
    limiter.process(&in[2 * f], 1);
    steepest = std::max(steepest, std::fabs(limiter.gain() - last));
    least = std::min(least, limiter.gain());
    last = limiter.gain();
    gains.push_back(last);
  }
  size_t first = 0;
  while (first < gains.size() && std::fabs(in[2 * first]) < 0.6f) ++first;
  EXPECT_LE(gains[first], Limiter::kCeiling / 4.0f + 1e-4f);
  EXPECT_EQ(limiter.clamped(), 0u);
  EXPECT_NEAR(least, Limiter::kCeiling / 4.0f, 0.01f);
  EXPECT_LE(steepest, (1 - least) / window + 1e-4f);
  // It starts back once the burst has left the look-ahead, and makes about
  // 1 - 1/e of the way within the release (0.1 s), not at once.
  const size_t back = 10010 + window, release = kRate / 10;
  EXPECT_GT(1 - gains[back + release / 10], 0.85f * (1 - least));
  EXPECT_LT(1 - gains[back + release + window], (1 - least) / 2.6f);
  // Half a second later it is back within 0.1 dB.
  EXPECT_LT(gains[10000 + kRate / 4], 0.989f);
  EXPECT_GT(gains[10000 + kRate / 2], 0.989f);
  EXPECT_GT(gains.back(), 0.999f);
}

// A peak on one side turns both down alike, so the sound keeps its place;
// a sample that is not a number is silence, not noise for ever after.
TEST(Limiter, BothSidesGoTogetherAndNonNumbersAreSilence) {
  Limiter limiter(2, kRate);
  std::vector<float> in(2 * 2048, 0.5f);
  in[2 * 1000] = 2.0f;
  in[2 * 1500 + 1] = std::numeric_limits<float>::quiet_NaN();
  in[2 * 1600] = std::numeric_limits<float>::infinity();
  std::vector<float> out = in;
  limiter.process(out.data(), 2048);
  const size_t lag = limiter.latency();
  for (size_t f = lag; f < 2048; ++f) {
    ASSERT_TRUE(std::isfinite(out[2 * f]) && std::isfinite(out[2 * f + 1])) << f;
    if (f - lag != 1000 && f - lag != 1500 && f - lag != 1600) {
      EXPECT_FLOAT_EQ(out[2 * f], out[2 * f + 1]) << f;
    }
  }
  EXPECT_EQ(out[2 * (1500 + lag) + 1], 0.0f);
  EXPECT_EQ(out[2 * (1600 + lag)], 0.0f);
  EXPECT_LE(Peak(out), Limiter::kCeiling);
  EXPECT_EQ(limiter.clamped(), 0u);
}
