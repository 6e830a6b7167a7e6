#include "platform/Process.h"
#include "platform/SingleInstance.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <memory>

using namespace platform;

namespace {
bool WaitForExit(Process& process)
{
    for (int i = 0; i < 5000 && process.IsRunning(); ++i)
        usleep(1000);
    return !process.IsRunning();
}
}  // namespace

TEST(Process, CommandLineSplitsLikeWindows)
{
    EXPECT_EQ(SplitCommandLine("game.exe 123 0 1 \"Player One\""),
              (std::vector<std::string>{"game.exe", "123", "0", "1", "Player One"}));
    EXPECT_EQ(SplitCommandLine("  a   \"\"  b"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(SplitCommandLine("   ").empty());
}

TEST(Process, PollsWithoutBlockingAndReportsTheExitCode)
{
    Process process;
    EXPECT_FALSE(process.IsRunning());
    ASSERT_TRUE(process.Start("/bin/sh", "sh -c \"sleep 0.2; exit 3\"", ""));
    EXPECT_TRUE(process.IsRunning());  // returns at once while it sleeps
    ASSERT_TRUE(WaitForExit(process));
    EXPECT_EQ(process.ExitCode(), 3);
    EXPECT_FALSE(process.Terminate());
    EXPECT_FALSE(Process().Start("/nonexistent/game", "game", ""));
}

TEST(Process, RunsInTheGivenFolderAndTerminates)
{
    char dir[] = "/tmp/kest-proc-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    Process process;
    ASSERT_TRUE(process.Start("/bin/sh", "sh -c \"pwd > where.txt\"", dir));
    ASSERT_TRUE(WaitForExit(process));
    std::string where;
    std::ifstream(std::string(dir) + "/where.txt") >> where;
    EXPECT_EQ(where, dir);
    std::remove((std::string(dir) + "/where.txt").c_str());
    rmdir(dir);

    ASSERT_TRUE(process.Start("/bin/sleep", "sleep 30", ""));
    EXPECT_TRUE(process.Terminate());
    EXPECT_FALSE(process.IsRunning());
    EXPECT_EQ(process.ExitCode(), 128 + 9);
}

TEST(SingleInstance, SecondHolderIsRefusedUntilTheFirstEnds)
{
    char dir[] = "/tmp/kest-lock-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    auto other = [&dir]() {
        pid_t child = fork();
        if (child == 0)
        {
            SingleInstance guard("Kestrelium", dir);
            _exit(guard.Acquire() ? 0 : 1);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WEXITSTATUS(status);
    };
    auto first = std::make_unique<SingleInstance>("Kestrelium", dir);
    ASSERT_TRUE(first->Acquire());
    EXPECT_EQ(other(), 1);
    // A program we start must not keep the lock alive after we let go.
    Process spawned;
    ASSERT_TRUE(spawned.Start("/bin/sleep", "sleep 30", ""));
    first.reset();
    EXPECT_EQ(other(), 0);
    spawned.Terminate();
    std::remove((std::string(dir) + "/Kestrelium.lock").c_str());
    rmdir(dir);
}

TEST(SingleInstance, NoLockFolderDoesNotKeepTheProgramFromStarting)
{
    SingleInstance guard("Kestrelium", "/nonexistent/kest-lock");
    EXPECT_TRUE(guard.Acquire());
    EXPECT_FALSE(guard.IsHeld());
}

namespace {

// A lock folder of its own for each test; gone afterwards.
struct LockDir
{
    LockDir()
    {
        char name[] = "/tmp/kest-lock-XXXXXX";
        path = mkdtemp(name) != nullptr ? name : "";
    }
    ~LockDir()
    {
        std::remove((path + "/Kestrelium.lock").c_str());
        rmdir(path.c_str());
    }
    std::string path;
};

// A start refused in a child process, which calls the holder (as another
// user when uid is not -1, after it found the holder's name as ours);
// whether the call went out, as the exit status.
int StartAgain(const std::string& dir, int uid = -1)
{
    pid_t child = fork();
    if (child == 0)
    {
        SingleInstance later("Kestrelium", dir);
        if (later.Acquire())
            _exit(3);
        if (uid >= 0 && setuid(static_cast<uid_t>(uid)) != 0)
            _exit(2);
        _exit(later.CallHolder() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

// A refused start calls the holder, which hears it once; with nobody holding
// the name nobody is called.
TEST(SingleInstance, ALaterStartCallsTheHolder)
{
    LockDir dir;
    SingleInstance holder("Kestrelium", dir.path);
    EXPECT_FALSE(holder.CallHolder());  // not held yet: nobody listens
    ASSERT_TRUE(holder.Acquire());
    ASSERT_GE(holder.CallDescriptor(), 0);
    EXPECT_FALSE(holder.TakeCalls());
    EXPECT_EQ(StartAgain(dir.path), 0);
    EXPECT_EQ(StartAgain(dir.path), 0);
    EXPECT_TRUE(holder.TakeCalls());
    EXPECT_FALSE(holder.TakeCalls());  // both taken at once

    // Another lock folder is another program's name.
    LockDir elsewhere;
    SingleInstance stranger("Kestrelium", elsewhere.path);
    EXPECT_FALSE(stranger.CallHolder());
}

// The name is open to every local user: a call from another user is
// dropped unheard (only root can be another user here).
TEST(SingleInstance, ACallFromAnotherUserIsNotHeard)
{
    if (getuid() != 0)
        GTEST_SKIP() << "needs root to send as another user";
    LockDir dir;
    SingleInstance holder("Kestrelium", dir.path);
    ASSERT_TRUE(holder.Acquire());
    EXPECT_EQ(StartAgain(dir.path, 65534), 0);
    EXPECT_FALSE(holder.TakeCalls());
}
