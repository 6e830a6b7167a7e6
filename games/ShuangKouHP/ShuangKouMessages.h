// Shuang Kou's messages (main 200), as the server lays them out. Two players
// at chairs 0 and 1; arrays of two are indexed by chair.
#pragma once

#include "core/Wire.h"
#include "games/ShuangKouHP/GameLogic.h"

#include <cstddef>
#include <cstdint>

namespace ShuangKouHP {

constexpr uint16_t GAME_PLAYER = 2;
// A full hand: 27 cards from two decks.
constexpr uint8_t HAND_COUNT = 27;

// Server -> client.
constexpr uint16_t SUB_S_GAME_START = 100;
constexpr uint16_t SUB_S_SEND_CARD = 101;
constexpr uint16_t SUB_S_OUT_CARD = 102;
constexpr uint16_t SUB_S_PASS_CARD = 103;
constexpr uint16_t SUB_S_GAME_END = 104;

// Client -> server.
constexpr uint16_t SUB_C_OUT_CARD = 1;   // CMD_C_OutCard
constexpr uint16_t SUB_C_PASS_CARD = 2;  // no body

// Scene statuses.
constexpr uint8_t GS_SK_FREE = 0;
constexpr uint8_t GS_SK_PLAYING = 101;

// The game clock of every turn.
constexpr uint32_t IDI_TURN_CLOCK = 30;
constexpr int32_t TURN_SECONDS = 30;

KEST_WIRE_BEGIN
struct CMD_S_GameStart
{
    uint8_t cbReserved1[8];
    int64_t lBaseScore;
    uint8_t cbReserved2;
};

struct CMD_S_SendCard
{
    uint16_t wCurrentUser;
    uint8_t cbReserved1[3];
    uint8_t cbCardData[HAND_COUNT];
    uint8_t cbReserved2[2];
};

struct CMD_S_OutCard
{
    uint8_t cbCardData[MAX_COUNT];
    uint8_t cbCardCount;
    uint8_t cbReserved[20];
    uint16_t wCurrentUser;
    uint16_t wOutCardUser;
    int32_t lCounter[GAME_PLAYER];
    int64_t lScore[GAME_PLAYER];
};

struct CMD_S_PassCard
{
    uint8_t cbReserved[4];
    uint16_t wPassUser;
    uint16_t wCurrentUser;
};

struct CMD_S_GameEnd
{
    uint8_t cbReserved1;
    uint8_t cbCardData[GAME_PLAYER][HAND_COUNT];
    uint8_t cbCardCount[GAME_PLAYER];
    uint8_t cbEndCounter[GAME_PLAYER][10];
    uint8_t cbReserved2[32];
    int64_t lGameScore[GAME_PLAYER];
    int64_t lShownValue;
    uint8_t cbReserved3[10];
};

struct CMD_S_StatusFree
{
    uint8_t cbReserved[136];
};

struct CMD_S_StatusPlay
{
    uint8_t cbHandCardData[HAND_COUNT];
    uint8_t cbCardCount[GAME_PLAYER];
    uint8_t cbTurnCardData[MAX_COUNT];
    uint8_t cbTurnCardCount;
    uint8_t cbReserved1[36];
    uint16_t wTurnUser;
    uint16_t wCurrentUser;
    uint8_t cbReserved2[2];
    int64_t lBaseScore;
    int32_t lCounter[GAME_PLAYER];
    int64_t lScore[GAME_PLAYER];
};

struct CMD_C_OutCard
{
    uint8_t cbCardCount;
    uint8_t cbCardData[MAX_COUNT];
};
KEST_WIRE_END

static_assert(sizeof(CMD_S_GameStart) == 17 && offsetof(CMD_S_GameStart, lBaseScore) == 8, "game start");
static_assert(sizeof(CMD_S_SendCard) == 34 && offsetof(CMD_S_SendCard, cbCardData) == 5, "deal");
static_assert(sizeof(CMD_S_OutCard) == 76 && offsetof(CMD_S_OutCard, cbCardCount) == 27 &&
                  offsetof(CMD_S_OutCard, wCurrentUser) == 48 && offsetof(CMD_S_OutCard, wOutCardUser) == 50 &&
                  offsetof(CMD_S_OutCard, lCounter) == 52 && offsetof(CMD_S_OutCard, lScore) == 60,
              "out card");
static_assert(sizeof(CMD_S_PassCard) == 8 && offsetof(CMD_S_PassCard, wPassUser) == 4 &&
                  offsetof(CMD_S_PassCard, wCurrentUser) == 6,
              "pass");
static_assert(sizeof(CMD_S_GameEnd) == 143 && offsetof(CMD_S_GameEnd, cbCardData) == 1 &&
                  offsetof(CMD_S_GameEnd, cbCardCount) == 55 && offsetof(CMD_S_GameEnd, cbEndCounter) == 57 &&
                  offsetof(CMD_S_GameEnd, lGameScore) == 109 && offsetof(CMD_S_GameEnd, lShownValue) == 125,
              "game end");
static_assert(sizeof(CMD_S_StatusFree) == 136, "free scene");
static_assert(sizeof(CMD_S_StatusPlay) == 131 && offsetof(CMD_S_StatusPlay, cbCardCount) == 27 &&
                  offsetof(CMD_S_StatusPlay, cbTurnCardData) == 29 &&
                  offsetof(CMD_S_StatusPlay, cbTurnCardCount) == 56 && offsetof(CMD_S_StatusPlay, wTurnUser) == 93 &&
                  offsetof(CMD_S_StatusPlay, wCurrentUser) == 95 && offsetof(CMD_S_StatusPlay, lBaseScore) == 99 &&
                  offsetof(CMD_S_StatusPlay, lCounter) == 107 && offsetof(CMD_S_StatusPlay, lScore) == 115,
              "playing scene");
static_assert(sizeof(CMD_C_OutCard) == 28, "out card request");

}  // namespace ShuangKouHP
