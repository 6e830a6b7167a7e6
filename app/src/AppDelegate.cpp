#include "app/AppDelegate.h"

#include "core/ClientGlobal.h"
#include "core/ServerList.h"
#include "core/UserMarkList.h"
#include "net/TCPSocketModule.h"
#include "platform/MessageWindow.h"
#include "platform/Polled.h"
#include "platform/SingleInstance.h"
#include "ui/CCCursorTextField.h"
#include "ui/MyPoint.h"
#include "ui/UiServices.h"
#include "ui/VisibleRect.h"
#include "ui/WindowCaption.h"
#include "ui/WindyTopLayer.h"

#include "SimpleAudioEngine.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

using namespace cocos2d;
using CocosDenshion::SimpleAudioEngine;

namespace {

AppDelegate* g_app = nullptr;
AppDelegate::SceneFactory g_firstScene = nullptr;

constexpr float kDesignWidth = 1288;
constexpr float kDesignHeight = 762;
// The window goes no smaller than three quarters of the design: the
// smallest text of the tables and the room (12 points: seat names, chat
// lines, the room's table names) is 9 pixels high there, the least at which
// Chinese characters keep their strokes apart, and the caption buttons
// still take a click.
constexpr float kLeastWidth = kDesignWidth * 3 / 4;
constexpr float kLeastHeight = kDesignHeight * 3 / 4;

bool SoundExists(const std::string& path)
{
    return CCFileUtils::sharedFileUtils()->isFileExist(
        CCFileUtils::sharedFileUtils()->fullPathForFilename(path.c_str()));
}

void Post(const char* name, float x, float y)
{
    CCNotificationCenter::sharedNotificationCenter()->postNotification(name, CMyPoint::create(x, y));
}

// Each close request gets a line on standard error: a window that stays open
// after a close says why.
const char* CloseOutcome(app_services::CloseReply reply)
{
    switch (reply)
    {
        case app_services::CloseReply::Asked: return "a hand is under way: the player is asked";
        case app_services::CloseReply::AlreadyAsking: return "the player is being asked already: ignored";
        default: return "ending the client";
    }
}

}  // namespace

AppDelegate::AppDelegate(const launch::Options& options) : m_options(options)
{
    g_app = this;
    app_services::Install(this);
    // The window draws its own caption: it opens without the manager's frame.
    CCEGLView::sharedOpenGLView()->setWindowAreaHook(&AppDelegate::WindowAreaHook);
}

AppDelegate::~AppDelegate()
{
    // The sound device's thread ends with the program's object.
    SimpleAudioEngine::end();
    if (g_app == this)
        g_app = nullptr;
    if (app_services::Get() == this)
        app_services::Install(nullptr);
    CCEGLView::sharedOpenGLView()->setWindowAreaHook(nullptr);
}

AppDelegate* AppDelegate::GetInstance() { return g_app; }

void AppDelegate::SetFirstSceneFactory(SceneFactory factory) { g_firstScene = factory; }

void AppDelegate::applySettingsAtStart()
{
    CCUserDefault* settings = CCUserDefault::sharedUserDefault();
    settings->setIntegerForKey("WIN32CheckVesion", settings->getIntegerForKey("WIN32CheckVesion", 1));
    settings->setIntegerForKey("WIN32BackVesion", settings->getIntegerForKey("WIN32BackVesion", 1));
    settings->setBoolForKey("RememberPwd", settings->getBoolForKey("RememberPwd", true));
    settings->setIntegerForKey("RoomSocketPort", 0);
    settings->flush();
}

bool AppDelegate::applicationDidFinishLaunching()
{
    InstallUiCoreServices();
    CServerList::GetInstance();
    applySettingsAtStart();
    CUserMarkList::GetInstance()->Load();

    CCDirector* director = CCDirector::sharedDirector();
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->setFrameLeastSize(kLeastWidth, kLeastHeight);
    director->setOpenGLView(view);
    // Any window size shows the whole table: the side with room to spare
    // shows more, laid out to the size.
    view->setDesignResolutionSize(kDesignWidth, kDesignHeight, kResolutionShowAllExpanded);
    director->setAnimationInterval(1.0 / 60);
    view->setWindowMessageHook(&AppDelegate::WindowMessageHook);

    WindyTopLayer::sharedTopLayer();
    view->setWindowIcon(CCFileUtils::sharedFileUtils()->fullPathForFilename("Icon/kestrelium.png"));

    // The guided tour belongs before the hall on a first run; it is not part
    // of this client yet, so the first run only moves the setting on.
    CCUserDefault* settings = CCUserDefault::sharedUserDefault();
    if (settings->getIntegerForKey("effect", 0) == 1)
    {
        settings->setIntegerForKey("effect", 2);
        settings->flush();
    }
    CCScene* scene = g_firstScene != nullptr ? g_firstScene() : nullptr;
    if (scene == nullptr)
        scene = CCScene::create();  // a program that installed no first scene (tests)
    director->runWithScene(scene);
    // Screenshots draw their frame themselves.
    if (m_options.noDraw)
        director->stopAnimation();
    return true;
}

// Connections and message windows move only when serviced, on the main
// thread: the loop wakes when one of their descriptors is ready or one of
// their deadlines (keep-alive, watchdog, window timers) comes.
void AppDelegate::addWaitSources(std::vector<pollfd>& fds, double& timeout)
{
    uint64_t dueInMs = UINT64_MAX;
    if (m_pInstance != nullptr && m_pInstance->CallDescriptor() >= 0)
        fds.push_back(pollfd{m_pInstance->CallDescriptor(), POLLIN, 0});
    CTCPSocketModule::AddWaitsAll(fds, dueInMs);
    platform::MessageWindow::AddWaitsAll(fds, dueInMs);
    if (dueInMs != UINT64_MAX)
        timeout = std::min(timeout, static_cast<double>(dueInMs) / 1000);
}

void AppDelegate::serviceWaitSources()
{
    // A second start of the program: this one's window comes forward. Its
    // socket is read only when the wait found a call there (or did not look).
    if (m_pInstance != nullptr && !platform::FoundQuiet(polledWaitSources(), m_pInstance->CallDescriptor()) &&
        m_pInstance->TakeCalls())
        CCEGLView::sharedOpenGLView()->raiseWindow();
    // Sockets the last wait found quiet are not read.
    CTCPSocketModule::PollAll(polledWaitSources());
    platform::MessageWindow::PumpAll(polledWaitSources());
}

std::string AppDelegate::ResolveSoundPath(const std::string& name)
{
    static const std::vector<std::string> kExtensions{".wma", ".mp3", ".ogg"};
    return launch::ResolveSound(name, kExtensions, &SoundExists);
}

void AppDelegate::playBackgroundMusic(const char* name, bool loop)
{
    if (name == nullptr || !CCUserDefault::sharedUserDefault()->getBoolForKey("Music", true))
        return;
    const std::string path = ResolveSoundPath(name);
    if (!path.empty())
        SimpleAudioEngine::sharedEngine()->playBackgroundMusic(path.c_str(), loop);
}

void AppDelegate::stopBackgroundMusic() { SimpleAudioEngine::sharedEngine()->stopBackgroundMusic(true); }

void AppDelegate::playEffect(const char* name)
{
    if (name == nullptr || !CCUserDefault::sharedUserDefault()->getBoolForKey("Effect", true))
        return;
    const std::string path = ResolveSoundPath(name);
    if (!path.empty())
        SimpleAudioEngine::sharedEngine()->playEffect(path.c_str(), false);
}

void AppDelegate::stopAllEffects() { SimpleAudioEngine::sharedEngine()->stopAllEffects(); }

bool AppDelegate::IsMaximized() const { return CCEGLView::sharedOpenGLView()->isMaximized(); }

// The window has no frame of the window manager's, so nothing of one needs
// hiding past the usable area's edges: a maximised window is that area.
void AppDelegate::ToggleMaximize()
{
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    if (view->isMaximized())
        view->restoreWindow();
    else
        view->maximizeWindow();
}

int AppDelegate::GetWindowWidth() const
{
    return static_cast<int>(CCEGLView::sharedOpenGLView()->getFrameSize().width);
}

int AppDelegate::GetWindowHeight() const
{
    return static_cast<int>(CCEGLView::sharedOpenGLView()->getFrameSize().height);
}

const std::vector<std::string>& AppDelegate::GetServerAddresses() const
{
    return CServerList::GetInstance()->GetServers();
}

bool AppDelegate::WindowMessageHook(const CCWindowMessage& message)
{
    const app_services::InputTargetResolver resolver = app_services::GetInputTargetResolver();
    IWindowInputTarget* board = resolver != nullptr ? resolver() : nullptr;
    CCCursorTextField* field = CCCursorTextField::GetEditingField();
    switch (message.kind)
    {
        case CCWindowMessage::kSetCursor:
            if (board == nullptr)
                return false;
            board->UpdateChipCursor();
            return true;
        case CCWindowMessage::kMouseMove:
            if (board != nullptr && board->WantsMouseMove())
                board->OnMouseMove(VisibleRect::windowToGL(message.location));
            Post(notify::kCursor, message.location.x, message.location.y);
            return false;
        case CCWindowMessage::kRButtonUp:
            Post(notify::kRButtonUp, message.location.x, message.location.y);
            if (board != nullptr)
                board->OnRButtonUp();
            return false;
        case CCWindowMessage::kLButtonDblClk:
            if (board != nullptr)
                board->OnLButtonDblClk();
            return false;
        case CCWindowMessage::kMouseWheel:
            Post(notify::kMouseWheel, message.location.x, static_cast<float>(message.wheelDelta));
            return false;
        case CCWindowMessage::kKeyDown:
            if (message.key == kCCVKTab || message.key == kCCVKReturn)
            {
                Post(notify::kKeyReturn, static_cast<float>(message.key), 0);
                return false;
            }
            if (message.ctrl && message.key == 'C')
            {
                Post(notify::kCopy, 0, 0);
                return true;
            }
            if (message.ctrl && message.key == 'V')
            {
                Post(notify::kPaste, 0, 0);
                return true;
            }
            if (message.key == kCCVKBack && field != nullptr)
            {
                field->DeleteBackward();
                return true;
            }
            return false;
        case CCWindowMessage::kTextInput:
            if (field == nullptr)
                return false;
            field->InsertText(message.text);
            return true;
        case CCWindowMessage::kResized:
            WindyTopLayer::sharedTopLayer()->relayout();
            if (const app_services::ResizeHandler resize = app_services::GetResizeHandler())
                resize(static_cast<int>(message.location.x), static_cast<int>(message.location.y));
            return false;
        // The maximise and restore buttons and the maximised layout follow
        // the window, whoever maximised it (the manager can, unasked).
        case CCWindowMessage::kMaximized:
        case CCWindowMessage::kRestored:
            if (const app_services::ResizeHandler resize = app_services::GetResizeHandler())
            {
                const CCSize frame = CCEGLView::sharedOpenGLView()->getFrameSize();
                resize(static_cast<int>(frame.width), static_cast<int>(frame.height));
            }
            return false;
        case CCWindowMessage::kClose:
        {
            const app_services::CloseHandler close = app_services::GetCloseHandler();
            const app_services::CloseReply reply = close != nullptr ? close() : app_services::CloseReply::Close;
            std::fprintf(stderr, "kestrelium: close request: %s\n", CloseOutcome(reply));
            return reply != app_services::CloseReply::Close;
        }
        default: return false;
    }
}

CCWindowArea AppDelegate::WindowAreaHook(const CCPoint& locationInView)
{
    CCDirector* director = CCDirector::sharedDirector();
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    const CCPoint pixel(locationInView.x, view->getFrameSize().height - locationInView.y);
    const bool caption =
        window_caption::IsCaptionAt(director->getRunningScene(), director->getTopLayer(), VisibleRect::windowToGL(pixel));
    return caption ? CCWindowArea::kCaption : CCWindowArea::kClient;
}
