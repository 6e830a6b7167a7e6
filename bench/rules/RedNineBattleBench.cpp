// RedNineBattle hand values as the board shows them: level, then type or points.
#include "games/RedNineBattle/CardRules.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

void BM_RedNineHandImage(benchmark::State& state)
{
    std::vector<uint8_t> deck;
    for (int colour = 0; colour < 4; ++colour)
        for (int value = 1; value <= 13; ++value)
            deck.push_back(static_cast<uint8_t>(colour << 4 | value));
    std::mt19937 rng(106);
    std::vector<uint8_t> cards;
    while (cards.size() < 8192) {
        std::shuffle(deck.begin(), deck.end(), rng);
        cards.insert(cards.end(), deck.begin(), deck.begin() + 8); // four hands a deal
    }
    size_t i = 0;
    for (auto _ : state) {
        const uint8_t* hand = &cards[i];
        const uint8_t image = RedNineBattle::GetCardLevel(hand, 2) >= 2 ? RedNineBattle::GetCardType(hand, 2)
                                                                          : RedNineBattle::GetHandPoint(hand, 2);
        benchmark::DoNotOptimize(image);
        i = (i + 2) & 8191;
    }
}
BENCHMARK(BM_RedNineHandImage);

} // namespace
