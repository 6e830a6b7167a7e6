#include "games/OxBattle/ScoreView.h"

#include "core/ClientGlobal.h"

#include <new>

using namespace cocos2d;

namespace OxBattle {

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

bool CScoreView::init()
{
    if (!CCSprite::init())
        return false;
    initWithFile("OxBattle/Over_UI_1/score");
    return true;
}

void CScoreView::onExit()
{
    CCDirector::sharedDirector()->getTouchDispatcher()->removeDelegate(this);
    CCSprite::onExit();
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
    AddAmount(mine, CCPoint(150, 80));
    AddAmount(second, CCPoint(150, 30));
    AddAmount(third, CCPoint(300, 80));
}

void CScoreView::AddAmount(int64_t amount, const CCPoint& at)
{
    CCLabelTTF* label = CCLabelTTF::create(" ", "Arial", 16);
    label->setString(CClientGlobal::FormatScore(amount).c_str());
    label->setPosition(at);
    addChild(label);
}

bool CScoreView::ccTouchBegan(CCTouch* touch, CCEvent*) { return BeginDrag(touch->getLocation()); }

void CScoreView::ccTouchMoved(CCTouch* touch, CCEvent*) { DragTo(touch->getLocation()); }

bool CScoreView::BeginDrag(const CCPoint& at)
{
    m_ptPrevious = at;
    const CCSize size = getContentSize();
    const CCPoint origin(getPositionX() - size.width / 2, getPositionY() - size.height / 2);
    return at.x >= origin.x && at.x <= origin.x + size.width && at.y >= origin.y && at.y <= origin.y + size.height;
}

void CScoreView::DragTo(const CCPoint& at)
{
    m_ptCurrent = at;
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
    setPosition(ccpAdd(getPosition(), ccpSub(m_ptCurrent, m_ptPrevious)));
    m_ptPrevious = m_ptCurrent;
}

}  // namespace OxBattle
