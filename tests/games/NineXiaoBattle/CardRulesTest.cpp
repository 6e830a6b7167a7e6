#include "games/NineXiaoBattle/CardRules.h"

#include <gtest/gtest.h>

#include <vector>

using namespace NineXiaoBattle;

namespace {

std::vector<uint8_t> Sorted(std::vector<uint8_t> cards, uint8_t mode)
{
    SortCardList(cards.data(), static_cast<uint8_t>(cards.size()), mode);
    return cards;
}

}  // namespace

TEST(NineXiaoHandPoint, FaceCardsCountTenAndTheSumWrapsAtTen)
{
    const struct
    {
        uint8_t a, b, points;
    } cases[] = {
        {0x0C, 0x1D, 0},  // Q + K = 20
        {0x01, 0x28, 9},  // A + 8
        {0x0A, 0x39, 9}, {0x0B, 0x05, 5}, {0x01, 0x31, 2}, {0x07, 0x03, 0},
    };
    for (const auto& c : cases)
    {
        const uint8_t hand[2] = {c.a, c.b};
        EXPECT_EQ(GetHandPoint(hand, 2), c.points) << std::hex << int(c.a) << " " << int(c.b);
    }
    const uint8_t three[3] = {0x09, 0x19, 0x29};
    EXPECT_EQ(GetHandPoint(three, 3), 7);
    EXPECT_EQ(GetHandPoint(three, 0), 0);
    EXPECT_EQ(GetHandPoint(nullptr, 2), 0);
}

TEST(NineXiaoSort, AceIsHighExceptInModeOne)
{
    EXPECT_EQ(Sorted({0x0D, 0x01}, 2), (std::vector<uint8_t>{0x01, 0x0D}));
    EXPECT_EQ(Sorted({0x01, 0x0D}, 1), (std::vector<uint8_t>{0x0D, 0x01}));
    EXPECT_EQ(Sorted({0x0D, 0x01}, 0), (std::vector<uint8_t>{0x01, 0x0D}));
    EXPECT_EQ(Sorted({0x03, 0x01, 0x0B, 0x09}, 7), (std::vector<uint8_t>{0x01, 0x0B, 0x09, 0x03}));
}

TEST(NineXiaoSort, EqualValuesPutTheHigherByteFirst)
{
    EXPECT_EQ(Sorted({0x05, 0x35, 0x15, 0x25}, 1), (std::vector<uint8_t>{0x35, 0x25, 0x15, 0x05}));
    EXPECT_EQ(Sorted({0x01, 0x31}, 2), (std::vector<uint8_t>{0x31, 0x01}));
    SortCardList(nullptr, 3, 1);  // tolerated
}

TEST(NineXiaoCardType, PairsByValueOnly)
{
    const uint8_t kings[2] = {0x0D, 0x2D};
    const uint8_t aceKing[2] = {0x01, 0x0D};
    const uint8_t tenJack[2] = {0x0A, 0x0B};  // both count 10 but are no pair
    EXPECT_EQ(GetCardType(kings, 2), CARD_TYPE_PAIR);
    EXPECT_EQ(GetCardType(aceKing, 2), CARD_TYPE_POINTS);
    EXPECT_EQ(GetCardType(tenJack, 2), CARD_TYPE_POINTS);
}

TEST(NineXiaoCardType, OnlyTwoDeckCardsMakeAHand)
{
    const uint8_t hand[3] = {0x0D, 0x2D, 0x3D};
    EXPECT_EQ(GetCardType(hand, 1), CARD_TYPE_INVALID);
    EXPECT_EQ(GetCardType(hand, 3), CARD_TYPE_INVALID);
    EXPECT_EQ(GetCardType(hand, 255), CARD_TYPE_INVALID);  // nothing past the hand is read
    EXPECT_EQ(GetCardType(nullptr, 2), CARD_TYPE_INVALID);
    // A back (99), blank bytes and jokers are no pair.
    const uint8_t bad[][2] = {{99, 0x03}, {99, 99}, {0x00, 0x00}, {0x4E, 0x4F}, {0x0E, 0x0E}, {0x5D, 0x0D}};
    for (const auto& h : bad)
        EXPECT_EQ(GetCardType(h, 2), CARD_TYPE_INVALID) << std::hex << int(h[0]) << " " << int(h[1]);
}
