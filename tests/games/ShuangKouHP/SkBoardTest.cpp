// The Shuang Kou table: the deal and my turn, selection by tap, drag and two
// ends of a line, the play checked with jokers standing in, the pass sent
// once, the time-out and the trustee, the sort, the last trick, the voices
// and animations of a play, and the result layer with whole 64-bit amounts.
#include "SkFixture.h"

#include "games/ShuangKouHP/ScoreView.h"

using namespace sktest;
using namespace ShuangKouHP;
using namespace cocos2d;
using namespace cocos2d::extension;

namespace {

const char* const kHand = "3 3 4 5 6 7 8 9 10 J Q K A 2 2 5 5 5 5 9 9 s b 6 7 8 K";

class SkBoard : public SkTest
{
protected:
    bool Shown(CCControlButton* button) const { return button != nullptr && button->isVisible(); }
    // Faces of my hand as laid out.
    std::string Laid() const
    {
        skt::Cards cards;
        for (Sexy::CardSprite* card : MyHand())
            cards.push_back(card->GetCardData());
        return skt::Text(cards);
    }
};

TEST_F(SkBoard, TheDealLaysOutBothHandsAndOpensMyTurn)
{
    EnterTable(0);
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(10)));
    ASSERT_TRUE(Game(SUB_S_SEND_CARD, Deal(0, kHand)));
    EXPECT_EQ(Played("shuangkouHP/effect/otherSounds/GAME_START"), 1);
    EXPECT_FALSE(board->SortButton()->isEnabled());
    Run(120);
    EXPECT_EQ(board->HandCount(), 27);
    EXPECT_EQ(Laid(), "b s 2 2 A K K Q J 10 9 9 9 8 8 7 7 6 6 5 5 5 5 5 4 3 3");
    const auto hand = MyHand();
    EXPECT_TRUE(hand[0]->getPosition().equals(HPBoard::kHandRow[0]));
    EXPECT_TRUE(hand[26]->getPosition().equals(HPBoard::kHandRow[0] + CCPoint(26 * 17, 0)));
    EXPECT_TRUE(board->SortButton()->isEnabled());
    EXPECT_TRUE(Shown(board->PlayButton()));
    EXPECT_FALSE(board->PassButton()->isEnabled());
    EXPECT_TRUE(board->IsMyTurn());
    EXPECT_EQ(sk->m_cbLeadFlag, 1);
    EXPECT_EQ(std::string(board->OtherCountLabel()->getString()), "27");
    EXPECT_EQ(kernel->GetClockTimerID(), IDI_TURN_CLOCK);
}

TEST_F(SkBoard, TapsDragsAndTwoEndsSelect)
{
    EnterTable(0);
    DealHand(kHand, true);
    auto hand = MyHand();
    TapCard(hand[3]);
    EXPECT_EQ(Selected(), "2");
    EXPECT_FLOAT_EQ(hand[3]->getPositionY(), HPBoard::kHandRow[0].y + HPBoard::kRaise);
    TapCard(hand[3]);
    EXPECT_EQ(Selected(), "");
    DragCards(hand[17], hand[20]);
    EXPECT_EQ(Selected(), "6 6 5 5");
    board->OnLButtonDblClk();
    EXPECT_EQ(Selected(), "");
    // Two ends, the 10 and the 6: the first card of each value between joins.
    TapCard(hand[9]);
    TapCard(hand[17]);
    EXPECT_EQ(Selected(), "10 9 8 7 6");
}

TEST_F(SkBoard, ALeadIsCheckedAndSentAsPlayedWithItsJokers)
{
    EnterTable(0);
    DealHand(kHand, true);
    // A small and a big joker together play as a pair of big jokers.
    Select("s b");
    Press(board->PlayButton());
    auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].first, SUB_C_OUT_CARD);
    ASSERT_EQ(sent[0].second.size(), 28u);
    EXPECT_EQ(PlayedText(sent[0].second), "b s");
    EXPECT_EQ(sk->m_cbLeadFlag, 0);
    EXPECT_FALSE(board->IsMyTurn());
}

TEST_F(SkBoard, ARefusedSelectionLeavesTheHandWholeAndLowered)
{
    EnterTable(0);
    DealHand(kHand, true);
    Select("3 4");
    Press(board->PlayButton());
    EXPECT_TRUE(Sends().empty());
    EXPECT_EQ(Selected(), "");
    EXPECT_EQ(board->HandCount(), 27);
    EXPECT_TRUE(board->PlayButton()->isEnabled());
    EXPECT_TRUE(board->IsMyTurn());
    for (Sexy::CardSprite* card : MyHand())
        EXPECT_FLOAT_EQ(card->getPositionY(), HPBoard::kHandRow[0].y);
}

TEST_F(SkBoard, AFollowMustBeatTheTableAndJokersStandIn)
{
    EnterTable(0);
    DealHand(kHand, false);
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, Out(1, 0, "8 8 8 8")));
    EXPECT_EQ(board->OtherCount(), 23);
    EXPECT_EQ(board->Trick(1).size(), 4u);
    EXPECT_TRUE(Shown(board->PlayButton()));
    EXPECT_TRUE(board->PassButton()->isEnabled());
    // Four fives lose to four eights; with a joker they are a bomb of five.
    Select("5 5 5 5");
    Press(board->PlayButton());
    EXPECT_TRUE(Sends().empty());
    Select("5 5 5 5 s");
    Press(board->PlayButton());
    auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    // In hand order, the joker as a joker.
    EXPECT_EQ(PlayedText(sent[0].second), "s 5 5 5 5");

    // The server's echo moves them to my trick.
    audio.log.clear();
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, Out(0, 1, "5 5 5 5 s")));
    EXPECT_EQ(board->HandCount(), 22);
    EXPECT_EQ(board->Trick(0).size(), 5u);
    EXPECT_FALSE(Shown(board->PlayButton()));
    EXPECT_EQ(Played("shuangkouHP/effect/boy/BOMB_CARD"), 1);
    EXPECT_EQ(Played("shuangkouHP/effect/otherSounds/BOMB"), 1);
}

TEST_F(SkBoard, PassingTwiceSendsOnePass)
{
    EnterTable(1);
    DealHand(kHand, false);
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, Out(0, 1, "2")));
    Press(board->PassButton());
    Press(board->PassButton());
    auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].first, SUB_C_PASS_CARD);
    EXPECT_TRUE(sent[0].second.empty());
    ASSERT_TRUE(Game(SUB_S_PASS_CARD, Pass(1, 0)));
    EXPECT_TRUE(board->PassSign(0)->isVisible());
    EXPECT_FALSE(board->IsMyTurn());
    EXPECT_EQ(Played("shuangkouHP/effect/boy/PASS_CARD"), 1);
    // The other leads again after my pass, and then passes on my answer.
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, Out(0, 1, "3")));
    Select("4");
    Press(board->PlayButton());
    ASSERT_EQ(Sends().size(), 1u);
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, Out(1, 0, "4")));
    ASSERT_TRUE(Game(SUB_S_PASS_CARD, Pass(0, 1)));
    EXPECT_TRUE(board->PassSign(1)->isVisible());
    EXPECT_EQ(sk->m_cbLeadFlag, 1);
    EXPECT_FALSE(board->PassButton()->isEnabled());
    EXPECT_EQ(Played("shuangkouHP/effect/girl/PASS_CARD"), 1);
}

TEST_F(SkBoard, TheTimeOutPlaysTheLowestCardWhenLeadingAndPassesWhenFollowing)
{
    EnterTable(0);
    DealHand(kHand, true);  // two seconds of the thirty
    Run(60 * 27);
    EXPECT_TRUE(Sends().empty());
    Run(60 * 2);
    auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(PlayedText(sent[0].second), "3");
    Run(60 * 40);
    EXPECT_TRUE(Sends().empty());

    ASSERT_TRUE(Game(SUB_S_OUT_CARD, Out(0, 1, "3")));
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, Out(1, 0, "4")));
    Run(60 * 31);
    sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].first, SUB_C_PASS_CARD);
}

TEST_F(SkBoard, TheTrusteePlaysAfterASecond)
{
    EnterTable(0);
    DealHand(kHand, false);
    Press(board->TrusteeButton());
    EXPECT_TRUE(board->IsTrustee());
    EXPECT_TRUE(board->TrusteeSign()->isVisible());
    EXPECT_FLOAT_EQ(board->TrusteeSign()->getPositionX(), 900);
    EXPECT_FLOAT_EQ(board->TrusteeSign()->getPositionY(), 300);
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, Out(1, 0, "K")));
    Run(70);
    auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].first, SUB_C_PASS_CARD);
    Press(board->TrusteeButton());
    EXPECT_FALSE(board->TrusteeSign()->isVisible());
    EXPECT_EQ(board->TrusteeSign()->numberOfRunningActions(), 0u);
}

// Taken back within its second, the trustee plays nothing for me: my own
// turn's time-out still passes at thirty seconds, also for a turn that began
// under the trustee.
TEST_F(SkBoard, TakingTheTrusteeBackWithinItsSecondPlaysNothing)
{
    EnterTable(0);
    DealHand(kHand, false);
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, Out(1, 0, "K")));
    Run(60 * 10);
    Press(board->TrusteeButton());
    Run(30);
    Press(board->TrusteeButton());
    Run(60 * 19);
    EXPECT_TRUE(Sends().empty());
    Run(60 * 2);
    auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].first, SUB_C_PASS_CARD);

    ASSERT_TRUE(Game(SUB_S_PASS_CARD, Pass(0, 1)));
    Press(board->TrusteeButton());
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, Out(1, 0, "Q")));
    Run(30);
    Press(board->TrusteeButton());
    Run(60 * 29);
    EXPECT_TRUE(Sends().empty());
    Run(60 * 2);
    sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].first, SUB_C_PASS_CARD);
}

TEST_F(SkBoard, SortTwiceReturnsToTheOrderByValue)
{
    EnterTable(0);
    DealHand(kHand, true);
    const std::string byValue = Laid();
    Press(board->SortButton());
    EXPECT_EQ(board->SortMode(), ST_GROUP);
    EXPECT_EQ(Laid(), "b s 5 5 5 5 5 9 9 9 2 2 K K 8 8 7 7 6 6 3 3 A Q J 10 4");
    Press(board->SortButton());
    EXPECT_EQ(Laid(), byValue);
}

TEST_F(SkBoard, TheLastTrickShowsForTwoSeconds)
{
    EnterTable(0);
    DealHand(kHand, true);
    Select("3 3");
    Press(board->PlayButton());
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, Out(0, 1, "3 3")));
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, Out(1, 0, "Q Q")));
    Run(30);
    ASSERT_EQ(board->LastTrick(0).size(), 2u);
    Press(board->LastTrickButton());
    EXPECT_TRUE(board->LastTrick(0)[0]->isVisible());
    EXPECT_FALSE(board->Trick(1)[0]->isVisible());
    EXPECT_FALSE(board->LastTrickButton()->isEnabled());
    Run(130);
    EXPECT_FALSE(board->LastTrick(0)[0]->isVisible());
    EXPECT_TRUE(board->Trick(1)[0]->isVisible());
    EXPECT_TRUE(board->LastTrickButton()->isEnabled());
}

TEST_F(SkBoard, APlaysVoiceAndAnimationFollowItsPattern)
{
    EnterTable(0);
    DealHand(kHand, false);
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, Out(1, 0, "Q")));
    EXPECT_EQ(Played("shuangkouHP/effect/girl/SINGLE_12"), 1);
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, Out(1, 0, "b")));
    EXPECT_EQ(Played("shuangkouHP/effect/girl/SINGLE_15"), 1);
    const unsigned before = board->GetContentRoot()->getChildrenCount();
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, Out(1, 0, "3 4 5 6 7")));
    EXPECT_EQ(Played("shuangkouHP/effect/girl/SINGLE_LINE"), 1);
    // The five cards and the animation.
    EXPECT_EQ(board->GetContentRoot()->getChildrenCount(), before + 6);
    Run(60 * 4);
    EXPECT_EQ(board->GetContentRoot()->getChildrenCount(), before + 5);
}

TEST_F(SkBoard, TheResultShowsWhole64BitAmountsAndTheOthersCards)
{
    EnterTable(1);
    DealHand(kHand, false);
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(5000000000LL, INT64_MIN, 1, "9 3 K", 4294967296LL + 7)));
    CScoreView* view = board->GetScoreView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(std::string(view->GetScoreLabel(1)->getString()), "5000000000");
    EXPECT_EQ(std::string(view->GetScoreLabel(0)->getString()), "9223372036854775808");
    EXPECT_NE(view->GetSign(0), nullptr);
    EXPECT_EQ(view->GetSign(1), nullptr);
    EXPECT_EQ(std::string(view->GetShownValue()->getString()), "4294967303");
    EXPECT_EQ(std::string(view->GetCounterLabel(0)->getString()), "9");
    EXPECT_EQ(std::string(view->GetCounterLabel(1)->getString()), "18");
    EXPECT_TRUE(board->IsStartButtonShown());
    EXPECT_FALSE(Shown(board->PlayButton()));
    // The other's three cards face up, by value.
    EXPECT_EQ(board->OtherCount(), 3);
    EXPECT_EQ(board->Hand(1)[0]->GetCardData() & 0x0F, 13);
    EXPECT_EQ(board->Hand(1)[2]->GetCardData() & 0x0F, 3);
    EXPECT_FALSE(board->Hand(1)[3]->isVisible());

    Press(view->GetCloseButton());
    EXPECT_FALSE(view->isVisible());
    Run(30);
    SaveScreen("sk_result");
}

TEST_F(SkBoard, ANoughtChangeLosesAndALossHidesTheOthersCards)
{
    EnterTable(0);
    DealHand(kHand, false);
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(0, 0, 0, "4 4")));
    CScoreView* view = board->GetScoreView();
    ASSERT_NE(view, nullptr);
    EXPECT_NE(view->GetSign(0), nullptr);
    EXPECT_EQ(std::string(view->GetScoreLabel(0)->getString()), "0");
    board->ResetGameView();
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(-40, 40, 0, "4 4")));
    EXPECT_EQ(board->OtherCount(), 0);
    EXPECT_FALSE(board->Hand(1)[0]->isVisible());
}

// The other player left before the end: the row has no name.
TEST_F(SkBoard, TheResultNamesNobodyForAChairThatWasLeft)
{
    EnterTable(0);
    DealHand(kHand, true);
    ASSERT_TRUE(Status(kOtherID, US_FREE, 65535, 65535));
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(30, -30, 0)));
    CScoreView* view = board->GetScoreView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(std::string(view->GetNameLabel(1)->getString()), "");
    EXPECT_NE(std::string(view->GetNameLabel(0)->getString()), "");
}

TEST_F(SkBoard, ThePlayingSceneRestoresTheTable)
{
    EnterTable(0);
    PlayScene scene = AHandUnderWay(50);
    ASSERT_TRUE(SceneMessage(GS_SK_PLAYING, Scene(scene)));
    EXPECT_EQ(board->HandCount(), 8);
    EXPECT_EQ(Laid(), "s 9 8 7 6 5 4 3");
    EXPECT_EQ(board->OtherCount(), 12);
    EXPECT_EQ(std::string(board->BaseScoreLabel()->getString()), "50");
    EXPECT_TRUE(board->IsMyTurn());
    EXPECT_TRUE(board->IsPassAllowed());
    EXPECT_TRUE(board->PassButton()->isEnabled());
    EXPECT_EQ(board->Trick(1).size(), 2u);
    // Nothing schedules a time-out after a scene: only the clock runs.
    Run(60 * 31);
    EXPECT_TRUE(Sends().empty());
    Select("9 s");
    Press(board->PlayButton());
    auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(PlayedText(sent[0].second), "s 9");

    // The other passed on my cards: I open, with no pass.
    scene.turn = 0;
    scene.current = 0;
    ASSERT_TRUE(SceneMessage(GS_SK_PLAYING, Scene(scene)));
    EXPECT_TRUE(board->PassSign(1)->isVisible());
    EXPECT_FALSE(board->PassButton()->isEnabled());
    EXPECT_EQ(sk->m_cbLeadFlag, 1);
}

// A table that waits redraws only for its clock's seconds once the deal and
// a play have come to rest.
TEST_F(SkBoard, AStillTableDrawsOnlyItsClock)
{
    EnterTable(0);
    CCDirector* director = CCDirector::sharedDirector();
    director->startAnimation();
    sk->SetGameClock(0, IDI_TURN_CLOCK, 30);
    const unsigned clock = DrawsInThreeSeconds();
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(10)));
    ASSERT_TRUE(Game(SUB_S_SEND_CARD, Deal(1, kHand)));
    Step(120);
    EXPECT_LE(DrawsInThreeSeconds(), clock + 3);
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, Out(1, 0, "3 4 5 6 7")));
    Step(240);  // the line's animation ends
    EXPECT_LE(DrawsInThreeSeconds(), clock + 3);
}

}  // namespace
