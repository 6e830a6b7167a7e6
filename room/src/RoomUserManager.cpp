#include "room/RoomUserManager.h"

#include "core/ClientGlobal.h"

#include <algorithm>
#include <string>

RoomUserManager::~RoomUserManager() { ClearAll(); }

tagUserData* RoomUserManager::AddUser(const tagUserData& record)
{
    m_users.push_back(std::make_unique<tagUserData>(record));
    return m_users.back().get();
}

bool RoomUserManager::DeleteUser(const tagUserData* record)
{
    auto it = std::find_if(m_users.begin(), m_users.end(),
                           [record](const std::unique_ptr<tagUserData>& held) { return held.get() == record; });
    if (it == m_users.end())
        return false;
    std::unique_ptr<tagUserData> removed = std::move(*it);
    m_users.erase(it);
    if (removed.get() == m_me)
        m_retired.push_back(std::move(removed));
    return true;
}

void RoomUserManager::ClearAll()
{
    m_users.clear();
    m_retired.clear();
    m_me = nullptr;
}

tagUserData* RoomUserManager::SearchUserByUserID(uint32_t userId) const
{
    for (const auto& user : m_users)
        if (user->dwUserID == userId)
            return user.get();
    return nullptr;
}

tagUserData* RoomUserManager::SearchUserByGameID(uint32_t gameId) const
{
    for (const auto& user : m_users)
        if (user->dwGameID == gameId)
            return user.get();
    return nullptr;
}

tagUserData* RoomUserManager::SearchUserByTableChair(uint16_t table, uint16_t chair) const
{
    for (const auto& user : m_users)
        if (user->wTableID == table && user->wChairID == chair)
            return user.get();
    return nullptr;
}

tagUserData* RoomUserManager::GetUserByIndex(uint16_t index) const
{
    return index < m_users.size() ? m_users[index].get() : nullptr;
}

void RoomUserManager::SortByColumn(uint8_t column)
{
    m_sortFlag = !m_sortFlag;
    m_sortColumn = column;
    const bool flag = m_sortFlag;

    // Nicknames compare as code-page bytes; convert each once.
    struct Entry
    {
        std::unique_ptr<tagUserData> user;
        std::string key;
    };
    std::vector<Entry> entries;
    entries.reserve(m_users.size());
    for (auto& user : m_users)
    {
        std::string key;
        if (column == 0)
            key = CClientGlobal::WideToAnsi(FieldText(user->szNickName));
        entries.push_back(Entry{std::move(user), std::move(key)});
    }
    m_users.clear();

    auto byColumn = [column, flag](const Entry& a, const Entry& b) {
        switch (column)
        {
            case 0:
            {
                // std::string compares as unsigned bytes.
                const int order = a.key.compare(b.key);
                return flag ? order > 0 : order < 0;
            }
            case 1: return flag ? a.user->dwGameID < b.user->dwGameID : a.user->dwGameID > b.user->dwGameID;
            case 2: return flag ? a.user->lScore < b.user->lScore : a.user->lScore > b.user->lScore;
            default: return false;
        }
    };
    std::stable_sort(entries.begin(), entries.end(), byColumn);
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.user->cbMemberOrder > b.user->cbMemberOrder; });

    for (auto& entry : entries)
    {
        if (entry.user.get() == m_me)
            m_users.insert(m_users.begin(), std::move(entry.user));
        else
            m_users.push_back(std::move(entry.user));
    }
}
