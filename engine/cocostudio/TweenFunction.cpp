#include "TweenFunction.h"

#include <algorithm>
#include <cmath>

namespace cocos2d {
namespace extension {

namespace {
const float kPi = 3.14159265358979f;

float powIn(float t, float e) { return std::pow(t, e); }
float powOut(float t, float e) { return 1 - std::pow(1 - t, e); }
float powInOut(float t, float e) { return t < 0.5f ? std::pow(2 * t, e) / 2 : 1 - std::pow(2 * (1 - t), e) / 2; }
float expoIn(float t) { return t == 0 ? 0 : std::pow(2.0f, 10 * (t - 1)) - 0.001f; }
float expoOut(float t) { return t == 1 ? 1 : -std::pow(2.0f, -10 * t) + 1; }
float expoInOut(float t) {
  if (t <= 0 || t >= 1) return t <= 0 ? 0 : 1;
  t *= 2;
  return t < 1 ? 0.5f * std::pow(2.0f, 10 * (t - 1)) : 0.5f * (-std::pow(2.0f, -10 * (t - 1)) + 2);
}
float circIn(float t) { return -(std::sqrt(std::max(0.0f, 1 - t * t)) - 1); }
float circOut(float t) {
  t -= 1;
  return std::sqrt(std::max(0.0f, 1 - t * t));
}
float circInOut(float t) {
  t *= 2;
  if (t < 1) return -0.5f * (std::sqrt(std::max(0.0f, 1 - t * t)) - 1);
  t -= 2;
  return 0.5f * (std::sqrt(std::max(0.0f, 1 - t * t)) + 1);
}

float bezier(float t, const float* p, int n) {
  float y0, y1, y2, y3;
  if (n >= 8) {
    y0 = p[1], y1 = p[3], y2 = p[5], y3 = p[7];
  } else if (n >= 4) {
    y0 = p[0], y1 = p[1], y2 = p[2], y3 = p[3];
  } else {
    return t;
  }
  float u = 1 - t;
  return y0 * u * u * u + 3 * y1 * t * u * u + 3 * y2 * t * t * u + y3 * t * t * t;
}
}  // namespace

float ccTweenTo(float t, int type, const float* params, int paramCount) {
  t = std::min(std::max(t, 0.0f), 1.0f);
  switch (type) {
    case kTweenCustom: return params ? bezier(t, params, paramCount) : t;
    case 1: return -std::cos(t * kPi / 2) + 1;
    case 2: return std::sin(t * kPi / 2);
    case 3: return -0.5f * (std::cos(kPi * t) - 1);
    case 4: return powIn(t, 2);
    case 5: return powOut(t, 2);
    case 6: return powInOut(t, 2);
    case 7: return powIn(t, 3);
    case 8: return powOut(t, 3);
    case 9: return powInOut(t, 3);
    case 10: return powIn(t, 4);
    case 11: return powOut(t, 4);
    case 12: return powInOut(t, 4);
    case 13: return powIn(t, 5);
    case 14: return powOut(t, 5);
    case 15: return powInOut(t, 5);
    case 16: return expoIn(t);
    case 17: return expoOut(t);
    case 18: return expoInOut(t);
    case 19: return circIn(t);
    case 20: return circOut(t);
    case 21: return circInOut(t);
    case 22: return ease::elasticIn(t, 0.3f);
    case 23: return ease::elasticOut(t, 0.3f);
    case 24: return ease::elasticInOut(t, 0.45f);
    case 25: return ease::backIn(t);
    case 26: return ease::backOut(t);
    case 27: return ease::backInOut(t);
    case 28: return ease::bounceIn(t);
    case 29: return ease::bounceOut(t);
    case 30: return ease::bounceInOut(t);
    default: return t;
  }
}

CCEaseTween* CCEaseTween::create(CCActionInterval* action, int type, const float* params, int paramCount) {
  CCEaseTween* e = new CCEaseTween();
  if (!e->initWithAction(action)) {
    delete e;
    return nullptr;
  }
  e->m_type = type;
  e->m_paramCount = std::min(std::max(paramCount, 0), 8);
  for (int i = 0; i < e->m_paramCount; ++i) e->m_params[i] = params[i];
  e->autorelease();
  return e;
}

void CCEaseTween::update(float time) {
  if (m_pInner) m_pInner->update(ccTweenTo(time, m_type, m_params, m_paramCount));
}

}  // namespace extension
}  // namespace cocos2d
