// Where five-card stud's table puts things, in the content root's space
// (1000 x 700, origin bottom left). Views: 0 is my seat at the bottom, 1 the
// other player's at the top.
#pragma once

#include "cocos2d.h"

namespace ShowHandANEx {

struct LayoutPoints
{
    static constexpr int kViews = 2;
    static constexpr int kCards = 5;
    // Pixels between neighbouring cards of one player.
    static constexpr float kCardSpacing = 17.0f;

    cocos2d::CCPoint cardSlot[kViews][kCards];
    cocos2d::CCPoint deck{480, 400};
    cocos2d::CCPoint startButton{460, 180};
    cocos2d::CCPoint myFunction{510, 80};
    cocos2d::CCPoint noteSign{510, 400};
    cocos2d::CCPoint showHandEffect{515, 400};
    cocos2d::CCPoint poolLabel{520, 468};
    cocos2d::CCPoint raiseButton[3] = {{400, 99}, {586, 99}, {768, 99}};
    cocos2d::CCPoint followButton{400, 30};
    cocos2d::CCPoint showHandButton{590, 30};
    cocos2d::CCPoint giveUpButton{780, 30};
    cocos2d::CCPoint scoreView{40, 0};
    cocos2d::CCPoint betTotal[kViews] = {{305, 280}, {670, 510}};
    cocos2d::CCPoint actionLabel[kViews] = {{650, 300}, {300, 500}};
    cocos2d::CCPoint chipStart[kViews] = {{650, 285}, {300, 500}};
    // The settlement panel's name rows, in the panel's own space (by chair).
    cocos2d::CCPoint settlementName[kViews] = {{80, 105}, {80, 45}};

    LayoutPoints()
    {
        for (int k = 0; k < kCards; ++k)
        {
            cardSlot[0][k] = cocos2d::CCPoint(480 + kCardSpacing * k, 240);
            cardSlot[1][k] = cocos2d::CCPoint(410 + kCardSpacing * k, 580);
        }
    }
};

}  // namespace ShowHandANEx
