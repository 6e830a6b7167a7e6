// Frame benchmarks of the Shuang Kou table at its busiest, headless at
// 1288 x 762 on the drawn resources, one iteration = one frame. "update"
// times the scheduler step, "draw" the drawing and presenting of the frame
// until the renderer has finished it.
//
// ShuangKouDeal: the 54 cards of a deal spin from the deck to the two hands
// and mine turn face up, again every three seconds.
// ShuangKouPlays: a hand under way, my 27 cards and the other's backs; the
// other lays a linked bomb of twelve (its animation and the board's shake), I
// answer with a line of eight from my hand (my cards fly into my trick and the
// hand closes up), the other lays a line of ten over the cards already lying
// there (its animation), fifty frames apart.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "BoardBench.h"
#include "cocos2d.h"
#include "core/ClientGlobal.h"
#include "games/ShuangKouHP/HPBoard.h"
#include "games/ShuangKouHP/ShuangKouMessages.h"
#include "games/ShuangKouHP/ShuangKouMobile.h"
#include "games/framework/GameKindModule.h"

USING_NS_CC;
using namespace ShuangKouHP;

namespace {

constexpr uint32_t kMe = 1000;

// My hand, with a line of eight from the five to the queen.
const uint8_t kMyHand[HAND_COUNT] = {0x06, 0x16, 0x26, 0x36, 0x06, 0x16, 0x4E, 0x4F, 0x01, 0x11, 0x02, 0x12, 0x03, 0x13,
                                     0x04, 0x14, 0x05, 0x15, 0x07, 0x17, 0x08, 0x18, 0x09, 0x19, 0x0A, 0x0B, 0x0C};
const uint8_t kMyLine[] = {0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C};
// Three groups of four: nines, tens and jacks.
const uint8_t kLinkedBomb[] = {0x09, 0x19, 0x29, 0x39, 0x0A, 0x1A, 0x2A, 0x3A, 0x0B, 0x1B, 0x2B, 0x3B};
const uint8_t kLine[] = {0x03, 0x14, 0x25, 0x36, 0x07, 0x18, 0x29, 0x3A, 0x0B, 0x1C};

struct SkScene
{
    boardbench::BenchRoom room{GAME_PLAYER};
    std::unique_ptr<Sexy::CGameRoomBinding> binding;
    Sexy::CBaseKernelLayer* kernel = nullptr;
    HPBoard* board = nullptr;
};

void BuildTable(SkScene& s)
{
    CCScene* scene = boardbench::RunEmptyStage();
    s.binding.reset(new Sexy::CGameRoomBinding(&s.room));
    s.kernel = boardbench::AddKernel(scene, s.room);
    Sexy::ClearGameKinds();
    Sexy::RegisterGameKind(kGameKind);
    boardbench::SendServerInfo(s.kernel, 3, kMe, ShuangKouMobile::kKindID, GAME_PLAYER, u"双扣 一号房");
    boardbench::LoadAndEnterGame(s.kernel, ShuangKouMobile::kKindID, 1);
    const char16_t* nicks[GAME_PLAYER] = {u"玩家", u"李四"};
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        const uint32_t id = chair == 0 ? kMe : 2001;
        tagUserData user = boardbench::MakeUser(id, id + 500000, 3, chair, US_PLAY, 1234567, nicks[chair]);
        user.cbGender = static_cast<uint8_t>(chair);
        user.dwClientKind = 3;
        boardbench::SendUserEnter(s.kernel, user);
    }
    s.kernel->OnChannelMessage(Sexy::IPC_MAIN_CONFIG, Sexy::IPC_SUB_SHOW_GAME);
    s.board = dynamic_cast<HPBoard*>(s.kernel->GetGameBoard());
    CCDirector::sharedDirector()->stepFrames(2);
}

void Deal(SkScene& s)
{
    s.board->ResetGameView();
    CMD_S_GameStart start{};
    start.lBaseScore = 10;
    boardbench::SendGame(s.kernel, SUB_S_GAME_START, start);
    CMD_S_SendCard deal{};
    deal.wCurrentUser = 1;
    std::memcpy(deal.cbCardData, kMyHand, sizeof(kMyHand));
    boardbench::SendGame(s.kernel, SUB_S_SEND_CARD, deal);
}

void Play(SkScene& s, uint16_t chair, uint16_t next, const uint8_t* cards, uint8_t count)
{
    CMD_S_OutCard play{};
    std::memcpy(play.cbCardData, cards, count);
    play.cbCardCount = count;
    play.wOutCardUser = chair;
    play.wCurrentUser = next;
    boardbench::SendGame(s.kernel, SUB_S_OUT_CARD, play);
}

void RunDeal(benchmark::State& state, bool measureDraw)
{
    SkScene s;
    BuildTable(s);
    int frame = 0;
    boardbench::TimeFrames(state, measureDraw, boardbench::kCpu, [&] {
        if (frame++ % 180 == 0)
            Deal(s);
    });
    CCDirector::sharedDirector()->reset();
}

void RunPlays(benchmark::State& state, bool measureDraw)
{
    SkScene s;
    BuildTable(s);
    int frame = 0;
    boardbench::TimeFrames(state, measureDraw, boardbench::kCpu, [&] {
        switch (frame++ % 150)
        {
            case 0:
                Deal(s);
                CCDirector::sharedDirector()->stepFrames(150);  // dealt, not timed
                Play(s, 1, 0, kLinkedBomb, sizeof(kLinkedBomb));
                break;
            case 50: Play(s, 0, 1, kMyLine, sizeof(kMyLine)); break;
            case 100: Play(s, 1, 0, kLine, sizeof(kLine)); break;
            default: break;
        }
    });
    CCDirector::sharedDirector()->reset();
}

void BM_ShuangKouDealUpdate(benchmark::State& state) { RunDeal(state, false); }
void BM_ShuangKouDealDraw(benchmark::State& state) { RunDeal(state, true); }
void BM_ShuangKouPlaysUpdate(benchmark::State& state) { RunPlays(state, false); }
void BM_ShuangKouPlaysDraw(benchmark::State& state) { RunPlays(state, true); }

}  // namespace

// 360 frames: two deals.
BENCHMARK(BM_ShuangKouDealUpdate)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(360)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ShuangKouDealDraw)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(360)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
// 450 frames: three rounds of three plays.
BENCHMARK(BM_ShuangKouPlaysUpdate)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(450)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ShuangKouPlaysDraw)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(450)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
