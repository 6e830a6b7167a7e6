// OxBattle bull rules: type and arrangement of random hands, and the banker
// against an area as the record strip compares them.
#include "games/OxBattle/CardRules.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <random>
#include <vector>

namespace {

using OxHand = std::array<uint8_t, 5>;

std::vector<OxHand> OxHands(size_t count)
{
    std::vector<uint8_t> deck = {0x41, 0x42};
    for (int colour = 0; colour < 4; ++colour)
        for (int value = 1; value <= 13; ++value)
            deck.push_back(static_cast<uint8_t>(colour << 4 | value));
    std::mt19937 rng(104);
    std::vector<OxHand> hands;
    while (hands.size() < count) {
        std::shuffle(deck.begin(), deck.end(), rng);
        for (size_t i = 0; i + 5 <= 25 && hands.size() < count; i += 5) // five hands a deal
            hands.push_back({deck[i], deck[i + 1], deck[i + 2], deck[i + 3], deck[i + 4]});
    }
    return hands;
}

void BM_OxGetCardType(benchmark::State& state)
{
    const std::vector<OxHand> hands = OxHands(4096);
    OxHand arranged{};
    size_t i = 0;
    for (auto _ : state) {
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
    for (auto _ : state) {
        benchmark::DoNotOptimize(OxBattle::CompareCard(hands[i].data(), 5, hands[i + 1].data(), 5, &multiplier));
        i = (i + 2) & 4095;
    }
}
BENCHMARK(BM_OxCompareCard);

} // namespace
