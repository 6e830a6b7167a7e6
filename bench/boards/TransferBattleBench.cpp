// The four-beast wheel at its busiest: the light runs round the sixteen
// points, each lit point fading, while late bets keep changing the areas'
// totals; at the stop the flash, the beast, the two end dials and the
// banners play over the wheel. One iteration is one frame from the run's
// start: "update" times the scheduler step, "draw" drawing and presenting
// the frame until the renderer has finished it.
#include <benchmark/benchmark.h>

#include "BoardBench.h"
#include "cocos2d.h"
#include "games/TransferBattle/NNBoard.h"

using namespace cocos2d;
using namespace TransferBattle;

namespace {

BetPlacedMessage BetOf(int n)
{
    BetPlacedMessage bet = {};
    bet.wChairID = static_cast<uint16_t>(10 + n % 40);
    bet.cbArea = static_cast<uint8_t>(1 + n % AREA_COUNT);
    bet.lAmount = NNBoard::kChipValues[(n * 3) % NNBoard::kChipButtons];
    return bet;
}

NNBoard* BuildScene()
{
    NNBoard* board = boardbench::StageBoard<NNBoard>(
        {"TransferBattle/NewUi_1/NewUi0.plist", "TransferBattle/images/jieshudongwu.plist",
         "TransferBattle/baihu/bai1hu.plist", "TransferBattle/qinglong/qing1long.plist",
         "TransferBattle/xuanwu/xuan1wu.plist", "TransferBattle/zhuque/zhu1que.plist"});

    board->OnGameFree(FreeMessage{5});
    RoundStartMessage start = {};
    start.wBankerUser = 1;
    start.lBankerScore = 500000000;
    start.lUserMaxScore = 20000000;
    start.cbTimeLeave = 20;
    board->OnGameStart(start);
    for (int i = 0; i < 120; ++i)
        board->OnPlaceBet(BetOf(i));
    for (uint8_t record = 1; record <= 16; ++record)
        board->OnRecord(record);
    RoundEndMessage end = {};
    end.cbTimeLeave = 30;
    // Slot 13 stops on the vermilion bird (point 12): the longest beast run.
    end.cbWinSlot = 13;
    board->OnGameEnd(end);
    return board;
}

void RunWheel(benchmark::State& state, bool measureDraw)
{
    NNBoard* board = BuildScene();
    int frame = 0;
    boardbench::TimeFrames(state, measureDraw, boardbench::kMedian | boardbench::kP90, [&] {
        if (frame % 5 == 0)
            board->OnPlaceBet(BetOf(frame));
        ++frame;
    });
    CCDirector::sharedDirector()->reset();
}

void BM_TransferBattleWheelUpdate(benchmark::State& state) { RunWheel(state, false); }
void BM_TransferBattleWheelDraw(benchmark::State& state) { RunWheel(state, true); }

}  // namespace

// 600 frames: the whole run (about 8 s) and the stop's animations after it.
BENCHMARK(BM_TransferBattleWheelUpdate)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(600)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_TransferBattleWheelDraw)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(600)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
