// The message handler of the car-brand betting game: takes each server
// message and scene record at its exact size only (and a bet area, a stop
// slot or a car slot only where the board can index it) and hands it to one
// method of the board. Requests go out from the board through SendGameData.
#pragma once

#include "games/BumperCarBattle/BumperCarMessages.h"
#include "games/framework/GameHandler.h"

#include <cstdint>

namespace BumperCarBattle {

class NNBoard;

class NNHandler : public Sexy::CGameHandler
{
public:
    NNHandler() = default;
    ~NNHandler() override = default;

    // Subs 99 to 108 at their sizes (105 only checked; 106 any multiple of
    // 9); subs outside 99..108 are accepted and ignored.
    bool OnGameMessage(uint16_t sub, const void* data, uint16_t size) override;
    // Status 0 takes 122 bytes, 100 to 102 take 300; others are accepted.
    bool OnGameSceneMessage(uint8_t gameStatus, bool lookOn, const void* data, uint16_t size) override;
    // The game's music on or off: "sound/bg.mp3" looped when nothing plays,
    // else the music stops.
    virtual void ToggleBackgroundMusic();

    // The kernel's board as this game's board; null outside a game.
    NNBoard* GetNNBoard() const;
};

}  // namespace BumperCarBattle
