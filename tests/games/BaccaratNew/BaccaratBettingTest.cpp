// The betting side of the baccarat table: the worst-case limit, the chips
// it allows, bets by click, the chips on the areas and their labels, the
// banker buttons and the queue.
#include "BaccaratFixture.h"

using namespace bactest;
using cocos2d::CCPoint;

namespace {

class BaccaratBetting : public BaccaratTest
{
protected:
    // Huge area limit and allowance: the banker's balance decides.
    void StartWithBanker(int64_t bankerScore)
    {
        CMD_S_StatusFree free = FreeScene();
        free.lAreaLimitScore = 1000000000000LL;
        ASSERT_TRUE(Scene(GS_FREE, BytesOf(free)));
        ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, bankerScore, 1000000000000LL)));
    }
};

TEST_F(BaccaratBetting, TheBankerRoomOfATieIsHisBalanceLessTheWorstPayoutOverEight)
{
    StartWithBanker(1000000);
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, AREA_PING, 100)));
    EXPECT_EQ(board->GetMaxBet(AREA_PING), (1000000 - 800) / 8);
    // A stake on the player forces its group: the tie stake counts for the
    // banker then.
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, AREA_XIAN, 1000)));
    EXPECT_EQ(board->GetMaxBet(AREA_XIAN), 1000000 - 1000 + 100);
    // The banker winning, the player and tie stakes are the banker's.
    EXPECT_EQ(board->GetMaxBet(AREA_ZHUANG), 1000000 + 1000 + 100);
    // The same-point tie's worst case is the player winning beside it.
    EXPECT_EQ(board->GetMaxBet(AREA_TONG_DIAN_PING), (1000000 - 1000 + 100) / 32);
    EXPECT_EQ(board->GetMaxBet(8), 0);
    EXPECT_EQ(board->GetMaxBet(-1), 0);
}

TEST_F(BaccaratBetting, TheAreaLimitAndMyAllowanceBoundTheStake)
{
    StartBetting(1, 300000);
    EXPECT_EQ(board->GetMaxBet(AREA_XIAN), 300000);
    Touch("Button_10W");
    Touch(board->GetAreaButton(AREA_ZHUANG));
    EXPECT_EQ(board->GetMaxBet(AREA_XIAN), 200000);
    CMD_S_StatusFree free = FreeScene();
    free.lAreaLimitScore = 50000;
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(free)));
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 500000000, 5000000)));
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, AREA_XIAN, 20000)));
    EXPECT_EQ(board->GetMaxBet(AREA_XIAN), 30000);
}

TEST_F(BaccaratBetting, TheSelectedChipDropsToTheLargestTheLimitAllows)
{
    StartBetting(1, 50000000);
    EXPECT_EQ(UsableChips(), (std::vector<int64_t>{100, 1000, 10000, 100000, 1000000, 5000000}));
    Touch("Button_100W");
    EXPECT_EQ(board->GetSelectedChip(), 1000000);
    ASSERT_NE(board->GetChipCursor(), nullptr);
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 500000000, 99999)));
    EXPECT_EQ(board->GetSelectedChip(), 10000);
    EXPECT_EQ(UsableChips(), (std::vector<int64_t>{100, 1000, 10000}));
    // The cursor shows the chip a bet is now made with.
    ASSERT_NE(board->GetChipCursor(), nullptr);
    EXPECT_EQ(board->GetChipCursor()->getName(), std::string("Button_1W"));
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 500000000, 99)));
    EXPECT_EQ(board->GetSelectedChip(), 0);
    EXPECT_TRUE(UsableChips().empty());
    EXPECT_EQ(board->GetChipCursor(), nullptr);
}

TEST_F(BaccaratBetting, NoChipsWithoutABankerOrWhenIAmTheBanker)
{
    CMD_S_StatusFree free = FreeScene();
    free.bEnableSysBanker = 0;
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(free)));
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(BaccaratNew::INVALID_CHAIR)));
    EXPECT_TRUE(UsableChips().empty());
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(kMe)));
    EXPECT_TRUE(UsableChips().empty());
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(2)));
    EXPECT_FALSE(UsableChips().empty());
}

TEST_F(BaccaratBetting, AClickOnAnAreaBetsTheSelectedChipAndCountsItAtOnce)
{
    StartBetting();
    Touch(board->GetAreaButton(AREA_XIAN));
    EXPECT_TRUE(Sent().empty());
    Touch("Button_1W");
    Touch(board->GetAreaButton(AREA_XIAN_DUI));
    const auto sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].first, SUB_C_PLACE_BET);
    EXPECT_EQ(sent[0].second, (Bytes{6, 0x10, 0x27, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(board->GetMyBet(AREA_XIAN_DUI), 10000);
    EXPECT_EQ(board->GetAllBet(AREA_XIAN_DUI), 10000);
    EXPECT_EQ(board->GetChipCount(AREA_XIAN_DUI), 1u);
    EXPECT_EQ(board->LabelText("Label_006"), "10000");
    EXPECT_EQ(board->LabelText("Label_0006"), "总注: 10000");
    EXPECT_EQ(Played("BaccaratNew/music/ADD_GOLD"), 1);
    // The server's echo of my bet adds nothing and plays nothing.
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(kMe, AREA_XIAN_DUI, 10000)));
    EXPECT_EQ(board->GetAllBet(AREA_XIAN_DUI), 10000);
    EXPECT_EQ(Played("BaccaratNew/music/ADD_GOLD"), 1);
    // Refused: my stake goes, the drawn chip stays until the table clears.
    CMD_S_PlaceBetFail fail{kMe, AREA_XIAN_DUI, 10000};
    ASSERT_TRUE(Game(SUB_S_PLACE_BET_FAIL, fail));
    EXPECT_EQ(board->GetMyBet(AREA_XIAN_DUI), 0);
    EXPECT_EQ(board->GetAllBet(AREA_XIAN_DUI), 0);
    EXPECT_EQ(board->GetChipCount(AREA_XIAN_DUI), 1u);
    EXPECT_FALSE(board->GetWidget("Label_006")->isVisible());
    EXPECT_FALSE(board->GetWidget("Label_0006")->isVisible());
    // Out of the betting a click only refreshes the buttons.
    ASSERT_TRUE(Game(SUB_S_GAME_END, End({}, {})));
    Touch(board->GetAreaButton(AREA_XIAN));
    EXPECT_TRUE(Sent().empty());
}

TEST_F(BaccaratBetting, OtherPlayersBetsAreLaidAsChipsFromTheLargest)
{
    StartBetting();
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, AREA_XIAN_TIAN_WANG, 150)));
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(3, AREA_XIAN_TIAN_WANG, 150)));
    // A rest below 100 is not drawn.
    EXPECT_EQ(board->GetChipCount(AREA_XIAN_TIAN_WANG), 2u);
    EXPECT_EQ(board->LabelText("Label_0003"), "总注: 300");
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, AREA_PING, 6110000)));
    EXPECT_EQ(board->GetChipCount(AREA_PING), 1u + 1 + 1 + 1);
    EXPECT_EQ(Played("BaccaratNew/music/ADD_GOLD"), 3);
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, AREA_PING, 10000000)));
    EXPECT_EQ(Played("BaccaratNew/music/ADD_GOLD_EX"), 1);
}

TEST_F(BaccaratBetting, AHugeStakeLaysACappedPileAndItsExactTotal)
{
    StartBetting();
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, AREA_ZHUANG, 1000000000000LL)));
    EXPECT_EQ(board->GetChipCount(AREA_ZHUANG), BaccaratNewBoard::kMostChipsPerArea);
    EXPECT_EQ(board->LabelText("Label_0002"), "总注: 1000000000000");
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(3, AREA_ZHUANG, 1000000000000LL)));
    EXPECT_EQ(board->GetChipCount(AREA_ZHUANG), BaccaratNewBoard::kMostChipsPerArea);
    EXPECT_TRUE(board->GetPendingChips(AREA_ZHUANG).empty());
    EXPECT_EQ(board->LabelText("Label_0002"), "总注: 2000000000000");
    // Over 32 bits with my own stake on the area, still in full.
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, AREA_XIAN, 2147483648LL)));
    Touch("Button_100");
    Touch(board->GetAreaButton(AREA_XIAN));
    EXPECT_EQ(board->LabelText("Label_0000"), "总注: 2147483748");
    EXPECT_EQ(board->LabelText("Label_000"), "100");
}

TEST_F(BaccaratBetting, AHoveredAreaLightsUnderTheChipCursor)
{
    StartBetting();
    cocos2d::ui::Widget* frame = board->GetAreaFrame(AREA_PING);
    ASSERT_NE(frame, nullptr);
    const CCPoint over = frame->getParent()->convertToWorldSpace(frame->getPosition());
    board->OnMouseMove(over);
    EXPECT_FALSE(frame->isVisible());
    Touch("Button_1000");
    board->OnMouseMove(over);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_FALSE(board->GetAreaFrame(AREA_XIAN)->isVisible());
    // The chip follows the pointer itself, in a window of any size.
    auto expectUnder = [this](const CCPoint& pointer) {
        cocos2d::ui::Widget* cursor = board->GetChipCursor();
        ASSERT_NE(cursor, nullptr);
        const CCPoint at = cursor->getParent()->convertToWorldSpace(cursor->getPosition());
        EXPECT_NEAR(at.x, pointer.x, 0.01f);
        EXPECT_NEAR(at.y, pointer.y, 0.01f);
    };
    expectUnder(over);
    board->LayoutGameTable(1018, 658, true, false);
    const CCPoint elsewhere(over.x + 40, over.y - 30);
    board->OnMouseMove(elsewhere);
    expectUnder(elsewhere);
    board->LayoutGameTable(1018, 722, false, false);
    // A smaller chip forced by the limit stays where the pointer is.
    board->OnMouseMove(over);
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 500000000, 500)));
    ASSERT_EQ(board->GetSelectedChip(), 100);
    EXPECT_EQ(board->GetChipCursor()->getName(), std::string("Button_100"));
    expectUnder(over);
    board->OnRButtonUp();
    EXPECT_EQ(board->GetChipCursor(), nullptr);
    EXPECT_EQ(board->GetSelectedChip(), 100);
}

TEST_F(BaccaratBetting, ApplyingAsksForTheConditionButLeavingNever)
{
    CMD_S_StatusFree free = FreeScene(20, 1, 1000000);
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(free)));
    EXPECT_TRUE(board->GetWidget("BT_APPLY_BANKER_01")->isTouchEnabled());
    Touch("BT_APPLY_BANKER_01");
    auto sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].first, SUB_C_APPLY_BANKER);
    EXPECT_TRUE(sent[0].second.empty());
    EXPECT_TRUE(board->IsApplied());
    EXPECT_FALSE(board->GetWidget("BT_APPLY_BANKER_01")->isVisible());
    EXPECT_TRUE(board->GetWidget("BT_CANCEL_APPLY_01")->isVisible());
    // The condition rises above my score while I wait in the queue.
    free.lApplyBankerCondition = 20000000;
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(free)));
    EXPECT_TRUE(board->GetWidget("BT_CANCEL_APPLY_01")->isTouchEnabled());
    Touch("BT_CANCEL_APPLY_01");
    sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].first, SUB_C_CANCEL_BANKER);
    EXPECT_FALSE(board->IsApplied());
    // Applying again is not allowed below the condition.
    EXPECT_FALSE(board->GetWidget("BT_APPLY_BANKER_01")->isTouchEnabled());
    board->ApplyBanker(true);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(BaccaratBetting, TheBankerStepsDownOnlyBetweenRounds)
{
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(FreeScene())));
    Touch("BT_APPLY_BANKER_01");
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, CMD_S_ApplyBanker{kMe}));
    ASSERT_TRUE(Game(SUB_S_CHANGE_BANKER, CMD_S_ChangeBanker{kMe, 8800000}));
    EXPECT_TRUE(board->IsApplied());
    EXPECT_TRUE(board->GetQueue().Chairs().empty());
    EXPECT_TRUE(board->GetWidget("BT_CANCEL_APPLY_01")->isTouchEnabled());
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(kMe)));
    EXPECT_FALSE(board->GetWidget("BT_CANCEL_APPLY_01")->isTouchEnabled());
    ASSERT_TRUE(Game(SUB_S_GAME_END, End({}, {})));
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, CMD_S_GameFree{5}));
    EXPECT_TRUE(board->GetWidget("BT_CANCEL_APPLY_01")->isTouchEnabled());
    // Another banker: my flag clears.
    ASSERT_TRUE(Game(SUB_S_CHANGE_BANKER, CMD_S_ChangeBanker{0, 1000}));
    EXPECT_FALSE(board->IsApplied());
    EXPECT_EQ(board->LabelText("BANKER_USERNAME"), "玩家2001");
    EXPECT_EQ(board->LabelText("BANKER_MONEY"), "120000000");
    EXPECT_EQ(board->LabelText("BANKER_NUMS"), "0");
}

TEST_F(BaccaratBetting, TheQueueListsTenApplicantsAndKeepsTheEleventh)
{
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(FreeScene(20, 0))));
    for (uint16_t chair = 10; chair < 21; ++chair)
    {
        ASSERT_TRUE(Enter(3000 + chair, chair, US_SIT, 1000000 + chair, 5));
        ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, CMD_S_ApplyBanker{chair}));
    }
    // A chair without a user, and the banker himself, join no queue.
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, CMD_S_ApplyBanker{60}));
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, CMD_S_ApplyBanker{0}));
    EXPECT_EQ(board->GetQueue().Size(), 11u);
    cocos2d::ui::ListView* list = dynamic_cast<cocos2d::ui::ListView*>(board->GetWidget("ListView_Wait"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->getItems()->count(), 10u);
    auto text = [&](int row, int which) {
        auto* label = dynamic_cast<cocos2d::ui::Label*>(
            list->getItem(row)->getChildByTag(BaccaratNewBoard::kQueueLabelTag + 10 * row + which));
        return label != nullptr ? std::string(label->getStringValue()) : std::string("?");
    };
    EXPECT_EQ(text(0, 0), "玩家3010");
    EXPECT_EQ(text(0, 1), "1000010");
    EXPECT_EQ(text(9, 0), "玩家3019");
    // The new banker leaves the queue; a chair not in it changes nothing.
    ASSERT_TRUE(Game(SUB_S_CHANGE_BANKER, CMD_S_ChangeBanker{10, 1000}));
    EXPECT_EQ(board->GetQueue().Size(), 10u);
    EXPECT_EQ(text(9, 0), "玩家3020");
    ASSERT_TRUE(Game(SUB_S_CHANGE_BANKER, CMD_S_ChangeBanker{2, 1000}));
    EXPECT_EQ(board->GetQueue().Size(), 10u);
    ASSERT_TRUE(Game(SUB_S_CANCEL_BANKER, CMD_S_CancelBanker{11}));
    EXPECT_EQ(board->GetQueue().Size(), 9u);
    EXPECT_EQ(text(9, 0), "    ");
}

// The server told of a chair twice: it leaves its place in the queue one
// message at a time, first entry first.
TEST_F(BaccaratBetting, AChairQueuedTwiceLeavesOneEntryAtATime)
{
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(FreeScene(20, 0))));
    ASSERT_TRUE(Enter(3010, 10, US_SIT, 1000010, 5));
    ASSERT_TRUE(Enter(3011, 11, US_SIT, 1000011, 5));
    for (uint16_t chair : {10, 11, 10})
        ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, CMD_S_ApplyBanker{chair}));
    ASSERT_TRUE(Game(SUB_S_CANCEL_BANKER, CMD_S_CancelBanker{10}));
    EXPECT_EQ(board->GetQueue().Chairs(), (std::vector<uint16_t>{11, 10}));
    ASSERT_TRUE(Game(SUB_S_CHANGE_BANKER, CMD_S_ChangeBanker{11, 1000}));
    EXPECT_EQ(board->GetQueue().Chairs(), (std::vector<uint16_t>{10}));
    ASSERT_TRUE(Game(SUB_S_CHANGE_BANKER, CMD_S_ChangeBanker{10, 1000}));
    EXPECT_TRUE(board->GetQueue().Chairs().empty());
}

TEST_F(BaccaratBetting, MyPanelCountsMyWonAndLostAreas)
{
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(FreeScene())));
    EXPECT_EQ(board->LabelText("self_mingzhonglv"), "无战果");
    EXPECT_EQ(board->LabelText("self_money"), "8800000");
    StartBetting();
    CMD_S_GameEnd end = End({0x01, 0x02}, {0x03, 0x04}, -500);
    end.lUserAreaScore[AREA_XIAN] = -1000;
    end.lUserAreaScore[AREA_PING] = 400;
    end.lUserAreaScore[AREA_XIAN_DUI] = 100;
    ASSERT_TRUE(Game(SUB_S_GAME_END, end));
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, CMD_S_GameFree{5}));
    EXPECT_EQ(board->GetWonAreas(), 2);
    EXPECT_EQ(board->GetLostAreas(), 1);
    EXPECT_EQ(board->GetRunningTotal(), -500);
    EXPECT_EQ(board->LabelText("self_mingzhonglv"), "66.67%");
    EXPECT_EQ(board->LabelText("self_score"), "-500");
    EXPECT_EQ(Played("BaccaratNew/music/END_LOST"), 1);
}

TEST_F(BaccaratBetting, ARestoredBettingTableWaitsForTheNextBetToDrawItsChips)
{
    CMD_S_StatusPlay scene{};
    scene.cbTimeLeave = 12;
    scene.cbGameStatus = GS_PLACE_BET;
    scene.lAllBet[AREA_XIAN] = 30000;
    scene.lAllBet[AREA_ZHUANG_DUI] = 1100;
    scene.lUserBet[AREA_XIAN] = 10000;
    scene.lUserMaxScore = 5000000;
    scene.wBankerUser = 1;
    scene.lBankerScore = 500000000;
    scene.lAreaLimitScore = 1000000000;
    ASSERT_TRUE(Scene(GS_PLACE_BET, BytesOf(scene)));
    EXPECT_EQ(board->GetAllBet(AREA_XIAN), 30000);
    EXPECT_EQ(board->GetMyBet(AREA_XIAN), 10000);
    EXPECT_EQ(board->GetPendingChips(AREA_XIAN).size(), 3u);
    EXPECT_EQ(board->GetChipCount(AREA_XIAN), 0u);
    EXPECT_TRUE(UsableChips().empty());
    EXPECT_EQ(kernel->GetClockTimerID(), IDI_PLACE_BET);
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, AREA_ZHUANG_DUI, 100)));
    EXPECT_EQ(board->GetChipCount(AREA_XIAN), 3u);
    EXPECT_EQ(board->GetChipCount(AREA_ZHUANG_DUI), 3u);
    EXPECT_EQ(board->LabelText("Label_000"), "10000");
    // A bet message of another player brings the chip buttons back.
    EXPECT_TRUE(UsableChips().empty());
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, CMD_S_ApplyBanker{2}));
    EXPECT_FALSE(UsableChips().empty());
}

}  // namespace

namespace {

// The chips are the area buttons' children: an area's name and the bar of
// its total lie over them (drawn after the button), inside the area, and
// apart from each other and from my stake at the foot.
TEST_F(BaccaratBetting, AreaNamesAndTotalsLieOverTheChipsAndApart)
{
    for (int area = 0; area < 8; ++area)
    {
        SCOPED_TRACE(area);
        board->AddChips(area, 1000000);
        cocos2d::ui::Widget* button = board->GetAreaButton(area);
        char name[32];
        std::snprintf(name, sizeof(name), "Image_area_name_%d", area);
        cocos2d::ui::Widget* title = board->GetWidget(name);
        std::snprintf(name, sizeof(name), "Image_total_bar_%d", area);
        cocos2d::ui::Widget* bar = board->GetWidget(name);
        std::snprintf(name, sizeof(name), "Image_%02d", area);
        cocos2d::ui::Widget* stake = board->GetWidget(name);
        ASSERT_TRUE(button != nullptr && title != nullptr && bar != nullptr && stake != nullptr);
        EXPECT_GT(title->getZOrder(), button->getZOrder());
        // Same z as the button but later in the layout: drawn after its chips.
        EXPECT_GE(bar->getZOrder(), button->getZOrder());
        EXPECT_GT(bar->getOrderOfArrival(), button->getOrderOfArrival());
        const auto box = [](cocos2d::ui::Widget* w) {
            const cocos2d::CCSize size = w->getSize();
            return cocos2d::CCRect(w->getPositionX() - size.width / 2, w->getPositionY() - size.height / 2,
                                   size.width, size.height);
        };
        const cocos2d::CCRect area_ = box(button), titleBox = box(title), barBox = box(bar), stakeBox = box(stake);
        for (const cocos2d::CCRect& inner : {titleBox, barBox})
        {
            EXPECT_GE(inner.getMinX(), area_.getMinX());
            EXPECT_LE(inner.getMaxX(), area_.getMaxX());
            EXPECT_GE(inner.getMinY(), area_.getMinY());
            EXPECT_LE(inner.getMaxY(), area_.getMaxY());
        }
        EXPECT_FALSE(titleBox.intersectsRect(barBox));
        EXPECT_FALSE(titleBox.intersectsRect(stakeBox));
    }
}

}  // namespace
