#ifndef KEST_CC_TOUCH_H
#define KEST_CC_TOUCH_H

// One touch (the left mouse button). Locations are in GL points; the "InView"
// forms are window pixels with the origin at the top-left.

#include "CCObject.h"
#include "CCGeometry.h"

NS_CC_BEGIN

class CCTouch : public CCObject {
 public:
  CCPoint getLocation() const;
  CCPoint getPreviousLocation() const;
  CCPoint getStartLocation() const;
  // Movement since the previous event, in points.
  CCPoint getDelta() const;
  CCPoint getLocationInView() const { return m_point; }
  CCPoint getPreviousLocationInView() const { return m_prevPoint; }
  CCPoint getStartLocationInView() const { return m_startPoint; }
  void setTouchInfo(int id, float x, float y);
  int getID() const { return m_nId; }

 private:
  int m_nId = 0;
  bool m_startPointCaptured = false;
  CCPoint m_startPoint;
  CCPoint m_point;
  CCPoint m_prevPoint;
};

class CCEvent : public CCObject {};

NS_CC_END

#endif
