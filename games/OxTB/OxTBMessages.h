// The six-seat bull game's messages (main 200), as the server lays them out.
// Arrays of six are indexed by server chair.
#pragma once

#include "core/Wire.h"

#include <cstddef>
#include <cstdint>

namespace OxTB {

constexpr uint16_t GAME_PLAYER = 6;
constexpr uint8_t MAX_COUNT = 5;

// Server -> client.
constexpr uint16_t SUB_S_GAME_START = 100;
constexpr uint16_t SUB_S_SEND_CARD = 103;
constexpr uint16_t SUB_S_GAME_END = 104;
constexpr uint16_t SUB_S_OPEN_CARD = 105;

// Client -> server: the hand opened, {u8 has-bull, u8 cards[5]}.
constexpr uint16_t SUB_C_OPEN_CARD = 3;

// Scene statuses.
constexpr uint8_t GS_TK_FREE = 0;
constexpr uint8_t GS_TK_PLAYING = 102;

constexpr uint8_t PLAYER_PLAYING = 5;

KEST_WIRE_BEGIN
struct CMD_S_GameStart
{
    uint8_t cbPlayStatus[GAME_PLAYER];
    int64_t lCellScore;
    uint8_t cbReserved[6];
};

struct CMD_S_SendCard
{
    uint8_t cbCardData[GAME_PLAYER][MAX_COUNT];
    uint8_t cbCardCount[GAME_PLAYER];
};

struct CMD_S_GameEnd
{
    uint8_t cbReserved1[48];
    int64_t lGameScore[GAME_PLAYER];
    uint8_t cbCardData[GAME_PLAYER][MAX_COUNT];
    uint8_t cbPlayStatus[GAME_PLAYER];
    uint8_t cbReserved2[6];
    uint8_t cbCardType[GAME_PLAYER];
    uint8_t cbReserved3[48];
};

struct CMD_S_Open
{
    uint16_t wPlayerID;
    uint8_t cbReserved[6];
};

struct CMD_S_StatusPlay
{
    uint8_t cbPlayStatus[GAME_PLAYER];
    int64_t lCellScore;
    uint8_t cbReserved1[50];
    uint8_t cbHandCardData[GAME_PLAYER][MAX_COUNT];
    uint8_t cbCardCount[GAME_PLAYER];
    uint8_t cbOpenFlag[GAME_PLAYER];
    uint8_t cbReserved2[17];
};

struct CMD_C_OpenCard
{
    uint8_t cbHasBull;
    uint8_t cbCardData[MAX_COUNT];
};
KEST_WIRE_END

static_assert(sizeof(CMD_S_GameStart) == 20 && offsetof(CMD_S_GameStart, lCellScore) == 6, "round start");
static_assert(sizeof(CMD_S_SendCard) == 36 && offsetof(CMD_S_SendCard, cbCardCount) == 30, "cards dealt");
static_assert(sizeof(CMD_S_GameEnd) == 192 && offsetof(CMD_S_GameEnd, lGameScore) == 48 &&
                  offsetof(CMD_S_GameEnd, cbCardData) == 96 && offsetof(CMD_S_GameEnd, cbPlayStatus) == 126 &&
                  offsetof(CMD_S_GameEnd, cbCardType) == 138,
              "round end");
static_assert(sizeof(CMD_S_Open) == 8, "opened");
static_assert(sizeof(CMD_S_StatusPlay) == 123 && offsetof(CMD_S_StatusPlay, lCellScore) == 6 &&
                  offsetof(CMD_S_StatusPlay, cbHandCardData) == 64 && offsetof(CMD_S_StatusPlay, cbCardCount) == 94 &&
                  offsetof(CMD_S_StatusPlay, cbOpenFlag) == 100,
              "playing scene");
static_assert(sizeof(CMD_C_OpenCard) == 6, "open request");

}  // namespace OxTB
