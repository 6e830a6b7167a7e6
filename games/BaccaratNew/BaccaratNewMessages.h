// Baccarat's messages (main 200) and scenes, as the server lays them out.
// Areas are 0..7 (GameLogic.h); arrays of eight are by area, of two by side
// (player first, then banker). Bytes the client does not read are kept as
// reserved runs so every record has its wire size.
#pragma once

#include "core/Wire.h"
#include "games/BaccaratNew/GameLogic.h"
#include "games/common/BankerMessages.h"

#include <cstddef>
#include <cstdint>

namespace BaccaratNew {

constexpr uint16_t INVALID_CHAIR = 0xFFFF;
constexpr size_t SIDE_COUNT = 2;  // player, banker
constexpr uint8_t SIDE_XIAN = 0;
constexpr uint8_t SIDE_ZHUANG = 1;

// The banker games' numbers (games/common): server subs 99 to 104 and 106
// to 108, requests 1 to 3.
using namespace games::banker_subs;
using namespace games::banker_requests;

// Game statuses, of the kernel and the board alike.
constexpr uint8_t GS_FREE = 0;
constexpr uint8_t GS_PLACE_BET = 100;
constexpr uint8_t GS_GAME_END = 101;

// Game clocks, always on my own chair.
constexpr uint32_t IDI_FREE = 99;
constexpr uint32_t IDI_PLACE_BET = 100;
constexpr uint32_t IDI_GAME_END = 103;

// What the banker games send alike (games/common).
using CMD_S_GameFree = games::FreeMessage;
using CMD_S_ApplyBanker = games::ApplyBankerMessage;
using CMD_S_ChangeBanker = games::ChangeBankerMessage;

KEST_WIRE_BEGIN
struct CMD_S_GameStart
{
    uint8_t cbTimeLeave;
    uint16_t wBankerUser;
    int64_t lBankerScore;
    int64_t lUserMaxScore;     // my bet allowance of the round
    int64_t lUserBankerScore;  // my score as the banker condition counts it
    uint8_t cbReserved[16];
};

struct CMD_S_PlaceBet
{
    uint16_t wChairID;
    uint8_t cbBetArea;
    int64_t lBetScore;
    uint8_t cbReserved[2];
};

struct CMD_S_GameEnd
{
    uint8_t cbTimeLeave;
    uint8_t cbCardCount[SIDE_COUNT];  // 0, 2 or 3
    uint8_t cbTableCardArray[SIDE_COUNT][MAX_HAND_COUNT];
    uint8_t cbReserved1[8];
    int64_t lBankerTotallScore;  // the banker's winnings so far
    uint16_t wBankerTime;        // the banker's rounds
    uint8_t cbReserved2[2];
    int64_t lUserAreaScore[AREA_COUNT];
    int64_t lUserScore;  // my total of the round
    uint8_t cbReserved3[8];
};

// One past round, oldest first in sub 106.
struct tagServerGameRecord
{
    uint8_t cbKingWinner;  // 0, or the special result 3, 4 or 5
    uint8_t bPlayerTwoPair;
    uint8_t bBankerTwoPair;
    uint8_t cbPlayerCount;  // the player's point
    uint8_t cbBankerCount;  // the banker's point
};

struct CMD_S_PlaceBetFail
{
    uint16_t wPlaceUser;
    uint8_t lBetArea;
    int64_t lPlaceScore;
};

struct CMD_S_CancelBanker
{
    uint16_t wCancelUser;
};

struct CMD_S_StatusFree
{
    uint8_t cbTimeLeave;
    int64_t lUserBankerScore;
    uint16_t wBankerUser;
    int64_t lBankerScore;
    int64_t lBankerWinScore;
    uint16_t wBankerTime;
    uint8_t bEnableSysBanker;  // exactly 1 allows the system banker
    int64_t lApplyBankerCondition;
    int64_t lAreaLimitScore;
    uint8_t cbReserved[64];
};

struct CMD_S_StatusPlay
{
    uint8_t cbTimeLeave;
    uint8_t cbGameStatus;
    int64_t lAllBet[AREA_COUNT];
    int64_t lUserBet[AREA_COUNT];
    int64_t lUserMaxScore;
    int64_t lUserBankerScore;
    int64_t lUserAreaScore[AREA_COUNT];
    int64_t lUserScore;
    uint16_t wBankerUser;
    int64_t lBankerScore;
    int64_t lBankerWinScore;
    uint16_t wBankerTime;
    uint8_t bEnableSysBanker;
    int64_t lApplyBankerCondition;
    int64_t lAreaLimitScore;
    uint8_t cbCardCount[SIDE_COUNT];
    uint8_t cbTableCardArray[SIDE_COUNT][MAX_HAND_COUNT];
    uint8_t cbReserved[64];
};

struct CMD_C_PlaceBet
{
    uint8_t cbBetArea;
    int64_t lBetScore;
};
KEST_WIRE_END

static_assert(sizeof(CMD_S_GameStart) == 43 && offsetof(CMD_S_GameStart, lBankerScore) == 3 &&
                  offsetof(CMD_S_GameStart, lUserMaxScore) == 11 && offsetof(CMD_S_GameStart, lUserBankerScore) == 19,
              "game start");
static_assert(sizeof(CMD_S_PlaceBet) == 13 && offsetof(CMD_S_PlaceBet, lBetScore) == 3, "bet placed");
static_assert(sizeof(CMD_S_GameEnd) == 109 && offsetof(CMD_S_GameEnd, cbTableCardArray) == 3 &&
                  offsetof(CMD_S_GameEnd, lBankerTotallScore) == 17 && offsetof(CMD_S_GameEnd, wBankerTime) == 25 &&
                  offsetof(CMD_S_GameEnd, lUserAreaScore) == 29 && offsetof(CMD_S_GameEnd, lUserScore) == 93,
              "game end");
static_assert(sizeof(tagServerGameRecord) == 5, "game record");
static_assert(sizeof(CMD_S_PlaceBetFail) == 11 && offsetof(CMD_S_PlaceBetFail, lPlaceScore) == 3, "bet refused");
static_assert(sizeof(CMD_S_CancelBanker) == 2, "cancel banker");
static_assert(sizeof(CMD_S_StatusFree) == 110 && offsetof(CMD_S_StatusFree, wBankerUser) == 9 &&
                  offsetof(CMD_S_StatusFree, lBankerScore) == 11 && offsetof(CMD_S_StatusFree, wBankerTime) == 27 &&
                  offsetof(CMD_S_StatusFree, bEnableSysBanker) == 29 &&
                  offsetof(CMD_S_StatusFree, lApplyBankerCondition) == 30 &&
                  offsetof(CMD_S_StatusFree, lAreaLimitScore) == 38,
              "free scene");
static_assert(sizeof(CMD_S_StatusPlay) == 327 && offsetof(CMD_S_StatusPlay, lAllBet) == 2 &&
                  offsetof(CMD_S_StatusPlay, lUserBet) == 66 && offsetof(CMD_S_StatusPlay, lUserMaxScore) == 130 &&
                  offsetof(CMD_S_StatusPlay, lUserAreaScore) == 146 && offsetof(CMD_S_StatusPlay, lUserScore) == 210 &&
                  offsetof(CMD_S_StatusPlay, wBankerUser) == 218 && offsetof(CMD_S_StatusPlay, wBankerTime) == 236 &&
                  offsetof(CMD_S_StatusPlay, bEnableSysBanker) == 238 &&
                  offsetof(CMD_S_StatusPlay, lAreaLimitScore) == 247 && offsetof(CMD_S_StatusPlay, cbCardCount) == 255 &&
                  offsetof(CMD_S_StatusPlay, cbTableCardArray) == 257,
              "play scene");
static_assert(sizeof(CMD_C_PlaceBet) == 9, "bet request");

// A side's card count the table can lay out: none dealt, or two or three.
constexpr bool ValidCardCount(uint8_t count) { return count == 0 || count == 2 || count == 3; }

}  // namespace BaccaratNew
