// RedNineBattle hand values as the board shows them: level, then type or points.
#include "games/RedNineBattle/CardRules.h"

#include <benchmark/benchmark.h>

#include "bench/rules/Deals.h"

namespace {

void BM_RedNineHandImage(benchmark::State& state)
{
    const std::vector<uint8_t> cards = bench::Deals(8192, 8, 106);  // four hands a deal
    size_t i = 0;
    for (auto _ : state)
    {
        const uint8_t* hand = &cards[i];
        const uint8_t image = RedNineBattle::GetCardLevel(hand, 2) >= 2 ? RedNineBattle::GetCardType(hand, 2)
                                                                        : RedNineBattle::GetHandPoint(hand, 2);
        benchmark::DoNotOptimize(image);
        i = (i + 2) & 8191;
    }
}
BENCHMARK(BM_RedNineHandImage);

}  // namespace
