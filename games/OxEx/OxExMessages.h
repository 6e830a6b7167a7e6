// The two-seat bull game's messages (main 200), as the server lays them out.
// Arrays of two are indexed by server chair.
#pragma once

#include "core/Wire.h"

#include <cstddef>
#include <cstdint>

namespace OxEx {

constexpr uint16_t GAME_PLAYER = 2;
constexpr uint8_t MAX_COUNT = 5;

// Server -> client.
constexpr uint16_t SUB_S_GAME_START = 100;   // banker named, betting opens
constexpr uint16_t SUB_S_ADD_SCORE = 101;    // a bet was placed
constexpr uint16_t SUB_S_PLAYER_EXIT = 102;  // accepted, ignored
constexpr uint16_t SUB_S_SEND_CARD = 103;
constexpr uint16_t SUB_S_GAME_END = 104;
constexpr uint16_t SUB_S_OPEN_CARD = 105;
constexpr uint16_t SUB_S_CALL_BANKER = 106;

// Client -> server.
constexpr uint16_t SUB_C_CALL_BANKER = 1;  // u8: 1 rob the banker, 0 do not
constexpr uint16_t SUB_C_ADD_SCORE = 2;    // i64 bet
constexpr uint16_t SUB_C_OPEN_CARD = 3;    // u8 has-bull flag

// Scene statuses.
constexpr uint8_t GS_TK_FREE = 0;
constexpr uint8_t GS_TK_CALL = 100;
constexpr uint8_t GS_TK_SCORE = 101;
constexpr uint8_t GS_TK_PLAYING = 102;

// A chair's opened mark in the playing scene before it opened.
constexpr uint8_t NOT_OPENED = 255;

KEST_WIRE_BEGIN
struct CMD_S_CallBanker
{
    uint16_t wCallBanker;
    uint8_t cbReserved;
};

struct CMD_S_GameStart
{
    int64_t lTurnMaxScore;
    uint16_t wBankerUser;
};

struct CMD_S_AddScore
{
    uint16_t wAddScoreUser;
    int64_t lAddScoreCount;
};

struct CMD_S_SendCard
{
    uint8_t cbCardData[GAME_PLAYER][MAX_COUNT];
    uint8_t cbReserved[3];
};

struct CMD_S_GameEnd
{
    uint8_t cbReserved[16];
    int64_t lGameScore[GAME_PLAYER];
    uint8_t cbCardType[GAME_PLAYER];
    uint8_t cbCardData[GAME_PLAYER][MAX_COUNT];
    uint8_t cbOxFlag[GAME_PLAYER];
};

struct CMD_S_Open
{
    uint16_t wPlayerID;
    uint8_t cbReserved;
};

struct CMD_S_StatusCall
{
    uint16_t wCallBanker;
    uint8_t cbReserved[99];
};

struct CMD_S_StatusScore
{
    uint8_t cbReserved1[3];
    int64_t lTurnMaxScore;
    uint8_t cbReserved2[16];
    uint16_t wBankerUser;
    uint8_t cbReserved3[96];
};

struct CMD_S_StatusPlay
{
    uint8_t cbReserved1[11];
    int64_t lTableScore[GAME_PLAYER];
    uint16_t wBankerUser;
    uint8_t cbHandCardData[GAME_PLAYER][MAX_COUNT];
    uint8_t cbOxCard[GAME_PLAYER];
    uint8_t cbReserved2[96];
};
KEST_WIRE_END

constexpr uint16_t kStatusFreeSize = 104;

static_assert(sizeof(CMD_S_CallBanker) == 3, "call banker");
static_assert(sizeof(CMD_S_GameStart) == 10, "game start");
static_assert(sizeof(CMD_S_AddScore) == 10, "add score");
static_assert(sizeof(CMD_S_SendCard) == 13, "send card");
static_assert(sizeof(CMD_S_GameEnd) == 46 && offsetof(CMD_S_GameEnd, lGameScore) == 16 &&
                  offsetof(CMD_S_GameEnd, cbCardType) == 32 && offsetof(CMD_S_GameEnd, cbCardData) == 34 &&
                  offsetof(CMD_S_GameEnd, cbOxFlag) == 44,
              "game end");
static_assert(sizeof(CMD_S_Open) == 3, "open card");
static_assert(sizeof(CMD_S_StatusCall) == 101, "call scene");
static_assert(sizeof(CMD_S_StatusScore) == 125 && offsetof(CMD_S_StatusScore, lTurnMaxScore) == 3 &&
                  offsetof(CMD_S_StatusScore, wBankerUser) == 27,
              "betting scene");
static_assert(sizeof(CMD_S_StatusPlay) == 137 && offsetof(CMD_S_StatusPlay, lTableScore) == 11 &&
                  offsetof(CMD_S_StatusPlay, wBankerUser) == 27 && offsetof(CMD_S_StatusPlay, cbHandCardData) == 29 &&
                  offsetof(CMD_S_StatusPlay, cbOxCard) == 39,
              "playing scene");

}  // namespace OxEx
