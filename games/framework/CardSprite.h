// A playing card on a board: one frame "Card-%d" of the shared card sheet,
// the card it shows as a card byte, a frame index and face value and colour,
// the game's selected and disabled marks, and the touches on it, which it
// reports to its listener (usually the board).
//
// A card byte has the colour (0-3) in its high nibble and the value 1-13 in
// the low one; 0x4E and 0x4F are the small and big joker, 99 the back. Frame
// index = colour x 13 + value - 1, 52 and 53 the jokers, 54 the back; a byte
// that names no frame shows frame 0.
//
// Touches: a targeted delegate at priority -129 (just before dialogs and
// boards), swallowing what it claims; it claims a touch that begins inside
// it while it and all its ancestors show and it is not disabled. It is
// registered while it is in the running scene, so a card that is never shown
// is not kept alive by the dispatcher.
#pragma once

#include "cocos2d.h"
#include "games/framework/CardListener.h"

#include <cstdint>

namespace Sexy {

class CardSprite : public cocos2d::CCSprite, public cocos2d::CCTargetedTouchDelegate
{
public:
    static constexpr int kTouchPriority = -129;
    static constexpr uint8_t kCardBack = 99;
    static constexpr uint8_t kSmallJoker = 0x4E;
    static constexpr uint8_t kBigJoker = 0x4F;

    static CardSprite* create();
    bool init() override;
    void onEnter() override;
    void onExit() override;

    // The game's ranking value: the face value unless the listener sets it.
    virtual void SetDefaultLogicValue() { m_cbLogicValue = m_cbFaceValue; }

    // Shows the card (the sprite is initialised again with its frame), then
    // the listener's OnCardDataChanged sets the logic value.
    void SetCardData(uint8_t card);
    uint8_t GetCardData() const { return m_cbCardData; }
    void SetCardListener(CCardListener* listener) { m_pListener = listener; }
    CCardListener* GetCardListener() const { return m_pListener; }
    uint8_t IsSelected() const { return m_cbSelected; }
    void SetSelected(uint8_t selected) { m_cbSelected = selected; }
    uint8_t IsDisabled() const { return m_cbDisabled; }
    void SetDisabled(uint8_t disabled) { m_cbDisabled = disabled; }

    // Where the last touch began and last moved or ended, in the parent's space.
    float GetTouchBeginX() const { return m_ptTouchBegin.x; }
    void SetTouchBeginX(float x) { m_ptTouchBegin.x = x; }
    const cocos2d::CCPoint& GetTouchBeginPoint() const { return m_ptTouchBegin; }
    float GetTouchMoveX() const { return m_ptTouchMove.x; }
    void SetTouchMoveX(float x) { m_ptTouchMove.x = x; }
    const cocos2d::CCPoint& GetTouchMovePoint() const { return m_ptTouchMove; }
    void SetTouchMovePoint(const cocos2d::CCPoint& point) { m_ptTouchMove = point; }
    // The move point before the latest move, so a drag can step by what
    // moved since the previous event (the begin point after the first).
    const cocos2d::CCPoint& GetTouchPrevPoint() const { return m_ptTouchPrev; }

    bool ccTouchBegan(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchMoved(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchEnded(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;

    // The frame a card byte shows (0 to 54).
    static uint8_t FrameIndexOf(uint8_t card);

    // Games read and write these directly.
    uint8_t m_cbCardData = 0;
    uint8_t m_cbFrameIndex = 0;
    uint8_t m_cbFaceValue = 0;
    uint8_t m_cbColor = 0;
    uint8_t m_cbLogicValue = 0;
    uint8_t m_cbSelected = 0;
    uint8_t m_cbDisabled = 0;

private:
    bool ShownWithAncestors();
    cocos2d::CCPoint TouchInParent(cocos2d::CCTouch* touch);
    void FollowTouch(cocos2d::CCTouch* touch);

    cocos2d::CCPoint m_ptTouchBegin;
    cocos2d::CCPoint m_ptTouchMove;
    cocos2d::CCPoint m_ptTouchPrev;
    CCardListener* m_pListener = nullptr;
};

// The logic value of the bull tables and five-card stud, as their
// OnCardDataChanged body: the face value, court cards counting ten.
void SetBullLogicValue(CardSprite* card);

}  // namespace Sexy
