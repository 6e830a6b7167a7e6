// Two-card red-nine hands, valued for display only: the server decides who
// wins. The board shows a hand's points below level 2 and its special type
// from level 2 up.
#pragma once

#include <cstdint>

namespace RedNineBattle {

// Card byte: colour 0..3 in the high nibble (0 and 2 red, 1 and 3 black),
// value 1 (ace) .. 13 (king) in the low nibble; 99 is the back.

// Points 0..9 of `count` cards: the ace counts 6, every other card its face
// value (J 11, Q 12, K 13), summed in 8 bits, modulo 10. Null or empty gives 0.
uint8_t GetHandPoint(const uint8_t* cards, uint8_t count);

// Rank 0..8 of one card (8 the red queen ... 1 the colour-3 ace and three).
uint8_t GetCardRank(uint8_t card);

// Descending sort in place: mode 1 keys on the value, any other mode on
// GetCardRank. Equal keys put the higher card byte first.
void SortCardList(uint8_t* cards, uint8_t count, uint8_t mode);

// Special type 0..18 of a two-card hand (18 highest). 0 for any other count
// and for a hand holding a byte that is no card of the deck.
uint8_t GetCardType(const uint8_t* cards, uint8_t count);

// Level 0..12 of a two-card hand: 1 for an ordinary hand, 2 for the 2-8 hand,
// 3 and up follow the special types. 0 for any other count and for a hand
// holding a byte that is no card of the deck.
uint8_t GetCardLevel(const uint8_t* cards, uint8_t count);

}  // namespace RedNineBattle
