// Landlord hint search: random 20-card hands against random plays on the
// table (and leads).
#include "games/Land/GameLogic.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

struct HintCase
{
    uint8_t hand[Land::MAX_COUNT];
    uint8_t turn[Land::MAX_COUNT];
    uint8_t turnCount;
};

std::vector<HintCase> MakeCases(bool leadOnly)
{
    const Land::CGameLogic logic;
    std::mt19937 rng(2024);
    std::vector<uint8_t> deck;
    for (uint8_t colour = 0; colour < 4; ++colour)
        for (uint8_t face = 1; face <= 13; ++face)
            deck.push_back(static_cast<uint8_t>(colour << 4 | face));
    deck.push_back(Land::SMALL_JOKER);
    deck.push_back(Land::BIG_JOKER);

    std::vector<HintCase> cases(1024);
    for (HintCase& c : cases)
    {
        std::shuffle(deck.begin(), deck.end(), rng);
        std::copy(deck.begin(), deck.begin() + 20, c.hand);
        c.turnCount = 0;
        if (leadOnly)
            continue;
        // The play on the table: one of the leads another player's hand offers.
        Land::CardSearchResult leads;
        logic.FindHints(deck.data() + 20, 17, nullptr, 0, &leads);
        if (leads.rowCount == 0)
            continue;
        const uint8_t row = static_cast<uint8_t>(rng() % leads.rowCount);
        c.turnCount = leads.rowLength[row];
        std::copy(leads.rows[row], leads.rows[row] + c.turnCount, c.turn);
        logic.SortCards(c.turn, c.turnCount, 1);
    }
    return cases;
}

void RunHints(benchmark::State& state, const std::vector<HintCase>& cases)
{
    const Land::CGameLogic logic;
    Land::CardSearchResult result;
    size_t i = 0;
    for (auto _ : state)
    {
        const HintCase& c = cases[i++ & (cases.size() - 1)];
        benchmark::DoNotOptimize(logic.FindHints(c.hand, 20, c.turn, c.turnCount, &result));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_LandFindHints(benchmark::State& state)
{
    static const std::vector<HintCase> cases = MakeCases(false);
    RunHints(state, cases);
}
BENCHMARK(BM_LandFindHints);

void BM_LandFindHintsLead(benchmark::State& state)
{
    static const std::vector<HintCase> cases = MakeCases(true);
    RunHints(state, cases);
}
BENCHMARK(BM_LandFindHintsLead);

}  // namespace
