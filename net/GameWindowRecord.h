// The named shared block between the room and an external game program (its
// name is the room's message-window handle as decimal text): the windows of
// each side, so either can find the other again.
#pragma once

#include "core/Wire.h"

#include <cstddef>
#include <cstdint>

KEST_WIRE_BEGIN
struct GameWindowRecord
{
    uint16_t wSize;     // sizeof(GameWindowRecord)
    uint32_t hGameWnd;  // the game's window once it announced itself; 0 before
    uint32_t hMainWnd;  // the client's main window
    uint32_t hRoomWnd;  // the room's message window
};
KEST_WIRE_END
static_assert(sizeof(GameWindowRecord) == 14 && offsetof(GameWindowRecord, hGameWnd) == 2 &&
                  offsetof(GameWindowRecord, hMainWnd) == 6 && offsetof(GameWindowRecord, hRoomWnd) == 10,
              "game window record layout");
