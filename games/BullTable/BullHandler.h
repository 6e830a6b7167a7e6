// What the three bull games' handlers keep of a round, and their requests.
//
// OxEx, OxNew and OxTB share this base: the round phase and the restored
// flag that a scene sets (the board then takes the own cards and amounts
// from the scene instead of live messages), the banker, the bet ceiling and
// the last bet of the banker-robbing games, and the base score of OxTB.
#pragma once

#include "games/framework/GameHandler.h"

#include <cstddef>
#include <cstdint>

namespace Bull {

class CBullBoard;

// The game clock every bull phase runs on my or the asked chair.
constexpr uint32_t kBullClockID = 30;
constexpr int32_t kBullClockSeconds = 30;

// Round phases, set only by scenes.
constexpr uint32_t kPhaseFree = 0;
constexpr uint32_t kPhaseCall = 1;
constexpr uint32_t kPhaseBetting = 2;
constexpr uint32_t kPhasePlaying = 3;

class CBullHandler : public Sexy::CGameHandler
{
public:
    static constexpr uint16_t kNoChair = 0xFFFF;

    uint32_t GetRoundPhase() const { return m_dwRoundPhase; }
    bool IsRestored() const { return m_cbRestored != 0; }
    // The board's reset: the next round runs on messages again.
    void ClearRestored() { m_cbRestored = 0; }
    int64_t GetBetCeiling() const { return m_lBetCeiling; }
    int64_t GetLastBet() const { return m_lLastBet; }
    uint16_t GetBankerChair() const { return m_wBankerChair; }

    // The three requests of the bull games (main 200).
    bool SendRobChoice(bool rob);
    bool SendBet(int64_t amount);
    bool SendOpenCard(uint8_t hasBull);
    bool SendOpenCard(uint8_t hasBull, const uint8_t cards[5]);

    // A card record of five from a chair's row of a message, or false when
    // the chair is not one of the table's.
    static bool CopyChairCards(const uint8_t* rows, size_t chairs, uint16_t chair, uint8_t out[5]);

protected:
    // A player opened: mine stops my clock and hides my open buttons; the
    // opening animation shows either way (moved to zOrder unless it is < 0).
    void OnPlayerOpened(uint16_t player, CBullBoard* board, int zOrder);

    // Every accepted scene: its phase and the restored flag, before its size
    // is looked at.
    void EnterScene(uint32_t phase)
    {
        m_dwRoundPhase = phase;
        m_cbRestored = 1;
    }

    uint32_t m_dwRoundPhase = kPhaseFree;
    int64_t m_lBetCeiling = 0;
    int64_t m_lLastBet = 0;
    uint16_t m_wBankerChair = kNoChair;
    uint8_t m_cbRestored = 0;
};

}  // namespace Bull
