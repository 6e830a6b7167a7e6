#include "room/RoomSession.h"

#include "core/ClientGlobal.h"
#include "room/UserMessages.h"

#include <cstddef>
#include <cstring>
#include <vector>

namespace {

std::string GBK(const char* utf8) { return CClientGlobal::UTF8ToGBK(utf8); }

}  // namespace

RoomSession::~RoomSession() { m_pSocket.reset(); }

void RoomSession::SetSocket(std::unique_ptr<IClientSocket> socket)
{
    m_pSocket = std::move(socket);
    if (m_pSocket)
        m_pSocket->SetSocketSink(this);
}

void RoomSession::Connect(const GameKindRecord& kind, const GameServerRecord& server,
                          const std::vector<std::string>& serverList)
{
    m_KindRecord = kind;
    m_ServerRecord = server;
    const uint16_t kindId = m_KindRecord.wKindID;
    m_pSocket->SetSerialCheck(kindId < kFirstExternalKind);

    // A room configured with its own host goes there; otherwise to the
    // program's servers.
    std::vector<std::string> addresses;
    const std::u16string host = FieldText(m_ServerRecord.szServerAddr);
    if (!host.empty())
        addresses.push_back(CClientGlobal::WideToUTF8(host));
    else
        addresses = serverList;
    const UserRecord& logon = CClientGlobal::GetInstance()->GetUserRecord();
    const uint16_t port = m_ServerRecord.wServerPort;
    m_pSocket->Connect(addresses, CClientGlobal::WideToAnsi(FieldText(logon.szAccounts)), port);
}

void RoomSession::Close()
{
    m_bClosed = true;
    if (m_pSocket)
        m_pSocket->CloseSocket();
}

void RoomSession::Tick()
{
    if (m_pSocket)
        m_pSocket->OnUpdate();
}

// --- the room connection ------------------------------------------------------

bool RoomSession::OnSocketLink(int errorCode, const char* errorText, IClientSocket*)
{
    if (errorCode != 0)
    {
        m_pView->OnRoomLinkFailed(errorText != nullptr ? errorText : "");
        return true;
    }
    SendRoomLogon();
    m_nRoomState = kRoomLinked;
    return true;
}

void RoomSession::SendRoomLogon()
{
    const UserRecord& logon = CClientGlobal::GetInstance()->GetUserRecord();
    room::LogonIdentity identity;
    identity.userId = logon.dwUserID;
    identity.passwordMd5 = FieldText(logon.szPassword);
    identity.machineId = CClientGlobal::GetMachineID();
    identity.kindId = m_ServerRecord.wKindID;
    identity.clientAddr = logon.dwClientAddr;
    identity.roomVersion = m_dwRoomVersion;
    const RoomLogonRequest request = room::BuildRoomLogon(identity);
    m_pSocket->SendData(MDM_GR_LOGON, SUB_GR_LOGON_USERID, &request, sizeof(request));
}

bool RoomSession::OnSocketRead(uint32_t command, const void* data, size_t size, IClientSocket*)
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
        case MDM_GR_BANK: return m_pView->OnBankMessage(sub, data, size);
        case MDM_GF_FRAME:
        case MDM_GF_GAME: return m_pView->ForwardToGame(main, sub, data, size);
        case MDM_GR_SYSTEM: return OnSystemCommand(sub, data, size);
        default: return true;
    }
}

bool RoomSession::OnSocketShut(IClientSocket*, SocketShutReason)
{
    CClientGlobal::GetInstance()->WriteLog(GBK("房间网络关闭"));
    if (m_pSocket)
        m_pSocket->CloseSocket();
    CClientGlobal::ShowMessageBox(GBK("房间爆满拥挤 请稍后再试!"));
    m_pView->OnRoomShut();
    return true;
}

// --- main 1: log-on -----------------------------------------------------------

bool RoomSession::OnLogonMessage(uint16_t sub, const void* data, size_t size)
{
    switch (sub)
    {
        case SUB_GR_LOGON_SUCCESS:
            m_nRoomState = kRoomLoggedOn;
            m_pView->OnRoomLoggedOn();
            return true;
        case SUB_GR_LOGON_ERROR:
        {
            if (size < kLogonErrorMinSize)
                return false;
            m_nRoomState = kRoomRefused;
            m_pView->OnRoomRefused(wire::ReadTextAt(data, size, kLogonErrorMinSize, size / 2));
            return true;
        }
        case SUB_GR_LOGON_FINISH:
            m_nRoomState = kRoomReady;
            m_pView->OnRoomLogonFinished();
            return true;
        default: return true;
    }
}

// --- main 2: configuration ------------------------------------------------------

bool RoomSession::OnConfigMessage(uint16_t sub, const void* data, size_t size)
{
    if (sub != SUB_GR_SERVER_INFO)
        return true;
    if (!wire::ReadRecord(data, size, m_RoomConfig))
        return false;
    m_pView->OnRoomConfig();
    return true;
}

// --- main 3: users, seats, chat ---------------------------------------------------

bool RoomSession::OnUserMessage(uint16_t sub, const void* data, size_t size)
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

void RoomSession::SeatInGrid(const tagUserData* user)
{
    m_pView->SetChairUser(user->wTableID, user->wChairID, user);
    m_pView->SetChairState(user->wTableID, user->wChairID, user->cbUserStatus);
}

bool RoomSession::OnUserEnter(const void* data, size_t size)
{
    tagUserData record;
    if (!room::ReadUserEnter(data, size, record))
        return false;
    tagUserData* user = m_UserManager.SearchUserByUserID(record.dwUserID);
    if (user == nullptr)
    {
        user = m_UserManager.AddUser(record);
        m_pView->OnUserAdded(user);
    }
    else
    {
        // The same user again: refresh the held record rather than keep a
        // second one nobody owns; the grid lets go of the old seat first.
        const uint16_t oldTable = user->wTableID;
        const uint16_t oldChair = user->wChairID;
        if (m_pView->GetChairUser(oldTable, oldChair) == user &&
            (oldTable != record.wTableID || oldChair != record.wChairID))
            m_pView->SetChairUser(oldTable, oldChair, nullptr);
        *user = record;
        m_pView->OnUserChanged(user);
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

void RoomSession::TakeMyScore()
{
    UserRecord& logon = CClientGlobal::GetInstance()->GetUserRecord();
    logon.lScore = m_pMeUserData->lScore;
    logon.lInsureScore = m_pMeUserData->lInsureScore;
    m_pView->OnMyScoreChanged();
}

bool RoomSession::OnUserScore(const void* data, size_t size)
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
    m_pView->OnUserChanged(user);
    m_pView->ShowScoreChange(user->wTableID, user->wChairID, user->lScore - oldScore, user, score.cbNoChange);
    if (IsSeated() && user->wTableID == m_pMeUserData->wTableID)
    {
        m_pView->OnTableScoreChanged();
        m_pView->SendToGame(Sexy::IPC_MAIN_USER, Sexy::IPC_SUB_USER_SCORE, data, sizeof(UserScoreMessage));
    }
    return true;
}

bool RoomSession::OnUserStatus(const void* data, size_t size)
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

    if (oldTable != INVALID_TABLE && seatChanged && m_pView->GetChairUser(oldTable, oldChair) == user)
        m_pView->SetChairUser(oldTable, oldChair, nullptr);

    if (newStatus != US_NULL)
    {
        user->wTableID = newTable;
        user->wChairID = newChair;
        user->cbUserStatus = newStatus;
        m_pView->OnUserChanged(user);
        m_pView->SetChairState(newTable, newChair, newStatus);
    }
    else
    {
        // Leaving the room: no chair or row may keep the record.
        m_pView->ForgetChairUser(user);
        m_pView->OnUserRemoved(user);
    }

    const uint16_t myTable = m_pMeUserData != nullptr ? m_pMeUserData->wTableID : INVALID_TABLE;
    if (newStatus != US_NULL && newTable != INVALID_TABLE && seatChanged && newStatus != US_LOOKON)
    {
        m_pView->SetChairUser(newTable, newChair, user);
        if (!isMe && myTable != INVALID_TABLE && newTable == myTable)
            m_pView->SendUserToGame(user);
    }

    if (isMe || (myTable != INVALID_TABLE && (myTable == newTable || myTable == oldTable)))
    {
        UserStatusMessage relay{};
        relay.dwUserID = status.dwUserID;
        relay.wTableID = newTable;
        relay.wChairID = newChair;
        relay.cbUserStatus = newStatus;
        m_pView->SendToGame(Sexy::IPC_MAIN_USER, Sexy::IPC_SUB_USER_STATUS, &relay, sizeof(relay));
    }

    if (newStatus == US_NULL)
        m_UserManager.DeleteUser(user);  // my own record stays valid

    if (isMe)
    {
        m_wRequestTable = INVALID_TABLE;
        m_wRequestChair = INVALID_CHAIR;
        if (newTable != INVALID_TABLE && seatChanged)
            m_pView->OnMySeatTaken(newTable, newChair);
    }
    return true;
}

bool RoomSession::OnRequestFailure(const void* data, size_t size)
{
    if (size < kSitFailedMinSize)
        return false;
    m_wRequestTable = INVALID_TABLE;
    m_wRequestChair = INVALID_CHAIR;
    const std::u16string text = wire::ReadTextAt(data, size, 4, size / 2);
    if (!text.empty())
        CClientGlobal::ShowMessageBox(CClientGlobal::WideToAnsi(text));
    m_pView->HideProgress();
    return true;
}

bool RoomSession::OnUserChat(const void* data, size_t size)
{
    uint16_t count = 0;
    if (size < kChatTextAt || !wire::ReadRecord(data, size, count) || size != kChatTextAt + 2u * count)
        return false;
    // Neither text need end in a 0: each is read no further than its field.
    const std::u16string sender = wire::ReadTextAt(data, size, kChatSenderAt, (kChatTextAt - kChatSenderAt) / 2);
    const std::u16string text = wire::ReadTextAt(data, size, kChatTextAt, count);
    m_pView->AddChatLine(CClientGlobal::WideToAnsi(sender), CClientGlobal::WideToAnsi(text), IRoomView::ChatKind::Chat);
    return true;
}

bool RoomSession::OnRoomMessage(const void* data, size_t size)
{
    if (size < kRoomMessageTextAt)
        return false;
    const std::u16string text = wire::ReadTextAt(data, size, kRoomMessageTextAt, size / 2);
    if (!text.empty())
        CClientGlobal::ShowMessageBox(CClientGlobal::WideToAnsi(text));
    return true;
}

bool RoomSession::OnSpeakerMessage(const void* data, size_t size)
{
    SpeakerMessage line;
    if (size != sizeof(line))
        return false;
    wire::ReadRecord(data, size, line);
    const std::string sender =
        CClientGlobal::WideToAnsi(wire::ReadTextAt(data, size, offsetof(SpeakerMessage, szSender), 32));
    const std::string text =
        CClientGlobal::WideToAnsi(wire::ReadTextAt(data, size, offsetof(SpeakerMessage, szText), 128));
    m_pView->ShowSpeakerLine(line.wType, sender, text);
    if (IsExternalKind())
        m_pView->SendToGame(Sexy::IPC_MAIN_CONFIG, Sexy::IPC_SUB_SPEAKER, data, size);
    return true;
}

bool RoomSession::OnSpeakerInfo(const void* data, size_t size)
{
    tagSpeakerInfo info;
    if (size != sizeof(info))
        return false;
    wire::ReadRecord(data, size, info);
    m_pView->OpenSpeakerDialog(info);
    return true;
}

bool RoomSession::SendSpeaker(int kind, const std::string& gbkText)
{
    const SpeakerRequest request = room::BuildSpeakerRequest(kind, CClientGlobal::GBKToUTF8(gbkText));
    return m_pSocket && m_pSocket->SendData(MDM_GR_USER, SUB_GR_USER_SPEAKER, &request, sizeof(request));
}

// --- main 4: tables -----------------------------------------------------------------

bool RoomSession::OnTableMessage(uint16_t sub, const void* data, size_t size)
{
    switch (sub)
    {
        case SUB_GR_TABLE_INFO: return OnTableStatusList(data, size);
        case SUB_GR_TABLE_STATUS: return OnTableStatus(data, size);
        default: return true;
    }
}

bool RoomSession::OnTableStatusList(const void* data, size_t size)
{
    uint16_t count = 0;
    if (!wire::ReadRecord(data, size, count) || size != 2u + 2u * count)
        return false;
    const auto* entries = static_cast<const uint8_t*>(data) + 2;
    for (uint16_t table = 0; table < count; ++table)
    {
        tagTableStatus state;
        std::memcpy(&state, entries + sizeof(state) * table, sizeof(state));
        m_pView->SetTableState(table, state.cbPlayStatus != 0, state.cbTableLock != 0);
    }
    return true;
}

bool RoomSession::OnTableStatus(const void* data, size_t size)
{
    TableStatusMessage state;
    if (size != sizeof(state))
        return false;
    wire::ReadRecord(data, size, state);
    const uint16_t table = state.wTableID;
    const bool playing = state.cbPlayStatus != 0;
    m_pView->SetTableState(table, playing, state.cbTableLock != 0);
    if (!IsSeated() || m_pMeUserData->wTableID != table)
        return true;
    m_bMyTablePlaying = playing;
    m_pView->OnMyTableState(playing);
    return true;
}

// --- main 1000 -----------------------------------------------------------------------

bool RoomSession::OnSystemCommand(uint16_t sub, const void* data, size_t size)
{
    if (sub == SUB_GR_SYSTEM_MESSAGE)
        return OnSystemMessage(data, size);
    return true;
}

bool RoomSession::OnSystemMessage(const void* data, size_t size)
{
    uint16_t head[2] = {0, 0};  // flags, length in units
    if (size <= kNoticeTextAt || !wire::ReadRecord(data, size, head) || size != kNoticeTextAt + 2u * head[1])
        return false;
    const uint16_t flags = head[0];
    const std::u16string text = wire::ReadTextAt(data, size, kNoticeTextAt, head[1]);
    const std::string gbk = CClientGlobal::WideToAnsi(text);
    if ((flags & kNoticeToChat) != 0)
        m_pView->AddChatLine(GBK("系统公告"), gbk, IRoomView::ChatKind::Notice);
    if ((flags & kNoticeToBox) != 0 && gbk.find(GBK("对方被迫离开")) == std::string::npos)
        CClientGlobal::ShowMessageBox(gbk);
    if ((flags & kNoticeLeave) != 0)
        m_pView->OnLeaveAsked();
    return true;
}

// --- seats ---------------------------------------------------------------------------

bool RoomSession::RequestSitDown(uint16_t table, uint16_t chair)
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
    const tagUserData* sitting = m_pView->GetChairUser(table, chair);
    if (sitting != nullptr && sitting == m_pMeUserData)
        return false;
    // The join spot of a many-seat table asks for any of its chairs: its
    // lock holds all the same.
    if (table != INVALID_TABLE)
    {
        if (chair != INVALID_CHAIR && sitting != nullptr)
        {
            CClientGlobal::ShowMessageBox(GBK("座位已被占用"));
            return false;
        }
        if (m_pView->IsTableLocked(table))
        {
            m_wPendingTable = table;
            m_wPendingChair = chair;
            m_pView->OpenTablePassword();
            return true;
        }
    }
    m_wRequestTable = table;
    m_wRequestChair = chair;
    SendSitDownRequest(table, chair, m_strTablePassword);
    return true;
}

bool RoomSession::SendSitDownRequest(uint16_t table, uint16_t chair, const std::string& gbkPassword)
{
    const SitDownRequest request = room::BuildSitDown(table, chair, CClientGlobal::AnsiToWide(gbkPassword));
    return m_pSocket && m_pSocket->SendData(MDM_GR_USER, SUB_GR_USER_SIT_REQ, &request, sizeof(request));
}

bool RoomSession::SendSitDown(const std::string& gbkPassword)
{
    m_strTablePassword = gbkPassword;
    m_wRequestTable = m_wPendingTable;
    m_wRequestChair = m_wPendingChair;
    return SendSitDownRequest(m_wPendingTable, m_wPendingChair, gbkPassword);
}

bool RoomSession::OnQuickJoin() { return SendSitDownRequest(INVALID_TABLE, INVALID_CHAIR, std::string()); }

bool RoomSession::SendStandUp(uint16_t table, uint16_t chair, uint8_t force)
{
    StandUpRequest request{};
    request.wTableID = table;
    request.wChairID = chair;
    request.cbForce = force;
    return m_pSocket && m_pSocket->SendData(MDM_GR_USER, SUB_GR_USER_STANDUP_REQ, &request, sizeof(request));
}

bool RoomSession::SendTableRule(const std::string& gbkPassword)
{
    m_strTablePassword = gbkPassword;
    const std::vector<uint8_t> message = room::BuildTableRule(CClientGlobal::AnsiToWide(gbkPassword));
    return m_pSocket && m_pSocket->SendData(MDM_GR_USER, SUB_GR_USER_RULE, message.data(), message.size());
}

bool RoomSession::BuildGameConfig(Sexy::GameServerConfig& config) const
{
    std::memset(&config, 0, sizeof(config));
    if (m_pMeUserData == nullptr)
        return false;
    config.wTableID = m_pMeUserData->wTableID;
    config.wChairID = m_pMeUserData->wChairID;
    config.dwUserID = m_pMeUserData->dwUserID;
    config.wKindID = m_ServerRecord.wKindID;
    config.wServerWord1 = m_ServerRecord.wServerID;
    config.wServerWord2 = m_RoomConfig.wGameValue4;
    config.dwServerLong1 = m_RoomConfig.dwGameValue6;
    config.wChairCount = m_RoomConfig.wChairCount;
    // Both names are UTF-16 fields of 32 units on either side.
    static_assert(sizeof(config.szServerName) == sizeof(m_ServerRecord.szServerName) &&
                      sizeof(config.szKindName) == sizeof(m_KindRecord.szKindName),
                  "the names pass over whole");
    std::memcpy(&config.szServerName, &m_ServerRecord.szServerName, sizeof(config.szServerName));
    std::memcpy(&config.szKindName, &m_KindRecord.szKindName, sizeof(config.szKindName));
    return true;
}

void RoomSession::ClearRequest()
{
    m_wRequestTable = INVALID_TABLE;
    m_wRequestChair = INVALID_CHAIR;
}
