#include "CCApplication.h"

#include "CCDirector.h"
#include "CCEGLView.h"
#include "CCTextureCache.h"
#include "backend/Backend.h"

NS_CC_BEGIN

CCApplication* CCApplication::s_sharedApplication = nullptr;

CCApplication::CCApplication() { s_sharedApplication = this; }

CCApplication::~CCApplication() {
  if (s_sharedApplication == this) s_sharedApplication = nullptr;
}

CCApplication* CCApplication::sharedApplication() { return s_sharedApplication; }

void CCApplication::setAnimationInterval(double interval) {
  CCDirector::sharedDirector()->setAnimationInterval(interval);
}

int CCApplication::run() {
  CCDirector* director = CCDirector::sharedDirector();
  CCEGLView* view = director->getOpenGLView();
  view->openWindow();
  if (!applicationDidFinishLaunching()) return 1;
  while (!director->isEnding()) {
    double start = kest::backend::now();
    if (!view->pollEvents()) break;
    director->mainLoop();
    // Sleep to the next frame, waking early for input.
    double left = director->getAnimationInterval() - (kest::backend::now() - start);
    if (left > 0.001) kest::backend::waitEvents((int)(left * 1000));
  }
  director->reset();
  // The picture loader's and the renderer's threads end with their owners:
  // none may outlive the loop (a leak checker at exit scans every thread).
  CCTextureCache::purgeSharedTextureCache();
  kest::backend::close();
  return 0;
}

NS_CC_END
