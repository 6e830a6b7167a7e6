#include "games/BullTable/BullScoreView.h"

#include "core/ClientGlobal.h"
#include "games/framework/BoardArt.h"

#include <cmath>

using namespace cocos2d;

namespace Bull {

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

CCLabelTTF* CBullScoreView::AddRowText(const std::string& utf8, const CCPoint& at, float width)
{
    CCLabelTTF* label = CCLabelTTF::create(utf8.c_str(), "Arial", 14);
    Sexy::FitToWidth(label, width);
    label->setPosition(at);
    addChild(label, 10);
    return label;
}

}  // namespace Bull
