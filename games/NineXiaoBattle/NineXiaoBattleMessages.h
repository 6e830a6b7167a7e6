// The messages of little nine (main 200) and its scene records, packed
// little-endian: three bet areas numbered 1 to 3, one per door, and four
// two-card hands (the banker's and the doors'). What both two-card games send
// alike is in games/TwoCardBanker/TwoCardMessages.h.
#pragma once

#include "core/Wire.h"
#include "games/TwoCardBanker/TwoCardMessages.h"

#include <cstddef>
#include <cstdint>

namespace NineXiaoBattle {

// What both two-card games share.
using namespace TwoCardBanker::messages;

constexpr int AREA_COUNT = 3;
constexpr uint16_t SUB_S_ROOM_NOTICE = 117;
constexpr uint16_t SUB_S_LAST = 117;  // subs above are accepted unread

// An area's result: it beat the banker, lost to him, or tied.
constexpr int32_t AREA_WON = 1;
constexpr int32_t AREA_LOST = -1;
constexpr int32_t AREA_TIED = 0;

KEST_WIRE_BEGIN

struct FreeMessage
{
    uint8_t cbTimeLeave;  // seconds of free time left; the banker stays as he is
};

struct RoundStartMessage
{
    uint16_t wBankerUser;   // compared with the banker the board holds, not kept
    int64_t lBetLimit;      // the most that all players together may bet
    int64_t lUserMaxScore;  // my bet limit
    uint8_t cbTimeLeave;    // seconds of betting time
    uint8_t cbReserved[13];
};

struct RoundEndMessage
{
    uint8_t cbTimeLeave;  // seconds of the result time
    uint8_t cbTableCards[HAND_COUNT][CARDS_PER_HAND];
    uint8_t cbReserved9;
    uint8_t cbDealStart;  // the low two bits name the hand dealt first
    uint8_t cbReserved11;
    uint8_t cbUnused[3];
    uint8_t cbReserved15[3];
    int64_t lSecondAmount;       // the result view's second figure
    int64_t lBankerTotalResult;  // the banker panel
    int32_t nBankerTimes;        // the banker's count of rounds; -1 keeps the label
    int64_t lMyScore;            // my score this round
    int64_t lThirdAmount;        // the result view's third figure
    uint8_t cbReserved54[8];
    int32_t nAreaResults[AREA_COUNT];  // AREA_WON, AREA_LOST or AREA_TIED
};

// One record of a RecordListMessage, which holds any number of them.
struct RoundRecord
{
    int32_t nAreaResults[AREA_COUNT];
};

struct PlayScene
{
    uint8_t cbReserved0[8];
    int64_t lAllBets[AREA_COUNT];  // areas 1..3
    uint8_t cbReserved32[32];
    int64_t lMyBets[AREA_COUNT];
    uint8_t cbReserved88[32];
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
    int32_t nAreaResults[AREA_COUNT];  // result statuses only
};

KEST_WIRE_END

static_assert(sizeof(FreeMessage) == 1, "FreeMessage");
static_assert(sizeof(RoundStartMessage) == 32 && offsetof(RoundStartMessage, lUserMaxScore) == 10 &&
                  offsetof(RoundStartMessage, cbTimeLeave) == 18,
              "RoundStartMessage");
static_assert(sizeof(RoundEndMessage) == 74, "RoundEndMessage");
static_assert(offsetof(RoundEndMessage, cbDealStart) == 10 && offsetof(RoundEndMessage, lSecondAmount) == 18 &&
                  offsetof(RoundEndMessage, lBankerTotalResult) == 26 &&
                  offsetof(RoundEndMessage, nBankerTimes) == 34 && offsetof(RoundEndMessage, lMyScore) == 38 &&
                  offsetof(RoundEndMessage, lThirdAmount) == 46 && offsetof(RoundEndMessage, nAreaResults) == 62,
              "RoundEndMessage fields");
static_assert(sizeof(RoundRecord) == 12, "RoundRecord");
static_assert(sizeof(PlayScene) == 291, "PlayScene");
static_assert(offsetof(PlayScene, lAllBets) == 8 && offsetof(PlayScene, lMyBets) == 64 &&
                  offsetof(PlayScene, lApplyBankerCondition) == 120 && offsetof(PlayScene, cbTableCards) == 136 &&
                  offsetof(PlayScene, wBankerUser) == 144 && offsetof(PlayScene, wBankerTimes) == 146 &&
                  offsetof(PlayScene, lBankerTotalResult) == 148 && offsetof(PlayScene, lSecondAmount) == 165 &&
                  offsetof(PlayScene, lMyScore) == 173 && offsetof(PlayScene, lThirdAmount) == 181 &&
                  offsetof(PlayScene, cbTimeLeave) == 197 && offsetof(PlayScene, nAreaResults) == 279,
              "PlayScene fields");

}  // namespace NineXiaoBattle
