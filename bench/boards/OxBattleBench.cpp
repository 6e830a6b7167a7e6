// Bull with dice at its busiest: the dice roll and the 25 cards show one
// every 0.4 s while late bets keep coming in and their chips fly from the
// chip row to the areas (the flight is the benchmark's; the board lays the
// chips). One iteration is one frame from the deal's start: "update" times
// the scheduler step, "draw" drawing and presenting the frame until the
// renderer has finished it.
#include <benchmark/benchmark.h>

#include <cstring>

#include "BoardBench.h"
#include "cocos2d.h"
#include "games/OxBattle/OXBoard.h"

using namespace cocos2d;
using namespace OxBattle;

namespace {

const uint8_t kCards[HAND_COUNT][CARDS_PER_HAND] = {
    {0x37, 0x28, 0x15, 0x02, 0x39}, {0x2D, 0x1C, 0x0B, 0x3A, 0x2A}, {0x09, 0x18, 0x26, 0x34, 0x21},
    {0x13, 0x27, 0x3D, 0x06, 0x12}, {0x41, 0x1A, 0x2B, 0x03, 0x14},
};

// Bets of other players: one every three frames, chips of every value.
class Bettor
{
public:
    explicit Bettor(OXBoard* board) : m_pBoard(board) {}
    void Bet()
    {
        BetPlacedMessage bet = {};
        bet.wChairID = static_cast<uint16_t>(10 + m_nCount % 40);
        bet.cbArea = static_cast<uint8_t>(1 + m_nCount % AREA_COUNT);
        bet.lAmount = OXBoard::kChipValues[(m_nCount * 3) % OXBoard::kChipButtons];
        ++m_nCount;
        m_pBoard->ShowBetPlaced(bet);
        if (m_pBoard->GetTableChips().empty())
            return;
        cocos2d::ui::Widget* chip = m_pBoard->GetTableChips().back();
        const CCPoint to = chip->getPosition();
        chip->setPosition(CCPoint(290 + 64.0f * (m_nCount % OXBoard::kChipButtons), 168));
        chip->runAction(CCEaseOut::create(CCMoveTo::create(0.5f, to), 2.0f));
    }

private:
    OXBoard* m_pBoard;
    int m_nCount = 0;
};

OXBoard* BuildScene()
{
    OXBoard* board = boardbench::StageBoard<OXBoard>({"OxBattle/IngameUI_1/IngameUI0.plist", "OxBattle/dice/dice.plist",
                                                      "ClientGame/Cards.plist", "OxBattle/OxNumber/OxNumber.plist"});
    CCDirector* director = CCDirector::sharedDirector();

    board->OnGameFree(FreeMessage{5});
    RoundStartMessage start = {};
    start.wBankerUser = 1;
    start.lBankerScore = 500000000;
    start.lUserMaxScore = 20000000;
    start.cbTimeLeave = 20;
    board->OnRoundStart(start);
    Bettor bettor(board);
    for (int i = 0; i < 120; ++i)
        bettor.Bet();
    RoundEndMessage end = {};
    end.cbTimeLeave = 25;
    std::memcpy(end.cbTableCards, kCards, sizeof(kCards));
    end.cbDice[0] = 3;
    end.cbDice[1] = 5;
    board->OnRoundEnd(end);
    // Up to the first card; the dice are still rolling for the first second.
    director->stepFrames(239);
    return board;
}

void RunDeal(benchmark::State& state, bool measureDraw)
{
    OXBoard* board = BuildScene();
    Bettor bettor(board);
    int frame = 0;
    boardbench::TimeFrames(state, measureDraw, boardbench::kNoCounters, [&] {
        if (frame++ % 3 == 0)
            bettor.Bet();
    });
    CCDirector::sharedDirector()->reset();
}

void BM_OxBattleDealUpdate(benchmark::State& state) { RunDeal(state, false); }
void BM_OxBattleDealDraw(benchmark::State& state) { RunDeal(state, true); }

}  // namespace

// 600 frames: the whole deal, from the first card to the last and on.
BENCHMARK(BM_OxBattleDealUpdate)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(600)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_OxBattleDealDraw)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(600)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
