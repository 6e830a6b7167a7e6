#include "games/common/PhaseClock.h"

#include <cstdio>

using namespace cocos2d;
using namespace cocos2d::ui;

namespace games {

void PhaseClock::Attach(Widget* label, const char* format)
{
    m_pLabel = label;
    m_szFormat = format != nullptr ? format : "%02d";
}

void PhaseClock::Start(CCNode* owner, SEL_SCHEDULE tick, int seconds)
{
    Stop();
    m_pOwner = owner;
    m_pTick = tick;
    m_Countdown.Start(seconds);
    // Restarted, so the first tick comes a whole second after the phase began.
    if (m_pOwner != nullptr && m_pTick != nullptr)
        m_pOwner->schedule(m_pTick, 1.0f);
    Show();
}

bool PhaseClock::Tick()
{
    if (!m_Countdown.Tick())
    {
        Stop();
        return false;
    }
    Show();
    return true;
}

void PhaseClock::Stop()
{
    if (m_pOwner != nullptr && m_pTick != nullptr)
        m_pOwner->unschedule(m_pTick);
}

std::string PhaseClock::Text(int seconds) const
{
    char text[16];
    std::snprintf(text, sizeof(text), m_szFormat, seconds);
    return text;
}

void PhaseClock::Show() const
{
    if (auto* atlas = dynamic_cast<LabelAtlas*>(m_pLabel))
        atlas->setStringValue(Text(Seconds()));
    else if (auto* label = dynamic_cast<Label*>(m_pLabel))
        label->setText(Text(Seconds()));
}

}  // namespace games
