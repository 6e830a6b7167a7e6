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

// The window sizes a table is read at: the design size, a window sized by
// hand, and maximised on the headless desktop.
struct Window
{
    float width, height;
    bool maximised;
};
inline const Window kWindows[] = {{1288, 762, false}, {1600, 900, false}, {1920, 1040, true}};
inline std::string WindowName(const Window& w)
{
    return std::to_string(static_cast<int>(w.width)) + "x" + std::to_string(static_cast<int>(w.height));
}
inline std::string ByWindow(const ::testing::TestParamInfo<Window>& info) { return WindowName(info.param); }
inline void PrintTo(const Window& w, std::ostream* os) { *os << WindowName(w) << (w.maximised ? " maximised" : ""); }

// A board test run in a window of the parameter's size: the board lays
// itself out for it as it is entered.
template <class Table>
class AtWindow : public Table, public ::testing::WithParamInterface<Window>
{
protected:
    cocos2d::CCSize FrameSize() const override { return cocos2d::CCSize(GetParam().width, GetParam().height); }
    void SetUp() override
    {
        this->app.maximized = GetParam().maximised;
        Table::SetUp();
    }
    // A shot of the frame, named for the window's size.
    static void Shoot(const std::string& name) { Table::SaveScreen(name + "_" + WindowName(GetParam())); }
};

// Fails once for each thing drawn over a readable one in this phase.
inline void ExpectNothingCovers(const char* phase, const List& readable, const covering::Names& names = {},
                                const covering::Allowed& allowed = {})
{
    ASSERT_FALSE(readable.empty()) << phase;
    const std::vector<std::string> found = covering::Covered(readable, names, allowed);
    for (const std::string& f : found)
        ADD_FAILURE() << phase << ": " << f;
    if (!found.empty() || covering::KeepEveryScreen())
        covering::KeepScreen(phase);
}

}  // namespace readables
