#ifndef KEST_COCOSTUDIO_H
#define KEST_COCOSTUDIO_H

// CocoStudio in one include: widgets, the layer that holds them, the reader,
// layout animations and armatures.

#include "CCArmature.h"
#include "GUIReader.h"
#include "TweenFunction.h"
#include "UIAction.h"
#include "UIButton.h"
#include "UIImageView.h"
#include "UILayout.h"
#include "UIScrollView.h"
#include "UIText.h"
#include "UITouchGroup.h"
#include "UIWidget.h"

NS_CC_BEGIN
// Code written against the 2.2 "gui" namespace reads the same.
namespace gui = ui;
NS_CC_END

#endif
