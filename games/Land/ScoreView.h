// The landlord game's end-of-hand panel: won or lost, spring or anti-spring,
// who won (the landlord or the farmers), a short animation, a number of the
// record and one row per chair (nickname, score, a number), and a close
// button that hides it. Its pictures are in "Land/theEnd/".
#pragma once

#include "cocos-ext.h"
#include "cocos2d.h"
#include "games/Land/LandMessages.h"
#include "games/framework/ResultLayer.h"

namespace Land {

class CScoreView : public Sexy::CResultLayer
{
public:
    static CScoreView* create();
    bool init() override;

    void ShowResult(const CMD_S_GameEnd& end);
};

}  // namespace Land
