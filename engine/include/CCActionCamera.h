#ifndef KEST_CC_ACTION_CAMERA_H
#define KEST_CC_ACTION_CAMERA_H

// Actions that move the target's camera (CCCamera.h): the orbit camera
// moves the eye round a sphere about the camera's centre, which turns the
// target in 3D; the card flips of the games are two quarter orbits.

#include "CCActionInterval.h"

NS_CC_BEGIN

class CCActionCamera : public CCActionInterval {
 public:
  // Takes the camera's centre, eye and up as the target has them.
  void startWithTarget(CCNode* pTarget) override;

 protected:
  float m_fCenterXOrig = 0, m_fCenterYOrig = 0, m_fCenterZOrig = 0;
  float m_fEyeXOrig = 0, m_fEyeYOrig = 0, m_fEyeZOrig = 0;
  float m_fUpXOrig = 0, m_fUpYOrig = 0, m_fUpZOrig = 0;
};

// Angles in degrees: Z is the zenith (0 = looking straight down at the
// node, 90 = from its right edge), X the azimuth round the node's normal.
// The radius counts in units of CCCamera::getZEye(). A NaN radius or angle
// starts from where the camera is.
class CCOrbitCamera : public CCActionCamera {
 public:
  static CCOrbitCamera* create(float t, float radius, float deltaRadius, float angleZ, float deltaAngleZ, float angleX,
                               float deltaAngleX);
  bool initWithDuration(float t, float radius, float deltaRadius, float angleZ, float deltaAngleZ, float angleX,
                        float deltaAngleX);
  void startWithTarget(CCNode* pTarget) override;
  void update(float time) override;
  // The camera's eye in spherical coordinates about its centre (radians).
  void sphericalRadius(float* newRadius, float* zenith, float* azimuth);

 protected:
  float m_fRadius = 0, m_fDeltaRadius = 0;
  float m_fAngleZ = 0, m_fDeltaAngleZ = 0;
  float m_fAngleX = 0, m_fDeltaAngleX = 0;
  float m_fRadZ = 0, m_fRadDeltaZ = 0;
  float m_fRadX = 0, m_fRadDeltaX = 0;
};

NS_CC_END

#endif
