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

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

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
#include "ui/UiServices.h"

USING_NS_CC;
USING_NS_CC_EXT;

namespace {

constexpr uint16_t kKind = 401;
constexpr uint16_t kChairs = 6;
constexpr uint32_t kMe = 1000;

class BenchRoom : public Sexy::IGameRoom
{
public:
    bool OnGameSendData(uint16_t, uint16_t, const void*, uint16_t) override { return true; }
    void OnGameExit() override {}
    void ShowGameView() override {}
    void ShowRoomView(bool) override {}
    void OnGameResourcesLoaded(bool) override {}
    bool IsGameResourcesReady() override { return true; }
    void ToggleMaximize() override {}
    uint16_t GetChairCount() const override { return kChairs; }
    Sexy::CBaseKernelLayer* GetKernelLayer() override { return kernel; }
    Sexy::CBaseKernelLayer* kernel = nullptr;
};

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
    std::vector<uint8_t> message(Sexy::kUserEnterMaxSize);
    const size_t size = Sexy::WriteUserEnterMessage(user, message.data(), message.size());
    kernel->OnChannelMessage(Sexy::IPC_MAIN_USER, Sexy::IPC_SUB_USER_ENTER, message.data(),
                             static_cast<uint16_t>(size));
}

struct BoardScene
{
    BenchRoom room;
    std::unique_ptr<Sexy::CGameRoomBinding> binding;
};

void BuildFrameworkBoard(BoardScene& s, bool busy)
{
    CCDirector::setHeadless(true);
    CCDirector* d = CCDirector::sharedDirector();
    d->reset();
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->setFrameSize(1288, 762);
    d->setOpenGLView(view);
    view->setDesignResolutionSize(1288, 762, kResolutionFixedWidth);
    CCFileUtils::sharedFileUtils()->setResourceRoot(KEST_RES_DIR);
    InstallUiCoreServices();
    CCScene* scene = CCScene::create();
    d->runWithScene(scene);
    d->stepFrames(1);

    s.binding.reset(new Sexy::CGameRoomBinding(&s.room));
    Sexy::CBaseKernelLayer* kernel = Sexy::CBaseKernelLayer::create();
    s.room.kernel = kernel;
    scene->addChild(kernel);
    Sexy::ClearGameKinds();
    Sexy::RegisterGameKind(kKind, &BenchModule::Make, &CreateBenchGame);

    Sexy::GameServerConfig config;
    std::memset(&config, 0, sizeof(config));
    config.wTableID = 3;
    config.dwUserID = kMe;
    config.wKindID = kKind;
    config.wChairCount = kChairs;
    wire::WriteText(config.szServerName, 32, u"五子棋 一号房");
    kernel->OnChannelMessage(Sexy::IPC_MAIN_CONFIG, Sexy::IPC_SUB_SERVER_INFO, &config, sizeof(config));
    std::vector<uint8_t> record(Sexy::kGameKindRecordSize, 0);
    std::memcpy(record.data() + 6, &kKind, 2);
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

using Clock = std::chrono::steady_clock;

double ProcessSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec / 1e9;
}

void RunFrames(benchmark::State& state, bool measureDraw)
{
    BoardScene s;
    BuildFrameworkBoard(s, true);
    CCDirector* d = CCDirector::sharedDirector();
    CCScheduler* scheduler = d->getScheduler();
    std::vector<double> frames;
    double cpu = 0;
    for (auto _ : state)
    {
        auto t0 = Clock::now();
        const double c0 = ProcessSeconds();
        scheduler->update(1.0f / 60);
        auto t1 = Clock::now();
        const double c1 = ProcessSeconds();
        d->drawScene();
        kest::backend::finish();
        auto t2 = Clock::now();
        cpu += measureDraw ? ProcessSeconds() - c1 : c1 - c0;
        CCPoolManager::sharedPoolManager()->pop();
        const double seconds = std::chrono::duration<double>(measureDraw ? t2 - t1 : t1 - t0).count();
        state.SetIterationTime(seconds);
        frames.push_back(seconds * 1000);
    }
    // The frame in the middle and the slowest one in twenty, besides the mean.
    std::sort(frames.begin(), frames.end());
    if (!frames.empty())
    {
        state.counters["median_ms"] = frames[frames.size() / 2];
        state.counters["p95_ms"] = frames[frames.size() * 95 / 100];
        // The work of every thread (the rasteriser's too): on a busy machine
        // it says more than the time on the wall.
        state.counters["cpu_ms"] = cpu * 1000 / frames.size();
    }
    state.SetLabel(kest::backend::rendererName());
    d->reset();
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
        auto t0 = Clock::now();
        d->mainLoop();
        kest::backend::finish();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - t0).count());
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
