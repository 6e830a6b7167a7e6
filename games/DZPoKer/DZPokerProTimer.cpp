#include "games/DZPoKer/DZPokerProTimer.h"

#include "games/DZPoKer/DZPoKerHandler.h"
#include "games/DZPoKer/DZPoKerMobile.h"
#include "games/framework/GameAudio.h"

#include <new>

using namespace cocos2d;

namespace DZPoKer {

DZPokerProTimer* DZPokerProTimer::create()
{
    auto* timer = new (std::nothrow) DZPokerProTimer();
    if (timer != nullptr && timer->init())
    {
        timer->autorelease();
        return timer;
    }
    delete timer;
    return nullptr;
}

DZPokerProTimer::~DZPokerProTimer() { removeAllChildrenWithCleanup(true); }

void DZPokerProTimer::SetSeatPoint(uint16_t view, const CCPoint& point)
{
    if (view < GAME_PLAYER)
        m_ptSeat[view] = CCPoint(point.x + 8, point.y);
}

void DZPokerProTimer::Start(int chair)
{
    m_nChair = chair;
    DZPoKerHandler* handler = DZPoKerMobile::GetHandler();
    uint16_t view = handler != nullptr ? handler->SwitchViewChairID(static_cast<uint16_t>(chair)) : 0;
    if (view >= GAME_PLAYER)
        view = 0;
    if (m_pBackground == nullptr)
    {
        m_pBackground = CCSprite::create("DZShowHand/time0.png");
        m_pBackground->setPosition(m_ptSeat[view]);
        m_pBackground->setVisible(true);
        m_pBackground->setScale(1.25f);
        addChild(m_pBackground, 0);
    }
    if (m_pRing == nullptr)
    {
        m_pRing = CCProgressTimer::create(CCSprite::create("DZShowHand/time1.png"));
        m_pRing->setScale(1.25f);
        m_pRing->setPosition(m_ptSeat[view]);
        m_pRing->setPercentage(100);
        m_pRing->setVisible(true);
        addChild(m_pRing, 1);
        schedule(schedule_selector(DZPokerProTimer::Update));
    }
}

void DZPokerProTimer::Stop()
{
    unschedule(schedule_selector(DZPokerProTimer::Update));
    if (m_pRing != nullptr)
        m_pRing->removeFromParentAndCleanup(true);
    if (m_pBackground != nullptr)
        m_pBackground->removeFromParentAndCleanup(true);
    m_pRing = nullptr;
    m_pBackground = nullptr;
}

void DZPokerProTimer::Update(float seconds)
{
    if (m_pRing == nullptr)
        return;
    const float percent = m_pRing->getPercentage() - kPercentPerSecond * seconds;
    m_pRing->setPercentage(percent);
    DZPoKerHandler* handler = DZPoKerMobile::GetHandler();
    const bool mine = handler != nullptr && m_nChair >= 0 && m_nChair == handler->GetMeChairID();
    if (!mine)
        return;
    const float shown = m_pRing->getPercentage();
    // The warning is a game sound like the others: silent with "Music" off.
    if (shown >= 25 && shown <= 27 && cocos2d::CCUserDefault::sharedUserDefault()->getBoolForKey("Music", true))
        Sexy::GetGameAudio()->PlayEffect("DZShowHand/Music/GAME_WARN.mp3", false);
    // At or past the end: a ring that does not stop at 0 gives up all the same.
    if (percent <= 0)
    {
        Stop();
        handler->OnGiveUp();
    }
}

}  // namespace DZPoKer
