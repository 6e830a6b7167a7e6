// The real program against roomsim at a bull table (see GameProgram.h), in
// the bull room.
#pragma once

#include "games/GameProgram.h"

namespace bulltest {

// Window pixels of the bull tables' buttons (the table's origin is at
// (13, 15) from the window's bottom left).
namespace buttons {
constexpr const char* kStart = "298,691";
constexpr const char* kLeftAction = "414,707";   // rob, open
constexpr const char* kRightAction = "761,707";  // no rob, hint
constexpr const char* kBet2 = "503,707";         // the ceiling / 2
constexpr const char* kBet3 = "673,707";         // the ceiling / 3
constexpr const char* kBet4 = "846,707";         // the ceiling / 4
}  // namespace buttons

class BullProgram : public gameprogram::GameProgram
{
protected:
    // Plays the scenario at a table of the kind for the frames.
    Outcome Play(const std::string& scenario, int kind, int frames, const std::vector<Step>& steps)
    {
        return GameProgram::Play(scenario, kind, "牛牛 一号房", frames, steps);
    }
};

}  // namespace bulltest
