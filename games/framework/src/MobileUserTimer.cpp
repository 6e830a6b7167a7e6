#include "games/framework/MobileUserTimer.h"

#include "games/framework/BaseKernelLayer.h"

#include <new>

using namespace cocos2d;

namespace Sexy {

CMobileUserTimer* CMobileUserTimer::create()
{
    auto* timer = new (std::nothrow) CMobileUserTimer();
    if (timer != nullptr && timer->init())
    {
        timer->autorelease();
        return timer;
    }
    delete timer;
    return nullptr;
}

void CMobileUserTimer::Start(CBaseKernelLayer* kernel, uint16_t chair, uint32_t timerID, int32_t seconds, int32_t tag)
{
    m_pKernel = kernel;
    m_wChairID = chair;
    m_dwTimerID = timerID;
    m_nSecondsLeft = seconds;
    setTag(tag);
    schedule(schedule_selector(CMobileUserTimer::OnTick), 1.0f, static_cast<unsigned int>(seconds), 0.0f);
}

void CMobileUserTimer::OnTick(float)
{
    if (m_nSecondsLeft > 0)
        --m_nSecondsLeft;
    if (m_pKernel == nullptr)
        return;
    retain();  // the tick may end the clock and remove this node
    m_pKernel->OnClockTick(this, m_nSecondsLeft);
    release();
}

void CMobileUserTimer::Stop()
{
    unschedule(schedule_selector(CMobileUserTimer::OnTick));
    m_pKernel = nullptr;
}

}  // namespace Sexy
