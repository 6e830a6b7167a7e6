#include "games/OxBattle/CardRules.h"

#include <cstring>

#include "games/common/CardSort.h"

namespace OxBattle {
namespace {

uint8_t Value(uint8_t card) { return card & 0x0F; }
uint8_t Colour(uint8_t card) { return card >> 4; }
bool IsJoker(uint8_t card) { return Colour(card) == 4; }

// A blank hand (all zero bytes) would otherwise read as four of a kind at ten
// times the stake, and a back (99) as a three.
bool IsDeckCard(uint8_t card)
{
    if (IsJoker(card))
        return Value(card) != 0;
    return Colour(card) <= 3 && Value(card) >= 1 && Value(card) <= 13;
}

// Points in a bull sum: 10, J, Q and K count 10, a joker 11.
int Points(uint8_t card)
{
    if (IsJoker(card))
        return 11;
    return Value(card) > 10 ? 10 : Value(card);
}

bool IsTenPointer(uint8_t card) { return IsJoker(card) || Points(card) == 10; }

uint8_t SortKey(uint8_t card, uint8_t mode)
{
    if (mode == 1)
        return Value(card);
    if (mode == 3)
        return GetCardSortValue(card);
    return static_cast<uint8_t>(Points(card));
}

uint8_t Multiplier(uint8_t type) { return type >= OX_JOKER_BULL ? 10 : static_cast<uint8_t>(type - 2); }

// Classifies c (sorted with mode 3) and writes its display order to out.
class Classifier
{
public:
    Classifier(const uint8_t* sorted, uint8_t* out) : c_(sorted), out_(out) { std::memcpy(out_, c_, HAND_CARDS); }

    uint8_t Run();

private:
    int V(int i) const { return GetCardSortValue(c_[i]); }
    int P(int i) const { return Points(c_[i]); }
    bool J(int i) const { return IsJoker(c_[i]); }

    void Arrange(int i0, int i1, int i2, int i3, int i4)
    {
        const int order[HAND_CARDS] = {i0, i1, i2, i3, i4};
        for (int k = 0; k < HAND_CARDS; ++k)
            out_[k] = c_[order[k]];
    }

    // The two indexes of 1..4 that are neither i nor j, ascending.
    static void Others(int i, int j, int& x, int& y)
    {
        x = -1;
        y = -1;
        for (int k = 1; k < HAND_CARDS; ++k)
        {
            if (k == i || k == j)
                continue;
            (x < 0 ? x : y) = k;
        }
    }

    bool FourOfAKind();
    uint8_t SingleJoker(int tenPointers);
    bool TwoTensNoJoker(uint8_t& type);
    bool PairAmongLastFour(uint8_t& type);
    uint8_t AnyThree();

    const uint8_t* c_;
    uint8_t* out_;
};

bool Classifier::FourOfAKind()
{
    if (V(0) == V(3) || V(1) == V(4))
        return true;
    if (J(0) && J(1))
    {
        if (V(2) == V(3))
        {
            Arrange(2, 3, 0, 1, 4);
            return true;
        }
        if (V(3) == V(4))
        {
            Arrange(0, 1, 3, 4, 2);
            return true;
        }
    }
    if (J(0))
    {
        if (V(1) == V(3))
        {
            Arrange(1, 2, 3, 0, 4);
            return true;
        }
        if (V(2) == V(4))
        {
            Arrange(2, 3, 4, 0, 1);
            return true;
        }
    }
    return false;
}

// c0 is the only joker and at most one other card is a ten-pointer.
uint8_t Classifier::SingleJoker(int tenPointers)
{
    const uint8_t completed = c_[0] == BIG_JOKER ? uint8_t{OX_BIG_JOKER_BULL} : uint8_t{OX_JOKER_BULL};
    // Three of c1..c4 make the bull (tried in index order); the joker completes the fourth.
    for (int skip = 4; skip >= 1; --skip)
    {
        int sum = 0;
        int three[3];
        int n = 0;
        for (int k = 1; k < HAND_CARDS; ++k)
        {
            if (k != skip)
            {
                sum += P(k);
                three[n++] = k;
            }
        }
        if (sum % 10 == 0)
        {
            Arrange(three[0], three[1], three[2], 0, skip);
            return completed;
        }
    }
    // The joker and two cards make the bull; the best remaining pair scores.
    int bestI = 1, bestJ = 2, best = -1;
    int zeroI = -1, zeroJ = -1;
    for (int i = 1; i < HAND_CARDS; ++i)
    {
        for (int j = i + 1; j < HAND_CARDS; ++j)
        {
            const int m = (P(i) + P(j)) % 10;
            if (m > best)
            {
                best = m;
                bestI = i;
                bestJ = j;
            }
            if (m == 0 && zeroI < 0)
            {
                zeroI = i;
                zeroJ = j;
            }
        }
    }
    int x, y;
    if (tenPointers == 1 && zeroI >= 0)
    {
        Others(zeroI, zeroJ, x, y);
        Arrange(0, x, y, zeroI, zeroJ);
        return completed;
    }
    Others(bestI, bestJ, x, y);
    Arrange(0, x, y, bestI, bestJ);
    return static_cast<uint8_t>(GetTypeByPoint(P(bestI) + P(bestJ)));
}

// c0 and c1 are the only ten-pointers and neither is a joker.
bool Classifier::TwoTensNoJoker(uint8_t& type)
{
    if ((P(2) + P(3) + P(4)) % 10 == 0)
    {
        Arrange(2, 3, 4, 0, 1);
        type = OX_BULL_BULL;
        return true;
    }
    for (int i = 2; i < HAND_CARDS; ++i)
    {
        for (int j = i + 1; j < HAND_CARDS; ++j)
        {
            if ((P(i) + P(j)) % 10 == 0)
            {
                const int third = 2 + 3 + 4 - i - j;
                Arrange(0, i, j, 1, third);
                type = static_cast<uint8_t>(GetTypeByPoint(P(third)));
                return true;
            }
        }
    }
    return false;
}

// c0 is a ten-pointer: with a pair of c1..c4 it makes the bull.
bool Classifier::PairAmongLastFour(uint8_t& type)
{
    for (int i = 1; i < HAND_CARDS; ++i)
    {
        for (int j = i + 1; j < HAND_CARDS; ++j)
        {
            if ((P(i) + P(j)) % 10 == 0)
            {
                int x, y;
                Others(i, j, x, y);
                Arrange(0, i, j, x, y);
                type = static_cast<uint8_t>(GetTypeByPoint(P(x) + P(y)));
                return true;
            }
        }
    }
    return false;
}

uint8_t Classifier::AnyThree()
{
    for (int i = 0; i < HAND_CARDS; ++i)
    {
        for (int j = i + 1; j < HAND_CARDS; ++j)
        {
            for (int k = j + 1; k < HAND_CARDS; ++k)
            {
                if ((P(i) + P(j) + P(k)) % 10 != 0)
                    continue;
                int rest[2];
                int n = 0;
                for (int m = 0; m < HAND_CARDS; ++m)
                {
                    if (m != i && m != j && m != k)
                        rest[n++] = m;
                }
                Arrange(i, j, k, rest[0], rest[1]);
                return static_cast<uint8_t>(GetTypeByPoint(P(rest[0]) + P(rest[1])));
            }
        }
    }
    return OX_NO_BULL;
}

uint8_t Classifier::Run()
{
    for (int i = 0; i < HAND_CARDS; ++i)
    {
        if (!IsDeckCard(c_[i]))
            return OX_INVALID;
    }
    if (FourOfAKind())
        return OX_FOUR_OF_A_KIND;

    int tenPointers = 0;
    int tens = 0;
    for (int i = 0; i < HAND_CARDS; ++i)
    {
        tenPointers += IsTenPointer(c_[i]) ? 1 : 0;
        tens += (!J(i) && Value(c_[i]) == 10) ? 1 : 0;
    }
    if (tenPointers == HAND_CARDS && tens <= 1)
        return tens == 0 ? OX_FIVE_FLOWER : OX_FOUR_FLOWER;

    if (tenPointers >= 3)
    {
        if (!J(0))
            return static_cast<uint8_t>(GetTypeByPoint(P(3) + P(4)));
        Arrange(0, 3, 4, 1, 2);
        return (J(1) || c_[0] == BIG_JOKER) ? OX_BIG_JOKER_BULL : OX_JOKER_BULL;
    }

    uint8_t type = OX_NO_BULL;
    if (tenPointers == 2 || (tenPointers == 1 && J(0)))
    {
        if (J(0) && J(1))
        {
            Arrange(0, 3, 4, 1, 2);
            return OX_BIG_JOKER_BULL;
        }
        if (J(0))
            return SingleJoker(tenPointers);
        if (TwoTensNoJoker(type))
            return type;
        if (PairAmongLastFour(type))
            return type;
    }
    else if (tenPointers == 1)
    {
        if (PairAmongLastFour(type))
            return type;
    }
    return AnyThree();
}

}  // namespace

uint32_t GetTypeByPoint(int32_t points)
{
    const int32_t rest = points % 10;
    if (rest < 0)
        return OX_NO_BULL;
    return rest == 0 ? uint32_t{OX_BULL_BULL} : static_cast<uint32_t>(rest + 2);
}

uint8_t GetCardSortValue(uint8_t card) { return static_cast<uint8_t>(Value(card) + (IsJoker(card) ? 15 : 0)); }

void SortCardList(uint8_t* cards, uint8_t count, uint8_t mode)
{
    games::SortByKeyDescending(cards, count, [mode](uint8_t card) { return SortKey(card, mode); });
}

uint8_t GetCardType(const uint8_t* cards, uint8_t count, uint8_t* arranged)
{
    if (cards == nullptr || count != HAND_CARDS)
        return OX_INVALID;
    uint8_t sorted[HAND_CARDS];
    std::memcpy(sorted, cards, HAND_CARDS);
    SortCardList(sorted, HAND_CARDS, 3);
    uint8_t order[HAND_CARDS];
    const uint8_t type = Classifier(sorted, order).Run();
    if (arranged != nullptr)
        std::memcpy(arranged, order, HAND_CARDS);
    return type;
}

int32_t CompareCard(const uint8_t* first, uint8_t firstCount, const uint8_t* next, uint8_t nextCount,
                    uint8_t* multiplier)
{
    if (first == nullptr || next == nullptr || firstCount != HAND_CARDS || nextCount != HAND_CARDS)
        return 0;
    const uint8_t t1 = GetCardType(first, HAND_CARDS, nullptr);
    const uint8_t t2 = GetCardType(next, HAND_CARDS, nullptr);
    if (t1 == OX_INVALID || t2 == OX_INVALID)
        return 0;
    if (t1 != t2)
    {
        if (multiplier != nullptr)
            *multiplier = Multiplier(t1 > t2 ? t1 : t2);
        return t2 > t1 ? 1 : -1;
    }
    if (t1 != OX_NO_BULL && multiplier != nullptr)
        *multiplier = Multiplier(t1);

    uint8_t a[HAND_CARDS];
    uint8_t b[HAND_CARDS];
    std::memcpy(a, first, HAND_CARDS);
    std::memcpy(b, next, HAND_CARDS);
    SortCardList(a, HAND_CARDS, 3);
    SortCardList(b, HAND_CARDS, 3);
    const uint8_t va = GetCardSortValue(a[0]);
    const uint8_t vb = GetCardSortValue(b[0]);
    if (va != vb)
        return vb > va ? 1 : -1;
    return Colour(a[0]) < Colour(b[0]) ? 1 : -1;
}

}  // namespace OxBattle
