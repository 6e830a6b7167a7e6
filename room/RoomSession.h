// The room's session: the room connection and its messages, the users, the
// seats and the state the room has reached. Nothing here is drawn: what the
// player should see, and what goes to the game, is handed to the room's view
// (IRoomView), which the room scene implements. Tests drive a session alone
// over a fake socket and a fake view.
#pragma once

#include "hall/HallRecords.h"
#include "net/ClientSocket.h"
#include "room/RoomMessages.h"
#include "room/RoomUserManager.h"
#include "room/UserData.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// What the session asks of whoever shows the room. Texts are GBK.
class IRoomView
{
public:
    enum class ChatKind
    {
        Chat,
        Notice,
        SpeakerSmall,
        SpeakerBig
    };

    virtual ~IRoomView() = default;

    // --- the connection ------------------------------------------------------
    // The link failed; the session has shown nothing yet.
    virtual void OnRoomLinkFailed(const std::string& text) = 0;
    // The connection shut (the session has closed it and told the player).
    virtual void OnRoomShut() = 0;
    virtual void OnRoomLoggedOn() = 0;
    virtual void OnRoomRefused(const std::u16string& reason) = 0;
    // The log-on finished: the room is ready and should show.
    virtual void OnRoomLogonFinished() = 0;
    virtual void OnRoomConfig() = 0;
    // A system message asked the player to leave.
    virtual void OnLeaveAsked() = 0;

    // --- users ---------------------------------------------------------------
    virtual void OnUserAdded(const tagUserData* user) = 0;
    virtual void OnUserChanged(const tagUserData* user) = 0;
    // Before the record goes: no row may keep it.
    virtual void OnUserRemoved(const tagUserData* user) = 0;
    // My score or safe-box balance changed (the logged-on record has it).
    virtual void OnMyScoreChanged() = 0;
    // The score of someone at my table changed.
    virtual void OnTableScoreChanged() = 0;

    // --- the table grid ------------------------------------------------------
    // Seats outside the room's configuration are ignored.
    virtual const tagUserData* GetChairUser(uint16_t table, uint16_t chair) const = 0;
    virtual bool IsTableLocked(uint16_t table) const = 0;
    virtual void SetTableState(uint16_t table, bool playing, bool locked) = 0;
    virtual void SetChairUser(uint16_t table, uint16_t chair, const tagUserData* user) = 0;
    virtual void SetChairState(uint16_t table, uint16_t chair, uint8_t status) = 0;
    // Before a record is freed: no chair may show it.
    virtual void ForgetChairUser(const tagUserData* user) = 0;
    virtual void ShowScoreChange(uint16_t table, uint16_t chair, int64_t delta, const tagUserData* user,
                                 uint8_t flag) = 0;
    // The sit-down waits for the password of a locked table.
    virtual void OpenTablePassword() = 0;
    virtual void HideProgress() = 0;

    // --- texts ---------------------------------------------------------------
    virtual void AddChatLine(const std::string& sender, const std::string& text, ChatKind kind) = 0;
    // A loudspeaker line: 19 small, 20 big; every type scrolls on the top layer.
    virtual void ShowSpeakerLine(uint16_t type, const std::string& sender, const std::string& text) = 0;
    // The server sent my loudspeaker allowance: the player may send one.
    virtual void OpenSpeakerDialog(const tagSpeakerInfo& info) = 0;

    // --- the game ------------------------------------------------------------
    // Main 5 without a safe box, main 100 and 200: the view knows the bank and
    // the game.
    virtual bool OnBankMessage(uint16_t sub, const void* data, size_t size) = 0;
    virtual bool ForwardToGame(uint16_t main, uint16_t sub, const void* data, size_t size) = 0;
    virtual bool SendToGame(uint16_t main, uint16_t sub, const void* data, size_t size) = 0;
    virtual bool SendUserToGame(const tagUserData* user) = 0;
    // My table started or ended its game.
    virtual void OnMyTableState(bool playing) = 0;
    // I took a new seat: the game at that table starts.
    virtual void OnMySeatTaken(uint16_t table, uint16_t chair) = 0;
};

class RoomSession : public IClientSocketSink
{
public:
    // What the room connection has reached.
    enum
    {
        kRoomIdle = 0,    // before the link
        kRoomLinked = 2,  // log-on sent
        kRoomLoggedOn = 3,
        kRoomReady = 4,  // log-on finished: the room is usable
        kRoomRefused = 5,
    };

    explicit RoomSession(IRoomView* view) : m_pView(view) {}
    ~RoomSession() override;
    RoomSession(const RoomSession&) = delete;
    RoomSession& operator=(const RoomSession&) = delete;

    // The connection; its sink becomes the session.
    void SetSocket(std::unique_ptr<IClientSocket> socket);
    IClientSocket* GetSocket() const { return m_pSocket.get(); }
    // Keeps the pair and connects: to the room's own host, else to the list.
    void Connect(const GameKindRecord& kind, const GameServerRecord& server,
                 const std::vector<std::string>& serverList);
    // The setting "RoomVesion" sent with the log-on.
    void SetRoomVersion(uint32_t version) { m_dwRoomVersion = version; }
    // Once closed, the session reads no more messages.
    void Close();
    bool IsClosed() const { return m_bClosed; }
    // The transport's timers (every 2 s while the room shows).
    void Tick();

    // --- the room connection ------------------------------------------------
    bool OnSocketLink(int errorCode, const char* errorText, IClientSocket* socket) override;
    bool OnSocketRead(uint32_t command, const void* data, size_t size, IClientSocket* socket) override;
    bool OnSocketShut(IClientSocket* socket, SocketShutReason reason) override;

    // Handlers of main 3 and main 1000, in slot order.
    virtual bool OnUserEnter(const void* data, size_t size);
    virtual bool OnUserScore(const void* data, size_t size);
    virtual bool OnUserStatus(const void* data, size_t size);
    virtual bool OnRequestFailure(const void* data, size_t size);
    virtual bool OnUserChat(const void* data, size_t size);
    virtual bool OnSystemMessage(const void* data, size_t size);
    virtual bool OnRoomMessage(const void* data, size_t size);
    virtual bool OnSpeakerMessage(const void* data, size_t size);
    virtual bool OnSpeakerInfo(const void* data, size_t size);

    // --- seats --------------------------------------------------------------
    // A chair of the grid was clicked; false when nothing was sent or opened.
    bool RequestSitDown(uint16_t table, uint16_t chair);
    // The password dialog's OK: sit on the pending seat with this password.
    bool SendSitDown(const std::string& gbkPassword);
    // Any free seat.
    bool OnQuickJoin();
    bool SendStandUp(uint16_t table, uint16_t chair, uint8_t force);
    // Locks my table with the password, or unlocks it with "".
    bool SendTableRule(const std::string& gbkPassword);
    // The game program has the table: no request is pending any more.
    void ClearRequest();
    // A loudspeaker text (GBK): kind 0 the small loudspeaker, 1 the big one.
    bool SendSpeaker(int kind, const std::string& gbkText);

    // --- state ----------------------------------------------------------------
    int GetRoomState() const { return m_nRoomState; }
    bool IsMyTablePlaying() const { return m_bMyTablePlaying; }
    uint16_t GetRequestTable() const { return m_wRequestTable; }
    uint16_t GetRequestChair() const { return m_wRequestChair; }
    uint16_t GetPendingTable() const { return m_wPendingTable; }
    uint16_t GetPendingChair() const { return m_wPendingChair; }
    const std::string& GetTablePassword() const { return m_strTablePassword; }
    // The user manager's; valid for the session's life once set.
    tagUserData* GetMeUserData() const { return m_pMeUserData; }
    // Whether I sit at a table.
    bool IsSeated() const { return m_pMeUserData != nullptr && m_pMeUserData->wTableID != INVALID_TABLE; }
    RoomUserManager& GetUserManager() { return m_UserManager; }
    const tagRoomConfig& GetRoomConfig() const { return m_RoomConfig; }
    uint16_t GetChairCount() const { return m_RoomConfig.wChairCount; }
    const GameKindRecord& GetKindRecord() const { return m_KindRecord; }
    const GameServerRecord& GetServerRecord() const { return m_ServerRecord; }
    uint16_t GetKindID() const { return m_ServerRecord.wKindID; }
    // What the game is told of the room and my seat (control 102): zero
    // filled, then my seat, the kind and server, the room's configuration
    // and the two names. False without my record.
    bool BuildGameConfig(Sexy::GameServerConfig& config) const;
    // Kinds from 2060 on run as programs of their own.
    bool IsExternalKind() const { return GetKindID() >= kFirstExternalKind; }

private:
    bool OnLogonMessage(uint16_t sub, const void* data, size_t size);
    bool OnConfigMessage(uint16_t sub, const void* data, size_t size);
    bool OnUserMessage(uint16_t sub, const void* data, size_t size);
    bool OnTableMessage(uint16_t sub, const void* data, size_t size);
    bool OnSystemCommand(uint16_t sub, const void* data, size_t size);
    bool OnTableStatusList(const void* data, size_t size);
    bool OnTableStatus(const void* data, size_t size);

    void SendRoomLogon();
    bool SendSitDownRequest(uint16_t table, uint16_t chair, const std::string& gbkPassword);
    // My record's score and safe-box balance into the logged-on user's record.
    void TakeMyScore();
    // Puts a record on its chair in the grid with its status.
    void SeatInGrid(const tagUserData* user);

    IRoomView* m_pView;
    std::unique_ptr<IClientSocket> m_pSocket;
    int m_nRoomState = kRoomIdle;
    bool m_bClosed = false;
    bool m_bMyTablePlaying = false;
    uint32_t m_dwRoomVersion = kDefaultRoomVersion;
    uint16_t m_wRequestTable = INVALID_TABLE;
    uint16_t m_wRequestChair = INVALID_CHAIR;
    uint16_t m_wPendingTable = INVALID_TABLE;
    uint16_t m_wPendingChair = INVALID_CHAIR;
    std::string m_strTablePassword;  // GBK, as the player typed it last

    RoomUserManager m_UserManager;
    tagRoomConfig m_RoomConfig{};
    GameKindRecord m_KindRecord{};
    GameServerRecord m_ServerRecord{};
    tagUserData* m_pMeUserData = nullptr;  // the manager's, kept valid for the session's life
};
