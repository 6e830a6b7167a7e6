// The car-brand table at its busiest: the car's run of three laps and more
// round the track, the badges lighting behind it, over a table whose eight
// areas hold full piles of chips (the cap of each). One iteration is one
// frame of the run: "update" times the scheduler step, "draw" drawing and
// presenting the frame until the renderer has finished it.
#include <benchmark/benchmark.h>

#include "BoardBench.h"
#include "cocos2d.h"
#include "games/BumperCarBattle/NNBoard.h"

using namespace cocos2d;
using namespace BumperCarBattle;

namespace {

NNBoard* BuildScene()
{
    NNBoard* board = boardbench::StageBoard<NNBoard>();
    CCDirector* director = CCDirector::sharedDirector();

    board->OnGameFree(FreeMessage{5});
    RoundStartMessage start = {};
    start.wBankerUser = 1;
    start.cbTimeLeave = 20;
    board->OnGameStart(start);
    // Bets of every chip on every area until each pile is full.
    for (int i = 0; i < 8 * static_cast<int>(NNBoard::kMostChipsPerArea); ++i)
    {
        BetPlacedMessage bet = {};
        bet.wChairID = static_cast<uint16_t>(10 + i % 40);
        bet.cbArea = static_cast<uint8_t>(1 + i % AREA_COUNT);
        bet.lAmount = NNBoard::kChipValues[(i * 5 / AREA_COUNT) % NNBoard::kChipButtons];
        board->OnPlaceBet(bet);
    }
    director->stepFrames(10);
    RoundEndMessage end = {};
    end.cbTimeLeave = 25;
    end.cbStopSlot = 17;
    end.dwBankerTimes = 3;
    end.lMyScore = 900000;
    board->OnGameEnd(end);
    // Past the half second's wait: the car is on its way.
    director->stepFrames(31);
    return board;
}

void RunCar(benchmark::State& state, bool measureDraw)
{
    BuildScene();
    boardbench::TimeFrames(state, measureDraw, boardbench::kMedian);
    CCDirector::sharedDirector()->reset();
}

void BM_BumperCarRunUpdate(benchmark::State& state) { RunCar(state, false); }
void BM_BumperCarRunDraw(benchmark::State& state) { RunCar(state, true); }

}  // namespace

// 600 frames: the run from its start through the laps to its slowing down.
BENCHMARK(BM_BumperCarRunUpdate)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(600)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_BumperCarRunDraw)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(600)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
