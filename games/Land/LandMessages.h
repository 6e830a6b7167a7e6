// The landlord game's messages (main 200) and scene records, packed
// little-endian. Chairs are 0..2; 65535 names nobody (the message that ends
// the calls or the game has no next actor).
#pragma once

#include "core/Wire.h"

#include <cstddef>
#include <cstdint>

namespace Land {

constexpr uint16_t GAME_PLAYER = 3;
constexpr uint16_t INVALID_CHAIR = 0xFFFF;
constexpr uint8_t HAND_COUNT = 17;  // cards dealt to each player
constexpr uint8_t BACK_COUNT = 3;   // the landlord's bottom cards
constexpr uint8_t NO_CALL = 255;

// Server to client.
constexpr uint16_t SUB_S_SEND_CARD = 100;
constexpr uint16_t SUB_S_LAND_SCORE = 101;
constexpr uint16_t SUB_S_BANKER_INFO = 102;
constexpr uint16_t SUB_S_OUT_CARD = 103;
constexpr uint16_t SUB_S_PASS_CARD = 104;
constexpr uint16_t SUB_S_GAME_END = 105;

// Client to server.
constexpr uint16_t SUB_C_LAND_SCORE = 1;  // u8: 1, 2, 3 or NO_CALL
constexpr uint16_t SUB_C_OUT_CARD = 2;    // u8 n, then n cards
constexpr uint16_t SUB_C_PASS_CARD = 3;   // empty

// Scene records by game status.
constexpr uint8_t GS_WK_FREE = 0;
constexpr uint8_t GS_WK_SCORE = 100;
constexpr uint8_t GS_WK_PLAYING = 101;

KEST_WIRE_BEGIN
struct CMD_S_SendCard
{
    uint16_t wReserved0;
    uint16_t wCurrentUser;  // the first caller
    uint16_t wReserved4;
    uint8_t cbCardData[HAND_COUNT];  // my hand
};

struct CMD_S_LandScore
{
    uint16_t wCurrentUser;   // the next caller, or nobody once the calls end
    uint16_t wLandUser;      // who has just called
    uint8_t cbCurrentScore;  // the highest call so far
    uint8_t cbLandScore;     // this call: 1, 2, 3 or NO_CALL
};

struct CMD_S_BankerInfo
{
    uint16_t wBankerUser;
    uint16_t wCurrentUser;  // who leads first (the landlord)
    uint8_t cbReserved;
    uint8_t cbBackCard[BACK_COUNT];
};

// Sent with its cards only: 5 + cbCardCount bytes.
struct CMD_S_OutCard
{
    uint8_t cbCardCount;
    uint16_t wCurrentUser;  // next to act, or nobody when the hand is over
    uint16_t wOutCardUser;
    uint8_t cbCardData[20];
};

struct CMD_S_PassCard
{
    uint8_t cbTurnOver;     // nonzero: the current chair leads freely
    uint16_t wCurrentUser;  // next to act
    uint16_t wPassUser;
};

struct CMD_S_GameEnd
{
    uint32_t dwShownValue;  // shown as a number in the score view
    int64_t lGameScore[GAME_PLAYER];
    uint8_t cbSpring;
    uint8_t cbAntiSpring;
    uint8_t cbReserved30;
    uint8_t cbChairValue[GAME_PLAYER];  // one number per chair in the score view's rows
    uint8_t cbReserved34;
    uint8_t cbCardCount[GAME_PLAYER];  // cards left in each hand
    uint8_t cbCardData[54];            // the cards left, chair 0's first
};

struct CMD_S_StatusFree
{
    uint8_t cbReserved0[4];
    uint8_t cbOutCardTime;
    uint8_t cbCallScoreTime;
    uint8_t cbReserved6;
    uint8_t cbFirstOutTime;
    uint8_t cbReserved8[48];
};

struct CMD_S_StatusScore
{
    uint8_t cbOutCardTime;
    uint8_t cbCallScoreTime;
    uint8_t cbReserved2;
    uint8_t cbFirstOutTime;
    uint8_t cbReserved4[4];
    uint16_t wCurrentUser;
    uint8_t cbCurrentScore;
    uint8_t cbReserved11[3];
    uint8_t cbCardData[HAND_COUNT];
    uint8_t cbReserved31[48];
};

struct CMD_S_StatusPlay
{
    uint8_t cbOutCardTime;
    uint8_t cbCallScoreTime;
    uint8_t cbReserved2;
    uint8_t cbFirstOutTime;
    uint8_t cbReserved4[5];
    uint16_t wBankerUser;
    uint16_t wCurrentUser;
    uint8_t cbReserved13;
    uint16_t wTurnWinner;  // whose cards lie on the table
    uint8_t cbTurnCardCount;
    uint8_t cbTurnCardData[20];
    uint8_t cbBackCard[BACK_COUNT];
    uint8_t cbCardData[20];  // my hand
    uint8_t cbCardCount[GAME_PLAYER];
    uint8_t cbReserved63[48];
};
KEST_WIRE_END

static_assert(sizeof(CMD_S_SendCard) == 23, "send card");
static_assert(sizeof(CMD_S_LandScore) == 6, "call score");
static_assert(sizeof(CMD_S_BankerInfo) == 8, "banker info");
static_assert(sizeof(CMD_S_OutCard) == 25, "out card, at its largest");
static_assert(sizeof(CMD_S_PassCard) == 5, "pass card");
static_assert(sizeof(CMD_S_GameEnd) == 92, "game end");
static_assert(sizeof(CMD_S_StatusFree) == 56, "free scene");
static_assert(sizeof(CMD_S_StatusScore) == 79, "calling scene");
static_assert(sizeof(CMD_S_StatusPlay) == 111, "playing scene");
static_assert(offsetof(CMD_S_GameEnd, cbCardCount) == 35, "cards-left counts");
static_assert(offsetof(CMD_S_StatusScore, cbCardData) == 14, "calling scene hand");
static_assert(offsetof(CMD_S_StatusPlay, cbTurnCardCount) == 16, "playing scene table");
static_assert(offsetof(CMD_S_StatusPlay, cbCardData) == 40, "playing scene hand");
static_assert(offsetof(CMD_S_StatusPlay, cbCardCount) == 60, "playing scene counts");

constexpr size_t kOutCardHead = 5;  // the out-card record without its cards

// A chair that must act or have acted.
inline bool IsChair(uint16_t chair) { return chair < GAME_PLAYER; }
// A chair named as next to act: a chair, or nobody.
inline bool IsChairOrNobody(uint16_t chair) { return chair < GAME_PLAYER || chair == INVALID_CHAIR; }

}  // namespace Land
