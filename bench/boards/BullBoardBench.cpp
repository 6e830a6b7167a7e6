// The six-seat bull table at its busiest, headless at 1288 x 762, one
// iteration = one frame: every two seconds a round starts (chips fly from
// all six seats, the base score bounces in) and thirty cards are dealt to the
// six seats, over the table with its seat panels, clock and right bar.
// "update" times the scheduler step (actions, countdown, clock); "draw"
// times drawing and presenting the frame until the renderer has finished.
#include <benchmark/benchmark.h>

#include "cocos2d.h"
#include "core/ClientGlobal.h"
#include "engine/backend/Backend.h"
#include "games/OxTB/NNBoard.h"
#include "games/OxTB/OxTBMobile.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/GameRoom.h"
#include "games/framework/KernelMessages.h"
#include "ui/UiServices.h"

#include <chrono>
#include <cstring>
#include <vector>

USING_NS_CC;
using namespace Sexy;

namespace {

class BenchRoom : public IGameRoom
{
public:
    bool OnGameSendData(uint16_t, uint16_t, const void*, uint16_t) override { return true; }
    void OnGameExit() override {}
    void ShowGameView() override {}
    void ShowRoomView(bool) override {}
    void OnGameResourcesLoaded(bool) override {}
    bool IsGameResourcesReady() override { return true; }
    void ToggleMaximize() override {}
    CBaseKernelLayer* GetKernelLayer() override { return kernel; }
    CBaseKernelLayer* kernel = nullptr;
};

void Packet(CBaseKernelLayer* kernel, uint16_t main, uint16_t sub, const std::vector<uint8_t>& body)
{
    std::vector<uint8_t> raw(4);
    std::memcpy(raw.data(), &main, 2);
    std::memcpy(raw.data() + 2, &sub, 2);
    raw.insert(raw.end(), body.begin(), body.end());
    kernel->OnChannelMessage(IPC_MAIN_SOCKET, IPC_SUB_SOCKET_RECV, raw.data(), static_cast<uint16_t>(raw.size()));
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
    CCDirector::setHeadless(true);
    CCDirector* director = CCDirector::sharedDirector();
    director->reset();
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    director->setOpenGLView(view);
    view->setFrameSize(1288, 762);
    view->setDesignResolutionSize(1288, 762, kResolutionFixedWidth);
    CCFileUtils::sharedFileUtils()->setResourceRoot(KEST_RES_DIR);
    InstallUiCoreServices();
    CCScene* scene = CCScene::create();
    director->runWithScene(scene);
    director->stepFrames(1);
    RegisterGameKind(OxTB::kGameKind);
    CBaseKernelLayer* kernel = CBaseKernelLayer::create();
    room.kernel = kernel;
    scene->addChild(kernel);
    GameServerConfig config;
    std::memset(&config, 0, sizeof(config));
    config.wTableID = 1;
    config.dwUserID = 1000;
    config.wKindID = OxTB::OxTBMobile::kKindID;
    config.wChairCount = 6;
    kernel->OnChannelMessage(IPC_MAIN_CONFIG, IPC_SUB_SERVER_INFO, &config, sizeof(config));
    const uint8_t kind[8] = {0, 0, 0, 0, 0, 0, static_cast<uint8_t>(config.wKindID), 0};
    kernel->LoadGameResources(kind);
    CCTextureCache::sharedTextureCache()->waitForAsync();
    director->stepFrames(2);
    kernel->EnterGame(kind);
    for (uint16_t chair = 0; chair < 6; ++chair)
    {
        tagUserData user;
        std::memset(&user, 0, sizeof(user));
        user.dwUserID = chair == 2 ? 1000 : 2000 + chair;
        user.dwGameID = 300000 + chair;
        user.wTableID = 1;
        user.wChairID = chair;
        user.cbUserStatus = US_PLAY;
        user.lScore = 123456 * (chair + 1);
        SetFieldText(user.szNickName, u"玩家" + CClientGlobal::UTF8ToWide(std::to_string(chair)));
        std::vector<uint8_t> message(kUserEnterMaxSize);
        const size_t size = WriteUserEnterMessage(user, message.data(), message.size());
        kernel->OnChannelMessage(IPC_MAIN_USER, IPC_SUB_USER_ENTER, message.data(), static_cast<uint16_t>(size));
    }
    kernel->OnChannelMessage(IPC_MAIN_CONFIG, IPC_SUB_SHOW_GAME);
    director->stepFrames(30);
    return kernel;
}

using Clock = std::chrono::steady_clock;

void RunDeals(benchmark::State& state, bool measureDraw)
{
    BenchRoom room;
    CGameRoomBinding binding(&room);
    CBaseKernelLayer* kernel = BuildTable(room);
    CCDirector* director = CCDirector::sharedDirector();
    CCScheduler* scheduler = director->getScheduler();
    int frame = 0;
    for (auto _ : state)
    {
        // Two seconds a round: the deal's last card lands at 1.5 s.
        if (frame % 120 == 0)
        {
            if (auto* board = dynamic_cast<OxTB::NNBoard*>(kernel->GetGameBoard()))
                board->ResetGameView();
            StartAndDeal(kernel);
        }
        ++frame;
        const auto t0 = Clock::now();
        scheduler->update(1.0f / 60);
        const auto t1 = Clock::now();
        director->drawScene();
        kest::backend::finish();
        const auto t2 = Clock::now();
        CCPoolManager::sharedPoolManager()->pop();
        state.SetIterationTime(std::chrono::duration<double>(measureDraw ? t2 - t1 : t1 - t0).count());
    }
    state.SetLabel(kest::backend::rendererName());
    kernel->removeFromParentAndCleanup(true);
    room.kernel = nullptr;
    director->stepFrames(1);
    director->reset();
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
