#include "room/RoomScene.h"

#include "app/AppDelegate.h"
#include "bank/BankDialogServer.h"
#include "core/ClientGlobal.h"
#include "core/ServerList.h"
#include "games/framework/GameBoard.h"
#include "hall/CDlgSetting.h"
#include "hall/GameHallScene.h"
#include "update/WinUpdateGame.h"
#include "net/TCPSocketModule.h"
#include "room/GameChatLayerG.h"
#include "room/PlayerTableViewLayerG.h"
#include "room/RoomLayout.h"
#include "room/TablePassWord.h"
#include "room/UserMessages.h"
#include "ui/GBKLabel.h"
#include "ui/ImageButton.h"
#include "ui/MBProgressHUD.h"
#include "ui/PublicLayer.h"
#include "ui/VisibleRect.h"
#include "ui/WebBrowserHost.h"
#include "ui/WindyTopLayer.h"

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

// The program's services; tests run the room without an application.
void PlayRoomMusic()
{
    if (AppDelegate* app = AppDelegate::GetInstance())
        app->playLoopMusic("Music/background.mp3");
}

void StopRoomMusic()
{
    if (AppDelegate* app = AppDelegate::GetInstance())
        app->stopBackgroundMusic();
}

CCSize WindowSize()
{
    if (AppDelegate* app = AppDelegate::GetInstance())
        return CCSize(static_cast<float>(app->GetWindowWidth()), static_cast<float>(app->GetWindowHeight()));
    return CCEGLView::sharedOpenGLView()->getFrameSize();
}

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
    m_pSocket.reset();
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
        if (!m_SharedRecord.Create(m_strWindowText, 14))
            m_MessageWindow.Destroy();
    }
    if (m_SharedRecord.Data() == nullptr)
        return false;
    auto* record = static_cast<uint8_t*>(m_SharedRecord.Data());
    const uint16_t recordSize = 14;
    const uint32_t mainWindow = platform::GetMainWindowHandle();
    const uint32_t ownWindow = m_MessageWindow.GetHandle();
    std::memcpy(record, &recordSize, 2);
    std::memcpy(record + 6, &mainWindow, 4);
    std::memcpy(record + 10, &ownWindow, 4);
    setTag(kSceneTag);

    CreatePanes();
    g_pRoomScene = this;
    AppDelegate::SetResizeHandler(&ResizeRoom);
    AppDelegate::SetInputTargetResolver(&ResolveBoardInput);
    m_pKernelLayer = Sexy::CBaseKernelLayer::create();
    if (m_pKernelLayer != nullptr)
    {
        m_pKernelLayer->setPosition(CCPoint(0, 0));
        addChild(m_pKernelLayer, kKernelZOrder);
    }
    return true;
}

void RoomScene::SetSocket(std::unique_ptr<IClientSocket> socket)
{
    m_pSocket = std::move(socket);
    if (m_pSocket)
        m_pSocket->SetSocketSink(this);
}

bool RoomScene::IsExternalKind() const { return GetKindID() >= kFirstExternalKind; }

// --- life ------------------------------------------------------------------

void RoomScene::EnterRoom(const GameKindRecord& kind, const GameServerRecord& server)
{
    m_KindRecord = kind;
    m_ServerRecord = server;
    const uint16_t kindId = m_KindRecord.wKindID;
    m_pSocket->SetSerialCheck(kindId < kFirstExternalKind);

    // A room configured with its own host goes there; otherwise to the
    // program's servers.
    std::vector<std::string> addresses;
    const std::u16string host = wire::ReadText(
        reinterpret_cast<const uint8_t*>(&m_ServerRecord) + offsetof(GameServerRecord, szServerAddr), 32);
    if (!host.empty())
        addresses.push_back(CClientGlobal::WideToUTF8(host));
    else if (AppDelegate* app = AppDelegate::GetInstance())
        addresses = app->GetServerAddresses();
    else
        addresses = CServerList::GetInstance()->GetServers();
    const UserRecord& logon = CClientGlobal::GetInstance()->GetUserRecord();
    const uint16_t port = m_ServerRecord.wServerPort;
    m_pSocket->Connect(addresses, CClientGlobal::WideToAnsi(FieldText(logon.szAccounts)), port);

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

void RoomScene::OnSocketTick(float)
{
    if (m_pSocket)
        m_pSocket->OnUpdate();
}

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
    StopRoomMusic();
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
    if (m_pSocket)
        m_pSocket->CloseSocket();
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

// --- the room connection ------------------------------------------------------

bool RoomScene::OnSocketLink(int errorCode, const char* errorText, IClientSocket*)
{
    if (errorCode != 0)
    {
        MBProgressHUD::hideHUD(false);
        CClientGlobal::ShowMessageBox(errorText != nullptr ? errorText : "");
        // The room never showed: nothing else would ever let it go.
        SetHallEntering(false);
        if (!m_bRoomShown)
            CloseRoom();
        return true;
    }
    SendRoomLogon();
    m_nRoomState = kRoomLinked;
    return true;
}

void RoomScene::SendRoomLogon()
{
    CClientGlobal* global = CClientGlobal::GetInstance();
    const UserRecord& logon = global->GetUserRecord();
    room::LogonIdentity identity;
    identity.userId = logon.dwUserID;
    identity.passwordMd5 = FieldText(logon.szPassword);
    identity.machineId = CClientGlobal::GetMachineID();
    identity.kindId = m_ServerRecord.wKindID;
    identity.clientAddr = logon.dwClientAddr;
    identity.roomVersion = static_cast<uint32_t>(Settings()->getIntegerForKey("RoomVesion", kDefaultRoomVersion));
    const RoomLogonRequest request = room::BuildRoomLogon(identity);
    m_pSocket->SendData(MDM_GR_LOGON, SUB_GR_LOGON_USERID, &request, sizeof(request));
}

bool RoomScene::OnSocketRead(uint32_t command, const void* data, size_t size, IClientSocket*)
{
    const uint16_t main = static_cast<uint16_t>(command & 0xFFFF);
    const uint16_t sub = static_cast<uint16_t>(command >> 16);
    if (m_bClosed)
        return true;
    switch (main)
    {
        case MDM_GR_LOGON: return OnLogonMessage(sub, data, size);
        case MDM_GR_INFO: return OnConfigMessage(sub, data, size);
        case MDM_GR_USER: return OnUserMessage(sub, data, size);
        case MDM_GR_STATUS: return OnTableMessage(sub, data, size);
        case MDM_GR_BANK: return OnBankMessage(sub, data, size);
        case MDM_GF_FRAME:
        case MDM_GF_GAME: return ForwardToGame(main, sub, data, size);
        case MDM_GR_SYSTEM: return OnSystemCommand(sub, data, size);
        default: return true;
    }
}

bool RoomScene::OnSocketShut(IClientSocket*, SocketShutReason)
{
    MBProgressHUD::hideHUD(false);
    StopExternalGame(106);
    CClientGlobal::GetInstance()->WriteLog(GBK("房间网络关闭"));
    if (m_pSocket)
        m_pSocket->CloseSocket();
    SetHallEntering(false);
    CCDirector::sharedDirector()->getScheduler()->unscheduleSelector(schedule_selector(RoomScene::OnSocketTick), this);
    CClientGlobal::ShowMessageBox(GBK("房间爆满拥挤 请稍后再试!"));
    // A room on show stays until the player leaves it; one that never showed
    // would never be left.
    if (!m_bRoomShown)
        CloseRoom();
    return true;
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
    const int port = m_ServerRecord.wServerPort;
    ExitRoom();
    Settings()->setIntegerForKey("RoomSocketPort", port);
    Settings()->flush();
}

// --- main 1: log-on -----------------------------------------------------------

bool RoomScene::OnLogonMessage(uint16_t sub, const void* data, size_t size)
{
    switch (sub)
    {
        case SUB_GR_LOGON_SUCCESS:
            m_nRoomState = kRoomLoggedOn;
            if (m_pPublicLayer != nullptr)
                GameHallUserLayer::UpdateUserInfo(m_pPublicLayer);
            MBProgressHUD::hideHUD(false);
            if (m_pKernelLayer != nullptr)
                m_pKernelLayer->LoadGameResources(&m_KindRecord);
            return true;
        case SUB_GR_LOGON_ERROR:
        {
            if (size < kLogonErrorMinSize)
                return false;
            SetHallEntering(false);
            MBProgressHUD::hideHUD(false);
            CCDirector::sharedDirector()->getScheduler()->unscheduleSelector(
                schedule_selector(RoomScene::ClearHallEnterFlag), this);
            const std::u16string reason = wire::ReadTextAt(data, size, kLogonErrorMinSize, size / 2);
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
            m_nRoomState = kRoomRefused;
            return true;
        }
        case SUB_GR_LOGON_FINISH: return OnLogonFinish();
        default: return true;
    }
}

bool RoomScene::OnLogonFinish()
{
    const std::u16string name = FieldText(m_ServerRecord.szServerName);
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
    const CCSize window = WindowSize();
    LayoutRoom(window.width, window.height);
    PushRoomScene();

    m_nRoomState = kRoomReady;
    if (m_pMeUserData != nullptr && m_pMeUserData->wTableID != INVALID_TABLE && m_bGameResourcesReady)
        EnterGame(m_pMeUserData->wTableID, m_pMeUserData->wChairID);
    if (Settings()->getBoolForKey("Music", true))
        PlayRoomMusic();
    Settings()->flush();
    return true;
}

// --- main 2: configuration ------------------------------------------------------

bool RoomScene::OnConfigMessage(uint16_t sub, const void* data, size_t size)
{
    if (sub != SUB_GR_SERVER_INFO)
        return true;
    if (!wire::ReadRecord(data, size, m_RoomConfig))
        return false;
    if (m_pTableList != nullptr)
        m_pTableList->SetupTables(m_RoomConfig, m_KindRecord.wKindID);
    return true;
}

// --- main 3: users, seats, chat ---------------------------------------------------

bool RoomScene::OnUserMessage(uint16_t sub, const void* data, size_t size)
{
    switch (sub)
    {
        case SUB_GR_USER_COME: return OnUserEnter(data, size);
        case SUB_GR_USER_SCORE: return OnUserScore(data, size);
        case SUB_GR_USER_STATUS: return OnUserStatus(data, size);
        case SUB_GR_SIT_FAILED: return OnRequestFailure(data, size);
        case SUB_GR_USER_CHAT: return OnUserChat(data, size);
        case SUB_GR_ROOM_MESSAGE: return OnRoomMessage(data, size);
        case SUB_GR_SPEAKER_MESSAGE: return OnSpeakerMessage(data, size);
        case SUB_GR_USER_SPEAKER_INFO: return OnSpeakerInfo(data, size);
        default: return true;
    }
}

void RoomScene::SeatInGrid(const tagUserData* user)
{
    if (m_pTableList == nullptr)
        return;
    m_pTableList->SetUserInfo(user->wTableID, user->wChairID, user);
    m_pTableList->SetChairState(user->wTableID, user->wChairID, user->cbUserStatus);
}

bool RoomScene::OnUserEnter(const void* data, size_t size)
{
    tagUserData record;
    if (!room::ReadUserEnter(data, size, record))
        return false;
    tagUserData* user = m_UserManager.SearchUserByUserID(record.dwUserID);
    if (user == nullptr)
    {
        user = m_UserManager.AddUser(record);
        if (m_bRoomShown && m_pUserList != nullptr)
            m_pUserList->ReloadList();
    }
    else
    {
        // The same user again: refresh the held record rather than keep a
        // second one nobody owns; the grid lets go of the old seat first.
        const uint16_t oldTable = user->wTableID;
        const uint16_t oldChair = user->wChairID;
        if (m_pTableList != nullptr && m_pTableList->GetChairUser(oldTable, oldChair) == user &&
            (oldTable != record.wTableID || oldChair != record.wChairID))
            m_pTableList->SetUserInfo(oldTable, oldChair, nullptr);
        *user = record;
        if (m_pUserList != nullptr)
            m_pUserList->UpdateUser(user);
    }
    if (m_pMeUserData == nullptr)
    {
        m_pMeUserData = user;
        m_UserManager.SetMeUser(user);
    }
    // The hall has no log-on server to give the logged-on user a score: my
    // record here is where it comes from.
    if (user == m_pMeUserData)
        TakeMyScore();
    if (user->cbUserStatus >= US_SIT && user->cbUserStatus != US_LOOKON)
        SeatInGrid(user);
    return true;
}

void RoomScene::TakeMyScore()
{
    UserRecord& logon = CClientGlobal::GetInstance()->GetUserRecord();
    logon.lScore = m_pMeUserData->lScore;
    logon.lInsureScore = m_pMeUserData->lInsureScore;
    if (m_pPublicLayer != nullptr)
        GameHallUserLayer::UpdateUserInfo(m_pPublicLayer);
}

bool RoomScene::OnUserScore(const void* data, size_t size)
{
    UserScoreMessage score;
    if (!wire::ReadRecord(data, size, score))
        return false;
    tagUserData* user = m_UserManager.SearchUserByUserID(score.dwUserID);
    if (user == nullptr)
        return true;
    const int64_t oldScore = user->lScore;
    Sexy::ApplyUserScore(score, *user);
    if (user == m_pMeUserData)
        TakeMyScore();
    if (m_pUserList != nullptr)
        m_pUserList->UpdateUser(user);
    if (m_pTableList != nullptr)
        m_pTableList->ShowScoreChange(user->wTableID, user->wChairID, user->lScore - oldScore, user, score.cbNoChange);
    if (m_pMeUserData != nullptr && m_pMeUserData->wTableID != INVALID_TABLE &&
        user->wTableID == m_pMeUserData->wTableID)
    {
        CCNotificationCenter::sharedNotificationCenter()->postNotification("ChangeFacePhoto");
        SendToGame(Sexy::IPC_MAIN_USER, Sexy::IPC_SUB_USER_SCORE, data, sizeof(UserScoreMessage));
    }
    return true;
}

bool RoomScene::OnUserStatus(const void* data, size_t size)
{
    if (size < kUserStatusMinSize)
        return false;
    UserStatusMessage status;
    wire::ReadRecord(data, size, status);
    tagUserData* user = m_UserManager.SearchUserByUserID(status.dwUserID);
    if (user == nullptr)
        return true;
    const bool isMe = user == m_pMeUserData;
    const uint16_t oldTable = user->wTableID;
    const uint16_t oldChair = user->wChairID;
    const uint16_t newTable = status.wTableID;
    const uint16_t newChair = status.wChairID;
    const uint8_t newStatus = status.cbUserStatus;
    const bool seatChanged = oldTable != newTable || oldChair != newChair;

    if (m_pTableList != nullptr && oldTable != INVALID_TABLE && seatChanged &&
        m_pTableList->GetChairUser(oldTable, oldChair) == user)
        m_pTableList->SetUserInfo(oldTable, oldChair, nullptr);

    if (newStatus != US_NULL)
    {
        user->wTableID = newTable;
        user->wChairID = newChair;
        user->cbUserStatus = newStatus;
        if (m_pUserList != nullptr)
            m_pUserList->UpdateUser(user);
        if (m_pTableList != nullptr)
            m_pTableList->SetChairState(newTable, newChair, newStatus);
    }
    else
    {
        // Leaving the room: no chair or row may keep the record.
        if (m_pTableList != nullptr)
            m_pTableList->ForgetUser(user);
        if (m_pUserList != nullptr)
            m_pUserList->RemoveUser(user->dwGameID);
    }

    const uint16_t myTable = m_pMeUserData != nullptr ? m_pMeUserData->wTableID : INVALID_TABLE;
    if (newStatus != US_NULL && newTable != INVALID_TABLE && seatChanged && newStatus != US_LOOKON)
    {
        if (m_pTableList != nullptr)
            m_pTableList->SetUserInfo(newTable, newChair, user);
        if (!isMe && myTable != INVALID_TABLE && newTable == myTable)
            SendUserToGame(user);
    }

    if (isMe || (myTable != INVALID_TABLE && (myTable == newTable || myTable == oldTable)))
    {
        UserStatusMessage relay{};
        relay.dwUserID = status.dwUserID;
        relay.wTableID = newTable;
        relay.wChairID = newChair;
        relay.cbUserStatus = newStatus;
        SendToGame(Sexy::IPC_MAIN_USER, Sexy::IPC_SUB_USER_STATUS, &relay, sizeof(relay));
    }

    if (newStatus == US_NULL)
        m_UserManager.DeleteUser(user);  // my own record stays valid

    if (isMe)
    {
        m_wRequestTable = INVALID_TABLE;
        m_wRequestChair = INVALID_CHAIR;
        if (newTable != INVALID_TABLE && seatChanged)
        {
            if (IsExternalKind())
                LaunchExternalGame(m_pMeUserData);
            else
                EnterGame(newTable, newChair);
        }
    }
    return true;
}

bool RoomScene::OnRequestFailure(const void* data, size_t size)
{
    if (size < kSitFailedMinSize)
        return false;
    m_wRequestTable = INVALID_TABLE;
    m_wRequestChair = INVALID_CHAIR;
    const std::u16string text = wire::ReadTextAt(data, size, 4, size / 2);
    if (!text.empty())
        CClientGlobal::ShowMessageBox(CClientGlobal::WideToAnsi(text));
    MBProgressHUD::hideHUD(false);
    return true;
}

bool RoomScene::OnUserChat(const void* data, size_t size)
{
    constexpr size_t kTextAt = 270;
    uint16_t count = 0;
    if (size < kTextAt || !wire::ReadRecord(data, size, count) || size != kTextAt + 2u * count)
        return false;
    if (m_pChatLayer == nullptr)
        return true;
    const std::u16string sender = wire::ReadTextAt(data, size, 14, (kTextAt - 14) / 2);
    const std::u16string text = wire::ReadTextAt(data, size, kTextAt, count);
    m_pChatLayer->AddChatLine(CClientGlobal::WideToAnsi(sender), CClientGlobal::WideToAnsi(text),
                              GameChatLayerG::kChat);
    return true;
}

bool RoomScene::OnRoomMessage(const void* data, size_t size)
{
    if (size < 6)
        return false;
    const std::u16string text = wire::ReadTextAt(data, size, 6, size / 2);
    if (!text.empty())
        CClientGlobal::ShowMessageBox(CClientGlobal::WideToAnsi(text));
    return true;
}

bool RoomScene::OnSpeakerMessage(const void* data, size_t size)
{
    constexpr size_t kSize = 394;
    if (size != kSize)
        return false;
    uint16_t type = 0;
    wire::ReadRecord(data, size, type);
    const std::string sender = CClientGlobal::WideToAnsi(wire::ReadTextAt(data, size, 10, 32));
    const std::string text = CClientGlobal::WideToAnsi(wire::ReadTextAt(data, size, 138, 128));
    if (m_pChatLayer != nullptr && (type == 20 || type == 19))
    {
        m_pChatLayer->PrepareSpeakerLine();
        m_pChatLayer->AddChatLine(sender, text,
                                  type == 20 ? GameChatLayerG::kSpeakerBig : GameChatLayerG::kSpeakerSmall);
    }
    WindyTopLayer::sharedTopLayer()->pushMessage(sender + GBK("： ") + text);
    if (IsExternalKind())
        SendToGame(Sexy::IPC_MAIN_CONFIG, Sexy::IPC_SUB_SPEAKER, data, size);
    return true;
}

bool RoomScene::OnSpeakerInfo(const void* data, size_t size)
{
    (void)data;
    // The loudspeaker dialog is not part of this client yet: the allowance
    // is checked and dropped.
    return size == 16;
}

// --- main 4: tables -----------------------------------------------------------------

bool RoomScene::OnTableMessage(uint16_t sub, const void* data, size_t size)
{
    switch (sub)
    {
        case SUB_GR_TABLE_INFO: return OnTableStatusList(data, size);
        case SUB_GR_TABLE_STATUS: return OnTableStatus(data, size);
        default: return true;
    }
}

bool RoomScene::OnTableStatusList(const void* data, size_t size)
{
    uint16_t count = 0;
    if (!wire::ReadRecord(data, size, count) || size != 2u + 2u * count)
        return false;
    if (m_pTableList == nullptr)
        return true;
    const auto* entries = static_cast<const uint8_t*>(data) + 2;
    for (uint16_t table = 0; table < count; ++table)
    {
        const uint8_t locked = entries[2 * table];
        const uint8_t playing = entries[2 * table + 1];
        m_pTableList->SetTableState(table, playing != 0, locked != 0);
    }
    return true;
}

bool RoomScene::OnTableStatus(const void* data, size_t size)
{
    TableStatusMessage state;
    if (size != sizeof(state))
        return false;
    wire::ReadRecord(data, size, state);
    const uint16_t table = state.wTableID;
    const bool playing = state.cbPlayStatus != 0;
    if (m_pTableList != nullptr)
        m_pTableList->SetTableState(table, playing, state.cbTableLock != 0);
    if (m_pMeUserData == nullptr || m_pMeUserData->wTableID == INVALID_TABLE || m_pMeUserData->wTableID != table)
        return true;
    m_bMyTablePlaying = playing;
    if (!IsExternalKind() && m_pKernelLayer != nullptr)
        m_pKernelLayer->OnChannelMessage(Sexy::IPC_MAIN_USER,
                                         playing ? Sexy::IPC_SUB_TABLE_STARTED : Sexy::IPC_SUB_TABLE_ENDED);
    CWinUpdateGame* update = CWinUpdateGame::GetInstance();
    if (update->IsRestartPending() && m_RoomConfig.wChairCount < 8 && !playing)
        update->ShowRestartPrompt();
    return true;
}

// --- main 5 and 1000 -------------------------------------------------------------------

bool RoomScene::OnBankMessage(uint16_t sub, const void* data, size_t size)
{
    if (BankDialogServer* bank = GetBankDialog())
        return bank->OnBankMessage(sub, data, size);
    return ForwardToGame(MDM_GR_BANK, sub, data, size);
}

bool RoomScene::OnSystemCommand(uint16_t sub, const void* data, size_t size)
{
    if (sub == SUB_GR_SYSTEM_MESSAGE)
        return OnSystemMessage(data, size);
    return true;
}

bool RoomScene::OnSystemMessage(const void* data, size_t size)
{
    uint16_t head[2] = {0, 0};
    if (size <= 4 || !wire::ReadRecord(data, size, head) || size != 4u + 2u * head[1])
        return false;
    const uint16_t flags = head[0];
    const std::u16string text = wire::ReadTextAt(data, size, 4, head[1]);
    const std::string gbk = CClientGlobal::WideToAnsi(text);
    if ((flags & 0x0001) != 0 && m_pChatLayer != nullptr)
        m_pChatLayer->AddChatLine(GBK("系统公告"), gbk, GameChatLayerG::kNotice);
    if ((flags & 0x0002) != 0 && gbk.find(GBK("对方被迫离开")) == std::string::npos)
        CClientGlobal::ShowMessageBox(gbk);
    if ((flags & 0x0100) != 0)
        ExitRoom();
    return true;
}

// --- seats ---------------------------------------------------------------------------

bool RoomScene::RequestSitDown(uint16_t table, uint16_t chair)
{
    if (m_nRoomState != kRoomReady)
        return false;
    if (m_wRequestTable != INVALID_TABLE && (table == m_wRequestTable || chair == m_wRequestChair))
        return false;
    if (m_pMeUserData != nullptr && m_pMeUserData->cbUserStatus >= US_PLAY)
    {
        CClientGlobal::ShowMessageBox(GBK("您正在游戏中，暂时不能离开，请先结束当前游戏"));
        return false;
    }
    const tagUserData* sitting = m_pTableList != nullptr ? m_pTableList->GetChairUser(table, chair) : nullptr;
    if (sitting != nullptr && sitting == m_pMeUserData)
        return false;
    if (table != INVALID_TABLE && chair != INVALID_CHAIR && m_pTableList != nullptr)
    {
        if (sitting != nullptr)
        {
            CClientGlobal::ShowMessageBox(GBK("座位已被占用"));
            return false;
        }
        const CCTableInfo* info = m_pTableList->GetTableInfo(table);
        if (info != nullptr && info->bLocked)
        {
            m_wPendingTable = table;
            m_wPendingChair = chair;
            OpenTablePassword();
            return true;
        }
    }
    m_wRequestTable = table;
    m_wRequestChair = chair;
    SendSitDownRequest(table, chair, m_strTablePassword);
    return true;
}

void RoomScene::OpenTablePassword()
{
    removeChildByTag(kTagTablePassword, true);
    if (TablePassWord* dialog = TablePassWord::create())
        addChild(dialog, kKernelZOrder + 1, kTagTablePassword);
}

bool RoomScene::SendSitDownRequest(uint16_t table, uint16_t chair, const std::string& gbkPassword)
{
    const SitDownRequest request = room::BuildSitDown(table, chair, CClientGlobal::AnsiToWide(gbkPassword));
    return m_pSocket && m_pSocket->SendData(MDM_GR_USER, SUB_GR_USER_SIT_REQ, &request, sizeof(request));
}

bool RoomScene::SendSitDown(const std::string& gbkPassword)
{
    m_strTablePassword = gbkPassword;
    m_wRequestTable = m_wPendingTable;
    m_wRequestChair = m_wPendingChair;
    return SendSitDownRequest(m_wPendingTable, m_wPendingChair, gbkPassword);
}

void RoomScene::OnQuickJoin(CCObject*) { SendSitDownRequest(INVALID_TABLE, INVALID_CHAIR, std::string()); }

bool RoomScene::SendStandUp(uint16_t table, uint16_t chair, uint8_t force)
{
    StandUpRequest request{};
    request.wTableID = table;
    request.wChairID = chair;
    request.cbForce = force;
    return m_pSocket && m_pSocket->SendData(MDM_GR_USER, SUB_GR_USER_STANDUP_REQ, &request, sizeof(request));
}

bool RoomScene::SendTableRule(const std::string& gbkPassword)
{
    m_strTablePassword = gbkPassword;
    const std::vector<uint8_t> message = room::BuildTableRule(CClientGlobal::AnsiToWide(gbkPassword));
    return m_pSocket && m_pSocket->SendData(MDM_GR_USER, SUB_GR_USER_RULE, message.data(), message.size());
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

    m_pUserList = PlayerTableViewLayerG::create(&m_UserManager);
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
        m_pTableList->LayoutTables(CCSize(l.tableGrid.width, l.tableGrid.height), m_KindRecord.wKindID);
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
    AppDelegate* app = AppDelegate::GetInstance();
    if (m_pPublicLayer != nullptr)
        m_pPublicLayer->Relayout(width, height, app != nullptr && app->IsMaximized());
    ApplyLayout(!m_bUserListHidden);
    if (m_pTableList != nullptr)
        m_pTableList->SetupTables(m_RoomConfig, m_KindRecord.wKindID);
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

void RoomScene::ToggleMaximize()
{
    if (AppDelegate* app = AppDelegate::GetInstance())
        app->ToggleMaximize();
}

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
