// The real program against roomsim at a betting table (see GameProgram.h):
// each test names its room.
#pragma once

#include "games/GameProgram.h"

namespace bettingtest {

class BettingProgram : public gameprogram::GameProgram
{
};

}  // namespace bettingtest
