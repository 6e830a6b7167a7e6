// Small helpers the board's parts share: the framework's own sprite sheets
// and frame animations by name.
#pragma once

#include "cocos2d.h"

namespace Sexy {

// Makes sure the sheets of the board's own parts are in the frame cache: the
// clock digits and light, the ready signs, the user status and device
// frames and the chat's note frames. Loading a sheet twice does nothing.
void LoadBoardSheets();

// The frames printf(format, n) for n from first to last, delay seconds each.
cocos2d::CCAnimation* FrameAnimation(const char* format, int first, int last, float delay);
// The same animation run for ever.
cocos2d::CCAction* RunFramesForever(const char* format, int first, int last, float delay);

}  // namespace Sexy
