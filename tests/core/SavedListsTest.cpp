#include "core/AccountList.h"
#include "core/ClientGlobal.h"
#include "core/ListFile.h"
#include "core/ServerList.h"
#include "core/UserMarkList.h"
#include "platform/AtomicFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

class SavedLists : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char dir[] = "/tmp/kest-lists-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        m_dir = dir;
    }
    void TearDown() override { std::system(("rm -rf " + m_dir).c_str()); }

    std::string Path(const char* name) const { return m_dir + "/" + name; }

    std::string Slurp(const std::string& path) const
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    static AccountRecord Account(const std::u16string& account, const std::u16string& password)
    {
        AccountRecord r{};
        SetFieldText(r.szAccounts, account);
        SetFieldText(r.szPassword, password);
        return r;
    }

    std::string m_dir;
};

}  // namespace

TEST_F(SavedLists, AccountsRoundTripNewestFirst)
{
    CAccountList list(Path("UserAccount.dat"));
    EXPECT_FALSE(list.Load());  // no file yet: empty list
    ASSERT_TRUE(list.AddAccount(Account(u"alice", u"secret1")));
    ASSERT_TRUE(list.AddAccount(Account(u"张三", u"pw")));
    ASSERT_TRUE(list.AddAccount(Account(u"alice", u"new-password")));  // moved and refreshed
    EXPECT_FALSE(list.AddAccount(Account(u"", u"x")));

    const std::string file = Slurp(Path("UserAccount.dat"));
    EXPECT_EQ(file.size(), 2 * 130u);
    EXPECT_EQ(file.find(std::string("a\0l\0i", 5)), std::string::npos);  // not stored as plain text

    CAccountList again(Path("UserAccount.dat"));
    ASSERT_TRUE(again.Load());
    ASSERT_EQ(again.GetAccounts().size(), 2u);
    EXPECT_EQ(FieldText(again.GetAccounts()[0].szAccounts), u"alice");
    EXPECT_EQ(FieldText(again.GetAccounts()[0].szPassword), u"new-password");
    EXPECT_EQ(FieldText(again.GetAccounts()[1].szAccounts), u"张三");
    ASSERT_NE(again.FindAccount(u"张三"), nullptr);
    EXPECT_EQ(again.FindAccount(u"bob"), nullptr);

    // The raw 130-byte form the personal centre hands over.
    uint8_t raw[130] = {};
    CClientGlobal::UTF8ToWideBuffer(raw, 32, "bob");
    CClientGlobal::UTF8ToWideBuffer(raw + 64, 33, "pw2");
    ASSERT_TRUE(again.AddAccount(raw));
    EXPECT_EQ(FieldText(again.GetAccounts()[0].szPassword), u"pw2");
}

TEST_F(SavedLists, DamagedAccountFileKeepsWholeTerminatedRecords)
{
    // One record without any terminator, one cut off half-way.
    std::vector<uint8_t> bytes(130 + 60, 0);
    for (size_t i = 0; i < 130; i += 2)
        bytes[i] = 'x';
    listfile::Scramble(bytes);
    ASSERT_TRUE(listfile::WriteFileAtomically(Path("UserAccount.dat"), bytes));

    CAccountList list(Path("UserAccount.dat"));
    ASSERT_TRUE(list.Load());
    ASSERT_EQ(list.GetAccounts().size(), 1u);
    EXPECT_EQ(FieldText(list.GetAccounts()[0].szAccounts), std::u16string(31, u'x'));
    EXPECT_EQ(FieldText(list.GetAccounts()[0].szPassword), std::u16string(32, u'x'));
}

// The disk fills up: every list keeps the file it had, whole, and no
// temporary file is left behind.
TEST_F(SavedLists, AFullDiskLeavesTheOldFilesWhole)
{
    CAccountList accounts(Path("UserAccount.dat"));
    ASSERT_TRUE(accounts.AddAccount(Account(u"alice", u"one")));
    CServerList servers(Path("client.dat"));
    ASSERT_TRUE(servers.SetServers({"hall1.example"}));
    const std::string accountsBefore = Slurp(Path("UserAccount.dat"));
    const std::string serversBefore = Slurp(Path("client.dat"));

    platform::SetWriteFunction([](int, const void*, size_t) -> ssize_t {
        errno = ENOSPC;
        return -1;
    });
    EXPECT_FALSE(accounts.AddAccount(Account(u"bob", u"two")));
    EXPECT_FALSE(servers.SetServers({"hall2.example"}));
    platform::SetWriteFunction([](int, const void*, size_t) -> ssize_t { return 0; });  // no progress at all
    EXPECT_FALSE(accounts.AddAccount(Account(u"carol", u"three")));
    platform::SetWriteFunction(nullptr);
    EXPECT_EQ(Slurp(Path("UserAccount.dat")), accountsBefore);
    EXPECT_EQ(Slurp(Path("client.dat")), serversBefore);
    EXPECT_EQ(system(("test $(ls -A " + m_dir + " | wc -l) -eq 2").c_str()), 0) << "a temporary file was left";

    ASSERT_TRUE(accounts.AddAccount(Account(u"dave", u"four")));
    CAccountList again(Path("UserAccount.dat"));
    ASSERT_TRUE(again.Load());
    EXPECT_EQ(again.GetAccounts().size(), 4u);
}

TEST_F(SavedLists, ServerListFallsBackToBuiltInAddresses)
{
    CServerList list(Path("client.dat"));
    ASSERT_TRUE(list.Load());
    EXPECT_EQ(list.GetServers(), CServerList::DefaultServers());
    EXPECT_EQ(Slurp(Path("client.dat")).size(), 128u);  // written back

    ASSERT_TRUE(list.SetServers({"hall1.example", "", "10.0.0.2"}));
    EXPECT_FALSE(list.SetServers({""}));
    CServerList again(Path("client.dat"));
    ASSERT_TRUE(again.Load());
    EXPECT_EQ(again.GetServers(), (std::vector<std::string>{"hall1.example", "10.0.0.2"}));

    // A file shorter than one record holds no address.
    std::ofstream(Path("client.dat"), std::ios::binary | std::ios::trunc) << "junk";
    ASSERT_TRUE(again.Load());
    EXPECT_EQ(again.GetServers(), CServerList::DefaultServers());
}

TEST_F(SavedLists, MarkedUsersAreTodaysOnly)
{
    CUserMarkList marks(Path("UserMarkIng.dat"));
    EXPECT_FALSE(marks.Load(20240102));
    EXPECT_TRUE(marks.GetMarkedUsers().empty());

    const uint32_t records[] = {20240101, 7, 20240102, 8, 20240102, 9, 20240102, 8};
    std::ofstream out(Path("UserMarkIng.dat"), std::ios::binary);
    out.write(reinterpret_cast<const char*>(records), sizeof(records));
    out.write("\x01\x02\x03", 3);  // a cut-off record
    out.close();
    ASSERT_TRUE(marks.Load(20240102));
    EXPECT_EQ(marks.GetMarkedUsers(), (std::vector<uint32_t>{8, 9}));
    EXPECT_TRUE(marks.IsMarked(9));
    EXPECT_FALSE(marks.IsMarked(7));
    EXPECT_GT(CUserMarkList::Today(), 20200101u);
}
