#include "games/Land/GameLogic.h"

#include <cstring>

namespace Land {

namespace {

inline uint8_t LogicValue(uint8_t card)
{
    const uint8_t colour = card >> 4;
    const uint8_t value = card & 0x0F;
    if (colour == 4)
        return value + 2;
    return value < 3 ? value + 13 : value;
}

inline uint8_t FaceOf(uint8_t card) { return card & 0x0F; }

// Sorted order: descending logic value, then descending card byte.
inline bool RanksBefore(uint8_t lvA, uint8_t a, uint8_t lvB, uint8_t b) { return lvA > lvB || (lvA == lvB && a > b); }

void SortDescending(uint8_t* cards, uint8_t count)
{
    uint8_t lv[MAX_COUNT];
    for (uint8_t i = 0; i < count; ++i)
        lv[i] = LogicValue(cards[i]);
    // The order is total on card bytes, so any correct sort gives the same list.
    for (uint8_t i = 1; i < count; ++i)
    {
        const uint8_t card = cards[i], value = lv[i];
        int j = i - 1;
        while (j >= 0 && RanksBefore(value, card, lv[j], cards[j]))
        {
            cards[j + 1] = cards[j];
            lv[j + 1] = lv[j];
            --j;
        }
        cards[j + 1] = card;
        lv[j + 1] = value;
    }
}

// Writes the groups of the given sizes (1..4) one part after another.
uint8_t WriteGroups(const CardGroups& groups, const uint8_t* sizes, uint8_t* out)
{
    uint8_t n = 0;
    for (int part = 0; part < 4; ++part)
    {
        const uint8_t size = sizes[part];
        const uint8_t cards = groups.blockCount[size - 1] * size;
        std::memcpy(out + n, groups.cards[size - 1], cards);
        n += cards;
    }
    return n;
}

uint8_t GroupedCardCount(const CardGroups& groups)
{
    return groups.blockCount[0] + groups.blockCount[1] * 2 + groups.blockCount[2] * 3 + groups.blockCount[3] * 4;
}

void ClearResult(CardSearchResult* result)
{
    if (result)
        std::memset(result, 0, sizeof(*result));
}

// Appends a row; a full record or an over-long row is refused.
bool AddRow(CardSearchResult& result, const uint8_t* cards, uint8_t count)
{
    if (result.rowCount >= MAX_SEARCH_ROWS || count == 0 || count > MAX_COUNT)
        return false;
    std::memcpy(result.rows[result.rowCount], cards, count);
    result.rowLength[result.rowCount] = count;
    ++result.rowCount;
    return true;
}

// Cards of one face for a line: blockCount of them, colour 3 down to 0.
uint8_t TakeFace(const FaceCountTable& table, uint8_t face, uint8_t blockCount, uint8_t* out)
{
    uint8_t n = 0;
    for (int colour = 3; colour >= 0 && n < blockCount; --colour)
    {
        for (uint8_t c = table.faces[face - 1][colour]; c > 0 && n < blockCount; --c)
            out[n++] = static_cast<uint8_t>((colour << 4) | face);
    }
    return n;
}

uint8_t OrdinaryCount(const FaceCountTable& table, uint8_t face)
{
    const uint8_t* row = table.faces[face - 1];
    return row[0] + row[1] + row[2] + row[3];
}

}  // namespace

uint8_t CGameLogic::GetCardLogicValue(uint8_t card) const { return LogicValue(card); }

void CGameLogic::AnalyseCards(const uint8_t* cards, uint8_t count, CardGroups& groups) const
{
    std::memset(&groups, 0, sizeof(groups));
    if (count > MAX_COUNT)
        return;
    for (uint8_t i = 0; i < count;)
    {
        const uint8_t value = LogicValue(cards[i]);
        uint8_t j = i + 1;
        while (j < count && LogicValue(cards[j]) == value)
            ++j;
        const uint8_t size = j - i;
        if (size > 4)
        {
            // More than four equal values cannot come from one deck.
            std::memset(&groups, 0, sizeof(groups));
            return;
        }
        const uint8_t index = size - 1;
        std::memcpy(groups.cards[index] + groups.blockCount[index] * size, cards + i, size);
        ++groups.blockCount[index];
        i = j;
    }
}

void CGameLogic::CountFaces(const uint8_t* cards, uint8_t count, FaceCountTable& table) const
{
    std::memset(&table, 0, sizeof(table));
    if (count > MAX_COUNT)
        return;
    for (uint8_t i = 0; i < count; ++i)
    {
        const uint8_t face = FaceOf(cards[i]);
        const uint8_t colour = cards[i] >> 4;
        // Bytes that name no card would index outside the table.
        if (cards[i] == 0 || face == 0 || colour > 4)
            continue;
        ++table.cardCount;
        ++table.faces[face - 1][5];
        ++table.faces[face - 1][colour];
    }
}

uint8_t CGameLogic::GetCardType(const uint8_t* cards, uint8_t count) const
{
    if (count == 0 || count > MAX_COUNT)
        return ERROR;
    if (count == 1)
        return SINGLE;
    if (count == 2)
    {
        if (cards[0] == BIG_JOKER && cards[1] == SMALL_JOKER)
            return MISSILE_CARD;
        return LogicValue(cards[0]) == LogicValue(cards[1]) ? DOUBLE : ERROR;
    }

    CardGroups g;
    AnalyseCards(cards, count, g);

    if (g.blockCount[3] > 0)
    {
        if (g.blockCount[3] > 1)
            return ERROR;
        if (count == 4)
            return BOMB_CARD;
        if (count == 6)
            return FOUR_TAKE_ONE;
        if (count == 8 && g.blockCount[1] == 2)
            return FOUR_TAKE_TWO;
        return ERROR;
    }

    if (g.blockCount[2] > 0)
    {
        const uint8_t n = g.blockCount[2];
        if (n >= 2)
        {
            const uint8_t first = LogicValue(g.cards[2][0]);
            if (first >= 15)
                return ERROR;
            for (uint8_t i = 1; i < n; ++i)
            {
                if (LogicValue(g.cards[2][i * 3]) != first - i)
                    return ERROR;
            }
        }
        else if (count == 3)
        {
            return THREE;
        }
        if (count == n * 3)
            return THREE_LINE;
        if (count == n * 4)
            return THREE_TAKE_ONE;
        if (count == n * 5 && g.blockCount[1] == n)
            return THREE_TAKE_TWO;
        return ERROR;
    }

    if (g.blockCount[1] >= 3)
    {
        const uint8_t n = g.blockCount[1];
        const uint8_t first = LogicValue(g.cards[1][0]);
        if (first >= 15)
            return ERROR;
        for (uint8_t i = 1; i < n; ++i)
        {
            if (LogicValue(g.cards[1][i * 2]) != first - i)
                return ERROR;
        }
        return count == n * 2 ? DOUBLE_LINE : ERROR;
    }

    if (g.blockCount[0] >= 5 && g.blockCount[0] == count)
    {
        const uint8_t first = LogicValue(cards[0]);
        if (first >= 15)
            return ERROR;
        for (uint8_t i = 1; i < count; ++i)
        {
            if (LogicValue(cards[i]) != first - i)
                return ERROR;
        }
        return SINGLE_LINE;
    }
    return ERROR;
}

void CGameLogic::SortCards(uint8_t* cards, uint8_t count, uint8_t mode) const
{
    if (count == 0 || count > MAX_COUNT || mode == 3)
        return;
    SortDescending(cards, count);
    if (mode != 2)
        return;
    CardGroups g;
    AnalyseCards(cards, count, g);
    // A list the groups cannot hold keeps the plain order rather than losing cards.
    if (GroupedCardCount(g) != count)
        return;
    static const uint8_t kBySize[4] = {4, 3, 2, 1};
    WriteGroups(g, kBySize, cards);
}

bool CGameLogic::RemoveCards(const uint8_t* removeCards, uint8_t removeCount, uint8_t* handCards,
                             uint8_t handCount) const
{
    if (handCount > MAX_COUNT || removeCount > handCount)
        return false;
    bool removed[MAX_COUNT] = {};
    uint8_t found = 0;
    for (uint8_t r = 0; r < removeCount; ++r)
    {
        if (removeCards[r] == 0)
            continue;  // 0 is no card: never found
        for (uint8_t i = 0; i < handCount; ++i)
        {
            if (!removed[i] && handCards[i] == removeCards[r])
            {
                removed[i] = true;
                ++found;
                break;
            }
        }
    }
    if (found != removeCount)
        return false;
    uint8_t n = 0;
    for (uint8_t i = 0; i < handCount; ++i)
    {
        if (!removed[i] && handCards[i] != 0)
            handCards[n++] = handCards[i];
    }
    return true;
}

void CGameLogic::PutMainPartFirst(uint8_t* cards, uint8_t count) const
{
    const uint8_t type = GetCardType(cards, count);
    static const uint8_t kThreesFirst[4] = {3, 4, 2, 1};
    static const uint8_t kFourFirst[4] = {4, 3, 2, 1};
    const uint8_t* order = nullptr;
    if (type == THREE_TAKE_ONE || type == THREE_TAKE_TWO)
        order = kThreesFirst;
    else if (type == FOUR_TAKE_ONE || type == FOUR_TAKE_TWO)
        order = kFourFirst;
    else
        return;
    CardGroups g;
    AnalyseCards(cards, count, g);
    WriteGroups(g, order, cards);
}

namespace {

// Compare with both types known (first = the table, next = the candidate).
bool BeatsTyped(const CGameLogic& logic, uint8_t firstType, const uint8_t* first, uint8_t firstCount, uint8_t nextType,
                const uint8_t* next, uint8_t nextCount)
{
    if (nextType == ERROR)
        return false;
    if (nextType == MISSILE_CARD)
        return true;
    if (firstType == MISSILE_CARD)
        return false;
    if (firstType == BOMB_CARD && nextType != BOMB_CARD)
        return false;
    if (firstType != BOMB_CARD && nextType == BOMB_CARD)
        return true;
    if (firstType != nextType || firstCount != nextCount)
        return false;

    switch (nextType)
    {
        case THREE_TAKE_ONE:
        case THREE_TAKE_TWO:
        case FOUR_TAKE_ONE:
        case FOUR_TAKE_TWO:
        {
            const uint8_t index = (nextType == THREE_TAKE_ONE || nextType == THREE_TAKE_TWO) ? 2 : 3;
            CardGroups a, b;
            logic.AnalyseCards(first, firstCount, a);
            logic.AnalyseCards(next, nextCount, b);
            return LogicValue(b.cards[index][0]) > LogicValue(a.cards[index][0]);
        }
        default: return LogicValue(next[0]) > LogicValue(first[0]);
    }
}

}  // namespace

bool CGameLogic::CompareCards(const uint8_t* firstCards, const uint8_t* nextCards, uint8_t firstCount,
                              uint8_t nextCount) const
{
    const uint8_t nextType = GetCardType(nextCards, nextCount);
    if (nextType == ERROR)
        return false;
    const uint8_t firstType = GetCardType(firstCards, firstCount);
    return BeatsTyped(*this, firstType, firstCards, firstCount, nextType, nextCards, nextCount);
}

uint8_t CGameLogic::FindSameCards(const uint8_t* hand, uint8_t handCount, uint8_t referenceCard, uint8_t sameCount,
                                  CardSearchResult* result) const
{
    CardSearchResult local;
    CardSearchResult& out = result ? *result : local;
    ClearResult(&out);
    if (sameCount < 1 || sameCount > 4 || handCount > MAX_COUNT)
        return 0;

    uint8_t sorted[MAX_COUNT];
    std::memcpy(sorted, hand, handCount);
    SortDescending(sorted, handCount);
    CardGroups g;
    AnalyseCards(sorted, handCount, g);

    const uint8_t reference = referenceCard == 0 ? 0 : LogicValue(referenceCard);
    // Exact-size groups before groups that must be split, lowest first.
    for (uint8_t size = sameCount; size <= 4; ++size)
    {
        const uint8_t index = size - 1;
        for (int group = g.blockCount[index] - 1; group >= 0; --group)
        {
            const uint8_t* cards = g.cards[index] + group * size;
            if (LogicValue(cards[0]) <= reference)
                continue;
            if (!result)
                return 1;
            if (!AddRow(out, cards, sameCount))
                return out.rowCount;
        }
    }
    return out.rowCount;
}

uint8_t CGameLogic::FindTakeCards(const uint8_t* hand, uint8_t handCount, uint8_t referenceCard, uint8_t sameCount,
                                  uint8_t takeCount, CardSearchResult* result) const
{
    CardSearchResult local;
    CardSearchResult& out = result ? *result : local;
    ClearResult(&out);
    if ((sameCount != 3 && sameCount != 4) || (takeCount != 1 && takeCount != 2))
        return 0;
    if (handCount > MAX_COUNT || handCount < sameCount + takeCount)
        return 0;
    if (sameCount == 4 && handCount < 4 + 2 * takeCount)
        return 0;

    uint8_t sorted[MAX_COUNT];
    std::memcpy(sorted, hand, handCount);
    SortDescending(sorted, handCount);
    CardSearchResult candidates;
    if (FindSameCards(sorted, handCount, referenceCard, sameCount, &candidates) == 0)
        return 0;
    CardGroups g;
    AnalyseCards(sorted, handCount, g);

    const uint8_t needed = sameCount == 3 ? 3 + takeCount : 4 + 2 * takeCount;
    for (uint8_t c = 0; c < candidates.rowCount; ++c)
    {
        uint8_t row[MAX_COUNT];
        std::memcpy(row, candidates.rows[c], sameCount);
        uint8_t length = sameCount;
        const uint8_t face = FaceOf(row[0]);
        for (uint8_t size = takeCount; size <= 4 && length < needed; ++size)
        {
            const uint8_t index = size - 1;
            for (int group = g.blockCount[index] - 1; group >= 0 && length < needed; --group)
            {
                const uint8_t* cards = g.cards[index] + group * size;
                if (FaceOf(cards[0]) == face)
                    continue;
                std::memcpy(row + length, cards, takeCount);
                length += takeCount;
            }
        }
        if (length != needed)
            continue;
        if (!result)
            return 1;
        if (!AddRow(out, row, length))
            break;
    }
    return out.rowCount;
}

uint8_t CGameLogic::FindLineCards(const uint8_t* hand, uint8_t handCount, uint8_t referenceCard, uint8_t blockCount,
                                  uint8_t lineLength, CardSearchResult* result) const
{
    CardSearchResult local;
    CardSearchResult& out = result ? *result : local;
    ClearResult(&out);
    if (blockCount < 1 || blockCount > 3 || handCount > MAX_COUNT)
        return 0;

    const bool fixedLength = lineLength != 0;
    const int length = fixedLength ? lineLength : (blockCount == 1 ? 5 : blockCount == 2 ? 3 : 2);
    // Index k stands for the face k + 1 (3..K for k = 2..12); the ace follows K.
    int start = referenceCard == 0 ? 2 : LogicValue(referenceCard) - length + 1;
    if (start < 2)
        start = 2;  // A and 2 never start a line
    if (start + length > 14 || handCount < blockCount * length)
        return 0;

    FaceCountTable table;
    CountFaces(hand, handCount, table);

    auto addRow = [&](int last, int run, bool withAces) {
        uint8_t row[MAX_COUNT];
        const int cards = (run + (withAces ? 1 : 0)) * blockCount;
        if (cards > MAX_COUNT)
            return;
        uint8_t n = 0;
        for (int k = last - run + 1; k <= last; ++k)
            n += TakeFace(table, static_cast<uint8_t>(k + 1), blockCount, row + n);
        if (withAces)
            n += TakeFace(table, 1, blockCount, row + n);
        AddRow(out, row, n);
    };

    int run = 0;
    for (int k = start; k < 13; ++k)
    {
        if (OrdinaryCount(table, static_cast<uint8_t>(k + 1)) >= blockCount)
        {
            ++run;
            if (fixedLength && run >= length)
            {
                addRow(k, run, false);
                --run;  // the window slides by one face
            }
        }
        else
        {
            if (run >= length)
                addRow(k - 1, run, false);
            run = 0;
        }
        if (!result && out.rowCount > 0)
            return 1;
    }
    const bool aces = OrdinaryCount(table, 1) >= blockCount;
    if (run >= length - 1 && (aces || run >= length))
        addRow(12, run, aces);
    if (!result)
        return out.rowCount > 0 ? 1 : 0;
    return out.rowCount;
}

namespace {

// Collects hint rows, keeping only plays that the follow test accepts.
class HintRows
{
public:
    HintRows(const CGameLogic& logic, CardSearchResult& out, const uint8_t* turn, uint8_t turnCount, uint8_t turnType)
        : m_logic(logic), m_out(out), m_turn(turn), m_turnCount(turnCount), m_turnType(turnType)
    {}

    void Add(const uint8_t* cards, uint8_t count)
    {
        if (count == 0 || count > MAX_COUNT)
            return;
        uint8_t sorted[MAX_COUNT];
        std::memcpy(sorted, cards, count);
        SortDescending(sorted, count);
        const uint8_t type = m_logic.GetCardType(sorted, count);
        if (type == ERROR)
            return;
        if (m_turnType != ERROR && !BeatsTyped(m_logic, m_turnType, m_turn, m_turnCount, type, sorted, count))
            return;
        AddRow(m_out, cards, count);
    }
    void AddFirst(const CardSearchResult& rows)
    {
        if (rows.rowCount > 0)
            Add(rows.rows[0], rows.rowLength[0]);
    }
    void AddAll(const CardSearchResult& rows)
    {
        for (uint8_t i = 0; i < rows.rowCount; ++i)
            Add(rows.rows[i], rows.rowLength[i]);
    }

private:
    const CGameLogic& m_logic;
    CardSearchResult& m_out;
    const uint8_t* m_turn;
    uint8_t m_turnCount;
    uint8_t m_turnType;
};

}  // namespace

uint8_t CGameLogic::FindHints(const uint8_t* hand, uint8_t handCount, const uint8_t* turnCards, uint8_t turnCount,
                              CardSearchResult* result) const
{
    if (!result)
        return 0;
    ClearResult(result);
    if (handCount == 0 || handCount > MAX_COUNT || turnCount > MAX_COUNT)
        return 0;

    uint8_t sorted[MAX_COUNT];
    std::memcpy(sorted, hand, handCount);
    SortDescending(sorted, handCount);
    uint8_t turn[MAX_COUNT] = {};
    if (turnCount > 0)
        std::memcpy(turn, turnCards, turnCount);
    SortDescending(turn, turnCount);
    const uint8_t turnType = GetCardType(turn, turnCount);
    const bool hasMissile = handCount >= 2 && sorted[0] == BIG_JOKER && sorted[1] == SMALL_JOKER;

    HintRows hints(*this, *result, turn, turnCount, turnType);
    CardSearchResult rows;

    if (turnType == ERROR)
    {
        if (GetCardType(sorted, handCount) != ERROR)
            hints.Add(sorted, handCount);

        uint8_t lowestGroup = 0;
        if (handCount >= 2 && FaceOf(sorted[handCount - 1]) == FaceOf(sorted[handCount - 2]))
        {
            const uint8_t face = FaceOf(sorted[handCount - 1]);
            uint8_t group[MAX_COUNT];
            for (uint8_t i = 0; i < handCount; ++i)
            {
                if (FaceOf(sorted[i]) == face)
                    group[lowestGroup++] = sorted[i];
            }
            hints.Add(group, lowestGroup);
        }
        FindSameCards(sorted, handCount, 0, 1, &rows);
        hints.AddFirst(rows);
        if (lowestGroup != 2)
        {
            FindSameCards(sorted, handCount, 0, 2, &rows);
            hints.AddFirst(rows);
        }
        if (lowestGroup != 3)
        {
            FindSameCards(sorted, handCount, 0, 3, &rows);
            hints.AddFirst(rows);
        }
        if (handCount >= 4)
        {
            FindTakeCards(sorted, handCount, 0, 3, 1, &rows);
            hints.AddFirst(rows);
        }
        if (handCount >= 5)
        {
            FindTakeCards(sorted, handCount, 0, 3, 2, &rows);
            hints.AddFirst(rows);
        }
        for (uint8_t block = 1; block <= 3; ++block)
        {
            FindLineCards(sorted, handCount, 0, block, 0, &rows);
            hints.AddFirst(rows);
        }
        if (lowestGroup != 4)
        {
            FindSameCards(sorted, handCount, 0, 4, &rows);
            hints.AddFirst(rows);
        }
        if (hasMissile)
            hints.Add(sorted, 2);
        return result->rowCount;
    }

    if (turnType == MISSILE_CARD)
        return 0;

    switch (turnType)
    {
        case SINGLE:
        case DOUBLE:
        case THREE:
            FindSameCards(sorted, handCount, turn[0], turnType, &rows);
            hints.AddAll(rows);
            break;
        case SINGLE_LINE:
        case DOUBLE_LINE:
        case THREE_LINE:
        {
            const uint8_t block = turnType - SINGLE_LINE + 1;
            FindLineCards(sorted, handCount, turn[0], block, turnCount / block, &rows);
            hints.AddAll(rows);
            break;
        }
        case THREE_TAKE_ONE:
        case THREE_TAKE_TWO:
        {
            const uint8_t take = turnType == THREE_TAKE_ONE ? 1 : 2;
            if (handCount < turnCount)
                break;
            if (turnCount == 3 + take)
            {
                // The third card of a sorted three-with-attachment is always one of the three.
                FindTakeCards(sorted, handCount, turn[2], 3, take, &rows);
                hints.AddAll(rows);
                break;
            }
            const uint8_t threes = turnCount / (3 + take);
            uint8_t main[MAX_COUNT];
            std::memcpy(main, turn, turnCount);
            PutMainPartFirst(main, turnCount);
            CardSearchResult lines;
            FindLineCards(sorted, handCount, main[0], 3, threes, &lines);
            for (uint8_t r = 0; r < lines.rowCount; ++r)
            {
                uint8_t rest[MAX_COUNT];
                std::memcpy(rest, sorted, handCount);
                const uint8_t lineCount = lines.rowLength[r];
                if (!RemoveCards(lines.rows[r], lineCount, rest, handCount))
                    continue;
                CardGroups g;
                AnalyseCards(rest, handCount - lineCount, g);

                uint8_t row[MAX_COUNT];
                std::memcpy(row, lines.rows[r], lineCount);
                uint8_t length = lineCount;
                const uint8_t needed = lineCount + threes * take;
                const uint8_t exact = take - 1;
                if (g.blockCount[exact] >= threes)
                {
                    // Enough groups of exactly the attachment size: the lowest of them.
                    for (uint8_t i = 0; i < threes; ++i)
                    {
                        const int group = g.blockCount[exact] - 1 - i;
                        std::memcpy(row + length, g.cards[exact] + group * take, take);
                        length += take;
                    }
                }
                else
                {
                    for (uint8_t size = take; size <= 4 && length < needed; ++size)
                    {
                        const uint8_t index = size - 1;
                        for (int group = g.blockCount[index] - 1; group >= 0 && length < needed; --group)
                        {
                            std::memcpy(row + length, g.cards[index] + group * size, take);
                            length += take;
                        }
                    }
                }
                if (length == needed)
                    hints.Add(row, length);
            }
            break;
        }
        case FOUR_TAKE_ONE:
        case FOUR_TAKE_TWO:
        {
            uint8_t main[MAX_COUNT];
            std::memcpy(main, turn, turnCount);
            PutMainPartFirst(main, turnCount);
            FindTakeCards(sorted, handCount, main[0], 4, turnType == FOUR_TAKE_ONE ? 1 : 2, &rows);
            hints.AddAll(rows);
            break;
        }
        default: break;  // a bomb is beaten only by a higher bomb or the missile, below
    }

    if (handCount >= 4)
    {
        FindSameCards(sorted, handCount, turnType == BOMB_CARD ? turn[0] : 0, 4, &rows);
        hints.AddAll(rows);
    }
    if (hasMissile)
        hints.Add(sorted, 2);
    return result->rowCount;
}

}  // namespace Land
