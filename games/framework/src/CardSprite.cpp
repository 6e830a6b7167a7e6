#include "games/framework/CardSprite.h"

#include <cstdio>
#include <new>

using namespace cocos2d;

namespace Sexy {

namespace {

constexpr uint8_t kLastFrame = 54;

}  // namespace

CardSprite* CardSprite::create()
{
    auto* card = new (std::nothrow) CardSprite();
    if (card != nullptr && card->init())
    {
        card->autorelease();
        return card;
    }
    delete card;
    return nullptr;
}

bool CardSprite::init() { return CCSprite::init(); }

void CardSprite::onEnter()
{
    CCSprite::onEnter();
    CCDirector::sharedDirector()->getTouchDispatcher()->addTargetedDelegate(this, kTouchPriority, true);
}

void CardSprite::onExit()
{
    CCSprite::onExit();
    CCDirector::sharedDirector()->getTouchDispatcher()->removeDelegate(this);
}

uint8_t CardSprite::FrameIndexOf(uint8_t card)
{
    switch (card)
    {
        case kCardBack: return 54;
        case kSmallJoker: return 52;
        case kBigJoker: return 53;
        default: break;
    }
    const auto index = static_cast<uint8_t>((card >> 4) * 13 + (card & 0x0F) - 1);
    return index > kLastFrame ? 0 : index;
}

void CardSprite::SetCardData(uint8_t card)
{
    m_cbCardData = card;
    m_cbFrameIndex = FrameIndexOf(card);
    m_cbFaceValue = static_cast<uint8_t>(m_cbFrameIndex % 13 + 1);
    m_cbColor = static_cast<uint8_t>(m_cbFrameIndex / 13);
    char frame[16];
    std::snprintf(frame, sizeof(frame), "Card-%d", m_cbFrameIndex);
    // A new initialisation, as a fresh card: colour, opacity, flips and the
    // anchor start over.
    if (initWithSpriteFrameName(frame))
    {
        setColor(ccWHITE);
        setOpacity(255);
    }
    if (m_cbFrameIndex == 52)
        m_cbFaceValue = 14;
    else if (m_cbFrameIndex == 53)
        m_cbFaceValue = 15;
    if (m_pListener != nullptr)
        m_pListener->OnCardDataChanged(this);
    else
        SetDefaultLogicValue();
}

bool CardSprite::ShownWithAncestors()
{
    for (CCNode* node = this; node != nullptr; node = node->getParent())
    {
        if (!node->isVisible())
            return false;
    }
    return true;
}

CCPoint CardSprite::TouchInParent(CCTouch* touch)
{
    CCNode* parent = getParent();
    return parent != nullptr ? parent->convertTouchToNodeSpace(touch) : touch->getLocation();
}

bool CardSprite::ccTouchBegan(CCTouch* touch, CCEvent*)
{
    if (m_cbDisabled != 0)
        return false;
    const CCPoint at = TouchInParent(touch);
    if (!boundingBox().containsPoint(at) || !ShownWithAncestors())
        return false;
    m_ptTouchBegin = at;
    m_ptTouchMove = at;
    m_ptTouchPrev = at;
    // The listener is told; its answer does not decide the claim.
    if (m_pListener != nullptr)
        m_pListener->OnCardTouchBegan(this);
    return true;
}

void CardSprite::FollowTouch(CCTouch* touch)
{
    m_ptTouchPrev = m_ptTouchMove;
    m_ptTouchMove = TouchInParent(touch);
}

void CardSprite::ccTouchMoved(CCTouch* touch, CCEvent*)
{
    FollowTouch(touch);
    if (m_pListener != nullptr)
        m_pListener->OnCardTouchMoved(this);
}

void CardSprite::ccTouchEnded(CCTouch* touch, CCEvent*)
{
    FollowTouch(touch);
    if (m_pListener != nullptr)
        m_pListener->OnCardTouchEnded(this);
}

void SetBullLogicValue(CardSprite* card)
{
    if (card == nullptr)
        return;
    const uint8_t value = card->m_cbCardData & 0x0F;
    card->m_cbLogicValue = value > 10 ? 10 : value;
}

}  // namespace Sexy
