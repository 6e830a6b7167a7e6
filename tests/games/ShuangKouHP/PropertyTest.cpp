// Properties of the Shuang Kou rules over many random hands and plays,
// drawn from one two-deck shoe so that every pair of plays could meet.
#include "Cards.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace ShuangKouHP;
using skt::Cards;
using skt::Sorted;
using skt::Text;

namespace {

// Two decks: each non-joker twice, two jokers of each kind.
Cards Shoe()
{
    Cards shoe;
    for (int deck = 0; deck < 2; ++deck)
    {
        for (int colour = 0; colour < 4; ++colour)
            for (int v = 1; v <= 13; ++v)
                shoe.push_back(static_cast<uint8_t>(colour << 4 | v));
        shoe.push_back(SMALL_JOKER);
        shoe.push_back(BIG_JOKER);
    }
    return shoe;
}

// Draws random plays of a chosen type out of what is left in the shoe.
class PlayMaker
{
public:
    explicit PlayMaker(std::mt19937& rng) : m_rng(rng), m_shoe(Shoe()) {}

    // A play of the given type, or an empty list when the shoe cannot give one.
    Cards Make(uint8_t type)
    {
        switch (type)
        {
            case CT_SINGLE: return TakeValues({Pick(3, 17)}, 1);
            case CT_DOUBLE: return TakeValues({Pick(3, 17)}, 2);
            case CT_THREE: return TakeValues({Pick(3, 15)}, 3);
            case CT_SINGLE_LINE: return Line(1, Pick(5, 12));
            case CT_DOUBLE_LINE: return Line(2, Pick(3, 6));
            case CT_THREE_LINE: return Line(3, Pick(3, 4));
            case CT_BOMB: return TakeValues({Pick(3, 15)}, Pick(4, 8));
            case CT_THREE_JOKERS:
            case CT_FOUR_JOKERS: return Jokers(type == CT_THREE_JOKERS ? 3 : 4);
            default: return LinkedBomb();
        }
    }

private:
    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }

    // Takes `each` cards of every logic value given, or nothing at all.
    Cards TakeValues(std::vector<int> logics, std::vector<int> sizes)
    {
        CGameLogic logic;
        Cards taken;
        std::vector<size_t> used;
        for (size_t g = 0; g < logics.size(); ++g)
        {
            int need = sizes[g];
            for (size_t i = 0; i < m_shoe.size() && need > 0; ++i)
            {
                if (logic.GetCardLogicValue(m_shoe[i]) != logics[g] ||
                    std::find(used.begin(), used.end(), i) != used.end())
                    continue;
                used.push_back(i);
                taken.push_back(m_shoe[i]);
                --need;
            }
            if (need > 0)
                return Cards();
        }
        std::sort(used.rbegin(), used.rend());
        for (size_t i : used)
            m_shoe.erase(m_shoe.begin() + static_cast<long>(i));
        return taken;
    }
    Cards TakeValues(std::vector<int> logics, int each)
    {
        return TakeValues(logics, std::vector<int>(logics.size(), each));
    }

    Cards Line(int width, int length)
    {
        int top = Pick(3 + length - 1, 14);
        std::vector<int> logics;
        for (int k = 0; k < length; ++k)
            logics.push_back(top - k);
        return TakeValues(logics, width);
    }

    Cards Jokers(int count)
    {
        Cards taken;
        for (size_t i = 0; i < m_shoe.size() && static_cast<int>(taken.size()) < count;)
        {
            if ((m_shoe[i] >> 4) == 4)
            {
                taken.push_back(m_shoe[i]);
                m_shoe.erase(m_shoe.begin() + static_cast<long>(i));
            }
            else
            {
                ++i;
            }
        }
        if (static_cast<int>(taken.size()) < count)
        {
            m_shoe.insert(m_shoe.end(), taken.begin(), taken.end());
            return Cards();
        }
        return taken;
    }

    // Three or four groups of four to six cards on consecutive values; the
    // run may pass through the two (K-A-2, A-2-3, 2-3-4).
    Cards LinkedBomb()
    {
        static const std::vector<std::vector<int>> wrapped = {{13, 14, 15}, {14, 15, 3}, {15, 3, 4}};
        std::vector<int> logics;
        int groups = Pick(3, 4);
        if (groups == 3 && Pick(0, 3) == 0)
        {
            logics = wrapped[static_cast<size_t>(Pick(0, 2))];
        }
        else
        {
            int low = Pick(3, 15 - groups);
            for (int k = 0; k < groups; ++k)
                logics.push_back(low + k);
        }
        std::vector<int> sizes;
        for (size_t k = 0; k < logics.size(); ++k)
            sizes.push_back(Pick(4, 6));
        return TakeValues(logics, sizes);
    }

    std::mt19937& m_rng;
    Cards m_shoe;
};

struct Play
{
    Cards cards;  // sorted by value
    uint8_t type;
};

std::vector<Play> RandomPlays(std::mt19937& rng, int count)
{
    PlayMaker maker(rng);
    std::vector<Play> plays;
    for (int tries = 0; tries < 200 && static_cast<int>(plays.size()) < count; ++tries)
    {
        uint8_t type = static_cast<uint8_t>(std::uniform_int_distribution<int>(CT_SINGLE, CT_LINKED_BOMB)(rng));
        Cards cards = maker.Make(type);
        if (!cards.empty())
            plays.push_back({Sorted(cards), type});
    }
    return plays;
}

}  // namespace

TEST(ShuangKouProperties, GeneratedPlaysHaveTheirTypeInAnyOrder)
{
    CGameLogic logic;
    std::mt19937 rng(7204);
    for (int round = 0; round < 300; ++round)
    {
        for (Play& play : RandomPlays(rng, 8))
        {
            std::shuffle(play.cards.begin(), play.cards.end(), rng);
            Cards sorted = Sorted(play.cards);
            uint8_t stars = 0;
            uint8_t type = logic.GetCardType(sorted.data(), sorted.size(), &stars);
            ASSERT_EQ(type, play.type) << Text(sorted);
            ASSERT_EQ(stars != 0, type >= CT_BOMB) << Text(sorted);
            // Grouped order holds the same cards as the order by value.
            Cards grouped = Sorted(play.cards, ST_GROUP);
            ASSERT_TRUE(std::is_permutation(grouped.begin(), grouped.end(), sorted.begin()));
        }
    }
}

TEST(ShuangKouProperties, CompareIsAntisymmetricAndTransitive)
{
    CGameLogic logic;
    std::mt19937 rng(7205);
    auto beats = [&](const Play& next, const Play& first) {
        return logic.CompareCard(first.cards.data(), next.cards.data(), first.cards.size(), next.cards.size());
    };
    int chains = 0;
    for (int round = 0; round < 400; ++round)
    {
        std::vector<Play> plays = RandomPlays(rng, 10);
        for (const Play& a : plays)
            for (const Play& b : plays)
            {
                if (&a == &b)
                    continue;
                ASSERT_FALSE(beats(a, b) && beats(b, a)) << Text(a.cards) << " / " << Text(b.cards);
                if (!beats(b, a))
                    continue;
                for (const Play& c : plays)
                {
                    if (&c == &a || &c == &b || !beats(c, b))
                        continue;
                    ++chains;
                    ASSERT_TRUE(beats(c, a)) << Text(a.cards) << " < " << Text(b.cards) << " < " << Text(c.cards);
                }
            }
    }
    EXPECT_GT(chains, 1000);
}

TEST(ShuangKouProperties, SubstitutionRestoresAPlayMissingOneCard)
{
    CGameLogic logic;
    std::mt19937 rng(7206);
    int checked = 0;
    for (int round = 0; round < 400; ++round)
    {
        for (Play& play : RandomPlays(rng, 8))
        {
            if (play.type == CT_SINGLE || play.type == CT_THREE_JOKERS || play.type == CT_FOUR_JOKERS)
                continue;
            std::vector<size_t> plain;
            for (size_t i = 0; i < play.cards.size(); ++i)
                if ((play.cards[i] >> 4) != 4)
                    plain.push_back(i);
            if (plain.empty())
                continue;
            Cards cards = play.cards;
            cards[plain[rng() % plain.size()]] = rng() % 2 ? SMALL_JOKER : BIG_JOKER;
            cards = Sorted(cards);

            Cards out(cards.size());
            ASSERT_TRUE(logic.SubstituteJokers(cards.data(), cards.size(), out.data())) << Text(cards);
            Cards sorted = Sorted(out);
            ASSERT_EQ(logic.GetCardType(sorted.data(), sorted.size()), play.type)
                << Text(cards) << " -> " << Text(sorted);
            ++checked;
        }
    }
    EXPECT_GT(checked, 1500);
}

TEST(ShuangKouProperties, SubstitutionKeepsThePlayedCards)
{
    CGameLogic logic;
    std::mt19937 rng(7208);
    Cards shoe = Shoe();
    int substituted = 0;
    auto check = [&](const Cards& cards) {
        size_t count = cards.size();
        Cards out(count + 1, 0xEE);
        bool ok = logic.SubstituteJokers(cards.data(), count, out.data());
        ASSERT_EQ(out[count], 0xEE);  // exactly count bytes
        out.pop_back();
        if (!ok)
        {
            ASSERT_EQ(out, cards);
            return;
        }
        ++substituted;
        Cards plain, outPlain;
        for (uint8_t c : cards)
            if ((c >> 4) != 4)
                plain.push_back(c);
        for (uint8_t c : out)
            if ((c >> 4) != 4)
                outPlain.push_back(c);
        if (plain.empty())
            return;                                        // two jokers: a pair of big jokers
        ASSERT_EQ(outPlain.size(), count) << Text(cards);  // no joker left
        for (uint8_t c : plain)
        {
            auto it = std::find(outPlain.begin(), outPlain.end(), c);
            ASSERT_NE(it, outPlain.end()) << Text(cards) << " -> " << Text(out);
            outPlain.erase(it);
        }
    };
    for (int n = 0; n < 10000; ++n)
    {
        // Random selections in hand order (sorted by value, or grouped)...
        std::shuffle(shoe.begin(), shoe.end(), rng);
        size_t count = std::uniform_int_distribution<size_t>(1, 16)(rng);
        check(Sorted(Cards(shoe.begin(), shoe.begin() + static_cast<long>(count)), n % 2 ? ST_GROUP : ST_VALUE));
    }
    for (int round = 0; round < 1000; ++round)
    {
        // ...and plays with up to three cards turned into jokers.
        for (Play& play : RandomPlays(rng, 6))
        {
            int jokers = std::uniform_int_distribution<int>(1, 3)(rng);
            for (int k = 0; k < jokers; ++k)
                play.cards[rng() % play.cards.size()] = k % 2 ? SMALL_JOKER : BIG_JOKER;
            check(Sorted(play.cards));
        }
    }
    EXPECT_GT(substituted, 2000);
}

TEST(ShuangKouProperties, RemoveIsAllOrNothing)
{
    CGameLogic logic;
    std::mt19937 rng(7207);
    Cards shoe = Shoe();
    for (int n = 0; n < 20000; ++n)
    {
        std::shuffle(shoe.begin(), shoe.end(), rng);
        Cards hand(shoe.begin(), shoe.begin() + MAX_COUNT);
        size_t k = std::uniform_int_distribution<size_t>(0, 8)(rng);
        // Mostly cards of the hand, sometimes one from the rest of the shoe.
        Cards removed(hand.begin(), hand.begin() + static_cast<long>(k));
        if (k > 0 && n % 3 == 0)
            removed[0] = shoe[MAX_COUNT + static_cast<size_t>(n % 50)];
        std::shuffle(removed.begin(), removed.end(), rng);

        Cards cards = hand;
        bool ok = logic.RemoveCard(removed.data(), removed.size(), cards.data(), cards.size());
        Cards rest = hand;
        bool expected = true;
        for (uint8_t c : removed)
        {
            auto it = std::find(rest.begin(), rest.end(), c);
            if (it == rest.end())
            {
                expected = false;
                break;
            }
            rest.erase(it);
        }
        ASSERT_EQ(ok, expected);
        if (!ok)
        {
            ASSERT_EQ(cards, hand);
            continue;
        }
        rest.resize(MAX_COUNT, 0);
        ASSERT_EQ(cards, rest);
    }
}
