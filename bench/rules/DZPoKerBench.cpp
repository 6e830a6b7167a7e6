// Hold'em hand rules: classification of random five-card hands and the
// winners among six seats.
#include "games/DZPoKer/DZPoKerGameLogic.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

using DZPoKer::DZPoKerCGameLogic;

// Deals count hands of five from one shuffled deck at a time, each in hand
// order (descending value).
std::vector<uint8_t> DealHands(size_t count, size_t perDeck, std::mt19937& rng)
{
    std::vector<uint8_t> deck;
    for (uint8_t colour = 0; colour < 4; ++colour)
        for (uint8_t face = 1; face <= 13; ++face)
            deck.push_back(static_cast<uint8_t>(colour << 4 | face));
    std::vector<uint8_t> hands;
    for (size_t h = 0; h < count; ++h)
    {
        if (h % perDeck == 0)
            std::shuffle(deck.begin(), deck.end(), rng);
        auto first = deck.begin() + (h % perDeck) * 5;
        std::vector<uint8_t> hand(first, first + 5);
        std::sort(hand.begin(), hand.end(), [](uint8_t a, uint8_t b) {
            return DZPoKerCGameLogic::GetCardLogicValue(a) > DZPoKerCGameLogic::GetCardLogicValue(b);
        });
        hands.insert(hands.end(), hand.begin(), hand.end());
    }
    return hands;
}

void BM_DZPoKerClassify(benchmark::State& state)
{
    std::mt19937 rng(350);
    const size_t count = 4096;
    const std::vector<uint8_t> hands = DealHands(count, 10, rng);
    const DZPoKerCGameLogic logic;
    size_t i = 0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(logic.GetCardType(&hands[(i++ & (count - 1)) * 5], 5));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DZPoKerClassify);

void BM_DZPoKerSelectWinners(benchmark::State& state)
{
    std::mt19937 rng(351);
    const size_t tables = 1024;
    const std::vector<uint8_t> hands = DealHands(tables * 6, 6, rng);
    const DZPoKerCGameLogic logic;
    DZPoKer::WinnerList winners;
    size_t i = 0;
    for (auto _ : state)
    {
        const auto* rows = reinterpret_cast<const uint8_t(*)[5]>(&hands[(i++ & (tables - 1)) * 30]);
        benchmark::DoNotOptimize(logic.SelectWinners(rows, winners));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DZPoKerSelectWinners);

}  // namespace
