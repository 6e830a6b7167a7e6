#include "games/ShuangKouHP/GameLogic.h"

#include <cstring>

namespace ShuangKouHP {

namespace {

constexpr size_t kMaxGroup = 12;  // two decks and four jokers make 12 of a value at most
constexpr size_t kMaxJokers = 4;
constexpr size_t kLineValues = 12;  // value indexes 0..11: 3 up to the ace

bool IsJoker(uint8_t card) { return (card >> 4) == 4; }

bool ValidList(const uint8_t* cards, size_t count) { return count <= MAX_COUNT && (count == 0 || cards != nullptr); }

}  // namespace

uint8_t CGameLogic::GetCardLogicValue(uint8_t card) const
{
    uint8_t colour = card >> 4;
    uint8_t value = card & 0x0F;
    if (colour == 4)
        return static_cast<uint8_t>(value + 2);
    if (value == 1 || value == 2)
        return static_cast<uint8_t>(value + 13);
    return value;
}

uint8_t CGameLogic::MakeCardData(uint8_t index, uint8_t colour) const
{
    if (index <= 10)
        return static_cast<uint8_t>((colour << 4) | (index + 3));
    if (index == 11)
        return static_cast<uint8_t>((colour << 4) | 1);
    if (index == 12)
        return static_cast<uint8_t>((colour << 4) | 2);
    if (index == 13)
        return SMALL_JOKER;
    if (index == 14)
        return BIG_JOKER;
    return 0;
}

bool CGameLogic::CompareLogicValue(uint8_t a, uint8_t b) const { return GetCardLogicValue(b) < GetCardLogicValue(a); }

void CGameLogic::SortCardList(uint8_t* cards, size_t count, uint8_t mode) const
{
    if (count == 0 || !ValidList(cards, count))
        return;

    uint8_t logic[MAX_COUNT];
    for (size_t i = 0; i < count; ++i)
        logic[i] = GetCardLogicValue(cards[i]);
    // High to low by logic value, then by the card byte.
    size_t last = count - 1;
    bool swapped = true;
    while (swapped && last > 0)
    {
        swapped = false;
        for (size_t i = 0; i < last; ++i)
        {
            if (logic[i] < logic[i + 1] || (logic[i] == logic[i + 1] && cards[i] < cards[i + 1]))
            {
                uint8_t t = cards[i];
                cards[i] = cards[i + 1];
                cards[i + 1] = t;
                t = logic[i];
                logic[i] = logic[i + 1];
                logic[i + 1] = t;
                swapped = true;
            }
        }
        --last;
    }
    if (mode != ST_GROUP)
        return;

    // Jokers first, then the largest groups down to the singles.
    tagAnalyseResult result;
    AnalyseCardData(cards, count, result);
    uint8_t sorted[MAX_COUNT];
    size_t n = 0;
    for (size_t i = 0; i < result.cbJokerCount; ++i)
        sorted[n++] = result.cbJokerData[i];
    for (size_t size = kMaxGroup; size >= 1; --size)
    {
        size_t cards_in_size = size_t(result.cbBlockCount[size - 1]) * size;
        std::memcpy(sorted + n, result.cbCardData[size - 1], cards_in_size);
        n += cards_in_size;
    }
    // A list the analysis could not hold whole (more than four jokers or
    // twelve of a value) keeps its order by value rather than losing cards.
    if (n == count)
        std::memcpy(cards, sorted, count);
}

bool CGameLogic::RemoveCard(const uint8_t* removed, size_t removedCount, uint8_t* cards, size_t cardCount) const
{
    if (!ValidList(cards, cardCount) || removedCount > cardCount || !ValidList(removed, removedCount))
        return false;

    bool struck[MAX_COUNT] = {};
    for (size_t r = 0; r < removedCount; ++r)
    {
        bool found = false;
        for (size_t i = 0; i < cardCount; ++i)
        {
            if (!struck[i] && cards[i] == removed[r])
            {
                struck[i] = true;
                found = true;
                break;
            }
        }
        if (!found)
            return false;
    }
    size_t kept = 0;
    for (size_t i = 0; i < cardCount; ++i)
    {
        if (!struck[i])
            cards[kept++] = cards[i];
    }
    // The freed places no longer hold cards.
    std::memset(cards + kept, 0, cardCount - kept);
    return true;
}

void CGameLogic::AnalyseCardData(const uint8_t* cards, size_t count, tagAnalyseResult& result) const
{
    std::memset(&result, 0, sizeof result);
    if (!ValidList(cards, count))
        return;

    size_t i = 0;
    while (i < count)
    {
        uint8_t card = cards[i];
        if (IsJoker(card))
        {
            if (result.cbJokerCount < kMaxJokers)
                result.cbJokerData[result.cbJokerCount++] = card;
            ++i;
            continue;
        }
        uint8_t logic = GetCardLogicValue(card);
        size_t size = 1;
        while (i + size < count && !IsJoker(cards[i + size]) && GetCardLogicValue(cards[i + size]) == logic)
            ++size;
        // A group larger than two decks allow is no pattern: it is left out.
        if (size <= kMaxGroup)
        {
            uint8_t& groups = result.cbBlockCount[size - 1];
            std::memcpy(&result.cbCardData[size - 1][groups * size], cards + i, size);
            ++groups;
        }
        i += size;
    }
}

void CGameLogic::AnalyseDistributing(const uint8_t* cards, size_t count, tagDistributing& result) const
{
    std::memset(&result, 0, sizeof result);
    if (!ValidList(cards, count))
        return;
    for (size_t i = 0; i < count; ++i)
    {
        uint8_t card = cards[i];
        if (card == 0)
            continue;
        uint8_t logic = GetCardLogicValue(card);
        uint8_t colour = card >> 4;
        // Bytes that are no card of the two decks have no place in the record.
        if (logic < 3 || logic > 17 || colour > 4)
            continue;
        ++result.cbCardCount;
        ++result.cbDistributing[logic - 3][colour];
        ++result.cbDistributing[logic - 3][5];
    }
}

bool CGameLogic::IsLinkedRun(const uint8_t* cards, size_t count, size_t step, bool allowWrap) const
{
    if (step == 0 || count == 0 || !ValidList(cards, count) || count % step != 0)
        return false;
    size_t n = count / step;
    if (n == 1)
        return true;

    int first = GetCardLogicValue(cards[0]);
    if (allowWrap && first == 15)
    {
        // Down from the two through the ace, or up from the three at the end.
        for (size_t i = 1; i < n; ++i)
        {
            int v = GetCardLogicValue(cards[i * step]);
            int k = static_cast<int>(i), len = static_cast<int>(n);
            if (v + k != 15 && v - len + k + 13 != 15)
                return false;
        }
        return true;
    }
    if (first > 14)
        return false;
    for (size_t i = 1; i < n; ++i)
    {
        if (GetCardLogicValue(cards[i * step]) != first - static_cast<int>(i))
            return false;
    }
    return true;
}

uint8_t CGameLogic::GetJokerFillLevel(const tagAnalyseResult& result) const
{
    // Index = group size - 1; one spare place for groups moved past twelve.
    unsigned blocks[kMaxGroup + 1] = {};
    for (size_t i = 0; i < kMaxGroup; ++i)
        blocks[i] = result.cbBlockCount[i];
    unsigned jokers = result.cbJokerCount;

    if (blocks[0] > 1)
        return 1;
    if (blocks[0] == 1)
    {
        if (jokers < 3)
            return 1;
        jokers -= 3;
        blocks[3] += 1;
    }
    if (blocks[1] > 2 || jokers < 2 * blocks[1])
        return 2;
    jokers -= 2 * blocks[1];
    blocks[3] += blocks[1];
    if (blocks[2] > 4 || jokers < blocks[2])
        return 3;
    jokers -= blocks[2];
    blocks[3] += blocks[2];

    for (size_t size = 4; size <= kMaxGroup; ++size)
    {
        unsigned k = blocks[size - 1];
        if (jokers < k)
            return static_cast<uint8_t>(size);
        jokers -= k;
        blocks[size] += k;
    }
    return 0;
}

uint8_t CGameLogic::GetCardType(const uint8_t* cards, size_t count, uint8_t* stars) const
{
    if (stars != nullptr)
        *stars = 0;
    if (count == 0 || !ValidList(cards, count))
        return CT_ERROR;
    if (count == 1)
        return CT_SINGLE;

    auto setStars = [stars](size_t n) {
        if (stars != nullptr)
            *stars = static_cast<uint8_t>(n);
    };
    auto allJokers = [cards, count]() {
        for (size_t i = 0; i < count; ++i)
            if (!IsJoker(cards[i]))
                return false;
        return true;
    };

    uint8_t firstLogic = GetCardLogicValue(cards[0]);
    size_t same = 1;
    while (same < count && GetCardLogicValue(cards[same]) == firstLogic)
        ++same;

    bool analyse = false;
    if (count == 2)
    {
        if (same == 2)
            return CT_DOUBLE;
        analyse = true;
    }
    else if (count == 3)
    {
        if (allJokers())
        {
            setStars(6);
            return CT_THREE_JOKERS;
        }
        if (same == 3)
            return CT_THREE;
        analyse = true;
    }
    else if (count == 4)
    {
        if (allJokers())
        {
            setStars(7);
            return CT_FOUR_JOKERS;
        }
        if (same == 4)
        {
            setStars(4);
            return CT_BOMB;
        }
        analyse = true;
    }
    else if (count <= 12 && same == count)
    {
        setStars(count);
        return CT_BOMB;
    }
    else if (count < 12)
    {
        analyse = true;
    }

    if (!analyse && same <= count / 2)
    {
        // Linked bomb: three or more groups of at least four, values in a run.
        uint8_t firsts[MAX_COUNT];
        size_t groups = 0, covered = 0, smallest = MAX_COUNT, largest = 0;
        while (covered < count)
        {
            uint8_t logic = GetCardLogicValue(cards[covered]);
            size_t size = 1;
            while (covered + size < count && GetCardLogicValue(cards[covered + size]) == logic)
                ++size;
            if (size < 4)
                break;
            firsts[groups++] = cards[covered];
            smallest = size < smallest ? size : smallest;
            largest = size > largest ? size : largest;
            covered += size;
        }
        if (groups >= 3 && covered == count)
        {
            if (count % groups == 0 && smallest == largest && IsLinkedRun(cards, count, count / groups, true))
            {
                setStars(count / groups + groups);
                return CT_LINKED_BOMB;
            }
            if (IsLinkedRun(firsts, groups, 1, true))
            {
                setStars(smallest + groups);
                return CT_LINKED_BOMB;
            }
        }
    }

    // Lines: pairs, triples or singles whose values follow one another.
    tagAnalyseResult result;
    AnalyseCardData(cards, count, result);
    if (count >= 6 && size_t(result.cbBlockCount[1]) * 2 == count && IsLinkedRun(result.cbCardData[1], count, 2, false))
        return CT_DOUBLE_LINE;
    if (count >= 9 && size_t(result.cbBlockCount[2]) * 3 == count && IsLinkedRun(result.cbCardData[2], count, 3, false))
        return CT_THREE_LINE;
    if (count >= 5 && size_t(result.cbBlockCount[0]) == count && IsLinkedRun(result.cbCardData[0], count, 1, false))
        return CT_SINGLE_LINE;
    return CT_ERROR;
}

bool CGameLogic::CompareCard(const uint8_t* firstCards, const uint8_t* nextCards, size_t firstCount,
                             size_t nextCount) const
{
    if (!ValidList(firstCards, firstCount) || !ValidList(nextCards, nextCount))
        return false;
    uint8_t firstStars = 0, nextStars = 0;
    uint8_t firstType = GetCardType(firstCards, firstCount, &firstStars);
    uint8_t nextType = GetCardType(nextCards, nextCount, &nextStars);
    bool firstBomb = firstType >= CT_BOMB;
    bool nextBomb = nextType >= CT_BOMB;

    // Ties lose: the cards on the table stay.
    auto nextHigher = [&]() { return CompareLogicValue(nextCards[0], firstCards[0]); };

    if (!firstBomb && !nextBomb)
    {
        return nextType == firstType && nextType != CT_ERROR && nextCount == firstCount && nextHigher();
    }
    if (nextBomb != firstBomb)
        return nextBomb;
    if (firstStars != nextStars)
        return nextStars > firstStars;

    if (nextStars == 4 || nextStars == 5)
        return nextHigher();
    if (nextStars == 6)
    {
        if (firstCount == 3)
            return true;  // three jokers on the table
        if (nextCount == 3)
            return false;  // three jokers against a six-card bomb
        return nextHigher();
    }
    if (nextStars == 7)
    {
        if (firstCount == 4)
            return false;  // four jokers
        if (nextCount == 4)
            return true;
    }
    if (nextType == CT_LINKED_BOMB && firstType == CT_BOMB)
        return true;
    if (nextType == CT_BOMB && firstType == CT_LINKED_BOMB)
        return false;
    if (nextType == CT_BOMB && firstType == CT_BOMB)
        return nextHigher();
    if (nextType == CT_LINKED_BOMB && firstType == CT_LINKED_BOMB)
    {
        auto lowest = [this](const uint8_t* cards, size_t count) {
            uint8_t low = 0xFF;
            for (size_t i = 0; i < count; ++i)
            {
                uint8_t v = GetCardLogicValue(cards[i]);
                low = v < low ? v : low;
            }
            return low;
        };
        return lowest(nextCards, nextCount) > lowest(firstCards, firstCount);
    }
    return false;
}

namespace {

// Builds a linked bomb from the non-jokers: behind each group that ends
// before the last card, fill it to `target` with copies of its card; the
// last group is filled the same way, every joker still left becomes one
// more copy of the last card, and the last card closes the list.
size_t FillLinkedBomb(const CGameLogic& logic, const uint8_t* cards, size_t n, size_t jokers, int target, uint8_t* out)
{
    size_t len = 0;
    size_t groupSize = 0;
    auto fill = [&](uint8_t card) {
        int missing = target - static_cast<int>(groupSize);
        if (missing > 0 && static_cast<size_t>(missing) <= jokers)
        {
            for (int k = 0; k < missing; ++k)
                out[len++] = card;
            jokers -= static_cast<size_t>(missing);
        }
    };
    for (size_t i = 0; i < n; ++i)
    {
        uint8_t v = logic.GetCardLogicValue(cards[i]);
        groupSize = (i > 0 && v == logic.GetCardLogicValue(cards[i - 1])) ? groupSize + 1 : 1;
        if (i + 1 < n)
        {
            out[len++] = cards[i];
            if (logic.GetCardLogicValue(cards[i + 1]) != v)
                fill(cards[i]);
            continue;
        }
        fill(cards[i]);
        for (; jokers > 0; --jokers)
            out[len++] = cards[i];
        out[len++] = cards[i];
    }
    return len;
}

}  // namespace

bool CGameLogic::SubstituteJokers(const uint8_t* cards, size_t count, uint8_t* out) const
{
    if (count == 0 || out == nullptr || !ValidList(cards, count))
        return false;

    auto copy = [&]() {
        std::memcpy(out, cards, count);
        return false;
    };

    uint8_t plain[MAX_COUNT];
    size_t n = 0, jokers = 0;
    for (size_t i = 0; i < count; ++i)
    {
        if (IsJoker(cards[i]))
            ++jokers;
        else
            plain[n++] = cards[i];
    }
    if (jokers == 0 || (jokers != 2 && n == 0))
        return copy();
    if (n == 0)
    {
        // Any two jokers play as a pair of big jokers.
        out[0] = BIG_JOKER;
        out[1] = BIG_JOKER;
        return true;
    }

    // Groups of equal value among the non-jokers, in the order given. A
    // final lone card counts as a group without entering the sizes.
    size_t groups = 0, smallest = MAX_COUNT, largest = 0, size = 0;
    for (size_t i = 0; i < n; ++i)
    {
        bool opens = i == 0 || GetCardLogicValue(plain[i]) != GetCardLogicValue(plain[i - 1]);
        if (opens)
        {
            if (i > 0)
            {
                smallest = size < smallest ? size : smallest;
                largest = size > largest ? size : largest;
            }
            ++groups;
            size = 1;
        }
        else
        {
            ++size;
        }
    }
    bool finalLoneCard = n > 1 && size == 1;
    if (!finalLoneCard)
    {
        smallest = size < smallest ? size : smallest;
        largest = size > largest ? size : largest;
    }

    if (groups == 1)
    {
        // The jokers join a single, pair, triple or bomb of that card.
        for (size_t i = 0; i < jokers; ++i)
            out[i] = plain[0];
        std::memcpy(out + jokers, plain, n);
        return true;
    }

    if (count >= 12 && smallest == largest && count % groups == 0 && groups >= 3 && count / groups >= 4)
    {
        FillLinkedBomb(*this, plain, n, jokers, static_cast<int>(count / groups), out);
        return true;
    }
    if (largest >= 4 && count >= 12 && groups >= 3)
    {
        tagAnalyseResult result;
        AnalyseCardData(cards, count, result);
        FillLinkedBomb(*this, plain, n, jokers, GetJokerFillLevel(result), out);
        return true;
    }

    // Lines of singles, pairs or triples; the two is never part of one.
    if (largest > 3 || largest == 0)
        return copy();
    size_t width = largest;
    if (count % width != 0 || (groups < 3 && (jokers < width || groups < 2)))
        return copy();

    tagDistributing dist;
    AnalyseDistributing(plain, n, dist);
    for (int direction = 0; direction < 2; ++direction)
    {
        uint8_t line[MAX_COUNT];
        size_t len = 0, placed = 0, left = jokers;
        bool filled[kLineValues] = {};
        auto add = [&](uint8_t card) {
            if (len < MAX_COUNT)
                line[len++] = card;
        };
        for (size_t k = 0; k < kLineValues; ++k)
        {
            uint8_t index = static_cast<uint8_t>(direction == 0 ? k : kLineValues - 1 - k);
            const uint8_t* value = dist.cbDistributing[index];
            size_t total = value[5];
            if (len == 0 && total == 0)
                continue;
            if (total + left < width)
                break;
            for (uint8_t colour = 0; colour < 5; ++colour)
                for (uint8_t c = 0; c < value[colour]; ++c)
                    add(MakeCardData(index, colour));
            placed += total;
            for (size_t c = total; c < width; ++c, --left)
                add(MakeCardData(index, 0));
            filled[index] = true;
        }
        if (placed == n && left > 0)
        {
            // Spare jokers lengthen the line on the side not yet walked.
            for (size_t k = 0; k < kLineValues && left > 0; ++k)
            {
                uint8_t index = static_cast<uint8_t>(direction == 0 ? kLineValues - 1 - k : k);
                if (filled[index])
                    continue;
                for (size_t c = 0; c < width && left > 0; ++c, --left)
                    add(MakeCardData(index, 0));
                filled[index] = true;
            }
        }
        if (placed == n && left == 0 && len == count)
        {
            SortCardList(line, len, ST_VALUE);
            std::memcpy(out, line, count);
            return true;
        }
    }
    return copy();
}

}  // namespace ShuangKouHP
