// Texas hold'em hand rules: the class of a five-card hand, the comparison of
// two hands and the winning seats at a showdown.
//
// Card byte: colour 0..3 in the high four bits, face 1..13 in the low four
// (A = 1, counted 14). A hand is five cards sorted by descending logic value,
// equal values adjacent, as the server sends the best five; nothing here sorts.
#pragma once

#include <cstdint>

namespace DZPoKer {

constexpr uint8_t HAND_CARD_COUNT = 5;
constexpr uint16_t GAME_PLAYER = 6;

// Hand classes, weakest first.
enum HandClass : uint8_t
{
    HAND_INVALID = 0,
    HAND_HIGH_CARD = 1,
    HAND_ONE_PAIR = 2,
    HAND_TWO_PAIRS = 3,
    HAND_THREE_OF_A_KIND = 4,
    HAND_STRAIGHT = 5,
    HAND_FLUSH = 6,
    HAND_FULL_HOUSE = 7,
    HAND_FOUR_OF_A_KIND = 8,
    HAND_STRAIGHT_FLUSH = 9,
    HAND_ROYAL_FLUSH = 10,
};

// Groups of equal logic values in a hand, each kind in hand order.
struct AnalyseResult
{
    uint8_t fourCount;
    uint8_t threeCount;
    uint8_t doubleCount;
    uint8_t singleCount;
    uint8_t fourValue[1];
    uint8_t threeValue[1];
    uint8_t doubleValue[2];
    uint8_t singleValue[5];
    uint8_t fourCards[5];
    uint8_t threeCards[5];
    uint8_t doubleCards[5];
    uint8_t singleCards[5];
};

struct WinnerList
{
    uint8_t count;
    uint16_t chairs[GAME_PLAYER];
};

class DZPoKerCGameLogic
{
public:
    DZPoKerCGameLogic() = default;
    virtual ~DZPoKerCGameLogic() = default;

    // Face value, an ace counting 14.
    static uint8_t GetCardLogicValue(uint8_t card);

    // More than five cards cannot be held by the record: it stays cleared.
    static void AnalyseCards(const uint8_t* cards, uint8_t count, AnalyseResult& result);

    // Hand class 0..10; 0 unless count is 5.
    uint8_t GetCardType(const uint8_t* cards, uint8_t count) const;

    // 2: first stronger, 1: second stronger, 0: equal.
    uint8_t CompareCard(const uint8_t* first, const uint8_t* second, uint8_t count) const;

    // bestFive: one row per chair 0..5, a row whose first byte is 0 has no
    // hand. The strongest chairs: the lowest of them first, then the others
    // in chair order. False (and an empty list) when no row holds a hand.
    bool SelectWinners(const uint8_t bestFive[GAME_PLAYER][HAND_CARD_COUNT], WinnerList& winners) const;
};

}  // namespace DZPoKer
