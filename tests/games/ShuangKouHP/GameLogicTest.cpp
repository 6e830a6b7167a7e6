#include "Cards.h"

#include <gtest/gtest.h>

using namespace ShuangKouHP;
using skt::Cards;
using skt::Parse;
using skt::Sorted;
using skt::Text;

namespace {

struct Typed
{
    uint8_t type;
    uint8_t stars;
};

Typed TypeOf(const std::string& text)
{
    Cards cards = Sorted(Parse(text));
    Typed t{};
    t.type = CGameLogic().GetCardType(cards.data(), cards.size(), &t.stars);
    return t;
}

// True when `next` beats `first` on the table; both go through the same
// substitution and sort as the board's follow check.
bool Beats(const std::string& next, const std::string& first)
{
    CGameLogic logic;
    Cards a = Parse(first), b = Parse(next);
    Cards sa(a.size()), sb(b.size());
    logic.SubstituteJokers(a.data(), a.size(), sa.data());
    logic.SubstituteJokers(b.data(), b.size(), sb.data());
    sa = Sorted(sa);
    sb = Sorted(sb);
    return logic.CompareCard(sa.data(), sb.data(), sa.size(), sb.size());
}

std::string Substituted(const std::string& text, bool* ok = nullptr)
{
    CGameLogic logic;
    Cards cards = Parse(text);
    Cards out(cards.size(), 0xEE);
    bool result = logic.SubstituteJokers(cards.data(), cards.size(), out.data());
    if (ok != nullptr)
        *ok = result;
    return Text(Sorted(out));
}

struct BeatRow
{
    const char* next;
    const char* first;
    bool beats;
};

void ExpectBeats(std::initializer_list<BeatRow> rows)
{
    for (const BeatRow& r : rows)
        EXPECT_EQ(Beats(r.next, r.first), r.beats) << r.next << " on " << r.first;
}

}  // namespace

TEST(ShuangKouCards, LogicValuesAndMadeCards)
{
    CGameLogic logic;
    EXPECT_EQ(logic.GetCardLogicValue(0x03), 3);
    EXPECT_EQ(logic.GetCardLogicValue(0x3D), 13);
    EXPECT_EQ(logic.GetCardLogicValue(0x21), 14);
    EXPECT_EQ(logic.GetCardLogicValue(0x12), 15);
    EXPECT_EQ(logic.GetCardLogicValue(SMALL_JOKER), 16);
    EXPECT_EQ(logic.GetCardLogicValue(BIG_JOKER), 17);
    EXPECT_TRUE(logic.CompareLogicValue(0x02, 0x01));   // two above ace
    EXPECT_FALSE(logic.CompareLogicValue(0x01, 0x11));  // equal is not higher

    for (uint8_t index = 0; index <= 12; ++index)
        for (uint8_t colour = 0; colour < 4; ++colour)
        {
            uint8_t card = logic.MakeCardData(index, colour);
            EXPECT_EQ(card >> 4, colour);
            EXPECT_EQ(logic.GetCardLogicValue(card), index + 3);
        }
    EXPECT_EQ(logic.MakeCardData(11, 2), 0x21);
    EXPECT_EQ(logic.MakeCardData(13, 3), SMALL_JOKER);  // colour ignored for jokers
    EXPECT_EQ(logic.MakeCardData(14, 0), BIG_JOKER);
    EXPECT_EQ(logic.MakeCardData(15, 0), 0);
}

TEST(ShuangKouSort, ByValueAndByGroupSize)
{
    // High to low, equal values by the card byte.
    Cards cards = {0x03, 0x4E, 0x12, 0x01, 0x31, 0x4F, 0x0D, 0x11};
    EXPECT_EQ(Sorted(cards), (Cards{0x4F, 0x4E, 0x12, 0x31, 0x11, 0x01, 0x0D, 0x03}));
    EXPECT_EQ(Sorted(cards, 2), Sorted(cards));  // any mode but 1 sorts by value

    EXPECT_EQ(Text(Sorted(Parse("5 5 5 K K s"), ST_GROUP)), "s 5 5 5 K K");
    EXPECT_EQ(Text(Sorted(Parse("A 3 7 7 s 3 7 b 7"), ST_GROUP)), "b s 7 7 7 7 3 3 A");
    EXPECT_EQ(Text(Sorted(Parse("5 9 5 9 Q"), ST_GROUP)), "9 9 5 5 Q");  // equal sizes keep high to low

    CGameLogic logic;
    logic.SortCardList(nullptr, 0, ST_VALUE);
    Cards one = {0x05};
    logic.SortCardList(one.data(), 1, ST_GROUP);
    EXPECT_EQ(one, Cards{0x05});
}

TEST(ShuangKouCardTypes, EveryTypeAndItsStars)
{
    struct Row
    {
        const char* cards;
        uint8_t type;
        uint8_t stars;
    };
    const Row rows[] = {
        {"", CT_ERROR, 0},
        {"7", CT_SINGLE, 0},
        {"b", CT_SINGLE, 0},
        {"9 9", CT_DOUBLE, 0},
        {"s s", CT_DOUBLE, 0},
        {"b b", CT_DOUBLE, 0},
        {"s b", CT_ERROR, 0},
        {"9 8", CT_ERROR, 0},
        {"7 7 7", CT_THREE, 0},
        {"7 7 8", CT_ERROR, 0},
        {"3 4 5 6 7", CT_SINGLE_LINE, 0},
        {"10 J Q K A", CT_SINGLE_LINE, 0},
        {"3 4 5 6 7 8 9 10 J Q K A", CT_SINGLE_LINE, 0},
        {"J Q K A 2", CT_ERROR, 0},
        {"A 2 3 4 5", CT_ERROR, 0},
        {"3 4 5 6", CT_ERROR, 0},
        {"3 4 5 7 8", CT_ERROR, 0},
        {"3 3 4 4 5 5", CT_DOUBLE_LINE, 0},
        {"Q Q K K A A", CT_DOUBLE_LINE, 0},
        {"K K A A 2 2", CT_ERROR, 0},
        {"3 3 4 4", CT_ERROR, 0},
        {"3 3 4 4 6 6", CT_ERROR, 0},
        {"3 3 3 4 4 4 5 5 5", CT_THREE_LINE, 0},
        {"3 3 3 4 4 4", CT_ERROR, 0},
        {"3 3 3 4 4 4 5 5", CT_ERROR, 0},
        {"8 8 8 8", CT_BOMB, 4},
        {"8 8 8 8 8", CT_BOMB, 5},
        {"8 8 8 8 8 8 8 8", CT_BOMB, 8},
        {"8 8 8 8 8 8 8 8 8 8 8 8", CT_BOMB, 12},
        {"s s b", CT_THREE_JOKERS, 6},
        {"b b s", CT_THREE_JOKERS, 6},
        {"s s b b", CT_FOUR_JOKERS, 7},
        {"s b 5", CT_ERROR, 0},
        {"4 4 4 4 5 5 5 5 6 6 6 6", CT_LINKED_BOMB, 7},
        {"3 3 3 3 4 4 4 4 5 5 5 5 6 6 6 6", CT_LINKED_BOMB, 8},
        {"5 5 5 5 5 6 6 6 6 6 7 7 7 7 7", CT_LINKED_BOMB, 8},
        {"4 4 4 4 4 5 5 5 5 6 6 6 6", CT_LINKED_BOMB, 7},  // uneven: smallest 4 + 3 groups
        {"5 5 5 5 6 6 6 6 6 6 7 7 7 7 7", CT_LINKED_BOMB, 7},
        {"2 2 2 2 3 3 3 3 4 4 4 4", CT_LINKED_BOMB, 7},  // the two links the ace to the three
        {"A A A A 2 2 2 2 3 3 3 3", CT_LINKED_BOMB, 7},
        {"K K K K A A A A 2 2 2 2", CT_LINKED_BOMB, 7},
        {"A A A A 3 3 3 3 4 4 4 4", CT_ERROR, 0},
        {"4 4 4 4 5 5 5 5 7 7 7 7", CT_ERROR, 0},
        {"4 4 4 4 5 5 5 6 6 6 6 6", CT_ERROR, 0},  // a group of three stops the walk
        {"4 4 4 4 5 5 5 5", CT_ERROR, 0},          // two groups are no linked bomb
        {"7 7 7 7 7 7 7 5 5 5 5 5", CT_ERROR, 0},  // more than half one value
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.cards);
        Typed t = TypeOf(row.cards);
        EXPECT_EQ(t.type, row.type);
        EXPECT_EQ(t.stars, row.stars);
    }
}

TEST(ShuangKouCompare, PlainPatternsNeedTheSameShapeAndAHigherTop)
{
    ExpectBeats({
        {"8", "7", true},
        {"7", "7", false},  // a tie leaves the table as it is
        {"7", "8", false},
        {"2", "A", true},
        {"s", "2", true},
        {"b", "s", true},
        {"s b", "2 2", true},  // the joker pair plays as big jokers
        {"K K", "K", false},
        {"4 5 6 7 8 9", "3 4 5 6 7", false},  // lines of another length
        {"4 5 6 7 8", "3 4 5 6 7", true},
        {"5 5 5", "4 4 4 4 5 6 7 8 9", false},  // an invalid table beats nothing
        {"4 4 5 5 6 6", "3 3 3 4 4 4", false},
    });
}

TEST(ShuangKouCompare, BombsByStarsThenShape)
{
    ExpectBeats({
        {"3 3 3 3", "2 2 2", true},
        {"A A A", "3 3 3 3", false},
        {"3 3 3 3 3", "2 2 2 2", true},  // more stars
        {"5 5 5 5", "4 4 4 4", true},
        {"4 4 4 4", "4 4 4 4", false},
        {"6 6 6 6 6", "5 5 5 5 5", true},
    });

    // Stars 6: a six-card bomb beats three jokers, never the other way.
    ExpectBeats({
        {"3 3 3 3 3 3", "s s b", true},
        {"s b b", "3 3 3 3 3 3", false},
        {"9 9 9 9 9 9", "8 8 8 8 8 8", true},
    });

    // Stars 7: four jokers beat every 7; a linked bomb beats a 7-card bomb.
    const char* linked7 = "4 4 4 4 5 5 5 5 6 6 6 6";
    const char* bomb7 = "K K K K K K K";
    ExpectBeats({
        {linked7, bomb7, true},
        {bomb7, linked7, false},
        {"s s b b", linked7, true},
        {linked7, "s s b b", false},
        {"s s b b", bomb7, true},
        {"A A A A A A A", "s s b b", false},
        {"A A A A A A A", bomb7, true},
        {"5 5 5 5 6 6 6 6 7 7 7 7", linked7, true},   // lowest value 5 above 4
        {"A A A A 2 2 2 2 3 3 3 3", linked7, false},  // lowest value 3
        {"2 2 2 2 3 3 3 3 4 4 4 4", "A A A A 2 2 2 2 3 3 3 3", false},
    });

    // A 7-card bomb beats nothing of more stars.
    ExpectBeats({
        {bomb7, "3 3 3 3 3 3 3 3", false},
        {"3 3 3 3 3 3 3 3", "s s b b", true},
    });

    // Stars 8 and up: linked beats plain, plains by value, linked by lowest.
    const char* linked8 = "3 3 3 3 4 4 4 4 5 5 5 5 6 6 6 6";
    ExpectBeats({
        {linked8, "2 2 2 2 2 2 2 2", true},
        {"2 2 2 2 2 2 2 2", linked8, false},
        {"9 9 9 9 9 9 9 9", "8 8 8 8 8 8 8 8", true},
        {"5 5 5 5 5 6 6 6 6 6 7 7 7 7 7", linked8, true},
    });
}

TEST(ShuangKouSubstitution, JokersStandInForTheCardsTheyComplete)
{
    bool ok = false;
    EXPECT_EQ(Substituted("s b", &ok), "b b");
    EXPECT_TRUE(ok);
    EXPECT_EQ(Substituted("3 s", &ok), "3 3");
    EXPECT_TRUE(ok);
    EXPECT_EQ(TypeOf(Substituted("3 s")).type, CT_DOUBLE);
    EXPECT_EQ(Substituted("7 7 7 s b", &ok), "7 7 7 7 7");
    EXPECT_EQ(TypeOf(Substituted("7 7 7 s b")).stars, 5);

    // Linked bombs: every group filled to the same size...
    EXPECT_EQ(Substituted("4 4 4 5 5 5 6 6 6 s s b", &ok), "6 6 6 6 5 5 5 5 4 4 4 4");
    EXPECT_TRUE(ok);
    // ...a lone last card becomes a group of its own...
    EXPECT_EQ(Substituted("4 4 4 4 5 5 5 5 6 s s b"), "6 6 6 6 5 5 5 5 4 4 4 4");
    // ...or the jokers fill the smallest groups first.
    EXPECT_EQ(Substituted("4 4 4 4 5 5 5 5 6 6 6 s"), "6 6 6 6 5 5 5 5 4 4 4 4");
    EXPECT_EQ(Substituted("4 4 4 4 4 5 5 5 5 6 6 6 s b"), "6 6 6 6 6 5 5 5 5 4 4 4 4 4");
    EXPECT_EQ(TypeOf(Substituted("4 4 4 4 4 5 5 5 5 6 6 6 s b")).type, CT_LINKED_BOMB);

    // Lines: gaps filled in the rising try, spare jokers lengthen the line.
    EXPECT_EQ(Substituted("3 4 6 7 s", &ok), "7 6 5 4 3");
    EXPECT_TRUE(ok);
    EXPECT_EQ(Substituted("J Q K A s"), "A K Q J 10");
    EXPECT_EQ(Substituted("3 4 5 s b"), "7 6 5 4 3");
    EXPECT_EQ(Substituted("3 3 5 5 s b"), "5 5 4 4 3 3");
    EXPECT_EQ(Substituted("3 3 4 5 5 s"), "5 5 4 4 3 3");
    EXPECT_EQ(Substituted("3 3 3 4 4 5 5 5 s"), "5 5 5 4 4 4 3 3 3");
    EXPECT_EQ(TypeOf(Substituted("3 3 3 4 4 5 5 5 s")).type, CT_THREE_LINE);

    // A joker filled in takes colour 0; the played cards keep theirs.
    CGameLogic logic;
    Cards line = {0x23, 0x14, 0x4E, 0x36, 0x07};
    Cards out(5);
    EXPECT_TRUE(logic.SubstituteJokers(line.data(), 5, out.data()));
    EXPECT_EQ(out, (Cards{0x07, 0x36, 0x05, 0x14, 0x23}));
}

TEST(ShuangKouSubstitution, WhatCannotBeCompletedIsCopied)
{
    // No joker; jokers only; a two is never in a line; five cards cannot make pairs.
    for (const char* text : {"3 4 5 6 7", "s s b", "2 3 4 5 s", "5 5 5 5 6 s", "3 3 5 5 s", "3 8 s"})
    {
        bool ok = true;
        EXPECT_EQ(Substituted(text, &ok), Text(Sorted(Parse(text)))) << text;
        EXPECT_FALSE(ok) << text;
    }
}

TEST(ShuangKouSubstitution, JokerFillLevel)
{
    CGameLogic logic;
    auto level = [&](const std::string& text) {
        Cards cards = Sorted(Parse(text));
        tagAnalyseResult result;
        logic.AnalyseCardData(cards.data(), cards.size(), result);
        return logic.GetJokerFillLevel(result);
    };
    EXPECT_EQ(level("3 4 s"), 1);                // two singles
    EXPECT_EQ(level("3 s b"), 1);                // one single needs three jokers
    EXPECT_EQ(level("3 s s b"), 4);              // ...and with them is a group of four
    EXPECT_EQ(level("3 3 4 4 5 5 s s b b"), 2);  // more than two pairs
    EXPECT_EQ(level("3 3 4 4 s"), 2);            // two jokers a pair
    EXPECT_EQ(level("3 3 3 4 4 4 s"), 3);
    EXPECT_EQ(level("4 4 4 4 5 5 5 5 6 6 6 s"), 4);
    EXPECT_EQ(level("4 4 4 4 4 5 5 5 5 s"), 5);
    EXPECT_EQ(level("4 4 4 4 4 5 5 5 5 s b"), 5);
    EXPECT_EQ(level("s b"), 0);  // no group to fill
}

TEST(ShuangKouRemove, AllOrNothing)
{
    CGameLogic logic;
    Cards hand = Parse("3 3 3 5 7 7 s");  // 0x03 0x13 0x23 0x05 0x07 0x17 0x4E
    Cards cards = hand;
    EXPECT_TRUE(logic.RemoveCard(Parse("3 7").data(), 2, cards.data(), cards.size()));
    EXPECT_EQ(cards, (Cards{0x13, 0x23, 0x05, 0x17, 0x4E, 0, 0}));

    // Two decks: one copy is struck per removed card.
    Cards twins = {0x05, 0x05, 0x06};
    Cards gone = {0x05};
    EXPECT_TRUE(logic.RemoveCard(gone.data(), 1, twins.data(), 3));
    EXPECT_EQ(twins, (Cards{0x05, 0x06, 0}));

    cards = hand;
    Cards missing = {0x05, 0x09};
    EXPECT_FALSE(logic.RemoveCard(missing.data(), 2, cards.data(), cards.size()));
    EXPECT_EQ(cards, hand);
    Cards tooMany = {0x05, 0x05};
    EXPECT_FALSE(logic.RemoveCard(tooMany.data(), 2, cards.data(), cards.size()));
    EXPECT_EQ(cards, hand);
    EXPECT_FALSE(logic.RemoveCard(hand.data(), 8, cards.data(), 7));
    EXPECT_EQ(cards, hand);
}

TEST(ShuangKouBadInput, CountsFromTheWireNeverOverrun)
{
    CGameLogic logic;
    Cards full(MAX_COUNT, 0x05);
    uint8_t stars = 99;
    EXPECT_EQ(logic.GetCardType(full.data(), MAX_COUNT + 1, &stars), CT_ERROR);
    EXPECT_EQ(stars, 0);
    EXPECT_EQ(logic.GetCardType(full.data(), 255), CT_ERROR);
    EXPECT_EQ(logic.GetCardType(nullptr, 5), CT_ERROR);
    EXPECT_FALSE(logic.CompareCard(full.data(), full.data(), 4, 200));
    EXPECT_FALSE(logic.CompareCard(nullptr, full.data(), 4, 4));
    EXPECT_FALSE(logic.IsLinkedRun(full.data(), 12, 0, true));  // step 0
    EXPECT_FALSE(logic.IsLinkedRun(full.data(), 28, 1, true));
    EXPECT_FALSE(logic.IsLinkedRun(full.data(), 7, 2, false));

    Cards out(MAX_COUNT + 5, 0xEE);
    Cards big(MAX_COUNT + 5, 0x4E);
    EXPECT_FALSE(logic.SubstituteJokers(big.data(), big.size(), out.data()));
    EXPECT_EQ(out, Cards(MAX_COUNT + 5, 0xEE));  // nothing written
    EXPECT_FALSE(logic.SubstituteJokers(big.data(), 3, nullptr));

    Cards hand = full;
    EXPECT_FALSE(logic.RemoveCard(full.data(), 1, hand.data(), MAX_COUNT + 1));
    EXPECT_FALSE(logic.RemoveCard(full.data(), 300, hand.data(), MAX_COUNT));
    EXPECT_EQ(hand, full);

    Cards longList = full;
    logic.SortCardList(longList.data(), 200, ST_GROUP);
    EXPECT_EQ(longList, full);

    // More jokers or equal cards than two decks hold do not break the analysis.
    Cards jokers = Parse("s s s b b b 5");
    tagAnalyseResult result;
    logic.AnalyseCardData(jokers.data(), jokers.size(), result);
    EXPECT_EQ(result.cbJokerCount, 4);
    Cards thirteen(13, 0x09);
    logic.AnalyseCardData(thirteen.data(), 13, result);
    for (uint8_t blocks : result.cbBlockCount)
        EXPECT_EQ(blocks, 0);
    EXPECT_EQ(logic.GetCardType(thirteen.data(), 13), CT_ERROR);
    Cards sorted = Sorted(jokers, ST_GROUP);  // no card is lost
    EXPECT_EQ(Text(sorted), "b b b s s s 5");

    tagDistributing dist;
    Cards odd = {0x00, 0x0E, 0x5F, 0x70, 0x03, 0x4F};
    logic.AnalyseDistributing(odd.data(), odd.size(), dist);
    EXPECT_EQ(dist.cbCardCount, 3);  // 0x0E reads as an ace, 0x03, the big joker
    EXPECT_EQ(dist.cbDistributing[0][0], 1);
    EXPECT_EQ(dist.cbDistributing[14][4], 1);
    EXPECT_EQ(dist.cbDistributing[14][5], 1);
}
