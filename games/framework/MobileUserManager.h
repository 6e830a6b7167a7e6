// The kernel's store of user records: records that leave go back to a free
// list for reuse; all are deleted only with the store.
#pragma once

#include "games/framework/UserData.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace Sexy {

class CMobileUserManager
{
public:
    static constexpr uint32_t kNoLimit = 65535;

    explicit CMobileUserManager(uint32_t limit = kNoLimit) : m_limit(limit) {}
    CMobileUserManager(const CMobileUserManager&) = delete;
    CMobileUserManager& operator=(const CMobileUserManager&) = delete;

    // A reused record keeps its old bytes (the kernel overwrites it whole);
    // a new one is zeroed. Null once `limit` records exist and none is free.
    tagUserData* AllocUserData();
    // Returns exactly this record to the free list. Matching by pointer, not
    // by user id: the same user may briefly be held twice while changing
    // chairs, and freeing the wrong copy would leave a freed record seated.
    bool FreeUserData(tagUserData* record);
    // The first active record with this user id, in hand-out order.
    tagUserData* SearchUserByUserID(uint32_t userID) const;

    size_t ActiveCount() const { return m_active.size(); }
    size_t FreeCount() const { return m_free.size(); }
    size_t TotalCount() const { return m_all.size(); }

private:
    uint32_t m_limit;
    std::deque<tagUserData*> m_free;     // taken from the front, returned at the back
    std::vector<tagUserData*> m_active;  // in hand-out order
    std::vector<std::unique_ptr<tagUserData>> m_all;
};

}  // namespace Sexy
