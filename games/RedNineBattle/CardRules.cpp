#include "games/RedNineBattle/CardRules.h"

#include "games/common/CardSort.h"

namespace RedNineBattle {
namespace {

uint8_t Value(uint8_t card) { return card & 0x0F; }
uint8_t Colour(uint8_t card) { return card >> 4; }
bool IsRed(uint8_t card) { return Colour(card) == 0 || Colour(card) == 2; }
bool IsBlack(uint8_t card) { return Colour(card) == 1 || Colour(card) == 3; }

// The colour sums below only mean red or black pairs for colours 0..3: the
// back (colour 6, value 3) with a colour-0 ace would otherwise make type 18.
bool IsDeckCard(uint8_t card) { return Colour(card) <= 3 && Value(card) >= 1 && Value(card) <= 13; }

// A two-card hand in display order: A (value a) first, B (value b) second,
// s the sum of their colours.
struct SortedHand
{
    uint8_t a;
    uint8_t b;
    uint8_t s;
};

bool SortHand(const uint8_t* cards, uint8_t count, SortedHand& out)
{
    if (cards == nullptr || count != 2 || !IsDeckCard(cards[0]) || !IsDeckCard(cards[1]))
        return false;
    uint8_t copy[2] = {cards[0], cards[1]};
    SortCardList(copy, 2, 2);
    out = {Value(copy[0]), Value(copy[1]), static_cast<uint8_t>(Colour(copy[0]) + Colour(copy[1]))};
    return true;
}

// Pairs of equal value, in the order the types are tried (type 16 down to 3).
struct PairRow
{
    uint8_t type;
    uint8_t colourSum;
    uint8_t value;
};
const PairRow kPairRows[] = {
    {16, 2, 2}, {15, 2, 8}, {14, 2, 4}, {13, 2, 10}, {12, 2, 6}, {11, 4, 4}, {10, 2, 11},
    {9, 4, 10}, {8, 2, 7},  {7, 4, 6},  {6, 2, 9},   {5, 4, 8},  {4, 4, 7},  {3, 2, 5},
};

uint8_t TypeOf(const SortedHand& h)
{
    if (h.s == 6 && ((h.a == 1 && h.b == 3) || (h.a == 3 && h.b == 1)))
        return 18;
    if (h.a == 12 && h.b == 12)
        return 17;
    if (h.a == h.b)
    {
        for (const PairRow& row : kPairRows)
        {
            if (h.s == row.colourSum && h.a == row.value)
                return row.type;
        }
    }
    if (h.a == 12 && h.b == 9)
        return 2;
    if (h.a == 12 && h.b == 8)
        return 1;
    return 0;
}

// The level table groups the special types; index = type.
const uint8_t kLevelOfType[19] = {1, 3, 4, 5, 5, 5, 5, 6, 6, 6, 6, 7, 7, 7, 8, 9, 10, 11, 12};

}  // namespace

uint8_t GetHandPoint(const uint8_t* cards, uint8_t count)
{
    if (cards == nullptr)
        return 0;
    uint8_t sum = 0;
    for (uint8_t i = 0; i < count; ++i)
    {
        const uint8_t value = Value(cards[i]);
        sum = static_cast<uint8_t>(sum + (value == 1 ? 6 : value));
    }
    return sum % 10;
}

uint8_t GetCardRank(uint8_t card)
{
    const uint8_t v = Value(card);
    if (IsRed(card))
    {
        switch (v)
        {
            case 12: return 8;
            case 2: return 7;
            case 8: return 6;
            case 4: return 5;
            case 10:
            case 6:
            case 7: return 3;
            case 5:
            case 9: return 2;
            default: break;
        }
    }
    else if (IsBlack(card))
    {
        switch (v)
        {
            case 10:
            case 6:
            case 4: return 4;
            case 11: return 3;
            case 7:
            case 8: return 2;
            default: break;
        }
    }
    if (Colour(card) == 3 && (v == 1 || v == 3))
        return 1;
    return 0;
}

void SortCardList(uint8_t* cards, uint8_t count, uint8_t mode)
{
    games::SortByKeyDescending(cards, count,
                               [mode](uint8_t card) { return mode == 1 ? Value(card) : GetCardRank(card); });
}

uint8_t GetCardType(const uint8_t* cards, uint8_t count)
{
    SortedHand hand;
    return SortHand(cards, count, hand) ? TypeOf(hand) : 0;
}

uint8_t GetCardLevel(const uint8_t* cards, uint8_t count)
{
    SortedHand hand;
    if (!SortHand(cards, count, hand))
        return 0;
    const uint8_t type = TypeOf(hand);
    if (type == 0)
        return (hand.a == 2 && hand.b == 8) ? 2 : 1;
    return kLevelOfType[type];
}

}  // namespace RedNineBattle
