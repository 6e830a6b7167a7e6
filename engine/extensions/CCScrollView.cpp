#include "CCScrollView.h"

#include <algorithm>
#include <cmath>

NS_CC_EXT_BEGIN

namespace {
const float kDeaccelRate = 0.95f;
const float kDeaccelDist = 1.0f;
const float kBounceDuration = 0.15f;
const float kInsetRatio = 0.2f;
// A drag starts after 7/160 inch at 96 dots per inch (window pixels).
const float kMovePixels = 7.0f / 160.0f * 96.0f;
}  // namespace

CCScrollView::CCScrollView() {}

CCScrollView::~CCScrollView() { CC_SAFE_RELEASE(m_pTouch); }

CCScrollView* CCScrollView::create() {
  return ccCreateWith<CCScrollView>([](CCScrollView* v) { return v->init(); });
}

CCScrollView* CCScrollView::create(CCSize size, CCNode* container) {
  return ccCreateWith<CCScrollView>([&](CCScrollView* v) { return v->initWithViewSize(size, container); });
}

bool CCScrollView::init() { return initWithViewSize(CCSize(200, 200), nullptr); }

bool CCScrollView::initWithViewSize(CCSize size, CCNode* container) {
  if (!CCLayer::init()) return false;
  m_pContainer = container ? container : CCLayer::create();
  m_pContainer->ignoreAnchorPointForPosition(false);
  m_pContainer->setAnchorPoint(CCPoint(0, 0));
  m_pContainer->setPosition(CCPoint(0, 0));
  setViewSize(size);
  setTouchMode(kCCTouchesOneByOne);
  setTouchEnabled(true);
  m_bBounceable = true;
  m_bClippingToBounds = true;
  m_eDirection = kCCScrollViewDirectionBoth;
  CCLayer::addChild(m_pContainer, 0, m_pContainer->getTag());
  updateClip();
  return true;
}

void CCScrollView::setContainer(CCNode* container) {
  if (!container || container == m_pContainer) return;
  removeAllChildrenWithCleanup(true);
  m_pContainer = container;
  m_pContainer->ignoreAnchorPointForPosition(false);
  m_pContainer->setAnchorPoint(CCPoint(0, 0));
  CCLayer::addChild(m_pContainer, 0, m_pContainer->getTag());
  setViewSize(m_tViewSize);
}

void CCScrollView::addChild(CCNode* child, int zOrder, int tag) {
  if (!child) return;
  child->ignoreAnchorPointForPosition(false);
  child->setAnchorPoint(CCPoint(0, 0));
  if (m_pContainer && child != m_pContainer)
    m_pContainer->addChild(child, zOrder, tag);
  else
    CCLayer::addChild(child, zOrder, tag);
}

void CCScrollView::addChild(CCNode* child, int zOrder) { addChild(child, zOrder, child ? child->getTag() : 0); }

void CCScrollView::addChild(CCNode* child) {
  addChild(child, child ? child->getZOrder() : 0, child ? child->getTag() : 0);
}

// --- sizes ----------------------------------------------------------------

void CCScrollView::setViewSize(CCSize size) {
  m_tViewSize = size;
  CCLayer::setContentSize(size);
  updateInset();
  updateClip();
}

const CCSize& CCScrollView::getContentSize() const {
  return m_pContainer ? m_pContainer->getContentSize() : m_obContentSize;
}

void CCScrollView::setContentSize(const CCSize& size) {
  if (!m_pContainer) return;
  m_pContainer->setContentSize(size);
  updateInset();
}

void CCScrollView::updateInset() {
  if (!m_pContainer) return;
  m_fMaxInset = maxContainerOffset() + CCPoint(m_tViewSize.width * kInsetRatio, m_tViewSize.height * kInsetRatio);
  m_fMinInset = minContainerOffset() - CCPoint(m_tViewSize.width * kInsetRatio, m_tViewSize.height * kInsetRatio);
}

void CCScrollView::setClippingToBounds(bool clipping) {
  m_bClippingToBounds = clipping;
  updateClip();
}

void CCScrollView::updateClip() {
  if (m_bClippingToBounds)
    setClipRect(CCRect(0, 0, m_tViewSize.width, m_tViewSize.height));
  else
    clearClipRect();
}

CCRect CCScrollView::getViewRect() {
  CCPoint screenPos = convertToWorldSpace(CCPointZero);
  float scaleX = getScaleX(), scaleY = getScaleY();
  for (CCNode* p = getParent(); p; p = p->getParent()) {
    scaleX *= p->getScaleX();
    scaleY *= p->getScaleY();
  }
  if (scaleX < 0) {
    screenPos.x += m_tViewSize.width * scaleX;
    scaleX = -scaleX;
  }
  if (scaleY < 0) {
    screenPos.y += m_tViewSize.height * scaleY;
    scaleY = -scaleY;
  }
  return CCRect(screenPos.x, screenPos.y, m_tViewSize.width * scaleX, m_tViewSize.height * scaleY);
}

// --- offsets --------------------------------------------------------------

CCPoint CCScrollView::maxContainerOffset() { return CCPoint(0, 0); }

CCPoint CCScrollView::minContainerOffset() {
  if (!m_pContainer) return CCPointZero;
  const CCSize& c = m_pContainer->getContentSize();
  return CCPoint(m_tViewSize.width - c.width * m_pContainer->getScaleX(),
                 m_tViewSize.height - c.height * m_pContainer->getScaleY());
}

CCPoint CCScrollView::clampedOffset(CCPoint offset) {
  CCPoint lo = minContainerOffset(), hi = maxContainerOffset();
  offset.x = std::max(lo.x, std::min(hi.x, offset.x));
  offset.y = std::max(lo.y, std::min(hi.y, offset.y));
  return offset;
}

void CCScrollView::setContentOffset(CCPoint offset, bool animated) {
  if (!m_pContainer) return;
  if (animated) {
    setContentOffsetInDuration(offset, kBounceDuration);
    return;
  }
  if (!m_bBounceable) offset = clampedOffset(offset);
  m_pContainer->setPosition(offset);
  if (m_pDelegate) m_pDelegate->scrollViewDidScroll(this);
}

void CCScrollView::setContentOffsetInDuration(CCPoint offset, float dt) {
  if (!m_pContainer) return;
  m_pContainer->stopAllActions();
  CCFiniteTimeAction* scroll = CCMoveTo::create(dt, offset);
  CCFiniteTimeAction* expire = CCCallFuncN::create(this, callfuncN_selector(CCScrollView::stoppedAnimatedScroll));
  m_pContainer->runAction(CCSequence::create(scroll, expire, nullptr));
  schedule(schedule_selector(CCScrollView::performedAnimatedScroll));
}

CCPoint CCScrollView::getContentOffset() { return m_pContainer ? m_pContainer->getPosition() : CCPointZero; }

void CCScrollView::performedAnimatedScroll(float) {
  if (m_bDragging) {
    unschedule(schedule_selector(CCScrollView::performedAnimatedScroll));
    return;
  }
  if (m_pDelegate) m_pDelegate->scrollViewDidScroll(this);
}

void CCScrollView::stoppedAnimatedScroll(CCNode*) {
  unschedule(schedule_selector(CCScrollView::performedAnimatedScroll));
  if (m_pDelegate) m_pDelegate->scrollViewDidScroll(this);
}

void CCScrollView::setZoomScale(float s) {
  if (!m_pContainer || m_pContainer->getScale() == s) return;
  m_pContainer->setScale(s);
  updateInset();
  if (m_pDelegate) m_pDelegate->scrollViewDidZoom(this);
}

float CCScrollView::getZoomScale() { return m_pContainer ? m_pContainer->getScale() : 1; }

bool CCScrollView::isNodeVisible(CCNode* node) {
  CCPoint offset = getContentOffset();
  float scale = getZoomScale();
  if (scale == 0) return false;
  CCRect viewRect(-offset.x / scale, -offset.y / scale, m_tViewSize.width / scale, m_tViewSize.height / scale);
  return node && viewRect.intersectsRect(node->boundingBox());
}

void CCScrollView::relocateContainer(bool animated) {
  CCPoint lo = minContainerOffset(), hi = maxContainerOffset();
  CCPoint old = getContentOffset();
  float x = old.x, y = old.y;
  if (m_eDirection == kCCScrollViewDirectionBoth || m_eDirection == kCCScrollViewDirectionHorizontal) {
    x = std::max(x, lo.x);
    x = std::min(x, hi.x);
  }
  // Content shorter than the view sits at the top (the min offset wins).
  if (m_eDirection == kCCScrollViewDirectionBoth || m_eDirection == kCCScrollViewDirectionVertical) {
    y = std::min(y, hi.y);
    y = std::max(y, lo.y);
  }
  if (y != old.y || x != old.x) setContentOffset(CCPoint(x, y), animated);
}

void CCScrollView::pause(CCObject*) {
  if (m_pContainer) m_pContainer->pauseSchedulerAndActions();
}

void CCScrollView::resume(CCObject*) {
  if (m_pContainer) m_pContainer->resumeSchedulerAndActions();
}

void CCScrollView::deaccelerateScrolling(float) {
  if (m_bDragging || !m_pContainer) {
    unschedule(schedule_selector(CCScrollView::deaccelerateScrolling));
    return;
  }
  m_pContainer->setPosition(m_pContainer->getPosition() + m_tScrollDistance);
  CCPoint hi = m_bBounceable ? m_fMaxInset : maxContainerOffset();
  CCPoint lo = m_bBounceable ? m_fMinInset : minContainerOffset();
  CCPoint pos = m_pContainer->getPosition();
  float x = std::max(std::min(pos.x, hi.x), lo.x);
  float y = std::max(std::min(pos.y, hi.y), lo.y);
  m_tScrollDistance = (m_tScrollDistance - CCPoint(x - pos.x, y - pos.y)) * kDeaccelRate;
  setContentOffset(CCPoint(x, y));
  if ((std::fabs(m_tScrollDistance.x) <= kDeaccelDist && std::fabs(m_tScrollDistance.y) <= kDeaccelDist) || x == hi.x ||
      x == lo.x || y == hi.y || y == lo.y) {
    unschedule(schedule_selector(CCScrollView::deaccelerateScrolling));
    relocateContainer(true);
  }
}

// --- touches --------------------------------------------------------------

void CCScrollView::registerWithTouchDispatcher() {
  CCDirector::sharedDirector()->getTouchDispatcher()->addTargetedDelegate(this, getTouchPriority(), false);
}

void CCScrollView::setTouchEnabled(bool e) {
  CCLayer::setTouchEnabled(e);
  if (!e) {
    m_bDragging = false;
    m_bTouchMoved = false;
    CC_SAFE_RELEASE_NULL(m_pTouch);
  }
}

bool CCScrollView::shownWithParents() {
  if (!isVisible()) return false;
  for (CCNode* p = getParent(); p; p = p->getParent())
    if (!p->isVisible()) return false;
  return true;
}

bool CCScrollView::ccTouchBegan(CCTouch* touch, CCEvent*) {
  // A hidden list (or one under a hidden parent) must not take clicks meant
  // for what is drawn in its place.
  if (!shownWithParents() || m_pTouch || m_bTouchMoved) return false;
  if (!getViewRect().containsPoint(touch->getLocation())) return false;
  touch->retain();
  m_pTouch = touch;
  m_tTouchPoint = convertTouchToNodeSpace(touch);
  m_bTouchMoved = false;
  m_bDragging = true;
  m_tScrollDistance = CCPointZero;
  return true;
}

void CCScrollView::ccTouchMoved(CCTouch* touch, CCEvent*) {
  if (!isVisible() || touch != m_pTouch || !m_bDragging || !m_pContainer) return;
  CCPoint newPoint = convertTouchToNodeSpace(touch);
  CCPoint move = newPoint - m_tTouchPoint;
  float dis;
  if (m_eDirection == kCCScrollViewDirectionVertical)
    dis = move.y;
  else if (m_eDirection == kCCScrollViewDirectionHorizontal)
    dis = move.x;
  else
    dis = move.getLength();
  if (!m_bTouchMoved && std::fabs(dis * CCEGLView::sharedOpenGLView()->getScaleX()) < kMovePixels) return;
  if (!m_bTouchMoved) move = CCPointZero;
  m_tTouchPoint = newPoint;
  m_bTouchMoved = true;
  if (!getViewRect().containsPoint(convertToWorldSpace(newPoint))) return;
  if (m_eDirection == kCCScrollViewDirectionVertical) move.x = 0;
  if (m_eDirection == kCCScrollViewDirectionHorizontal) move.y = 0;
  if (m_eDirection == kCCScrollViewDirectionNone) move = CCPointZero;
  m_tScrollDistance = move;
  CCPoint next = m_pContainer->getPosition() + move;
  if (m_bBounceable) {
    next.x = std::max(m_fMinInset.x, std::min(m_fMaxInset.x, next.x));
    next.y = std::max(m_fMinInset.y, std::min(m_fMaxInset.y, next.y));
  }
  setContentOffset(next);
}

void CCScrollView::ccTouchEnded(CCTouch* touch, CCEvent*) {
  if (touch != m_pTouch) return;
  if (m_bTouchMoved && isVisible()) schedule(schedule_selector(CCScrollView::deaccelerateScrolling));
  CC_SAFE_RELEASE_NULL(m_pTouch);
  m_bDragging = false;
  m_bTouchMoved = false;
}

void CCScrollView::ccTouchCancelled(CCTouch* touch, CCEvent*) {
  if (touch != m_pTouch) return;
  CC_SAFE_RELEASE_NULL(m_pTouch);
  m_bDragging = false;
  m_bTouchMoved = false;
}

NS_CC_EXT_END
