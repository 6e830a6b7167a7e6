#include "games/common/ScoreView.h"

#include "core/ClientGlobal.h"
#include "games/common/BankerBetting.h"
#include "games/framework/BoardArt.h"

using namespace cocos2d;

namespace games {

bool BankerScoreView::InitWithImage(const char* picture)
{
    if (!CCSprite::init())
        return false;
    initWithFile(picture);
    return true;
}

CCLabelTTF* BankerScoreView::AddFigure(int64_t amount, const CCPoint& at, float fontSize, float column)
{
    CCLabelTTF* label = CCLabelTTF::create(" ", "Arial", fontSize);
    label->setString(CClientGlobal::FormatScore(amount).c_str());
    label->setPosition(at);
    if (column > 0)
        Sexy::FitToWidth(label, column);
    addChild(label);
    return label;
}

void BankerScoreView::SetDragArea(float width, float height)
{
    m_fAreaWidth = width;
    m_fAreaHeight = height;
}

void BankerScoreView::SetTouchable(bool touchable)
{
    m_bTouchable = touchable;
    if (!touchable)
        Unregister();
    else if (isRunning())
        Register();
}

void BankerScoreView::Register()
{
    if (m_bRegistered)
        return;
    CCDirector::sharedDirector()->getTouchDispatcher()->addTargetedDelegate(this, kTouchPriority, true);
    m_bRegistered = true;
}

void BankerScoreView::Unregister()
{
    // Removed whether or not it was added: the dispatcher retains its
    // delegates, and a view left registered would never go.
    CCDirector::sharedDirector()->getTouchDispatcher()->removeDelegate(this);
    m_bRegistered = false;
    m_bDragging = false;
}

void BankerScoreView::onEnter()
{
    CCSprite::onEnter();
    if (m_bTouchable)
        Register();
}

void BankerScoreView::onExit()
{
    Unregister();
    CCSprite::onExit();
}

CCPoint BankerScoreView::ParentPoint(CCTouch* touch)
{
    const CCPoint world = touch->getLocation();
    return getParent() != nullptr ? getParent()->convertToNodeSpace(world) : world;
}

bool BankerScoreView::ccTouchBegan(CCTouch* touch, CCEvent*)
{
    if (!m_bTouchable || m_bDragging || !isVisible() || !BeginDrag(ParentPoint(touch)))
        return false;
    m_bDragging = true;
    return true;
}

void BankerScoreView::ccTouchMoved(CCTouch* touch, CCEvent*)
{
    if (m_bDragging && m_bDraggable)
        DragTo(ParentPoint(touch));
}

void BankerScoreView::ccTouchEnded(CCTouch*, CCEvent*) { m_bDragging = false; }

void BankerScoreView::ccTouchCancelled(CCTouch*, CCEvent*) { m_bDragging = false; }

bool BankerScoreView::BeginDrag(const CCPoint& at)
{
    m_ptPrevious = at;
    const CCSize size = getContentSize();
    const CCPoint origin(getPositionX() - size.width / 2, getPositionY() - size.height / 2);
    return at.x >= origin.x && at.x <= origin.x + size.width && at.y >= origin.y && at.y <= origin.y + size.height;
}

void BankerScoreView::DragTo(const CCPoint& at)
{
    const CCSize size = getContentSize();
    const CCPoint moved = ccpAdd(getPosition(), ccpSub(at, m_ptPrevious));
    setPosition(CCPoint(ClampCentre(moved.x, size.width / 2, m_fAreaWidth),
                        ClampCentre(moved.y, size.height / 2, m_fAreaHeight)));
    m_ptPrevious = at;
}

}  // namespace games
