// The round on the table: phases, the banker panel and queue, chips and the
// bet limit, bets by touch, the record strip and the scenes.
#include "OxFixture.h"

#include "core/ClientGlobal.h"
#include "games/framework/CardSprite.h"
#include "games/framework/GameChatLayer.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace OxBattle;
using namespace oxtest;

namespace {

class OxBoard : public OxTest
{
protected:
    int QueueRows(uint16_t chair) const
    {
        int n = 0;
        for (unsigned int i = 0; Widget* item = board->GetBankerList()->getItem(i); ++i)
            n += item->getTag() == chair + OXBoard::kBankerListTagBase ? 1 : 0;
        return n;
    }
    bool Enabled(Widget* button) const { return button->isTouchEnabled() && button->isBright(); }
    std::string LastChatLine() const
    {
        const std::vector<ChatItem>& items = board->GetChatLayer()->GetItems();
        return items.empty() ? std::string() : CClientGlobal::GBKToUTF8(items.back().message);
    }
    size_t ChipsLaid() const { return board->GetTableChips().size(); }
};

TEST_F(OxBoard, InitLeavesNoChipUsableNoCardShownAndNoAmount)
{
    EXPECT_TRUE(UsableChips().empty());
    for (int i = 0; i < OXBoard::kChipButtons; ++i)
    {
        Widget* chip = board->GetChipButton(i);
        ASSERT_NE(chip, nullptr) << i;
        EXPECT_EQ(chip->getTag(), OXBoard::kChipValues[i] + 50);
        EXPECT_FALSE(chip->isBright()) << i;
    }
    for (int hand = 0; hand < HAND_COUNT; ++hand)
    {
        for (int i = 0; i < CARDS_PER_HAND; ++i)
        {
            Sexy::CardSprite* card = board->GetCard(hand, i);
            ASSERT_NE(card, nullptr);
            EXPECT_FALSE(card->isVisible());
            EXPECT_EQ(card->GetCardData(), Sexy::CardSprite::kCardBack);
        }
    }
    for (int area = 1; area <= AREA_COUNT; ++area)
    {
        EXPECT_FALSE(board->GetTotalLabel(area)->isVisible());
        EXPECT_FALSE(board->GetMyLabel(area)->isVisible());
        EXPECT_EQ(board->GetArea(area)->getTag(), area * 10000 + 100);
        // The labels stand above and below the area.
        const CCPoint at = board->ContentPoint(board->GetArea(area));
        EXPECT_TRUE(board->GetTotalLabel(area)->getPosition().equals(ccpAdd(at, CCPoint(0, 80))));
        EXPECT_TRUE(board->GetMyLabel(area)->getPosition().equals(ccpSub(at, CCPoint(0, 70))));
    }
    // The hands lie where the layout's anchors are.
    const char* anchors[] = {"Image_20_3", "Image_20", "Image_20_2", "Image_20_1", "Image_20_0"};
    for (int hand = 0; hand < HAND_COUNT; ++hand)
        EXPECT_TRUE(board->GetHandPoint(hand).equals(board->ContentPoint(board->GetWidget(anchors[hand]))));
    EXPECT_EQ(board->LabelText("Label_51_1"), "0");
    EXPECT_STREQ(board->GetStateTexture(), "OxBattle/free");
    EXPECT_TRUE(Enabled(board->GetWidget("Button_4")));
    EXPECT_FALSE(Enabled(board->GetWidget("Button_5")));
    EXPECT_EQ(board->GetFirstHand(), 6);
    EXPECT_EQ(board->GetBankerChair(), -1);
    EXPECT_EQ(board->GetMyChair(), -1);
}

TEST_F(OxBoard, EachMessageAndSceneSetsItsPhase)
{
    const struct
    {
        bool scene;
        uint8_t status;
        uint16_t sub;
        Bytes body;
        int phase;
        const char* sign;
    } steps[] = {
        {false, 0, SUB_S_GAME_FREE, Free(10), OXBoard::kPhaseFree, "OxBattle/free"},
        {false, 0, SUB_S_GAME_START, Start(1, 50000000, 2000000, 20), OXBoard::kPhaseBetting, "OxBattle/call"},
        {false, 0, SUB_S_GAME_END, End(25), OXBoard::kPhaseResult, "OxBattle/outCard"},
        {true, GS_FREE, 0, BytesOf(FreeSceneRecord(12, 1, 0)), OXBoard::kPhaseFreeScene, "OxBattle/free"},
        {true, GS_BETTING, 0, BytesOf(PlaySceneRecord(GS_BETTING, 9, 1)), OXBoard::kPhaseBetting, "OxBattle/call"},
        {true, GS_RESULT_END, 0, BytesOf(PlaySceneRecord(GS_RESULT_END, 8, 1)), OXBoard::kPhaseResultScene,
         "OxBattle/outCard"},
    };
    const int seconds[] = {10, 20, 25, 12, 9, 8};
    for (size_t i = 0; i < sizeof(steps) / sizeof(steps[0]); ++i)
    {
        if (steps[i].scene)
            ASSERT_TRUE(Scene(steps[i].status, steps[i].body));
        else
            ASSERT_TRUE(Game(steps[i].sub, steps[i].body));
        EXPECT_EQ(board->GetPhase(), steps[i].phase) << i;
        EXPECT_STREQ(board->GetStateTexture(), steps[i].sign) << i;
        EXPECT_EQ(board->GetCountdown(), seconds[i]) << i;
        EXPECT_EQ(board->GetMyChair(), kMe) << i;
        EXPECT_EQ(board->LabelText("AtlasLabel_15"),
                  std::string(seconds[i] < 10 ? "0" : "") + std::to_string(seconds[i]));
    }
}

TEST_F(OxBoard, ThePhaseClockCountsDownOnceASecondAndStopsAtZero)
{
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(3)));
    Step(59);
    EXPECT_EQ(board->GetCountdown(), 3);
    Step(2);
    EXPECT_EQ(board->GetCountdown(), 2);
    Seconds(5);
    EXPECT_EQ(board->GetCountdown(), 0);
    EXPECT_EQ(board->LabelText("AtlasLabel_15"), "00");
}

TEST_F(OxBoard, TheSameBankerKeepsHisFiguresAndANewOneStartsAtZero)
{
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(FreeSceneRecord(12, 1, 0))));
    EXPECT_EQ(board->LabelText("Label_8_0"), "玩家2002");
    EXPECT_EQ(board->LabelText("Label_8"), "5600,0000");
    EXPECT_EQ(board->LabelText("Label_8_1_2"), "4");
    EXPECT_EQ(board->LabelText("Label_8_1"), "25,0000");
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 50000000, 2000000, 20)));
    EXPECT_EQ(board->LabelText("Label_8_1_2"), "4");
    EXPECT_EQ(board->LabelText("Label_8_1"), "25,0000");
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(2, 50000000, 2000000, 20)));
    EXPECT_EQ(board->GetBankerChair(), 2);
    EXPECT_EQ(board->LabelText("Label_8_0"), "玩家2003");
    EXPECT_EQ(board->LabelText("Label_8_1_2"), "0");
    EXPECT_EQ(board->LabelText("Label_8_1"), "0");
}

TEST_F(OxBoard, NobodyAsBankerShowsTheSystemAndKeepsTheFigures)
{
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(FreeSceneRecord(12, 1, 0))));
    board->SetBankerInfo(NO_BANKER, 0xFFFF, -1);
    EXPECT_EQ(board->LabelText("Label_8_0"), "无人上庄");
    EXPECT_EQ(board->LabelText("Label_8"), "0");
    EXPECT_EQ(board->LabelText("Label_8_1_2"), "4");
    EXPECT_EQ(board->LabelText("Label_8_1"), "25,0000");
    EXPECT_EQ(board->GetBankerChair(), NO_BANKER);
    // A banker without a record at the table leaves the name as it was.
    board->SetBankerInfo(40, 7, 100);
    EXPECT_EQ(board->LabelText("Label_8_0"), "无人上庄");
    EXPECT_EQ(board->LabelText("Label_8_1_2"), "7");
    EXPECT_EQ(board->LabelText("Label_8_1"), "100");
}

TEST_F(OxBoard, TheChipsFollowTheSmallerOfMyLimitAndTheBankersScore)
{
    const struct
    {
        int64_t myLimit, bankerScore;
        std::vector<int> chips;
    } cases[] = {
        {2000000, 50000000, {100, 1000, 10000, 50000, 100000}},
        {50000000, 1000, {100}},
        {999, 50000000, {}},
        {1000, 1000, {100}},
        {100000000, 100000000, {100, 1000, 10000, 50000, 100000, 500000, 1000000, 5000000}},
    };
    for (const auto& c : cases)
    {
        ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, c.bankerScore, c.myLimit, 20)));
        EXPECT_EQ(UsableChips(), c.chips) << c.myLimit << " " << c.bankerScore;
    }
}

TEST_F(OxBoard, AsBankerTheRoundStartLeavesTheChipsAlone)
{
    StartBetting(1);
    const std::vector<int> before = UsableChips();
    ASSERT_FALSE(before.empty());
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(kMe, 50000000, 50000000, 20)));
    EXPECT_EQ(UsableChips(), before);
    EXPECT_FALSE(Enabled(board->GetApplyButton()));
    EXPECT_TRUE(Enabled(board->GetCancelButton()));
    // No longer banker: the apply button comes back.
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(2, 50000000, 50000000, 20)));
    EXPECT_TRUE(Enabled(board->GetApplyButton()));
    EXPECT_FALSE(Enabled(board->GetCancelButton()));
}

TEST_F(OxBoard, AChosenChipAndATouchedAreaSendABet)
{
    StartBetting();
    TapWidget(board->GetChipButton(2));
    EXPECT_EQ(board->GetBetChip(), 10000);
    EXPECT_EQ(board->GetSelectedChip(), 10000);
    TapWidget(board->GetArea(3));
    const auto sent = SentGame();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].first, SUB_C_PLACE_BET);
    const Bytes expected = {3, 0x10, 0x27, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(sent[0].second, expected);
    // Nothing is taken off before the server says the bet stands.
    EXPECT_EQ(board->GetAreaTotal(3), 0);
    EXPECT_EQ(board->GetMyBetCapacity(), kMyScore);
}

TEST_F(OxBoard, NoBetIsSentWithoutAChipOrOutsideTheBetting)
{
    StartBetting();
    TapWidget(board->GetArea(1));
    EXPECT_TRUE(SentGame().empty());
    TapWidget(board->GetChipButton(0));
    board->OnRButtonUp();
    EXPECT_EQ(board->GetBetChip(), 0);
    EXPECT_EQ(board->GetSelectedChip(), 0);
    TapWidget(board->GetArea(1));
    EXPECT_TRUE(SentGame().empty());
    TapWidget(board->GetChipButton(0));
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(25)));
    board->OnAreaTouched(board->GetArea(1), TOUCH_EVENT_ENDED);
    EXPECT_TRUE(SentGame().empty());
}

TEST_F(OxBoard, MyBetCommitsTenTimesItsAmount)
{
    StartBetting();
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(kMe, 2, 1000)));
    EXPECT_EQ(board->GetMyBetCapacity(), kMyScore - 10000);
    EXPECT_EQ(board->GetAreaTotal(2), 1000);
    EXPECT_EQ(board->GetMyBet(2), 1000);
    EXPECT_TRUE(board->GetTotalLabel(2)->isVisible());
    EXPECT_STREQ(board->GetTotalLabel(2)->getString(), "1000");
    EXPECT_TRUE(board->GetMyLabel(2)->isVisible());
    EXPECT_STREQ(board->GetMyLabel(2)->getString(), "1000");
    EXPECT_EQ(ChipsLaid(), 1u);
    EXPECT_EQ(Played("OxBattle/Sound/ADD_GOLD"), 1);
    // The limit is now the smaller of what I have left and the banker's cover.
    EXPECT_EQ(UsableChips(), (std::vector<int>{100, 1000, 10000, 50000, 100000, 500000}));
    // Another player's bet counts only in the totals; an amount no chip has draws none.
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, 2, 1234)));
    EXPECT_EQ(board->GetAreaTotal(2), 2234);
    EXPECT_EQ(board->GetMyBet(2), 1000);
    EXPECT_EQ(ChipsLaid(), 1u);
    // The banker's cover shrinks with every bet on the table.
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, 4, 49999000)));
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(kMe, 1, 100)));
    EXPECT_TRUE(UsableChips().empty());
}

TEST_F(OxBoard, AmountsFromTheServerDoNotWrap)
{
    StartBetting();
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(kMe, 1, INT64_MAX)));
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(kMe, 1, INT64_MAX)));
    EXPECT_EQ(board->GetAreaTotal(1), INT64_MAX);
    EXPECT_EQ(board->GetMyBetCapacity(), INT64_MIN);
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, 2, INT64_MIN)));
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, 2, INT64_MIN)));
    EXPECT_EQ(board->GetAreaTotal(2), INT64_MIN);
}

TEST_F(OxBoard, ALowerLimitLowersTheChosenChip)
{
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 50000000, 50000000, 20)));
    TapWidget(board->GetChipButton(3));
    ASSERT_EQ(board->GetBetChip(), 50000);
    board->UpdateChipButtons(120000);
    EXPECT_EQ(board->GetBetChip(), 10000);
    EXPECT_EQ(board->GetSelectedChip(), 10000);
}

TEST_F(OxBoard, TheNoMoneyNoticeShowsOnceARound)
{
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    board->UpdateChipButtons(999);
    EXPECT_EQ(Showing("OxBattle/notify_03").size(), 1u);
    board->UpdateChipButtons(500);
    EXPECT_EQ(Showing("OxBattle/notify_03").size(), 1u);
    Seconds(4);
    EXPECT_TRUE(Showing("OxBattle/notify_03").empty());
    board->UpdateChipButtons(0);
    EXPECT_TRUE(Showing("OxBattle/notify_03").empty());
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    board->UpdateChipButtons(0);
    EXPECT_EQ(Showing("OxBattle/notify_03").size(), 1u);
}

// The refused chip and those above it go; the smaller ones stay usable.
TEST_F(OxBoard, ARefusedBetTakesAwayItsChipOnly)
{
    StartBetting();
    TapWidget(board->GetChipButton(1));
    BetFailedMessage failed = {};
    failed.lAmount = 1000;
    ASSERT_TRUE(Game(SUB_S_PLACE_BET_FAIL, BytesOf(failed)));
    EXPECT_EQ(UsableChips(), std::vector<int>{100});
    EXPECT_EQ(board->GetBetChip(), 100);
    EXPECT_EQ(board->GetSelectedChip(), 100);
    // A refusal never makes more chips usable than the limit had.
    failed.lAmount = 5000000;
    ASSERT_TRUE(Game(SUB_S_PLACE_BET_FAIL, BytesOf(failed)));
    EXPECT_EQ(UsableChips(), std::vector<int>{100});
    failed.lAmount = INT64_MIN;
    ASSERT_TRUE(Game(SUB_S_PLACE_BET_FAIL, BytesOf(failed)));
    EXPECT_TRUE(UsableChips().empty());
    EXPECT_EQ(board->GetBetChip(), 0);
    EXPECT_EQ(board->GetSelectedChip(), 0);
}

TEST_F(OxBoard, TheBankerQueueShowsEachApplicantAndMyButtonsFollowIt)
{
    StartBetting();
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{2})));
    ASSERT_EQ(QueueRows(2), 1);
    Widget* row = board->GetBankerList()->getItem(0);
    EXPECT_STREQ(dynamic_cast<Label*>(row)->getStringValue(), "玩家2003");
    ASSERT_NE(row->getChildren(), nullptr);
    auto* score = dynamic_cast<Label*>(row->getChildren()->objectAtIndex(0));
    ASSERT_NE(score, nullptr);
    EXPECT_STREQ(score->getStringValue(), "3300000");
    EXPECT_FLOAT_EQ(score->getPositionX(), 140 - row->getSize().width / 2);
    EXPECT_TRUE(Enabled(board->GetApplyButton()));
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{kMe})));
    EXPECT_EQ(QueueRows(kMe), 1);
    EXPECT_FALSE(Enabled(board->GetApplyButton()));
    EXPECT_TRUE(Enabled(board->GetCancelButton()));
    CancelBankerMessage cancel = {};
    cancel.wCancelUser = kMe;
    ASSERT_TRUE(Game(SUB_S_CANCEL_BANKER, BytesOf(cancel)));
    EXPECT_EQ(QueueRows(kMe), 0);
    EXPECT_EQ(QueueRows(2), 1);
    EXPECT_TRUE(Enabled(board->GetApplyButton()));
    EXPECT_FALSE(Enabled(board->GetCancelButton()));
}

// A chair that applied twice has two rows side by side; both go.
TEST_F(OxBoard, AChairQueuedTwiceLeavesTheQueueWhole)
{
    StartBetting();
    for (uint16_t chair : {2, 2, 0, 2})
        ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{chair})));
    ASSERT_EQ(QueueRows(2), 3);
    CancelBankerMessage cancel = {};
    cancel.wCancelUser = 2;
    ASSERT_TRUE(Game(SUB_S_CANCEL_BANKER, BytesOf(cancel)));
    EXPECT_EQ(QueueRows(2), 0);
    EXPECT_EQ(QueueRows(0), 1);
}

// A chair whose user has left has no record: no row, no crash.
TEST_F(OxBoard, AnApplicantWithoutARecordGetsNoRow)
{
    StartBetting();
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{60})));
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{0xFFFF})));
    EXPECT_EQ(board->GetBankerList()->getItems()->count(), 0u);
}

TEST_F(OxBoard, ANewBankerLeavesTheQueue)
{
    StartBetting(0);
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{kMe})));
    ChangeBankerMessage change = {};
    change.wBankerUser = kMe;
    ASSERT_TRUE(Game(SUB_S_CHANGE_BANKER, BytesOf(change)));
    EXPECT_EQ(QueueRows(kMe), 0);
    EXPECT_EQ(board->GetBankerChair(), kMe);
    EXPECT_EQ(board->LabelText("Label_8_0"), "玩家1000");
    EXPECT_EQ(board->LabelText("Label_8_1_2"), "0");
    EXPECT_FALSE(Enabled(board->GetApplyButton()));
    EXPECT_TRUE(Enabled(board->GetCancelButton()));
    change.wBankerUser = NO_BANKER;
    ASSERT_TRUE(Game(SUB_S_CHANGE_BANKER, BytesOf(change)));
    EXPECT_EQ(board->LabelText("Label_8_0"), "无人上庄");
    EXPECT_TRUE(Enabled(board->GetApplyButton()));
    EXPECT_FALSE(Enabled(board->GetCancelButton()));
}

TEST_F(OxBoard, ApplyingNeedsTheBankerMinimum)
{
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(FreeSceneRecord(12, NO_BANKER, kMyScore + 1))));
    TapWidget(board->GetApplyButton());
    EXPECT_TRUE(SentGame().empty());
    EXPECT_EQ(LastChatLine(), "您的欢乐豆少于8800001,无法上庄");
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(FreeSceneRecord(12, NO_BANKER, kMyScore))));
    TapWidget(board->GetApplyButton());
    ASSERT_EQ(SentGame().size(), 1u);
    EXPECT_EQ(SentGame()[0].first, SUB_C_APPLY_BANKER);
    EXPECT_FALSE(Enabled(board->GetApplyButton()));
}

TEST_F(OxBoard, TheBankerMayGiveUpOnlyInFreeTime)
{
    StartBetting(kMe);
    ASSERT_TRUE(Enabled(board->GetCancelButton()));
    TapWidget(board->GetCancelButton());
    EXPECT_TRUE(SentGame().empty());
    EXPECT_EQ(LastChatLine(), "游戏已经开始，不能取消当庄");
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    TapWidget(board->GetCancelButton());
    ASSERT_EQ(SentGame().size(), 1u);
    EXPECT_EQ(SentGame()[0].first, SUB_C_CANCEL_BANKER);
    EXPECT_FALSE(Enabled(board->GetCancelButton()));
    // A queued player who is not the banker gives up in any phase.
    ClearSent();
    StartBetting(1);
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{kMe})));
    TapWidget(board->GetCancelButton());
    ASSERT_EQ(SentGame().size(), 1u);
    EXPECT_EQ(SentGame()[0].first, SUB_C_CANCEL_BANKER);
}

TEST_F(OxBoard, AFreeSceneSetsTheBankerButtonsByTheQueue)
{
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{kMe})));
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(FreeSceneRecord(12, NO_BANKER, 0))));
    EXPECT_TRUE(Enabled(board->GetCancelButton()));
    EXPECT_FALSE(Enabled(board->GetApplyButton()));
    EXPECT_EQ(board->GetKeptAmount(), 77);
}

TEST_F(OxBoard, ABetSceneRestoresTheAmountsAndTheirChips)
{
    ASSERT_TRUE(Scene(GS_BETTING, BytesOf(PlaySceneRecord(GS_BETTING, 9, 1))));
    EXPECT_EQ(board->GetAreaTotal(1), 1611150);
    EXPECT_EQ(board->GetMyBet(1), 10000);
    EXPECT_TRUE(board->GetTotalLabel(3)->isVisible());
    EXPECT_STREQ(board->GetTotalLabel(3)->getString(), "0");
    EXPECT_FALSE(board->GetMyLabel(3)->isVisible());
    EXPECT_TRUE(board->GetMyLabel(4)->isVisible());
    // 1611150: 1000000, 500000, 100000, 10000, 1000, 100; 20000: two of 10000; 5000000: one.
    EXPECT_EQ(ChipsLaid(), 9u);
    EXPECT_EQ(board->GetMyBetCapacity(), kMyScore);
    EXPECT_EQ(board->LabelText("Label_51"), "880,0000");
    EXPECT_TRUE(UsableChips().empty());
    // A second scene is the whole table again, not more chips.
    ASSERT_TRUE(Scene(GS_BETTING, BytesOf(PlaySceneRecord(GS_BETTING, 8, 1))));
    EXPECT_EQ(ChipsLaid(), 9u);
    SaveScreen("oxbattle_bet_scene");
}

TEST_F(OxBoard, AHugeAmountLaysALimitedPileOfChips)
{
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    board->PlaceAreaChips(2, INT64_MAX);
    EXPECT_EQ(ChipsLaid(), OXBoard::kMostChipsPerArea);
    for (Widget* chip : board->GetTableChips())
    {
        EXPECT_FALSE(chip->isTouchEnabled());
        EXPECT_TRUE(chip->isBright());
    }
}

// Betting only: the hover image of the area under the mouse, edges included.
TEST_F(OxBoard, TheAreaUnderTheMouseLightsUpWhileBetting)
{
    Widget* area = board->GetArea(2);
    Widget* hover = board->GetWidget("Image_14");
    const CCPoint centre = area->getParent()->convertToWorldSpace(area->getPosition());
    const CCSize size = hover->getSize();
    board->OnMouseMove(centre);
    EXPECT_FALSE(hover->isVisible());
    StartBetting();
    const struct
    {
        CCPoint at;
        bool shown;
    } cases[] = {
        {centre, true},
        {ccpAdd(centre, CCPoint(size.width / 2, size.height / 2)), true},
        {ccpAdd(centre, CCPoint(-size.width / 2, -size.height / 2)), true},
        {ccpAdd(centre, CCPoint(size.width / 2 + 1, 0)), false},
        {ccpAdd(centre, CCPoint(0, -size.height / 2 - 1)), false},
    };
    for (const auto& c : cases)
    {
        board->OnMouseMove(c.at);
        EXPECT_EQ(hover->isVisible(), c.shown) << c.at.x << "," << c.at.y;
        EXPECT_FALSE(board->GetWidget("Image_21")->isVisible());
    }
    board->OnMouseMove(centre);
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(25)));
    EXPECT_FALSE(hover->isVisible());
}

TEST_F(OxBoard, TheRecordStripShowsTheNewest24Columns)
{
    std::vector<std::vector<uint8_t>> won;
    for (int i = 0; i < 30; ++i)
        won.push_back({static_cast<uint8_t>(i % 2), 1, 0, static_cast<uint8_t>(i % 3 == 0)});
    ASSERT_TRUE(Game(SUB_S_SEND_RECORD, Records(won)));
    for (int area = 1; area <= AREA_COUNT; ++area)
    {
        const std::vector<CCSprite*>& marks = board->GetRecordMarks(area);
        ASSERT_EQ(marks.size(), 30u);
        for (int i = 0; i < 30; ++i)
        {
            EXPECT_EQ(marks[i]->isVisible(), i >= 6) << area << "/" << i;
            if (i >= 6)
            {
                EXPECT_TRUE(marks[i]->getPosition().equals(CCPoint(130 + 38.0f * (i - 6), 116 - 32.0f * (area - 1))));
            }
        }
    }
    EXPECT_TRUE(Shows(board->GetRecordMarks(2)[0], "OxBattle/g"));
    EXPECT_TRUE(Shows(board->GetRecordMarks(3)[0], "OxBattle/x"));
    // Back one column at a time to the first, then forward again.
    for (int first = 5; first >= 0; --first)
    {
        TapWidget("Button_2");
        EXPECT_EQ(board->GetRecordWindow().First(), first);
        EXPECT_TRUE(board->GetRecordMarks(1)[first]->isVisible());
    }
    TapWidget("Button_2");
    EXPECT_EQ(board->GetRecordWindow().First(), 0);
    TapWidget("Button_3");
    EXPECT_EQ(board->GetRecordWindow().First(), 1);
    EXPECT_FALSE(board->GetRecordMarks(1)[0]->isVisible());
}

// More than a hundred columns at once are cut like one at a time, and the
// dropped marks leave the table.
TEST_F(OxBoard, TheRecordStripKeepsAtMostAHundredColumns)
{
    const int childrenBefore = static_cast<int>(board->GetContentRoot()->getChildrenCount());
    ASSERT_TRUE(Game(SUB_S_SEND_RECORD, Records(std::vector<std::vector<uint8_t>>(99, {1, 0, 0, 0}))));
    EXPECT_EQ(board->GetRecordMarks(1).size(), 99u);
    ASSERT_TRUE(Game(SUB_S_SEND_RECORD, Records({{0, 1, 0, 0}})));
    EXPECT_EQ(board->GetRecordMarks(1).size(), 99u);
    EXPECT_TRUE(Shows(board->GetRecordMarks(2).back(), "OxBattle/g"));
    ASSERT_TRUE(Game(SUB_S_SEND_RECORD, Records(std::vector<std::vector<uint8_t>>(150, {0, 0, 1, 0}))));
    for (int area = 1; area <= AREA_COUNT; ++area)
        EXPECT_EQ(board->GetRecordMarks(area).size(), 99u) << area;
    EXPECT_EQ(board->GetRecordWindow().First(), 75);
    EXPECT_EQ(static_cast<int>(board->GetContentRoot()->getChildrenCount()), childrenBefore + 99 * 4);
}

TEST_F(OxBoard, TheManualOpeningSwitchesFlipEachOther)
{
    TapWidget("Button_4");
    EXPECT_TRUE(board->IsManualOpen());
    EXPECT_FALSE(Enabled(board->GetWidget("Button_4")));
    EXPECT_TRUE(Enabled(board->GetWidget("Button_5")));
    TapWidget("Button_5");
    EXPECT_FALSE(board->IsManualOpen());
    EXPECT_TRUE(Enabled(board->GetWidget("Button_4")));
    // The result locks both until the next free time.
    StartBetting();
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(25)));
    EXPECT_FALSE(Enabled(board->GetWidget("Button_4")));
    EXPECT_FALSE(Enabled(board->GetWidget("Button_5")));
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    EXPECT_TRUE(Enabled(board->GetWidget("Button_4")));
}

}  // namespace

namespace {

// A maximised window of the headless desktop is wider but, in design
// points, lower than the table: the table scales down to fit over a
// stretched copy of its picture, and comes back whole when restored.
TEST_F(OxBoard, AMaximisedWindowFitsTheWholeTable)
{
    CCSprite* root = board->GetContentRoot();
    const CCSize content = root->getContentSize();
    board->LayoutGameTable(1018, 658, true, false);
    EXPECT_FLOAT_EQ(board->GetContentScale(), 658 / content.height);
    EXPECT_FLOAT_EQ(root->getScale(), 658 / content.height);
    EXPECT_NE(board->getChildByTag(Sexy::CGameBoard::kStretchedTableTag), nullptr);
    board->LayoutGameTable(1018, 722, false, false);
    EXPECT_FLOAT_EQ(root->getScale(), 1.0f);
    EXPECT_EQ(board->getChildByTag(Sexy::CGameBoard::kStretchedTableTag), nullptr);
}

// Waiting in free time only the clock changes, once a second: only those
// frames are drawn.
TEST_F(OxBoard, WaitingDrawsOnlyWhenTheClockTicks)
{
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(20)));
    CCDirector* director = CCDirector::sharedDirector();
    director->startAnimation();
    Step(5);
    const unsigned int before = director->getDrawnFrames();
    Seconds(5);
    EXPECT_LE(director->getDrawnFrames() - before, 5u);
    EXPECT_GE(director->getDrawnFrames() - before, 4u);
    director->stopAnimation();
}

// No record of mine at the table yet: the kernel gives me no chair, so I am
// neither a bettor with money nor the system banker, and nothing is sent
// for me.
class OxWithoutMyRecord : public OxTest
{
protected:
    void EnterUsers() override
    {
        ASSERT_TRUE(EnterUser(2002, 1, 56000000));
        ASSERT_TRUE(EnterUser(2003, 2, 3300000));
    }
};

TEST_F(OxWithoutMyRecord, TheRoundGoesOnWithNothingToBetWith)
{
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(NO_BANKER, 50000000, 2000000, 20)));
    EXPECT_EQ(board->GetMyChair(), -1);
    EXPECT_EQ(board->GetPhase(), OXBoard::kPhaseBetting);
    EXPECT_EQ(board->GetMyBetCapacity(), 0);
    EXPECT_EQ(board->LabelText("Label_51_0"), "");
    // The system banker is not me: the chips follow the limit.
    EXPECT_FALSE(UsableChips().empty());
    ASSERT_TRUE(Scene(GS_BETTING, BytesOf(PlaySceneRecord(GS_BETTING, 9, NO_BANKER))));
    EXPECT_EQ(board->GetMyBetCapacity(), 0);
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{0})));
    EXPECT_EQ(board->GetBankerList()->getItems()->count(), 0u);
    board->OnApplyBankerButton(nullptr, TOUCH_EVENT_ENDED);
    board->OnCancelBankerButton(nullptr, TOUCH_EVENT_ENDED);
    ASSERT_EQ(SentGame().size(), 1u);
    EXPECT_EQ(SentGame()[0].first, SUB_C_CANCEL_BANKER);
}

}  // namespace
