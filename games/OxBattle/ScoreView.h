// The panel of a round's result amounts over the table: my round score and
// two further amounts of the result, from the round's end or from a result
// scene. The board shows one at the end of a round and takes it off at the
// next free time; it does not hand it touches, so it stays where it is put.
#pragma once

#include "cocos2d.h"
#include "games/OxBattle/OxBattleMessages.h"

namespace OxBattle {

class CScoreView : public cocos2d::CCSprite, public cocos2d::CCTargetedTouchDelegate
{
public:
    // The area a dragged view stays on.
    static constexpr float kAreaWidth = 1024;
    static constexpr float kAreaHeight = 694;

    CScoreView() = default;
    ~CScoreView() override = default;
    static CScoreView* create();
    bool init() override;
    void onExit() override;

    // Adds the three amount labels (each fill adds them again).
    void SetRoundEnd(const RoundEndMessage& message);
    void SetPlayScene(const PlayScene& scene);

    bool ccTouchBegan(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchMoved(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    // The drag's steps, by points in the parent's space.
    bool BeginDrag(const cocos2d::CCPoint& at);
    void DragTo(const cocos2d::CCPoint& at);

private:
    void AddAmounts(int64_t mine, int64_t second, int64_t third);
    void AddAmount(int64_t amount, const cocos2d::CCPoint& at);

    cocos2d::CCPoint m_ptPrevious;
    cocos2d::CCPoint m_ptCurrent;
};

}  // namespace OxBattle
