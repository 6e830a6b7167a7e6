// The headless stage the UI fuzzers share: the director on the design size,
// the drawn resources (KEST_RES_DIR of the target), the UI services, and
// message boxes that go nowhere. Settings go to /tmp unless a folder is set.
#pragma once

#include "cocos2d.h"
#include "core/ClientGlobal.h"
#include "ui/UiServices.h"

#include <cstdlib>
#include <string>

namespace fuzzstage {

inline void Quiet(const std::string&) {}

inline void PrepareUi()
{
    setenv("KEST_USER_DIR", "/tmp", 0);
    cocos2d::CCDirector::setHeadless(true);
    cocos2d::CCDirector* director = cocos2d::CCDirector::sharedDirector();
    cocos2d::CCEGLView* view = cocos2d::CCEGLView::sharedOpenGLView();
    director->setOpenGLView(view);
    view->setFrameSize(1288, 762);
    view->setDesignResolutionSize(1288, 762, cocos2d::kResolutionFixedWidth);
    cocos2d::CCFileUtils::sharedFileUtils()->setResourceRoot(KEST_RES_DIR);
    InstallUiCoreServices();
    CClientGlobal::SetMessageBoxHandler(&Quiet);
}

}  // namespace fuzzstage
