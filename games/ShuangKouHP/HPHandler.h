// Shuang Kou's message handler: checks each server message (its size, its
// chairs and its card counts), keeps the last out-card message that my next
// play must beat and hands each message to one step of the board.
#pragma once

#include "games/ShuangKouHP/ShuangKouMessages.h"
#include "games/framework/GameHandler.h"

#include <cstdint>

namespace ShuangKouHP {

class HPBoard;

class HPHandler : public Sexy::CGameHandler
{
public:
    HPHandler() = default;
    ~HPHandler() override = default;

    void StopBackgroundMusic() override;
    // Subs 100 to 104 at their sizes; other subs are accepted and ignored.
    bool OnGameMessage(uint16_t sub, const void* data, uint16_t size) override;
    // Status 0 at 136 bytes, 101 at 131; other statuses are accepted.
    bool OnGameSceneMessage(uint8_t gameStatus, bool lookOn, const void* data, uint16_t size) override;
    // The game's music, looping, unless music plays already.
    virtual void PlayGameMusic();

    // The kernel's board as this game's; null outside a game.
    HPBoard* Board() const;

    // The last out-card message (or the other's cards of a playing scene):
    // a count of 0 means there is nothing to beat.
    const CMD_S_OutCard& GetOutCardRecord() const { return m_OutCard; }
    CMD_S_OutCard& OutCardRecord() { return m_OutCard; }

    // Set by a playing scene, cleared by the board when I play.
    uint8_t m_cbSceneFlag = 0;
    // 1 when my play opens a new trick (any pattern goes, the time-out
    // plays a card); 0 when it must beat the cards on the table.
    uint8_t m_cbLeadFlag = 0;

private:
    CMD_S_OutCard m_OutCard{};
};

}  // namespace ShuangKouHP
