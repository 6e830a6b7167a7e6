#ifndef KEST_CC_TOUCH_DELEGATE_PROTOCOL_H
#define KEST_CC_TOUCH_DELEGATE_PROTOCOL_H

#include "CCObject.h"

NS_CC_BEGIN

class CCTouch;
class CCEvent;
class CCSet;

// A targeted delegate claims a touch by returning true from ccTouchBegan and
// then gets its moves and end; a standard delegate gets sets of touches.
class CCTouchDelegate {
 public:
  CCTouchDelegate() {}
  virtual ~CCTouchDelegate() {}

  virtual bool ccTouchBegan(CCTouch*, CCEvent*) { return false; }
  virtual void ccTouchMoved(CCTouch*, CCEvent*) {}
  virtual void ccTouchEnded(CCTouch*, CCEvent*) {}
  virtual void ccTouchCancelled(CCTouch*, CCEvent*) {}

  virtual void ccTouchesBegan(CCSet*, CCEvent*) {}
  virtual void ccTouchesMoved(CCSet*, CCEvent*) {}
  virtual void ccTouchesEnded(CCSet*, CCEvent*) {}
  virtual void ccTouchesCancelled(CCSet*, CCEvent*) {}
};

class CCTargetedTouchDelegate : public CCTouchDelegate {};
class CCStandardTouchDelegate : public CCTouchDelegate {};

NS_CC_END

#endif
