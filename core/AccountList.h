// Remembered accounts, newest first, kept in "UserAccount.dat".
#pragma once

#include <string>
#include <vector>

// One remembered account: 130 bytes of UTF-16 units.
struct AccountRecord
{
    char16_t szAccounts[32];
    char16_t szPassword[33];  // as typed (empty when not remembered)
};
static_assert(sizeof(AccountRecord) == 130, "an account record is 130 bytes");

class CAccountList
{
public:
    // Loaded from the program folder on first use.
    static CAccountList* GetInstance();

    explicit CAccountList(std::string path);

    bool Load();
    bool Save() const;

    // Adds the record at the front, or moves the record of the same account
    // there and refreshes it; then saves. False for an empty account or when
    // the file cannot be written (the list in memory is still updated).
    bool AddAccount(const AccountRecord& record);
    bool AddAccount(const void* record130);

    const std::vector<AccountRecord>& GetAccounts() const { return m_accounts; }
    const AccountRecord* FindAccount(const std::u16string& account) const;

private:
    std::string m_path;
    std::vector<AccountRecord> m_accounts;
};
