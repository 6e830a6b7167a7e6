// The little-nine round on the board, where it differs from red nine's:
// the banker kept through a round start, the chips, the delayed bets, the
// opening's order, the records with my bets told apart, the sweep marks.
#include "NineXiaoFixture.h"

#include "TwoCardBanker/AreaLayout.h"
#include "games/framework/CardSprite.h"

#include <gtest/gtest.h>

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace NineXiaoBattle;
using namespace nxtest;

namespace {

class NineXiaoRound : public NineXiaoTest
{
protected:
    void RunTo(float seconds)
    {
        const int frame = static_cast<int>(seconds * 60.0f + 0.5f);
        if (frame > m_frames)
            Step(frame - m_frames);
        m_frames = std::max(m_frames, frame);
    }
    bool Blinking(Widget* widget) const { return widget != nullptr && widget->numberOfRunningActions() > 0; }
    int m_frames = 0;
};

TEST_F(NineXiaoRound, ARoundStartComparesTheBankerButKeepsTheOneItHolds)
{
    StartBetting(1);
    EXPECT_EQ(board->GetBankerChair(), 1);
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(2, 50000000, 2000000, 20)));
    EXPECT_EQ(board->GetBankerChair(), 1);
    EXPECT_EQ(board->LabelText("Label_2_0"), "玩家2002");
    // Naming me ticks the box, and my chips stay off.
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(kMe, 50000000, 2000000, 20)));
    EXPECT_TRUE(board->GetBankerCheckBox()->getSelectedState());
    EXPECT_TRUE(UsableChips().empty());
    // The free time names no banker either.
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    EXPECT_EQ(board->GetBankerChair(), 1);
}

TEST_F(NineXiaoRound, ARoundStartClearsTheTableAsFreeTimeDoes)
{
    StartBetting();
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, 1, 10000)));
    ASSERT_EQ(board->GetTableChips().size(), 1u);
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 50000000, 2000000, 20)));
    EXPECT_TRUE(board->GetTableChips().empty());
    EXPECT_EQ(board->GetAreaTotal(1), 0);
    EXPECT_FALSE(board->GetTotalLabel(1)->isVisible());
    EXPECT_EQ(Played("NineXiaoBattle/Sound/GAME_START"), 2);
}

TEST_F(NineXiaoRound, NoUsableChipDropsTheSelectionAndTellsOnceARound)
{
    StartBetting(1, 50000000, 50000000);
    ClickWidget("Button_18_2");
    ASSERT_EQ(board->GetSelectedChip(), 100000);
    board->UpdateChipButtons(50000);
    EXPECT_EQ(UsableChips(), (std::vector<int64_t>{1000, 10000}));
    EXPECT_EQ(board->GetSelectedChip(), 10000);
    board->UpdateChipButtons(999);
    EXPECT_TRUE(UsableChips().empty());
    EXPECT_EQ(board->GetSelectedChip(), 0);
    board->UpdateChipButtons(999);
    EXPECT_EQ(Showing("NineXiaoBattle/notify_03").size(), 1u);
    // The limit is the banker's cover less what lies on the table, or my
    // score when that is smaller.
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 1000000, 50000000, 20)));
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, 2, 990000)));
    EXPECT_EQ(UsableChips(), (std::vector<int64_t>{1000, 10000}));
}

TEST_F(NineXiaoRound, RestoredAmountsUseNoTenMillionChip)
{
    board->PlaceChipsOnArea(2, 11500000);
    std::vector<int64_t> values;
    for (Widget* chip : board->GetTableChips())
        values.push_back(chip->getTag() - TwoCardBanker::CTwoCardBoard::kChipTagOffset);
    EXPECT_EQ(values, (std::vector<int64_t>{5000000, 5000000, 1000000, 500000}));
    // 100 has no chip here: nothing is drawn for it, and the split ends.
    board->PlaceChipsOnArea(1, 1100);
    EXPECT_EQ(board->GetTableChips().size(), 5u);
}

// My delayed bet counts on the table at once but in my bet only when its
// chip shows, 0.3 to 1.5 s later.
TEST_F(NineXiaoRound, MyDelayedBetShowsInMyBetWithItsChip)
{
    StartBetting();
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(kMe, 3, 10000, 1)));
    EXPECT_EQ(board->GetAreaTotal(3), 10000);
    EXPECT_EQ(board->GetMyBet(3), 0);
    EXPECT_FALSE(board->GetMyBetLabel(3)->isVisible());
    Step(15);
    EXPECT_EQ(ShownChips(), 0u);
    Step(80);
    EXPECT_EQ(ShownChips(), 1u);
    EXPECT_EQ(board->GetMyBet(3), 10000);
    EXPECT_TRUE(board->GetMyBetLabel(3)->isVisible());
    EXPECT_TRUE(board->HasMyBetOn(3));
}

// The bettor is compared with my chair as the kernel has it, even when the
// bet is the first message the table gets.
TEST_F(NineXiaoRound, MyBetAsTheFirstMessageIsMine)
{
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(kMe, 2, 10000)));
    EXPECT_EQ(board->GetMyChair(), kMe);
    EXPECT_EQ(board->GetMyBet(2), 10000);
    EXPECT_TRUE(board->GetMyBetLabel(2)->isVisible());
    EXPECT_TRUE(board->HasMyBetOn(2));
}

TEST_F(NineXiaoRound, TheBoardOpensHandsOneToThreeThenTheBankers)
{
    StartBetting();
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(25)));
    const int order[] = {1, 2, 3, 0};
    for (int step = 0; step < 4; ++step)
    {
        RunTo(5.05f + 2.0f * step);
        EXPECT_EQ(board->GetCard(order[step], 0)->GetCardData(), kRoundCards[2 * order[step]]) << step;
        if (step < 3)
        {
            EXPECT_EQ(board->GetCard(order[step + 1], 0)->GetCardData(), TwoCardBanker::CARD_BACK) << step;
        }
    }
    RunTo(12.2f);
    ASSERT_NE(board->GetScoreView(), nullptr);
    EXPECT_TRUE(tcbtest::Shows(board->GetResultSprite(0), "NineXiaoBattle/zi/CARD_POINT_119"));
    EXPECT_TRUE(tcbtest::Shows(board->GetResultSprite(1), "NineXiaoBattle/dianshu/CARD_POINT_01"));
    EXPECT_TRUE(tcbtest::Shows(board->GetResultSprite(3), "NineXiaoBattle/dianshu/CARD_POINT_06"));
    EXPECT_EQ(Played("NineXiaoBattle/Sound/END_WIN.wav"), 1);
    EXPECT_EQ(board->LabelText("Label_2_1"), "90,0000");
    SaveScreen("ninexiao_result");
}

TEST_F(NineXiaoRound, PeekingIsForcedOpenOnceWhenTheClockRunsLow)
{
    StartBetting();
    ClickWidget("Button_47");
    ASSERT_TRUE(board->IsManualOpen());
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(6)));
    RunTo(0.9f);
    EXPECT_EQ(board->GetScoreView(), nullptr);
    RunTo(1.05f);
    ASSERT_NE(board->GetScoreView(), nullptr);
    EXPECT_EQ(board->GetScoreView()->getZOrder(), RedBoard::kForcedScoreViewZ);
    RunTo(7);
    EXPECT_EQ(board->GetRecordCount(), 1);
}

// Live columns and the server's list put area 1 at the top alike; the marks
// of areas I bet on are told apart (the second mark with my bet on area 3,
// the third with area 2).
TEST_F(NineXiaoRound, RecordColumnsKeepOneOrderAndMarkMyBets)
{
    ASSERT_TRUE(Game(SUB_S_SEND_RECORD, Records({{AREA_WON, AREA_LOST, AREA_TIED}, {AREA_WON, 2, AREA_LOST}})));
    EXPECT_EQ(MarksOf(0),
              (std::vector<std::string>{"NineXiaoBattle/gou.png", "NineXiaoBattle/an.png", "NineXiaoBattle/ping.png"}));
    EXPECT_EQ(MarksOf(1), (std::vector<std::string>{"NineXiaoBattle/gou.png", "", "NineXiaoBattle/an.png"}));

    StartBetting();
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(kMe, 1, 1000)));
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(kMe, 3, 1000)));
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(25)));
    RunTo(12.2f);
    ASSERT_EQ(board->GetRecordCount(), 3);
    EXPECT_EQ(MarksOf(2), (std::vector<std::string>{"NineXiaoBattle/gou_1.png", "NineXiaoBattle/x_1.png",
                                                    "NineXiaoBattle/ping.png"}));
    // Area 1 won: it blinks, no sweep.
    EXPECT_TRUE(Blinking(board->GetArea(1)));
    EXPECT_FALSE(Blinking(board->GetArea(2)) || Blinking(board->GetArea(3)));
    for (int area = 1; area <= AREA_COUNT; ++area)
        EXPECT_FALSE(Blinking(board->GetAreaMark(area)));
}

TEST_F(NineXiaoRound, TheBankerSweepingAllThreeBlinksTheSweepMarks)
{
    const int32_t lost[3] = {AREA_LOST, AREA_LOST, AREA_LOST};
    board->ShowWinningAreas(lost);
    for (int area = 1; area <= AREA_COUNT; ++area)
    {
        EXPECT_TRUE(Blinking(board->GetAreaMark(area))) << area;
        EXPECT_FALSE(Blinking(board->GetArea(area))) << area;
    }
}

TEST_F(NineXiaoRound, TheThirtyFirstColumnIsANewItem)
{
    ASSERT_EQ(board->GetRecordList()->getItems()->count(), 30u);
    ASSERT_TRUE(Game(SUB_S_SEND_RECORD, Records(std::vector<std::vector<int32_t>>(30, {1, 1, 1}))));
    EXPECT_EQ(board->GetRecordList()->getItems()->count(), 30u);
    ASSERT_TRUE(Game(SUB_S_SEND_RECORD, Records({{-1, -1, -1}})));
    EXPECT_EQ(board->GetRecordList()->getItems()->count(), 31u);
    EXPECT_EQ(MarksOf(30), std::vector<std::string>(3, "NineXiaoBattle/an.png"));
}

TEST_F(NineXiaoRound, AResultSceneShowsPairsAndTheWinningAreas)
{
    ASSERT_TRUE(Scene(GS_RESULT_END, BytesOf(PlaySceneRecord(9, 1))));
    EXPECT_EQ(board->GetBetState(), RedBoard::kStateResultScene);
    EXPECT_TRUE(tcbtest::Shows(board->GetResultSprite(0), "NineXiaoBattle/zi/CARD_POINT_119"));
    ASSERT_NE(board->GetScoreView(), nullptr);
    EXPECT_TRUE(Blinking(board->GetArea(2)));
    EXPECT_FALSE(Blinking(board->GetArea(1)) || Blinking(board->GetArea(3)));
    EXPECT_EQ(board->GetAreaTotal(1), 11500000);
    EXPECT_EQ(board->GetTableChips().size(), 4u + 2u + 1u);
    EXPECT_TRUE(board->LabelText("Label_60").empty());
    SaveScreen("ninexiao_restore_result");
}

// Entered in a result, the result panel shows what this round scored, not
// 0 or another round's figures beside the score view's.
TEST_F(NineXiaoRound, ARestoredResultShowsTheRoundsOwnFigures)
{
    PlayScene scene = PlaySceneRecord(9, 1);
    tcbtest::BusyFigures(scene);
    ExpectRestoredResultShowsItsFigures(scene, End(20), "ninexiao_restored_figures_");
}

// Entered in free time as banker, giving up is refused until a free
// message sets the state to 0.
TEST_F(NineXiaoRound, AFreeSceneBankerGivesUpOnlyAfterTheNextFreeTime)
{
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(FreeSceneRecord(20, kMe, 1000))));
    EXPECT_EQ(Played("NineXiaoBattle/Sound/END_DRAW"), 1);
    board->GetBankerCheckBox()->setSelectedState(true);
    ClickWidget("CheckBox_87");
    EXPECT_TRUE(SentGame().empty());
    EXPECT_EQ(ChatLines().back(), "房间消息 | 游戏已经开始，不能取消当庄");
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(10)));
    ClickWidget("CheckBox_87");
    ASSERT_EQ(SentGame().size(), 1u);
    EXPECT_EQ(SentGame()[0].first, SUB_C_CANCEL_BANKER);
}

// Waiting in free time only the clock changes, once a second: only those
// frames are drawn.
TEST_F(NineXiaoRound, WaitingDrawsOnlyWhenTheClockTicks)
{
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(20)));
    ExpectWaitingDrawsOnlyTheClock();
}

// Maximised, the table scales to fit the play area; restored, it is back.
TEST_F(NineXiaoRound, AMaximisedWindowFitsTheWholeTable)
{
    ExpectMaximisedTableFits();
}

}  // namespace

namespace {

// The doors' names on their felts' foot beyond the chips; the amounts, the
// score view, the notices and the hands' signs apart.
TEST_F(NineXiaoRound, ChipsScoreViewAndSignsLeaveNamesAmountsAndRanksReadable)
{
    tcbtest::ExpectAreasReadable(board, RedBoard::kTable, "NineXiaoBattle", "dianshu/CARD_POINT_01",
                                 [](int area) { return "Image_area_" + std::to_string(area - 1); });
}

}  // namespace
