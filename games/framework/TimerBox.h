// The countdown box a seated game shows at the chair whose turn it is: a
// frame with two digits and a light that runs round it for ever. Digit d
// shows the sprite frame "Digital-1_0%d" of d + 1.
#pragma once

#include "cocos2d.h"

#include <cstdint>

namespace Sexy {

class CTimerBox : public cocos2d::CCSprite
{
public:
    // Two digits are all the box has: more seconds show as 99.
    static constexpr uint16_t kMaxShown = 99;

    static CTimerBox* create();
    bool init() override;
    // The light runs only while the box shows: a hidden box costs no frames.
    void setVisible(bool visible) override;
    void onEnter() override;

    // Moves the box to (x, y) and shows the seconds with two digits (a
    // leading 0 below 10); the box shows itself.
    void SetTime(float x, float y, uint16_t seconds);
    uint16_t GetSeconds() const { return m_wSeconds; }

    cocos2d::CCSprite* GetFrame() const { return m_pFrame; }
    cocos2d::CCSprite* GetOnes() const { return m_pOnes; }
    cocos2d::CCSprite* GetTens() const { return m_pTens; }
    cocos2d::CCSprite* GetLight() const { return m_pLight; }
    int GetTensDigit() const { return m_nTens; }
    int GetOnesDigit() const { return m_nOnes; }

private:
    static void ShowDigit(cocos2d::CCSprite* sprite, int digit);

    cocos2d::CCSprite* m_pFrame = nullptr;
    cocos2d::CCSprite* m_pOnes = nullptr;
    cocos2d::CCSprite* m_pTens = nullptr;
    cocos2d::CCSprite* m_pLight = nullptr;
    uint16_t m_wSeconds = 0;
    int m_nTens = 0;
    int m_nOnes = 0;
};

}  // namespace Sexy
