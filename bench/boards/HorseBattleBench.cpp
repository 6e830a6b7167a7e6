// The horse race at its busiest: six horse armatures gallop while the
// ground scrolls under them at 50 steps a second, the ranking follows the
// leaders and the finish run brings them in. One iteration is one frame
// from the race's start: "update" times the scheduler step, "draw" drawing
// and presenting the frame until the renderer has finished it.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "BoardBench.h"
#include "cocos2d.h"
#include "games/HorseBattle/PaoMaBoard.h"

using namespace cocos2d;
using namespace HorseBattle;

namespace {

PaoMaBoard* BuildScene()
{
    PaoMaBoard* board = boardbench::StageBoard<PaoMaBoard>(
        {"HorseBattle/UI/PaoMaUI/PaoMaUI0.plist", "HorseBattle/UI/PaoMaUI/PaoMaUI1.plist",
         "HorseBattle/Animations/HorseAnimation/HorseAnimation0.plist",
         "HorseBattle/Animations/FenceAnimation/FenceAnimation0.plist",
         "HorseBattle/Animations/TimeClockAnimation/TimeClockAnimation0.plist"});
    CCDirector* director = CCDirector::sharedDirector();

    board->SetRoundStatus(GS_BETTING);
    board->SetGameState(PaoMaBoard::kStateBetting, 20);
    for (int i = 0; i < 60; ++i)
        board->AddAreaBet(7, static_cast<uint8_t>(i % AREA_COUNT), 10000 * (1 + i % 5));
    board->SetRoundStatus(GS_LINE_UP);
    board->SetGameState(PaoMaBoard::kStateLineUp, 8);
    director->stepFrames(60 * 5);

    // A course where every horse changes pace on its last ten steps.
    auto course = std::make_unique<CourseTables>();
    int32_t checkpoints[HORSE_COUNT][CHECKPOINTS];
    for (int h = 0; h < HORSE_COUNT; ++h)
    {
        for (int s = 0; s < CHECKPOINTS; ++s)
        {
            checkpoints[h][s] = 200 + 25 * h + (s % 2 == 0 ? -10 : 10);
            course->hold[h][s] = static_cast<uint8_t>(s % 3);
            course->back[h][s] = 2;
            course->forward[h][s] = 3;
        }
        for (int i = 0; i < STEP_TABLE; ++i)
            course->steps[h][i] = static_cast<uint8_t>(i % 4);
    }
    board->SetGameState(PaoMaBoard::kStateRace, 20);
    board->SetRaceTables(*course);
    board->SetRoundStatus(GS_RACE);
    board->SetRaceResult(3, 4);
    board->SetRoundResult(950000);
    board->BuildRacePaths(checkpoints);
    return board;
}

void RunRace(benchmark::State& state, bool measureDraw)
{
    BuildScene();
    boardbench::TimeFrames(state, measureDraw, boardbench::kMedian | boardbench::kP90);
    CCDirector::sharedDirector()->reset();
}

void BM_HorseBattleRaceUpdate(benchmark::State& state) { RunRace(state, false); }
void BM_HorseBattleRaceDraw(benchmark::State& state) { RunRace(state, true); }

}  // namespace

// 750 frames: the race's 10.1 s, the finish run and the result.
BENCHMARK(BM_HorseBattleRaceUpdate)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(750)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_HorseBattleRaceDraw)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(750)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
