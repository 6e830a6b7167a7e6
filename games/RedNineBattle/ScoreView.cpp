#include "games/RedNineBattle/ScoreView.h"

#include "games/framework/GameBoard.h"

#include <new>

using namespace cocos2d;

namespace RedNineBattle {

CScoreView* CScoreView::create(const char* picture)
{
    auto* view = new (std::nothrow) CScoreView();
    if (view != nullptr && view->InitWithImage(picture))
    {
        view->autorelease();
        return view;
    }
    delete view;
    return nullptr;
}

bool CScoreView::InitWithImage(const char* picture)
{
    if (!BankerScoreView::InitWithImage(picture))
        return false;
    SetDragArea(kAreaWidth, kAreaHeight);
    SetTouchable(true);
    return true;
}

void CScoreView::AddFigures(int64_t mine, int64_t second, int64_t third)
{
    AddFigure(mine, CCPoint(110, 50));
    AddFigure(second, CCPoint(110, 18));
    AddFigure(third, CCPoint(230, 50));
}

void CScoreView::SetEndResult(const RoundEndMessage& message)
{
    AddFigures(message.lMyScore, message.lSecondAmount, message.lThirdAmount);
    // A round score of 0 is no win.
    Sexy::CGameBoard::PlaySound(message.lMyScore > 0 ? "RedNineBattle/Sound/END_WIN" : "RedNineBattle/Sound/END_LOST");
}

void CScoreView::SetSceneResult(const PlayScene& scene)
{
    AddFigures(scene.lMyScore, scene.lSecondAmount, scene.lThirdAmount);
}

}  // namespace RedNineBattle
