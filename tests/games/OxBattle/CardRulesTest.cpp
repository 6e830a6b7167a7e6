#include "games/OxBattle/CardRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <vector>

using namespace OxBattle;

namespace {

using Hand = std::array<uint8_t, 5>;

const uint8_t J1 = 0x41;  // small joker
const uint8_t J2 = 0x42;  // big joker

std::string Show(const Hand& h)
{
    char text[32];
    snprintf(text, sizeof text, "%02x %02x %02x %02x %02x", h[0], h[1], h[2], h[3], h[4]);
    return text;
}

uint8_t TypeOf(const Hand& h) { return GetCardType(h.data(), 5, nullptr); }

Hand Arranged(const Hand& h)
{
    Hand out{};
    GetCardType(h.data(), 5, out.data());
    return out;
}

bool IsJoker(uint8_t c) { return (c >> 4) == 4; }
int Points(uint8_t c) { return IsJoker(c) ? 11 : std::min(c & 0x0F, 10); }

std::vector<uint8_t> Deck()
{
    std::vector<uint8_t> deck = {J1, J2};
    for (int colour = 0; colour < 4; ++colour)
        for (int value = 1; value <= 13; ++value)
            deck.push_back(static_cast<uint8_t>(colour << 4 | value));
    return deck;
}

// Five distinct cards from a shuffled deck of 52 and the two jokers.
struct Dealer
{
    std::mt19937 rng;
    std::vector<uint8_t> deck = Deck();
    size_t next = 0;
    explicit Dealer(unsigned seed) : rng(seed) { std::shuffle(deck.begin(), deck.end(), rng); }
    Hand Deal()
    {
        if (next + 5 > deck.size())
        {
            std::shuffle(deck.begin(), deck.end(), rng);
            next = 0;
        }
        Hand h;
        std::copy(deck.begin() + next, deck.begin() + next + 5, h.begin());
        next += 5;
        return h;
    }
};

}  // namespace

TEST(OxTypeByPoint, RemainderGivesTheBull)
{
    const std::pair<int, uint8_t> rows[] = {
        {0, OX_BULL_BULL}, {20, OX_BULL_BULL}, {1, OX_BULL_1},   {19, OX_BULL_9},    {15, 7},
        {-1, OX_NO_BULL},  {-9, OX_NO_BULL},   {-4, OX_NO_BULL}, {-10, OX_BULL_BULL}};  // signed remainder 0
    for (const auto& r : rows)
        EXPECT_EQ(GetTypeByPoint(r.first), r.second) << r.first;
}

TEST(OxSort, SortValueAndModes)
{
    EXPECT_EQ(GetCardSortValue(0x01), 1);
    EXPECT_EQ(GetCardSortValue(0x3D), 13);
    EXPECT_EQ(GetCardSortValue(J1), 16);
    EXPECT_EQ(GetCardSortValue(J2), 17);

    Hand h = {0x01, J1, 0x1D, J2, 0x0A};
    SortCardList(h.data(), 5, 3);  // jokers first, big one first, then king down to ace
    EXPECT_EQ(h, (Hand{J2, J1, 0x1D, 0x0A, 0x01}));
    h = {0x01, J1, 0x1D, J2, 0x0A};
    SortCardList(h.data(), 5, 1);  // by bare value: the jokers are a 1 and a 2
    EXPECT_EQ(h, (Hand{0x1D, 0x0A, J2, J1, 0x01}));
    h = {0x0A, 0x0B, J1, 0x3C, 0x0D};
    SortCardList(h.data(), 5, 2);  // points: jokers 11, ten to king all 10, ties by byte
    EXPECT_EQ(h, (Hand{J1, 0x3C, 0x0D, 0x0B, 0x0A}));
    h = {0x05, 0x25, 0x15, 0x35, 0x01};
    SortCardList(h.data(), 5, 3);
    EXPECT_EQ(h, (Hand{0x35, 0x25, 0x15, 0x05, 0x01}));
    SortCardList(h.data(), 0, 3);
    SortCardList(nullptr, 5, 3);  // tolerated
    EXPECT_EQ(h, (Hand{0x35, 0x25, 0x15, 0x05, 0x01}));
}

// One case per branch of the classification, with the display order it gives.
TEST(OxCardType, EveryTypeAndItsArrangement)
{
    const struct
    {
        Hand cards;
        uint8_t type;
        Hand arranged;
    } cases[] = {
        // No bull, and plain bulls from any three cards.
        {{0x18, 0x09, 0x26, 0x34, 0x01}, OX_NO_BULL, {0x09, 0x18, 0x26, 0x34, 0x01}},
        {{0x09, 0x18, 0x27, 0x36, 0x05}, 7, {0x09, 0x36, 0x05, 0x18, 0x27}},
        // One ten-pointer and a pair making ten.
        {{0x0A, 0x19, 0x28, 0x32, 0x01}, OX_BULL_BULL, {0x0A, 0x19, 0x01, 0x28, 0x32}},
        {{0x0D, 0x16, 0x24, 0x37, 0x05}, 4, {0x0D, 0x16, 0x24, 0x37, 0x05}},
        // One ten-pointer, no pair, but three of the others.
        {{0x0D, 0x18, 0x28, 0x34, 0x01}, OX_BULL_1, {0x28, 0x18, 0x34, 0x0D, 0x01}},
        // Two ten-pointers: the other three, then two of them with a ten.
        {{0x0D, 0x1C, 0x25, 0x33, 0x02}, OX_BULL_BULL, {0x25, 0x33, 0x02, 0x0D, 0x1C}},
        {{0x0D, 0x1C, 0x27, 0x33, 0x04}, 6, {0x0D, 0x27, 0x33, 0x1C, 0x04}},
        {{0x1C, 0x0D, 0x29, 0x38, 0x06}, OX_NO_BULL, {0x0D, 0x1C, 0x29, 0x38, 0x06}},
        // Three ten-pointers make the bull; the last two score.
        {{0x0D, 0x1C, 0x2B, 0x35, 0x04}, OX_BULL_9, {0x0D, 0x1C, 0x2B, 0x35, 0x04}},
        {{0x0D, 0x1C, 0x2B, 0x3A, 0x1A}, OX_BULL_BULL, {0x0D, 0x1C, 0x2B, 0x3A, 0x1A}},
        // Jokers completing a bull: the small one gives 12, the big one or two jokers 13.
        {{J1, 0x0A, 0x1B, 0x23, 0x34}, OX_JOKER_BULL, {J1, 0x34, 0x23, 0x1B, 0x0A}},
        {{J2, 0x0A, 0x1B, 0x23, 0x34}, OX_BIG_JOKER_BULL, {J2, 0x34, 0x23, 0x1B, 0x0A}},
        {{J1, J2, 0x0D, 0x05, 0x13}, OX_BIG_JOKER_BULL, {J2, 0x05, 0x13, J1, 0x0D}},
        {{J1, J2, 0x09, 0x15, 0x23}, OX_BIG_JOKER_BULL, {J2, 0x15, 0x23, J1, 0x09}},
        // A single joker as the only ten-pointer: three cards, a pair, or the best pair.
        {{J1, 0x09, 0x18, 0x23, 0x32}, OX_JOKER_BULL, {0x09, 0x18, 0x23, J1, 0x32}},
        {{J2, 0x09, 0x17, 0x23, 0x32}, OX_BIG_JOKER_BULL, {J2, 0x09, 0x32, 0x17, 0x23}},
        {{J1, 0x09, 0x19, 0x27, 0x35}, 10, {J1, 0x27, 0x35, 0x19, 0x09}},
        // A joker and one more ten-pointer: three cards, else the best pair (the
        // first of two equal pairs; 0x39 sorts before 0x09).
        {{J1, 0x0D, 0x19, 0x21, 0x35}, OX_JOKER_BULL, {0x0D, 0x19, 0x21, J1, 0x35}},
        {{J1, 0x0D, 0x09, 0x39, 0x17}, OX_BULL_9, {J1, 0x09, 0x17, 0x0D, 0x39}},
        // Flowers: no 10 gives five-flower, exactly one 10 four-flower, two go on.
        {{0x0D, 0x1C, 0x2C, 0x0B, 0x1B}, OX_FIVE_FLOWER, {0x0D, 0x2C, 0x1C, 0x1B, 0x0B}},
        {{J1, J2, 0x0D, 0x1C, 0x2B}, OX_FIVE_FLOWER, {J2, J1, 0x0D, 0x1C, 0x2B}},
        {{0x0D, 0x1C, 0x2B, 0x3B, 0x0A}, OX_FOUR_FLOWER, {0x0D, 0x1C, 0x3B, 0x2B, 0x0A}},
        {{J1, 0x0D, 0x1C, 0x2B, 0x0A}, OX_FOUR_FLOWER, {J1, 0x0D, 0x1C, 0x2B, 0x0A}},
        {{0x0D, 0x1C, 0x2B, 0x3A, 0x0A}, OX_BULL_BULL, {0x0D, 0x1C, 0x2B, 0x3A, 0x0A}},
        // Four of a kind, jokers standing in, whatever the fifth card.
        {{0x07, 0x17, 0x27, 0x37, 0x0D}, OX_FOUR_OF_A_KIND, {0x0D, 0x37, 0x27, 0x17, 0x07}},
        {{0x01, 0x11, 0x21, 0x31, 0x02}, OX_FOUR_OF_A_KIND, {0x02, 0x31, 0x21, 0x11, 0x01}},
        {{0x0D, 0x1D, 0x2D, 0x3D, 0x0C}, OX_FOUR_OF_A_KIND, {0x3D, 0x2D, 0x1D, 0x0D, 0x0C}},
        {{J1, J2, 0x09, 0x19, 0x03}, OX_FOUR_OF_A_KIND, {0x19, 0x09, J2, J1, 0x03}},
        {{J1, J2, 0x05, 0x15, 0x0D}, OX_FOUR_OF_A_KIND, {J2, J1, 0x15, 0x05, 0x0D}},
        {{J1, 0x0D, 0x1D, 0x2D, 0x02}, OX_FOUR_OF_A_KIND, {0x2D, 0x1D, 0x0D, J1, 0x02}},
        {{J2, 0x05, 0x15, 0x25, 0x0D}, OX_FOUR_OF_A_KIND, {0x25, 0x15, 0x05, J2, 0x0D}},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(TypeOf(c.cards), c.type) << Show(c.cards);
        EXPECT_EQ(Arranged(c.cards), c.arranged) << Show(c.cards);
    }
}

TEST(OxCardType, RefusesWhatIsNotAFiveCardHand)
{
    const uint8_t cards[6] = {0x0D, 0x1C, 0x2B, 0x3A, 0x0A, 0x01};
    Hand out = {1, 2, 3, 4, 5};
    for (uint8_t count : {0, 4, 6, 255})
    {  // nothing past the hand is read, nothing arranged
        EXPECT_EQ(GetCardType(cards, count, out.data()), OX_INVALID) << int(count);
        EXPECT_EQ(out, (Hand{1, 2, 3, 4, 5}));
    }
    EXPECT_EQ(GetCardType(nullptr, 5, out.data()), OX_INVALID);
    EXPECT_EQ(out, (Hand{1, 2, 3, 4, 5}));
    // Blank bytes, the back (99) and out-of-range values are no cards: a blank
    // hand would otherwise be four of a kind.
    const Hand bad[] = {{0, 0, 0, 0, 0},
                        {99, 99, 99, 99, 99},
                        {0x01, 0x02, 0x03, 0x04, 99},
                        {0x0E, 0x1C, 0x2B, 0x3A, 0x01},
                        {0x40, 0x1C, 0x2B, 0x3A, 0x01},
                        {0x51, 0x1C, 0x2B, 0x3A, 0x01}};
    for (const Hand& h : bad)
    {
        EXPECT_EQ(GetCardType(h.data(), 5, out.data()), OX_INVALID) << Show(h);
        EXPECT_TRUE(std::is_permutation(out.begin(), out.end(), h.begin())) << Show(h);
    }
    // Both jokers in their other coding are jokers too.
    EXPECT_EQ(TypeOf({0x4E, 0x4F, 0x09, 0x15, 0x23}), OX_BIG_JOKER_BULL);
    EXPECT_EQ(TypeOf({0x4F, 0x0A, 0x1B, 0x23, 0x34}), OX_JOKER_BULL);  // only 0x42 is the big joker
}

TEST(OxCardType, ArrangementMayOverwriteTheInput)
{
    Dealer dealer(9232);
    for (int i = 0; i < 200; ++i)
    {
        Hand h = dealer.Deal();
        const Hand expected = Arranged(h);
        const uint8_t type = TypeOf(h);
        ASSERT_EQ(GetCardType(h.data(), 5, h.data()), type);
        ASSERT_EQ(h, expected);
    }
}

TEST(OxCardType, RandomHandsSplitIntoABullAndTwoPointCards)
{
    Dealer dealer(2014);
    std::vector<int> seen(18, 0);
    for (int i = 0; i < 20000; ++i)
    {
        const Hand h = dealer.Deal();
        const Hand input = h;
        Hand arranged{};
        const uint8_t type = GetCardType(h.data(), 5, arranged.data());
        ASSERT_EQ(h, input);
        ASSERT_TRUE(type == OX_NO_BULL || (type >= OX_BULL_1 && type <= OX_FOUR_OF_A_KIND)) << Show(h);
        ASSERT_TRUE(std::is_permutation(arranged.begin(), arranged.end(), h.begin())) << Show(h);
        ++seen[type];

        // Any order of the same cards: same type, same arrangement.
        Hand shuffled = h;
        std::shuffle(shuffled.begin(), shuffled.end(), dealer.rng);
        Hand again{};
        ASSERT_EQ(GetCardType(shuffled.data(), 5, again.data()), type) << Show(h);
        ASSERT_EQ(again, arranged) << Show(h);

        if (type < OX_BULL_1 || type > OX_BULL_BULL)
            continue;
        // The first three make ten (or hold a joker); the last two give the
        // points (or hold the joker that completes a bull-bull).
        const bool bullHasJoker = IsJoker(arranged[0]) || IsJoker(arranged[1]) || IsJoker(arranged[2]);
        const bool pointsHaveJoker = IsJoker(arranged[3]) || IsJoker(arranged[4]);
        const int bull = Points(arranged[0]) + Points(arranged[1]) + Points(arranged[2]);
        const int points = (Points(arranged[3]) + Points(arranged[4])) % 10;
        ASSERT_TRUE(bullHasJoker || bull % 10 == 0) << Show(h);
        if (pointsHaveJoker)
            ASSERT_TRUE(type == OX_JOKER_BULL || type == OX_BIG_JOKER_BULL) << Show(h);
        else
            ASSERT_EQ(points, type <= OX_BULL_9 ? type - 2 : 0) << Show(h);
    }
    for (uint8_t t : {OX_NO_BULL, OX_BULL_1, OX_BULL_9, OX_JOKER_BULL, OX_BIG_JOKER_BULL, OX_BULL_BULL, OX_FOUR_FLOWER,
                      OX_FIVE_FLOWER, OX_FOUR_OF_A_KIND})
        EXPECT_GT(seen[t], 0) << "type " << int(t) << " never dealt";
}

// Without jokers the type is the classic bull: four of a kind, then the
// flowers, then any three cards making ten with the total's remainder.
TEST(OxCardType, HandsWithoutJokersFollowTheClassicBull)
{
    Dealer dealer(1936);
    dealer.deck.erase(std::remove_if(dealer.deck.begin(), dealer.deck.end(), IsJoker), dealer.deck.end());
    for (int i = 0; i < 20000; ++i)
    {
        const Hand h = dealer.Deal();
        int counts[14] = {};
        int total = 0, tens = 0, faces = 0;
        for (uint8_t c : h)
        {
            ++counts[c & 0x0F];
            total += Points(c);
            tens += (c & 0x0F) == 10;
            faces += (c & 0x0F) > 10;
        }
        bool bull = false;
        for (int a = 0; a < 5; ++a)
            for (int b = a + 1; b < 5; ++b)
                for (int c = b + 1; c < 5; ++c)
                    bull = bull || (Points(h[a]) + Points(h[b]) + Points(h[c])) % 10 == 0;
        uint8_t expected = OX_NO_BULL;
        if (*std::max_element(counts, counts + 14) == 4)
            expected = OX_FOUR_OF_A_KIND;
        else if (faces == 5)
            expected = OX_FIVE_FLOWER;
        else if (faces == 4 && tens == 1)
            expected = OX_FOUR_FLOWER;
        else if (bull)
            expected = static_cast<uint8_t>(total % 10 == 0 ? OX_BULL_BULL : total % 10 + 2);
        ASSERT_EQ(int{TypeOf(h)}, int{expected}) << Show(h);
    }
}

TEST(OxCompare, RefusesWhatIsNotTwoFiveCardHands)
{
    const uint8_t a[6] = {0x0D, 0x1C, 0x2B, 0x3A, 0x0A, 0x01};
    const uint8_t b[5] = {0x09, 0x18, 0x26, 0x34, 0x01};
    const uint8_t blank[5] = {};
    uint8_t multiplier = 77;
    EXPECT_EQ(CompareCard(a, 4, b, 5, &multiplier), 0);
    EXPECT_EQ(CompareCard(a, 5, b, 255, &multiplier), 0);
    EXPECT_EQ(CompareCard(nullptr, 5, b, 5, &multiplier), 0);
    EXPECT_EQ(CompareCard(a, 5, nullptr, 5, &multiplier), 0);
    EXPECT_EQ(CompareCard(a, 5, blank, 5, &multiplier), 0);
    EXPECT_EQ(CompareCard(blank, 5, b, 5, &multiplier), 0);
    EXPECT_EQ(multiplier, 77);
    EXPECT_EQ(CompareCard(a, 5, b, 5, nullptr), -1);  // the multiplier is optional
}

TEST(OxCompare, HigherTypeWinsWithItsMultiplier)
{
    const Hand noBull = {0x09, 0x18, 0x26, 0x34, 0x01};
    const struct
    {
        Hand hand;
        uint8_t multiplier;
    } winners[] = {
        {{0x0D, 0x1C, 0x27, 0x33, 0x01}, 1},   // bull 1
        {{0x09, 0x18, 0x27, 0x36, 0x05}, 5},   // bull 5
        {{0x0D, 0x1C, 0x2B, 0x35, 0x04}, 9},   // bull 9
        {{J1, 0x0A, 0x1B, 0x23, 0x34}, 10},    // joker bull
        {{J2, 0x0A, 0x1B, 0x23, 0x34}, 10},    // big joker bull
        {{0x0A, 0x19, 0x28, 0x32, 0x01}, 10},  // bull-bull
        {{0x0D, 0x1C, 0x2B, 0x3B, 0x0A}, 10},  // four-flower
        {{0x0D, 0x1C, 0x2C, 0x0B, 0x1B}, 10},  // five-flower
        {{0x07, 0x17, 0x27, 0x37, 0x0D}, 10},  // four of a kind
    };
    for (const auto& w : winners)
    {
        uint8_t multiplier = 0;
        EXPECT_EQ(CompareCard(noBull.data(), 5, w.hand.data(), 5, &multiplier), 1) << Show(w.hand);
        EXPECT_EQ(multiplier, w.multiplier) << Show(w.hand);
        multiplier = 0;
        EXPECT_EQ(CompareCard(w.hand.data(), 5, noBull.data(), 5, &multiplier), -1) << Show(w.hand);
        EXPECT_EQ(multiplier, w.multiplier) << Show(w.hand);
    }
    // The winner's type sets the multiplier, not the loser's.
    const Hand bull9 = {0x0D, 0x1C, 0x2B, 0x35, 0x04};
    const Hand bull2 = {0x0D, 0x1C, 0x27, 0x33, 0x02};
    uint8_t multiplier = 0;
    EXPECT_EQ(CompareCard(bull9.data(), 5, bull2.data(), 5, &multiplier), -1);
    EXPECT_EQ(multiplier, 9);
}

TEST(OxCompare, EqualTypesGoByTheHighestCardThenItsColour)
{
    uint8_t multiplier = 77;
    // No bull on both sides leaves the multiplier alone.
    const Hand kingHigh = {0x0D, 0x19, 0x27, 0x35, 0x02};
    const Hand queenHigh = {0x1C, 0x09, 0x07, 0x15, 0x22};
    ASSERT_EQ(TypeOf(kingHigh), OX_NO_BULL);
    ASSERT_EQ(TypeOf(queenHigh), OX_NO_BULL);
    EXPECT_EQ(CompareCard(queenHigh.data(), 5, kingHigh.data(), 5, &multiplier), 1);
    EXPECT_EQ(CompareCard(kingHigh.data(), 5, queenHigh.data(), 5, &multiplier), -1);
    EXPECT_EQ(multiplier, 77);
    const Hand otherKing = {0x3D, 0x29, 0x17, 0x25, 0x12};  // the same values, a king of colour 3
    ASSERT_EQ(TypeOf(otherKing), OX_NO_BULL);
    EXPECT_EQ(CompareCard(kingHigh.data(), 5, otherKing.data(), 5, &multiplier), 1);
    EXPECT_EQ(CompareCard(otherKing.data(), 5, kingHigh.data(), 5, &multiplier), -1);
    EXPECT_EQ(multiplier, 77);

    // Same bull: multiplier set, then the highest cards.
    const Hand bull5a = {0x0D, 0x17, 0x23, 0x34, 0x01};  // K 7 3 | 4 1
    const Hand bull5b = {0x2D, 0x16, 0x24, 0x32, 0x03};  // K 6 4 | 2 3
    ASSERT_EQ(TypeOf(bull5a), 7);
    ASSERT_EQ(TypeOf(bull5b), 7);
    EXPECT_EQ(CompareCard(bull5a.data(), 5, bull5b.data(), 5, &multiplier), 1);
    EXPECT_EQ(multiplier, 5);
    EXPECT_EQ(CompareCard(bull5b.data(), 5, bull5a.data(), 5, &multiplier), -1);
    // The same king on both sides (two decks' worth of cards): the banker wins.
    const Hand bull5c = {0x0D, 0x16, 0x24, 0x32, 0x03};
    EXPECT_EQ(CompareCard(bull5a.data(), 5, bull5c.data(), 5, &multiplier), -1);
    EXPECT_EQ(CompareCard(bull5c.data(), 5, bull5a.data(), 5, &multiplier), -1);

    // A joker is the highest card, the big one above the small one.
    const Hand small = {J1, 0x09, 0x18, 0x23, 0x32};
    const Hand big = {J2, 0x19, 0x28, 0x33, 0x22};
    ASSERT_EQ(TypeOf(small), OX_JOKER_BULL);
    const Hand smallPair = {J1, 0x0D, 0x19, 0x21, 0x35};
    ASSERT_EQ(TypeOf(smallPair), OX_JOKER_BULL);
    multiplier = 0;
    EXPECT_EQ(CompareCard(smallPair.data(), 5, small.data(), 5, &multiplier), -1);  // same joker: banker
    EXPECT_EQ(multiplier, 10);
    ASSERT_EQ(TypeOf(big), OX_BIG_JOKER_BULL);
    EXPECT_EQ(CompareCard(small.data(), 5, big.data(), 5, &multiplier), 1);
}

TEST(OxCompare, RandomHandsFromOneDeckOrderStrictly)
{
    Dealer dealer(9236);
    for (int i = 0; i < 5000; ++i)
    {
        // Three hands from one deck, as the table deals them.
        if (dealer.next + 15 > dealer.deck.size())
            dealer.next = dealer.deck.size();
        const Hand a = dealer.Deal(), b = dealer.Deal(), c = dealer.Deal();
        const int ab = CompareCard(a.data(), 5, b.data(), 5, nullptr);
        const int bc = CompareCard(b.data(), 5, c.data(), 5, nullptr);
        const int ac = CompareCard(a.data(), 5, c.data(), 5, nullptr);
        ASSERT_TRUE(ab == 1 || ab == -1);
        ASSERT_EQ(CompareCard(b.data(), 5, a.data(), 5, nullptr), -ab) << Show(a) << " / " << Show(b);
        if (ab == bc)
        {  // b beats a and c beats b (or the reverse)
            ASSERT_EQ(ac, ab) << Show(a) << " / " << Show(b) << " / " << Show(c);
        }
        const uint8_t ta = TypeOf(a), tb = TypeOf(b);
        if (ta != tb)
        {
            ASSERT_EQ(ab, tb > ta ? 1 : -1);
        }
    }
}
