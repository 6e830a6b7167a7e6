// The scroll bar beside the room's lists: a track, a thumb that follows the
// touch, and the table offset that thumb position stands for.
#pragma once

#include "cocos2d.h"

class CCTableSliderLayer : public cocos2d::CCLayer
{
public:
    enum
    {
        kVertical = 0,
        kHorizontal = 1
    };
    static constexpr int kTrackThickness = 14;

    // callback(slider) runs whenever a touch moves the thumb.
    static CCTableSliderLayer* create(int flag, int trackLength, cocos2d::CCObject* target,
                                      cocos2d::SEL_CallFuncO callback);
    bool initSlider(int flag, int trackLength, cocos2d::CCObject* target, cocos2d::SEL_CallFuncO callback);

    void onEnter() override;
    void onExit() override;
    bool ccTouchBegan(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchMoved(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchEnded(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;

    // Puts the thumb where the table's content offset o shows it.
    void setScrollOffset(float offset);
    void setTrackHeight(int trackLength);
    // The lowest content offset of the table; negative when it scrolls.
    void setScrollRange(int range);

    int getCurrentOffset() const { return m_nCurrentOffset; }
    int getTrackLength() const { return m_nTrackLength; }
    int getScrollRange() const { return m_nRange; }
    cocos2d::CCSprite* getTrack() const { return m_pTrack; }
    cocos2d::CCSprite* getThumb() const { return m_pThumb; }
    int getThumbLength() const { return m_nThumbLength; }

    // The formulas, apart from the nodes. A track no longer than the thumb
    // has no travel: the offset is then 0 (vertical: the range).
    static int OffsetForThumbX(int flag, float x, int thumbLength, int trackLength, int range);
    static float ThumbXForOffset(float offset, int thumbLength, int trackLength, int range);
    static float ClampThumbX(float x, int thumbLength, int trackLength);

private:
    void followTouch(cocos2d::CCTouch* touch);
    bool touchInTrack(cocos2d::CCTouch* touch);

    int m_nFlag = kVertical;
    int m_nTrackLength = 0;
    int m_nRange = 0;
    int m_nCurrentOffset = 0;
    int m_nThumbLength = 0;
    int m_nThumbThickness = 0;
    cocos2d::CCSprite* m_pTrack = nullptr;
    cocos2d::CCSprite* m_pThumb = nullptr;
    cocos2d::CCObject* m_pTarget = nullptr;
    cocos2d::SEL_CallFuncO m_pCallback = nullptr;
};
