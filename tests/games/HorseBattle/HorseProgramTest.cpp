// The horse race in the real program against roomsim, in a room of 100
// chairs where I sit on chair 5: my bets are clicks on the areas, checked
// byte for byte by the scenario, and each phase is shot. The server's steps
// after my last bet are timed, so the shots of the lining-up, the race and
// the result fall inside phases seconds long.
#include "../TransferBattle/BettingProgram.h"

using bettingtest::BettingProgram;

namespace {

// Window pixels of the chip cycle and the areas.
constexpr const char* kChip = "484,643";
constexpr const char* kArea45 = "710,478";
constexpr const char* kArea12 = "907,228";
constexpr const char* kMaximise = "1227,12";
constexpr const char* kHelp = "855,640";
constexpr const char* kHelpClose = "784,199";
constexpr const char* kHistory = "960,640";
constexpr const char* kRoom = "赛马 一号房";

// A whole round: the chip steps to 5, I bet 50,000 on 4-5 and on 1-2 by
// clicks (roomsim checks both 120-byte requests), betting closes and the
// horses line up behind the start clock, the race runs from the server's
// course to the finish where 4 and 5 come in, the result shows my win, the
// round goes into the history (the help and the history open and close
// over the areas) and at the next betting I bet 10,000 (the chip started
// again from 1); maximised, the table fits the window. The
// clocks run four times as fast as the frames.
TEST_F(BettingProgram, HorseBattleRoundIsBetByClicksAndRunToTheResult)
{
    const Outcome o = Play("horsebattle_round.json", 114, kRoom, 1170,
                           {Click(240, kChip), Click(270, kArea45), Click(300, kArea12),
                            Shot(330, "horsebattle_betting"), Shot(490, "horsebattle_lineup"),
                            Shot(660, "horsebattle_race"), Shot(800, "horsebattle_result"), Click(990, kHelp),
                            Shot(1000, "horsebattle_help"), Click(1005, kHelpClose), Click(1010, kHistory),
                            Shot(1020, "horsebattle_history"), Click(1024, kHistory), Shot(1030, "horsebattle_next"), Click(1060, kArea45), Click(1080, kMaximise),
                            Shot(1150, "horsebattle_maximised")},
                           {"--speed", "4"});
    ExpectClean(o);
}

// Entering in the betting restores the bets and the history; the lining-up
// and the race scenes show the table as their phases do (a race under way
// is not played again). What I bet in the restored betting belongs to that
// round alone: the free scene shows none of it, the next round opens with
// no bet of mine and no area lit, and when that round's race is won by the
// pair I bet on only before, the result is not mine. A round whose result
// names no pair (the same horse twice) has no result, and its bets are gone
// at the next betting too. The clocks run six times as fast as the frames.
TEST_F(BettingProgram, HorseBattleTableIsRestoredFromEachSceneAndTheNextRoundsStartFromNothing)
{
    const Outcome o = Play("horsebattle_restore.json", 114, kRoom, 2150,
                           {Shot(200, "horsebattle_restore_betting"), Click(230, kArea45),
                            Shot(440, "horsebattle_restore_lineup"), Shot(590, "horsebattle_restore_race"),
                            Shot(740, "horsebattle_restore_free"), Nodes(745, "restore_free"),
                            Nodes(920, "next_betting"), Shot(925, "horsebattle_restore_next_betting"),
                            Click(930, kArea12), Nodes(1110, "next_result"),
                            Shot(1115, "horsebattle_restore_next_result"), Click(1800, kArea12),
                            Nodes(2100, "after_no_pair"), Shot(2105, "horsebattle_restore_after_no_pair")},
                           {"--speed", "6"});
    ExpectClean(o);
    // Area 4-5 is area 13: its button, my bet's label and its 万 sign.
    for (const char* nodes : {"restore_free", "next_betting"})
    {
        const auto shown = Shown(nodes);
        ASSERT_FALSE(shown.empty()) << nodes;
        const ShownNode* mine = Widget(shown, "MyScore");
        ASSERT_NE(mine, nullptr) << nodes;
        EXPECT_EQ(mine->Field("text"), "0") << nodes;
        const ShownNode* area = Widget(shown, "", 10014);
        ASSERT_NE(area, nullptr) << nodes;
        EXPECT_EQ(area->Field("bright"), "0") << nodes;
        EXPECT_EQ(Widget(shown, "", 12014), nullptr) << nodes;
        EXPECT_EQ(Widget(shown, "", 18014), nullptr) << nodes;
    }
    const auto result = Shown("next_result");
    const ShownNode* panel = Widget(result, "Img_Result");
    ASSERT_NE(panel, nullptr) << "no result shown";
    EXPECT_EQ(panel->Field("picture"), "HorseBattle/pm_bsjgz");
    EXPECT_EQ(Widget(result, "Win_Box"), nullptr);
    // After the round of no pair: I bet 10,000 on 1-2 (area 4) in it.
    const auto after = Shown("after_no_pair");
    ASSERT_NE(Widget(after, "MyScore"), nullptr);
    EXPECT_EQ(Widget(after, "MyScore")->Field("text"), "0");
    ASSERT_NE(Widget(after, "", 10005), nullptr);
    EXPECT_EQ(Widget(after, "", 10005)->Field("bright"), "0");
    EXPECT_EQ(Widget(after, "", 12005), nullptr);
}

}  // namespace
