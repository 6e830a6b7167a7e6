#include "games/TwoCardBanker/TwoCardScoreView.h"

#include <new>

using namespace cocos2d;

namespace TwoCardBanker {

CTwoCardScoreView* CTwoCardScoreView::create(const char* picture)
{
    auto* view = new (std::nothrow) CTwoCardScoreView();
    if (view != nullptr && view->InitWithImage(picture))
    {
        view->autorelease();
        return view;
    }
    delete view;
    return nullptr;
}

bool CTwoCardScoreView::InitWithImage(const char* picture)
{
    if (!BankerScoreView::InitWithImage(picture))
        return false;
    SetDragArea(kAreaWidth, kAreaHeight);
    SetTouchable(true);
    return true;
}

void CTwoCardScoreView::SetFigures(int64_t mine, int64_t second, int64_t third)
{
    // Each between its caption and the next one.
    AddFigure(mine, CCPoint(110, 50), kFigureSize, kNearColumn);
    AddFigure(second, CCPoint(110, 18), kFigureSize, kNearColumn);
    AddFigure(third, CCPoint(230, 50), kFigureSize, kFarColumn);
}

}  // namespace TwoCardBanker
