// A headless engine with one running scene, the drawn resources, a private
// settings folder and the shared UI services installed; each test starts from
// an empty director. Scene tests of other layers include it as "ui/UiFixture.h".
#pragma once

#include "cocos2d.h"
#include "ui/UiServices.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

class UiFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        using namespace cocos2d;
        char dir[] = "/tmp/kest-ui-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        m_settingsDir = dir;
        setenv("KEST_USER_DIR", dir, 1);
        CCUserDefault::purgeSharedUserDefault();
        CCDirector::setHeadless(true);
        CCDirector* director = CCDirector::sharedDirector();
        CCEGLView* view = CCEGLView::sharedOpenGLView();
        const CCSize frame = FrameSize();
        view->setFrameSize(frame.width, frame.height);
        director->setOpenGLView(view);
        view->setDesignResolutionSize(1288, 762, kResolutionShowAllExpanded);
        CCFileUtils::sharedFileUtils()->setResourceRoot(KEST_RES_DIR);
        CCTextureCache::sharedTextureCache()->clearMissingPictures();
        InstallUiCoreServices();
        scene = CCScene::create();
        director->runWithScene(scene);
        director->stepFrames(1);
    }

    void TearDown() override
    {
        using namespace cocos2d;
        CCDirector::sharedDirector()->stepFrames(1);
        const auto& missing = CCTextureCache::sharedTextureCache()->getMissingPictures();
        EXPECT_TRUE(missing.empty()) << "missing picture " << missing.front();
        CCDirector::sharedDirector()->reset();
        CCUserDefault::purgeSharedUserDefault();
        unlink((m_settingsDir + "/UserDefault.xml").c_str());
        rmdir(m_settingsDir.c_str());
    }

    // The window's size in pixels.
    virtual cocos2d::CCSize FrameSize() const { return cocos2d::CCSize(1288, 762); }

    // A touch at a GL point, at any window size.
    static void Touch(int phase, float x, float y)
    {
        cocos2d::CCEGLView* view = cocos2d::CCEGLView::sharedOpenGLView();
        // The view takes top-left window pixels.
        const cocos2d::CCPoint at = cocos2d::CCDirector::sharedDirector()->convertToUI(cocos2d::CCPoint(x, y));
        int id = 0;
        float xs[] = {at.x};
        float ys[] = {at.y};
        if (phase == 0)
            view->handleTouchesBegin(1, &id, xs, ys);
        else if (phase == 1)
            view->handleTouchesMove(1, &id, xs, ys);
        else
            view->handleTouchesEnd(1, &id, xs, ys);
    }
    static void Tap(float x, float y)
    {
        Touch(0, x, y);
        Touch(2, x, y);
    }

    // Writes the frame as it would show to screens/<name>.png beside the test.
    static void SaveScreen(const std::string& name)
    {
        mkdir("screens", 0755);
        EXPECT_TRUE(cocos2d::CCDirector::sharedDirector()->saveScreenshot("screens/" + name + ".png"));
    }

    cocos2d::CCScene* scene = nullptr;

private:
    std::string m_settingsDir;
};
