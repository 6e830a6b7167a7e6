// Small helpers the board's parts share: the framework's own sprite sheets
// and frame animations by name.
#pragma once

#include "cocos2d.h"

namespace Sexy {

// Makes sure the sheets of the board's own parts are in the frame cache: the
// clock digits and light, the ready signs, the user status and device
// frames and the chat's note frames. Loading a sheet twice does nothing.
void LoadBoardSheets();

// The one frame-animation builder of the boards: the frames printf(format,
// n) for n from first to last, delay seconds each, found as CCResolvePicture
// finds pictures. A missing frame is the stand-in box, or is left out when
// standIn is false.
cocos2d::CCAnimation* FrameAnimation(const char* format, int first, int last, float delay, bool standIn = true);
// The same animation run for ever.
cocos2d::CCAction* RunFramesForever(const char* format, int first, int last, float delay);
// A new sprite showing the animation's first frame; an empty sprite when it
// has none.
cocos2d::CCSprite* FirstFrameSprite(cocos2d::CCAnimation* animation);
// A new sprite showing the first frame and running the frames for ever.
cocos2d::CCSprite* LoopingFrameSprite(const char* format, int first, int last, float delay);

// Fits a text to its column: the node (a label, with whatever it carries)
// is scaled down, never up, so that it is at most `width` points wide, and
// is drawn smaller instead of over its neighbour. Call it again whenever
// the text changes.
void FitToWidth(cocos2d::CCNode* node, float width);

// The right bar's heights in the visible area, which the board lays out and
// the player list and chat size themselves by: the top part (the own-user
// card), the advert, the rest below them, and the player list's share of
// the rest: as many 30-pixel rows as fit half of it, plus the list's
// 33-pixel header and 16-pixel margin. The chat takes what is left.
struct RightBarHeights
{
    int top;
    int advert;
    int rest;
    int list;
};
RightBarHeights MeasureRightBar();

}  // namespace Sexy
