// The message handler of the horse race: checks each server message and
// scene record at its exact size, keeps the round's bets, odds and limits,
// and drives the board. My bets go out through SendBets, which checks each
// area against GetMaxBet first.
#pragma once

#include "games/HorseBattle/HorseBattleMessages.h"
#include "games/framework/GameHandler.h"

#include <cstdint>

namespace HorseBattle {

class PaoMaBoard;

class PaoMaHandler : public Sexy::CGameHandler
{
public:
    PaoMaHandler();
    ~PaoMaHandler() override = default;

    // The framework's clock is never drawn on this table.
    bool OnClockInfo(uint16_t chair, int32_t seconds, uint32_t timerID) override;
    // Subs 100 to 104 and 107 to 109 at their sizes; 105, 106 and subs
    // outside 100..109 are accepted whatever their size.
    bool OnGameMessage(uint16_t sub, const void* data, uint16_t size) override;
    // Statuses 0, 100, 101 and 102 at their sizes; every other status is refused.
    bool OnGameSceneMessage(uint8_t gameStatus, bool lookOn, const void* data, uint16_t size) override;
    // False for subs 100 to 103 without data on my own chair (102 also drops
    // the board's chip); true otherwise. Nothing calls it.
    virtual bool OnChairNotice(uint16_t chair, const void* data, uint16_t sub);

    // The most I may still add on an area (0..14), or in all (15).
    int64_t GetMaxBet(uint8_t area);
    // Sends the amounts when no area goes past GetMaxBet, and counts them on
    // both sides; else tells me and sends nothing. True when sent.
    bool SendBets(const int64_t bets[AREA_COUNT]);

    // The kernel's board as this game's board; null outside a game.
    PaoMaBoard* GetPaoMaBoard() const;

    uint32_t GetAreaOdds(int area) const { return area >= 0 && area < AREA_COUNT ? m_dwAreaOdds[area] : 0; }
    int64_t GetAreaLimit() const { return m_lAreaLimit; }
    int64_t GetUserAreaLimit() const { return m_lUserAreaLimit; }
    int64_t GetMyBet(int area) const { return area >= 0 && area < AREA_COUNT ? m_lMyBets[area] : 0; }
    int64_t GetAllBet(int area) const { return area >= 0 && area < AREA_COUNT ? m_lAllBets[area] : 0; }

private:
    void OnRoundStart(const RoundStartMessage& message);
    void OnBetEnd(const BetEndMessage& message);
    void OnRace(const RaceMessage& message);
    void OnBetPlaced(const BetPlacedMessage& message);
    void OnBetFailed(const BetFailedMessage& message);
    void OnFree(const FreeMessage& message);
    // The parts every scene shares, after its own.
    void RestoreHistory(PaoMaBoard* board, const SceneHead& head);
    void RestoreBets(PaoMaBoard* board, const int64_t myBets[AREA_COUNT], const int64_t allBets[AREA_COUNT]);
    void SetScene(PaoMaBoard* board, uint8_t status, int boardState, const SceneHead& head);
    void ClearBets();
    uint16_t MyViewChair();

    uint32_t m_dwAreaOdds[AREA_COUNT];
    int64_t m_lAreaLimit = 0;
    int64_t m_lUserAreaLimit = 0;
    int64_t m_lMyBets[AREA_COUNT] = {};
    int64_t m_lAllBets[AREA_COUNT] = {};
};

}  // namespace HorseBattle
