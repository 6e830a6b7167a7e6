// The messages of the four-beast wheel (main 200) and its scene records,
// packed little-endian. Chairs are u16, 0xFFFF nobody (the system banker);
// amounts are signed 64-bit; the eight betting areas are numbered 1 to 8 and
// arrays of per-area amounts have nine entries with index 0 unused. The
// wheel has sixteen points, 0 to 15; results travel as point + 1.
#pragma once

#include "core/Wire.h"
#include "games/common/BankerMessages.h"

#include <cstddef>
#include <cstdint>

namespace TransferBattle {

constexpr int AREA_COUNT = 8;
constexpr int WHEEL_POINTS = 16;
using games::NO_BANKER;

// The banker games' numbers (games/common): server subs 99 to 104 and 106
// to 108 (106 here at any size, one byte a record), statuses 0 and 100 to
// 102.
using namespace games::banker_subs;
using namespace games::banker_status;
constexpr uint16_t SUB_S_NO_BANKER = 111;  // any size, not read

// Client to server: this game's own subs, not the 1 to 3 of the other banker games.
constexpr uint16_t SUB_C_PLACE_BET = 11;      // BetRequest
constexpr uint16_t SUB_C_APPLY_BANKER = 12;   // no body
constexpr uint16_t SUB_C_CANCEL_BANKER = 13;  // no body

// What the banker games send alike (games/common).
using games::ApplyBankerMessage;
using games::BetPlacedMessage;  // areas 1..8
using games::BetRequest;
using games::CancelBankerMessage;
using games::ChangeBankerMessage;
using games::FreeMessage;

KEST_WIRE_BEGIN

struct RoundStartMessage
{
    uint16_t wBankerUser;
    int64_t lBankerScore;   // all bets of the round together stay within it
    int64_t lUserMaxScore;  // my betting ceiling
    uint8_t cbTimeLeave;    // seconds of the betting time
    uint8_t cbReserved19[5];
    int64_t lApplyBankerCondition;  // the least score of the banker queue
};

struct RoundEndMessage
{
    uint8_t cbTimeLeave;   // seconds of the result phase
    uint8_t cbWinSlot;     // the wheel stops at point (value - 1) mod 16; 0 to 16
    int64_t lSecondAmount;  // result panel
    int64_t lBankerTotalResult;
    int32_t nBankerTimes;  // the banker's round count
    int64_t lMyScore;      // my result this round
    int64_t lThirdAmount;  // result panel
    uint8_t cbReserved38[8];
};

struct BetFailedMessage
{
    uint8_t cbReserved[11];
};

struct FreeScene
{
    uint8_t cbTimeLeave;
    uint8_t cbReserved1[8];
    uint16_t wBankerUser;
    uint16_t wBankerTimes;
    int64_t lBankerTotalResult;
    int64_t lBankerScore;
    uint8_t cbReserved29;
    int64_t lApplyBankerCondition;
    int64_t lReserved38;
    uint8_t cbReserved46[576];
};

struct PlayScene
{
    int64_t lAllBets[AREA_COUNT + 1];  // index 0 unused
    int64_t lMyBets[AREA_COUNT + 1];   // index 0 unused
    uint8_t cbReserved144[8];
    int64_t lApplyBankerCondition;  // statuses 101 and 102 only
    int64_t lReserved160;
    uint8_t cbReserved168;
    uint16_t wBankerUser;
    uint16_t wBankerTimes;
    int64_t lBankerTotalResult;
    int64_t lBankerScore;
    uint8_t cbReserved189;
    int64_t lSecondAmount;
    int64_t lMyScore;
    int64_t lThirdAmount;
    uint8_t cbReserved214[8];
    uint8_t cbTimeLeave;  // seconds left of the phase
    uint8_t cbReserved223[577];
};

KEST_WIRE_END

static_assert(sizeof(RoundStartMessage) == 32, "RoundStartMessage");
static_assert(offsetof(RoundStartMessage, lUserMaxScore) == 10 && offsetof(RoundStartMessage, cbTimeLeave) == 18 &&
                  offsetof(RoundStartMessage, lApplyBankerCondition) == 24,
              "RoundStartMessage fields");
static_assert(sizeof(RoundEndMessage) == 46, "RoundEndMessage");
static_assert(offsetof(RoundEndMessage, lSecondAmount) == 2 && offsetof(RoundEndMessage, lBankerTotalResult) == 10 &&
                  offsetof(RoundEndMessage, nBankerTimes) == 18 && offsetof(RoundEndMessage, lMyScore) == 22 &&
                  offsetof(RoundEndMessage, lThirdAmount) == 30,
              "RoundEndMessage fields");
static_assert(sizeof(BetFailedMessage) == 11, "BetFailedMessage");
static_assert(sizeof(FreeScene) == 622, "FreeScene");
static_assert(offsetof(FreeScene, wBankerUser) == 9 && offsetof(FreeScene, wBankerTimes) == 11 &&
                  offsetof(FreeScene, lBankerTotalResult) == 13 && offsetof(FreeScene, lBankerScore) == 21 &&
                  offsetof(FreeScene, lApplyBankerCondition) == 30,
              "FreeScene fields");
static_assert(sizeof(PlayScene) == 800, "PlayScene");
static_assert(offsetof(PlayScene, lMyBets) == 72 && offsetof(PlayScene, lApplyBankerCondition) == 152 &&
                  offsetof(PlayScene, wBankerUser) == 169 && offsetof(PlayScene, wBankerTimes) == 171 &&
                  offsetof(PlayScene, lBankerTotalResult) == 173 && offsetof(PlayScene, lBankerScore) == 181 &&
                  offsetof(PlayScene, lSecondAmount) == 190 && offsetof(PlayScene, lMyScore) == 198 &&
                  offsetof(PlayScene, lThirdAmount) == 206 && offsetof(PlayScene, cbTimeLeave) == 222,
              "PlayScene fields");

}  // namespace TransferBattle
