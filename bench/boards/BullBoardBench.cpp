// The six-seat bull table at its busiest, headless at 1288 x 762, one
// iteration = one frame: every two seconds a round starts (chips fly from
// all six seats, the base score bounces in) and thirty cards are dealt to the
// six seats, over the table with its seat panels, clock and right bar.
// "update" times the scheduler step (actions, countdown, clock); "draw"
// times drawing and presenting the frame until the renderer has finished.
#include <benchmark/benchmark.h>

#include "BoardBench.h"
#include "cocos2d.h"
#include "games/OxTB/NNBoard.h"
#include "games/OxTB/OxTBMobile.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/GameRoom.h"
#include "games/framework/KernelMessages.h"

#include <cstring>
#include <vector>

USING_NS_CC;
using namespace Sexy;

namespace {

using boardbench::BenchRoom;

void Packet(CBaseKernelLayer* kernel, uint16_t main, uint16_t sub, const std::vector<uint8_t>& body)
{
    boardbench::SendGamePacket(kernel, main, sub, body.data(), body.size());
}

// A round's start and its deal to all six seats.
void StartAndDeal(CBaseKernelLayer* kernel)
{
    std::vector<uint8_t> start = {1, 1, 1, 1, 1, 1};
    const int64_t base = 5000;
    start.resize(20);
    std::memcpy(start.data() + 6, &base, 8);
    Packet(kernel, MDM_GF_GAME, OxTB::SUB_S_GAME_START, start);
    std::vector<uint8_t> deal(36);
    for (int c = 0; c < 6; ++c)
    {
        for (int k = 0; k < 5; ++k)
            deal[5 * c + k] = static_cast<uint8_t>(((c + k) % 4) << 4 | (1 + (3 * c + k) % 13));
        deal[30 + c] = 5;
    }
    Packet(kernel, MDM_GF_GAME, OxTB::SUB_S_SEND_CARD, deal);
}

CBaseKernelLayer* BuildTable(BenchRoom& room)
{
    CCScene* scene = boardbench::RunEmptyStage();
    CCDirector* director = CCDirector::sharedDirector();
    RegisterGameKind(OxTB::kGameKind);
    CBaseKernelLayer* kernel = boardbench::AddKernel(scene, room);
    boardbench::SendServerInfo(kernel, 1, 1000, OxTB::OxTBMobile::kKindID, 6, nullptr);
    boardbench::LoadAndEnterGame(kernel, OxTB::OxTBMobile::kKindID, 2);
    boardbench::SeatPlayers(kernel, 1, 6, 2, 1000, US_PLAY, [](uint16_t chair) { return 123456 * (chair + 1); });
    kernel->OnChannelMessage(IPC_MAIN_CONFIG, IPC_SUB_SHOW_GAME);
    director->stepFrames(30);
    return kernel;
}

void RunDeals(benchmark::State& state, bool measureDraw)
{
    // Two seconds a round: the deal's last card lands at 1.5 s.
    boardbench::TimeRounds(state, measureDraw, boardbench::kNoCounters, 0, 120, BuildTable,
                           [](CBaseKernelLayer* kernel) {
                               if (auto* board = dynamic_cast<OxTB::NNBoard*>(kernel->GetGameBoard()))
                                   board->ResetGameView();
                               StartAndDeal(kernel);
                           });
}

void BM_BullDealSixSeatsUpdate(benchmark::State& st) { RunDeals(st, false); }
void BM_BullDealSixSeatsDraw(benchmark::State& st) { RunDeals(st, true); }

}  // namespace

BENCHMARK(BM_BullDealSixSeatsUpdate)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(240)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_BullDealSixSeatsDraw)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(240)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
