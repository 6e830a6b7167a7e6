#ifndef KEST_CC_GEOMETRY_H
#define KEST_CC_GEOMETRY_H

// Points, sizes and rectangles in GL orientation (origin bottom-left, Y up).

#include <cmath>

#include "CCPlatformMacros.h"

NS_CC_BEGIN

class CCPoint {
 public:
  float x;
  float y;
  CCPoint() : x(0), y(0) {}
  CCPoint(float px, float py) : x(px), y(py) {}
  void setPoint(float px, float py) {
    x = px;
    y = py;
  }
  bool equals(const CCPoint& o) const { return x == o.x && y == o.y; }
  bool fuzzyEquals(const CCPoint& o, float var) const {
    return x - var <= o.x && o.x <= x + var && y - var <= o.y && o.y <= y + var;
  }
  CCPoint operator+(const CCPoint& o) const { return CCPoint(x + o.x, y + o.y); }
  CCPoint operator-(const CCPoint& o) const { return CCPoint(x - o.x, y - o.y); }
  CCPoint operator-() const { return CCPoint(-x, -y); }
  CCPoint operator*(float a) const { return CCPoint(x * a, y * a); }
  CCPoint operator/(float a) const { return CCPoint(x / a, y / a); }
  bool operator==(const CCPoint& o) const { return equals(o); }
  bool operator!=(const CCPoint& o) const { return !equals(o); }
  float getLength() const { return std::sqrt(x * x + y * y); }
  float getDistance(const CCPoint& o) const { return (*this - o).getLength(); }
};

class CCSize {
 public:
  float width;
  float height;
  CCSize() : width(0), height(0) {}
  CCSize(float w, float h) : width(w), height(h) {}
  void setSize(float w, float h) {
    width = w;
    height = h;
  }
  bool equals(const CCSize& o) const { return width == o.width && height == o.height; }
  CCSize operator*(float a) const { return CCSize(width * a, height * a); }
  CCSize operator/(float a) const { return CCSize(width / a, height / a); }
  CCSize operator+(const CCSize& o) const { return CCSize(width + o.width, height + o.height); }
  CCSize operator-(const CCSize& o) const { return CCSize(width - o.width, height - o.height); }
  bool operator==(const CCSize& o) const { return equals(o); }
  bool operator!=(const CCSize& o) const { return !equals(o); }
};

class CCRect {
 public:
  CCPoint origin;
  CCSize size;
  CCRect() {}
  CCRect(float x, float y, float w, float h) : origin(x, y), size(w, h) {}
  void setRect(float x, float y, float w, float h) {
    origin.setPoint(x, y);
    size.setSize(w, h);
  }
  float getMinX() const { return origin.x; }
  float getMidX() const { return origin.x + size.width / 2.0f; }
  float getMaxX() const { return origin.x + size.width; }
  float getMinY() const { return origin.y; }
  float getMidY() const { return origin.y + size.height / 2.0f; }
  float getMaxY() const { return origin.y + size.height; }
  bool equals(const CCRect& r) const { return origin.equals(r.origin) && size.equals(r.size); }
  bool operator==(const CCRect& r) const { return equals(r); }
  bool operator!=(const CCRect& r) const { return !equals(r); }
  // Edges included, as the engine's hit tests expect.
  bool containsPoint(const CCPoint& p) const {
    return p.x >= getMinX() && p.x <= getMaxX() && p.y >= getMinY() && p.y <= getMaxY();
  }
  bool intersectsRect(const CCRect& r) const {
    return !(getMaxX() < r.getMinX() || r.getMaxX() < getMinX() || getMaxY() < r.getMinY() || r.getMaxY() < getMinY());
  }
};

inline CCPoint ccp(float x, float y) { return CCPoint(x, y); }
#define CCPointMake(x, y) ::cocos2d::CCPoint((float)(x), (float)(y))
#define CCSizeMake(w, h) ::cocos2d::CCSize((float)(w), (float)(h))
#define CCRectMake(x, y, w, h) ::cocos2d::CCRect((float)(x), (float)(y), (float)(w), (float)(h))

extern const CCPoint CCPointZero;
extern const CCSize CCSizeZero;
extern const CCRect CCRectZero;

inline CCPoint ccpAdd(const CCPoint& a, const CCPoint& b) { return a + b; }
inline CCPoint ccpSub(const CCPoint& a, const CCPoint& b) { return a - b; }
inline CCPoint ccpNeg(const CCPoint& a) { return -a; }
inline CCPoint ccpMult(const CCPoint& a, float s) { return a * s; }
inline CCPoint ccpMidpoint(const CCPoint& a, const CCPoint& b) { return (a + b) * 0.5f; }
inline float ccpDot(const CCPoint& a, const CCPoint& b) { return a.x * b.x + a.y * b.y; }
inline float ccpLength(const CCPoint& a) { return a.getLength(); }
inline float ccpDistance(const CCPoint& a, const CCPoint& b) { return a.getDistance(b); }
inline CCPoint ccpCompMult(const CCPoint& a, const CCPoint& b) { return CCPoint(a.x * b.x, a.y * b.y); }
inline bool CCPointEqualToPoint(const CCPoint& a, const CCPoint& b) { return a.equals(b); }
inline bool CCSizeEqualToSize(const CCSize& a, const CCSize& b) { return a.equals(b); }
inline bool CCRectEqualToRect(const CCRect& a, const CCRect& b) { return a.equals(b); }

// "{x,y}", "{w,h}" and "{{x,y},{w,h}}" as plists store them; malformed text gives zero.
CCPoint CCPointFromString(const char* text);
CCSize CCSizeFromString(const char* text);
CCRect CCRectFromString(const char* text);

NS_CC_END

#endif
