#include "UIScrollView.h"

#include <algorithm>

NS_CC_BEGIN
namespace ui {

namespace {
const float kBounceRatio = 0.2f;
const float kBounceBackTime = 0.3f;

// The inner container: percent sizes and positions of its children refer to
// the scroll view's size, not its own.
class InnerContainer : public Layout {
 public:
  static InnerContainer* create() {
    return ccCreateWith<InnerContainer>([](InnerContainer* c) { return c->init(); });
  }
  CCSize getLayoutSize() const override {
    const Widget* view = dynamic_cast<const Widget*>(m_pParent);
    return view ? view->getSize() : m_size;
  }
};
}  // namespace

// --- ScrollView -------------------------------------------------------------

ScrollView::ScrollView() {}

ScrollView::~ScrollView() {}

ScrollView* ScrollView::create() {
  return ccCreateWith<ScrollView>([](ScrollView* s) { return s->init(); });
}

bool ScrollView::init() {
  if (!Layout::init()) return false;
  m_pInner = InnerContainer::create();
  Layout::addChild(m_pInner, 1, 1);
  setTouchEnabled(true);
  setClippingEnabled(true);
  return true;
}

Widget* ScrollView::createCloneInstance() { return ScrollView::create(); }

void ScrollView::setLayoutType(LayoutType type) {
  if (m_pInner) m_pInner->setLayoutType(type);
}

const CCSize& ScrollView::getInnerContainerSize() const { return m_pInner->getSize(); }

void ScrollView::setInnerContainerSize(const CCSize& size) {
  CCSize old = m_pInner->getSize();
  CCSize s(std::max(size.width, m_size.width), std::max(size.height, m_size.height));
  m_pInner->setSize(s);
  // Keep the top edge where it was, then stay within the view.
  CCPoint p = m_pInner->getPosition();
  p.y += old.height - s.height;
  CCPoint lo = minInnerPosition();
  p.x = std::min(std::max(p.x, lo.x), 0.0f);
  p.y = std::min(std::max(p.y, lo.y), 0.0f);
  m_pInner->setPosition(p);
}

void ScrollView::onSizeChanged() {
  Layout::onSizeChanged();
  if (!m_pInner) return;
  CCSize inner = m_pInner->getSize();
  CCSize s(std::max(inner.width, m_size.width), std::max(inner.height, m_size.height));
  m_pInner->setSize(s);
  CCPoint p = m_pInner->getPosition();
  CCPoint lo = minInnerPosition();
  p.x = std::min(std::max(p.x, lo.x), 0.0f);
  p.y = std::min(std::max(p.y, lo.y), 0.0f);
  // A fresh container starts at the top.
  if (inner.height < m_size.height) p.y = lo.y;
  m_pInner->setPosition(p);
}

CCPoint ScrollView::minInnerPosition() const {
  CCSize inner = m_pInner->getSize();
  return CCPoint(std::min(0.0f, m_size.width - inner.width), std::min(0.0f, m_size.height - inner.height));
}

void ScrollView::addEventListenerScrollView(CCObject* target, SEL_ScrollViewEvent selector) {
  m_pScrollEventListener = target;
  m_pfnScrollEventSelector = selector;
}

void ScrollView::sendScrollEvent(ScrollviewEventType type) {
  if (m_pScrollEventListener && m_pfnScrollEventSelector)
    (m_pScrollEventListener->*m_pfnScrollEventSelector)(this, type);
}

// --- children go to the inner container ---------------------------------------

void ScrollView::addChild(CCNode* child) { addChild(child, child ? child->getZOrder() : 0); }

void ScrollView::addChild(CCNode* child, int zOrder) { addChild(child, zOrder, child ? child->getTag() : 0); }

void ScrollView::addChild(CCNode* child, int zOrder, int tag) { m_pInner->addChild(child, zOrder, tag); }

void ScrollView::removeAllChildren() { m_pInner->removeAllChildren(); }

void ScrollView::removeAllChildrenWithCleanup(bool cleanup) { m_pInner->removeAllChildrenWithCleanup(cleanup); }

void ScrollView::removeChild(CCNode* child, bool cleanup) {
  if (child == m_pInner) return;
  m_pInner->removeChild(child, cleanup);
}

CCArray* ScrollView::getChildren() { return m_pInner ? m_pInner->getChildren() : Layout::getChildren(); }

Widget* ScrollView::getChildByName(const char* name) { return m_pInner->getChildByName(name); }

// --- moving the inner container -----------------------------------------------

void ScrollView::moveInner(const CCPoint& delta) {
  CCPoint d = delta;
  if (m_eDirection == SCROLLVIEW_DIR_VERTICAL) d.x = 0;
  if (m_eDirection == SCROLLVIEW_DIR_HORIZONTAL) d.y = 0;
  if (m_eDirection == SCROLLVIEW_DIR_NONE) return;
  CCPoint lo = minInnerPosition(), hi = maxInnerPosition();
  if (m_bBounceEnabled) {
    lo = lo - CCPoint(m_size.width * kBounceRatio, m_size.height * kBounceRatio);
    hi = hi + CCPoint(m_size.width * kBounceRatio, m_size.height * kBounceRatio);
  }
  CCPoint p = m_pInner->getPosition() + d;
  p.x = std::min(std::max(p.x, lo.x), hi.x);
  p.y = std::min(std::max(p.y, lo.y), hi.y);
  m_pInner->setPosition(p);
  sendScrollEvent(SCROLLVIEW_EVENT_SCROLLING);
}

void ScrollView::scrollInnerTo(const CCPoint& pos, float time, bool attenuated) {
  m_pInner->stopAllActions();
  if (time <= 0) {
    m_pInner->setPosition(pos);
    return;
  }
  CCActionInterval* move = CCMoveTo::create(time, pos);
  m_pInner->runAction(attenuated ? (CCAction*)CCEaseOut::create(move, 2) : (CCAction*)move);
}

void ScrollView::jumpToBottom() {
  m_pInner->stopAllActions();
  m_pInner->setPosition(CCPoint(m_pInner->getPositionX(), 0));
}

void ScrollView::jumpToTop() {
  m_pInner->stopAllActions();
  m_pInner->setPosition(CCPoint(m_pInner->getPositionX(), minInnerPosition().y));
}

void ScrollView::jumpToLeft() {
  m_pInner->stopAllActions();
  m_pInner->setPosition(CCPoint(0, m_pInner->getPositionY()));
}

void ScrollView::jumpToRight() {
  m_pInner->stopAllActions();
  m_pInner->setPosition(CCPoint(minInnerPosition().x, m_pInner->getPositionY()));
}

void ScrollView::jumpToPercentVertical(float percent) {
  float p = std::min(std::max(percent, 0.0f), 100.0f) / 100.0f;
  m_pInner->setPosition(CCPoint(m_pInner->getPositionX(), minInnerPosition().y * (1 - p)));
}

void ScrollView::jumpToPercentHorizontal(float percent) {
  float p = std::min(std::max(percent, 0.0f), 100.0f) / 100.0f;
  m_pInner->setPosition(CCPoint(minInnerPosition().x * p, m_pInner->getPositionY()));
}

void ScrollView::scrollToBottom(float time, bool attenuated) {
  scrollInnerTo(CCPoint(m_pInner->getPositionX(), 0), time, attenuated);
}

void ScrollView::scrollToTop(float time, bool attenuated) {
  scrollInnerTo(CCPoint(m_pInner->getPositionX(), minInnerPosition().y), time, attenuated);
}

void ScrollView::scrollToLeft(float time, bool attenuated) {
  scrollInnerTo(CCPoint(0, m_pInner->getPositionY()), time, attenuated);
}

void ScrollView::scrollToRight(float time, bool attenuated) {
  scrollInnerTo(CCPoint(minInnerPosition().x, m_pInner->getPositionY()), time, attenuated);
}

// --- touches ----------------------------------------------------------------

void ScrollView::handlePressLogic(const CCPoint& touchPoint) {
  m_lastTouch = convertToNodeSpace(touchPoint);
  m_bDragging = true;
  m_pInner->stopAllActions();
}

void ScrollView::handleMoveLogic(const CCPoint& touchPoint) {
  CCPoint p = convertToNodeSpace(touchPoint);
  if (m_bDragging) moveInner(p - m_lastTouch);
  m_lastTouch = p;
}

void ScrollView::handleReleaseLogic(const CCPoint&) {
  m_bDragging = false;
  CCPoint p = m_pInner->getPosition();
  CCPoint lo = minInnerPosition();
  CCPoint in(std::min(std::max(p.x, lo.x), 0.0f), std::min(std::max(p.y, lo.y), 0.0f));
  if (in != p) scrollInnerTo(in, kBounceBackTime, true);
}

bool ScrollView::onTouchBegan(CCTouch* touch, CCEvent* event) {
  bool taken = Layout::onTouchBegan(touch, event);
  if (m_bHitted) handlePressLogic(m_touchStartPos);
  return taken;
}

void ScrollView::onTouchMoved(CCTouch* touch, CCEvent* event) {
  Layout::onTouchMoved(touch, event);
  handleMoveLogic(m_touchMovePos);
}

void ScrollView::onTouchEnded(CCTouch* touch, CCEvent* event) {
  Layout::onTouchEnded(touch, event);
  handleReleaseLogic(m_touchEndPos);
}

void ScrollView::onTouchCancelled(CCTouch* touch, CCEvent* event) {
  Layout::onTouchCancelled(touch, event);
  handleReleaseLogic(touch->getLocation());
}

void ScrollView::interceptTouchEvent(int handleState, Widget* sender, const CCPoint& touchPoint) {
  if (!m_bEnabled || !m_bTouchEnabled) return;
  switch (handleState) {
    case 0: handlePressLogic(touchPoint); break;
    case 1:
      if (sender->getTouchStartPos().getDistance(touchPoint) > m_fChildFocusCancelOffset) {
        sender->setFocused(false);
        handleMoveLogic(touchPoint);
      } else {
        m_lastTouch = convertToNodeSpace(touchPoint);
      }
      break;
    default: handleReleaseLogic(touchPoint); break;
  }
}

void ScrollView::copySpecialProperties(Widget* widget) {
  Layout::copySpecialProperties(widget);
  ScrollView* model = dynamic_cast<ScrollView*>(widget);
  if (!model) return;
  m_eDirection = model->m_eDirection;
  m_bBounceEnabled = model->m_bBounceEnabled;
  setInnerContainerSize(model->getInnerContainerSize());
  m_pInner->setLayoutType(model->m_pInner->getLayoutType());
}

void ScrollView::copyClonedWidgetChildren(Widget* model) {
  ScrollView* view = dynamic_cast<ScrollView*>(model);
  if (!view) return;
  CCObject* obj = nullptr;
  CCARRAY_FOREACH(view->getChildren(), obj) {
    if (Widget* child = dynamic_cast<Widget*>(obj))
      if (Widget* copy = child->clone()) addChild(copy, child->getZOrder(), child->getTag());
  }
}

// --- ListView ---------------------------------------------------------------

ListView::ListView() {}

ListView::~ListView() {
  CC_SAFE_RELEASE(m_pItems);
  CC_SAFE_RELEASE(m_pModel);
}

ListView* ListView::create() {
  return ccCreateWith<ListView>([](ListView* l) { return l->init(); });
}

bool ListView::init() {
  m_pItems = CCArray::create();
  m_pItems->retain();
  if (!ScrollView::init()) return false;
  setDirection(SCROLLVIEW_DIR_VERTICAL);
  m_eGravity = LISTVIEW_GRAVITY_CENTER_VERTICAL;
  return true;
}

Widget* ListView::createCloneInstance() { return ListView::create(); }

void ListView::setItemModel(Widget* model) {
  CC_SAFE_RETAIN(model);
  CC_SAFE_RELEASE(m_pModel);
  m_pModel = model;
}

void ListView::pushBackDefaultItem() {
  if (m_pModel) pushBackCustomItem(m_pModel->clone());
}

void ListView::insertDefaultItem(int index) {
  if (m_pModel) insertCustomItem(m_pModel->clone(), index);
}

void ListView::pushBackCustomItem(Widget* item) { addChild(item); }

void ListView::insertCustomItem(Widget* item, int index) {
  if (!item || item->getParent()) return;
  syncItems();
  ScrollView::addChild(item, item->getZOrder(), item->getTag());
  if (index < 0 || (unsigned int)index >= m_pItems->count())
    m_pItems->addObject(item);
  else
    m_pItems->insertObject(item, (unsigned int)index);
  refreshView();
}

void ListView::addChild(CCNode* child, int zOrder, int tag) {
  Widget* item = dynamic_cast<Widget*>(child);
  if (!item || item->getParent()) {
    if (!item) ScrollView::addChild(child, zOrder, tag);
    return;
  }
  ScrollView::addChild(child, zOrder, tag);
  m_pItems->addObject(item);
  refreshView();
}

void ListView::removeChild(CCNode* child, bool cleanup) {
  if (Widget* item = dynamic_cast<Widget*>(child)) m_pItems->removeObject(item);
  ScrollView::removeChild(child, cleanup);
  refreshView();
}

void ListView::removeAllChildren() { removeAllChildrenWithCleanup(true); }

void ListView::removeAllChildrenWithCleanup(bool cleanup) {
  m_pItems->removeAllObjects();
  ScrollView::removeAllChildrenWithCleanup(cleanup);
  refreshView();
}

void ListView::removeItem(int index) {
  if (Widget* item = index < 0 ? nullptr : getItem((unsigned int)index)) removeChild(item, true);
}

void ListView::removeLastItem() {
  if (m_pItems->count() > 0) removeItem((int)m_pItems->count() - 1);
}

void ListView::removeAllItems() { removeAllChildren(); }

void ListView::syncItems() {
  // An item removed straight from the inner container leaves the list too.
  for (unsigned int i = m_pItems->count(); i-- > 0;)
    if (static_cast<Widget*>(m_pItems->objectAtIndex(i))->getParent() != m_pInner) m_pItems->removeObjectAtIndex(i);
}

CCArray* ListView::getItems() {
  syncItems();
  return m_pItems;
}

Widget* ListView::getItem(unsigned int index) {
  syncItems();
  return static_cast<Widget*>(m_pItems->objectAtIndex(index));
}

int ListView::getIndex(Widget* item) {
  syncItems();
  unsigned int i = m_pItems->indexOfObject(item);
  return i == UINT_MAX ? -1 : (int)i;
}

void ListView::setGravity(ListViewGravity gravity) {
  m_eGravity = gravity;
  refreshView();
}

void ListView::setItemsMargin(float margin) {
  m_fItemsMargin = margin;
  refreshView();
}

void ListView::setDirection(SCROLLVIEW_DIR dir) {
  // A list scrolls one way only.
  if (dir == SCROLLVIEW_DIR_BOTH) dir = SCROLLVIEW_DIR_VERTICAL;
  ScrollView::setDirection(dir);
  refreshView();
}

void ListView::refreshView() {
  if (!m_pItems || !m_pInner) return;
  syncItems();
  unsigned int n = m_pItems->count();
  bool vertical = m_eDirection != SCROLLVIEW_DIR_HORIZONTAL;
  float total = 0;
  for (unsigned int i = 0; i < n; ++i) {
    CCSize s = static_cast<Widget*>(m_pItems->objectAtIndex(i))->getSize();
    total += (vertical ? s.height : s.width) + (i > 0 ? m_fItemsMargin : 0);
  }
  if (vertical)
    setInnerContainerSize(CCSize(m_size.width, total));
  else
    setInnerContainerSize(CCSize(total, m_size.height));
  CCSize inner = m_pInner->getSize();
  float edge = vertical ? inner.height : 0;
  for (unsigned int i = 0; i < n; ++i) {
    Widget* item = static_cast<Widget*>(m_pItems->objectAtIndex(i));
    CCSize s = item->getSize();
    CCPoint ap = item->getAnchorPoint();
    float x, y;
    if (vertical) {
      if (i > 0) edge -= m_fItemsMargin;
      y = edge - (1 - ap.y) * s.height;
      if (m_eGravity == LISTVIEW_GRAVITY_RIGHT)
        x = inner.width - (1 - ap.x) * s.width;
      else if (m_eGravity == LISTVIEW_GRAVITY_CENTER_HORIZONTAL)
        x = inner.width / 2 - (0.5f - ap.x) * s.width;
      else
        x = ap.x * s.width;
      edge -= s.height;
    } else {
      if (i > 0) edge += m_fItemsMargin;
      x = edge + ap.x * s.width;
      if (m_eGravity == LISTVIEW_GRAVITY_BOTTOM)
        y = ap.y * s.height;
      else if (m_eGravity == LISTVIEW_GRAVITY_CENTER_VERTICAL)
        y = inner.height / 2 - (0.5f - ap.y) * s.height;
      else
        y = inner.height - (1 - ap.y) * s.height;
      edge += s.width;
    }
    item->CCNode::setPosition(CCPoint(x, y));
  }
}

void ListView::copySpecialProperties(Widget* widget) {
  ScrollView::copySpecialProperties(widget);
  ListView* model = dynamic_cast<ListView*>(widget);
  if (!model) return;
  setItemModel(model->m_pModel);
  m_eGravity = model->m_eGravity;
  m_fItemsMargin = model->m_fItemsMargin;
}

void ListView::copyClonedWidgetChildren(Widget* model) {
  ListView* list = dynamic_cast<ListView*>(model);
  if (!list) return;
  CCObject* obj = nullptr;
  CCARRAY_FOREACH(list->getItems(), obj) {
    if (Widget* copy = static_cast<Widget*>(obj)->clone()) pushBackCustomItem(copy);
  }
}

}  // namespace ui
NS_CC_END
