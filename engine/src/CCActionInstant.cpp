#include "CCActionInstant.h"

#include "CCSprite.h"

NS_CC_BEGIN

template <class T>
static T* autoreleased(T* p) {
  p->autorelease();
  return p;
}

void CCActionInstant::startWithTarget(CCNode* pTarget) {
  CCFiniteTimeAction::startWithTarget(pTarget);
  m_bDone = false;
}

void CCActionInstant::step(float) {
  update(1);
  m_bDone = true;
}

CCFiniteTimeAction* CCActionInstant::reverse() { return nullptr; }

CCShow* CCShow::create() { return autoreleased(new CCShow()); }
void CCShow::update(float) {
  if (m_pTarget) m_pTarget->setVisible(true);
}
CCFiniteTimeAction* CCShow::reverse() { return CCHide::create(); }

CCHide* CCHide::create() { return autoreleased(new CCHide()); }
void CCHide::update(float) {
  if (m_pTarget) m_pTarget->setVisible(false);
}
CCFiniteTimeAction* CCHide::reverse() { return CCShow::create(); }

CCToggleVisibility* CCToggleVisibility::create() { return autoreleased(new CCToggleVisibility()); }
void CCToggleVisibility::update(float) {
  if (m_pTarget) m_pTarget->setVisible(!m_pTarget->isVisible());
}

CCRemoveSelf* CCRemoveSelf::create(bool isNeedCleanUp) {
  CCRemoveSelf* a = new CCRemoveSelf();
  a->init(isNeedCleanUp);
  return autoreleased(a);
}

bool CCRemoveSelf::init(bool isNeedCleanUp) {
  m_bIsNeedCleanUp = isNeedCleanUp;
  return true;
}

void CCRemoveSelf::update(float) {
  if (m_pTarget) m_pTarget->removeFromParentAndCleanup(m_bIsNeedCleanUp);
}

CCFlipX* CCFlipX::create(bool x) {
  CCFlipX* a = new CCFlipX();
  a->m_bFlipX = x;
  return autoreleased(a);
}
void CCFlipX::update(float) {
  if (CCSprite* s = dynamic_cast<CCSprite*>(m_pTarget)) s->setFlipX(m_bFlipX);
}

CCFlipY* CCFlipY::create(bool y) {
  CCFlipY* a = new CCFlipY();
  a->m_bFlipY = y;
  return autoreleased(a);
}
void CCFlipY::update(float) {
  if (CCSprite* s = dynamic_cast<CCSprite*>(m_pTarget)) s->setFlipY(m_bFlipY);
}

CCPlace* CCPlace::create(const CCPoint& pos) {
  CCPlace* a = new CCPlace();
  a->m_tPosition = pos;
  return autoreleased(a);
}
void CCPlace::update(float) {
  if (m_pTarget) m_pTarget->setPosition(m_tPosition);
}

// --- callbacks --------------------------------------------------------------

CCCallFunc::~CCCallFunc() { CC_SAFE_RELEASE(m_pSelectorTarget); }

CCCallFunc* CCCallFunc::create(CCObject* pSelectorTarget, SEL_CallFunc selector) {
  CCCallFunc* a = new CCCallFunc();
  a->initWithTarget(pSelectorTarget);
  a->m_pCallFunc = selector;
  return autoreleased(a);
}

bool CCCallFunc::initWithTarget(CCObject* pSelectorTarget) {
  setTargetCallback(pSelectorTarget);
  return true;
}

void CCCallFunc::setTargetCallback(CCObject* pSel) {
  if (pSel == m_pSelectorTarget) return;
  CC_SAFE_RETAIN(pSel);
  CC_SAFE_RELEASE(m_pSelectorTarget);
  m_pSelectorTarget = pSel;
}

void CCCallFunc::update(float) { execute(); }

void CCCallFunc::execute() {
  if (m_pSelectorTarget && m_pCallFunc) (m_pSelectorTarget->*m_pCallFunc)();
}

CCCallFuncN* CCCallFuncN::create(CCObject* pSelectorTarget, SEL_CallFuncN selector) {
  CCCallFuncN* a = new CCCallFuncN();
  a->initWithTarget(pSelectorTarget);
  a->m_pCallFuncN = selector;
  return autoreleased(a);
}

void CCCallFuncN::execute() {
  CCObject* t = m_pSelectorTarget;
  SEL_CallFuncN f = m_pCallFuncN;
  CCNode* node = m_pTarget;
  if (t && f) (t->*f)(node);
}

CCCallFuncND* CCCallFuncND::create(CCObject* pSelectorTarget, SEL_CallFuncND selector, void* d) {
  CCCallFuncND* a = new CCCallFuncND();
  a->initWithTarget(pSelectorTarget);
  a->m_pCallFuncND = selector;
  a->m_pData = d;
  return autoreleased(a);
}

void CCCallFuncND::execute() {
  CCObject* t = m_pSelectorTarget;
  SEL_CallFuncND f = m_pCallFuncND;
  CCNode* node = m_pTarget;
  void* data = m_pData;
  if (t && f) (t->*f)(node, data);
}

CCCallFuncO::~CCCallFuncO() { CC_SAFE_RELEASE(m_pObject); }

CCCallFuncO* CCCallFuncO::create(CCObject* pSelectorTarget, SEL_CallFuncO selector, CCObject* pObject) {
  CCCallFuncO* a = new CCCallFuncO();
  a->initWithTarget(pSelectorTarget);
  a->m_pCallFuncO = selector;
  CC_SAFE_RETAIN(pObject);
  a->m_pObject = pObject;
  return autoreleased(a);
}

void CCCallFuncO::execute() {
  CCObject* t = m_pSelectorTarget;
  SEL_CallFuncO f = m_pCallFuncO;
  CCObject* obj = m_pObject;
  if (t && f) (t->*f)(obj);
}

NS_CC_END
