#ifndef KEST_COCOS_EXT_H
#define KEST_COCOS_EXT_H

// The extension classes in one include: nine-slice sprites, control
// buttons, scroll and table views (cocos2d::extension), and CocoStudio
// (widgets in cocos2d::ui, the reader, layout animations, armatures).

#include "CCControl.h"
#include "CCControlButton.h"
#include "CCPointObject.h"
#include "CCScale9Sprite.h"
#include "CCScrollView.h"
#include "CCTableView.h"
#include "CocoStudio.h"
#include "ExtensionMacros.h"

#endif
