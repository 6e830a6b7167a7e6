// Five-card stud's message handler: checks each server message (its size,
// chairs and card counts), keeps the running sums that price my own actions,
// writes the cards into the board and calls the board's steps; runs the
// 30-second turn clock, which gives up for me when it runs out.
//
// The server decides everything else: who acts, what a follow costs, when a
// betting round is complete and who wins.
#pragma once

#include "games/ShowHandANEx/ShowHandANExMessages.h"
#include "games/framework/GameHandler.h"

#include <cstdint>

namespace ShowHandANEx {

class NNBoard;

class NNHandler : public Sexy::CGameHandler
{
public:
    NNHandler();
    ~NNHandler() override = default;

    void ResetGameClient() override;
    // The turn clock at 0 on my chair gives up, once.
    bool OnClockInfo(uint16_t chair, int32_t seconds, uint32_t timerID) override;
    // Subs 100 to 104 at their sizes; 108, 109 and 115 accepted; all others refused.
    bool OnGameMessage(uint16_t sub, const void* data, uint16_t size) override;
    // Status 100 at 158 bytes restores the hand; other statuses are accepted.
    bool OnGameSceneMessage(uint8_t gameStatus, bool lookOn, const void* data, uint16_t size) override;

    // The kernel's board as this game's; null outside a game.
    NNBoard* Board() const;

    // --- my actions, priced from what the messages said -------------------
    void Follow();
    // m is 1, 2 or 5 base bets.
    void Raise(int multiplier);
    void ShowHand();
    // Sent once per turn: the button and the clock share the latch.
    void GiveUp();

    // What a follow, a raise or a show hand would send now.
    int64_t FollowPrice() const;
    int64_t RaisePrice(int multiplier) const;
    int64_t ShowHandPrice();

    // My chair, or INVALID_CHAIR; the other chair (1 when mine is 0, else 0).
    uint16_t MyChair() const { return m_wMyChair; }
    uint16_t OtherChair() const { return m_wMyChair == 0 ? 1 : 0; }
    bool IsMe(uint16_t chair) const { return chair < GAME_PLAYER && chair == m_wMyChair; }

    uint16_t ActingChair() const { return m_wActingChair; }
    uint16_t CurrentChair() const { return m_wCurrentChair; }
    int64_t CellScore() const { return m_lCellScore; }
    int64_t FollowAmount() const { return m_lFollowAmount; }
    int64_t LastAmount() const { return m_lLastAmount; }
    int64_t ShowHandCap() const { return m_lShowHandCap; }
    int64_t RestoreFollowBase() const { return m_lRestoreFollowBase; }
    int64_t RoundBet(uint16_t chair) const { return chair < GAME_PLAYER ? m_lRoundBet[chair] : 0; }
    int64_t Committed(uint16_t chair) const { return chair < GAME_PLAYER ? m_lCommitted[chair] : 0; }
    uint8_t RoundFlag(uint16_t chair) const { return chair < GAME_PLAYER ? m_cbRoundFlag[chair] : 0; }
    // Both round flags set: no raise in this round.
    bool RoundCapped() const { return m_cbRoundFlag[0] == 1 && m_cbRoundFlag[1] == 1; }
    bool IsShowHand() const { return m_bShowHand; }
    bool IsSceneShowHand() const { return m_bSceneShowHand; }
    uint16_t RestoreShowHandMode() const { return m_wRestoreShowHandMode; }
    uint16_t FollowMode() const { return m_wFollowMode; }
    bool IsRestored() const { return m_bRestored; }
    void ClearRestored() { m_bRestored = false; }
    uint32_t RaiseCount() const { return m_dwRaiseCount; }
    uint8_t CardCount() const { return m_cbCardCount; }
    // The board's deal takes my chair from the kernel again.
    void RefreshMyChair();

private:
    bool OnGameStart(const void* data, uint16_t size);
    bool OnAddScore(const void* data, uint16_t size);
    bool OnGiveUp(const void* data, uint16_t size);
    bool OnSendCard(const void* data, uint16_t size);
    bool OnGameEnd(const void* data, uint16_t size);
    bool OnScenePlay(const void* data, uint16_t size);
    // Every scene first ends the hand the table shows: its clock, its sums, its table.
    void ClearHandForScene();
    // Clock 201 on the chair; nobody (65535) only stops the running one.
    void StartTurnClock(uint16_t chair);
    bool SendAddScore(int64_t amount, uint8_t kind);

    uint16_t m_wActingChair = 0;
    uint16_t m_wCurrentChair = INVALID_CHAIR;
    uint16_t m_wMyChair = INVALID_CHAIR;
    int64_t m_lCellScore = 0;
    int64_t m_lFollowAmount = 0;
    int64_t m_lLastAmount = 0;
    int64_t m_lShowHandCap = 0;
    int64_t m_lRestoreFollowBase = 0;
    int64_t m_lRoundBet[GAME_PLAYER] = {};
    int64_t m_lCommitted[GAME_PLAYER] = {};
    uint8_t m_cbRoundFlag[GAME_PLAYER] = {};
    bool m_bShowHand = false;
    bool m_bSceneShowHand = false;
    uint16_t m_wRestoreShowHandMode = 0;
    uint16_t m_wFollowMode = 0;
    bool m_bRestored = false;
    uint32_t m_dwRaiseCount = 0;
    uint8_t m_cbCardCount = 0;
    // My give-up of this turn went out: the clock's second report of 0 and
    // a press after it send nothing more.
    bool m_bGaveUp = false;
};

}  // namespace ShowHandANEx
