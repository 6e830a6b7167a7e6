// The round on the car-brand table: the phase clock and its banners, the
// car's run and the lights that follow it, the result, the history strip and
// win record, and the tables restored from the scenes.
#include "CarFixture.h"

#include "cocos-ext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace cocos2d::extension;
using namespace BumperCarBattle;
using namespace cartest;

namespace {

class CarRound : public CarTest
{
protected:
    // The banners on the table now, by picture.
    int Banners(const char* picture) const
    {
        int n = 0;
        CCArray* children = board->GetContentRoot()->getChildren();
        for (unsigned int i = 0; children != nullptr && i < children->count(); ++i)
            n += Shows(dynamic_cast<CCSprite*>(children->objectAtIndex(i)), picture) ? 1 : 0;
        return n;
    }
    std::vector<int> VisibleBadges() const
    {
        std::vector<int> out;
        for (int t = 0; t < TRACK_SLOTS; ++t)
        {
            if (board->GetTrackBadge(t)->isVisible())
                out.push_back(t);
        }
        return out;
    }
    CCArmature* WinArmature() const
    {
        CCArray* children = board->GetEndBackground()->getChildren();
        for (unsigned int i = 0; children != nullptr && i < children->count(); ++i)
        {
            if (auto* armature = dynamic_cast<CCArmature*>(children->objectAtIndex(i)))
                return armature;
        }
        return nullptr;
    }
    std::vector<std::string> WinRecord() const
    {
        std::vector<std::string> out;
        for (const char* name : {"label_win_record_bsj_d", "label_win_record_bsj_x", "label_win_record_bm_d",
                                 "label_win_record_bm_x", "label_win_record_bc_d", "label_win_record_bc_x",
                                 "label_win_record_dz_d", "label_win_record_dz_x"})
            out.push_back(board->LabelText(name));
        return out;
    }
    // The picture of the mark an item of the history strip shows, and where.
    std::pair<std::string, float> Mark(int column) const
    {
        Widget* item = board->GetHistoryList()->getItem(static_cast<unsigned int>(column));
        if (item == nullptr || item->getChildrenCount() == 0)
            return {"", 0};
        auto* mark = static_cast<ImageView*>(item->getChildren()->objectAtIndex(item->getChildrenCount() - 1));
        return {mark->getFileName(), mark->getPositionY()};
    }
};

TEST_F(CarRound, TheClockShowsBannersAtFourSecondsAndTicksTheLastOnes)
{
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(6)));
    EXPECT_EQ(board->GetPhase(), NNBoard::kPhaseFree);
    EXPECT_EQ(board->LabelText("atlasLabel_game_timer"), "6");
    Seconds(3);
    EXPECT_EQ(Banners("BumperCarBattle/place_jetton_status"), 1);
    EXPECT_EQ(Played("sound/clock"), 1);
    Seconds(4);
    // Six, five, four... zero: seven ticks, five of them under five seconds.
    EXPECT_EQ(Played("sound/clock"), 5);
    EXPECT_EQ(board->LabelText("atlasLabel_game_timer"), "0");

    // A free table restored from its scene sounds only under four seconds.
    audio.log.clear();
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(FreeSceneRecord(6, NO_BANKER))));
    EXPECT_EQ(board->GetPhase(), NNBoard::kPhaseFreeScene);
    Seconds(8);
    EXPECT_EQ(Played("sound/clock"), 4);

    audio.log.clear();
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 5)));
    Seconds(2);
    EXPECT_EQ(Banners("BumperCarBattle/game_end_status"), 1);
    Seconds(4);
    EXPECT_EQ(Banners("BumperCarBattle/game_end_status"), 0);
    EXPECT_EQ(Played("sound/clock"), 5);
}

// The place-jetton banner's end gives the chips back only under a banker.
TEST_F(CarRound, ThePlaceJettonBannerEndsWithChipsOnlyUnderABanker)
{
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(8)));
    Seconds(9);
    EXPECT_TRUE(UsableChips().empty());
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 3)));
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(8)));
    EXPECT_TRUE(UsableChips().empty());
    Seconds(9);
    EXPECT_FALSE(UsableChips().empty());
}

TEST_F(CarRound, ARunMakesThreeLapsMoreThanTheWayAndSlowsAtTheEnd)
{
    // From slot 1 to 9: eight slots and three laps, 105 moves.
    const std::vector<float> run = NNBoard::RunDurations(1, 9);
    ASSERT_EQ(run.size(), 105u);
    const float step = 5.0f / 72;
    const float delta = (0.3f - step) * 0.0625f;
    EXPECT_FLOAT_EQ(run[0], 0.3f);
    EXPECT_NEAR(run[15], 0.3f - 15 * delta, 1e-5);
    EXPECT_NEAR(run[16], step, 1e-6);
    EXPECT_NEAR(run[88], step, 1e-6);
    EXPECT_NEAR(run[89], step, 1e-6);
    EXPECT_NEAR(run[103], step + 14 * delta, 1e-5);
    EXPECT_FLOAT_EQ(run[104], 0.4f);
    // Standing on its stop already, the car makes exactly three laps.
    EXPECT_EQ(NNBoard::RunDurations(17, 17).size(), 97u);
    // Backwards round the end of the track: from 30 to 2 is four slots.
    EXPECT_EQ(NNBoard::RunDurations(30, 2).size(), 101u);
}

// A whole run: the car ends on its stop slot at its angle, the badges light
// one after the other behind it, and the table shows the result.
TEST_F(CarRound, TheCarRunsToItsStopAndTheResultShows)
{
    StartBetting();
    ASSERT_TRUE(Game(SUB_S_PLACE_JETTON, Bet(kMe, 5, 100000)));
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(25, 9)));
    EXPECT_EQ(board->GetPhase(), NNBoard::kPhaseResult);
    EXPECT_EQ(board->GetCarSlot(), 9);
    EXPECT_EQ(board->GetWinCount(0), 1u);
    EXPECT_TRUE(UsableChips().empty());
    EXPECT_EQ(Played("sound/maidinglishou"), 1);
    // After half a second's wait the car moves to its start slot, then on.
    Step(60);
    EXPECT_TRUE(board->GetCar()->isVisible());
    EXPECT_EQ(board->GetLampSlot(), 2);
    EXPECT_EQ(VisibleBadges().size(), 1u);
    RunToTheEnd();
    ASSERT_TRUE(board->GetEndBackground()->isVisible());
    const CCPoint at = board->GetCar()->getPosition();
    EXPECT_FLOAT_EQ(at.x, 740);
    EXPECT_FLOAT_EQ(at.y, 634);
    EXPECT_NEAR(std::fmod(board->GetCar()->getRotation() + 360, 360.0f), 0, 0.01);
    // Slot 9 is the big bsj: the armature plays its movement.
    CCArmature* armature = WinArmature();
    ASSERT_NE(armature, nullptr);
    EXPECT_EQ(armature->getAnimation()->getCurrentMovementID(), "win_bsj_ani");
    // The bets went; the labels took the round's figures.
    EXPECT_EQ(board->GetAreaTotal(5), 0);
    EXPECT_TRUE(board->GetChipPile().Chips().empty());
    EXPECT_EQ(board->LabelText("label_banker_times"), "3");
    EXPECT_EQ(board->LabelText("label_banker_mark"), "-340,0000");
    EXPECT_EQ(board->LabelText("label_mark"), "90,0000");
    EXPECT_EQ(board->GetHistoryColumn(), 1);
    EXPECT_EQ(WinRecord()[0], "100.00%");
    // The result panel comes in after the win and shows the round's figures.
    CCNode* panel = board->GetEndBackground()->getChildByTag(NNBoard::kResultPanelTag);
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(panel->isVisible());
    Seconds(3);
    EXPECT_TRUE(panel->isVisible());
    ASSERT_EQ(panel->getChildrenCount(), 3u);
    EXPECT_STREQ(static_cast<CCLabelTTF*>(panel->getChildren()->objectAtIndex(0))->getString(), "90,0000");
    // The stop badge flashes every half second.
    int lit = 0;
    for (int i = 0; i < 60; ++i)
    {
        Step();
        lit += board->GetTrackBadge(8)->isVisible() ? 1 : 0;
    }
    EXPECT_GT(lit, 0);
    EXPECT_LT(lit, 60);
    // The next free time ends the flashing and fades the car.
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(10)));
    Seconds(1);
    EXPECT_TRUE(VisibleBadges().empty());
}

TEST_F(CarRound, AnEvenStopShowsTheSmallCarsPictureAndTheChangeBannerClearsIt)
{
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(20, 10)));
    RunToTheEnd();
    EXPECT_EQ(WinArmature(), nullptr);
    bool picture = false;
    CCArray* children = board->GetEndBackground()->getChildren();
    for (unsigned int i = 0; i < children->count(); ++i)
        picture |= Shows(dynamic_cast<CCSprite*>(children->objectAtIndex(i)), "BumperCarBattle/win_bsj");
    EXPECT_TRUE(picture);
    // Slot 10 is class 1, the small bsj: its mark sits in the upper half.
    EXPECT_EQ(Mark(0), (std::pair<std::string, float>{"BumperCarBattle/btn_chqcxbg_1.png", 15}));
    Seconds(12);
    EXPECT_FALSE(board->GetEndBackground()->isVisible());
    EXPECT_EQ(board->GetEndBackground()->getChildrenCount(), 0u);
    EXPECT_EQ(Banners("BumperCarBattle/change_banker_status"), 0);
}

// A run from slot 32 lights badges 31, 0 and 1 in turn; a car between two
// points, farther than 25 from both, lights none.
TEST_F(CarRound, TheLightsFollowTheCarRoundTheEndOfTheTrack)
{
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(25, 32)));
    RunToTheEnd();
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(25, 3)));
    for (int expected : {31, 0, 1})
    {
        board->StepTrackLight(nullptr);
        EXPECT_TRUE(board->GetTrackBadge(expected)->isVisible()) << expected;
    }
    board->GetCar()->stopAllActions();
    for (int t = 0; t < TRACK_SLOTS; ++t)
        board->GetTrackBadge(t)->setVisible(false);
    board->GetCar()->setPosition(CCPoint(398, 634));
    board->LightTrackUnderCar(0);
    EXPECT_TRUE(VisibleBadges().empty());
    board->GetCar()->setPosition(CCPoint(438, 610));
    board->LightTrackUnderCar(0);
    EXPECT_EQ(VisibleBadges(), (std::vector<int>{4}));
}

TEST_F(CarRound, TheHistoryFillsTheLayoutsColumnsThenAddsBorderedOnes)
{
    Widget* list = board->GetHistoryList();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(board->GetHistoryList()->getItems()->count(), 9u);
    for (uint8_t t = 0; t < 20; ++t)
        board->AddHistoryColumn(t);
    EXPECT_EQ(board->GetHistoryList()->getItems()->count(), 20u);
    EXPECT_EQ(board->GetHistoryColumn(), 20);
    // Big cars below, small above.
    EXPECT_EQ(Mark(0), (std::pair<std::string, float>{"BumperCarBattle/btn_chqcxbg_0.png", -15}));
    EXPECT_EQ(Mark(9), (std::pair<std::string, float>{"BumperCarBattle/btn_chqcxbg_1.png", 15}));
    // After a column the strip shows its newest end.
    Step(2);
    ListView* strip = board->GetHistoryList();
    EXPECT_FLOAT_EQ(strip->getInnerContainer()->getPositionX(),
                    strip->getSize().width - strip->getInnerContainer()->getSize().width);
    const float end = strip->getInnerContainer()->getPositionX();
    board->OnHistoryLeft(nullptr, TOUCH_EVENT_BEGAN);
    Seconds(1);
    EXPECT_GT(strip->getInnerContainer()->getPositionX(), end);
    board->OnHistoryRight(nullptr, TOUCH_EVENT_BEGAN);
    board->OnHistoryRight(nullptr, TOUCH_EVENT_BEGAN);
    Seconds(1);
    EXPECT_FLOAT_EQ(strip->getInnerContainer()->getPositionX(), end);
}

// Byte j of a record is the win of class j: one column and one count each;
// a byte of any value only says whether the class won.
TEST_F(CarRound, RecordsCountEachClassTheyMarkAndNeverPastTheCounts)
{
    EXPECT_EQ(WinRecord(), std::vector<std::string>(8, "0.00%"));
    Bytes records(27, 0);
    records[3] = 1;             // class 3
    records[9 + 3] = 200;       // class 3 again
    records[9 + 8] = 255;       // the ninth byte is not read
    records[18 + 0] = 9;        // class 0
    records[18 + 7] = 1;        // class 7
    ASSERT_TRUE(Game(SUB_S_SEND_RECORD, records));
    EXPECT_EQ(board->GetHistoryColumn(), 4);
    EXPECT_EQ(board->GetWinCount(3), 2u);
    EXPECT_EQ(board->GetWinCount(0), 1u);
    EXPECT_EQ(board->GetWinCount(7), 1u);
    EXPECT_EQ(Mark(0).first, "BumperCarBattle/btn_chqcxbg_3.png");
    EXPECT_EQ(Mark(2).first, "BumperCarBattle/btn_chqcxbg_0.png");
    EXPECT_EQ(WinRecord(), (std::vector<std::string>{"25.00%", "0.00%", "0.00%", "50.00%", "0.00%", "0.00%", "0.00%",
                                                     "25.00%"}));
}

TEST_F(CarRound, TheBettingSceneRestoresTheCarTheChipsAndTheFigures)
{
    ASSERT_TRUE(Scene(GS_BETTING, BytesOf(PlaySceneRecord(12, 1, 7))));
    EXPECT_EQ(board->GetPhase(), NNBoard::kPhasePlayScene);
    EXPECT_EQ(board->GetTimeLeft(), 12);
    EXPECT_EQ(board->GetCarSlot(), 7);
    EXPECT_EQ(board->GetCar()->getPosition().x, 588);
    EXPECT_EQ(board->GetApplyBankerMinimum(), 2000000);
    EXPECT_TRUE(UsableChips().empty());
    EXPECT_EQ(board->GetAreaTotal(1), 1611150);
    EXPECT_EQ(board->GetMyAreaBet(1), 10000);
    EXPECT_EQ(board->LabelText("atlasLabel_bsj_d"), "1611150");
    EXPECT_EQ(board->LabelText("atlasLabel_bsj_d_self"), "10000");
    EXPECT_FALSE(board->GetWidget("atlasLabel_bsj_x")->isVisible());
    // 6,101,100 on area 7: five chips, one of each of the larger values.
    EXPECT_EQ(board->GetChipPile().CountOn(7), 5u);
    EXPECT_EQ(board->LabelText("label_mark"), "-9,8765");
    EXPECT_EQ(board->LabelText("label_jetton"), "11100");
    EXPECT_EQ(board->LabelText("label_banker_times"), "2");
    EXPECT_EQ(board->LabelText("label_banker_mark"), "-5,0000");
    // The badge under the car stays lit while the table waits.
    Step(20);
    EXPECT_EQ(VisibleBadges(), (std::vector<int>{6}));
    // The same scene again lays the same chips, not twice as many.
    ASSERT_TRUE(Scene(GS_BETTING, BytesOf(PlaySceneRecord(12, 1, 7))));
    EXPECT_EQ(board->GetChipPile().CountOn(7), 5u);
    // A round's result adds to the restored mark.
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(25, 7)));
    RunToTheEnd();
    EXPECT_EQ(board->LabelText("label_mark"), "80,1235");
}

// A table entered mid-round keeps the badge under the standing car lit as it
// waits, without a clock that wakes every frame; a chip dragged over the
// car's class flashes the other badges and leaves the car's lit; the run
// takes the light over and lets the badge go out behind the car.
TEST_F(CarRound, TheBadgeUnderAStandingCarStaysLitWhileTheTableSleeps)
{
    ASSERT_TRUE(Scene(GS_RESULT_END, BytesOf(PlaySceneRecord(9, NO_BANKER, 0))));
    ASSERT_TRUE(Scene(GS_BETTING, BytesOf(PlaySceneRecord(12, 1, 7))));
    EXPECT_EQ(VisibleBadges(), (std::vector<int>{6}));
    EXPECT_FALSE(
        CCDirector::sharedDirector()->getScheduler()->isScheduledForTarget(
            schedule_selector(NNBoard::LightTrackUnderCar), board));
    CCDirector* director = CCDirector::sharedDirector();
    director->startAnimation();
    Step(10);
    double longestWait = 0;
    for (int i = 0; i < 120; ++i)
    {
        Step();
        longestWait = std::max(longestWait, director->getTimeToNextFrame());
    }
    director->stopAnimation();
    EXPECT_GE(longestWait, 0.5);
    EXPECT_EQ(VisibleBadges(), (std::vector<int>{6}));

    // Badge 6 is class 6 (track index % 8): all four of that class flash,
    // the car's stays lit through it.
    board->FlashAreaTrackLights(6);
    Step(30);
    EXPECT_EQ(VisibleBadges(), (std::vector<int>{6}));

    ASSERT_TRUE(Game(SUB_S_GAME_END, End(25, 7)));
    Step(150);
    ASSERT_NE(board->TrackIndexUnderCar(), 6);
    const int car = board->TrackIndexUnderCar();
    for (int t : VisibleBadges())
    {
        const int apart = std::abs(t - car);
        EXPECT_LE(std::min(apart, TRACK_SLOTS - apart), 2) << "a badge lit far from the car: " << t;
    }
}

TEST_F(CarRound, TheResultAndFreeScenesRestoreThePanels)
{
    ASSERT_TRUE(Scene(GS_BETTING, BytesOf(PlaySceneRecord(12, 1, 7))));
    ASSERT_TRUE(Scene(GS_RESULT_END, BytesOf(PlaySceneRecord(9, NO_BANKER, 0))));
    EXPECT_EQ(board->GetPhase(), NNBoard::kPhasePlayScene);
    EXPECT_EQ(board->LabelText("label_banker_nick_name"), "系统坐庄");
    EXPECT_EQ(board->LabelText("label_nick_name"), "玩家1000");
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(FreeSceneRecord(10, 2))));
    EXPECT_EQ(board->GetPhase(), NNBoard::kPhaseFreeScene);
    EXPECT_EQ(board->LabelText("label_banker_score"), "330,0000");
    EXPECT_EQ(board->LabelText("label_banker_times"), "4");
    EXPECT_EQ(board->LabelText("label_banker_mark"), "25,0000");
    EXPECT_EQ(board->LabelText("label_mark"), "0");
    EXPECT_EQ(board->GetApplyBankerMinimum(), 1000000);
    EXPECT_EQ(WinRecord()[0], "0.00%");
    // Between rounds the areas are empty, and no badge stays lit under the
    // car the betting scene stood.
    EXPECT_TRUE(VisibleBadges().empty());
    EXPECT_TRUE(board->GetChipPile().Chips().empty());
    EXPECT_EQ(board->GetAreaTotal(1), 0);
    EXPECT_FALSE(board->GetWidget("atlasLabel_bsj_d")->isVisible());
}

// Restored in the betting, the table's chips and amounts belong to that
// scene: the result scene after it, which carries no bets, shows none of
// them, nor do the free time and the next round.
TEST_F(CarRound, ARoundRestoredBeforeLeavesNoChipsOnTheFreeTimeOrTheNext)
{
    ASSERT_TRUE(Scene(GS_BETTING, BytesOf(PlaySceneRecord(12, 1, 7))));
    ASSERT_FALSE(board->GetChipPile().Chips().empty());
    const auto expectEmptyAreas = [this](const char* when) {
        EXPECT_TRUE(board->GetChipPile().Chips().empty()) << when;
        for (int area = 1; area <= AREA_COUNT; ++area)
        {
            EXPECT_EQ(board->GetAreaTotal(area), 0) << when << " " << area;
            EXPECT_EQ(board->GetMyAreaBet(area), 0) << when << " " << area;
        }
        EXPECT_FALSE(board->GetWidget("atlasLabel_bsj_d")->isVisible()) << when;
        EXPECT_FALSE(board->GetWidget("atlasLabel_bsj_d_self")->isVisible()) << when;
    };
    ASSERT_TRUE(Scene(GS_RESULT_END, BytesOf(PlaySceneRecord(9, 1, 0))));
    expectEmptyAreas("result scene");
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    expectEmptyAreas("free time");
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 20)));
    expectEmptyAreas("next round");
}

// Waiting in the free time with nothing moving draws only the clock.
TEST_F(CarRound, AWaitingTableDrawsOnlyWhenTheClockChanges)
{
    ASSERT_TRUE(Scene(GS_BETTING, BytesOf(PlaySceneRecord(30, 1, 7))));
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(30)));
    CCDirector* director = CCDirector::sharedDirector();
    director->startAnimation();
    Seconds(2);
    const unsigned int drawn = director->getDrawnFrames();
    Seconds(5);
    EXPECT_LE(director->getDrawnFrames() - drawn, 6u);
}

}  // namespace
