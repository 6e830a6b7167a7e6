#include "games/DZPoKer/DZPoKerGameLogic.h"

#include "games/CardText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

using cardtext::Cards;
using cardtext::Text;
using namespace DZPoKer;

namespace {

const DZPoKerCGameLogic logic;

uint8_t ClassOf(const std::string& hand)
{
    const auto cards = Cards(hand);
    return logic.GetCardType(cards.data(), static_cast<uint8_t>(cards.size()));
}

uint8_t Compare(const std::string& first, const std::string& second)
{
    const auto a = Cards(first), b = Cards(second);
    EXPECT_EQ(a.size(), 5u);
    EXPECT_EQ(b.size(), 5u);
    return logic.CompareCard(a.data(), b.data(), 5);
}

void ExpectClasses(std::initializer_list<std::pair<const char*, uint8_t>> rows)
{
    for (const auto& r : rows)
        EXPECT_EQ(ClassOf(r.first), r.second) << r.first;
}

// {first, second, CompareCard's answer: 1 first wins, 2 second wins, 0 equal}.
struct CompareRow
{
    const char* first;
    const char* second;
    uint8_t result;
};

void ExpectCompares(std::initializer_list<CompareRow> rows)
{
    for (const CompareRow& r : rows)
        EXPECT_EQ(Compare(r.first, r.second), r.result) << r.first << " / " << r.second;
}

}  // namespace

TEST(DZPoKerHandClass, EveryClassOfTheTable)
{
    ExpectClasses({
        {"Aa Kb 9a 7c 2d", HAND_HIGH_CARD},
        {"Ka Kb 9a 7c 2d", HAND_ONE_PAIR},
        {"Ka Kb 9a 9c 2d", HAND_TWO_PAIRS},
        {"Ka Kb Kc 9c 2d", HAND_THREE_OF_A_KIND},
        {"9a 8b 7a 6c 5d", HAND_STRAIGHT},
        {"Aa Kb Qa Jc Td", HAND_STRAIGHT},
        {"Ka Ta 8a 4a 2a", HAND_FLUSH},
        {"Ka Kb Kc 9c 9d", HAND_FULL_HOUSE},
        {"9a 9b 9c 9d 2d", HAND_FOUR_OF_A_KIND},
        {"9b 8b 7b 6b 5b", HAND_STRAIGHT_FLUSH},
        {"Kc Qc Jc Tc 9c", HAND_STRAIGHT_FLUSH},
        {"Ad Kd Qd Jd Td", HAND_ROYAL_FLUSH},
    });
}

TEST(DZPoKerHandClass, TheAceCountsLowOnlyInFiveHigh)
{
    ExpectClasses({
        {"Aa 5b 4a 3c 2d", HAND_STRAIGHT},
        {"Aa 5a 4a 3a 2a", HAND_STRAIGHT_FLUSH},
        {"Aa Kb Qa Jc 2d", HAND_HIGH_CARD},  // no wrap round the ace
    });
}

TEST(DZPoKerHandClass, OnlyFiveCardsHaveAClass)
{
    const auto six = Cards("Aa Kb Qa Jc Td 9d");
    EXPECT_EQ(logic.GetCardType(six.data(), 4), HAND_INVALID);
    EXPECT_EQ(logic.GetCardType(six.data(), 6), HAND_INVALID);
    EXPECT_EQ(logic.GetCardType(six.data(), 0), HAND_INVALID);
    EXPECT_EQ(logic.CompareCard(six.data(), six.data() + 1, 4), 0);
    EXPECT_EQ(logic.CompareCard(six.data(), six.data() + 1, 200), 0);
}

TEST(DZPoKerCompare, HigherClassWins)
{
    ExpectCompares({
        {"Ka Ta 8a 4a 2a", "9a 8b 7a 6c 5d", 2},  // flush over straight
        {"Ka Ta 8a 4a 2a", "3a 3b 3c 2c 2d", 1},  // full house over flush
        {"3a 3b 3c 3d 2d", "Aa Ab Ac Kc Kd", 2},  // four over full house
        {"Aa 5b 4a 3c 2d", "Ka Kb Kc 9c 2d", 2},
        {"Ad Kd Qd Jd Td", "Kc Qc Jc Tc 9c", 2},
    });
}

TEST(DZPoKerCompare, StraightsByTopCardWithFiveHighLowest)
{
    ExpectCompares({
        {"Aa 5b 4a 3c 2d", "6a 5c 4b 3d 2c", 1},
        {"6a 5c 4b 3d 2c", "Aa 5b 4a 3c 2d", 2},
        {"Aa 5b 4a 3c 2d", "Ab 5a 4c 3d 2a", 0},
        {"Aa Kb Qa Jc Td", "Kc Qb Jd Ta 9a", 2},
        {"9a 8b 7a 6c 5d", "9b 8a 7c 6d 5a", 0},
        {"Aa 5a 4a 3a 2a", "6b 5b 4b 3b 2b", 1},  // steel wheel loses to every straight flush
        {"Ad Kd Qd Jd Td", "Ac Kc Qc Jc Tc", 0},
    });
}

TEST(DZPoKerCompare, HighCardsAndFlushesPlaceByPlace)
{
    ExpectCompares({
        {"Aa Kb 9a 7c 3d", "Ab Kc 9d 7a 2b", 2},
        {"Aa Kb 9a 7c 3d", "Ab Kc 9d 7a 3b", 0},
        {"Ka Qb 9a 7c 3d", "Ab 6d 4c 3a 2b", 1},
        {"Ka Ta 8a 4a 2a", "Kb Tb 8b 5b 2b", 1},
    });
}

TEST(DZPoKerCompare, GroupedClassesByGroupsThenKickers)
{
    // Two pairs: the higher pair, the second pair, then the single.
    ExpectCompares({
        {"Aa Ka Kb 5a 5b", "Kc Kd Qa 5c 5d", 2},
        {"Aa Ka Kb 5a 5b", "Ab Qa Qb Ja Jb", 2},
        {"Ka Kb 5a 5b 2a", "Kc Kd 6c 6d 2b", 1},
        {"Ka Kb 5a 5b 2a", "Kc Kd 5c 5d 2b", 0},
        // One pair: the pair, then the singles in order.
        {"Ka 9a 9b 7c 3d", "Kb 9c 9d 7a 2b", 2},
        {"Ka 9a 9b 7c 3d", "Ta Tb 4a 3c 2d", 1},
        {"Aa Ab Ka 7c 3d", "Ac Ad Kb 7a 3b", 0},
        // Three of a kind: the three, then the singles.
        {"Ka 7a 7b 7c 2d", "Qa Jd 7a 7b 7c", 2},
        {"Ka 7a 7b 7c 2d", "8a 8b 8c 3a 2c", 1},
        // Full house: the three, then the pair (8 8 8 K K over 8 8 8 Q Q).
        {"Ka Kb 8a 8b 8c", "Qa Qb 8b 8c 8d", 2},
        {"8a 8b 8c 2a 2b", "Aa Ab 7b 7c 7d", 2},
        // Four of a kind: the four, then the single.
        {"Ka 5a 5b 5c 5d", "Qa 5a 5b 5c 5d", 2},
        {"Ka 5a 5b 5c 5d", "6a 6b 6c 6d 2a", 1},
        {"Ka 5a 5b 5c 5d", "Kb 5a 5b 5c 5d", 0},
    });
}

TEST(DZPoKerAnalyse, GroupsByValueInHandOrder)
{
    const auto hand = Cards("Ka Kb 9a 9c 2d");
    AnalyseResult r;
    DZPoKerCGameLogic::AnalyseCards(hand.data(), 5, r);
    EXPECT_EQ(r.doubleCount, 2);
    EXPECT_EQ(r.singleCount, 1);
    EXPECT_EQ(r.doubleValue[0], 13);
    EXPECT_EQ(r.doubleValue[1], 9);
    EXPECT_EQ(r.singleValue[0], 2);
    EXPECT_EQ(Text(r.doubleCards, 4), "Ka Kb 9a 9c");

    // A count past the record's room leaves it cleared instead of overrunning it.
    const auto many = Cards("Ka Kb Kc Kd Qa Qb Qc Qd");
    DZPoKerCGameLogic::AnalyseCards(many.data(), 8, r);
    EXPECT_EQ(r.fourCount + r.threeCount + r.doubleCount + r.singleCount, 0);
}

namespace {

using Rows = uint8_t[GAME_PLAYER][HAND_CARD_COUNT];

void SetRow(Rows& rows, int chair, const std::string& hand)
{
    const auto cards = Cards(hand);
    ASSERT_EQ(cards.size(), 5u);
    std::memcpy(rows[chair], cards.data(), 5);
}

std::vector<uint16_t> Winners(const Rows& rows, bool expectResult = true)
{
    WinnerList list;
    EXPECT_EQ(logic.SelectWinners(rows, list), expectResult);
    EXPECT_LE(list.count, GAME_PLAYER);
    return std::vector<uint16_t>(list.chairs, list.chairs + list.count);
}

}  // namespace

TEST(DZPoKerSelectWinners, EqualBestHandsListedLowestChairFirst)
{
    Rows rows = {};
    SetRow(rows, 1, "Aa 5b 4a 3c 2d");
    SetRow(rows, 4, "Ab 5a 4c 3d 2a");
    SetRow(rows, 5, "Ac 5c 4b 3a 2b");
    SetRow(rows, 2, "Ka Kb 9a 7c 2c");
    EXPECT_EQ(Winners(rows), (std::vector<uint16_t>{1, 4, 5}));
}

TEST(DZPoKerSelectWinners, TheStrongestSeatWhereverItSits)
{
    Rows rows = {};
    SetRow(rows, 0, "Ka Kb 9a 7c 2d");
    SetRow(rows, 3, "Ad Kd Qd Jd Td");
    SetRow(rows, 5, "9a 9b 9c 9d 2a");
    EXPECT_EQ(Winners(rows), (std::vector<uint16_t>{3}));

    Rows one = {};
    SetRow(one, 5, "Ka Kb 9a 7c 2d");
    EXPECT_EQ(Winners(one), (std::vector<uint16_t>{5}));
}

TEST(DZPoKerSelectWinners, NoHandGivesAnEmptyList)
{
    Rows rows = {};
    rows[2][1] = 0x11;  // a row whose first byte is 0 holds no hand
    EXPECT_EQ(Winners(rows, false), std::vector<uint16_t>{});
}

// Properties against an independent ranking: class, then the values that
// break ties (groups by size then value, or the straight's top card).
namespace {

std::vector<int> RankKey(const uint8_t* hand)
{
    int count[15] = {};
    bool flush = true;
    for (int i = 0; i < 5; ++i)
    {
        const int face = hand[i] & 0x0F;
        ++count[face == 1 ? 14 : face];
        flush = flush && (hand[i] >> 4) == (hand[0] >> 4);
    }
    std::vector<std::pair<int, int>> groups;  // (size, value)
    for (int v = 14; v >= 2; --v)
    {
        if (count[v] > 0)
            groups.push_back({count[v], v});
    }
    std::stable_sort(groups.begin(), groups.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    int top = 0;
    if (groups.size() == 5)
    {
        if (groups[0].second - groups[4].second == 4)
            top = groups[0].second;
        else if (groups[0].second == 14 && groups[1].second == 5)
            top = 5;
    }
    int cls;
    if (top && flush)
        cls = top == 14 ? 10 : 9;
    else if (groups[0].first == 4)
        cls = 8;
    else if (groups[0].first == 3 && groups[1].first == 2)
        cls = 7;
    else if (flush)
        cls = 6;
    else if (top)
        cls = 5;
    else if (groups[0].first == 3)
        cls = 4;
    else if (groups[0].first == 2 && groups[1].first == 2)
        cls = 3;
    else if (groups[0].first == 2)
        cls = 2;
    else
        cls = 1;
    std::vector<int> key = {cls};
    if (top)
        key.push_back(top);
    else
        for (const auto& g : groups)
            key.push_back(g.second);
    return key;
}

// Five distinct cards of the given deck in hand order, equal values in a
// random colour order (so agreeing with the ranking shows colour order never counts).
std::vector<uint8_t> RandomHand(std::mt19937& rng, std::vector<uint8_t> deck)
{
    std::shuffle(deck.begin(), deck.end(), rng);
    std::vector<uint8_t> hand(deck.begin(), deck.begin() + 5);
    std::stable_sort(hand.begin(), hand.end(), [](uint8_t a, uint8_t b) {
        return DZPoKerCGameLogic::GetCardLogicValue(a) > DZPoKerCGameLogic::GetCardLogicValue(b);
    });
    return hand;
}

std::vector<uint8_t> DeckOf(const std::vector<int>& faces, int colours)
{
    std::vector<uint8_t> deck;
    for (int colour = 0; colour < colours; ++colour)
        for (int face : faces)
            deck.push_back(static_cast<uint8_t>(colour << 4 | face));
    return deck;
}

// A full deck, and small decks that make straights, groups and flushes common.
std::vector<std::vector<uint8_t>> Decks()
{
    return {DeckOf({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}, 4), DeckOf({1, 2, 3, 4, 5, 6, 13}, 4),
            DeckOf({1, 10, 11, 12, 13, 9}, 2), DeckOf({1, 2, 3, 4, 5, 9, 10, 11, 12, 13}, 1)};
}

}  // namespace

TEST(DZPoKerProperties, ClassAndCompareAgreeWithAnIndependentRanking)
{
    std::mt19937 rng(350);
    const auto decks = Decks();
    int classesSeen[11] = {};
    for (int i = 0; i < 40000; ++i)
    {
        const auto& deck = decks[i % decks.size()];
        const auto a = RandomHand(rng, deck), b = RandomHand(rng, deck);
        const auto ka = RankKey(a.data()), kb = RankKey(b.data());
        ASSERT_EQ(logic.GetCardType(a.data(), 5), ka[0]) << Text(a);
        ++classesSeen[ka[0]];
        const uint8_t expected = ka > kb ? 2 : ka < kb ? 1 : 0;
        ASSERT_EQ(logic.CompareCard(a.data(), b.data(), 5), expected) << Text(a) << " / " << Text(b);
        ASSERT_EQ(logic.CompareCard(b.data(), a.data(), 5), expected == 0 ? 0 : 3 - expected)
            << Text(a) << " / " << Text(b);
    }
    for (int c = 1; c <= 10; ++c)
        EXPECT_GT(classesSeen[c], 0) << "class " << c;
}

TEST(DZPoKerProperties, WinnersAreEveryStrongestSeatInChairOrder)
{
    std::mt19937 rng(352);
    const auto decks = Decks();
    for (int i = 0; i < 5000; ++i)
    {
        const auto& deck = decks[1 + i % 3];  // small decks: ties are common
        Rows rows = {};
        std::vector<std::vector<int>> keys(GAME_PLAYER);
        for (int chair = 0; chair < GAME_PLAYER; ++chair)
        {
            if (rng() % 4 == 0)
                continue;
            const auto hand = RandomHand(rng, deck);
            std::memcpy(rows[chair], hand.data(), 5);
            keys[chair] = RankKey(hand.data());
        }
        std::vector<int> best;
        std::vector<uint16_t> expected;
        for (int chair = 0; chair < GAME_PLAYER; ++chair)
        {
            if (keys[chair].empty())
                continue;
            if (keys[chair] > best)
            {
                best = keys[chair];
                expected.clear();
            }
            if (keys[chair] == best)
                expected.push_back(static_cast<uint16_t>(chair));
        }
        ASSERT_EQ(Winners(rows, !expected.empty()), expected);
    }
}
