// Baccarat at its busiest, headless at 1288 x 762, one iteration = one
// frame: the cards of a round are dealt one by one (three a side, with the
// points, the tips and the winner's word) over a table whose eight areas
// carry their full piles of chips, beside the record strip, the bead grid
// and the banker queue. Every nine seconds the round is played again (free
// time, the bets that fill the areas, the deal).
// "update" times the scheduler step; "draw" times drawing and presenting the
// frame until the renderer has finished.
#include <benchmark/benchmark.h>

#include "BoardBench.h"
#include "cocos2d.h"
#include "games/BaccaratNew/BaccaratNewBoard.h"
#include "games/BaccaratNew/BaccaratNewMobile.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/GameRoom.h"
#include "games/framework/KernelMessages.h"

#include <cstring>
#include <vector>

USING_NS_CC;
using namespace Sexy;
using namespace BaccaratNew;

namespace {

using boardbench::BenchRoom;

// Free time, betting with every area full of chips, and the deal.
void PlayRound(CBaseKernelLayer* kernel)
{
    boardbench::SendGame(kernel, SUB_S_GAME_FREE, CMD_S_GameFree{5});
    CMD_S_GameStart start{};
    start.cbTimeLeave = 20;
    start.wBankerUser = 1;
    start.lBankerScore = 5000000000000LL;
    start.lUserMaxScore = 5000000;
    start.lUserBankerScore = 8800000;
    boardbench::SendGame(kernel, SUB_S_GAME_START, start);
    for (int bet = 0; bet < 8 * 70; ++bet)
    {
        CMD_S_PlaceBet placed{};
        placed.wChairID = static_cast<uint16_t>(10 + bet % 40);
        placed.cbBetArea = static_cast<uint8_t>(bet % 8);
        placed.lBetScore = BaccaratNewBoard::kChipValues[(bet / 8) % BaccaratNewBoard::kChipCount];
        boardbench::SendGame(kernel, SUB_S_PLACE_BET, placed);
    }
    CMD_S_GameEnd end{};
    end.cbTimeLeave = 20;
    end.cbCardCount[SIDE_XIAN] = 3;
    end.cbCardCount[SIDE_ZHUANG] = 3;
    const uint8_t cards[2][3] = {{0x02, 0x13, 0x23}, {0x0D, 0x33, 0x14}};
    std::memcpy(end.cbTableCardArray, cards, sizeof(cards));
    end.lUserAreaScore[AREA_XIAN] = 10000;
    end.lUserScore = 10000;
    boardbench::SendGame(kernel, SUB_S_GAME_END, end);
}

CBaseKernelLayer* BuildTable(BenchRoom& room)
{
    CCScene* scene = boardbench::RunEmptyStage();
    CCDirector* director = CCDirector::sharedDirector();
    RegisterGameKind(BaccaratNew::kGameKind);
    CBaseKernelLayer* kernel = boardbench::AddKernel(scene, room);
    boardbench::SendServerInfo(kernel, 0, 1000, BaccaratNewMobile::kKindID, 100, nullptr);
    boardbench::LoadAndEnterGame(kernel, BaccaratNewMobile::kKindID, 2);
    boardbench::SeatPlayers(kernel, 0, 12, 5, 1000, US_SIT, [](uint16_t chair) { return 8800000 + chair; });
    kernel->OnChannelMessage(IPC_MAIN_CONFIG, IPC_SUB_SHOW_GAME);
    CMD_S_StatusFree free{};
    free.cbTimeLeave = 5;
    free.lUserBankerScore = 8800000;
    free.wBankerUser = 1;
    free.lBankerScore = 5000000000000LL;
    free.bEnableSysBanker = 1;
    free.lApplyBankerCondition = 1000000;
    free.lAreaLimitScore = 5000000000000LL;
    const uint8_t status[2] = {GS_FREE, 0};
    boardbench::SendGamePacket(kernel, MDM_GF_FRAME, SUB_GF_GAME_STATUS, status, sizeof(status));
    boardbench::SendGamePacket(kernel, MDM_GF_FRAME, SUB_GF_SCENE, &free, sizeof(free));
    // A shoe of earlier rounds in the strip and the bead grid.
    std::vector<uint8_t> records;
    for (int i = 0; i < 60; ++i)
    {
        const uint8_t record[5] = {0, 0, 0, static_cast<uint8_t>((i * 7) % 10), static_cast<uint8_t>((i * 3) % 10)};
        records.insert(records.end(), record, record + 5);
    }
    boardbench::SendGamePacket(kernel, MDM_GF_GAME, SUB_S_SEND_RECORD, records.data(), records.size());
    for (uint16_t chair = 6; chair < 12; ++chair)
        boardbench::SendGame(kernel, SUB_S_APPLY_BANKER, CMD_S_ApplyBanker{chair});
    director->stepFrames(30);
    return kernel;
}

void RunDeal(benchmark::State& state, bool measureDraw)
{
    // The six cards land within nine seconds.
    boardbench::TimeRounds(state, measureDraw, boardbench::kMedian, 100, 540, BuildTable, PlayRound);
}

void BM_BaccaratDealFullTableUpdate(benchmark::State& st) { RunDeal(st, false); }
void BM_BaccaratDealFullTableDraw(benchmark::State& st) { RunDeal(st, true); }

}  // namespace

// 540 frames: the whole deal, from the first card to the winner's word.
BENCHMARK(BM_BaccaratDealFullTableUpdate)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(540)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_BaccaratDealFullTableDraw)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(540)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
