// Bull rules of five-card hands with jokers: the type, the display arrangement
// (the three bull cards first, the two point cards last) and the comparison of
// an area's hand with the banker's. Pure functions of the card bytes.
#pragma once

#include <cstdint>

namespace OxBattle {

// Card byte: colour 0..3 in the high nibble, value 1 (ace) .. 13 (king) in the
// low nibble. Any card of colour 4 is a joker; 0x42 is the big joker where the
// rules tell jokers apart (0x41 is the small one).
enum : uint8_t
{
    BIG_JOKER = 0x42,
    HAND_CARDS = 5,
};

// Hand types, higher wins.
enum : uint8_t
{
    OX_INVALID = 0,  // not five cards, or a byte that is no card of the deck
    OX_NO_BULL = 1,
    OX_BULL_1 = 3,  // bull n is OX_BULL_1 + n - 1, up to OX_BULL_9
    OX_BULL_9 = 11,
    OX_JOKER_BULL = 12,      // bull-bull completed by a single joker other than the big one
    OX_BIG_JOKER_BULL = 13,  // completed by the big joker, or any hand with two jokers
    OX_BULL_BULL = 14,
    OX_FOUR_FLOWER = 15,
    OX_FIVE_FLOWER = 16,
    OX_FOUR_OF_A_KIND = 17,
};

// Type of a bull whose two point cards add up to `points`: a remainder of 0
// is bull-bull, 1..9 bull 1..9, a negative remainder no bull.
uint32_t GetTypeByPoint(int32_t points);

// Sort value: the card's value, plus 15 for a joker (0x41 16, 0x42 17).
uint8_t GetCardSortValue(uint8_t card);

// Descending sort in place; equal keys put the higher card byte first.
// Mode 1 keys on the value, mode 3 on GetCardSortValue, any other mode on the
// value capped at 10 with jokers 11.
void SortCardList(uint8_t* cards, uint8_t count, uint8_t mode);

// Type of a hand (OX_INVALID unless count is 5). When `arranged` is given and
// count is 5, it receives the five cards in display order (it may be `cards`
// itself); the input is not changed otherwise.
uint8_t GetCardType(const uint8_t* cards, uint8_t count, uint8_t* arranged);

// Compares the banker's hand (`first`) with an area's (`next`): 1 when next
// wins, -1 when first wins (every full tie goes to the banker), 0 when either
// hand is not five cards of the deck. On 1 or -1 the winner's multiplier is
// stored (1..9 for a bull, 10 from OX_JOKER_BULL up), except between two
// hands without a bull, which leave it unchanged. `multiplier` may be null.
int32_t CompareCard(const uint8_t* first, uint8_t firstCount, const uint8_t* next, uint8_t nextCount,
                    uint8_t* multiplier);

}  // namespace OxBattle
