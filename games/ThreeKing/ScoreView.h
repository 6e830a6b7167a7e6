// The result view of San Gong: one row per user at the table (name, hand,
// score of the round), in chair order with no gaps. The player can drag it
// about; it stays inside the visible area.
#pragma once

#include "cocos2d.h"
#include "games/ThreeKing/ThreeKingMessages.h"
#include "games/framework/UserData.h"

#include <string>
#include <vector>

namespace ThreeKing {

class CScoreView : public cocos2d::CCSprite, public cocos2d::CCTargetedTouchDelegate
{
public:
    // Ahead of the board, which swallows every touch while it shows, and of
    // the cards under the view.
    static constexpr int kTouchPriority = -130;
    static constexpr int kRows = GAME_PLAYER;

    static CScoreView* create();
    bool init() override;
    void onEnter() override;
    void onExit() override;

    // The rows from the round's result and the table users by chair (null
    // for an empty chair), then the view shows.
    void ShowResult(const CMD_S_GameEnd& result, const tagUserData* const (&users)[GAME_PLAYER]);

    // Claims a touch that begins inside the view.
    bool ccTouchBegan(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchMoved(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchEnded(cocos2d::CCTouch*, cocos2d::CCEvent*) override {}

    // Where a drag to `at` puts a view of that size on a visible area of
    // that size: each bound is tested on the point as dragged.
    static cocos2d::CCPoint ClampDrag(const cocos2d::CCPoint& at, const cocos2d::CCSize& size,
                                      const cocos2d::CCSize& visible);

    cocos2d::CCPoint m_ptRows[kRows];
    // The rows shown, in row order: nickname, hand name, score.
    struct Row
    {
        std::string name;
        std::string hand;
        std::string score;
    };
    const std::vector<Row>& GetRows() const { return m_Rows; }

private:
    void AddText(const std::string& utf8, const cocos2d::CCPoint& at);

    std::vector<Row> m_Rows;
};

}  // namespace ThreeKing
