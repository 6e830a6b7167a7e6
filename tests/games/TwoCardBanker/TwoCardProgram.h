// The real program against roomsim at a two-card banker table (see
// GameProgram.h), in a room of the kind (100 chairs).
#pragma once

#include "games/GameProgram.h"

namespace tcbtest {

class TwoCardProgram : public gameprogram::GameProgram
{
protected:
    // Plays the scenario at a table of the kind for the frames; speed > 1
    // runs the clocks that much faster than the frames.
    Outcome Play(const std::string& scenario, int kind, int frames, const std::vector<Step>& steps, int speed = 1)
    {
        std::vector<std::string> options;
        if (speed > 1)
            options = {"--speed", std::to_string(speed)};
        return GameProgram::Play(scenario, kind, "百人游戏 一号房", frames, steps, options);
    }
};

}  // namespace tcbtest
