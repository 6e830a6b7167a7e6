#include "room/RoomScene.h"

#include "bank/BankDialogServer.h"
#include "core/ClientGlobal.h"
#include "core/ServerList.h"
#include "games/framework/GameBoard.h"
#include "hall/CDlgSetting.h"
#include "hall/GameHallScene.h"
#include "net/GameWindowRecord.h"
#include "net/TCPSocketModule.h"
#include "room/CDlgSpeaker.h"
#include "room/GameChatLayerG.h"
#include "room/PlayerTableViewLayerG.h"
#include "room/RoomLayout.h"
#include "room/TablePassWord.h"
#include "ui/AppServices.h"
#include "ui/ImageButton.h"
#include "ui/MBProgressHUD.h"
#include "ui/PublicLayer.h"
#include "ui/VisibleRect.h"
#include "ui/WebBrowserHost.h"
#include "ui/WindyTopLayer.h"
#include "update/WinUpdateGame.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

using namespace cocos2d;

RoomScene* g_pRoomScene = nullptr;

namespace {

std::string GBK(const char* utf8) { return CClientGlobal::UTF8ToGBK(utf8); }

CCUserDefault* Settings() { return CCUserDefault::sharedUserDefault(); }

void SetHallEntering(bool entering)
{
    if (g_pGameHallScene != nullptr)
        g_pGameHallScene->SetEnterFlag(entering);
}

void ResizeRoom(int width, int height)
{
    if (g_pRoomScene != nullptr && g_pRoomScene->IsRoomShown())
        g_pRoomScene->LayoutRoom(static_cast<float>(width), static_cast<float>(height));
    else
        GameHallScene::OnWindowResized(width, height);
}

// The window hook's way to the game board: only while the room runs and
// its kernel has a board.
class RoomBoardInput : public IWindowInputTarget
{
public:
    static Sexy::CGameBoard* Board()
    {
        RoomScene* room = g_pRoomScene;
        if (room == nullptr || CCDirector::sharedDirector()->getRunningScene() != room)
            return nullptr;
        Sexy::CBaseKernelLayer* kernel = room->GetKernelLayer();
        return kernel != nullptr ? kernel->GetGameBoard() : nullptr;
    }
    void UpdateChipCursor() override
    {
        if (Sexy::CGameBoard* board = Board())
            board->UpdateChipCursor();
    }
    bool WantsMouseMove() override
    {
        return g_pRoomScene != nullptr && g_pRoomScene->IsRoomShown() && g_pRoomScene->GetChairCount() > 8;
    }
    void OnMouseMove(const CCPoint& gl) override
    {
        if (Sexy::CGameBoard* board = Board())
            board->OnMouseMove(gl);
    }
    void OnRButtonUp() override
    {
        if (Sexy::CGameBoard* board = Board())
            board->OnRButtonUp();
    }
    void OnLButtonDblClk() override
    {
        if (Sexy::CGameBoard* board = Board())
            board->OnLButtonDblClk();
    }
};

IWindowInputTarget* ResolveBoardInput()
{
    static RoomBoardInput input;
    return RoomBoardInput::Board() != nullptr ? &input : nullptr;
}

// Closing the window in the middle of a hand is leaving the table: the
// table's close button asks, and the window stays.
app_services::CloseReply AskBeforeClosing()
{
    Sexy::CBaseKernelLayer* kernel = g_pRoomScene != nullptr ? g_pRoomScene->GetKernelLayer() : nullptr;
    if (kernel == nullptr || !kernel->IsPlaying())
        return app_services::CloseReply::Close;
    const bool asking =
        WindyTopLayer::sharedTopLayer()->getChildByTag(Sexy::CBaseKernelLayer::kExitDialogTag) != nullptr;
    kernel->RequestExit();
    return asking ? app_services::CloseReply::AlreadyAsking : app_services::CloseReply::Asked;
}

}  // namespace

RoomScene* RoomScene::create()
{
    auto* scene = new RoomScene();
    if (!scene->init())
    {
        delete scene;
        return nullptr;
    }
    scene->autorelease();
    return scene;
}

bool RoomScene::EnterFromHall(const GameKindRecord& kind, const GameServerRecord& server)
{
    RoomScene* room = create();
    if (room == nullptr)
        return false;
    room->retain();  // released by CloseRoom
    room->EnterRoom(kind, server);
    return true;
}

void RoomScene::CloseOpenRoom()
{
    if (g_pRoomScene != nullptr)
        g_pRoomScene->CloseRoom();
}

RoomScene::RoomScene() : m_GameRoomBinding(this) {}

RoomScene::~RoomScene()
{
    CCDirector::sharedDirector()->getScheduler()->unscheduleAllForTarget(this);
    if (m_pLogonDialog != nullptr)
    {
        m_pLogonDialog->setDelegate(nullptr);
        m_pLogonDialog->release();
    }
    m_Session.SetSocket(nullptr);
    if (g_pRoomScene == this)
        g_pRoomScene = nullptr;
}

BankDialogServer* RoomScene::GetBankDialog() const { return BankDialogServer::GetRoomDialog(); }

bool RoomScene::init()
{
    if (!CCScene::init())
        return false;
    const UserRecord& logon = CClientGlobal::GetInstance()->GetUserRecord();
    auto socket = std::make_unique<CTCPSocketModule>();
    socket->SetUserID(logon.dwUserID);
    socket->SetConnectCount(logon.cbConnectCount);
    SetSocket(std::move(socket));

    m_RecvCopyData.SetChannelMessageSink(this);
    // A named block outlives a program that ended without closing it, and
    // window handles come round again: a taken name asks for another handle.
    for (int attempt = 0; attempt < kWindowAttempts && m_SharedRecord.Data() == nullptr; ++attempt)
    {
        if (!m_MessageWindow.Create(this))
            return false;
        char handle[16];
        std::snprintf(handle, sizeof(handle), "%u", m_MessageWindow.GetHandle());
        m_strWindowText = handle;
        if (!m_SharedRecord.Create(m_strWindowText, sizeof(GameWindowRecord)))
            m_MessageWindow.Destroy();
    }
    if (m_SharedRecord.Data() == nullptr)
        return false;
    GameWindowRecord record{};
    record.wSize = sizeof(GameWindowRecord);
    record.hMainWnd = platform::GetMainWindowHandle();
    record.hRoomWnd = m_MessageWindow.GetHandle();
    std::memcpy(m_SharedRecord.Data(), &record, sizeof(record));
    setTag(kSceneTag);

    CreatePanes();
    g_pRoomScene = this;
    app_services::SetResizeHandler(&ResizeRoom);
    app_services::SetInputTargetResolver(&ResolveBoardInput);
    app_services::SetCloseHandler(&AskBeforeClosing);
    m_pKernelLayer = Sexy::CBaseKernelLayer::create();
    if (m_pKernelLayer != nullptr)
    {
        m_pKernelLayer->setPosition(CCPoint(0, 0));
        addChild(m_pKernelLayer, kKernelZOrder);
    }
    return true;
}

// --- life ------------------------------------------------------------------

void RoomScene::EnterRoom(const GameKindRecord& kind, const GameServerRecord& server)
{
    std::vector<std::string> servers;
    if (IAppServices* app = app_services::Get())
        servers = app->GetServerAddresses();
    else
        servers = CServerList::GetInstance()->GetServers();
    m_Session.SetRoomVersion(static_cast<uint32_t>(Settings()->getIntegerForKey("RoomVesion", kDefaultRoomVersion)));
    m_Session.Connect(kind, server, servers);

    SetHallEntering(true);
    // Runs even while the room is not on show yet.
    CCDirector::sharedDirector()->getScheduler()->scheduleSelector(schedule_selector(RoomScene::ClearHallEnterFlag),
                                                                   this, 0, 0, kEnterFlagSeconds, false);
}

void RoomScene::ClearHallEnterFlag(float)
{
    CCDirector::sharedDirector()->getScheduler()->unscheduleSelector(schedule_selector(RoomScene::ClearHallEnterFlag),
                                                                     this);
    SetHallEntering(false);
}

void RoomScene::OnSocketTick(float) { m_Session.Tick(); }

void RoomScene::ExitRoom()
{
    if (m_bLeaving)
        return;
    m_bLeaving = true;
    Settings()->setBoolForKey("Lock", false);
    // Only a room on show is a scene of its own; popping otherwise would
    // take the hall away.
    const bool pushed = m_bRoomShown;
    // A transition still running would take the hall's exit with it when
    // popped: the room waits for it to hand over, then pops.
    CCScene* running = CCDirector::sharedDirector()->getRunningScene();
    const bool inTransition = pushed && running != nullptr && running != this && running->isTransitionScene();
    retain();
    CloseRoom();
    if (inTransition)
        m_bPopWhenShown = true;
    else if (pushed)
        CCDirector::sharedDirector()->popScene();
    app_services::StopBackgroundMusic();
    release();
}

void RoomScene::onEnterTransitionDidFinish()
{
    CCScene::onEnterTransitionDidFinish();
    if (m_bPopWhenShown)
        scheduleOnce(schedule_selector(RoomScene::PopLeftRoom), 0);
}

void RoomScene::PopLeftRoom(float)
{
    m_bPopWhenShown = false;
    CCDirector::sharedDirector()->popScene();
}

void RoomScene::CloseRoom()
{
    if (m_bClosed)
        return;
    m_bClosed = true;
    MBProgressHUD::hideHUD(false);
    CCScheduler* scheduler = CCDirector::sharedDirector()->getScheduler();
    scheduler->unscheduleSelector(schedule_selector(RoomScene::OnSocketTick), this);
    if (scheduler->isScheduledForTarget(schedule_selector(RoomScene::ClearHallEnterFlag), this))
    {
        scheduler->unscheduleSelector(schedule_selector(RoomScene::ClearHallEnterFlag), this);
        SetHallEntering(false);
    }
    CClientGlobal::GetInstance()->WriteLog(GBK("房间点击退出按钮"));
    m_Session.Close();
    StopExternalGame(105);
    m_bRoomShown = false;
    removeAllChildrenWithCleanup(true);
    m_pKernelLayer = nullptr;
    m_pTableList = nullptr;
    m_pUserList = nullptr;
    m_pChatLayer = nullptr;
    m_pPublicLayer = nullptr;
    m_pTopBar = m_pTableArea = m_pChatBackground = nullptr;
    m_pLines[0] = m_pLines[1] = nullptr;
    m_pExitButton = m_pSettingButton = m_pQuickJoinButton = m_pBackButton = nullptr;
    m_pBackLabel = m_pTitleLabel = nullptr;
    release();  // the hall's reference
}

void RoomScene::onEnter()
{
    CCScene::onEnter();
    if (g_pGameHallScene != nullptr)
        g_pGameHallScene->RemoveHallMessage();
    WindyTopLayer::sharedTopLayer()->relayout();
}

void RoomScene::OnDialogResult(int button)
{
    if (WindyTopLayer::sharedTopLayer()->getChildByTag(kReenterDialogTag) == nullptr)
    {
        CloseRoom();
        return;
    }
    if (button != Dialog::kButtonOK)
        return;
    // Read before leaving: leaving may free the scene.
    const int port = GetServerRecord().wServerPort;
    ExitRoom();
    Settings()->setIntegerForKey("RoomSocketPort", port);
    Settings()->flush();
}

// --- what the session shows: the connection -----------------------------------

void RoomScene::OnRoomLinkFailed(const std::string& text)
{
    MBProgressHUD::hideHUD(false);
    CClientGlobal::ShowMessageBox(text);
    // The room never showed: nothing else would ever let it go.
    SetHallEntering(false);
    if (!m_bRoomShown)
        CloseRoom();
}

void RoomScene::OnRoomShut()
{
    MBProgressHUD::hideHUD(false);
    StopExternalGame(106);
    SetHallEntering(false);
    CCDirector::sharedDirector()->getScheduler()->unscheduleSelector(schedule_selector(RoomScene::OnSocketTick), this);
    // A room on show stays until the player leaves it; one that never showed
    // would never be left.
    if (!m_bRoomShown)
        CloseRoom();
}

void RoomScene::OnRoomLoggedOn()
{
    if (m_pPublicLayer != nullptr)
        GameHallUserLayer::UpdateUserInfo(m_pPublicLayer);
    MBProgressHUD::hideHUD(false);
    if (m_pKernelLayer != nullptr)
        m_pKernelLayer->LoadGameResources(&GetKindRecord());
}

void RoomScene::OnRoomRefused(const std::u16string& reason)
{
    SetHallEntering(false);
    MBProgressHUD::hideHUD(false);
    CCDirector::sharedDirector()->getScheduler()->unscheduleSelector(schedule_selector(RoomScene::ClearHallEnterFlag),
                                                                     this);
    if (m_pLogonDialog != nullptr)
    {
        m_pLogonDialog->setDelegate(nullptr);
        m_pLogonDialog->release();
    }
    m_pLogonDialog = Dialog::create();
    m_pLogonDialog->retain();
    m_pLogonDialog->setModal(true);
    m_pLogonDialog->setDelegate(this);
    m_pLogonDialog->ShowMessage(GBK("提示").c_str(), CClientGlobal::WideToAnsi(reason).c_str());
}

void RoomScene::OnRoomLogonFinished()
{
    const std::u16string name = FieldText(GetServerRecord().szServerName);
    if (m_pTitleLabel != nullptr)
        m_pTitleLabel->setString(("[ " + CClientGlobal::WideToUTF8(name) + " ]").c_str());
    CWebBrowserHost::GetInstance()->ShowWebWindows(false);
    if (IsExternalKind())
        m_MessageWindow.SetTimer(kExternalPollTimer, 500);
    if (m_pUserList != nullptr)
        m_pUserList->ReloadList();
    m_bUserListHidden = !Settings()->getBoolForKey("UserList", true);
    Settings()->flush();

    m_bRoomShown = true;
    const CCSize window = app_services::WindowSize();
    LayoutRoom(window.width, window.height);
    PushRoomScene();

    tagUserData* me = GetMeUserData();
    if (m_Session.IsSeated() && m_bGameResourcesReady)
        EnterGame(me->wTableID, me->wChairID);
    if (Settings()->getBoolForKey("Music", true))
        app_services::PlayLoopMusic("Music/background.mp3");
    Settings()->flush();
}

void RoomScene::OnRoomConfig()
{
    if (m_pTableList != nullptr)
        m_pTableList->SetupTables(GetRoomConfig(), GetKindRecord().wKindID);
}

// --- what the session shows: users and the grid -----------------------------------

void RoomScene::OnUserAdded(const tagUserData*)
{
    if (m_bRoomShown && m_pUserList != nullptr)
        m_pUserList->ReloadList();
}

void RoomScene::OnUserChanged(const tagUserData* user)
{
    if (m_pUserList != nullptr)
        m_pUserList->UpdateUser(user);
}

void RoomScene::OnUserRemoved(const tagUserData* user)
{
    if (m_pUserList != nullptr)
        m_pUserList->RemoveUser(user->dwGameID);
}

void RoomScene::OnMyScoreChanged()
{
    if (m_pPublicLayer != nullptr)
        GameHallUserLayer::UpdateUserInfo(m_pPublicLayer);
}

void RoomScene::OnTableScoreChanged()
{
    CCNotificationCenter::sharedNotificationCenter()->postNotification("ChangeFacePhoto");
}

const tagUserData* RoomScene::GetChairUser(uint16_t table, uint16_t chair) const
{
    return m_pTableList != nullptr ? m_pTableList->GetChairUser(table, chair) : nullptr;
}

bool RoomScene::IsTableLocked(uint16_t table) const
{
    const CCTableInfo* info = m_pTableList != nullptr ? m_pTableList->GetTableInfo(table) : nullptr;
    return info != nullptr && info->bLocked;
}

void RoomScene::SetTableState(uint16_t table, bool playing, bool locked)
{
    if (m_pTableList != nullptr)
        m_pTableList->SetTableState(table, playing, locked);
}

void RoomScene::SetChairUser(uint16_t table, uint16_t chair, const tagUserData* user)
{
    if (m_pTableList != nullptr)
        m_pTableList->SetUserInfo(table, chair, user);
}

void RoomScene::SetChairState(uint16_t table, uint16_t chair, uint8_t status)
{
    if (m_pTableList != nullptr)
        m_pTableList->SetChairState(table, chair, status);
}

void RoomScene::ForgetChairUser(const tagUserData* user)
{
    if (m_pTableList != nullptr)
        m_pTableList->ForgetUser(user);
}

void RoomScene::ShowScoreChange(uint16_t table, uint16_t chair, int64_t delta, const tagUserData* user, uint8_t flag)
{
    if (m_pTableList != nullptr)
        m_pTableList->ShowScoreChange(table, chair, delta, user, flag);
}

void RoomScene::OpenTablePassword()
{
    removeChildByTag(kTagTablePassword, true);
    if (TablePassWord* dialog = TablePassWord::create())
        addChild(dialog, kKernelZOrder + 1, kTagTablePassword);
}

void RoomScene::HideProgress() { MBProgressHUD::hideHUD(false); }

// --- what the session shows: texts and the game ------------------------------------

void RoomScene::AddChatLine(const std::string& sender, const std::string& text, ChatKind kind)
{
    if (m_pChatLayer == nullptr)
        return;
    m_pChatLayer->AddChatLine(sender, text, kind == ChatKind::Notice ? GameChatLayerG::kNotice : GameChatLayerG::kChat);
}

void RoomScene::ShowSpeakerLine(uint16_t type, const std::string& sender, const std::string& text)
{
    if (m_pChatLayer != nullptr && (type == kSpeakerBigType || type == kSpeakerSmallType))
    {
        m_pChatLayer->PrepareSpeakerLine();
        m_pChatLayer->AddChatLine(
            sender, text, type == kSpeakerBigType ? GameChatLayerG::kSpeakerBig : GameChatLayerG::kSpeakerSmall);
    }
    WindyTopLayer::sharedTopLayer()->pushMessage(sender + GBK("： ") + text);
}

void RoomScene::OpenSpeakerDialog(const tagSpeakerInfo& info)
{
    // A second allowance while the dialog is open refreshes it.
    if (auto* open = dynamic_cast<CDlgSpeaker*>(getChildByTag(CDlgSpeaker::kDialogTag)))
    {
        open->SetSpeakerInfo(info);
        return;
    }
    if (CDlgSpeaker* dialog = CDlgSpeaker::create())
    {
        dialog->SetSpeakerInfo(info);
        addChild(dialog, kKernelZOrder + 1, CDlgSpeaker::kDialogTag);
    }
}

bool RoomScene::OnBankMessage(uint16_t sub, const void* data, size_t size)
{
    if (BankDialogServer* bank = GetBankDialog())
        return bank->OnBankMessage(sub, data, size);
    return ForwardToGame(MDM_GR_BANK, sub, data, size);
}

void RoomScene::OnMyTableState(bool playing)
{
    if (!IsExternalKind() && m_pKernelLayer != nullptr)
        m_pKernelLayer->OnChannelMessage(Sexy::IPC_MAIN_USER,
                                         playing ? Sexy::IPC_SUB_TABLE_STARTED : Sexy::IPC_SUB_TABLE_ENDED);
    CWinUpdateGame* update = CWinUpdateGame::GetInstance();
    if (update->IsRestartPending() && GetChairCount() < 8 && !playing)
        update->ShowRestartPrompt();
}

void RoomScene::OnMySeatTaken(uint16_t table, uint16_t chair)
{
    if (IsExternalKind())
        LaunchExternalGame(GetMeUserData());
    else
        EnterGame(table, chair);
}

void RoomScene::StopExternalGame(uint16_t notifySub)
{
    if (m_Process.IsOpen() && m_Process.IsRunning())
        m_SendCopyData.SendCommand(Sexy::IPC_MAIN_CONFIG, notifySub);
    m_MessageWindow.KillTimer(kExternalPollTimer);
    m_Process.Close();
    m_hGameWnd = 0;
}

// --- panes ----------------------------------------------------------------------------

void RoomScene::CreatePanes()
{
    m_pPublicLayer = PublicLayer::create(1);
    if (m_pPublicLayer != nullptr)
    {
        m_pPublicLayer->HideTitleAndClose();
        m_pPublicLayer->setButtonTarget(this, menu_selector(RoomScene::OnFrameButton));
        addChild(m_pPublicLayer, 0);
    }
    m_pTableArea = CCSprite::create("Table/bg1");
    m_pTableArea->setAnchorPoint(CCPoint(0, 0));
    addChild(m_pTableArea, 1);
    m_pTableList = CCTableListLayer::create();
    m_pTableList->setSeatSink(this);
    addChild(m_pTableList, 2);

    m_pTopBar = CCSprite::create("Table/location_bg");
    m_pTopBar->setAnchorPoint(CCPoint(0, 1));
    addChild(m_pTopBar, 3);
    m_pTitleLabel = CCLabelTTF::create("[ ]", "Arial", 16);
    m_pTitleLabel->setColor(ccc3(13, 52, 83));
    m_pTitleLabel->setAnchorPoint(CCPoint(0, 0));
    m_pTitleLabel->setHorizontalAlignment(kCCTextAlignmentLeft);
    m_pTitleLabel->setVerticalAlignment(kCCVerticalTextAlignmentCenter);
    m_pTitleLabel->setPosition(CCPoint(10, 8));
    m_pTopBar->addChild(m_pTitleLabel, 1);
    m_pExitButton = CImageButton::create("Table/exit", "Table/exit_pressed", "Table/exit_hover", this,
                                         menu_selector(RoomScene::OnExitButton), 1);
    m_pSettingButton = CImageButton::create("Table/setting", "Table/setting_pressed", "Table/setting_hover", this,
                                            menu_selector(RoomScene::OnSettingButton), 2);
    m_pQuickJoinButton = CImageButton::create("Table/quick_join", "Table/quick_join_pressed", "Table/quick_join_hover",
                                              this, menu_selector(RoomScene::OnQuickJoin), 3);
    for (CImageButton* button : {m_pExitButton, m_pSettingButton, m_pQuickJoinButton})
    {
        button->setAnchorPoint(CCPoint(0, 0));
        button->setTouchPriority(-128);
        m_pTopBar->addChild(button, 2);
    }
    m_pBackButton = CImageButton::create("ClientGame/bt-dark", "ClientGame/bt-light", "ClientGame/bt-move", this,
                                         menu_selector(RoomScene::OnBackToGame), 4);
    m_pBackButton->setAnchorPoint(CCPoint(0, 0));
    m_pBackButton->setPosition(CCPoint(240, (m_nTopBarHeight * 0.5f + 5) * 0.5f + 28));
    m_pBackButton->setVisible(false);
    m_pBackLabel = CCLabelTTF::create("", "Arial", 15);
    m_pBackLabel->setPosition(CCPoint(30, 13));
    m_pBackButton->addChild(m_pBackLabel, 5);
    m_pTopBar->addChild(m_pBackButton, 2);

    m_pUserList = PlayerTableViewLayerG::create(&GetUserManager());
    addChild(m_pUserList, 2);
    m_pChatBackground = CCSprite::create("Table/chat_bg");
    m_pChatBackground->setAnchorPoint(CCPoint(0, 1));
    addChild(m_pChatBackground, 1);
    for (CCSprite*& line : m_pLines)
    {
        line = CCSprite::create("Chat/line");
        line->setAnchorPoint(CCPoint(0, 0));
        addChild(line, 3);
    }
    m_pChatLayer = GameChatLayerG::create();
    addChild(m_pChatLayer, 2);
    ApplyLayout(true);
}

void RoomScene::ApplyLayout(bool withUserList)
{
    const CCRect visible = VisibleRect::getVisibleRect();
    const room::RoomLayout l =
        room::ComputeRoomLayout(visible.getMaxX(), visible.getMaxY(), visible.getMinY(), withUserList);
    m_nAvailableHeight = l.availableHeight;
    m_nUserListHeight = l.userListHeight;
    // A pane larger than its picture (a tall maximised window) stretches
    // the picture: its edge texels drawn on would streak the background.
    auto place = [](CCSprite* sprite, const room::PaneRect& r) {
        if (sprite == nullptr)
            return;
        CCSize picture(r.width, r.height);
        if (CCTexture2D* texture = sprite->getTexture())
            picture = texture->getContentSize();
        const float w = std::min(r.width, picture.width);
        const float h = std::min(r.height, picture.height);
        sprite->setTextureRect(CCRect(0, 0, w, h));
        sprite->setScaleX(w > 0 ? r.width / w : 1);
        sprite->setScaleY(h > 0 ? r.height / h : 1);
        sprite->setPosition(CCPoint(r.x, r.y));
    };
    place(m_pTopBar, l.topBar);
    place(m_pTableArea, l.tableArea);
    if (m_pTableList != nullptr)
    {
        m_pTableList->setPosition(CCPoint(l.tableGrid.x, l.tableGrid.y));
        m_pTableList->LayoutTables(CCSize(l.tableGrid.width, l.tableGrid.height), GetKindRecord().wKindID);
    }
    if (m_pExitButton != nullptr)
    {
        const room::TopBarButtons b = room::PlaceTopBarButtons(l.topBar.width, m_pExitButton->getContentSize().width,
                                                               m_pSettingButton->getContentSize().width,
                                                               m_pQuickJoinButton->getContentSize().width);
        m_pExitButton->setPosition(CCPoint(b.exitX, b.exitY));
        m_pSettingButton->setPosition(CCPoint(b.settingX, b.settingY));
        m_pQuickJoinButton->setPosition(CCPoint(b.quickJoinX, b.quickJoinY));
    }
    place(m_pChatBackground, l.chatBackground);
    place(m_pLines[0], l.verticalLine);
    place(m_pLines[1], l.horizontalLine);
    if (m_pUserList != nullptr)
    {
        m_pUserList->setPosition(CCPoint(l.userList.x, l.userList.y));
        m_pUserList->LayoutList(l.userList.width, l.userList.height);
    }
    if (m_pChatLayer != nullptr)
    {
        m_pChatLayer->setPosition(CCPoint(l.chatPane.x, l.chatPane.y));
        m_pChatLayer->LayoutChat(l.chatPane.width, l.chatPane.height);
    }
    // Off: the right column neither shows nor takes touches.
    for (CCNode* node :
         std::initializer_list<CCNode*>{m_pUserList, m_pChatBackground, m_pChatLayer, m_pLines[0], m_pLines[1]})
    {
        if (node != nullptr)
            node->setVisible(withUserList);
    }
    if (m_pUserList != nullptr)
        m_pUserList->setTouchEnabled(withUserList && m_pUserList->isRunning());
    if (m_pChatLayer != nullptr)
        m_pChatLayer->setTouchEnabled(false);
}

void RoomScene::LayoutRoom(float width, float height)
{
    m_bUserListHidden = !Settings()->getBoolForKey("UserList", true);
    Settings()->flush();
    if (m_pPublicLayer != nullptr)
        m_pPublicLayer->Relayout(width, height, app_services::IsMaximized());
    ApplyLayout(!m_bUserListHidden);
    if (m_pTableList != nullptr)
        m_pTableList->SetupTables(GetRoomConfig(), GetKindRecord().wKindID);
    if (m_pKernelLayer != nullptr && m_pKernelLayer->GetGameBoard() != nullptr)
        m_pKernelLayer->GetGameBoard()->LayoutBoard(static_cast<int>(width), static_cast<int>(height));
}

void RoomScene::HideUserList()
{
    m_bUserListHidden = true;
    ApplyLayout(false);
}

void RoomScene::ShowUserList()
{
    m_bUserListHidden = false;
    ApplyLayout(true);
}

void RoomScene::ToggleMaximize() { app_services::ToggleMaximize(); }

CCScene* RoomScene::CreateRoomTransition(int which, CCScene* scene)
{
    switch (which)
    {
        case 0: return CCTransitionProgressRadialCCW::create(0.7f, scene);
        case 1: return CCTransitionProgressHorizontal::create(0.7f, scene);
        case 2: return CCTransitionProgressInOut::create(0.7f, scene);
        case 3: return CCTransitionMoveInL::create(0.7f, scene);
        case 4: return CCTransitionMoveInB::create(0.5f, scene);
        default: return scene;
    }
}

int RoomScene::s_nForcedTransition = -1;

void RoomScene::PushRoomScene()
{
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    const int random = std::rand() % kRoomTransitions;
    PushRoomScene(s_nForcedTransition >= 0 ? s_nForcedTransition : random);
}

void RoomScene::PushRoomScene(int transition)
{
    CCScene* shown = CreateRoomTransition(transition, this);
    CCDirector::sharedDirector()->pushScene(shown != nullptr ? shown : this);
    CCDirector::sharedDirector()->getScheduler()->scheduleSelector(schedule_selector(RoomScene::OnSocketTick), this,
                                                                   kSocketTickSeconds, kCCRepeatForever, 0, false);
}

void RoomScene::OnSettingButton(CCObject*)
{
    removeChildByTag(kTagSetting, true);
    CDlgSetting* dialog = CDlgSetting::create();
    if (dialog == nullptr)
        return;
    dialog->SetOpenedFromRoom(this);
    addChild(dialog, kKernelZOrder + 1, kTagSetting);
}

void RoomScene::OnExitButton(CCObject*) { ExitRoom(); }

void RoomScene::OnFrameButton(CCObject* sender)
{
    auto* node = dynamic_cast<CCNode*>(sender);
    if (node == nullptr)
        return;
    switch (node->getTag())
    {
        case PublicLayer::kButtonMaximize:
        case PublicLayer::kButtonRestore: ToggleMaximize(); break;
        case PublicLayer::kButtonMinimize: CCEGLView::sharedOpenGLView()->minimizeWindow(); break;
        case PublicLayer::kButtonSetting: OnSettingButton(sender); break;
        default: break;
    }
}
