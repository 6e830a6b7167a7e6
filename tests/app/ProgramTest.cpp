// The program itself, started as a player's desktop would start it, headless,
// with its own settings and lock folders.
#include "platform/SingleInstance.h"
#include "room/ProgramRun.h"

#include "cocos2d.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

using namespace cocos2d;

namespace {

bool Exists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

class Program : public programrun::ProgramTest
{
protected:
    void SetUp() override
    {
        programrun::ProgramTest::SetUp();
        CCUserDefault::purgeSharedUserDefault();
    }

    void TearDown() override
    {
        CCUserDefault::purgeSharedUserDefault();
        programrun::ProgramTest::TearDown();
    }

    // Runs kestrelium with the arguments (its standard error into a file
    // when one is named); its exit code, or -1.
    static int Run(const std::vector<std::string>& args, const std::string& errors = "")
    {
        std::vector<std::string> all{KEST_PROGRAM};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& arg : all)
            argv.push_back(&arg[0]);
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        if (!errors.empty())
            posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        pid_t pid = 0;
        const int spawned = posix_spawn(&pid, KEST_PROGRAM, &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0)
            return -1;
        int status = 0;
        if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
            return -1;
        return WEXITSTATUS(status);
    }

    // The settings the program left, read afresh.
    static CCUserDefault* Settings()
    {
        CCUserDefault::purgeSharedUserDefault();
        return CCUserDefault::sharedUserDefault();
    }

    bool SettingsWritten() const { return Exists(m_dir + "/user/UserDefault.xml"); }
};

}  // namespace

TEST_F(Program, HeadlessRunWritesTheFrameAndTheStartSettings)
{
    CCUserDefault* before = Settings();
    before->setIntegerForKey("WIN32BackVesion", 5);
    before->setIntegerForKey("RoomSocketPort", 4000);
    before->setIntegerForKey("effect", 1);
    before->flush();
    const std::string program = KEST_PROGRAM;
    const std::string launcherCopy = program.substr(0, program.rfind('/') + 1) + "Springlock_1.exe";
    if (FILE* stale = std::fopen(launcherCopy.c_str(), "wb"))
        std::fclose(stale);

    const std::string frame = m_dir + "/frame.png";
    ASSERT_EQ(Run({"--headless", "--frames", "3", "--screenshot", frame, "updatefinsh/6021"}), 0);

    CCImage image;
    ASSERT_TRUE(image.initWithImageFile(frame.c_str()));
    EXPECT_EQ(image.getWidth(), 1288);
    EXPECT_EQ(image.getHeight(), 762);
    EXPECT_FALSE(Exists(launcherCopy));
    CCUserDefault* after = Settings();
    EXPECT_EQ(after->getIntegerForKey("WIN32BackVesion", 0), 6021);
    EXPECT_EQ(after->getIntegerForKey("WIN32CheckVesion", 0), 1);
    EXPECT_EQ(after->getIntegerForKey("RoomSocketPort", -1), 0);
    EXPECT_EQ(after->getIntegerForKey("effect", 0), 2);  // the first run is over
    EXPECT_TRUE(after->getBoolForKey("RememberPwd", false));
}

// A second start touches nothing, says why it ends, and calls the running
// program (which brings its window forward).
TEST_F(Program, SecondStartEndsAtOnceCallsTheRunningOneAndSaysSo)
{
    platform::SingleInstance running("Kestrelium", m_dir + "/run");
    ASSERT_TRUE(running.Acquire());
    const std::string frame = m_dir + "/frame.png", errors = m_dir + "/errors.txt";
    EXPECT_EQ(Run({"--headless", "--frames", "1", "--screenshot", frame, "updatefinsh/7"}, errors), 0);
    EXPECT_FALSE(Exists(frame));
    EXPECT_FALSE(SettingsWritten());
    EXPECT_TRUE(running.TakeCalls());
    std::ifstream said(errors);
    const std::string text((std::istreambuf_iterator<char>(said)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("already running"), std::string::npos) << text;
}

TEST_F(Program, BadOptionsStopBeforeAnything)
{
    EXPECT_EQ(Run({"--headless", "--frames", "many"}), 2);
    EXPECT_EQ(Run({"--headless", "--frames", "-3"}), 2);
    EXPECT_EQ(Run({"--headless", "--screenshot"}), 2);
    EXPECT_FALSE(SettingsWritten());
}

TEST_F(Program, AFrameThatCannotBeWrittenFailsTheRun)
{
    EXPECT_NE(Run({"--headless", "--frames", "1", "--screenshot", m_dir + "/no/such/folder/frame.png"}), 0);
}

// Started without a display (and not asked to run headless) there is no
// window to play in: the program says so and fails instead of running unseen.
TEST_F(Program, WithoutADisplayItFailsInsteadOfRunningUnseen)
{
    const char* display = std::getenv("DISPLAY");
    const std::string keptDisplay = display ? display : "";
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("KEST_HEADLESS");
    const int code = Run({"--frames", "30"});
    setenv("KEST_HEADLESS", "1", 1);
    if (display)
        setenv("DISPLAY", keptDisplay.c_str(), 1);
    EXPECT_EQ(code, 1);
}
