// NineXiaoBattle hand values as the board shows them: pair, else points.
#include "games/NineXiaoBattle/CardRules.h"

#include <benchmark/benchmark.h>

#include "bench/rules/Deals.h"

namespace {

void BM_NineXiaoHandImage(benchmark::State& state)
{
    const std::vector<uint8_t> cards = bench::Deals(8192, 8, 110);  // four hands a deal
    size_t i = 0;
    for (auto _ : state)
    {
        const uint8_t* hand = &cards[i];
        const uint8_t image = NineXiaoBattle::GetCardType(hand, 2) == NineXiaoBattle::CARD_TYPE_PAIR
                                  ? 119
                                  : NineXiaoBattle::GetHandPoint(hand, 2);
        benchmark::DoNotOptimize(image);
        i = (i + 2) & 8191;
    }
}
BENCHMARK(BM_NineXiaoHandImage);

}  // namespace
