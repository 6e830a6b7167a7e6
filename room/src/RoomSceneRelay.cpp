// The room's relay to the game: game packets both ways, the users at my
// table, the configuration, and the switch between the room and the game.
// External game programs (kind 2060 on) are reached over the copy-data
// channel; starting them is not here yet.
#include "room/RoomScene.h"

#include "bank/BankDialogServer.h"
#include "core/ClientGlobal.h"
#include "ui/PublicLayer.h"
#include "room/GameChatLayerG.h"
#include "room/PlayerTableViewLayerG.h"
#include "ui/ImageButton.h"
#include "ui/WindyTopLayer.h"

#include <cstdio>
#include <cstring>
#include <vector>

using namespace cocos2d;

bool RoomScene::SendToGame(uint16_t main, uint16_t sub, const void* data, size_t size)
{
    if (IsExternalKind()) {
        if (!m_SendCopyData.SendData(main, sub, data, size)) {
            char line[96];
            std::snprintf(line, sizeof(line), "relay to the game program dropped (%u, %u, %zu bytes)", main, sub, size);
            CClientGlobal::GetInstance()->WriteLog(line);
        }
        return true;
    }
    if (m_pKernelLayer == nullptr)
        return true;
    return m_pKernelLayer->OnChannelMessage(main, sub, data, static_cast<uint16_t>(size));
}

bool RoomScene::ForwardToGame(uint16_t main, uint16_t sub, const void* data, size_t size)
{
    if (size > Sexy::kMaxGamePayload)
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
    if (main != Sexy::IPC_MAIN_SOCKET || sub != Sexy::IPC_SUB_SOCKET_SEND || size < Sexy::kGamePacketHead ||
        data == nullptr)
        return false;
    uint16_t head[2];
    std::memcpy(head, data, sizeof(head));
    const size_t payload = size - Sexy::kGamePacketHead;
    if (!m_pSocket)
        return false;
    if (payload > 0)
        m_pSocket->SendData(head[0], head[1], static_cast<const uint8_t*>(data) + Sexy::kGamePacketHead, payload);
    else
        m_pSocket->SendCommand(head[0], head[1]);
    return true;
}

bool RoomScene::SendGameConfig()
{
    if (m_pMeUserData == nullptr)
        return false;
    Sexy::GameServerConfigSource source;
    source.wTableID = m_pMeUserData->wTableID;
    source.wChairID = m_pMeUserData->wChairID;
    source.dwUserID = m_pMeUserData->dwUserID;
    source.pKindRecord = reinterpret_cast<const uint8_t*>(&m_KindRecord);
    source.pServerRecord = reinterpret_cast<const uint8_t*>(&m_ServerRecord);
    source.pRoomConfig = reinterpret_cast<const uint8_t*>(&m_RoomConfig);
    const Sexy::GameServerConfig config = Sexy::BuildGameServerConfig(source);
    return SendToGame(Sexy::IPC_MAIN_CONFIG, Sexy::IPC_SUB_SERVER_INFO, &config, sizeof(config));
}

bool RoomScene::SendUserToGame(const tagUserData* user)
{
    if (user == nullptr)
        return false;
    std::vector<uint8_t> message(Sexy::kUserEnterMaxSize);
    message.resize(Sexy::WriteUserEnterMessage(*user, message.data(), message.size()));
    return SendToGame(Sexy::IPC_MAIN_USER, Sexy::IPC_SUB_USER_ENTER, message.data(), message.size());
}

bool RoomScene::SendTableUsersToGame()
{
    if (m_pMeUserData == nullptr || m_pMeUserData->wTableID == INVALID_TABLE)
        return false;
    SendUserToGame(m_pMeUserData);
    for (uint16_t i = 0; const tagUserData* user = m_UserManager.GetUserByIndex(i); ++i) {
        if (user != m_pMeUserData && user->wTableID == m_pMeUserData->wTableID)
            SendUserToGame(user);
    }
    return true;
}

void RoomScene::EnterGame(uint16_t table, uint16_t chair)
{
    (void)chair;
    if (m_KindRecord.wKindID == kFirstExternalKind)
        return;
    if (m_pBackButton != nullptr) {
        char title[32];
        std::snprintf(title, sizeof(title), "%u桌", static_cast<unsigned>(table) + 1);
        m_pBackLabel->setString(title);
        m_pBackButton->setPositionX(m_pTitleLabel->getContentSize().width + 15);
        m_pBackButton->setVisible(true);
    }
    if (m_pKernelLayer == nullptr)
        return;
    m_pKernelLayer->setPosition(CCPoint(0, 0));
    m_pKernelLayer->setVisible(true);
    m_pKernelLayer->EnterGame(&m_KindRecord);
}

void RoomScene::LaunchExternalGame(const tagUserData* me)
{
    (void)me;
    CClientGlobal::GetInstance()->WriteLog("external game programs are not started yet");
}

void RoomScene::ShowGameView()
{
    CCEGLView::sharedOpenGLView()->setExtraValue(350);
    for (CCNode* node : std::initializer_list<CCNode*>{m_pChatLayer, m_pUserList, m_pPublicLayer, m_pTableList,
                                                        m_pTopBar}) {
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
    for (CCNode* node : std::initializer_list<CCNode*>{m_pPublicLayer, m_pTableList, m_pTopBar}) {
        if (node != nullptr)
            node->setVisible(show);
    }
}

void RoomScene::OnGameExit()
{
    if (m_pMeUserData != nullptr && m_pMeUserData->wTableID != INVALID_TABLE)
        SendStandUp(m_pMeUserData->wTableID, m_pMeUserData->wChairID, 1);
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
    ShowRoomView(false);
}

void RoomScene::OnGameResourcesLoaded(bool ready)
{
    m_bGameResourcesReady = ready;
    if (m_bRoomShown && m_pMeUserData != nullptr && m_pMeUserData->wTableID != INVALID_TABLE &&
        m_pKernelLayer != nullptr && m_pKernelLayer->GetGameBoard() == nullptr) {
        WindyTopLayer::sharedTopLayer()->hideLoading();
        EnterGame(m_pMeUserData->wTableID, m_pMeUserData->wChairID);
    }
}

bool RoomScene::OnChannelMessage(const CopyDataHead& head, const void* data, size_t size,
                                 platform::WindowHandle sender)
{
    switch (head.wMainCmdID) {
    case Sexy::IPC_MAIN_CONTROL: return OnIPCControl(head, data, size, sender);
    case Sexy::IPC_MAIN_SOCKET: return OnIPCSocketRelay(head, data, size);
    default: return false;
    }
}

bool RoomScene::OnIPCControl(const CopyDataHead& head, const void* data, size_t size, platform::WindowHandle sender)
{
    (void)data;
    (void)size;
    (void)sender;
    switch (head.wSubCmdID) {
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
    (void)timerId;
}
