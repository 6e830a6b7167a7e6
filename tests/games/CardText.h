// Card lists written as text in rule tests: "3a Tb K SJ BJ".
// Rank A 2..9 T J Q K; colour letter a..d for colour 0..3, or none to take
// the next colour not yet used for that rank in the same text. SJ and BJ are
// the small and big joker (0x4E, 0x4F).
#pragma once

#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace cardtext {

inline std::vector<uint8_t> Cards(const std::string& text)
{
    std::vector<uint8_t> out;
    int used[16] = {};
    std::istringstream in(text);
    std::string token;
    while (in >> token)
    {
        if (token == "SJ")
        {
            out.push_back(0x4E);
            continue;
        }
        if (token == "BJ")
        {
            out.push_back(0x4F);
            continue;
        }
        static const std::string kRanks = "?A23456789TJQK";
        const size_t face = kRanks.find(token[0]);
        if (face == std::string::npos || face == 0)
            return {};  // a typo in a test must not pass silently
        int colour = used[face]++;
        if (token.size() > 1)
            colour = token[1] - 'a';
        out.push_back(static_cast<uint8_t>((colour << 4) | face));
    }
    return out;
}

inline std::string Text(const uint8_t* cards, size_t count)
{
    static const char kRanks[] = "?A23456789TJQK";
    std::string out;
    for (size_t i = 0; i < count; ++i)
    {
        if (!out.empty())
            out += ' ';
        const uint8_t c = cards[i];
        const int face = c & 0x0F, colour = c >> 4;
        if (c == 0x4E)
        {
            out += "SJ";
        }
        else if (c == 0x4F)
        {
            out += "BJ";
        }
        else if (face >= 1 && face <= 13 && colour <= 3)
        {
            out += kRanks[face];
            out += static_cast<char>('a' + colour);
        }
        else
        {
            char hex[8];
            std::snprintf(hex, sizeof(hex), "0x%02X", c);
            out += hex;
        }
    }
    return out;
}

inline std::string Text(const std::vector<uint8_t>& cards) { return Text(cards.data(), cards.size()); }

}  // namespace cardtext
