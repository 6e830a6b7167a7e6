// The log-on server addresses, kept in "client.dat".
#pragma once

#include <string>
#include <vector>

class CServerList
{
public:
    // Loaded from the program folder on first use.
    static CServerList* GetInstance();

    explicit CServerList(std::string path);

    // Reads the file; a missing, empty or unreadable one is replaced by the
    // built-in addresses, which are written back.
    bool Load();
    bool Save() const;

    const std::vector<std::string>& GetServers() const { return m_servers; }
    // A new list from the hall; empty entries are dropped, the file rewritten.
    bool SetServers(const std::vector<std::string>& servers);

    static std::vector<std::string> DefaultServers();

private:
    std::string m_path;
    std::vector<std::string> m_servers;
};
