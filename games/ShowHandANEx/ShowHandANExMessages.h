// Five-card stud's messages (main 200), as the server lays them out. Arrays
// of two are indexed by chair; a card byte of 0 is a card the client may not
// see (shown face down).
#pragma once

#include "core/Wire.h"

#include <cstddef>
#include <cstdint>

namespace ShowHandANEx {

constexpr uint16_t GAME_PLAYER = 2;
constexpr uint8_t MAX_COUNT = 5;
// The most cards one send-card message deals to each chair.
constexpr uint8_t MAX_SEND_COUNT = 2;
// A current chair of nobody: the betting round is complete.
constexpr uint16_t INVALID_CHAIR = 0xFFFF;

// Server -> client.
constexpr uint16_t SUB_S_GAME_START = 100;
constexpr uint16_t SUB_S_ADD_SCORE = 101;
constexpr uint16_t SUB_S_GIVE_UP = 102;
constexpr uint16_t SUB_S_SEND_CARD = 103;
constexpr uint16_t SUB_S_GAME_END = 104;

// Client -> server.
constexpr uint16_t SUB_C_ADD_SCORE = 1;  // tagUserAddScore
constexpr uint16_t SUB_C_GIVE_UP = 2;    // no body

// tagUserAddScore's kind.
constexpr uint8_t ADD_KIND_FOLLOW = 0;  // follow or show hand
constexpr uint8_t ADD_KIND_RAISE = 1;

// Scene statuses.
constexpr uint8_t GS_TK_FREE = 0;
constexpr uint8_t GS_TK_PLAYING = 100;

// The turn clock on the chair that acts.
constexpr uint32_t IDI_TURN_CLOCK = 201;
constexpr int32_t TURN_SECONDS = 30;

// The give-up message's end display modes.
constexpr uint32_t END_MODE_COVER = 1;   // that chair's cards go face down, none revealed at the end
constexpr uint32_t END_MODE_REVEAL = 2;  // the face-down cards are revealed at the end

KEST_WIRE_BEGIN
struct tagGameStart
{
    uint8_t cbMyHiddenCard;
    uint16_t wCurrentUser;
    int64_t lReserved;
    int64_t lFollowBase;  // not used: a scene restore brings its own
    int64_t lCellScore;
    uint8_t cbShownCard[GAME_PLAYER];
    int64_t lShowHandCap;
    uint8_t cbReserved[11];
};

struct tagAddScore
{
    uint16_t wActingUser;
    uint16_t wCurrentUser;
    uint16_t wFollowMode;
    int64_t lAmount;
    int64_t lFollowAmount;
    uint8_t cbShowHand;
    uint8_t cbReserved;
    uint8_t cbRoundFlag[GAME_PLAYER];
};

struct tagGiveUp
{
    uint16_t wGiveUpUser;
    uint8_t cbReserved[8];
    uint32_t dwEndMode;
};

struct tagSendCard
{
    int64_t lReserved;
    uint16_t wCurrentUser;
    uint8_t cbReserved[2];
    uint8_t cbSendCount;
    uint8_t cbCardData[GAME_PLAYER][MAX_SEND_COUNT];
};

struct tagGameEnd
{
    uint8_t cbReserved[8];
    int64_t lGameScore[GAME_PLAYER];
    uint8_t cbHiddenCard[GAME_PLAYER];
};

struct tagStatusPlay
{
    uint16_t wCurrentUser;
    uint8_t cbReserved1[2];
    uint8_t cbUnused;
    uint8_t cbCardCount;
    uint8_t cbCardData[GAME_PLAYER][MAX_COUNT];
    int64_t lCellScore;
    int64_t lUnused;
    int64_t lFollowBase;
    int64_t lChairAmount[GAME_PLAYER][2];
    uint16_t wShowHandMode;
    int64_t lShowHandCap;
    uint8_t cbShowHand;
    uint8_t cbReserved2[73];
    uint8_t cbRoundFlag[GAME_PLAYER];
};

struct tagUserAddScore
{
    int64_t lAmount;
    uint8_t cbKind;
};
KEST_WIRE_END

static_assert(sizeof(tagGameStart) == 48 && offsetof(tagGameStart, wCurrentUser) == 1 &&
                  offsetof(tagGameStart, lFollowBase) == 11 && offsetof(tagGameStart, lCellScore) == 19 &&
                  offsetof(tagGameStart, cbShownCard) == 27 && offsetof(tagGameStart, lShowHandCap) == 29,
              "game start");
static_assert(sizeof(tagAddScore) == 26 && offsetof(tagAddScore, wFollowMode) == 4 &&
                  offsetof(tagAddScore, lAmount) == 6 && offsetof(tagAddScore, lFollowAmount) == 14 &&
                  offsetof(tagAddScore, cbShowHand) == 22 && offsetof(tagAddScore, cbRoundFlag) == 24,
              "action");
static_assert(sizeof(tagGiveUp) == 14 && offsetof(tagGiveUp, dwEndMode) == 10, "give up");
static_assert(sizeof(tagSendCard) == 17 && offsetof(tagSendCard, wCurrentUser) == 8 &&
                  offsetof(tagSendCard, cbSendCount) == 12 && offsetof(tagSendCard, cbCardData) == 13,
              "send card");
static_assert(sizeof(tagGameEnd) == 26 && offsetof(tagGameEnd, lGameScore) == 8 &&
                  offsetof(tagGameEnd, cbHiddenCard) == 24,
              "game end");
static_assert(sizeof(tagStatusPlay) == 158 && offsetof(tagStatusPlay, cbCardCount) == 5 &&
                  offsetof(tagStatusPlay, cbCardData) == 6 && offsetof(tagStatusPlay, lCellScore) == 16 &&
                  offsetof(tagStatusPlay, lFollowBase) == 32 && offsetof(tagStatusPlay, lChairAmount) == 40 &&
                  offsetof(tagStatusPlay, wShowHandMode) == 72 && offsetof(tagStatusPlay, lShowHandCap) == 74 &&
                  offsetof(tagStatusPlay, cbShowHand) == 82 && offsetof(tagStatusPlay, cbRoundFlag) == 156,
              "playing scene");
static_assert(sizeof(tagUserAddScore) == 9, "add score request");

}  // namespace ShowHandANEx
