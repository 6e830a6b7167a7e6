#include "CCMenu.h"

#include <cstdarg>

#include "CCActionInterval.h"
#include "CCDirector.h"
#include "CCSprite.h"
#include "CCTouch.h"
#include "CCTouchDispatcher.h"
#include "ExtensionMacros.h"

NS_CC_BEGIN

// --- CCMenuItem -------------------------------------------------------------

CCMenuItem::~CCMenuItem() {}

CCMenuItem* CCMenuItem::create() { return create(nullptr, nullptr); }

CCMenuItem* CCMenuItem::create(CCObject* rec, SEL_MenuHandler selector) {
  return ccCreateWith<CCMenuItem>([&](CCMenuItem* i) { return i->initWithTarget(rec, selector); });
}

bool CCMenuItem::initWithTarget(CCObject* rec, SEL_MenuHandler selector) {
  if (!CCNodeRGBA::init()) return false;
  setAnchorPoint(CCPoint(0.5f, 0.5f));
  setTarget(rec, selector);
  m_bEnabled = true;
  m_bSelected = false;
  return true;
}

void CCMenuItem::setTarget(CCObject* rec, SEL_MenuHandler selector) {
  m_pListener = rec;
  m_pfnSelector = selector;
}

CCRect CCMenuItem::rect() {
  return CCRect(m_obPosition.x - m_obContentSize.width * m_obAnchorPoint.x,
                m_obPosition.y - m_obContentSize.height * m_obAnchorPoint.y, m_obContentSize.width,
                m_obContentSize.height);
}

void CCMenuItem::selected() { m_bSelected = true; }

void CCMenuItem::unselected() { m_bSelected = false; }

void CCMenuItem::activate() {
  if (m_bEnabled && m_pListener && m_pfnSelector) (m_pListener->*m_pfnSelector)(this);
}

// --- CCMenuItemLabel --------------------------------------------------------

// Tag of the zoom a selected label item runs.
static const int kZoomActionTag = 0x0c0c5002;

CCMenuItemLabel::~CCMenuItemLabel() {}

CCMenuItemLabel* CCMenuItemLabel::create(CCNode* label, CCObject* target, SEL_MenuHandler selector) {
  return ccCreateWith<CCMenuItemLabel>([&](CCMenuItemLabel* i) { return i->initWithLabel(label, target, selector); });
}

CCMenuItemLabel* CCMenuItemLabel::create(CCNode* label) { return create(label, nullptr, nullptr); }

bool CCMenuItemLabel::initWithLabel(CCNode* label, CCObject* target, SEL_MenuHandler selector) {
  if (!initWithTarget(target, selector)) return false;
  m_fOriginalScale = 1.0f;
  m_tColorBackup = ccWHITE;
  setCascadeColorEnabled(true);
  setCascadeOpacityEnabled(true);
  setLabel(label);
  return true;
}

void CCMenuItemLabel::setLabel(CCNode* label) {
  if (label) {
    addChild(label);
    label->setAnchorPoint(CCPoint(0, 0));
    setContentSize(label->getContentSize());
  }
  if (m_pLabel) removeChild(m_pLabel, true);
  m_pLabel = label;
}

void CCMenuItemLabel::setString(const char* text) {
  if (CCLabelProtocol* l = dynamic_cast<CCLabelProtocol*>(m_pLabel)) {
    l->setString(text);
    setContentSize(m_pLabel->getContentSize());
  }
}

void CCMenuItemLabel::activate() {
  if (!m_bEnabled) return;
  stopAllActions();
  setScale(m_fOriginalScale);
  CCMenuItem::activate();
}

void CCMenuItemLabel::selected() {
  if (!m_bEnabled) return;
  CCMenuItem::selected();
  if (CCAction* a = getActionByTag(kZoomActionTag))
    stopAction(a);
  else
    m_fOriginalScale = getScale();
  CCAction* zoom = CCScaleTo::create(0.1f, m_fOriginalScale * 1.2f);
  zoom->setTag(kZoomActionTag);
  runAction(zoom);
}

void CCMenuItemLabel::unselected() {
  if (!m_bEnabled) return;
  CCMenuItem::unselected();
  stopActionByTag(kZoomActionTag);
  CCAction* zoom = CCScaleTo::create(0.1f, m_fOriginalScale);
  zoom->setTag(kZoomActionTag);
  runAction(zoom);
}

void CCMenuItemLabel::setEnabled(bool enabled) {
  if (m_bEnabled != enabled) {
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_pLabel)) {
      if (!enabled) {
        m_tColorBackup = rgba->getColor();
        rgba->setColor(m_tDisabledColor);
      } else {
        rgba->setColor(m_tColorBackup);
      }
    }
  }
  CCMenuItem::setEnabled(enabled);
}

// --- CCMenuItemSprite -------------------------------------------------------

enum { kNormalTag = 0x1, kSelectedTag = 0x2, kDisableTag = 0x3 };

CCMenuItemSprite* CCMenuItemSprite::create(CCNode* normal, CCNode* selected, CCNode* disabled) {
  return create(normal, selected, disabled, nullptr, nullptr);
}

CCMenuItemSprite* CCMenuItemSprite::create(CCNode* normal, CCNode* selected, CCObject* target,
                                           SEL_MenuHandler selector) {
  return create(normal, selected, nullptr, target, selector);
}

CCMenuItemSprite* CCMenuItemSprite::create(CCNode* normal, CCNode* selected, CCNode* disabled, CCObject* target,
                                           SEL_MenuHandler selector) {
  return ccCreateWith<CCMenuItemSprite>(
      [&](CCMenuItemSprite* i) { return i->initWithNormalSprite(normal, selected, disabled, target, selector); });
}

bool CCMenuItemSprite::initWithNormalSprite(CCNode* normal, CCNode* selected, CCNode* disabled, CCObject* target,
                                            SEL_MenuHandler selector) {
  if (!initWithTarget(target, selector)) return false;
  setNormalImage(normal);
  setSelectedImage(selected);
  setDisabledImage(disabled);
  if (m_pNormalImage) setContentSize(m_pNormalImage->getContentSize());
  setCascadeColorEnabled(true);
  setCascadeOpacityEnabled(true);
  return true;
}

void CCMenuItemSprite::place(CCNode*& slot, CCNode* image, int tag) {
  if (image == slot) return;
  // The picture may come from another role (the radio items swap them).
  CCNode** roles[3] = {&m_pNormalImage, &m_pSelectedImage, &m_pDisabledImage};
  for (CCNode** role : roles)
    if (role != &slot && image && *role == image) *role = nullptr;
  if (image) {
    if (image->getParent() != this) addChild(image, 0, tag);
    image->setTag(tag);
    image->setAnchorPoint(CCPoint(0, 0));
  }
  CCNode* old = slot;
  slot = image;
  bool stillUsed = old == m_pNormalImage || old == m_pSelectedImage || old == m_pDisabledImage;
  if (old && !stillUsed) removeChild(old, true);
  updateImagesVisibility();
}

void CCMenuItemSprite::setNormalImage(CCNode* image) {
  place(m_pNormalImage, image, kNormalTag);
  if (m_pNormalImage) setContentSize(m_pNormalImage->getContentSize());
}

void CCMenuItemSprite::setSelectedImage(CCNode* image) { place(m_pSelectedImage, image, kSelectedTag); }

void CCMenuItemSprite::setDisabledImage(CCNode* image) { place(m_pDisabledImage, image, kDisableTag); }

void CCMenuItemSprite::selected() {
  CCMenuItem::selected();
  if (!m_pNormalImage) return;
  if (m_pDisabledImage) m_pDisabledImage->setVisible(false);
  if (m_pSelectedImage) {
    m_pNormalImage->setVisible(false);
    m_pSelectedImage->setVisible(true);
  } else {
    m_pNormalImage->setVisible(true);
  }
}

void CCMenuItemSprite::unselected() {
  CCMenuItem::unselected();
  updateImagesVisibility();
}

void CCMenuItemSprite::setEnabled(bool enabled) {
  if (m_bEnabled == enabled) return;
  CCMenuItem::setEnabled(enabled);
  updateImagesVisibility();
}

void CCMenuItemSprite::updateImagesVisibility() {
  bool showDisabled = !m_bEnabled && m_pDisabledImage;
  bool showSelected = m_bEnabled && m_bSelected && m_pSelectedImage;
  if (m_pNormalImage) m_pNormalImage->setVisible(!showDisabled && !showSelected);
  if (m_pSelectedImage) m_pSelectedImage->setVisible(showSelected);
  if (m_pDisabledImage) m_pDisabledImage->setVisible(showDisabled);
}

// --- CCMenuItemImage --------------------------------------------------------

CCMenuItemImage* CCMenuItemImage::create() {
  return ccCreateWith<CCMenuItemImage>([](CCMenuItemImage* i) { return i->init(); });
}

CCMenuItemImage* CCMenuItemImage::create(const char* normal, const char* selected) {
  return create(normal, selected, nullptr, nullptr, nullptr);
}

CCMenuItemImage* CCMenuItemImage::create(const char* normal, const char* selected, const char* disabled) {
  return create(normal, selected, disabled, nullptr, nullptr);
}

CCMenuItemImage* CCMenuItemImage::create(const char* normal, const char* selected, CCObject* target,
                                         SEL_MenuHandler selector) {
  return create(normal, selected, nullptr, target, selector);
}

CCMenuItemImage* CCMenuItemImage::create(const char* normal, const char* selected, const char* disabled,
                                         CCObject* target, SEL_MenuHandler selector) {
  return ccCreateWith<CCMenuItemImage>(
      [&](CCMenuItemImage* i) { return i->initWithNormalImage(normal, selected, disabled, target, selector); });
}

bool CCMenuItemImage::init() { return initWithNormalImage(nullptr, nullptr, nullptr, nullptr, nullptr); }

bool CCMenuItemImage::initWithNormalImage(const char* normal, const char* selected, const char* disabled,
                                          CCObject* target, SEL_MenuHandler selector) {
  CCNode* n = normal ? CCSprite::create(normal) : nullptr;
  CCNode* s = selected ? CCSprite::create(selected) : nullptr;
  CCNode* d = disabled ? CCSprite::create(disabled) : nullptr;
  return initWithNormalSprite(n, s, d, target, selector);
}

void CCMenuItemImage::setNormalSpriteFrame(CCSpriteFrame* frame) {
  if (frame) setNormalImage(CCSprite::createWithSpriteFrame(frame));
}

void CCMenuItemImage::setSelectedSpriteFrame(CCSpriteFrame* frame) {
  if (frame) setSelectedImage(CCSprite::createWithSpriteFrame(frame));
}

void CCMenuItemImage::setDisabledSpriteFrame(CCSpriteFrame* frame) {
  if (frame) setDisabledImage(CCSprite::createWithSpriteFrame(frame));
}

// --- CCMenu -----------------------------------------------------------------

CCMenu* CCMenu::create() { return createWithArray(nullptr); }

CCMenu* CCMenu::create(CCMenuItem* item, ...) {
  CCArray* items = CCArray::create();
  va_list args;
  va_start(args, item);
  for (CCMenuItem* i = item; i; i = va_arg(args, CCMenuItem*)) items->addObject(i);
  va_end(args);
  return createWithArray(items);
}

CCMenu* CCMenu::createWithItem(CCMenuItem* item) { return create(item, nullptr); }

CCMenu* CCMenu::createWithArray(CCArray* items) {
  return ccCreateWith<CCMenu>([&](CCMenu* m) { return m->initWithArray(items); });
}

bool CCMenu::init() { return initWithArray(nullptr); }

bool CCMenu::initWithArray(CCArray* items) {
  if (!CCLayerRGBA::init()) return false;
  setTouchPriority(kCCMenuHandlerPriority);
  setTouchMode(kCCTouchesOneByOne);
  setTouchEnabled(true);
  m_bEnabled = true;
  CCSize s = CCDirector::sharedDirector()->getWinSize();
  ignoreAnchorPointForPosition(true);
  setAnchorPoint(CCPoint(0.5f, 0.5f));
  setContentSize(s);
  setPosition(CCPoint(s.width / 2, s.height / 2));
  int z = 0;
  CCObject* obj = nullptr;
  CCARRAY_FOREACH(items, obj) {
    if (CCMenuItem* item = dynamic_cast<CCMenuItem*>(obj)) addChild(item, z++);
  }
  m_pSelectedItem = nullptr;
  m_eState = kCCMenuStateWaiting;
  setCascadeColorEnabled(true);
  setCascadeOpacityEnabled(true);
  return true;
}

void CCMenu::addChild(CCNode* child) { addChild(child, child ? child->getZOrder() : 0); }

void CCMenu::addChild(CCNode* child, int zOrder) { addChild(child, zOrder, child ? child->getTag() : 0); }

void CCMenu::addChild(CCNode* child, int zOrder, int tag) {
  if (!dynamic_cast<CCMenuItem*>(child)) {
    CCLOG("CCMenu: only menu items can be added");
    return;
  }
  CCLayerRGBA::addChild(child, zOrder, tag);
}

void CCMenu::removeChild(CCNode* child, bool cleanup) {
  if (child == m_pSelectedItem) m_pSelectedItem = nullptr;
  CCLayerRGBA::removeChild(child, cleanup);
}

void CCMenu::setHandlerPriority(int newPriority) { setTouchPriority(newPriority); }

void CCMenu::registerWithTouchDispatcher() {
  CCDirector::sharedDirector()->getTouchDispatcher()->addTargetedDelegate(this, getTouchPriority(), true);
}

void CCMenu::onExit() {
  if (m_eState == kCCMenuStateTrackingTouch) {
    if (m_pSelectedItem) {
      m_pSelectedItem->unselected();
      m_pSelectedItem = nullptr;
    }
    m_eState = kCCMenuStateWaiting;
  }
  CCLayerRGBA::onExit();
}

CCMenuItem* CCMenu::itemForTouch(CCTouch* touch) {
  CCPoint location = touch->getLocation();
  CCArray* children = getChildren();
  if (!children) return nullptr;
  for (unsigned int i = 0; i < children->count(); ++i) {
    CCMenuItem* item = dynamic_cast<CCMenuItem*>(children->objectAtIndex(i));
    if (!item || !item->isVisible() || !item->isEnabled()) continue;
    CCPoint local = item->convertToNodeSpace(location);
    CCRect r = item->rect();
    r.origin = CCPointZero;
    if (r.containsPoint(local)) return item;
  }
  return nullptr;
}

bool CCMenu::ccTouchBegan(CCTouch* touch, CCEvent*) {
  if (m_eState != kCCMenuStateWaiting || !isVisible() || !m_bEnabled) return false;
  for (CCNode* c = getParent(); c; c = c->getParent())
    if (!c->isVisible()) return false;
  m_pSelectedItem = itemForTouch(touch);
  if (!m_pSelectedItem) return false;
  m_eState = kCCMenuStateTrackingTouch;
  m_pSelectedItem->selected();
  return true;
}

void CCMenu::ccTouchEnded(CCTouch*, CCEvent*) {
  CCMenuItem* item = m_pSelectedItem;
  m_eState = kCCMenuStateWaiting;
  if (!item) return;
  // The callback may remove the item or the menu: both stay alive until it returns.
  retain();
  item->retain();
  item->unselected();
  item->activate();
  item->release();
  autorelease();
}

void CCMenu::ccTouchCancelled(CCTouch*, CCEvent*) {
  if (m_pSelectedItem) m_pSelectedItem->unselected();
  m_eState = kCCMenuStateWaiting;
}

void CCMenu::ccTouchMoved(CCTouch* touch, CCEvent*) {
  CCMenuItem* current = itemForTouch(touch);
  if (current == m_pSelectedItem) return;
  if (m_pSelectedItem) m_pSelectedItem->unselected();
  m_pSelectedItem = current;
  if (m_pSelectedItem) m_pSelectedItem->selected();
}

NS_CC_END
