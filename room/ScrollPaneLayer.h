// A pane whose content scrolls up and down: by dragging, by the mouse wheel
// over it and by an upright scroll bar at its right. A touch that does not
// move is a click. The table grid and the user list are such panes.
#pragma once

#include "cocos2d.h"

class CCTableSliderLayer;

class CScrollPaneLayer : public cocos2d::CCLayer
{
public:
    static constexpr float kClickSlop = 8;

    ~CScrollPaneLayer() override;
    void onEnter() override;
    void onExit() override;
    void registerWithTouchDispatcher() override;
    bool ccTouchBegan(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchMoved(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchEnded(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;

    // 0 shows the top of the content; at most GetMaxScroll().
    void ScrollTo(float scroll);
    float GetScroll() const { return m_fScroll; }
    float GetMaxScroll() const;
    CCTableSliderLayer* GetSlider() const { return m_pSlider; }

protected:
    // A wheel notch moves wheelStep points.
    bool initPane(int touchPriority, float wheelStep);
    virtual float GetContentHeight() const = 0;
    virtual float GetViewHeight() const = 0;
    // Where touches and the wheel count, in world space.
    virtual bool ContainsWorld(const cocos2d::CCPoint& world);
    virtual void OnScrolled() = 0;
    virtual void OnClick(const cocos2d::CCPoint& world) = 0;

    // The scroll bar runs down from top, length long.
    void PlaceSlider(const cocos2d::CCPoint& top, float length);
    // Keeps the position in range after the content or the view changed.
    void ClampScroll();
    void SyncSlider();
    static bool IsShownInTree(cocos2d::CCNode* node);

    float m_fScroll = 0;

private:
    void OnCursor(cocos2d::CCObject* point);
    void OnMouseWheel(cocos2d::CCObject* point);
    void OnSlider(cocos2d::CCObject* slider);

    CCTableSliderLayer* m_pSlider = nullptr;
    int m_nPriority = 0;
    float m_fWheelStep = 30;
    cocos2d::CCPoint m_TouchStart;
    float m_fTouchScroll = 0;
    bool m_bDragging = false;
    cocos2d::CCPoint m_Cursor{-1, -1};  // last mouse position, GL points
};
