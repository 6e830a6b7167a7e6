#include "platform/Clipboard.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

// A window system's clipboard that a test can take away.
bool g_ready = false;
std::string g_systemText;
bool g_systemHasText = false;

SystemClipboard FakeSystem()
{
    SystemClipboard system;
    system.isReady = [] { return g_ready; };
    system.setText = [](const std::string& utf8) {
        g_systemText = utf8;
        g_systemHasText = true;
        return true;
    };
    system.getText = [](std::string& utf8) {
        utf8 = g_systemText;
        return g_systemHasText;
    };
    return system;
}

}  // namespace

TEST(Clipboard, CopyThenPasteGivesTheTextWithOrWithoutAWindowSystem)
{
    SetSystemClipboard(SystemClipboard());
    ASSERT_TRUE(SetClipboardText("参数 123"));
    EXPECT_EQ(GetClipboardText(), "参数 123");

    SetSystemClipboard(FakeSystem());
    g_ready = true;
    g_systemHasText = false;
    // A system clipboard with no text yet: the local copy answers.
    EXPECT_EQ(GetClipboardText(), "参数 123");
    ASSERT_TRUE(SetClipboardText("复制"));
    EXPECT_EQ(g_systemText, "复制");
    // Text another program copied comes back.
    g_systemText = "from elsewhere";
    EXPECT_EQ(GetClipboardText(), "from elsewhere");
    // The window gone: what this program copied last.
    g_ready = false;
    EXPECT_EQ(GetClipboardText(), "复制");
    SetSystemClipboard(SystemClipboard());
}
