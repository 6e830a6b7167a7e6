// The two-seat bull table: what each phase shows and sends, the countdowns
// that act for the player, the round end, re-entry and the reset.
#include "BullFixture.h"
#include "games/TableReadables.h"

#include "games/OxEx/NNBoard.h"
#include "games/OxEx/NNHandler.h"
#include "games/OxEx/OxExMobile.h"
#include "games/OxEx/ScoreView.h"
#include "games/BullTable/HandNames.h"

using namespace bulltest;
using namespace cocos2d;
using OxEx::NNBoard;
using OxEx::OxExMobile;

namespace {

// 7 3 K 5 2 (bull seven: 3 5 2 | 7 K) and 9 8 7 6 4 (bull four).
const Bytes kMine = {0x07, 0x13, 0x2D, 0x35, 0x02};
const Bytes kTheirs = {0x19, 0x28, 0x37, 0x06, 0x14};
// 9 8 7 6 2: no bull.
const Bytes kNoBull = {0x09, 0x18, 0x27, 0x36, 0x02};

class OxExBoard : public BullTest
{
protected:
    NNBoard* Enter(uint16_t myChair = 0, uint8_t gender = 0)
    {
        EnterBull(OxEx::kGameKind, 2, myChair, {static_cast<uint16_t>(1 - myChair)}, US_PLAY, gender);
        board = dynamic_cast<NNBoard*>(kernel->GetGameBoard());
        return board;
    }

    void Banker(int64_t ceiling, uint16_t banker)
    {
        Bytes b;
        ASSERT_TRUE(Game(100, U16(I64(b, ceiling), banker)));
        Run(40);  // the banker mark settles
    }

    // The bet, the dealt cards (mine on my chair's row) and the deal to the end.
    void Deal(const Bytes& mine, uint16_t myChair = 0, const Bytes& theirs = kTheirs, bool wait = true,
              int64_t amount = 100)
    {
        Bytes bet;
        ASSERT_TRUE(Game(101, I64(U16(bet, 1), amount)));
        Bytes cards;
        Raw(cards, myChair == 0 ? mine : theirs);
        Raw(cards, myChair == 0 ? theirs : mine);
        Zeros(cards, 3);
        ASSERT_TRUE(Game(103, cards));
        if (wait)
            Seconds(3);
    }

    static Bytes End(int64_t myScore, uint8_t myType, uint8_t theirType, uint8_t theirFlag, const Bytes& mine = kMine,
                     const Bytes& theirs = kTheirs)
    {
        Bytes b;
        Zeros(b, 16);
        I64(b, myScore);
        I64(b, -myScore);
        U8(b, myType);
        U8(b, theirType);
        Raw(b, mine);
        Raw(b, theirs);
        U8(b, 1);
        U8(b, theirFlag);
        return b;
    }

    std::vector<uint8_t> ShownCards(uint16_t group)
    {
        std::vector<uint8_t> out;
        for (int j = 0; j < 5; ++j)
            out.push_back(board->GetCardSprite(group, j)->GetCardData());
        return out;
    }

    static Bytes Amount(int64_t v)
    {
        Bytes b;
        return I64(b, v);
    }

    // Opens without the hint: the flag sent and the type shown.
    void OpenUnhinted(const Bytes& hand, uint8_t flag, int picture)
    {
        ASSERT_NE(Enter(), nullptr);
        Banker(1000, 1);
        Deal(hand);
        Press(board->GetOpenButton());
        const auto sent = Sends();
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0].payload, Bytes{flag});
        EXPECT_TRUE(board->IsArranged());
        Seconds(1);
        EXPECT_EQ(board->GetHandTypeNumbers(), std::vector<int>{picture});
    }

    NNBoard* board = nullptr;
};

TEST_F(OxExBoard, BetButtonsOfferTheCeilingDividedByOneToFour)
{
    ASSERT_NE(Enter(), nullptr);
    Banker(1000, 1);
    const char* titles[4] = {"      1000", "500", "333", "250     "};
    for (int i = 0; i < 4; ++i)
    {
        ASSERT_NE(board->GetBetButton(i), nullptr) << i;
        EXPECT_EQ(Title(board->GetBetButton(i)), titles[i]);
        EXPECT_EQ(board->GetBetButton(i)->getTag(), i);
    }
    EXPECT_EQ(Played("OxEx/Eff/shangfen1"), 1);
    Press(board->GetBetButton(2));
    const auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].sub, 2);
    EXPECT_EQ(sent[0].payload, Amount(333));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(board->GetBetButton(i), nullptr);
    // The pressed buttons are gone and the countdown with them.
    Seconds(31);
    EXPECT_TRUE(Sends().empty());
}

TEST_F(OxExBoard, CountdownsActAtZeroWithWarningsOnTheLastFiveSeconds)
{
    ASSERT_NE(Enter(), nullptr);
    Bytes rob;
    ASSERT_TRUE(Game(106, U8(U16(rob, 0), 0)));
    audio.log.clear();
    Seconds(24);
    EXPECT_EQ(Played("OxEx/Eff/GAME_WARN"), 0);
    Seconds(5);
    EXPECT_TRUE(Sends().empty());
    EXPECT_EQ(Played("OxEx/Eff/GAME_WARN"), 5);
    Seconds(1);
    auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].sub, 1);
    EXPECT_EQ(sent[0].payload, Bytes{0});
    EXPECT_FALSE(board->GetRobButton()->isVisible());

    Banker(1000, 1);
    Seconds(30);
    sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].payload, Amount(250));

    // Never hint nor open: the flag goes unchanged, whatever the hand.
    Deal(kMine);
    Seconds(30);
    sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].sub, 3);
    EXPECT_EQ(sent[0].payload, Bytes{0});
}

// Two countdowns never run together: the bet countdown that follows an
// unanswered rob turn counts whole seconds and sends once, and nothing is
// sent for the rob turn that was left.
TEST_F(OxExBoard, ANewCountdownStopsTheOneBefore)
{
    ASSERT_NE(Enter(), nullptr);
    Bytes rob;
    ASSERT_TRUE(Game(106, U8(U16(rob, 0), 0)));
    Seconds(10);
    Banker(1000, 1);
    EXPECT_EQ(board->GetRunningCountdown(), NNBoard::kBetCountdown);
    Seconds(28);
    EXPECT_TRUE(Sends().empty());
    Seconds(2);
    const auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].sub, 2);
    Seconds(31);
    EXPECT_TRUE(Sends().empty());
}

TEST_F(OxExBoard, RobButtonsSendTheirChoiceAndStopTheCountdown)
{
    ASSERT_NE(Enter(), nullptr);
    Bytes rob;
    ASSERT_TRUE(Game(106, U8(U16(rob, 0), 0)));
    Press(board->GetRobButton());
    auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].payload, Bytes{1});
    EXPECT_EQ(board->GetRunningCountdown(), NNBoard::kNoCountdown);
    Seconds(31);
    EXPECT_TRUE(Sends().empty());
    Bytes again;
    ASSERT_TRUE(Game(106, U8(U16(again, 0), 0)));
    Press(board->GetNoRobButton());
    sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].payload, Bytes{0});
}

TEST_F(OxExBoard, TheDealShowsMyCardsAndThenTheOpenAndHintButtons)
{
    ASSERT_NE(Enter(1), nullptr);
    Banker(1000, 0);
    Deal(kMine, 1);
    EXPECT_EQ(ShownCards(0), kMine);
    for (int j = 0; j < 5; ++j)
    {
        EXPECT_EQ(board->GetCardSprite(1, j)->GetCardData(), Sexy::CardSprite::kCardBack);
        EXPECT_FLOAT_EQ(board->GetCardSprite(0, j)->getScale(), 1.0f);
        EXPECT_FLOAT_EQ(board->GetCardSprite(1, j)->getScale(), 0.7f);
        EXPECT_EQ(board->GetCardSprite(0, j)->getPosition(), CCPoint(500 + 17 * j, 145));
        // Left to right, each card over the one before.
        EXPECT_EQ(board->GetCardSprite(0, j)->getZOrder(), 2 * j);
    }
    EXPECT_TRUE(board->GetOpenButton()->isVisible());
    EXPECT_TRUE(board->GetHintButton()->isVisible());
    ASSERT_NE(board->GetContentRoot()->getChildByTag(NNBoard::kAmountTag), nullptr);
    EXPECT_EQ(kernel->GetClockChairID(), 1);
}

// The dealt cards may be late: my cards land face down and turn when they come.
TEST_F(OxExBoard, CardsThatLandBeforeTheyArriveShowWhenTheyDo)
{
    ASSERT_NE(Enter(), nullptr);
    Banker(1000, 1);
    Bytes bet;
    ASSERT_TRUE(Game(101, I64(U16(bet, 0), 100)));
    Seconds(3);
    for (int j = 0; j < 5; ++j)
        EXPECT_EQ(board->GetCardSprite(0, j)->GetCardData(), Sexy::CardSprite::kCardBack);
    Bytes cards;
    ASSERT_TRUE(Game(103, Zeros(Raw(Raw(cards, kMine), kTheirs), 3)));
    EXPECT_EQ(ShownCards(0), kMine);
}

TEST_F(OxExBoard, HintLaysTheBullOutAndOpenSendsTheFlag)
{
    ASSERT_NE(Enter(), nullptr);
    Banker(1000, 1);
    Deal(kMine);
    Press(board->GetHintButton());
    Seconds(1);
    EXPECT_FALSE(board->GetHintButton()->isEnabled());
    EXPECT_EQ(board->GetHasBull(), 1);
    EXPECT_EQ(board->GetOwnType(), 7);
    EXPECT_EQ(board->GetHandTypeNumbers(), std::vector<int>{7});
    // 3 5 2 | 7 K: the bull in the first three places, the pair tucked up left.
    const uint8_t arranged[5] = {0x13, 0x35, 0x02, 0x07, 0x2D};
    for (int i = 0; i < 5; ++i)
    {
        Sexy::CardSprite* card = nullptr;
        for (int j = 0; j < 5; ++j)
            if (board->GetCardSprite(0, j)->GetCardData() == arranged[i])
                card = board->GetCardSprite(0, j);
        ASSERT_NE(card, nullptr);
        const CCPoint at(500 + 17 * i - (i >= 3 ? 43 : 0), 145 + (i >= 3 ? 30 : 0));
        EXPECT_EQ(card->getPosition(), at) << i;
        EXPECT_EQ(card->getZOrder(), i >= 3 ? 0 : 10 + i);
    }
    Press(board->GetOpenButton());
    const auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].payload, Bytes{1});
    EXPECT_EQ(board->GetRunningCountdown(), NNBoard::kNoCountdown);
}

TEST_F(OxExBoard, OpenWithoutHintArrangesABullFirst) { OpenUnhinted(kMine, 1, 7); }

TEST_F(OxExBoard, OpenWithoutHintShowsNoBull) { OpenUnhinted(kNoBull, 0, 0); }

TEST_F(OxExBoard, TheRoundEndShowsHandsTypesResultAndStartButton)
{
    ASSERT_NE(Enter(), nullptr);
    Banker(1000, 1);
    Deal(kMine);
    audio.log.clear();
    // The opponent's cards stay backs without a bull; their type still shows.
    ASSERT_TRUE(Game(104, End(0, 7, 0, 0, kMine, kNoBull)));
    for (int j = 0; j < 5; ++j)
        EXPECT_EQ(board->GetCardSprite(1, j)->GetCardData(), Sexy::CardSprite::kCardBack);
    EXPECT_EQ(board->GetHandTypeNumbers(), (std::vector<int>{7, 0}));
    EXPECT_EQ(Played("OxEx/Eff/GAME_LOST"), 1);
    EXPECT_EQ(Played("OxEx/Eff/boys/cow_7.mp3"), 1);
    EXPECT_TRUE(board->IsStartButtonShown());
    auto* view = dynamic_cast<OxEx::CScoreView*>(board->GetScoreView());
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->getZOrder(), NNBoard::kResultViewZOrder);
    EXPECT_EQ(view->getPosition(), CCPoint(510, 330));
    EXPECT_FALSE(board->GetOpenButton()->isVisible());
}

TEST_F(OxExBoard, FaceHandsShowTheBullBullPictureAndTheirOwnVoice)
{
    ASSERT_NE(Enter(0, 1), nullptr);
    Banker(1000, 1);
    Deal(kMine);
    audio.log.clear();
    const Bytes faces = {0x1B, 0x2C, 0x3D, 0x0B, 0x0A};
    ASSERT_TRUE(Game(104, End(5000, 104, 105, 1, faces, {0x0B, 0x1C, 0x2D, 0x3B, 0x0C})));
    EXPECT_EQ(board->GetHandTypeNumbers(), (std::vector<int>{13, 13}));
    EXPECT_EQ(Played("OxEx/Eff/girl/cow_104.mp3"), 1);
    EXPECT_EQ(Played("OxEx/Eff/GAME_WIN"), 1);
    // With a bull the opponent's hand shows, pair tucked.
    EXPECT_EQ(board->GetCardSprite(1, 0)->GetCardData(), 0x2D);
    EXPECT_EQ(board->GetCardSprite(1, 3)->getZOrder(), 0);
}

TEST_F(OxExBoard, ResultRowsNameEveryTypeAndSurviveALeftPlayer)
{
    ASSERT_NE(Enter(), nullptr);
    // The opponent leaves before the end: his row has no name.
    ASSERT_TRUE(Status(2001, US_FREE, 1));
    ASSERT_EQ(kernel->GetTableUserData(1), nullptr);
    ASSERT_TRUE(Game(104, End(50000000, 104, 3, 1)));
    auto* view = dynamic_cast<OxEx::CScoreView*>(board->GetScoreView());
    ASSERT_NE(view, nullptr);
    std::vector<std::string> texts;
    CCArray* children = view->getChildren();
    for (unsigned i = 0; children != nullptr && i < children->count(); ++i)
        if (auto* label = dynamic_cast<CCLabelTTF*>(children->objectAtIndex(i)))
            texts.push_back(label->getString());
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[1], "牛牛");
    EXPECT_EQ(texts[2], "5000,0000");
    EXPECT_EQ(texts[3], "");
    EXPECT_EQ(texts[4], "牛三");
    EXPECT_EQ(texts[5], "-5000,0000");
}

TEST_F(OxExBoard, ResultViewIsDraggedInsideTheTable)
{
    const CCSize size(420, 150);
    EXPECT_EQ(Bull::CBullScoreView::ClampDrag(CCPoint(2000, 300), size), CCPoint(818, 300));
    EXPECT_EQ(Bull::CBullScoreView::ClampDrag(CCPoint(-50, 0), size), CCPoint(210, 150));
    EXPECT_EQ(Bull::CBullScoreView::ClampDrag(CCPoint(400, 900), size), CCPoint(400, 687));
    EXPECT_EQ(Bull::CBullScoreView::ClampDrag(CCPoint(400, 200), CCSize(421, 151)), CCPoint(400, 200));
    EXPECT_EQ(Bull::CBullScoreView::ClampDrag(CCPoint(900, 700), CCSize(421, 151)), CCPoint(817, 686));
}

// A drag that begins on the result view moves it, stopping at the table's
// right edge; one that begins beside it leaves it where it is.
TEST_F(OxExBoard, TheResultViewFollowsADragThatBeginsOnIt)
{
    ASSERT_NE(Enter(), nullptr);
    Banker(1000, 1);
    Deal(kMine);
    ASSERT_TRUE(Game(104, End(10, 7, 4, 1)));
    Step();
    CCNode* view = board->GetScoreView();
    ASSERT_NE(view, nullptr);
    CCEGLView* window = CCEGLView::sharedOpenGLView();
    const float height = window->getFrameSize().height;
    auto touch = [&](int phase, const CCPoint& at) {
        int id = 0;
        float xs[] = {at.x};
        float ys[] = {height - at.y};
        if (phase == 0)
            window->handleTouchesBegin(1, &id, xs, ys);
        else if (phase == 1)
            window->handleTouchesMove(1, &id, xs, ys);
        else
            window->handleTouchesEnd(1, &id, xs, ys);
    };
    const CCPoint start = view->getPosition();
    const CCPoint centre = view->getParent()->convertToWorldSpace(start);
    const CCSize size = view->getContentSize();
    touch(0, CCPoint(centre.x + size.width, centre.y));
    touch(1, CCPoint(centre.x + 600, centre.y));
    touch(2, CCPoint(centre.x + 600, centre.y));
    EXPECT_EQ(view->getPosition(), start);
    touch(0, centre);
    touch(1, CCPoint(centre.x + 600, centre.y));
    touch(2, CCPoint(centre.x + 600, centre.y));
    EXPECT_EQ(view->getPosition(), CCPoint(static_cast<int>(1028 - size.width / 2), start.y));
}

TEST_F(OxExBoard, ReenteringAPlayingTableAsChairOneRestoresMyArrangedHand)
{
    ASSERT_NE(Enter(1), nullptr);
    Bytes scene(137, 0);
    Put<int64_t>(scene, 11, 0);
    Put<int64_t>(scene, 19, 300);
    Put<uint16_t>(scene, 27, 0);
    std::memcpy(scene.data() + 29, kTheirs.data(), 5);
    std::memcpy(scene.data() + 34, kMine.data(), 5);
    scene[39] = 255;
    scene[40] = 7;
    ASSERT_TRUE(SceneMessage(102, scene));
    EXPECT_EQ(board->GetBankerMark()->getPosition(), NNBoard::kBankerMarkPoints[1]);
    EXPECT_TRUE(board->GetBankerMark()->isVisible());
    // The opened hand is sent again with its type.
    const auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].sub, 3);
    EXPECT_EQ(sent[0].payload, Bytes{7});
    EXPECT_EQ(ShownCards(0), (std::vector<uint8_t>{0x13, 0x35, 0x02, 0x07, 0x2D}));
    EXPECT_EQ(board->GetCardSprite(0, 4)->getPosition(), CCPoint(500 + 68 - 43, 175));
    EXPECT_EQ(board->GetHandTypeNumbers(), std::vector<int>{7});
    auto* amount = dynamic_cast<CCLabelTTF*>(board->GetContentRoot()->getChildByTag(NNBoard::kAmountTag));
    ASSERT_NE(amount, nullptr);
    EXPECT_STREQ(amount->getString(), "300");
    // A restored round ends without my type again (chair 0 had bull four).
    ASSERT_TRUE(Game(104, End(-10, 4, 7, 1, kTheirs, kMine)));
    EXPECT_EQ(board->GetHandTypeNumbers(), (std::vector<int>{7, 4}));
}

TEST_F(OxExBoard, ReenteringAnUnopenedHandTakesMyCardsFromTheScene)
{
    ASSERT_NE(Enter(0), nullptr);
    Bytes scene(137, 0);
    Put<int64_t>(scene, 19, 200);
    Put<uint16_t>(scene, 27, 0);
    std::memcpy(scene.data() + 29, kMine.data(), 5);
    scene[39] = 255;
    scene[40] = 255;
    ASSERT_TRUE(SceneMessage(102, scene));
    EXPECT_TRUE(Sends().empty());
    EXPECT_EQ(ShownCards(0), kMine);
    EXPECT_TRUE(board->GetOpenButton()->isVisible());
    EXPECT_EQ(board->GetRunningCountdown(), NNBoard::kOpenCountdown);
    Press(board->GetOpenButton());
    const auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].payload, Bytes{1});
}

TEST_F(OxExBoard, ReenteringABettingTableAsTheBankerShowsNoBetButtons)
{
    ASSERT_NE(Enter(0), nullptr);
    Bytes scene(125, 0);
    Put<int64_t>(scene, 3, 600);
    Put<uint16_t>(scene, 27, 0);
    ASSERT_TRUE(SceneMessage(101, scene));
    EXPECT_TRUE(board->GetBankerMark()->isVisible());
    EXPECT_EQ(board->GetBankerMark()->getPosition(), NNBoard::kBankerMarkPoints[0]);
    EXPECT_TRUE(board->GetBankerCallAnimation()->isVisible());
    EXPECT_EQ(board->GetBetButton(0), nullptr);
    EXPECT_EQ(board->GetRunningCountdown(), NNBoard::kNoCountdown);
    EXPECT_EQ(kernel->GetClockChairID(), 0);
}

TEST_F(OxExBoard, ReenteringABettingTableBetsFromTheScenesCeiling)
{
    ASSERT_NE(Enter(0), nullptr);
    Bytes scene(125, 0);
    Put<int64_t>(scene, 3, 600);
    Put<uint16_t>(scene, 27, 1);
    ASSERT_TRUE(SceneMessage(101, scene));
    EXPECT_EQ(Title(board->GetBetButton(3)), "150     ");
    Press(board->GetBetButton(1));
    const auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].payload, Amount(300));
}

TEST_F(OxExBoard, ReenteringTheRobTurnStartsMyCountdown)
{
    ASSERT_NE(Enter(1), nullptr);
    Bytes scene(101, 0);
    Put<uint16_t>(scene, 0, 1);
    ASSERT_TRUE(SceneMessage(100, scene));
    EXPECT_TRUE(board->GetRobButton()->isVisible());
    EXPECT_EQ(board->GetRunningCountdown(), NNBoard::kBankerCallCountdown);
    EXPECT_EQ(kernel->GetClockChairID(), 1);
}

// A still table draws no more than the seat clock does (its light turns a
// few times a second): waiting for my rob, for my open, and at the result.
TEST_F(OxExBoard, AStillTableDrawsNoMoreThanItsClock)
{
    ASSERT_NE(Enter(), nullptr);
    OxExMobile::GetHandler()->SetGameClock(0, 30, 30);
    const unsigned clock = DrawsInThreeSeconds();
    Bytes rob;
    ASSERT_TRUE(Game(106, U8(U16(rob, 0), 0)));
    EXPECT_LE(DrawsInThreeSeconds(), clock + 3);
    Banker(1000, 1);
    Deal(kMine);
    EXPECT_LE(DrawsInThreeSeconds(), clock + 3);
    ASSERT_TRUE(Game(104, End(10, 7, 4, 1)));
    EXPECT_LE(DrawsInThreeSeconds(), clock + 3);
}

TEST_F(OxExBoard, TheStartButtonClearsTheTableForTheNextRound)
{
    ASSERT_NE(Enter(), nullptr);
    Banker(1000, 1);
    Deal(kMine);
    Press(board->GetHintButton());
    Seconds(1);
    ASSERT_TRUE(Game(104, End(10, 7, 4, 1)));
    Status(kMe, US_SIT, 0);
    board->OnStartButton(nullptr, 0);
    EXPECT_EQ(board->GetScoreView(), nullptr);
    EXPECT_TRUE(board->GetHandTypeNumbers().empty());
    EXPECT_EQ(board->GetContentRoot()->getChildByTag(NNBoard::kAmountTag), nullptr);
    EXPECT_FALSE(board->GetBankerMark()->isVisible());
    EXPECT_EQ(board->GetChip(0, 0), nullptr);
    EXPECT_FALSE(OxExMobile::GetHandler()->IsRestored());
    EXPECT_EQ(board->GetCardCopy(), nullptr);
    for (int j = 0; j < 5; ++j)
    {
        EXPECT_FALSE(board->GetCardSprite(0, j)->isVisible());
        EXPECT_FLOAT_EQ(board->GetCardSprite(0, j)->getScale(), 0.3f);
        EXPECT_EQ(board->GetCardSprite(0, j)->getZOrder(), 10 - 2 * j);
    }
    EXPECT_TRUE(board->GetHintButton()->isEnabled());
    EXPECT_FALSE(board->IsArranged());
}

// Each phase as a player reads it: the rob, bet, open and start buttons
// stand clear of the welcome line; at the end the hand types lie across the
// fans, not over the cards' values, and the result view covers neither the
// cards' values, nor a seat, nor the start button or the ready clock.
TEST_F(OxExBoard, NothingOnTheTableCoversWhatAPlayerReads)
{
    ASSERT_NE(Enter(), nullptr);
    Bytes rob;
    ASSERT_TRUE(Game(106, U8(U16(rob, 0), 0)));
    ASSERT_TRUE(board->GetRobButton()->isVisible());
    ExpectBullClean(board, 2, "rob");
    Banker(1000, 1);
    ASSERT_NE(board->GetBetButton(0), nullptr);
    ExpectBullClean(board, 2, "bets");
    Deal(kMine);
    ASSERT_TRUE(board->GetOpenButton()->isVisible());
    ExpectBullClean(board, 2, "open");
    Press(board->GetHintButton());
    Seconds(1);
    ASSERT_TRUE(Game(104, End(10, 7, 4, 1)));
    Seconds(1);
    ASSERT_TRUE(board->IsStartButtonShown());
    ASSERT_EQ(board->GetHandTypePictures().size(), 2u);
    // My clock stands 40 above the start button's top edge, less than half
    // the clock's height: its frame's lower rim lies on the button's, clear
    // of the button's word. The result view's clear top rows reach the foot
    // of the opponent's panel.
    ExpectBullClean(board, 2, "end", {{"clock", "start"}, {"result", "seat 1"}});
    // The total score stands inside the table, off the right bar.
    const CCRect total = nodeboxes::WorldBox(board->GetTotalScorePanel());
    EXPECT_LE(total.getMaxX(), nodeboxes::WorldBox(board->GetTable()).getMaxX());
}

}  // namespace

namespace {

// --- what a player reads, phase by phase ------------------------------------------------------

// A busy table: a ceiling of ten digits, a bet of eight, results of ten.
constexpr int64_t kCeiling = 9876543210LL, kBet = 98765432, kResult = 1234567890;

// At the end the result view lies where the bet's chips and amount lie: its
// point is theirs, and the player drags the view aside. My clock's frame
// stands on the start button's top edge, clear of its word.
const covering::Allowed kAtTheEnd = {{"amount", "result"}, {"start", "clock frame"}};

// Faults the check finds that are being mended.
std::vector<phasecheck::Open> OpenFaults()
{
    return {};
}

class OxExReading : public phasecheck::Sized<OxExBoard>
{
protected:
    OxExReading() { Open(OpenFaults()); }
    void Uncovered(const char* phase, const covering::Allowed& allowed = {})
    {
        Check(BullTable(board, 2, {NNBoard::kAmountTag}, NNBoard::kHandTypePoints[0]), phase, BullNames(board, 2),
              BullFans(board, allowed));
        ExpectTypesOnTheirOwnGround(board, phase);
    }
    // The playing scene with me on chair 0 and the banker on chair 1, my
    // hand opened (type 7) or not.
    Bytes PlayScene(bool opened)
    {
        Bytes scene(137, 0);
        Put<int64_t>(scene, 11, kBet);
        Put<uint16_t>(scene, 27, 1);
        std::memcpy(scene.data() + 29, kMine.data(), 5);
        std::memcpy(scene.data() + 34, kTheirs.data(), 5);
        scene[39] = opened ? 7 : 255;
        scene[40] = 255;
        return scene;
    }
    // The chips moved to the corners and the middle of where they may land.
    void ChipsToTheEdges()
    {
        const CCPoint corners[] = {{400, 250}, {600, 250}, {400, 350}, {600, 350}, {520, 350}};
        int slot = 0;
        for (const CCPoint& at : corners)
            if (CCSprite* chip = board->GetChip(0, slot++))
                chip->setPosition(at);
    }
};

TEST_P(OxExReading, ALiveRoundFromTheRobToTheNextRound)
{
    ASSERT_NE(Enter(), nullptr);
    Uncovered("idle");
    Bytes rob;
    ASSERT_TRUE(Game(106, U8(U16(rob, 1), 0)));
    Run(30);
    Uncovered("their rob");
    rob.clear();
    ASSERT_TRUE(Game(106, U8(U16(rob, 0), 0)));
    Uncovered("my rob");
    Banker(kCeiling, 1);
    Uncovered("bets");
    Deal(kMine, 0, kTheirs, false, kBet);
    Run(36);
    Uncovered("chips and the amount");
    Run(30);
    Uncovered("the deal");
    Bytes opened;
    ToTheNextRound(board, 0, U8(U16(opened, 1), 0), End(kResult, 7, 4, 1), [&](const char* phase) {
        Uncovered(phase, std::string(phase) == "result" ? kAtTheEnd : covering::Allowed{});
    });
}

TEST_P(OxExReading, TheBankerWatchesTheBet)
{
    ASSERT_NE(Enter(), nullptr);
    Banker(kCeiling, 0);
    Run(30);
    Uncovered("betting");
}

TEST_P(OxExReading, ATableEnteredInEachScene)
{
    ASSERT_NE(Enter(), nullptr);
    Bytes betting(125, 0);
    Put<int64_t>(betting, 3, kCeiling);
    Put<uint16_t>(betting, 27, 1);
    EachScene(board,
              {{100, Bytes(101, 0), "call scene"},
               {101, betting, "betting scene"},
               {102, PlayScene(false), "playing scene"},
               {102, PlayScene(true), "opened scene"}},
              [&](const char* phase) { Uncovered(phase); });
    ASSERT_TRUE(Game(104, End(-kResult, 7, 4, 1)));
    Seconds(1);
    Uncovered("restored result", kAtTheEnd);
}

// The bet's amount stands on the chips: on a plate of its own, through
// which no chip shows, wherever the chips land.
TEST_P(OxExReading, NoChipShowsInTheBetAmount)
{
    ASSERT_NE(Enter(), nullptr);
    Banker(1000, 1);
    Deal(kMine);
    CCNode* amount = board->GetContentRoot()->getChildByTag(NNBoard::kAmountTag);
    ASSERT_NE(amount, nullptr);
    ASSERT_EQ(amount->getChildrenCount(), 1u);
    const CCRect plate = nodeboxes::WorldBox(static_cast<CCNode*>(amount->getChildren()->objectAtIndex(0)));
    EXPECT_GE(plate.size.width, nodeboxes::WorldBox(amount).size.width);
    ChipsToTheEdges();
    EXPECT_GT(ChipPixelsIn(board, nodeboxes::WorldBox(board->GetTable())), 0);
    // Within the plate's rounded rim.
    EXPECT_EQ(ChipPixelsIn(
                  board, CCRect(plate.getMinX() + 4, plate.getMinY() + 4, plate.size.width - 8, plate.size.height - 8)),
              0);
}

// The result view, drawn whole, hides the bet's chips wherever they landed:
// none stays beside it, and nothing under it shows through.
TEST_P(OxExReading, TheResultHidesEveryChip)
{
    ASSERT_NE(Enter(), nullptr);
    Banker(1000, 1);
    Deal(kMine);
    ChipsToTheEdges();
    ASSERT_TRUE(Game(104, End(10, 7, 4, 1)));
    Seconds(1);
    EXPECT_EQ(ChipPixelsIn(board, nodeboxes::WorldBox(board->GetTable())), 0);
}

INSTANTIATE_TEST_SUITE_P(Window, OxExReading, ::testing::ValuesIn(phasecheck::Windows()), phasecheck::WindowName);

}  // namespace
