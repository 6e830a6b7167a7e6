#include "CCControl.h"

NS_CC_EXT_BEGIN

CCInvocation::CCInvocation(CCObject* target, SEL_CCControlHandler action, CCControlEvent controlEvent)
    : m_target(target), m_action(action), m_controlEvent(controlEvent) {}

CCInvocation* CCInvocation::create(CCObject* target, SEL_CCControlHandler action, CCControlEvent controlEvent) {
  CCInvocation* i = new CCInvocation(target, action, controlEvent);
  i->autorelease();
  return i;
}

void CCInvocation::invoke(CCObject* sender) {
  if (m_target && m_action) (m_target->*m_action)(sender, m_controlEvent);
}

CCControl::CCControl() {}

CCControl::~CCControl() {
  for (auto& list : m_dispatch)
    for (CCInvocation* inv : list) inv->release();
}

bool CCControl::init() {
  if (!CCLayerRGBA::init()) return false;
  m_eState = CCControlStateNormal;
  m_bEnabled = true;
  m_bSelected = false;
  m_bHighlighted = false;
  setTouchMode(kCCTouchesOneByOne);
  setTouchPriority(1);
  return true;
}

void CCControl::registerWithTouchDispatcher() {
  CCDirector::sharedDirector()->getTouchDispatcher()->addTargetedDelegate(this, getTouchPriority(), true);
}

void CCControl::setEnabled(bool enabled) {
  m_bEnabled = enabled;
  m_eState = enabled ? CCControlStateNormal : CCControlStateDisabled;
  needsLayout();
}

void CCControl::setSelected(bool selected) {
  m_bSelected = selected;
  needsLayout();
}

void CCControl::setHighlighted(bool highlighted) {
  m_bHighlighted = highlighted;
  needsLayout();
}

bool CCControl::hasVisibleParents() {
  for (CCNode* p = getParent(); p; p = p->getParent())
    if (!p->isVisible()) return false;
  return true;
}

static int eventIndex(CCControlEvent e) {
  for (int i = 0; i < kControlEventTotalNumber; ++i)
    if (e == (1u << i)) return i;
  return -1;
}

std::vector<CCInvocation*>& CCControl::dispatchListForControlEvent(CCControlEvent e) {
  int i = eventIndex(e);
  return m_dispatch[i < 0 ? 0 : i];
}

void CCControl::addTargetWithActionForControlEvents(CCObject* target, SEL_CCControlHandler action,
                                                    CCControlEvent events) {
  for (int i = 0; i < kControlEventTotalNumber; ++i) {
    if (!(events & (1u << i))) continue;
    CCInvocation* inv = new CCInvocation(target, action, 1u << i);
    m_dispatch[i].push_back(inv);
  }
}

void CCControl::removeTargetWithActionForControlEvents(CCObject* target, SEL_CCControlHandler action,
                                                       CCControlEvent events) {
  for (int i = 0; i < kControlEventTotalNumber; ++i) {
    if (!(events & (1u << i))) continue;
    auto& list = m_dispatch[i];
    for (size_t k = 0; k < list.size();) {
      CCInvocation* inv = list[k];
      bool match = (!target && !action) || (inv->getTarget() == target && (!action || inv->getAction() == action));
      if (match) {
        list.erase(list.begin() + (long)k);
        inv->release();
      } else {
        ++k;
      }
    }
  }
}

void CCControl::sendActionsForControlEvents(CCControlEvent events) {
  // A handler may release the control or change its targets: work on a
  // retained copy, and keep the control alive until the frame ends so the
  // touch handler that called this can still finish.
  retain();
  autorelease();
  for (int i = 0; i < kControlEventTotalNumber; ++i) {
    if (!(events & (1u << i))) continue;
    std::vector<CCInvocation*> copy = m_dispatch[i];
    for (CCInvocation* inv : copy) inv->retain();
    for (CCInvocation* inv : copy) inv->invoke(this);
    for (CCInvocation* inv : copy) inv->release();
  }
}

CCPoint CCControl::getTouchLocation(CCTouch* touch) { return convertToNodeSpace(touch->getLocation()); }

bool CCControl::isTouchInside(CCTouch* touch) {
  CCPoint p = touch->getLocation();
  if (getParent()) p = getParent()->convertToNodeSpace(p);
  return boundingBox().containsPoint(p);
}

NS_CC_EXT_END
