// Frame benchmarks of the game boards, headless at 1288 x 762 on the drawn
// resources, one iteration = one frame. "update" times the scheduler step
// (actions, clocks, the scrolling and what it builds), "draw" the drawing and
// presenting of the frame until the renderer has finished it.
//
// FrameworkBoard: the framework's board at its busiest: a full table of six
// players, all ready (six animated signs), a game clock running with its
// light, the player list full, and the chat scrolling: a new line every half
// second while the list moves two pixels a frame through its 21 lines.
// FrameworkBoardIdle: the same table with nobody ready, no clock and the
// chat at rest: whole frames (update and draw) and how many were drawn.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "BoardBench.h"
#include "cocos-ext.h"
#include "cocos2d.h"
#include "core/ClientGlobal.h"
#include "engine/backend/Backend.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/GameChatLayer.h"
#include "games/framework/GameHandler.h"
#include "games/framework/GameKindModule.h"
#include "games/framework/GameRoom.h"
#include "games/framework/KernelMessages.h"
#include "games/framework/PlainGameBoard.h"

USING_NS_CC;
USING_NS_CC_EXT;

namespace {

constexpr uint16_t kKind = 401;
constexpr uint16_t kChairs = 6;
constexpr uint32_t kMe = 1000;

class BenchHandler : public Sexy::CGameHandler
{
public:
    bool OnGameMessage(uint16_t, const void*, uint16_t) override { return true; }
    bool OnGameSceneMessage(uint8_t, bool, const void*, uint16_t) override { return true; }
};

class BenchModule : public Sexy::CGameKindModule
{
public:
    BenchModule() : Sexy::CGameKindModule(0) {}
    static Sexy::CGameKindModule* Make() { return new BenchModule(); }
    Sexy::CGameBoard* CreateGame() override { return nullptr; }
    void LoadResources() override {}
    void UnloadResources() override {}
};

std::unique_ptr<BenchHandler> g_handler;

Sexy::CGameBoard* CreateBenchGame()
{
    g_handler.reset(new BenchHandler());
    g_handler->InitGameHandler();
    return Sexy::CPlainGameBoard::create();
}

// Adds a chat line every half second and moves the list two pixels a frame,
// back and forth between its ends.
class ChatScroller : public CCNode
{
public:
    GameChatLayer* chat = nullptr;
    unsigned frame = 0;
    float step = 2;
    void tick(float)
    {
        ++frame;
        if (frame % 30 == 0)
        {
            char text[96];
            std::snprintf(text, sizeof text, "第%u手 下注 %u 欢乐豆，大家快来一起玩吧", frame / 30, frame * 37);
            chat->AddChatItem(ChatLine{CClientGlobal::UTF8ToGBK("玩家"), CClientGlobal::UTF8ToGBK(text), frame % 4});
        }
        CCTableView* table = chat->GetTableView();
        const float lowest = table->minContainerOffset().y;
        float y = table->getContentOffset().y + step;
        if (y > 0 || y < lowest)
        {
            step = -step;
            y = y > 0 ? 0 : lowest;
        }
        table->setContentOffset(CCPoint(0, y), false);
    }
};

void SendUser(Sexy::CBaseKernelLayer* kernel, uint32_t id, uint16_t chair, int64_t score, const char16_t* nick)
{
    tagUserData user;
    std::memset(&user, 0, sizeof(user));
    user.dwUserID = id;
    user.dwGameID = id + 500000;
    user.wTableID = 3;
    user.wChairID = chair;
    user.cbUserStatus = US_SIT;
    user.lScore = score;
    user.dwClientKind = 1 + chair % 3;
    user.cbGender = chair % 2;
    SetFieldText(user.szNickName, nick);
    boardbench::SendUserEnter(kernel, user);
}

struct BoardScene
{
    boardbench::BenchRoom room{kChairs};
    std::unique_ptr<Sexy::CGameRoomBinding> binding;
};

void BuildFrameworkBoard(BoardScene& s, bool busy)
{
    CCScene* scene = boardbench::RunEmptyStage();
    CCDirector* d = CCDirector::sharedDirector();

    s.binding.reset(new Sexy::CGameRoomBinding(&s.room));
    Sexy::CBaseKernelLayer* kernel = boardbench::AddKernel(scene, s.room);
    Sexy::ClearGameKinds();
    Sexy::RegisterGameKind(kKind, &BenchModule::Make, &CreateBenchGame);

    boardbench::SendServerInfo(kernel, 3, kMe, kKind, kChairs, u"五子棋 一号房");
    const std::vector<uint8_t> record = boardbench::KindRecord(kKind);
    kernel->LoadGameResources(record.data());
    kernel->EnterGame(record.data());

    const char16_t* nicks[kChairs] = {u"张三", u"玩家", u"李四", u"王五", u"赵六", u"孙七"};
    for (uint16_t chair = 0; chair < kChairs; ++chair)
        SendUser(kernel, chair == 1 ? kMe : 2000 + chair, chair, 12345678 + chair * 1111111, nicks[chair]);
    kernel->OnChannelMessage(Sexy::IPC_MAIN_CONFIG, Sexy::IPC_SUB_SHOW_GAME);
    for (uint16_t chair = 0; busy && chair < kChairs; ++chair)
    {
        Sexy::UserStatusMessage status{chair == 1 ? kMe : 2000u + chair, 3, chair, US_READY};
        kernel->OnChannelMessage(Sexy::IPC_MAIN_USER, Sexy::IPC_SUB_USER_STATUS, &status, sizeof(status));
    }
    if (busy)
        kernel->SetGameClock(2, 30, 99);

    GameChatLayer* chat = kernel->GetGameBoard()->GetChatLayer();
    for (int i = 0; i < 21; ++i)
        chat->AddChatItem(ChatLine{CClientGlobal::UTF8ToGBK("系统"),
                                   CClientGlobal::UTF8ToGBK("欢迎来到五子棋一号房，祝您游戏愉快！"), 4});
    if (busy)
    {
        auto* scroller = new ChatScroller();
        scroller->autorelease();
        scroller->chat = chat;
        scene->addChild(scroller);
        scroller->schedule(schedule_selector(ChatScroller::tick), 0.0f);
    }
    d->stepFrames(30);  // settle: pictures loaded, animations under way
}

void RunFrames(benchmark::State& state, bool measureDraw)
{
    BoardScene s;
    BuildFrameworkBoard(s, true);
    boardbench::TimeFrames(state, measureDraw, boardbench::kMedian | boardbench::kP95 | boardbench::kCpu);
    CCDirector::sharedDirector()->reset();
    g_handler.reset();
    Sexy::ClearGameKinds();
}

void BM_FrameworkBoardUpdate(benchmark::State& st) { RunFrames(st, false); }
void BM_FrameworkBoardDraw(benchmark::State& st) { RunFrames(st, true); }

// The director's own frame: it draws only when something changed.
void BM_FrameworkBoardIdle(benchmark::State& state)
{
    BoardScene s;
    BuildFrameworkBoard(s, false);
    CCDirector* d = CCDirector::sharedDirector();
    const unsigned drawn = d->getDrawnFrames();
    for (auto _ : state)
    {
        const auto t0 = std::chrono::steady_clock::now();
        d->mainLoop();
        kest::backend::finish();
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    state.counters["drawn"] = d->getDrawnFrames() - drawn;
    d->reset();
    g_handler.reset();
    Sexy::ClearGameKinds();
}

}  // namespace

BENCHMARK(BM_FrameworkBoardUpdate)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(200)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_FrameworkBoardDraw)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(200)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_FrameworkBoardIdle)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(300);
