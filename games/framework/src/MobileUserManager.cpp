#include "games/framework/MobileUserManager.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace Sexy {

tagUserData* CMobileUserManager::AllocUserData()
{
    if (!m_free.empty())
    {
        tagUserData* record = m_free.front();
        m_free.pop_front();
        m_active.push_back(record);
        return record;
    }
    if (m_limit != kNoLimit && m_all.size() >= m_limit)
        return nullptr;
    std::unique_ptr<tagUserData> record(new (std::nothrow) tagUserData);
    if (!record)
        return nullptr;
    std::memset(record.get(), 0, sizeof(tagUserData));
    m_all.push_back(std::move(record));
    m_active.push_back(m_all.back().get());
    return m_all.back().get();
}

bool CMobileUserManager::FreeUserData(tagUserData* record)
{
    auto it = std::find(m_active.begin(), m_active.end(), record);
    if (record == nullptr || it == m_active.end())
        return false;
    m_active.erase(it);
    m_free.push_back(record);
    return true;
}

tagUserData* CMobileUserManager::SearchUserByUserID(uint32_t userID) const
{
    for (tagUserData* record : m_active)
        if (record->dwUserID == userID)
            return record;
    return nullptr;
}

}  // namespace Sexy
