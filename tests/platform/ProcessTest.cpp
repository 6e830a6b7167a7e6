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
