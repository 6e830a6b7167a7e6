// San Gong at its busiest, headless at 1288 x 762, one iteration = one
// frame: every two seconds a round starts over (the banker mark lands, five
// bets fly as chips) and three cards are dealt to each of the six seats, over
// the table with its seat panels, clock, state sign and the dealer's hands.
// "update" times the scheduler step; "draw" times drawing and presenting the
// frame until the renderer has finished.
#include <benchmark/benchmark.h>

#include "BoardBench.h"
#include "cocos2d.h"
#include "games/ThreeKing/NNBoard.h"
#include "games/ThreeKing/ThreeKingGame.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/GameRoom.h"
#include "games/framework/KernelMessages.h"
#include "games/registry/GameRegistry.h"

#include <cstring>
#include <vector>

USING_NS_CC;
using namespace Sexy;

namespace {

using boardbench::BenchRoom;

// The banker, five bets and the deal to all six seats.
void PlayRound(CBaseKernelLayer* kernel)
{
    boardbench::SendGame(kernel, ThreeKing::SUB_S_BANKER_SET, ThreeKing::CMD_S_BankerSet{90000, 0});
    for (uint16_t chair = 1; chair < 6; ++chair)
        boardbench::SendGame(kernel, ThreeKing::SUB_S_ADD_SCORE, ThreeKing::CMD_S_AddScore{chair, 30000 * chair});
    ThreeKing::CMD_S_SendCard deal{};
    for (int c = 0; c < 6; ++c)
        for (int k = 0; k < 3; ++k)
            deal.cbCardData[c][k] = static_cast<uint8_t>(((c + k) % 4) << 4 | (1 + (4 * c + k) % 13));
    boardbench::SendGame(kernel, ThreeKing::SUB_S_SEND_CARD, deal);
}

CBaseKernelLayer* BuildTable(BenchRoom& room)
{
    CCScene* scene = boardbench::RunEmptyStage();
    CCDirector* director = CCDirector::sharedDirector();
    RegisterGameKind(*games::FindGameKind(ThreeKing::kKindID));
    CBaseKernelLayer* kernel = boardbench::AddKernel(scene, room);
    boardbench::SendServerInfo(kernel, 1, 1000, ThreeKing::kKindID, 6, nullptr);
    boardbench::LoadAndEnterGame(kernel, ThreeKing::kKindID, 2);
    boardbench::SeatPlayers(kernel, 1, 6, 2, 1000, US_PLAY, [](uint16_t chair) { return 123456 * (chair + 1); });
    kernel->OnChannelMessage(IPC_MAIN_CONFIG, IPC_SUB_SHOW_GAME);
    director->stepFrames(30);
    return kernel;
}

void RunDeals(benchmark::State& state, bool measureDraw)
{
    // Two seconds a round: the last card lands at 1.05 s.
    boardbench::TimeRounds(state, measureDraw, boardbench::kMedian, 6, 120, BuildTable, [](CBaseKernelLayer* kernel) {
        if (auto* board = dynamic_cast<ThreeKing::NNBoard*>(kernel->GetGameBoard()))
            board->ResetGameView();
        PlayRound(kernel);
    });
}

void BM_ThreeKingDealSixSeatsUpdate(benchmark::State& st) { RunDeals(st, false); }
void BM_ThreeKingDealSixSeatsDraw(benchmark::State& st) { RunDeals(st, true); }

}  // namespace

BENCHMARK(BM_ThreeKingDealSixSeatsUpdate)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(240)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ThreeKingDealSixSeatsDraw)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(240)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
