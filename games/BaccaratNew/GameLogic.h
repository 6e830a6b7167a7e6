// Baccarat rules: card and hand points, the classification of a dealt round
// into the eight bet areas, their payout multiples and the draw-rule tips.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace BaccaratNew {

constexpr size_t MAX_HAND_COUNT = 3;
constexpr size_t AREA_COUNT = 8;

// Bet areas, in the order of the wire's area byte.
constexpr uint8_t AREA_XIAN = 0;              // player wins
constexpr uint8_t AREA_PING = 1;              // tie
constexpr uint8_t AREA_ZHUANG = 2;            // banker wins
constexpr uint8_t AREA_XIAN_TIAN_WANG = 3;    // player wins with a natural
constexpr uint8_t AREA_ZHUANG_TIAN_WANG = 4;  // banker wins with a natural
constexpr uint8_t AREA_TONG_DIAN_PING = 5;    // same-point tie
constexpr uint8_t AREA_XIAN_DUI = 6;          // player pair
constexpr uint8_t AREA_ZHUANG_DUI = 7;        // banker pair

constexpr uint8_t WINNER_XIAN = 0;
constexpr uint8_t WINNER_PING = 1;
constexpr uint8_t WINNER_ZHUANG = 2;

// What a won stake returns, stake included.
extern const int kAreaMultiple[AREA_COUNT];

enum class AreaOutcome : uint8_t
{
    Lost,
    Won,
    Returned
};

// One finished round as the record history keeps it.
struct tagRoundResult
{
    uint8_t cbPlayerPoint;
    uint8_t cbBankerPoint;
    uint8_t cbWinner;      // WINNER_*, follows from the two points
    uint8_t cbSpecial;     // 0, or the area 3, 4 or 5 that won
    uint8_t cbPlayerPair;  // 0 or 1
    uint8_t cbBankerPair;  // 0 or 1
};

// Stateless; the board owns one instance. Hands hold at most three cards:
// a longer count is cut to three, so nothing past a hand is read.
class CGameLogic
{
public:
    virtual ~CGameLogic() = default;

    // 1 for an ace, 2..9 as they are, 0 for ten and the faces.
    static uint8_t GetCardPoint(uint8_t card);
    // Sum of the card points modulo 10; 0 for no cards.
    static uint8_t GetHandPoint(const uint8_t* cards, size_t count);

    // Classifies a dealt round: player hand first, then the banker hand.
    static tagRoundResult ClassifyRound(const uint8_t* player, size_t playerCount, const uint8_t* banker,
                                        size_t bankerCount);

    // Bit k set when area k won the round.
    static uint8_t GetWinningAreas(const tagRoundResult& result);
    // A tie returns the stakes on the player and banker areas.
    static AreaOutcome GetAreaOutcome(const tagRoundResult& result, size_t area);
    // 0 for an area outside 0..7.
    static int GetAreaMultiple(size_t area);

    // The tip written while the cards are dealt, from the cards shown so
    // far on each side; empty when no rule applies. UTF-8, ends with "\n".
    static std::string GetDrawTip(const uint8_t* player, size_t playerShown, const uint8_t* banker, size_t bankerShown);
};

}  // namespace BaccaratNew
