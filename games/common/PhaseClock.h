// The phase clock of a banker board: the seconds left of the phase, shown on
// the layout's clock label and counted down once a second to 0.
//
// The clock ticks on its owner's own schedule (the board's selector), so the
// board's clock and its other timers keep one order: the board's tick does
// what the game does at given seconds, then calls Tick.
//
//   void MyBoard::OnClockTick(float)
//   {
//       if (m_Clock.Seconds() <= 10 && ...)  // once, at or below, never "== 10"
//           ForceOpen();
//       m_Clock.Tick();
//   }
#pragma once

#include "CocoStudio.h"
#include "cocos2d.h"
#include "games/common/BankerBetting.h"

#include <string>

namespace games {

class PhaseClock
{
public:
    // The label (a LabelAtlas or a Label; null shows nothing) and its format
    // ("%02d", "%d").
    void Attach(cocos2d::ui::Widget* label, const char* format = "%02d");
    // A phase of `seconds`: the owner's `tick` is scheduled afresh once a
    // second (the first a whole second from now) and the seconds show.
    void Start(cocos2d::CCNode* owner, cocos2d::SEL_SCHEDULE tick, int seconds);
    // One second: the seconds go one down and show; at 0 the tick is
    // unscheduled (and false returned).
    bool Tick();
    // Unschedules the tick; the seconds stay.
    void Stop();
    int Seconds() const { return m_Countdown.Seconds(); }
    void Show() const;
    // The label's text for a number of seconds.
    std::string Text(int seconds) const;

private:
    cocos2d::ui::Widget* m_pLabel = nullptr;
    const char* m_szFormat = "%02d";
    cocos2d::CCNode* m_pOwner = nullptr;
    cocos2d::SEL_SCHEDULE m_pTick = nullptr;
    Countdown m_Countdown;
};

}  // namespace games
