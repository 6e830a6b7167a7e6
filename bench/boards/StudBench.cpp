// Frame benchmarks of the five-card stud table at its busiest, headless at
// 1288 x 762 on the drawn resources, one iteration = one frame. "update"
// times the scheduler step (actions, the deal's sound), "draw" the drawing
// and presenting of the frame until the renderer has finished it.
//
// StudDeal: a hand dealt whole and again every two seconds: the two opening
// cards of each player fly from the deck, then three rounds of one more card
// each, while the players' chips fly into the pool and their labels change.
// StudWin: the end of a hand I won: the hole cards turn, the settlement
// shows and sixty coins and a hundred and twenty stars fly to the bags.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "BoardBench.h"
#include "cocos2d.h"
#include "core/ClientGlobal.h"
#include "games/ShowHandANEx/NNBoard.h"
#include "games/ShowHandANEx/ShowHandANExMessages.h"
#include "games/ShowHandANEx/ShowHandANExMobile.h"
#include "games/framework/GameKindModule.h"

USING_NS_CC;
using namespace ShowHandANEx;

namespace {

constexpr uint32_t kMe = 1000;

struct StudScene
{
    boardbench::BenchRoom room{GAME_PLAYER};
    std::unique_ptr<Sexy::CGameRoomBinding> binding;
    Sexy::CBaseKernelLayer* kernel = nullptr;
    NNBoard* board = nullptr;
};

void BuildTable(StudScene& s)
{
    CCScene* scene = boardbench::RunEmptyStage();
    s.binding.reset(new Sexy::CGameRoomBinding(&s.room));
    s.kernel = boardbench::AddKernel(scene, s.room);
    Sexy::ClearGameKinds();
    Sexy::RegisterGameKind(kGameKind);
    boardbench::SendServerInfo(s.kernel, 3, kMe, ShowHandANExMobile::kKindID, GAME_PLAYER, u"梭哈 一号房");
    boardbench::LoadAndEnterGame(s.kernel, ShowHandANExMobile::kKindID, 1);
    const char16_t* nicks[GAME_PLAYER] = {u"玩家", u"张三"};
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        const uint32_t id = chair == 0 ? kMe : 2001;
        tagUserData user = boardbench::MakeUser(id, id + 500000, 3, chair, US_PLAY, 1234567, nicks[chair]);
        user.dwClientKind = 3;
        boardbench::SendUserEnter(s.kernel, user);
    }
    s.kernel->OnChannelMessage(Sexy::IPC_MAIN_CONFIG, Sexy::IPC_SUB_SHOW_GAME);
    s.board = dynamic_cast<NNBoard*>(s.kernel->GetGameBoard());
    CCDirector::sharedDirector()->stepFrames(2);
}

void StartHand(StudScene& s)
{
    s.board->ResetGameView();
    tagGameStart start{};
    start.cbMyHiddenCard = 0x31;
    start.wCurrentUser = 0;
    start.lCellScore = 100;
    start.cbShownCard[0] = 0x0D;
    start.cbShownCard[1] = 0x1C;
    start.lShowHandCap = 100000;
    boardbench::SendGame(s.kernel, SUB_S_GAME_START, start);
}

void Bet(StudScene& s, uint16_t chair, int64_t amount)
{
    tagAddScore action{};
    action.wActingUser = chair;
    action.wCurrentUser = chair == 0 ? 1 : 0;
    action.lAmount = amount;
    action.lFollowAmount = amount;
    boardbench::SendGame(s.kernel, SUB_S_ADD_SCORE, action);
}

void SendOne(StudScene& s, uint8_t mine, uint8_t theirs)
{
    tagSendCard send{};
    send.wCurrentUser = 0;
    send.cbSendCount = 1;
    send.cbCardData[0][0] = mine;
    send.cbCardData[1][0] = theirs;
    boardbench::SendGame(s.kernel, SUB_S_SEND_CARD, send);
}

void RunDeal(benchmark::State& state, bool measureDraw)
{
    StudScene s;
    BuildTable(s);
    int frame = 0;
    const uint8_t mine[3] = {0x0B, 0x2D, 0x1D};
    const uint8_t theirs[3] = {0x17, 0x19, 0x2A};
    boardbench::TimeFrames(state, measureDraw, boardbench::kCpu, [&] {
        const int phase = frame++ % 120;
        if (phase == 0)
            StartHand(s);
        else if (phase == 20 || phase == 50 || phase == 80)
        {
            Bet(s, 0, 100 * phase);
            Bet(s, 1, 100 * phase);
        }
        else if (phase == 30 || phase == 60 || phase == 90)
            SendOne(s, mine[phase / 30 - 1], theirs[phase / 30 - 1]);
    });
    CCDirector::sharedDirector()->reset();
}

void RunWin(benchmark::State& state, bool measureDraw)
{
    StudScene s;
    BuildTable(s);
    int frame = 0;
    boardbench::TimeFrames(state, measureDraw, boardbench::kCpu, [&] {
        if (frame++ % 180 != 0)
            return;
        StartHand(s);
        CCDirector::sharedDirector()->stepFrames(40);
        tagGameEnd end{};
        end.lGameScore[0] = 5000;
        end.lGameScore[1] = -5000;
        end.cbHiddenCard[0] = 0x31;
        end.cbHiddenCard[1] = 0x2B;
        boardbench::SendGame(s.kernel, SUB_S_GAME_END, end);
    });
    CCDirector::sharedDirector()->reset();
}

void BM_StudDealUpdate(benchmark::State& state) { RunDeal(state, false); }
void BM_StudDealDraw(benchmark::State& state) { RunDeal(state, true); }
void BM_StudWinUpdate(benchmark::State& state) { RunWin(state, false); }
void BM_StudWinDraw(benchmark::State& state) { RunWin(state, true); }

}  // namespace

// 360 frames: three hands dealt whole.
BENCHMARK(BM_StudDealUpdate)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(360)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_StudDealDraw)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(360)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
// 360 frames: two wins, each with its three seconds of flying coins and stars.
BENCHMARK(BM_StudWinUpdate)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(360)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_StudWinDraw)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(360)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
