#include "games/OxTB/GameLogic.h"
#include "games/OxTB/HandNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

using Cards = std::vector<uint8_t>;
constexpr uint8_t SJ = 0x4E, BJ = 0x4F;

Cards Typed(OxTB::CGameLogic& logic, Cards cards, uint8_t& type)
{
    type = logic.GetCardType(cards.data(), cards.size());
    return cards;
}

struct ArrangedRow
{
    Cards hand;
    Cards arranged;
    uint8_t type;
};

void ExpectArranged(OxTB::CGameLogic& logic, std::initializer_list<ArrangedRow> rows)
{
    for (const ArrangedRow& r : rows)
    {
        uint8_t type = 0;
        EXPECT_EQ(Typed(logic, r.hand, type), r.arranged);
        EXPECT_EQ(type, r.type);
    }
}

int Point(uint8_t card) { return std::min(card & 0x0F, 10); }
bool IsJoker(uint8_t card) { return card >> 4 == 4; }

// From the definition, independent of the search order.
uint8_t ReferenceType(const Cards& hand)
{
    Cards others;
    int jokers = 0, faces = 0, tens = 0, sum = 0;
    bool small = false;
    for (uint8_t c : hand)
    {
        if (IsJoker(c))
        {
            ++jokers;
            small = c == SJ;
            continue;
        }
        others.push_back(c);
        faces += (c & 0x0F) > 10;
        tens += (c & 0x0F) == 10;
        sum += Point(c);
    }
    if (faces == 5)
        return 15;
    if (faces == 4 && tens == 1)
        return 14;
    if (jokers == 2)
        return 12;
    size_t n = others.size();
    if (jokers == 1)
    {
        int best = -1;
        for (size_t a = 0; a < n; ++a)
            for (size_t b = a + 1; b < n; ++b)
            {
                int pair = (Point(others[a]) + Point(others[b])) % 10;
                if (pair == 0)
                    return small ? 11 : 12;
                for (size_t c = b + 1; c < n; ++c)
                    if ((Point(others[a]) + Point(others[b]) + Point(others[c])) % 10 == 0)
                        return small ? 11 : 12;
                best = std::max(best, pair);
            }
        return static_cast<uint8_t>(best);
    }
    for (size_t a = 0; a < n; ++a)
        for (size_t b = a + 1; b < n; ++b)
            for (size_t c = b + 1; c < n; ++c)
                if ((Point(others[a]) + Point(others[b]) + Point(others[c])) % 10 == 0)
                    return static_cast<uint8_t>(sum % 10 == 0 ? 13 : sum % 10);
    return 0;
}

}  // namespace

TEST(OxTBRules, FaceHandsAndHighCardBulls)
{
    OxTB::CGameLogic logic;
    uint8_t type = 0;
    // Jack, queen, king, king, jack: sorted by value, colours descending within one.
    Cards five = Typed(logic, {0x0B, 0x2C, 0x1D, 0x3D, 0x3B}, type);
    EXPECT_EQ(type, OxTB::OXTB_FIVE_FACE);
    EXPECT_EQ(five, (Cards{0x3D, 0x1D, 0x2C, 0x3B, 0x0B}));

    Typed(logic, {0x0A, 0x0B, 0x0C, 0x1C, 0x0D}, type);
    EXPECT_EQ(type, OxTB::OXTB_FOUR_FACE);
    Cards tens = Typed(logic, {0x0A, 0x0B, 0x1A, 0x0C, 0x0D}, type);
    EXPECT_EQ(type, OxTB::OXTB_BULL_BULL);  // three faces make the bull, the tens the pair
    EXPECT_EQ(tens, (Cards{0x0D, 0x0C, 0x0B, 0x1A, 0x0A}));

    Cards three = Typed(logic, {0x05, 0x0D, 0x0A, 0x22, 0x0B}, type);
    EXPECT_EQ(type, 7);  // high cards first, the two small ones score
    EXPECT_EQ(three, (Cards{0x0D, 0x0B, 0x0A, 0x05, 0x22}));
}

TEST(OxTBRules, JokerBulls)
{
    OxTB::CGameLogic logic;
    ExpectArranged(logic, {
                              // Both jokers: always the big-joker bull, (big, c3, c4, small, c2).
                              {{0x05, SJ, 0x17, BJ, 0x29}, {BJ, 0x17, 0x05, SJ, 0x29}, OxTB::OXTB_BIG_JOKER},
                              {{0x05, SJ, 0x0D, BJ, 0x07}, {BJ, 0x07, 0x05, SJ, 0x0D}, OxTB::OXTB_BIG_JOKER},
                              // A joker with two more high cards: the high cards are the pair.
                              {{0x03, 0x0D, SJ, 0x0A, 0x04}, {SJ, 0x04, 0x03, 0x0D, 0x0A}, OxTB::OXTB_SMALL_JOKER},
                              // Three of the other four make a bull: the joker joins the pair.
                              {{0x02, 0x08, BJ, 0x07, 0x05}, {0x08, 0x07, 0x05, BJ, 0x02}, OxTB::OXTB_BIG_JOKER},
                              // Two of the other four sum to ten: small joker, 6, 4, 3, 2.
                              {{0x06, 0x04, SJ, 0x03, 0x02}, {SJ, 0x03, 0x02, 0x06, 0x04}, OxTB::OXTB_SMALL_JOKER},
                              // Big joker and the four fives: the first two fives in sorted order pair.
                              {{0x05, 0x15, 0x25, 0x35, BJ}, {BJ, 0x15, 0x05, 0x35, 0x25}, OxTB::OXTB_BIG_JOKER},
                              // Nothing makes ten: the joker stands in the bull and the best pair scores.
                              {{0x06, 0x07, SJ, 0x08, 0x09}, {SJ, 0x07, 0x06, 0x09, 0x08}, 7},
                          });
}

TEST(OxTBRules, SplitsWithoutJokers)
{
    OxTB::CGameLogic logic;
    ExpectArranged(logic, {
                              // Two high cards and three small ones that make ten on their own.
                              {{0x0D, 0x05, 0x0C, 0x03, 0x02}, {0x05, 0x03, 0x02, 0x0D, 0x0C}, OxTB::OXTB_BULL_BULL},
                              // Two high cards: the last split found is shown, (K, 3, 7) with (Q, 4).
                              {{0x0D, 0x07, 0x0C, 0x03, 0x04}, {0x0D, 0x03, 0x07, 0x0C, 0x04}, 4},
                              // One high card: king, 7, 5, 3, 2 shows (K, 7, 3) with (5, 2).
                              {{0x02, 0x03, 0x05, 0x07, 0x0D}, {0x0D, 0x07, 0x03, 0x05, 0x02}, 7},
                              // One high card and a zero-point split ends the search at once.
                              {{0x0D, 0x06, 0x04, 0x07, 0x03}, {0x0D, 0x03, 0x07, 0x06, 0x04}, OxTB::OXTB_BULL_BULL},
                              // No high card: 9 + 8 + 3 found last as (3, 8, 9), pair 2 + ace.
                              {{0x09, 0x08, 0x03, 0x02, 0x01}, {0x03, 0x08, 0x09, 0x02, 0x01}, 3},
                              // No bull at all: the array stays sorted.
                              {{0x07, 0x0D, 0x06, 0x09, 0x08}, {0x0D, 0x09, 0x08, 0x07, 0x06}, OxTB::OXTB_NONE},
                          });
}

TEST(OxTBRules, ArrangedTypeAndPointType)
{
    OxTB::CGameLogic logic;
    const Cards jokerBull = {SJ, 0x03, 0x02, 0x06, 0x04};
    EXPECT_EQ(logic.GetArrangedType(jokerBull.data(), 5), OxTB::OXTB_SMALL_JOKER);
    EXPECT_TRUE(logic.IsBullBullOrBetter(jokerBull.data()));
    const Cards noBull = {0x03, 0x04, 0x05, 0x0D, 0x02};
    EXPECT_EQ(logic.GetArrangedType(noBull.data(), 5), OxTB::OXTB_NONE);
    EXPECT_FALSE(logic.IsBullBullOrBetter(noBull.data()));
    // Laid out by hand, not by the rules: both jokers anywhere give the big-joker bull.
    const Cards bothJokers = {0x07, SJ, 0x05, BJ, 0x09};
    EXPECT_EQ(logic.GetArrangedType(bothJokers.data(), 5), OxTB::OXTB_BIG_JOKER);

    EXPECT_EQ(logic.GetPointType(20), OxTB::OXTB_BULL_BULL);
    EXPECT_EQ(logic.GetPointType(10), OxTB::OXTB_BULL_BULL);
    EXPECT_EQ(logic.GetPointType(15), 5);
    EXPECT_EQ(logic.GetPointType(9), 9);
}

TEST(OxTBRules, OnlyFiveCardHandsAreTyped)
{
    OxTB::CGameLogic logic;
    // Counts from the wire: a longer count must not sort the next seat's cards.
    Cards seats = {0x01, 0x02, 0x03, 0x04, 0x05, 0x3D, 0x3C};
    const Cards before = seats;
    EXPECT_EQ(logic.GetCardType(seats.data(), 7), OxTB::OXTB_NONE);
    EXPECT_EQ(logic.GetCardType(seats.data(), 4), OxTB::OXTB_NONE);
    EXPECT_EQ(logic.GetCardType(seats.data(), 0), OxTB::OXTB_NONE);
    EXPECT_EQ(seats, before);
    EXPECT_EQ(logic.GetCardType(nullptr, 5), OxTB::OXTB_NONE);

    Cards four = {SJ, 0x03, 0x02, 0x06};
    EXPECT_EQ(logic.GetArrangedType(four.data(), 4), OxTB::OXTB_NONE);
    EXPECT_EQ(logic.GetArrangedType(nullptr, 5), OxTB::OXTB_NONE);
    EXPECT_FALSE(logic.IsBullBullOrBetter(nullptr));
}

TEST(OxTBRules, RandomHandsAreArrangedConsistently)
{
    OxTB::CGameLogic logic;
    Cards deck = {SJ, BJ};
    for (int colour = 0; colour < 4; ++colour)
        for (int v = 1; v <= 13; ++v)
            deck.push_back(static_cast<uint8_t>(colour << 4 | v));
    std::mt19937 rng(8107);
    for (int n = 0; n < 20000; ++n)
    {
        std::shuffle(deck.begin(), deck.end(), rng);
        // Every third hand is forced to hold a joker so joker paths get exercised.
        Cards hand(deck.begin(), deck.begin() + 5);
        if (n % 3 == 0 && !IsJoker(hand[0]) && !IsJoker(hand[1]) && !IsJoker(hand[2]) && !IsJoker(hand[3]) &&
            !IsJoker(hand[4]))
            hand[0] = n % 2 ? SJ : BJ;

        uint8_t type = 0;
        Cards arranged = Typed(logic, hand, type);
        ASSERT_EQ(type, ReferenceType(hand)) << ::testing::PrintToString(hand);
        ASSERT_TRUE(std::is_permutation(arranged.begin(), arranged.end(), hand.begin()));
        ASSERT_EQ(logic.GetArrangedType(arranged.data(), 5), type) << ::testing::PrintToString(arranged);

        // The dealt order never matters: the hand is sorted first.
        Cards shuffled = hand;
        std::shuffle(shuffled.begin(), shuffled.end(), rng);
        uint8_t again = 0;
        ASSERT_EQ(Typed(logic, shuffled, again), arranged);
        ASSERT_EQ(again, type);
    }
}

TEST(OxTBHandNames, SixteenNamesThenEmpty)
{
    EXPECT_EQ(OxTB::OxTBHandNames.size(), 16u);
    EXPECT_EQ(std::string(OxTB::OxTBHandNames[0]), "无牛");
    EXPECT_EQ(std::string(OxTB::OxTBHandNames[5]), "牛五");
    EXPECT_EQ(std::string(OxTB::OxTBHandNames[10]), "");
    EXPECT_EQ(std::string(OxTB::OxTBHandNames[11]), "小王牛");
    EXPECT_EQ(std::string(OxTB::OxTBHandNames[12]), "大王牛");
    EXPECT_EQ(std::string(OxTB::OxTBHandNames[13]), "牛牛");
    EXPECT_EQ(std::string(OxTB::OxTBHandNames[14]), "四花牛");
    EXPECT_EQ(std::string(OxTB::OxTBHandNames[15]), "五花牛");
    EXPECT_EQ(std::string(OxTB::OxTBHandNames[16]), "");
    EXPECT_EQ(std::string(OxTB::OxTBHandNames[255]), "");
}
