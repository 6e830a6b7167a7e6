// Small helpers the board's parts share: the framework's own sprite sheets,
// frame animations by name, and texts fitted to their columns.
#pragma once

#include "cocos2d.h"

namespace cocos2d {
namespace ui {
class Label;
}
}  // namespace cocos2d

#include <cstdint>
#include <string>

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
// A name is cut instead: whole characters off its end and "..." appended
// until the label is at most `width` points wide; a text that fits is left
// alone. (A figure cut short would read as another figure: FitToWidth.)
void FitTextToWidth(cocos2d::CCLabelTTF* label, float width);
// The same for a layout's text label, whose size follows its text.
void FitTextToWidth(cocos2d::ui::Label* label, float width);
// A figure for a label atlas of digits from '0' whose cell after '9' draws
// the minus sign: "%lld" with the '-' written as ':', the character of that
// cell (an atlas has no cell before '0' for the '-' itself).
std::string AtlasFigure(int64_t value);

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
