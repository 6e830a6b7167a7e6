// Baccarat result roads over a shoe of 80 rounds: each round classified from
// its cards, added to the record, and the three derived roads rebuilt.
#include "games/BaccaratNew/GameLogic.h"
#include "games/BaccaratNew/Record.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

struct Round
{
    uint8_t player[3];
    uint8_t playerCount;
    uint8_t banker[3];
    uint8_t bankerCount;
};

// Eight decks dealt by the usual third-card rule.
std::vector<Round> Shoe(size_t rounds)
{
    using BaccaratNew::CGameLogic;
    std::vector<uint8_t> cards;
    for (int deck = 0; deck < 8; ++deck)
        for (int colour = 0; colour < 4; ++colour)
            for (int value = 1; value <= 13; ++value)
                cards.push_back(static_cast<uint8_t>(colour << 4 | value));
    std::mt19937 rng(9105);
    std::shuffle(cards.begin(), cards.end(), rng);
    size_t next = 0;
    std::vector<Round> shoe(rounds);
    for (Round& r : shoe)
    {
        r.player[0] = cards[next++];
        r.banker[0] = cards[next++];
        r.player[1] = cards[next++];
        r.banker[1] = cards[next++];
        r.playerCount = r.bankerCount = 2;
        int p = CGameLogic::GetHandPoint(r.player, 2), b = CGameLogic::GetHandPoint(r.banker, 2);
        if (p >= 8 || b >= 8)
            continue;
        int third = -1;
        if (p <= 5)
        {
            r.player[r.playerCount++] = cards[next++];
            third = CGameLogic::GetCardPoint(r.player[2]);
        }
        bool bankerDraws = third < 0 ? b <= 5
                                     : b <= 2 || (b == 3 && third != 8) || (b == 4 && third >= 2 && third <= 7) ||
                                           (b == 5 && third >= 4 && third <= 7) || (b == 6 && third >= 6 && third <= 7);
        if (bankerDraws)
            r.banker[r.bankerCount++] = cards[next++];
    }
    return shoe;
}

void BM_BaccaratRoadsShoeOf80(benchmark::State& state)
{
    using BaccaratNew::CGameLogic;
    const std::vector<Round> shoe = Shoe(80);
    BaccaratNew::CRecord record;
    for (auto _ : state)
    {
        record.Clear();
        for (const Round& r : shoe)
        {
            auto result = CGameLogic::ClassifyRound(r.player, r.playerCount, r.banker, r.bankerCount);
            uint8_t code = result.cbPlayerPoint > result.cbBankerPoint   ? BaccaratNew::CRecord::RESULT_XIAN
                           : result.cbPlayerPoint < result.cbBankerPoint ? BaccaratNew::CRecord::RESULT_ZHUANG
                                                                         : BaccaratNew::CRecord::RESULT_PING;
            record.AddResult(code);
        }
        benchmark::DoNotOptimize(record.GetRoadCell(0, 0, 0));
    }
    state.SetItemsProcessed(state.iterations() * 80);
}
BENCHMARK(BM_BaccaratRoadsShoeOf80);

}  // namespace
