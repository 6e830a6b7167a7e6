// Six-seat bull rules with wild jokers: five cards from a deck with jokers.
#pragma once

#include <cstddef>
#include <cstdint>

namespace OxTB {

constexpr uint8_t OXTB_NONE = 0;          // no bull; 1..9 are the bull points
constexpr uint8_t OXTB_SMALL_JOKER = 11;  // bull-bull made with the small joker
constexpr uint8_t OXTB_BIG_JOKER = 12;    // bull-bull made with the big joker, or both jokers
constexpr uint8_t OXTB_BULL_BULL = 13;
constexpr uint8_t OXTB_FOUR_FACE = 14;  // four face cards and one ten
constexpr uint8_t OXTB_FIVE_FACE = 15;

// Stateless; one instance per board. A hand is exactly five cards: any
// other count from the wire is refused (type 0, cards untouched).
class CGameLogic
{
public:
    static constexpr size_t MAX_COUNT = 5;

    virtual ~CGameLogic() = default;

    // Sorts the hand and, when it holds a bull, rewrites it as the three
    // bull cards followed by the pair. Returns the hand type.
    uint8_t GetCardType(uint8_t* cards, size_t count) const;

    // The type of a hand taken as laid out: cards 0..2 the bull, 3..4 the pair.
    uint8_t GetArrangedType(const uint8_t* cards, size_t count) const;

    // True when the five laid-out cards are a joker bull or better (11+).
    bool IsBullBullOrBetter(const uint8_t* cards) const;

    // 13 for a pair sum that is a multiple of 10, else the sum modulo 10.
    uint8_t GetPointType(unsigned points) const;

    // Descending by value nibble, then by the whole byte: big joker first.
    void SortCardList(uint8_t* cards, size_t count) const;
};

}  // namespace OxTB
