#include "games/BullTable/BullRules.h"
#include "games/BullTable/HandNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

using Cards = std::vector<uint8_t>;
constexpr int J = 11, Q = 12, K = 13, A = 1;

// Cards of the given values; colours cycle so repeated values stay distinct.
Cards Hand(std::initializer_list<int> values)
{
    Cards cards;
    int colour = 0;
    for (int v : values)
        cards.push_back(static_cast<uint8_t>(((colour++ % 4) << 4) | v));
    return cards;
}

std::vector<int> Values(const Cards& cards)
{
    std::vector<int> values;
    for (uint8_t c : cards)
        values.push_back(c & 0x0F);
    return values;
}

int Point(uint8_t card) { return std::min(card & 0x0F, 10); }

// Straight from the definition: face hands first, then any bull scores the
// whole hand's points modulo 10 (0 read as 10).
uint8_t ReferenceType(const Cards& cards)
{
    int faces = 0, tens = 0, sum = 0;
    for (uint8_t c : cards)
    {
        faces += (c & 0x0F) > 10;
        tens += (c & 0x0F) == 10;
        sum += Point(c);
    }
    if (faces == 5)
        return 105;
    if (faces == 4 && tens == 1)
        return 104;
    for (int a = 0; a < 5; ++a)
        for (int b = a + 1; b < 5; ++b)
            for (int c = b + 1; c < 5; ++c)
                if ((Point(cards[a]) + Point(cards[b]) + Point(cards[c])) % 10 == 0)
                    return static_cast<uint8_t>(sum % 10 == 0 ? 10 : sum % 10);
    return 0;
}

Cards RandomHand(std::mt19937& rng)
{
    Cards deck;
    for (int colour = 0; colour < 4; ++colour)
        for (int v = 1; v <= 13; ++v)
            deck.push_back(static_cast<uint8_t>(colour << 4 | v));
    std::shuffle(deck.begin(), deck.end(), rng);
    return Cards(deck.begin(), deck.begin() + 5);
}

}  // namespace

TEST(OxNewBullRules, WorkedExamples)
{
    struct Row
    {
        Cards dealt;
        uint8_t type;
        std::vector<int> arranged;  // empty: no bull, array unchanged
    };
    const Row rows[] = {
        {Hand({K, Q, J, K, Q}), 105, {J, K, Q, K, Q}},
        {Hand({K, Q, J, J, 10}), 104, {J, J, 10, K, Q}},
        {Hand({K, Q, J, 10, 10}), 10, {J, 10, 10, K, Q}},
        {Hand({K, Q, J, J, 5}), 5, {Q, J, J, K, 5}},
        {Hand({7, 3, K, 5, 2}), 7, {3, 5, 2, 7, K}},
        {Hand({9, 8, 7, 6, 4}), 4, {9, 7, 4, 8, 6}},
        {Hand({A, 2, 3, 4, 6}), 6, {A, 3, 6, 2, 4}},
        {Hand({6, 4, 10, 2, 8}), 10, {10, 2, 8, 6, 4}},  // first pair found, not the tens
        {Hand({9, 8, 7, 6, 2}), 0, {}},
        {Hand({A, A, A, A, 6}), 0, {}},
    };
    Bull::CGameLogic logic;
    for (const Row& row : rows)
    {
        SCOPED_TRACE(::testing::PrintToString(Values(row.dealt)));
        EXPECT_EQ(logic.GetCardType(row.dealt.data(), 5), row.type);
        Cards cards = row.dealt;
        bool arranged = logic.ArrangeBullCards(cards.data(), 5);
        EXPECT_EQ(arranged, !row.arranged.empty());
        if (arranged)
            EXPECT_EQ(Values(cards), row.arranged);
        else
            EXPECT_EQ(cards, row.dealt);
    }
}

TEST(OxNewBullRules, FaceHandsComeBeforeThePointSearch)
{
    Bull::CGameLogic logic;
    EXPECT_EQ(logic.GetCardType(Hand({J, J, Q, Q, K}).data(), 5), Bull::OX_FIVE_FACE);
    EXPECT_EQ(logic.GetCardType(Hand({10, J, Q, Q, K}).data(), 5), Bull::OX_FOUR_FACE);
    EXPECT_EQ(logic.GetCardType(Hand({5, J, Q, Q, K}).data(), 5), 5);  // king and five pair
    EXPECT_EQ(logic.GetCardType(Hand({10, 10, Q, Q, K}).data(), 5), Bull::OX_BULL_BULL);
    EXPECT_EQ(logic.GetCardType(Hand({10, 10, J, Q, K}).data(), 5), Bull::OX_BULL_BULL);
}

TEST(OxNewBullRules, CountsOutsideTwoToFiveAreRefused)
{
    Bull::CGameLogic logic;
    Cards two = Hand({4, 6});
    EXPECT_EQ(logic.GetCardType(two.data(), 2), 10);  // shortest hand: the pair is the bull-bull
    Cards one = Hand({K});
    EXPECT_EQ(logic.GetCardType(one.data(), 1), 0);
    EXPECT_FALSE(logic.ArrangeBullCards(one.data(), 1));
    EXPECT_EQ(logic.GetCardType(one.data(), 0), 0);
    EXPECT_EQ(logic.GetCardType(nullptr, 5), 0);
    EXPECT_FALSE(logic.ArrangeBullCards(nullptr, 5));

    // A count from the wire above the hand reads nothing past it.
    Cards exact = Hand({K, Q, J, 10, 10});
    EXPECT_EQ(logic.GetCardType(exact.data(), 6), 0);
    EXPECT_EQ(logic.GetCardType(exact.data(), 255), 0);
    EXPECT_EQ(logic.GetCardType(exact.data(), size_t(-1)), 0);
    EXPECT_FALSE(logic.ArrangeBullCards(exact.data(), 6));
    EXPECT_EQ(exact, Hand({K, Q, J, 10, 10}));
}

TEST(OxNewBullRules, RandomHandsMatchTheDefinitionInAnyOrder)
{
    Bull::CGameLogic logic;
    std::mt19937 rng(8104);
    for (int n = 0; n < 20000; ++n)
    {
        Cards hand = RandomHand(rng);
        uint8_t type = logic.GetCardType(hand.data(), 5);
        ASSERT_EQ(type, ReferenceType(hand)) << ::testing::PrintToString(Values(hand));

        Cards shuffled = hand;
        std::shuffle(shuffled.begin(), shuffled.end(), rng);
        ASSERT_EQ(logic.GetCardType(shuffled.data(), 5), type);

        Cards arranged = hand;
        bool found = logic.ArrangeBullCards(arranged.data(), 5);
        ASSERT_EQ(found, type != 0);
        if (!found)
        {
            ASSERT_EQ(arranged, hand);
            continue;
        }
        ASSERT_TRUE(std::is_permutation(arranged.begin(), arranged.end(), hand.begin()));
        ASSERT_EQ((Point(arranged[0]) + Point(arranged[1]) + Point(arranged[2])) % 10, 0);
        ASSERT_EQ(logic.GetCardType(arranged.data(), 5), type);
    }
}

TEST(OxNewHandNames, EveryTypeByteHasAName)
{
    EXPECT_EQ(Bull::OxNewHandNames.size(), 11u);
    EXPECT_EQ(std::string(Bull::OxNewHandNames[0]), "无牛");
    EXPECT_EQ(std::string(Bull::OxNewHandNames[1]), "牛一");
    EXPECT_EQ(std::string(Bull::OxNewHandNames[9]), "牛九");
    EXPECT_EQ(std::string(Bull::OxNewHandNames[10]), "牛牛");
    for (size_t type : {11u, 104u, 105u, 255u})
    {
        EXPECT_EQ(std::string(Bull::OxNewHandNames[type]), "牛牛");
        EXPECT_EQ(std::string(Bull::OxExHandNames[type]), "牛牛");
    }
    for (size_t type = 0; type <= 10; ++type)
        EXPECT_STREQ(Bull::OxExHandNames[type], Bull::OxNewHandNames[type]);
}
