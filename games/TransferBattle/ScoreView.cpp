#include "games/TransferBattle/ScoreView.h"

using namespace cocos2d;

namespace TransferBattle {

bool CScoreView::init() { return InitWithImage("TransferBattle/score"); }

void CScoreView::SetEndResult(const RoundEndMessage& message)
{
    AddAmounts(message.lMyScore, message.lSecondAmount, message.lThirdAmount);
}

void CScoreView::SetSceneResult(const PlayScene& scene)
{
    AddAmounts(scene.lMyScore, scene.lSecondAmount, scene.lThirdAmount);
}

void CScoreView::AddAmounts(int64_t mine, int64_t second, int64_t third)
{
    // Each within its column: after its caption, before the next one.
    constexpr float kFigureSize = 16;
    constexpr float kNearColumn = 102;
    constexpr float kFarColumn = 92;
    AddFigure(mine, CCPoint(150, 80), kFigureSize, kNearColumn);
    AddFigure(second, CCPoint(150, 30), kFigureSize, kNearColumn);
    AddFigure(third, CCPoint(300, 80), kFigureSize, kFarColumn);
}

}  // namespace TransferBattle
