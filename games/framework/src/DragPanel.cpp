#include "games/framework/DragPanel.h"

using namespace cocos2d;

namespace Sexy {

void CDragPanel::onEnter()
{
    CCDirector::sharedDirector()->getTouchDispatcher()->addTargetedDelegate(this, kTouchPriority, true);
    CCSprite::onEnter();
}

void CDragPanel::onExit()
{
    CCDirector::sharedDirector()->getTouchDispatcher()->removeDelegate(this);
    CCSprite::onExit();
}

bool CDragPanel::ccTouchBegan(CCTouch* touch, CCEvent*)
{
    if (!isVisible() || getParent() == nullptr)
        return false;
    return boundingBox().containsPoint(getParent()->convertTouchToNodeSpace(touch));
}

void CDragPanel::ccTouchMoved(CCTouch* touch, CCEvent*)
{
    if (getParent() == nullptr)
        return;
    // The bounds are the window's; the panel lives in the table's space.
    const CCPoint at = ClampDrag(touch->getLocation(), getContentSize(), CCDirector::sharedDirector()->getVisibleSize());
    setPosition(getParent()->convertToNodeSpace(at));
}

CCPoint CDragPanel::ClampDrag(const CCPoint& at, const CCSize& panel, const CCSize& visible)
{
    CCPoint p = at;
    if (at.x > visible.width - panel.width / 2)
        p.x = visible.width - panel.width / 2;
    if (at.x < panel.width / 2)
        p.x = panel.width / 2;
    if (at.y > visible.height - panel.height / 2 - 40)
        p.y = visible.height - panel.height / 2 - 40;
    if (at.y < panel.height / 2 + 75)
        p.y = panel.height / 2 + 75;
    return p;
}

}  // namespace Sexy
