// Two-card "little nine" hands, valued for display only: the server decides
// who wins. Jack, queen and king count 10 and the colour never matters.
#pragma once

#include <cstdint>

namespace NineXiaoBattle {

// Card byte: colour 0..3 in the high nibble, value 1 (ace) .. 13 (king) in the low.
enum : uint8_t
{
    CARD_TYPE_INVALID = 0,  // not two cards, or a byte that is no card of the deck
    CARD_TYPE_POINTS = 1,
    CARD_TYPE_PAIR = 2,
};

// Points 0..9 of `count` cards: face values with J, Q and K as 10, summed in
// 8 bits, modulo 10. Null or empty gives 0.
uint8_t GetHandPoint(const uint8_t* cards, uint8_t count);

// Descending sort in place. Mode 1 keys on the value; any other mode counts
// the ace as 14. Equal keys put the higher card byte first.
void SortCardList(uint8_t* cards, uint8_t count, uint8_t mode);

// CARD_TYPE_PAIR when two cards share a value, CARD_TYPE_POINTS for any other
// two cards, CARD_TYPE_INVALID otherwise.
uint8_t GetCardType(const uint8_t* cards, uint8_t count);

}  // namespace NineXiaoBattle
