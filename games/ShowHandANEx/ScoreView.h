// Five-card stud's win animation: a transparent layer on the table that,
// when my result is positive, shows three money bags and sends sixty coins
// and a hundred and twenty stars flying to them. It stays until the next
// table clear.
#pragma once

#include "cocos2d.h"
#include "games/ShowHandANEx/LayoutPoints.h"
#include "games/ShowHandANEx/ShowHandANExMessages.h"

namespace ShowHandANEx {

class CScoreView : public cocos2d::CCSprite
{
public:
    static constexpr int kBags = 3;
    static constexpr int kCoins = 60;
    static constexpr int kStars = 120;
    // Where every coin and star ends, in the view's space.
    static const cocos2d::CCPoint kGatherPoint;

    static CScoreView* create();
    ~CScoreView() override;
    bool init() override;

    // Makes the view visible; the record is not read.
    void Show(const tagGameEnd& end);
    // Nothing unless play is true.
    void PlayWinAnimation(bool play);

    cocos2d::CCSprite* Bag(int i) const { return i >= 0 && i < kBags ? m_pBags[i] : nullptr; }

private:
    // One coin or star: its frames turn from the variant on, it flies to the
    // gather point and fades in or out, starting after the delay.
    void FlyPiece(const char* format, const cocos2d::CCPoint& from, int variant, float delay);

    cocos2d::CCSprite* m_pBags[kBags] = {};
    LayoutPoints* m_pLayout = nullptr;
};

}  // namespace ShowHandANEx
