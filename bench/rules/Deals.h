// Random deals for the rules benchmarks: a fixed seed, so runs compare.
#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <random>
#include <vector>

namespace bench {

// `total` cards, `perDeal` from the top of a deck shuffled before each deal.
// The deck is `extras` and then the 52 cards colour << 4 | value.
inline std::vector<uint8_t> Deals(size_t total, size_t perDeal, unsigned seed,
                                  std::initializer_list<uint8_t> extras = {})
{
    std::vector<uint8_t> deck(extras);
    for (int colour = 0; colour < 4; ++colour)
        for (int value = 1; value <= 13; ++value)
            deck.push_back(static_cast<uint8_t>(colour << 4 | value));
    std::mt19937 rng(seed);
    std::vector<uint8_t> cards;
    while (cards.size() < total)
    {
        std::shuffle(deck.begin(), deck.end(), rng);
        const size_t n = std::min(perDeal, total - cards.size());
        cards.insert(cards.end(), deck.begin(), deck.begin() + static_cast<long>(n));
    }
    return cards;
}

}  // namespace bench
