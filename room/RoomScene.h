// The scene of one game room: the panes (table grid, user list, chat, top
// bar), their layout and transitions, the game kernel that hosts the game at
// my table and the relay to external game programs. The room connection, the
// users, the seats and the room's state are its session (RoomSession.h); the
// scene shows the session as its view.
//
// The hall makes it (create, retain, EnterRoom); it pushes itself over the
// hall when the log-on finishes and pops itself when the player leaves. At
// most one exists at a time: g_pRoomScene.
#pragma once

#include "cocos2d.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/GameRoom.h"
#include "hall/CDlgSetting.h"
#include "hall/HallRecords.h"
#include "net/IPCCopyData.h"
#include "platform/MessageWindow.h"
#include "platform/Process.h"
#include "platform/SharedMemory.h"
#include "room/CCTableListLayer.h"
#include "room/RoomMessages.h"
#include "room/RoomSession.h"
#include "ui/Dialog.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class PublicLayer;
class CImageButton;
class GameChatLayerG;
class PlayerTableViewLayerG;
class BankDialogServer;

class RoomScene : public cocos2d::CCScene,
                  public IRoomView,
                  public IChannelMessageSink,
                  public CDialogDelegate,
                  public platform::IMessageWindowSink,
                  public Sexy::IGameRoom,
                  public ITableSeatSink,
                  public ISettingTarget
{
public:
    // Room state: what the room connection has reached.
    enum
    {
        kRoomIdle = RoomSession::kRoomIdle,
        kRoomLinked = RoomSession::kRoomLinked,
        kRoomLoggedOn = RoomSession::kRoomLoggedOn,
        kRoomReady = RoomSession::kRoomReady,
        kRoomRefused = RoomSession::kRoomRefused,
    };
    enum
    {
        kSceneTag = 2,
        kKernelZOrder = 999
    };
    // Top-layer child of the dialog that asks to enter the room again.
    enum
    {
        kReenterDialogTag = 5508
    };
    enum
    {
        kTagTablePassword = 5601,
        kTagUserInfo = 5602,
        kTagSetting = 5603
    };
    static constexpr float kEnterFlagSeconds = 20.0f;
    static constexpr float kSocketTickSeconds = 2.0f;
    static constexpr uint32_t kExternalPollTimer = 100;
    static constexpr int kWindowAttempts = 64;

    static RoomScene* create();
    // What the hall calls to enter a room: makes the scene, keeps a
    // reference for the hall, and connects. False when it cannot be made.
    static bool EnterFromHall(const GameKindRecord& kind, const GameServerRecord& server);
    // Gives back the hall's reference to the open room, if any.
    static void CloseOpenRoom();
    RoomScene();
    ~RoomScene() override;
    bool init() override;
    void onEnter() override;
    void onEnterTransitionDidFinish() override;

    // --- life ---------------------------------------------------------------
    void EnterRoom(const GameKindRecord& kind, const GameServerRecord& server);
    // Leaves once: closes the room, pops the scene, stops the music.
    void ExitRoom();
    // Tears the room down without popping (also the end of ExitRoom); once.
    void CloseRoom();
    void ClearHallEnterFlag(float dt);
    void OnSocketTick(float dt);

    // --- the room connection (the session's) -------------------------------
    bool OnSocketLink(int errorCode, const char* errorText, IClientSocket* socket)
    {
        return m_Session.OnSocketLink(errorCode, errorText, socket);
    }
    bool OnSocketRead(uint32_t command, const void* data, size_t size, IClientSocket* socket)
    {
        return m_Session.OnSocketRead(command, data, size, socket);
    }
    bool OnSocketShut(IClientSocket* socket, SocketShutReason reason) { return m_Session.OnSocketShut(socket, reason); }
    void OnDialogResult(int button) override;

    // --- seats (the session's) ----------------------------------------------
    bool RequestSitDown(uint16_t table, uint16_t chair) override { return m_Session.RequestSitDown(table, chair); }
    bool SendSitDown(const std::string& gbkPassword) { return m_Session.SendSitDown(gbkPassword); }
    void OnQuickJoin(cocos2d::CCObject*) { m_Session.OnQuickJoin(); }
    bool SendStandUp(uint16_t table, uint16_t chair, uint8_t force)
    {
        return m_Session.SendStandUp(table, chair, force);
    }
    bool SendTableRule(const std::string& gbkPassword) override { return m_Session.SendTableRule(gbkPassword); }

    // --- panes --------------------------------------------------------------
    void LayoutRoom(float width, float height);
    void HideUserList() override;
    void ShowUserList() override;
    void ToggleMaximize() override;
    // Pushed with a random one of the five transitions (tests may force one;
    // -1 is random again).
    void PushRoomScene();
    void PushRoomScene(int transition);
    static void ForceTransition(int which) { s_nForcedTransition = which; }
    enum
    {
        kRoomTransitions = 5
    };
    // 0 radial, 1 horizontal, 2 in-out progress, 3 move in from the left
    // (0.7 s each), 4 move in from the bottom (0.5 s); the scene itself for
    // any other number.
    static cocos2d::CCScene* CreateRoomTransition(int which, cocos2d::CCScene* scene);
    void OnSettingButton(cocos2d::CCObject* sender);
    void OnExitButton(cocos2d::CCObject* sender);
    void OnFrameButton(cocos2d::CCObject* sender);

    // --- the game (RoomSceneRelay.cpp) ---------------------------------------
    // Main 100 and 200 from the server (and main 5 without a bank dialog) to
    // the game as channel (1, 2).
    bool ForwardToGame(uint16_t main, uint16_t sub, const void* data, size_t size) override;
    // A message for the game by the room's kind: the external program from
    // kind 2060 on, the kernel below.
    bool SendToGame(uint16_t main, uint16_t sub, const void* data, size_t size) override;
    bool SendGameConfig();
    bool SendUserToGame(const tagUserData* user) override;
    bool SendTableUsersToGame();
    void EnterGame(uint16_t table, uint16_t chair);
    void LaunchExternalGame(const tagUserData* me);
    void OnBackToGame(cocos2d::CCObject* sender);
    bool OnChannelMessage(const CopyDataHead& head, const void* data, size_t size,
                          platform::WindowHandle sender) override;
    bool OnIPCControl(const CopyDataHead& head, const void* data, size_t size, platform::WindowHandle sender);
    bool OnIPCSocketRelay(const CopyDataHead& head, const void* data, size_t size);
    void OnCopyData(platform::WindowHandle sender, uint32_t dwData, const void* data, size_t size) override;
    void OnTimer(uint32_t timerId) override;
    // Sexy::IGameRoom
    bool OnGameSendData(uint16_t main, uint16_t sub, const void* data, uint16_t size) override;
    void OnGameExit() override;
    void ShowGameView() override;
    void ShowRoomView(bool show) override;
    void OnGameResourcesLoaded(bool ready) override;
    bool IsGameResourcesReady() override { return m_bGameResourcesReady; }
    Sexy::CBaseKernelLayer* GetKernelLayer() override { return m_pKernelLayer; }

    // --- state for the room's widgets, the hall, games and tests -----------
    RoomSession& GetSession() { return m_Session; }
    const RoomSession& GetSession() const { return m_Session; }
    int GetRoomState() const { return m_Session.GetRoomState(); }
    bool IsRoomShown() const { return m_bRoomShown; }
    bool IsUserListHidden() const { return m_bUserListHidden; }
    bool IsMyTablePlaying() const { return m_Session.IsMyTablePlaying(); }
    uint16_t GetRequestTable() const { return m_Session.GetRequestTable(); }
    uint16_t GetRequestChair() const { return m_Session.GetRequestChair(); }
    const std::string& GetTablePassword() const { return m_Session.GetTablePassword(); }
    tagUserData* GetMeUserData() const { return m_Session.GetMeUserData(); }
    RoomUserManager& GetUserManager() { return m_Session.GetUserManager(); }
    const tagRoomConfig& GetRoomConfig() const { return m_Session.GetRoomConfig(); }
    uint16_t GetChairCount() const override { return m_Session.GetChairCount(); }
    const GameKindRecord& GetKindRecord() const { return m_Session.GetKindRecord(); }
    const GameServerRecord& GetServerRecord() const { return m_Session.GetServerRecord(); }
    uint16_t GetKindID() const { return m_Session.GetKindID(); }
    CCTableListLayer* GetTableList() const { return m_pTableList; }
    PlayerTableViewLayerG* GetUserList() const { return m_pUserList; }
    GameChatLayerG* GetChatLayer() const { return m_pChatLayer; }
    int GetAvailableHeight() const { return m_nAvailableHeight; }
    int GetUserListHeight() const { return m_nUserListHeight; }
    cocos2d::CCNode* GetTopBar() const { return m_pTopBar; }
    cocos2d::CCSprite* GetTableArea() const { return m_pTableArea; }
    CImageButton* GetBackButton() const { return m_pBackButton; }
    // The safe box open over this room, or null.
    BankDialogServer* GetBankDialog() const;
    platform::WindowHandle GetMessageWindow() const { return m_MessageWindow.GetHandle(); }

    // The connection is made in init; tests put their own in before EnterRoom.
    void SetSocket(std::unique_ptr<IClientSocket> socket) { m_Session.SetSocket(std::move(socket)); }
    IClientSocket* GetSocket() const { return m_Session.GetSocket(); }

private:
    // --- IRoomView: what the session shows ----------------------------------
    void OnRoomLinkFailed(const std::string& text) override;
    void OnRoomShut() override;
    void OnRoomLoggedOn() override;
    void OnRoomRefused(const std::u16string& reason) override;
    void OnRoomLogonFinished() override;
    void OnRoomConfig() override;
    void OnLeaveAsked() override { ExitRoom(); }
    void OnUserAdded(const tagUserData* user) override;
    void OnUserChanged(const tagUserData* user) override;
    void OnUserRemoved(const tagUserData* user) override;
    void OnMyScoreChanged() override;
    void OnTableScoreChanged() override;
    const tagUserData* GetChairUser(uint16_t table, uint16_t chair) const override;
    bool IsTableLocked(uint16_t table) const override;
    void SetTableState(uint16_t table, bool playing, bool locked) override;
    void SetChairUser(uint16_t table, uint16_t chair, const tagUserData* user) override;
    void SetChairState(uint16_t table, uint16_t chair, uint8_t status) override;
    void ForgetChairUser(const tagUserData* user) override;
    void ShowScoreChange(uint16_t table, uint16_t chair, int64_t delta, const tagUserData* user, uint8_t flag) override;
    void OpenTablePassword() override;
    void HideProgress() override;
    void AddChatLine(const std::string& sender, const std::string& text, ChatKind kind) override;
    void ShowSpeakerLine(uint16_t type, const std::string& sender, const std::string& text) override;
    void OpenSpeakerDialog(const tagSpeakerInfo& info) override;
    bool OnBankMessage(uint16_t sub, const void* data, size_t size) override;
    void OnMyTableState(bool playing) override;
    void OnMySeatTaken(uint16_t table, uint16_t chair) override;

    void PopLeftRoom(float dt);
    void CreatePanes();
    void ApplyLayout(bool withUserList);
    void StopExternalGame(uint16_t notifySub);
    bool IsExternalKind() const { return m_Session.IsExternalKind(); }

    // Flags.
    bool m_bRoomShown = false;
    bool m_bUserListHidden = false;
    bool m_bGameResourcesReady = false;
    bool m_bLeaving = false;
    bool m_bClosed = false;
    bool m_bPopWhenShown = false;  // left while its transition ran
    static int s_nForcedTransition;
    // Layout numbers.
    int m_nTopBarHeight = 33;
    int m_nHeaderHeight = 121;
    int m_nAvailableHeight = 0;
    int m_nUserListHeight = 0;

    RoomSession m_Session{this};

    // Panes.
    cocos2d::CCSprite* m_pChatBackground = nullptr;
    cocos2d::CCSprite* m_pTopBar = nullptr;
    cocos2d::CCSprite* m_pTableArea = nullptr;
    cocos2d::CCSprite* m_pLines[2] = {nullptr, nullptr};  // vertical, horizontal
    GameChatLayerG* m_pChatLayer = nullptr;
    CImageButton* m_pExitButton = nullptr;
    CImageButton* m_pSettingButton = nullptr;
    CImageButton* m_pQuickJoinButton = nullptr;
    CImageButton* m_pBackButton = nullptr;
    cocos2d::CCLabelTTF* m_pBackLabel = nullptr;
    cocos2d::CCLabelTTF* m_pTitleLabel = nullptr;
    PlayerTableViewLayerG* m_pUserList = nullptr;
    PublicLayer* m_pPublicLayer = nullptr;

    Sexy::CBaseKernelLayer* m_pKernelLayer = nullptr;
    CCTableListLayer* m_pTableList = nullptr;
    Dialog* m_pLogonDialog = nullptr;  // the refusal, retained: it must not call a freed room

    // The external game program.
    platform::Process m_Process;
    platform::WindowHandle m_hGameWnd = 0;
    platform::MessageWindow m_MessageWindow;
    std::string m_strWindowText;  // the message window's handle as decimal text
    platform::SharedMemory m_SharedRecord;
    CIPCRecvCopyData m_RecvCopyData;
    CIPCSendCopyData m_SendCopyData;

    Sexy::CGameRoomBinding m_GameRoomBinding;
};

extern RoomScene* g_pRoomScene;
