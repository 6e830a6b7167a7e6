// Bull rules on random five-card hands: the type, and the arrangement that
// the board asks for when a hand is opened (OxNew, and OxTB with jokers).
#include "games/BullTable/BullRules.h"
#include "games/OxTB/GameLogic.h"

#include <benchmark/benchmark.h>

#include "bench/rules/Deals.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {

using Hand = std::array<uint8_t, 5>;

std::vector<Hand> RandomHands(bool jokers)
{
    const std::vector<uint8_t> cards =
        jokers ? bench::Deals(4096 * 5, 5, 8104, {0x4E, 0x4F}) : bench::Deals(4096 * 5, 5, 8104);
    std::vector<Hand> hands(4096);
    for (size_t i = 0; i < hands.size(); ++i)
        std::copy(&cards[i * 5], &cards[i * 5] + 5, hands[i].begin());
    return hands;
}

void BM_OxNewCardType(benchmark::State& state)
{
    const std::vector<Hand> hands = RandomHands(false);
    Bull::CGameLogic logic;
    size_t i = 0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(logic.GetCardType(hands[i].data(), 5));
        i = (i + 1) & 4095;
    }
}
BENCHMARK(BM_OxNewCardType);

void BM_OxNewArrangeBullCards(benchmark::State& state)
{
    const std::vector<Hand> hands = RandomHands(false);
    Bull::CGameLogic logic;
    size_t i = 0;
    for (auto _ : state)
    {
        Hand hand = hands[i];
        benchmark::DoNotOptimize(logic.ArrangeBullCards(hand.data(), 5));
        benchmark::DoNotOptimize(hand);
        i = (i + 1) & 4095;
    }
}
BENCHMARK(BM_OxNewArrangeBullCards);

// OxTB types by sorting and rewriting the hand in place: type and arrangement at once.
void BM_OxTBCardType(benchmark::State& state)
{
    const std::vector<Hand> hands = RandomHands(true);
    OxTB::CGameLogic logic;
    size_t i = 0;
    for (auto _ : state)
    {
        Hand hand = hands[i];
        benchmark::DoNotOptimize(logic.GetCardType(hand.data(), 5));
        benchmark::DoNotOptimize(hand);
        i = (i + 1) & 4095;
    }
}
BENCHMARK(BM_OxTBCardType);

}  // namespace
