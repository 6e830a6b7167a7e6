#include "games/OxBattle/ScoreView.h"

using namespace cocos2d;

namespace OxBattle {

bool CScoreView::init()
{
    if (!InitWithImage("OxBattle/Over_UI_1/score"))
        return false;
    SetDragArea(kAreaWidth, kAreaHeight);
    return true;
}

void CScoreView::SetRoundEnd(const RoundEndMessage& message)
{
    AddAmounts(message.lMyScore, message.lSecondAmount, message.lThirdAmount);
}

void CScoreView::SetPlayScene(const PlayScene& scene)
{
    AddAmounts(scene.lMyScore, scene.lSecondAmount, scene.lThirdAmount);
}

void CScoreView::AddAmounts(int64_t mine, int64_t second, int64_t third)
{
    // Each figure stands centred between its caption and the next one.
    AddFigure(mine, CCPoint(150, 80), kFigureSize, kLeftFigureWidth);
    AddFigure(second, CCPoint(150, 30), kFigureSize, kLeftFigureWidth);
    AddFigure(third, CCPoint(300, 80), kFigureSize, kRightFigureWidth);
}

void CScoreView::DragTo(const CCPoint& at)
{
    const CCSize size = getContentSize();
    const float halfWidth = size.width / 2;
    const float halfHeight = size.height / 2;
    if (at.x > kAreaWidth - halfWidth)
        setPositionX(kAreaWidth - halfWidth);
    if (at.y < halfHeight)
        setPositionY(halfHeight);
    if (at.x < halfWidth)
        setPositionX(halfWidth);
    if (at.y > kAreaHeight - halfHeight)
        setPositionY(kAreaHeight - halfHeight);
    setPosition(ccpAdd(getPosition(), ccpSub(at, m_ptPrevious)));
    m_ptPrevious = at;
}

}  // namespace OxBattle
