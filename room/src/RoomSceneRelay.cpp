// The room's relay to the game: game packets both ways, the users at my
// table, the configuration, the switch between the room and the game, and
// the external game programs (kind 2060 on) over the copy-data channel.
#include "room/RoomScene.h"

#include "bank/BankDialogServer.h"
#include "core/ClientGlobal.h"
#include "games/framework/GameAudio.h"
#include "games/framework/GameBoard.h"
#include "net/GameWindowRecord.h"
#include "platform/Process.h"
#include "room/GameChatLayerG.h"
#include "room/PlayerTableViewLayerG.h"
#include "ui/AppServices.h"
#include "ui/ImageButton.h"
#include "ui/MBProgressHUD.h"
#include "ui/PublicLayer.h"
#include "ui/WindyTopLayer.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <vector>

using namespace cocos2d;

namespace {

// The game's window in the shared record; 0 when the block is missing.
uint32_t ReadGameWindow(const platform::SharedMemory& block)
{
    if (block.Data() == nullptr)
        return 0;
    GameWindowRecord record;
    std::memcpy(&record, block.Data(), sizeof(record));
    return record.hGameWnd;
}

void WriteGameWindow(platform::SharedMemory& block, uint32_t window)
{
    if (block.Data() == nullptr)
        return;
    GameWindowRecord record;
    std::memcpy(&record, block.Data(), sizeof(record));
    record.hGameWnd = window;
    std::memcpy(block.Data(), &record, sizeof(record));
}

void LogLine(const std::string& utf8)
{
    CClientGlobal::GetInstance()->WriteLog(CClientGlobal::UTF8ToGBK(utf8.c_str()));
}

// The program folder of each external kind.
const char* ExternalFolder(uint16_t kind)
{
    switch (kind)
    {
        case 2060: return "2060/";
        case 2070: return "2070/";
        case 2075: return "2075/";
        case 2080: return "2080/";
        default: return "";
    }
}

}  // namespace

// --- packets --------------------------------------------------------------------------

bool RoomScene::SendToGame(uint16_t main, uint16_t sub, const void* data, size_t size)
{
    if (IsExternalKind())
    {
        // The channel takes 10232 bytes at most; the room goes on without it.
        if (!m_SendCopyData.SendData(main, sub, data, size))
        {
            char line[96];
            std::snprintf(line, sizeof(line), "relay to the game program dropped (%u, %u, %zu bytes)", main, sub, size);
            LogLine(line);
        }
        return true;
    }
    if (m_pKernelLayer == nullptr || size > 0xFFFF)
        return true;
    return m_pKernelLayer->OnChannelMessage(main, sub, data, static_cast<uint16_t>(size));
}

bool RoomScene::ForwardToGame(uint16_t main, uint16_t sub, const void* data, size_t size)
{
    if (size > Sexy::kMaxGamePayload || (data == nullptr && size != 0))
        return false;
    std::vector<uint8_t> packet(Sexy::kGamePacketHead + size);
    std::memcpy(packet.data(), &main, 2);
    std::memcpy(packet.data() + 2, &sub, 2);
    if (size > 0)
        std::memcpy(packet.data() + Sexy::kGamePacketHead, data, size);
    SendToGame(Sexy::IPC_MAIN_SOCKET, Sexy::IPC_SUB_SOCKET_RECV, packet.data(), packet.size());
    return true;
}

bool RoomScene::OnGameSendData(uint16_t main, uint16_t sub, const void* data, uint16_t size)
{
    IClientSocket* socket = GetSocket();
    if (main != Sexy::IPC_MAIN_SOCKET || sub != Sexy::IPC_SUB_SOCKET_SEND || size < Sexy::kGamePacketHead ||
        data == nullptr || socket == nullptr)
        return false;
    uint16_t head[2];
    std::memcpy(head, data, sizeof(head));
    const size_t payload = size - Sexy::kGamePacketHead;
    if (payload > 0)
        socket->SendData(head[0], head[1], static_cast<const uint8_t*>(data) + Sexy::kGamePacketHead, payload);
    else
        socket->SendCommand(head[0], head[1]);
    return true;
}

// --- what the game is told ------------------------------------------------------------------

bool RoomScene::SendGameConfig()
{
    Sexy::GameServerConfig config;
    if (!m_Session.BuildGameConfig(config))
        return false;
    return SendToGame(Sexy::IPC_MAIN_CONFIG, Sexy::IPC_SUB_SERVER_INFO, &config, sizeof(config));
}

bool RoomScene::SendUserToGame(const tagUserData* user)
{
    if (user == nullptr)
        return false;
    const std::vector<uint8_t> message = Sexy::UserEnterMessage(*user);
    return SendToGame(Sexy::IPC_MAIN_USER, Sexy::IPC_SUB_USER_ENTER, message.data(), message.size());
}

bool RoomScene::SendTableUsersToGame()
{
    const tagUserData* me = GetMeUserData();
    if (!m_Session.IsSeated())
        return false;
    SendUserToGame(me);
    for (uint16_t i = 0; const tagUserData* user = GetUserManager().GetUserByIndex(i); ++i)
    {
        if (user != me && user->wTableID == me->wTableID)
            SendUserToGame(user);
    }
    return true;
}

// --- switching between the room and the game ---------------------------------------------------

void RoomScene::EnterGame(uint16_t table, uint16_t chair)
{
    (void)chair;
    const uint16_t kind = GetKindRecord().wKindID;
    if (kind == kFirstExternalKind)
        return;
    if (m_pKernelLayer != nullptr && m_pKernelLayer->isVisible())
    {
        app_services::StopBackgroundMusic();
    }
    else if (kind != 308 && kind != 10 && kind != 401)
    {
        Sexy::GetGameAudio()->ResumeMusic();
    }
    if (m_pBackButton != nullptr && m_pBackLabel != nullptr)
    {
        char title[32];
        std::snprintf(title, sizeof(title), "%u桌", static_cast<unsigned>(table) + 1);
        m_pBackLabel->setString(title);
        if (m_pTitleLabel != nullptr)
            m_pBackButton->setPositionX(m_pTitleLabel->getContentSize().width + 15);
        m_pBackButton->setVisible(true);
    }
    if (m_pKernelLayer == nullptr)
    {
        m_pKernelLayer = Sexy::CBaseKernelLayer::create();
        if (m_pKernelLayer == nullptr)
            return;
        m_pKernelLayer->LoadGameResources(&GetKindRecord());
        m_pKernelLayer->setPosition(CCPoint(0, 0));
        addChild(m_pKernelLayer, kKernelZOrder);
    }
    else
    {
        m_pKernelLayer->setPosition(CCPoint(0, 0));
        m_pKernelLayer->setVisible(true);
        if (Sexy::CGameBoard* board = m_pKernelLayer->GetGameBoard())
            board->setModal(true);
    }
    m_pKernelLayer->EnterGame(&GetKindRecord());
}

void RoomScene::ShowGameView()
{
    CCEGLView::sharedOpenGLView()->setExtraValue(350);
    for (CCNode* node :
         std::initializer_list<CCNode*>{m_pChatLayer, m_pUserList, m_pPublicLayer, m_pTableList, m_pTopBar})
    {
        if (node != nullptr)
            node->setVisible(false);
    }
    SendGameConfig();
    SendTableUsersToGame();
    SendToGame(Sexy::IPC_MAIN_CONFIG, Sexy::IPC_SUB_SHOW_GAME, nullptr, 0);
}

void RoomScene::ShowRoomView(bool show)
{
    const bool list = show && CCUserDefault::sharedUserDefault()->getBoolForKey("UserList", true);
    CCEGLView::sharedOpenGLView()->setExtraValue(show ? 0 : 350);
    if (m_pChatLayer != nullptr)
        m_pChatLayer->setVisible(list);
    if (m_pUserList != nullptr)
        m_pUserList->setVisible(list);
    for (CCNode* node : std::initializer_list<CCNode*>{m_pPublicLayer, m_pTableList, m_pTopBar})
    {
        if (node != nullptr)
            node->setVisible(show);
    }
}

void RoomScene::OnGameExit()
{
    if (m_Session.IsSeated())
        SendStandUp(GetMeUserData()->wTableID, GetMeUserData()->wChairID, 1);
    if (m_pBackButton != nullptr)
        m_pBackButton->setVisible(false);
    ShowRoomView(true);
}

void RoomScene::OnBackToGame(CCObject*)
{
    if (m_pKernelLayer == nullptr || m_pKernelLayer->GetGameBoard() == nullptr || m_pKernelLayer->isVisible())
        return;
    m_pKernelLayer->setPosition(CCPoint(0, 0));
    m_pKernelLayer->setVisible(true);
    m_pKernelLayer->GetGameBoard()->setModal(true);
    ShowRoomView(false);
}

void RoomScene::OnGameResourcesLoaded(bool ready)
{
    m_bGameResourcesReady = ready;
    if (m_bRoomShown && m_Session.IsSeated() && m_pKernelLayer != nullptr && m_pKernelLayer->GetGameBoard() == nullptr)
    {
        WindyTopLayer* top = WindyTopLayer::sharedTopLayer();
        if (top->isLoadingShown())
            top->hideLoading();
        EnterGame(GetMeUserData()->wTableID, GetMeUserData()->wChairID);
    }
}

// --- external game programs ----------------------------------------------------------------

void RoomScene::LaunchExternalGame(const tagUserData* me)
{
    if (me == nullptr)
        return;
    app_services::StopBackgroundMusic();

    const uint32_t gameWindow = ReadGameWindow(m_SharedRecord);
    if (m_Process.IsOpen() && m_Process.IsRunning())
    {
        // A program that never announced its window is ended, and nothing
        // new starts on this sit-down.
        if (gameWindow == 0)
        {
            m_Process.Terminate();
            return;
        }
        LogLine("the game program runs already: showing it the table again");
        SendGameConfig();
        SendTableUsersToGame();
        SendToGame(Sexy::IPC_MAIN_CONFIG, Sexy::IPC_SUB_SHOW_GAME, nullptr, 0);
        return;
    }

    const uint16_t kind = GetKindRecord().wKindID;
    const std::string program = CClientGlobal::GetAppDirectory() + ExternalFolder(kind) +
                                CClientGlobal::WideToUTF8(FieldText(GetKindRecord().szProcessName));
    const std::string server = CClientGlobal::WideToUTF8(FieldText(GetServerRecord().szServerName));
    char title[160];
    std::snprintf(title, sizeof(title), "%s %d号桌", server.c_str(), me->wTableID + 1);
    std::vector<char> commandLine(m_strWindowText.size() + sizeof(title) + 64);
    std::snprintf(commandLine.data(), commandLine.size(), "%s %u %d %d \"%s\"", m_strWindowText.c_str(),
                  static_cast<unsigned>(GetRoomConfig().wGameValue4), kind, me->wChairID, title);
    CClientGlobal::CopyUTF8TextToClipboard(commandLine.data());

    IAppServices* app = app_services::Get();
    if (app != nullptr && app->IsExternalGameDebug())
    {
        CClientGlobal::ShowMessageBox(CClientGlobal::UTF8ToGBK("参数已经复制到剪贴板！请ctrl v到游戏调试参数"));
        return;
    }
    if (!m_Process.Start(program, commandLine.data(), std::string()))
    {
        m_Process.Close();
        LogLine("cannot start the game program " + program);
        CClientGlobal::ShowMessageBox(CClientGlobal::UTF8ToGBK("启动游戏失败"));
        return;
    }
    // Only this program (and we ourselves) may talk on the channel now.
    m_MessageWindow.AcceptOnly({getpid(), m_Process.Pid()});
    MBProgressHUD::showHUD();
}

bool RoomScene::OnChannelMessage(const CopyDataHead& head, const void* data, size_t size, platform::WindowHandle sender)
{
    switch (head.wMainCmdID)
    {
        case Sexy::IPC_MAIN_CONTROL: return OnIPCControl(head, data, size, sender);
        case Sexy::IPC_MAIN_SOCKET: return OnIPCSocketRelay(head, data, size);
        default: return false;
    }
}

bool RoomScene::OnIPCControl(const CopyDataHead& head, const void*, size_t, platform::WindowHandle sender)
{
    switch (head.wSubCmdID)
    {
        case Sexy::IPC_SUB_GAME_READY:
        {
            m_hGameWnd = sender;
            if (ReadGameWindow(m_SharedRecord) == 0)
                WriteGameWindow(m_SharedRecord, sender);
            m_SendCopyData.SetPeerWnd(m_hGameWnd);
            m_SendCopyData.SetLocalWnd(m_MessageWindow.GetHandle());
            SendGameConfig();
            SendTableUsersToGame();
            SendToGame(Sexy::IPC_MAIN_CONFIG, Sexy::IPC_SUB_SHOW_GAME, nullptr, 0);
            MBProgressHUD::hideHUD(false);
            WindyTopLayer* top = WindyTopLayer::sharedTopLayer();
            if (top->isLoadingShown())
                top->hideLoading();
            m_Session.ClearRequest();
            return true;
        }
        case Sexy::IPC_SUB_GAME_CLOSED:
        {
            const tagUserData* me = GetMeUserData();
            if (sender != m_hGameWnd || me == nullptr)
                return false;
            if (me->wTableID != INVALID_TABLE)
                SendStandUp(me->wTableID, me->wChairID, 1);
            m_hGameWnd = 0;
            m_SendCopyData.SetPeerWnd(0);
            WriteGameWindow(m_SharedRecord, 0);
            m_Process.Close();
            return true;
        }
        case Sexy::IPC_SUB_CLOSE_BANK: BankDialogServer::CloseRoomDialog(); return true;
        case Sexy::IPC_SUB_CONTROL_NOP: return true;
        default: return false;
    }
}

bool RoomScene::OnIPCSocketRelay(const CopyDataHead& head, const void* data, size_t size)
{
    if (head.wSubCmdID != Sexy::IPC_SUB_SOCKET_SEND || size > 0xFFFF)
        return false;
    return OnGameSendData(head.wMainCmdID, head.wSubCmdID, data, static_cast<uint16_t>(size));
}

void RoomScene::OnCopyData(platform::WindowHandle sender, uint32_t dwData, const void* data, size_t size)
{
    m_RecvCopyData.OnCopyData(sender, dwData, data, size);
}

void RoomScene::OnTimer(uint32_t timerId)
{
    if (timerId != kExternalPollTimer || !IsExternalKind())
        return;
    // A program that ended without saying so is handled as if it had.
    if (m_Process.IsOpen() && !m_Process.IsRunning())
    {
        const CopyDataHead closed{kCopyDataVersion, sizeof(CopyDataHead), Sexy::IPC_MAIN_CONTROL,
                                  Sexy::IPC_SUB_GAME_CLOSED};
        if (!OnIPCControl(closed, nullptr, 0, m_hGameWnd))
            m_Process.Close();
    }
}
