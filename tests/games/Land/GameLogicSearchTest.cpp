#include "games/Land/GameLogic.h"

#include "games/CardText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using cardtext::Cards;
using cardtext::Text;
using namespace Land;

namespace {

const CGameLogic logic;

uint8_t Count(const std::vector<uint8_t>& cards) { return static_cast<uint8_t>(cards.size()); }

std::vector<std::string> Rows(const CardSearchResult& result)
{
    std::vector<std::string> rows;
    for (uint8_t i = 0; i < result.rowCount; ++i)
        rows.push_back(Text(result.rows[i], result.rowLength[i]));
    return rows;
}

using RowList = std::vector<std::string>;

RowList SameRows(const std::string& hand, uint8_t reference, uint8_t sameCount)
{
    const auto cards = Cards(hand);
    CardSearchResult r;
    const uint8_t n = logic.FindSameCards(cards.data(), Count(cards), reference, sameCount, &r);
    EXPECT_EQ(n, r.rowCount);
    return Rows(r);
}

RowList TakeRows(const std::string& hand, uint8_t reference, uint8_t sameCount, uint8_t take)
{
    const auto cards = Cards(hand);
    CardSearchResult r;
    const uint8_t n = logic.FindTakeCards(cards.data(), Count(cards), reference, sameCount, take, &r);
    EXPECT_EQ(n, r.rowCount);
    return Rows(r);
}

RowList LineRows(const std::string& hand, uint8_t reference, uint8_t block, uint8_t length)
{
    const auto cards = Cards(hand);
    CardSearchResult r;
    const uint8_t n = logic.FindLineCards(cards.data(), Count(cards), reference, block, length, &r);
    EXPECT_EQ(n, r.rowCount);
    return Rows(r);
}

RowList Hints(const std::string& hand, const std::string& turn)
{
    const auto cards = Cards(hand), table = Cards(turn);
    CardSearchResult r;
    const uint8_t n = logic.FindHints(cards.data(), Count(cards), table.data(), Count(table), &r);
    EXPECT_EQ(n, r.rowCount);
    return Rows(r);
}

uint8_t Card(const std::string& text) { return Cards(text).at(0); }

}  // namespace

TEST(LandFindSame, ExactGroupsFirstThenSplitGroupsLowestFirst)
{
    const std::string hand = "3a 5a 5b 7a 7b 7c 9a 9b 9c 9d Ka";
    EXPECT_EQ(SameRows(hand, 0, 1), (RowList{"3a", "Ka", "5b", "7c", "9d"}));
    EXPECT_EQ(SameRows(hand, 0, 2), (RowList{"5b 5a", "7c 7b", "9d 9c"}));
    EXPECT_EQ(SameRows(hand, Card("5d"), 2), (RowList{"7c 7b", "9d 9c"}));
    EXPECT_EQ(SameRows(hand, 0, 3), (RowList{"7c 7b 7a", "9d 9c 9b"}));
    EXPECT_EQ(SameRows(hand, 0, 4), (RowList{"9d 9c 9b 9a"}));
    EXPECT_EQ(SameRows(hand, Card("9a"), 4), RowList{});
    EXPECT_EQ(SameRows(hand, 0, 0), RowList{});
    EXPECT_EQ(SameRows(hand, 0, 5), RowList{});
}

TEST(LandFindSame, WithoutResultOnlyTellsWhetherARowExists)
{
    const auto hand = Cards("3a 5a 5b");
    EXPECT_EQ(logic.FindSameCards(hand.data(), 3, 0, 2, nullptr), 1);
    EXPECT_EQ(logic.FindSameCards(hand.data(), 3, Card("5c"), 2, nullptr), 0);
}

TEST(LandFindTake, CompletesEachThreeOrFourWithTheLowestOtherGroups)
{
    EXPECT_EQ(TakeRows("3a 3b 3c 4a 5a 5b Ka", 0, 3, 1), (RowList{"3c 3b 3a 4a"}));
    EXPECT_EQ(TakeRows("3a 3b 3c 4a 5a 5b Ka", 0, 3, 2), (RowList{"3c 3b 3a 5b 5a"}));
    EXPECT_EQ(TakeRows("3a 3b 3c 7a 7b 7c 9a", Card("5a"), 3, 1), (RowList{"7c 7b 7a 9a"}));
    EXPECT_EQ(TakeRows("6a 6b 6c 6d 3a 3b 9a", 0, 4, 1), (RowList{"6d 6c 6b 6a 9a 3b"}));
    EXPECT_EQ(TakeRows("6a 6b 6c 6d 3a 3b 9a 9b", 0, 4, 2), (RowList{"6d 6c 6b 6a 3b 3a 9b 9a"}));
    // A three split from a four never takes its own fourth card.
    EXPECT_EQ(TakeRows("7a 7b 7c 7d 5a", 0, 3, 1), (RowList{"7d 7c 7b 5a"}));
    EXPECT_EQ(TakeRows("7a 7b 7c 7d", 0, 3, 1), RowList{});
}

TEST(LandFindTake, RefusesImpossibleShapesAndShortHands)
{
    EXPECT_EQ(TakeRows("3a 3b 3c 4a 5a", 0, 3, 2), RowList{});  // no pair to attach
    EXPECT_EQ(TakeRows("3a 3b 3c", 0, 3, 1), RowList{});
    EXPECT_EQ(TakeRows("6a 6b 6c 6d 3a", 0, 4, 1), RowList{});  // a four needs six cards
    EXPECT_EQ(TakeRows("3a 3b 3c 4a 5a", 0, 2, 1), RowList{});
    EXPECT_EQ(TakeRows("3a 3b 3c 4a 5a", 0, 3, 3), RowList{});
}

TEST(LandFindLine, FreeLengthGivesMaximalRunsWithTheAceAfterKing)
{
    EXPECT_EQ(LineRows("3a 4a 5a 6a 7a 9a Ta Ja Qa Ka Aa 2a", 0, 1, 0),
              (RowList{"3a 4a 5a 6a 7a", "9a Ta Ja Qa Ka Aa"}));
    EXPECT_EQ(LineRows("3a 3b 4a 4b 5a 5b 5c 7a 7b", 0, 2, 0), (RowList{"3b 3a 4b 4a 5c 5b"}));
    EXPECT_EQ(LineRows("3a 3b 3c 4a 4b 4c", 0, 3, 0), (RowList{"3c 3b 3a 4c 4b 4a"}));
    EXPECT_EQ(LineRows("Ka Kb Kc Aa Ab Ac", 0, 3, 0), (RowList{"Kc Kb Ka Ac Ab Aa"}));
    EXPECT_EQ(LineRows("Ta Ja Qa Ka", 0, 1, 0), RowList{});
    EXPECT_EQ(LineRows("Aa 2a 3a 4a 5a", 0, 1, 0), RowList{});  // A and 2 never start a line
}

TEST(LandFindLine, FixedLengthSlidesAWindowAboveTheReference)
{
    EXPECT_EQ(LineRows("4a 5a 6a 7a 8a 9a", Card("7a"), 1, 5), (RowList{"4a 5a 6a 7a 8a", "5a 6a 7a 8a 9a"}));
    EXPECT_EQ(LineRows("9a Ta Ja Qa Ka Aa", Card("Kb"), 1, 5), (RowList{"Ta Ja Qa Ka Aa"}));
    EXPECT_EQ(LineRows("Ta Ja Qa Ka", Card("Kb"), 1, 5), RowList{});
    EXPECT_EQ(LineRows("Ta Ja Qa Ka Aa", Card("Ab"), 1, 5), RowList{});  // nothing above A
    EXPECT_EQ(LineRows("5a 5b 6a 6b 7a 7b 8a 8b", Card("6c"), 2, 3),
              (RowList{"5b 5a 6b 6a 7b 7a", "6b 6a 7b 7a 8b 8a"}));
    EXPECT_EQ(LineRows("5a 6a 7a 8a 9a", Card("5b"), 1, 12), RowList{});
    EXPECT_EQ(LineRows("Aa 2a 3a 4a 5a 6a", Card("4b"), 1, 5), RowList{});  // no 2-3-4-5-6 from a low reference
    EXPECT_EQ(LineRows("3a 4a 5a 6a 7a", 0, 0, 5), RowList{});
    EXPECT_EQ(LineRows("3a 4a 5a 6a 7a", 0, 4, 5), RowList{});
    EXPECT_EQ(LineRows("3a 4a 5a 6a 7a", 0, 1, 250), RowList{});
}

TEST(LandHints, LeadOffersOneRowOfEachKind)
{
    EXPECT_EQ(Hints("3a 3b 5a", ""), (RowList{"3b 3a", "5a"}));
    EXPECT_EQ(Hints("3a 4a 4b 5a 6a 7a 8a 9a 9b 9c Ka Kb Kc Kd SJ BJ", ""),
              (RowList{"3a", "4b 4a", "9c 9b 9a", "9c 9b 9a 3a", "9c 9b 9a 4b 4a", "3a 4b 5a 6a 7a 8a 9c",
                       "Kd Kc Kb Ka", "BJ SJ"}));
    // The whole hand first when it is one play; the lowest group then stands for its size.
    EXPECT_EQ(Hints("7a 7b 7c 7d", ""), (RowList{"7d 7c 7b 7a", "7d 7c 7b 7a", "7d", "7d 7c", "7d 7c 7b"}));
    EXPECT_EQ(Hints("SJ BJ", ""), (RowList{"BJ SJ", "SJ", "BJ SJ"}));
}

TEST(LandHints, FollowSameCountsThenBombsThenMissile)
{
    EXPECT_EQ(Hints("3a 5a Aa 2a 7a 7b 7c 7d SJ BJ", "Kb"), (RowList{"Aa", "2a", "SJ", "BJ", "7d 7c 7b 7a", "BJ SJ"}));
    EXPECT_EQ(Hints("3a 3b 8a 8b Qa Qb Qc", "5c 5d"), (RowList{"8b 8a", "Qc Qb"}));
    EXPECT_EQ(Hints("3a 3b 3c 8a", "5a 5b 5c"), RowList{});
}

TEST(LandHints, FollowLinesWithTheSameLength)
{
    EXPECT_EQ(Hints("Ta Ja Qa Ka Aa", "9b Tb Jb Qb Kb"), (RowList{"Ta Ja Qa Ka Aa"}));
    EXPECT_EQ(Hints("4a 4b 5a 5b 6a 6b 7a 7b 3c", "3a 3b 4c 4d 5c 5d"),
              (RowList{"4b 4a 5b 5a 6b 6a", "5b 5a 6b 6a 7b 7a"}));
    EXPECT_EQ(Hints("8a 8b 8c 9a 9b 9c Ta", "6a 6b 6c 7a 7b 7c"), (RowList{"8c 8b 8a 9c 9b 9a"}));
}

TEST(LandHints, FollowThreesAndFoursWithAttachments)
{
    EXPECT_EQ(Hints("6a 6b 6c 4a 9a 9b", "5a 5b 5c 3a"), (RowList{"6c 6b 6a 4a"}));
    EXPECT_EQ(Hints("6a 6b 6c 4a 9a 9b", "5a 5b 5c 3a 3b"), (RowList{"6c 6b 6a 9b 9a"}));
    EXPECT_EQ(Hints("5a 5b 5c 6a 6b 6c Ta Ja Qa 2a", "3a 3b 3c 4a 4b 4c 8a 9a"), (RowList{"5c 5b 5a 6c 6b 6a Ta Ja"}));
    EXPECT_EQ(Hints("5a 5b 5c 6a 6b 6c Ta Tb Ja Jb Qa", "3a 3b 3c 4a 4b 4c 8a 8b 9a 9b"),
              (RowList{"5c 5b 5a 6c 6b 6a Tb Ta Jb Ja"}));
    EXPECT_EQ(Hints("9a 9b 9c 9d 4a 7a", "3a 3b 3c 3d 5a 6a"), (RowList{"9d 9c 9b 9a 4a 7a", "9d 9c 9b 9a"}));
    EXPECT_EQ(Hints("6a 6b 6c 6d 3a 3b 9a 9b", "5a 5b 5c 5d Ka Kb Qa Qb"),
              (RowList{"6d 6c 6b 6a 3b 3a 9b 9a", "6d 6c 6b 6a"}));
    // Too few cards to answer a long play: only bombs and the missile remain.
    EXPECT_EQ(Hints("5a 5b 5c 6a 6b 6c Ta", "3a 3b 3c 4a 4b 4c 8a 9a"), RowList{});
}

TEST(LandHints, BombsAndMissile)
{
    EXPECT_EQ(Hints("7a 7b 7c 7d 9a 9b 9c 9d SJ BJ 3a", "8a 8b 8c 8d"), (RowList{"9d 9c 9b 9a", "BJ SJ"}));
    EXPECT_EQ(Hints("7a 7b 7c 7d 9a 9b 9c 9d SJ BJ 3a", "BJ SJ"), RowList{});
    EXPECT_EQ(Hints("3a 3b 3c 3d", "Ab Ac Ad Kb Kc"), (RowList{"3d 3c 3b 3a"}));
}

TEST(LandHints, NeverOffersAPlayThatCannotBeMade)
{
    // Three 5s for the line leave a lone 5, and taking it as an attachment
    // would make a four: the row is no play and is not offered.
    EXPECT_EQ(Hints("5a 5b 5c 5d 6a 6b 6c 7a 7b", "3a 3b 3c 4a 4b 4c 8a 9a"), (RowList{"5d 5c 5b 5a"}));
}

TEST(LandHints, RefusesCountsPastTheArrays)
{
    std::vector<uint8_t> hand(20), turn(20);
    for (size_t i = 0; i < 20; ++i)
        hand[i] = turn[i] = static_cast<uint8_t>((i % 4) << 4 | (i / 4 + 3));
    CardSearchResult r;
    r.rowCount = 7;
    EXPECT_EQ(logic.FindHints(hand.data(), 200, turn.data(), 1, &r), 0);
    EXPECT_EQ(r.rowCount, 0);
    EXPECT_EQ(logic.FindHints(hand.data(), 20, turn.data(), 21, &r), 0);
    EXPECT_EQ(logic.FindHints(hand.data(), 20, turn.data(), 0, nullptr), 0);
    EXPECT_EQ(logic.FindSameCards(hand.data(), 255, 0, 1, &r), 0);
    EXPECT_EQ(logic.FindTakeCards(hand.data(), 255, 0, 3, 1, &r), 0);
    EXPECT_EQ(logic.FindLineCards(hand.data(), 255, 0, 1, 0, &r), 0);
    EXPECT_EQ(logic.GetCardType(hand.data(), 255), ERROR);
    EXPECT_FALSE(logic.CompareCards(hand.data(), hand.data(), 255, 1));
    EXPECT_FALSE(logic.CompareCards(hand.data(), hand.data(), 1, 255));
    CardGroups g;
    logic.AnalyseCards(hand.data(), 21, g);
    EXPECT_EQ(g.blockCount[0] + g.blockCount[1] + g.blockCount[2] + g.blockCount[3], 0);
    FaceCountTable t;
    logic.CountFaces(hand.data(), 21, t);
    EXPECT_EQ(t.cardCount, 0);
    const auto before = hand;
    logic.PutMainPartFirst(hand.data(), 255);
    EXPECT_EQ(hand, before);
}

TEST(LandHints, BytesThatNameNoCardAreHarmless)
{
    std::vector<uint8_t> junk = {0x00, 0x10, 0x53, 0xF5, 0xFF, 0x4D, 0x40, 0x4F, 0x4E, 0x3D};
    for (uint8_t n = 0; n <= junk.size(); ++n)
    {
        CardSearchResult r;
        logic.FindHints(junk.data(), n, junk.data(), 0, &r);
        for (uint8_t t = 1; t <= n; ++t)
            logic.FindHints(junk.data(), n, junk.data() + n - t, t, &r);
        EXPECT_LE(r.rowCount, MAX_SEARCH_ROWS);
    }
}

// Properties over random deals with a fixed seed.
namespace {

std::vector<uint8_t> Deck()
{
    std::vector<uint8_t> deck;
    for (uint8_t colour = 0; colour < 4; ++colour)
    {
        for (uint8_t face = 1; face <= 13; ++face)
            deck.push_back(static_cast<uint8_t>(colour << 4 | face));
    }
    deck.push_back(SMALL_JOKER);
    deck.push_back(BIG_JOKER);
    return deck;
}

std::vector<uint8_t> SortedCopy(const uint8_t* cards, uint8_t count, uint8_t mode = 1)
{
    std::vector<uint8_t> out(cards, cards + count);
    logic.SortCards(out.data(), count, mode);
    return out;
}

bool IsSubset(std::vector<uint8_t> part, std::vector<uint8_t> whole)
{
    std::sort(part.begin(), part.end());
    std::sort(whole.begin(), whole.end());
    return std::includes(whole.begin(), whole.end(), part.begin(), part.end());
}

// A random row of a search, or nothing.
std::vector<uint8_t> PickRow(std::mt19937& rng, const CardSearchResult& rows)
{
    if (rows.rowCount == 0)
        return {};
    const uint8_t row = static_cast<uint8_t>(rng() % rows.rowCount);
    return std::vector<uint8_t>(rows.rows[row], rows.rows[row] + rows.rowLength[row]);
}

// A random play of some type made from the pool, sorted; empty when the pool
// has none of that type.
std::vector<uint8_t> RandomPlay(std::mt19937& rng, const std::vector<uint8_t>& pool)
{
    const uint8_t n = Count(pool);
    CardSearchResult rows;
    std::vector<uint8_t> play;
    switch (rng() % 10)
    {
        case 0:
        case 1:
        case 2:
            logic.FindSameCards(pool.data(), n, 0, static_cast<uint8_t>(1 + rng() % 4), &rows);
            play = PickRow(rng, rows);
            break;
        case 3:
        {
            const uint8_t block = static_cast<uint8_t>(1 + rng() % 3);
            const uint8_t length = static_cast<uint8_t>((block == 1 ? 5 : block == 2 ? 3 : 2) + rng() % 4);
            logic.FindLineCards(pool.data(), n, 0, block, length, &rows);
            play = PickRow(rng, rows);
            break;
        }
        case 4:
        case 5:
            logic.FindTakeCards(pool.data(), n, 0, static_cast<uint8_t>(3 + rng() % 2),
                                static_cast<uint8_t>(1 + rng() % 2), &rows);
            play = PickRow(rng, rows);
            break;
        case 6: play = Cards("BJ SJ"); break;
        default:
        {
            // Threes in a line with one single or one pair for each three.
            const uint8_t threes = static_cast<uint8_t>(2 + rng() % 3);
            const uint8_t take = static_cast<uint8_t>(1 + rng() % 2);
            logic.FindLineCards(pool.data(), n, 0, 3, threes, &rows);
            play = PickRow(rng, rows);
            if (play.empty())
                break;
            std::vector<uint8_t> rest = pool;
            logic.RemoveCards(play.data(), Count(play), rest.data(), n);
            rest.resize(n - play.size());
            logic.FindSameCards(rest.data(), Count(rest), 0, take, &rows);
            std::vector<uint8_t> order(rows.rowCount);
            for (uint8_t i = 0; i < rows.rowCount; ++i)
                order[i] = i;
            std::shuffle(order.begin(), order.end(), rng);
            if (order.size() < threes)
                return {};
            for (uint8_t i = 0; i < threes; ++i)
                play.insert(play.end(), rows.rows[order[i]], rows.rows[order[i]] + take);
            break;
        }
    }
    if (!IsSubset(play, pool))
        return {};
    logic.SortCards(play.data(), Count(play), 1);
    if (logic.GetCardType(play.data(), Count(play)) == ERROR)
        return {};
    return play;
}

// Deals a hand and a play that it must answer (none: the hand leads). The
// play comes from a deck of its own, so any hand meets any play; a third of
// the hands come from a few neighbouring values, full of threes and fours.
struct Deal
{
    std::vector<uint8_t> hand;
    std::vector<uint8_t> turn;
};

Deal RandomDeal(std::mt19937& rng)
{
    Deal deal;
    std::vector<uint8_t> deck = Deck();
    if (rng() % 3 == 0)
    {
        const uint8_t low = static_cast<uint8_t>(3 + rng() % 7);
        deck.clear();
        for (uint8_t face = low; face < low + 6; ++face)
            for (uint8_t colour = 0; colour < 4; ++colour)
                deck.push_back(static_cast<uint8_t>(colour << 4 | face));
        deck.push_back(SMALL_JOKER);
        deck.push_back(BIG_JOKER);
    }
    std::shuffle(deck.begin(), deck.end(), rng);
    const size_t handSize = rng() % 2 ? 20 - rng() % 4 : 1 + rng() % 20;
    deal.hand.assign(deck.begin(), deck.begin() + handSize);
    if (rng() % 8 == 0)
        return deal;
    for (int attempt = 0; attempt < 8 && deal.turn.empty(); ++attempt)
    {
        auto other = Deck();
        std::shuffle(other.begin(), other.end(), rng);
        deal.turn = RandomPlay(rng, std::vector<uint8_t>(other.begin(), other.begin() + 20));
    }
    return deal;
}

}  // namespace

TEST(LandProperties, EveryHintIsAPlayFromTheHandThatBeatsTheTurn)
{
    std::mt19937 rng(101);
    int followRows = 0;
    for (int i = 0; i < 10000; ++i)
    {
        const Deal deal = RandomDeal(rng);
        CardSearchResult r;
        logic.FindHints(deal.hand.data(), Count(deal.hand), deal.turn.data(), Count(deal.turn), &r);
        ASSERT_LE(r.rowCount, MAX_SEARCH_ROWS);
        for (uint8_t row = 0; row < r.rowCount; ++row)
        {
            const auto play = SortedCopy(r.rows[row], r.rowLength[row]);
            const std::string what = Text(play) + " against " + Text(deal.turn) + " from " + Text(deal.hand);
            ASSERT_TRUE(IsSubset(play, deal.hand)) << what;
            ASSERT_EQ(std::count(r.rows[row], r.rows[row] + r.rowLength[row], 0), 0) << what;
            ASSERT_NE(logic.GetCardType(play.data(), Count(play)), ERROR) << what;
            if (!deal.turn.empty())
            {
                ++followRows;
                ASSERT_TRUE(logic.CompareCards(deal.turn.data(), play.data(), Count(deal.turn), Count(play))) << what;
            }
        }
        // A lead always has a hint: at least the lowest single.
        if (deal.turn.empty())
        {
            ASSERT_GT(r.rowCount, 0) << Text(deal.hand);
        }
    }
    EXPECT_GT(followRows, 1000);
}

TEST(LandProperties, HintsFindABeatingPlayOfOneValueWheneverOneExists)
{
    std::mt19937 rng(202);
    for (int i = 0; i < 4000; ++i)
    {
        const Deal deal = RandomDeal(rng);
        const uint8_t turnType = logic.GetCardType(deal.turn.data(), Count(deal.turn));
        if (turnType != SINGLE && turnType != DOUBLE && turnType != THREE && turnType != BOMB_CARD)
            continue;
        // Brute force: any same-sized set of one value above the turn, a bomb or the missile.
        const uint8_t need = turnType == BOMB_CARD ? 4 : turnType;
        const uint8_t turnValue = logic.GetCardLogicValue(deal.turn[0]);
        int perValue[18] = {};
        for (uint8_t c : deal.hand)
            ++perValue[logic.GetCardLogicValue(c)];
        bool exists = perValue[16] == 1 && perValue[17] == 1;
        for (int v = 3; v <= 17; ++v)
        {
            if ((perValue[v] >= need && v > turnValue) || (turnType != BOMB_CARD && perValue[v] == 4))
                exists = true;
        }
        CardSearchResult r;
        logic.FindHints(deal.hand.data(), Count(deal.hand), deal.turn.data(), Count(deal.turn), &r);
        ASSERT_EQ(r.rowCount > 0, exists) << Text(deal.turn) << " / " << Text(deal.hand);
    }
}

TEST(LandProperties, CompareIsAntisymmetricAndTransitive)
{
    std::mt19937 rng(303);
    std::vector<std::vector<uint8_t>> plays;
    while (plays.size() < 400)
    {
        const Deal deal = RandomDeal(rng);
        CardSearchResult r;
        logic.FindHints(deal.hand.data(), Count(deal.hand), deal.turn.data(), Count(deal.turn), &r);
        for (uint8_t row = 0; row < r.rowCount; ++row)
        {
            auto play = SortedCopy(r.rows[row], r.rowLength[row]);
            // One deck holds one missile: it never meets another.
            if (logic.GetCardType(play.data(), Count(play)) != MISSILE_CARD)
                plays.push_back(std::move(play));
        }
    }
    plays.push_back(Cards("BJ SJ"));
    auto beats = [](const std::vector<uint8_t>& table, const std::vector<uint8_t>& next) {
        return logic.CompareCards(table.data(), next.data(), Count(table), Count(next));
    };
    std::swap(plays[0], plays.back());  // keep the missile among the compared plays
    const size_t n = 150;
    for (size_t a = 0; a < n; ++a)
    {
        if (a != 0)
        {  // the missile is the one play that beats its own kind
            ASSERT_FALSE(beats(plays[a], plays[a])) << Text(plays[a]);
        }
        for (size_t b = 0; b < n; ++b)
        {
            if (a == b || !beats(plays[a], plays[b]))
                continue;
            ASSERT_FALSE(beats(plays[b], plays[a])) << Text(plays[a]) << " / " << Text(plays[b]);
            for (size_t c = 0; c < n; ++c)
            {
                if (beats(plays[b], plays[c]))
                {
                    ASSERT_TRUE(beats(plays[a], plays[c]))
                        << Text(plays[a]) << " < " << Text(plays[b]) << " < " << Text(plays[c]);
                }
            }
        }
    }
}

TEST(LandProperties, ClassificationDoesNotDependOnDealOrderOrSortMode)
{
    std::mt19937 rng(404);
    for (int i = 0; i < 2000; ++i)
    {
        const Deal deal = RandomDeal(rng);
        CardSearchResult r;
        logic.FindHints(deal.hand.data(), Count(deal.hand), deal.turn.data(), Count(deal.turn), &r);
        for (uint8_t row = 0; row < r.rowCount; ++row)
        {
            std::vector<uint8_t> play(r.rows[row], r.rows[row] + r.rowLength[row]);
            const auto reference = SortedCopy(play.data(), Count(play));
            const uint8_t type = logic.GetCardType(reference.data(), Count(reference));
            std::shuffle(play.begin(), play.end(), rng);
            ASSERT_EQ(SortedCopy(play.data(), Count(play)), reference);
            const auto byCount = SortedCopy(play.data(), Count(play), 2);
            ASSERT_EQ(logic.GetCardType(byCount.data(), Count(byCount)), type) << Text(byCount);
        }
    }
}

TEST(LandProperties, SortModesOrderAPermutationOfTheHand)
{
    std::mt19937 rng(505);
    for (int i = 0; i < 2000; ++i)
    {
        auto deck = Deck();
        std::shuffle(deck.begin(), deck.end(), rng);
        const uint8_t n = static_cast<uint8_t>(rng() % 21);
        const std::vector<uint8_t> hand(deck.begin(), deck.begin() + n);

        const auto byValue = SortedCopy(hand.data(), n, 1);
        ASSERT_TRUE(std::is_permutation(byValue.begin(), byValue.end(), hand.begin()));
        for (uint8_t k = 1; k < n; ++k)
        {
            const uint8_t a = logic.GetCardLogicValue(byValue[k - 1]);
            const uint8_t b = logic.GetCardLogicValue(byValue[k]);
            ASSERT_TRUE(a > b || (a == b && byValue[k - 1] > byValue[k])) << Text(byValue);
        }

        // Mode 2: runs of one value, sizes never growing, values falling within a size,
        // and each run in the value order's colour order.
        const auto byCount = SortedCopy(hand.data(), n, 2);
        ASSERT_TRUE(std::is_permutation(byCount.begin(), byCount.end(), hand.begin()));
        int lastSize = 5, lastValue = 99;
        for (uint8_t k = 0; k < n;)
        {
            const uint8_t v = logic.GetCardLogicValue(byCount[k]);
            uint8_t end = k + 1;
            while (end < n && logic.GetCardLogicValue(byCount[end]) == v)
            {
                ASSERT_GT(byCount[end - 1], byCount[end]);
                ++end;
            }
            const int size = end - k;
            ASSERT_TRUE(size < lastSize || (size == lastSize && v < lastValue)) << Text(byCount);
            lastSize = size;
            lastValue = v;
            k = end;
        }
    }
}

TEST(LandProperties, RemoveIsAllOrNothing)
{
    std::mt19937 rng(606);
    for (int i = 0; i < 3000; ++i)
    {
        auto deck = Deck();
        std::shuffle(deck.begin(), deck.end(), rng);
        const uint8_t n = static_cast<uint8_t>(rng() % 21);
        std::vector<uint8_t> hand(deck.begin(), deck.begin() + n);
        std::vector<uint8_t> remove;
        const size_t k = rng() % (n + 2);
        for (size_t j = 0; j < k; ++j)
            remove.push_back(rng() % 4 == 0 || n == 0 ? deck[20 + rng() % 30] : hand[rng() % n]);

        // Expected: every card found once (a repeated card needs repeated copies).
        std::vector<uint8_t> expected = hand;
        bool all = true;
        for (uint8_t c : remove)
        {
            auto it = std::find(expected.begin(), expected.end(), c);
            if (it == expected.end())
            {
                all = false;
                break;
            }
            expected.erase(it);
        }
        std::vector<uint8_t> after = hand;
        const bool ok = logic.RemoveCards(remove.data(), Count(remove), after.data(), n);
        ASSERT_EQ(ok, all);
        if (ok)
        {
            ASSERT_EQ(std::vector<uint8_t>(after.begin(), after.begin() + expected.size()), expected);
        }
        else
        {
            ASSERT_EQ(after, hand);
        }
    }
}
