// The saved lists over any bytes: the input as client.dat, UserAccount.dat
// and UserMarkIng.dat, each read, saved and read again. Nothing may crash or
// read past the file, and a list read back after saving is the list saved.
#include "core/AccountList.h"
#include "core/ClientGlobal.h"
#include "core/ListFile.h"
#include "core/ServerList.h"
#include "core/UserMarkList.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const std::string& Folder()
{
    // In memory: the saves flush to disk, which should cost nothing here.
    // Never freed: the clean-up at exit still needs it.
    static const std::string& folder = *new std::string([] {
        std::string dir = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + "/kest-lists-fuzz-" +
                          std::to_string(getpid());
        mkdir(dir.c_str(), 0700);
        std::atexit([] {
            for (const char* name : {"/client.dat", "/UserAccount.dat", "/UserMarkIng.dat"})
                unlink((Folder() + name).c_str());
            rmdir(Folder().c_str());
        });
        return dir;
    }());
    return folder;
}

void Put(const std::string& path, const uint8_t* data, size_t size)
{
    if (!listfile::WriteFileAtomically(path, std::vector<uint8_t>(data, data + size)))
        std::abort();
}

bool SameAccounts(const CAccountList& a, const CAccountList& b)
{
    const auto& x = a.GetAccounts();
    const auto& y = b.GetAccounts();
    if (x.size() != y.size())
        return false;
    for (size_t i = 0; i < x.size(); ++i)
        if (FieldText(x[i].szAccounts) != FieldText(y[i].szAccounts) ||
            FieldText(x[i].szPassword) != FieldText(y[i].szPassword))
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string accountsPath = Folder() + "/UserAccount.dat";
    const std::string serversPath = Folder() + "/client.dat";
    const std::string marksPath = Folder() + "/UserMarkIng.dat";
    Put(accountsPath, data, size);
    Put(serversPath, data, size);
    Put(marksPath, data, size);

    CAccountList accounts(accountsPath);
    accounts.Load();
    for (const AccountRecord& record : accounts.GetAccounts())
        if (accounts.FindAccount(FieldText(record.szAccounts)) == nullptr)
            std::abort();
    if (!accounts.Save())
        std::abort();
    CAccountList accountsAgain(accountsPath);
    if (!accountsAgain.Load() || !SameAccounts(accounts, accountsAgain))
        std::abort();

    CServerList servers(serversPath);
    servers.Load();
    if (servers.GetServers().empty())
        std::abort();
    CServerList serversAgain(serversPath);
    serversAgain.Load();
    // Saving may cut an address to its record, once; then it stays.
    if (!serversAgain.Save())
        std::abort();
    CServerList serversThird(serversPath);
    serversThird.Load();
    if (!serversThird.Save())
        std::abort();
    CServerList serversFourth(serversPath);
    serversFourth.Load();
    if (serversFourth.GetServers() != serversThird.GetServers())
        std::abort();

    CUserMarkList marks(marksPath);
    uint32_t day = 20240102;
    if (size >= 4)
        std::memcpy(&day, data, 4);
    marks.Load(day == 0 ? 1 : day);
    for (uint32_t user : marks.GetMarkedUsers())
        if (!marks.IsMarked(user))
            std::abort();
    return 0;
}
