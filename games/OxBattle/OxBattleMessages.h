// The messages of bull with dice (main 200) and its scene records, packed
// little-endian. Chairs are u16, 0xFFFF the system banker; amounts are signed
// 64-bit; the four betting areas are numbered 1 to 4, and arrays of per-area
// amounts have five entries with index 0 (the banker's place) unused.
#pragma once

#include "core/Wire.h"
#include "games/common/BankerMessages.h"

#include <cstddef>
#include <cstdint>

namespace OxBattle {

constexpr int AREA_COUNT = 4;
constexpr int HAND_COUNT = 5;  // the banker's hand and one per area
constexpr int CARDS_PER_HAND = 5;
using games::NO_BANKER;

// The banker games' numbers (games/common): server subs 99 to 104 and 106
// to 108, requests 1 to 3, statuses 0 and 100 to 102.
using namespace games::banker_subs;
using namespace games::banker_requests;
using namespace games::banker_status;
constexpr uint16_t SUB_S_IGNORED = 105;  // accepted at any size, not read

// What the banker games send alike (games/common).
using games::ApplyBankerMessage;
using games::BetPlacedMessage;  // areas 1..4
using games::BetRequest;
using games::CancelBankerMessage;
using games::FreeMessage;

KEST_WIRE_BEGIN

struct RoundStartMessage
{
    uint16_t wBankerUser;
    int64_t lBankerScore;   // the banker's cover for this round
    int64_t lUserMaxScore;  // my bet limit
    uint8_t cbTimeLeave;    // seconds of the betting time
    uint8_t cbReserved[5];
};

struct RoundEndMessage
{
    uint8_t cbTimeLeave;                               // seconds of the result time
    uint8_t cbTableCards[HAND_COUNT][CARDS_PER_HAND];  // hand 0 the banker's
    uint8_t cbReserved26;
    uint8_t cbDice[2];
    int64_t lSecondAmount;       // shown in the score view
    int64_t lBankerTotalResult;  // shown in the banker panel
    int32_t nBankerTimes;        // the banker's round count
    int64_t lMyScore;            // my score this round
    int64_t lThirdAmount;        // shown in the score view
    uint8_t cbReserved65[8];
};

struct ChangeBankerMessage
{
    uint16_t wBankerUser;  // NO_BANKER for the system
    uint8_t cbReserved[8];
};

// One record of a RecordListMessage, which holds any number of them.
struct RoundRecord
{
    uint8_t cbAreaWon[AREA_COUNT];  // non-zero when area k + 1 won
};

struct BetFailedMessage
{
    uint8_t cbReserved[3];
    int64_t lAmount;  // the amount that could not be placed
};

struct FreeScene
{
    uint8_t cbTimeLeave;
    uint8_t cbReserved1[8];
    uint16_t wBankerUser;
    uint16_t wBankerTimes;
    int64_t lBankerTotalResult;
    int64_t lReserved21;
    uint8_t cbReserved29;
    int64_t lApplyBankerCondition;  // the least score that may join the queue
    int64_t lKeptAmount;            // stored by the board, never read
    uint8_t cbReserved46[80];
};

struct PlayScene
{
    int64_t lAllBets[AREA_COUNT + 1];  // index 0 unused
    int64_t lMyBets[AREA_COUNT + 1];   // index 0 unused
    uint8_t cbReserved80[8];
    int64_t lApplyBankerCondition;
    int64_t lKeptAmount;  // statuses 101 and 102 only
    uint8_t cbTableCards[HAND_COUNT][CARDS_PER_HAND];
    uint8_t cbDice[2];
    uint16_t wBankerUser;
    uint16_t wBankerTimes;
    int64_t lBankerTotalResult;
    int64_t lReserved143;
    uint8_t cbReserved151;
    int64_t lSecondAmount;
    int64_t lMyScore;
    int64_t lThirdAmount;
    uint8_t cbReserved176[8];
    uint8_t cbTimeLeave;   // seconds left of the current phase
    uint8_t cbGameStatus;  // 100 betting, 101 and 102 result
    uint8_t cbReserved186[80];
};

KEST_WIRE_END

static_assert(sizeof(RoundStartMessage) == 24, "RoundStartMessage");
static_assert(sizeof(RoundEndMessage) == 73, "RoundEndMessage");
static_assert(offsetof(RoundEndMessage, cbDice) == 27 && offsetof(RoundEndMessage, lSecondAmount) == 29 &&
                  offsetof(RoundEndMessage, nBankerTimes) == 45 && offsetof(RoundEndMessage, lMyScore) == 49 &&
                  offsetof(RoundEndMessage, lThirdAmount) == 57,
              "RoundEndMessage fields");
static_assert(sizeof(ChangeBankerMessage) == 10, "ChangeBankerMessage");
static_assert(sizeof(RoundRecord) == 4, "RoundRecord");
static_assert(sizeof(BetFailedMessage) == 11, "BetFailedMessage");
static_assert(sizeof(FreeScene) == 126, "FreeScene");
static_assert(offsetof(FreeScene, wBankerUser) == 9 && offsetof(FreeScene, lBankerTotalResult) == 13 &&
                  offsetof(FreeScene, lApplyBankerCondition) == 30 && offsetof(FreeScene, lKeptAmount) == 38,
              "FreeScene fields");
static_assert(sizeof(PlayScene) == 266, "PlayScene");
static_assert(offsetof(PlayScene, lApplyBankerCondition) == 88 && offsetof(PlayScene, cbTableCards) == 104 &&
                  offsetof(PlayScene, cbDice) == 129 && offsetof(PlayScene, wBankerUser) == 131 &&
                  offsetof(PlayScene, lBankerTotalResult) == 135 && offsetof(PlayScene, lSecondAmount) == 152 &&
                  offsetof(PlayScene, lMyScore) == 160 && offsetof(PlayScene, lThirdAmount) == 168 &&
                  offsetof(PlayScene, cbTimeLeave) == 184 && offsetof(PlayScene, cbGameStatus) == 185,
              "PlayScene fields");

}  // namespace OxBattle
