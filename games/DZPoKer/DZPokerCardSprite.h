// One card of the hold'em table (a centre card or a hole card): the frame
// "Cards-%d" of the card sheet by the card byte; 99 shows the back.
#pragma once

#include "cocos2d.h"

#include <cstdint>

namespace DZPoKer {

class DZPokerCardSprite : public cocos2d::CCSprite
{
public:
    static constexpr uint8_t kBackFrame = 54;

    static DZPokerCardSprite* create();
    bool init() override;

    // Frame index: colour x 13 + face - 1, 52 and 53 the jokers, 54 the back
    // (99, and any byte that names no card).
    void SetCardData(uint8_t card);
    uint8_t GetCardData() const { return m_cbCardData; }
    // Copies the face value into the shown value.
    virtual void UpdateShownValue() { m_cbShownValue = m_cbFaceValue; }
    static uint8_t FrameIndexOf(uint8_t card);

    uint8_t m_cbCardData = 0;
    uint8_t m_cbFrameIndex = kBackFrame;
    uint8_t m_cbFaceValue = 0;  // 1..13, 14 and 15 the jokers
    uint8_t m_cbColor = 0;
    uint8_t m_cbShownValue = 0;
    // Kept for the card animations.
    cocos2d::CCPoint m_ptFrom;
    cocos2d::CCPoint m_ptTo;
};

}  // namespace DZPoKer
