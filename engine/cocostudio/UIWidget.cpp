#include "UIWidget.h"

#include <algorithm>

#include "UILayout.h"

NS_CC_BEGIN
namespace ui {

Widget::Widget() {}

Widget::~Widget() {
  for (Renderer& r : m_renderers) {
    r.node->setParent(nullptr);
    r.node->release();
  }
  CC_SAFE_RELEASE(m_pLayoutParameter);
}

Widget* Widget::create() {
  return ccCreateWith<Widget>([](Widget* w) { return w->init(); });
}

bool Widget::init() {
  if (!CCNodeRGBA::init()) return false;
  setCascadeOpacityEnabled(true);
  setBright(true);
  ignoreContentAdaptWithSize(true);
  setAnchorPoint(CCPoint(0.5f, 0.5f));
  return true;
}

// --- renderers --------------------------------------------------------------

void Widget::addRenderer(CCNode* renderer, int z) {
  if (!renderer) return;
  renderer->retain();
  renderer->setParent(this);
  auto at =
      std::upper_bound(m_renderers.begin(), m_renderers.end(), z, [](int zz, const Renderer& r) { return zz < r.z; });
  m_renderers.insert(at, Renderer{renderer, z});
  applyRGBA(renderer);
  if (m_bRunning) {
    renderer->onEnter();
    renderer->onEnterTransitionDidFinish();
  }
  markForRedraw();
}

void Widget::removeRenderer(CCNode* renderer) {
  for (auto it = m_renderers.begin(); it != m_renderers.end(); ++it) {
    if (it->node != renderer) continue;
    if (m_bRunning) renderer->onExit();
    renderer->cleanup();
    renderer->setParent(nullptr);
    m_renderers.erase(it);
    renderer->release();
    markForRedraw();
    return;
  }
}

void Widget::replaceRenderer(CCNode*& slot, CCNode* renderer, int z) {
  if (slot == renderer) return;
  if (slot) removeRenderer(slot);
  slot = renderer;
  addRenderer(renderer, z);
}

void Widget::applyRGBA(CCNode* renderer) {
  if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(renderer)) {
    rgba->updateDisplayedColor(m_tDisplayedColor);
    rgba->updateDisplayedOpacity(m_cDisplayedOpacity);
  }
}

void Widget::draw() {
  for (Renderer& r : m_renderers) r.node->visit();
}

void Widget::setColor(const ccColor3B& color) {
  CCNodeRGBA::setColor(color);
  for (Renderer& r : m_renderers) applyRGBA(r.node);
}

void Widget::setOpacity(unsigned char opacity) {
  CCNodeRGBA::setOpacity(opacity);
  for (Renderer& r : m_renderers) applyRGBA(r.node);
}

void Widget::updateDisplayedColor(const ccColor3B& parentColor) {
  CCNodeRGBA::updateDisplayedColor(parentColor);
  for (Renderer& r : m_renderers) applyRGBA(r.node);
}

void Widget::updateDisplayedOpacity(unsigned char parentOpacity) {
  CCNodeRGBA::updateDisplayedOpacity(parentOpacity);
  for (Renderer& r : m_renderers) applyRGBA(r.node);
}

void Widget::setAnchorPoint(const CCPoint& pt) {
  CCNodeRGBA::setAnchorPoint(pt);
  if (m_eWidgetType == WidgetTypeWidget)
    for (Renderer& r : m_renderers) r.node->setAnchorPoint(pt);
  onSizeChanged();
}

void Widget::setFlipX(bool flipX) { m_bFlipX = flipX; }

void Widget::setFlipY(bool flipY) { m_bFlipY = flipY; }

// --- life -------------------------------------------------------------------

void Widget::onEnter() {
  updateSizeAndPosition();
  CCNodeRGBA::onEnter();
  for (Renderer& r : m_renderers) {
    r.node->onEnter();
    r.node->onEnterTransitionDidFinish();
  }
}

void Widget::onExit() {
  for (Renderer& r : m_renderers) r.node->onExit();
  CCNodeRGBA::onExit();
}

Widget* Widget::getWidgetParent() { return dynamic_cast<Widget*>(getParent()); }

Widget* Widget::getChildByName(const char* name) {
  if (!name) return nullptr;
  CCObject* obj = nullptr;
  CCARRAY_FOREACH(getChildren(), obj) {
    Widget* w = dynamic_cast<Widget*>(obj);
    if (w && w->m_strName == name) return w;
  }
  return nullptr;
}

// --- state ------------------------------------------------------------------

void Widget::setEnabled(bool enabled) {
  m_bEnabled = enabled;
  CCObject* obj = nullptr;
  CCARRAY_FOREACH(getChildren(), obj) {
    if (Widget* w = dynamic_cast<Widget*>(obj)) w->setEnabled(enabled);
  }
}

void Widget::setBright(bool bright) {
  m_bBright = bright;
  if (m_bBright) {
    m_eBrightStyle = BRIGHT_NONE;
    setBrightStyle(BRIGHT_NORMAL);
  } else {
    onPressStateChangedToDisabled();
  }
}

void Widget::setBrightStyle(BrightStyle style) {
  if (m_eBrightStyle == style) return;
  m_eBrightStyle = style;
  if (style == BRIGHT_HIGHLIGHT)
    onPressStateChangedToPressed();
  else
    onPressStateChangedToNormal();
}

void Widget::setFocused(bool focused) {
  if (focused == m_bFocus) return;
  m_bFocus = focused;
  if (m_bBright)
    setBrightStyle(focused ? BRIGHT_HIGHLIGHT : BRIGHT_NORMAL);
  else
    onPressStateChangedToDisabled();
}

void Widget::addTouchEventListener(CCObject* target, SEL_TouchEvent selector) {
  m_pTouchEventListener = target;
  m_pfnTouchEventSelector = selector;
}

// --- touches ----------------------------------------------------------------

bool Widget::isShownWithParents() {
  for (CCNode* n = this; n; n = n->getParent())
    if (!n->isVisible()) return false;
  return true;
}

bool Widget::hitTest(const CCPoint& worldPoint) {
  CCPoint p = convertToNodeSpace(worldPoint);
  CCRect box(-m_size.width * m_obAnchorPoint.x, -m_size.height * m_obAnchorPoint.y, m_size.width, m_size.height);
  if (m_eWidgetType == WidgetTypeContainer) box.origin = CCPointZero;
  return box.containsPoint(p);
}

bool Widget::clippingParentAreaContainPoint(const CCPoint& worldPoint) {
  for (Widget* p = getWidgetParent(); p; p = p->getWidgetParent()) {
    Layout* layout = dynamic_cast<Layout*>(p);
    if (layout && layout->isClippingEnabled() && !layout->hitTest(worldPoint)) return false;
  }
  return true;
}

bool Widget::onTouchBegan(CCTouch* touch, CCEvent*) {
  m_touchStartPos = touch->getLocation();
  m_bHitted = m_bEnabled && m_bTouchEnabled && isRunning() && isShownWithParents() && hitTest(m_touchStartPos) &&
              clippingParentAreaContainPoint(m_touchStartPos);
  if (!m_bHitted) return false;
  setFocused(true);
  if (Widget* parent = getWidgetParent()) parent->checkChildInfo(0, this, m_touchStartPos);
  pushDownEvent();
  return true;
}

void Widget::onTouchMoved(CCTouch* touch, CCEvent*) {
  m_touchMovePos = touch->getLocation();
  setFocused(hitTest(m_touchMovePos));
  if (Widget* parent = getWidgetParent()) parent->checkChildInfo(1, this, m_touchMovePos);
  moveEvent();
}

void Widget::onTouchEnded(CCTouch* touch, CCEvent*) {
  m_touchEndPos = touch->getLocation();
  bool focus = m_bFocus;
  setFocused(false);
  if (Widget* parent = getWidgetParent()) parent->checkChildInfo(2, this, m_touchEndPos);
  if (focus)
    releaseUpEvent();
  else
    cancelUpEvent();
}

void Widget::onTouchCancelled(CCTouch*, CCEvent*) {
  setFocused(false);
  cancelUpEvent();
}

void Widget::checkChildInfo(int handleState, Widget* sender, const CCPoint& touchPoint) {
  interceptTouchEvent(handleState, sender, touchPoint);
}

void Widget::interceptTouchEvent(int handleState, Widget* sender, const CCPoint& touchPoint) {
  if (Widget* parent = getWidgetParent()) parent->checkChildInfo(handleState, sender, touchPoint);
}

void Widget::pushDownEvent() {
  if (m_pTouchEventListener && m_pfnTouchEventSelector)
    (m_pTouchEventListener->*m_pfnTouchEventSelector)(this, TOUCH_EVENT_BEGAN);
}

void Widget::moveEvent() {
  if (m_pTouchEventListener && m_pfnTouchEventSelector)
    (m_pTouchEventListener->*m_pfnTouchEventSelector)(this, TOUCH_EVENT_MOVED);
}

void Widget::releaseUpEvent() {
  if (m_pTouchEventListener && m_pfnTouchEventSelector)
    (m_pTouchEventListener->*m_pfnTouchEventSelector)(this, TOUCH_EVENT_ENDED);
}

void Widget::cancelUpEvent() {
  if (m_pTouchEventListener && m_pfnTouchEventSelector)
    (m_pTouchEventListener->*m_pfnTouchEventSelector)(this, TOUCH_EVENT_CANCELED);
}

// --- size and position ------------------------------------------------------

void Widget::setSize(const CCSize& size) {
  m_customSize = size;
  m_size = m_bIgnoreSize ? getVirtualRendererSize() : size;
  if (m_bRunning) {
    if (Widget* parent = getWidgetParent()) {
      CCSize ps = parent->getLayoutSize();
      m_sizePercent = CCPoint(ps.width > 0 ? m_customSize.width / ps.width : 0,
                              ps.height > 0 ? m_customSize.height / ps.height : 0);
    }
  }
  onSizeChanged();
}

void Widget::setSizePercent(const CCPoint& percent) {
  m_sizePercent = percent;
  if (m_bRunning) updateSizeAndPosition();
}

void Widget::ignoreContentAdaptWithSize(bool ignore) {
  m_bIgnoreSize = ignore;
  m_size = ignore ? getVirtualRendererSize() : m_customSize;
  onSizeChanged();
}

void Widget::setPosition(const CCPoint& pos) {
  if (m_bRunning) {
    if (Widget* parent = getWidgetParent()) {
      CCSize ps = parent->getLayoutSize();
      m_positionPercent = CCPoint(ps.width > 0 ? pos.x / ps.width : 0, ps.height > 0 ? pos.y / ps.height : 0);
    }
  }
  CCNodeRGBA::setPosition(pos);
}

void Widget::setPositionPercent(const CCPoint& percent) {
  m_positionPercent = percent;
  if (m_bRunning) updateSizeAndPosition();
}

void Widget::updateSizeAndPosition() {
  CCSize ps;
  if (Widget* parent = getWidgetParent())
    ps = parent->getLayoutSize();
  else if (getParent())
    ps = getParent()->getContentSize();
  else
    return;
  if (m_eSizeType == SIZE_PERCENT && !m_bIgnoreSize) {
    m_customSize = CCSize(ps.width * m_sizePercent.x, ps.height * m_sizePercent.y);
    m_size = m_customSize;
    onSizeChanged();
  }
  if (m_ePositionType == POSITION_PERCENT)
    CCNodeRGBA::setPosition(CCPoint(ps.width * m_positionPercent.x, ps.height * m_positionPercent.y));
}

CCPoint Widget::getWorldPosition() {
  return getParent() ? getParent()->convertToWorldSpace(getPosition()) : getPosition();
}

void Widget::setLayoutParameter(LayoutParameter* parameter) {
  CC_SAFE_RETAIN(parameter);
  CC_SAFE_RELEASE(m_pLayoutParameter);
  m_pLayoutParameter = parameter;
}

// --- clone ------------------------------------------------------------------

Widget* Widget::createCloneInstance() { return Widget::create(); }

Widget* Widget::clone() {
  Widget* w = createCloneInstance();
  if (!w) return nullptr;
  w->copyProperties(this);
  w->copyClonedWidgetChildren(this);
  return w;
}

void Widget::copyClonedWidgetChildren(Widget* model) {
  CCObject* obj = nullptr;
  CCARRAY_FOREACH(model->getChildren(), obj) {
    if (Widget* child = dynamic_cast<Widget*>(obj))
      if (Widget* copy = child->clone()) addChild(copy, child->getZOrder(), child->getTag());
  }
}

void Widget::copyProperties(Widget* model) {
  setEnabled(model->isEnabled());
  setVisible(model->isVisible());
  setBright(model->isBright());
  setTouchEnabled(model->isTouchEnabled());
  m_strName = model->m_strName;
  setTag(model->getTag());
  setZOrder(model->getZOrder());
  m_nActionTag = model->m_nActionTag;
  m_eSizeType = model->m_eSizeType;
  m_sizePercent = model->m_sizePercent;
  m_ePositionType = model->m_ePositionType;
  m_positionPercent = model->m_positionPercent;
  setAnchorPoint(model->getAnchorPoint());
  copySpecialProperties(model);
  ignoreContentAdaptWithSize(model->m_bIgnoreSize);
  setSize(model->m_customSize);
  CCNodeRGBA::setPosition(model->getPosition());
  setScaleX(model->getScaleX());
  setScaleY(model->getScaleY());
  setRotation(model->getRotation());
  setColor(model->getColor());
  setOpacity(model->getOpacity());
  setFlipX(model->isFlipX());
  setFlipY(model->isFlipY());
  if (model->m_pLayoutParameter) setLayoutParameter(model->m_pLayoutParameter->clone());
}

}  // namespace ui
NS_CC_END
