#include "CCNode.h"

#include <algorithm>
#include <cmath>

#include "CCActionManager.h"
#include "CCCamera.h"
#include "CCDirector.h"
#include "CCRenderer.h"
#include "CCScheduler.h"
#include "CCTouch.h"
#include "backend/Backend.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <typeinfo>

NS_CC_BEGIN

static unsigned int s_globalOrderOfArrival = 1;
static int s_checkKeptDraws = -1;  // -1: as KEST_CHECK_REDRAW says

CCNode::CCNode() {
  m_sTransform = CCAffineTransformIdentity;
  m_sInverse = CCAffineTransformIdentity;
  CCDirector* director = CCDirector::sharedDirector();
  m_pActionManager = director->getActionManager();
  m_pActionManager->retain();
  m_pScheduler = director->getScheduler();
  m_pScheduler->retain();
}

CCNode::~CCNode() {
  if (m_pChildren) {
    CCObject* o;
    CCARRAY_FOREACH(m_pChildren, o) { static_cast<CCNode*>(o)->setParent(nullptr); }
    m_pChildren->release();
  }
  CC_SAFE_RELEASE(m_pUserObject);
  CC_SAFE_RELEASE(m_pCamera);
  CC_SAFE_RELEASE(m_pActionManager);
  CC_SAFE_RELEASE(m_pScheduler);
}

CCNode* CCNode::create() {
  CCNode* n = new CCNode();
  if (n->init()) {
    n->autorelease();
    return n;
  }
  delete n;
  return nullptr;
}

bool CCNode::init() { return true; }

const char* CCNode::description() { return "CCNode"; }

void CCNode::markTransformDirty() {
  m_bTransformDirty = m_bInverseDirty = true;
  markForRedraw();
}

void CCNode::markForRedraw() {
  // Ancestors all the way up: one may be marked while a node below it
  // records anew (marks made during a draw stay for the next frame).
  for (CCNode* n = this; n; n = n->m_pParent) n->m_bRedrawMarked = true;
  ccSetFrameNeeded();
}

// --- tree -------------------------------------------------------------------

void CCNode::childrenAlloc() { m_pChildren = new CCArray(); }

void CCNode::addChild(CCNode* child) { addChild(child, child ? child->m_nZOrder : 0, child ? child->m_nTag : 0); }

void CCNode::addChild(CCNode* child, int zOrder) { addChild(child, zOrder, child ? child->m_nTag : 0); }

void CCNode::addChild(CCNode* child, int zOrder, int tag) {
  if (!child) {
    CCLOG("CCNode::addChild: null child ignored");
    return;
  }
  if (child->m_pParent) {
    CCLOG("CCNode::addChild: child already has a parent, ignored");
    return;
  }
  if (child == this) return;
  if (!m_pChildren) childrenAlloc();
  insertChild(child, zOrder);
  child->m_nTag = tag;
  child->setParent(this);
  child->setOrderOfArrival(s_globalOrderOfArrival++);
  if (m_bRunning) {
    child->onEnter();
    child->onEnterTransitionDidFinish();
  }
  markForRedraw();
}

void CCNode::insertChild(CCNode* child, int z) {
  m_bReorderChildDirty = true;
  m_pChildren->addObject(child);
  child->_setZOrder(z);
}

CCNode* CCNode::getChildByTag(int tag) {
  if (!m_pChildren) return nullptr;
  CCObject* o;
  CCARRAY_FOREACH(m_pChildren, o) {
    CCNode* n = static_cast<CCNode*>(o);
    if (n && n->m_nTag == tag) return n;
  }
  return nullptr;
}

void CCNode::removeFromParent() { removeFromParentAndCleanup(true); }

void CCNode::removeFromParentAndCleanup(bool cleanup) {
  if (m_pParent) m_pParent->removeChild(this, cleanup);
}

void CCNode::removeChild(CCNode* child) { removeChild(child, true); }

void CCNode::removeChild(CCNode* child, bool cleanup) {
  if (!m_pChildren || !child) return;
  if (m_pChildren->containsObject(child)) detachChild(child, cleanup);
}

void CCNode::removeChildByTag(int tag) { removeChildByTag(tag, true); }

void CCNode::removeChildByTag(int tag, bool cleanup) {
  CCNode* child = getChildByTag(tag);
  if (!child)
    CCLOG("CCNode::removeChildByTag: no child with tag %d", tag);
  else
    removeChild(child, cleanup);
}

void CCNode::removeAllChildren() { removeAllChildrenWithCleanup(true); }

void CCNode::removeAllChildrenWithCleanup(bool cleanup) {
  if (!m_pChildren || m_pChildren->count() == 0) return;
  // Detach from a copy: exit handlers may touch the list.
  std::vector<CCNode*> nodes;
  snapshotChildren(nodes);
  for (CCNode* child : nodes) {
    if (child->m_pParent != this) continue;
    if (m_bRunning) {
      child->onExitTransitionDidStart();
      child->onExit();
    }
    if (cleanup) child->cleanup();
    child->setParent(nullptr);
  }
  m_pChildren->removeAllObjects();
  releaseSnapshot(nodes);
  markForRedraw();
}

void CCNode::detachChild(CCNode* child, bool doCleanup) {
  // Keep the child alive through its exit handlers.
  child->retain();
  if (m_bRunning) {
    child->onExitTransitionDidStart();
    child->onExit();
  }
  if (doCleanup) child->cleanup();
  child->setParent(nullptr);
  if (m_pChildren) m_pChildren->removeObject(child);
  child->release();
  markForRedraw();
}

void CCNode::reorderChild(CCNode* child, int zOrder) {
  if (!child) return;
  m_bReorderChildDirty = true;
  child->setOrderOfArrival(s_globalOrderOfArrival++);
  child->_setZOrder(zOrder);
  markForRedraw();
}

void CCNode::sortAllChildren() {
  if (!m_bReorderChildDirty || !m_pChildren) return;
  std::vector<CCObject*>& v = m_pChildren->data();
  std::sort(v.begin(), v.end(), [](CCObject* a, CCObject* b) {
    CCNode* na = static_cast<CCNode*>(a);
    CCNode* nb = static_cast<CCNode*>(b);
    if (na->getZOrder() != nb->getZOrder()) return na->getZOrder() < nb->getZOrder();
    return na->getOrderOfArrival() < nb->getOrderOfArrival();
  });
  m_bReorderChildDirty = false;
}

void CCNode::snapshotChildren(std::vector<CCNode*>& out) {
  out.clear();
  if (!m_pChildren) return;
  out.reserve(m_pChildren->count());
  for (CCObject* o : m_pChildren->data()) {
    o->retain();
    out.push_back(static_cast<CCNode*>(o));
  }
}

void CCNode::releaseSnapshot(std::vector<CCNode*>& nodes) {
  for (CCNode* n : nodes) n->release();
  nodes.clear();
}

// --- geometry ---------------------------------------------------------------

void CCNode::setZOrder(int zOrder) {
  _setZOrder(zOrder);
  if (m_pParent) m_pParent->reorderChild(this, zOrder);
}

void CCNode::setScaleX(float f) {
  m_fScaleX = f;
  markTransformDirty();
}
void CCNode::setScaleY(float f) {
  m_fScaleY = f;
  markTransformDirty();
}
void CCNode::setScale(float s) {
  m_fScaleX = m_fScaleY = s;
  markTransformDirty();
}
void CCNode::setScale(float sx, float sy) {
  m_fScaleX = sx;
  m_fScaleY = sy;
  markTransformDirty();
}

float CCNode::getScale() {
  if (m_fScaleX != m_fScaleY) CCLOG("CCNode::getScale: scale X and Y differ, X returned");
  return m_fScaleX;
}

void CCNode::setPosition(const CCPoint& position) {
  if (m_obPosition.equals(position)) return;
  m_obPosition = position;
  markTransformDirty();
}

void CCNode::getPosition(float* x, float* y) {
  if (x) *x = m_obPosition.x;
  if (y) *y = m_obPosition.y;
}

void CCNode::setSkewX(float f) {
  m_fSkewX = f;
  markTransformDirty();
}
void CCNode::setSkewY(float f) {
  m_fSkewY = f;
  markTransformDirty();
}

void CCNode::setAnchorPoint(const CCPoint& point) {
  if (point.equals(m_obAnchorPoint)) return;
  m_obAnchorPoint = point;
  m_obAnchorPointInPoints = CCPoint(m_obContentSize.width * point.x, m_obContentSize.height * point.y);
  markTransformDirty();
}

void CCNode::setContentSize(const CCSize& size) {
  if (size.equals(m_obContentSize)) return;
  m_obContentSize = size;
  m_obAnchorPointInPoints = CCPoint(size.width * m_obAnchorPoint.x, size.height * m_obAnchorPoint.y);
  markTransformDirty();
}

void CCNode::setVisible(bool visible) {
  if (visible == m_bVisible) return;
  m_bVisible = visible;
  markForRedraw();
}

void CCNode::setRotation(float r) {
  m_fRotationX = m_fRotationY = r;
  markTransformDirty();
}
void CCNode::setRotationX(float r) {
  m_fRotationX = r;
  markTransformDirty();
}
void CCNode::setRotationY(float r) {
  m_fRotationY = r;
  markTransformDirty();
}

void CCNode::ignoreAnchorPointForPosition(bool ignore) {
  if (ignore == m_bIgnoreAnchorPointForPosition) return;
  m_bIgnoreAnchorPointForPosition = ignore;
  markTransformDirty();
}

CCCamera* CCNode::getCamera() {
  if (!m_pCamera) m_pCamera = new CCCamera();
  return m_pCamera;
}

void CCNode::setUserObject(CCObject* pUserObject) {
  CC_SAFE_RETAIN(pUserObject);
  CC_SAFE_RELEASE(m_pUserObject);
  m_pUserObject = pUserObject;
}

CCRect CCNode::boundingBox() {
  CCRect rect(0, 0, m_obContentSize.width, m_obContentSize.height);
  return CCRectApplyAffineTransform(rect, nodeToParentTransform());
}

// --- life cycle -------------------------------------------------------------

void CCNode::onEnter() {
  std::vector<CCNode*> nodes;
  snapshotChildren(nodes);
  for (CCNode* n : nodes)
    if (n->m_pParent == this) n->onEnter();
  releaseSnapshot(nodes);
  resumeSchedulerAndActions();
  m_bRunning = true;
}

void CCNode::onEnterTransitionDidFinish() {
  std::vector<CCNode*> nodes;
  snapshotChildren(nodes);
  for (CCNode* n : nodes)
    if (n->m_pParent == this) n->onEnterTransitionDidFinish();
  releaseSnapshot(nodes);
}

void CCNode::onExitTransitionDidStart() {
  std::vector<CCNode*> nodes;
  snapshotChildren(nodes);
  for (CCNode* n : nodes)
    if (n->m_pParent == this) n->onExitTransitionDidStart();
  releaseSnapshot(nodes);
}

void CCNode::onExit() {
  pauseSchedulerAndActions();
  m_bRunning = false;
  std::vector<CCNode*> nodes;
  snapshotChildren(nodes);
  for (CCNode* n : nodes)
    if (n->m_pParent == this) n->onExit();
  releaseSnapshot(nodes);
}

void CCNode::cleanup() {
  stopAllActions();
  unscheduleAllSelectors();
  std::vector<CCNode*> nodes;
  snapshotChildren(nodes);
  for (CCNode* n : nodes) n->cleanup();
  releaseSnapshot(nodes);
}

// --- drawing ----------------------------------------------------------------

void CCNode::transform() {
  CCRenderer* r = CCRenderer::sharedRenderer();
  r->multMatrix(nodeToParentTransform());
  float turn[9];
  if (m_pCamera && m_pCamera->getTurn(turn)) r->turnCurrent(turn, m_obAnchorPointInPoints);
}

namespace {

bool checkingKeptDraws() {
  // On in tests (headless) unless KEST_CHECK_REDRAW=0; KEST_CHECK_REDRAW=1 anywhere.
  static const bool fromEnvironment = [] {
    const char* v = getenv("KEST_CHECK_REDRAW");
    if (v && *v) return strcmp(v, "0") != 0;
    const char* headless = getenv("KEST_HEADLESS");
    return headless && *headless && strcmp(headless, "0") != 0;
  }();
  return s_checkKeptDraws < 0 ? fromEnvironment : s_checkKeptDraws > 0;
}

}  // namespace

void CCNode::setCheckKeptDraws(bool on) { s_checkKeptDraws = on ? 1 : 0; }

bool CCNode::isCheckingKeptDraws() { return checkingKeptDraws(); }

void CCNode::noteKept(uint64_t frame, uint32_t first) {
  const CCRenderer::Walk* parent = CCRenderer::sharedRenderer()->currentWalk();
  m_kept.frame = frame;
  m_kept.first = first;
  m_kept.offset = parent ? first - parent->first : 0;
  m_kept.parentWalk = parent ? parent->serial : 0;
}

void CCNode::visit() {
  if (!m_bVisible) return;
  CCRenderer* r = CCRenderer::sharedRenderer();
  CCRenderer::DrawPlace place;
  const uint64_t frame = r->recordingFrame(place);
  // Where this subtree's draws lie in the last frame: recorded there, or
  // given again there within its parent's, at the same offset.
  int64_t lastFirst = -1;
  if (frame != 0 && m_kept.frame != 0 && m_kept.epoch == ccRedrawEpoch()) {
    const CCRenderer::Walk* parent = r->currentWalk();
    if (m_kept.frame + 1 == frame)
      lastFirst = m_kept.first;
    else if (parent && parent->lastFirst >= 0 && m_kept.parentWalk == parent->lastSerial)
      lastFirst = parent->lastFirst + m_kept.offset;
  }
  // Unchanged since and drawn from the same place: the same draws as then.
  const bool keeps = frame != 0 && !m_bDrawsOthers;
  bool check = false;
  if (keeps && lastFirst >= 0 && !m_bRedrawMarked && m_kept.place == place) {
    if (checkingKeptDraws()) {
      check = kest::backend::canRecordAgain(frame - 1, (uint32_t)lastFirst, m_kept.count);
    } else {
      const uint32_t at = r->recordedDraws();
      if (r->drawAgain(frame - 1, (uint32_t)lastFirst, m_kept.count)) {
        noteKept(frame, at);
        return;
      }
    }
  }
  const uint32_t count = m_kept.count;
  const uint32_t first = frame != 0 ? r->recordedDraws() : 0;
  const unsigned int unkept = r->unkeptDraws();
  if (m_bDrawsOthers) r->noteUnkeptDraws();
  if (frame != 0) {
    CCRenderer::Walk walk;
    walk.lastSerial = m_uWalks;
    walk.serial = ++m_uWalks;
    walk.lastFirst = lastFirst;
    walk.first = first;
    r->pushWalk(walk);
  }
  // Marks made from here on stay for the next frame.
  m_bRedrawMarked = false;
  r->pushMatrix();
  transform();
  if (m_bHasClipRect) r->pushClipRect(CCRectApplyAffineTransform(m_obClipRect, r->currentMatrix()));
  unsigned int i = 0;
  if (m_pChildren && m_pChildren->count() > 0) {
    sortAllChildren();
    for (; i < m_pChildren->count(); ++i) {
      CCNode* n = static_cast<CCNode*>(m_pChildren->objectAtIndex(i));
      if (n->m_nZOrder >= 0) break;
      n->visit();
    }
    draw();
    for (; i < m_pChildren->count(); ++i) static_cast<CCNode*>(m_pChildren->objectAtIndex(i))->visit();
  } else {
    draw();
  }
  if (m_bHasClipRect) r->popClipRect();
  r->popMatrix();
  if (frame != 0) r->popWalk();
  CCRenderer::DrawPlace now;
  if (keeps && r->unkeptDraws() == unkept && r->recordingFrame(now) == frame) {
    noteKept(frame, first);
    m_kept.count = r->recordedDraws() - first;
    m_kept.epoch = ccRedrawEpoch();
    m_kept.place = place;
  } else {
    m_kept.frame = 0;
  }
  if (check && !kest::backend::recordedAsBefore(frame - 1, (uint32_t)lastFirst, count, first)) {
    // A change that did not mark the node: kept draws would show it stale.
    fprintf(stderr, "redraw check: a %s drew otherwise than in the last frame without being marked\n",
            typeid(*this).name());
    abort();
  }
}

void CCNode::setClipRect(const CCRect& rectInNode) {
  m_bHasClipRect = true;
  m_obClipRect = rectInNode;
  markForRedraw();
}

void CCNode::clearClipRect() {
  if (!m_bHasClipRect) return;
  m_bHasClipRect = false;
  markForRedraw();
}

// --- actions ----------------------------------------------------------------

void CCNode::setActionManager(CCActionManager* actionManager) {
  if (actionManager == m_pActionManager) return;
  stopAllActions();
  CC_SAFE_RETAIN(actionManager);
  CC_SAFE_RELEASE(m_pActionManager);
  m_pActionManager = actionManager;
}

CCAction* CCNode::runAction(CCAction* action) {
  if (!action) {
    CCLOG("CCNode::runAction: null action ignored");
    return nullptr;
  }
  m_pActionManager->addAction(action, this, !m_bRunning);
  return action;
}

void CCNode::stopAllActions() { m_pActionManager->removeAllActionsFromTarget(this); }
void CCNode::stopAction(CCAction* action) { m_pActionManager->removeAction(action); }
void CCNode::stopActionByTag(int tag) { m_pActionManager->removeActionByTag((unsigned int)tag, this); }
CCAction* CCNode::getActionByTag(int tag) { return m_pActionManager->getActionByTag((unsigned int)tag, this); }
unsigned int CCNode::numberOfRunningActions() { return m_pActionManager->numberOfRunningActionsInTarget(this); }

// --- scheduler --------------------------------------------------------------

void CCNode::setScheduler(CCScheduler* scheduler) {
  if (scheduler == m_pScheduler) return;
  unscheduleAllSelectors();
  CC_SAFE_RETAIN(scheduler);
  CC_SAFE_RELEASE(m_pScheduler);
  m_pScheduler = scheduler;
}

bool CCNode::isScheduled(SEL_SCHEDULE selector) { return m_pScheduler->isScheduledForTarget(selector, this); }
void CCNode::scheduleUpdate() { scheduleUpdateWithPriority(0); }
void CCNode::scheduleUpdateWithPriority(int priority) {
  m_pScheduler->scheduleUpdateForTarget(this, priority, !m_bRunning);
}
void CCNode::unscheduleUpdate() { m_pScheduler->unscheduleUpdateForTarget(this); }

void CCNode::schedule(SEL_SCHEDULE selector, float interval, unsigned int repeat, float delay) {
  if (!selector) return;
  m_pScheduler->scheduleSelector(selector, this, interval, repeat, delay, !m_bRunning);
}

void CCNode::schedule(SEL_SCHEDULE selector, float interval) { schedule(selector, interval, kCCRepeatForever, 0.0f); }

void CCNode::schedule(SEL_SCHEDULE selector) { schedule(selector, 0.0f, kCCRepeatForever, 0.0f); }

void CCNode::scheduleOnce(SEL_SCHEDULE selector, float delay) { schedule(selector, 0.0f, 0, delay); }

void CCNode::unschedule(SEL_SCHEDULE selector) {
  if (selector) m_pScheduler->unscheduleSelector(selector, this);
}

void CCNode::unscheduleAllSelectors() { m_pScheduler->unscheduleAllForTarget(this); }

void CCNode::resumeSchedulerAndActions() {
  m_pScheduler->resumeTarget(this);
  m_pActionManager->resumeTarget(this);
}

void CCNode::pauseSchedulerAndActions() {
  m_pScheduler->pauseTarget(this);
  m_pActionManager->pauseTarget(this);
}

// --- transforms -------------------------------------------------------------

CCAffineTransform CCNode::nodeToParentTransform() {
  if (m_bTransformDirty) {
    float x = m_obPosition.x, y = m_obPosition.y;
    if (m_bIgnoreAnchorPointForPosition) {
      x += m_obAnchorPointInPoints.x;
      y += m_obAnchorPointInPoints.y;
    }
    float scaleX = m_fScaleX;
    float cx = 1, sx = 0, cy = 1, sy = 0;
    if (m_fRotationX != 0 || m_fRotationY != 0) {
      float rx = -CC_DEGREES_TO_RADIANS(m_fRotationX);
      float ry = -CC_DEGREES_TO_RADIANS(m_fRotationY);
      cx = cosf(rx);
      sx = sinf(rx);
      cy = cosf(ry);
      sy = sinf(ry);
    }
    bool skew = m_fSkewX != 0 || m_fSkewY != 0;
    const CCPoint& ap = m_obAnchorPointInPoints;
    if (!skew && (ap.x != 0 || ap.y != 0)) {
      x += cy * -ap.x * scaleX + -sx * -ap.y * m_fScaleY;
      y += sy * -ap.x * scaleX + cx * -ap.y * m_fScaleY;
    }
    m_sTransform = CCAffineTransformMake(cy * scaleX, sy * scaleX, -sx * m_fScaleY, cx * m_fScaleY, x, y);
    if (skew) {
      CCAffineTransform k = CCAffineTransformMake(1.0f, tanf(CC_DEGREES_TO_RADIANS(m_fSkewY)),
                                                  tanf(CC_DEGREES_TO_RADIANS(m_fSkewX)), 1.0f, 0, 0);
      m_sTransform = CCAffineTransformConcat(k, m_sTransform);
      if (ap.x != 0 || ap.y != 0) m_sTransform = CCAffineTransformTranslate(m_sTransform, -ap.x, -ap.y);
    }
    m_bTransformDirty = false;
  }
  return m_sTransform;
}

CCAffineTransform CCNode::parentToNodeTransform() {
  if (m_bInverseDirty) {
    m_sInverse = CCAffineTransformInvert(nodeToParentTransform());
    m_bInverseDirty = false;
  }
  return m_sInverse;
}

CCAffineTransform CCNode::nodeToWorldTransform() {
  CCAffineTransform t = nodeToParentTransform();
  for (CCNode* p = m_pParent; p; p = p->getParent()) t = CCAffineTransformConcat(t, p->nodeToParentTransform());
  return t;
}

CCAffineTransform CCNode::worldToNodeTransform() { return CCAffineTransformInvert(nodeToWorldTransform()); }

CCPoint CCNode::convertToNodeSpace(const CCPoint& worldPoint) {
  return CCPointApplyAffineTransform(worldPoint, worldToNodeTransform());
}

CCPoint CCNode::convertToWorldSpace(const CCPoint& nodePoint) {
  return CCPointApplyAffineTransform(nodePoint, nodeToWorldTransform());
}

CCPoint CCNode::convertToNodeSpaceAR(const CCPoint& worldPoint) {
  return convertToNodeSpace(worldPoint) - m_obAnchorPointInPoints;
}

CCPoint CCNode::convertToWorldSpaceAR(const CCPoint& nodePoint) {
  return convertToWorldSpace(nodePoint + m_obAnchorPointInPoints);
}

CCPoint CCNode::convertTouchToNodeSpace(CCTouch* touch) {
  return touch ? convertToNodeSpace(touch->getLocation()) : CCPointZero;
}

CCPoint CCNode::convertTouchToNodeSpaceAR(CCTouch* touch) {
  return touch ? convertToNodeSpaceAR(touch->getLocation()) : CCPointZero;
}

// --- CCNodeRGBA -------------------------------------------------------------

CCNodeRGBA::CCNodeRGBA() : m_tDisplayedColor(ccWHITE), m_tRealColor(ccWHITE) {}

CCNodeRGBA* CCNodeRGBA::create() {
  CCNodeRGBA* n = new CCNodeRGBA();
  if (n->init()) {
    n->autorelease();
    return n;
  }
  delete n;
  return nullptr;
}

bool CCNodeRGBA::init() { return CCNode::init(); }

void ccCascadeOpacity(CCNode* node, unsigned char displayed) {
  CCArray* children = node->getChildren();
  CCObject* o;
  CCARRAY_FOREACH(children, o) {
    if (CCRGBAProtocol* p = dynamic_cast<CCRGBAProtocol*>(o)) p->updateDisplayedOpacity(displayed);
  }
}

void ccCascadeColor(CCNode* node, const ccColor3B& displayed) {
  CCArray* children = node->getChildren();
  CCObject* o;
  CCARRAY_FOREACH(children, o) {
    if (CCRGBAProtocol* p = dynamic_cast<CCRGBAProtocol*>(o)) p->updateDisplayedColor(displayed);
  }
}

void ccRGBASetOpacity(CCNode* self, unsigned char& real, unsigned char& displayed, bool cascade,
                      unsigned char opacity) {
  displayed = real = opacity;
  if (cascade) {
    unsigned char parentOpacity = 255;
    CCRGBAProtocol* parent = dynamic_cast<CCRGBAProtocol*>(self->getParent());
    if (parent && parent->isCascadeOpacityEnabled()) parentOpacity = parent->getDisplayedOpacity();
    ccRGBAUpdateOpacity(self, real, displayed, cascade, parentOpacity);
  }
  self->markForRedraw();
}

void ccRGBAUpdateOpacity(CCNode* self, unsigned char real, unsigned char& displayed, bool cascade,
                         unsigned char parentOpacity) {
  displayed = (unsigned char)(real * parentOpacity / 255);
  if (cascade) ccCascadeOpacity(self, displayed);
  self->markForRedraw();
}

void ccRGBASetColor(CCNode* self, ccColor3B& real, ccColor3B& displayed, bool cascade, const ccColor3B& color) {
  displayed = real = color;
  if (cascade) {
    ccColor3B parentColor = ccWHITE;
    CCRGBAProtocol* parent = dynamic_cast<CCRGBAProtocol*>(self->getParent());
    if (parent && parent->isCascadeColorEnabled()) parentColor = parent->getDisplayedColor();
    ccRGBAUpdateColor(self, real, displayed, cascade, parentColor);
  }
  self->markForRedraw();
}

void ccRGBAUpdateColor(CCNode* self, const ccColor3B& real, ccColor3B& displayed, bool cascade,
                       const ccColor3B& parentColor) {
  displayed.r = (uint8_t)(real.r * parentColor.r / 255);
  displayed.g = (uint8_t)(real.g * parentColor.g / 255);
  displayed.b = (uint8_t)(real.b * parentColor.b / 255);
  if (cascade) ccCascadeColor(self, displayed);
  self->markForRedraw();
}

void CCNodeRGBA::setOpacity(unsigned char opacity) {
  ccRGBASetOpacity(this, m_cRealOpacity, m_cDisplayedOpacity, m_bCascadeOpacityEnabled, opacity);
}

void CCNodeRGBA::updateDisplayedOpacity(unsigned char parentOpacity) {
  ccRGBAUpdateOpacity(this, m_cRealOpacity, m_cDisplayedOpacity, m_bCascadeOpacityEnabled, parentOpacity);
}

void CCNodeRGBA::setColor(const ccColor3B& color) {
  ccRGBASetColor(this, m_tRealColor, m_tDisplayedColor, m_bCascadeColorEnabled, color);
}

void CCNodeRGBA::updateDisplayedColor(const ccColor3B& parentColor) {
  ccRGBAUpdateColor(this, m_tRealColor, m_tDisplayedColor, m_bCascadeColorEnabled, parentColor);
}

NS_CC_END
