#include "room/ScrollPaneLayer.h"

#include "ui/CCTableSliderLayer.h"
#include "ui/MyPoint.h"
#include "ui/VisibleRect.h"

#include <algorithm>
#include <cmath>

using namespace cocos2d;

CScrollPaneLayer::~CScrollPaneLayer() { CCNotificationCenter::sharedNotificationCenter()->removeAllObservers(this); }

bool CScrollPaneLayer::initPane(int touchPriority, float wheelStep)
{
    if (!CCLayer::init())
        return false;
    m_nPriority = touchPriority;
    m_fWheelStep = wheelStep;
    m_pSlider = CCTableSliderLayer::create(CCTableSliderLayer::kVertical, 100, this,
                                           callfuncO_selector(CScrollPaneLayer::OnSlider));
    if (m_pSlider != nullptr)
        addChild(m_pSlider, 10);
    CCNotificationCenter* center = CCNotificationCenter::sharedNotificationCenter();
    center->addObserver(this, callfuncO_selector(CScrollPaneLayer::OnCursor), notify::kCursor, nullptr);
    center->addObserver(this, callfuncO_selector(CScrollPaneLayer::OnMouseWheel), notify::kMouseWheel, nullptr);
    return true;
}

void CScrollPaneLayer::onEnter()
{
    CCLayer::onEnter();
    setTouchEnabled(true);
}

void CScrollPaneLayer::onExit()
{
    setTouchEnabled(false);
    CCLayer::onExit();
}

void CScrollPaneLayer::registerWithTouchDispatcher()
{
    CCDirector::sharedDirector()->getTouchDispatcher()->addTargetedDelegate(this, m_nPriority, true);
}

bool CScrollPaneLayer::IsShownInTree(CCNode* node)
{
    for (; node != nullptr; node = node->getParent())
        if (!node->isVisible())
            return false;
    return true;
}

bool CScrollPaneLayer::ContainsWorld(const CCPoint& world)
{
    const CCPoint local = convertToNodeSpace(world);
    const CCSize& size = getContentSize();
    return local.x >= 0 && local.y >= 0 && local.x < size.width && local.y < size.height;
}

float CScrollPaneLayer::GetMaxScroll() const { return std::max(0.0f, GetContentHeight() - GetViewHeight()); }

void CScrollPaneLayer::ClampScroll() { m_fScroll = std::max(0.0f, std::min(m_fScroll, GetMaxScroll())); }

void CScrollPaneLayer::ScrollTo(float scroll)
{
    scroll = std::max(0.0f, std::min(scroll, GetMaxScroll()));
    if (scroll == m_fScroll)
        return;
    m_fScroll = scroll;
    OnScrolled();
}

void CScrollPaneLayer::PlaceSlider(const CCPoint& top, float length)
{
    if (m_pSlider == nullptr)
        return;
    // Turned a quarter clockwise about its first corner, the bar runs down
    // from `top`, its thumb at the top while the first rows show.
    const int track = static_cast<int>(std::max(0.0f, length));
    m_pSlider->ignoreAnchorPointForPosition(false);
    m_pSlider->setAnchorPoint(CCPoint(0, 0));
    m_pSlider->setContentSize(CCSize(static_cast<float>(track), CCTableSliderLayer::kTrackThickness));
    m_pSlider->setRotation(90);
    m_pSlider->setPosition(top);
    m_pSlider->setTrackHeight(track);
}

void CScrollPaneLayer::SyncSlider()
{
    if (m_pSlider == nullptr)
        return;
    // The bar speaks a table view's content offset: the range is the lowest
    // offset, reached at the top of the content.
    const int range = -static_cast<int>(GetMaxScroll());
    m_pSlider->setScrollRange(range);
    m_pSlider->setScrollOffset(range + m_fScroll);
    m_pSlider->setVisible(range < 0);
}

void CScrollPaneLayer::OnSlider(CCObject* slider)
{
    auto* bar = static_cast<CCTableSliderLayer*>(slider);
    ScrollTo(static_cast<float>(bar->getCurrentOffset() - bar->getScrollRange()));
}

bool CScrollPaneLayer::ccTouchBegan(CCTouch* touch, CCEvent*)
{
    if (!IsShownInTree(this) || !ContainsWorld(touch->getLocation()))
        return false;
    m_TouchStart = touch->getLocation();
    m_fTouchScroll = m_fScroll;
    m_bDragging = false;
    return true;
}

void CScrollPaneLayer::ccTouchMoved(CCTouch* touch, CCEvent*)
{
    const CCPoint now = touch->getLocation();
    if (!m_bDragging && std::fabs(now.y - m_TouchStart.y) < kClickSlop &&
        std::fabs(now.x - m_TouchStart.x) < kClickSlop)
        return;
    m_bDragging = true;
    ScrollTo(m_fTouchScroll + (now.y - m_TouchStart.y));
}

void CScrollPaneLayer::ccTouchEnded(CCTouch* touch, CCEvent*)
{
    if (!m_bDragging)
        OnClick(touch->getLocation());
}

void CScrollPaneLayer::OnCursor(CCObject* point)
{
    if (auto* at = dynamic_cast<CMyPoint*>(point))
        m_Cursor = VisibleRect::windowToGL(at->m_point);
}

void CScrollPaneLayer::OnMouseWheel(CCObject* point)
{
    auto* at = dynamic_cast<CMyPoint*>(point);
    if (at == nullptr || !isRunning() || !IsShownInTree(this) || !ContainsWorld(m_Cursor))
        return;
    // A notch away from the player scrolls up.
    ScrollTo(m_fScroll - at->m_point.y / 120.0f * m_fWheelStep);
}
