#include "games/framework/TimerBox.h"

#include "games/framework/BoardArt.h"

#include <cstdio>
#include <new>

using namespace cocos2d;

namespace Sexy {

namespace {

CCPoint OnesPoint() { return CCPoint(76, 74); }

}  // namespace

CTimerBox* CTimerBox::create()
{
    auto* box = new (std::nothrow) CTimerBox();
    if (box != nullptr && box->init())
    {
        box->autorelease();
        return box;
    }
    delete box;
    return nullptr;
}

bool CTimerBox::init()
{
    if (!CCSprite::init())
        return false;
    m_pFrame = CCSprite::create("ClientGame/Count");
    addChild(m_pFrame);
    m_pOnes = CCSprite::createWithSpriteFrameName("Digital-1_01");
    m_pOnes->setPosition(OnesPoint());
    m_pFrame->addChild(m_pOnes);
    m_pTens = CCSprite::createWithSpriteFrameName("Digital-1_01");
    m_pTens->setPosition(CCPoint(46, 74));
    m_pFrame->addChild(m_pTens);
    m_pLight = CCSprite::create();
    m_pLight->setPosition(CCPoint(62, 51));
    m_pFrame->addChild(m_pLight);
    if (CCAction* run = RunFramesForever("Light-%d", 1, 5, 0.2f))
        m_pLight->runAction(run);
    return true;
}

void CTimerBox::onEnter()
{
    CCSprite::onEnter();
    if (!isVisible() && m_pLight != nullptr)
        m_pLight->pauseSchedulerAndActions();
}

void CTimerBox::setVisible(bool visible)
{
    CCSprite::setVisible(visible);
    if (m_pLight == nullptr)
        return;
    if (visible)
        m_pLight->resumeSchedulerAndActions();
    else
        m_pLight->pauseSchedulerAndActions();
}

void CTimerBox::ShowDigit(CCSprite* sprite, int digit)
{
    char frame[24];
    std::snprintf(frame, sizeof(frame), "Digital-1_0%d", digit + 1);
    if (CCSpriteFrame* shown = CCResolvePicture(frame))
        sprite->setDisplayFrame(shown);
}

void CTimerBox::SetTime(float x, float y, uint16_t seconds)
{
    setPosition(CCPoint(x, y));
    m_wSeconds = seconds;
    // The tenth digit frame is the last: a hundred seconds or more would ask
    // for a frame that is not there.
    const int shown = seconds > kMaxShown ? kMaxShown : seconds;
    m_nTens = shown / 10;
    m_nOnes = shown % 10;
    ShowDigit(m_pTens, m_nTens);
    ShowDigit(m_pOnes, m_nOnes);
    m_pOnes->setPosition(OnesPoint());
    if (!m_pTens->isVisible())
        m_pTens->setVisible(true);
    if (!isVisible())
        setVisible(true);
}

}  // namespace Sexy
