// A result panel the player drags about the window (five-card stud's
// settlement, San Gong's result view): a sprite that takes the touches that
// begin on it and follows the drag, kept inside the visible area.
//
// Its touches come ahead of the board, which swallows every touch while it
// shows (-128), and of the cards under it (-129). It is registered with the
// dispatcher only while it is on the stage.
#pragma once

#include "cocos2d.h"

namespace Sexy {

class CDragPanel : public cocos2d::CCSprite, public cocos2d::CCTargetedTouchDelegate
{
public:
    static constexpr int kTouchPriority = -130;

    void onEnter() override;
    void onExit() override;
    // Claims a touch that begins inside the shown panel.
    bool ccTouchBegan(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    // The panel's centre goes to the touch, kept in the window's bounds.
    void ccTouchMoved(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchEnded(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override
    {
        (void)touch;
        (void)event;
    }

    // Where a drag to the window point puts a panel of that size in a window
    // of the visible size: x within w/2 .. W - w/2, y within h/2 + 75 ..
    // H - h/2 - 40, each bound tested on the point as dragged.
    static cocos2d::CCPoint ClampDrag(const cocos2d::CCPoint& at, const cocos2d::CCSize& panel,
                                      const cocos2d::CCSize& visible);
};

}  // namespace Sexy
