#include "games/common/BankerBetting.h"

#include <algorithm>

namespace games {

bool AreaBets::Add(int area, int64_t amount, bool mine)
{
    if (!Valid(area))
        return false;
    m_Totals[area - 1] = SaturatingAdd(m_Totals[area - 1], amount);
    if (mine)
        m_Mine[area - 1] = SaturatingAdd(m_Mine[area - 1], amount);
    return true;
}

bool AreaBets::Set(int area, int64_t total, int64_t mine)
{
    if (!Valid(area))
        return false;
    m_Totals[area - 1] = total;
    m_Mine[area - 1] = mine;
    return true;
}

int64_t AreaBets::Sum() const
{
    int64_t sum = 0;
    for (int64_t total : m_Totals)
        sum = SaturatingAdd(sum, total);
    return sum;
}

int64_t AreaBets::MySum() const
{
    int64_t sum = 0;
    for (int64_t mine : m_Mine)
        sum = SaturatingAdd(sum, mine);
    return sum;
}

void AreaBets::Clear()
{
    std::fill(m_Totals.begin(), m_Totals.end(), 0);
    std::fill(m_Mine.begin(), m_Mine.end(), 0);
}

size_t BankerQueue::Remove(uint16_t chair)
{
    return RemoveIf([chair](uint16_t queued) { return queued == chair; });
}

bool BankerQueue::Contains(uint16_t chair) const { return IndexOf(chair) >= 0; }

int BankerQueue::IndexOf(uint16_t chair) const
{
    const auto found = std::find(m_Chairs.begin(), m_Chairs.end(), chair);
    return found == m_Chairs.end() ? -1 : static_cast<int>(found - m_Chairs.begin());
}

}  // namespace games
