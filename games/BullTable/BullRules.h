// The bull hand rules of OxEx and OxNew (each game's CGameLogic): five cards
// from a deck without jokers. OxTB's rules, with jokers, are its own.
#pragma once

#include <cstddef>
#include <cstdint>

namespace Bull {

constexpr uint8_t OX_VALUE_NONE = 0;  // no bull; 1..9 are the bull points
constexpr uint8_t OX_BULL_BULL = 10;
constexpr uint8_t OX_FOUR_FACE = 104;  // four face cards and one ten
constexpr uint8_t OX_FIVE_FACE = 105;  // five face cards

// Stateless; one instance per board. Counts come from the wire: a count
// below 2 or above 5 is not a bull hand (type 0, arrangement refused) and
// nothing past `count` bytes is ever read.
class CGameLogic
{
public:
    static constexpr size_t MAX_COUNT = 5;

    virtual ~CGameLogic() = default;

    // The bull type of the hand; the cards are not changed.
    uint8_t GetCardType(const uint8_t* cards, size_t count) const;

    // Lays a hand with a bull out as the three bull cards (in their order)
    // and then the pair. Returns false, leaving the cards as they were,
    // when the hand holds no bull.
    bool ArrangeBullCards(uint8_t* cards, size_t count) const;
};

}  // namespace Bull
