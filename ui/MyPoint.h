// Payload of the input notifications "Cursor", "MouseWheel", "WmRbuttonUp",
// "VKRETURN", "Copy" and "Paste".
#pragma once

#include "CCPointObject.h"

// For mouse notifications the point is the mouse in window pixels (origin
// bottom-left); for "VKRETURN" x is the key (9 Tab, 13 Enter); for
// "MouseWheel" y is the wheel delta (+120 a notch away from the user).
// It is the engine's point payload, so engine widgets (the control button's
// hover) read it as well.
class CMyPoint : public cocos2d::extension::CCPointObject
{
public:
    static CMyPoint* create(float x, float y);
};

// Input notification names.
namespace notify {
constexpr const char* kCursor = "Cursor";
constexpr const char* kMouseWheel = "MouseWheel";
constexpr const char* kRButtonUp = "WmRbuttonUp";
constexpr const char* kKeyReturn = "VKRETURN";
constexpr const char* kCopy = "Copy";
constexpr const char* kPaste = "Paste";
}  // namespace notify
