#include "games/ThreeKing/GameLogic.h"
#include "games/ThreeKing/HandNames.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using Cards = std::vector<uint8_t>;
constexpr int J = 11, Q = 12, K = 13, A = 1;

Cards Hand(std::initializer_list<int> values, int firstColour = 0)
{
    Cards cards;
    int colour = firstColour;
    for (int v : values)
        cards.push_back(static_cast<uint8_t>(((colour++ % 4) << 4) | v));
    return cards;
}

}  // namespace

TEST(ThreeKingRules, TypesInPrecedenceOrder)
{
    ThreeKingCGameLogic logic;
    EXPECT_EQ(logic.GetCardType(Hand({K, K, K}).data(), 3), TK_TYPE_BOMB);  // not San Gong
    EXPECT_EQ(logic.GetCardType(Hand({5, 5, 5}).data(), 3), TK_TYPE_BOMB);
    EXPECT_EQ(logic.GetCardType(Hand({J, Q, K}).data(), 3), TK_TYPE_SANGONG);
    EXPECT_EQ(logic.GetCardType(Hand({J, Q, K}, 3).data(), 3), TK_TYPE_SANGONG);
    EXPECT_EQ(logic.GetCardType(Hand({J, Q, 10}).data(), 3), TK_TYPE_POINTS);
    EXPECT_EQ(logic.GetCardType(Hand({10, J, Q}).data(), 3), TK_TYPE_POINTS);
    EXPECT_EQ(logic.GetCardType(Hand({A, 2, 7}).data(), 3), TK_TYPE_POINTS);
}

TEST(ThreeKingRules, ACountOtherThanThreeIsNoHand)
{
    ThreeKingCGameLogic logic;
    Cards four = Hand({K, K, K, K});
    EXPECT_EQ(logic.GetCardType(four.data(), 2), TK_TYPE_NONE);
    EXPECT_EQ(logic.GetCardType(four.data(), 4), TK_TYPE_NONE);
    EXPECT_EQ(logic.GetCardType(four.data(), 0), TK_TYPE_NONE);
    EXPECT_EQ(logic.GetCardType(nullptr, 3), TK_TYPE_NONE);
}

TEST(ThreeKingRules, PointsSkipTensAndFaces)
{
    ThreeKingCGameLogic logic;
    EXPECT_EQ(logic.GetCardPoint(Hand({A, 2, 7}).data(), 3), 0);
    EXPECT_EQ(logic.GetCardPoint(Hand({9, 9, 3}).data(), 3), 1);
    EXPECT_EQ(logic.GetCardPoint(Hand({5, 5, 5}).data(), 3), 5);
    EXPECT_EQ(logic.GetCardPoint(Hand({J, Q, 10}).data(), 3), 0);
    EXPECT_EQ(logic.GetCardPoint(Hand({K, 9, A}).data(), 3), 0);
    EXPECT_EQ(logic.GetCardPoint(Hand({K, 4, 4}).data(), 3), 8);

    // Any count at or above three reads three cards; a shorter one no more
    // than it was given.
    Cards five = Hand({2, 3, 4, 9, 9});
    EXPECT_EQ(logic.GetCardPoint(five.data(), 3), 9);
    EXPECT_EQ(logic.GetCardPoint(five.data(), 5), 9);
    EXPECT_EQ(logic.GetCardPoint(five.data(), 200), 9);
    Cards one = Hand({7});
    EXPECT_EQ(logic.GetCardPoint(one.data(), 1), 7);
    EXPECT_EQ(logic.GetCardPoint(one.data(), 0), 0);
    EXPECT_EQ(logic.GetCardPoint(nullptr, 3), 0);
}

TEST(ThreeKingRules, ColoursNeverMatter)
{
    ThreeKingCGameLogic logic;
    std::mt19937 rng(8110);
    std::uniform_int_distribution<int> value(1, 13), colour(0, 3);
    for (int n = 0; n < 5000; ++n)
    {
        Cards a, b;
        int sum = 0;
        for (int k = 0; k < 3; ++k)
        {
            int v = value(rng);
            a.push_back(static_cast<uint8_t>(colour(rng) << 4 | v));
            b.push_back(static_cast<uint8_t>(colour(rng) << 4 | v));
            sum += v < 10 ? v : 0;
        }
        ASSERT_EQ(logic.GetCardType(a.data(), 3), logic.GetCardType(b.data(), 3));
        ASSERT_EQ(logic.GetCardPoint(a.data(), 3), sum % 10);
        ASSERT_EQ(logic.GetCardPoint(b.data(), 3), sum % 10);
    }
}

TEST(ThreeKingHandNames, TwelveNamesThenEmpty)
{
    EXPECT_EQ(ThreeKingHandNames.size(), 12u);
    EXPECT_EQ(std::string(ThreeKingHandNames[0]), "0点");
    EXPECT_EQ(std::string(ThreeKingHandNames[9]), "9点");
    EXPECT_EQ(std::string(ThreeKingHandNames[10]), "三公");
    EXPECT_EQ(std::string(ThreeKingHandNames[11]), "炸弹");
    EXPECT_EQ(std::string(ThreeKingHandNames[12]), "");
    EXPECT_EQ(std::string(ThreeKingHandNames[255]), "");
}
