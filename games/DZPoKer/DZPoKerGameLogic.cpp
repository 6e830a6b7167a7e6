#include "games/DZPoKer/DZPoKerGameLogic.h"

#include <cstring>

namespace DZPoKer {

namespace {

inline uint8_t LogicValue(uint8_t card)
{
    const uint8_t face = card & 0x0F;
    return face == 1 ? 14 : face;
}

inline uint8_t Decide(uint8_t first, uint8_t second) { return first > second ? 2 : first < second ? 1 : 0; }

// First difference of two value lists, place by place.
uint8_t DecideInOrder(const uint8_t* first, const uint8_t* second, uint8_t count)
{
    for (uint8_t i = 0; i < count; ++i)
    {
        const uint8_t d = Decide(first[i], second[i]);
        if (d != 0)
            return d;
    }
    return 0;
}

// A 5 4 3 2: the ace is followed by the 5.
inline bool FiveHigh(const uint8_t* cards) { return LogicValue(cards[0]) == LogicValue(cards[1]) + 9; }

}  // namespace

uint8_t DZPoKerCGameLogic::GetCardLogicValue(uint8_t card) { return LogicValue(card); }

void DZPoKerCGameLogic::AnalyseCards(const uint8_t* cards, uint8_t count, AnalyseResult& result)
{
    std::memset(&result, 0, sizeof(result));
    if (count > HAND_CARD_COUNT)
        return;
    struct Group
    {
        uint8_t* count;
        uint8_t* values;
        uint8_t* cards;
    };
    const Group groups[4] = {
        {&result.singleCount, result.singleValue, result.singleCards},
        {&result.doubleCount, result.doubleValue, result.doubleCards},
        {&result.threeCount, result.threeValue, result.threeCards},
        {&result.fourCount, result.fourValue, result.fourCards},
    };
    for (uint8_t i = 0; i < count;)
    {
        const uint8_t value = LogicValue(cards[i]);
        uint8_t j = i + 1;
        while (j < count && LogicValue(cards[j]) == value)
            ++j;
        const uint8_t size = j - i;
        // Five equal values cannot come from one deck: skipped.
        if (size <= 4)
        {
            const Group& group = groups[size - 1];
            group.values[*group.count] = value;
            std::memcpy(group.cards + *group.count * size, cards + i, size);
            ++*group.count;
        }
        i = j;
    }
}

uint8_t DZPoKerCGameLogic::GetCardType(const uint8_t* cards, uint8_t count) const
{
    if (count != HAND_CARD_COUNT)
        return HAND_INVALID;

    uint8_t value[HAND_CARD_COUNT];
    bool flush = true;
    bool straight = true;
    for (uint8_t i = 0; i < HAND_CARD_COUNT; ++i)
    {
        value[i] = LogicValue(cards[i]);
        if ((cards[i] >> 4) != (cards[0] >> 4))
            flush = false;
    }
    for (uint8_t i = 1; i < HAND_CARD_COUNT; ++i)
    {
        if (value[0] != value[i] + i)
            straight = false;
    }
    if (!straight && value[0] == 14)
        straight = value[1] == 5 && value[2] == 4 && value[3] == 3 && value[4] == 2;

    if (flush && straight)
        return (cards[1] & 0x0F) == 13 ? HAND_ROYAL_FLUSH : HAND_STRAIGHT_FLUSH;
    if (flush)
        return HAND_FLUSH;
    if (straight)
        return HAND_STRAIGHT;

    AnalyseResult r;
    AnalyseCards(cards, count, r);
    if (r.fourCount == 1)
        return HAND_FOUR_OF_A_KIND;
    if (r.doubleCount == 2)
        return HAND_TWO_PAIRS;
    if (r.doubleCount == 1)
    {
        if (r.threeCount == 1)
            return HAND_FULL_HOUSE;
        return r.singleCount == 3 ? HAND_ONE_PAIR : HAND_HIGH_CARD;
    }
    return r.threeCount == 1 ? HAND_THREE_OF_A_KIND : HAND_HIGH_CARD;
}

uint8_t DZPoKerCGameLogic::CompareCard(const uint8_t* first, const uint8_t* second, uint8_t count) const
{
    const uint8_t firstType = GetCardType(first, count);
    const uint8_t secondType = GetCardType(second, count);
    if (firstType != secondType)
        return Decide(firstType, secondType);

    switch (firstType)
    {
        case HAND_HIGH_CARD:
        case HAND_FLUSH:
            for (uint8_t i = 0; i < count; ++i)
            {
                const uint8_t d = Decide(LogicValue(first[i]), LogicValue(second[i]));
                if (d != 0)
                    return d;
            }
            return 0;

        case HAND_STRAIGHT:
        case HAND_STRAIGHT_FLUSH:
        {
            const bool firstLow = FiveHigh(first);
            const bool secondLow = FiveHigh(second);
            if (firstLow || secondLow)
                return firstLow == secondLow ? 0 : (firstLow ? 1 : 2);
            return Decide(LogicValue(first[0]), LogicValue(second[0]));
        }

        case HAND_ONE_PAIR:
        case HAND_TWO_PAIRS:
        case HAND_THREE_OF_A_KIND:
        case HAND_FULL_HOUSE:
        case HAND_FOUR_OF_A_KIND:
        {
            AnalyseResult a, b;
            AnalyseCards(first, count, a);
            AnalyseCards(second, count, b);
            if (a.fourCount > 0)
            {
                const uint8_t d = Decide(a.fourValue[0], b.fourValue[0]);
                return d != 0 ? d : Decide(a.singleValue[0], b.singleValue[0]);
            }
            if (a.threeCount > 0)
            {
                const uint8_t d = Decide(a.threeValue[0], b.threeValue[0]);
                if (d != 0)
                    return d;
                if (firstType == HAND_FULL_HOUSE)
                    return Decide(a.doubleValue[0], b.doubleValue[0]);
                return DecideInOrder(a.singleValue, b.singleValue, a.singleCount);
            }
            const uint8_t d = DecideInOrder(a.doubleValue, b.doubleValue, a.doubleCount);
            return d != 0 ? d : DecideInOrder(a.singleValue, b.singleValue, a.singleCount);
        }

        default: return 0;  // royal flushes, and hands that are not five cards
    }
}

bool DZPoKerCGameLogic::SelectWinners(const uint8_t bestFive[GAME_PLAYER][HAND_CARD_COUNT], WinnerList& winners) const
{
    std::memset(&winners, 0, sizeof(winners));
    uint16_t first = 0;
    while (first < GAME_PLAYER && bestFive[first][0] == 0)
        ++first;
    if (first == GAME_PLAYER)
        return false;

    // Visiting in chair order and replacing only on a strict win keeps the
    // lowest chair among equal best hands.
    uint16_t best = first;
    for (uint16_t step = 1; step < GAME_PLAYER; ++step)
    {
        const uint16_t chair = (first + step) % GAME_PLAYER;
        if (bestFive[chair][0] != 0 && CompareCard(bestFive[chair], bestFive[best], HAND_CARD_COUNT) == 2)
            best = chair;
    }

    winners.chairs[winners.count++] = best;
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        if (chair != best && bestFive[chair][0] != 0 &&
            CompareCard(bestFive[chair], bestFive[best], HAND_CARD_COUNT) == 0)
            winners.chairs[winners.count++] = chair;
    }
    return true;
}

}  // namespace DZPoKer
