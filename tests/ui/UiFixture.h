// A headless engine with one running scene, the shared UI services installed.
#pragma once

#include "cocos2d.h"
#include "ui/UiServices.h"

#include <gtest/gtest.h>

class UiFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        using namespace cocos2d;
        CCDirector::setHeadless(true);
        CCDirector* director = CCDirector::sharedDirector();
        CCEGLView* view = CCEGLView::sharedOpenGLView();
        director->setOpenGLView(view);
        view->setFrameSize(1288, 762);
        view->setDesignResolutionSize(1288, 762, kResolutionFixedWidth);
        CCFileUtils::sharedFileUtils()->addSearchPath(KEST_RES_DIR);
        ui::InstallCoreServices();
        scene = CCScene::create();
        director->runWithScene(scene);
        director->stepFrames(1);
    }

    void TearDown() override { cocos2d::CCDirector::sharedDirector()->stepFrames(1); }

    // A touch at a GL point (design points equal window pixels here).
    static void Touch(int phase, float x, float y)
    {
        cocos2d::CCEGLView* view = cocos2d::CCEGLView::sharedOpenGLView();
        int id = 0;
        float xs[] = {x};
        float ys[] = {762 - y};  // the view takes top-left window pixels
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

    cocos2d::CCScene* scene = nullptr;
};
