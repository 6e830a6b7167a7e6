// What every seated table gives a player to read, for the covering check:
// each seat's name and score, the start button, the total score and the turn
// clock's digits; a board test adds its own things and asks what covers them.
#pragma once

#include "Covering.h"

#include "games/framework/BoardDrawUserData.h"
#include "games/framework/GameBoard.h"
#include "games/framework/TimerBox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace readables {

using List = std::vector<covering::Readable>;

// Adds the node when it is drawn.
inline void Add(List& out, const std::string& name, cocos2d::CCNode* node)
{
    if (node != nullptr && nodeboxes::Shown(node))
        out.push_back({name, node});
}

inline List Seats(const Sexy::CGameBoard* board, uint16_t views)
{
    List out;
    for (uint16_t view = 0; view < views; ++view)
    {
        Sexy::CBoardDrawUserData* panel = board->GetSeatPanel(view);
        if (panel == nullptr)
            continue;
        Add(out, "seat " + std::to_string(view) + " name", panel->GetNameLabel());
        Add(out, "seat " + std::to_string(view) + " score", panel->GetScoreLabel());
    }
    Add(out, "start button", board->GetStartButton());
    Add(out, "total score", board->GetTotalScoreLabel());
    if (Sexy::CTimerBox* clock = board->GetTimerBox())
    {
        Add(out, "clock tens", clock->GetTens());
        Add(out, "clock ones", clock->GetOnes());
    }
    return out;
}

// Fails once for each thing drawn over a readable one in this phase.
inline void ExpectNothingCovers(const char* phase, const List& readable, const covering::Names& names = {},
                                const covering::Allowed& allowed = {})
{
    ASSERT_FALSE(readable.empty()) << phase;
    for (const std::string& found : covering::Covered(readable, names, allowed))
        ADD_FAILURE() << phase << ": " << found;
}

}  // namespace readables
