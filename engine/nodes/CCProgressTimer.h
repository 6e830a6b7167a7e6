#ifndef KEST_CC_PROGRESS_TIMER_H
#define KEST_CC_PROGRESS_TIMER_H

// Shows part of a sprite by a percentage, clamped to [0, 100].
//
// Radial: the part swept clockwise from 12 o'clock around the midpoint
// (counter-clockwise when reversed). Bar: a rectangle grown from the midpoint
// by the percentage along the axes whose change rate is 1 (a rate of 0 keeps
// that axis whole), pushed back inside the sprite at its edges.
// Colour and opacity are the sprite's.

#include <vector>

#include "CCActionInterval.h"
#include "CCSprite.h"

NS_CC_BEGIN

enum CCProgressTimerType { kCCProgressTimerTypeRadial, kCCProgressTimerTypeBar };

class CCProgressTimer : public CCNodeRGBA {
 public:
  ~CCProgressTimer() override;
  static CCProgressTimer* create(CCSprite* sp);
  bool initWithSprite(CCSprite* sp);

  CCProgressTimerType getType() { return m_eType; }
  void setType(CCProgressTimerType type);
  float getPercentage() { return m_fPercentage; }
  void setPercentage(float fPercentage);
  CCSprite* getSprite() { return m_pSprite; }
  void setSprite(CCSprite* pSprite);
  bool isReverseDirection() { return m_bReverseDirection; }
  void setReverseDirection(bool bReverse);
  void setReverseProgress(bool reverse) { setReverseDirection(reverse); }
  // In [0, 1] of the sprite (clamped).
  CCPoint getMidpoint() { return m_tMidpoint; }
  void setMidpoint(CCPoint point);
  CCPoint getBarChangeRate() { return m_tBarChangeRate; }
  void setBarChangeRate(CCPoint rate);

  void draw() override;
  void setColor(const ccColor3B& color) override;
  const ccColor3B& getColor() override;
  void setOpacity(unsigned char opacity) override;
  unsigned char getOpacity() override;

  // The shape drawn now, in the sprite's unit square (tests): a fan for the
  // radial type (centre first), rectangle corners for the bar.
  const std::vector<CCPoint>& getShape() const { return m_shape; }

 protected:
  void updateProgress();

  CCProgressTimerType m_eType = kCCProgressTimerTypeRadial;
  float m_fPercentage = 0;
  CCSprite* m_pSprite = nullptr;
  bool m_bReverseDirection = false;
  CCPoint m_tMidpoint{0.5f, 0.5f};
  CCPoint m_tBarChangeRate{1, 1};
  std::vector<CCPoint> m_shape;
};

// The radial fan for a percentage in the unit square: the midpoint, 12
// o'clock, the corners passed, and the point reached.
void ccProgressRadialShape(float percentage, const CCPoint& midpoint, bool reverse, std::vector<CCPoint>& out);
// The bar rectangle (min corner, max corner) for a percentage.
void ccProgressBarRect(float percentage, const CCPoint& midpoint, const CCPoint& rate, CCPoint& lo, CCPoint& hi);

// Progress from the timer's current percentage (0 when it is at 100) to a value.
class CCProgressTo : public CCActionInterval {
 public:
  static CCProgressTo* create(float duration, float fPercent);
  bool initWithDuration(float duration, float fPercent);
  void startWithTarget(CCNode* pTarget) override;
  void update(float time) override;

 protected:
  float m_fTo = 0;
  float m_fFrom = 0;
};

class CCProgressFromTo : public CCActionInterval {
 public:
  static CCProgressFromTo* create(float duration, float fFromPercentage, float fToPercentage);
  bool initWithDuration(float duration, float fFromPercentage, float fToPercentage);
  void update(float time) override;
  CCActionInterval* reverse() override;

 protected:
  float m_fTo = 0;
  float m_fFrom = 0;
};

NS_CC_END

#endif
