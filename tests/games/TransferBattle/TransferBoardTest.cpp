// The round on the board: the chips a player may use, bets by touches and
// the server's answers, the banker's panel and queue, the phase clock and
// the scenes of a player who enters mid-round.
#include "TransferFixture.h"

#include "core/ClientGlobal.h"
#include "games/NodeBoxes.h"
#include "games/TransferBattle/ScoreView.h"
#include "games/framework/GameChatLayer.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace TransferBattle;
using namespace tbtest;

namespace {

class TransferBoard : public TransferTest
{
};

TEST_F(TransferBoard, ATouchOnAnAreaSendsTheSelectedChipAndNothingElseChanges)
{
    StartBetting();
    // Before a chip is chosen nothing goes out.
    TapWidget(board->GetArea(5));
    EXPECT_TRUE(SentGame().empty());

    TapWidget(board->GetChipButton(3));
    EXPECT_EQ(board->GetSelectedChip(), 100000);
    TapWidget(board->GetArea(5));
    const auto sent = SentGame();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].first, SUB_C_PLACE_BET);
    // Area 5, then 100000 as a little-endian 64-bit integer.
    const Bytes expected = {5, 0xA0, 0x86, 0x01, 0, 0, 0, 0, 0};
    EXPECT_EQ(sent[0].second, expected);
    // The table waits for the server's bet message.
    EXPECT_EQ(board->GetAreaTotal(5), 0);
    EXPECT_EQ(board->GetMyBet(5), 0);

    // A right-button release drops the chip: the next touch sends nothing.
    ClearSent();
    board->OnRButtonUp();
    TapWidget(board->GetArea(5));
    EXPECT_TRUE(SentGame().empty());
}

TEST_F(TransferBoard, BetsAreShownWhenTheServerConfirmsThem)
{
    StartBetting();
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, 3, 1000)));
    EXPECT_EQ(board->GetAreaTotal(3), 1000);
    EXPECT_TRUE(board->GetTotalLabel(3)->isVisible());
    EXPECT_STREQ(board->GetTotalLabel(3)->getString(), "1000");
    EXPECT_FALSE(board->GetOwnLabel(3)->isVisible());
    EXPECT_EQ(board->GetMyScore(), kMyScore);

    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(kMe, 3, 10000)));
    EXPECT_EQ(board->GetAreaTotal(3), 11000);
    EXPECT_EQ(board->GetMyBet(3), 10000);
    EXPECT_STREQ(board->GetOwnLabel(3)->getString(), "10000");
    EXPECT_EQ(board->GetMyScore(), kMyScore - 10000);
    EXPECT_EQ(board->LabelText("Label_21_0_3"), "879,0000");

    // Exactly 5000000 has its own sound; one more or one less the plain one.
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, 1, 5000000)));
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, 1, 4999999)));
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, 1, 5000001)));
    EXPECT_EQ(Played("TransferBattle/Sound/ADD_GOLD_EX"), 1);
    EXPECT_EQ(Played("TransferBattle/Sound/ADD_GOLD"), 4);
}

// Banker score 1000000, all bets 950000, my score 2000000: only the chips
// up to 10000 stay, and a chosen 100000 falls to 10000.
TEST_F(TransferBoard, ChipsFollowWhatTheBankCanStillCover)
{
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 1000000, 2000000, 20)));
    EXPECT_EQ(UsableChips(), (std::vector<int>{100, 1000, 10000, 100000, 1000000}));
    TapWidget(board->GetChipButton(3));
    ASSERT_EQ(board->GetSelectedChip(), 100000);
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, 1, 950000)));
    EXPECT_EQ(UsableChips(), (std::vector<int>{100, 1000, 10000}));
    EXPECT_EQ(board->GetSelectedChip(), 10000);
    EXPECT_EQ(board->GetSelectedChip(), board->CGameBoard::GetSelectedChip());
}

// The banker bets nothing; a round the player banks has no chips.
TEST_F(TransferBoard, TheBankerHasNoChips)
{
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(kMe, 50000000, 2000000, 20)));
    EXPECT_TRUE(UsableChips().empty());
    EXPECT_FALSE(board->GetApplyButton()->isTouchEnabled());
    EXPECT_TRUE(board->GetCancelButton()->isTouchEnabled());
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, 1, 1000)));
    EXPECT_TRUE(UsableChips().empty());
}

// When no chip is left the chosen one is dropped with a notice, once a
// round; a refused bet does the same.
TEST_F(TransferBoard, ARefusedBetOrAnEmptyLimitDropsTheChipWithOneNotice)
{
    StartBetting();
    TapWidget(board->GetChipButton(2));
    ASSERT_TRUE(Game(SUB_S_PLACE_BET_FAIL, BytesOf(BetFailedMessage{})));
    EXPECT_EQ(board->GetSelectedChip(), 0);
    EXPECT_EQ(board->CGameBoard::GetSelectedChip(), 0);
    EXPECT_EQ(Showing("TransferBattle/notify_03").size(), 1u);

    TapWidget(board->GetChipButton(0));
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, 1, 49999950)));
    EXPECT_TRUE(UsableChips().empty());
    EXPECT_EQ(board->GetSelectedChip(), 0);
    EXPECT_EQ(Showing("TransferBattle/notify_03").size(), 1u);
    Seconds(4);
    EXPECT_TRUE(Showing("TransferBattle/notify_03").empty());

    // Without a chosen chip a refusal shows nothing.
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    ASSERT_TRUE(Game(SUB_S_PLACE_BET_FAIL, BytesOf(BetFailedMessage{})));
    EXPECT_TRUE(Showing("TransferBattle/notify_03").empty());
}

TEST_F(TransferBoard, TheBankerPanelKeepsOrResetsItsFiguresByWhoBanks)
{
    StartBetting(1);
    EXPECT_EQ(board->LabelText("Label_21_0_5"), "0");
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(30, 9)));
    EXPECT_EQ(board->LabelText("Label_21_0_5"), "3");
    EXPECT_EQ(board->LabelText("Label_21_0_6"), "-340,0000");
    EXPECT_EQ(board->LabelText("Label_21_0_2"), "90,0000");
    // The same banker keeps the round count and result.
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 50000000, 2000000, 20)));
    EXPECT_EQ(board->LabelText("Label_21_0_5"), "3");
    EXPECT_EQ(board->LabelText("Label_21_0_6"), "-340,0000");
    EXPECT_EQ(board->LabelText("Label_21_0_7"), "5600,0000");
    // A new one starts at 0.
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(0, 50000000, 2000000, 20)));
    EXPECT_EQ(board->LabelText("Label_21_0_5"), "0");
    EXPECT_EQ(board->LabelText("Label_21_0_6"), "0");
    EXPECT_EQ(board->LabelText("Label_21_0_7"), "1,2000,0000");
}

TEST_F(TransferBoard, NobankerShowsNobodyAndTakesTheChips)
{
    StartBetting();
    ASSERT_FALSE(UsableChips().empty());
    ASSERT_TRUE(Game(SUB_S_NO_BANKER, Bytes()));
    EXPECT_EQ(board->LabelText("Label_21_0_0"), "无人坐庄");
    EXPECT_EQ(board->LabelText("Label_21_0_7"), "0");
    EXPECT_EQ(board->LabelText("Label_21_0_5"), "0");
    EXPECT_TRUE(UsableChips().empty());
}

TEST_F(TransferBoard, TheApplyButtonChecksTheMinimumInFullUnits)
{
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 50000000, 2000000, 20, kMyScore)));
    TapWidget(board->GetApplyButton());
    auto sent = SentGame();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].first, SUB_C_APPLY_BANKER);
    EXPECT_TRUE(sent[0].second.empty());

    ClearSent();
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 50000000, 2000000, 20, kMyScore + 1)));
    TapWidget(board->GetApplyButton());
    EXPECT_TRUE(SentGame().empty());
    const auto& items = board->GetChatLayer()->GetItems();
    ASSERT_FALSE(items.empty());
    EXPECT_EQ(CClientGlobal::GBKToUTF8(items.back().message), "您的欢乐豆少于8800001,无法上庄");
    EXPECT_EQ(CClientGlobal::GBKToUTF8(items.back().sender), "房间消息");
}

TEST_F(TransferBoard, TheBankerMayGiveUpOnlyInFreeTime)
{
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(kMe, 50000000, 2000000, 20)));
    TapWidget(board->GetCancelButton());
    EXPECT_TRUE(SentGame().empty());
    EXPECT_EQ(CClientGlobal::GBKToUTF8(board->GetChatLayer()->GetItems().back().message),
              "游戏已经开始，不能取消当庄");
    // Free time: even the banker's request goes out.
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    TapWidget(board->GetCancelButton());
    const auto sent = SentGame();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].first, SUB_C_CANCEL_BANKER);
}

TEST_F(TransferBoard, TheQueueShowsApplicantsAndDropsThoseWhoCannotStay)
{
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{2})));
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{0})));
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{kMe})));
    EXPECT_EQ(QueueRows(), (std::vector<int>{2, 0, kMe}));
    EXPECT_FALSE(board->GetApplyButton()->isTouchEnabled());
    EXPECT_TRUE(board->GetCancelButton()->isTouchEnabled());
    Widget* row = board->GetBankerList()->getItem(0);
    ASSERT_NE(row, nullptr);
    auto* score = dynamic_cast<Label*>(row->getChildren()->objectAtIndex(row->getChildren()->count() - 1));
    ASSERT_NE(score, nullptr);
    EXPECT_STREQ(score->getStringValue(), "3300000");

    // A raised minimum takes the rows below it, two neighbours at once.
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{2})));
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 50000000, 2000000, 20, 9000000)));
    EXPECT_EQ(QueueRows(), (std::vector<int>{0}));

    ASSERT_TRUE(Game(SUB_S_CANCEL_BANKER, [] {
        CancelBankerMessage m = {};
        m.wCancelUser = 0;
        return BytesOf(m);
    }()));
    EXPECT_TRUE(QueueRows().empty());
}

// Five players queue where three rows show: the queue's arrows say there
// are more, and bring the last row into view and the first back.
TEST_F(TransferBoard, TheQueuesArrowsBringInTheRowsItHasNoRoomFor)
{
    ASSERT_TRUE(EnterUser(2004, 3, 7700000));
    ASSERT_TRUE(EnterUser(2005, 4, 6600000));
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    for (uint16_t chair : {2, 0, 3, 4, 5})
        ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{chair})));
    ASSERT_EQ(QueueRows().size(), 5u);
    Widget* up = board->GetWidget("Button_queue_up");
    Widget* down = board->GetWidget("Button_queue_down");
    ASSERT_NE(up, nullptr);
    ASSERT_NE(down, nullptr);
    Step();
    EXPECT_TRUE(nodeboxes::Shown(up) && nodeboxes::Shown(down));
    ListView* list = board->GetBankerList();
    auto inView = [&](unsigned int row) { return nodeboxes::InView(list, list->getItem(row)); };
    EXPECT_TRUE(inView(0));
    EXPECT_FALSE(inView(4));
    for (int tap = 0; tap < 2; ++tap)
    {
        TapWidget(down);
        Seconds(1);
    }
    EXPECT_TRUE(inView(4));
    EXPECT_FALSE(inView(0));
    for (int tap = 0; tap < 2; ++tap)
    {
        TapWidget(up);
        Seconds(1);
    }
    EXPECT_TRUE(inView(0));
}

// F25: an applicant or banker who has left the table has no record: no row
// for him, an empty name on the panel, and no crash.
TEST_F(TransferBoard, PlayersWithoutARecordAreNotReadFromIt)
{
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{40})));
    EXPECT_TRUE(QueueRows().empty());
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(40, 50000000, 2000000, 20)));
    EXPECT_EQ(board->GetBankerChair(), 40);
    EXPECT_EQ(board->LabelText("Label_21_0_0"), "");
    EXPECT_EQ(board->LabelText("Label_21_0_7"), "0");
    ChangeBankerMessage change = {};
    change.wBankerUser = 41;
    ASSERT_TRUE(Game(SUB_S_CHANGE_BANKER, BytesOf(change)));
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(FreeSceneRecord(10, 42, 0))));
    EXPECT_EQ(board->LabelText("Label_21_0_0"), "");
    // A queued player who leaves goes from the queue at the next refresh.
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{2})));
    ASSERT_EQ(QueueRows(), (std::vector<int>{2}));
    ASSERT_TRUE(Status(2003, US_NULL, 2));
    ASSERT_EQ(tb->GetTableUserData(2), nullptr);
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    EXPECT_TRUE(QueueRows().empty());
}

TEST_F(TransferBoard, TheClockHidesTheBannersAtFive)
{
    StartBetting();
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(6, 9)));
    board->GetEndBackground()->setVisible(true);
    board->GetBanner(2)->setVisible(true);
    board->OnClockTick(1);
    EXPECT_EQ(board->LabelText("AtlasLabel_43"), "5");
    EXPECT_TRUE(board->GetBanner(2)->isVisible());
    board->OnClockTick(1);
    EXPECT_EQ(board->LabelText("AtlasLabel_43"), "4");
    EXPECT_FALSE(board->GetBanner(2)->isVisible());
    EXPECT_FALSE(board->GetEndBackground()->isVisible());
    // At 0 it stops.
    for (int i = 0; i < 6; ++i)
        board->OnClockTick(1);
    EXPECT_EQ(board->GetCountdown(), 0);
    EXPECT_EQ(board->LabelText("AtlasLabel_43"), "0");
}

TEST_F(TransferBoard, AFreeSceneShowsTheBankerAndTheQueueButtons)
{
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(FreeSceneRecord(12, 1, 3000000))));
    EXPECT_EQ(board->GetCountdown(), 12);
    EXPECT_EQ(board->GetBankerMinimum(), 3000000);
    EXPECT_EQ(board->GetBankerChair(), 1);
    EXPECT_EQ(board->LabelText("Label_21_0_0"), "玩家2002");
    EXPECT_EQ(board->LabelText("Label_21_0_5"), "4");
    EXPECT_EQ(board->LabelText("Label_21_0_6"), "25,0000");
    EXPECT_EQ(board->LabelText("Label_21_0_4"), "玩家1000");
    EXPECT_TRUE(board->GetApplyButton()->isTouchEnabled());
    EXPECT_FALSE(board->GetCancelButton()->isTouchEnabled());
    EXPECT_TRUE(UsableChips().empty());
}

TEST_F(TransferBoard, ABettingSceneRestoresTheAreasAmounts)
{
    ASSERT_TRUE(Scene(GS_BETTING, BytesOf(PlaySceneRecord(14, 1))));
    EXPECT_EQ(board->GetCountdown(), 14);
    EXPECT_EQ(board->GetAreaTotal(1), 1611150);
    EXPECT_EQ(board->GetAreaTotal(8), -5);
    EXPECT_EQ(board->GetMyBet(1), 10000);
    EXPECT_TRUE(board->GetTotalLabel(1)->isVisible());
    EXPECT_STREQ(board->GetTotalLabel(1)->getString(), "1611150");
    EXPECT_FALSE(board->GetTotalLabel(3)->isVisible());
    // Not 0 shows a total; above 0 shows my own.
    EXPECT_TRUE(board->GetTotalLabel(8)->isVisible());
    EXPECT_FALSE(board->GetOwnLabel(8)->isVisible());
    EXPECT_TRUE(board->GetOwnLabel(4)->isVisible());
    EXPECT_EQ(board->GetMyScore(), kMyScore);
    for (int area = 1; area <= AREA_COUNT; ++area)
        EXPECT_TRUE(board->GetArea(area)->isVisible()) << area;
    // The chips wait for the next round start.
    EXPECT_TRUE(UsableChips().empty());
}

TEST_F(TransferBoard, AResultSceneShowsItsPanelAtOnce)
{
    ASSERT_TRUE(Scene(GS_RESULT, BytesOf(PlaySceneRecord(9, 1))));
    EXPECT_EQ(board->GetBankerMinimum(), 2000000);
    ASSERT_NE(board->GetScoreView(), nullptr);
    EXPECT_TRUE(board->GetScoreView()->isVisible());
    EXPECT_EQ(board->GetAreaTotal(1), 0);
    // The next free time takes it off.
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    EXPECT_EQ(board->GetScoreView(), nullptr);
}

// Entered in the betting, then the result, then free time: the result
// scene shows none of the betting scene's amounts, the free scene no result
// panel and no amounts, and the next
// round starts with no amount of the restored one; a betting scene after a
// result scene shows no result either.
TEST_F(TransferBoard, EachRestoredRoundEndsWithTheSceneOrRoundAfterIt)
{
    const auto noAmounts = [this](const char* after) {
        for (int area = 1; area <= AREA_COUNT; ++area)
        {
            EXPECT_FALSE(board->GetTotalLabel(area)->isVisible()) << after << " " << area;
            EXPECT_FALSE(board->GetOwnLabel(area)->isVisible()) << after << " " << area;
            EXPECT_EQ(board->GetAreaTotal(area), 0) << after;
            EXPECT_EQ(board->GetMyBet(area), 0) << after;
        }
    };
    ASSERT_TRUE(Scene(GS_BETTING, BytesOf(PlaySceneRecord(14, 1))));
    ASSERT_TRUE(Scene(GS_RESULT, BytesOf(PlaySceneRecord(9, 1))));
    ASSERT_NE(board->GetScoreView(), nullptr);
    noAmounts("result scene");
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(FreeSceneRecord(12, 1, 3000000))));
    EXPECT_EQ(board->GetScoreView(), nullptr);
    noAmounts("free scene");
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 50000000, 2000000, 20)));
    noAmounts("round start");

    ASSERT_TRUE(Scene(GS_BETTING, BytesOf(PlaySceneRecord(14, 1))));
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 50000000, 2000000, 20)));
    noAmounts("round start after a betting scene");
    ASSERT_TRUE(Scene(GS_RESULT, BytesOf(PlaySceneRecord(9, 1))));
    ASSERT_TRUE(Scene(GS_BETTING, BytesOf(PlaySceneRecord(14, 1))));
    EXPECT_EQ(board->GetScoreView(), nullptr);
}

}  // namespace

namespace {

// A maximised window of the headless desktop is lower, in design points,
// than the table: the wheel and its areas scale down to fit, and come back
// whole when restored.
TEST_F(TransferBoard, AMaximisedWindowFitsTheWholeTable)
{
    CCSprite* root = board->GetContentRoot();
    const CCSize content = root->getContentSize();
    board->LayoutGameTable(1018, 658, true, false);
    EXPECT_FLOAT_EQ(root->getScale(), 658 / content.height);
    EXPECT_NE(board->getChildByTag(Sexy::CGameBoard::kStretchedTableTag), nullptr);
    board->LayoutGameTable(1018, 722, false, false);
    EXPECT_FLOAT_EQ(root->getScale(), 1.0f);
    EXPECT_EQ(board->getChildByTag(Sexy::CGameBoard::kStretchedTableTag), nullptr);
}

}  // namespace
