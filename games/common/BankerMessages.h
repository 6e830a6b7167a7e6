// The records that several banker games send in one shape (main 200),
// packed little-endian: a game takes the ones its server sends so with
// `using games::...;` beside its own records, and keeps every record that
// differs in any field; and the numbers they share. Chairs are u16
// (NO_BANKER the system banker), amounts signed 64-bit, bet areas numbered
// from 1.
#pragma once

#include "core/Wire.h"

#include <cstddef>
#include <cstdint>

namespace games {

// The chair of the system banker.
constexpr uint16_t NO_BANKER = 0xFFFF;

// The server's subs the banker games number alike; a game takes them with
// `using namespace games::banker_subs;` and numbers the rest itself (105
// and above 108 differ from game to game).
namespace banker_subs {
constexpr uint16_t SUB_S_GAME_FREE = 99;
constexpr uint16_t SUB_S_GAME_START = 100;
constexpr uint16_t SUB_S_PLACE_BET = 101;
constexpr uint16_t SUB_S_GAME_END = 102;
constexpr uint16_t SUB_S_APPLY_BANKER = 103;
constexpr uint16_t SUB_S_CHANGE_BANKER = 104;
constexpr uint16_t SUB_S_SEND_RECORD = 106;
constexpr uint16_t SUB_S_PLACE_BET_FAIL = 107;
constexpr uint16_t SUB_S_CANCEL_BANKER = 108;
}  // namespace banker_subs

// The client's requests of most banker games (TransferBattle has its own).
namespace banker_requests {
constexpr uint16_t SUB_C_PLACE_BET = 1;      // BetRequest
constexpr uint16_t SUB_C_APPLY_BANKER = 2;   // no body
constexpr uint16_t SUB_C_CANCEL_BANKER = 3;  // no body
}  // namespace banker_requests

// The game statuses of the scene records (BaccaratNew names its own).
namespace banker_status {
constexpr uint8_t GS_FREE = 0;
constexpr uint8_t GS_BETTING = 100;
constexpr uint8_t GS_RESULT = 101;
constexpr uint8_t GS_RESULT_END = 102;
}  // namespace banker_status

KEST_WIRE_BEGIN

// Free time begins (OxBattle, TransferBattle, BumperCarBattle, BaccaratNew).
struct FreeMessage
{
    uint8_t cbTimeLeave;  // seconds of the free time
};

// A bet laid on an area (OxBattle, TransferBattle, BumperCarBattle).
struct BetPlacedMessage
{
    uint16_t wChairID;  // who bet
    uint8_t cbArea;     // from 1
    int64_t lAmount;
    uint8_t cbReserved;
};

// A chair joined the banker queue (every banker game).
struct ApplyBankerMessage
{
    uint16_t wApplyUser;
};

// The banker changed (TransferBattle, BumperCarBattle, BaccaratNew and the
// two-card games).
struct ChangeBankerMessage
{
    uint16_t wBankerUser;  // 0xFFFF for the system
    int64_t lBankerScore;
};

// A bet the server refused (BumperCarBattle and the two-card games).
struct BetFailedMessage
{
    uint16_t wChairID;  // whose bet was refused
    uint8_t cbReserved[9];
};

// A chair left the banker queue (OxBattle, TransferBattle, BumperCarBattle).
struct CancelBankerMessage
{
    uint8_t cbReserved[64];
    uint16_t wCancelUser;
};

// The client's bet on an area (OxBattle, TransferBattle, BumperCarBattle and
// the two-card games).
struct BetRequest
{
    uint8_t cbArea;
    int64_t lAmount;
};

KEST_WIRE_END

static_assert(sizeof(FreeMessage) == 1, "FreeMessage");
static_assert(sizeof(BetPlacedMessage) == 12 && offsetof(BetPlacedMessage, cbArea) == 2 &&
                  offsetof(BetPlacedMessage, lAmount) == 3,
              "BetPlacedMessage");
static_assert(sizeof(ApplyBankerMessage) == 2, "ApplyBankerMessage");
static_assert(sizeof(ChangeBankerMessage) == 10 && offsetof(ChangeBankerMessage, lBankerScore) == 2,
              "ChangeBankerMessage");
static_assert(sizeof(BetFailedMessage) == 11, "BetFailedMessage");
static_assert(sizeof(CancelBankerMessage) == 66 && offsetof(CancelBankerMessage, wCancelUser) == 64,
              "CancelBankerMessage");
static_assert(sizeof(BetRequest) == 9 && offsetof(BetRequest, lAmount) == 1, "BetRequest");

}  // namespace games
