// The messages of the horse race (main 200) and its scene records, packed
// little-endian. Six horses, 0 to 5 on the wire and 1 to 6 on the table, run;
// players bet on fifteen areas, one for each pair of horses (AreaPair); the
// pair that comes in first and second wins. There is no banker. Amounts are
// signed 64-bit, chairs u16.
#pragma once

#include "core/Wire.h"

#include <cstddef>
#include <cstdint>

namespace HorseBattle {

constexpr int HORSE_COUNT = 6;
constexpr int AREA_COUNT = 15;
constexpr int CHECKPOINTS = 10;  // course values per horse
constexpr int STEP_TABLE = 900;  // step-table values per horse
constexpr int HISTORY_KEPT = 20;
constexpr uint8_t NO_HORSE = 6;

// Server to client.
constexpr uint16_t SUB_S_ROUND_START = 100;
constexpr uint16_t SUB_S_BET_END = 101;
constexpr uint16_t SUB_S_RACE = 102;
constexpr uint16_t SUB_S_BET_PLACED = 103;
constexpr uint16_t SUB_S_BET_FAILED = 104;
constexpr uint16_t SUB_S_FREE = 107;
constexpr uint16_t SUB_S_EMPTY = 108;    // exactly 0 bytes, not read
constexpr uint16_t SUB_S_UNNAMED = 109;  // exactly 64 bytes, not read

// Client to server.
constexpr uint16_t SUB_C_BET = 1;  // BetRequest

// Game statuses of the scene records.
constexpr uint8_t GS_FREE = 0;
constexpr uint8_t GS_BETTING = 100;
constexpr uint8_t GS_LINE_UP = 101;
constexpr uint8_t GS_RACE = 102;

KEST_WIRE_BEGIN

// One round of the history; a round number of 0 is an empty slot.
struct RaceRecord
{
    uint32_t dwRound;
    uint32_t dwWinArea;  // 0..14
    uint32_t dwOdds;     // shown beside the pair in the history list
    uint8_t cbReserved[12];
};

struct RoundStartMessage
{
    int32_t nTimeLeave;  // seconds of betting
    uint8_t cbReserved4[8];
    uint32_t dwReserved12;
    uint8_t cbReserved16[4];
};

struct BetEndMessage
{
    int32_t nTimeLeave;  // seconds until the race
};

struct RaceMessage
{
    int32_t nTimeLeave;                            // seconds of the race phase
    int32_t nCheckpoints[HORSE_COUNT][CHECKPOINTS];  // the course, horse 0 first
    uint8_t cbFirstHorse;                          // 0..5
    uint8_t cbSecondHorse;                         // 0..5
    uint8_t cbReserved246[2];
    uint16_t wReserved248;
    int64_t lResultPart1;  // my result this round, in two parts
    int64_t lResultPart2;
    uint8_t cbHoldCounts[HORSE_COUNT][CHECKPOINTS];
    uint8_t cbBackSteps[HORSE_COUNT][CHECKPOINTS];
    uint8_t cbForwardSteps[HORSE_COUNT][CHECKPOINTS];
    uint8_t cbStepTable[HORSE_COUNT][STEP_TABLE];
};

struct BetPlacedMessage
{
    uint16_t wChairID;
    int64_t lAmounts[AREA_COUNT];  // added on each area
    uint32_t dwReserved122;
    uint8_t cbReserved126;
};

struct BetFailedMessage
{
    uint16_t wChairID;
    uint8_t cbReason;  // 0 betting is not open, else more than the player has
    int64_t lAmounts[AREA_COUNT];
};

struct FreeMessage
{
    int32_t nTimeLeave;  // seconds of free time
    RaceRecord record;   // the round just run
    uint32_t dwReserved28[HORSE_COUNT];
    uint32_t dwOdds[AREA_COUNT];  // of the next round
    uint8_t cbReserved112[240];
};

// What every scene record begins with.
struct SceneHead
{
    int32_t nTimeLeave;  // seconds left of the phase
    uint32_t dwRound;
    uint32_t dwOdds[AREA_COUNT];
    uint8_t cbHorses[HORSE_COUNT][64];
    RaceRecord history[HISTORY_KEPT];  // oldest first
    uint32_t dwReserved932[HORSE_COUNT];
};

struct FreeScene
{
    SceneHead head;
    int64_t lAreaLimit;
    int64_t lUserAreaLimit;
    uint8_t cbReserved972[64];
    int64_t lReserved1036;
};

struct BettingScene
{
    SceneHead head;
    uint32_t dwReserved956;
    uint8_t cbReserved960[8];
    int64_t lMyBets[AREA_COUNT];
    int64_t lAllBets[AREA_COUNT];
    int64_t lAreaLimit;
    int64_t lUserAreaLimit;
    uint8_t cbReserved1224[64];
    int64_t lReserved1288;
};

struct LineUpScene
{
    SceneHead head;
    uint32_t dwReserved956;
    int64_t lMyBets[AREA_COUNT];
    int64_t lAllBets[AREA_COUNT];
    int64_t lAreaLimit;
    int64_t lUserAreaLimit;
    uint8_t cbReserved1216[64];
    int64_t lReserved1280;
};

struct RaceScene
{
    SceneHead head;
    uint32_t dwReserved956;
    int64_t lMyBets[AREA_COUNT];
    int64_t lAllBets[AREA_COUNT];
    int64_t lResultPart1;
    int64_t lResultPart2;
    uint8_t cbFirstHorse;
    uint8_t cbSecondHorse;
    uint8_t cbReserved1218[2];
    uint16_t wReserved1220;
    int64_t lAreaLimit;
    int64_t lUserAreaLimit;
    uint8_t cbReserved1238[64];
    int64_t lReserved1302;
};

// The amount to add on each area, area 0 first; 0 where nothing is bet.
struct BetRequest
{
    int64_t lAmounts[AREA_COUNT];
};

KEST_WIRE_END

static_assert(sizeof(RaceRecord) == 24, "RaceRecord");
static_assert(sizeof(RoundStartMessage) == 20, "RoundStartMessage");
static_assert(sizeof(BetEndMessage) == 4, "BetEndMessage");
static_assert(sizeof(RaceMessage) == 5846, "RaceMessage");
static_assert(offsetof(RaceMessage, cbFirstHorse) == 244 && offsetof(RaceMessage, lResultPart1) == 250 &&
                  offsetof(RaceMessage, lResultPart2) == 258 && offsetof(RaceMessage, cbHoldCounts) == 266 &&
                  offsetof(RaceMessage, cbBackSteps) == 326 && offsetof(RaceMessage, cbForwardSteps) == 386 &&
                  offsetof(RaceMessage, cbStepTable) == 446,
              "RaceMessage fields");
static_assert(sizeof(BetPlacedMessage) == 127, "BetPlacedMessage");
static_assert(sizeof(BetFailedMessage) == 123, "BetFailedMessage");
static_assert(offsetof(BetFailedMessage, lAmounts) == 3, "BetFailedMessage fields");
static_assert(sizeof(FreeMessage) == 352, "FreeMessage");
static_assert(offsetof(FreeMessage, dwOdds) == 52 && offsetof(FreeMessage, cbReserved112) == 112,
              "FreeMessage fields");
static_assert(sizeof(SceneHead) == 956, "SceneHead");
static_assert(offsetof(SceneHead, cbHorses) == 68 && offsetof(SceneHead, history) == 452 &&
                  offsetof(SceneHead, dwReserved932) == 932,
              "SceneHead fields");
static_assert(sizeof(FreeScene) == 1044, "FreeScene");
static_assert(offsetof(FreeScene, lAreaLimit) == 956 && offsetof(FreeScene, lUserAreaLimit) == 964, "FreeScene fields");
static_assert(sizeof(BettingScene) == 1296, "BettingScene");
static_assert(offsetof(BettingScene, lMyBets) == 968 && offsetof(BettingScene, lAllBets) == 1088 &&
                  offsetof(BettingScene, lAreaLimit) == 1208 && offsetof(BettingScene, lUserAreaLimit) == 1216,
              "BettingScene fields");
static_assert(sizeof(LineUpScene) == 1288, "LineUpScene");
static_assert(offsetof(LineUpScene, lMyBets) == 960 && offsetof(LineUpScene, lAllBets) == 1080 &&
                  offsetof(LineUpScene, lAreaLimit) == 1200 && offsetof(LineUpScene, lUserAreaLimit) == 1208,
              "LineUpScene fields");
static_assert(sizeof(RaceScene) == 1310, "RaceScene");
static_assert(offsetof(RaceScene, lMyBets) == 960 && offsetof(RaceScene, lAllBets) == 1080 &&
                  offsetof(RaceScene, lResultPart1) == 1200 && offsetof(RaceScene, cbFirstHorse) == 1216 &&
                  offsetof(RaceScene, lAreaLimit) == 1222 && offsetof(RaceScene, lUserAreaLimit) == 1230,
              "RaceScene fields");
static_assert(sizeof(BetRequest) == 120, "BetRequest");

}  // namespace HorseBattle
