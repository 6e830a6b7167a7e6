#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "CCAffineTransform.h"
#include "ccTypes.h"

NS_CC_BEGIN

const CCPoint CCPointZero;
const CCSize CCSizeZero;
const CCRect CCRectZero;
const CCAffineTransform CCAffineTransformIdentity = {1, 0, 0, 1, 0, 0};

const ccColor3B ccWHITE = {255, 255, 255};
const ccColor3B ccYELLOW = {255, 255, 0};
const ccColor3B ccBLUE = {0, 0, 255};
const ccColor3B ccGREEN = {0, 255, 0};
const ccColor3B ccRED = {255, 0, 0};
const ccColor3B ccMAGENTA = {255, 0, 255};
const ccColor3B ccBLACK = {0, 0, 0};
const ccColor3B ccORANGE = {255, 127, 0};
const ccColor3B ccGRAY = {166, 166, 166};

// Splits "{a,b}" into its two numbers; false when the text is not of that shape.
static bool parsePair(const std::string& s, float& a, float& b) {
  size_t open = s.find('{');
  size_t close = s.find('}');
  if (open == std::string::npos || close == std::string::npos || close < open) return false;
  std::string inner = s.substr(open + 1, close - open - 1);
  if (inner.find('{') != std::string::npos) return false;
  size_t comma = inner.find(',');
  if (comma == std::string::npos || inner.find(',', comma + 1) != std::string::npos) return false;
  a = (float)atof(inner.substr(0, comma).c_str());
  b = (float)atof(inner.substr(comma + 1).c_str());
  return true;
}

CCPoint CCPointFromString(const char* text) {
  float a, b;
  if (!text || !parsePair(text, a, b)) return CCPointZero;
  return CCPoint(a, b);
}

CCSize CCSizeFromString(const char* text) {
  float a, b;
  if (!text || !parsePair(text, a, b)) return CCSizeZero;
  return CCSize(a, b);
}

CCRect CCRectFromString(const char* text) {
  if (!text) return CCRectZero;
  std::string s(text);
  // "{{x,y},{w,h}}": the outer braces hold two pairs.
  size_t first = s.find('{');
  size_t last = s.rfind('}');
  if (first == std::string::npos || last == std::string::npos || last <= first) return CCRectZero;
  std::string inner = s.substr(first + 1, last - first - 1);
  size_t mid = inner.find("},");
  if (mid == std::string::npos) return CCRectZero;
  float x, y, w, h;
  if (!parsePair(inner.substr(0, mid + 1), x, y)) return CCRectZero;
  if (!parsePair(inner.substr(mid + 2), w, h)) return CCRectZero;
  return CCRect(x, y, w, h);
}

CCRect CCRectApplyAffineTransform(const CCRect& rect, const CCAffineTransform& t) {
  float top = rect.getMinY(), left = rect.getMinX(), right = rect.getMaxX(), bottom = rect.getMaxY();
  CCPoint tl = CCPointApplyAffineTransform(CCPoint(left, top), t);
  CCPoint tr = CCPointApplyAffineTransform(CCPoint(right, top), t);
  CCPoint bl = CCPointApplyAffineTransform(CCPoint(left, bottom), t);
  CCPoint br = CCPointApplyAffineTransform(CCPoint(right, bottom), t);
  float minX = std::min(std::min(tl.x, tr.x), std::min(bl.x, br.x));
  float maxX = std::max(std::max(tl.x, tr.x), std::max(bl.x, br.x));
  float minY = std::min(std::min(tl.y, tr.y), std::min(bl.y, br.y));
  float maxY = std::max(std::max(tl.y, tr.y), std::max(bl.y, br.y));
  return CCRect(minX, minY, maxX - minX, maxY - minY);
}

CCAffineTransform CCAffineTransformTranslate(const CCAffineTransform& t, float tx, float ty) {
  return {t.a, t.b, t.c, t.d, t.tx + t.a * tx + t.c * ty, t.ty + t.b * tx + t.d * ty};
}

CCAffineTransform CCAffineTransformRotate(const CCAffineTransform& t, float angle) {
  float s = sinf(angle), c = cosf(angle);
  return {t.a * c + t.c * s, t.b * c + t.d * s, t.c * c - t.a * s, t.d * c - t.b * s, t.tx, t.ty};
}

CCAffineTransform CCAffineTransformScale(const CCAffineTransform& t, float sx, float sy) {
  return {t.a * sx, t.b * sx, t.c * sy, t.d * sy, t.tx, t.ty};
}

CCAffineTransform CCAffineTransformConcat(const CCAffineTransform& t1, const CCAffineTransform& t2) {
  return {t1.a * t2.a + t1.b * t2.c, t1.a * t2.b + t1.b * t2.d,           t1.c * t2.a + t1.d * t2.c,
          t1.c * t2.b + t1.d * t2.d, t1.tx * t2.a + t1.ty * t2.c + t2.tx, t1.tx * t2.b + t1.ty * t2.d + t2.ty};
}

bool CCAffineTransformEqualToTransform(const CCAffineTransform& t1, const CCAffineTransform& t2) {
  return t1.a == t2.a && t1.b == t2.b && t1.c == t2.c && t1.d == t2.d && t1.tx == t2.tx && t1.ty == t2.ty;
}

CCAffineTransform CCAffineTransformInvert(const CCAffineTransform& t) {
  float det = t.a * t.d - t.b * t.c;
  // A node scaled to zero has no inverse; identity keeps hit tests harmless.
  if (det == 0.0f) return CCAffineTransformIdentity;
  float inv = 1.0f / det;
  return {
      inv * t.d, -inv * t.b, -inv * t.c, inv * t.a, inv * (t.c * t.ty - t.d * t.tx), inv * (t.b * t.tx - t.a * t.ty)};
}

NS_CC_END
