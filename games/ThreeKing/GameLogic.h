// Three-card (San Gong) rules: the kind of a three-card hand and its points.
// The class sits outside the ThreeKing namespace, as the board names it.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint8_t TK_TYPE_NONE = 0;     // not three cards
constexpr uint8_t TK_TYPE_POINTS = 1;   // a points hand, 0 to 9
constexpr uint8_t TK_TYPE_SANGONG = 2;  // three faces (J, Q, K)
constexpr uint8_t TK_TYPE_BOMB = 3;     // three of a kind

// Stateless; only the value nibble of a card matters, never its colour.
class ThreeKingCGameLogic
{
public:
    virtual ~ThreeKingCGameLogic() = default;

    uint8_t GetCardType(const uint8_t* cards, size_t count) const;

    // Points 0 to 9 of the first three cards; a count above three still
    // reads three. A shorter count reads only the cards it has.
    uint8_t GetCardPoint(const uint8_t* cards, size_t count) const;
};
