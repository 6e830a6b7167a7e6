#include "core/AccountList.h"
#include "core/ClientGlobal.h"
#include "core/ListFile.h"
#include "core/ServerList.h"
#include "core/UserMarkList.h"

#include <algorithm>
#include <cstring>
#include <ctime>

namespace {

// Far more than anyone remembers; a larger file is damaged, not a list.
constexpr size_t kMaxListBytes = 1 << 20;
constexpr size_t kServerUnits = 64;
constexpr size_t kServerRecordBytes = kServerUnits * 2;

}  // namespace

// --- CAccountList -----------------------------------------------------------

CAccountList* CAccountList::GetInstance()
{
    static CAccountList* list = [] {
        auto* l = new CAccountList(CClientGlobal::GetAppDirectory() + "UserAccount.dat");
        l->Load();
        return l;
    }();
    return list;
}

CAccountList::CAccountList(std::string path) : m_path(std::move(path)) {}

bool CAccountList::Load()
{
    m_accounts.clear();
    std::vector<uint8_t> bytes;
    if (!listfile::ReadFile(m_path, bytes, kMaxListBytes))
        return false;
    listfile::Unscramble(bytes);
    // A cut-off last record is dropped; the whole ones are kept.
    for (size_t at = 0; at + sizeof(AccountRecord) <= bytes.size(); at += sizeof(AccountRecord))
    {
        AccountRecord record;
        std::memcpy(&record, bytes.data() + at, sizeof(record));
        record.szAccounts[31] = 0;
        record.szPassword[32] = 0;
        if (record.szAccounts[0] != 0 && FindAccount(FieldText(record.szAccounts)) == nullptr)
            m_accounts.push_back(record);
    }
    return true;
}

bool CAccountList::Save() const
{
    std::vector<uint8_t> bytes(m_accounts.size() * sizeof(AccountRecord));
    if (!bytes.empty())
        std::memcpy(bytes.data(), m_accounts.data(), bytes.size());
    listfile::Scramble(bytes);
    return listfile::WriteFileAtomically(m_path, bytes);
}

bool CAccountList::AddAccount(const void* record130)
{
    if (record130 == nullptr)
        return false;
    AccountRecord record;
    std::memcpy(&record, record130, sizeof(record));
    return AddAccount(record);
}

bool CAccountList::AddAccount(const AccountRecord& in)
{
    AccountRecord record = in;
    record.szAccounts[31] = 0;
    record.szPassword[32] = 0;
    const std::u16string account = FieldText(record.szAccounts);
    if (account.empty())
        return false;
    m_accounts.erase(std::remove_if(m_accounts.begin(), m_accounts.end(),
                                    [&](const AccountRecord& r) { return FieldText(r.szAccounts) == account; }),
                     m_accounts.end());
    m_accounts.insert(m_accounts.begin(), record);
    return Save();
}

const AccountRecord* CAccountList::FindAccount(const std::u16string& account) const
{
    for (const AccountRecord& record : m_accounts)
        if (FieldText(record.szAccounts) == account)
            return &record;
    return nullptr;
}

// --- CServerList ------------------------------------------------------------

CServerList* CServerList::GetInstance()
{
    static CServerList* list = [] {
        auto* l = new CServerList(CClientGlobal::GetAppDirectory() + "client.dat");
        l->Load();
        return l;
    }();
    return list;
}

CServerList::CServerList(std::string path) : m_path(std::move(path)) {}

std::vector<std::string> CServerList::DefaultServers() { return {"127.0.0.1"}; }

bool CServerList::Load()
{
    m_servers.clear();
    std::vector<uint8_t> bytes;
    if (listfile::ReadFile(m_path, bytes, kMaxListBytes))
    {
        listfile::Unscramble(bytes);
        for (size_t at = 0; at + kServerRecordBytes <= bytes.size(); at += kServerRecordBytes)
        {
            std::string address = CClientGlobal::WideToUTF8(wire::ReadText(bytes.data() + at, kServerUnits));
            if (!address.empty())
                m_servers.push_back(address);
        }
    }
    if (!m_servers.empty())
        return true;
    m_servers = DefaultServers();
    return Save();
}

bool CServerList::Save() const
{
    std::vector<uint8_t> bytes(m_servers.size() * kServerRecordBytes);
    for (size_t i = 0; i < m_servers.size(); ++i)
        wire::WriteText(bytes.data() + i * kServerRecordBytes, kServerUnits, CClientGlobal::UTF8ToWide(m_servers[i]));
    listfile::Scramble(bytes);
    return listfile::WriteFileAtomically(m_path, bytes);
}

bool CServerList::SetServers(const std::vector<std::string>& servers)
{
    std::vector<std::string> list;
    for (const std::string& s : servers)
        if (!s.empty())
            list.push_back(s);
    if (list.empty())
        return false;  // keep the addresses we can still reach
    m_servers = list;
    return Save();
}

// --- CUserMarkList ----------------------------------------------------------

CUserMarkList* CUserMarkList::GetInstance()
{
    static CUserMarkList* list = new CUserMarkList(CClientGlobal::GetAppDirectory() + "UserMarkIng.dat");
    return list;
}

CUserMarkList::CUserMarkList(std::string path) : m_path(std::move(path)) {}

uint32_t CUserMarkList::Today()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return static_cast<uint32_t>((local.tm_year + 1900) * 10000 + (local.tm_mon + 1) * 100 + local.tm_mday);
}

bool CUserMarkList::Load(uint32_t day)
{
    m_users.clear();
    if (day == 0)
        day = Today();
    std::vector<uint8_t> bytes;
    if (!listfile::ReadFile(m_path, bytes, kMaxListBytes))
        return false;
    wire::ByteReader reader(bytes.data(), bytes.size());
    uint32_t recordDay, userId;
    while (reader.remaining() >= 8 && reader.u32(recordDay) && reader.u32(userId))
        if (recordDay == day && !IsMarked(userId))
            m_users.push_back(userId);
    return true;
}

bool CUserMarkList::IsMarked(uint32_t userId) const
{
    return std::find(m_users.begin(), m_users.end(), userId) != m_users.end();
}
