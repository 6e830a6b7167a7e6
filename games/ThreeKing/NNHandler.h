// The message handler of San Gong (kind 9): every game message and scene at
// its size, the three requests, and the clocks whose time-outs only hide the
// player's buttons.
#pragma once

#include "games/ThreeKing/ThreeKingMessages.h"
#include "games/framework/GameHandler.h"

#include <cstdint>

namespace ThreeKing {

class NNBoard;

class NNHandler : public Sexy::CGameHandler
{
public:
    // My clock at 0 hides the buttons of its phase (201 bet, 202 rob, 203
    // show and hand sign) and sends nothing; the seconds show as always.
    bool OnClockInfo(uint16_t chair, int32_t seconds, uint32_t timerID) override;
    // Subs 100 to 106 at their sizes; 107, 108, 110 and 111 at any size;
    // every other sub is refused.
    bool OnGameMessage(uint16_t sub, const void* data, uint16_t size) override;
    // Statuses 0, 101 and 102 at their sizes, 100 at its size while I play;
    // other statuses are accepted.
    bool OnGameSceneMessage(uint8_t gameStatus, bool lookOn, const void* data, uint16_t size) override;

    // The board of the game (the kernel's), or null.
    NNBoard* Board() const;
    // The last playing scene, from which the board restores the cards.
    const CMD_S_StatusPlay& GetSceneCopy() const { return m_SceneCopy; }

    bool SendRobChoice(bool rob);
    bool SendBet(int64_t amount);
    bool SendShow(uint8_t hasType);

private:
    // Before a scene draws: the table and the clocks of any earlier one go.
    void ClearScene();
    bool OnSceneCall(const void* data, uint16_t size);
    bool OnSceneScore(const void* data, uint16_t size);
    bool OnScenePlay(const void* data, uint16_t size);

    CMD_S_StatusPlay m_SceneCopy{};
};

}  // namespace ThreeKing
