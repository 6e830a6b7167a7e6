#include "games/ThreeKing/GameLogic.h"

uint8_t ThreeKingCGameLogic::GetCardType(const uint8_t* cards, size_t count) const
{
    if (cards == nullptr || count != 3)
        return TK_TYPE_NONE;
    uint8_t v0 = cards[0] & 0x0F, v1 = cards[1] & 0x0F, v2 = cards[2] & 0x0F;
    // Three kings are a bomb, not a San Gong: the bomb test comes first.
    if (v0 == v1 && v1 == v2)
        return TK_TYPE_BOMB;
    if (v0 > 10 && v1 > 10 && v2 > 10)
        return TK_TYPE_SANGONG;
    return TK_TYPE_POINTS;
}

uint8_t ThreeKingCGameLogic::GetCardPoint(const uint8_t* cards, size_t count) const
{
    if (cards == nullptr)
        return 0;
    size_t n = count < 3 ? count : 3;
    unsigned total = 0;
    for (size_t i = 0; i < n; ++i)
    {
        unsigned value = cards[i] & 0x0F;
        if (value < 10)
            total = (total + value) % 10;
    }
    return static_cast<uint8_t>(total);
}
