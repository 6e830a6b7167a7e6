// Nothing of the horse-race table lies over what a player reads, phase by
// phase: free time, betting with my bets and the odds, the help and the history over
// the areas, the horses lining up, the race under the title strip, and the
// result.
#include "HorseFixture.h"

#include "games/HorseBattle/RaceCourse.h"
#include "games/PhaseCheck.h"

using namespace HorseBattle;
using namespace hbtest;

namespace {

class HorseReadable : public HorseTest
{
protected:
    // The title strip above the table, right of the room's buttons: the
    // frame's own band, below the border's edge along the window's top.
    void AddTitleStrip(phasecheck::List& r)
    {
        cocos2d::CCNode* frame = board->GetSkinBackground();
        ASSERT_NE(frame, nullptr);
        const cocos2d::CCRect box = nodeboxes::WorldBox(frame);
        r.Part("the title strip", frame, cocos2d::CCRect(240, box.getMaxY() - 30, 780, 22));
    }
    phasecheck::List Top()
    {
        phasecheck::List r(board->GetUILayer());
        r.Widget("Lbl_Time", true).Widget("Txt_1", true).Widget("Txt_2", true).Widget("Txt_3", true);
        AddTitleStrip(r);
        return r;
    }
    // The result panel: the two horses, the odds and my result.
    phasecheck::List Result()
    {
        phasecheck::List r = Top();
        for (const char* name : {"Lbl_first", "Lbl_second", "FirstHorse", "SecondHorse", "lbl_playerName",
                                 "lbl_GetScore", "Btn_ResultClose", "Img_Result"})
            r.Widget(name);
        return r;
    }
    // The betting panel: the areas with their names, odds and my bets, my
    // panel and the buttons.
    phasecheck::List Betting()
    {
        phasecheck::List r = Top();
        r.Widgets({"Lbl_Myname", "Lbl_MyScore", "MyScore", "AllScore", "Btn_xiazhu", "lblScore", "Img_w", "Btn_Bank",
                   "Btn_Help", "Btn_ls"});
        for (int area = 0; area < AREA_COUNT; ++area)
        {
            const std::string n = std::to_string(area);
            r.Node("area " + n, board->GetAreaButton(area));
            r.Widget(("Lbl_mybet_" + n).c_str(), true);
        }
        return r;
    }
};

TEST_F(HorseReadable, FreeTimeAndBettingWithTheHelpAndTheHistory)
{
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(*FreeSceneRecord(10, 9))));
    Seconds(1);
    phasecheck::ExpectNothingCovers(Top(), "horse_readable_idle");
    ASSERT_TRUE(Game(SUB_S_ROUND_START, RoundStart(20)));
    ASSERT_TRUE(Game(SUB_S_BET_PLACED, BetPlaced(2, 0, 500000)));
    TapWidget(board->GetAreaButton(AreaOfPair(4, 5)));
    TapWidget(board->GetWidget("Btn_xiazhu"));
    TapWidget(board->GetAreaButton(AreaOfPair(1, 2)));
    Seconds(1);
    phasecheck::ExpectNothingCovers(Betting(), "horse_readable_betting");
    // The bet panel hides the race track under it: no horse nor lane shows
    // through.
    phasecheck::ExpectOpaque(board->GetWidget("Img_betbg"), {board->GetTrack()}, "the bet panel");

    // The help's text over the areas: none of them shows through it.
    TapWidget(board->GetWidget("Btn_Help"));
    phasecheck::List help = Top();
    help.Node("the help", board->GetHelpPanel());
    phasecheck::ExpectNothingCovers(help, "horse_readable_help");
    // The areas under the help and the history do not show through them.
    std::vector<cocos2d::CCNode*> areas;
    for (int area = 0; area < AREA_COUNT; ++area)
        areas.push_back(board->GetAreaButton(area));
    phasecheck::ExpectOpaque(board->GetHelpPanel(), areas, "the help");
    TapWidget(board->GetWidget("Btn_HelpClose"));

    TapWidget(board->GetWidget("Btn_ls"));
    phasecheck::List history = Top();
    history.Node("the history", board->GetHistoryPanel());
    phasecheck::ExpectNothingCovers(history, "horse_readable_history");
    phasecheck::ExpectOpaque(board->GetHistoryPanel(), areas, "the history");
}

TEST_F(HorseReadable, TheRaceAndItsResult)
{
    OpenBetting();
    TapWidget(board->GetAreaButton(AreaOfPair(4, 5)));
    ASSERT_TRUE(Game(SUB_S_BET_END, BetEnd(7)));
    Seconds(4);
    phasecheck::ExpectNothingCovers(Top(), "horse_readable_lineup");
    Seconds(3);
    ASSERT_TRUE(Game(SUB_S_RACE, Race(20, 3, 4)));
    Seconds(6);
    phasecheck::List race = Top();
    race.Node("the ranking", board->GetRankPanel()).Node("my areas", board->GetMyAreasLabel());
    phasecheck::ExpectNothingCovers(race, "horse_readable_race");
    Step(250);
    Seconds(2);
    ASSERT_TRUE(board->GetResultPanel()->isVisible());
    phasecheck::ExpectNothingCovers(Result(), "horse_readable_result");
}

}  // namespace

namespace {

using HorseReadableBusy = banktest::BusyAt<HorseReadable>;

// A busy room at each window size: my full nickname and ten-digit score,
// ten-digit totals and bets of mine of eight digits on every area, a full
// history, the help and the history, the race and a lost result of ten
// digits.
TEST_P(HorseReadableBusy, EveryPhase)
{
    auto press = [&](cocos2d::ui::Widget* widget) {
        ASSERT_NE(widget, nullptr);
        board->OnTouchEvent(widget, cocos2d::ui::TOUCH_EVENT_BEGAN);
        board->OnTouchEvent(widget, cocos2d::ui::TOUCH_EVENT_ENDED);
    };
    auto scene = FreeSceneRecord(5, HISTORY_KEPT);
    scene->lAreaLimit = 100000000000LL;
    scene->lUserAreaLimit = 100000000;
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(*scene)));
    Seconds(1);
    phasecheck::ExpectNothingCovers(Top(), AtSize("horse_busy_idle"));

    ASSERT_TRUE(Game(SUB_S_ROUND_START, RoundStart(20)));
    for (int area = 0; area < AREA_COUNT; ++area)
        ASSERT_TRUE(Game(SUB_S_BET_PLACED, BetPlaced(2, area, 123456789)));
    // The chip at 999 (ten thousands), pressed twice on every area.
    for (int step = 0; step < 4; ++step)
        press(board->GetWidget("Btn_xiazhu"));
    for (int area = 0; area < AREA_COUNT; ++area)
    {
        press(board->GetAreaButton(area));
        press(board->GetAreaButton(area));
    }
    Seconds(1);
    phasecheck::ExpectNothingCovers(Betting(), AtSize("horse_busy_betting"));
    phasecheck::ExpectOpaque(board->GetWidget("Img_betbg"), {board->GetTrack()}, "the bet panel");

    press(board->GetWidget("Btn_Help"));
    phasecheck::List help = Top();
    help.Node("the help", board->GetHelpPanel());
    phasecheck::ExpectNothingCovers(help, AtSize("horse_busy_help"));
    // The history opened over the help puts the help away.
    press(board->GetWidget("Btn_ls"));
    phasecheck::List history = Top();
    history.Node("the history", board->GetHistoryPanel()).Node("the help", board->GetHelpPanel(), true);
    phasecheck::ExpectNothingCovers(history, AtSize("horse_busy_history"));
    press(board->GetWidget("Btn_HistoryClose"));

    ASSERT_TRUE(Game(SUB_S_BET_END, BetEnd(7)));
    Seconds(7);
    auto race = hbtest::RaceRecord(20, 3, 4);
    race->lResultPart1 = -1234567890;
    race->lResultPart2 = -987654321;
    ASSERT_TRUE(Game(SUB_S_RACE, BytesOf(*race)));
    Seconds(6);
    phasecheck::List running = Top();
    running.Node("the ranking", board->GetRankPanel()).Node("my areas", board->GetMyAreasLabel());
    phasecheck::ExpectNothingCovers(running, AtSize("horse_busy_race"));
    // All fifteen of my areas stand on their plate.
    std::vector<nodeboxes::Box> areas;
    nodeboxes::AddShown(areas, "my areas", board->GetMyAreasLabel());
    ASSERT_EQ(areas.size(), 1u);
    for (const std::string& found :
         nodeboxes::Outside(areas, nodeboxes::WorldBox(board->GetMyAreasLabel()->getParent())))
        ADD_FAILURE() << found;
    Step(250);
    Seconds(2);
    ASSERT_TRUE(board->GetResultPanel()->isVisible());
    phasecheck::ExpectNothingCovers(Result(), AtSize("horse_busy_result"));
}

INSTANTIATE_TEST_SUITE_P(Sizes, HorseReadableBusy, ::testing::ValuesIn(readables::kWindows),
                         readables::ByWindow);

}  // namespace
