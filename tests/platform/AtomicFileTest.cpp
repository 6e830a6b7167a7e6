#include "platform/AtomicFile.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace platform;

namespace {

class AtomicFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char dir[] = "/tmp/kest-atomic-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        m_dir = dir;
    }
    void TearDown() override
    {
        SetWriteFunction(nullptr);
        std::system(("rm -rf " + m_dir).c_str());
    }
    std::string Slurp(const std::string& path) const
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        if (DIR* d = opendir(m_dir.c_str()))
        {
            while (dirent* e = readdir(d))
                if (e->d_name[0] != '.')
                    names.push_back(e->d_name);
            closedir(d);
        }
        return names;
    }
    std::string m_dir;
};

int g_calls = 0;

ssize_t OneByteAtATime(int fd, const void* data, size_t size) { return write(fd, data, size > 0 ? 1 : 0); }
ssize_t InterruptedFirst(int fd, const void* data, size_t size)
{
    if (g_calls++ == 0)
    {
        errno = EINTR;
        return -1;
    }
    return write(fd, data, size);
}
ssize_t DiskFull(int, const void*, size_t)
{
    errno = ENOSPC;
    return -1;
}
ssize_t NoProgress(int, const void*, size_t) { return 0; }
ssize_t FullAfterAFewBytes(int fd, const void* data, size_t size)
{
    if (g_calls++ < 3)
        return write(fd, data, size < 2 ? size : 2);
    errno = ENOSPC;
    return -1;
}

}  // namespace

TEST_F(AtomicFile, ReplacesTheFileWholeOrNotAtAll)
{
    const std::string path = m_dir + "/UserDefault.xml";
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, "old settings", 12, error)) << error;

    const std::string next(100000, 'n');
    struct Case
    {
        const char* name;
        WriteFunction write;
        bool ok;
    } cases[] = {
        {"short writes", &OneByteAtATime, true},
        {"interrupted", &InterruptedFirst, true},
        {"disk full", &DiskFull, false},
        {"no progress", &NoProgress, false},
        {"full half-way", &FullAfterAFewBytes, false},
    };
    for (const Case& c : cases)
    {
        ASSERT_TRUE(WriteFileAtomically(path, "old settings", 12, error));
        g_calls = 0;
        SetWriteFunction(c.write);
        const std::string& bytes = c.write == &OneByteAtATime ? std::string("tiny") : next;
        EXPECT_EQ(WriteFileAtomically(path, bytes.data(), bytes.size(), error), c.ok) << c.name;
        SetWriteFunction(nullptr);
        EXPECT_EQ(Slurp(path), c.ok ? bytes : "old settings") << c.name;
        EXPECT_EQ(error.empty(), c.ok) << c.name << ": " << error;
        if (!c.ok)
        {
            EXPECT_NE(error.find("write"), std::string::npos) << error;
        }
        EXPECT_EQ(Names(), std::vector<std::string>{"UserDefault.xml"}) << c.name << ": a temporary file was left";
    }
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
}

TEST_F(AtomicFile, AFolderThatCannotTakeTheFileReportsWhy)
{
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(m_dir + "/missing/file.dat", "x", 1, error));
    EXPECT_NE(error.find("temporary"), std::string::npos) << error;
    EXPECT_FALSE(WriteFileAtomically("", "x", 1, error));
    EXPECT_FALSE(WriteFileAtomically(m_dir + "/f", nullptr, 1, error));
    EXPECT_TRUE(WriteFileAtomically(m_dir + "/empty", nullptr, 0, error)) << error;
    EXPECT_EQ(Slurp(m_dir + "/empty"), "");
    // A folder in the way of the rename: the temporary file goes again.
    ASSERT_EQ(mkdir((m_dir + "/taken").c_str(), 0700), 0);
    ASSERT_EQ(mkdir((m_dir + "/taken/inner").c_str(), 0700), 0);
    EXPECT_FALSE(WriteFileAtomically(m_dir + "/taken", "x", 1, error));
    EXPECT_NE(error.find("rename"), std::string::npos) << error;
    EXPECT_EQ(Names().size(), 2u);  // "empty" and "taken"
}
