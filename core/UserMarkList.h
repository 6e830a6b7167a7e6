// Users the player marked today, read from "UserMarkIng.dat".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CUserMarkList
{
public:
    static CUserMarkList* GetInstance();

    explicit CUserMarkList(std::string path);

    // Keeps the ids marked on the given day (yyyymmdd; 0 = today). The file
    // holds records {u32 day, u32 user id}; a missing file is an empty list.
    bool Load(uint32_t day = 0);
    bool IsMarked(uint32_t userId) const;
    const std::vector<uint32_t>& GetMarkedUsers() const { return m_users; }

    static uint32_t Today();

private:
    std::string m_path;
    std::vector<uint32_t> m_users;
};
