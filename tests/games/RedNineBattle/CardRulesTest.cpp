#include "games/RedNineBattle/CardRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

using namespace RedNineBattle;

namespace {

uint8_t Card(int colour, int value) { return static_cast<uint8_t>(colour << 4 | value); }

std::vector<uint8_t> Sorted(std::vector<uint8_t> cards, uint8_t mode)
{
    SortCardList(cards.data(), static_cast<uint8_t>(cards.size()), mode);
    return cards;
}

std::vector<uint8_t> Deck()
{
    std::vector<uint8_t> deck;
    for (int colour = 0; colour < 4; ++colour)
        for (int value = 1; value <= 13; ++value)
            deck.push_back(Card(colour, value));
    return deck;
}

}  // namespace

TEST(RedNineHandPoint, AceCountsSixAndFaceCardsTheirNumber)
{
    const struct
    {
        uint8_t a, b, points;
    } cases[] = {
        {0x01, 0x04, 0},  // 6 + 4
        {0x0C, 0x1D, 5},  // 12 + 13
        {0x01, 0x31, 2}, {0x0B, 0x09, 0}, {0x02, 0x28, 0}, {0x37, 0x13, 0}, {0x05, 0x03, 8},
    };
    for (const auto& c : cases)
    {
        const uint8_t hand[2] = {c.a, c.b};
        EXPECT_EQ(GetHandPoint(hand, 2), c.points) << std::hex << int(c.a) << " " << int(c.b);
    }
    EXPECT_EQ(GetHandPoint(nullptr, 2), 0);
    const uint8_t one[1] = {0x01};
    EXPECT_EQ(GetHandPoint(one, 0), 0);
    EXPECT_EQ(GetHandPoint(one, 1), 6);
}

TEST(RedNineCardRank, EveryCardOfTheDeckHasItsTableRank)
{
    // Rows of the rank table: colours 0 and 2 red, 1 and 3 black.
    const struct
    {
        uint8_t rank;
        bool red;
        bool black;
        std::vector<int> values;
    } rows[] = {
        {8, true, false, {12}}, {7, true, false, {2}},        {6, true, false, {8}},
        {5, true, false, {4}},  {4, false, true, {10, 6, 4}}, {3, true, false, {10, 6, 7}},
        {3, false, true, {11}}, {2, false, true, {7, 8}},     {2, true, false, {5, 9}},
    };
    for (int colour = 0; colour < 4; ++colour)
    {
        const bool red = colour == 0 || colour == 2;
        for (int value = 1; value <= 13; ++value)
        {
            uint8_t expected = (colour == 3 && (value == 1 || value == 3)) ? 1 : 0;
            for (const auto& row : rows)
            {
                const bool colourFits = red ? row.red : row.black;
                if (colourFits && std::count(row.values.begin(), row.values.end(), value))
                {
                    expected = row.rank;
                    break;
                }
            }
            EXPECT_EQ(GetCardRank(Card(colour, value)), expected) << "colour " << colour << " value " << value;
        }
    }
    for (uint8_t other : {uint8_t{99}, uint8_t{0x4E}, uint8_t{0x4C}, uint8_t{0x00}, uint8_t{0x0F}})
        EXPECT_EQ(GetCardRank(other), 0) << int(other);
}

TEST(RedNineSort, ModeOneByValueOtherModesByRank)
{
    // Red 2 (rank 7) before red 8 (rank 6); by value the 8 comes first.
    EXPECT_EQ(Sorted({0x08, 0x02}, 2), (std::vector<uint8_t>{0x02, 0x08}));
    EXPECT_EQ(Sorted({0x02, 0x08}, 1), (std::vector<uint8_t>{0x08, 0x02}));
    EXPECT_EQ(Sorted({0x18, 0x22}, 0), (std::vector<uint8_t>{0x22, 0x18}));
    EXPECT_EQ(Sorted({0x12, 0x08}, 2), (std::vector<uint8_t>{0x08, 0x12}));
    // Equal keys: the higher byte first.
    EXPECT_EQ(Sorted({0x05, 0x35, 0x15}, 1), (std::vector<uint8_t>{0x35, 0x15, 0x05}));
    EXPECT_EQ(Sorted({0x1D, 0x03, 0x0D}, 2), (std::vector<uint8_t>{0x1D, 0x0D, 0x03}));
    SortCardList(nullptr, 2, 1);  // tolerated
}

TEST(RedNineSort, RandomListsComeOutOrderedWhateverTheirOrder)
{
    std::mt19937 rng(9242);
    std::vector<uint8_t> deck = Deck();
    for (int round = 0; round < 500; ++round)
    {
        std::shuffle(deck.begin(), deck.end(), rng);
        const uint8_t mode = round % 3;
        std::vector<uint8_t> hand(deck.begin(), deck.begin() + 1 + round % 8);
        const std::vector<uint8_t> sorted = Sorted(hand, mode);
        ASSERT_TRUE(std::is_permutation(sorted.begin(), sorted.end(), hand.begin()));
        auto key = [mode](uint8_t c) { return mode == 1 ? (c & 0x0F) : GetCardRank(c); };
        for (size_t i = 1; i < sorted.size(); ++i)
        {
            const bool ordered = key(sorted[i - 1]) > key(sorted[i]) ||
                                 (key(sorted[i - 1]) == key(sorted[i]) && sorted[i - 1] > sorted[i]);
            ASSERT_TRUE(ordered) << "round " << round << " at " << i;
        }
        std::reverse(hand.begin(), hand.end());
        ASSERT_EQ(Sorted(hand, mode), sorted);
    }
}

TEST(RedNineTypeAndLevel, EveryRowOfTheTables)
{
    const struct
    {
        uint8_t a, b, type, level;
    } cases[] = {
        {0x31, 0x33, 18, 12},  // colour-3 ace and three
        {0x0C, 0x1C, 17, 11},  // queens: colours not tested
        {0x1C, 0x3C, 17, 11},
        {0x02, 0x22, 16, 10},
        {0x08, 0x28, 15, 9},
        {0x04, 0x24, 14, 8},
        {0x0A, 0x2A, 13, 7},
        {0x06, 0x26, 12, 7},
        {0x14, 0x34, 11, 7},
        {0x0B, 0x2B, 10, 6},
        {0x1A, 0x3A, 9, 6},
        {0x07, 0x27, 8, 6},
        {0x16, 0x36, 7, 6},
        {0x09, 0x29, 6, 5},
        {0x18, 0x38, 5, 5},
        {0x17, 0x37, 4, 5},
        {0x05, 0x25, 3, 5},
        {0x0C, 0x09, 2, 4},
        {0x2C, 0x28, 1, 3},
        {0x02, 0x08, 0, 2},  // red 2 sorts before red 8
        {0x18, 0x22, 0, 2},  // (red 2, black 8)
        {0x08, 0x12, 0, 1},  // (red 8, black 2)
        {0x03, 0x15, 0, 1},
        // Pairs whose colour sum misses their row.
        {0x12, 0x32, 0, 1},
        {0x04, 0x14, 0, 1},
        {0x0B, 0x1B, 0, 1},
        {0x03, 0x23, 0, 1},
        // A black queen ranks below a red nine, so the queen is not first.
        {0x1C, 0x09, 0, 1},
        {0x11, 0x33, 0, 1},  // ace and three but not both colour 3
    };
    for (const auto& c : cases)
    {
        for (const bool swap : {false, true})
        {
            const uint8_t hand[2] = {swap ? c.b : c.a, swap ? c.a : c.b};
            EXPECT_EQ(GetCardType(hand, 2), c.type) << std::hex << int(hand[0]) << " " << int(hand[1]);
            EXPECT_EQ(GetCardLevel(hand, 2), c.level) << std::hex << int(hand[0]) << " " << int(hand[1]);
        }
    }
}

TEST(RedNineTypeAndLevel, OnlyTwoDeckCardsMakeAHand)
{
    const uint8_t queens[3] = {0x0C, 0x2C, 0x1C};
    for (uint8_t count : {0, 1, 3, 255})
    {  // nothing past the hand is read
        EXPECT_EQ(GetCardType(queens, count), 0) << int(count);
        EXPECT_EQ(GetCardLevel(queens, count), 0) << int(count);
    }
    EXPECT_EQ(GetCardType(nullptr, 2), 0);
    EXPECT_EQ(GetCardLevel(nullptr, 2), 0);
    // The back (colour 6, value 3) with a colour-0 ace sums to colour 6.
    const uint8_t bad[][2] = {{99, 0x01}, {0x00, 0x00}, {0x4C, 0x0C}, {0x0E, 0x0C}, {0x53, 0x11}};
    for (const auto& h : bad)
    {
        EXPECT_EQ(GetCardType(h, 2), 0) << std::hex << int(h[0]) << " " << int(h[1]);
        EXPECT_EQ(GetCardLevel(h, 2), 0) << std::hex << int(h[0]) << " " << int(h[1]);
    }
}

TEST(RedNineTypeAndLevel, EveryHandOfTheDeckIsConsistent)
{
    const std::vector<uint8_t> deck = Deck();
    uint8_t minLevel[19], maxLevel[19];
    std::fill(std::begin(minLevel), std::end(minLevel), 255);
    std::fill(std::begin(maxLevel), std::end(maxLevel), 0);
    for (uint8_t x : deck)
    {
        for (uint8_t y : deck)
        {
            if (x == y)
                continue;
            const uint8_t hand[2] = {x, y};
            const uint8_t swapped[2] = {y, x};
            const uint8_t type = GetCardType(hand, 2);
            const uint8_t level = GetCardLevel(hand, 2);
            ASSERT_LE(type, 18);
            ASSERT_EQ(type, GetCardType(swapped, 2));
            ASSERT_EQ(level, GetCardLevel(swapped, 2));
            // A special type always shows as such; only the 2-8 hand reaches
            // level 2 without one.
            ASSERT_EQ(level >= 3, type >= 1) << std::hex << int(x) << " " << int(y);
            const uint8_t two = (x & 0x0F) == 2 ? x : y, eight = two == x ? y : x;
            const bool twoEight = (two & 0x0F) == 2 && (eight & 0x0F) == 8 && GetCardRank(two) > GetCardRank(eight);
            ASSERT_EQ(level == 2, twoEight) << std::hex << int(x) << " " << int(y);
            minLevel[type] = std::min(minLevel[type], level);
            maxLevel[type] = std::max(maxLevel[type], level);
        }
    }
    // Every type occurs, and levels never order hands against their types.
    for (int t = 1; t <= 18; ++t)
    {
        ASSERT_LE(minLevel[t], maxLevel[t]) << "type " << t << " never occurs";
        ASSERT_GE(minLevel[t], maxLevel[t - 1]) << "type " << t;
    }
}
