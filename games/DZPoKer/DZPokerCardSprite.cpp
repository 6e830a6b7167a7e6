#include "games/DZPoKer/DZPokerCardSprite.h"

#include <cstdio>
#include <new>

using namespace cocos2d;

namespace DZPoKer {

DZPokerCardSprite* DZPokerCardSprite::create()
{
    auto* card = new (std::nothrow) DZPokerCardSprite();
    if (card != nullptr && card->init())
    {
        card->autorelease();
        return card;
    }
    delete card;
    return nullptr;
}

bool DZPokerCardSprite::init()
{
    if (!CCSprite::init())
        return false;
    SetCardData(99);
    return true;
}

uint8_t DZPokerCardSprite::FrameIndexOf(uint8_t card)
{
    if (card == 0x4E)
        return 52;
    if (card == 0x4F)
        return 53;
    const uint8_t colour = card >> 4, value = card & 0x0F;
    if (colour > 3 || value < 1 || value > 13)
        return kBackFrame;
    return static_cast<uint8_t>(colour * 13 + value - 1);
}

void DZPokerCardSprite::SetCardData(uint8_t card)
{
    m_cbCardData = card;
    m_cbFrameIndex = FrameIndexOf(card);
    m_cbFaceValue = static_cast<uint8_t>(m_cbFrameIndex % 13 + 1);
    m_cbColor = static_cast<uint8_t>(m_cbFrameIndex / 13);
    if (m_cbFrameIndex == 52)
        m_cbFaceValue = 14;
    else if (m_cbFrameIndex == 53)
        m_cbFaceValue = 15;
    char name[16];
    std::snprintf(name, sizeof(name), "Cards-%d", m_cbFrameIndex);
    if (CCSpriteFrame* frame = CCResolvePicture(name))
        setDisplayFrame(frame);
    UpdateShownValue();
}

}  // namespace DZPoKer
