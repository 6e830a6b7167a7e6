#include "room/TableGridModel.h"

#include <algorithm>

void CTableGridModel::Setup(uint16_t tableCount, uint16_t chairCount)
{
    m_chairCount = chairCount;
    size_t tables = tableCount;
    if (chairCount > 0)
        tables = std::min(tables, kMaxChairs / chairCount);
    m_tables.assign(tables, CCTableInfo{});
    for (CCTableInfo& info : m_tables)
    {
        info.chairUsers.assign(chairCount, nullptr);
        info.chairStatus.assign(chairCount, US_NULL);
    }
}

bool CTableGridModel::SetTableState(uint16_t table, bool playing, bool locked)
{
    if (!IsValidTable(table))
        return false;
    m_tables[table].bPlaying = playing;
    m_tables[table].bLocked = locked;
    return true;
}

bool CTableGridModel::SetChairUser(uint16_t table, uint16_t chair, const tagUserData* user)
{
    if (!IsValidSeat(table, chair))
        return false;
    m_tables[table].chairUsers[chair] = user;
    if (user == nullptr)
        m_tables[table].chairStatus[chair] = US_NULL;
    return true;
}

bool CTableGridModel::SetChairState(uint16_t table, uint16_t chair, uint8_t status)
{
    if (!IsValidSeat(table, chair))
        return false;
    m_tables[table].chairStatus[chair] = status;
    return true;
}

const CCTableInfo* CTableGridModel::GetTableInfo(uint16_t table) const
{
    return IsValidTable(table) ? &m_tables[table] : nullptr;
}

const tagUserData* CTableGridModel::GetChairUser(uint16_t table, uint16_t chair) const
{
    return IsValidSeat(table, chair) ? m_tables[table].chairUsers[chair] : nullptr;
}

void CTableGridModel::ForgetUser(const tagUserData* user)
{
    if (user == nullptr)
        return;
    for (CCTableInfo& info : m_tables)
    {
        for (size_t chair = 0; chair < info.chairUsers.size(); ++chair)
        {
            if (info.chairUsers[chair] == user)
            {
                info.chairUsers[chair] = nullptr;
                info.chairStatus[chair] = US_NULL;
            }
        }
    }
}
