#include "CCApplication.h"

#include <sys/prctl.h>

#include <climits>
#include <cmath>
#include <cstdio>

#include "CCDirector.h"
#include "CCEGLView.h"
#include "CCTextureCache.h"
#include "FrameStats.h"
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

void CCApplication::setLoopHooks(LoopClock clock, LoopWait wait) {
  m_clock = std::move(clock);
  m_wait = std::move(wait);
}

double CCApplication::loopNow() const { return m_clock ? m_clock() : kest::backend::now(); }

bool CCApplication::runPass() {
  CCDirector* director = CCDirector::sharedDirector();
  CCEGLView* view = director->getOpenGLView();
  const double start = loopNow();
  namespace stats = kest::framestats;
  double lap = stats::now();
  if (!view->pollEvents()) return false;
  lap = stats::lap(stats::kEvents, lap);
  serviceWaitSources();
  m_fdsPolled = false;
  stats::lap(stats::kSources, lap);
  if (director->isEnding()) return false;

  const double interval = director->getAnimationInterval();
  const bool fixed = director->isFixedTimeStep() && interval > 0;
  if (fixed) {
    // One step a frame while something moves; after a wait with nothing to
    // do, the whole steps that passed (none when a message came early).
    if (m_paced || m_stepClock < 0) {
      m_stepClock = start;
    } else {
      const double steps = std::floor((start - m_stepClock) / interval + 1e-6);
      const unsigned int n = steps > 0 ? (steps < 1e6 ? (unsigned int)steps : 1000000u) : 0u;
      director->setNextFrameSteps(n);
      m_stepClock += n * interval;
    }
  }
  director->mainLoop();
  if (director->isEnding()) return false;
  // The first frame took the pictures it shows; the rest wait for their draw.
  if (director->getDrawnFrames() != 0 && CCTextureCache::sharedTextureCache()->isDecodingAhead())
    CCTextureCache::sharedTextureCache()->setDecodeAhead(false);

  double timeout = director->getTimeToNextFrame();
  m_paced = timeout <= 0;
  if (m_paced) {
    timeout = interval - (loopNow() - start);
  } else if (fixed && !std::isinf(timeout)) {
    // Steps are whole: wake when the one that reaches the timer is due.
    timeout = std::ceil(timeout / interval - 1e-6) * interval - (loopNow() - m_stepClock);
  }
  m_fds.clear();
  addWaitSources(m_fds, timeout);
  stats::report();
  if (timeout <= 0.0005) {
    stats::pass(0, 0);
    return true;
  }
  lap = stats::now();
  if (m_wait) {
    m_wait(m_fds, timeout);
  } else {
    const double ms = std::ceil(timeout * 1000);
    m_fdsPolled = kest::backend::waitEvents(m_fds, std::isinf(timeout) || ms > INT_MAX ? -1 : (int)ms);
  }
  stats::pass(timeout, stats::lap(stats::kWait, lap) - lap);
  return true;
}

int CCApplication::run() {
  CCDirector* director = CCDirector::sharedDirector();
  CCEGLView* view = director->getOpenGLView();
  // The first scene's pictures decode on other threads while it is built.
  CCTextureCache::sharedTextureCache()->setDecodeAhead(true);
  // A window that cannot open leaves nothing to play in: say so and stop
  // rather than run on unseen.
  if (!view->openWindow() && !CCDirector::isHeadless()) {
    std::fprintf(stderr, "%s: no window could be opened: %s\n", view->getViewName(), kest::backend::openError());
    return 1;
  }
  if (!applicationDidFinishLaunching()) return 1;
  m_stepClock = -1;
  m_paced = true;
  // The loop's waits may end up to a millisecond late (a sixteenth of a
  // frame): the kernel can then wake it with other timers due about then.
  prctl(PR_SET_TIMERSLACK, 1000000UL, 0, 0, 0);
  while (runPass()) {
  }
  director->reset();
  // The picture loader's and the renderer's threads end with their owners:
  // none may outlive the loop (a leak checker at exit scans every thread).
  CCTextureCache::purgeSharedTextureCache();
  kest::backend::close();
  return 0;
}

NS_CC_END
