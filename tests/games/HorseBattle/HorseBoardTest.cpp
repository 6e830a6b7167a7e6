// The table: bets by touches on the fifteen areas with the chip cycle, my
// panel, the phases with their music and panels, the race from the course
// to the finish, the result panel and the history list.
#include "HorseFixture.h"

#include "cocos-ext.h"
#include "core/ClientGlobal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace cocos2d::extension;
using namespace HorseBattle;
using namespace hbtest;

namespace {

class HorseBoard : public HorseTest
{
protected:
    // Betting closes, then the race runs to its finish.
    void RunRace(uint8_t first, uint8_t second)
    {
        ASSERT_TRUE(Game(SUB_S_BET_END, BetEnd(5)));
        Seconds(5);
        ASSERT_TRUE(Game(SUB_S_RACE, Race(20, first, second)));
        for (int i = 0; i < 60 * 14 && board->IsRacing(); ++i)
            Step();
    }
    int MusicPlayed(const std::string& name) const
    {
        int n = 0;
        for (const std::string& line : audio.log)
            n += line.rfind("music " + kt::SoundStem(name), 0) == 0 ? 1 : 0;
        return n;
    }
};

// The chip cycle runs 1, 5, 10, 99, 999 (times 10,000) and back to 1.
TEST_F(HorseBoard, TheChipCycleWrapsFrom999To1)
{
    Widget* chip = board->GetWidget("Btn_xiazhu");
    ASSERT_NE(chip, nullptr);
    std::vector<int64_t> seen;
    for (int i = 0; i < 7; ++i)
    {
        seen.push_back(board->GetChip());
        TapWidget(chip);
    }
    EXPECT_EQ(seen, (std::vector<int64_t>{1, 5, 10, 99, 999, 1, 5}));
    EXPECT_EQ(board->LabelText("lblScore"), "10");
}

// Betting closed puts the chip back to 1, and the cycle starts again from
// its first place: at the next betting the step from there is 5, never a
// place past the cycle's five.
TEST_F(HorseBoard, TheChipCycleStartsAgainWhenBettingCloses)
{
    OpenBetting();
    Widget* chip = board->GetWidget("Btn_xiazhu");
    for (int i = 0; i < 4; ++i)
        TapWidget(chip);
    ASSERT_EQ(board->GetChip(), 999);
    ASSERT_TRUE(Game(SUB_S_BET_END, BetEnd(5)));
    EXPECT_EQ(board->GetChip(), 1);
    // The next betting: the panel is back.
    ASSERT_TRUE(Game(SUB_S_FREE, Free(3, 300, 4)));
    ASSERT_TRUE(Game(SUB_S_ROUND_START, RoundStart(10)));
    EXPECT_EQ(board->GetChip(), 1);
    std::vector<int64_t> seen;
    for (int i = 0; i < 6; ++i)
    {
        TapWidget(chip);
        seen.push_back(board->GetChip());
    }
    EXPECT_EQ(seen, (std::vector<int64_t>{5, 10, 99, 999, 1, 5}));
}

TEST_F(HorseBoard, APressOnAnAreaBetsTheChipInTensOfThousands)
{
    OpenBetting();
    TapWidget(board->GetAreaButton(4));
    const std::vector<int64_t> request = LastRequest();
    ASSERT_EQ(request.size(), static_cast<size_t>(AREA_COUNT));
    EXPECT_EQ(request[4], 10000);
    for (int area = 0; area < AREA_COUNT; ++area)
    {
        if (area != 4)
        {
            EXPECT_EQ(request[area], 0) << area;
        }
    }
    EXPECT_EQ(board->GetMyBet(4), 10000);
    EXPECT_EQ(board->GetLastPlaced(4), 10000);
    EXPECT_EQ(Played("HorseBattle/music/Button"), 1);
    // The release shows the area as bet and my panel in tens of thousands.
    EXPECT_TRUE(board->GetAreaButton(4)->isBright());
    EXPECT_EQ(board->LabelText(PaoMaBoard::kMyBetLabelTag + 4), "1");
    EXPECT_TRUE(board->GetWidgetByTag(PaoMaBoard::kWanSignTag + 4)->isVisible());
    EXPECT_EQ(board->LabelText("MyScore"), "10000");
    EXPECT_EQ(board->GetFloatingLabel(4)->getStringValue(), std::string("1万"));
    EXPECT_TRUE(Notices().empty());
}

// F11: the press sent the bet and counted it; the release must not ask for
// the score again and call a bet that went out too large.
TEST_F(HorseBoard, AReleaseAfterASentBetDoesNotCountItTwice)
{
    OpenBetting(100000000, 10000000);
    ASSERT_TRUE(Score(1000, 10000));
    ASSERT_TRUE(Game(SUB_S_ROUND_START, RoundStart(20)));
    TapWidget(board->GetAreaButton(0));
    ASSERT_EQ(SentGame().size(), 1u);
    EXPECT_TRUE(board->GetAreaButton(0)->isBright());
    EXPECT_TRUE(Notices().empty());
    // A second bet is more than I have: the handler refuses it and says so, once.
    TapWidget(board->GetAreaButton(1));
    EXPECT_EQ(SentGame().size(), 1u);
    ASSERT_EQ(Notices().size(), 1u);
    EXPECT_EQ(Notices()[0], "下注金额超过玩家现有金额，请重新下注！");
    EXPECT_FALSE(board->GetAreaButton(1)->isBright());
}

TEST_F(HorseBoard, AreasTakeNoBetsOutsideTheBettingTime)
{
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(*FreeSceneRecord(10))));
    TapWidget(board->GetAreaButton(2));
    EXPECT_TRUE(SentGame().empty());
    ASSERT_FALSE(Notices().empty());
    EXPECT_EQ(Notices().back(), "下注未开始！");
}

// F9: the floating amount is a 64-bit number of ten thousands.
TEST_F(HorseBoard, LargeAndNegativeAmountsFloatRight)
{
    OpenBetting();
    ASSERT_TRUE(Game(SUB_S_BET_PLACED, BetPlaced(2, 9, 50000000000000LL)));
    EXPECT_EQ(board->GetFloatingLabel(9)->getStringValue(), std::string("5000000000万"));
    EXPECT_TRUE(board->GetFloatingLabel(9)->isVisible());
    Seconds(1);
    EXPECT_FALSE(board->GetFloatingLabel(9)->isVisible());
    // A refund, or less than ten thousand, floats nothing.
    ASSERT_TRUE(Game(SUB_S_BET_FAILED, BetFailed(2, 1, 9, 50000000000000LL)));
    EXPECT_FALSE(board->GetFloatingLabel(9)->isVisible());
    ASSERT_TRUE(Game(SUB_S_BET_PLACED, BetPlaced(2, 10, 9999)));
    EXPECT_FALSE(board->GetFloatingLabel(10)->isVisible());
    EXPECT_EQ(board->GetAreaTotal(10), 9999);
}

TEST_F(HorseBoard, MyPanelShowsMeTheOddsAndTheSums)
{
    OpenBetting();
    Seconds(1);
    EXPECT_EQ(board->LabelText("Lbl_Myname"), "玩家1000");
    EXPECT_EQ(board->LabelText("Lbl_MyScore"), "8800000");
    EXPECT_EQ(board->LabelText(PaoMaBoard::kOddsLabelTag + 3), ":13");
    EXPECT_TRUE(board->GetWidgetByTag(PaoMaBoard::kOddsLabelTag + 3)->isVisible());
    ASSERT_TRUE(Game(SUB_S_BET_PLACED, BetPlaced(2, 3, 70000)));
    TapWidget(board->GetAreaButton(3));
    Seconds(1);
    EXPECT_EQ(board->LabelText("MyScore"), "10000");
    EXPECT_EQ(board->LabelText("AllScore"), "80000");
}

TEST_F(HorseBoard, ThePhasesPlayTheirMusicAndShowTheirCaptions)
{
    OpenBetting();
    EXPECT_EQ(MusicPlayed("HorseBattle/music/ChipBackground"), 1);
    EXPECT_EQ(board->LabelText("Lbl_Time"), "20");
    // The captions follow the round status at the next second.
    Seconds(1);
    EXPECT_TRUE(board->GetWidget("Txt_1")->isVisible());
    EXPECT_FALSE(board->GetWidget("Txt_3")->isVisible());
    EXPECT_EQ(board->LabelText("Lbl_Time"), "19");
    // Betting closes: the panel goes off to the left, the chip starts from 1.
    TapWidget(board->GetWidget("Btn_xiazhu"));
    TapWidget(board->GetWidget("Btn_xiazhu"));
    ASSERT_TRUE(Game(SUB_S_BET_END, BetEnd(4)));
    EXPECT_EQ(board->GetChip(), 1);
    EXPECT_FALSE(board->GetBetPanel()->isVisible());
    EXPECT_LT(board->GetBetPanel()->getPositionX(), 0);
    EXPECT_FALSE(board->GetAreaButton(0)->isTouchEnabled());
    Seconds(1);
    EXPECT_TRUE(board->GetWidget("Txt_2")->isVisible());
    EXPECT_EQ(board->LabelText("Lbl_Time"), "03");
    // After 3 s the start clock; the next chip after the reset is 5 again.
    EXPECT_EQ(board->GetClock(), nullptr);
    Seconds(3);
    ASSERT_NE(board->GetClock(), nullptr);
    EXPECT_TRUE(board->GetClock()->isVisible());
    EXPECT_FLOAT_EQ(board->GetClock()->getScale(), 0.5f);
    // The countdown shows only while it is 0 or more.
    Seconds(3);
    EXPECT_FALSE(board->GetWidget("Lbl_Time")->isVisible());
}

TEST_F(HorseBoard, TheRaceRunsTheCourseAndTheResultComesIn)
{
    OpenBetting();
    TapWidget(board->GetAreaButton(AreaOfPair(4, 5)));
    ASSERT_TRUE(Game(SUB_S_BET_END, BetEnd(5)));
    Seconds(5);
    ASSERT_TRUE(Game(SUB_S_RACE, Race(20, 3, 4)));
    EXPECT_TRUE(board->IsRacing());
    EXPECT_EQ(board->GetClock() != nullptr && board->GetClock()->isVisible(), false);
    // Four seconds in, every horse has run its path to the end and the track
    // has scrolled them 200 on.
    Seconds(5);
    for (int h = 0; h < HORSE_COUNT; ++h)
    {
        EXPECT_EQ(board->GetStepIndex(h), 199) << h;
        EXPECT_FLOAT_EQ(board->GetHorse(h)->getPositionX(),
                        PaoMaBoard::kStartX + board->GetPath(h)[198] + 200) << h;
    }
    EXPECT_EQ(board->GetRanking().leader, 3);
    EXPECT_EQ(board->GetRanking().runnerUp, 4);
    EXPECT_TRUE(board->GetRankPanel()->isVisible());
    EXPECT_EQ(std::string(board->GetMyAreasLabel()->getString()), " 4-5");
    // At 10.1 s the finish run: the result's horses come in first and second.
    Seconds(7);
    EXPECT_FALSE(board->IsRacing());
    ASSERT_TRUE(board->GetResultPanel()->isVisible());
    EXPECT_GE(board->GetHorse(3)->getPositionX(), PaoMaBoard::kFinishX);
    EXPECT_GE(board->GetHorse(4)->getPositionX(), PaoMaBoard::kFinishX);
    EXPECT_EQ(Played("HorseBattle/music/Finish"), 1);
    EXPECT_EQ(Played("HorseBattle/music/camera"), 1);
    EXPECT_EQ(board->LabelText("lbl_playerName"), "本局赔率:23");
    EXPECT_EQ(board->LabelText("lbl_GetScore"), "本局输赢:950000");
    // I had a bet on 4-5: the winning picture and its box.
    EXPECT_TRUE(board->GetWidget("Win_Box")->isVisible());
    // The board is ready for the next round.
    EXPECT_EQ(board->GetMyBet(AreaOfPair(4, 5)), 0);
    EXPECT_EQ(board->GetRoundStatus(), 0);
    Widget* close = board->GetWidget("Btn_ResultClose");
    TapWidget(close);
    EXPECT_FALSE(board->GetResultPanel()->isVisible());
}

// After the result the free time's panel says what this round holds: no
// bet of mine or of anyone (the result forgot my seat, the free time finds
// it again). The finish's jingle (2.88 s) rings out over the free time
// that comes 2.69 s after it.
TEST_F(HorseBoard, TheFreeTimeAfterAResultShowsNoBetOfTheRoundBefore)
{
    OpenBetting();
    TapWidget(board->GetAreaButton(AreaOfPair(4, 5)));
    Seconds(1);
    ASSERT_EQ(board->LabelText("MyScore"), "10000");
    RunRace(3, 4);
    ASSERT_TRUE(board->GetResultPanel()->isVisible());
    ASSERT_EQ(Played("HorseBattle/music/Finish"), 1);
    const size_t finish = audio.log.size();
    Step(161);
    ASSERT_TRUE(Game(SUB_S_FREE, Free(10, 7, AreaOfPair(4, 5))));
    EXPECT_EQ(std::count(audio.log.begin() + finish, audio.log.end(), "stop effects"), 0);
    Seconds(1);
    EXPECT_EQ(board->LabelText("MyScore"), "0");
    EXPECT_EQ(board->LabelText("AllScore"), "0");
}

TEST_F(HorseBoard, ALostRaceShowsTheResultPicture)
{
    OpenBetting();
    RunRace(0, 1);
    ASSERT_TRUE(board->GetResultPanel()->isVisible());
    EXPECT_FALSE(board->GetWidget("Win_Box")->isVisible());
}

// One horse first and second is no pair: no result panel.
TEST_F(HorseBoard, TheSameHorseTwiceShowsNoResult)
{
    OpenBetting();
    RunRace(2, 2);
    EXPECT_FALSE(board->GetResultPanel()->isVisible());
    // The finish is not looked for again and again.
    const int finishes = Played("HorseBattle/music/Finish");
    Seconds(2);
    EXPECT_EQ(Played("HorseBattle/music/Finish"), finishes);
}

TEST_F(HorseBoard, TheHistoryListShowsTheLatestRoundsFirst)
{
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(*FreeSceneRecord(10, 9))));
    TapWidget(board->GetWidget("Btn_ls"));
    ASSERT_TRUE(board->GetHistoryPanel()->isVisible());
    ListView* list = board->GetHistoryList();
    ASSERT_NE(list, nullptr);
    // Item 0 is round 108: area 8 ("2-3"), odds 11.
    Widget* latest = list->getItem(0);
    ASSERT_NE(latest, nullptr);
    auto text = [](Widget* item, int tag) {
        auto* label = dynamic_cast<Label*>(UIHelper::seekWidgetByTag(item, tag));
        return label != nullptr ? std::string(label->getStringValue()) : std::string();
    };
    EXPECT_EQ(text(latest, PaoMaBoard::kHistoryItemTag + 1), "2");
    EXPECT_EQ(text(latest, PaoMaBoard::kHistoryItemTag + 3), "3");
    EXPECT_EQ(text(latest, PaoMaBoard::kHistoryItemTag + 4), "11");
    EXPECT_EQ(text(list->getItem(6), PaoMaBoard::kHistoryItemTag + 4), "5");
    TapWidget(board->GetWidget("Btn_ls"));
    EXPECT_FALSE(board->GetHistoryPanel()->isVisible());
    // With fewer records the rest of the items hide.
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(*FreeSceneRecord(10, 2))));
    board->RefreshHistory();
    EXPECT_TRUE(list->getItem(1)->isVisible());
    EXPECT_FALSE(list->getItem(2)->isVisible());
}

// F34: a list whose layout brings fewer items than the seven shown gets the
// rest made.
TEST_F(HorseBoard, AShortHistoryListGetsItsItems)
{
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(*FreeSceneRecord(10, 9))));
    ListView* list = board->GetHistoryList();
    while (list->getItems()->count() > 2)
        list->removeLastItem();
    board->RefreshHistory();
    EXPECT_EQ(list->getItems()->count(), 7u);
    list->removeAllItems();
    board->RefreshHistory();
    ASSERT_EQ(list->getItems()->count(), 7u);
    auto* odds = dynamic_cast<Label*>(UIHelper::seekWidgetByTag(list->getItem(0), PaoMaBoard::kHistoryItemTag + 4));
    ASSERT_NE(odds, nullptr);
    EXPECT_STREQ(odds->getStringValue(), "11");
}

// Help and history share their place over the areas: opening one puts the
// other away, never one half over the other.
TEST_F(HorseBoard, HelpAndHistoryOpenAndCloseOneAtATime)
{
    TapWidget(board->GetWidget("Btn_Help"));
    EXPECT_TRUE(board->GetHelpPanel()->isVisible());
    TapWidget(board->GetWidget("Btn_HelpClose"));
    EXPECT_FALSE(board->GetHelpPanel()->isVisible());

    TapWidget(board->GetWidget("Btn_Help"));
    TapWidget(board->GetWidget("Btn_ls"));
    EXPECT_TRUE(board->GetHistoryPanel()->isVisible());
    EXPECT_FALSE(board->GetHelpPanel()->isVisible());
    EXPECT_FALSE(board->GetHelpPanel()->isTouchEnabled());
    TapWidget(board->GetWidget("Btn_Help"));
    EXPECT_TRUE(board->GetHelpPanel()->isVisible());
    EXPECT_FALSE(board->GetHistoryPanel()->isVisible());
    EXPECT_FALSE(board->GetHistoryPanel()->isTouchEnabled());
}

TEST_F(HorseBoard, ThePhasesAreShot)
{
    ASSERT_TRUE(Game(SUB_S_FREE, Free(10, 100, 4)));
    ASSERT_TRUE(Game(SUB_S_FREE, Free(10, 101, 8)));
    OpenBetting();
    ASSERT_TRUE(Game(SUB_S_BET_PLACED, BetPlaced(2, 0, 500000)));
    ASSERT_TRUE(Game(SUB_S_BET_PLACED, BetPlaced(3, 7, 20000)));
    TapWidget(board->GetAreaButton(AreaOfPair(4, 5)));
    TapWidget(board->GetWidget("Btn_xiazhu"));
    TapWidget(board->GetAreaButton(AreaOfPair(1, 2)));
    Seconds(1);
    SaveScreen("horsebattle_betting");
    ASSERT_TRUE(Game(SUB_S_BET_END, BetEnd(7)));
    Seconds(4);
    SaveScreen("horsebattle_lineup");
    Seconds(3);
    ASSERT_TRUE(Game(SUB_S_RACE, Race(20, 3, 4)));
    Seconds(6);
    SaveScreen("horsebattle_race");
    Step(250);
    SaveScreen("horsebattle_finish");
    Seconds(2);
    SaveScreen("horsebattle_result");
    TapWidget(board->GetWidget("Btn_ResultClose"));
    ASSERT_TRUE(Game(SUB_S_FREE, Free(10, 102, 13)));
    TapWidget(board->GetWidget("Btn_ls"));
    Seconds(1);
    SaveScreen("horsebattle_history");
}

}  // namespace

namespace {

// Maximised, the track and the bet panel stretch together over the play
// area (the kernel asks this table to fill it both ways); restored, they
// are whole again.
TEST_F(HorseBoard, AMaximisedWindowFitsTheWholeTrack)
{
    CCSprite* root = board->GetContentRoot();
    const CCSize content = root->getContentSize();
    board->LayoutGameTable(1018, 658, true, true);
    EXPECT_FLOAT_EQ(root->getScaleY(), 658 / content.height);
    EXPECT_FLOAT_EQ(root->getScaleX(), 1018 / content.width);
    EXPECT_EQ(board->GetTrack()->getParent(), root);
    board->LayoutGameTable(1018, 722, false, true);
    EXPECT_FLOAT_EQ(root->getScaleX(), 1.0f);
    EXPECT_FLOAT_EQ(root->getScaleY(), 1.0f);
}

}  // namespace

namespace {

// Waiting in free time, the horses keep bobbing behind the start: their
// four poses change together, ten times a second, and the clock once a
// second, so about eleven frames a second are drawn (not sixty) and the
// loop sleeps between them.
TEST_F(HorseBoard, AWaitingTableDrawsOnlyTheBobAndTheClock)
{
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(*FreeSceneRecord(40))));
    CCDirector* director = CCDirector::sharedDirector();
    director->startAnimation();
    Seconds(2);
    std::set<float> poses;
    unsigned int before = director->getDrawnFrames();
    double longestWait = 0;
    for (int i = 0; i < 60 * 5; ++i)
    {
        Step();
        longestWait = std::max(longestWait, director->getTimeToNextFrame());
        poses.insert(board->GetHorse(0)->getBone("horse")->getTweenData().y);
    }
    const unsigned int drawn = director->getDrawnFrames() - before;
    EXPECT_GE(drawn, 45u);
    EXPECT_LE(drawn, 60u);
    EXPECT_EQ(poses.size(), 3u) << "the bob goes on";
    EXPECT_GE(longestWait, 0.09);
    director->stopAnimation();
}

}  // namespace
