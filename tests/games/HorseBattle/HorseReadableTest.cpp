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

// A busy table: others' bets of nine digits, mine of eight, a win of ten.
constexpr int64_t kTheirs = 123456789, kMine = 20000000;

// Faults the check finds that are being mended.
const std::vector<phasecheck::Open> kOpenFaults = {
    {"horse: the bet panel is see-through, horses and lane numbers show through it", "betting",
     phasecheck::kEverySize, "the bet panel", "shows through"},
    {"horse: help and history can be open together, one half over the other", "help and history",
     phasecheck::kEverySize, "the help", "the history"},
    {"horse: at 1600 x 900 a piece of the window's frame lies over the title strip",
     "idle|betting|help|help and history|history|lineup|race|result", phasecheck::k1600, "the title strip",
     "CCScale9Sprite"},
};

class HorseReadable : public phasecheck::Sized<HorseTest>
{
protected:
    HorseReadable() : phasecheck::Sized<HorseTest>(phasecheck::BankerUser) { Open(kOpenFaults); }

    // The title strip above the table, right of the room's buttons: the
    // frame's own band.
    void AddTitleStrip(phasecheck::List& r)
    {
        cocos2d::CCNode* frame = board->GetSkinBackground();
        ASSERT_NE(frame, nullptr);
        const cocos2d::CCRect box = nodeboxes::WorldBox(frame);
        r.Part("the title strip", frame, cocos2d::CCRect(240, box.getMaxY() - 30, 780, 26));
    }
    phasecheck::List Top()
    {
        phasecheck::List r(board->GetUILayer());
        r.Widget("Lbl_Time", true).Widget("Txt_1", true).Widget("Txt_2", true).Widget("Txt_3", true);
        AddTitleStrip(r);
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
    // The horses and their lanes, which the bet panel must hide.
    std::vector<cocos2d::CCNode*> Course()
    {
        std::vector<cocos2d::CCNode*> under;
        for (int horse = 0; horse < HORSE_COUNT; ++horse)
            under.push_back(board->GetHorse(horse));
        under.push_back(board->GetTrack());
        under.push_back(board->GetFence());
        return under;
    }
};

TEST_P(HorseReadable, FreeTimeAndBettingWithTheHelpAndTheHistory)
{
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(*FreeSceneRecord(10, 9))));
    Seconds(1);
    Check(Top(), "idle");
    auto scene = FreeSceneRecord(5);
    scene->lAreaLimit = 100 * kTheirs;
    scene->lUserAreaLimit = 100 * kMine;
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(*scene)));
    ASSERT_TRUE(Game(SUB_S_ROUND_START, RoundStart(20)));
    for (int area = 0; area < AREA_COUNT; ++area)
        ASSERT_TRUE(Game(SUB_S_BET_PLACED, BetPlaced(2, area, kTheirs)));
    for (int area : {AreaOfPair(4, 5), AreaOfPair(1, 2)})
        ASSERT_TRUE(Game(SUB_S_BET_PLACED, BetPlaced(kMe, area, kMine)));
    TapWidget(board->GetAreaButton(AreaOfPair(4, 5)));
    TapWidget(board->GetWidget("Btn_xiazhu"));
    TapWidget(board->GetAreaButton(AreaOfPair(1, 2)));
    Seconds(1);
    Check(Betting(), "betting");
    CheckOpaque(board->GetBetPanel(), Course(), "the bet panel", "betting");

    // The help's text over the areas: none of them shows through it.
    TapWidget(board->GetWidget("Btn_Help"));
    phasecheck::List help = Top();
    help.Node("the help", board->GetHelpPanel());
    Check(help, "help");
    std::vector<cocos2d::CCNode*> areas;
    for (int area = 0; area < AREA_COUNT; ++area)
        areas.push_back(board->GetAreaButton(area));
    CheckOpaque(board->GetHelpPanel(), areas, "the help", "help");
    // The history opened over the help: one window at a time.
    TapWidget(board->GetWidget("Btn_ls"));
    phasecheck::List both = Top();
    both.Node("the help", board->GetHelpPanel()).Node("the history", board->GetHistoryPanel());
    Check(both, "help and history");
    TapWidget(board->GetWidget("Btn_HelpClose"));

    phasecheck::List history = Top();
    history.Node("the history", board->GetHistoryPanel());
    Check(history, "history");
    CheckOpaque(board->GetHistoryPanel(), areas, "the history", "history");
}

TEST_P(HorseReadable, TheRaceAndItsResult)
{
    OpenBetting(100 * kTheirs, 100 * kMine);
    TapWidget(board->GetAreaButton(AreaOfPair(4, 5)));
    ASSERT_TRUE(Game(SUB_S_BET_PLACED, BetPlaced(kMe, AreaOfPair(4, 5), kMine)));
    ASSERT_TRUE(Game(SUB_S_BET_END, BetEnd(7)));
    Seconds(4);
    Check(Top(), "lineup");
    Seconds(3);
    ASSERT_TRUE(Game(SUB_S_RACE, Race(20, 3, 4)));
    Seconds(6);
    phasecheck::List race = Top();
    race.Node("the ranking", board->GetRankPanel()).Node("my areas", board->GetMyAreasLabel());
    Check(race, "race");
    Step(250);
    Seconds(2);
    ASSERT_TRUE(board->GetResultPanel()->isVisible());
    phasecheck::List result = Top();
    for (const char* name : {"Lbl_first", "Lbl_second", "FirstHorse", "SecondHorse", "lbl_playerName", "lbl_GetScore",
                             "Btn_ResultClose", "Img_Result"})
        result.Widget(name);
    Check(result, "result");
}

INSTANTIATE_TEST_SUITE_P(Window, HorseReadable, ::testing::ValuesIn(phasecheck::Windows()), phasecheck::WindowName);

}  // namespace
