#include "BoardBench.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <ctime>

#include "core/ClientGlobal.h"
#include "engine/backend/Backend.h"
#include "ui/UiServices.h"

USING_NS_CC;

namespace boardbench {

namespace {

using Clock = std::chrono::steady_clock;

double ProcessSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

}  // namespace

void SetUpStage()
{
    CCDirector::setHeadless(true);
    CCDirector* director = CCDirector::sharedDirector();
    director->reset();
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->setFrameSize(1288, 762);
    director->setOpenGLView(view);
    view->setDesignResolutionSize(1288, 762, kResolutionFixedWidth);
    CCFileUtils::sharedFileUtils()->setResourceRoot(KEST_RES_DIR);
    InstallUiCoreServices();
}

CCScene* RunEmptyStage()
{
    SetUpStage();
    CCScene* scene = CCScene::create();
    CCDirector* director = CCDirector::sharedDirector();
    director->runWithScene(scene);
    director->stepFrames(1);
    return scene;
}

Sexy::CBaseKernelLayer* AddKernel(CCScene* scene, BenchRoom& room)
{
    Sexy::CBaseKernelLayer* kernel = Sexy::CBaseKernelLayer::create();
    room.kernel = kernel;
    scene->addChild(kernel);
    return kernel;
}

void SendServerInfo(Sexy::CBaseKernelLayer* kernel, uint16_t table, uint32_t me, uint16_t kind, uint16_t chairs,
                    const char16_t* serverName)
{
    Sexy::GameServerConfig config;
    std::memset(&config, 0, sizeof(config));
    config.wTableID = table;
    config.dwUserID = me;
    config.wKindID = kind;
    config.wChairCount = chairs;
    if (serverName != nullptr)
        wire::WriteText(config.szServerName, 32, serverName);
    kernel->OnChannelMessage(Sexy::IPC_MAIN_CONFIG, Sexy::IPC_SUB_SERVER_INFO, &config, sizeof(config));
}

std::vector<uint8_t> KindRecord(uint16_t kind)
{
    std::vector<uint8_t> record(Sexy::kGameKindRecordSize, 0);
    std::memcpy(record.data() + 6, &kind, 2);
    return record;
}

void SendUserEnter(Sexy::CBaseKernelLayer* kernel, const tagUserData& user)
{
    const std::vector<uint8_t> message = Sexy::UserEnterMessage(user);
    kernel->OnChannelMessage(Sexy::IPC_MAIN_USER, Sexy::IPC_SUB_USER_ENTER, message.data(),
                             static_cast<uint16_t>(message.size()));
}

void SendGamePacket(Sexy::CBaseKernelLayer* kernel, uint16_t main, uint16_t sub, const void* body, size_t size)
{
    std::vector<uint8_t> raw(4 + size);
    std::memcpy(raw.data(), &main, 2);
    std::memcpy(raw.data() + 2, &sub, 2);
    if (size > 0)
        std::memcpy(raw.data() + 4, body, size);
    kernel->OnChannelMessage(Sexy::IPC_MAIN_SOCKET, Sexy::IPC_SUB_SOCKET_RECV, raw.data(),
                             static_cast<uint16_t>(raw.size()));
}

void LoadAndEnterGame(Sexy::CBaseKernelLayer* kernel, uint16_t kind, int frames)
{
    const std::vector<uint8_t> record = KindRecord(kind);
    kernel->LoadGameResources(record.data());
    CCTextureCache::sharedTextureCache()->waitForAsync();
    CCDirector::sharedDirector()->stepFrames(frames);
    kernel->EnterGame(record.data());
}

tagUserData MakeUser(uint32_t userID, uint32_t gameID, uint16_t table, uint16_t chair, uint8_t status, int64_t score,
                     const std::u16string& nick)
{
    tagUserData user;
    std::memset(&user, 0, sizeof(user));
    user.dwUserID = userID;
    user.dwGameID = gameID;
    user.wTableID = table;
    user.wChairID = chair;
    user.cbUserStatus = status;
    user.lScore = score;
    SetFieldText(user.szNickName, nick);
    return user;
}

void SeatPlayers(Sexy::CBaseKernelLayer* kernel, uint16_t table, uint16_t count, uint16_t myChair, uint32_t me,
                 uint8_t status, const std::function<int64_t(uint16_t)>& score)
{
    for (uint16_t chair = 0; chair < count; ++chair)
    {
        const tagUserData user = MakeUser(chair == myChair ? me : 2000u + chair, 300000u + chair, table, chair, status,
                                          score(chair), u"玩家" + CClientGlobal::UTF8ToWide(std::to_string(chair)));
        SendUserEnter(kernel, user);
    }
}

void RemoveKernel(BenchRoom& room, Sexy::CBaseKernelLayer* kernel)
{
    kernel->removeFromParentAndCleanup(true);
    room.kernel = nullptr;
    CCDirector* director = CCDirector::sharedDirector();
    director->stepFrames(1);
    director->reset();
}

double FrameTimer::Frame()
{
    CCDirector* director = CCDirector::sharedDirector();
    const bool cpu = (m_nCounters & kCpu) != 0;
    const auto t0 = Clock::now();
    const double c0 = cpu ? ProcessSeconds() : 0;
    director->getScheduler()->update(1.0f / 60);
    const auto t1 = Clock::now();
    const double c1 = cpu ? ProcessSeconds() : 0;
    director->drawScene();
    kest::backend::finish();
    const auto t2 = Clock::now();
    if (cpu)
        m_dCpu += m_bDraw ? ProcessSeconds() - c1 : c1 - c0;
    CCPoolManager::sharedPoolManager()->pop();
    const double seconds = std::chrono::duration<double>(m_bDraw ? t2 - t1 : t1 - t0).count();
    m_frames.push_back(seconds * 1000);
    return seconds;
}

void FrameTimer::Report(benchmark::State& state)
{
    // The frame in the middle and the slow tail, besides the mean.
    std::sort(m_frames.begin(), m_frames.end());
    if (!m_frames.empty())
    {
        const size_t n = m_frames.size();
        if (m_nCounters & kMedian)
            state.counters["median_ms"] = m_frames[n / 2];
        if (m_nCounters & kP90)
            state.counters["p90_ms"] = m_frames[n * 9 / 10];
        if (m_nCounters & kP95)
            state.counters["p95_ms"] = m_frames[n * 95 / 100];
        if (m_nCounters & kCpu)
            state.counters["cpu_ms"] = m_dCpu * 1000 / n;
    }
    state.SetLabel(kest::backend::rendererName());
}

}  // namespace boardbench
