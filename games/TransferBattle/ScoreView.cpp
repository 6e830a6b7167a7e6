#include "games/TransferBattle/ScoreView.h"

#include <new>

using namespace cocos2d;

namespace TransferBattle {

CScoreView* CScoreView::create()
{
    auto* view = new (std::nothrow) CScoreView();
    if (view != nullptr && view->init())
    {
        view->autorelease();
        return view;
    }
    delete view;
    return nullptr;
}

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
    AddFigure(mine, CCPoint(150, 80));
    AddFigure(second, CCPoint(150, 30));
    AddFigure(third, CCPoint(300, 80));
}

}  // namespace TransferBattle
