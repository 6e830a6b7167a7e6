#include "CCTransition.h"

#include "CCActionEase.h"
#include "CCActionInstant.h"
#include "CCDirector.h"
#include "CCEGLView.h"
#include "CCProgressTimer.h"
#include "CCRenderer.h"
#include "CCTouchDispatcher.h"
#include "ExtensionMacros.h"

NS_CC_BEGIN

namespace {
const int kSceneSnapshotTag = 0xFFFF;
}

// --- CCTransitionScene ------------------------------------------------------

// The scenes it shows are not its children: they do not mark it.
CCTransitionScene::CCTransitionScene() { m_bDrawsOthers = true; }

CCTransitionScene::~CCTransitionScene() {
  CC_SAFE_RELEASE(m_pInScene);
  CC_SAFE_RELEASE(m_pOutScene);
}

CCTransitionScene* CCTransitionScene::create(float t, CCScene* scene) {
  return ccCreateWith<CCTransitionScene>([&](CCTransitionScene* s) { return s->initWithDuration(t, scene); });
}

bool CCTransitionScene::initWithDuration(float t, CCScene* scene) {
  if (!scene || !CCScene::init()) return false;
  m_fDuration = t;
  m_pInScene = scene;
  m_pInScene->retain();
  m_pOutScene = CCDirector::sharedDirector()->getRunningScene();
  if (!m_pOutScene) m_pOutScene = CCScene::create();
  m_pOutScene->retain();
  if (m_pInScene == m_pOutScene) {
    CCLog("CCTransitionScene: the incoming scene is the one running");
    return false;
  }
  sceneOrder();
  return true;
}

void CCTransitionScene::draw() {
  CCScene::draw();
  if (m_bIsInSceneOnTop) {
    m_pOutScene->visit();
    m_pInScene->visit();
  } else {
    m_pInScene->visit();
    m_pOutScene->visit();
  }
}

void CCTransitionScene::onEnter() {
  CCScene::onEnter();
  CCDirector::sharedDirector()->getTouchDispatcher()->setDispatchEvents(false);
  m_pOutScene->onExitTransitionDidStart();
  m_pInScene->onEnter();
}

void CCTransitionScene::onExit() {
  CCScene::onExit();
  CCDirector::sharedDirector()->getTouchDispatcher()->setDispatchEvents(true);
  m_pOutScene->onExit();
  m_pInScene->onEnterTransitionDidFinish();
}

void CCTransitionScene::cleanup() {
  CCScene::cleanup();
  if (m_bIsSendCleanupToScene) m_pOutScene->cleanup();
}

static void resetScene(CCScene* s, bool visible) {
  s->setVisible(visible);
  s->setPosition(CCPoint(0, 0));
  s->setScale(1);
  s->setRotation(0);
}

void CCTransitionScene::finish() {
  resetScene(m_pInScene, true);
  resetScene(m_pOutScene, false);
  schedule(schedule_selector(CCTransitionScene::setNewScene), 0);
}

void CCTransitionScene::setNewScene(float) {
  unschedule(schedule_selector(CCTransitionScene::setNewScene));
  CCDirector* director = CCDirector::sharedDirector();
  // Cleaned up only when the transition replaced the scene (a pushed one comes back).
  m_bIsSendCleanupToScene = director->isSendCleanupToScene();
  director->replaceScene(m_pInScene);
  director->getTouchDispatcher()->setDispatchEvents(true);
  m_pOutScene->setVisible(true);
}

void CCTransitionScene::hideOutShowIn() {
  m_pInScene->setVisible(true);
  m_pOutScene->setVisible(false);
}

// --- move in ----------------------------------------------------------------

CCTransitionMoveInL* CCTransitionMoveInL::create(float t, CCScene* scene) {
  return ccCreateWith<CCTransitionMoveInL>([&](CCTransitionMoveInL* s) { return s->initWithDuration(t, scene); });
}

void CCTransitionMoveInL::onEnter() {
  CCTransitionScene::onEnter();
  initScenes();
  CCActionInterval* ease = CCEaseOut::create(action(), 2.0f);
  m_pInScene->runAction(
      CCSequence::create(ease, CCCallFunc::create(this, callfunc_selector(CCTransitionScene::finish)), nullptr));
}

void CCTransitionMoveInL::initScenes() {
  m_pInScene->setPosition(CCPoint(-CCDirector::sharedDirector()->getWinSize().width, 0));
}

CCActionInterval* CCTransitionMoveInL::action() { return CCMoveTo::create(m_fDuration, CCPoint(0, 0)); }

CCTransitionMoveInB* CCTransitionMoveInB::create(float t, CCScene* scene) {
  return ccCreateWith<CCTransitionMoveInB>([&](CCTransitionMoveInB* s) { return s->initWithDuration(t, scene); });
}

void CCTransitionMoveInB::initScenes() {
  m_pInScene->setPosition(CCPoint(0, -CCDirector::sharedDirector()->getWinSize().height));
}

// --- progress ---------------------------------------------------------------

CCTransitionProgress::CCTransitionProgress() {}

CCTransitionProgress::~CCTransitionProgress() { CC_SAFE_RELEASE(m_pSnapshot); }

void CCTransitionProgress::setupTransition() {
  m_pSceneToBeModified = m_pOutScene;
  m_fFrom = 100;
  m_fTo = 0;
}

void CCTransitionProgress::onEnter() {
  CCTransitionScene::onEnter();
  setupTransition();
  CCCallFunc* done = CCCallFunc::create(this, callfunc_selector(CCTransitionScene::finish));

  // A snapshot of the whole window.
  CCEGLView* view = CCEGLView::sharedOpenGLView();
  const CCSize& frame = view->getFrameSize();
  CC_SAFE_RELEASE_NULL(m_pSnapshot);
  m_pSnapshot = new CCTexture2D();
  CCRenderer* renderer = CCRenderer::sharedRenderer();
  if (!m_pSnapshot->initAsRenderTarget((unsigned)frame.width, (unsigned)frame.height) ||
      !renderer->beginTarget(m_pSnapshot)) {
    static bool logged = false;
    if (!logged) CCLog("CCTransitionProgress: no snapshot can be drawn; the scenes cut over at the end");
    logged = true;
    runAction(CCSequence::create(CCDelayTime::create(m_fDuration), done, nullptr));
    return;
  }
  m_pSceneToBeModified->visit();
  renderer->endTarget();
  if (m_pSceneToBeModified == m_pOutScene) hideOutShowIn();

  // Drawn over the window as it was: one texture pixel per window pixel.
  CCSprite* sprite = CCSprite::createWithTexture(m_pSnapshot);
  m_pTimer = CCProgressTimer::create(sprite);
  shapeTimer(m_pTimer);
  m_pTimer->setPercentage(m_fFrom);
  const CCRect& port = view->getViewPortRect();
  float sx = view->getScaleX() > 0 ? view->getScaleX() : 1, sy = view->getScaleY() > 0 ? view->getScaleY() : 1;
  m_pTimer->setScaleX(1 / sx);
  m_pTimer->setScaleY(1 / sy);
  m_pTimer->setAnchorPoint(CCPoint(0.5f, 0.5f));
  m_pTimer->setPosition(CCPoint((frame.width / 2 - port.origin.x) / sx, (frame.height / 2 - port.origin.y) / sy));
  m_pTimer->runAction(CCSequence::create(CCProgressFromTo::create(m_fDuration, m_fFrom, m_fTo), done, nullptr));
  addChild(m_pTimer, 2, kSceneSnapshotTag);
}

void CCTransitionProgress::onExit() {
  removeChildByTag(kSceneSnapshotTag, true);
  m_pTimer = nullptr;
  CCTransitionScene::onExit();
}

CCTransitionProgressRadialCCW* CCTransitionProgressRadialCCW::create(float t, CCScene* scene) {
  return ccCreateWith<CCTransitionProgressRadialCCW>(
      [&](CCTransitionProgressRadialCCW* s) { return s->initWithDuration(t, scene); });
}

void CCTransitionProgressRadialCCW::shapeTimer(CCProgressTimer* timer) {
  timer->setType(kCCProgressTimerTypeRadial);
  timer->setReverseDirection(false);
}

CCTransitionProgressHorizontal* CCTransitionProgressHorizontal::create(float t, CCScene* scene) {
  return ccCreateWith<CCTransitionProgressHorizontal>(
      [&](CCTransitionProgressHorizontal* s) { return s->initWithDuration(t, scene); });
}

void CCTransitionProgressHorizontal::shapeTimer(CCProgressTimer* timer) {
  timer->setType(kCCProgressTimerTypeBar);
  timer->setMidpoint(CCPoint(1, 0));
  timer->setBarChangeRate(CCPoint(1, 0));
}

CCTransitionProgressInOut* CCTransitionProgressInOut::create(float t, CCScene* scene) {
  return ccCreateWith<CCTransitionProgressInOut>(
      [&](CCTransitionProgressInOut* s) { return s->initWithDuration(t, scene); });
}

void CCTransitionProgressInOut::setupTransition() {
  m_pSceneToBeModified = m_pInScene;
  m_fFrom = 0;
  m_fTo = 100;
}

void CCTransitionProgressInOut::shapeTimer(CCProgressTimer* timer) {
  timer->setType(kCCProgressTimerTypeBar);
  timer->setMidpoint(CCPoint(0.5f, 0.5f));
  timer->setBarChangeRate(CCPoint(1, 1));
}

NS_CC_END
