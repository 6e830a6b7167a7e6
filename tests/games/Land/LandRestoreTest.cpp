// Entering a game that runs: the calling table and the playing table built
// again from the scene, and my plays after it.
#include "LandFixture.h"

#include "games/Land/ScoreView.h"

#include <functional>

using namespace cocos2d;
using namespace cocos2d::extension;
using namespace Sexy;
using namespace landtest;
using Land::LandBoard;

namespace {

const char kMine[] = "3a 4a 5a 6a 7a 8a 9a Ta Ja";
const char kMyHand17[] = "3a 4a 5a 6a 7a 8a 9a Ta Ja Qa Ka Aa 2a 3b 4b 5b 6b";

int CallButtonsOnTable(CCNode* root)
{
    int n = 0;
    CCArray* children = root->getChildren();
    for (unsigned int i = 0; i < children->count(); ++i)
    {
        auto* button = dynamic_cast<CCControlButton*>(children->objectAtIndex(i));
        n += button != nullptr && button->getScale() == 0.8f ? 1 : 0;
    }
    return n;
}

}  // namespace

TEST_F(LandTest, CallingSceneDealsTheTableAgainAndOffersMyCall)
{
    ASSERT_TRUE(Scene(Land::GS_WK_SCORE, CallingScene(kMe, 2, "3a 4a 5a 6a 7a 8a 9a Ta Ja Qa Ka Aa 2a 3b 4b 5b 6b")));
    Step();
    EXPECT_EQ(land->m_cbRestored, 1);
    EXPECT_EQ(board->MyCardCount(), 17);
    EXPECT_EQ(CardName(MyHand()[0]->GetCardData()), "2a");
    EXPECT_TRUE(MyHand()[0]->getPosition().equals(board->Place(0, 1)));
    EXPECT_FLOAT_EQ(board->HandSprites(kRight)[3]->getRotation(), -150.0f);
    EXPECT_TRUE(board->HandSprites(kLeft)[3]->isVisible());
    EXPECT_FALSE(board->CallButton(1)->isEnabled());
    EXPECT_TRUE(board->CallButton(2)->isEnabled());
    EXPECT_TRUE(board->CallButton(3)->isVisible());
    EXPECT_EQ(board->GetUserClock(0), 15);
    // A second scene keeps the one set of call buttons; no time-out runs.
    ASSERT_TRUE(Scene(Land::GS_WK_SCORE, CallingScene(kMe, 1, "3a 4a 5a 6a 7a 8a 9a Ta Ja Qa Ka Aa 2a 3b 4b 5b 6b")));
    EXPECT_EQ(CallButtonsOnTable(board->GetContentRoot()), 4);
    Seconds(20);
    EXPECT_TRUE(SentGame().empty());
    SaveScreen("land_restore_calling");
}

TEST_F(LandTest, PlayingSceneShowsThePassesSinceTheTurnWinner)
{
    struct Case
    {
        uint16_t winner, current;
        uint8_t turnCount;
        bool passShown[3];  // by view
    };
    // Views: me 0, the right (chair 2) 1, the left (chair 0) 2.
    const Case cases[] = {
        {kLeft, kRight, 2, {true, false, false}},   // W = 0, current W + 2: chair 1 passed
        {kLeft, kMe, 2, {false, false, false}},     // current W + 1: nobody passed
        {kRight, kMe, 2, {false, false, true}},     // W = 2, current W + 2: chair 0 passed
        {kLeft, kRight, 0, {false, false, false}},  // nothing on the table
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.winner) + " " + std::to_string(c.current));
        const uint8_t counts[3] = {20, 9, 17};
        const char* table = c.turnCount != 0 ? "Qc Qd" : "";
        ASSERT_TRUE(Scene(Land::GS_WK_PLAYING, PlayingScene(kLeft, c.current, c.winner, table, kMine, counts)));
        for (uint16_t view = 0; view < 3; ++view)
            EXPECT_EQ(board->PassSign(view)->isVisible(), c.passShown[view]) << view;
    }
}

TEST_F(LandTest, PlayingSceneRebuildsHandsTableAndBottomOnce)
{
    const uint8_t counts[3] = {20, 9, 17};
    ASSERT_TRUE(Scene(Land::GS_WK_PLAYING, PlayingScene(kLeft, kMe, kRight, "Qc Qd", kMine, counts)));
    ASSERT_TRUE(Scene(Land::GS_WK_PLAYING, PlayingScene(kLeft, kMe, kRight, "Qc Qd", kMine, counts)));
    Step();
    // The landlord's list grows to 20 once, and shows its 20 backs.
    ASSERT_EQ(board->HandSprites(kLeft).size(), 20u);
    int backs = 0;
    for (CardSprite* card : board->HandSprites(kLeft))
        backs += card->isVisible() ? 1 : 0;
    EXPECT_EQ(backs, 20);
    EXPECT_FLOAT_EQ(board->HandSprites(kLeft)[0]->getRotation(), 130.0f);
    EXPECT_EQ(board->MyCardCount(), 9);
    EXPECT_EQ(CardName(MyHand()[0]->GetCardData()), "Ja");
    EXPECT_EQ(board->ViewCardCount(1), 17);
    EXPECT_EQ(board->ViewCardCount(2), 20);
    EXPECT_EQ(board->OutCards(1).size(), 2u);
    EXPECT_FLOAT_EQ(board->OutCards(1)[0]->getScale(), 0.7f);
    EXPECT_TRUE(Shows(board->IdentityImage(2), "Land/dizhu"));
    EXPECT_EQ(board->BottomSprites()[0]->GetCardData(), Cards("Ac")[0]);
    EXPECT_TRUE(board->PlayButton()->isVisible());
    EXPECT_TRUE(board->SortButton()->isEnabled());
    EXPECT_EQ(board->GetUserClock(0), 20);
    SaveScreen("land_restore_playing");
}

// The table shown again after the calling ended: the playing scene takes
// the call buttons and captions of the calling scene off the table.
TEST_F(LandTest, APlayingSceneAfterACallingSceneLeavesNoCallOnTheTable)
{
    ASSERT_TRUE(Scene(Land::GS_WK_SCORE, CallingScene(kMe, 2, "3a 4a 5a 6a 7a 8a 9a Ta Ja Qa Ka Aa 2a 3b 4b 5b 6b")));
    // The right passes the call on to me: his sign and my buttons show.
    ASSERT_TRUE(Game(Land::SUB_S_LAND_SCORE, Call(kMe, kRight, 0, Land::NO_CALL)));
    ASSERT_NE(board->CallCaption(1), nullptr);
    ASSERT_TRUE(board->CallButton(3)->isVisible());
    const uint8_t counts[3] = {20, 9, 17};
    ASSERT_TRUE(Scene(Land::GS_WK_PLAYING, PlayingScene(kLeft, kMe, kLeft, "", kMine, counts)));
    Step();
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(board->CallButton(i)->isVisible()) << i;
    for (uint16_t view = 0; view < Land::GAME_PLAYER; ++view)
        EXPECT_TRUE(board->CallCaption(view) == nullptr || !board->CallCaption(view)->isVisible()) << view;
    EXPECT_TRUE(board->PlayButton()->isVisible());
}

TEST_F(LandTest, AfterAPlayingSceneMyFollowIsTestedAgainstTheRestoredTable)
{
    const uint8_t counts[3] = {20, 9, 17};
    ASSERT_TRUE(Scene(Land::GS_WK_PLAYING, PlayingScene(kLeft, kMe, kRight, "Qc Qd", kMine, counts)));
    ASSERT_FALSE(land->HasTableRecord());
    // Two jacks do not beat two queens; no lead test lets them through.
    TapCard(MyCard("Ja"));
    TapCard(MyCard("Ta"));
    PressButton(board->PlayButton());
    EXPECT_TRUE(SentGame().empty());
    EXPECT_EQ(ChildrenShowing(board->GetContentRoot(), "Land/bufuhe").size(), 1u);
    // A refused play is no play: the hint, too, still looks at the restored
    // table, and nothing beats the queens.
    EXPECT_EQ(land->m_cbRestored, 1);
    PressButton(board->HintButton());
    ASSERT_EQ(SentGame().size(), 1u);
    EXPECT_EQ(SentGame()[0].first, Land::SUB_C_PASS_CARD);
}

TEST_F(LandTest, ALeadAfterAPlayingSceneIsTestedAsALead)
{
    const uint8_t counts[3] = {20, 9, 17};
    ASSERT_TRUE(Scene(Land::GS_WK_PLAYING, PlayingScene(kLeft, kMe, kMe, "Qc Qd", kMine, counts)));
    EXPECT_EQ(land->m_cbRestoredFreeLead, 1);
    for (const char* card : {"3a", "4a", "5a", "6a", "7a"})
        TapCard(MyCard(card));
    PressButton(board->PlayButton());
    ASSERT_EQ(SentGame().size(), 1u);
    EXPECT_EQ(SentGame()[0].second.size(), 6u);
    EXPECT_EQ(land->m_cbRestored, 0);
    EXPECT_FALSE(board->IsTrustee());
}

// A calling scene puts no card on the table: whatever a trick before it
// left, the landlord's first play leads once banker info ends the restore.
TEST_F(LandTest, AfterACallingSceneMyFirstPlayAsLandlordLeads)
{
    ASSERT_TRUE(Game(Land::SUB_S_BANKER_INFO, Banker(kLeft, "Ac 2c 2d")));
    ASSERT_TRUE(Game(Land::SUB_S_OUT_CARD, Out(kRight, kLeft, "Kc")));
    ASSERT_EQ(land->m_cbFreeLead, 0);
    ASSERT_TRUE(Scene(Land::GS_WK_SCORE, CallingScene(kMe, 0, kMyHand17)));
    ASSERT_TRUE(Game(Land::SUB_S_LAND_SCORE, Call(Land::INVALID_CHAIR, kMe, 3, 3)));
    ASSERT_TRUE(Game(Land::SUB_S_BANKER_INFO, Banker(kMe, "Kb Kc Kd")));
    EXPECT_EQ(land->m_cbRestored, 0);
    EXPECT_FALSE(board->PassButton()->isEnabled());
    ClearSent();
    // The bottom cards stand raised: down with them, up with a straight.
    for (const char* card : {"Kb", "Kc", "Kd", "3a", "4a", "5a", "6a", "7a"})
        TapCard(MyCard(card));
    PressButton(board->PlayButton());
    ASSERT_EQ(SentGame().size(), 1u);
    EXPECT_EQ(SentGame()[0].second.size(), 6u);
}

// The restored table is the table of its trick: what says what lies on the
// table next ends it, a pass inside the trick does not. Entered at my turn
// to follow the right player's queens; left to stand, the table would judge
// the next tricks' follows against them.
TEST_F(LandTest, TheRestoredTableEndsWithItsTrick)
{
    const uint8_t counts[3] = {20, 9, 17};
    const int64_t scores[3] = {-2, 1, 1};
    struct Case
    {
        const char* what;
        std::function<bool()> message;
        bool stays;
    };
    const Case cases[] = {
        {"my pass", [&] { return Game(Land::SUB_S_PASS_CARD, Pass(0, kLeft, kMe)); }, true},
        {"a pass that ends the trick", [&] { return Game(Land::SUB_S_PASS_CARD, Pass(1, kRight, kLeft)); }, false},
        {"a play over it", [&] { return Game(Land::SUB_S_OUT_CARD, Out(kMe, kLeft, "Kc Kd")); }, false},
        {"the game end", [&] { return Game(Land::SUB_S_GAME_END, End(scores)); }, false},
        {"a deal", [&] { return Game(Land::SUB_S_SEND_CARD, Deal(kLeft, kMyHand17)); }, false},
        {"banker info", [&] { return Game(Land::SUB_S_BANKER_INFO, Banker(kLeft, "Ac 2c 2d")); }, false},
        {"a new hand", [&] { return board->ResetGameView(), true; }, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(Scene(Land::GS_WK_PLAYING, PlayingScene(kLeft, kMe, kRight, "Qc Qd", kMine, counts)));
        ASSERT_EQ(land->m_cbRestoredTurnCount, 2);
        ASSERT_TRUE(c.message());
        EXPECT_EQ(land->m_cbRestored != 0, c.stays);
        EXPECT_EQ(land->m_cbRestoredTurnCount, c.stays ? 2 : 0);
    }
}

// Entered at my turn to follow a K, I pass; the trick ends and the right
// player leads a 9: the hint offers my 10, and the time-out plays it.
TEST_F(LandTest, AfterARestoredTrickTheHintAndTheTimeOutMeetTheNextTricksCards)
{
    const uint8_t counts[3] = {20, 9, 17};
    ASSERT_TRUE(Scene(Land::GS_WK_PLAYING, PlayingScene(kLeft, kMe, kRight, "Kc", kMine, counts)));
    EXPECT_TRUE(board->PassButton()->isEnabled());
    PressButton(board->PassButton());
    ASSERT_TRUE(Game(Land::SUB_S_PASS_CARD, Pass(0, kLeft, kMe)));
    ASSERT_TRUE(Game(Land::SUB_S_PASS_CARD, Pass(1, kRight, kLeft)));
    ASSERT_TRUE(Game(Land::SUB_S_OUT_CARD, Out(kLeft, kRight, "9c")));
    ASSERT_TRUE(Game(Land::SUB_S_PASS_CARD, Pass(0, kMe, kLeft)));
    ClearSent();
    PressButton(board->HintButton());
    EXPECT_EQ(Selected(), "Ta");
    EXPECT_TRUE(SentGame().empty());
    Seconds(21);
    ASSERT_EQ(SentGame().size(), 1u);
    EXPECT_EQ(SentGame()[0], (std::pair<uint16_t, Bytes>{Land::SUB_C_OUT_CARD, {1, Cards("Ta")[0]}}));
}

// Entered at my own free lead: no pass on it. Entered at another's turn,
// the scene leaves no free lead behind: once a play ends the restored
// trick, mine is a follow.
TEST_F(LandTest, APlayingSceneSetsWhetherMyNextPlayLeads)
{
    const uint8_t counts[3] = {20, 9, 17};
    ASSERT_TRUE(Scene(Land::GS_WK_PLAYING, PlayingScene(kLeft, kMe, kMe, "Qc Qd", kMine, counts)));
    EXPECT_TRUE(board->PlayButton()->isEnabled());
    EXPECT_FALSE(board->PassButton()->isEnabled());
    EXPECT_EQ(land->m_cbFreeLead, 1);
    ASSERT_TRUE(Scene(Land::GS_WK_PLAYING, PlayingScene(kLeft, kRight, kLeft, "Qc Qd", kMine, counts)));
    EXPECT_EQ(land->m_cbFreeLead, 0);
    ASSERT_TRUE(Game(Land::SUB_S_OUT_CARD, Out(kMe, kRight, "5c")));
    ClearSent();
    for (const char* card : {"3a", "4a", "5a", "6a", "7a"})
        TapCard(MyCard(card));
    PressButton(board->PlayButton());
    EXPECT_TRUE(SentGame().empty());
    TapCard(MyCard("6a"));
    PressButton(board->PlayButton());
    ASSERT_EQ(SentGame().size(), 1u);
    EXPECT_EQ(SentGame()[0], (std::pair<uint16_t, Bytes>{Land::SUB_C_OUT_CARD, {1, Cards("6a")[0]}}));
}

// A scene after a hand in play (my 3 and the right player's pair on the
// table, the trustee on, my turn's time-out pending) shows its own table
// alone: the free table no card, the calling table 17 a seat and the bottom.
TEST_F(LandTest, ASceneAfterAHandInPlayShowsItsOwnTableAlone)
{
    const std::pair<uint8_t, Bytes> scenes[] = {{Land::GS_WK_FREE, FreeScene(20, 15, 30)},
                                                {Land::GS_WK_SCORE, CallingScene(kRight, 1, kMyHand17)}};
    for (const auto& [status, scene] : scenes)
    {
        SCOPED_TRACE(int(status));
        board->ResetGameView();
        DealAndMakeMeLandlord(kMyHand17, "Ab Ac Ad");
        TapCard(MyCard("3a"));
        PressButton(board->PlayButton());
        ASSERT_TRUE(Game(Land::SUB_S_OUT_CARD, Out(kRight, kMe, "3a")));
        ASSERT_TRUE(Game(Land::SUB_S_OUT_CARD, Out(kLeft, kRight, "Kc Kd")));
        PressButton(board->TrusteeButton());
        ASSERT_TRUE(Game(Land::SUB_S_PASS_CARD, Pass(0, kMe, kLeft)));
        ClearSent();
        ASSERT_TRUE(Scene(status, scene));
        Seconds(25);
        EXPECT_TRUE(SentGame().empty());
        size_t shown = 0;
        CCObject* child = nullptr;
        CCARRAY_FOREACH(board->GetContentRoot()->getChildren(), child)
        {
            auto* card = dynamic_cast<CardSprite*>(child);
            shown += card != nullptr && card->isVisible() ? 1 : 0;
        }
        EXPECT_EQ(shown, status == Land::GS_WK_FREE ? 0u : 3u * 17 + 3);
        EXPECT_FALSE(board->IsTrustee() || board->PlayButton()->isVisible() || board->IdentityImage(0)->isVisible());
    }
}

class LandScoreViewTest : public LandTest
{
protected:
    Land::CScoreView* EndWith(const int64_t (&scores)[3])
    {
        EXPECT_TRUE(Game(Land::SUB_S_GAME_END, End(scores)));
        Step();
        return board->GetScoreView();
    }
    // Texts of the atlas labels of the view, in the order added.
    static std::vector<std::string> Numbers(CCNode* view)
    {
        std::vector<std::string> out;
        CCArray* children = view->getChildren();
        for (unsigned int i = 0; i < children->count(); ++i)
            if (auto* label = dynamic_cast<CCLabelAtlas*>(children->objectAtIndex(i)))
                out.push_back(label->getString());
        return out;
    }
};

TEST_F(LandScoreViewTest, AScoreOfZeroIsALossAndTwoWinnersAreTheFarmers)
{
    const int64_t scores[3] = {5, 0, 5};  // my chair 1 scores 0
    Land::CScoreView* view = EndWith(scores);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(ChildrenShowing(view, "Land/theEnd/lose").size(), 1u);
    EXPECT_EQ(ChildrenShowing(view, "Land/theEnd/nongminsheng").size(), 1u);
    EXPECT_EQ(Played(audio, "Land/effect/otherSounds/GAME_LOSE"), 1);
    EXPECT_EQ(ChildrenShowing(view, "Land/theEnd/fuhao").size(), 1u);
}

TEST_F(LandScoreViewTest, OneWinnerIsTheLandlordAndNegativeScoresShowTheirSize)
{
    const int64_t scores[3] = {-40, 80, -9223372036854775807LL - 1};
    Land::CScoreView* view = EndWith(scores);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(ChildrenShowing(view, "Land/theEnd/win").size(), 1u);
    EXPECT_EQ(ChildrenShowing(view, "Land/theEnd/dizhusheng").size(), 1u);
    EXPECT_EQ(ChildrenShowing(view, "Land/theEnd/fuhao").size(), 2u);
    const std::vector<std::string> numbers = Numbers(view);
    // The shown value, then score and number of each row (rows by view of chair 0, 1, 2).
    ASSERT_EQ(numbers.size(), 7u);
    EXPECT_EQ(numbers[0], "2");
    EXPECT_NE(std::find(numbers.begin(), numbers.end(), "40"), numbers.end());
    EXPECT_NE(std::find(numbers.begin(), numbers.end(), "9223372036854775808"), numbers.end());
    // Closing hides it; it stays until the next hand.
    view->OnClose(nullptr, 0);
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(board->GetScoreView(), view);
}

TEST_F(LandScoreViewTest, APlayerWhoLeftHasNoNameInHisRow)
{
    ASSERT_TRUE(Status(2002, US_NULL, 65535, 65535));
    const int64_t scores[3] = {1, 1, -2};
    Land::CScoreView* view = EndWith(scores);
    ASSERT_NE(view, nullptr);
    int empty = 0;
    CCArray* children = view->getChildren();
    for (unsigned int i = 0; i < children->count(); ++i)
        if (auto* label = dynamic_cast<CCLabelTTF*>(children->objectAtIndex(i)))
            empty += std::string(label->getString()).empty() ? 1 : 0;
    EXPECT_EQ(empty, 1);
}
