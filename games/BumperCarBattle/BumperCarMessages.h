// The messages of the car-brand betting game (main 200) and its scene
// records, packed little-endian. Chairs are u16, 0xFFFF the system banker;
// amounts are signed 64-bit. The eight betting areas are numbered 1 to 8
// (big bsj, bm, bc, dz, then the small ones); the track's slots 1 to 32.
#pragma once

#include "core/Wire.h"
#include "games/common/BankerMessages.h"

#include <cstddef>
#include <cstdint>

namespace BumperCarBattle {

constexpr int AREA_COUNT = 8;
constexpr int TRACK_SLOTS = 32;
using games::NO_BANKER;

// The banker games' numbers (games/common): server subs 99 to 104 and 106
// to 108, requests 1 to 3, statuses 0 and 100 to 102; a bet is a jetton here.
using namespace games::banker_subs;
using namespace games::banker_requests;
using namespace games::banker_status;
constexpr uint16_t SUB_S_PLACE_JETTON = SUB_S_PLACE_BET;
constexpr uint16_t SUB_S_PLACE_JETTON_FAIL = SUB_S_PLACE_BET_FAIL;
constexpr uint16_t SUB_C_PLACE_JETTON = SUB_C_PLACE_BET;
constexpr uint16_t SUB_S_CHECKED_ONLY = 105;  // taken at its size, not read
constexpr uint16_t SIZE_CHECKED_ONLY = 21;

inline bool ValidArea(int area) { return area >= 1 && area <= AREA_COUNT; }
inline bool ValidSlot(int slot) { return slot >= 1 && slot <= TRACK_SLOTS; }

// What the banker games send alike (games/common); the change of banker's
// score is not read: the banker's record holds it.
using games::ApplyBankerMessage;
using games::BetFailedMessage;
using games::BetPlacedMessage;  // areas 1..8
using games::BetRequest;
using games::CancelBankerMessage;
using games::ChangeBankerMessage;
using games::FreeMessage;

KEST_WIRE_BEGIN

struct RoundStartMessage
{
    uint16_t wBankerUser;  // NO_BANKER for the system
    uint8_t cbReserved2[16];
    uint8_t cbTimeLeave;  // seconds of the betting time
    uint8_t cbReserved19[5];
    int64_t lBankerCondition;  // quoted when applying for the banker is refused
};

struct RoundEndMessage
{
    uint8_t cbTimeLeave;  // seconds of the result time
    uint8_t cbStopSlot;   // 1..32, where the car stops
    uint8_t cbKept2;
    uint8_t cbReserved3;
    int64_t lPanelLower;         // the result panel's lower line
    int64_t lBankerTotalResult;  // shown when the car stops
    uint32_t dwBankerTimes;      // the banker's round count
    int64_t lMyScore;            // my result of the round
    int64_t lPanelUpperRight;    // beside it on the panel's upper line
    uint8_t cbKept40[8];
};

// One record of a RecordListMessage, which holds any number of them.
struct RoundRecord
{
    uint8_t cbWon[AREA_COUNT];  // non-zero when the class of that index won
    uint8_t cbReserved;
};

struct FreeScene
{
    uint8_t cbTimeLeave;
    uint8_t cbReserved1[8];
    uint16_t wBankerUser;
    uint16_t wBankerTimes;
    int64_t lBankerTotalResult;
    uint8_t cbReserved21[9];
    int64_t lApplyBankerCondition;  // the least score that may apply
    uint8_t cbReserved38[84];
};

struct PlayScene
{
    int64_t lAllBets[AREA_COUNT + 1];  // index 0 unused; betting only
    int64_t lMyBets[AREA_COUNT + 1];   // index 0 unused; betting only
    uint8_t cbReserved144[8];
    int64_t lApplyBankerCondition;
    uint8_t cbReserved160[8];
    uint8_t cbCarSlot;  // 1..32; betting only
    uint16_t wBankerUser;
    uint16_t wBankerTimes;
    int64_t lBankerTotalResult;
    uint8_t cbReserved181[17];
    int64_t lMyTotalResult;
    uint8_t cbReserved206[16];
    uint8_t cbTimeLeave;  // seconds left of the current phase
    uint8_t cbReserved223[77];
};

KEST_WIRE_END

static_assert(sizeof(RoundStartMessage) == 32, "RoundStartMessage");
static_assert(offsetof(RoundStartMessage, cbTimeLeave) == 18 && offsetof(RoundStartMessage, lBankerCondition) == 24,
              "RoundStartMessage fields");
static_assert(sizeof(RoundEndMessage) == 48, "RoundEndMessage");
static_assert(offsetof(RoundEndMessage, lPanelLower) == 4 && offsetof(RoundEndMessage, lBankerTotalResult) == 12 &&
                  offsetof(RoundEndMessage, dwBankerTimes) == 20 && offsetof(RoundEndMessage, lMyScore) == 24 &&
                  offsetof(RoundEndMessage, lPanelUpperRight) == 32 && offsetof(RoundEndMessage, cbKept40) == 40,
              "RoundEndMessage fields");
static_assert(sizeof(RoundRecord) == 9, "RoundRecord");
static_assert(sizeof(FreeScene) == 122, "FreeScene");
static_assert(offsetof(FreeScene, wBankerUser) == 9 && offsetof(FreeScene, wBankerTimes) == 11 &&
                  offsetof(FreeScene, lBankerTotalResult) == 13 && offsetof(FreeScene, lApplyBankerCondition) == 30,
              "FreeScene fields");
static_assert(sizeof(PlayScene) == 300, "PlayScene");
static_assert(offsetof(PlayScene, lAllBets) + 8 == 8 && offsetof(PlayScene, lMyBets) + 8 == 80 &&
                  offsetof(PlayScene, lApplyBankerCondition) == 152 && offsetof(PlayScene, cbCarSlot) == 168 &&
                  offsetof(PlayScene, wBankerUser) == 169 && offsetof(PlayScene, wBankerTimes) == 171 &&
                  offsetof(PlayScene, lBankerTotalResult) == 173 && offsetof(PlayScene, lMyTotalResult) == 198 &&
                  offsetof(PlayScene, cbTimeLeave) == 222,
              "PlayScene fields");

}  // namespace BumperCarBattle
