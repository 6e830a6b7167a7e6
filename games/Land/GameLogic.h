// Card rules of the three-player landlord game: logic values, the thirteen
// card types, comparison, sorting, removal and the hint search.
//
// Card byte: colour in the high four bits (0..3, 4 for the jokers), face
// value in the low four (1 = A .. 13 = K; 0x4E small joker, 0x4F big joker);
// 0 is no card. Every list handled here holds at most MAX_COUNT cards. Counts
// come from the wire, so a count above MAX_COUNT is refused (empty result,
// type ERROR, list unchanged) rather than trusted.
#pragma once

#include <cstdint>

namespace Land {

constexpr uint8_t MAX_COUNT = 20;  // cards in the largest hand (the landlord's)
constexpr uint8_t MAX_SEARCH_ROWS = 20;

// Card types.
enum CardType : uint8_t
{
    ERROR = 0,
    SINGLE = 1,
    DOUBLE = 2,
    THREE = 3,
    SINGLE_LINE = 4,
    DOUBLE_LINE = 5,
    THREE_LINE = 6,
    THREE_TAKE_ONE = 7,
    THREE_TAKE_TWO = 8,
    FOUR_TAKE_ONE = 9,
    FOUR_TAKE_TWO = 10,
    BOMB_CARD = 11,
    MISSILE_CARD = 12,
};

constexpr uint8_t SMALL_JOKER = 0x4E;
constexpr uint8_t BIG_JOKER = 0x4F;

// Groups of equal logic values. Index i holds the groups of exactly i + 1
// cards: blockCount[i] groups, group g starting at cards[i][g * (i + 1)], in
// input order (highest first for a sorted list).
struct CardGroups
{
    uint8_t blockCount[4];
    uint8_t cards[4][MAX_COUNT];
};

// Cards per face value (rows 0..14 for faces 1..15; 14 and 15 are the
// jokers): columns 0..4 by colour, column 5 the row's total.
struct FaceCountTable
{
    uint8_t cardCount;
    uint8_t faces[15][6];
};

struct CardSearchResult
{
    uint8_t rowCount;
    uint8_t rowLength[MAX_SEARCH_ROWS];
    uint8_t rows[MAX_SEARCH_ROWS][MAX_COUNT];
};

class CGameLogic
{
public:
    CGameLogic() = default;
    virtual ~CGameLogic() = default;

    // 3..K -> 3..13, A 14, 2 15, small joker 16, big joker 17.
    uint8_t GetCardLogicValue(uint8_t card) const;

    // Type of a list in the sorted order (descending logic value, then
    // descending card byte). Sort a selection with SortCards first.
    uint8_t GetCardType(const uint8_t* cards, uint8_t count) const;

    // Mode 1: sorted order. Mode 2: sorted, then fours, threes, pairs and
    // singles, each part in sorted order. Mode 3: unchanged. Other modes sort
    // as mode 1.
    void SortCards(uint8_t* cards, uint8_t count, uint8_t mode) const;

    // All or nothing: false leaves the hand as it was. On success the
    // remaining cards move to the front; places behind keep their old bytes.
    bool RemoveCards(const uint8_t* removeCards, uint8_t removeCount, uint8_t* handCards, uint8_t handCount) const;

    void AnalyseCards(const uint8_t* cards, uint8_t count, CardGroups& groups) const;
    void CountFaces(const uint8_t* cards, uint8_t count, FaceCountTable& table) const;

    // Three- and four-take plays: the threes (or the four) move to the front.
    void PutMainPartFirst(uint8_t* cards, uint8_t count) const;

    // True when next (the candidate) beats first (the cards on the table).
    // Both lists in the sorted order.
    bool CompareCards(const uint8_t* firstCards, const uint8_t* nextCards, uint8_t firstCount, uint8_t nextCount) const;

    // The searches clear and fill result and return its row count. With a null
    // result they return 1 as soon as one row exists, else 0.
    // referenceCard 0 = none; a row must rank above the reference.
    uint8_t FindSameCards(const uint8_t* hand, uint8_t handCount, uint8_t referenceCard, uint8_t sameCount,
                          CardSearchResult* result) const;
    uint8_t FindTakeCards(const uint8_t* hand, uint8_t handCount, uint8_t referenceCard, uint8_t sameCount,
                          uint8_t takeCount, CardSearchResult* result) const;
    // blockCount 1, 2 or 3; lineLength 0 = free length (maximal runs).
    uint8_t FindLineCards(const uint8_t* hand, uint8_t handCount, uint8_t referenceCard, uint8_t blockCount,
                          uint8_t lineLength, CardSearchResult* result) const;

    // Hint rows for a hand against the cards on the table (turnCount 0: the
    // player leads). Every row is a legal play that beats the turn. Without a
    // result record: 0 and nothing done.
    uint8_t FindHints(const uint8_t* hand, uint8_t handCount, const uint8_t* turnCards, uint8_t turnCount,
                      CardSearchResult* result) const;
};

}  // namespace Land
