#include "games/NineXiaoBattle/CardRules.h"

#include "games/common/CardSort.h"

namespace NineXiaoBattle {
namespace {

uint8_t Value(uint8_t card) { return card & 0x0F; }

// Backs (99), blank bytes and jokers are no cards of this deck; a hand holding
// one must not show as a pair.
bool IsDeckCard(uint8_t card)
{
    const uint8_t value = Value(card);
    return (card >> 4) <= 3 && value >= 1 && value <= 13;
}

uint8_t SortKey(uint8_t card, uint8_t mode)
{
    const uint8_t value = Value(card);
    return (mode != 1 && value == 1) ? 14 : value;
}

}  // namespace

uint8_t GetHandPoint(const uint8_t* cards, uint8_t count)
{
    if (cards == nullptr)
        return 0;
    uint8_t sum = 0;
    for (uint8_t i = 0; i < count; ++i)
    {
        const uint8_t value = Value(cards[i]);
        sum = static_cast<uint8_t>(sum + (value > 10 ? 10 : value));
    }
    return sum % 10;
}

void SortCardList(uint8_t* cards, uint8_t count, uint8_t mode)
{
    games::SortByKeyDescending(cards, count, [mode](uint8_t card) { return SortKey(card, mode); });
}

uint8_t GetCardType(const uint8_t* cards, uint8_t count)
{
    if (cards == nullptr || count != 2)
        return CARD_TYPE_INVALID;
    if (!IsDeckCard(cards[0]) || !IsDeckCard(cards[1]))
        return CARD_TYPE_INVALID;
    return Value(cards[0]) == Value(cards[1]) ? CARD_TYPE_PAIR : CARD_TYPE_POINTS;
}

}  // namespace NineXiaoBattle
