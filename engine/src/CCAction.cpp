#include "CCAction.h"

#include "CCActionInterval.h"

NS_CC_BEGIN

CCAction::CCAction() {}
CCAction::~CCAction() {}

CCAction* CCAction::create() {
  CCAction* a = new CCAction();
  a->autorelease();
  return a;
}

bool CCAction::isDone() { return true; }

void CCAction::startWithTarget(CCNode* pTarget) { m_pOriginalTarget = m_pTarget = pTarget; }

void CCAction::stop() { m_pTarget = nullptr; }

void CCAction::step(float) {}

void CCAction::update(float) {}

float CCAction::getTimeToNextChange() { return 0; }

CCFiniteTimeAction* CCFiniteTimeAction::reverse() { return nullptr; }

CCSpeed::~CCSpeed() { CC_SAFE_RELEASE(m_pInnerAction); }

CCSpeed* CCSpeed::create(CCActionInterval* pAction, float fSpeed) {
  CCSpeed* s = new CCSpeed();
  if (s->initWithAction(pAction, fSpeed)) {
    s->autorelease();
    return s;
  }
  delete s;
  return nullptr;
}

bool CCSpeed::initWithAction(CCActionInterval* pAction, float fSpeed) {
  if (!pAction) return false;
  pAction->retain();
  m_pInnerAction = pAction;
  m_fSpeed = fSpeed;
  return true;
}

void CCSpeed::startWithTarget(CCNode* pTarget) {
  CCAction::startWithTarget(pTarget);
  m_pInnerAction->startWithTarget(pTarget);
}

void CCSpeed::stop() {
  m_pInnerAction->stop();
  CCAction::stop();
}

void CCSpeed::step(float dt) { m_pInnerAction->step(dt * m_fSpeed); }

bool CCSpeed::isDone() { return m_pInnerAction->isDone(); }

float CCSpeed::getTimeToNextChange() {
  return m_fSpeed > 0 ? m_pInnerAction->getTimeToNextChange() / m_fSpeed : 0;
}

NS_CC_END
