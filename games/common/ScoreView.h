// The result panel of a banker board: a picture with the round's figures on
// it that the player may drag about the table, never off it.
//
// A game's score view derives from BankerScoreView: InitWithImage in its
// init, AddFigure for each amount, SetDragArea for the table's design size.
// It takes touches only while SetTouchable(true) and on the stage (then
// registered with the touch dispatcher, swallowing, and removed again when
// it leaves); a touch on the picture (edges included) starts a drag, and the
// drag moves it by the touch's steps, kept wholly inside the area.
#pragma once

#include "cocos2d.h"

#include <cstdint>

namespace games {

class BankerScoreView : public cocos2d::CCSprite, public cocos2d::CCTargetedTouchDelegate
{
public:
    static constexpr int kTouchPriority = -10000;

    // The sprite's own init, then the picture; true (a missing picture is the
    // engine's stand-in).
    bool InitWithImage(const char* picture);
    // One amount through FormatScore on a new label (the default font) at a
    // point of the panel; drawn smaller when wider than its column (0: no
    // column), so it never runs into the captions beside it.
    cocos2d::CCLabelTTF* AddFigure(int64_t amount, const cocos2d::CCPoint& at, float fontSize = 16, float column = 0);

    // The area (0, 0)..(width, height) of the parent that a dragged view
    // stays on.
    void SetDragArea(float width, float height);
    float GetDragAreaWidth() const { return m_fAreaWidth; }
    float GetDragAreaHeight() const { return m_fAreaHeight; }
    // Takes touches while on the stage (registered at kTouchPriority).
    void SetTouchable(bool touchable);
    bool IsTouchable() const { return m_bTouchable; }
    // A touchable view that is not draggable takes touches but stays.
    void SetDraggable(bool draggable) { m_bDraggable = draggable; }
    bool IsDraggable() const { return m_bDraggable; }
    bool IsDragging() const { return m_bDragging; }

    void onEnter() override;
    void onExit() override;
    bool ccTouchBegan(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchMoved(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchEnded(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchCancelled(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;

    // The drag's steps by points in the parent's space: whether the point
    // lies on the view (and the drag starts there); then each new point.
    virtual bool BeginDrag(const cocos2d::CCPoint& at);
    virtual void DragTo(const cocos2d::CCPoint& at);

protected:
    // Where the drag was last.
    cocos2d::CCPoint m_ptPrevious;

private:
    void Register();
    void Unregister();
    cocos2d::CCPoint ParentPoint(cocos2d::CCTouch* touch);

    float m_fAreaWidth = 1024;
    float m_fAreaHeight = 728;
    bool m_bTouchable = false;
    bool m_bDraggable = true;
    bool m_bDragging = false;
    bool m_bRegistered = false;
};

}  // namespace games
