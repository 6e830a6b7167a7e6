#include "games/OxTB/GameLogic.h"

#include <cstring>

namespace OxTB {

namespace {

constexpr uint8_t kSmallJoker = 0x4E;
constexpr uint8_t kBigJoker = 0x4F;

uint8_t Value(uint8_t card) { return card & 0x0F; }
bool IsJoker(uint8_t card) { return (card >> 4) == 4; }
unsigned Point(uint8_t card) { return Value(card) > 10 ? 10 : Value(card); }
bool IsFace(uint8_t card) { return Value(card) > 10 && !IsJoker(card); }
bool IsTen(uint8_t card) { return Value(card) == 10; }

uint8_t JokerBull(uint8_t joker) { return joker == kSmallJoker ? OXTB_SMALL_JOKER : OXTB_BIG_JOKER; }

void Write(uint8_t* cards, uint8_t a, uint8_t b, uint8_t c, uint8_t d, uint8_t e)
{
    cards[0] = a;
    cards[1] = b;
    cards[2] = c;
    cards[3] = d;
    cards[4] = e;
}

// The two positions of first..4 other than i and j, in sorted order.
void OtherTwo(size_t first, size_t i, size_t j, size_t& r0, size_t& r1)
{
    size_t found = 0;
    for (size_t k = first; k < 5; ++k)
    {
        if (k == i || k == j)
            continue;
        (found++ == 0 ? r0 : r1) = k;
    }
}

}  // namespace

uint8_t CGameLogic::GetPointType(unsigned points) const
{
    return points % 10 == 0 ? OXTB_BULL_BULL : static_cast<uint8_t>(points % 10);
}

void CGameLogic::SortCardList(uint8_t* cards, size_t count) const
{
    if (cards == nullptr || count < 2)
        return;
    size_t last = count - 1;
    bool swapped = true;
    while (swapped && last > 0)
    {
        swapped = false;
        for (size_t i = 0; i < last; ++i)
        {
            uint8_t l = cards[i], r = cards[i + 1];
            if (Value(l) < Value(r) || (Value(l) == Value(r) && l < r))
            {
                cards[i] = r;
                cards[i + 1] = l;
                swapped = true;
            }
        }
        --last;
    }
}

uint8_t CGameLogic::GetCardType(uint8_t* cards, size_t count) const
{
    if (cards == nullptr || count != MAX_COUNT)
        return OXTB_NONE;

    SortCardList(cards, count);
    uint8_t c[5];
    std::memcpy(c, cards, 5);

    size_t faces = 0, tens = 0, high = 0;
    for (uint8_t card : c)
    {
        faces += IsFace(card);
        tens += IsTen(card);
        high += Value(card) >= 10;
    }
    if (faces == 5)
        return OXTB_FIVE_FACE;
    if (faces == 4 && tens == 1)
        return OXTB_FOUR_FACE;

    // Jokers sort first, so c0 (and c1) hold any joker.
    bool joker0 = IsJoker(c[0]);
    bool joker1 = IsJoker(c[1]);

    if (high >= 3)
    {
        if (joker0)
        {
            // Both jokers, or one joker with two more high cards: the joker
            // completes (c0, c3, c4) and the pair is a multiple of 10.
            Write(cards, c[0], c[3], c[4], c[1], c[2]);
            return joker1 ? OXTB_BIG_JOKER : JokerBull(c[0]);
        }
        return GetPointType(Point(c[3]) + Point(c[4]));
    }

    if (joker0 && joker1)
    {
        Write(cards, c[0], c[3], c[4], c[1], c[2]);
        return OXTB_BIG_JOKER;
    }

    if (joker0)
    {
        // Three of the others make a bull: the joker makes the pair.
        for (size_t i = 1; i < 5; ++i)
            for (size_t j = 1; j < 5; ++j)
                for (size_t k = 1; k < 5; ++k)
                {
                    if (i == j || j == k || i == k)
                        continue;
                    if ((Point(c[i]) + Point(c[j]) + Point(c[k])) % 10 != 0)
                        continue;
                    size_t rest = 10 - i - j - k;  // positions 1..4 sum to 10
                    Write(cards, c[i], c[j], c[k], c[0], c[rest]);
                    return JokerBull(c[0]);
                }
        // Two of the others sum to a multiple of 10: the joker completes the bull.
        for (size_t i = 1; i < 5; ++i)
            for (size_t j = 1; j < 5; ++j)
            {
                if (i == j || (Point(c[i]) + Point(c[j])) % 10 != 0)
                    continue;
                size_t r0 = 0, r1 = 0;
                OtherTwo(1, i, j, r0, r1);
                Write(cards, c[0], c[r0], c[r1], c[i], c[j]);
                return JokerBull(c[0]);
            }
        // Otherwise the joker stands in the bull and the best pair scores.
        size_t bi = 0, bj = 0;
        unsigned best = 0;
        bool kept = false;
        for (size_t i = 1; i < 5; ++i)
            for (size_t j = 1; j < 5; ++j)
            {
                if (i == j)
                    continue;
                unsigned points = (Point(c[i]) + Point(c[j])) % 10;
                if (!kept || points > best)
                {
                    kept = true;
                    best = points;
                    bi = i;
                    bj = j;
                }
            }
        size_t r0 = 0, r1 = 0;
        OtherTwo(1, bi, bj, r0, r1);
        Write(cards, c[0], c[r0], c[r1], c[bi], c[bj]);
        return GetPointType(Point(c[bi]) + Point(c[bj]));
    }

    if (high == 2)
    {
        if ((Point(c[2]) + Point(c[3]) + Point(c[4])) % 10 == 0)
        {
            Write(cards, c[2], c[3], c[4], c[0], c[1]);
            return OXTB_BULL_BULL;
        }
        // The last split found (of equal or better points) is the one shown.
        bool found = false;
        unsigned kept = 0;
        size_t ki = 0, kj = 0, kr = 0;
        for (size_t i = 2; i < 5; ++i)
            for (size_t j = 2; j < 5; ++j)
            {
                if (i == j || (Point(c[i]) + Point(c[j])) % 10 != 0)
                    continue;
                size_t r = 9 - i - j;  // positions 2..4 sum to 9
                unsigned points = Point(c[r]) % 10;
                if (!found || points >= kept)
                {
                    found = true;
                    kept = points;
                    ki = i;
                    kj = j;
                    kr = r;
                }
            }
        if (found)
        {
            Write(cards, c[0], c[ki], c[kj], c[1], c[kr]);
            return GetPointType(kept);
        }
    }

    if (high == 1 || high == 2)
    {
        bool found = false;
        unsigned kept = 0;
        for (size_t i = 1; i < 5; ++i)
            for (size_t j = 1; j < 5; ++j)
            {
                if (i == j || (Point(c[0]) + Point(c[i]) + Point(c[j])) % 10 != 0)
                    continue;
                size_t r0 = 0, r1 = 0;
                OtherTwo(1, i, j, r0, r1);
                unsigned points = (Point(c[r0]) + Point(c[r1])) % 10;
                if (found && points < kept)
                    continue;
                found = true;
                kept = points;
                Write(cards, c[0], c[j], c[i], c[r0], c[r1]);
                if (points == 0)
                    return OXTB_BULL_BULL;
            }
        if (found)
            return GetPointType(kept);
    }

    // General search over every ordered triple of the five cards.
    bool found = false;
    unsigned kept = 0;
    for (size_t i = 0; i < 5; ++i)
        for (size_t j = 0; j < 5; ++j)
            for (size_t k = 0; k < 5; ++k)
            {
                if (i == j || j == k || i == k)
                    continue;
                if ((Point(c[i]) + Point(c[j]) + Point(c[k])) % 10 != 0)
                    continue;
                size_t r[2], n = 0;
                for (size_t m = 0; m < 5; ++m)
                    if (m != i && m != j && m != k)
                        r[n++] = m;
                unsigned points = (Point(c[r[0]]) + Point(c[r[1]])) % 10;
                if (found && points < kept)
                    continue;
                found = true;
                kept = points;
                Write(cards, c[i], c[j], c[k], c[r[0]], c[r[1]]);
                if (points == 0)
                    return OXTB_BULL_BULL;
            }
    return found ? GetPointType(kept) : OXTB_NONE;
}

uint8_t CGameLogic::GetArrangedType(const uint8_t* cards, size_t count) const
{
    // Positions 0..4 are always read, so anything but a five-card hand is refused.
    if (cards == nullptr || count != MAX_COUNT)
        return OXTB_NONE;

    size_t faces = 0, tens = 0;
    bool small = false, big = false;
    for (size_t k = 0; k < count; ++k)
    {
        faces += IsFace(cards[k]);
        tens += IsTen(cards[k]);
        small |= cards[k] == kSmallJoker;
        big |= cards[k] == kBigJoker;
    }
    if (faces == 5)
        return OXTB_FIVE_FACE;
    if (faces == 4 && tens == 1)
        return OXTB_FOUR_FACE;

    bool bull = IsJoker(cards[0]) || IsJoker(cards[1]) || IsJoker(cards[2]) ||
                (Point(cards[0]) + Point(cards[1]) + Point(cards[2])) % 10 == 0;
    bool pair = IsJoker(cards[3]) || IsJoker(cards[4]) || (Point(cards[3]) + Point(cards[4])) % 10 == 0;
    if (!bull)
        return OXTB_NONE;
    if (!pair)
        return GetPointType(Point(cards[3]) + Point(cards[4]));
    if (big)
        return OXTB_BIG_JOKER;
    if (small)
        return OXTB_SMALL_JOKER;
    return OXTB_BULL_BULL;
}

bool CGameLogic::IsBullBullOrBetter(const uint8_t* cards) const
{
    return GetArrangedType(cards, MAX_COUNT) >= OXTB_SMALL_JOKER;
}

}  // namespace OxTB
