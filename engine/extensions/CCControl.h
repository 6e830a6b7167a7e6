#ifndef KEST_CC_CONTROL_H
#define KEST_CC_CONTROL_H

// The base of controls: a layer with a state (normal, highlighted, disabled,
// selected, and the program's hover state 16) that sends control events to
// target/selector pairs.
//
// Controls take touches one by one, swallowing, at their touch priority
// (default 1). A handler may remove or release the control while it runs:
// the control keeps itself alive until its dispatch is over.

#include <vector>

#include "ExtensionMacros.h"

NS_CC_EXT_BEGIN

typedef unsigned int CCControlEvent;
enum {
  CCControlEventTouchDown = 1 << 0,
  CCControlEventTouchDragInside = 1 << 1,
  CCControlEventTouchDragOutside = 1 << 2,
  CCControlEventTouchDragEnter = 1 << 3,
  CCControlEventTouchDragExit = 1 << 4,
  CCControlEventTouchUpInside = 1 << 5,
  CCControlEventTouchUpOutside = 1 << 6,
  CCControlEventTouchCancel = 1 << 7,
  CCControlEventValueChanged = 1 << 8,
};
enum { kControlEventTotalNumber = 9 };

typedef unsigned int CCControlState;
enum {
  CCControlStateNormal = 1 << 0,
  CCControlStateHighlighted = 1 << 1,
  CCControlStateDisabled = 1 << 2,
  CCControlStateSelected = 1 << 3,
  // The pointer is over the control (follows the "Cursor" notification).
  CCControlStateHover = 1 << 4,
};

typedef void (CCObject::*SEL_CCControlHandler)(CCObject*, CCControlEvent);
#define cccontrol_selector(_SELECTOR) (::cocos2d::extension::SEL_CCControlHandler)(&_SELECTOR)

// One target/action pair for one control event.
class CCInvocation : public CCObject {
 public:
  static CCInvocation* create(CCObject* target, SEL_CCControlHandler action, CCControlEvent controlEvent);
  CCInvocation(CCObject* target, SEL_CCControlHandler action, CCControlEvent controlEvent);
  void invoke(CCObject* sender);
  CCObject* getTarget() const { return m_target; }
  SEL_CCControlHandler getAction() const { return m_action; }
  CCControlEvent getControlEvent() const { return m_controlEvent; }

 private:
  CCObject* m_target;
  SEL_CCControlHandler m_action;
  CCControlEvent m_controlEvent;
};

class CCControl : public CCLayerRGBA {
 public:
  CCControl();
  ~CCControl() override;
  CREATE_FUNC(CCControl)
  bool init() override;

  virtual void setEnabled(bool bEnabled);
  virtual bool isEnabled() { return m_bEnabled; }
  virtual void setSelected(bool bSelected);
  virtual bool isSelected() { return m_bSelected; }
  virtual void setHighlighted(bool bHighlighted);
  virtual bool isHighlighted() { return m_bHighlighted; }
  virtual CCControlState getState() const { return m_eState; }
  bool hasVisibleParents();
  virtual void needsLayout() {}

  // Targets are not retained (as the engine's): a target removes itself
  // (removeTargetWithActionForControlEvents) before it goes.
  virtual void addTargetWithActionForControlEvents(CCObject* target, SEL_CCControlHandler action,
                                                   CCControlEvent controlEvents);
  // A null target and action remove every pair for the events; a null action
  // removes the target's pairs.
  virtual void removeTargetWithActionForControlEvents(CCObject* target, SEL_CCControlHandler action,
                                                      CCControlEvent controlEvents);
  virtual void sendActionsForControlEvents(CCControlEvent controlEvents);

  void registerWithTouchDispatcher() override;
  virtual CCPoint getTouchLocation(CCTouch* touch);
  // Whether the touch is inside the control's box (in its parent's space).
  virtual bool isTouchInside(CCTouch* touch);

  int getDefaultTouchPriority() const { return m_nDefaultTouchPriority; }
  void setDefaultTouchPriority(int p) { m_nDefaultTouchPriority = p; }

  void setOpacityModifyRGB(bool b) override { m_bOpacityModifyRGB = b; }
  bool isOpacityModifyRGB() override { return m_bOpacityModifyRGB; }

 protected:
  std::vector<CCInvocation*>& dispatchListForControlEvent(CCControlEvent controlEvent);

  bool m_bEnabled = true;
  bool m_bSelected = false;
  bool m_bHighlighted = false;
  bool m_bHasVisibleParents = false;
  bool m_bOpacityModifyRGB = false;
  CCControlState m_eState = CCControlStateNormal;
  int m_nDefaultTouchPriority = 1;
  // Retained invocations per event bit.
  std::vector<CCInvocation*> m_dispatch[kControlEventTotalNumber];
};

NS_CC_EXT_END

#endif
