// Pure decisions of the banker betting games: amounts from the server summed
// without overflow, the bets on a table's areas, the chips a bet limit
// allows and what becomes of the selected chip, an amount laid out as a
// capped pile of chips, the banker queue's order, the window of a record
// strip and the item a record column goes into, a phase's countdown, a
// dragged view kept inside the table. No engine: the boards draw what these
// decide (the drawn parts are the other headers of games/common).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

namespace games {

// --- amounts ----------------------------------------------------------------------------------

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

// The bets on the areas of one table, numbered from 1 as on the wire: every
// player's total and my own per area. An area outside 1..Areas() (a wire
// byte nobody checked) changes nothing and reads 0; sums saturate.
class AreaBets
{
public:
    explicit AreaBets(int areas) : m_Totals(areas > 0 ? static_cast<size_t>(areas) : 0), m_Mine(m_Totals.size()) {}

    int Areas() const { return static_cast<int>(m_Totals.size()); }
    bool Valid(int area) const { return area >= 1 && area <= Areas(); }
    // A bet on the area; mine adds to my amount too. False for no such area.
    bool Add(int area, int64_t amount, bool mine);
    // The area's amounts as a scene gives them.
    bool Set(int area, int64_t total, int64_t mine);
    int64_t Total(int area) const { return Valid(area) ? m_Totals[area - 1] : 0; }
    int64_t Mine(int area) const { return Valid(area) ? m_Mine[area - 1] : 0; }
    // Of every area.
    int64_t Sum() const;
    int64_t MySum() const;
    void Clear();

private:
    std::vector<int64_t> m_Totals;
    std::vector<int64_t> m_Mine;
};

// --- chips ------------------------------------------------------------------------------------

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

// The selected chip once the first `usable` of the chips (values ascending)
// are usable: a chip above the largest usable one drops to it; with none
// usable the selection becomes `whenNone` (0 in most games; the selection
// itself where a game keeps it).
inline int64_t LimitSelectedChip(int64_t selected, const int64_t* values, size_t usable, int64_t whenNone)
{
    if (usable == 0)
        return whenNone;
    const int64_t largest = values[usable - 1];
    return selected > largest ? largest : selected;
}

// An amount as chips, greedily from the largest denomination (values
// descending): at most maxChips of them; a rest that no chip covers is not
// drawn. Amounts of 0 or less give none, and so does a denomination of 0 or
// less (the loop always ends).
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

// How long a delayed chip of another player waits before it shows: 0.3 to
// 1.5 s, from a random value of 0..randMax (rand() and RAND_MAX, whatever
// RAND_MAX the C library has).
inline float DelayedChipSeconds(int random, int randMax = RAND_MAX)
{
    if (randMax <= 0)
        return 0.3f;
    double share = static_cast<double>(random) / randMax;
    share = share < 0 ? 0 : (share > 1 ? 1 : share);
    return static_cast<float>((300.0 + share * 1200.0) / 1000.0);
}

// --- the banker queue -------------------------------------------------------------------------

// The chairs waiting to be banker, in the order they applied. A chair may
// stand in it twice (the server said so twice); removing a chair removes
// every entry of it.
class BankerQueue
{
public:
    static constexpr uint16_t kNoChair = 0xFFFF;

    void Add(uint16_t chair) { m_Chairs.push_back(chair); }
    // How many entries went.
    size_t Remove(uint16_t chair);
    // Every entry for which drop(chair) is true goes, neighbours included;
    // how many went.
    template <class Drop>
    size_t RemoveIf(Drop drop)
    {
        size_t removed = 0;
        for (size_t i = 0; i < m_Chairs.size();)
        {
            if (drop(m_Chairs[i]))
            {
                m_Chairs.erase(m_Chairs.begin() + static_cast<std::ptrdiff_t>(i));
                ++removed;
            }
            else
            {
                ++i;
            }
        }
        return removed;
    }
    bool Contains(uint16_t chair) const;
    // Position in the queue (0 first), or -1.
    int IndexOf(uint16_t chair) const;
    size_t Size() const { return m_Chairs.size(); }
    // The chair at a position, kNoChair past the end.
    uint16_t At(size_t index) const { return index < m_Chairs.size() ? m_Chairs[index] : kNoChair; }
    const std::vector<uint16_t>& Chairs() const { return m_Chairs; }
    void Clear() { m_Chairs.clear(); }

private:
    std::vector<uint16_t> m_Chairs;
};

// --- records ----------------------------------------------------------------------------------

// The columns of a record strip drawn by the board itself: how many are
// kept, and which of them show. Columns are appended at the end; the window
// shows `shown` columns from First(). Adding a column moves the window so the
// newest shows; Layout() drops the oldest columns once `kept` are reached,
// one below the limit, and then steps the window one column on when the
// strip is longer than it.
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

// A record strip kept in a list whose layout brings some items: column n is
// drawn into item n. From column `appendFrom` on a new item is appended
// before each column; and whatever the layout brought, item n must exist
// when column n comes (a layout with fewer items than the game counted on
// gets the missing ones). How many items to append before column `column`
// of a list that holds `items`.
inline int RecordItemsToAppend(int column, int items, int appendFrom)
{
    if (column < 0)
        return 0;
    int append = column >= appendFrom ? 1 : 0;
    if (items + append <= column)
        append = column + 1 - items;
    return append;
}

// --- the phase clock ------------------------------------------------------------------------

// The seconds left of a phase, counted down once a second to 0, where the
// clock stops.
class Countdown
{
public:
    void Start(int seconds) { m_nSeconds = seconds; }
    // One second: false at 0 or below (the clock stops and the seconds stay),
    // else one less.
    bool Tick()
    {
        if (m_nSeconds <= 0)
            return false;
        --m_nSeconds;
        return true;
    }
    int Seconds() const { return m_nSeconds; }

private:
    int m_nSeconds = 0;
};

// --- a dragged view ---------------------------------------------------------------------------

// A centre kept so that a view of the half sizes lies inside the area
// (0, 0)..(width, height); a view larger than the area sits at its lower
// left half size.
inline float ClampCentre(float centre, float half, float extent)
{
    if (centre > extent - half)
        centre = extent - half;
    if (centre < half)
        centre = half;
    return centre;
}

}  // namespace games
