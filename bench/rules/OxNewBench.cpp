// Bull rules on random five-card hands: the type, and the arrangement that
// the board asks for when a hand is opened (OxNew, and OxTB with jokers).
#include "games/OxNew/GameLogic.h"
#include "games/OxTB/GameLogic.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <random>
#include <vector>

namespace {

using Hand = std::array<uint8_t, 5>;

std::vector<Hand> RandomHands(bool jokers)
{
    std::vector<uint8_t> deck;
    if (jokers)
        deck = {0x4E, 0x4F};
    for (int colour = 0; colour < 4; ++colour)
        for (int value = 1; value <= 13; ++value)
            deck.push_back(static_cast<uint8_t>(colour << 4 | value));
    std::mt19937 rng(8104);
    std::vector<Hand> hands(4096);
    for (Hand& hand : hands) {
        std::shuffle(deck.begin(), deck.end(), rng);
        std::copy(deck.begin(), deck.begin() + 5, hand.begin());
    }
    return hands;
}

void BM_OxNewCardType(benchmark::State& state)
{
    const std::vector<Hand> hands = RandomHands(false);
    OxNew::CGameLogic logic;
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(logic.GetCardType(hands[i].data(), 5));
        i = (i + 1) & 4095;
    }
}
BENCHMARK(BM_OxNewCardType);

void BM_OxNewArrangeBullCards(benchmark::State& state)
{
    const std::vector<Hand> hands = RandomHands(false);
    OxNew::CGameLogic logic;
    size_t i = 0;
    for (auto _ : state) {
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
    for (auto _ : state) {
        Hand hand = hands[i];
        benchmark::DoNotOptimize(logic.GetCardType(hand.data(), 5));
        benchmark::DoNotOptimize(hand);
        i = (i + 1) & 4095;
    }
}
BENCHMARK(BM_OxTBCardType);

} // namespace
