#include "games/BaccaratNew/GameLogic.h"

#include <cstdio>

namespace BaccaratNew {

const int kAreaMultiple[AREA_COUNT] = {2, 9, 2, 3, 3, 33, 12, 12};

namespace {

size_t HandCount(const uint8_t* cards, size_t count)
{
    if (cards == nullptr)
        return 0;
    return count < MAX_HAND_COUNT ? count : MAX_HAND_COUNT;
}

uint8_t Value(uint8_t card) { return card & 0x0F; }

bool IsPair(const uint8_t* cards, size_t count) { return count >= 2 && Value(cards[0]) == Value(cards[1]); }

// Same number of cards and the same values place by place.
bool SameValues(const uint8_t* a, size_t an, const uint8_t* b, size_t bn)
{
    if (an != bn)
        return false;
    for (size_t i = 0; i < an; ++i)
        if (Value(a[i]) != Value(b[i]))
            return false;
    return true;
}

template <typename... Args>
std::string Format(const char* format, Args... args)
{
    char text[128];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

}  // namespace

uint8_t CGameLogic::GetCardPoint(uint8_t card) { return Value(card) < 10 ? Value(card) : 0; }

uint8_t CGameLogic::GetHandPoint(const uint8_t* cards, size_t count)
{
    size_t n = HandCount(cards, count);
    uint8_t point = 0;
    for (size_t i = 0; i < n; ++i)
        point = static_cast<uint8_t>((point + GetCardPoint(cards[i])) % 10);
    return point;
}

tagRoundResult CGameLogic::ClassifyRound(const uint8_t* player, size_t playerCount, const uint8_t* banker,
                                         size_t bankerCount)
{
    size_t pn = HandCount(player, playerCount);
    size_t bn = HandCount(banker, bankerCount);
    tagRoundResult result{};
    result.cbPlayerPoint = GetHandPoint(player, pn);
    result.cbBankerPoint = GetHandPoint(banker, bn);
    uint8_t p = result.cbPlayerPoint, b = result.cbBankerPoint;
    if (p > b)
    {
        result.cbWinner = WINNER_XIAN;
        result.cbSpecial = p >= 8 ? AREA_XIAN_TIAN_WANG : 0;
    }
    else if (p < b)
    {
        result.cbWinner = WINNER_ZHUANG;
        result.cbSpecial = b >= 8 ? AREA_ZHUANG_TIAN_WANG : 0;
    }
    else
    {
        result.cbWinner = WINNER_PING;
        result.cbSpecial = SameValues(player, pn, banker, bn) ? AREA_TONG_DIAN_PING : 0;
    }
    result.cbPlayerPair = IsPair(player, pn) ? 1 : 0;
    result.cbBankerPair = IsPair(banker, bn) ? 1 : 0;
    return result;
}

uint8_t CGameLogic::GetWinningAreas(const tagRoundResult& result)
{
    uint8_t areas = 0;
    uint8_t p = result.cbPlayerPoint, b = result.cbBankerPoint;
    areas |= 1u << (p > b ? AREA_XIAN : p == b ? AREA_PING : AREA_ZHUANG);
    if (result.cbSpecial == AREA_XIAN_TIAN_WANG || result.cbSpecial == AREA_ZHUANG_TIAN_WANG ||
        result.cbSpecial == AREA_TONG_DIAN_PING)
        areas |= 1u << result.cbSpecial;
    if (result.cbPlayerPair)
        areas |= 1u << AREA_XIAN_DUI;
    if (result.cbBankerPair)
        areas |= 1u << AREA_ZHUANG_DUI;
    return areas;
}

AreaOutcome CGameLogic::GetAreaOutcome(const tagRoundResult& result, size_t area)
{
    if (area >= AREA_COUNT)
        return AreaOutcome::Lost;
    if (GetWinningAreas(result) & (1u << area))
        return AreaOutcome::Won;
    bool tie = result.cbPlayerPoint == result.cbBankerPoint;
    if (tie && (area == AREA_XIAN || area == AREA_ZHUANG))
        return AreaOutcome::Returned;
    return AreaOutcome::Lost;
}

int CGameLogic::GetAreaMultiple(size_t area) { return area < AREA_COUNT ? kAreaMultiple[area] : 0; }

std::string CGameLogic::GetDrawTip(const uint8_t* player, size_t playerShown, const uint8_t* banker, size_t bankerShown)
{
    size_t pn = HandCount(player, playerShown);
    size_t bn = HandCount(banker, bankerShown);
    if (pn + bn < 4 || bn >= 3)
        return std::string();

    int p2 = GetHandPoint(player, pn < 2 ? pn : 2);
    int b2 = GetHandPoint(banker, bn < 2 ? bn : 2);

    // The player's turn: exactly four cards are out.
    if (pn + bn == 4 && p2 < 6 && b2 < 8)
        return Format("闲%d点，庄%d点，闲继续拿牌\n", p2, b2);

    // The banker's turn, by the banker's first two cards and the player's third.
    if (p2 > 7)
        return std::string();
    int t = pn == 3 ? GetCardPoint(player[2]) : -1;
    const char* thirdCard = "闲第三张牌%d点，庄%d点，庄继续拿牌\n";
    const char* noDraw = "闲不补牌，庄%d点，庄继续拿牌\n";
    switch (b2)
    {
        case 0:
        case 1:
        case 2: return Format("闲前两张牌%d点，庄%d点，庄继续拿牌\n", p2, b2);
        case 3:
            if (pn == 3 && t != 8)
                return Format(thirdCard, t, 3);
            break;
        case 4:
            if (pn == 3 && t >= 2 && t <= 7)
                return Format(thirdCard, t, 4);
            break;
        case 5:
            if (pn == 3 && t >= 4 && t <= 7)
                return Format(thirdCard, t, 5);
            break;
        case 6:
            if (pn == 3 && (t == 6 || t == 7))
                return Format(thirdCard, t, 6);
            return std::string();
        default: return std::string();
    }
    if (pn == 2)
        return Format(noDraw, b2);
    return std::string();
}

}  // namespace BaccaratNew
