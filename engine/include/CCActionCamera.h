#ifndef KEST_CC_ACTION_CAMERA_H
#define KEST_CC_ACTION_CAMERA_H

// The orbit camera as a 2D renderer can show it: turning around the Y axis
// by angle Z is drawn as a horizontal scale of cos(angle), mirrored past 90°.

#include "CCActionInterval.h"

NS_CC_BEGIN

class CCOrbitCamera : public CCActionInterval {
 public:
  static CCOrbitCamera* create(float t, float radius, float deltaRadius, float angleZ, float deltaAngleZ, float angleX,
                               float deltaAngleX);
  bool initWithDuration(float t, float radius, float deltaRadius, float angleZ, float deltaAngleZ, float angleX,
                        float deltaAngleX);
  void startWithTarget(CCNode* pTarget) override;
  void update(float time) override;

 protected:
  float m_fAngleZ = 0;
  float m_fDeltaAngleZ = 0;
};

NS_CC_END

#endif
