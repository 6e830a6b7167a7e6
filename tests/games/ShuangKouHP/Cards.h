// Card lists written as text for the Shuang Kou rule tests.
#pragma once

#include "games/ShuangKouHP/GameLogic.h"

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace skt {

using Cards = std::vector<uint8_t>;

// "4 4 4 4 10 J Q K A 2 s b": s and b are the small and big joker. Repeated
// values take the colours 0, 1, 2, 3 in turn, then again (two decks).
inline Cards Parse(const std::string& text)
{
    static const std::map<std::string, int> values = {{"A", 1},  {"2", 2},  {"3", 3}, {"4", 4}, {"5", 5},
                                                      {"6", 6},  {"7", 7},  {"8", 8}, {"9", 9}, {"10", 10},
                                                      {"J", 11}, {"Q", 12}, {"K", 13}};
    std::map<int, int> seen;
    Cards cards;
    std::istringstream in(text);
    std::string token;
    while (in >> token)
    {
        if (token == "s")
            cards.push_back(ShuangKouHP::SMALL_JOKER);
        else if (token == "b")
            cards.push_back(ShuangKouHP::BIG_JOKER);
        else
        {
            int v = values.at(token);
            cards.push_back(static_cast<uint8_t>(((seen[v]++ % 4) << 4) | v));
        }
    }
    return cards;
}

inline Cards Sorted(Cards cards, uint8_t mode = ShuangKouHP::ST_VALUE)
{
    ShuangKouHP::CGameLogic().SortCardList(cards.data(), cards.size(), mode);
    return cards;
}

// Face values of a list as text: "4 4 5 s".
inline std::string Text(const Cards& cards)
{
    static const char* names[] = {"?", "A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K", "s", "b"};
    std::string text;
    for (uint8_t c : cards)
    {
        if (!text.empty())
            text += ' ';
        text += (c >> 4) == 4 ? names[c & 0x0F] : names[(c & 0x0F) < 14 ? (c & 0x0F) : 0];
    }
    return text;
}

}  // namespace skt
