// One hand on the board: the reactions to the server's messages, the time-
// outs of my turns, the voices and effects, and the screens of each phase.
#include "LandFixture.h"

#include "games/Land/ScoreView.h"
#include "games/framework/TimerBox.h"

#include <functional>
#include <typeinfo>

using namespace cocos2d;
using namespace cocos2d::extension;
using namespace Sexy;
using namespace landtest;
using Land::LandBoard;

namespace {

const char kMyHand[] = "3a 4a 5a 6a 7a 8b 9b Tb Jb Qb Kc Ac 2c 2d SJ 3b 4b";

bool Shown(CCNode* node) { return node != nullptr && node->isVisible(); }

int SentCalls(const std::vector<std::pair<uint16_t, Bytes>>& sent, uint8_t call)
{
    int n = 0;
    for (const auto& s : sent)
        n += s.first == Land::SUB_C_LAND_SCORE && s.second == Bytes{call} ? 1 : 0;
    return n;
}

}  // namespace

TEST_F(LandTest, PhasesOfAHandOnScreen)
{
    ASSERT_TRUE(Game(Land::SUB_S_SEND_CARD, Deal(kMe, kMyHand)));
    Step(60);
    SaveScreen("land_deal");
    Seconds(6);
    SaveScreen("land_calling");
    ASSERT_TRUE(Game(Land::SUB_S_LAND_SCORE, Call(kRight, kMe, 1, 1)));
    ASSERT_TRUE(Game(Land::SUB_S_LAND_SCORE, Call(kLeft, kRight, 2, 2)));
    ASSERT_TRUE(Game(Land::SUB_S_LAND_SCORE, Call(Land::INVALID_CHAIR, kLeft, 3, 3)));
    ASSERT_TRUE(Game(Land::SUB_S_BANKER_INFO, Banker(kLeft, "5c 6c 7c")));
    Step(90);
    ASSERT_TRUE(Game(Land::SUB_S_OUT_CARD, Out(kRight, kLeft, "9a 9c 9d 5c")));
    ASSERT_TRUE(Game(Land::SUB_S_PASS_CARD, Pass(0, kMe, kRight)));
    Step(60);
    SaveScreen("land_play");
    const int64_t scores[3] = {-4, 2, 2};
    ASSERT_TRUE(Game(Land::SUB_S_GAME_END, End(scores, "Ta Tc", "3a 4a", "Kd")));
    Step(60);
    SaveScreen("land_score");
    EXPECT_TRUE(board->IsStartButtonShown());
}

TEST_F(LandTest, DealFansMyCardsFaceUpAndStacksTheOthers)
{
    ASSERT_TRUE(Game(Land::SUB_S_SEND_CARD, Deal(kLeft, kMyHand)));
    EXPECT_EQ(Played(audio, "Land/effect/otherSounds/DISPATCH_CARD"), 1);
    Seconds(5);
    EXPECT_EQ(board->MyCardCount(), 17);
    EXPECT_EQ(board->ViewCardCount(1), 17);
    EXPECT_EQ(board->ViewCardCount(2), 17);
    // Mine sorted high to low, face up at places 2 to 18 of my row.
    const Land::CardList& mine = board->HandSprites(kMe);
    ASSERT_EQ(mine.size(), 17u);
    EXPECT_EQ(mine[0]->GetCardData(), 0x4E);
    EXPECT_EQ(mine[16]->GetCardData(), 0x03);
    EXPECT_TRUE(mine[3]->getPosition().equals(board->Place(0, 5)));
    EXPECT_FLOAT_EQ(mine[3]->getRotation(), 0);
    // The left player's backs, small and turned, in its fan of four.
    const Land::CardList& left = board->HandSprites(kLeft);
    EXPECT_EQ(left[6]->GetCardData(), CardSprite::kCardBack);
    EXPECT_FLOAT_EQ(left[6]->getScale(), 0.3f);
    EXPECT_FLOAT_EQ(left[6]->getRotation(), 150.0f);
    EXPECT_TRUE(left[6]->getPosition().equals(board->Place(2, 6)));
    EXPECT_FLOAT_EQ(board->HandSprites(kRight)[0]->getRotation(), -150.0f);
    for (CardSprite* bottom : board->BottomSprites())
        EXPECT_EQ(bottom->GetCardData(), CardSprite::kCardBack);
}

TEST_F(LandTest, AFirstCallerNotMeLeavesTheCallButtonsHiddenAndNoTimeOut)
{
    ASSERT_TRUE(Game(Land::SUB_S_SEND_CARD, Deal(kLeft, kMyHand)));
    Step();
    EXPECT_EQ(board->GetUserClock(2), 15);  // the left player's clock
    EXPECT_EQ(board->GetUserClock(0), 0);
    EXPECT_FALSE(board->IsMyTurn());
    Seconds(20);
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(Shown(board->CallButton(i))) << i;
    EXPECT_TRUE(SentGame().empty());
}

TEST_F(LandTest, MyCallComesWithTheHigherCallsOnlyAndTimesOutAsNoCall)
{
    ASSERT_TRUE(Game(Land::SUB_S_SEND_CARD, Deal(kLeft, kMyHand)));
    Seconds(5);
    ASSERT_TRUE(Game(Land::SUB_S_LAND_SCORE, Call(kMe, kLeft, 2, 2)));
    EXPECT_TRUE(board->IsMyTurn());
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(Shown(board->CallButton(i))) << i;
    EXPECT_FALSE(board->CallButton(0)->isEnabled());
    EXPECT_FALSE(board->CallButton(1)->isEnabled());
    EXPECT_TRUE(board->CallButton(2)->isEnabled());
    EXPECT_TRUE(board->CallButton(3)->isEnabled());
    // The left player's "2" stands at its caption point.
    ASSERT_NE(board->CallCaption(2), nullptr);
    EXPECT_TRUE(Shows(board->CallCaption(2), "Land/font/two"));
    EXPECT_TRUE(board->CallCaption(2)->getPosition().equals(board->CaptionPoint(2)));
    // From five seconds before the time-out the warning sounds each second.
    // Half seconds keep the checks clear of the second marks.
    Step(60 * 9 + 30);
    EXPECT_EQ(Played(audio, "Land/effect/otherSounds/COUNT_WARN"), 0);
    Step(60 * 4);
    EXPECT_EQ(Played(audio, "Land/effect/otherSounds/COUNT_WARN"), 3);
    EXPECT_TRUE(SentGame().empty());
    Step(60 * 2);
    EXPECT_EQ(SentCalls(SentGame(), Land::NO_CALL), 1);
    EXPECT_EQ(SentGame().size(), 1u);
}

TEST_F(LandTest, CallButtonsSendTheirScoreAndMyCallStopsTheTimeOut)
{
    ASSERT_TRUE(Game(Land::SUB_S_SEND_CARD, Deal(kMe, kMyHand)));
    Seconds(6);
    ASSERT_TRUE(Shown(board->CallButton(2)));
    PressButton(board->CallButton(2));
    ASSERT_EQ(SentGame().size(), 1u);
    EXPECT_EQ(SentGame()[0], (std::pair<uint16_t, Bytes>{Land::SUB_C_LAND_SCORE, {3}}));
    ASSERT_TRUE(Game(Land::SUB_S_LAND_SCORE, Call(kRight, kMe, 3, 3)));
    EXPECT_FALSE(Shown(board->CallButton(0)));
    Seconds(20);
    EXPECT_EQ(SentGame().size(), 1u);
    EXPECT_TRUE(board->SortButton()->isEnabled());
}

TEST_F(LandTest, TrusteeCallsNoneAtOnceAndPlaysTheFirstHintAfterASecond)
{
    ASSERT_TRUE(Game(Land::SUB_S_SEND_CARD, Deal(kLeft, kMyHand)));
    Seconds(5);
    ASSERT_TRUE(Game(Land::SUB_S_LAND_SCORE, Call(kRight, kLeft, 1, 1)));
    // Not my turn: the trustee only changes the later delays.
    PressButton(board->TrusteeButton());
    EXPECT_TRUE(board->IsTrustee());
    Step(2);
    EXPECT_TRUE(SentGame().empty());
    ASSERT_TRUE(Game(Land::SUB_S_LAND_SCORE, Call(kMe, kRight, 1, Land::NO_CALL)));
    Step(2);
    EXPECT_EQ(SentCalls(SentGame(), Land::NO_CALL), 1);
    ClearSent();
    ASSERT_TRUE(Game(Land::SUB_S_LAND_SCORE, Call(Land::INVALID_CHAIR, kMe, 1, Land::NO_CALL)));
    ASSERT_TRUE(Game(Land::SUB_S_BANKER_INFO, Banker(kLeft, "5c 6c 7c")));
    ASSERT_TRUE(Game(Land::SUB_S_OUT_CARD, Out(kMe, kLeft, "8a")));
    Step(30);
    EXPECT_TRUE(SentGame().empty());
    Step(40);
    const auto sent = SentGame();
    ASSERT_EQ(sent.size(), 1u);
    // The lowest single above the eight: a nine.
    EXPECT_EQ(sent[0].first, Land::SUB_C_OUT_CARD);
    EXPECT_EQ(sent[0].second, (Bytes{1, 0x19}));
}

TEST_F(LandTest, LandlordTakesTheBottomCardsRaisedAndLeads)
{
    DealAndMakeMeLandlord(kMyHand, "5c 6c 7c");
    EXPECT_EQ(board->MyCardCount(), 20);
    EXPECT_EQ(board->HandSprites(kMe).size(), 20u);
    EXPECT_EQ(Selected(), "7c 6c 5c");
    EXPECT_FLOAT_EQ(MyCard("7c")->getPositionY(), board->Place(0, 0).y + LandBoard::kRaise);
    // Twenty cards fill the row from place 0.
    EXPECT_TRUE(MyHand()[0]->getPosition().equals(board->Place(0, 0)));
    EXPECT_TRUE(Shown(board->PlayButton()));
    EXPECT_FALSE(board->PassButton()->isEnabled());
    EXPECT_TRUE(Shows(board->IdentityImage(0), "Land/dizhu"));
    EXPECT_TRUE(Shows(board->IdentityImage(1), "Land/mongm"));
    EXPECT_EQ(board->CallCaption(0), nullptr);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(board->BottomSprites()[i]->GetCardData(), Cards("5c 6c 7c")[i]);
    EXPECT_EQ(land->m_cbFreeLead, 1);
    EXPECT_EQ(board->GetUserClock(0), 29);  // the first play's 30 s, one gone
}

TEST_F(LandTest, AnotherLandlordGetsTwentyBacksAndIFollow)
{
    ASSERT_TRUE(Game(Land::SUB_S_SEND_CARD, Deal(kLeft, kMyHand)));
    Seconds(5);
    ASSERT_TRUE(Game(Land::SUB_S_BANKER_INFO, Banker(kRight, "5c 6c 7c")));
    EXPECT_EQ(board->ViewCardCount(1), 20);
    EXPECT_EQ(board->ViewCardCount(2), 17);
    EXPECT_EQ(board->HandSprites(kRight).size(), 20u);
    EXPECT_EQ(board->HandSprites(kMe).size(), 17u);
    EXPECT_EQ(land->m_cbFreeLead, 0);
    EXPECT_FALSE(board->IsMyTurn());
    EXPECT_EQ(board->BankerView(), 1);
    EXPECT_TRUE(Shows(board->IdentityImage(1), "Land/dizhu"));
    EXPECT_EQ(board->CardCountLabel(1)->getString(), std::string("20"));
}

TEST_F(LandTest, PlayedCardsLieInTwoRowsAndTheSeatLosesItsBacks)
{
    ASSERT_TRUE(Game(Land::SUB_S_SEND_CARD, Deal(kLeft, kMyHand)));
    Seconds(5);
    ASSERT_TRUE(Game(Land::SUB_S_BANKER_INFO, Banker(kRight, "5c 6c 7c")));
    ASSERT_TRUE(Game(Land::SUB_S_OUT_CARD, Out(kLeft, kRight, "3c 3d 4c 4d 5d 5b 6d 6b 7d 7b")));
    Step(60);
    EXPECT_EQ(board->ViewCardCount(1), 10);
    const Land::CardList& out = board->OutCards(1);
    ASSERT_EQ(out.size(), 10u);
    EXPECT_EQ(out[0]->GetCardData(), Cards("7b")[0]);  // last card first
    EXPECT_TRUE(out[6]->getPosition().equals(board->ReadLayoutPoint(Land::kPtOutRow1) + CCPoint(105, 0)));
    EXPECT_TRUE(out[7]->getPosition().equals(board->ReadLayoutPoint(Land::kPtOutRow1 + 1) + CCPoint(45, 0)));
    int shownBacks = 0;
    for (CardSprite* back : board->HandSprites(kRight))
        shownBacks += back->isVisible() ? 1 : 0;
    EXPECT_EQ(shownBacks, 10);
    // A double line: its voice in the woman's folder and 13 frames.
    EXPECT_EQ(Played(audio, "Land/effect/girl/DOUBLE_LINE"), 1);
    // More cards than the seat still holds take only what it holds.
    ASSERT_TRUE(Game(Land::SUB_S_OUT_CARD, Out(kMe, kRight, "8a 8c 8d 8b 9a 9c 9d 9b Ta Tc Td Tb")));
    EXPECT_EQ(board->ViewCardCount(1), 0);
    EXPECT_EQ(board->PreviousPlayCount(1), 10);
}

TEST_F(LandTest, APlayThatComesBackToItsPlayerOpensAFreeLead)
{
    ASSERT_TRUE(Game(Land::SUB_S_SEND_CARD, Deal(kLeft, kMyHand)));
    Seconds(5);
    ASSERT_TRUE(Game(Land::SUB_S_BANKER_INFO, Banker(kLeft, "5c 6c 7c")));
    ASSERT_EQ(land->m_cbFreeLead, 0);
    ASSERT_TRUE(Game(Land::SUB_S_OUT_CARD, Out(kLeft, kLeft, "SJ BJ")));
    EXPECT_EQ(land->m_cbFreeLead, 1);
    // A pass that ends the turn hands me the lead, without a pass button.
    land->m_cbFreeLead = 0;
    ASSERT_TRUE(Game(Land::SUB_S_PASS_CARD, Pass(1, kMe, kRight)));
    EXPECT_EQ(land->m_cbFreeLead, 1);
    EXPECT_TRUE(Shown(board->PlayButton()));
    EXPECT_FALSE(board->PassButton()->isEnabled());
    EXPECT_TRUE(Shown(board->PassSign(1)));
    EXPECT_EQ(Played(audio, "Land/effect/girl/PASS_CARD"), 1);
}

TEST_F(LandTest, VoicesFollowTheSexAndCardTypesBringCaptionsShakesAndFrames)
{
    ASSERT_TRUE(Game(Land::SUB_S_SEND_CARD, Deal(kLeft, kMyHand)));
    Seconds(5);
    ASSERT_TRUE(Game(Land::SUB_S_LAND_SCORE, Call(kRight, kLeft, 1, 1)));
    ASSERT_TRUE(Game(Land::SUB_S_LAND_SCORE, Call(kMe, kRight, 2, 2)));
    EXPECT_EQ(Played(audio, "Land/effect/boy/SCORE_1"), 1);
    EXPECT_EQ(Played(audio, "Land/effect/girl/SCORE_2"), 1);
    ASSERT_TRUE(Game(Land::SUB_S_BANKER_INFO, Banker(kLeft, "5c 6c 7c")));
    struct Case
    {
        const char* cards;
        const char* voice;
        const char* caption;
        int frames;
    };
    const Case cases[] = {
        {"SJ", "SINGLE_14", nullptr, 0},
        {"Aa", "SINGLE_1", nullptr, 0},
        {"9a 9b 9c", "THREE", "Land/font/sanzhang", 0},
        {"9a 9b 9c 4d", "THREE_TAKE_ONE", "Land/font/sandaiyi", 0},
        {"9a 9b 9c Ta Tb Tc 3a 4a", "THREE_ONE_LINE", nullptr, 9},
        {"Ka Kb Kc Kd", "BOMB_CARD", nullptr, 15},
        {"BJ SJ", "MISSILE_CARD", nullptr, 2},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.cards);
        audio.log.clear();
        const size_t captions = board->Captions().size();
        ASSERT_TRUE(Game(Land::SUB_S_OUT_CARD, Out(kRight, kLeft, c.cards)));
        EXPECT_EQ(Played(audio, std::string("Land/effect/boy/") + c.voice), 1);
        EXPECT_EQ(board->Captions().size(), captions + (c.caption != nullptr ? 1 : 0));
        if (c.caption != nullptr)
        {
            CCSprite* caption = dynamic_cast<CCSprite*>(board->Captions().back());
            EXPECT_TRUE(Shows(caption, c.caption));
            EXPECT_TRUE(caption->getPosition().equals(board->m_ptClock[2]));
        }
        const bool shakes = c.frames == 15 || c.frames == 2;
        EXPECT_EQ(CCDirector::sharedDirector()->getActionManager()->numberOfRunningActionsInTarget(board) > 0, shakes);
        Step(120);
    }
    EXPECT_EQ(Played(audio, "Land/effect/otherSounds/BOMB"), 0);  // the log was cleared at the missile
}

TEST_F(LandTest, GameEndShowsTheScoreViewAndTheOtherHandsFaceUp)
{
    ASSERT_TRUE(Game(Land::SUB_S_SEND_CARD, Deal(kMe, kMyHand)));
    Seconds(6);
    PressButton(board->TrusteeButton());
    ASSERT_TRUE(board->IsTrustee());
    const int64_t scores[3] = {6, -3, -3};
    // The right hand's count claims more than its seat: it is cut to its sprites.
    Bytes end = End(scores, "Ta Tc", "3a", "Kd Qd");
    end[offsetof(Land::CMD_S_GameEnd, cbCardCount) + kRight] = 60;
    ASSERT_TRUE(Game(Land::SUB_S_GAME_END, end));
    Step(30);
    ASSERT_NE(board->GetScoreView(), nullptr);
    EXPECT_TRUE(board->GetScoreView()->isVisible());
    EXPECT_EQ(board->GetScoreView()->getZOrder(), LandBoard::kScoreViewZOrder);
    EXPECT_FALSE(board->IsTrustee());
    EXPECT_FALSE(Shown(board->CardCountLabel(1)));
    const Land::CardList& left = board->HandSprites(kLeft);
    EXPECT_EQ(left[0]->GetCardData(), Cards("Ta")[0]);
    EXPECT_EQ(left[1]->GetCardData(), Cards("Tc")[0]);
    EXPECT_FLOAT_EQ(left[1]->getScale(), 0.8f);
    EXPECT_TRUE(left[1]->getPosition().equals(board->ReadLayoutPoint(Land::kPtOutRow2) + CCPoint(30, 0)));
    const Land::CardList& right = board->HandSprites(kRight);
    EXPECT_EQ(right[16]->GetCardData(), 0);                      // past the 54 places of the record
    EXPECT_EQ(board->HandSprites(kMe)[0]->GetCardData(), 0x4E);  // my own hand as it was
    EXPECT_TRUE(board->IsStartButtonShown());
    EXPECT_EQ(Played(audio, "Land/effect/otherSounds/GAME_LOSE"), 1);
    // The score view stands clear of the start button, the ready clock and
    // the others' cards left: a player who leaves it open still sees them.
    // It lies over the middle of the table and the bottom cards until closed.
    Seconds(1);
    ASSERT_TRUE(Shown(board->GetTimerBox()));
    for (const std::string& overlap : nodeboxes::Overlaps(TableBoxes(board), {{"score view", "bottom"}}))
        ADD_FAILURE() << overlap;
    // Ready for the next hand: the table is cleared and rebuilt.
    board->OnStartButton(nullptr, 0);
    EXPECT_EQ(board->GetScoreView(), nullptr);
    for (uint16_t chair = 0; chair < 3; ++chair)
    {
        ASSERT_EQ(board->HandSprites(chair).size(), 17u);
        for (CardSprite* card : board->HandSprites(chair))
            EXPECT_FALSE(card->isVisible());
    }
    EXPECT_EQ(board->BottomSprites().size(), 3u);
    EXPECT_EQ(land->m_cbFreeLead, 1);
    EXPECT_FALSE(land->HasTableRecord());
}

// Waiting for another player, nothing of the table moves: every action has
// ended and only the clock (its seconds and its light) keeps drawing.
TEST_F(LandTest, WaitingForAnotherPlayerLeavesNothingOfTheTableMoving)
{
    ASSERT_TRUE(Game(Land::SUB_S_SEND_CARD, Deal(kLeft, kMyHand)));
    Seconds(5);
    ASSERT_TRUE(Game(Land::SUB_S_BANKER_INFO, Banker(kRight, "5c 6c 7c")));
    ASSERT_TRUE(Game(Land::SUB_S_OUT_CARD, Out(kLeft, kRight, "9a 9b 9c 4d")));
    Seconds(3);  // the identity pictures, the shake, the flight and the caption
    CCActionManager* actions = CCDirector::sharedDirector()->getActionManager();
    std::vector<std::string> moving;
    std::function<void(CCNode*)> walk = [&](CCNode* node) {
        if (dynamic_cast<CTimerBox*>(node) != nullptr)
            return;
        if (actions->numberOfRunningActionsInTarget(node) > 0)
            moving.push_back(typeid(*node).name() + std::string(" tag ") + std::to_string(node->getTag()));
        CCArray* children = node->getChildren();
        for (unsigned int i = 0; children != nullptr && i < children->count(); ++i)
            walk(static_cast<CCNode*>(children->objectAtIndex(i)));
    };
    walk(board);
    EXPECT_TRUE(moving.empty()) << ::testing::PrintToString(moving);
    // The clock runs at the left seat (view 2) and still counts.
    EXPECT_EQ(board->GetUserClock(2), 17);
}

// The landlord's step shows the bottom cards where every step puts them,
// stacked left to right even when no deal placed them before.
TEST_F(LandTest, TheLandlordsBottomCardsLieInPlaceAndInOrder)
{
    ASSERT_TRUE(Game(Land::SUB_S_BANKER_INFO, Banker(kLeft, "5c 6c 7c")));
    const CCPoint first = board->BottomSprites()[0]->getPosition();
    for (size_t i = 0; i < 3; ++i)
    {
        CardSprite* card = board->BottomSprites()[i];
        EXPECT_EQ(card->GetCardData(), Cards("5c 6c 7c")[i]);
        EXPECT_TRUE(card->isVisible());
        EXPECT_FLOAT_EQ(card->getScale(), 0.7f);
        EXPECT_FLOAT_EQ(card->getPositionX() - first.x, 73.0f * static_cast<float>(i));
        EXPECT_EQ(card->getZOrder(), 10 * static_cast<int>(i));
    }
}

// No sign of an earlier deal or trick lies where I act: a deal that nobody
// called leaves no call caption on the next, my pass of the last trick goes
// when my turn comes back by a pass, and the end of the hand takes every
// pass sign and my cards on the table off (they covered the start button
// and took its clicks).
TEST_F(LandTest, SignsOfAnEarlierDealOrTrickGoBeforeIAct)
{
    ASSERT_TRUE(Game(Land::SUB_S_SEND_CARD, Deal(kRight, kMyHand)));
    ASSERT_TRUE(Game(Land::SUB_S_LAND_SCORE, Call(kLeft, kRight, 0, Land::NO_CALL)));
    ASSERT_TRUE(Game(Land::SUB_S_LAND_SCORE, Call(kMe, kLeft, 0, Land::NO_CALL)));
    ASSERT_TRUE(Game(Land::SUB_S_LAND_SCORE, Call(Land::INVALID_CHAIR, kMe, 0, Land::NO_CALL)));
    ASSERT_TRUE(Shown(board->CallCaption(0)));
    ASSERT_TRUE(Game(Land::SUB_S_SEND_CARD, Deal(kMe, kMyHand)));
    for (uint16_t view = 0; view < Land::GAME_PLAYER; ++view)
        EXPECT_FALSE(Shown(board->CallCaption(view))) << view;

    ASSERT_TRUE(Game(Land::SUB_S_LAND_SCORE, Call(kRight, kMe, 0, Land::NO_CALL)));
    ASSERT_TRUE(Game(Land::SUB_S_LAND_SCORE, Call(Land::INVALID_CHAIR, kRight, 3, 3)));
    ASSERT_TRUE(Game(Land::SUB_S_BANKER_INFO, Banker(kRight, "5c 6c 7c")));
    ASSERT_TRUE(Game(Land::SUB_S_OUT_CARD, Out(kLeft, kRight, "9a")));
    ASSERT_TRUE(Game(Land::SUB_S_PASS_CARD, Pass(0, kMe, kLeft)));
    ASSERT_TRUE(Game(Land::SUB_S_PASS_CARD, Pass(1, kRight, kMe)));
    ASSERT_TRUE(Shown(board->PassSign(0)));
    ASSERT_TRUE(Game(Land::SUB_S_OUT_CARD, Out(kLeft, kRight, "Ta")));
    ASSERT_TRUE(Game(Land::SUB_S_PASS_CARD, Pass(0, kMe, kLeft)));
    EXPECT_FALSE(Shown(board->PassSign(0)));
    EXPECT_TRUE(Shown(board->PassSign(2)));

    ASSERT_TRUE(Game(Land::SUB_S_PASS_CARD, Pass(1, kRight, kMe)));
    const int64_t scores[3] = {-2, -2, 4};
    ASSERT_TRUE(Game(Land::SUB_S_GAME_END, End(scores)));
    for (uint16_t view = 0; view < Land::GAME_PLAYER; ++view)
        EXPECT_FALSE(Shown(board->PassSign(view))) << view;
}
