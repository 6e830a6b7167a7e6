// What red nine (kind 106) and little nine (kind 110) say alike on the wire:
// the message numbers, the records both games send in one shape, and the
// requests. Packed little-endian; chairs are u16 with 0xFFFF for no banker,
// amounts signed 64-bit, bet areas numbered from 1. Each game's own records
// (free time, round start and end, records, the play scene) are in its
// <Game>Messages.h.
#pragma once

#include "core/Wire.h"
#include "games/common/BankerMessages.h"

#include <cstddef>
#include <cstdint>

namespace TwoCardBanker {
// A game's messages header takes these with `using namespace
// TwoCardBanker::messages;` beside its own records.
inline namespace messages {

constexpr int HAND_COUNT = 4;  // the banker's and three others
constexpr int CARDS_PER_HAND = 2;
constexpr int CARD_COUNT = HAND_COUNT * CARDS_PER_HAND;
using games::NO_BANKER;
constexpr uint8_t CARD_BACK = 99;

// The banker games' numbers (games/common): server subs 99 to 104 and 106
// to 108, requests 1 to 3, statuses 0 and 100 to 102.
using namespace games::banker_subs;
using namespace games::banker_requests;
using namespace games::banker_status;

// Units of the room notice's text.
constexpr size_t NOTICE_UNITS = 256;

// What the banker games send alike (games/common).
using games::ApplyBankerMessage;
using games::BetFailedMessage;
using games::BetRequest;           // the selected chip's value
using games::ChangeBankerMessage;  // the banker's score is not read

KEST_WIRE_BEGIN

struct BetPlacedMessage
{
    uint16_t wChairID;  // who bet
    uint8_t cbArea;     // from 1
    int64_t lAmount;
    uint8_t cbDelayed;  // non-zero: show the chip after a short random delay
    uint8_t cbReserved;
};

struct CancelBankerMessage
{
    uint16_t wCancelUser;  // left the banker queue
    uint8_t cbReserved[64];
};

struct RoomNoticeMessage
{
    char16_t szText[NOTICE_UNITS];  // ends at the first 0 unit, if any
};

struct FreeScene
{
    uint8_t cbTimeLeave;  // seconds of free time left
    uint8_t cbReserved1[8];
    uint16_t wBankerUser;
    uint16_t wBankerTimes;  // the banker's count of rounds
    int64_t lBankerTotalResult;
    uint8_t cbReserved21[9];
    int64_t lApplyBankerCondition;  // the least score that may apply for banker
    int64_t lUnused;
    uint8_t cbReserved46[80];
};

KEST_WIRE_END

static_assert(sizeof(BetPlacedMessage) == 13 && offsetof(BetPlacedMessage, lAmount) == 3 &&
                  offsetof(BetPlacedMessage, cbDelayed) == 11,
              "BetPlacedMessage");
static_assert(sizeof(CancelBankerMessage) == 66, "CancelBankerMessage");
static_assert(sizeof(RoomNoticeMessage) == 512, "RoomNoticeMessage");
static_assert(sizeof(FreeScene) == 126, "FreeScene");
static_assert(offsetof(FreeScene, wBankerUser) == 9 && offsetof(FreeScene, wBankerTimes) == 11 &&
                  offsetof(FreeScene, lBankerTotalResult) == 13 && offsetof(FreeScene, lApplyBankerCondition) == 30,
              "FreeScene fields");

}  // namespace messages
}  // namespace TwoCardBanker
