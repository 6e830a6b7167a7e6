// Texas hold'em's message handler: checks each server message (its size,
// and the chairs and pot numbers in it), keeps the state of the hand that
// the table shows between messages, drives the board and sends my actions.
//
// The server runs the game; the handler keeps running totals of the bets so
// the table can show them. The board and its sprites read the state below
// directly, through the module's handler (DZPoKerMobile::GetHandler).
#pragma once

#include "games/DZPoKer/DZPoKerGameLogic.h"
#include "games/DZPoKer/DZPoKerMessages.h"
#include "games/framework/GameHandler.h"

#include <cstdint>

namespace DZPoKer {

class DZPoKerBoard;

class DZPoKerHandler : public Sexy::CGameHandler
{
public:
    DZPoKerHandler();
    ~DZPoKerHandler() override = default;

    // A new hand: everything of the last one goes, but my chair and the
    // all-in amount.
    void ResetGameClient() override;
    // Subs 100 to 104 and 108 at their sizes, 106 at any; others refused.
    bool OnGameMessage(uint16_t sub, const void* data, uint16_t size) override;
    // Status 0 (16 bytes) and 100 (174); others refused.
    bool OnGameSceneMessage(uint8_t gameStatus, bool lookOn, const void* data, uint16_t size) override;
    // Another player's seat is cleared on the table too.
    void OnUserLeave(tagUserData* user, uint16_t chair, bool lookOn) override;

    // My actions, from the board's buttons (and the turn timer's give-up):
    // each plays its sound, takes the action buttons away and tells the server.
    void OnGiveUp();
    void OnPass();
    void OnFollow();
    // Kind 1..3 adds that many cell scores to the follow amount; another
    // kind counts as 1 but is sent as it is.
    void OnAddScore(int32_t kind);
    void OnAllIn();
    // The board has started turning centre cards.
    void OnBoardCardsShown();

    // The kernel's board as the hold'em board; null outside a game.
    DZPoKerBoard* GetPokerBoard() const;
    // Whether the chair (0..5) is still in the hand.
    bool IsPlaying(uint16_t chair) const { return chair < GAME_PLAYER && m_cbPlayStatus[chair] != 0; }
    // My record says I play this hand (no record: I do not).
    bool IsMePlaying();

    DZPoKerCGameLogic m_GameLogic;
    int32_t m_nActionMask = MASK_NONE;
    int64_t m_lFollowShow = 0;              // on my follow button; 0 offers pass
    uint16_t m_wMeChairID = INVALID_CHAIR;  // as the last scene record found it
    uint16_t m_wDealerUser = INVALID_CHAIR;
    uint16_t m_wCurrentUser = INVALID_CHAIR;
    uint8_t m_cbShowHand = 0;
    int64_t m_lCellScore = 0;
    uint8_t m_cbPlayStatus[GAME_PLAYER] = {};
    int64_t m_lFollowScore = 0;
    int64_t m_lAllInScore = 0;
    int64_t m_lStartChip = 0;
    int64_t m_lTableScore[GAME_PLAYER] = {};
    int64_t m_lTotalScore[GAME_PLAYER] = {};
    int64_t m_lPot = 0;
    int64_t m_lGameScore[GAME_PLAYER] = {};
    uint8_t m_cbCenterCard[MAX_CENTER_COUNT] = {};
    uint8_t m_cbHandCard[GAME_PLAYER][HOLE_CARD_COUNT] = {};
    uint8_t m_cbBestFive[GAME_PLAYER][HAND_CARD_COUNT] = {};

private:
    bool OnGameStart(const void* data, uint16_t size);
    bool OnAddScoreMessage(const void* data, uint16_t size);
    bool OnGiveUpMessage(const void* data, uint16_t size);
    bool OnSendCard(const void* data, uint16_t size);
    bool OnGameEnd(const void* data, uint16_t size);
    bool OnPotList(const void* data, uint16_t size);
    bool OnPlayingScene(const void* data, uint16_t size);
    // Stops the board's turn timer (before a message is even checked); the board.
    DZPoKerBoard* StopTurnTimer();
    // Adds to my table bet and total bet (my chair from the kernel).
    void AddMyBet(int64_t amount);
    // Sound, buttons away, then sub 1 with the amount and kind.
    void SendAddScore(const char* sound, int64_t amount, int32_t kind);
    void HideActionButtons();
};

}  // namespace DZPoKer
