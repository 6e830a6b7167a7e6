#ifndef KEST_CC_AFFINE_TRANSFORM_H
#define KEST_CC_AFFINE_TRANSFORM_H

// x' = a x + c y + tx, y' = b x + d y + ty.

#include "CCGeometry.h"

NS_CC_BEGIN

struct CCAffineTransform {
  float a, b, c, d;
  float tx, ty;
};

inline CCAffineTransform CCAffineTransformMake(float a, float b, float c, float d, float tx, float ty) {
  return CCAffineTransform{a, b, c, d, tx, ty};
}
extern const CCAffineTransform CCAffineTransformIdentity;
inline CCAffineTransform CCAffineTransformMakeIdentity() { return CCAffineTransformIdentity; }

inline CCPoint CCPointApplyAffineTransform(const CCPoint& p, const CCAffineTransform& t) {
  return CCPoint(t.a * p.x + t.c * p.y + t.tx, t.b * p.x + t.d * p.y + t.ty);
}
inline CCSize CCSizeApplyAffineTransform(const CCSize& s, const CCAffineTransform& t) {
  return CCSize(t.a * s.width + t.c * s.height, t.b * s.width + t.d * s.height);
}
// Axis-aligned bounds of the transformed rectangle.
CCRect CCRectApplyAffineTransform(const CCRect& rect, const CCAffineTransform& t);
CCAffineTransform CCAffineTransformTranslate(const CCAffineTransform& t, float tx, float ty);
CCAffineTransform CCAffineTransformRotate(const CCAffineTransform& t, float angle);
CCAffineTransform CCAffineTransformScale(const CCAffineTransform& t, float sx, float sy);
// t1 applied first, then t2.
CCAffineTransform CCAffineTransformConcat(const CCAffineTransform& t1, const CCAffineTransform& t2);
bool CCAffineTransformEqualToTransform(const CCAffineTransform& t1, const CCAffineTransform& t2);
CCAffineTransform CCAffineTransformInvert(const CCAffineTransform& t);

NS_CC_END

#endif
