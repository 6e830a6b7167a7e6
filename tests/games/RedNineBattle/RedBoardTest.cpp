// The red-nine round on the board: betting by clicks, the chips a player may
// use, the chips and totals on the areas, the banker box and queue, the
// records and the doors they light, and the panels for players who left.
#include "RedNineFixture.h"

#include "TwoCardBanker/AreaLayout.h"
#include "games/framework/CardSprite.h"

#include <gtest/gtest.h>

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace RedNineBattle;
using namespace rntest;

namespace {

class RedRound : public RedNineTest
{
protected:
    Widget* Area(int area) { return board->GetArea(area); }
    bool Blinking(Widget* widget) const { return widget != nullptr && widget->numberOfRunningActions() > 0; }
};

TEST_F(RedRound, BetsAreMadeByClicksAndShownWhenTheServerPlacesThem)
{
    // Before betting opens a click on an area sends nothing.
    ClickWidget("Button_18_2");
    ClickWidget(Area(4));
    EXPECT_TRUE(SentGame().empty());

    StartBetting(1, 50000000, 2000000);
    EXPECT_EQ(UsableChips(), (std::vector<int64_t>{100, 1000, 10000, 100000, 500000, 1000000}));
    ClickWidget("Button_18_2");
    EXPECT_EQ(board->GetSelectedChip(), 10000);
    ClickWidget(Area(4));
    ASSERT_EQ(SentGame().size(), 1u);
    EXPECT_EQ(SentGame()[0].first, SUB_C_PLACE_BET);
    EXPECT_EQ(SentGame()[0].second, BetRequest(4, 10000));
    // Nothing shows until the server places it.
    EXPECT_EQ(board->GetAreaTotal(4), 0);
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(kMe, 4, 10000)));
    EXPECT_EQ(board->GetAreaTotal(4), 10000);
    EXPECT_EQ(board->GetMyBet(4), 10000);
    EXPECT_EQ(board->GetMyGold(), kMyScore - 10000);
    EXPECT_EQ(board->LabelText("Label_60"), "10000");
    EXPECT_EQ(ShownChips(), 1u);
    EXPECT_EQ(Played("RedNineBattle/Sound/ADD_GOLD"), 1);

    // Another player's bet counts in the totals, not in mine.
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, 4, 1000000)));
    EXPECT_EQ(board->GetAreaTotal(4), 1010000);
    EXPECT_EQ(board->GetMyBet(4), 10000);
    EXPECT_EQ(board->GetMyBetLabel(4)->getString(), std::string("10000"));
    EXPECT_EQ(board->GetTotalLabel(4)->getString(), std::string("1010000"));

    // The right button drops the chip: the next click sends nothing.
    ClearSent();
    board->OnRButtonUp();
    ClickWidget(Area(2));
    EXPECT_TRUE(SentGame().empty());
}

TEST_F(RedRound, ChipsFollowMyGoldAndTheTableLimit)
{
    StartBetting(1, 50000000, 50000000);
    ClickWidget("Button_18_3");
    ASSERT_EQ(board->GetSelectedChip(), 100000);
    board->UpdateChipButtons(50000);
    EXPECT_EQ(UsableChips(), (std::vector<int64_t>{100, 1000, 10000}));
    EXPECT_EQ(board->GetSelectedChip(), 10000);
    // None usable: the notice shows once a round.
    board->UpdateChipButtons(50);
    EXPECT_TRUE(UsableChips().empty());
    board->UpdateChipButtons(50);
    EXPECT_EQ(Showing("RedNineBattle/notify_03").size(), 1u);
    // A table limit nearly reached limits the chips whatever my gold.
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 1000000, 50000000, 20)));
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, 1, 990000)));
    EXPECT_EQ(UsableChips(), (std::vector<int64_t>{100, 1000, 10000}));
}

// Entered during the betting, the round's limits are unknown: the bets of
// others neither enable chips nor tell me my gold is short.
TEST_F(RedRound, BetsSeenAfterEnteringMidRoundLeaveTheChipsAlone)
{
    ASSERT_TRUE(Scene(GS_BETTING, BytesOf(PlaySceneRecord(12, 1))));
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, 3, 1000)));
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(3, 4, 100, 1)));
    EXPECT_EQ(board->GetAreaTotal(3), 1000);
    EXPECT_TRUE(UsableChips().empty());
    EXPECT_TRUE(Showing("RedNineBattle/notify_03").empty());
    // From the next round on the chips follow the limits again.
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 50000000, 2000000, 20)));
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, 3, 1000)));
    EXPECT_EQ(UsableChips().size(), 7u);
}

TEST_F(RedRound, NobodyBetsWithoutABankerAndTheBankerNever)
{
    StartBetting(NO_BANKER);
    EXPECT_TRUE(UsableChips().empty());
    StartBetting(kMe);
    EXPECT_TRUE(UsableChips().empty());
    // The banker's own chair never lowers his gold.
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(kMe, 1, 1000)));
    EXPECT_EQ(board->GetMyGold(), kMyScore);
}

// Delayed chips show 0.3 to 1.5 s later whatever RAND_MAX is: taken as
// 32767, glibc's rand() would put most of them hours away.
TEST_F(RedRound, DelayedChipsShowWithinASecondAndAHalf)
{
    StartBetting();
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, 1 + i % AREA_COUNT, 1000, 1)));
    // Counted at once, shown later.
    EXPECT_EQ(board->GetAreaTotal(1), 4000);
    EXPECT_EQ(ShownChips(), 0u);
    EXPECT_EQ(board->LabelText("Label_60"), "0");
    Step(15);
    EXPECT_EQ(ShownChips(), 0u);
    Step(80);
    EXPECT_EQ(ShownChips(), 20u);
    EXPECT_EQ(board->LabelText("Label_60"), "20000");
    EXPECT_TRUE(board->GetTotalLabel(1)->isVisible());
    EXPECT_EQ(Played("RedNineBattle/Sound/ADD_GOLD"), 20);
}

// A scene's amounts are laid as chips, largest first; a rest no chip covers
// is not drawn and the pile of a huge amount stops at its cap.
TEST_F(RedRound, RestoredAmountsAreLaidAsChipsAndTheLoopAlwaysEnds)
{
    board->PlaceChipsOnArea(2, 1601100);
    std::vector<int64_t> values;
    for (Widget* chip : board->GetTableChips())
        values.push_back(chip->getTag() - TwoCardBanker::CTwoCardBoard::kChipTagOffset);
    EXPECT_EQ(values, (std::vector<int64_t>{1000000, 500000, 100000, 1000, 100}));
    board->PlaceChipsOnArea(3, 150);
    board->PlaceChipsOnArea(3, 99);
    board->PlaceChipsOnArea(3, -5000);
    EXPECT_EQ(board->GetTableChips().size(), 6u);
    board->PlaceChipsOnArea(1, INT64_MAX);
    EXPECT_EQ(board->GetTableChips().size(), 6u + TwoCardBanker::CTwoCardBoard::kMostChipsPerArea);
}

TEST_F(RedRound, TheBankerBoxAppliesAndGivesUpOnlyWhenAllowed)
{
    // Before the first message the box does nothing.
    ClickWidget("CheckBox_87");
    EXPECT_TRUE(SentGame().empty());
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(FreeSceneRecord(20, 1, kMyScore + 1))));
    ClickWidget("CheckBox_87");
    EXPECT_TRUE(SentGame().empty());
    ASSERT_FALSE(ChatLines().empty());
    EXPECT_EQ(ChatLines().back(), "房间消息 | 您的欢乐豆少于8800001,无法上庄");
    EXPECT_FALSE(board->GetBankerCheckBox()->getSelectedState());
    EXPECT_TRUE(board->GetBankerCheckBox()->isVisible());

    // Enough score (equal is enough): the request goes and the box hides
    // until the server answers.
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(FreeSceneRecord(20, 1, kMyScore))));
    ClickWidget("CheckBox_87");
    ASSERT_EQ(SentGame().size(), 1u);
    EXPECT_EQ(SentGame()[0].first, SUB_C_APPLY_BANKER);
    EXPECT_TRUE(SentGame()[0].second.empty());
    EXPECT_FALSE(board->GetBankerCheckBox()->isVisible());
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{kMe})));
    EXPECT_TRUE(board->GetBankerCheckBox()->isVisible());
    EXPECT_TRUE(board->GetBankerCheckBox()->getSelectedState());
    EXPECT_TRUE(board->GetBankerQueue().Contains(kMe));

    // Banker, betting open: giving up is refused and the box stays ticked.
    ChangeBankerMessage change = {};
    change.wBankerUser = kMe;
    ASSERT_TRUE(Game(SUB_S_CHANGE_BANKER, BytesOf(change)));
    EXPECT_FALSE(board->GetBankerQueue().Contains(kMe));
    ClearSent();
    StartBetting(kMe);
    ClickWidget("CheckBox_87");
    EXPECT_TRUE(SentGame().empty());
    EXPECT_EQ(ChatLines().back(), "房间消息 | 游戏已经开始，不能取消当庄");
    EXPECT_TRUE(board->GetBankerCheckBox()->getSelectedState());
    // In free time it goes.
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(10, kMe)));
    ClickWidget("CheckBox_87");
    ASSERT_EQ(SentGame().size(), 1u);
    EXPECT_EQ(SentGame()[0].first, SUB_C_CANCEL_BANKER);
}

TEST_F(RedRound, NoBankerMakesTheBoxUsableAndForgetsTheLastRound)
{
    StartBetting(kMe);
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(25, kMe)));
    ChangeBankerMessage change = {};
    change.wBankerUser = NO_BANKER;
    ASSERT_TRUE(Game(SUB_S_CHANGE_BANKER, BytesOf(change)));
    CheckBox* box = board->GetBankerCheckBox();
    EXPECT_TRUE(box->isVisible() && box->isTouchEnabled() && !box->getSelectedState());
    const int64_t keptScore = board->GetRoundEnd().lMyScore;
    EXPECT_EQ(keptScore, 0);
    EXPECT_EQ(board->GetLastResult(), 0);
    EXPECT_EQ(board->LabelText("Label_2_0"), "无人坐庄");
    EXPECT_EQ(board->LabelText("Label_2"), "0");
    EXPECT_EQ(board->LabelText("Label_2_6"), "无人坐庄");
}

// Users who left the table have no record: the banker panel shows no name
// and no score, and an applicant gets no row.
TEST_F(RedRound, PlayersWhoLeftShowNothingAndGetNoRow)
{
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(10, 1)));
    EXPECT_EQ(board->LabelText("Label_2"), "5600,0000");
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(10, 9)));
    EXPECT_EQ(board->LabelText("Label_2_0"), "");
    EXPECT_EQ(board->LabelText("Label_2"), "0");
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{9})));
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{2})));
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{2})));
    EXPECT_EQ(board->GetBankerList()->getItems()->count(), 2u);
    // Both rows of a chair queued twice go.
    ASSERT_TRUE(Game(SUB_S_CANCEL_BANKER, BytesOf(CancelBankerMessage{2, {}})));
    EXPECT_EQ(board->GetBankerList()->getItems()->count(), 0u);
    ASSERT_TRUE(Scene(GS_BETTING, BytesOf(PlaySceneRecord(10, 9))));
    EXPECT_EQ(board->LabelText("Label_2_6"), "");
}

// The notice's text need not end inside the record: at most its 256 units
// are read.
TEST_F(RedRound, ARoomNoticeWithoutAnEndIsCutAtItsRecord)
{
    RoomNoticeMessage notice;
    for (char16_t& unit : notice.szText)
        unit = u'A';
    ASSERT_TRUE(Game(SUB_S_ROOM_NOTICE, BytesOf(notice)));
    ASSERT_EQ(ChatLines().size(), 1u);
    EXPECT_EQ(ChatLines()[0], "房间消息 | " + std::string(256, 'A'));
    notice.szText[3] = 0;
    ASSERT_TRUE(Game(SUB_S_ROOM_NOTICE, BytesOf(notice)));
    EXPECT_EQ(ChatLines()[1], "房间消息 | AAA");
}

TEST_F(RedRound, RecordsPastTheLayoutsItemsGetItemsOfTheirOwn)
{
    ASSERT_EQ(board->GetRecordList()->getItems()->count(), 29u);
    std::vector<std::vector<uint8_t>> records(31, std::vector<uint8_t>{1, 0, 1});
    records[29] = {0, 0, 0};
    ASSERT_TRUE(Game(SUB_S_SEND_RECORD, Records(records)));
    EXPECT_EQ(board->GetRecordCount(), 31);
    EXPECT_EQ(board->GetRecordList()->getItems()->count(), 31u);
    // Door 3 on top, door 1 at the bottom.
    EXPECT_EQ(MarksOf(0),
              (std::vector<std::string>{"RedNineBattle/gou.png", "RedNineBattle/an.png", "RedNineBattle/gou.png"}));
    EXPECT_EQ(MarksOf(29), std::vector<std::string>(3, "RedNineBattle/an.png"));
    EXPECT_EQ(MarksOf(30).size(), 3u);
}

TEST_F(RedRound, WinningDoorsLightTheirAreasAndTheCornersBetweenThem)
{
    const uint8_t doors12[3] = {1, 1, 0};
    board->ShowWinningAreas(doors12);
    // Door 1 is area 4, door 2 area 5, their corner area 6.
    for (int area = 1; area <= AREA_COUNT; ++area)
        EXPECT_EQ(Blinking(Area(area)), area == 4 || area == 5 || area == 6) << area;
    for (int area = 1; area <= AREA_COUNT; ++area)
        EXPECT_FALSE(Blinking(board->GetAreaMark(area))) << area;
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(10)));
    for (int area = 1; area <= AREA_COUNT; ++area)
        EXPECT_FALSE(Blinking(Area(area)) || Area(area)->isVisible()) << area;

    const uint8_t doors31[3] = {1, 0, 1};
    board->ShowWinningAreas(doors31);
    for (int area = 1; area <= AREA_COUNT; ++area)
        EXPECT_EQ(Blinking(Area(area)), area == 4 || area == 1 || area == 2) << area;

    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(10)));
    const uint8_t none[3] = {0, 0, 0};
    board->ShowWinningAreas(none);
    for (int area = 1; area <= AREA_COUNT; ++area)
    {
        EXPECT_FALSE(Blinking(Area(area))) << area;
        EXPECT_TRUE(Blinking(board->GetAreaMark(area))) << area;
    }
}

TEST_F(RedRound, OnlyTheAreaUnderTheMouseLightsWhileBetting)
{
    const CCPoint over = World(board->ContentPoint(Area(5)));
    board->OnMouseMove(over);
    EXPECT_FALSE(Area(5)->isVisible());
    StartBetting();
    for (int area = 1; area <= AREA_COUNT; ++area)
        EXPECT_TRUE(Area(area)->isVisible()) << area;
    board->OnMouseMove(over);
    for (int area = 1; area <= AREA_COUNT; ++area)
        EXPECT_EQ(Area(area)->isVisible(), area == 5) << area;
    // The edge counts.
    const CCSize size = Area(5)->getSize();
    board->OnMouseMove(ccpAdd(over, CCPoint(size.width / 2, size.height / 2)));
    EXPECT_TRUE(Area(5)->isVisible());
    board->OnMouseMove(ccpAdd(over, CCPoint(size.width / 2 + 1, 0)));
    EXPECT_FALSE(Area(5)->isVisible());
}

// Waiting in free time only the clock changes, once a second: only those
// frames are drawn.
TEST_F(RedRound, WaitingDrawsOnlyWhenTheClockTicks)
{
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(20)));
    ExpectWaitingDrawsOnlyTheClock();
}

// Maximised, the table scales to fit the play area; restored, it is back.
TEST_F(RedRound, AMaximisedWindowFitsTheWholeTable)
{
    ExpectMaximisedTableFits();
}

}  // namespace

namespace {

// Every area's name on its felt's foot beyond its chips; the amounts, the
// score view, the notices and the hands' signs apart. The bridge lies between
// the first two doors' hands, clear of their pointing hands.
TEST_F(RedRound, ChipsScoreViewAndSignsLeaveNamesAmountsAndRanksReadable)
{
    tcbtest::ExpectAreasReadable(board, RedBoard::kTable, "RedNineBattle", "dianshu/CARD_POINT_01",
                                 [](int area) { return "Image_area_" + std::to_string(area); });
    Widget* bridge = board->GetWidget("Image_area_2");
    const cocos2d::CCRect felt = tcbtest::CentredBox(bridge->getPosition(), bridge->getSize().width,
                                                     bridge->getSize().height);
    const cocos2d::CCSize icon = tcbtest::PictureSize("RedNineBattle/HAND");
    for (int hand = 1; hand < TwoCardBanker::HAND_COUNT; ++hand)
    {
        // A pointing hand ends 30 left of its hand's point, 10 above it.
        const CCPoint at = ccpAdd(board->GetHandPoint(hand), CCPoint(-30 - icon.width / 2, 10));
        EXPECT_FALSE(tcbtest::CentredBox(at, icon.width, icon.height).intersectsRect(felt)) << hand;
    }
}

}  // namespace
