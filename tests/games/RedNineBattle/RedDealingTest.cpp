// The end of a red-nine round: the deal from the hand the message names, the
// hands opened by the board or dragged open by the player until the clock
// forces them, the result, and a table restored from each scene.
#include "RedNineFixture.h"

#include "core/ClientGlobal.h"
#include "games/framework/CardSprite.h"

#include <gtest/gtest.h>

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace RedNineBattle;
using namespace rntest;

namespace {

class RedDealing : public RedNineTest
{
protected:
    // Betting, then the round's end; the time counts from the end.
    void EndRound(const RoundEndMessage& end)
    {
        StartBetting();
        ASSERT_TRUE(Game(SUB_S_GAME_END, BytesOf(end)));
        m_frames = 0;
    }
    void EndRound(uint8_t seconds) { EndRound(EndRecord(seconds)); }
    void RunTo(float seconds)
    {
        const int frame = static_cast<int>(seconds * 60.0f + 0.5f);
        if (frame > m_frames)
            Step(frame - m_frames);
        m_frames = std::max(m_frames, frame);
    }
    bool Shown(int hand, int card) const { return board->GetCard(hand, card)->isVisible(); }
    std::string ResultPicture(int hand) const
    {
        for (const char* name : kPictures)
        {
            if (tcbtest::Shows(board->GetResultSprite(hand), name))
                return name;
        }
        return "?";
    }
    static constexpr const char* kPictures[] = {"RedNineBattle/zi/CARD_TYPE_18", "RedNineBattle/zi/CARD_TYPE_01",
                                                "RedNineBattle/dianshu/CARD_POINT_01",
                                                "RedNineBattle/dianshu/CARD_POINT_06"};
    int m_frames = 0;
};

constexpr const char* RedDealing::kPictures[];

TEST_F(RedDealing, CardsAreDealtFromTheNamedHandEveryHalfSecond)
{
    EndRound(25);
    EXPECT_EQ(board->GetDealStartHand(), 2);
    // Hands 2, 3, 0, 1 get their first card, then their second.
    const int order[] = {2, 3, 0, 1};
    for (int n = 0; n < 8; ++n)
    {
        RunTo(1.05f + 0.5f * n);
        for (int m = 0; m < 8; ++m)
            EXPECT_EQ(Shown(order[m % 4], m / 4), m <= n) << "card " << m << " at step " << n;
    }
    EXPECT_EQ(Played("RedNineBattle/Sound/DISPATCH_CARD"), 8);
    for (int hand = 0; hand < 4; ++hand)
    {
        EXPECT_EQ(board->GetCard(hand, 0)->GetCardData(), TwoCardBanker::CARD_BACK);
        EXPECT_EQ(board->GetCard(hand, 1)->GetCardData(), kRoundCards[2 * hand + 1]);
    }
}

TEST_F(RedDealing, TheBoardOpensTheHandsOneByOneAndShowsTheResult)
{
    EndRound(25);
    RunTo(5.05f);
    EXPECT_NE(board->GetContentRoot()->getChildByTag(TwoCardBanker::CTwoCardBoard::kAutoHintTagBase), nullptr);
    EXPECT_EQ(board->GetCard(0, 0)->GetCardData(), kRoundCards[0]);
    RunTo(6.2f);
    EXPECT_EQ(board->GetOpenIndex(), 1);
    EXPECT_EQ(board->GetContentRoot()->getChildByTag(TwoCardBanker::CTwoCardBoard::kAutoHintTagBase), nullptr);
    EXPECT_EQ(board->GetScoreView(), nullptr);
    RunTo(12.2f);
    EXPECT_EQ(board->GetOpenIndex(), 4);
    for (int hand = 0; hand < 4; ++hand)
    {
        EXPECT_EQ(ResultPicture(hand), kPictures[hand]) << hand;
        for (int card = 0; card < 2; ++card)
            EXPECT_TRUE(board->GetCard(hand, card)
                            ->getPosition()
                            .equals(ccpAdd(board->GetHandPoint(hand), CCPoint(17.0f * card, 0))));
    }
    ASSERT_NE(board->GetScoreView(), nullptr);
    EXPECT_EQ(board->GetRecordCount(), 1);
    EXPECT_EQ(Played("RedNineBattle/Sound/END_WIN"), 1);
    EXPECT_EQ(board->LabelText("Label_2_11"), "3");
    EXPECT_EQ(board->LabelText("Label_2_10"), "-340,0000");
    EXPECT_EQ(board->LabelText("Label_2_7"), "90,0000");
    EXPECT_EQ(board->LabelText("Label_2_3"), "90,0000");
    EXPECT_EQ(board->LabelText("Label_2_4"), "-121,0000");
    SaveScreen("rednine_result");
}

// The round count is a u16; the two bytes after it are nobody's.
TEST_F(RedDealing, TheBankersRoundCountIsReadAsSixteenBits)
{
    RoundEndMessage end = EndRecord(25);
    end.wBankerTimes = 3;
    end.cbReserved31[0] = 0xFF;
    end.cbReserved31[1] = 0x7F;
    EndRound(end);
    RunTo(12.2f);
    EXPECT_EQ(board->LabelText("Label_2_11"), "3");
}

// A second end without free time between starts the opening over: the
// counter never runs past the four hands.
TEST_F(RedDealing, ASecondEndWithoutFreeTimeOpensItsOwnFourHands)
{
    EndRound(25);
    RunTo(7.5f);
    EXPECT_EQ(board->GetOpenIndex(), 1);
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(25)));
    EXPECT_EQ(board->GetOpenIndex(), 0);
    RunTo(7.5f + 12.2f);
    EXPECT_EQ(board->GetOpenIndex(), 4);
    for (int hand = 0; hand < 4; ++hand)
        EXPECT_EQ(ResultPicture(hand), kPictures[hand]) << hand;
    EXPECT_EQ(board->GetRecordCount(), 1);
    RunTo(7.5f + 30);
    EXPECT_EQ(board->GetOpenIndex(), 4);
}

TEST_F(RedDealing, APlayerOpeningByHandDragsTheUpperCardAsideWithinBounds)
{
    StartBetting();
    ClickWidget("Button_47");
    ASSERT_TRUE(board->IsManualOpen());
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(25)));
    m_frames = 0;
    RunTo(4.6f);
    for (int hand = 0; hand < 4; ++hand)
    {
        EXPECT_NE(board->GetHandIcon(hand), nullptr);
        EXPECT_EQ(board->GetCard(hand, 0)->GetCardData(), kRoundCards[2 * hand]);
    }
    Sexy::CardSprite* top = board->GetCard(3, 1);
    const CCPoint rest = ccpAdd(board->GetHandPoint(3), CCPoint(17, 0));
    ASSERT_TRUE(top->getPosition().equals(rest));
    const CCPoint from = World(ccpAdd(rest, CCPoint(20, -20)));
    Touch(0, from.x, from.y);
    Touch(1, from.x + 30, from.y - 20);
    EXPECT_TRUE(top->getPosition().equals(ccpAdd(rest, CCPoint(30, -20))));
    Touch(1, from.x + 230, from.y - 220);
    EXPECT_TRUE(top->getPosition().equals(ccpAdd(rest, CCPoint(50, -80))));
    SaveScreen("rednine_peek");
    Touch(1, from.x - 300, from.y + 300);
    EXPECT_TRUE(top->getPosition().equals(rest));
    Touch(1, from.x + 10, from.y - 10);
    EXPECT_FALSE(top->getPosition().equals(rest));
    Touch(2, from.x + 10, from.y - 10);
    EXPECT_TRUE(top->getPosition().equals(rest));
    // No opening of the board's own in this mode.
    RunTo(14);
    EXPECT_EQ(board->GetOpenIndex(), 0);
    EXPECT_EQ(board->GetScoreView(), nullptr);
}

TEST_F(RedDealing, TheClockForcesTheHandsOpenAtTenSeconds)
{
    StartBetting();
    ClickWidget("Button_47");
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(25)));
    m_frames = 0;
    RunTo(15.5f);
    EXPECT_EQ(board->GetClockSeconds(), 10);
    EXPECT_EQ(board->GetScoreView(), nullptr);
    RunTo(16.05f);
    EXPECT_TRUE(board->AreCardsLocked());
    ASSERT_NE(board->GetScoreView(), nullptr);
    EXPECT_EQ(board->GetRecordCount(), 1);
    for (int hand = 0; hand < 4; ++hand)
    {
        EXPECT_EQ(board->GetCard(hand, 1)->GetCardListener(), nullptr);
        EXPECT_FALSE(board->GetHandIcon(hand)->isVisible());
        EXPECT_EQ(ResultPicture(hand), kPictures[hand]);
    }
    RunTo(26);
    EXPECT_EQ(board->GetRecordCount(), 1);
}

// A result time shorter than 10 s never shows 10: the first tick at or below
// it forces the opening, once, even before the deal is done.
TEST_F(RedDealing, AShortResultTimeForcesTheOpeningOnce)
{
    StartBetting();
    ClickWidget("Button_47");
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(8)));
    m_frames = 0;
    RunTo(0.9f);
    EXPECT_EQ(board->GetScoreView(), nullptr);
    RunTo(1.05f);
    ASSERT_NE(board->GetScoreView(), nullptr);
    for (int hand = 0; hand < 4; ++hand)
    {
        EXPECT_TRUE(Shown(hand, 0) && Shown(hand, 1));
        EXPECT_EQ(board->GetCard(hand, 0)->GetCardData(), kRoundCards[2 * hand]);
    }
    RunTo(9);
    EXPECT_EQ(board->GetRecordCount(), 1);
    // The stopped deal put no pointing hands up afterwards.
    for (int hand = 0; hand < 4; ++hand)
        EXPECT_EQ(board->GetContentRoot()->getChildByTag(TwoCardBanker::CTwoCardBoard::kManualHintTagBase + hand),
                  nullptr);
}

// The result view is retained by the board while shown and released (never
// deleted) at free time.
TEST_F(RedDealing, TheScoreViewIsReleasedAtFreeTimeAndDragsWithinTheTable)
{
    EndRound(25);
    RunTo(12.2f);
    games::BankerScoreView* view = board->GetScoreView();
    ASSERT_NE(view, nullptr);
    // The table, the board and the touch dispatcher (it may be dragged).
    EXPECT_EQ(view->retainCount(), 3u);
    EXPECT_TRUE(view->getPosition().equals(CCPoint(520, 400)));
    const CCSize size = view->getContentSize();
    ASSERT_TRUE(view->BeginDrag(CCPoint(520, 400)));
    view->DragTo(CCPoint(2000, 1500));
    EXPECT_TRUE(view->getPosition().equals(CCPoint(1024 - size.width / 2, 728 - size.height / 2)));
    view->DragTo(CCPoint(-3000, -3000));
    EXPECT_TRUE(view->getPosition().equals(CCPoint(size.width / 2, size.height / 2)));
    EXPECT_FALSE(view->BeginDrag(CCPoint(size.width + 1, size.height / 2)));

    view->retain();
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(10)));
    EXPECT_EQ(board->GetScoreView(), nullptr);
    EXPECT_EQ(view->getParent(), nullptr);
    EXPECT_EQ(view->retainCount(), 1u);
    view->release();
}

TEST_F(RedDealing, ALossOrNothingWonPlaysTheLossSound)
{
    EndRound(EndRecord(25, 1, 0));
    RunTo(12.2f);
    EXPECT_EQ(Played("RedNineBattle/Sound/END_LOST"), 1);
    EXPECT_EQ(Played("RedNineBattle/Sound/END_WIN"), 0);
}

TEST_F(RedDealing, EachSceneRestoresTheTable)
{
    ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{kMe})));
    ASSERT_TRUE(Scene(GS_BETTING, BytesOf(PlaySceneRecord(12, 1))));
    EXPECT_EQ(board->GetBetState(), RedBoard::kStateBetting);
    EXPECT_TRUE(board->IsJoinedMidRound());
    EXPECT_EQ(board->GetAreaTotal(1), 1601100);
    EXPECT_EQ(board->GetMyBet(1), 10000);
    EXPECT_FALSE(board->GetMyBetLabel(2)->isVisible());
    EXPECT_FALSE(board->GetTotalLabel(3)->isVisible());
    EXPECT_EQ(board->LabelText("Label_60"), "7121200");
    EXPECT_EQ(board->GetApplyMinScore(), 2000000);
    EXPECT_TRUE(board->GetBankerCheckBox()->getSelectedState());
    EXPECT_EQ(board->GetClockSeconds(), 12);
    // 1601100 as 5 chips, 20000 as 2, 5000000 as 1, 100 as 1, 500000 as 1.
    EXPECT_EQ(board->GetTableChips().size(), 10u);
    SaveScreen("rednine_restore_betting");

    ASSERT_TRUE(Scene(GS_RESULT, BytesOf(PlaySceneRecord(9, 1))));
    EXPECT_EQ(board->GetBetState(), RedBoard::kStateResultScene);
    EXPECT_EQ(board->GetTableChips().size(), 10u);
    for (int hand = 0; hand < 4; ++hand)
    {
        EXPECT_TRUE(Shown(hand, 0) && Shown(hand, 1));
        EXPECT_EQ(board->GetCard(hand, 1)->GetCardData(), kRoundCards[2 * hand + 1]);
        EXPECT_EQ(ResultPicture(hand), kPictures[hand]);
    }
    ASSERT_NE(board->GetScoreView(), nullptr);
    EXPECT_EQ(board->GetScoreView()->getChildrenCount(), 3u);
    // Door 2 lost: door 1 (area 4), door 3 (area 1) and their bridge (area 2) light.
    for (int area = 1; area <= AREA_COUNT; ++area)
        EXPECT_EQ(board->GetArea(area)->numberOfRunningActions() > 0, area == 4 || area == 1 || area == 2) << area;
    EXPECT_FALSE(board->GetChipButton(0)->isTouchEnabled());
    SaveScreen("rednine_restore_result");

    ASSERT_TRUE(Scene(GS_FREE, BytesOf(FreeSceneRecord(20, 2, 1000000))));
    EXPECT_EQ(board->GetBetState(), RedBoard::kStateFreeScene);
    EXPECT_EQ(board->LabelText("Label_2_11"), "4");
    EXPECT_EQ(board->LabelText("Label_2_10"), "25,0000");
    EXPECT_EQ(board->GetStatusTexture(), "RedNineBattle/status/freetime.png");
}

// A scene shows its own table only, whatever the board showed before it: a
// betting scene after a result has no cards or score view, a free scene
// after it no chips or amounts, and the opening mode may be chosen again.
TEST_F(RedDealing, EachSceneShowsOnlyItsOwnTable)
{
    ASSERT_TRUE(Scene(GS_RESULT, BytesOf(PlaySceneRecord(9, 1))));
    ASSERT_NE(board->GetScoreView(), nullptr);
    ASSERT_FALSE(board->GetChipButton(0)->isBright());

    ASSERT_TRUE(Scene(GS_BETTING, BytesOf(PlaySceneRecord(12, 1))));
    EXPECT_EQ(board->GetScoreView(), nullptr);
    for (int hand = 0; hand < 4; ++hand)
    {
        EXPECT_FALSE(Shown(hand, 0) || Shown(hand, 1)) << hand;
        EXPECT_EQ(board->GetResultSprite(hand), nullptr) << hand;
    }
    for (int area = 1; area <= AREA_COUNT; ++area)
        EXPECT_EQ(board->GetArea(area)->numberOfRunningActions(), 0u) << area;
    EXPECT_EQ(board->GetTableChips().size(), 10u);

    ASSERT_TRUE(Scene(GS_RESULT, BytesOf(PlaySceneRecord(9, 1))));
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(FreeSceneRecord(20, 2, 1000000))));
    EXPECT_EQ(board->GetScoreView(), nullptr);
    EXPECT_TRUE(board->GetTableChips().empty());
    EXPECT_FALSE(board->IsJoinedMidRound());
    EXPECT_EQ(board->LabelText("Label_60"), "0");
    for (int area = 1; area <= AREA_COUNT; ++area)
    {
        EXPECT_EQ(board->GetAreaTotal(area), 0) << area;
        EXPECT_FALSE(board->GetTotalLabel(area)->isVisible()) << area;
        EXPECT_FALSE(board->GetMyBetLabel(area)->isVisible()) << area;
        EXPECT_EQ(board->GetArea(area)->numberOfRunningActions(), 0u) << area;
    }
    for (int hand = 0; hand < 4; ++hand)
        EXPECT_FALSE(Shown(hand, 0) || Shown(hand, 1)) << hand;
    EXPECT_TRUE(board->GetWidget("Button_47")->isBright());
    EXPECT_FALSE(board->GetWidget("Button_46")->isBright());
}

// Entered in a result, the result panel shows what this round scored, not
// 0 or another round's figures beside the score view's.
TEST_F(RedDealing, ARestoredResultShowsTheRoundsOwnFigures)
{
    PlayScene scene = PlaySceneRecord(9, 1);
    tcbtest::BusyFigures(scene);
    ExpectRestoredResultShowsItsFigures(scene, End(20), "rednine_restored_figures_");
}

}  // namespace
