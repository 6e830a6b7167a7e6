// Five-card stud's table: the deal and the peek at my hole card, which of
// the six buttons show when, the label rules, the give-up's end modes, the
// result views and their drag, and the reset that rebuilds the buttons.
#include "StudFixture.h"

#include "games/ShowHandANEx/ScoreView.h"
#include "games/ShowHandANEx/Settlement.h"

using namespace studtest;
using namespace ShowHandANEx;
using namespace cocos2d;
using namespace cocos2d::extension;

namespace {

class StudBoard : public StudTest
{
protected:
    // A game start with me on chair 0 (my hole card the ace of spades) and
    // the cards landed.
    void StartHand(uint16_t current, int64_t cell = 100)
    {
        ASSERT_TRUE(Game(SUB_S_GAME_START, Start(current, 0x31, 0x05, 0x16, cell)));
        Run(60);
    }
    std::string Title(CCControlButton* button) const
    {
        CCString* title = button != nullptr ? button->getTitleForState(CCControlStateNormal) : nullptr;
        return title != nullptr ? title->getCString() : std::string();
    }
    // The control buttons on the table.
    int ButtonsOnTable() const
    {
        int n = 0;
        CCArray* children = board->GetContentRoot()->getChildren();
        for (unsigned i = 0; children != nullptr && i < children->count(); ++i)
            n += dynamic_cast<CCControlButton*>(children->objectAtIndex(i)) != nullptr ? 1 : 0;
        return n;
    }
    bool Shown(CCControlButton* button) const { return button != nullptr && button->isVisible(); }
    bool Usable(CCControlButton* button) const { return Shown(button) && button->isEnabled(); }
};

TEST_F(StudBoard, MyCardsLandAndTheHoleCardShowsOnlyWhilePressed)
{
    EnterTable(0);
    StartHand(0);
    Sexy::CardSprite* hole = board->GetCardSprite(0, 0);
    Sexy::CardSprite* shown = board->GetCardSprite(0, 1);
    EXPECT_EQ(hole->GetCardData(), Sexy::CardSprite::kCardBack);
    EXPECT_EQ(shown->GetCardData(), 0x05);
    EXPECT_TRUE(shown->getPosition().equals(board->Layout().cardSlot[0][1]));
    EXPECT_EQ(board->GetCardSprite(1, 0)->GetCardData(), Sexy::CardSprite::kCardBack);
    EXPECT_EQ(board->GetCardSprite(1, 1)->GetCardData(), 0x16);
    EXPECT_TRUE(Shown(board->FollowButton()));
    EXPECT_GE(Played("ShowHandANEx/Sound/SEND_CARD"), 2);

    // The strip of the hole card the card over it leaves uncovered.
    const CCPoint at = board->GetContentRoot()->convertToWorldSpace(hole->getPosition() + CCPoint(-40, 0));
    Touch(0, at.x, at.y);
    EXPECT_EQ(hole->GetCardData(), 0x31);
    Touch(2, at.x, at.y);
    EXPECT_EQ(hole->GetCardData(), Sexy::CardSprite::kCardBack);
    EXPECT_TRUE(Sends().empty());
}

TEST_F(StudBoard, RaisesAreTitledByTheBaseBetAndShowHandWaitsForAThirdCard)
{
    EnterTable(0);
    StartHand(0, 250);
    for (int i = 0; i < NNBoard::kRaiseButtons; ++i)
        EXPECT_TRUE(Usable(board->RaiseButton(i))) << i;
    EXPECT_EQ(Title(board->RaiseButton(0)), "250");
    EXPECT_EQ(Title(board->RaiseButton(1)), "500");
    EXPECT_EQ(Title(board->RaiseButton(2)), "1250");
    EXPECT_TRUE(Usable(board->FollowButton()));
    EXPECT_TRUE(Shown(board->ShowHandButton()));
    EXPECT_FALSE(board->ShowHandButton()->isEnabled());
    EXPECT_TRUE(Usable(board->GiveUpButton()));

    const uint8_t cards[2][2] = {{0x07, 0}, {0x08, 0}};
    ASSERT_TRUE(Game(SUB_S_SEND_CARD, Send(0, 1, cards)));
    Run(60);
    EXPECT_TRUE(Usable(board->ShowHandButton()));
}

TEST_F(StudBoard, ARoundWithBothFlagsOffersNoRaiseAndNoShowHand)
{
    EnterTable(0);
    StartHand(1);
    const uint8_t cards[2][2] = {{0x07, 0}, {0x08, 0}};
    ASSERT_TRUE(Game(SUB_S_SEND_CARD, Send(1, 1, cards)));
    Run(60);
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(1, 0, 300, 300, 0, 1, 1)));
    for (int i = 0; i < NNBoard::kRaiseButtons; ++i)
        EXPECT_FALSE(Shown(board->RaiseButton(i))) << i;
    EXPECT_TRUE(Usable(board->FollowButton()));
    EXPECT_TRUE(Shown(board->ShowHandButton()));
    EXPECT_FALSE(board->ShowHandButton()->isEnabled());
}

TEST_F(StudBoard, AfterAShowHandOnlyShowHandAndGiveUpAreOffered)
{
    EnterTable(0);
    StartHand(1);
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(1, 0, 5000, 5000, 1)));
    EXPECT_TRUE(board->IsShowHandMode());
    EXPECT_TRUE(Usable(board->ShowHandButton()));
    EXPECT_TRUE(Usable(board->GiveUpButton()));
    EXPECT_FALSE(Shown(board->FollowButton()));
    for (int i = 0; i < NNBoard::kRaiseButtons; ++i)
        EXPECT_FALSE(Shown(board->RaiseButton(i)));
}

TEST_F(StudBoard, EachButtonHidesTheSixPlaysItsSoundAndSendsItsPrice)
{
    EnterTable(0);
    StartHand(0);
    const struct
    {
        int button;  // 0..2 raise, 3 follow, 4 show hand, 5 give up
        const char* sound;
        uint16_t sub;
    } cases[] = {{1, "ShowHandANEx/Sound/CHOOSE_SCORE", SUB_C_ADD_SCORE},
                 {3, "ShowHandANEx/Sound/Check", SUB_C_ADD_SCORE},
                 {5, "ShowHandANEx/Sound/GAME_END", SUB_C_GIVE_UP}};
    for (const auto& c : cases)
    {
        ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(1, 0, 100, 100)));
        CCControlButton* button = c.button < 3    ? board->RaiseButton(c.button)
                                  : c.button == 3 ? board->FollowButton()
                                  : c.button == 4 ? board->ShowHandButton()
                                                  : board->GiveUpButton();
        audio.log.clear();
        Sends();
        button->sendActionsForControlEvents(CCControlEventTouchDown);
        EXPECT_EQ(Played(c.sound), 1) << c.sound;
        const auto sent = Sends();
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0].first, c.sub);
        EXPECT_FALSE(Shown(board->FollowButton()));
        EXPECT_FALSE(Shown(board->GiveUpButton()));
        EXPECT_FALSE(Shown(board->RaiseButton(0)));
    }
}

// A reset made a second set of buttons over the first: the old set stayed,
// clickable if shown, and sent actions. (Out of my turn: in it, see below.)
TEST_F(StudBoard, AResetLeavesOneSetOfActionButtons)
{
    EnterTable(0);
    StartHand(1);
    const int before = ButtonsOnTable();
    CCControlButton* oldFollow = board->FollowButton();
    oldFollow->retain();
    board->ResetGameView();
    board->ResetGameView();
    EXPECT_EQ(ButtonsOnTable(), before);
    EXPECT_EQ(oldFollow->getParent(), nullptr);
    oldFollow->release();
    EXPECT_FALSE(Shown(board->FollowButton()));
}

// A reset during my turn (my seat drawn again) makes the new set show what
// the old one showed: my actions stay mine to take, titles and a disabled
// show hand included; out of my turn the new set stays hidden.
TEST_F(StudBoard, AResetDuringMyTurnLeavesMeMyActions)
{
    EnterTable(0);
    StartHand(0);
    ASSERT_TRUE(Usable(board->FollowButton()));
    ASSERT_TRUE(Shown(board->ShowHandButton()) && !board->ShowHandButton()->isEnabled());
    const int before = ButtonsOnTable();
    board->ResetGameView();
    EXPECT_EQ(ButtonsOnTable(), before);
    EXPECT_TRUE(Usable(board->FollowButton()));
    EXPECT_TRUE(Usable(board->GiveUpButton()));
    EXPECT_TRUE(Shown(board->ShowHandButton()));
    EXPECT_FALSE(board->ShowHandButton()->isEnabled());
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(Usable(board->RaiseButton(i))) << i;
    EXPECT_EQ(Title(board->RaiseButton(2)), "500");
    Sends();
    board->FollowButton()->sendActionsForControlEvents(CCControlEventTouchDown);
    EXPECT_EQ(Sends().size(), 1u);
    EXPECT_FALSE(Shown(board->FollowButton()));
    board->ResetGameView();
    EXPECT_FALSE(Shown(board->FollowButton()));
    EXPECT_FALSE(Shown(board->RaiseButton(0)));
}

TEST_F(StudBoard, TheLabelRulesKeepOneActionPerChairInView)
{
    EnterTable(0);
    StartHand(0);
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(0, 1, 200, 200)));
    EXPECT_NE(board->ActionLabel(0), nullptr);
    EXPECT_EQ(std::string(board->ActionLabel(0)->getString()), "+200");
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(1, 0, 400, 400)));
    // R2: chair 1 acted, so chair 0's label goes.
    EXPECT_EQ(board->ActionLabel(0), nullptr);
    EXPECT_NE(board->ActionLabel(1), nullptr);
    EXPECT_TRUE(board->IsActionLabelMade(0));
    // R3: at a send-card message, the current chair shows "+0" instead.
    const uint8_t cards[2][2] = {{0x07, 0}, {0x08, 0}};
    ASSERT_TRUE(Game(SUB_S_SEND_CARD, Send(1, 1, cards)));
    EXPECT_EQ(board->ActionLabel(1), nullptr);
    ASSERT_NE(board->RoundStartLabel(1), nullptr);
    EXPECT_EQ(std::string(board->RoundStartLabel(1)->getString()), "+0");
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(1, 0, 100, 100)));
    // R2 for chair 1: its round-start label and chair 0's action go.
    EXPECT_EQ(board->RoundStartLabel(1), nullptr);
    EXPECT_NE(board->ActionLabel(1), nullptr);
    EXPECT_EQ(std::string(board->ActionLabel(1)->getString()), "+100");

    board->ResetGameView();
    EXPECT_FALSE(board->IsActionLabelMade(0));
    EXPECT_EQ(board->ActionLabel(1), nullptr);
    EXPECT_EQ(board->PoolLabel(), nullptr);
}

TEST_F(StudBoard, AfterASceneChairZerosFirstActionClearsItsLabelAndTheRestore)
{
    EnterTable(0);
    PlayScene scene;
    scene.current = 1;
    ASSERT_TRUE(SceneMessage(GS_TK_PLAYING, Scene(scene)));
    ASSERT_TRUE(stud->IsRestored());
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(0, 1, 200, 200)));
    EXPECT_EQ(board->ActionLabel(0), nullptr);
    EXPECT_FALSE(stud->IsRestored());
}

TEST_F(StudBoard, AGiveUpOfEndModeOneCoversTheCardsForGood)
{
    EnterTable(0);
    StartHand(0);
    ASSERT_TRUE(Game(SUB_S_GIVE_UP, GiveUpMessage(1, END_MODE_COVER)));
    for (int k = 0; k < 2; ++k)
        EXPECT_EQ(board->GetCardSprite(1, k)->GetCardData(), Sexy::CardSprite::kCardBack);
    EXPECT_FALSE(Shown(board->FollowButton()));
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(500, -500, 0x31, 0x2B)));
    EXPECT_EQ(board->GetCardSprite(0, 0)->GetCardData(), Sexy::CardSprite::kCardBack);
    EXPECT_EQ(board->GetCardSprite(1, 0)->GetCardData(), Sexy::CardSprite::kCardBack);
}

TEST_F(StudBoard, TheGameEndRevealsTheHoleCardsAndShowsTheResultViews)
{
    EnterTable(1);
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(0, 0x31, 0x05, 0x16, 100)));
    Run(60);
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(-1200, 12345678, 0x2B, 0x31)));
    EXPECT_EQ(board->GetCardSprite(0, 0)->GetCardData(), 0x31);
    EXPECT_EQ(board->GetCardSprite(1, 0)->GetCardData(), 0x2B);
    ASSERT_NE(board->GetScoreView(), nullptr);
    EXPECT_NE(board->GetScoreView()->Bag(0), nullptr);
    ASSERT_NE(board->GetSettlement(), nullptr);
    EXPECT_EQ(std::string(board->GetSettlement()->ResultLabel(1)->getString()), "1234,5678");
    EXPECT_EQ(std::string(board->GetSettlement()->ResultLabel(0)->getString()), "-1200");
    EXPECT_EQ(board->FollowButton(), nullptr);
    EXPECT_TRUE(board->IsStartButtonShown());
    EXPECT_EQ(Played("ShowHandANEx/Sound/GAME_END"), 1);

    // Coins start within the first 0.66 s, stars within 0.8 s, each flying
    // two seconds: all at the bags after three, about half faded out.
    CFlyingPieces* coins = board->GetScoreView()->Coins();
    CFlyingPieces* stars = board->GetScoreView()->Stars();
    ASSERT_NE(coins, nullptr);
    ASSERT_NE(stars, nullptr);
    EXPECT_EQ(coins->GetPieceCount(), static_cast<size_t>(CScoreView::kCoins));
    EXPECT_EQ(stars->GetPieceCount(), static_cast<size_t>(CScoreView::kStars));
    Run(30);
    EXPECT_TRUE(coins->GetPiece(0).visible || coins->GetPiece(0).opacity == 0);
    EXPECT_NE(coins->GetPiece(0).frame, 0);
    EXPECT_EQ(coins->GetPiece(59).frame, 0);  // starts at 59/90 s
    Run(60 * 3);
    EXPECT_FALSE(coins->IsMoving());
    EXPECT_FALSE(stars->IsMoving());
    int shown = 0;
    for (CFlyingPieces* family : {coins, stars})
    {
        for (size_t i = 0; i < family->GetPieceCount(); ++i)
        {
            const CFlyingPieces::Shown piece = family->GetPiece(i);
            EXPECT_TRUE(piece.position.equals(CScoreView::kGatherPoint));
            shown += piece.visible ? 1 : 0;
        }
    }
    EXPECT_GT(shown, 40);
    EXPECT_LT(shown, 140);
    SaveScreen("stud_result");
}

TEST_F(StudBoard, ALossShowsTheSettlementWithoutTheWinAnimation)
{
    EnterTable(0);
    StartHand(0);
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(0, 0, 0x31, 0x2B)));
    ASSERT_NE(board->GetScoreView(), nullptr);
    EXPECT_EQ(board->GetScoreView()->Bag(0), nullptr);
    EXPECT_EQ(board->GetScoreView()->getChildrenCount(), 0u);
    EXPECT_TRUE(board->GetSettlement()->isVisible());
}

// The other player left before the end record came: the row has no name.
TEST_F(StudBoard, TheSettlementNamesNobodyForAChairThatWasLeft)
{
    EnterTable(0);
    StartHand(0);
    ASSERT_TRUE(Status(kOtherID, US_FREE, 65535, 65535));
    ASSERT_EQ(stud->GetTableUserData(1), nullptr);
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(800, -800, 0x31, 0x2B)));
    Settlement* panel = board->GetSettlement();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(std::string(panel->NameLabel(1)->getString()), "");
    EXPECT_NE(std::string(panel->NameLabel(0)->getString()), "");
    EXPECT_EQ(std::string(panel->ResultLabel(1)->getString()), "-800");
}

TEST_F(StudBoard, TheSettlementFollowsADragInsideTheWindowBounds)
{
    const CCSize panel(440, 160), window(1288, 762);
    EXPECT_TRUE(Settlement::ClampDrag(CCPoint(600, 400), panel, window).equals(CCPoint(600, 400)));
    EXPECT_TRUE(Settlement::ClampDrag(CCPoint(1280, 400), panel, window).equals(CCPoint(1068, 400)));
    EXPECT_TRUE(Settlement::ClampDrag(CCPoint(10, 400), panel, window).equals(CCPoint(220, 400)));
    EXPECT_TRUE(Settlement::ClampDrag(CCPoint(600, 760), panel, window).equals(CCPoint(600, 642)));
    EXPECT_TRUE(Settlement::ClampDrag(CCPoint(600, 20), panel, window).equals(CCPoint(600, 155)));

    EnterTable(0);
    StartHand(0);
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(-100, 100, 0x31, 0x2B)));
    Settlement* settlement = board->GetSettlement();
    CCNode* root = board->GetContentRoot();
    const CCPoint centre = root->convertToWorldSpace(settlement->getPosition());
    // A touch off the panel is not its own.
    const CCPoint outside = centre + CCPoint(0, 200);
    Touch(0, outside.x, outside.y);
    Touch(1, outside.x + 100, outside.y);
    Touch(2, outside.x + 100, outside.y);
    EXPECT_TRUE(root->convertToWorldSpace(settlement->getPosition()).equals(centre));
    // On the panel it follows the finger, and stops short of the bottom edge
    // (half its height and 75 above it).
    Touch(0, centre.x, centre.y);
    Touch(1, centre.x + 100, centre.y - 50);
    EXPECT_TRUE(root->convertToWorldSpace(settlement->getPosition()).equals(centre + CCPoint(100, -50)));
    Touch(1, centre.x + 100, 10);
    Touch(2, centre.x + 100, 10);
    EXPECT_FLOAT_EQ(root->convertToWorldSpace(settlement->getPosition()).y,
                    settlement->getContentSize().height / 2 + 75);
}

TEST_F(StudBoard, AClearWithBothChairsEmptyKeepsTheBetTotals)
{
    EnterTable(0);
    StartHand(0);
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(0, 1, 200, 200)));
    ASSERT_NE(board->BetLabel(0), nullptr);
    board->ResetGameViewEx();
    EXPECT_EQ(board->BetLabel(0), nullptr);

    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(0, 1, 200, 200)));
    ASSERT_TRUE(Status(kOtherID, US_FREE, 65535, 65535));
    ASSERT_TRUE(Status(kMeID, US_FREE, 65535, 65535));
    board->ResetGameViewEx();
    EXPECT_NE(board->BetLabel(0), nullptr);
}

TEST_F(StudBoard, TheSceneLaysTheCardsOutAtOnceAndOffersMyTurn)
{
    EnterTable(0);
    PlayScene scene;
    scene.current = 0;
    scene.cardCount = 3;
    const uint8_t mine[5] = {0x31, 0x05, 0x09}, theirs[5] = {0, 0x16, 0x1A};
    std::memcpy(scene.cards[0], mine, 5);
    std::memcpy(scene.cards[1], theirs, 5);
    scene.amounts[0][0] = 300;
    scene.amounts[1][1] = 300;
    ASSERT_TRUE(SceneMessage(GS_TK_PLAYING, Scene(scene)));
    EXPECT_EQ(board->GetCardSprite(0, 0)->GetCardData(), 0x31);
    EXPECT_EQ(board->GetCardSprite(1, 0)->GetCardData(), Sexy::CardSprite::kCardBack);
    EXPECT_EQ(board->GetCardSprite(1, 2)->GetCardData(), 0x1A);
    EXPECT_TRUE(board->GetCardSprite(1, 2)->getPosition().equals(board->Layout().cardSlot[1][2]));
    EXPECT_EQ(std::string(board->PoolLabel()->getString()), "600");
    EXPECT_EQ(board->Chips().size(), 1u);
    EXPECT_TRUE(Usable(board->FollowButton()));
    EXPECT_EQ(kernel->GetClockChairID(), 0);
}

// Coming in mid-hand I read each chair's stake as the scene gives it, in its
// own view's box; a chair that has staked nothing has no box. Play goes on
// from those totals, and the next hand starts from none.
TEST_F(StudBoard, TheSceneShowsEachChairsBetTotalUntilTheNextHand)
{
    EnterTable(1);
    PlayScene scene;
    scene.current = 0;
    scene.cardCount = 3;
    scene.amounts[0][0] = 1200000000;
    scene.amounts[0][1] = 34567890;
    ASSERT_TRUE(SceneMessage(GS_TK_PLAYING, Scene(scene)));
    EXPECT_EQ(board->GetChairBet(0), 1234567890);
    ASSERT_NE(board->BetLabel(0), nullptr);
    EXPECT_EQ(std::string(board->BetLabel(0)->getString()), "12,3456,7890");
    EXPECT_TRUE(board->BetLabel(0)->getPosition().equals(board->Layout().betTotal[1]));
    EXPECT_TRUE(board->BetFrame(1)->isVisible());
    EXPECT_FALSE(board->BetLabel(1) != nullptr && board->BetLabel(1)->isVisible());
    EXPECT_FALSE(board->BetFrame(0)->isVisible());

    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(0, 1, 500, 500)));
    EXPECT_EQ(std::string(board->BetLabel(0)->getString()), "12,3456,8390");
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(1234568390, -1234568390, 0x31, 0x2B)));
    board->ResetGameView();
    EXPECT_FALSE(board->BetFrame(0)->isVisible());
    EXPECT_FALSE(board->BetFrame(1)->isVisible());
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 0x31, 0x05, 0x16, 100)));
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(1, 0, 200, 200)));
    EXPECT_EQ(board->GetChairBet(0), 0);
    EXPECT_EQ(std::string(board->BetLabel(1)->getString()), "200");
    EXPECT_TRUE(board->BetFrame(0)->isVisible());
    EXPECT_FALSE(board->BetFrame(1)->isVisible());
}

// The start button's press builds the hand's buttons while its own touch is
// under way: they must still answer clicks ahead of the table.
TEST_F(StudBoard, TheButtonsBuiltByTheStartButtonAnswerClicks)
{
    EnterTable(0);
    ASSERT_TRUE(Status(kMeID, US_SIT, 0, 5));
    board->ShowStartButton(true, 30);
    CCControlButton* start = board->GetStartButton();
    const CCPoint s = start->getParent()->convertToWorldSpace(start->getPosition() + CCPoint(60, -24));
    Tap(s.x, s.y);
    EXPECT_FALSE(board->IsStartButtonShown());
    Sends();
    StartHand(0);
    CCControlButton* raise = board->RaiseButton(1);
    const CCPoint r = raise->getParent()->convertToWorldSpace(raise->getPosition());
    Tap(r.x, r.y);
    const auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].first, SUB_C_ADD_SCORE);
    EXPECT_EQ(AmountOf(sent[0].second), 200);
}

// A table that waits redraws only for its clock's seconds: the deal, the
// chips and the result's coins and stars come to rest.
TEST_F(StudBoard, AStillTableDrawsOnlyItsClock)
{
    EnterTable(0);
    CCDirector* director = CCDirector::sharedDirector();
    director->startAnimation();
    stud->SetGameClock(0, IDI_TURN_CLOCK, 30);
    const unsigned clock = DrawsInThreeSeconds();
    StartHand(0);
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(0, 1, 200, 200)));
    EXPECT_LE(DrawsInThreeSeconds(), clock + 3);
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(500, -500, 0x31, 0x2B)));
    Step(180);  // the coins and stars gather
    EXPECT_LE(DrawsInThreeSeconds(), clock + 3);
}

}  // namespace
