#include "games/BullTable/BullRules.h"

#include <cstring>

namespace Bull {

namespace {

uint8_t CardValue(uint8_t card) { return card & 0x0F; }

uint8_t CardPoint(uint8_t card)
{
    uint8_t value = CardValue(card);
    return value > 10 ? 10 : value;
}

bool IsHand(const uint8_t* cards, size_t count)
{
    return cards != nullptr && count >= 2 && count <= CGameLogic::MAX_COUNT;
}

// The first pair (i, j), i outer and j inner, both ascending, whose removal
// leaves a bull. The search order decides which cards become the pair.
bool FindPair(const uint8_t* cards, size_t count, size_t& pi, size_t& pj)
{
    unsigned points[CGameLogic::MAX_COUNT];
    unsigned sum = 0;
    for (size_t k = 0; k < count; ++k)
    {
        points[k] = CardPoint(cards[k]);
        sum += points[k];
    }
    for (size_t i = 0; i + 1 < count; ++i)
    {
        for (size_t j = i + 1; j < count; ++j)
        {
            if ((sum - points[i] - points[j]) % 10 == 0)
            {
                pi = i;
                pj = j;
                return true;
            }
        }
    }
    return false;
}

}  // namespace

uint8_t CGameLogic::GetCardType(const uint8_t* cards, size_t count) const
{
    if (!IsHand(cards, count))
        return OX_VALUE_NONE;

    size_t faces = 0, tens = 0;
    for (size_t k = 0; k < count; ++k)
    {
        uint8_t value = CardValue(cards[k]);
        if (value > 10)
            ++faces;
        else if (value == 10)
            ++tens;
    }
    // The face hands win before any point search.
    if (faces == 5)
        return OX_FIVE_FACE;
    if (faces == 4 && tens == 1)
        return OX_FOUR_FACE;

    size_t i = 0, j = 0;
    if (!FindPair(cards, count, i, j))
        return OX_VALUE_NONE;
    unsigned pair = CardPoint(cards[i]) + CardPoint(cards[j]);
    return static_cast<uint8_t>(pair <= 10 ? pair : pair - 10);
}

bool CGameLogic::ArrangeBullCards(uint8_t* cards, size_t count) const
{
    if (!IsHand(cards, count))
        return false;
    size_t i = 0, j = 0;
    if (!FindPair(cards, count, i, j))
        return false;

    uint8_t copy[MAX_COUNT];
    std::memcpy(copy, cards, count);
    size_t out = 0;
    for (size_t k = 0; k < count; ++k)
    {
        if (k != i && k != j)
            cards[out++] = copy[k];
    }
    cards[out++] = copy[i];
    cards[out] = copy[j];
    return true;
}

}  // namespace Bull
