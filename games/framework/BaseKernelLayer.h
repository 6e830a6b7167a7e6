// The game kernel: one per room. It keeps my table's seats, my record, the
// game status, the configuration the room hands over, the single game clock
// and the module objects of the game kinds; it turns the room's channel
// messages into calls on the current game's handler and board, and sends the
// game's packets through the room.
//
// The room feeds it with OnChannelMessage (main 1 game-server packets, main 3
// control, main 4 users at my table) and calls LoadGameResources, EnterGame,
// RequestExit and ResetGameKernel. Games reach it only through the handler's
// accessors (GameHandler.h) or RoomKernel().
#pragma once

#include "cocos2d.h"
#include "games/framework/KernelMessages.h"
#include "games/framework/MobileUserManager.h"
#include "games/framework/GameKindTable.h"
#include "ui/Dialog.h"

#include <cstdint>
#include <map>
#include <string>

namespace Sexy {

class CGameHandler;
class CGameBoard;
class CGameKindModule;
class CMobileUserTimer;

class CBaseKernelLayer : public cocos2d::CCLayer, public CDialogDelegate
{
public:
    static constexpr size_t kMaxSeats = 100;
    static constexpr int kBoardZOrder = 10;
    static constexpr int kExitDialogTag = 1508;
    static constexpr int kReadySeconds = 45;

    static CBaseKernelLayer* create();
    CBaseKernelLayer();
    ~CBaseKernelLayer() override;
    bool init() override;

    // --- what games call (through the handler's accessors) ---------------
    // Refuses a payload over 16209 bytes; otherwise {main, sub, payload} goes
    // to the room as channel (1, 1).
    virtual bool SendSocketData(uint16_t main, uint16_t sub, const void* data, uint16_t size);
    virtual bool SendSocketData(uint16_t main, uint16_t sub);
    virtual uint8_t GetGameStatus();
    virtual void SetGameStatus(uint8_t status);
    // Only while I sit (status 2): stops the ready clock and sends (100, 2).
    // Otherwise sends nothing and answers true.
    virtual bool SendUserReady(const void* data, uint16_t size);
    // (chair count - my chair + chair) mod chair count; 0 without my record.
    virtual uint16_t SwitchViewChairID(uint16_t chair);
    virtual tagUserData* GetMeUserData();
    virtual uint16_t GetMeChairID();
    // Null for an empty chair or one not below the chair count (or 100).
    virtual tagUserData* GetTableUserData(uint16_t chair);
    virtual tagUserData* SearchUserByGameID(uint32_t gameID);
    virtual uint16_t GetClockChairID();
    // One clock at a time: a new one ends the running one first.
    virtual bool SetGameClock(uint16_t chair, uint32_t timerID, int32_t seconds);
    // 0 stops whichever clock runs; a foreign id is refused.
    virtual bool KillGameClock(uint32_t timerID);
    virtual bool SearchReadyUser();

    // The exit confirmation's button (1 confirms).
    void OnDialogResult(int button) override;

    // --- what the room calls ---------------------------------------------
    bool OnChannelMessage(uint16_t main, uint16_t sub, const void* data, uint16_t size);
    bool OnChannelMessage(uint16_t main, uint16_t sub);
    // Leave the game at my table, asking first while I am playing.
    void RequestExit();
    // Whether I play a hand at my table (my status is 5).
    bool IsPlaying();
    // Empties the table state when I leave my seat; drops the board.
    void ResetGameKernel();
    // False for kind 2055 and for rooms of 9 to 100 chairs.
    bool IsSeatGame();

    // The kind is the u16 at offset 6 of the room's kind record.
    void LoadGameResources(const void* kindRecord);
    void UnloadGameResources(uint32_t kindID);
    // Creates handler and board once resources are ready, then shows the
    // game view; before that only the loading spinner. Always true.
    bool EnterGame(const void* kindRecord);

    // --- state for the framework and the room ----------------------------
    CGameHandler* GetGameHandler() const { return m_pGameHandler; }
    // The handler base attaches each new handler here.
    void SetGameHandler(CGameHandler* handler) { m_pGameHandler = handler; }
    CGameBoard* GetGameBoard() const { return m_pGameBoard; }
    uint16_t GetKindID() const { return m_Config.wKindID; }
    uint16_t GetChairCount() const { return m_Config.wChairCount; }
    uint16_t GetMeTableID() const { return m_wMeTableID; }
    uint32_t GetMeUserID() const { return m_Config.dwUserID; }
    uint32_t GetCurrentKind() const { return m_dwCurrentKind; }
    bool IsAllowLookon() const { return m_cbAllowLookon != 0; }
    // The server's name and the kind's name from the configuration.
    std::u16string GetServerName() const;
    std::u16string GetKindName() const;
    int64_t GetScoreAtEnter() const { return m_lScoreAtEnter; }
    void SetScoreAtEnter(int64_t score) { m_lScoreAtEnter = score; }
    int64_t GetScoreChangeSum() const { return m_lScoreChangeSum; }
    uint32_t GetClockTimerID() const { return m_dwClockTimerID; }
    CGameKindModule* GetKindModule(uint16_t kindID) const;

    // Called by the running clock node once a second.
    void OnClockTick(CMobileUserTimer* node, int32_t secondsLeft);

private:
    bool OnSocketMessage(const void* data, uint16_t size);
    bool OnFrameMessage(uint16_t sub, const void* data, uint16_t size);
    bool OnControlMessage(uint16_t sub, const void* data, uint16_t size);
    bool OnUserMessage(uint16_t sub, const void* data, uint16_t size);
    void ActiveUserData(const tagUserData& record);
    bool UpdateUserScore(const UserScoreMessage& message);
    void OnUserStatusMessage(const UserStatusMessage& message);
    void DeleteUserData(uint32_t userID);
    // Empties a seat: the handler hears the user leave, the record goes back.
    void RemoveSeat(uint16_t chair);
    // Every seat emptied (each user told to leave) and my record forgotten.
    void ClearSeats();
    void SetTableStatus(uint8_t status);
    // Every change of a seated user's status goes here.
    void SetUserStatus(tagUserData& user, uint8_t status);
    // My record's status changed from `was`: leaving seated (2), however it
    // comes, drops the ready prompt.
    void OnMyStatus(uint8_t was);
    // The start button and the ready clock are a seated player's who has not
    // pressed yet: ready, playing or up, they go, as after the press.
    void DropReadyPrompt();
    void ShowGameBoard();
    void StopClockNode();
    // Seat loops stop at the chair count, and never past the 100 seats.
    uint16_t SeatLimit() const;
    static uint16_t KindOfRecord(const void* kindRecord);
    CGameKindModule* MakeKindModule(uint16_t kindID);

    CGameHandler* m_pGameHandler = nullptr;
    GameServerConfig m_Config{};  // as the room last handed it over (control 102)
    CMobileUserManager m_UserManager;
    uint32_t m_dwCurrentKind = 0;
    tagUserData* m_pMeUserData = nullptr;
    tagUserData* m_pSeats[kMaxSeats] = {};
    int64_t m_lScoreAtEnter = 0;
    int64_t m_lScoreChangeSum = 0;
    uint8_t m_cbGameStatus = GAME_STATUS_FREE;
    uint16_t m_wMeTableID = INVALID_TABLE;
    uint16_t m_wMeChairID = INVALID_CHAIR;
    uint8_t m_cbAllowLookon = 0;
    uint32_t m_dwClockTimerID = 0;
    uint32_t m_dwClockSeconds = 0;
    uint16_t m_wClockChairID = INVALID_CHAIR;
    CMobileUserTimer* m_pClockNode = nullptr;
    CGameBoard* m_pGameBoard = nullptr;
    std::map<uint16_t, CGameKindModule*> m_KindModules;  // made on first use, kept by kind
};

// The kernel of the room the game runs in; null outside a room.
CBaseKernelLayer* RoomKernel();
// Seated (seat panels, ready signs, the timer box) unless the room's kernel
// says its kind is a many-seat one; seated outside a room.
bool IsSeatedGame();

}  // namespace Sexy
