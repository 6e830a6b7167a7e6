// The messages of red nine (main 200) and its scene records, packed
// little-endian: six bet areas numbered 1 to 6, four two-card hands (the
// banker's and the three doors'). What both two-card games send alike is in
// games/TwoCardBanker/TwoCardMessages.h.
#pragma once

#include "core/Wire.h"
#include "games/TwoCardBanker/TwoCardMessages.h"

#include <cstddef>
#include <cstdint>

namespace RedNineBattle {

// What both two-card games share.
using namespace TwoCardBanker::messages;

constexpr int AREA_COUNT = 6;
constexpr uint16_t SUB_S_ROOM_NOTICE = 113;
constexpr uint16_t SUB_S_LAST = 113;  // subs above are accepted unread

KEST_WIRE_BEGIN

struct FreeMessage
{
    uint8_t cbTimeLeave;  // seconds of free time left
    uint16_t wBankerUser;
    uint8_t cbReserved[20];
};

struct RoundStartMessage
{
    uint16_t wBankerUser;
    int64_t lBetLimit;      // the most that all players together may bet
    int64_t lUserMaxScore;  // my bet limit
    uint8_t cbTimeLeave;    // seconds of betting time
    uint8_t cbReserved[5];
};

struct RoundEndMessage
{
    uint8_t cbTimeLeave;  // seconds of the result time
    uint8_t cbTableCards[HAND_COUNT][CARDS_PER_HAND];
    uint8_t cbReserved9;
    uint8_t cbDealStart;  // the low two bits name the hand dealt first
    uint16_t wBankerUser;
    int64_t lSecondAmount;       // the result view's second figure
    int64_t lBankerTotalResult;  // the banker panel
    uint16_t wBankerTimes;       // the banker's count of rounds
    uint8_t cbReserved31[2];
    int64_t lMyScore;      // my score this round
    int64_t lThirdAmount;  // the result view's third figure
    uint8_t cbReserved49[8];
    int32_t nResults[7];  // -1 a door lost; doors 1, 2, 3 at indexes 4, 5, 1
};

// One record of a RecordListMessage, which holds any number of them.
struct RoundRecord
{
    uint8_t cbDoorWon[3];  // doors 1, 2, 3: non-zero when the door won
};

struct PlayScene
{
    uint8_t cbReserved0[8];
    int64_t lAllBets[AREA_COUNT];  // areas 1..6
    uint8_t cbReserved56[8];
    int64_t lMyBets[AREA_COUNT];
    uint8_t cbReserved112[8];
    int64_t lApplyBankerCondition;
    uint8_t cbReserved128[8];
    uint8_t cbTableCards[HAND_COUNT][CARDS_PER_HAND];  // result statuses only
    uint16_t wBankerUser;
    uint16_t wBankerTimes;
    int64_t lBankerTotalResult;
    uint8_t cbReserved156[9];
    int64_t lSecondAmount;
    int64_t lMyScore;
    int64_t lThirdAmount;
    uint8_t cbReserved189[8];
    uint8_t cbTimeLeave;  // seconds left of the current phase
    uint8_t cbReserved198[81];
    int32_t nResults[7];  // as RoundEndMessage's, result statuses only
};

KEST_WIRE_END

// Where the three doors' results lie in nResults.
constexpr int kDoorResultIndex[3] = {4, 5, 1};

static_assert(sizeof(FreeMessage) == 23 && offsetof(FreeMessage, wBankerUser) == 1, "FreeMessage");
static_assert(sizeof(RoundStartMessage) == 24 && offsetof(RoundStartMessage, cbTimeLeave) == 18, "RoundStartMessage");
static_assert(sizeof(RoundEndMessage) == 85, "RoundEndMessage");
static_assert(offsetof(RoundEndMessage, cbDealStart) == 10 && offsetof(RoundEndMessage, wBankerUser) == 11 &&
                  offsetof(RoundEndMessage, lSecondAmount) == 13 &&
                  offsetof(RoundEndMessage, lBankerTotalResult) == 21 &&
                  offsetof(RoundEndMessage, wBankerTimes) == 29 && offsetof(RoundEndMessage, lMyScore) == 33 &&
                  offsetof(RoundEndMessage, lThirdAmount) == 41 && offsetof(RoundEndMessage, nResults) == 57,
              "RoundEndMessage fields");
static_assert(offsetof(RoundEndMessage, nResults) + 4 * kDoorResultIndex[0] == 73 &&
                  offsetof(RoundEndMessage, nResults) + 4 * kDoorResultIndex[1] == 77 &&
                  offsetof(RoundEndMessage, nResults) + 4 * kDoorResultIndex[2] == 61,
              "door results at 73, 77 and 61");
static_assert(sizeof(RoundRecord) == 3, "RoundRecord");
static_assert(sizeof(PlayScene) == 307, "PlayScene");
static_assert(offsetof(PlayScene, lAllBets) == 8 && offsetof(PlayScene, lMyBets) == 64 &&
                  offsetof(PlayScene, lApplyBankerCondition) == 120 && offsetof(PlayScene, cbTableCards) == 136 &&
                  offsetof(PlayScene, wBankerUser) == 144 && offsetof(PlayScene, wBankerTimes) == 146 &&
                  offsetof(PlayScene, lBankerTotalResult) == 148 && offsetof(PlayScene, lSecondAmount) == 165 &&
                  offsetof(PlayScene, lMyScore) == 173 && offsetof(PlayScene, lThirdAmount) == 181 &&
                  offsetof(PlayScene, cbTimeLeave) == 197 && offsetof(PlayScene, nResults) == 279,
              "PlayScene fields");

}  // namespace RedNineBattle
