// The message handler of the four-beast wheel: checks each server message
// and scene record at its exact size (and the area, wheel slot and record
// values that index the board's tables) and hands it to one method of the
// board. Requests go out from the board through SendGameData.
#pragma once

#include "games/TransferBattle/TransferBattleMessages.h"
#include "games/framework/GameHandler.h"

#include <cstdint>

namespace TransferBattle {

class NNBoard;

class NNHandler : public Sexy::CGameHandler
{
public:
    NNHandler() = default;
    ~NNHandler() override = default;

    // Subs 99 to 108 at their sizes; 106 any size (a byte a record), 111 any
    // size; 105, 109, 110 and subs outside 99..111 are accepted and ignored.
    bool OnGameMessage(uint16_t sub, const void* data, uint16_t size) override;
    // Status 0 takes 622 bytes, 100 to 102 take 800; others are accepted.
    bool OnGameSceneMessage(uint8_t gameStatus, bool lookOn, const void* data, uint16_t size) override;

    // The kernel's board as this game's board; null outside a game.
    NNBoard* GetTransferBoard() const;

    static bool ValidArea(int area) { return area >= 1 && area <= AREA_COUNT; }
    // A winning slot names a wheel point: 1 to 15 points 0 to 14, 0 and 16 point 15.
    static bool ValidWinSlot(int slot) { return slot >= 0 && slot <= WHEEL_POINTS; }
    // A record is a wheel point + 1.
    static bool ValidRecord(int record) { return record >= 1 && record <= WHEEL_POINTS; }
};

}  // namespace TransferBattle
