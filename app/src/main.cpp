// The program entry: one instance, the update hand-over, then the engine.
#include "app/AppDelegate.h"
#include "app/LaunchRules.h"
#include "core/ClientGlobal.h"
#include "games/registry/GameRegistry.h"
#include "hall/GameHallScene.h"
#include "hall/HallConfig.h"
#include "platform/SingleInstance.h"
#include "room/RoomScene.h"
#include "room/UserInfoDialog.h"
#include "tools/scriptedinput/ScriptedInput.h"

#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

using namespace cocos2d;

namespace {

// Counts frames for --frames and writes --screenshot before ending.
class FrameLimit : public CCObject
{
public:
    FrameLimit(int frames, std::string screenshot) : m_left(frames), m_screenshot(std::move(screenshot)) {}
    void tick(float)
    {
        if (--m_left > 0)
            return;
        CCDirector* director = CCDirector::sharedDirector();
        if (!m_screenshot.empty() && !director->saveScreenshot(m_screenshot))
        {
            std::fprintf(stderr, "kestrelium: cannot write %s\n", m_screenshot.c_str());
            m_failed = true;
        }
        director->getScheduler()->unscheduleAllForTarget(this);
        director->end();
    }

    bool failed() const { return m_failed; }

private:
    bool m_failed = false;
    int m_left;
    std::string m_screenshot;
};

// KEST_TIMING=1: prints on stderr, as seconds of the wall clock, when the
// first frame had been drawn and when another scene (the room, after its
// log-on) came on and settled, each seen at the frame after (so up to one
// frame late). bench/idle/startup reads them.
class TimingProbe : public CCObject
{
public:
    void tick(float)
    {
        CCDirector* director = CCDirector::sharedDirector();
        CCScene* running = director->getRunningScene();
        const double cpu = CpuSeconds();
        if (m_first == nullptr)
        {
            if (director->getDrawnFrames() != 0 && running != nullptr)
            {
                m_first = running;
                m_lastCpu = 0;  // the first frame: all the CPU since the start
                Print("first-frame", cpu);
            }
        }
        else if (!m_changed && running != m_first)
        {
            m_changed = true;
            Print("scene-on", cpu);
        }
        if (m_changed && !running->isTransitionScene())
        {
            Print("scene-settled", cpu);
            director->getScheduler()->unscheduleAllForTarget(this);
        }
        m_lastCpu = cpu;
    }

private:
    // The wall clock, and the process's CPU time (every thread) since the
    // last tick: what the frame that showed it cost, whatever the load.
    void Print(const char* what, double cpu)
    {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        std::fprintf(stderr, "timing: %s %.6f %.1f\n", what, std::chrono::duration<double>(now).count(),
                     (cpu - m_lastCpu) * 1000);
    }

    static double CpuSeconds()
    {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
    }

    double m_lastCpu = 0;
    CCScene* m_first = nullptr;
    bool m_changed = false;
};

// Each scene change says on standard error when its first frame is out: a
// transition as it starts (which one, how long), the scene once it is on.
// What the window shows meanwhile is half the one and half the other: a
// look of the window taken for later is taken once the scene is on.
class SceneLog : public CCObject
{
public:
    void shown(CCObject* sender)
    {
        if (auto* transition = dynamic_cast<CCTransitionScene*>(sender))
            std::fprintf(stderr, "kestrelium: scene %s comes in by %s (%.1f s)\n",
                         ClassName(transition->getInScene()).c_str(), ClassName(transition).c_str(),
                         transition->getDuration());
        else if (sender != nullptr)
            std::fprintf(stderr, "kestrelium: scene %s is on\n", ClassName(sender).c_str());
    }

private:
    // Without the engine's namespace: the names read as the code has them.
    static std::string ClassName(CCObject* object)
    {
        const std::string name = ccClassName(object);
        const std::string::size_type colons = name.rfind("::");
        return colons == std::string::npos ? name : name.substr(colons + 2);
    }
};

// The first frame at a new size or maximised state of the window says so on
// standard error (`window 1920x1040 maximised is drawn`): until then the
// window shows the last size's frame, or none where it grew.
class WindowLog : public CCObject
{
public:
    void drawn(CCObject*)
    {
        CCEGLView* view = CCEGLView::sharedOpenGLView();
        const CCSize size = view->getFrameSize();
        std::fprintf(stderr, "kestrelium: window %dx%d%s is drawn\n", static_cast<int>(size.width),
                     static_cast<int>(size.height), view->isMaximized() ? " maximised" : "");
    }
};

// The hall's configuration: hall.conf in the program's folder, then the
// options; a room without a kind name takes the registry's. Scripted input
// among the options starts playing with the first frame.
CCScene* CreateHall()
{
    std::vector<std::string> options;
    const std::string defaultFile = CClientGlobal::GetAppDirectory() + "hall.conf";
    if (std::ifstream(defaultFile).good())
    {
        options.push_back("--hall-config");
        options.push_back(defaultFile);
    }
    if (AppDelegate* app = AppDelegate::GetInstance())
    {
        const std::vector<std::string>& extra = app->GetOptions().extra;
        options.insert(options.end(), extra.begin(), extra.end());
    }
    HallConfig config;
    std::string error;
    if (!hall::ReadOptions(options, config, error))
    {
        std::fprintf(stderr, "kestrelium: %s\n", error.c_str());
        CClientGlobal::ShowMessageBox(CClientGlobal::UTF8ToGBK(error));
    }
    for (HallRoom& room : config.rooms)
    {
        const Sexy::GameKindModuleInfo* kind = games::FindGameKind(room.kindId);
        if (room.kindName.empty() && kind != nullptr)
            room.kindName = kind->pszName;
    }
    std::vector<scripted::InputStep> steps;
    if (!scripted::ReadInputSteps(options, steps, error))
        std::fprintf(stderr, "kestrelium: %s\n", error.c_str());
    scripted::PlayInputSteps(steps);
    return GameHallScene::CreateFirstScene(config);
}

}  // namespace

int main(int argc, char** argv)
{
    launch::Options options = launch::ParseOptions(argc, argv);
    if (!options.ok)
    {
        std::fprintf(stderr, "kestrelium: %s\n", options.error.c_str());
        return 2;
    }

    platform::SingleInstance instance("Kestrelium");
    if (!instance.Acquire())
    {
        // The player started it again: the running one comes forward.
        const bool heard = instance.CallHolder();
        std::fprintf(stderr, "kestrelium: the client is already running%s\n",
                     heard ? "; its window comes to the front" : "");
        return 0;
    }

    // The launcher's copy of itself is stale once we run again.
    unlink((CClientGlobal::GetAppDirectory() + "Springlock_1.exe").c_str());

    if (options.headless || std::getenv("KEST_HEADLESS") != nullptr)
        CCDirector::setHeadless(true);
    // Every clock, timer and animation runs on the scheduler's time.
    if (options.speed != 1)
        CCDirector::sharedDirector()->getScheduler()->setTimeScale(static_cast<float>(options.speed));
    CCFileUtils::sharedFileUtils()->setResourceRoot(options.resourceDir.empty() ? KEST_RES_DIR : options.resourceDir);

    CCUserDefault* settings = CCUserDefault::sharedUserDefault();
    const int version =
        launch::BackVersionToStore(options.commandLine, settings->getIntegerForKey("WIN32BackVesion", 0));
    if (version >= 0)
    {
        settings->setIntegerForKey("WIN32BackVesion", version);
        settings->flush();
    }

    // Every in-process game is known to the kernel before the first room.
    games::InstallGameKinds();
    // The hall is the first scene; it enters rooms through the room layer.
    AppDelegate::SetFirstSceneFactory(&CreateHall);
    GameHallScene::SetRoomEnterer(&RoomScene::EnterFromHall, &RoomScene::CloseOpenRoom);
    GameHallScene::SetUserInfoDialogFactory(&UserInfoDialog::CreateForHall);

    AppDelegate app(options);
    app.SetInstanceGuard(&instance);
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->setViewName("Kestrelium");
    view->setFrameSize(1288, 762);

    FrameLimit* limit = nullptr;
    if (options.frames >= 0)
    {
        limit = new FrameLimit(options.frames, options.screenshot);
        CCDirector::sharedDirector()->getScheduler()->scheduleSelector(schedule_selector(FrameLimit::tick), limit, 0,
                                                                       false);
    }
    if (std::getenv("KEST_TIMING") != nullptr)
    {
        static TimingProbe* probe = new TimingProbe();  // lives as long as the program
        CCDirector::sharedDirector()->getScheduler()->scheduleSelector(schedule_selector(TimingProbe::tick), probe, 0,
                                                                       false);
    }
    static SceneLog* sceneLog = new SceneLog();  // lives as long as the program
    CCNotificationCenter::sharedNotificationCenter()->addObserver(sceneLog, callfuncO_selector(SceneLog::shown),
                                                                  CCDirector::kSceneShownNotification, nullptr);
    static WindowLog* windowLog = new WindowLog();
    CCNotificationCenter::sharedNotificationCenter()->addObserver(windowLog, callfuncO_selector(WindowLog::drawn),
                                                                  CCDirector::kWindowDrawnNotification, nullptr);
    int rc = app.Run();
    if (limit != nullptr)
    {
        // A frame asked for and not written is a failed run.
        if (rc == 0 && limit->failed())
            rc = 1;
        limit->release();
    }
    return rc;
}
