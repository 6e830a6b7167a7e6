// What every seated table gives a player to read, for the phase check: each
// seat's name and score, the total score, and the start button and the turn
// clock's digits in the phases that show them; a board test adds its own
// things.
#pragma once

#include "PhaseCheck.h"

#include "games/framework/BoardDrawUserData.h"
#include "games/framework/GameBoard.h"
#include "games/framework/TimerBox.h"
#include "games/framework/UserInfoView.h"

#include <string>

namespace readables {

// What a seated phase must show besides the seats.
enum Shows : unsigned
{
    kSeatsOnly = 0,
    kStartButton = 1,
    kClock = 2,
};

// Every seat a player sits on shows his name and score.
inline void Seats(phasecheck::List& r, const Sexy::CGameBoard* board, uint16_t views, unsigned shows = kSeatsOnly)
{
    for (uint16_t view = 0; view < views; ++view)
    {
        Sexy::CBoardDrawUserData* panel = board->GetSeatPanel(view);
        if (panel == nullptr)
            continue;
        r.Node("seat " + std::to_string(view) + " name", panel->GetNameLabel());
        r.Node("seat " + std::to_string(view) + " score", panel->GetScoreLabel());
        r.Optional("seat " + std::to_string(view) + " ready",
                   panel->getChildByTag(Sexy::CBoardDrawUserData::kReadySignTagBase + view));
    }
    // My card on the side bar: my name, number and score.
    if (CUserInfoView* card = board->GetUserInfoView())
    {
        r.Node("my card's name", card->GetNickLabel());
        r.Node("my card's number", card->GetIDLabel());
        r.Node("my card's score", card->GetScoreLabel());
    }
    r.Node("start button", board->GetStartButton(), (shows & kStartButton) == 0);
    r.Node("total score", board->GetTotalScoreLabel());
    if (Sexy::CTimerBox* clock = board->GetTimerBox())
    {
        r.Node("clock tens", clock->GetTens(), (shows & kClock) == 0);
        r.Node("clock ones", clock->GetOnes(), (shows & kClock) == 0);
    }
}

}  // namespace readables
