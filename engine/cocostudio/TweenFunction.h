#ifndef KEST_COCOSTUDIO_TWEEN_FUNCTION_H
#define KEST_COCOSTUDIO_TWEEN_FUNCTION_H

// The easing curves CocoStudio files name by number: 0 linear, 1..30 Sine,
// Quad, Cubic, Quart, Quint, Expo, Circ, Elastic, Back, Bounce, each In,
// Out and InOut in that order; -1 a cubic curve through the given
// parameters (y values; 4 of them, or 8 as x,y pairs). Anything else is
// linear.

#include "CCActionEase.h"

namespace cocos2d {
namespace extension {

enum { kTweenLinear = 0, kTweenCustom = -1 };

float ccTweenTo(float t, int type, const float* params = nullptr, int paramCount = 0);

// An ease by one of those curves.
class CCEaseTween : public CCActionEase {
 public:
  static CCEaseTween* create(CCActionInterval* action, int type, const float* params = nullptr, int paramCount = 0);
  void update(float time) override;

 protected:
  int m_type = kTweenLinear;
  float m_params[8] = {};
  int m_paramCount = 0;
};

}  // namespace extension
}  // namespace cocos2d

#endif
