#include "games/OxEx/ScoreView.h"

#include "core/ClientGlobal.h"
#include "games/OxEx/BullBoard.h"
#include "games/OxEx/NNHandler.h"
#include "games/OxEx/OxExMobile.h"
#include "games/OxNew/HandNames.h"

#include <cmath>

using namespace cocos2d;

namespace OxEx {

void CBullScoreView::onEnter()
{
    CCDirector::sharedDirector()->getTouchDispatcher()->addTargetedDelegate(this, m_nPriority, m_bSwallow);
    CCSprite::onEnter();
}

void CBullScoreView::onExit()
{
    CCDirector::sharedDirector()->getTouchDispatcher()->removeDelegate(this);
    CCSprite::onExit();
}

bool CBullScoreView::ccTouchBegan(CCTouch* touch, CCEvent*)
{
    if (!isVisible() || getParent() == nullptr)
        return false;
    // The parent's space carries the window's scale of the table.
    return boundingBox().containsPoint(getParent()->convertTouchToNodeSpace(touch));
}

void CBullScoreView::ccTouchMoved(CCTouch* touch, CCEvent*)
{
    if (getParent() == nullptr)
        return;
    setPosition(ClampDrag(getParent()->convertTouchToNodeSpace(touch), getContentSize()));
}

CCPoint CBullScoreView::ClampDrag(const CCPoint& at, const CCSize& size)
{
    const float right = std::floor(1028 - size.width / 2);
    const float top = std::floor(762 - size.height / 2);
    CCPoint p = at;
    if (at.x > right)
        p.x = right;
    if (at.x < size.width / 2)
        p.x = size.width / 2;
    if (at.y > top)
        p.y = top;
    if (at.y < size.height / 2 + 75)
        p.y = size.height / 2 + 75;
    return p;
}

std::string CBullScoreView::NickName(const tagUserData* user)
{
    if (user == nullptr)
        return std::string();
    return CClientGlobal::GBKToUTF8(CClientGlobal::WideToAnsi(FieldText(user->szNickName)));
}

CCLabelTTF* CBullScoreView::AddRowText(const std::string& utf8, const CCPoint& at)
{
    CCLabelTTF* label = CCLabelTTF::create(utf8.c_str(), "Arial", 14);
    label->setPosition(at);
    addChild(label, 10);
    return label;
}

CScoreView* CScoreView::create() { return OxEx::CreateInitialised<CScoreView>(); }

bool CScoreView::init()
{
    if (!initWithFile("OxEx/SCOREVIEW_0"))
        return false;
    m_ptRows[0] = CCPoint(100, 75);
    m_ptRows[1] = CCPoint(100, 45);
    return true;
}

void CScoreView::ShowResult(const CMD_S_GameEnd& end)
{
    NNHandler* handler = OxExMobile::GetHandler();
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        const CCPoint& row = m_ptRows[chair];
        const tagUserData* user = handler != nullptr ? handler->GetTableUserData(chair) : nullptr;
        AddRowText(NickName(user), row);
        AddRowText(OxNew::OxExHandNames[end.cbCardType[chair]], CCPoint(row.x + 120, row.y));
        AddRowText(CClientGlobal::GBKToUTF8(CClientGlobal::FormatScore(end.lGameScore[chair])),
                   CCPoint(row.x + 255, row.y));
    }
    setVisible(true);
}

}  // namespace OxEx
