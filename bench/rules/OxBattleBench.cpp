// OxBattle bull rules: type and arrangement of random hands, and the banker
// against an area as the record strip compares them.
#include "games/OxBattle/CardRules.h"

#include <benchmark/benchmark.h>

#include "bench/rules/Deals.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

using OxHand = std::array<uint8_t, 5>;

std::vector<OxHand> OxHands(size_t count)
{
    const std::vector<uint8_t> cards = bench::Deals(count * 5, 25, 104, {0x41, 0x42});  // five hands a deal
    std::vector<OxHand> hands(count);
    for (size_t i = 0; i < count; ++i)
        std::copy(&cards[i * 5], &cards[i * 5] + 5, hands[i].begin());
    return hands;
}

void BM_OxGetCardType(benchmark::State& state)
{
    const std::vector<OxHand> hands = OxHands(4096);
    OxHand arranged{};
    size_t i = 0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(OxBattle::GetCardType(hands[i].data(), 5, arranged.data()));
        benchmark::DoNotOptimize(arranged);
        i = (i + 1) & 4095;
    }
}
BENCHMARK(BM_OxGetCardType);

void BM_OxCompareCard(benchmark::State& state)
{
    const std::vector<OxHand> hands = OxHands(4096);
    uint8_t multiplier = 0;
    size_t i = 0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(OxBattle::CompareCard(hands[i].data(), 5, hands[i + 1].data(), 5, &multiplier));
        i = (i + 2) & 4095;
    }
}
BENCHMARK(BM_OxCompareCard);

}  // namespace
