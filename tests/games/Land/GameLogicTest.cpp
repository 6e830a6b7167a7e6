#include "games/Land/GameLogic.h"

#include "games/CardText.h"

#include <gtest/gtest.h>

using cardtext::Cards;
using cardtext::Text;
using namespace Land;

namespace {

const CGameLogic logic;

std::vector<uint8_t> Sorted(const std::string& text, uint8_t mode = 1)
{
    auto cards = Cards(text);
    logic.SortCards(cards.data(), static_cast<uint8_t>(cards.size()), mode);
    return cards;
}

uint8_t TypeOf(const std::string& text)
{
    const auto cards = Sorted(text);
    return logic.GetCardType(cards.data(), static_cast<uint8_t>(cards.size()));
}

bool Beats(const std::string& table, const std::string& next)
{
    const auto first = Sorted(table), second = Sorted(next);
    return logic.CompareCards(first.data(), second.data(), static_cast<uint8_t>(first.size()),
                              static_cast<uint8_t>(second.size()));
}

}  // namespace

TEST(LandLogicValue, RanksTwoAboveAceAndJokersOnTop)
{
    for (uint8_t face = 3; face <= 13; ++face)
    {
        for (uint8_t colour = 0; colour < 4; ++colour)
            EXPECT_EQ(logic.GetCardLogicValue(static_cast<uint8_t>(colour << 4 | face)), face);
    }
    for (uint8_t colour = 0; colour < 4; ++colour)
    {
        EXPECT_EQ(logic.GetCardLogicValue(static_cast<uint8_t>(colour << 4 | 1)), 14);
        EXPECT_EQ(logic.GetCardLogicValue(static_cast<uint8_t>(colour << 4 | 2)), 15);
    }
    EXPECT_EQ(logic.GetCardLogicValue(SMALL_JOKER), 16);
    EXPECT_EQ(logic.GetCardLogicValue(BIG_JOKER), 17);
}

struct TypeRow
{
    const char* cards;
    uint8_t type;
};

void ExpectTypes(std::initializer_list<TypeRow> rows)
{
    for (const TypeRow& r : rows)
        EXPECT_EQ(TypeOf(r.cards), r.type) << r.cards;
}

TEST(LandCardType, SinglesPairsThreesAndTheMissile)
{
    ExpectTypes({{"3", SINGLE},
                 {"BJ", SINGLE},
                 {"9 9", DOUBLE},
                 {"2 2", DOUBLE},
                 {"9 T", ERROR},
                 {"2 A", ERROR},
                 {"7 7 7", THREE},
                 {"7 7 8", ERROR},
                 {"3 4 5", ERROR},
                 {"SJ 2", ERROR}});
    EXPECT_EQ(logic.GetCardType(nullptr, 0), ERROR);
    // The missile only in its sorted order, big joker first.
    const auto missile = Cards("BJ SJ"), reversed = Cards("SJ BJ");
    EXPECT_EQ(logic.GetCardType(missile.data(), 2), MISSILE_CARD);
    EXPECT_EQ(logic.GetCardType(reversed.data(), 2), ERROR);
}

// Lines run 3..A (a 2 or a joker never joins, the ace never wraps): singles
// from 5 to 12 cards, pairs from 3 pairs, threes from 2 threes.
TEST(LandCardType, Lines)
{
    ExpectTypes({{"3 4 5 6 7", SINGLE_LINE},
                 {"T J Q K A", SINGLE_LINE},
                 {"3 4 5 6 7 8 9 T J Q K A", SINGLE_LINE},
                 {"J Q K A 2", ERROR},
                 {"A 2 3 4 5", ERROR},
                 {"3 4 5 6", ERROR},
                 {"3 4 5 6 8", ERROR},
                 {"Q K A SJ BJ", ERROR},
                 {"3 3 4 4", ERROR},
                 {"3 3 4 4 5 5", DOUBLE_LINE},
                 {"Q Q K K A A", DOUBLE_LINE},
                 {"3 3 4 4 5 5 6 6 7 7 8 8 9 9 T T J J Q Q", DOUBLE_LINE},
                 {"K K A A 2 2", ERROR},
                 {"3 3 4 4 6 6", ERROR},
                 {"3 3 4 4 5 5 6", ERROR},
                 {"3 3 3 4 4 4", THREE_LINE},
                 {"Q Q Q K K K A A A", THREE_LINE},
                 {"3 3 3 5 5 5", ERROR},
                 {"A A A 2 2 2", ERROR}});
}

// A three or a line of threes takes one single or one pair per three (a pair
// may count as two singles); a four takes two singles or two pairs.
TEST(LandCardType, ThreesAndFoursWithAttachments)
{
    ExpectTypes({{"7 7 7 3", THREE_TAKE_ONE},
                 {"2 2 2 3", THREE_TAKE_ONE},
                 {"K K K A A A 5 6", THREE_TAKE_ONE},
                 {"A A A 2 2 2 5 6", ERROR},
                 {"3 3 3 4 4 4 5 5", THREE_TAKE_ONE},
                 {"3 3 3 4 4 4 SJ BJ", THREE_TAKE_ONE},
                 {"3 3 3 4 4 4 5 5 5 J Q K", THREE_TAKE_ONE},
                 {"7 7 7 3 3", THREE_TAKE_TWO},
                 {"3 3 3 4 4 4 8 8 9 9", THREE_TAKE_TWO},
                 {"7 7 7 3 4", ERROR},
                 {"3 3 3 4 4 4 8 8 9 T", ERROR},
                 {"7 7 7 3 3 3", ERROR},
                 {"4 4 4 4", BOMB_CARD},
                 {"2 2 2 2", BOMB_CARD},
                 {"4 4 4 4 SJ BJ", FOUR_TAKE_ONE},
                 {"4 4 4 4 3 9", FOUR_TAKE_ONE},
                 {"4 4 4 4 3 3", FOUR_TAKE_ONE},
                 {"4 4 4 4 3 3 5 5", FOUR_TAKE_TWO},
                 {"4 4 4 4 3 3 5 6", ERROR},
                 {"4 4 4 4 3", ERROR},
                 {"4 4 4 4 5 5 5 5", ERROR},
                 {"4 4 4 4 5 5 5 6", ERROR}});
}

// {on the table, played, beats}.
struct CompareRow
{
    const char* table;
    const char* next;
    bool beats;
};

void ExpectBeats(std::initializer_list<CompareRow> rows)
{
    for (const CompareRow& r : rows)
        EXPECT_EQ(Beats(r.table, r.next), r.beats) << r.next << " on " << r.table;
}

// Same type and count: the leading value (equal does not beat); another type
// or count never beats; attachments never count.
TEST(LandCompare, SameTypeAndCountByTheMainPartsValue)
{
    ExpectBeats({{"3", "4", true},
                 {"A", "2", true},
                 {"2", "SJ", true},
                 {"SJ", "BJ", true},
                 {"4", "4", false},
                 {"5", "4", false},
                 {"9 9", "T T", true},
                 {"3 4 5 6 7", "4 5 6 7 8", true},
                 {"3 3 4 4 5 5", "Q Q K K A A", true},
                 {"3 3 3 4 4 4", "4 4 4 5 5 5", true},
                 {"3 4 5 6 7", "4 5 6 7 8 9", false},
                 {"3 4 5 6 7 8", "4 5 6 7 8", false},
                 {"3 3", "K", false},
                 {"3 3 3 4", "K K K Q Q", false},
                 {"3", "K K", false},
                 {"3", "4 5", false},
                 {"7 7 7 A", "8 8 8 3", true},
                 {"8 8 8 3", "7 7 7 A", false},
                 {"7 7 7 2 2", "8 8 8 3 3", true},
                 {"3 3 3 4 4 4 A K", "4 4 4 5 5 5 6 7", true},
                 {"5 5 5 5 A K", "6 6 6 6 3 4", true},
                 {"6 6 6 6 3 4", "5 5 5 5 A K", false},
                 {"5 5 5 5 A A K K", "6 6 6 6 3 3 4 4", true}});
}

// A bomb beats any other play but a higher bomb; nothing beats the missile.
TEST(LandCompare, BombsAndMissile)
{
    ExpectBeats({{"2", "3 3 3 3", true},
                 {"3 4 5 6 7 8 9 T J Q K A", "3 3 3 3", true},
                 {"A A A 2 2", "3 3 3 3", true},
                 {"A A A A K Q", "3 3 3 3", true},
                 {"3 3 3 3", "4 4 4 4", true},
                 {"4 4 4 4", "3 3 3 3", false},
                 {"3 3 3 3", "2", false},
                 {"3 3 3 3", "A A A A K Q", false},
                 {"2 2 2 2", "BJ SJ", true},
                 {"BJ", "BJ SJ", true},
                 {"BJ SJ", "2 2 2 2", false},
                 {"BJ SJ", "BJ", false}});
}

TEST(LandSort, ModeOneIsValueThenColourDescending)
{
    EXPECT_EQ(Text(Sorted("3a 3c 5b 2a Ka Kd BJ 5a Aa SJ", 1)), "BJ SJ 2a Aa Kd Ka 5b 5a 3c 3a");
    EXPECT_EQ(Text(Sorted("3a 3c 5b", 0)), "5b 3c 3a");  // other modes sort as mode 1
    EXPECT_EQ(Text(Sorted("3a 3c 5b", 200)), "5b 3c 3a");
}

TEST(LandSort, ModeTwoGroupsByCountThenValue)
{
    EXPECT_EQ(Text(Sorted("Ka 4a 9a 7a 4b 7b 4c 9b 7c 4d", 2)), "4d 4c 4b 4a 7c 7b 7a 9b 9a Ka");
    EXPECT_EQ(Text(Sorted("3a 3b 5a 5b 8a 2a BJ", 2)), "5b 5a 3b 3a BJ 2a 8a");
}

TEST(LandSort, ModeThreeAndEmptyOrOversizedListsAreLeftAlone)
{
    EXPECT_EQ(Text(Sorted("3a 5b Ka", 3)), "3a 5b Ka");
    uint8_t none[1] = {0x33};
    logic.SortCards(none, 0, 1);
    EXPECT_EQ(none[0], 0x33);
    std::vector<uint8_t> hand(20, 0x03);
    hand[0] = 0x04;
    logic.SortCards(hand.data(), 200, 1);  // a count from the wire past the array
    EXPECT_EQ(hand[0], 0x04);
}

TEST(LandSort, ModeTwoNeverLosesCardsTheGroupsCannotHold)
{
    // Five bytes of logic value 3 (0x53 is no card of the deck) cannot be
    // grouped: the list keeps its value order instead of shrinking.
    auto cards = Cards("3a 3b 3c 3d 4a");
    cards.push_back(0x53);
    logic.SortCards(cards.data(), static_cast<uint8_t>(cards.size()), 2);
    EXPECT_EQ(Text(cards), "4a 0x53 3d 3c 3b 3a");
}

TEST(LandRemove, AllOrNothingAndCompactsInHandOrder)
{
    const auto before = Cards("Ka 9b 7a 5c 3a");
    auto hand = before;
    const auto twice = Cards("7a 7a"), missing = Cards("Ka 4d");
    const uint8_t noCard[1] = {0};
    EXPECT_FALSE(logic.RemoveCards(twice.data(), 2, hand.data(), 5));
    EXPECT_FALSE(logic.RemoveCards(missing.data(), 2, hand.data(), 5));
    EXPECT_FALSE(logic.RemoveCards(noCard, 1, hand.data(), 5));
    EXPECT_FALSE(logic.RemoveCards(before.data(), 5, hand.data(), 4));  // more than the hand
    EXPECT_EQ(hand, before);

    const auto played = Cards("3a 7a");
    ASSERT_TRUE(logic.RemoveCards(played.data(), 2, hand.data(), 5));
    EXPECT_EQ(Text(hand), "Ka 9b 5c 5c 3a");  // the places behind keep their old bytes
}

TEST(LandRemove, RefusesHandsOverTwentyCards)
{
    std::vector<uint8_t> hand(21);
    for (size_t i = 0; i < hand.size(); ++i)
        hand[i] = static_cast<uint8_t>((i % 4) << 4 | (i / 4 + 3));
    const auto copy = hand;
    EXPECT_FALSE(logic.RemoveCards(hand.data(), 1, hand.data(), 21));
    EXPECT_EQ(hand, copy);
}

TEST(LandAnalyse, GroupsRunsInInputOrder)
{
    const auto cards = Sorted("K K K 9 9 7 7 5 5 5 5 3");
    CardGroups g;
    logic.AnalyseCards(cards.data(), static_cast<uint8_t>(cards.size()), g);
    EXPECT_EQ(g.blockCount[0], 1);
    EXPECT_EQ(g.blockCount[1], 2);
    EXPECT_EQ(g.blockCount[2], 1);
    EXPECT_EQ(g.blockCount[3], 1);
    EXPECT_EQ(Text(g.cards[1], 4), "9b 9a 7b 7a");
    EXPECT_EQ(Text(g.cards[3], 4), "5d 5c 5b 5a");

    auto five = Cards("3a 3b 3c 3d");
    five.push_back(0x53);
    logic.AnalyseCards(five.data(), 5, g);
    EXPECT_EQ(g.blockCount[0] + g.blockCount[1] + g.blockCount[2] + g.blockCount[3], 0);
}

TEST(LandCountFaces, CountsByFaceAndColourAndSkipsBytesThatNameNoCard)
{
    auto cards = Cards("3a 3c Ka SJ BJ");
    for (uint8_t junk : {0x00, 0x10, 0x53, 0xF5})
        cards.push_back(junk);
    FaceCountTable table;
    logic.CountFaces(cards.data(), static_cast<uint8_t>(cards.size()), table);
    EXPECT_EQ(table.cardCount, 5);
    EXPECT_EQ(table.faces[2][0], 1);
    EXPECT_EQ(table.faces[2][2], 1);
    EXPECT_EQ(table.faces[2][5], 2);
    EXPECT_EQ(table.faces[12][5], 1);
    EXPECT_EQ(table.faces[13][4], 1);
    EXPECT_EQ(table.faces[14][4], 1);
    EXPECT_EQ(table.faces[4][5], 0);  // the 0x53 and 0xF5 were not counted as fives
}

TEST(LandPutMainPartFirst, MovesThreesOrFourToTheFront)
{
    auto take = Sorted("A K 8 8 8 7 7 7");
    logic.PutMainPartFirst(take.data(), static_cast<uint8_t>(take.size()));
    EXPECT_EQ(Text(take), "8c 8b 8a 7c 7b 7a Aa Ka");

    auto pairs = Sorted("Q Q 9 9 9 3 3");
    pairs.resize(5);  // Q Q 9 9 9
    logic.PutMainPartFirst(pairs.data(), 5);
    EXPECT_EQ(Text(pairs), "9c 9b 9a Qb Qa");

    auto four = Sorted("2 2 6 6 6 6 3 3");
    logic.PutMainPartFirst(four.data(), static_cast<uint8_t>(four.size()));
    EXPECT_EQ(Text(four), "6d 6c 6b 6a 2b 2a 3b 3a");

    auto line = Sorted("3 4 5 6 7");
    const auto before = line;
    logic.PutMainPartFirst(line.data(), 5);
    EXPECT_EQ(line, before);
}
