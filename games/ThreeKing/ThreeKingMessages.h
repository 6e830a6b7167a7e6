// The San Gong game's messages (main 200), as the server lays them out.
// Arrays of six are indexed by server chair; bytes the client does not read
// are kept as reserved runs so every record has its wire size.
#pragma once

#include "core/Wire.h"

#include <cstddef>
#include <cstdint>

namespace ThreeKing {

constexpr uint16_t GAME_PLAYER = 6;
constexpr uint8_t MAX_COUNT = 3;
constexpr uint16_t INVALID_CHAIR = 0xFFFF;

// Server -> client.
constexpr uint16_t SUB_S_BANKER_SET = 100;  // banker named, bets open
constexpr uint16_t SUB_S_ADD_SCORE = 101;   // a bet
constexpr uint16_t SUB_S_HIDE_ACTIONS = 102;
constexpr uint16_t SUB_S_SEND_CARD = 103;
constexpr uint16_t SUB_S_GAME_END = 104;
constexpr uint16_t SUB_S_OPEN_CARD = 105;   // a player showed
constexpr uint16_t SUB_S_CALL_BANKER = 106; // whose turn it is to rob
// Accepted at any size and ignored.
constexpr uint16_t SUB_S_IGNORED_1 = 107;
constexpr uint16_t SUB_S_IGNORED_2 = 108;
constexpr uint16_t SUB_S_IGNORED_3 = 110;
constexpr uint16_t SUB_S_IGNORED_4 = 111;

// Client -> server.
constexpr uint16_t SUB_C_CALL_BANKER = 1;  // u8: 1 rob, 0 do not
constexpr uint16_t SUB_C_ADD_SCORE = 2;    // i64 bet
constexpr uint16_t SUB_C_OPEN_CARD = 3;    // u8: 1 a three-card hand

// Scene statuses.
constexpr uint8_t GS_TK_FREE = 0;
constexpr uint8_t GS_TK_CALL = 100;
constexpr uint8_t GS_TK_SCORE = 101;
constexpr uint8_t GS_TK_PLAYING = 102;

// The show state of a chair that has not shown its hand yet.
constexpr uint8_t SHOW_NOT_YET = 255;

// Game clocks, 30 seconds each; their time-outs only hide buttons.
constexpr uint32_t IDI_ADD_SCORE = 201;
constexpr uint32_t IDI_CALL_BANKER = 202;
constexpr uint32_t IDI_OPEN_CARD = 203;
constexpr uint32_t IDI_SCENE_OPEN = 204;
constexpr int32_t TIME_CLOCK = 30;

KEST_WIRE_BEGIN
struct CMD_S_BankerSet
{
    int64_t lMaxScore;
    uint16_t wBankerUser;
};

struct CMD_S_AddScore
{
    uint16_t wAddScoreUser;
    int64_t lAddScoreCount;
};

struct CMD_S_HideActions
{
    uint16_t wChairID;
};

struct CMD_S_SendCard
{
    uint8_t cbCardData[GAME_PLAYER][MAX_COUNT];
    uint8_t cbReserved[8];
};

struct CMD_S_GameEnd
{
    uint8_t cbReserved1[48];
    int64_t lGameScore[GAME_PLAYER];
    uint8_t cbReserved2[31];
    uint8_t cbHandIndex[GAME_PLAYER];  // ThreeKingHandNames
};

struct CMD_S_OpenCard
{
    uint16_t wPlayerID;
    uint8_t cbReserved[2];
};

struct CMD_S_CallBanker
{
    uint16_t wCallBanker;
    uint8_t cbReserved;
};

struct CMD_S_StatusFree
{
    uint8_t cbReserved[168];
};

struct CMD_S_StatusCall
{
    uint16_t wCallBanker;
    uint8_t cbReserved[167];
};

struct CMD_S_StatusScore
{
    uint8_t cbReserved1[7];
    int64_t lMaxScore;
    int64_t lTableScore[GAME_PLAYER];
    uint16_t wBankerUser;
    uint8_t cbReserved2[160];
};

struct CMD_S_StatusPlay
{
    uint8_t cbPlayStatus[GAME_PLAYER];
    uint8_t cbReserved1[9];
    int64_t lTableScore[GAME_PLAYER];
    uint16_t wBankerUser;
    uint8_t cbHandCardData[GAME_PLAYER][MAX_COUNT];
    uint8_t cbShowState[GAME_PLAYER];  // SHOW_NOT_YET until the chair shows
    uint8_t cbReserved2[161];
};

struct CMD_C_CallBanker
{
    uint8_t cbBanker;
};

struct CMD_C_AddScore
{
    int64_t lScore;
};

struct CMD_C_OpenCard
{
    uint8_t cbHasType;
};
KEST_WIRE_END

static_assert(sizeof(CMD_S_BankerSet) == 10 && offsetof(CMD_S_BankerSet, wBankerUser) == 8, "banker set");
static_assert(sizeof(CMD_S_AddScore) == 10 && offsetof(CMD_S_AddScore, lAddScoreCount) == 2, "bet");
static_assert(sizeof(CMD_S_HideActions) == 2, "actions closed");
static_assert(sizeof(CMD_S_SendCard) == 26, "cards dealt");
static_assert(sizeof(CMD_S_GameEnd) == 133 && offsetof(CMD_S_GameEnd, lGameScore) == 48 &&
                  offsetof(CMD_S_GameEnd, cbHandIndex) == 127,
              "round result");
static_assert(sizeof(CMD_S_OpenCard) == 4, "a player showed");
static_assert(sizeof(CMD_S_CallBanker) == 3, "rob turn");
static_assert(sizeof(CMD_S_StatusFree) == 168, "free scene");
static_assert(sizeof(CMD_S_StatusCall) == 169, "robbing scene");
static_assert(sizeof(CMD_S_StatusScore) == 225 && offsetof(CMD_S_StatusScore, lMaxScore) == 7 &&
                  offsetof(CMD_S_StatusScore, lTableScore) == 15 && offsetof(CMD_S_StatusScore, wBankerUser) == 63,
              "betting scene");
static_assert(sizeof(CMD_S_StatusPlay) == 250 && offsetof(CMD_S_StatusPlay, lTableScore) == 15 &&
                  offsetof(CMD_S_StatusPlay, wBankerUser) == 63 && offsetof(CMD_S_StatusPlay, cbHandCardData) == 65 &&
                  offsetof(CMD_S_StatusPlay, cbShowState) == 83,
              "playing scene");
static_assert(sizeof(CMD_C_CallBanker) == 1 && sizeof(CMD_C_AddScore) == 8 && sizeof(CMD_C_OpenCard) == 1,
              "requests");

}  // namespace ThreeKing
