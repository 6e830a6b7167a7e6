#include "ui/CCTableSliderLayer.h"

using namespace cocos2d;

CCTableSliderLayer* CCTableSliderLayer::create(int flag, int trackLength, CCObject* target, SEL_CallFuncO callback)
{
    CCTableSliderLayer* slider = new CCTableSliderLayer();
    if (!slider->initSlider(flag, trackLength, target, callback))
    {
        delete slider;
        return nullptr;
    }
    slider->autorelease();
    return slider;
}

bool CCTableSliderLayer::initSlider(int flag, int trackLength, CCObject* target, SEL_CallFuncO callback)
{
    if (!CCLayer::init())
        return false;
    m_nFlag = flag;
    m_nTrackLength = trackLength;
    m_pTarget = target;
    m_pCallback = callback;
    m_pTrack = CCSprite::create("Table/table_slider_bg");
    if (m_pTrack != nullptr)
    {
        m_pTrack->setTextureRect(CCRect(0, 0, static_cast<float>(trackLength), kTrackThickness));
        m_pTrack->setAnchorPoint(CCPoint(0, 0));
        m_pTrack->setPosition(CCPoint(0, 0));
        addChild(m_pTrack);
    }
    m_pThumb = CCSprite::create("Table/table_slider_thumb");
    if (m_pThumb != nullptr)
    {
        m_nThumbLength = static_cast<int>(m_pThumb->getContentSize().width + 6);
        m_nThumbThickness = static_cast<int>(m_pThumb->getContentSize().height);
        m_pThumb->setPosition(CCPoint(m_nThumbLength / 2.0f, m_nThumbThickness / 2.0f));
        m_pThumb->setVisible(false);
        addChild(m_pThumb, 1);
    }
    return true;
}

void CCTableSliderLayer::onEnter()
{
    CCLayer::onEnter();
    CCDirector::sharedDirector()->getTouchDispatcher()->addTargetedDelegate(this, -128, true);
}

void CCTableSliderLayer::onExit()
{
    CCDirector::sharedDirector()->getTouchDispatcher()->removeDelegate(this);
    CCLayer::onExit();
}

float CCTableSliderLayer::ClampThumbX(float x, int thumbLength, int trackLength)
{
    const float low = thumbLength / 2.0f;
    const float high = trackLength - thumbLength / 2.0f;
    if (x > high)
        x = high;
    if (x < low)
        x = low;
    return x;
}

int CCTableSliderLayer::OffsetForThumbX(int flag, float x, int thumbLength, int trackLength, int range)
{
    const int travel = trackLength - thumbLength;
    // No travel would divide by zero.
    const int moved = travel > 0 ? static_cast<int>((x - thumbLength / 2.0f) * range / travel) : 0;
    return flag == kHorizontal ? moved : range - moved;
}

float CCTableSliderLayer::ThumbXForOffset(float offset, int thumbLength, int trackLength, int range)
{
    const float end = trackLength - thumbLength / 2.0f;
    if (range == 0)
        return ClampThumbX(end, thumbLength, trackLength);
    return ClampThumbX(end - offset * (trackLength - thumbLength) / range, thumbLength, trackLength);
}

bool CCTableSliderLayer::touchInTrack(CCTouch* touch)
{
    if (m_pTrack == nullptr)
        return false;
    CCPoint local = convertToNodeSpace(touch->getLocation());
    return m_pTrack->boundingBox().containsPoint(local);
}

void CCTableSliderLayer::followTouch(CCTouch* touch)
{
    if (m_pThumb == nullptr)
        return;
    const float x = ClampThumbX(convertToNodeSpace(touch->getLocation()).x, m_nThumbLength, m_nTrackLength);
    m_pThumb->setPosition(CCPoint(x, m_nThumbThickness / 2.0f));
    m_nCurrentOffset = OffsetForThumbX(m_nFlag, x, m_nThumbLength, m_nTrackLength, m_nRange);
    if (m_pTarget != nullptr && m_pCallback != nullptr)
        (m_pTarget->*m_pCallback)(this);
}

bool CCTableSliderLayer::ccTouchBegan(CCTouch* touch, CCEvent*)
{
    if (!CCUserDefault::sharedUserDefault()->getBoolForKey("UserList", true) || !touchInTrack(touch))
        return false;
    followTouch(touch);
    return true;
}

void CCTableSliderLayer::ccTouchMoved(CCTouch* touch, CCEvent*) { followTouch(touch); }

void CCTableSliderLayer::ccTouchEnded(CCTouch* touch, CCEvent*)
{
    if (touchInTrack(touch))
        followTouch(touch);
}

void CCTableSliderLayer::setScrollOffset(float offset)
{
    if (m_pThumb != nullptr)
        m_pThumb->setPosition(
            CCPoint(ThumbXForOffset(offset, m_nThumbLength, m_nTrackLength, m_nRange), m_nThumbThickness / 2.0f));
}

void CCTableSliderLayer::setTrackHeight(int trackLength)
{
    m_nTrackLength = trackLength;
    if (m_pTrack != nullptr)
        m_pTrack->setTextureRect(CCRect(0, 0, static_cast<float>(trackLength), kTrackThickness));
    if (m_pThumb != nullptr)
        m_pThumb->setVisible(m_nRange < 0);
}

void CCTableSliderLayer::setScrollRange(int range)
{
    m_nRange = range;
    if (m_pThumb != nullptr)
        m_pThumb->setVisible(m_nRange < 0);
}
