#include "CCControlButton.h"

#include <algorithm>
#include <cstring>

#include "CCPointObject.h"

NS_CC_EXT_BEGIN

// Tag of the zoom action that touch down and up run.
static const int kZoomActionTag = 0x7CCB0001;

CCControlButton::CCControlButton() {}

CCControlButton::~CCControlButton() {
  CC_SAFE_RELEASE(m_currentTitle);
  for (auto& kv : m_titles) kv.second->release();
  for (auto& kv : m_titleLabels) kv.second->release();
  for (auto& kv : m_backgrounds) kv.second->release();
}

CCControlButton* CCControlButton::create() {
  return ccCreateWith<CCControlButton>([](CCControlButton* b) { return b->init(); });
}
CCControlButton* CCControlButton::create(CCNode* label, CCScale9Sprite* bg) {
  return ccCreateWith<CCControlButton>(
      [&](CCControlButton* b) { return b->initWithLabelAndBackgroundSprite(label, bg); });
}
CCControlButton* CCControlButton::create(std::string title, const char* fontName, float fontSize) {
  return ccCreateWith<CCControlButton>(
      [&](CCControlButton* b) { return b->initWithTitleAndFontNameAndFontSize(title, fontName, fontSize); });
}
CCControlButton* CCControlButton::create(CCScale9Sprite* sprite) {
  return ccCreateWith<CCControlButton>([&](CCControlButton* b) { return b->initWithBackgroundSprite(sprite); });
}

bool CCControlButton::init() {
  return initWithLabelAndBackgroundSprite(CCLabelTTF::create("", "Arial", 12), CCScale9Sprite::create());
}

bool CCControlButton::initWithTitleAndFontNameAndFontSize(std::string title, const char* fontName, float fontSize) {
  return initWithLabelAndBackgroundSprite(CCLabelTTF::create(title.c_str(), fontName, fontSize),
                                          CCScale9Sprite::create());
}

bool CCControlButton::initWithBackgroundSprite(CCScale9Sprite* sprite) {
  return initWithLabelAndBackgroundSprite(CCLabelTTF::create("", "Arial", 30), sprite);
}

bool CCControlButton::initWithLabelAndBackgroundSprite(CCNode* node, CCScale9Sprite* backgroundSprite) {
  if (!CCControl::init()) return false;
  CCLabelProtocol* label = dynamic_cast<CCLabelProtocol*>(node);
  CCRGBAProtocol* rgbaLabel = dynamic_cast<CCRGBAProtocol*>(node);
  if (!node || !label || !rgbaLabel || !backgroundSprite) {
    CCLOG("CCControlButton: a button needs a label and a background sprite");
    return false;
  }
  m_bParentInited = true;
  setTouchEnabled(true);
  m_isPushed = false;
  m_zoomOnTouchDown = true;
  m_doesAdjustBackgroundImage = true;
  m_preferredSize = CCSizeZero;
  ignoreAnchorPointForPosition(false);
  setAnchorPoint(CCPoint(0.5f, 0.5f));

  setTitleForState(CCString::create(label->getString()), CCControlStateNormal);
  setTitleColorForState(rgbaLabel->getColor(), CCControlStateNormal);
  setTitleLabelForState(node, CCControlStateNormal);
  setBackgroundSpriteForState(backgroundSprite, CCControlStateNormal);
  setLabelAnchorPoint(CCPoint(0.5f, 0.5f));
  needsLayout();
  return true;
}

template <class T>
void CCControlButton::setForState(std::map<CCControlState, T*>& table, T* value, CCControlState state) {
  CC_SAFE_RETAIN(value);
  auto it = table.find(state);
  if (it != table.end()) {
    it->second->release();
    table.erase(it);
  }
  if (value) table[state] = value;
}

template <class T>
T* CCControlButton::forState(const std::map<CCControlState, T*>& table, CCControlState state) {
  auto it = table.find(state);
  if (it != table.end()) return it->second;
  it = table.find(CCControlStateNormal);
  return it != table.end() ? it->second : nullptr;
}

// --- titles ---------------------------------------------------------------

CCString* CCControlButton::getTitleForState(CCControlState state) { return forState(m_titles, state); }

void CCControlButton::setTitleForState(CCString* title, CCControlState state) {
  setForState(m_titles, title ? title : CCString::create(""), state);
  if (getState() == state) needsLayout();
}

const ccColor3B CCControlButton::getTitleColorForState(CCControlState state) {
  auto it = m_titleColors.find(state);
  if (it != m_titleColors.end()) return it->second;
  it = m_titleColors.find(CCControlStateNormal);
  return it != m_titleColors.end() ? it->second : ccWHITE;
}

void CCControlButton::setTitleColorForState(ccColor3B color, CCControlState state) {
  m_titleColors[state] = color;
  if (getState() == state) needsLayout();
}

CCNode* CCControlButton::getTitleLabelForState(CCControlState state) { return forState(m_titleLabels, state); }

void CCControlButton::setTitleLabelForState(CCNode* label, CCControlState state) {
  if (!label) return;
  auto it = m_titleLabels.find(state);
  if (it != m_titleLabels.end() && it->second != label) {
    CCNode* old = it->second;
    old->retain();
    setForState(m_titleLabels, (CCNode*)nullptr, state);
    bool stillUsed = false;
    for (auto& kv : m_titleLabels) stillUsed = stillUsed || kv.second == old;
    if (!stillUsed) removeChild(old, true);
    if (m_titleLabel == old) m_titleLabel = nullptr;
    old->release();
  }
  setForState(m_titleLabels, label, state);
  label->setVisible(false);
  label->setAnchorPoint(m_labelAnchorPoint);
  if (label->getParent() != this) addChild(label, 1);
  if (getState() == state) needsLayout();
}

void CCControlButton::setTitleTTFForState(const char* fntFile, CCControlState state) {
  auto it = m_titleLabels.find(state);
  CCLabelTTF* own = it != m_titleLabels.end() ? dynamic_cast<CCLabelTTF*>(it->second) : nullptr;
  if (own) {
    // Keep the size already given: only the font changes.
    own->setFontName(fntFile);
    if (getState() == state) needsLayout();
    return;
  }
  CCString* title = getTitleForState(state);
  CCLabelTTF* shared = dynamic_cast<CCLabelTTF*>(getTitleLabelForState(state));
  float size = shared ? shared->getFontSize() : 12;
  setTitleLabelForState(CCLabelTTF::create(title ? title->getCString() : "", fntFile, size), state);
}

const char* CCControlButton::getTitleTTFForState(CCControlState state) {
  CCLabelTTF* l = dynamic_cast<CCLabelTTF*>(getTitleLabelForState(state));
  return l ? l->getFontName() : "";
}

void CCControlButton::setTitleTTFSizeForState(float size, CCControlState state) {
  CCLabelTTF* l = dynamic_cast<CCLabelTTF*>(getTitleLabelForState(state));
  if (!l) return;
  l->setFontSize(size);
  needsLayout();
}

float CCControlButton::getTitleTTFSizeForState(CCControlState state) {
  CCLabelTTF* l = dynamic_cast<CCLabelTTF*>(getTitleLabelForState(state));
  return l ? l->getFontSize() : 0;
}

// --- backgrounds ----------------------------------------------------------

CCScale9Sprite* CCControlButton::getBackgroundSpriteForState(CCControlState state) {
  return forState(m_backgrounds, state);
}

bool CCControlButton::isBackgroundUsed(CCScale9Sprite* sprite) const {
  for (auto& kv : m_backgrounds)
    if (kv.second == sprite) return true;
  return false;
}

void CCControlButton::setBackgroundSpriteForState(CCScale9Sprite* sprite, CCControlState state) {
  if (!sprite) return;
  auto it = m_backgrounds.find(state);
  if (it != m_backgrounds.end() && it->second != sprite) {
    CCScale9Sprite* old = it->second;
    old->retain();
    setForState(m_backgrounds, (CCScale9Sprite*)nullptr, state);
    if (!isBackgroundUsed(old)) removeChild(old, true);
    if (m_backgroundSprite == old) m_backgroundSprite = nullptr;
    old->release();
  }
  setForState(m_backgrounds, sprite, state);
  sprite->setVisible(false);
  sprite->setAnchorPoint(CCPoint(0.5f, 0.5f));
  if (sprite->getParent() != this) addChild(sprite);
  if (m_preferredSize.width != 0 || m_preferredSize.height != 0) sprite->setPreferredSize(m_preferredSize);
  if (getState() == state) needsLayout();
}

void CCControlButton::setBackgroundSpriteFrameForState(CCSpriteFrame* frame, CCControlState state) {
  if (CCScale9Sprite* s = CCScale9Sprite::createWithSpriteFrame(frame)) setBackgroundSpriteForState(s, state);
}

// --- layout ---------------------------------------------------------------

void CCControlButton::setPreferredSize(CCSize size) {
  if (size.width == 0 && size.height == 0) {
    m_doesAdjustBackgroundImage = true;
  } else {
    m_doesAdjustBackgroundImage = false;
    for (auto& kv : m_backgrounds) kv.second->setPreferredSize(size);
  }
  m_preferredSize = size;
  needsLayout();
}

void CCControlButton::setAdjustBackgroundImage(bool adjust) {
  m_doesAdjustBackgroundImage = adjust;
  needsLayout();
}

void CCControlButton::setMargins(int marginH, int marginV) {
  m_marginV = marginV;
  m_marginH = marginH;
  needsLayout();
}

void CCControlButton::setLabelAnchorPoint(CCPoint anchor) {
  m_labelAnchorPoint = anchor;
  for (auto& kv : m_titleLabels) kv.second->setAnchorPoint(anchor);
  needsLayout();
}

void CCControlButton::setTitleLabel(CCNode* label) { m_titleLabel = label; }

void CCControlButton::setBackgroundSprite(CCScale9Sprite* sprite) { m_backgroundSprite = sprite; }

static CCRect rectAround(CCNode* n) {
  if (!n) return CCRectZero;
  CCRect bb = n->boundingBox();
  // As if placed at the origin: only the extent around the anchor matters.
  bb.origin = bb.origin - n->getPosition();
  return bb;
}

void CCControlButton::needsLayout() {
  if (!m_bParentInited) return;
  if (m_titleLabel) m_titleLabel->setVisible(false);
  if (m_backgroundSprite) m_backgroundSprite->setVisible(false);

  CC_SAFE_RELEASE_NULL(m_currentTitle);
  m_currentTitle = getTitleForState(m_eState);
  CC_SAFE_RETAIN(m_currentTitle);
  m_currentTitleColor = getTitleColorForState(m_eState);

  m_titleLabel = getTitleLabelForState(m_eState);
  if (CCLabelProtocol* label = dynamic_cast<CCLabelProtocol*>(m_titleLabel))
    if (m_currentTitle && strcmp(label->getString(), m_currentTitle->getCString()) != 0)
      label->setString(m_currentTitle->getCString());
  if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_titleLabel)) rgba->setColor(m_currentTitleColor);

  m_backgroundSprite = getBackgroundSpriteForState(m_eState);
  CCSize titleSize;
  if (m_titleLabel) titleSize = m_titleLabel->boundingBox().size;
  if (m_backgroundSprite) {
    if (m_doesAdjustBackgroundImage) {
      m_backgroundSprite->setContentSize(CCSize(titleSize.width + m_marginH * 2, titleSize.height + m_marginV * 2));
    } else {
      CCSize preferred = m_backgroundSprite->getPreferredSize();
      if (preferred.width <= 0) preferred.width = titleSize.width;
      if (preferred.height <= 0) preferred.height = titleSize.height;
      m_backgroundSprite->setContentSize(preferred);
    }
  }

  CCRect t = rectAround(m_titleLabel), b = rectAround(m_backgroundSprite);
  float minX = std::min(t.getMinX(), b.getMinX()), maxX = std::max(t.getMaxX(), b.getMaxX());
  float minY = std::min(t.getMinY(), b.getMinY()), maxY = std::max(t.getMaxY(), b.getMaxY());
  setContentSize(CCSize(maxX - minX, maxY - minY));
  CCPoint centre(m_obContentSize.width / 2, m_obContentSize.height / 2);
  if (m_titleLabel) {
    m_titleLabel->setPosition(centre);
    m_titleLabel->setVisible(true);
  }
  if (m_backgroundSprite) {
    m_backgroundSprite->setPosition(centre);
    m_backgroundSprite->setVisible(true);
  }
}

// --- state ----------------------------------------------------------------

void CCControlButton::zoomTo(float scale) {
  if (CCAction* a = getActionByTag(kZoomActionTag)) stopAction(a);
  if (!m_zoomOnTouchDown) return;
  CCAction* zoom = CCScaleTo::create(0.05f, scale);
  zoom->setTag(kZoomActionTag);
  runAction(zoom);
}

void CCControlButton::setHighlighted(bool enabled) {
  // Released while disabled (a touch-down handler may disable its button)
  // it shows disabled, not normal.
  m_eState = enabled ? CCControlStateHighlighted : (m_bEnabled ? CCControlStateNormal : CCControlStateDisabled);
  CCControl::setHighlighted(enabled);
  zoomTo((isHighlighted() && isEnabled() && !isSelected()) ? 1.1f : 1.0f);
  if (!enabled) updateHover();
}

void CCControlButton::setEnabled(bool enabled) {
  CCControl::setEnabled(enabled);
  updateHover();
  needsLayout();
}

void CCControlButton::setSelected(bool enabled) {
  CCControl::setSelected(enabled);
  needsLayout();
}

void CCControlButton::setOpacity(unsigned char opacity) {
  CCControl::setOpacity(opacity);
  for (auto& kv : m_backgrounds) kv.second->setOpacity(opacity);
  for (auto& kv : m_titleLabels)
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(kv.second)) rgba->setOpacity(opacity);
}

void CCControlButton::setColor(const ccColor3B& color) {
  CCControl::setColor(color);
  for (auto& kv : m_backgrounds) kv.second->setColor(color);
}

// --- hover ----------------------------------------------------------------

void CCControlButton::onEnter() {
  CCControl::onEnter();
  CCNotificationCenter::sharedNotificationCenter()->addObserver(this, callfuncO_selector(CCControlButton::onCursor),
                                                                kCCCursorNotification, nullptr);
}

void CCControlButton::onExit() {
  CCNotificationCenter::sharedNotificationCenter()->removeObserver(this, kCCCursorNotification);
  m_bHaveCursor = false;
  if (m_eState == CCControlStateHover) {
    m_eState = CCControlStateNormal;
    needsLayout();
  }
  CCControl::onExit();
}

static CCPoint windowPixelsToPoints(const CCPoint& px) {
  CCEGLView* view = CCEGLView::sharedOpenGLView();
  const CCRect& port = view->getViewPortRect();
  float sx = view->getScaleX(), sy = view->getScaleY();
  if (sx == 0 || sy == 0) return px;
  return CCPoint((px.x - port.origin.x) / sx, (px.y - port.origin.y) / sy);
}

void CCControlButton::onCursor(CCObject* object) {
  CCPointObject* point = dynamic_cast<CCPointObject*>(object);
  if (!point) return;
  m_cursorWorld = windowPixelsToPoints(point->m_point);
  m_bHaveCursor = true;
  updateHover();
}

bool CCControlButton::worldPointInside(const CCPoint& world) {
  if (!getParent()) return false;
  return boundingBox().containsPoint(getParent()->convertToNodeSpace(world));
}

void CCControlButton::updateHover() {
  if (!m_bHaveCursor || m_isPushed || !m_bEnabled) return;
  if (m_eState != CCControlStateNormal && m_eState != CCControlStateHover) return;
  bool over = isRunning() && isTouchEnabled() && isVisible() && hasVisibleParents() && worldPointInside(m_cursorWorld);
  CCControlState want = over ? CCControlStateHover : CCControlStateNormal;
  if (want == m_eState) return;
  m_eState = want;
  needsLayout();
}

// --- touches --------------------------------------------------------------

bool CCControlButton::ccTouchBegan(CCTouch* touch, CCEvent*) {
  if (!isTouchInside(touch) || !isEnabled() || !isVisible() || !hasVisibleParents()) return false;
  m_isPushed = true;
  setHighlighted(true);
  sendActionsForControlEvents(CCControlEventTouchDown);
  return true;
}

void CCControlButton::ccTouchMoved(CCTouch* touch, CCEvent*) {
  if (!isEnabled() || !isPushed() || isSelected()) {
    if (isHighlighted()) setHighlighted(false);
    return;
  }
  bool inside = isTouchInside(touch);
  if (inside && !isHighlighted()) {
    setHighlighted(true);
    sendActionsForControlEvents(CCControlEventTouchDragEnter);
  } else if (inside && isHighlighted()) {
    sendActionsForControlEvents(CCControlEventTouchDragInside);
  } else if (!inside && isHighlighted()) {
    setHighlighted(false);
    sendActionsForControlEvents(CCControlEventTouchDragExit);
  } else {
    sendActionsForControlEvents(CCControlEventTouchDragOutside);
  }
}

void CCControlButton::ccTouchEnded(CCTouch* touch, CCEvent*) {
  m_isPushed = false;
  setHighlighted(false);
  sendActionsForControlEvents(isTouchInside(touch) ? CCControlEventTouchUpInside : CCControlEventTouchUpOutside);
}

void CCControlButton::ccTouchCancelled(CCTouch*, CCEvent*) {
  m_isPushed = false;
  setHighlighted(false);
  sendActionsForControlEvents(CCControlEventTouchCancel);
}

NS_CC_EXT_END
