#include "CCCamera.h"

#include <cfloat>
#include <cmath>

#include "CCActionCamera.h"
#include "CCNode.h"

NS_CC_BEGIN

// --- CCCamera -----------------------------------------------------------------

CCCamera::CCCamera() { restore(); }

const char* CCCamera::description() { return "<CCCamera>"; }

float CCCamera::getZEye() { return FLT_EPSILON; }

void CCCamera::restore() {
  m_fEyeX = m_fEyeY = 0.0f;
  m_fEyeZ = getZEye();
  m_fCenterX = m_fCenterY = m_fCenterZ = 0.0f;
  m_fUpX = 0.0f;
  m_fUpY = 1.0f;
  m_fUpZ = 0.0f;
  if (m_bDirty) ccSetNeedsRedraw();
  m_bDirty = false;
}

void CCCamera::setEyeXYZ(float x, float y, float z) {
  m_fEyeX = x;
  m_fEyeY = y;
  m_fEyeZ = z;
  m_bDirty = true;
  ccSetNeedsRedraw();
}

void CCCamera::getEyeXYZ(float* x, float* y, float* z) const {
  *x = m_fEyeX;
  *y = m_fEyeY;
  *z = m_fEyeZ;
}

void CCCamera::setCenterXYZ(float x, float y, float z) {
  m_fCenterX = x;
  m_fCenterY = y;
  m_fCenterZ = z;
  m_bDirty = true;
  ccSetNeedsRedraw();
}

void CCCamera::getCenterXYZ(float* x, float* y, float* z) const {
  *x = m_fCenterX;
  *y = m_fCenterY;
  *z = m_fCenterZ;
}

void CCCamera::setUpXYZ(float x, float y, float z) {
  m_fUpX = x;
  m_fUpY = y;
  m_fUpZ = z;
  m_bDirty = true;
  ccSetNeedsRedraw();
}

void CCCamera::getUpXYZ(float* x, float* y, float* z) const {
  *x = m_fUpX;
  *y = m_fUpY;
  *z = m_fUpZ;
}

static void identity(float m[9]) {
  for (int i = 0; i < 9; ++i) m[i] = (i % 4 == 0) ? 1.0f : 0.0f;
}

bool CCCamera::getTurn(float m[9]) const {
  identity(m);
  if (!m_bDirty) return false;
  // Work in double: the eye stands FLT_EPSILON from the centre.
  double fx = (double)m_fCenterX - m_fEyeX, fy = (double)m_fCenterY - m_fEyeY, fz = (double)m_fCenterZ - m_fEyeZ;
  double fl = std::sqrt(fx * fx + fy * fy + fz * fz);
  if (!(fl > 0)) return false;
  fx /= fl;
  fy /= fl;
  fz /= fl;
  // s = f x up, u = s x f; the rows of the look-at are s, u and -f.
  double sx = fy * m_fUpZ - fz * m_fUpY, sy = fz * m_fUpX - fx * m_fUpZ, sz = fx * m_fUpY - fy * m_fUpX;
  double sl = std::sqrt(sx * sx + sy * sy + sz * sz);
  if (!(sl > 1e-12)) return false;  // looking along the up vector: no frame
  sx /= sl;
  sy /= sl;
  sz /= sl;
  double ux = sy * fz - sz * fy, uy = sz * fx - sx * fz, uz = sx * fy - sy * fx;
  const double rows[9] = {sx, sy, sz, ux, uy, uz, -fx, -fy, -fz};
  bool turned = false;
  for (int i = 0; i < 9; ++i) {
    m[i] = (float)rows[i];
    if (std::fabs(rows[i] - ((i % 4 == 0) ? 1.0 : 0.0)) > 1e-6) turned = true;
  }
  if (!turned) identity(m);
  return turned;
}

// --- camera actions -------------------------------------------------------------

void CCActionCamera::startWithTarget(CCNode* pTarget) {
  CCActionInterval::startWithTarget(pTarget);
  CCCamera* camera = pTarget->getCamera();
  camera->getCenterXYZ(&m_fCenterXOrig, &m_fCenterYOrig, &m_fCenterZOrig);
  camera->getEyeXYZ(&m_fEyeXOrig, &m_fEyeYOrig, &m_fEyeZOrig);
  camera->getUpXYZ(&m_fUpXOrig, &m_fUpYOrig, &m_fUpZOrig);
}

template <class T>
static T* autoreleased(T* p, bool ok) {
  if (ok) {
    p->autorelease();
    return p;
  }
  delete p;
  return nullptr;
}

CCOrbitCamera* CCOrbitCamera::create(float t, float radius, float deltaRadius, float angleZ, float deltaAngleZ,
                                     float angleX, float deltaAngleX) {
  CCOrbitCamera* a = new CCOrbitCamera();
  return autoreleased(a, a->initWithDuration(t, radius, deltaRadius, angleZ, deltaAngleZ, angleX, deltaAngleX));
}

bool CCOrbitCamera::initWithDuration(float t, float radius, float deltaRadius, float angleZ, float deltaAngleZ,
                                     float angleX, float deltaAngleX) {
  if (!CCActionInterval::initWithDuration(t)) return false;
  m_fRadius = radius;
  m_fDeltaRadius = deltaRadius;
  m_fAngleZ = angleZ;
  m_fDeltaAngleZ = deltaAngleZ;
  m_fAngleX = angleX;
  m_fDeltaAngleX = deltaAngleX;
  m_fRadDeltaZ = CC_DEGREES_TO_RADIANS(deltaAngleZ);
  m_fRadDeltaX = CC_DEGREES_TO_RADIANS(deltaAngleX);
  return true;
}

void CCOrbitCamera::startWithTarget(CCNode* pTarget) {
  CCActionCamera::startWithTarget(pTarget);
  float r, zenith, azimuth;
  sphericalRadius(&r, &zenith, &azimuth);
  if (std::isnan(m_fRadius)) m_fRadius = r;
  if (std::isnan(m_fAngleZ)) m_fAngleZ = CC_RADIANS_TO_DEGREES(zenith);
  if (std::isnan(m_fAngleX)) m_fAngleX = CC_RADIANS_TO_DEGREES(azimuth);
  m_fRadZ = CC_DEGREES_TO_RADIANS(m_fAngleZ);
  m_fRadX = CC_DEGREES_TO_RADIANS(m_fAngleX);
}

void CCOrbitCamera::update(float time) {
  if (!m_pTarget) return;
  const float r = (m_fRadius + m_fDeltaRadius * time) * CCCamera::getZEye();
  const float za = m_fRadZ + m_fRadDeltaZ * time;
  const float xa = m_fRadX + m_fRadDeltaX * time;
  const float i = sinf(za) * cosf(xa) * r + m_fCenterXOrig;
  const float j = sinf(za) * sinf(xa) * r + m_fCenterYOrig;
  const float k = cosf(za) * r + m_fCenterZOrig;
  m_pTarget->getCamera()->setEyeXYZ(i, j, k);
}

void CCOrbitCamera::sphericalRadius(float* newRadius, float* zenith, float* azimuth) {
  float ex, ey, ez, cx, cy, cz;
  CCCamera* camera = m_pTarget->getCamera();
  camera->getEyeXYZ(&ex, &ey, &ez);
  camera->getCenterXYZ(&cx, &cy, &cz);
  const float x = ex - cx, y = ey - cy, z = ez - cz;
  const float r = sqrtf(x * x + y * y + z * z);
  const float s = sqrtf(x * x + y * y);
  *zenith = r > 0 ? acosf(z / r) : 0.0f;
  *azimuth = s > 0 ? (x < 0 ? (float)M_PI - asinf(y / s) : asinf(y / s)) : 0.0f;
  *newRadius = r / CCCamera::getZEye();
}

NS_CC_END
