// Texas hold'em's messages (main 200) and scene records, packed
// little-endian. Chairs are 0..5; 65535 names nobody (the betting phase is
// over, or no dealer yet). Amounts are signed 64-bit; card bytes carry the
// colour in the high four bits and the face 1..13 in the low four.
#pragma once

#include "core/Wire.h"
#include "games/DZPoKer/DZPoKerGameLogic.h"

#include <cstddef>
#include <cstdint>

namespace DZPoKer {

constexpr uint16_t INVALID_CHAIR = 0xFFFF;
constexpr uint8_t MAX_CENTER_COUNT = 5;
constexpr uint8_t HOLE_CARD_COUNT = 2;
constexpr uint8_t MAX_POT_COUNT = 6;
constexpr uint8_t CARD_BACK = 99;

// Server to client.
constexpr uint16_t SUB_S_GAME_START = 100;
constexpr uint16_t SUB_S_ADD_SCORE = 101;
constexpr uint16_t SUB_S_GIVE_UP = 102;
constexpr uint16_t SUB_S_SEND_CARD = 103;
constexpr uint16_t SUB_S_GAME_END = 104;
constexpr uint16_t SUB_S_IGNORED = 106;  // any size, nothing to do
constexpr uint16_t SUB_S_POT_LIST = 108;

// Client to server.
constexpr uint16_t SUB_C_ADD_SCORE = 1;  // CMD_C_AddScore
constexpr uint16_t SUB_C_GIVE_UP = 2;    // empty

// Scene records by game status.
constexpr uint8_t GS_FREE = 0;
constexpr uint8_t GS_PLAYING = 100;

// What the server lets the current chair do.
constexpr int32_t MASK_NONE = -2;
constexpr int32_t MASK_GIVE_UP_ALL_IN = -1;  // give up and all-in only
constexpr int32_t MASK_FOLLOW = 0;           // plus pass or follow
constexpr int32_t MASK_ADD_3 = 3;            // plus add kinds 1 to (mask)

// What a seat did (the sign shown at it).
constexpr int32_t ACTION_FOLLOW = 0;  // 1..3: add
constexpr int32_t ACTION_ALL_IN = -1;
constexpr int32_t ACTION_GIVE_UP = -2;
constexpr int32_t ACTION_PASS = -3;

// Add kinds of my own add score.
constexpr int32_t ADD_FOLLOW = 0;  // follow or pass
constexpr int32_t ADD_ALL_IN = 4;

KEST_WIRE_BEGIN
struct CMD_S_GameStart
{
    uint16_t wCurrentUser;  // acts first
    uint16_t wDealerUser;
    uint8_t cbReserved4[2];
    int64_t lCellScore;
    int64_t lAllInScore;
    int64_t lFollowScore;
    int64_t lStartChip;  // the chips before each playing chair
    int32_t nActionMask;
    uint8_t cbReserved42[2];
    uint8_t cbPlayStatus[GAME_PLAYER];
    uint8_t cbHandCard[GAME_PLAYER][HOLE_CARD_COUNT];  // my own row filled
};

struct CMD_S_AddScore
{
    uint16_t wCurrentUser;  // next to act, INVALID_CHAIR when the phase is over
    uint16_t wAddScoreUser;
    int64_t lAddScore;  // 0 for a pass
    int32_t nActionCode;
    int64_t lFollowScore;
    int64_t lAllInScore;
    int64_t lStartChip;
    uint8_t cbReserved40[6];
    int32_t nActionMask;
    int64_t lFollowShow;  // on my follow button; 0 offers pass
};

struct CMD_S_GiveUp
{
    uint16_t wGiveUpUser;
    uint8_t cbReserved2[8];
};

struct CMD_S_SendCard
{
    int32_t nActionMask;
    uint8_t cbRunOut;  // 0 normal; with 5 cards 1 all five, 2 turn and river, 3 the river
    uint16_t wCurrentUser;
    uint8_t cbCardCount;  // centre cards known now
    uint8_t cbCenterCard[MAX_CENTER_COUNT];
};

struct CMD_S_GameEnd
{
    uint8_t cbShowHand;  // 1: the hands are shown and compared
    uint8_t cbReserved1[48];
    int64_t lGameScore[GAME_PLAYER];
    uint8_t cbHandCard[GAME_PLAYER][HOLE_CARD_COUNT];
    uint8_t cbBestFive[GAME_PLAYER][HAND_CARD_COUNT];  // hand order; a row starting with 0: no hand
    uint8_t cbReserved139[6];
    uint8_t cbHandClass[GAME_PLAYER];
    uint8_t cbReserved151[6];
    uint8_t cbPotCount[GAME_PLAYER];                 // pots each chair wins (0..6)
    uint8_t cbPotIndex[GAME_PLAYER][MAX_POT_COUNT];  // which, the first cbPotCount valid
    uint8_t cbReserved199[432];
};

struct CMD_S_PotList
{
    uint8_t cbReserved0[48];
    int64_t lPotScore[MAX_POT_COUNT];  // main pot first
    uint32_t dwPotCount;
    uint8_t cbReserved100[24];
};

struct CMD_S_StatusFree
{
    uint8_t cbReserved[16];
};

struct CMD_S_StatusPlay
{
    int64_t lCellScore;
    int64_t lAllInScore;
    int64_t lFollowScore;
    uint8_t cbReserved24[8];
    int64_t lStartChip;
    int64_t lTableScore[GAME_PLAYER];
    int64_t lTotalScore[GAME_PLAYER];
    int64_t lPot;
    int64_t lFollowShow;
    uint16_t wDealerUser;
    uint16_t wCurrentUser;
    uint8_t cbPlayStatus[GAME_PLAYER];
    uint8_t cbBetRound;  // 0 before the flop .. 3 after the river
    int32_t nActionMask;
    uint8_t cbCenterCard[MAX_CENTER_COUNT];
    uint8_t cbHandCard[HOLE_CARD_COUNT];  // mine
};

struct CMD_C_AddScore
{
    int64_t lScore;
    int32_t nAddKind;  // 0 follow or pass, 1..3 add, 4 all-in
};
KEST_WIRE_END

static_assert(sizeof(CMD_S_GameStart) == 62, "game start");
static_assert(sizeof(CMD_S_AddScore) == 58, "action");
static_assert(sizeof(CMD_S_GiveUp) == 10, "give up");
static_assert(sizeof(CMD_S_SendCard) == 13, "send card");
static_assert(sizeof(CMD_S_GameEnd) == 631, "game end");
static_assert(offsetof(CMD_S_GameEnd, lGameScore) == 49 && offsetof(CMD_S_GameEnd, cbBestFive) == 109 &&
                  offsetof(CMD_S_GameEnd, cbHandClass) == 145 && offsetof(CMD_S_GameEnd, cbPotIndex) == 163,
              "game end fields");
static_assert(sizeof(CMD_S_PotList) == 124 && offsetof(CMD_S_PotList, dwPotCount) == 96, "pot list");
static_assert(sizeof(CMD_S_StatusFree) == 16, "free scene");
static_assert(sizeof(CMD_S_StatusPlay) == 174, "playing scene");
static_assert(offsetof(CMD_S_StatusPlay, wDealerUser) == 152 && offsetof(CMD_S_StatusPlay, nActionMask) == 163,
              "playing scene fields");
static_assert(sizeof(CMD_C_AddScore) == 12, "add score");

}  // namespace DZPoKer
