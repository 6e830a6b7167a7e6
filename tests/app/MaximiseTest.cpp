// The main window's maximise toggle, on the real (headless) window.
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

TEST_F(Maximise, RestoreGivesBackTheExactRectangleEveryTime)
{
    AppDelegate app(launch::Options{});
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    const CCRect normal = view->getWindowRect();
    ASSERT_EQ(normal.size, CCSize(1288, 762));
    // The headless desktop's work area, 2 pixels past it on each side.
    const CCRect work = view->getWorkArea();
    const CCRect maximised(work.origin.x - 2, work.origin.y - 2, work.size.width + 4, work.size.height + 4);
    for (int i = 0; i < 4; ++i)
    {
        SCOPED_TRACE(i);
        app.ToggleMaximize();
        EXPECT_TRUE(app.IsMaximized());
        ExpectWindow(maximised);
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

}  // namespace
