// The message handler of bull with dice: checks each server message and
// scene record at its exact size (and the area of a bet) and hands it to one
// method of the board. Requests go out from the board through SendGameData.
#pragma once

#include "games/OxBattle/OxBattleMessages.h"
#include "games/framework/GameHandler.h"

#include <cstdint>

namespace OxBattle {

class OXBoard;

class OXHandler : public Sexy::CGameHandler
{
public:
    OXHandler() = default;
    ~OXHandler() override = default;

    // Subs 99 to 108 at their sizes (106: any multiple of 4); sub 105 and
    // subs outside 99..108 are accepted and ignored.
    bool OnGameMessage(uint16_t sub, const void* data, uint16_t size) override;
    // Status 0 takes 126 bytes, 100 to 102 take 266; others are accepted.
    bool OnGameSceneMessage(uint8_t gameStatus, bool lookOn, const void* data, uint16_t size) override;

    // The kernel's board as this game's board; null outside a game.
    OXBoard* GetOxBoard() const;
    // Set by every message and scene, whatever it holds: the banker buttons
    // wait for it.
    bool IsDataReceived() const { return m_cbDataReceived != 0; }

private:
    uint8_t m_cbDataReceived = 0;
};

}  // namespace OxBattle
