// What the bull games' result views share: a picture with one row per player
// (name, hand name, score change) that the player can drag about the table.
// It takes the touches that begin on it (with the priority and swallowing
// its game gives) and follows the drag, its centre kept inside the
// 1028 x 762 table region with its lower edge at least 75 above the bottom.
#pragma once

#include "cocos2d.h"
#include "games/framework/UserData.h"

#include <string>

namespace Bull {

class CBullScoreView : public cocos2d::CCSprite, public cocos2d::CCTargetedTouchDelegate
{
public:
    // Ahead of the board, which swallows every touch while it shows, and of
    // the cards under the view: at 0 the view would never see a touch.
    static constexpr int kAheadOfBoardPriority = -130;

    void onEnter() override;
    void onExit() override;
    // Claims a touch that begins inside the view.
    bool ccTouchBegan(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchMoved(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchEnded(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override
    {
        (void)touch;
        (void)event;
    }

    // Where a drag to `at` puts a view of that size: each bound is tested on
    // the point as dragged, the upper bounds cut to whole points.
    static cocos2d::CCPoint ClampDrag(const cocos2d::CCPoint& at, const cocos2d::CCSize& size);

    // A nickname for a row: empty when the chair has no user any more.
    static std::string NickName(const tagUserData* user);

protected:
    CBullScoreView(int priority, bool swallow) : m_nPriority(priority), m_bSwallow(swallow) {}
    // A label of the row in "Arial" 14, added at z 10, drawn smaller when
    // it is wider than its column (`width` points, centred on `at`).
    cocos2d::CCLabelTTF* AddRowText(const std::string& utf8, const cocos2d::CCPoint& at, float width);

private:
    int m_nPriority;
    bool m_bSwallow;
};

}  // namespace Bull
