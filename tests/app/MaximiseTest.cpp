// The main window's maximise toggle, on the real (headless) window: there is
// no window manager there, so the window takes the work area itself.
#include "app/AppDelegate.h"

#include "ui/UiFixture.h"

#include <gtest/gtest.h>

using namespace cocos2d;

namespace {

using Maximise = UiFixture;

// What the window reports and what the view was told after the events.
void ExpectWindow(const CCRect& rect)
{
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->pollEvents();
    const CCRect now = view->getWindowRect();
    EXPECT_EQ(now.origin, rect.origin);
    EXPECT_EQ(now.size, rect.size);
    EXPECT_EQ(view->getFrameSize(), rect.size);
}

int g_layouts = 0;
CCSize g_laidOutFor;
bool g_laidOutMaximised = false;
void CountLayout(int width, int height)
{
    ++g_layouts;
    g_laidOutFor = CCSize(static_cast<float>(width), static_cast<float>(height));
    g_laidOutMaximised = app_services::IsMaximized();
}

TEST_F(Maximise, TheWindowFillsTheUsableAreaAndRestoreGivesBackTheExactRectangle)
{
    AppDelegate app(launch::Options{});
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    const CCRect normal = view->getWindowRect();
    ASSERT_EQ(normal.size, CCSize(1288, 762));
    const CCRect work = view->getWorkArea();  // the headless desktop's
    for (int i = 0; i < 4; ++i)
    {
        SCOPED_TRACE(i);
        app.ToggleMaximize();
        EXPECT_TRUE(app.IsMaximized());
        ExpectWindow(work);
        app.ToggleMaximize();
        EXPECT_FALSE(app.IsMaximized());
        ExpectWindow(normal);
    }
}

// A window the player moved and sized keeps that place and size.
TEST_F(Maximise, RestoreKeepsAWindowMovedAndSizedByThePlayer)
{
    AppDelegate app(launch::Options{});
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    const CCRect before = view->getWindowRect();
    const CCRect moved(before.origin.x + 30, before.origin.y + 20, 1400, 800);
    view->setWindowRect(moved);
    ExpectWindow(moved);
    for (int i = 0; i < 3; ++i)
    {
        app.ToggleMaximize();
        app.ToggleMaximize();
    }
    ExpectWindow(moved);
    view->setWindowRect(before);
    view->pollEvents();
}

// The scene on show lays out again when the window's state changes, with
// the new state, even when the size did not change (the window manager
// maximised a window that already had the usable area's size).
TEST_F(Maximise, AChangeOfStateLaysTheSceneOutWithTheNewState)
{
    AppDelegate app(launch::Options{});
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->setWindowMessageHook(&AppDelegate::WindowMessageHook);
    app_services::SetResizeHandler(&CountLayout);
    const CCRect normal = view->getWindowRect();
    view->setWindowRect(view->getWorkArea());
    view->pollEvents();
    g_layouts = 0;

    app.ToggleMaximize();
    view->pollEvents();
    EXPECT_EQ(g_layouts, 1);
    EXPECT_TRUE(g_laidOutMaximised);
    EXPECT_EQ(g_laidOutFor, view->getWorkArea().size);
    app.ToggleMaximize();
    view->pollEvents();
    EXPECT_EQ(g_layouts, 2);
    EXPECT_FALSE(g_laidOutMaximised);

    app_services::SetResizeHandler(nullptr);
    view->setWindowMessageHook(nullptr);
    view->setWindowRect(normal);
    view->pollEvents();
}

}  // namespace
