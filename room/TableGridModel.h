// What the table grid shows: each table's locked and playing state and who
// sits on each chair. Table and chair numbers come from the server and are
// checked here: anything outside the room's configuration is ignored.
#pragma once

#include "room/UserData.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct CCTableInfo
{
    bool bLocked = false;
    bool bPlaying = false;
    std::vector<const tagUserData*> chairUsers;  // null: free chair
    std::vector<uint8_t> chairStatus;            // UserStatus shown on the chair
};

class CTableGridModel
{
public:
    // A configuration can announce up to 65535 x 65535 chairs; the grid keeps
    // at most this many and drops the tables beyond.
    static constexpr size_t kMaxChairs = 1u << 20;

    void Setup(uint16_t tableCount, uint16_t chairCount);

    uint16_t GetTableCount() const { return static_cast<uint16_t>(m_tables.size()); }
    uint16_t GetChairCount() const { return m_chairCount; }
    bool IsValidTable(uint16_t table) const { return table < m_tables.size(); }
    bool IsValidSeat(uint16_t table, uint16_t chair) const { return IsValidTable(table) && chair < m_chairCount; }

    // Each returns false, changing nothing, for a table or chair out of range.
    bool SetTableState(uint16_t table, bool playing, bool locked);
    bool SetChairUser(uint16_t table, uint16_t chair, const tagUserData* user);
    bool SetChairState(uint16_t table, uint16_t chair, uint8_t status);

    const CCTableInfo* GetTableInfo(uint16_t table) const;
    const tagUserData* GetChairUser(uint16_t table, uint16_t chair) const;
    // Clears every chair that shows the record (before it is freed).
    void ForgetUser(const tagUserData* user);

private:
    std::vector<CCTableInfo> m_tables;
    uint16_t m_chairCount = 0;
};
