// The real program against roomsim at a two-card banker table (see
// GameProgram.h), in a room of the kind (100 chairs).
#pragma once

#include "games/GameProgram.h"

#include <string>

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

    // Window pixels of a game's banker box, and the chips and areas of its
    // two bets.
    struct BankerClicks
    {
        const char* box;
        const char* chips[2];
        const char* areas[2];
    };
    // "<game>_banker_restore.json": entered in free time as the banker, I
    // untick my box in my bank's betting (refused, in the chat) and in the
    // next free time (it gives the bank up); then the next round's two bets,
    // an apply and its cancel, by clicks. Each phase is shot.
    void PlayRestoredBanker(const std::string& game, int kind, const BankerClicks& at)
    {
        auto shot = [&game](int frame, const char* name) { return Step{frame, "", game + "_banker_" + name}; };
        const Outcome o = Play(game + "_banker_restore.json", kind, 1350,
                               {shot(60, "restored_free"), Click(170, at.box), shot(200, "betting"),
                                shot(420, "result"), Nodes(680, "before_stepping_down"), Click(700, at.box),
                                Click(760, at.chips[0]), Click(780, at.areas[0]), Click(800, at.chips[1]),
                                Click(820, at.areas[1]), Click(850, at.box), shot(880, "next_betting"),
                                Click(910, at.box), shot(1150, "next_result"), shot(1330, "next_free")},
                               4);
        ExpectClean(o);
        EXPECT_EQ(With(Shown("before_stepping_down"), "游戏已经开始，不能取消当庄").size(), 1u);
    }
};

}  // namespace tcbtest
