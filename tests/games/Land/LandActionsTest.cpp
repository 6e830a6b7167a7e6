// What I do at the table, and what the board does for me: plays tested as a
// lead or a follow before they are sent, passes, hints, the right button,
// the trustee and the previous plays.
#include "LandFixture.h"

using namespace cocos2d;
using namespace Sexy;
using namespace landtest;
using Land::LandBoard;

namespace {

// Sorted: SJ 2 A K Q J T 9 8 7 7 6 6 5 4 4 3, then the bottom 9 9 3.
const char kHand[] = "3a 4a 4b 5a 6a 6b 7a 7b 8a 9a Ta Ja Qa Ka Aa 2a SJ";
const char kBottom[] = "9b 9c 3b";

}  // namespace

class LandActionsTest : public LandTest
{
protected:
    void Select(const std::string& cards)
    {
        for (uint8_t card : Cards(cards))
        {
            for (CardSprite* sprite : MyHand())
            {
                if (sprite->GetCardData() == card && sprite->IsSelected() == 0)
                    TapCard(sprite);
            }
        }
    }
    // The other two are dealt in, the right player lands, I follow.
    void MakeRightLandlordAndPlay(const std::string& cards)
    {
        ASSERT_TRUE(Game(Land::SUB_S_SEND_CARD, Deal(kLeft, kHand)));
        Seconds(5);
        ASSERT_TRUE(Game(Land::SUB_S_LAND_SCORE, Call(kRight, kLeft, 1, 1)));
        ASSERT_TRUE(Game(Land::SUB_S_LAND_SCORE, Call(Land::INVALID_CHAIR, kRight, 2, 2)));
        ASSERT_TRUE(Game(Land::SUB_S_BANKER_INFO, Banker(kRight, "Kb Kc Kd")));
        ASSERT_TRUE(Game(Land::SUB_S_OUT_CARD, Out(kLeft, kRight, cards)));
        ASSERT_TRUE(Game(Land::SUB_S_PASS_CARD, Pass(0, kMe, kLeft)));
        Step(30);
        ClearSent();
    }
};

TEST_F(LandActionsTest, AValidLeadIsSentInHandOrderAndFliesToTheMiddle)
{
    DealAndMakeMeLandlord(kHand, kBottom);
    board->LayoutHandCards(false);
    Select("9a 9b 9c 4a");
    PressButton(board->PlayButton());
    const auto sent = SentGame();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].first, Land::SUB_C_OUT_CARD);
    EXPECT_EQ(sent[0].second, (Bytes{4, 0x29, 0x19, 0x09, 0x04}));
    EXPECT_EQ(board->MyCardCount(), 16);
    EXPECT_EQ(board->HandSprites(kMe).size(), 16u);
    ASSERT_EQ(board->SelectedCards().size(), 4u);
    Step(60);
    // Four cards centre on places 8 to 11, 200 above my row.
    EXPECT_TRUE(board->SelectedCards()[0]->getPosition().equals(board->Place(0, 8) + CCPoint(0, 200)));
    EXPECT_TRUE(board->SelectedCards()[3]->getPosition().equals(board->Place(0, 11) + CCPoint(0, 200)));
    EXPECT_FALSE(board->PlayButton()->isVisible());
    EXPECT_EQ(land->m_cbFreeLead, 0);
    // No time-out follows a play.
    Seconds(35);
    EXPECT_EQ(SentGame().size(), 1u);
}

TEST_F(LandActionsTest, AnInvalidPlaySendsNothingAndSaysSoAboveTheRow)
{
    DealAndMakeMeLandlord(kHand, kBottom);
    Select("Ka Qa");
    PressButton(board->PlayButton());
    EXPECT_TRUE(SentGame().empty());
    EXPECT_EQ(Selected(), "");
    EXPECT_EQ(board->MyCardCount(), 20);
    auto signs = ChildrenShowing(board->GetContentRoot(), "Land/bufuhe");
    ASSERT_EQ(signs.size(), 1u);
    EXPECT_TRUE(signs[0]->getPosition().equals(board->Place(0, 10) + CCPoint(0, 250)));
    Step(90);
    EXPECT_TRUE(ChildrenShowing(board->GetContentRoot(), "Land/bufuhe").empty());
    // Nothing selected is no play either.
    PressButton(board->PlayButton());
    EXPECT_TRUE(SentGame().empty());
}

TEST_F(LandActionsTest, AFollowMustBeatTheTable)
{
    MakeRightLandlordAndPlay("5c 5d");
    Select("4a 4b");
    PressButton(board->PlayButton());
    EXPECT_TRUE(SentGame().empty());
    auto signs = ChildrenShowing(board->GetContentRoot(), "Land/bufuhe");
    ASSERT_EQ(signs.size(), 1u);
    EXPECT_TRUE(signs[0]->getPosition().equals(board->Place(0, 10) + CCPoint(0, 200)));
    Select("7a 7b");
    PressButton(board->PlayButton());
    ASSERT_EQ(SentGame().size(), 1u);
    EXPECT_EQ(SentGame()[0].second, (Bytes{2, 0x17, 0x07}));
    EXPECT_FALSE(land->HasTableRecord());
}

TEST_F(LandActionsTest, PassSendsAnEmptyMessageAndShowsMySign)
{
    MakeRightLandlordAndPlay("5c 5d");
    Select("7a");
    PressButton(board->PassButton());
    ASSERT_EQ(SentGame().size(), 1u);
    EXPECT_EQ(SentGame()[0], (std::pair<uint16_t, Bytes>{Land::SUB_C_PASS_CARD, {}}));
    EXPECT_TRUE(board->PassSign(0)->isVisible());
    EXPECT_FALSE(board->PlayButton()->isVisible());
    EXPECT_EQ(Selected(), "");
    Seconds(25);
    EXPECT_EQ(SentGame().size(), 1u);
}

TEST_F(LandActionsTest, HintCyclesThroughTheRowsAndPassesWhenNothingBeatsTheTable)
{
    MakeRightLandlordAndPlay("5c 5d");
    // Pairs above fives: 6 6 and 7 7.
    PressButton(board->HintButton());
    EXPECT_EQ(Selected(), "6b 6a");
    PressButton(board->HintButton());
    EXPECT_EQ(Selected(), "7b 7a");
    PressButton(board->HintButton());
    EXPECT_EQ(Selected(), "6b 6a");
    EXPECT_TRUE(SentGame().empty());
    // Against a pair of twos nothing of mine can follow.
    ASSERT_TRUE(Game(Land::SUB_S_OUT_CARD, Out(kRight, kMe, "6a 6b")));
    ASSERT_TRUE(Game(Land::SUB_S_OUT_CARD, Out(kLeft, kRight, "2c 2d")));
    ASSERT_TRUE(Game(Land::SUB_S_PASS_CARD, Pass(0, kMe, kLeft)));
    ClearSent();
    PressButton(board->HintButton());
    ASSERT_EQ(SentGame().size(), 1u);
    EXPECT_EQ(SentGame()[0].first, Land::SUB_C_PASS_CARD);
    EXPECT_FALSE(board->PlayButton()->isVisible());
}

TEST_F(LandActionsTest, TheRightButtonPlaysOnlyOnMyTurn)
{
    ASSERT_TRUE(Game(Land::SUB_S_SEND_CARD, Deal(kLeft, kHand)));
    Seconds(5);
    ASSERT_TRUE(Game(Land::SUB_S_BANKER_INFO, Banker(kRight, "Kb Kc Kd")));
    Step(30);
    ClearSent();
    // Not my turn: a valid-looking single stays in my hand.
    TapCard(MyCard("3a"));
    board->OnRButtonUp();
    EXPECT_TRUE(SentGame().empty());
    EXPECT_EQ(board->MyCardCount(), 17);
    ASSERT_TRUE(Game(Land::SUB_S_OUT_CARD, Out(kMe, kRight, "Jc")));
    board->LayoutHandCards(false);
    TapCard(MyCard("Qa"));
    board->OnRButtonUp();
    ASSERT_EQ(SentGame().size(), 1u);
    EXPECT_EQ(SentGame()[0].second, (Bytes{1, 0x0C}));
    EXPECT_EQ(board->MyCardCount(), 16);
}

TEST_F(LandActionsTest, TheOutCardTimeOutPlaysTheFirstHintOrPasses)
{
    MakeRightLandlordAndPlay("5c 5d");
    // Half a second is gone already: to 19.5 s, then past 20 s.
    Step(60 * 19);
    EXPECT_TRUE(SentGame().empty());
    Step(60);
    ASSERT_EQ(SentGame().size(), 1u);
    EXPECT_EQ(SentGame()[0].second, (Bytes{2, 0x16, 0x06}));
}

TEST_F(LandActionsTest, TrusteeOnMyTurnPlaysAtOnce)
{
    MakeRightLandlordAndPlay("5c 5d");
    PressButton(board->TrusteeButton());
    ASSERT_EQ(SentGame().size(), 1u);
    EXPECT_EQ(SentGame()[0].first, Land::SUB_C_OUT_CARD);
    // Off again: later turns keep their full length.
    PressButton(board->TrusteeButton());
    EXPECT_FALSE(board->IsTrustee());
    EXPECT_FALSE(board->TrusteeSign()->isVisible());
}

TEST_F(LandActionsTest, PreviousPlaysShowForTwoSecondsAndTheButtonWaits)
{
    MakeRightLandlordAndPlay("5c 5d");
    // The left passed: its previous play is empty; the right's pair is on the table.
    ASSERT_TRUE(Game(Land::SUB_S_OUT_CARD, Out(kRight, kMe, "6a 6b")));
    ASSERT_TRUE(Game(Land::SUB_S_OUT_CARD, Out(kLeft, kRight, "9c 9d")));
    Step(30);
    const Land::CardList& table = board->OutCards(1);
    ASSERT_EQ(table.size(), 2u);
    ASSERT_EQ(board->PreviousPlayCount(1), 2);
    PressButton(board->PreviousButton());
    EXPECT_FALSE(board->PreviousButton()->isEnabled());
    EXPECT_FALSE(table[0]->isVisible());
    const Land::CardList& previous = board->PreviousPlays(1);
    EXPECT_TRUE(previous[previous.size() - 1]->isVisible());
    EXPECT_EQ(previous[previous.size() - 1]->GetCardData(), Cards("5c")[0]);
    Step(60 * 2 + 10);
    EXPECT_TRUE(board->PreviousButton()->isEnabled());
    EXPECT_TRUE(table[0]->isVisible());
    EXPECT_FALSE(previous[previous.size() - 1]->isVisible());
}

// My turn with the previous plays open: my last play comes back where it lay,
// between my hand and the other seats' plays, and never over my buttons.
TEST_F(LandActionsTest, MyPreviousPlayLiesClearOfMyButtons)
{
    MakeRightLandlordAndPlay("5c 5d");
    Select("6a 6b");
    PressButton(board->PlayButton());
    ASSERT_TRUE(Game(Land::SUB_S_OUT_CARD, Out(kRight, kMe, "6a 6b")));
    ASSERT_TRUE(Game(Land::SUB_S_OUT_CARD, Out(kLeft, kRight, "9c 9d")));
    ASSERT_TRUE(Game(Land::SUB_S_PASS_CARD, Pass(0, kMe, kLeft)));
    Step(30);
    ASSERT_TRUE(board->IsMyTurn());
    ASSERT_EQ(board->PreviousPlayCount(0), 2);
    Select("7a 7b");
    PressButton(board->PreviousButton());
    const Land::CardList& mine = board->PreviousPlays(0);
    ASSERT_TRUE(mine[mine.size() - 1]->isVisible());
    SaveScreen("land_previous_plays");
    for (const std::string& overlap : nodeboxes::Overlaps(TableBoxes(board)))
        ADD_FAILURE() << overlap;
}
