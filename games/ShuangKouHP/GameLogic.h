// Shuang Kou card rules: two decks with four jokers, hands of up to 27
// cards, bombs ranked by stars, jokers standing in for other cards.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ShuangKouHP {

constexpr size_t MAX_COUNT = 27;

// Card types; 7 to 10 are the bombs.
constexpr uint8_t CT_ERROR = 0;
constexpr uint8_t CT_SINGLE = 1;
constexpr uint8_t CT_DOUBLE = 2;
constexpr uint8_t CT_THREE = 3;
constexpr uint8_t CT_SINGLE_LINE = 4;
constexpr uint8_t CT_DOUBLE_LINE = 5;
constexpr uint8_t CT_THREE_LINE = 6;
constexpr uint8_t CT_BOMB = 7;
constexpr uint8_t CT_THREE_JOKERS = 8;
constexpr uint8_t CT_FOUR_JOKERS = 9;
constexpr uint8_t CT_LINKED_BOMB = 10;

// Sort modes: 1 groups by size; any other mode orders by value.
constexpr uint8_t ST_VALUE = 0;
constexpr uint8_t ST_GROUP = 1;

constexpr uint8_t SMALL_JOKER = 0x4E;
constexpr uint8_t BIG_JOKER = 0x4F;

struct tagAnalyseResult
{
    uint8_t cbBlockCount[12];           // groups of each size, index = size - 1
    uint8_t cbCardData[12][MAX_COUNT];  // their cards, group after group
    uint8_t cbJokerData[4];
    uint8_t cbJokerCount;
};

struct tagDistributing
{
    uint8_t cbCardCount;
    uint8_t cbDistributing[15][6];  // logic value 3..17: count per colour 0..4, then the total
};

// Stateless; the board keeps one instance. Every count comes from the wire:
// a list longer than MAX_COUNT is refused (CT_ERROR, false, nothing done)
// and nothing past `count` bytes is read or written.
class CGameLogic
{
public:
    virtual ~CGameLogic() = default;

    // 3..13 as they are, ace 14, two 15, small joker 16, big joker 17.
    uint8_t GetCardLogicValue(uint8_t card) const;
    // index 0..10 the values 3..K, 11 ace, 12 two, 13 and 14 the jokers;
    // 0 for an index past 14.
    uint8_t MakeCardData(uint8_t index, uint8_t colour) const;

    void SortCardList(uint8_t* cards, size_t count, uint8_t mode) const;
    // All or nothing: false (cards unchanged) unless every removed card was
    // found; on success the rest is compacted to the front, in order.
    bool RemoveCard(const uint8_t* removed, size_t removedCount, uint8_t* cards, size_t cardCount) const;

    void AnalyseCardData(const uint8_t* cards, size_t count, tagAnalyseResult& result) const;
    void AnalyseDistributing(const uint8_t* cards, size_t count, tagDistributing& result) const;

    // True when b's logic value is below a's.
    bool CompareLogicValue(uint8_t a, uint8_t b) const;
    // Whether the first cards of each group of `step` cards run down by one
    // (with allowWrap a two may link the ace to the three).
    bool IsLinkedRun(const uint8_t* cards, size_t count, size_t step, bool allowWrap) const;
    // The size every group can be brought to by spreading the jokers.
    uint8_t GetJokerFillLevel(const tagAnalyseResult& result) const;

    // The cards must be sorted by value. Stars (bomb level) go to *stars.
    uint8_t GetCardType(const uint8_t* cards, size_t count, uint8_t* stars = nullptr) const;
    // True when nextCards beats firstCards; both sorted by value.
    bool CompareCard(const uint8_t* firstCards, const uint8_t* nextCards, size_t firstCount, size_t nextCount) const;
    // Writes `count` bytes to out: the cards with every joker replaced by
    // the card it stands for (true), or a plain copy (false). A count above
    // MAX_COUNT writes nothing and returns false.
    bool SubstituteJokers(const uint8_t* cards, size_t count, uint8_t* out) const;
};

}  // namespace ShuangKouHP
