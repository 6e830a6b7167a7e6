// The betting side of the car-brand table: chips a player may use, bets by
// click and by drag, the highlight and track flash, the chips and labels on
// the areas, the bet-failed notice and the banker's waiting list.
#include "CarFixture.h"

#include "core/ClientGlobal.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace BumperCarBattle;
using namespace cartest;

namespace {

class CarBoard : public CarTest
{
protected:
    // The bets the board sent: (area, amount).
    std::vector<std::pair<int, int64_t>> Bets() const
    {
        std::vector<std::pair<int, int64_t>> out;
        for (const auto& [sub, body] : SentGame())
        {
            EXPECT_EQ(sub, SUB_C_PLACE_JETTON);
            EXPECT_EQ(body.size(), sizeof(BetRequest));
            if (sub != SUB_C_PLACE_JETTON || body.size() != sizeof(BetRequest))
                continue;
            BetRequest request;
            std::memcpy(&request, body.data(), sizeof(request));
            const int area = request.cbArea;
            const int64_t amount = request.lAmount;
            out.emplace_back(area, amount);
        }
        return out;
    }
    // A drag from a point of the table outside every area to the middle of `to`.
    void DragTo(Widget* to)
    {
        const CCPoint from = World(CCPoint(60, 660));
        const CCPoint end = Middle(to);
        Touch(0, from.x, from.y);
        Touch(1, (from.x + end.x) / 2, (from.y + end.y) / 2);
        Touch(1, end.x, end.y);
        Touch(2, end.x, end.y);
    }
    int VisibleBadges() const
    {
        int n = 0;
        for (int t = 0; t < TRACK_SLOTS; ++t)
            n += board->GetTrackBadge(t)->isVisible() ? 1 : 0;
        return n;
    }
    int Rows() const { return static_cast<int>(board->GetBankerList()->getItems()->count()); }
    std::string RowText(int row) const
    {
        return static_cast<Label*>(board->GetBankerList()->getItem(static_cast<unsigned int>(row)))->getStringValue();
    }
};

TEST_F(CarBoard, ANewTableHasTheCarOnSlotOneNoBankerAndNoChipToUse)
{
    EXPECT_EQ(board->GetCarSlot(), 1);
    EXPECT_EQ(board->GetBankerChair(), NO_BANKER);
    EXPECT_EQ(board->GetPhase(), NNBoard::kPhaseNone);
    EXPECT_TRUE(UsableChips().empty());
    for (int area = 1; area <= AREA_COUNT; ++area)
    {
        ASSERT_NE(board->GetAreaButton(area), nullptr) << area;
        EXPECT_EQ(board->GetAreaButton(area)->getTag(), area);
    }
    for (int t = 0; t < TRACK_SLOTS; ++t)
    {
        ASSERT_NE(board->GetTrackBadge(t), nullptr) << t;
        EXPECT_FALSE(board->GetTrackBadge(t)->isVisible()) << t;
    }
    EXPECT_FALSE(board->GetChipMarker()->isVisible());
    EXPECT_EQ(board->GetChipMarker()->getTag(), 0);
}

// The chips follow what I hold less what I bet this round; a banker, the
// system banker or a disabled table leaves none.
TEST_F(CarBoard, ChipsAreThoseMyScoreLessMyRoundsBetsCovers)
{
    ASSERT_TRUE(Score(1000, 9999));
    StartBetting();
    EXPECT_EQ(UsableChips(), (std::vector<int>{100, 1000}));
    ASSERT_TRUE(Game(SUB_S_PLACE_JETTON, Bet(kMe, 2, 5000)));
    EXPECT_EQ(UsableChips(), (std::vector<int>{100, 1000}));
    ASSERT_TRUE(Game(SUB_S_PLACE_JETTON, Bet(kMe, 2, 4000)));
    EXPECT_EQ(UsableChips(), (std::vector<int>{100}));
    board->UpdateChipButtons(true);
    EXPECT_TRUE(UsableChips().empty());
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(NO_BANKER, 20)));
    EXPECT_TRUE(UsableChips().empty());
    ASSERT_TRUE(Game(SUB_S_CHANGE_BANKER, ChangeBanker(kMe)));
    board->UpdateChipButtons(false);
    EXPECT_TRUE(UsableChips().empty());
}

// Last round's bets count for nothing when the next round weighs the chips.
TEST_F(CarBoard, ANewRoundWeighsTheChipsWithoutLastRoundsBets)
{
    StartBetting();
    ASSERT_TRUE(Game(SUB_S_PLACE_JETTON, Bet(kMe, 1, 5000000)));
    ASSERT_TRUE(Game(SUB_S_PLACE_JETTON, Bet(kMe, 1, 1000000)));
    EXPECT_EQ(UsableChips(), (std::vector<int>{100, 1000, 10000, 100000, 1000000}));
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 20)));
    EXPECT_EQ(UsableChips(), (std::vector<int>{100, 1000, 10000, 100000, 1000000, 5000000}));
    EXPECT_EQ(board->LabelText("label_jetton"), "0");
}

TEST_F(CarBoard, AClickOnAnAreaBetsTheChipInHandEveryTime)
{
    StartBetting();
    TapWidget(board->GetAreaButton(3));
    EXPECT_TRUE(SentGame().empty());
    TakeChip(1000);
    EXPECT_TRUE(board->GetChipMarker()->isVisible());
    EXPECT_EQ(board->GetChipMarker()->getTag(), 1000);
    // The marker shows the chip as the areas show it.
    EXPECT_TRUE(Shows(board->GetChipMarker(), "BumperCarBattle/jetton_1000"));
    TapWidget(board->GetAreaButton(3));
    TapWidget(board->GetAreaButton(3));
    EXPECT_EQ(Bets(), (std::vector<std::pair<int, int64_t>>{{3, 1000}, {3, 1000}}));
    EXPECT_EQ(board->GetChipMarker()->getTag(), 1000);
    // The right button puts the chip down.
    board->OnRButtonUp();
    EXPECT_FALSE(board->GetChipMarker()->isVisible());
    ClearSent();
    TapWidget(board->GetAreaButton(3));
    EXPECT_TRUE(SentGame().empty());
}

TEST_F(CarBoard, ADraggedChipBetsOnTheAreaItIsDroppedOnAndIsPutDown)
{
    StartBetting();
    TakeChip(10000);
    DragTo(board->GetAreaButton(6));
    EXPECT_EQ(Bets(), (std::vector<std::pair<int, int64_t>>{{6, 10000}}));
    EXPECT_FALSE(board->GetChipMarker()->isVisible());
    EXPECT_EQ(board->GetChipMarker()->getTag(), 0);
    EXPECT_EQ(board->GetSelectedArea(), 0);

    // Dropped outside every area: no bet, and the chip is put down all the same.
    ClearSent();
    TakeChip(10000);
    const CCPoint from = World(CCPoint(60, 660));
    Touch(0, from.x, from.y);
    Touch(1, from.x + 5, from.y);
    Touch(2, from.x + 5, from.y);
    EXPECT_TRUE(SentGame().empty());
    EXPECT_EQ(board->GetChipMarker()->getTag(), 0);
    // Without a chip a drag onto an area sends nothing.
    DragTo(board->GetAreaButton(2));
    EXPECT_TRUE(SentGame().empty());
}

// The area under a dragged chip is highlighted and its four badges flash
// when the chip comes in, not while it stays.
TEST_F(CarBoard, EnteringAnAreaWithAChipFlashesItsBadgesOnce)
{
    StartBetting();
    TakeChip(100);
    const CCPoint from = World(CCPoint(60, 660));
    Touch(0, from.x, from.y);
    const CCPoint area = Middle(board->GetAreaButton(5));
    Touch(1, area.x, area.y);
    EXPECT_EQ(board->GetSelectedArea(), 5);
    EXPECT_EQ(static_cast<Button*>(board->GetAreaButton(5))->getBrightStyle(), BRIGHT_HIGHLIGHT);
    // Area 5 is the small bsj: class 1, badges 1, 9, 17 and 25.
    for (int t : {1, 9, 17, 25})
        EXPECT_TRUE(board->GetTrackBadge(t)->isVisible()) << t;
    EXPECT_EQ(VisibleBadges(), 4);
    Step(30);
    EXPECT_EQ(VisibleBadges(), 0);
    Touch(1, area.x + 3, area.y);
    EXPECT_EQ(VisibleBadges(), 0);
    Touch(1, from.x, from.y);
    EXPECT_EQ(board->GetSelectedArea(), 0);
    EXPECT_EQ(static_cast<Button*>(board->GetAreaButton(5))->getBrightStyle(), BRIGHT_NORMAL);
    Touch(1, area.x, area.y);
    EXPECT_EQ(VisibleBadges(), 4);
    Touch(2, from.x, from.y);
    EXPECT_EQ(board->GetSelectedArea(), 0);
}

TEST_F(CarBoard, BetsShowTheirChipsAndTotalsAndMineAddUp)
{
    StartBetting();
    ASSERT_TRUE(Game(SUB_S_PLACE_JETTON, Bet(2, 4, 100000)));
    EXPECT_EQ(board->GetAreaTotal(4), 100000);
    EXPECT_EQ(board->GetMyAreaBet(4), 0);
    EXPECT_EQ(board->GetChipPile().CountOn(4), 1u);
    EXPECT_EQ(board->LabelText("atlasLabel_dz_d"), "100000");
    EXPECT_TRUE(board->GetWidget("atlasLabel_dz_d")->isVisible());
    EXPECT_FALSE(board->GetWidget("atlasLabel_dz_d_self")->isVisible());
    EXPECT_EQ(Played("sound/bet"), 1);
    ASSERT_TRUE(Game(SUB_S_PLACE_JETTON, Bet(kMe, 4, 1000)));
    EXPECT_EQ(board->GetMyAreaBet(4), 1000);
    EXPECT_EQ(board->LabelText("atlasLabel_dz_d_self"), "1000");
    EXPECT_EQ(board->LabelText("label_jetton"), "1000");
    // An amount no chip shows lays the chips that make it up.
    ASSERT_TRUE(Game(SUB_S_PLACE_JETTON, Bet(2, 1, 1234500)));
    EXPECT_EQ(board->GetChipPile().CountOn(1), 15u);
    EXPECT_EQ(board->LabelText("atlasLabel_bsj_d"), "1234500");
}

// The round's bet total is shown whole past 2^31.
TEST_F(CarBoard, MyBetTotalShowsTheWhole64BitAmount)
{
    ASSERT_TRUE(Score(1000, 9000000000LL));
    StartBetting();
    for (int i = 0; i < 600; ++i)
        ASSERT_TRUE(Game(SUB_S_PLACE_JETTON, Bet(kMe, static_cast<uint8_t>(1 + i % 8), 5000000)));
    EXPECT_EQ(board->GetMyRoundBet(), 3000000000LL);
    EXPECT_EQ(board->LabelText("label_jetton"), "3000000000");
    // However many bets, an area holds a pile of at most the cap.
    for (int area = 1; area <= AREA_COUNT; ++area)
        EXPECT_LE(board->GetChipPile().CountOn(area), NNBoard::kMostChipsPerArea) << area;
}

TEST_F(CarBoard, RestoredAmountsAreLaidAsChipsLargestFirstWithinTheCap)
{
    board->PlaceChipsForAmount(2, 6101100);
    std::vector<float> widths;
    ASSERT_EQ(board->GetChipPile().CountOn(2), 5u);
    // A total of ten million million is a capped pile; its label stays exact.
    board->PlaceChipsForAmount(3, 10000000000000LL);
    EXPECT_EQ(board->GetChipPile().CountOn(3), NNBoard::kMostChipsPerArea);
    // Below 100 nothing is drawn.
    board->PlaceChipsForAmount(4, 99);
    EXPECT_EQ(board->GetChipPile().CountOn(4), 0u);
    // The chips lie inside the area's box.
    for (Widget* chip : board->GetChipPile().Chips())
    {
        EXPECT_TRUE(chip->getParent() == board->GetAreaButton(2) || chip->getParent() == board->GetAreaButton(3));
        if (chip->getParent() != board->GetAreaButton(2))
            continue;
        EXPECT_GE(chip->getPositionX(), 32);
        EXPECT_LT(chip->getPositionX(), 32 + 80);
        EXPECT_GE(chip->getPositionY(), 36);
        EXPECT_LT(chip->getPositionY(), 36 + 69);
    }
    board->ResetAreaBets();
    EXPECT_TRUE(board->GetChipPile().Chips().empty());
    EXPECT_EQ(board->GetAreaButton(2)->getChildrenCount(), 0u);
}

// Where the chips may lie on an area (its button's space) and what they must
// leave readable: the name bar on top (drawn over the chips), the total on
// it right of the name, and my bet at the foot.
TEST_F(CarBoard, ChipsAndLongAmountsLeaveTheAreasNameAndLabelsReadable)
{
    // Chip boxes by area: x, y, x range, y range.
    const int boxes[AREA_COUNT][4] = {{55, 30, 73, 61}, {32, 36, 80, 69}, {32, 36, 74, 70}, {32, 36, 53, 55},
                                      {60, 55, 63, 56}, {32, 36, 75, 71}, {32, 36, 74, 73}, {32, 60, 53, 48}};
    const char* const keys[AREA_COUNT] = {"bsj_d", "bm_d", "bc_d", "dz_d", "bsj_x", "bm_x", "bc_x", "dz_x"};
    // The longest name ("小保时捷", 14-pixel characters) ends this far into its bar.
    const float nameEnd = 6 + 4 * 14;
    StartBetting();
    // A click on the name bar is a click on its area.
    TakeChip(100);
    TapWidget("img_area_bar_bc_x");
    EXPECT_EQ(Bets(), (std::vector<std::pair<int, int64_t>>{{7, 100}}));
    for (int area = 1; area <= AREA_COUNT; ++area)
    {
        board->PlaceChipsForAmount(static_cast<uint32_t>(area), 6101100);
        ASSERT_TRUE(Game(SUB_S_PLACE_JETTON, Bet(2, static_cast<uint8_t>(area), 4000000000000000000LL)));
        ASSERT_TRUE(Game(SUB_S_PLACE_JETTON, Bet(kMe, static_cast<uint8_t>(area), 900000000000LL)));
    }
    // Restored chips (the buttons' clones) and live ones are one size.
    for (Widget* chip : board->GetChipPile().Chips())
        EXPECT_FLOAT_EQ(chip->getSize().width * chip->getScaleX(), NNBoard::kTableChipSize);
    const float half = NNBoard::kTableChipSize / 2;
    for (int area = 1; area <= AREA_COUNT; ++area)
    {
        SCOPED_TRACE(keys[area - 1]);
        Widget* button = board->GetAreaButton(area);
        Widget* bar = board->GetWidget(("img_area_bar_" + std::string(keys[area - 1])).c_str());
        Widget* total = board->GetWidget(("atlasLabel_" + std::string(keys[area - 1])).c_str());
        Widget* mine = board->GetWidget(("atlasLabel_" + std::string(keys[area - 1]) + "_self").c_str());
        ASSERT_TRUE(button != nullptr && bar != nullptr && total != nullptr && mine != nullptr);
        ASSERT_TRUE(total->isVisible() && mine->isVisible());
        // Bottom, top, left and right in the button's space.
        const auto edges = [button](Widget* w) {
            const float sx = w->getScaleX(), sy = w->getScaleY();
            const float left = w->getPositionX() - w->getSize().width * sx * w->getAnchorPoint().x;
            const float bottom = w->getPositionY() - w->getSize().height * sy * w->getAnchorPoint().y;
            return std::array<float, 4>{bottom - button->getPositionY(),
                                        bottom + w->getSize().height * sy - button->getPositionY(),
                                        left - button->getPositionX(),
                                        left + w->getSize().width * sx - button->getPositionX()};
        };
        const std::array<float, 4> barBox = edges(bar), totalBox = edges(total), mineBox = edges(mine);
        const int* box = boxes[area - 1];
        // Any chip of the box: inside the area, above my bet, below the bar's top.
        EXPECT_GE(box[0] - half, 0);
        EXPECT_LE(box[0] + box[2] - 1 + half, button->getSize().width);
        EXPECT_GE(box[1] - half, mineBox[1]);
        EXPECT_LE(box[1] + box[3] - 1 + half, barBox[1]);
        // The bar covers the chips and the labels lie on it.
        EXPECT_GT(bar->getZOrder(), button->getZOrder());
        EXPECT_GT(total->getZOrder(), bar->getZOrder());
        // A total of nineteen digits keeps right of the name, on the bar.
        EXPECT_EQ(board->LabelText(("atlasLabel_" + std::string(keys[area - 1])).c_str()), "4000000900000000000");
        EXPECT_GE(totalBox[2], barBox[2] + nameEnd);
        EXPECT_LE(totalBox[3], barBox[3]);
        EXPECT_GE(totalBox[0], barBox[0] - 1);
        EXPECT_LE(totalBox[1], barBox[1] + 1);
        // My bet stays inside the area's foot.
        EXPECT_GE(mineBox[2], 0);
        EXPECT_LE(mineBox[3], button->getSize().width);
        EXPECT_GE(mineBox[0], 0);
    }
}

TEST_F(CarBoard, OnlyMyOwnFailedBetShowsTheNotice)
{
    StartBetting();
    const unsigned int children = board->GetContentRoot()->getChildrenCount();
    BetFailedMessage failed = {};
    failed.wChairID = 2;
    ASSERT_TRUE(Game(SUB_S_PLACE_JETTON_FAIL, BytesOf(failed)));
    EXPECT_EQ(board->GetContentRoot()->getChildrenCount(), children);
    failed.wChairID = kMe;
    ASSERT_TRUE(Game(SUB_S_PLACE_JETTON_FAIL, BytesOf(failed)));
    ASSERT_EQ(board->GetContentRoot()->getChildrenCount(), children + 1);
    Seconds(1);
    EXPECT_EQ(board->GetContentRoot()->getChildrenCount(), children);
}

TEST_F(CarBoard, TheWaitingListIndentsLaterRowsAndLeavesOutWhoLeft)
{
    ASSERT_TRUE(EnterUser(2004, 3, 980000));
    ASSERT_TRUE(EnterUser(2005, 4, 770000));
    ASSERT_TRUE(EnterUser(2006, 6, 660000));
    for (uint16_t chair : {0, 1, 2, 3, 4, 6})
        ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{chair})));
    ASSERT_EQ(Rows(), 6);
    const int indents[] = {0, 0, 2, 6, 12, 20};
    for (int row = 0; row < 6; ++row)
    {
        const std::string text = RowText(row);
        EXPECT_EQ(text.find_first_not_of(' '), static_cast<size_t>(indents[row])) << row;
    }
    // An applicant whose user has left gets no row, and nothing breaks.
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{40})));
    EXPECT_EQ(Rows(), 6);
    ASSERT_TRUE(Game(SUB_S_CANCEL_BANKER, Cancel(2)));
    EXPECT_EQ(Rows(), 5);
    EXPECT_FALSE(board->GetBankerQueue().Contains(2));
    SaveScreen("bumpercar_waiting_list");
    // The rows below moved up and stand where their new places do, their
    // scores still beside their names.
    const int after[] = {0, 0, 2, 6, 12};
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(RowText(row).find_first_not_of(' '), static_cast<size_t>(after[row])) << row;
    ASSERT_TRUE(Game(SUB_S_CANCEL_BANKER, Cancel(0)));
    EXPECT_EQ(RowText(0), "玩家2002");
    EXPECT_EQ(RowText(2).find_first_not_of(' '), 2u);
    auto* row = static_cast<Label*>(board->GetBankerList()->getItem(2));
    auto* score = static_cast<Label*>(row->getChildren()->objectAtIndex(0));
    EXPECT_FLOAT_EQ(score->getPositionX(), 80 - row->getSize().width / 2);
    // However far a row stands in, its score starts after its name.
    ASSERT_TRUE(EnterUser(2007, 7, 550000));
    ASSERT_TRUE(EnterUser(2008, 8, 440000));
    for (uint16_t chair : {7, 8})
        ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{chair})));
    for (int i = 0; i < Rows(); ++i)
    {
        auto* name = static_cast<Label*>(board->GetBankerList()->getItem(static_cast<unsigned int>(i)));
        auto* figure = static_cast<Label*>(name->getChildren()->objectAtIndex(0));
        EXPECT_GT(figure->getPositionX(), name->getSize().width / 2) << i;
    }
}

TEST_F(CarBoard, MyApplicationAndCancellationSwitchTheBankerButtons)
{
    StartBetting();
    EXPECT_TRUE(board->GetApplyButton()->isVisible());
    EXPECT_FALSE(board->GetCancelButton()->isVisible());
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{kMe})));
    EXPECT_FALSE(board->GetApplyButton()->isVisible());
    EXPECT_TRUE(board->GetCancelButton()->isVisible());
    EXPECT_TRUE(board->GetBankerQueue().Contains(kMe));
    ASSERT_TRUE(Game(SUB_S_CANCEL_BANKER, Cancel(kMe)));
    EXPECT_TRUE(board->GetApplyButton()->isVisible());
    EXPECT_FALSE(board->GetCancelButton()->isVisible());
    EXPECT_TRUE(board->GetCancelButton()->isBright());
    EXPECT_FALSE(board->GetBankerQueue().Contains(kMe));
}

// The banker keeps a way to step down: the cancel button stays (dim while
// the round runs) and says why it cannot while he is banker.
TEST_F(CarBoard, BecomingBankerKeepsTheCancelButton)
{
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{kMe})));
    ASSERT_TRUE(Game(SUB_S_CHANGE_BANKER, ChangeBanker(kMe)));
    EXPECT_TRUE(board->IsMeBanker());
    EXPECT_FALSE(board->GetBankerQueue().Contains(kMe));
    EXPECT_FALSE(board->GetApplyButton()->isVisible());
    EXPECT_TRUE(board->GetCancelButton()->isVisible());
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    EXPECT_TRUE(board->GetCancelButton()->isBright());
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(kMe, 20)));
    EXPECT_FALSE(board->GetCancelButton()->isBright());
    EXPECT_TRUE(UsableChips().empty());
    TapWidget(board->GetCancelButton());
    EXPECT_TRUE(SentGame().empty());
    EXPECT_EQ(LastChatLine(), "游戏已经开始，不能取消当庄");
    // Another banker in the free time, before the round that gives him the
    // banker chair: I may apply again, and take my place back out.
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    ASSERT_TRUE(Game(SUB_S_CHANGE_BANKER, ChangeBanker(1)));
    EXPECT_FALSE(board->IsMeBanker());
    EXPECT_TRUE(board->GetApplyButton()->isVisible());
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{kMe})));
    ClearSent();
    TapWidget(board->GetCancelButton());
    ASSERT_EQ(SentGame().size(), 1u);
    EXPECT_EQ(SentGame()[0].first, SUB_C_CANCEL_BANKER);
    // Made banker again before the round starts: refused at once.
    ClearSent();
    ASSERT_TRUE(Game(SUB_S_CHANGE_BANKER, ChangeBanker(kMe)));
    TapWidget(board->GetCancelButton());
    EXPECT_TRUE(SentGame().empty());
}

// A player waiting in the list keeps his cancel button when the banker
// changes to somebody else.
TEST_F(CarBoard, ABankerChangeLeavesAWaitingPlayerHisCancelButton)
{
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{kMe})));
    ASSERT_TRUE(Game(SUB_S_CHANGE_BANKER, ChangeBanker(1)));
    EXPECT_FALSE(board->GetApplyButton()->isVisible());
    EXPECT_TRUE(board->GetCancelButton()->isVisible());
    TapWidget(board->GetCancelButton());
    ASSERT_EQ(SentGame().size(), 1u);
    EXPECT_EQ(SentGame()[0].first, SUB_C_CANCEL_BANKER);
}

TEST_F(CarBoard, ApplyingBelowTheMinimumQuotesTheRoundsCondition)
{
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(FreeSceneRecord(10, NO_BANKER))));
    TapWidget(board->GetApplyButton());
    ASSERT_EQ(SentGame().size(), 1u);
    EXPECT_EQ(SentGame()[0].first, SUB_C_APPLY_BANKER);
    EXPECT_TRUE(SentGame()[0].second.empty());
    ClearSent();
    ASSERT_TRUE(Score(1000, 500000));
    TapWidget(board->GetApplyButton());
    EXPECT_TRUE(SentGame().empty());
    // Before the first round the condition is 0.
    EXPECT_EQ(LastChatLine(), "您的欢乐豆少于0,无法上庄");
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 20, 3000000)));
    TapWidget(board->GetApplyButton());
    EXPECT_EQ(LastChatLine(), "您的欢乐豆少于3000000,无法上庄");
    // Cancelling while somebody else is banker is a request.
    board->OnCancelBankerButton(nullptr, TOUCH_EVENT_BEGAN);
    ASSERT_EQ(SentGame().size(), 1u);
    EXPECT_EQ(SentGame()[0].first, SUB_C_CANCEL_BANKER);
}

// The system banker, and a banker or applicant whose user has left, show
// without a record: the system's name, an empty name and a score of 0.
TEST_F(CarBoard, BankersWithoutARecordShowTheSystemOrNothing)
{
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(NO_BANKER, 20)));
    EXPECT_EQ(board->LabelText("label_banker_nick_name"), "系统坐庄");
    EXPECT_EQ(board->LabelText("label_banker_times"), "0");
    EXPECT_TRUE(UsableChips().empty());
    ASSERT_TRUE(Game(SUB_S_CHANGE_BANKER, ChangeBanker(1)));
    EXPECT_EQ(board->LabelText("label_banker_score"), "5600,0000");
    ASSERT_TRUE(Game(SUB_S_CHANGE_BANKER, ChangeBanker(70)));
    EXPECT_EQ(board->LabelText("label_banker_nick_name"), "");
    EXPECT_EQ(board->LabelText("label_banker_score"), "0");
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(70, 20)));
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(FreeSceneRecord(10, 70))));
    EXPECT_EQ(board->LabelText("label_banker_score"), "0");
}

// My score's label drops the applicants who cannot cover the condition;
// rows of users who have left stay for the server.
TEST_F(CarBoard, MyScoreDropsApplicantsBelowTheCondition)
{
    for (uint16_t chair : {0, 1, 2})
        ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{chair})));
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 20, 50000000)));
    EXPECT_TRUE(board->GetBankerQueue().Contains(0));
    EXPECT_TRUE(board->GetBankerQueue().Contains(1));
    EXPECT_FALSE(board->GetBankerQueue().Contains(2));
    EXPECT_EQ(board->LabelText("label_score"), "880,0000");
}

}  // namespace
