// Five-card stud's settlement panel: both players' names and results of the
// hand, on a panel the player can drag about the window (it takes the touches
// that begin on it).
#pragma once

#include "cocos2d.h"
#include "games/ShowHandANEx/LayoutPoints.h"
#include "games/ShowHandANEx/ShowHandANExMessages.h"

#include <string>

namespace ShowHandANEx {

class Settlement : public cocos2d::CCSprite, public cocos2d::CCTargetedTouchDelegate
{
public:
    static Settlement* create();
    ~Settlement() override;
    bool init() override;
    void onEnter() override;
    void onExit() override;

    // A name and a result per chair, then the panel shows.
    void ShowResult(const tagGameEnd& end);

    bool ccTouchBegan(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchMoved(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchEnded(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override
    {
        (void)touch;
        (void)event;
    }

    // Where a drag to the window point puts a panel of that size in a
    // window of the visible size: each bound tested on the point as dragged.
    static cocos2d::CCPoint ClampDrag(const cocos2d::CCPoint& at, const cocos2d::CCSize& panel,
                                      const cocos2d::CCSize& visible);
    // The name of a chair's user for a row: empty when nobody sits there any more.
    static std::string NickName(uint16_t chair);

    cocos2d::CCLabelTTF* NameLabel(uint16_t chair) const { return chair < GAME_PLAYER ? m_pNames[chair] : nullptr; }
    cocos2d::CCLabelTTF* ResultLabel(uint16_t chair) const { return chair < GAME_PLAYER ? m_pResults[chair] : nullptr; }

private:
    LayoutPoints* m_pLayout = nullptr;
    cocos2d::CCLabelTTF* m_pNames[GAME_PLAYER] = {};
    cocos2d::CCLabelTTF* m_pResults[GAME_PLAYER] = {};
};

}  // namespace ShowHandANEx
