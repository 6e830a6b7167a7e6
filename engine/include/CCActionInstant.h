#ifndef KEST_CC_ACTION_INSTANT_H
#define KEST_CC_ACTION_INSTANT_H

// Actions that act once, on their first step.

#include "CCAction.h"

NS_CC_BEGIN

class CCActionInstant : public CCFiniteTimeAction {
 public:
  bool isDone() override { return m_bDone; }
  void startWithTarget(CCNode* pTarget) override;
  void step(float dt) override;
  void update(float) override {}
  CCFiniteTimeAction* reverse() override;

 protected:
  bool m_bDone = false;
};

class CCShow : public CCActionInstant {
 public:
  static CCShow* create();
  void update(float time) override;
  CCFiniteTimeAction* reverse() override;
};

class CCHide : public CCActionInstant {
 public:
  static CCHide* create();
  void update(float time) override;
  CCFiniteTimeAction* reverse() override;
};

class CCToggleVisibility : public CCActionInstant {
 public:
  static CCToggleVisibility* create();
  void update(float time) override;
};

// Removes the target from its parent (with cleanup by default).
class CCRemoveSelf : public CCActionInstant {
 public:
  static CCRemoveSelf* create(bool isNeedCleanUp = true);
  bool init(bool isNeedCleanUp);
  void update(float time) override;

 protected:
  bool m_bIsNeedCleanUp = true;
};

class CCFlipX : public CCActionInstant {
 public:
  static CCFlipX* create(bool x);
  void update(float time) override;

 protected:
  bool m_bFlipX = false;
};

class CCFlipY : public CCActionInstant {
 public:
  static CCFlipY* create(bool y);
  void update(float time) override;

 protected:
  bool m_bFlipY = false;
};

class CCPlace : public CCActionInstant {
 public:
  static CCPlace* create(const CCPoint& pos);
  void update(float time) override;

 protected:
  CCPoint m_tPosition;
};

// Calls target->selector(). The selector's target is retained while the action lives.
class CCCallFunc : public CCActionInstant {
 public:
  ~CCCallFunc() override;
  static CCCallFunc* create(CCObject* pSelectorTarget, SEL_CallFunc selector);
  virtual bool initWithTarget(CCObject* pSelectorTarget);
  void update(float time) override;
  virtual void execute();
  CCObject* getTargetCallback() { return m_pSelectorTarget; }
  void setTargetCallback(CCObject* pSel);

 protected:
  CCObject* m_pSelectorTarget = nullptr;
  SEL_CallFunc m_pCallFunc = nullptr;
  SEL_CallFuncN m_pCallFuncN = nullptr;
  SEL_CallFuncND m_pCallFuncND = nullptr;
  SEL_CallFuncO m_pCallFuncO = nullptr;
};

// Calls target->selector(node), the node being the action's target.
class CCCallFuncN : public CCCallFunc {
 public:
  static CCCallFuncN* create(CCObject* pSelectorTarget, SEL_CallFuncN selector);
  void execute() override;
};

// Calls target->selector(node, data).
class CCCallFuncND : public CCCallFuncN {
 public:
  static CCCallFuncND* create(CCObject* pSelectorTarget, SEL_CallFuncND selector, void* d);
  void execute() override;

 protected:
  void* m_pData = nullptr;
};

// Calls target->selector(object); the object is retained.
class CCCallFuncO : public CCCallFunc {
 public:
  ~CCCallFuncO() override;
  static CCCallFuncO* create(CCObject* pSelectorTarget, SEL_CallFuncO selector, CCObject* pObject);
  void execute() override;
  CCObject* getObject() { return m_pObject; }

 protected:
  CCObject* m_pObject = nullptr;
};

NS_CC_END

#endif
