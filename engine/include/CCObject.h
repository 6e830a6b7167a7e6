#ifndef KEST_CC_OBJECT_H
#define KEST_CC_OBJECT_H

// Intrusive reference counting and member-function selectors.
//
// new gives a count of 1; autorelease hands one reference to the current pool,
// which the director drains once a frame. Objects are not thread-safe: only the
// main thread retains and releases.

#include <string>

#include "CCPlatformMacros.h"

NS_CC_BEGIN

class CCNode;
class CCEvent;
class CCZone;

class CCObject {
 public:
  CCObject();
  virtual ~CCObject();

  void release();
  void retain();
  CCObject* autorelease();
  CCObject* copy();
  bool isSingleReference() const { return m_uReference == 1; }
  unsigned int retainCount() const { return m_uReference; }
  virtual bool isEqual(const CCObject* pObject) { return this == pObject; }
  virtual CCObject* copyWithZone(CCZone*) { return nullptr; }
  virtual void update(float) {}

  unsigned int m_uID;
  int m_nLuaID = 0;

 protected:
  unsigned int m_uReference;
  unsigned int m_uAutoReleaseCount;
  friend class CCAutoreleasePool;
};

// The object's class as the code names it, namespaces included: for logs
// and test reports.
std::string ccClassName(const CCObject* object);

typedef void (CCObject::*SEL_SCHEDULE)(float);
typedef void (CCObject::*SEL_CallFunc)();
typedef void (CCObject::*SEL_CallFuncN)(CCNode*);
typedef void (CCObject::*SEL_CallFuncND)(CCNode*, void*);
typedef void (CCObject::*SEL_CallFuncO)(CCObject*);
typedef void (CCObject::*SEL_MenuHandler)(CCObject*);
typedef void (CCObject::*SEL_EventHandler)(CCEvent*);
typedef int (CCObject::*SEL_Compare)(CCObject*);

#define schedule_selector(_SELECTOR) (::cocos2d::SEL_SCHEDULE)(&_SELECTOR)
#define callfunc_selector(_SELECTOR) (::cocos2d::SEL_CallFunc)(&_SELECTOR)
#define callfuncN_selector(_SELECTOR) (::cocos2d::SEL_CallFuncN)(&_SELECTOR)
#define callfuncND_selector(_SELECTOR) (::cocos2d::SEL_CallFuncND)(&_SELECTOR)
#define callfuncO_selector(_SELECTOR) (::cocos2d::SEL_CallFuncO)(&_SELECTOR)
#define menu_selector(_SELECTOR) (::cocos2d::SEL_MenuHandler)(&_SELECTOR)
#define event_selector(_SELECTOR) (::cocos2d::SEL_EventHandler)(&_SELECTOR)
#define compare_selector(_SELECTOR) (::cocos2d::SEL_Compare)(&_SELECTOR)

NS_CC_END

#endif
