#include "CCDirector.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "CCActionManager.h"
#include "CCAutoreleasePool.h"
#include "CCEGLView.h"
#include "CCKeypadDispatcher.h"
#include "CCNotificationCenter.h"
#include "CCRenderer.h"
#include "CCScheduler.h"
#include "CCTouchDispatcher.h"
#include "FrameStats.h"
#include "backend/Backend.h"

NS_CC_BEGIN

static CCDirector* s_sharedDirector = nullptr;
static bool s_headlessSet = false;
static bool s_headless = false;
static bool s_needsRedraw = true;
static unsigned int s_redrawEpoch = 1;

void ccSetNeedsRedraw() {
  s_needsRedraw = true;
  ++s_redrawEpoch;
}

unsigned int ccRedrawEpoch() { return s_redrawEpoch; }

void ccSetFrameNeeded() { s_needsRedraw = true; }

bool CCDirector::isHeadless() {
  if (!s_headlessSet) {
    const char* v = getenv("KEST_HEADLESS");
    s_headless = v && *v && strcmp(v, "0") != 0;
    s_headlessSet = true;
  }
  return s_headless;
}

void CCDirector::setHeadless(bool headless) {
  s_headless = headless;
  s_headlessSet = true;
  if (s_sharedDirector) s_sharedDirector->m_bFixedStep = headless;
}

CCDirector* CCDirector::sharedDirector() {
  if (!s_sharedDirector) s_sharedDirector = new CCDirector();
  return s_sharedDirector;
}

CCDirector::CCDirector() {
  m_pScheduler = new CCScheduler();
  m_pActionManager = new CCActionManager();
  m_pScheduler->scheduleUpdateForTarget(m_pActionManager, kCCPrioritySystem, false);
  m_pTouchDispatcher = new CCTouchDispatcher();
  m_pKeypadDispatcher = new CCKeypadDispatcher();
  m_bFixedStep = isHeadless();
}

CCDirector::~CCDirector() {
  reset();
  CC_SAFE_RELEASE(m_pScheduler);
  CC_SAFE_RELEASE(m_pActionManager);
  CC_SAFE_RELEASE(m_pTouchDispatcher);
  CC_SAFE_RELEASE(m_pKeypadDispatcher);
}

CCEGLView* CCDirector::getOpenGLView() {
  if (!m_pobOpenGLView) m_pobOpenGLView = CCEGLView::sharedOpenGLView();
  return m_pobOpenGLView;
}

void CCDirector::setOpenGLView(CCEGLView* view) {
  m_pobOpenGLView = view;
  if (view) view->openWindow();
  s_needsRedraw = true;
}

void CCDirector::setScheduler(CCScheduler* s) {
  if (s == m_pScheduler || !s) return;
  s->retain();
  m_pScheduler->release();
  m_pScheduler = s;
}

void CCDirector::setActionManager(CCActionManager* m) {
  if (m == m_pActionManager || !m) return;
  m->retain();
  m_pActionManager->release();
  m_pActionManager = m;
}

CCSize CCDirector::getWinSize() { return getOpenGLView()->getDesignResolutionSize(); }

CCSize CCDirector::getWinSizeInPixels() { return getWinSize(); }

CCSize CCDirector::getVisibleSize() { return getOpenGLView()->getVisibleSize(); }

CCPoint CCDirector::getVisibleOrigin() { return getOpenGLView()->getVisibleOrigin(); }

CCPoint CCDirector::convertToGL(const CCPoint& p) {
  CCEGLView* v = getOpenGLView();
  const CCRect& vp = v->getViewPortRect();
  return CCPoint((p.x - vp.origin.x) / v->getScaleX(), (v->getFrameSize().height - p.y - vp.origin.y) / v->getScaleY());
}

CCPoint CCDirector::convertToUI(const CCPoint& p) {
  CCEGLView* v = getOpenGLView();
  const CCRect& vp = v->getViewPortRect();
  return CCPoint(p.x * v->getScaleX() + vp.origin.x, v->getFrameSize().height - (p.y * v->getScaleY() + vp.origin.y));
}

// --- scenes -----------------------------------------------------------------

void CCDirector::runWithScene(CCScene* pScene) {
  if (!pScene) return;
  if (m_pRunningScene || !m_scenesStack.empty()) {
    replaceScene(pScene);
    return;
  }
  pushScene(pScene);
  startAnimation();
}

void CCDirector::pushScene(CCScene* pScene) {
  if (!pScene) return;
  m_bSendCleanupToScene = false;
  pScene->retain();
  m_scenesStack.push_back(pScene);
  m_pNextScene = pScene;
}

void CCDirector::popScene() {
  if (m_scenesStack.empty()) return;
  CCScene* top = m_scenesStack.back();
  m_scenesStack.pop_back();
  // The running scene keeps its own reference until the next frame.
  if (top == m_pNextScene) m_pNextScene = nullptr;
  top->release();
  if (m_scenesStack.empty()) {
    end();
  } else {
    m_bSendCleanupToScene = true;
    m_pNextScene = m_scenesStack.back();
  }
}

void CCDirector::popToRootScene() {
  while (m_scenesStack.size() > 1) {
    CCScene* top = m_scenesStack.back();
    m_scenesStack.pop_back();
    if (top != m_pRunningScene && top->isRunning()) {
      top->onExitTransitionDidStart();
      top->onExit();
    }
    if (top != m_pRunningScene) top->cleanup();
    top->release();
  }
  if (m_scenesStack.empty()) return;
  m_pNextScene = m_scenesStack.back();
  m_bSendCleanupToScene = true;
}

void CCDirector::replaceScene(CCScene* pScene) {
  if (!pScene) return;
  if (m_scenesStack.empty()) {
    runWithScene(pScene);
    return;
  }
  m_bSendCleanupToScene = true;
  pScene->retain();
  CCScene* old = m_scenesStack.back();
  m_scenesStack.back() = pScene;
  old->release();
  m_pNextScene = pScene;
}

void CCDirector::setNextScene() {
  CCScene* next = m_pNextScene;
  m_pNextScene = nullptr;
  if (!next || next == m_pRunningScene) return;
  bool runningIsTransition = m_pRunningScene && m_pRunningScene->isTransitionScene();
  bool newIsTransition = next->isTransitionScene();
  // A transition takes care of the scenes it carries: no second onExit/onEnter.
  if (!newIsTransition && m_pRunningScene) {
    m_pRunningScene->onExitTransitionDidStart();
    m_pRunningScene->onExit();
    if (m_bSendCleanupToScene) m_pRunningScene->cleanup();
  }
  next->retain();
  CCScene* old = m_pRunningScene;
  m_pRunningScene = next;
  if (old) old->release();
  if (!runningIsTransition) {
    m_pRunningScene->onEnter();
    m_pRunningScene->onEnterTransitionDidFinish();
  }
  s_needsRedraw = true;
  m_bSceneShownDue = true;
}

void CCDirector::postSceneShown() {
  if (!m_bSceneShownDue) return;
  m_bSceneShownDue = false;
  CCNotificationCenter::sharedNotificationCenter()->postNotification(kSceneShownNotification, m_pRunningScene);
}

void CCDirector::enterNode(CCNode* node) {
  node->retain();
  node->onEnter();
  node->onEnterTransitionDidFinish();
}

void CCDirector::exitNode(CCNode* node, bool cleanup) {
  if (node->isRunning()) {
    node->onExitTransitionDidStart();
    node->onExit();
  }
  if (cleanup) node->cleanup();
  node->release();
}

void CCDirector::setTopLayer(CCNode* pLayer) {
  if (pLayer == m_pTopLayer) return;
  if (m_pTopLayer) exitNode(m_pTopLayer, false);
  m_pTopLayer = pLayer;
  if (m_pTopLayer) enterNode(m_pTopLayer);
  s_needsRedraw = true;
}

void CCDirector::setNotificationNode(CCNode* node) {
  if (node == m_pNotificationNode) return;
  if (m_pNotificationNode) exitNode(m_pNotificationNode, false);
  m_pNotificationNode = node;
  if (node) enterNode(node);
  s_needsRedraw = true;
}

// --- the frame --------------------------------------------------------------

void CCDirector::end() { m_bEnding = true; }

void CCDirector::pause() { m_bPaused = true; }

void CCDirector::resume() {
  m_bPaused = false;
  m_bNextDeltaTimeZero = true;
}

void CCDirector::startAnimation() {
  m_bInvalid = false;
  m_bNextDeltaTimeZero = true;
}

void CCDirector::calculateDeltaTime() {
  if (m_bFixedStep) {
    m_fDeltaTime = (float)(m_dAnimationInterval * m_uNextFrameSteps);
    m_uNextFrameSteps = 1;
    return;
  }
  double now = kest::backend::now();
  if (m_bNextDeltaTimeZero || m_dLastTime < 0) {
    m_fDeltaTime = 0;
    m_bNextDeltaTimeZero = false;
  } else {
    m_fDeltaTime = (float)(now - m_dLastTime);
    if (m_fDeltaTime < 0) m_fDeltaTime = 0;
  }
  m_dLastTime = now;
}

void CCDirector::setNeedsRedraw() { ccSetNeedsRedraw(); }

double CCDirector::getTimeToNextFrame() {
  if (m_pNextScene || (s_needsRedraw && !m_bInvalid)) return 0;
  if (m_bPaused) return std::numeric_limits<double>::infinity();
  // Running actions that change nothing for a while (a frame animation
  // between its frames, a delay) let the loop sleep as a timer would.
  double actions = m_pActionManager->getTimeToNextChange();
  if (actions <= 0) return 0;
  const float scale = m_pScheduler->getTimeScale();
  actions = scale > 0 ? actions / scale : std::numeric_limits<double>::infinity();
  // The action manager's own update is stepped as the actions need.
  const double timers = m_pScheduler->getTimeToNextCall(m_pActionManager);
  const double next = std::min(actions, timers);
  const double merge = kMergedFrames * m_dAnimationInterval;
  // Nothing changes within the merge time: each action changing after the
  // next thing due changes at most once before the wake (its frames are at
  // least that long).
  if (!(merge > 0) || next < merge || std::isinf(next)) return next;
  // Timers fire on time (their callbacks count the time they waited): one
  // due within the merge time is the wake, and the actions' changes before
  // it wait for it.
  const double wake = timers <= next + merge ? timers : next;
  const double until = std::min(next + merge, timers);
  const double last = m_pActionManager->getLastChangeWithin((float)(until * scale)) / scale;
  return std::max(wake, last);
}

static void drawFrame(CCScene* running, CCNode* notification, CCNode* top, std::vector<uint8_t>* capture, int* w,
                      int* h) {
  namespace stats = kest::framestats;
  double lap = stats::now();
  CCRenderer* r = CCRenderer::sharedRenderer();
  r->beginFrame();
  if (running) running->visit();
  if (notification) notification->visit();
  if (top) top->visit();
  r->endFrame();
  lap = stats::lap(stats::kDraw, lap);
  if (capture) kest::backend::readPixels(*capture, *w, *h);
  kest::backend::present();
  stats::lap(stats::kPresent, lap);
  stats::frameDrawn();
}

void CCDirector::drawScene() {
  getOpenGLView()->openWindow();
  drawFrame(m_pRunningScene, m_pNotificationNode, m_pTopLayer, nullptr, nullptr, nullptr);
  frameDrawn();
}

void CCDirector::frameDrawn() {
  ++m_uDrawnFrames;
  // Changes made while drawing do not count: the frame shows them already.
  s_needsRedraw = false;
  const bool windowChanged = getOpenGLView()->takeWindowChange();
  // Whoever is told looks at the window next: the window system has the
  // frame first.
  if (windowChanged || m_bSceneShownDue) kest::backend::syncShown();
  postSceneShown();
  if (windowChanged) CCNotificationCenter::sharedNotificationCenter()->postNotification(kWindowDrawnNotification);
}

void CCDirector::mainLoop() {
  // Frames are numbered from 1; callbacks of frame n see getTotalFrames() == n.
  ++m_uTotalFrames;
  calculateDeltaTime();
  namespace stats = kest::framestats;
  stats::frameStepped();
  const double lap = stats::now();
  if (!m_bPaused) m_pScheduler->update(m_fDeltaTime);
  if (m_pNextScene) setNextScene();
  stats::lap(stats::kUpdate, lap);
  if (s_needsRedraw && !m_bInvalid) drawScene();
  postSceneShown();  // a frame passed over is out too
  CCPoolManager::sharedPoolManager()->pop();
}

void CCDirector::stepFrames(int n) {
  for (int i = 0; i < n; ++i) mainLoop();
}

bool CCDirector::saveScreenshot(const std::string& pngPath) {
  if (!getOpenGLView()->openWindow()) {
    CCLOG("screenshot: no renderer, %s not written", pngPath.c_str());
    return false;
  }
  if (m_pNextScene) setNextScene();
  std::vector<uint8_t> pixels;
  int w = 0, h = 0;
  drawFrame(m_pRunningScene, m_pNotificationNode, m_pTopLayer, &pixels, &w, &h);
  frameDrawn();
  if (pixels.empty() || !kest::backend::savePng(pngPath, pixels.data(), w, h)) {
    CCLOG("screenshot: cannot write %s", pngPath.c_str());
    return false;
  }
  return true;
}

bool CCDirector::captureFrame(std::vector<unsigned char>& rgba, int& width, int& height) {
  rgba.clear();
  width = height = 0;
  if (!getOpenGLView()->openWindow()) return false;
  if (m_pNextScene) setNextScene();
  drawFrame(m_pRunningScene, m_pNotificationNode, m_pTopLayer, &rgba, &width, &height);
  frameDrawn();
  return !rgba.empty();
}

void CCDirector::purgeCachedData() {}

void CCDirector::reset() {
  if (m_pTopLayer) {
    CCNode* t = m_pTopLayer;
    m_pTopLayer = nullptr;
    exitNode(t, true);
  }
  if (m_pNotificationNode) {
    CCNode* t = m_pNotificationNode;
    m_pNotificationNode = nullptr;
    exitNode(t, true);
  }
  if (m_pRunningScene) {
    CCScene* s = m_pRunningScene;
    m_pRunningScene = nullptr;
    exitNode(s, true);
  }
  m_pNextScene = nullptr;
  m_bSceneShownDue = false;
  std::vector<CCScene*> stack;
  stack.swap(m_scenesStack);
  for (CCScene* s : stack) {
    s->cleanup();
    s->release();
  }
  m_pScheduler->unscheduleAllWithMinPriority(kCCPriorityNonSystemMin);
  m_pActionManager->removeAllActions();
  m_pTouchDispatcher->removeAllDelegates();
  CCPoolManager::sharedPoolManager()->pop();
  m_bEnding = false;
  m_bPaused = false;
  m_bInvalid = false;
  s_needsRedraw = true;
}

NS_CC_END
