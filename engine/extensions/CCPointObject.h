#ifndef KEST_CC_POINT_OBJECT_H
#define KEST_CC_POINT_OBJECT_H

// An object carrying one point: the payload of the window's mouse
// notifications ("Cursor" and the like). The application's payload type
// derives from it so engine widgets can read the point without knowing it.

#include "ExtensionMacros.h"

NS_CC_EXT_BEGIN

class CCPointObject : public CCObject {
 public:
  CCPoint m_point;
};

// The notification posted on every mouse move; its point is the mouse in
// window pixels with the origin at the bottom-left.
constexpr const char* kCCCursorNotification = "Cursor";

NS_CC_EXT_END

#endif
