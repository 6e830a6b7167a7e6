// The message handler of baccarat (kind 122): each game message and scene
// checked at its size before the board sees it, the clock's seconds kept for
// the board's clock display.
#pragma once

#include "games/BaccaratNew/BaccaratNewMessages.h"
#include "games/framework/GameHandler.h"

#include <cstdint>

namespace BaccaratNew {

class BaccaratNewBoard;

class BaccaratNewHandler : public Sexy::CGameHandler
{
public:
    // The seconds go to the board first; the timer box as always.
    bool OnClockInfo(uint16_t chair, int32_t seconds, uint32_t timerID) override;
    // Subs 99 to 104, 106 to 108 at their sizes (106 in records of 5);
    // an area past 7 (subs 101, 107) or a card count other than 0, 2 or 3
    // (sub 102) refuses the message. Other subs are accepted.
    bool OnGameMessage(uint16_t sub, const void* data, uint16_t size) override;
    // The free scene (status 0) and the play scene (100, 101) at their
    // sizes; other statuses are accepted.
    bool OnGameSceneMessage(uint8_t gameStatus, bool lookOn, const void* data, uint16_t size) override;

    // The board of the game (the kernel's), or null.
    BaccaratNewBoard* Board() const;

    bool SendPlaceBet(uint8_t area, int64_t amount);
    bool SendApplyBanker();
    bool SendCancelBanker();
};

}  // namespace BaccaratNew
