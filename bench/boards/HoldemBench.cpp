// Frame benchmarks of the Texas hold'em table at its busiest, headless at
// 1288 x 762 on the drawn resources, one iteration = one frame. "update"
// times the scheduler step (actions, the game's timers), "draw" the drawing
// and presenting of the frame until the renderer has finished it.
//
// HoldemGather: six players with their hole cards and five centre cards;
// every second and a half each seat bets three chips (they fly in, their
// amounts pop up) and a second later every pile flies to the pot, whose
// stacks grow; the turn ring runs.
// HoldemSixPots: six side-pot stacks are built, then paid out to their
// winners' seats, two or three winners a pot, with the main pile, every
// three seconds.

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "BoardBench.h"
#include "cocos-ext.h"
#include "cocos2d.h"
#include "core/ClientGlobal.h"
#include "games/DZPoKer/DZPoKerBoard.h"
#include "games/DZPoKer/DZPoKerHandler.h"
#include "games/DZPoKer/DZPoKerMobile.h"
#include "games/DZPoKer/DZPokerColorChip.h"
#include "games/DZPoKer/MoveChipAnimation.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/GameKindModule.h"
#include "games/framework/GameRoom.h"
#include "games/framework/KernelMessages.h"

USING_NS_CC;

namespace {

using DZPoKer::GAME_PLAYER;

constexpr uint32_t kMe = 1000;
constexpr uint16_t kMyChair = 2;

struct HoldemScene
{
    boardbench::BenchRoom room;
    std::unique_ptr<Sexy::CGameRoomBinding> binding;
    DZPoKer::DZPoKerBoard* board = nullptr;
};

// A table in the middle of a hand: six players, hole cards dealt, the five
// centre cards out, my ring running.
void BuildTable(HoldemScene& s)
{
    CCScene* scene = boardbench::RunEmptyStage();
    CCDirector* d = CCDirector::sharedDirector();

    s.binding.reset(new Sexy::CGameRoomBinding(&s.room));
    Sexy::CBaseKernelLayer* kernel = boardbench::AddKernel(scene, s.room);
    Sexy::ClearGameKinds();
    Sexy::RegisterGameKind(DZPoKer::kGameKind);
    boardbench::SendServerInfo(kernel, 3, kMe, DZPoKer::DZPoKerMobile::kKindID, GAME_PLAYER, u"德州扑克 一号房");
    boardbench::LoadAndEnterGame(kernel, DZPoKer::DZPoKerMobile::kKindID, 1);
    const char16_t* nicks[GAME_PLAYER] = {u"张三", u"李四", u"玩家", u"王五", u"赵六", u"孙七"};
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        const uint32_t id = chair == kMyChair ? kMe : 2000 + chair;
        tagUserData user =
            boardbench::MakeUser(id, id + 500000, 3, chair, US_PLAY, 1234567 + chair * 111111, nicks[chair]);
        user.dwClientKind = 3;
        boardbench::SendUserEnter(kernel, user);
    }
    kernel->OnChannelMessage(Sexy::IPC_MAIN_CONFIG, Sexy::IPC_SUB_SHOW_GAME);
    s.board = dynamic_cast<DZPoKer::DZPoKerBoard*>(kernel->GetGameBoard());

    DZPoKer::CMD_S_GameStart start{};
    start.wCurrentUser = kMyChair;
    start.wDealerUser = 1;
    start.lCellScore = 100;
    start.lAllInScore = 50000;
    start.lStartChip = 100;
    start.nActionMask = 3;
    std::memset(start.cbPlayStatus, 1, sizeof(start.cbPlayStatus));
    start.cbHandCard[kMyChair][0] = 0x11;
    start.cbHandCard[kMyChair][1] = 0x15;
    boardbench::SendGame(kernel, DZPoKer::SUB_S_GAME_START, start);
    DZPoKer::CMD_S_SendCard cards{};
    cards.nActionMask = 3;
    cards.cbRunOut = 1;
    cards.wCurrentUser = kMyChair;
    cards.cbCardCount = 5;
    const uint8_t centre[5] = {0x1D, 0x17, 0x12, 0x0D, 0x39};
    std::memcpy(cards.cbCenterCard, centre, 5);
    boardbench::SendGame(kernel, DZPoKer::SUB_S_SEND_CARD, cards);
    d->stepFrames(150);  // dealt and turned
}

// Bets fly to the seats, and a second later every pile to the pot.
class GatherTicker : public CCNode
{
public:
    DZPoKer::DZPoKerBoard* board = nullptr;
    unsigned frame = 0;
    void tick(float)
    {
        const unsigned phase = frame++ % 90;
        DZPoKer::MoveChipAnimation* chips = board->GetChipLayer();
        if (phase < 3)
        {
            for (uint16_t view = 0; view < GAME_PLAYER; ++view)
                chips->FlyChip(view, board->GetSeatPoint(view), board->GetTableChipPoint(view), true,
                               100000 * (phase + 1) + view * 2500);
        }
        else if (phase == 60)
        {
            for (uint16_t view = 0; view < GAME_PLAYER; ++view)
                chips->GatherSeatChips(view, DZPoKer::DZPokerColorChip::MainPilePoint());
            board->ShowPot(1234567 + frame);
        }
        else if (phase == 89 && board->GetPotChips()->GetMainPile().size() > 30)
        {
            board->GetPotChips()->SetPotAmount(0, frame);
        }
    }
};

// Six stacks built, then paid to two or three winners each.
class PotsTicker : public CCNode
{
public:
    DZPoKer::DZPoKerBoard* board = nullptr;
    unsigned frame = 0;
    void tick(float)
    {
        const unsigned phase = frame++ % 180;
        DZPoKer::DZPokerColorChip* pot = board->GetPotChips();
        if (phase == 0)
        {
            for (int i = 0; i < DZPoKer::MAX_POT_COUNT; ++i)
                pot->SetPotAmount(i, 100000 * (i + 1));
            for (int i = 0; i < 8; ++i)
                pot->ShowPot(600000);
        }
        else if (phase == 50)
        {
            std::vector<uint16_t> winners[DZPoKer::MAX_POT_COUNT];
            for (uint16_t pot = 0; pot < DZPoKer::MAX_POT_COUNT; ++pot)
            {
                winners[pot] = {pot, static_cast<uint16_t>((pot + 2) % GAME_PLAYER)};
                if (pot % 2 == 0)
                    winners[pot].push_back(static_cast<uint16_t>((pot + 4) % GAME_PLAYER));
            }
            pot->DistributePots(DZPoKer::MAX_POT_COUNT, winners);
            pot->DistributeMainPot({0, 3, 5});
        }
    }
};

template <typename Ticker>
void RunFrames(benchmark::State& state, bool measureDraw)
{
    HoldemScene s;
    BuildTable(s);
    auto* ticker = new Ticker();
    ticker->autorelease();
    ticker->board = s.board;
    s.board->addChild(ticker);
    ticker->schedule(schedule_selector(Ticker::tick), 0.0f);
    CCDirector* d = CCDirector::sharedDirector();
    d->stepFrames(200);  // settled into the cycle
    // The targets are per frame: the median and the slow tail of the frames.
    boardbench::TimeFrames(state, measureDraw, boardbench::kMedian | boardbench::kP90);
    d->reset();
    Sexy::ClearGameKinds();
}

void BM_HoldemGatherUpdate(benchmark::State& st) { RunFrames<GatherTicker>(st, false); }
void BM_HoldemGatherDraw(benchmark::State& st) { RunFrames<GatherTicker>(st, true); }
void BM_HoldemSixPotsUpdate(benchmark::State& st) { RunFrames<PotsTicker>(st, false); }
void BM_HoldemSixPotsDraw(benchmark::State& st) { RunFrames<PotsTicker>(st, true); }

}  // namespace

// Two cycles of each scene (three seconds each).
#define HOLDEM_BENCH(name) BENCHMARK(name)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(360)

HOLDEM_BENCH(BM_HoldemGatherUpdate);
HOLDEM_BENCH(BM_HoldemGatherDraw);
HOLDEM_BENCH(BM_HoldemSixPotsUpdate);
HOLDEM_BENCH(BM_HoldemSixPotsDraw);
