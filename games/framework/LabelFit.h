// A text that can be longer than its column is fitted to it, never drawn
// over its neighbour: a name is cut with an ellipsis, a figure is made
// smaller (a figure cut short would read as another figure).
#pragma once

#include "cocos2d.h"

#include <cstdint>
#include <string>

namespace Sexy {

// A figure for a label atlas of digits from '0' whose cell after '9' draws
// the minus sign: "%lld" with the '-' written as ':', the character of that
// cell (an atlas has no cell before '0' for the '-' itself).
std::string AtlasFigure(int64_t value);

// Cuts the label's text (whole characters off its end) and appends "..."
// until it is at most width points wide; a text that fits is left alone.
void FitTextToWidth(cocos2d::CCLabelTTF* label, float width);

// Scales the node, both ways alike, so that it is at most width points wide;
// a node that fits is drawn at scale 1.
void FitScaleToWidth(cocos2d::CCNode* node, float width);

}  // namespace Sexy
