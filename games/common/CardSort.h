#pragma once

#include <cstdint>

namespace games {

// Sorts cards by key, largest first, and by card byte on equal keys. The
// (key, byte) order is strict on distinct bytes, so the result is the one a
// bubble sort by the same order gives; insertion sort is enough for a hand.
template <class Key>
void SortByKeyDescending(uint8_t* cards, uint8_t count, Key key)
{
    if (cards == nullptr)
        return;
    for (int i = 1; i < count; ++i)
    {
        const uint8_t card = cards[i];
        const uint8_t k = key(card);
        int j = i - 1;
        for (; j >= 0; --j)
        {
            const uint8_t other = key(cards[j]);
            if (other > k || (other == k && cards[j] >= card))
                break;
            cards[j + 1] = cards[j];
        }
        cards[j + 1] = card;
    }
}

}  // namespace games
