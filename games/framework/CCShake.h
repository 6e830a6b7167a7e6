// An interval action that shakes a node round the place it stood when the
// action started, and puts it back there when it ends or is stopped. The
// offset is drawn anew every frame, uniform within +-strength on each axis,
// and grows with the progress from nothing to full strength.
#pragma once

#include "cocos2d.h"

namespace Sexy {

class CCShake : public cocos2d::CCActionInterval
{
public:
    static CCShake* create(float duration, float strengthX, float strengthY);
    static CCShake* create(float duration, float strength);

    void startWithTarget(cocos2d::CCNode* target) override;
    void update(float t) override;
    void stop() override;

    // A draw in [0, 1] of the C library's generator.
    static double UnitRandom();

private:
    cocos2d::CCPoint m_StartPosition;
    float m_fStrengthX = 0;
    float m_fStrengthY = 0;
};

}  // namespace Sexy
