#include "CCActionEase.h"

#include <cmath>

NS_CC_BEGIN

static const float kPi = 3.14159265358979f;

namespace ease {

static float bounceTime(float t) {
  if (t < 1 / 2.75f) return 7.5625f * t * t;
  if (t < 2 / 2.75f) {
    t -= 1.5f / 2.75f;
    return 7.5625f * t * t + 0.75f;
  }
  if (t < 2.5f / 2.75f) {
    t -= 2.25f / 2.75f;
    return 7.5625f * t * t + 0.9375f;
  }
  t -= 2.625f / 2.75f;
  return 7.5625f * t * t + 0.984375f;
}

float bounceOut(float t) { return bounceTime(t); }
float bounceIn(float t) { return 1 - bounceTime(1 - t); }
float bounceInOut(float t) {
  if (t < 0.5f) return (1 - bounceTime(1 - t * 2)) * 0.5f;
  return bounceTime(t * 2 - 1) * 0.5f + 0.5f;
}

float backIn(float t) {
  const float o = 1.70158f;
  return t * t * ((o + 1) * t - o);
}
float backOut(float t) {
  const float o = 1.70158f;
  t = t - 1;
  return t * t * ((o + 1) * t + o) + 1;
}
float backInOut(float t) {
  const float o = 1.70158f * 1.525f;
  t = t * 2;
  if (t < 1) return (t * t * ((o + 1) * t - o)) / 2;
  t = t - 2;
  return (t * t * ((o + 1) * t + o)) / 2 + 1;
}

float elasticIn(float t, float period) {
  if (t == 0 || t == 1) return t;
  float s = period / 4;
  t = t - 1;
  return -powf(2, 10 * t) * sinf((t - s) * kPi * 2 / period);
}
float elasticOut(float t, float period) {
  if (t == 0 || t == 1) return t;
  float s = period / 4;
  return powf(2, -10 * t) * sinf((t - s) * kPi * 2 / period) + 1;
}
float elasticInOut(float t, float period) {
  if (t == 0 || t == 1) return t;
  t = t * 2;
  if (period == 0) period = 0.3f * 1.5f;
  float s = period / 4;
  t = t - 1;
  if (t < 0) return -0.5f * powf(2, 10 * t) * sinf((t - s) * kPi * 2 / period);
  return powf(2, -10 * t) * sinf((t - s) * kPi * 2 / period) * 0.5f + 1;
}

}  // namespace ease

// --- base -------------------------------------------------------------------

CCActionEase::~CCActionEase() { CC_SAFE_RELEASE(m_pInner); }

CCActionEase* CCActionEase::create(CCActionInterval* pAction) {
  CCActionEase* e = new CCActionEase();
  if (e->initWithAction(pAction)) {
    e->autorelease();
    return e;
  }
  delete e;
  return nullptr;
}

bool CCActionEase::initWithAction(CCActionInterval* pAction) {
  if (!pAction) return false;
  if (!CCActionInterval::initWithDuration(pAction->getDuration())) return false;
  pAction->retain();
  m_pInner = pAction;
  return true;
}

void CCActionEase::startWithTarget(CCNode* pTarget) {
  CCActionInterval::startWithTarget(pTarget);
  m_pInner->startWithTarget(pTarget);
}

void CCActionEase::stop() {
  m_pInner->stop();
  CCActionInterval::stop();
}

void CCActionEase::update(float time) { m_pInner->update(time); }

CCActionInterval* CCActionEase::reverse() {
  CCActionInterval* r = m_pInner->reverse();
  return r ? CCActionEase::create(r) : nullptr;
}

CCEaseRateAction* CCEaseRateAction::create(CCActionInterval* pAction, float fRate) {
  CCEaseRateAction* e = new CCEaseRateAction();
  if (e->initWithAction(pAction, fRate)) {
    e->autorelease();
    return e;
  }
  delete e;
  return nullptr;
}

bool CCEaseRateAction::initWithAction(CCActionInterval* pAction, float fRate) {
  m_fRate = fRate;
  return CCActionEase::initWithAction(pAction);
}

bool CCEaseElastic::initWithAction(CCActionInterval* pAction, float fPeriod) {
  m_fPeriod = fPeriod;
  return CCActionEase::initWithAction(pAction);
}

// --- the curves -------------------------------------------------------------

// One ease: create with the given parameters, the curve, and the reverse
// built with the same parameter (Params, InitArgs and ReverseArgs in parentheses).
#define KEST_EASE_DEFINE(Name, Formula, Reverse, Params, InitArgs, ReverseArgs) \
  Name* Name::create Params {                                                   \
    Name* e = new Name();                                                       \
    if (e->initWithAction InitArgs) {                                           \
      e->autorelease();                                                         \
      return e;                                                                 \
    }                                                                           \
    delete e;                                                                   \
    return nullptr;                                                             \
  }                                                                             \
  void Name::update(float t) { m_pInner->update(Formula); }                     \
  CCActionInterval* Name::reverse() {                                           \
    CCActionInterval* r = m_pInner->reverse();                                  \
    return r ? Reverse::create ReverseArgs : nullptr;                           \
  }

#define KEST_EASE_RATE_IMPL(Name, Formula, Reverse) \
  KEST_EASE_DEFINE(Name, Formula, Reverse, (CCActionInterval * pAction, float fRate), (pAction, fRate), (r, m_fRate))
#define KEST_EASE_IMPL(Name, Formula, Reverse) \
  KEST_EASE_DEFINE(Name, Formula, Reverse, (CCActionInterval * pAction), (pAction), (r))
#define KEST_EASE_ELASTIC_IMPL(Name, Formula, Reverse)                                                      \
  KEST_EASE_DEFINE(Name, Formula, Reverse, (CCActionInterval * pAction, float fPeriod), (pAction, fPeriod), \
                   (r, m_fPeriod))

static float easeInOut(float t, float rate) {
  t *= 2;
  if (t < 1) return 0.5f * powf(t, rate);
  return 1.0f - 0.5f * powf(2 - t, rate);
}

KEST_EASE_RATE_IMPL(CCEaseIn, powf(t, m_fRate), CCEaseOut)
KEST_EASE_RATE_IMPL(CCEaseOut, powf(t, 1 / m_fRate), CCEaseIn)
KEST_EASE_RATE_IMPL(CCEaseInOut, easeInOut(t, m_fRate), CCEaseInOut)

static float expIn(float t) { return t == 0 ? 0 : powf(2, 10 * (t - 1)) - 0.001f; }
static float expOut(float t) { return t == 1 ? 1 : -powf(2, -10 * t) + 1; }
static float expInOut(float t) {
  t /= 0.5f;
  if (t < 1) return 0.5f * powf(2, 10 * (t - 1));
  return 0.5f * (-powf(2, -10 * (t - 1)) + 2);
}

KEST_EASE_IMPL(CCEaseExponentialIn, expIn(t), CCEaseExponentialOut)
KEST_EASE_IMPL(CCEaseExponentialOut, expOut(t), CCEaseExponentialIn)
KEST_EASE_IMPL(CCEaseExponentialInOut, expInOut(t), CCEaseExponentialInOut)
KEST_EASE_IMPL(CCEaseSineIn, -cosf(t* kPi / 2) + 1, CCEaseSineOut)
KEST_EASE_IMPL(CCEaseSineOut, sinf(t* kPi / 2), CCEaseSineIn)
KEST_EASE_IMPL(CCEaseSineInOut, -0.5f * (cosf(kPi * t) - 1), CCEaseSineInOut)
KEST_EASE_IMPL(CCEaseBounceIn, ease::bounceIn(t), CCEaseBounceOut)
KEST_EASE_IMPL(CCEaseBounceOut, ease::bounceOut(t), CCEaseBounceIn)
KEST_EASE_IMPL(CCEaseBounceInOut, ease::bounceInOut(t), CCEaseBounceInOut)
KEST_EASE_IMPL(CCEaseBackIn, ease::backIn(t), CCEaseBackOut)
KEST_EASE_IMPL(CCEaseBackOut, ease::backOut(t), CCEaseBackIn)
KEST_EASE_IMPL(CCEaseBackInOut, ease::backInOut(t), CCEaseBackInOut)

KEST_EASE_ELASTIC_IMPL(CCEaseElasticIn, ease::elasticIn(t, m_fPeriod), CCEaseElasticOut)
KEST_EASE_ELASTIC_IMPL(CCEaseElasticOut, ease::elasticOut(t, m_fPeriod), CCEaseElasticIn)
KEST_EASE_ELASTIC_IMPL(CCEaseElasticInOut, ease::elasticInOut(t, m_fPeriod), CCEaseElasticInOut)

NS_CC_END
