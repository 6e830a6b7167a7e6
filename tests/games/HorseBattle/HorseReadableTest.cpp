// What a player reads on the horse-race table, phase by phase, in each
// window and with a busy room's data: free time with a full history,
// betting with my bets on every area and the odds, the help and the history
// over the areas, the horses lining up, the race under the title strip with
// all my areas, and a lost result of ten digits.
#include "HorseFixture.h"

#include "games/HorseBattle/RaceCourse.h"

using namespace HorseBattle;
using namespace hbtest;

namespace {

// A busy table: others' bets of nine digits, mine of eight, a win of ten.
constexpr int64_t kTheirs = 123456789, kMine = 19980000;

// Faults the check finds that are being mended.
const std::vector<phasecheck::Open> kOpenFaults = {};

class HorseReadable : public banktest::BusyAt<HorseTest>
{
protected:
    HorseReadable() { Open(kOpenFaults); }

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
    // Bets of mine on every area: the chip at 999 (ten thousands), twice on
    // each.
    void BetOnEveryArea()
    {
        for (int step = 0; step < 4; ++step)
            TapWidget(board->GetWidget("Btn_xiazhu"));
        for (int area = 0; area < AREA_COUNT; ++area)
        {
            TapWidget(board->GetAreaButton(area));
            TapWidget(board->GetAreaButton(area));
        }
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
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(*FreeSceneRecord(10, HISTORY_KEPT))));
    Seconds(1);
    Check(Top(), "idle");
    auto scene = FreeSceneRecord(5);
    scene->lAreaLimit = 100 * kTheirs;
    scene->lUserAreaLimit = 100 * kMine;
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(*scene)));
    ASSERT_TRUE(Game(SUB_S_ROUND_START, RoundStart(20)));
    for (int area = 0; area < AREA_COUNT; ++area)
        ASSERT_TRUE(Game(SUB_S_BET_PLACED, BetPlaced(2, area, kTheirs)));
    BetOnEveryArea();
    Seconds(1);
    Check(Betting(), "betting");
    CheckOpaque(board->GetWidget("Img_betbg"), Course(), "the bet panel", "betting");

    // The help's text over the areas: none of them shows through it.
    TapWidget(board->GetWidget("Btn_Help"));
    phasecheck::List help = Top();
    help.Node("the help", board->GetHelpPanel());
    Check(help, "help");
    std::vector<cocos2d::CCNode*> areas;
    for (int area = 0; area < AREA_COUNT; ++area)
        areas.push_back(board->GetAreaButton(area));
    CheckOpaque(board->GetHelpPanel(), areas, "the help", "help");
    // The history opened over the help puts the help away.
    TapWidget(board->GetWidget("Btn_ls"));
    phasecheck::List history = Top();
    history.Gone("the help", board->GetHelpPanel());
    history.Node("the history", board->GetHistoryPanel());
    Check(history, "history");
    CheckOpaque(board->GetHistoryPanel(), areas, "the history", "history");
}

TEST_P(HorseReadable, TheRaceAndItsResult)
{
    OpenBetting(100 * kTheirs, 100 * kMine);
    BetOnEveryArea();
    ASSERT_TRUE(Game(SUB_S_BET_END, BetEnd(7)));
    Seconds(4);
    Check(Top(), "lineup");
    Seconds(3);
    auto lost = hbtest::RaceRecord(20, 3, 4);
    lost->lResultPart1 = -1234567890;
    lost->lResultPart2 = -987654321;
    ASSERT_TRUE(Game(SUB_S_RACE, BytesOf(*lost)));
    Seconds(6);
    // All fifteen of my areas stand on their plate.
    phasecheck::List race = Top();
    cocos2d::CCNode* mine = board->GetMyAreasLabel();
    race.Node("the ranking", board->GetRankPanel()).Node("my areas", mine);
    if (mine != nullptr)
        race.Within("their plate", nodeboxes::WorldBox(mine->getParent()));
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
