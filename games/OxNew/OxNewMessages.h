// The four-seat bull game's messages (main 200), as the server lays them
// out. Arrays of four are indexed by server chair.
#pragma once

#include "core/Wire.h"

#include <cstddef>
#include <cstdint>

namespace OxNew {

constexpr uint16_t GAME_PLAYER = 4;
constexpr uint8_t MAX_COUNT = 5;

// Server -> client.
constexpr uint16_t SUB_S_GAME_START = 100;   // banker named, bets open
constexpr uint16_t SUB_S_ADD_SCORE = 101;    // a seat has bet
constexpr uint16_t SUB_S_PLAYER_EXIT = 102;  // accepted, nothing done
constexpr uint16_t SUB_S_SEND_CARD = 103;
constexpr uint16_t SUB_S_GAME_END = 104;
constexpr uint16_t SUB_S_OPEN_CARD = 105;
constexpr uint16_t SUB_S_CALL_BANKER = 106;  // round start: a seat is asked to rob
constexpr uint16_t SUB_S_IGNORED = 110;

// Scene statuses.
constexpr uint8_t GS_TK_FREE = 0;
constexpr uint8_t GS_TK_CALL = 100;
constexpr uint8_t GS_TK_SCORE = 101;
constexpr uint8_t GS_TK_PLAYING = 102;

constexpr uint8_t NOT_OPENED = 255;
constexpr uint8_t PLAYER_PLAYING = 5;

KEST_WIRE_BEGIN
struct CMD_S_CallBanker
{
    uint16_t wCallBanker;
    uint8_t cbReserved[5];
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
    uint8_t cbReserved[6];
};

struct CMD_S_GameEnd
{
    uint8_t cbReserved1[32];
    int64_t lGameScore[GAME_PLAYER];
    uint8_t cbReserved2[4];
    uint8_t cbCardData[GAME_PLAYER][MAX_COUNT];
    uint8_t cbPlayStatus[GAME_PLAYER];
    uint8_t cbCardType[GAME_PLAYER];
    uint8_t cbReserved3;
};

struct CMD_S_Open
{
    uint16_t wPlayerID;
    uint8_t cbReserved[2];
};

struct CMD_S_StatusCall
{
    uint16_t wCallBanker;
    uint8_t cbReserved[133];
};

struct CMD_S_StatusScore
{
    uint8_t cbReserved1[5];
    int64_t lTurnMaxScore;
    uint8_t cbReserved2[32];
    uint16_t wBankerUser;
    uint8_t cbReserved3[128];
};

struct CMD_S_StatusPlay
{
    uint8_t cbPlayStatus[GAME_PLAYER];
    uint8_t cbReserved1[9];
    int64_t lTableScore[GAME_PLAYER];
    uint16_t wBankerUser;
    uint8_t cbHandCardData[GAME_PLAYER][MAX_COUNT];
    uint8_t cbOxCard[GAME_PLAYER];
    uint8_t cbReserved2[129];
};
KEST_WIRE_END

constexpr uint16_t kStatusFreeSize = 136;

static_assert(sizeof(CMD_S_CallBanker) == 7, "round start");
static_assert(sizeof(CMD_S_GameStart) == 10, "banker named");
static_assert(sizeof(CMD_S_AddScore) == 10, "bet");
static_assert(sizeof(CMD_S_SendCard) == 26, "cards dealt");
static_assert(sizeof(CMD_S_GameEnd) == 97 && offsetof(CMD_S_GameEnd, lGameScore) == 32 &&
                  offsetof(CMD_S_GameEnd, cbCardData) == 68 && offsetof(CMD_S_GameEnd, cbPlayStatus) == 88 &&
                  offsetof(CMD_S_GameEnd, cbCardType) == 92,
              "round end");
static_assert(sizeof(CMD_S_Open) == 4, "opened");
static_assert(sizeof(CMD_S_StatusCall) == 135, "banker-call scene");
static_assert(sizeof(CMD_S_StatusScore) == 175 && offsetof(CMD_S_StatusScore, lTurnMaxScore) == 5 &&
                  offsetof(CMD_S_StatusScore, wBankerUser) == 45,
              "betting scene");
static_assert(sizeof(CMD_S_StatusPlay) == 200 && offsetof(CMD_S_StatusPlay, lTableScore) == 13 &&
                  offsetof(CMD_S_StatusPlay, wBankerUser) == 45 && offsetof(CMD_S_StatusPlay, cbHandCardData) == 47 &&
                  offsetof(CMD_S_StatusPlay, cbOxCard) == 67,
              "playing scene");

}  // namespace OxNew
