// Pure helpers of the banker betting games: amounts from the server summed
// without overflow, the chips a bet limit allows, an amount laid out as chips
// and the window of a record strip. No engine: the boards draw what these
// decide.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace games {

// Amounts are the server's and may be anything a 64-bit field holds: sums
// and products stop at the ends of the range instead of wrapping.
inline int64_t SaturatingAdd(int64_t a, int64_t b)
{
    int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return b > 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
    return sum;
}

inline int64_t SaturatingSub(int64_t a, int64_t b)
{
    int64_t difference = 0;
    if (__builtin_sub_overflow(a, b, &difference))
        return b < 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
    return difference;
}

inline int64_t SaturatingMul(int64_t a, int64_t b)
{
    int64_t product = 0;
    if (__builtin_mul_overflow(a, b, &product))
        return (a < 0) != (b < 0) ? std::numeric_limits<int64_t>::min() : std::numeric_limits<int64_t>::max();
    return product;
}

// How many of the chips (values ascending) a limit allows, when a bet
// commits `commitment` times its amount: chip i is usable while
// value * commitment <= limit, counted as value <= limit / commitment.
inline size_t UsableChips(int64_t limit, const int64_t* values, size_t count, int64_t commitment)
{
    if (commitment <= 0)
        commitment = 1;
    const int64_t most = limit / commitment;
    size_t usable = 0;
    while (usable < count && values[usable] <= most)
        ++usable;
    return usable;
}

// An amount as chips, greedily from the largest denomination (values
// descending): at most maxChips of them; a rest that no chip covers is not
// drawn. Amounts of 0 or less give none.
inline std::vector<int64_t> SplitIntoChips(int64_t amount, const int64_t* denominations, size_t count, size_t maxChips)
{
    std::vector<int64_t> chips;
    for (size_t i = 0; i < count && amount > 0 && chips.size() < maxChips; ++i)
    {
        const int64_t value = denominations[i];
        if (value <= 0)
            continue;
        while (amount >= value && chips.size() < maxChips)
        {
            amount -= value;
            chips.push_back(value);
        }
    }
    return chips;
}

// The columns of a record strip: how many are kept, and which of them show.
// Columns are appended at the end; the window shows `shown` columns from
// First(). Adding a column moves the window so the newest shows; Layout()
// drops the oldest columns once `kept` are reached, one below the limit, and
// then steps the window one column on when the strip is longer than it.
class RecordWindow
{
public:
    RecordWindow(int shown, int kept) : m_nShown(shown), m_nKept(kept) {}

    // After a column is appended (count is the new column count).
    void OnAdded(int count)
    {
        if (count > m_nShown)
            m_nFirst = count - m_nShown - 1;
    }

    // How many of the oldest columns to drop before the strip is laid out.
    int Overflow(int count) const { return count >= m_nKept ? count - m_nKept + 1 : 0; }

    // Lays out a strip of `count` columns after `dropped` of the oldest went
    // (Overflow()): the shown range is [First(), End()).
    void Layout(int dropped, int count)
    {
        m_nFirst -= dropped;
        if (count > m_nShown)
        {
            ++m_nFirst;
            if (m_nFirst < 0)
                m_nFirst = 0;
            if (m_nFirst > count - m_nShown)
                m_nFirst = count - m_nShown;
            m_nEnd = m_nFirst + m_nShown;
        }
        else
        {
            m_nFirst = 0;
            m_nEnd = count;
        }
    }

    // The back button: two back, then Layout's step forward, so one column
    // towards the older ones; at the start it stays there.
    bool StepBack()
    {
        if (m_nFirst > 0)
        {
            m_nFirst -= 2;
            return true;
        }
        m_nFirst = 0;
        return false;
    }

    // The forward button lays out again (one column on) while newer columns
    // are hidden.
    bool CanStepForward(int count) const { return m_nFirst < count - m_nShown; }

    int First() const { return m_nFirst; }
    int End() const { return m_nEnd; }
    int Shown() const { return m_nShown; }
    int Kept() const { return m_nKept; }
    void Reset() { m_nFirst = m_nEnd = 0; }

private:
    int m_nShown;
    int m_nKept;
    int m_nFirst = 0;
    int m_nEnd = 0;
};

}  // namespace games
