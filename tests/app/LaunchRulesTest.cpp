#include "app/LaunchRules.h"

#include <gtest/gtest.h>

#include <set>

using launch::BackVersionToStore;

TEST(LaunchRules, UpdateHandOverStoresTheClientVersion)
{
    EXPECT_EQ(BackVersionToStore("updatefinsh/6021", 5), 6021);
    EXPECT_EQ(BackVersionToStore("updatefinsh", 5), 1);
    EXPECT_EQ(BackVersionToStore("updatefinsh/", 5), 1);
    EXPECT_EQ(BackVersionToStore("updatefinsh/x1", 5), 1);
    // Anything else only fills an absent or zero setting.
    EXPECT_EQ(BackVersionToStore("", 0), 1);
    EXPECT_EQ(BackVersionToStore("", 7), -1);
    EXPECT_EQ(BackVersionToStore("other/12", 7), -1);
    EXPECT_EQ(BackVersionToStore("a/updatefinsh/3", 7), -1);
}

TEST(LaunchRules, OptionsAreSeparatedFromTheCommandLine)
{
    const char* argv[] = {"kestrelium", "--headless", "--frames", "30",     "updatefinsh/9",  "--screenshot",
                          "out.png",    "--res",      "/r",       "--room", "127.0.0.1:4000", "--user=7"};
    launch::Options o = launch::ParseOptions(12, argv);
    ASSERT_TRUE(o.ok);
    EXPECT_TRUE(o.headless);
    EXPECT_EQ(o.frames, 30);
    EXPECT_EQ(o.screenshot, "out.png");
    EXPECT_EQ(o.resourceDir, "/r");
    EXPECT_EQ(o.commandLine, "updatefinsh/9");
    EXPECT_EQ(o.extra, (std::vector<std::string>{"--room", "127.0.0.1:4000", "--user=7"}));

    const char* bad[] = {"kestrelium", "--frames", "many"};
    EXPECT_FALSE(launch::ParseOptions(3, bad).ok);
    const char* missing[] = {"kestrelium", "--screenshot"};
    EXPECT_FALSE(launch::ParseOptions(2, missing).ok);
    const char* endless[] = {"kestrelium", "--screenshot", "out.png"};  // would never be written
    EXPECT_FALSE(launch::ParseOptions(3, endless).ok);
}

// Faster clocks (within reason) and undrawn frames are for headless runs only.
TEST(LaunchRules, SpeedAndNoDrawAreForHeadlessRuns)
{
    const char* fast[] = {"kestrelium", "--headless", "--speed", "4"};
    launch::Options o = launch::ParseOptions(4, fast);
    ASSERT_TRUE(o.ok);
    EXPECT_EQ(o.speed, 4);
    EXPECT_TRUE(o.extra.empty());
    EXPECT_EQ(launch::ParseOptions(2, fast).speed, 1);
    for (const char* value : {"0", "61", "2.5", "-3", "x"})
    {
        const char* argv[] = {"kestrelium", "--headless", "--speed", value};
        EXPECT_FALSE(launch::ParseOptions(4, argv).ok) << value;
    }
    const char* windowed[] = {"kestrelium", "--speed", "4"};
    EXPECT_FALSE(launch::ParseOptions(3, windowed).ok);
    const char* undrawn[] = {"kestrelium", "--no-draw", "--headless"};
    EXPECT_TRUE(launch::ParseOptions(3, undrawn).noDraw);
    EXPECT_FALSE(launch::ParseOptions(2, undrawn).ok);
}

namespace {
std::set<std::string> g_files;
bool Exists(const std::string& path) { return g_files.count(path) != 0; }
}  // namespace

TEST(LaunchRules, SoundsResolveInExtensionOrder)
{
    const std::vector<std::string> order{".wma", ".mp3", ".ogg"};
    g_files = {"Music/background.ogg", "Music/background.mp3", "Sound/click.wav", "v1.2/beep.ogg"};
    EXPECT_EQ(launch::ResolveSound("Music/background.mp3", order, Exists), "Music/background.mp3");
    EXPECT_EQ(launch::ResolveSound("Music/background", order, Exists), "Music/background.mp3");
    g_files.erase("Music/background.mp3");
    EXPECT_EQ(launch::ResolveSound("Music/background.mp3", order, Exists), "Music/background.ogg");
    // Not among the extensions but present as named.
    EXPECT_EQ(launch::ResolveSound("Sound/click.wav", order, Exists), "Sound/click.wav");
    // A dot in a folder name is not an extension.
    EXPECT_EQ(launch::ResolveSound("v1.2/beep", order, Exists), "v1.2/beep.ogg");
    EXPECT_EQ(launch::ResolveSound("Sound/missing", order, Exists), "");
}
