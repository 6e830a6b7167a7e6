// The end of a round: dice, deal, opening by itself or by hand, the forced
// opening, hand types and the result.
#include "OxFixture.h"

#include "games/OxBattle/CardRules.h"
#include "games/OxBattle/Dice.h"
#include "games/OxBattle/ScoreView.h"
#include "games/framework/CardSprite.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace OxBattle;
using namespace oxtest;

namespace {

class OxDealing : public OxTest
{
protected:
    // Betting, then the round's end with the dice 3 and 5 (hand 2 first).
    void EndRound(uint8_t seconds = 25, uint8_t die1 = 3, uint8_t die2 = 5)
    {
        StartBetting();
        ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(kMe, 1, 10000)));
        ASSERT_TRUE(Game(SUB_S_GAME_END, End(seconds, die1, die2)));
    }
    // Frames for a time after the end (60 a second); `done` so far.
    void RunTo(float seconds)
    {
        const int frame = static_cast<int>(seconds * 60 + 0.5f);
        Step(frame - m_nFrames);
        m_nFrames = frame;
    }
    int ShownCards() const
    {
        int n = 0;
        for (int hand = 0; hand < HAND_COUNT; ++hand)
        {
            for (int i = 0; i < CARDS_PER_HAND; ++i)
            {
                Sexy::CardSprite* card = board->GetCard(hand, i);
                n += card->isVisible() && card->getOpacity() == 255 ? 1 : 0;
            }
        }
        return n;
    }
    CCPoint Place(int hand, int card) const
    {
        return ccpSub(board->GetCard(hand, card)->getPosition(), board->GetHandPoint(hand));
    }

    int m_nFrames = 0;
};

TEST_F(OxDealing, TheDiceChooseTheFirstHand)
{
    const struct
    {
        uint8_t die1, die2;
        int first;
    } cases[] = {
        {3, 5, 2},
        {1, 1, 1},
        {6, 6, 1},
        {1, 5, 0},
        {4, 2, 0},
        {6, 4, 4},
        // Only the low nibbles count; two zeros do not give -1.
        {0x13, 0x25, 2},
        {0, 0, 4},
        {0, 1, 0},
        {0xF0, 0xF0, 4},
        {15, 15, 4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OXBoard::FirstHandOf(c.die1, c.die2), c.first) << int(c.die1) << "," << int(c.die2);
}

TEST_F(OxDealing, TwentyFiveCardsShowOneEveryFourTenthsFromTheFirstHand)
{
    EndRound();
    EXPECT_EQ(board->GetFirstHand(), 2);
    RunTo(3.9f);
    EXPECT_EQ(ShownCards(), 0);
    // One card every 0.4 s from 4.0 s on: card 1 of hands 2, 3, 4, 0, 1, then card 2...
    const int order[] = {2, 3, 4, 0, 1};
    for (int n = 0; n < 25; ++n)
    {
        RunTo(4.0f + 0.4f * n + 0.1f);
        EXPECT_EQ(ShownCards(), n + 1) << "at card " << n;
        Sexy::CardSprite* card = board->GetCard(order[n % 5], n / 5);
        EXPECT_TRUE(card->isVisible() && card->getOpacity() == 255) << n;
    }
    // Dealt: three cards above, the fourth face down under the fifth.
    const CCPoint places[] = {CCPoint(0, 30), CCPoint(17, 30), CCPoint(34, 30), CCPoint(8, 0), CCPoint(25, 0)};
    for (int hand = 0; hand < HAND_COUNT; ++hand)
    {
        for (int i = 0; i < CARDS_PER_HAND; ++i)
            EXPECT_TRUE(Place(hand, i).equals(places[i])) << hand << "/" << i;
        EXPECT_EQ(board->GetCard(hand, 3)->GetCardData(), Sexy::CardSprite::kCardBack);
        EXPECT_EQ(board->GetCard(hand, 4)->GetCardData(), kRoundCards[hand][4]);
    }
    EXPECT_EQ(Played("OxBattle/Sound/DISPATCH_CARD"), 25);
}

TEST_F(OxDealing, HandsOpenByThemselvesEveryTwoPointFourSecondsThenTheResultShows)
{
    EndRound();
    RunTo(13.9f);
    EXPECT_TRUE(board->GetTypeImages().empty());
    // Each opening slides the fifth card aside for 1.1 s, then lays the hand out.
    const int order[] = {2, 3, 4, 0, 1};
    for (int step = 0; step < HAND_COUNT; ++step)
    {
        RunTo(14.0f + 2.4f * step + 0.05f);
        EXPECT_NE(board->GetContentRoot()->getChildByTag(OXBoard::kAutoHintTagBase + step), nullptr) << step;
        RunTo(14.0f + 2.4f * step + 1.2f);
        EXPECT_EQ(board->GetTypeImages().size(), static_cast<size_t>(step + 1));
        EXPECT_EQ(board->GetContentRoot()->getChildByTag(OXBoard::kAutoHintTagBase + step), nullptr) << step;
        EXPECT_EQ(board->GetOpeningStep(), step + 1);
        const int hand = order[step];
        uint8_t arranged[5];
        GetCardType(kRoundCards[hand], 5, arranged);
        EXPECT_EQ(board->GetCard(hand, 0)->GetCardData(), arranged[0]) << hand;
        if (step < HAND_COUNT - 1)
        {
            EXPECT_EQ(board->GetScoreView(), nullptr);
        }
    }
    ASSERT_NE(board->GetScoreView(), nullptr);
    EXPECT_TRUE(board->GetScoreView()->getPosition().equals(CCPoint(512, 400)));
    EXPECT_EQ(board->GetScoreView()->getZOrder(), OXBoard::kScoreViewZ);
    EXPECT_EQ(Played("OxBattle/Sound/END_WIN"), 1);
    EXPECT_EQ(board->LabelText("Label_51_1"), "90,0000");
    EXPECT_EQ(board->LabelText("Label_8_1"), "-340,0000");
    // Areas 1, 3 and 4 beat the banker's bull 1; area 2 has no bull.
    const char* marks[] = {"OxBattle/g", "OxBattle/x", "OxBattle/g", "OxBattle/g"};
    for (int area = 1; area <= AREA_COUNT; ++area)
    {
        ASSERT_EQ(board->GetRecordMarks(area).size(), 1u);
        EXPECT_TRUE(Shows(board->GetRecordMarks(area)[0], marks[area - 1])) << area;
    }
    SaveScreen("oxbattle_result");
}

// The same end frame by frame (the message comes between frames, 60 frames a
// second): every timer's clock starts at its first frame, and each link of
// a chain of actions starts in the frame the one before it ends.
TEST_F(OxDealing, TheEndKeepsItsClockToTheFrame)
{
    EndRound();
    std::vector<int> rollFrames, cards, hints, types, clock;
    int facesAt = 0, diceGoneAt = 0, shown = 0;
    int countdown = board->GetCountdown();
    CCSpriteFrameCache* cache = CCSpriteFrameCache::sharedSpriteFrameCache();
    for (int frame = 1; frame <= 1500; ++frame)
    {
        Step();
        Dice* dice = board->GetDice();
        CCArray* children = dice != nullptr ? dice->getChildren() : nullptr;
        if (children != nullptr && children->count() == 1 && facesAt == 0)
        {
            // The roller: which of the 27 roll pictures it shows.
            auto* roller = dynamic_cast<CCSprite*>(children->objectAtIndex(0));
            const int next = static_cast<int>(rollFrames.size()) + 1;
            char name[24];
            std::snprintf(name, sizeof(name), "dices%d", next);
            if (next <= 27 && roller->isFrameDisplayed(cache->findFrame(name)))
                rollFrames.push_back(frame);
        }
        if (children != nullptr && children->count() == 2 && facesAt == 0)
            facesAt = frame;
        if (dice == nullptr && diceGoneAt == 0)
            diceGoneAt = frame;
        for (; shown < ShownCards(); ++shown)
            cards.push_back(frame);
        const int step = static_cast<int>(hints.size());
        if (step < HAND_COUNT && board->GetContentRoot()->getChildByTag(OXBoard::kAutoHintTagBase + step) != nullptr)
            hints.push_back(frame);
        if (board->GetTypeImages().size() > types.size())
            types.push_back(frame);
        if (board->GetCountdown() != countdown)
        {
            countdown = board->GetCountdown();
            clock.push_back(frame);
        }
    }
    // The roll: 27 pictures 0.07 s apart while the roller slides, then the
    // faces for 2 s and their fade of 0.2 s.
    ASSERT_EQ(rollFrames.size(), 27u);
    EXPECT_EQ(rollFrames.front(), 1);
    EXPECT_EQ(rollFrames.back(), 111);  // 26 pictures of 4.2 frames on
    EXPECT_EQ(facesAt, 121);
    EXPECT_EQ(diceGoneAt, 121 + 132);
    // The deal 4 s on, a card every 24 frames; the openings 14 s on, every
    // 144 frames, each laid out when its fifth card is back 1.1 s later.
    ASSERT_EQ(cards.size(), 25u);
    for (int n = 0; n < 25; ++n)
        EXPECT_EQ(cards[n], 242 + 24 * n) << n;
    ASSERT_EQ(hints.size(), 5u);
    ASSERT_EQ(types.size(), 5u);
    for (int step = 0; step < HAND_COUNT; ++step)
    {
        EXPECT_EQ(hints[step], 841 + 144 * step) << step;
        EXPECT_EQ(types[step], hints[step] + 67) << step;
    }
    // The clock: its first second after 61 frames, then every 60.
    ASSERT_EQ(clock.size(), 24u);
    for (size_t k = 0; k < clock.size(); ++k)
        EXPECT_EQ(clock[k], 61 + 60 * static_cast<int>(k)) << k;
}

TEST_F(OxDealing, OpenedHandsShowTheirCardsInBullOrder)
{
    EndRound();
    RunTo(26);
    for (int hand = 0; hand < HAND_COUNT; ++hand)
    {
        const bool bull = board->GetHandType(hand) > OX_NO_BULL;
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(Place(hand, i).equals(CCPoint(17.0f * i, 0))) << hand << "/" << i;
        // A bull's two point cards are raised behind the three; no bull lies in one row.
        EXPECT_TRUE(Place(hand, 3).equals(bull ? CCPoint(8, 30) : CCPoint(51, 0))) << hand;
        EXPECT_TRUE(Place(hand, 4).equals(bull ? CCPoint(25, 30) : CCPoint(68, 0))) << hand;
        EXPECT_EQ(board->GetCard(hand, 3)->getZOrder() == 0, bull) << hand;
    }
    EXPECT_EQ(board->GetHandType(2), OX_NO_BULL);
}

TEST_F(OxDealing, HandTypesPickTheirPicturesAndPlaces)
{
    const struct
    {
        int type, number;
    } cases[] = {{1, 0}, {3, 1}, {11, 9}, {12, 11}, {13, 12}, {14, 13}, {15, 14}, {16, 15}, {17, 11}};
    for (const auto& c : cases)
        EXPECT_EQ(OXBoard::TypeImageNumber(c.type == 1 ? 0 : c.type - 2), c.number) << c.type;
    EndRound();
    RunTo(26);
    ASSERT_EQ(board->GetTypeImages().size(), 5u);
    // Hands open from hand 2; the banker's image sits above right of its hand.
    const int order[] = {2, 3, 4, 0, 1};
    for (int step = 0; step < HAND_COUNT; ++step)
    {
        const int hand = order[step];
        CCSprite* image = board->GetTypeImages()[step];
        const CCPoint at = ccpAdd(board->GetHandPoint(hand), hand == 0 ? CCPoint(100, 65) : CCPoint(20, 0));
        EXPECT_TRUE(image->getPosition().equals(at)) << hand;
        EXPECT_EQ(image->getZOrder(), OXBoard::kTypeImageZ);
        EXPECT_FLOAT_EQ(image->getScale(), 1.0f);
    }
    EXPECT_TRUE(Shows(board->GetTypeImages()[0], "OxBattle/OxNumber/niu0"));   // hand 2, no bull
    EXPECT_TRUE(Shows(board->GetTypeImages()[1], "OxBattle/OxNumber/niu8"));   // hand 3, bull 8
    EXPECT_TRUE(Shows(board->GetTypeImages()[2], "OxBattle/OxNumber/niu11"));  // hand 4, joker bull
    EXPECT_TRUE(Shows(board->GetTypeImages()[3], "OxBattle/OxNumber/niu1"));   // banker, bull 1
    EXPECT_TRUE(Shows(board->GetTypeImages()[4], "OxBattle/OxNumber/niu13"));  // hand 1, bull-bull
}

TEST_F(OxDealing, WithoutManualOpeningNoCardTakesTheMouse)
{
    EndRound();
    RunTo(12);
    for (int hand = 0; hand < HAND_COUNT; ++hand)
    {
        for (int i = 0; i < CARDS_PER_HAND; ++i)
            EXPECT_EQ(board->GetCard(hand, i)->GetCardListener(), nullptr);
    }
}

TEST_F(OxDealing, APeekedCardSlidesAtMostFiftyRightAndEightyDownAndSpringsBack)
{
    TapWidget("Button_4");
    EXPECT_TRUE(board->IsManualOpen());
    EndRound();
    RunTo(14);
    // The fourth cards turned face up with the last card; hints point at every hand.
    for (int hand = 0; hand < HAND_COUNT; ++hand)
    {
        EXPECT_EQ(board->GetCard(hand, 3)->GetCardData(), kRoundCards[hand][3]);
        EXPECT_NE(board->GetContentRoot()->getChildByTag(OXBoard::kManualHintTagBase + hand), nullptr);
    }
    Sexy::CardSprite* fifth = board->GetCard(3, 4);
    const CCPoint rest = ccpAdd(board->GetHandPoint(3), CCPoint(25, 0));
    ASSERT_TRUE(fifth->getPosition().equals(rest));
    const CCPoint from = World(ccpAdd(rest, CCPoint(20, -20)));
    Touch(0, from.x, from.y);
    EXPECT_EQ(board->GetOpeningStep(), 3);
    Touch(1, from.x + 30, from.y - 20);
    EXPECT_TRUE(fifth->getPosition().equals(ccpAdd(rest, CCPoint(30, -20))));
    Touch(1, from.x + 300, from.y - 300);
    EXPECT_TRUE(fifth->getPosition().equals(ccpAdd(rest, CCPoint(50, -80))));
    Touch(1, from.x - 300, from.y + 300);
    EXPECT_TRUE(fifth->getPosition().equals(rest));
    Touch(1, from.x + 10, from.y - 10);
    Touch(2, from.x + 10, from.y - 10);
    EXPECT_EQ(fifth->GetCardListener(), nullptr);
    Step(12);
    EXPECT_TRUE(fifth->getPosition().equals(rest));
    EXPECT_EQ(fifth->GetCardListener(), board);
    SaveScreen("oxbattle_peek");
}

TEST_F(OxDealing, ManualOpeningIsForcedAtSixSecondsLeft)
{
    TapWidget("Button_4");
    EndRound(25);
    // The clock shows 6 from 19 s on; its next tick opens the hands.
    RunTo(19.5f);
    EXPECT_TRUE(board->GetTypeImages().empty());
    EXPECT_EQ(board->GetCountdown(), 6);
    RunTo(20.05f);
    EXPECT_EQ(board->GetTypeImages().size(), 5u);
    ASSERT_NE(board->GetScoreView(), nullptr);
    EXPECT_EQ(board->GetOpeningStep(), 5);
    for (int hand = 0; hand < HAND_COUNT; ++hand)
    {
        EXPECT_EQ(board->GetCard(hand, 4)->GetCardListener(), nullptr);
        EXPECT_FALSE(board->GetContentRoot()->getChildByTag(OXBoard::kManualHintTagBase + hand)->isVisible());
    }
    RunTo(30);
    EXPECT_EQ(board->GetTypeImages().size(), 5u);
    EXPECT_EQ(board->GetRecordMarks(1).size(), 1u);
    EXPECT_EQ(Played("OxBattle/Sound/END_WIN"), 1);
}

// A result time shorter than six seconds never shows 6: the hands open at
// the first tick, even before the deal, and the result shows once.
TEST_F(OxDealing, AShortResultTimeStillOpensTheHandsOnce)
{
    TapWidget("Button_4");
    EndRound(4);
    RunTo(1.1f);
    EXPECT_EQ(board->GetTypeImages().size(), 5u);
    ASSERT_NE(board->GetScoreView(), nullptr);
    EXPECT_EQ(ShownCards(), 25);
    RunTo(20);
    EXPECT_EQ(board->GetTypeImages().size(), 5u);
    EXPECT_EQ(board->GetRecordMarks(1).size(), 1u);
    EXPECT_EQ(ShownCards(), 25);
    for (int hand = 0; hand < HAND_COUNT; ++hand)
        EXPECT_EQ(board->GetCard(hand, 0)->GetCardData(), board->GetCard(hand, 0)->GetCardData());
    EXPECT_EQ(board->GetCountdown(), 0);
}

TEST_F(OxDealing, TheDiceRollThenShowTheirFacesAndGo)
{
    EndRound(25, 3, 5);
    Dice* dice = board->GetDice();
    ASSERT_NE(dice, nullptr);
    EXPECT_EQ(dice->getZOrder(), OXBoard::kDiceZ);
    RunTo(2.05f);
    // The faces: 3 to the right of where the roller stopped, 5 to its left.
    CCArray* faces = dice->getChildren();
    ASSERT_NE(faces, nullptr);
    ASSERT_EQ(faces->count(), 2u);
    auto* right = dynamic_cast<CCSprite*>(faces->objectAtIndex(0));
    auto* left = dynamic_cast<CCSprite*>(faces->objectAtIndex(1));
    EXPECT_TRUE(Shows(right, "dice3"));
    EXPECT_TRUE(Shows(left, "dice5"));
    EXPECT_NEAR(right->getPositionX(), Dice::kRollX - 100 + 25, 0.5f);
    EXPECT_NEAR(left->getPositionX(), Dice::kRollX - 100 - 25, 0.5f);
    EXPECT_FLOAT_EQ(right->getScale(), Dice::kScale);
    RunTo(4.0f);
    EXPECT_EQ(faces->count(), 2u);
    // Faded and gone, and the dice node with them: none stays on the table.
    RunTo(4.5f);
    EXPECT_EQ(board->GetDice(), nullptr);
}

TEST_F(OxDealing, DiceWithoutAFaceShowNoneAndTheDealGoesOn)
{
    EndRound(25, 0, 9);
    EXPECT_EQ(board->GetFirstHand(), 3);
    RunTo(2.05f);
    Dice* dice = board->GetDice();
    ASSERT_NE(dice, nullptr);
    EXPECT_TRUE(dice->getChildren() == nullptr || dice->getChildren()->count() == 0);
    RunTo(26);
    EXPECT_EQ(board->GetDice(), nullptr);
    EXPECT_NE(board->GetScoreView(), nullptr);
}

TEST_F(OxDealing, TheNextFreeTimeClearsTheResult)
{
    EndRound();
    RunTo(26);
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(10)));
    EXPECT_EQ(board->GetScoreView(), nullptr);
    EXPECT_TRUE(board->GetTypeImages().empty());
    EXPECT_TRUE(board->GetTableChips().empty());
    EXPECT_EQ(ShownCards(), 0);
    for (int area = 1; area <= AREA_COUNT; ++area)
        EXPECT_FALSE(board->GetTotalLabel(area)->isVisible());
    EXPECT_FALSE(board->GetWidget("Image_34_0")->isVisible());
    // The marks of the record strip stay.
    EXPECT_EQ(board->GetRecordMarks(1).size(), 1u);
}

// Free time in the middle of a deal takes the deal off the table.
TEST_F(OxDealing, FreeTimeDuringTheDealStopsIt)
{
    EndRound();
    RunTo(6);
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(10)));
    RunTo(30);
    EXPECT_EQ(ShownCards(), 0);
    EXPECT_TRUE(board->GetTypeImages().empty());
    EXPECT_EQ(board->GetScoreView(), nullptr);
    EXPECT_EQ(board->GetDice(), nullptr);
}

// A second end of a round without free time between deals again from the start.
TEST_F(OxDealing, ASecondEndStartsTheDealOver)
{
    EndRound();
    RunTo(26);
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(25, 1, 1)));
    m_nFrames = 0;
    EXPECT_EQ(board->GetScoreView(), nullptr);
    EXPECT_TRUE(board->GetTypeImages().empty());
    RunTo(26);
    EXPECT_EQ(board->GetTypeImages().size(), 5u);
    EXPECT_NE(board->GetScoreView(), nullptr);
    EXPECT_EQ(board->GetRecordMarks(1).size(), 2u);
    EXPECT_EQ(Played("OxBattle/Sound/END_WIN"), 2);
}

TEST_F(OxDealing, TheScoreViewShowsItsThreeFigures)
{
    EndRound(25, 3, 5);
    RunTo(26);
    CScoreView* view = board->GetScoreView();
    ASSERT_NE(view, nullptr);
    CCArray* labels = view->getChildren();
    ASSERT_EQ(labels->count(), 3u);
    const struct
    {
        const char* text;
        CCPoint at;
    } expected[] = {{"90,0000", CCPoint(150, 80)}, {"-121,0000", CCPoint(150, 30)}, {"11,0000", CCPoint(300, 80)}};
    for (unsigned int i = 0; i < 3; ++i)
    {
        auto* label = dynamic_cast<CCLabelTTF*>(labels->objectAtIndex(i));
        ASSERT_NE(label, nullptr);
        EXPECT_STREQ(label->getString(), expected[i].text);
        EXPECT_TRUE(label->getPosition().equals(expected[i].at));
    }
}

TEST_F(OxDealing, ADraggedScoreViewStaysOnTheTable)
{
    CScoreView* view = CScoreView::create();
    ASSERT_NE(view, nullptr);
    const CCSize size = view->getContentSize();
    view->setPosition(CCPoint(512, 400));
    EXPECT_TRUE(view->BeginDrag(CCPoint(512 + size.width / 2, 400)));
    EXPECT_FALSE(view->BeginDrag(CCPoint(512 + size.width / 2 + 1, 400)));
    ASSERT_TRUE(view->BeginDrag(CCPoint(512, 400)));
    view->DragTo(CCPoint(532, 390));
    EXPECT_TRUE(view->getPosition().equals(CCPoint(532, 390)));
    // Past the right edge the view is put back first, then moved by the step.
    view->DragTo(CCPoint(1100, 390));
    EXPECT_FLOAT_EQ(view->getPositionX(), 1024 - size.width / 2 + (1100 - 532));
    view->DragTo(CCPoint(1100, 390));
    EXPECT_FLOAT_EQ(view->getPositionX(), 1024 - size.width / 2);
}

TEST_F(OxDealing, AResultSceneLaysTheResultOutAtOnce)
{
    ASSERT_TRUE(Scene(GS_RESULT, BytesOf(PlaySceneRecord(GS_RESULT, 12, 1))));
    EXPECT_EQ(board->GetPhase(), OXBoard::kPhaseResultScene);
    EXPECT_EQ(ShownCards(), 25);
    ASSERT_EQ(board->GetTypeImages().size(), 5u);
    for (CCSprite* image : board->GetTypeImages())
        EXPECT_EQ(image->numberOfRunningActions(), 0u);
    // Hand 2 has no bull: all five in one row.
    for (int i = 0; i < CARDS_PER_HAND; ++i)
        EXPECT_TRUE(Place(2, i).equals(CCPoint(17.0f * i, 0)));
    EXPECT_TRUE(Place(1, 3).equals(CCPoint(8, 30)));
    ASSERT_NE(board->GetScoreView(), nullptr);
    auto* mine = dynamic_cast<CCLabelTTF*>(board->GetScoreView()->getChildren()->objectAtIndex(0));
    EXPECT_STREQ(mine->getString(), "-9,8765");
    EXPECT_EQ(Played("OxBattle/Sound/END_LOST"), 1);
    EXPECT_EQ(board->GetRecordMarks(1).size(), 1u);
    EXPECT_EQ(board->GetAreaTotal(1), 1611150);
    EXPECT_TRUE(board->GetTotalLabel(3)->isVisible());
    EXPECT_FALSE(board->GetMyLabel(3)->isVisible());
    EXPECT_TRUE(board->GetMyLabel(4)->isVisible());
    EXPECT_FALSE(board->GetChipButton(0)->isVisible());
    EXPECT_FALSE(board->GetWidget("Button_4")->isTouchEnabled());
    SaveScreen("oxbattle_result_scene");
}

}  // namespace

namespace {

// Each scene is the whole table: a result after a betting scene keeps none
// of its chips, the same result again adds no second record column, and a
// betting scene after it shows no win marks and its chip row again.
TEST_F(OxDealing, EachSceneShowsItselfAlone)
{
    ASSERT_TRUE(Scene(GS_BETTING, BytesOf(PlaySceneRecord(GS_BETTING, 9, 1))));
    ASSERT_FALSE(board->GetTableChips().empty());
    ASSERT_TRUE(Scene(GS_RESULT, BytesOf(PlaySceneRecord(GS_RESULT, 12, 1))));
    EXPECT_TRUE(board->GetTableChips().empty());
    ASSERT_TRUE(board->GetWidget("Image_34_0")->isVisible());
    ASSERT_TRUE(Scene(GS_RESULT, BytesOf(PlaySceneRecord(GS_RESULT, 11, 1))));
    EXPECT_EQ(board->GetRecordMarks(1).size(), 1u);
    ASSERT_TRUE(Scene(GS_BETTING, BytesOf(PlaySceneRecord(GS_BETTING, 9, 1))));
    for (const char* highlight : {"Image_34_0", "Image_34", "Image_34_1", "Image_34_1_2"})
        EXPECT_FALSE(board->GetWidget(highlight)->isVisible()) << highlight;
    EXPECT_TRUE(board->GetChipButton(0)->isVisible());
    EXPECT_TRUE(UsableChips().empty());
}

// A free scene is the whole table at free time: a result an earlier state
// left goes.
TEST_F(OxDealing, AFreeSceneAfterAResultClearsTheTable)
{
    ASSERT_TRUE(Scene(GS_RESULT, BytesOf(PlaySceneRecord(GS_RESULT, 12, 1))));
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(FreeSceneRecord(12, 1, 0))));
    EXPECT_EQ(ShownCards(), 0);
    EXPECT_TRUE(board->GetTypeImages().empty());
    EXPECT_EQ(board->GetScoreView(), nullptr);
    EXPECT_TRUE(board->GetTableChips().empty());
    EXPECT_FALSE(board->GetTotalLabel(1)->isVisible());
    EXPECT_TRUE(board->GetChipButton(0)->isVisible());
    EXPECT_TRUE(UsableChips().empty());
    EXPECT_STREQ(board->GetStateTexture(), "OxBattle/free");
}

}  // namespace
