#include "CCActionInterval.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdarg>

#include "CCAnimation.h"
#include "CCSprite.h"

NS_CC_BEGIN

// Steps of 1/60 s in float do not sum to whole durations exactly.
static const float kDoneEpsilon = 1e-5f;

template <class T>
static T* autoreleased(T* p, bool ok) {
  if (ok) {
    p->autorelease();
    return p;
  }
  delete p;
  return nullptr;
}

static float clamp01(float t) { return t < 0 ? 0 : (t > 1 ? 1 : t); }

// --- CCActionInterval -------------------------------------------------------

CCActionInterval* CCActionInterval::create(float d) {
  CCActionInterval* a = new CCActionInterval();
  return autoreleased(a, a->initWithDuration(d));
}

bool CCActionInterval::initWithDuration(float d) {
  m_fDuration = d > 0 ? d : 0;
  m_elapsed = 0;
  m_bFirstTick = true;
  return true;
}

bool CCActionInterval::isDone() { return m_elapsed + kDoneEpsilon >= m_fDuration; }

void CCActionInterval::step(float dt) {
  if (m_bFirstTick) {
    m_bFirstTick = false;
    m_elapsed = 0;
  } else {
    m_elapsed += dt;
  }
  float t = 1;
  if (m_fDuration > FLT_EPSILON && m_elapsed + kDoneEpsilon < m_fDuration) t = m_elapsed / m_fDuration;
  update(clamp01(t));
}

void CCActionInterval::startWithTarget(CCNode* pTarget) {
  CCFiniteTimeAction::startWithTarget(pTarget);
  m_elapsed = 0;
  m_bFirstTick = true;
}

float CCActionInterval::getTimeToNextChange() {
  // The first step shows its start; the end stops it (and a repeat starts it again).
  if (m_bFirstTick) return 0;
  const float next = std::min(nextChangeAt(m_elapsed), m_fDuration);
  return std::max(next - m_elapsed, 0.0f);
}

CCActionInterval* CCActionInterval::reverse() { return nullptr; }

// --- CCSequence -------------------------------------------------------------

CCSequence::~CCSequence() {
  for (CCFiniteTimeAction* a : m_actions) a->release();
}

static void collectActions(CCFiniteTimeAction* first, va_list ap, std::vector<CCFiniteTimeAction*>& out) {
  if (!first) return;
  out.push_back(first);
  for (CCFiniteTimeAction* a = va_arg(ap, CCFiniteTimeAction*); a; a = va_arg(ap, CCFiniteTimeAction*))
    out.push_back(a);
}

static void collectActions(CCArray* arr, std::vector<CCFiniteTimeAction*>& out) {
  CCObject* o;
  CCARRAY_FOREACH(arr, o) {
    if (CCFiniteTimeAction* a = dynamic_cast<CCFiniteTimeAction*>(o)) out.push_back(a);
  }
}

CCSequence* CCSequence::create(CCFiniteTimeAction* pAction1, ...) {
  std::vector<CCFiniteTimeAction*> v;
  va_list ap;
  va_start(ap, pAction1);
  collectActions(pAction1, ap, v);
  va_end(ap);
  CCSequence* s = new CCSequence();
  return autoreleased(s, s->initWithActions(v));
}

CCSequence* CCSequence::create(CCArray* arrayOfActions) {
  std::vector<CCFiniteTimeAction*> v;
  collectActions(arrayOfActions, v);
  CCSequence* s = new CCSequence();
  return autoreleased(s, s->initWithActions(v));
}

CCSequence* CCSequence::createWithTwoActions(CCFiniteTimeAction* a, CCFiniteTimeAction* b) {
  std::vector<CCFiniteTimeAction*> v;
  if (a) v.push_back(a);
  if (b) v.push_back(b);
  CCSequence* s = new CCSequence();
  return autoreleased(s, s->initWithActions(v));
}

bool CCSequence::initWithActions(const std::vector<CCFiniteTimeAction*>& actions) {
  if (actions.empty()) return false;
  float total = 0;
  for (CCFiniteTimeAction* a : actions) {
    a->retain();
    m_actions.push_back(a);
    total += a->getDuration();
    m_ends.push_back(total);
  }
  return CCActionInterval::initWithDuration(total);
}

void CCSequence::startWithTarget(CCNode* pTarget) {
  CCActionInterval::startWithTarget(pTarget);
  m_current = 0;
  m_currentStarted = false;
}

void CCSequence::stop() {
  if (m_current < m_actions.size() && m_currentStarted) m_actions[m_current]->stop();
  m_currentStarted = false;
  CCActionInterval::stop();
}

void CCSequence::update(float t) {
  CCNode* target = m_pTarget;
  float now = t * m_fDuration;
  while (m_current < m_actions.size() && target) {
    CCFiniteTimeAction* a = m_actions[m_current];
    if (!m_currentStarted) {
      a->startWithTarget(target);
      m_currentStarted = true;
    }
    float end = m_ends[m_current];
    if (t >= 1 || now + kDoneEpsilon >= end) {
      // Every action that ends by now runs to its end, in order.
      a->update(1);
      a->stop();
      ++m_current;
      m_currentStarted = false;
      continue;
    }
    float d = a->getDuration();
    float start = end - d;
    a->update(d > 0 ? clamp01((now - start) / d) : 1);
    break;
  }
}

float CCSequence::nextChangeAt(float elapsed) {
  // An action not started yet starts at the next update.
  if (m_current >= m_actions.size() || !m_currentStarted) return elapsed;
  CCFiniteTimeAction* a = m_actions[m_current];
  const float end = m_ends[m_current], start = end - a->getDuration();
  return std::min(end, start + a->nextChangeAt(std::max(elapsed - start, 0.0f)));
}

CCActionInterval* CCSequence::reverse() {
  CCArray* arr = CCArray::create();
  for (size_t i = m_actions.size(); i-- > 0;) {
    CCFiniteTimeAction* r = m_actions[i]->reverse();
    if (!r) return nullptr;
    arr->addObject(r);
  }
  return CCSequence::create(arr);
}

// --- CCRepeat ---------------------------------------------------------------

CCRepeat::~CCRepeat() { CC_SAFE_RELEASE(m_pInnerAction); }

CCRepeat* CCRepeat::create(CCFiniteTimeAction* pAction, unsigned int times) {
  CCRepeat* r = new CCRepeat();
  return autoreleased(r, r->initWithAction(pAction, times));
}

bool CCRepeat::initWithAction(CCFiniteTimeAction* pAction, unsigned int times) {
  if (!pAction) return false;
  pAction->retain();
  m_pInnerAction = pAction;
  m_uTimes = times;
  return CCActionInterval::initWithDuration(pAction->getDuration() * times);
}

void CCRepeat::startWithTarget(CCNode* pTarget) {
  m_uTotal = 0;
  CCActionInterval::startWithTarget(pTarget);
  if (m_uTimes > 0) m_pInnerAction->startWithTarget(pTarget);
}

void CCRepeat::stop() {
  if (m_uTotal < m_uTimes) m_pInnerAction->stop();
  CCActionInterval::stop();
}

void CCRepeat::update(float t) {
  CCNode* target = m_pTarget;
  float total = t >= 1 ? (float)m_uTimes : t * m_uTimes;
  while (m_uTotal < m_uTimes && total + kDoneEpsilon >= m_uTotal + 1 && target) {
    m_pInnerAction->update(1);
    m_pInnerAction->stop();
    ++m_uTotal;
    if (m_uTotal < m_uTimes) m_pInnerAction->startWithTarget(target);
  }
  if (m_uTotal < m_uTimes && target) m_pInnerAction->update(clamp01(total - m_uTotal));
}

bool CCRepeat::isDone() { return m_uTotal >= m_uTimes; }

float CCRepeat::nextChangeAt(float elapsed) {
  const float d = m_pInnerAction->getDuration();
  if (m_uTotal >= m_uTimes || d <= 0) return elapsed;
  // The inner action's next change, or the end of this time round.
  const float start = (float)m_uTotal * d;
  return std::min(start + d, start + m_pInnerAction->nextChangeAt(std::max(elapsed - start, 0.0f)));
}

CCActionInterval* CCRepeat::reverse() {
  CCFiniteTimeAction* r = m_pInnerAction->reverse();
  return r ? CCRepeat::create(r, m_uTimes) : nullptr;
}

// --- CCRepeatForever --------------------------------------------------------

CCRepeatForever::~CCRepeatForever() { CC_SAFE_RELEASE(m_pInnerAction); }

CCRepeatForever* CCRepeatForever::create(CCActionInterval* pAction) {
  CCRepeatForever* r = new CCRepeatForever();
  return autoreleased(r, r->initWithAction(pAction));
}

bool CCRepeatForever::initWithAction(CCActionInterval* pAction) {
  if (!pAction) return false;
  pAction->retain();
  m_pInnerAction = pAction;
  return true;
}

void CCRepeatForever::startWithTarget(CCNode* pTarget) {
  CCActionInterval::startWithTarget(pTarget);
  m_pInnerAction->startWithTarget(pTarget);
}

void CCRepeatForever::stop() {
  m_pInnerAction->stop();
  CCActionInterval::stop();
}

void CCRepeatForever::step(float dt) {
  CCNode* target = m_pTarget;
  m_pInnerAction->step(dt);
  if (m_pInnerAction->isDone() && target) {
    float d = m_pInnerAction->getDuration();
    float diff = m_pInnerAction->getElapsed() - d;
    if (diff < 0 || diff > d) diff = 0;
    m_pInnerAction->startWithTarget(target);
    // An inner action without duration runs again next frame, not again now:
    // once a frame, never a busy loop.
    if (d <= FLT_EPSILON) return;
    m_pInnerAction->step(0.0f);
    m_pInnerAction->step(diff);
  }
}

float CCRepeatForever::getTimeToNextChange() { return m_pInnerAction->getTimeToNextChange(); }

CCActionInterval* CCRepeatForever::reverse() {
  CCActionInterval* r = m_pInnerAction->reverse();
  return r ? CCRepeatForever::create(r) : nullptr;
}

// --- CCSpawn ----------------------------------------------------------------

CCSpawn::~CCSpawn() {
  for (CCFiniteTimeAction* a : m_actions) a->release();
}

CCSpawn* CCSpawn::create(CCFiniteTimeAction* pAction1, ...) {
  std::vector<CCFiniteTimeAction*> v;
  va_list ap;
  va_start(ap, pAction1);
  collectActions(pAction1, ap, v);
  va_end(ap);
  CCSpawn* s = new CCSpawn();
  return autoreleased(s, s->initWithActions(v));
}

CCSpawn* CCSpawn::create(CCArray* arrayOfActions) {
  std::vector<CCFiniteTimeAction*> v;
  collectActions(arrayOfActions, v);
  CCSpawn* s = new CCSpawn();
  return autoreleased(s, s->initWithActions(v));
}

CCSpawn* CCSpawn::createWithTwoActions(CCFiniteTimeAction* a, CCFiniteTimeAction* b) {
  std::vector<CCFiniteTimeAction*> v;
  if (a) v.push_back(a);
  if (b) v.push_back(b);
  CCSpawn* s = new CCSpawn();
  return autoreleased(s, s->initWithActions(v));
}

bool CCSpawn::initWithActions(const std::vector<CCFiniteTimeAction*>& actions) {
  if (actions.empty()) return false;
  float d = 0;
  for (CCFiniteTimeAction* a : actions) {
    a->retain();
    m_actions.push_back(a);
    d = std::max(d, a->getDuration());
  }
  return CCActionInterval::initWithDuration(d);
}

void CCSpawn::startWithTarget(CCNode* pTarget) {
  CCActionInterval::startWithTarget(pTarget);
  m_done.assign(m_actions.size(), false);
  for (CCFiniteTimeAction* a : m_actions) a->startWithTarget(pTarget);
}

void CCSpawn::stop() {
  for (size_t i = 0; i < m_actions.size(); ++i)
    if (i < m_done.size() && !m_done[i]) m_actions[i]->stop();
  m_done.assign(m_actions.size(), true);
  CCActionInterval::stop();
}

void CCSpawn::update(float t) {
  float now = t * m_fDuration;
  for (size_t i = 0; i < m_actions.size() && m_pTarget; ++i) {
    if (m_done[i]) continue;
    float d = m_actions[i]->getDuration();
    float local = (t >= 1 || d <= 0) ? 1 : clamp01(now / d);
    m_actions[i]->update(local);
    if (local >= 1) {
      m_done[i] = true;
      m_actions[i]->stop();
    }
  }
}

float CCSpawn::nextChangeAt(float elapsed) {
  float next = m_fDuration;
  for (size_t i = 0; i < m_actions.size(); ++i) {
    if (i < m_done.size() && m_done[i]) continue;
    const float d = m_actions[i]->getDuration();
    next = std::min(next, std::min(d, m_actions[i]->nextChangeAt(std::min(elapsed, d))));
  }
  return std::max(next, elapsed);
}

CCActionInterval* CCSpawn::reverse() {
  CCArray* arr = CCArray::create();
  for (CCFiniteTimeAction* a : m_actions) {
    CCFiniteTimeAction* r = a->reverse();
    if (!r) return nullptr;
    arr->addObject(r);
  }
  return CCSpawn::create(arr);
}

// --- rotate -----------------------------------------------------------------

CCRotateTo* CCRotateTo::create(float fDuration, float fDeltaAngle) {
  CCRotateTo* a = new CCRotateTo();
  return autoreleased(a, a->initWithDuration(fDuration, fDeltaAngle));
}

bool CCRotateTo::initWithDuration(float fDuration, float fDeltaAngle) {
  m_fDstAngle = fDeltaAngle;
  return CCActionInterval::initWithDuration(fDuration);
}

void CCRotateTo::startWithTarget(CCNode* pTarget) {
  CCActionInterval::startWithTarget(pTarget);
  // The short way round from the current angle, as the engine turns.
  m_fStartAngle = pTarget->getRotation();
  m_fStartAngle = m_fStartAngle > 0 ? fmodf(m_fStartAngle, 360.0f) : fmodf(m_fStartAngle, -360.0f);
  m_fDiffAngle = m_fDstAngle - m_fStartAngle;
  if (m_fDiffAngle > 180) m_fDiffAngle -= 360;
  if (m_fDiffAngle < -180) m_fDiffAngle += 360;
}

void CCRotateTo::update(float time) {
  if (m_pTarget) m_pTarget->setRotation(m_fStartAngle + m_fDiffAngle * time);
}

CCRotateBy* CCRotateBy::create(float fDuration, float fDeltaAngle) {
  CCRotateBy* a = new CCRotateBy();
  return autoreleased(a, a->initWithDuration(fDuration, fDeltaAngle));
}

bool CCRotateBy::initWithDuration(float fDuration, float fDeltaAngle) {
  m_fAngle = fDeltaAngle;
  return CCActionInterval::initWithDuration(fDuration);
}

void CCRotateBy::startWithTarget(CCNode* pTarget) {
  CCActionInterval::startWithTarget(pTarget);
  m_fStartAngle = pTarget->getRotation();
}

void CCRotateBy::update(float time) {
  if (m_pTarget) m_pTarget->setRotation(m_fStartAngle + m_fAngle * time);
}

CCActionInterval* CCRotateBy::reverse() { return CCRotateBy::create(m_fDuration, -m_fAngle); }

// --- move / jump ------------------------------------------------------------

CCMoveBy* CCMoveBy::create(float duration, const CCPoint& deltaPosition) {
  CCMoveBy* a = new CCMoveBy();
  return autoreleased(a, a->initWithDuration(duration, deltaPosition));
}

bool CCMoveBy::initWithDuration(float duration, const CCPoint& deltaPosition) {
  m_positionDelta = deltaPosition;
  return CCActionInterval::initWithDuration(duration);
}

void CCMoveBy::startWithTarget(CCNode* pTarget) {
  CCActionInterval::startWithTarget(pTarget);
  m_previousPosition = m_startPosition = pTarget->getPosition();
}

void CCMoveBy::update(float t) {
  if (!m_pTarget) return;
  // Whatever else moved the node since our last step moves our path along.
  m_startPosition = m_startPosition + (m_pTarget->getPosition() - m_previousPosition);
  m_previousPosition = m_startPosition + m_positionDelta * t;
  m_pTarget->setPosition(m_previousPosition);
}

CCActionInterval* CCMoveBy::reverse() { return CCMoveBy::create(m_fDuration, -m_positionDelta); }

CCMoveTo* CCMoveTo::create(float duration, const CCPoint& position) {
  CCMoveTo* a = new CCMoveTo();
  return autoreleased(a, a->initWithDuration(duration, position));
}

bool CCMoveTo::initWithDuration(float duration, const CCPoint& position) {
  m_endPosition = position;
  return CCActionInterval::initWithDuration(duration);
}

void CCMoveTo::startWithTarget(CCNode* pTarget) {
  CCMoveBy::startWithTarget(pTarget);
  m_positionDelta = m_endPosition - pTarget->getPosition();
}

CCJumpBy* CCJumpBy::create(float duration, const CCPoint& position, float height, unsigned int jumps) {
  CCJumpBy* a = new CCJumpBy();
  return autoreleased(a, a->initWithDuration(duration, position, height, jumps));
}

bool CCJumpBy::initWithDuration(float duration, const CCPoint& position, float height, unsigned int jumps) {
  m_delta = position;
  m_height = height;
  m_nJumps = jumps;
  return CCActionInterval::initWithDuration(duration);
}

void CCJumpBy::startWithTarget(CCNode* pTarget) {
  CCActionInterval::startWithTarget(pTarget);
  m_previousPosition = m_startPosition = pTarget->getPosition();
}

void CCJumpBy::update(float t) {
  if (!m_pTarget) return;
  float frac = fmodf(t * m_nJumps, 1.0f);
  float y = m_height * 4 * frac * (1 - frac) + m_delta.y * t;
  // Stacks like a move.
  m_startPosition = m_startPosition + (m_pTarget->getPosition() - m_previousPosition);
  m_previousPosition = m_startPosition + CCPoint(m_delta.x * t, y);
  m_pTarget->setPosition(m_previousPosition);
}

CCActionInterval* CCJumpBy::reverse() { return CCJumpBy::create(m_fDuration, -m_delta, m_height, m_nJumps); }

CCJumpTo* CCJumpTo::create(float duration, const CCPoint& position, float height, int jumps) {
  CCJumpTo* a = new CCJumpTo();
  bool ok = a->initWithDuration(duration, position, height, jumps > 0 ? (unsigned int)jumps : 0);
  a->m_endPosition = position;
  return autoreleased(a, ok);
}

void CCJumpTo::startWithTarget(CCNode* pTarget) {
  CCJumpBy::startWithTarget(pTarget);
  m_delta = m_endPosition - m_startPosition;
}

// --- scale ------------------------------------------------------------------

CCScaleTo* CCScaleTo::create(float duration, float s) {
  CCScaleTo* a = new CCScaleTo();
  return autoreleased(a, a->initWithDuration(duration, s));
}

CCScaleTo* CCScaleTo::create(float duration, float sx, float sy) {
  CCScaleTo* a = new CCScaleTo();
  return autoreleased(a, a->initWithDuration(duration, sx, sy));
}

bool CCScaleTo::initWithDuration(float duration, float s) { return initWithDuration(duration, s, s); }

bool CCScaleTo::initWithDuration(float duration, float sx, float sy) {
  m_fEndScaleX = sx;
  m_fEndScaleY = sy;
  return CCActionInterval::initWithDuration(duration);
}

void CCScaleTo::startWithTarget(CCNode* pTarget) {
  CCActionInterval::startWithTarget(pTarget);
  m_fStartScaleX = pTarget->getScaleX();
  m_fStartScaleY = pTarget->getScaleY();
  m_fDeltaX = m_fEndScaleX - m_fStartScaleX;
  m_fDeltaY = m_fEndScaleY - m_fStartScaleY;
}

void CCScaleTo::update(float t) {
  if (!m_pTarget) return;
  m_pTarget->setScaleX(m_fStartScaleX + m_fDeltaX * t);
  m_pTarget->setScaleY(m_fStartScaleY + m_fDeltaY * t);
}

CCScaleBy* CCScaleBy::create(float duration, float s) {
  CCScaleBy* a = new CCScaleBy();
  return autoreleased(a, a->initWithDuration(duration, s));
}

CCScaleBy* CCScaleBy::create(float duration, float sx, float sy) {
  CCScaleBy* a = new CCScaleBy();
  return autoreleased(a, a->initWithDuration(duration, sx, sy));
}

void CCScaleBy::startWithTarget(CCNode* pTarget) {
  CCScaleTo::startWithTarget(pTarget);
  m_fDeltaX = m_fStartScaleX * m_fEndScaleX - m_fStartScaleX;
  m_fDeltaY = m_fStartScaleY * m_fEndScaleY - m_fStartScaleY;
}

CCActionInterval* CCScaleBy::reverse() {
  if (m_fEndScaleX == 0 || m_fEndScaleY == 0) return nullptr;
  return CCScaleBy::create(m_fDuration, 1 / m_fEndScaleX, 1 / m_fEndScaleY);
}

// --- blink ------------------------------------------------------------------

CCBlink* CCBlink::create(float duration, unsigned int uBlinks) {
  CCBlink* a = new CCBlink();
  return autoreleased(a, a->initWithDuration(duration, uBlinks));
}

bool CCBlink::initWithDuration(float duration, unsigned int uBlinks) {
  m_nTimes = uBlinks;
  return CCActionInterval::initWithDuration(duration);
}

void CCBlink::startWithTarget(CCNode* pTarget) {
  CCActionInterval::startWithTarget(pTarget);
  m_bOriginalState = pTarget->isVisible();
}

void CCBlink::update(float time) {
  if (!m_pTarget || m_nTimes == 0 || time >= 1) return;
  float slice = 1.0f / m_nTimes;
  float m = fmodf(time, slice);
  m_pTarget->setVisible(m > slice / 2);
}

void CCBlink::stop() {
  if (m_pTarget) m_pTarget->setVisible(m_bOriginalState);
  CCActionInterval::stop();
}

float CCBlink::nextChangeAt(float elapsed) {
  if (m_nTimes == 0 || m_fDuration <= 0) return m_fDuration;
  // It shows or hides at every half of a blink.
  const float half = m_fDuration / (float)m_nTimes / 2;
  return std::min(m_fDuration, (std::floor(elapsed / half) + 1) * half);
}

CCActionInterval* CCBlink::reverse() { return CCBlink::create(m_fDuration, m_nTimes); }

// --- fade / tint ------------------------------------------------------------

static CCRGBAProtocol* rgba(CCNode* n) { return dynamic_cast<CCRGBAProtocol*>(n); }

CCFadeTo* CCFadeTo::create(float duration, unsigned char opacity) {
  CCFadeTo* a = new CCFadeTo();
  return autoreleased(a, a->initWithDuration(duration, opacity));
}

bool CCFadeTo::initWithDuration(float duration, unsigned char opacity) {
  m_toOpacity = opacity;
  return CCActionInterval::initWithDuration(duration);
}

void CCFadeTo::startWithTarget(CCNode* pTarget) {
  CCActionInterval::startWithTarget(pTarget);
  if (CCRGBAProtocol* p = rgba(pTarget)) m_fromOpacity = p->getOpacity();
}

void CCFadeTo::update(float time) {
  if (CCRGBAProtocol* p = rgba(m_pTarget))
    p->setOpacity((unsigned char)(m_fromOpacity + (m_toOpacity - m_fromOpacity) * time));
}

CCFadeIn* CCFadeIn::create(float d) {
  CCFadeIn* a = new CCFadeIn();
  return autoreleased(a, a->initWithDuration(d));
}

void CCFadeIn::update(float time) {
  if (CCRGBAProtocol* p = rgba(m_pTarget)) p->setOpacity((unsigned char)(255 * time));
}

CCActionInterval* CCFadeIn::reverse() { return CCFadeOut::create(m_fDuration); }

CCFadeOut* CCFadeOut::create(float d) {
  CCFadeOut* a = new CCFadeOut();
  return autoreleased(a, a->initWithDuration(d));
}

void CCFadeOut::update(float time) {
  if (CCRGBAProtocol* p = rgba(m_pTarget)) p->setOpacity((unsigned char)(255 * (1 - time)));
}

CCActionInterval* CCFadeOut::reverse() { return CCFadeIn::create(m_fDuration); }

CCTintTo* CCTintTo::create(float duration, unsigned char r, unsigned char g, unsigned char b) {
  CCTintTo* a = new CCTintTo();
  return autoreleased(a, a->initWithDuration(duration, r, g, b));
}

bool CCTintTo::initWithDuration(float duration, unsigned char r, unsigned char g, unsigned char b) {
  m_to = ccc3(r, g, b);
  return CCActionInterval::initWithDuration(duration);
}

void CCTintTo::startWithTarget(CCNode* pTarget) {
  CCActionInterval::startWithTarget(pTarget);
  if (CCRGBAProtocol* p = rgba(pTarget)) m_from = p->getColor();
}

void CCTintTo::update(float t) {
  if (CCRGBAProtocol* p = rgba(m_pTarget))
    p->setColor(ccc3((uint8_t)(m_from.r + (m_to.r - m_from.r) * t), (uint8_t)(m_from.g + (m_to.g - m_from.g) * t),
                     (uint8_t)(m_from.b + (m_to.b - m_from.b) * t)));
}

CCTintBy* CCTintBy::create(float duration, short r, short g, short b) {
  CCTintBy* a = new CCTintBy();
  return autoreleased(a, a->initWithDuration(duration, r, g, b));
}

bool CCTintBy::initWithDuration(float duration, short r, short g, short b) {
  m_deltaR = r;
  m_deltaG = g;
  m_deltaB = b;
  return CCActionInterval::initWithDuration(duration);
}

void CCTintBy::startWithTarget(CCNode* pTarget) {
  CCActionInterval::startWithTarget(pTarget);
  if (CCRGBAProtocol* p = rgba(pTarget)) {
    ccColor3B c = p->getColor();
    m_fromR = c.r;
    m_fromG = c.g;
    m_fromB = c.b;
  }
}

static uint8_t clampByte(float v) { return (uint8_t)(v < 0 ? 0 : (v > 255 ? 255 : v)); }

void CCTintBy::update(float t) {
  if (CCRGBAProtocol* p = rgba(m_pTarget))
    p->setColor(
        ccc3(clampByte(m_fromR + m_deltaR * t), clampByte(m_fromG + m_deltaG * t), clampByte(m_fromB + m_deltaB * t)));
}

CCActionInterval* CCTintBy::reverse() { return CCTintBy::create(m_fDuration, -m_deltaR, -m_deltaG, -m_deltaB); }

CCDelayTime* CCDelayTime::create(float d) {
  CCDelayTime* a = new CCDelayTime();
  return autoreleased(a, a->initWithDuration(d));
}

CCActionInterval* CCDelayTime::reverse() { return CCDelayTime::create(m_fDuration); }

// --- animate ----------------------------------------------------------------

CCAnimate::CCAnimate() {}

CCAnimate::~CCAnimate() {
  CC_SAFE_RELEASE(m_pAnimation);
  CC_SAFE_RELEASE(m_pOrigFrame);
}

CCAnimate* CCAnimate::create(CCAnimation* pAnimation) {
  CCAnimate* a = new CCAnimate();
  return autoreleased(a, a->initWithAnimation(pAnimation));
}

bool CCAnimate::initWithAnimation(CCAnimation* pAnimation) {
  if (!pAnimation) return false;
  float single = pAnimation->getDuration();
  if (!CCActionInterval::initWithDuration(single * pAnimation->getLoops())) return false;
  pAnimation->retain();
  m_pAnimation = pAnimation;
  m_splitTimes.clear();
  float accum = 0;
  float total = pAnimation->getTotalDelayUnits();
  CCObject* o;
  CCARRAY_FOREACH(pAnimation->getFrames(), o) {
    CCAnimationFrame* f = static_cast<CCAnimationFrame*>(o);
    m_splitTimes.push_back(total > 0 ? accum / total : 0);
    accum += f->getDelayUnits();
  }
  return true;
}

void CCAnimate::startWithTarget(CCNode* pTarget) {
  CCActionInterval::startWithTarget(pTarget);
  CCSprite* sprite = dynamic_cast<CCSprite*>(pTarget);
  CC_SAFE_RELEASE_NULL(m_pOrigFrame);
  if (m_pAnimation->getRestoreOriginalFrame() && sprite) {
    m_pOrigFrame = sprite->displayFrame();
    CC_SAFE_RETAIN(m_pOrigFrame);
  }
  m_nNextFrame = 0;
  m_uExecutedLoops = 0;
}

void CCAnimate::stop() {
  CCSprite* sprite = dynamic_cast<CCSprite*>(m_pTarget);
  if (m_pAnimation->getRestoreOriginalFrame() && sprite && m_pOrigFrame) sprite->setDisplayFrame(m_pOrigFrame);
  CCActionInterval::stop();
}

void CCAnimate::update(float t) {
  CCSprite* sprite = dynamic_cast<CCSprite*>(m_pTarget);
  if (!sprite) return;
  if (t < 1.0f) {
    t *= m_pAnimation->getLoops();
    unsigned int loopNumber = (unsigned int)t;
    if (loopNumber > m_uExecutedLoops) {
      m_nNextFrame = 0;
      ++m_uExecutedLoops;
    }
    t = fmodf(t, 1.0f);
  }
  CCArray* frames = m_pAnimation->getFrames();
  int n = (int)frames->count();
  for (int i = m_nNextFrame; i < n && i < (int)m_splitTimes.size(); ++i) {
    if (m_splitTimes[(size_t)i] > t) break;
    CCAnimationFrame* f = static_cast<CCAnimationFrame*>(frames->objectAtIndex((unsigned int)i));
    if (f->getSpriteFrame()) sprite->setDisplayFrame(f->getSpriteFrame());
    m_nNextFrame = i + 1;
  }
}

float CCAnimate::nextChangeAt(float elapsed) {
  const unsigned int loops = m_pAnimation->getLoops();
  if (m_fDuration <= 0 || loops == 0) return elapsed;
  const float single = m_fDuration / (float)loops;
  const int n = (int)std::min<size_t>(m_pAnimation->getFrames()->count(), m_splitTimes.size());
  // The next frame of this time round, else the first of the next round.
  const float round = (float)m_uExecutedLoops;
  const float next =
      m_nNextFrame < n ? (round + m_splitTimes[(size_t)m_nNextFrame]) * single : (round + 1) * single;
  return std::max(elapsed, std::min(next, m_fDuration));
}

CCActionInterval* CCAnimate::reverse() {
  CCArray* frames = CCArray::create();
  CCObject* o;
  CCARRAY_FOREACH_REVERSE(m_pAnimation->getFrames(), o) {
    CCObject* c = o->copy();
    frames->addObject(c);
    c->release();
  }
  CCAnimation* anim = CCAnimation::create(frames, m_pAnimation->getDelayPerUnit(), m_pAnimation->getLoops());
  anim->setRestoreOriginalFrame(m_pAnimation->getRestoreOriginalFrame());
  return CCAnimate::create(anim);
}

// --- targeted ---------------------------------------------------------------

CCTargetedAction::~CCTargetedAction() {
  CC_SAFE_RELEASE(m_pForcedTarget);
  CC_SAFE_RELEASE(m_pAction);
}

CCTargetedAction* CCTargetedAction::create(CCNode* pTarget, CCFiniteTimeAction* pAction) {
  CCTargetedAction* a = new CCTargetedAction();
  return autoreleased(a, a->initWithTarget(pTarget, pAction));
}

bool CCTargetedAction::initWithTarget(CCNode* pTarget, CCFiniteTimeAction* pAction) {
  if (!pTarget || !pAction) return false;
  if (!CCActionInterval::initWithDuration(pAction->getDuration())) return false;
  pTarget->retain();
  m_pForcedTarget = pTarget;
  pAction->retain();
  m_pAction = pAction;
  return true;
}

void CCTargetedAction::startWithTarget(CCNode* pTarget) {
  CCActionInterval::startWithTarget(pTarget);
  m_pAction->startWithTarget(m_pForcedTarget);
}

void CCTargetedAction::stop() {
  m_pAction->stop();
  CCActionInterval::stop();
}

void CCTargetedAction::update(float time) { m_pAction->update(time); }

NS_CC_END
