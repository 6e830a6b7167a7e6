#ifndef KEST_CC_CAMERA_H
#define KEST_CC_CAMERA_H

// A node's camera: where the eye that looks at the node stands, relative to
// the node's anchor point. At rest the eye looks straight down at the node;
// moved (CCOrbitCamera moves it round a sphere) it turns the node and its
// subtree in 3D about the anchor point, and the director's perspective draws
// the turned node foreshortened.
//
// The director's perspective is the stock 60-degree one: the eye stands over
// the middle of the window, height / 1.1566 points in front of the screen,
// so a point coming towards the viewer grows and one going away shrinks.
// Touches and node-space conversions ignore the camera, as the stock engine's do.

#include "CCObject.h"

NS_CC_BEGIN

class CCCamera : public CCObject {
 public:
  CCCamera();
  const char* description();

  // Back to the eye looking straight down (not dirty).
  void restore();
  void setEyeXYZ(float x, float y, float z);
  void getEyeXYZ(float* x, float* y, float* z) const;
  void setCenterXYZ(float x, float y, float z);
  void getCenterXYZ(float* x, float* y, float* z) const;
  void setUpXYZ(float x, float y, float z);
  void getUpXYZ(float* x, float* y, float* z) const;
  // Set by any change since restore.
  bool isDirty() const { return m_bDirty; }
  void setDirty(bool dirty) { m_bDirty = dirty; }

  // The turn the camera gives a point of the node: a row-major 3 x 3
  // rotation (the look-at of eye, centre and up; the eye's tiny distance
  // adds no translation worth drawing). False, and the identity, when the
  // camera does not turn the node (at rest, or looking straight again).
  bool getTurn(float m[9]) const;

  // The eye's distance at rest: the stock engine's FLT_EPSILON, so an orbit
  // of radius 1 turns the node without moving it.
  static float getZEye();
  // Where the director's eye stands in front of the screen, in points.
  static float getPerspectiveDistance(float winHeight) { return winHeight / 1.1566f; }

 private:
  float m_fEyeX, m_fEyeY, m_fEyeZ;
  float m_fCenterX, m_fCenterY, m_fCenterZ;
  float m_fUpX, m_fUpY, m_fUpZ;
  bool m_bDirty = false;
};

NS_CC_END

#endif
