#pragma once

#include "cocos2d.h"

#include <string>

// A new autoreleased label showing a GBK text (converted to UTF-8).
cocos2d::CCLabelTTF* CreateGBKLabel(const std::string& gbkText, const char* fontName, float fontSize);
