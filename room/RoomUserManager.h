// The room's users: records in arrival order until sorted, owned here.
#pragma once

#include "room/UserData.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class RoomUserManager
{
public:
    static constexpr uint8_t kNoColumn = 255;

    RoomUserManager() = default;
    ~RoomUserManager();
    RoomUserManager(const RoomUserManager&) = delete;
    RoomUserManager& operator=(const RoomUserManager&) = delete;

    // Takes a copy of the record and returns the held one.
    tagUserData* AddUser(const tagUserData& record);
    // Removes the record, keeping the order of the rest; false when absent.
    // My own record leaves the list but stays valid until ClearAll, since the
    // room keeps pointing at it.
    bool DeleteUser(const tagUserData* record);
    void ClearAll();

    // The record that is mine: listed first by every sort, never freed early.
    void SetMeUser(tagUserData* record) { m_me = record; }
    tagUserData* GetMeUser() const { return m_me; }

    // First match in list order, or null.
    tagUserData* SearchUserByUserID(uint32_t userId) const;
    tagUserData* SearchUserByGameID(uint32_t gameId) const;
    tagUserData* SearchUserByTableChair(uint16_t table, uint16_t chair) const;
    tagUserData* GetUserByIndex(uint16_t index) const;
    size_t GetUserCount() const { return m_users.size(); }

    // Column 0 nickname, 1 game ID, 2 score. Every call flips the direction,
    // whatever the column: the first sorts numbers ascending and nicknames
    // descending. Members then come before the rest, my record first of all.
    void SortByColumn(uint8_t column);
    uint8_t GetSortColumn() const { return m_sortColumn; }
    bool GetSortDescending() const { return m_sortFlag; }

private:
    std::vector<std::unique_ptr<tagUserData>> m_users;
    std::vector<std::unique_ptr<tagUserData>> m_retired;  // my record after it left
    tagUserData* m_me = nullptr;
    bool m_sortFlag = false;
    uint8_t m_sortColumn = kNoColumn;
};
