#include "games/BaccaratNew/GameLogic.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using BaccaratNew::AreaOutcome;
using BaccaratNew::CGameLogic;

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

BaccaratNew::tagRoundResult Classify(const Cards& player, const Cards& banker)
{
    return CGameLogic::ClassifyRound(player.data(), player.size(), banker.data(), banker.size());
}

std::string Tip(const Cards& player, const Cards& banker)
{
    return CGameLogic::GetDrawTip(player.data(), player.size(), banker.data(), banker.size());
}

}  // namespace

TEST(BaccaratPoints, CardAndHandPoints)
{
    EXPECT_EQ(CGameLogic::GetCardPoint(0x01), 1);
    EXPECT_EQ(CGameLogic::GetCardPoint(0x39), 9);
    for (uint8_t card : {0x0A, 0x1B, 0x2C, 0x3D})
        EXPECT_EQ(CGameLogic::GetCardPoint(card), 0);
    EXPECT_EQ(CGameLogic::GetHandPoint(Hand({9, 9, 5}).data(), 3), 3);
    EXPECT_EQ(CGameLogic::GetHandPoint(Hand({K, 8}).data(), 2), 8);
    EXPECT_EQ(CGameLogic::GetHandPoint(Hand({A, 9}).data(), 2), 0);
    EXPECT_EQ(CGameLogic::GetHandPoint(nullptr, 3), 0);
    EXPECT_EQ(CGameLogic::GetHandPoint(Hand({7}).data(), 0), 0);
    // A hand holds three cards at most: a larger count reads no further.
    Cards four = Hand({9, 9, 5, 4});
    EXPECT_EQ(CGameLogic::GetHandPoint(four.data(), 4), 3);
    EXPECT_EQ(CGameLogic::GetHandPoint(four.data(), 255), 3);
}

TEST(BaccaratClassification, WinnerSpecialResultAndPairs)
{
    // Same-point tie needs equal values place by place and equal counts.
    auto tie = Classify(Hand({2, 4}), Hand({4, 2}));
    EXPECT_EQ(tie.cbWinner, BaccaratNew::WINNER_PING);
    EXPECT_EQ(tie.cbSpecial, 0);
    auto same = Classify(Hand({2, 4}, 0), Hand({2, 4}, 2));
    EXPECT_EQ(same.cbSpecial, BaccaratNew::AREA_TONG_DIAN_PING);
    EXPECT_EQ(Classify(Hand({3, 3}), Hand({3, 3, 10})).cbSpecial, 0);
    EXPECT_EQ(Classify(Hand({3, 3, K}), Hand({3, 3, 10})).cbSpecial, 0);
    EXPECT_EQ(Classify(Hand({3, 3, K}), Hand({3, 3, K}, 1)).cbSpecial, BaccaratNew::AREA_TONG_DIAN_PING);

    // Naturals by the final point, whatever the number of cards.
    auto banker8 = Classify(Hand({2, 3}), Hand({A, 2, 5}));
    EXPECT_EQ(banker8.cbWinner, BaccaratNew::WINNER_ZHUANG);
    EXPECT_EQ(banker8.cbSpecial, BaccaratNew::AREA_ZHUANG_TIAN_WANG);
    auto player9 = Classify(Hand({4, 5}), Hand({K, 7}));
    EXPECT_EQ(player9.cbWinner, BaccaratNew::WINNER_XIAN);
    EXPECT_EQ(player9.cbSpecial, BaccaratNew::AREA_XIAN_TIAN_WANG);
    EXPECT_EQ(Classify(Hand({4, 3}), Hand({K, 6})).cbSpecial, 0);
    EXPECT_EQ(Classify(Hand({9, 9}), Hand({8, K})).cbSpecial, 0);  // 8 against 8, other values
    EXPECT_EQ(Classify(Hand({9, 9}), Hand({8, K})).cbWinner, BaccaratNew::WINNER_PING);

    // Pairs by value, not by colour or point.
    auto pairs = Classify(Hand({7, 7}, 0), Hand({K, Q}));
    EXPECT_EQ(pairs.cbPlayerPair, 1);
    EXPECT_EQ(pairs.cbBankerPair, 0);
    EXPECT_EQ(Classify(Hand({A, 2}), Hand({5, 5, 9})).cbBankerPair, 1);
    EXPECT_EQ(Classify(Hand({A, 2, A}), Hand({5, 4})).cbPlayerPair, 0);  // only the first two count

    // Missing hands classify without reading anything.
    auto empty = CGameLogic::ClassifyRound(nullptr, 3, nullptr, 2);
    EXPECT_EQ(empty.cbWinner, BaccaratNew::WINNER_PING);
    EXPECT_EQ(empty.cbPlayerPair, 0);
}

TEST(BaccaratClassification, AreasOutcomesAndMultiples)
{
    const int multiples[] = {2, 9, 2, 3, 3, 33, 12, 12};
    for (size_t area = 0; area < 8; ++area)
        EXPECT_EQ(CGameLogic::GetAreaMultiple(area), multiples[area]);
    EXPECT_EQ(CGameLogic::GetAreaMultiple(8), 0);
    EXPECT_EQ(CGameLogic::GetAreaMultiple(255), 0);

    auto same = Classify(Hand({4, 4}, 0), Hand({4, 4}, 2));
    EXPECT_EQ(CGameLogic::GetWinningAreas(same), (1 << 1) | (1 << 5) | (1 << 6) | (1 << 7));
    EXPECT_EQ(CGameLogic::GetAreaOutcome(same, BaccaratNew::AREA_XIAN), AreaOutcome::Returned);
    EXPECT_EQ(CGameLogic::GetAreaOutcome(same, BaccaratNew::AREA_ZHUANG), AreaOutcome::Returned);
    EXPECT_EQ(CGameLogic::GetAreaOutcome(same, BaccaratNew::AREA_PING), AreaOutcome::Won);
    EXPECT_EQ(CGameLogic::GetAreaOutcome(same, BaccaratNew::AREA_XIAN_TIAN_WANG), AreaOutcome::Lost);
    EXPECT_EQ(CGameLogic::GetAreaOutcome(same, 8), AreaOutcome::Lost);

    auto banker = Classify(Hand({2, 3}), Hand({9, K}));
    EXPECT_EQ(CGameLogic::GetWinningAreas(banker), (1 << 2) | (1 << 4));
    EXPECT_EQ(CGameLogic::GetAreaOutcome(banker, BaccaratNew::AREA_XIAN), AreaOutcome::Lost);
}

TEST(BaccaratClassification, RandomRoundsKeepTheOutcomeGroups)
{
    std::mt19937 rng(9102);
    std::uniform_int_distribution<int> value(1, 13), colour(0, 3), third(0, 1);
    for (int n = 0; n < 20000; ++n)
    {
        Cards player, banker;
        for (int k = 0; k < 2 + third(rng); ++k)
            player.push_back(static_cast<uint8_t>(colour(rng) << 4 | value(rng)));
        for (int k = 0; k < 2 + third(rng); ++k)
            banker.push_back(static_cast<uint8_t>(colour(rng) << 4 | value(rng)));
        auto r = Classify(player, banker);
        uint8_t areas = CGameLogic::GetWinningAreas(r);
        int mains = ((areas >> 0) & 1) + ((areas >> 1) & 1) + ((areas >> 2) & 1);
        int specials = ((areas >> 3) & 1) + ((areas >> 4) & 1) + ((areas >> 5) & 1);
        ASSERT_EQ(mains, 1);
        ASSERT_LE(specials, 1);
        ASSERT_TRUE(!(areas & (1 << 3)) || (areas & (1 << 0)));  // player natural only with a player win
        ASSERT_TRUE(!(areas & (1 << 4)) || (areas & (1 << 2)));
        ASSERT_TRUE(!(areas & (1 << 5)) || (areas & (1 << 1)));

        // The two sides mirror each other.
        auto m = Classify(banker, player);
        ASSERT_EQ(m.cbPlayerPoint, r.cbBankerPoint);
        ASSERT_EQ(m.cbWinner, 2 - r.cbWinner);
        ASSERT_EQ(m.cbPlayerPair, r.cbBankerPair);
        int mirrored = r.cbSpecial == 3 ? 4 : r.cbSpecial == 4 ? 3 : r.cbSpecial;
        ASSERT_EQ(m.cbSpecial, mirrored);
    }
}

TEST(BaccaratDrawTips, PlayerTurnThenBankerRule)
{
    // Fewer than four cards: nothing yet.
    EXPECT_EQ(Tip(Hand({2, 3}), Hand({A})), "");
    EXPECT_EQ(Tip(Hand({2, 3}), Hand({A, 2})), "闲5点，庄3点，闲继续拿牌\n");
    // Player 5, banker 8: no player tip and the banker text is empty.
    EXPECT_EQ(Tip(Hand({2, 3}), Hand({K, 8})), "");
    // A player natural stops everything.
    EXPECT_EQ(Tip(Hand({4, 4}), Hand({A, A})), "");
    // Player stands on 6 or 7: the banker rule with the player's two cards.
    EXPECT_EQ(Tip(Hand({3, 3}), Hand({A, A})), "闲前两张牌6点，庄2点，庄继续拿牌\n");
    EXPECT_EQ(Tip(Hand({3, 4}), Hand({A, 2})), "闲不补牌，庄3点，庄继续拿牌\n");
    EXPECT_EQ(Tip(Hand({3, 4}), Hand({2, 2})), "闲不补牌，庄4点，庄继续拿牌\n");
    EXPECT_EQ(Tip(Hand({3, 4}), Hand({2, 3})), "闲不补牌，庄5点，庄继续拿牌\n");
    EXPECT_EQ(Tip(Hand({3, 4}), Hand({3, 3})), "");
    EXPECT_EQ(Tip(Hand({3, 4}), Hand({3, 4})), "");

    // After the player's third card: by the banker's two cards and that card.
    struct Row
    {
        int b2;
        int t;
        bool draws;
    };
    const Row rows[] = {
        {0, 9, true},  {2, 1, true},  {3, 7, true},  {3, 9, true},  {3, 8, false}, {4, 2, true},  {4, 7, true},
        {4, 1, false}, {4, 8, false}, {5, 4, true},  {5, 7, true},  {5, 3, false}, {5, 8, false}, {6, 6, true},
        {6, 7, true},  {6, 5, false}, {6, 8, false}, {7, 7, false}, {9, 1, false},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(::testing::Message() << "banker " << row.b2 << " third " << row.t);
        Cards player = Hand({A, 2, row.t == 0 ? 10 : row.t});
        Cards banker = Hand({K, row.b2 == 0 ? 10 : row.b2});
        std::string tip = Tip(player, banker);
        if (!row.draws)
        {
            EXPECT_EQ(tip, "");
        }
        else if (row.b2 <= 2)
        {
            EXPECT_EQ(tip, "闲前两张牌3点，庄" + std::to_string(row.b2) + "点，庄继续拿牌\n");
        }
        else
        {
            EXPECT_EQ(tip,
                      "闲第三张牌" + std::to_string(row.t) + "点，庄" + std::to_string(row.b2) + "点，庄继续拿牌\n");
        }
    }

    // Once the banker shows three cards, nothing more is said.
    EXPECT_EQ(Tip(Hand({A, 2, 3}), Hand({K, A, 2})), "");
    EXPECT_EQ(Tip(Hand({3, 4}), Hand({A, A, 2})), "");
    EXPECT_EQ(CGameLogic::GetDrawTip(nullptr, 2, nullptr, 2), "");
}
