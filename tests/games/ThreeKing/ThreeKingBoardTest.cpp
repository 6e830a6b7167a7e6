// The San Gong table: the banker mark, the chips, the deal to the seats in
// play, the hand signs, the result view and the reset.
#include "../NodeBoxes.h"
#include "../TableReadables.h"
#include "ThreeKingFixture.h"

#include "games/ThreeKing/HandNames.h"
#include "games/framework/BoardDrawUserData.h"

using namespace tktest;
using namespace ThreeKing;
using cocos2d::CCPoint;

namespace {

// Chair 2 (mine) holds 9 9 3 (1 point); chair 0 a San Gong, chair 1 a bomb,
// chair 3 points 0, chairs 4 and 5 5 points.
const std::vector<Bytes> kHands = {{0x0B, 0x1C, 0x2D}, {0x05, 0x15, 0x25}, {0x09, 0x19, 0x03},
                                   {0x0A, 0x0B, 0x1A}, {0x01, 0x02, 0x02}, {0x31, 0x32, 0x32}};

class ThreeKingTable : public ThreeKingTest
{
protected:
    // The banker on chair 0, a maximum of 900, the cards dealt and flown.
    void DealRound()
    {
        ASSERT_TRUE(Game(100, BankerSet(900, 0)));
        Seconds(1);
        ASSERT_TRUE(Game(103, SendCard(kHands)));
        Seconds(2);
    }
};

TEST_F(ThreeKingTable, TheBankerMarkLandsOnTheBankersSeatWithAShake)
{
    ASSERT_NE(EnterTable(), nullptr);
    ASSERT_TRUE(Game(100, BankerSet(900, 5)));
    EXPECT_FLOAT_EQ(board->GetBankerMark()->getScale(), 4.0f);
    EXPECT_EQ(board->GetBankerMark()->getPosition(), board->BankerMarkPoint(3));
    Seconds(1);
    EXPECT_FLOAT_EQ(board->GetBankerMark()->getScale(), 1.0f);
    EXPECT_EQ(Played("ThreeKing/Sound/shangfen1"), 1);
    EXPECT_TRUE(board->GetStateSign(NNBoard::kSignScore)->isVisible());
    EXPECT_FALSE(board->GetStateSign(NNBoard::kSignCall)->isVisible());
}

TEST_F(ThreeKingTable, IAmTheBankerAndMakeNoBetButtons)
{
    ASSERT_NE(EnterTable(), nullptr);
    ASSERT_TRUE(Game(100, BankerSet(900, kMyChair)));
    EXPECT_EQ(board->GetBetButton(0), nullptr);
}

TEST_F(ThreeKingTable, BetLabelsOfASmallMaximumAreTruncated)
{
    ASSERT_NE(EnterTable(), nullptr);
    ASSERT_TRUE(Game(100, BankerSet(10, 0)));
    EXPECT_EQ(Title(board->GetBetButton(0)), "10");
    EXPECT_EQ(Title(board->GetBetButton(1)), "5");
    EXPECT_EQ(Title(board->GetBetButton(2)), "3");
    // A second banker message makes the buttons anew, not over the old ones.
    cocos2d::extension::CCControlButton* old = board->GetBetButton(0);
    old->retain();
    ASSERT_TRUE(Game(100, BankerSet(50000, 0)));
    EXPECT_EQ(old->getParent(), nullptr);
    old->release();
    EXPECT_EQ(Title(board->GetBetButton(0)), "5,0000");
}

TEST_F(ThreeKingTable, ABetFliesAChipWithItsAmountToTheBettorsSeat)
{
    ASSERT_NE(EnterTable(), nullptr);
    ASSERT_TRUE(Game(100, BankerSet(90000, 0)));
    ASSERT_TRUE(Game(101, AddScore(4, 30000)));
    cocos2d::CCSprite* chip = board->GetChip(4);
    ASSERT_NE(chip, nullptr);
    EXPECT_EQ(chip->getPosition(), board->BankerMarkPoint(2));
    Seconds(1);
    EXPECT_EQ(chip->getPosition(), board->ChipTarget(2));
    ASSERT_EQ(chip->getChildrenCount(), 1u);
    auto* label = dynamic_cast<cocos2d::CCLabelTTF*>(chip->getChildren()->objectAtIndex(0));
    ASSERT_NE(label, nullptr);
    EXPECT_STREQ(label->getString(), "3,0000");
    EXPECT_EQ(board->GetLastBet(), 30000);
    // A chair that is nobody's draws nothing.
    ASSERT_TRUE(Game(101, AddScore(9, 500)));
    EXPECT_EQ(board->GetLastBet(), 500);
}

using ThreeKingChips = readables::AtWindow<ThreeKingTable>;

// Bets of ten digits read whole on their chips at every seat, flown or
// restored, at every window size: drawn smaller on the chip, none under a
// seat panel (the top seat's panel cut off its first digits, leaving
// "00,0000,0000").
TEST_P(ThreeKingChips, BetsOfTenDigitsStandWholeOnTheirChips)
{
    ASSERT_NE(EnterTable(), nullptr);
    auto expectWhole = [&](const char* how) {
        std::vector<covering::Readable> amounts;
        for (uint16_t chair = 0; chair < NNBoard::kSeats; ++chair)
        {
            cocos2d::CCSprite* chip = board->GetChip(chair);
            if (chip == nullptr)
                continue;
            auto* label = static_cast<cocos2d::CCLabelTTF*>(chip->getChildren()->objectAtIndex(0));
            EXPECT_STREQ(label->getString(), chair == kMyChair ? "9876,5432" : "98,7654,3210") << how;
            for (const std::string& out :
                 nodeboxes::Outside({{"chair " + std::to_string(chair) + " amount", nodeboxes::WorldBox(label)}},
                                    nodeboxes::WorldBox(chip)))
                ADD_FAILURE() << how << ": " << out;
            amounts.push_back({"chair " + std::to_string(chair) + " amount", label});
        }
        EXPECT_EQ(amounts.size(), 5u) << how;
        for (const std::string& found : covering::Covered(amounts))
            ADD_FAILURE() << how << ": " << found;
    };
    ASSERT_TRUE(Game(100, BankerSet(9876543210LL, 4)));
    for (uint16_t chair : {0, 1, 2, 3, 5})
        ASSERT_TRUE(Game(101, AddScore(chair, chair == kMyChair ? 98765432LL : 9876543210LL)));
    Seconds(1);
    expectWhole("flown");
    board->ResetGameView();
    for (uint16_t chair : {0, 1, 2, 3, 5})
        board->PlaceBetChip(chair, chair == kMyChair ? 98765432LL : 9876543210LL);
    Step();
    expectWhole("restored");
}

INSTANTIATE_TEST_SUITE_P(Windows, ThreeKingChips, ::testing::ValuesIn(readables::kWindows), readables::ByWindow);

TEST_F(ThreeKingTable, TheDealReachesOnlyTheSeatsInPlay)
{
    ASSERT_NE(EnterTable({0, 1, 3, 4}), nullptr);
    // Chair 4 sits but does not play this round; chair 5 is empty.
    ASSERT_TRUE(Status(2004, US_SIT, 4));
    DealRound();
    EXPECT_FALSE(board->GetStateSign(NNBoard::kSignScore)->isVisible());
    EXPECT_TRUE(board->GetStateSign(NNBoard::kSignOpen)->isVisible());
    for (uint16_t chair : {0, 1, 3})
    {
        EXPECT_TRUE(board->IsInPlay(chair)) << chair;
        for (int i = 0; i < 3; ++i)
        {
            Sexy::CardSprite* card = board->GetCardSprite(chair, i);
            EXPECT_TRUE(card->isVisible()) << chair;
            EXPECT_EQ(card->GetCardData(), Sexy::CardSprite::kCardBack);
            EXPECT_FLOAT_EQ(card->getScale(), 0.7f);
            EXPECT_EQ(card->getZOrder(), NNBoard::kDealtCardZOrder);
        }
    }
    for (uint16_t chair : {4, 5})
    {
        EXPECT_FALSE(board->IsInPlay(chair));
        EXPECT_FALSE(board->GetCardSprite(chair, 0)->isVisible()) << chair;
    }
    // Mine face up at full size, the third hidden; then my buttons.
    for (int i = 0; i < 2; ++i)
    {
        Sexy::CardSprite* card = board->GetCardSprite(kMyChair, i);
        EXPECT_TRUE(card->isVisible());
        EXPECT_EQ(card->GetCardData(), kHands[kMyChair][i]);
        EXPECT_FLOAT_EQ(card->getScale(), 1.0f);
        EXPECT_EQ(card->getPosition(), board->CardPoint(0, i));
        EXPECT_EQ(card->getZOrder(), NNBoard::kDealtMyCardZOrder);
    }
    EXPECT_FALSE(board->GetCardSprite(kMyChair, 2)->isVisible());
    EXPECT_TRUE(board->GetShowButton()->isVisible());
    EXPECT_TRUE(board->GetMyTypeButton()->isVisible());
    EXPECT_EQ(Played("ThreeKing/Sound/selCard"), 4);
}

TEST_F(ThreeKingTable, TheShowButtonSaysMyHandIsAThreeCardHand)
{
    ASSERT_NE(EnterTable(), nullptr);
    DealRound();
    Sends();
    Press(board->GetShowButton());
    std::vector<kt::Sent> sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].sub, 3);
    EXPECT_EQ(sent[0].payload, Bytes{1});
    EXPECT_FALSE(board->GetShowButton()->isVisible());
    EXPECT_FALSE(board->GetMyTypeButton()->isVisible());
}

TEST_F(ThreeKingTable, TheHandSignButtonSignsOnlyMyHandAndTheResultSignsEveryHand)
{
    ASSERT_NE(EnterTable(), nullptr);
    DealRound();
    Press(board->GetMyTypeButton());
    EXPECT_FALSE(board->IsOwnSignOnly());
    // Pressed again, it draws no second sign over the first.
    Press(board->GetMyTypeButton());
    ASSERT_EQ(board->GetHandSigns().size(), 1u);
    EXPECT_EQ(board->GetHandSigns()[0]->getPosition(), board->GetCardSprite(kMyChair, 1)->getPosition());
    EXPECT_EQ(board->GetHandSigns()[0]->getZOrder(), NNBoard::kHandSignZOrder);

    const int64_t scores[6] = {10, 20, 30, 40, 50, 60};
    const uint8_t indexes[6] = {10, 11, 1, 0, 5, 5};
    ASSERT_TRUE(Game(104, GameEnd(scores, indexes)));
    EXPECT_EQ(board->GetHandSigns().size(), 6u);
    // The others' cards face up, and my hidden third card with them.
    EXPECT_EQ(board->GetCardSprite(1, 2)->GetCardData(), kHands[1][2]);
    EXPECT_TRUE(board->GetCardSprite(kMyChair, 2)->isVisible());
}

TEST_F(ThreeKingTable, TheResultNamesEachSeatedUsersHandAndScore)
{
    ASSERT_NE(EnterTable({1, 4}), nullptr);
    ASSERT_TRUE(Game(100, BankerSet(900, 1)));
    const int64_t scores[6] = {0, -98765, 500, 0, 42, 0};
    const uint8_t indexes[6] = {0, 10, 3, 0, 11, 0};
    ASSERT_TRUE(Game(104, GameEnd(scores, indexes)));
    CScoreView* view = board->GetScoreView();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->getPosition(), CCPoint(500, 385));
    EXPECT_EQ(view->getZOrder(), NNBoard::kScoreViewZOrder);
    // Rows by chair, with no gap for the empty chairs.
    ASSERT_EQ(view->GetRows().size(), 3u);
    EXPECT_EQ(view->GetRows()[0].name, "玩家2001");
    EXPECT_EQ(view->GetRows()[0].hand, "三公");
    EXPECT_EQ(view->GetRows()[0].score, "-9,8765");
    EXPECT_EQ(view->GetRows()[1].name, "玩家1000");
    EXPECT_EQ(view->GetRows()[1].hand, "3点");
    EXPECT_EQ(view->GetRows()[2].hand, "炸弹");
    EXPECT_EQ(view->m_ptRows[1], CCPoint(80, 130));
    EXPECT_EQ(Played("ThreeKing/Sound/man/Point_3.wav"), 1);
    EXPECT_EQ(Played("ThreeKing/Sound/win.mp3"), 1);
    EXPECT_TRUE(board->IsStartButtonShown());
}

TEST_F(ThreeKingTable, ALosingOrEvenResultPlaysTheLosingSoundInAWomansVoice)
{
    ASSERT_NE(EnterTable({0, 1}, US_PLAY, 1), nullptr);
    const int64_t scores[6] = {0, 0, 0, 0, 0, 0};
    const uint8_t indexes[6] = {0, 0, 7, 0, 0, 0};
    ASSERT_TRUE(Game(104, GameEnd(scores, indexes)));
    EXPECT_EQ(Played("ThreeKing/Sound/women/Point_7.wav"), 1);
    EXPECT_EQ(Played("ThreeKing/Sound/Lose.mp3"), 1);
}

TEST_F(ThreeKingTable, AHandIndexPastTheNamesShowsNoNameAndPlaysNoVoice)
{
    ASSERT_NE(EnterTable({0}), nullptr);
    ASSERT_TRUE(Game(100, BankerSet(900, 0)));
    const int64_t scores[6] = {5, 0, -5, 0, 0, 0};
    const uint8_t indexes[6] = {12, 0, 255, 0, 0, 0};
    ASSERT_TRUE(Game(104, GameEnd(scores, indexes)));
    ASSERT_EQ(board->GetScoreView()->GetRows().size(), 2u);
    EXPECT_EQ(board->GetScoreView()->GetRows()[0].hand, "");
    EXPECT_EQ(board->GetScoreView()->GetRows()[1].hand, "");
    EXPECT_EQ(Played("Point_"), 0);
    EXPECT_EQ(Played("ThreeKing/Sound/Lose.mp3"), 1);
}

TEST_F(ThreeKingTable, AUserWhoLeftBeforeTheResultKeepsHisRow)
{
    ASSERT_NE(EnterTable({0, 4}), nullptr);
    ASSERT_TRUE(Game(100, BankerSet(900, 0)));
    // Chair 4's user leaves the room: his record is gone from the kernel.
    ASSERT_TRUE(Status(2002, 0, 0xFFFF, 0xFFFF));
    Step();
    const int64_t scores[6] = {-100, 0, 50, 0, 50, 0};
    const uint8_t indexes[6] = {1, 0, 2, 0, 9, 0};
    ASSERT_TRUE(Game(104, GameEnd(scores, indexes)));
    ASSERT_EQ(board->GetScoreView()->GetRows().size(), 3u);
    EXPECT_EQ(board->GetScoreView()->GetRows()[2].name, "玩家2002");
    EXPECT_EQ(board->GetScoreView()->GetRows()[2].hand, "9点");
}

TEST_F(ThreeKingTable, TheResultViewIsDraggedInsideTheVisibleArea)
{
    const cocos2d::CCSize visible(1288, 762);
    const cocos2d::CCSize size(440, 210);
    EXPECT_EQ(CScoreView::ClampDrag(CCPoint(600, 400), size, visible), CCPoint(600, 400));
    EXPECT_EQ(CScoreView::ClampDrag(CCPoint(1200, 400), size, visible), CCPoint(1068, 400));
    EXPECT_EQ(CScoreView::ClampDrag(CCPoint(10, 400), size, visible), CCPoint(220, 400));
    EXPECT_EQ(CScoreView::ClampDrag(CCPoint(600, 700), size, visible), CCPoint(600, 617));
    EXPECT_EQ(CScoreView::ClampDrag(CCPoint(600, 20), size, visible), CCPoint(600, 180));

    ASSERT_NE(EnterTable({0}), nullptr);
    const int64_t scores[6] = {};
    const uint8_t indexes[6] = {};
    ASSERT_TRUE(Game(104, GameEnd(scores, indexes)));
    CScoreView* view = board->GetScoreView();
    ASSERT_NE(view, nullptr);
    // A touch on the view is the view's (ahead of the board); off it, not.
    cocos2d::CCTouch touch;
    const CCPoint inside = board->GetContentRoot()->convertToWorldSpace(CCPoint(500, 385));
    touch.setTouchInfo(1, inside.x, cocos2d::CCDirector::sharedDirector()->getWinSize().height - inside.y);
    EXPECT_TRUE(view->ccTouchBegan(&touch, nullptr));
    const CCPoint outside = board->GetContentRoot()->convertToWorldSpace(CCPoint(100, 700));
    touch.setTouchInfo(1, outside.x, cocos2d::CCDirector::sharedDirector()->getWinSize().height - outside.y);
    EXPECT_FALSE(view->ccTouchBegan(&touch, nullptr));
}

TEST_F(ThreeKingTable, TheResetClearsTheRoundFromTheTable)
{
    ASSERT_NE(EnterTable(), nullptr);
    DealRound();
    ASSERT_TRUE(Game(101, AddScore(3, 300)));
    Press(board->GetMyTypeButton());
    const int64_t scores[6] = {};
    const uint8_t indexes[6] = {};
    ASSERT_TRUE(Game(104, GameEnd(scores, indexes)));
    board->ResetGameView();
    EXPECT_EQ(board->GetScoreView(), nullptr);
    EXPECT_TRUE(board->GetHandSigns().empty());
    EXPECT_EQ(board->GetChip(3), nullptr);
    EXPECT_FALSE(board->GetBankerMark()->isVisible());
    EXPECT_EQ(board->GetMaxScore(), 0);
    for (uint16_t chair = 0; chair < 6; ++chair)
        for (int i = 0; i < 3; ++i)
        {
            Sexy::CardSprite* card = board->GetCardSprite(chair, i);
            EXPECT_FALSE(card->isVisible());
            EXPECT_FLOAT_EQ(card->getScale(), 0.3f);
            EXPECT_EQ(card->getZOrder(), (chair == 0 ? 10 : 9) - 2 * i);
        }
    // Hidden signs run no frames: a waiting table draws only its dealer.
    for (int s = 0; s < NNBoard::kSignCount; ++s)
    {
        EXPECT_FALSE(board->GetStateSign(static_cast<NNBoard::Sign>(s))->isVisible());
        EXPECT_EQ(board->GetStateSign(static_cast<NNBoard::Sign>(s))->numberOfRunningActions(), 0u);
    }
}

TEST_F(ThreeKingTable, MyPanelUsesTheCardTablesLayout)
{
    ASSERT_NE(EnterTable(), nullptr);
    Sexy::CBoardDrawUserData* panel = board->GetSeatPanel(0);
    ASSERT_NE(panel, nullptr);
    ASSERT_NE(panel->GetNameLabel(), nullptr);
    EXPECT_EQ(panel->GetNameLabel()->getPosition(), CCPoint(-12, 74));
}

}  // namespace

namespace {

constexpr float kResultDrawnRows = 161;

// The result lies between my cards and the top seat's, over no card; each
// hand's sign is a banner on its cards' lower half, under their ranks.
TEST_F(ThreeKingTable, TheResultAndTheHandSignsLeaveTheCardsReadable)
{
    ASSERT_NE(EnterTable(), nullptr);
    DealRound();
    const int64_t scores[6] = {10, 20, 30, 40, 50, 60};
    const uint8_t indexes[6] = {10, 11, 1, 0, 5, 5};
    ASSERT_TRUE(Game(104, GameEnd(scores, indexes)));
    ASSERT_NE(board->GetScoreView(), nullptr);
    // The rows the view draws in: the clear rows below stand it off my cards.
    const cocos2d::CCRect view = nodeboxes::TopRows(board->GetScoreView()->boundingBox(), kResultDrawnRows);
    ASSERT_EQ(board->GetHandSigns().size(), 6u);
    for (uint16_t chair = 0; chair < 6; ++chair)
    {
        SCOPED_TRACE(chair);
        for (int i = 0; i < 3; ++i)
            EXPECT_FALSE(board->GetCardSprite(chair, i)->boundingBox().intersectsRect(view)) << i;
    }
    for (cocos2d::CCSprite* sign : board->GetHandSigns())
    {
        // The middle card under the sign.
        Sexy::CardSprite* middle = nullptr;
        for (uint16_t chair = 0; chair < 6 && middle == nullptr; ++chair)
        {
            if (board->GetCardSprite(chair, 1)->getPosition().equals(sign->getPosition()))
                middle = board->GetCardSprite(chair, 1);
        }
        ASSERT_NE(middle, nullptr);
        const cocos2d::CCRect card = middle->boundingBox(), box = sign->boundingBox();
        EXPECT_GE(box.getMinY(), card.getMinY());
        EXPECT_LE(box.getMinY() + box.size.height / 3, card.getMidY());
        EXPECT_FALSE(box.intersectsRect(view));
    }
}

}  // namespace
