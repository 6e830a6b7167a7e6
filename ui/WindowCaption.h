// The window's caption as the client draws it: the frame layer of the hall
// and the room, and a game board, each give theirs. A press on the caption
// moves the window; buttons on it stay buttons.
#pragma once

#include "cocos2d.h"

class IWindowCaption
{
public:
    virtual ~IWindowCaption() = default;
    // Whether this frame is on show at the point (world space).
    virtual bool FrameContains(const cocos2d::CCPoint& world) = 0;
    // Whether the point lies on its caption and not on a part of it that
    // takes clicks of its own (buttons are found for every frame).
    virtual bool CaptionContains(const cocos2d::CCPoint& world) = 0;
};

namespace window_caption {

// Whether a press at the world point lands on the caption: front to back
// (the top layer over the scene, each in drawing order reversed) the first
// enabled button there keeps the press, the first frame there says.
bool IsCaptionAt(cocos2d::CCNode* scene, cocos2d::CCNode* topLayer, const cocos2d::CCPoint& world);

// For a frame laid over the visible area where the node stands: whether it
// covers the world point, and whether the point lies in its top `depth`
// points.
bool FrameAt(cocos2d::CCNode* frame, const cocos2d::CCPoint& world);
bool TopStripAt(cocos2d::CCNode* frame, const cocos2d::CCPoint& world, float depth);

}  // namespace window_caption
