// The hall's lists: one game kind and one game server (room) each. The room
// keeps copies of the chosen pair.
#pragma once

#include "core/Wire.h"

#include <cstddef>
#include <cstdint>

KEST_WIRE_BEGIN

struct GameKindRecord
{
    uint16_t wTypeID;
    uint16_t wJoinID;
    uint16_t wSortID;
    uint16_t wKindID;
    uint8_t cbReserved8[14];
    char16_t szKindName[32];
    char16_t szProcessName[32];  // an external game's program file
    uint8_t cbReserved150[1346];
};

struct GameServerRecord
{
    uint16_t wKindID;
    uint16_t wNodeID;
    uint16_t wSortID;
    uint16_t wServerID;  // handed to the game's configuration
    uint16_t wServerPort;
    char16_t szServerAddr[32];  // host of the room; empty: the program's server list
    uint8_t cbReserved74[8];
    char16_t szServerName[32];
    uint8_t cbReserved146[16];
};

KEST_WIRE_END

static_assert(sizeof(GameKindRecord) == 1496 && offsetof(GameKindRecord, wKindID) == 6 &&
                  offsetof(GameKindRecord, szKindName) == 22 && offsetof(GameKindRecord, szProcessName) == 86,
              "game kind record layout");
static_assert(sizeof(GameServerRecord) == 162 && offsetof(GameServerRecord, wServerID) == 6 &&
                  offsetof(GameServerRecord, wServerPort) == 8 && offsetof(GameServerRecord, szServerName) == 82,
              "game server record layout");

// Kinds at and above this id run as external programs.
constexpr uint16_t kFirstExternalKind = 2060;
