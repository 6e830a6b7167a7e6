// The limiter on a second of the mix at a time (44.1 kHz stereo, in the
// device's buffers of 2048 frames): silence, as a waiting table hands it,
// a mix under the ceiling, and one it turns down all the time. A second of
// real time taking t seconds here costs t x 100 % of a core.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "engine/backend/Limiter.h"

namespace {

using kest::backend::audio::Limiter;

constexpr int kRate = 44100;
constexpr size_t kBuffer = 2048;

void RunSecond(benchmark::State& state, float amplitude) {
  std::vector<float> second(2 * kRate);
  for (size_t f = 0; f < static_cast<size_t>(kRate); ++f)
    second[2 * f] = second[2 * f + 1] = amplitude * std::sin(6.2831853f * 440 * f / kRate);
  Limiter limiter(2, kRate);
  std::vector<float> buffer(2 * kBuffer);
  for (auto _ : state) {
    for (size_t at = 0; at + kBuffer <= static_cast<size_t>(kRate); at += kBuffer) {
      std::copy(second.begin() + 2 * at, second.begin() + 2 * (at + kBuffer), buffer.begin());
      limiter.process(buffer.data(), kBuffer);
    }
    benchmark::DoNotOptimize(buffer.data());
  }
  state.SetItemsProcessed(state.iterations() * kRate);
}

void BM_LimiterSilence(benchmark::State& state) { RunSecond(state, 0.0f); }
void BM_LimiterUnderTheCeiling(benchmark::State& state) { RunSecond(state, 0.5f); }
void BM_LimiterTurningDown(benchmark::State& state) { RunSecond(state, 2.0f); }

BENCHMARK(BM_LimiterSilence)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LimiterUnderTheCeiling)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LimiterTurningDown)->Unit(benchmark::kMicrosecond);

}  // namespace
