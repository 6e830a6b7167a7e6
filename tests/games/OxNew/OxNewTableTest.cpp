// The four-seat bull game through the kernel: every message at its size, the
// seated player who sits a round out, chip piles and labels, the deal, the
// round end over four seats and re-entry.
#include "games/OxEx/BullFixture.h"
#include "games/TableReadables.h"

#include "games/OxNew/NNBoard.h"
#include "games/OxNew/NNHandler.h"
#include "games/OxNew/OxNewMobile.h"
#include "games/OxNew/ScoreView.h"

using namespace bulltest;
using namespace cocos2d;
using OxNew::NNBoard;
using OxNew::OxNewMobile;

namespace {

const Bytes kMine = {0x07, 0x13, 0x2D, 0x35, 0x02};    // bull seven
const Bytes kSecond = {0x19, 0x28, 0x37, 0x06, 0x14};  // bull four
const Bytes kThird = {0x09, 0x18, 0x27, 0x36, 0x02};   // no bull

class OxNewTable : public BullTest
{
protected:
    // Me on chair 1 of four; the others on chairs 0, 2 and 3.
    NNBoard* Enter(uint8_t myStatus = US_PLAY, uint16_t myChair = 1)
    {
        std::vector<uint16_t> others;
        for (uint16_t chair = 0; chair < 4; ++chair)
            if (chair != myChair)
                others.push_back(chair);
        EnterBull(OxNew::kGameKind, 4, myChair, others, myStatus);
        board = dynamic_cast<NNBoard*>(kernel->GetGameBoard());
        return board;
    }
    OxNew::NNHandler* Handler() const { return OxNewMobile::GetHandler(); }

    void Banker(int64_t ceiling, uint16_t banker)
    {
        Bytes b;
        ASSERT_TRUE(Game(100, U16(I64(b, ceiling), banker)));
        Run(40);
    }
    void Bet(uint16_t chair, int64_t amount)
    {
        Bytes b;
        ASSERT_TRUE(Game(101, I64(U16(b, chair), amount)));
    }
    // Cards of chairs 0 to 3 (mine on chair 1).
    void Deal()
    {
        Bytes cards;
        Raw(cards, kSecond);
        Raw(cards, kMine);
        Raw(cards, kThird);
        Raw(cards, kSecond);
        ASSERT_TRUE(Game(103, Zeros(cards, 6)));
    }
    static Bytes End(const uint8_t (&types)[4], const uint8_t (&status)[4], int64_t myScore)
    {
        Bytes b;
        Zeros(b, 32);
        for (int chair = 0; chair < 4; ++chair)
            I64(b, chair == 1 ? myScore : -myScore);
        Zeros(b, 4);
        Raw(b, kSecond);
        Raw(b, kMine);
        Raw(b, kThird);
        Raw(b, kSecond);
        for (uint8_t s : status)
            U8(b, s);
        for (uint8_t t : types)
            U8(b, t);
        return U8(b, 0);
    }
    static Bytes Amount(int64_t v)
    {
        Bytes b;
        return I64(b, v);
    }
    std::vector<std::string> ResultTexts()
    {
        std::vector<std::string> texts;
        CCNode* view = board->GetScoreView();
        CCArray* children = view != nullptr ? view->getChildren() : nullptr;
        for (unsigned i = 0; children != nullptr && i < children->count(); ++i)
            if (auto* label = dynamic_cast<CCLabelTTF*>(children->objectAtIndex(i)))
                texts.push_back(label->getString());
        return texts;
    }

    NNBoard* board = nullptr;
};

struct Sized
{
    uint16_t id;
    uint16_t size;
};

TEST_F(OxNewTable, EverySubAndSceneIsTakenOnlyAtItsSize)
{
    // Bytes of any value make hand types no server sends, whose voices
    // there are none of.
    soundsMustExist = false;
    ASSERT_NE(Enter(), nullptr);
    const Sized subs[] = {{100, 10}, {101, 10}, {103, 26}, {104, 97}, {105, 4}, {106, 7}};
    for (const Sized& s : subs)
    {
        for (uint16_t size = 0; size <= s.size + 2; ++size)
        {
            const Bytes body(size, 0xFF);
            EXPECT_EQ(Handler()->OnGameMessage(s.id, size ? body.data() : nullptr, size), size == s.size)
                << "sub " << s.id << " at " << size;
            Run(30, false);
        }
        Step();
    }
    const Sized scenes[] = {{0, 136}, {100, 135}, {101, 175}, {102, 200}};
    for (const Sized& s : scenes)
    {
        for (uint16_t size = 0; size <= s.size + 2; ++size)
        {
            const Bytes body(size, 0xFF);
            EXPECT_EQ(
                Handler()->OnGameSceneMessage(static_cast<uint8_t>(s.id), false, size ? body.data() : nullptr, size),
                size == s.size)
                << "scene " << s.id << " at " << size;
            Run(30, false);
        }
        Step();
    }
    for (uint16_t sub : {102, 110})
        EXPECT_TRUE(Handler()->OnGameMessage(sub, nullptr, 0));
    for (uint16_t sub : {99, 107, 108, 109, 111})
        EXPECT_FALSE(Handler()->OnGameMessage(sub, nullptr, 0)) << sub;
    for (uint8_t status : {1, 99, 103, 250})
        EXPECT_TRUE(Handler()->OnGameSceneMessage(status, false, nullptr, 0));
}

TEST_F(OxNewTable, AFreeSceneOfTheWrongSizeStillSetsPhaseAndRestoredFlag)
{
    ASSERT_NE(Enter(), nullptr);
    Handler()->ClearRestored();
    const Bytes body(135, 0);
    EXPECT_FALSE(Handler()->OnGameSceneMessage(0, false, body.data(), 135));
    EXPECT_EQ(Handler()->GetRoundPhase(), 0u);
    EXPECT_TRUE(Handler()->IsRestored());
}

TEST_F(OxNewTable, BetButtonsOfATenCeilingAndTheCountdownsBet)
{
    ASSERT_NE(Enter(), nullptr);
    Banker(10, 0);
    const char* titles[4] = {"      10", "5", "3", "2     "};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Title(board->GetBetButton(i)), titles[i]);
    Seconds(30);
    const auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].payload, Amount(2));
}

TEST_F(OxNewTable, ASeatedPlayerWhoDoesNotPlayGetsNoBetsAndNoCountdownSend)
{
    ASSERT_NE(Enter(US_SIT), nullptr);
    Banker(1000, 0);
    EXPECT_EQ(board->GetBetButton(0), nullptr);
    EXPECT_FALSE(board->GetBettingAnimation()->isVisible());
    EXPECT_EQ(board->GetRunningCountdown(), NNBoard::kBetCountdown);
    Seconds(40);
    EXPECT_TRUE(Sends().empty());
}

TEST_F(OxNewTable, EveryBettorHasAPileAndALabelUntilTheReset)
{
    ASSERT_NE(Enter(), nullptr);
    Banker(1000, 0);
    Handler()->SetGameClock(1, 30, 30);
    Bet(2, 100);
    EXPECT_EQ(kernel->GetClockTimerID(), 30u) << "another's bet leaves my clock";
    Bet(1, 200);
    EXPECT_EQ(kernel->GetClockTimerID(), 0u);
    Bet(3, 300);
    Seconds(1);
    for (uint16_t pile = 0; pile < 3; ++pile)
        EXPECT_NE(board->GetChip(pile, 4), nullptr) << pile;
    EXPECT_EQ(board->GetChip(3, 0), nullptr);
    const char* amounts[3] = {"100", "200", "300"};
    for (int i = 0; i < 3; ++i)
    {
        auto* label = dynamic_cast<CCLabelTTF*>(board->GetContentRoot()->getChildByTag(NNBoard::kBetLabelTag + i));
        ASSERT_NE(label, nullptr) << i;
        EXPECT_STREQ(label->getString(), amounts[i]);
    }
    // Chair 2 sits opposite me (view seat 1 is chair 2 from chair 1).
    auto* first = board->GetContentRoot()->getChildByTag(NNBoard::kBetLabelTag);
    EXPECT_EQ(first->getPosition(), NNBoard::kBetLabelPoints[1]);
    EXPECT_EQ(board->GetBetLabelCount(), 3);
    Status(kMe, US_SIT, 1);
    board->OnStartButton(nullptr, 0);
    EXPECT_EQ(board->GetChip(0, 0), nullptr);
    EXPECT_EQ(board->GetContentRoot()->getChildByTag(NNBoard::kBetLabelTag), nullptr);
    EXPECT_EQ(board->GetBetLabelCount(), 0);
}

TEST_F(OxNewTable, MyCardsFlySmallAndLandFullSize)
{
    ASSERT_NE(Enter(), nullptr);
    Banker(1000, 0);
    Deal();
    EXPECT_EQ(board->GetRunningCountdown(), NNBoard::kOpenCountdown);
    Run(10);
    EXPECT_LT(board->GetCardSprite(1, 0)->getScale(), 1.0f);
    Seconds(3);
    for (int j = 0; j < 5; ++j)
    {
        EXPECT_FLOAT_EQ(board->GetCardSprite(1, j)->getScale(), 1.0f);
        EXPECT_EQ(board->GetCardSprite(1, j)->GetCardData(), kMine[j]);
        EXPECT_FLOAT_EQ(board->GetCardSprite(2, j)->getScale(), 0.7f);
        EXPECT_EQ(board->GetCardSprite(2, j)->GetCardData(), Sexy::CardSprite::kCardBack);
        EXPECT_EQ(board->GetCardSprite(1, j)->getPosition(), CCPoint(500 + 17 * j, 138));
    }
    EXPECT_TRUE(board->GetOpenButton()->isVisible());
    for (uint16_t chair = 0; chair < 4; ++chair)
        EXPECT_EQ(Handler()->m_cbInPlay[chair], 1) << chair;
}

TEST_F(OxNewTable, TheRoundEndLaysOutEveryHandAndNamesFaceHandsBullBull)
{
    ASSERT_NE(Enter(US_PLAY), nullptr);
    Bytes call;
    ASSERT_TRUE(Game(106, Zeros(U16(call, 0), 5)));
    Banker(1000, 0);
    Deal();
    Seconds(3);
    audio.log.clear();
    ASSERT_TRUE(Game(104, End({4, 104, 0, 105}, {5, 5, 5, 5}, 100)));
    // The others' hands face up and laid out: 9 7 4 | 8 6.
    EXPECT_EQ(board->GetCardSprite(0, 0)->GetCardData(), 0x19);
    EXPECT_EQ(board->GetCardSprite(0, 3)->GetCardData(), 0x28);
    EXPECT_EQ(board->GetCardSprite(0, 3)->getZOrder(), 0);
    EXPECT_EQ(board->GetHandTypeNumbers(), (std::vector<int>{4, 13, 0, 13}));
    EXPECT_EQ(Played("OxEx/Eff/boys/cow_104.wav"), 1);
    EXPECT_EQ(Played("OxEx/Eff/GAME_WIN"), 1);
    const std::vector<std::string> texts = ResultTexts();
    ASSERT_EQ(texts.size(), 12u);
    EXPECT_EQ(texts[4], "牛牛");
    EXPECT_EQ(texts[10], "牛牛");
    EXPECT_EQ(texts[0], "玩家2001");
    EXPECT_TRUE(board->IsStartButtonShown());
    EXPECT_EQ(board->GetScoreView()->getZOrder(), NNBoard::kResultZOrder);
}

// A seated player who sat the round out sees the hands and the types of the
// chairs below his own; and he may start the next round.
TEST_F(OxNewTable, AWatchersRoundEndStopsButOffersTheNextRound)
{
    ASSERT_NE(Enter(US_SIT, 2), nullptr);
    ASSERT_TRUE(Game(104, End({4, 7, 0, 5}, {5, 5, 0, 5}, 0)));
    EXPECT_EQ(board->GetHandTypeNumbers(), (std::vector<int>{4, 7}));
    EXPECT_EQ(board->GetScoreView(), nullptr);
    EXPECT_TRUE(board->IsStartButtonShown());
}

TEST_F(OxNewTable, ResultRowsKeepTheNamesOfPlayersWhoLeft)
{
    ASSERT_NE(Enter(), nullptr);
    Bytes call;
    ASSERT_TRUE(Game(106, Zeros(U16(call, 0), 5)));
    ASSERT_TRUE(Status(2003, US_FREE, 3));
    ASSERT_TRUE(Game(104, End({1, 2, 3, 4}, {5, 5, 5, 5}, 10)));
    const std::vector<std::string> texts = ResultTexts();
    ASSERT_EQ(texts.size(), 12u);
    EXPECT_EQ(texts[9], "玩家2003");
}

TEST_F(OxNewTable, ReenteringAsAWatcherShowsTheWaitingAnimation)
{
    ASSERT_NE(Enter(US_SIT), nullptr);
    // The betting scene is taken at any size then.
    ASSERT_TRUE(SceneMessage(101, Bytes(3, 0)));
    ASSERT_NE(board->GetWaitAnimation(), nullptr);
    EXPECT_EQ(board->GetWaitAnimation()->getPosition(), CCPoint(512, 480));
    EXPECT_EQ(board->GetBetButton(0), nullptr);
    Bytes scene(200, 0);
    scene[0] = scene[2] = 1;
    std::memcpy(scene.data() + 47, kSecond.data(), 5);
    for (int c = 0; c < 4; ++c)
        scene[67 + c] = 255;
    ASSERT_TRUE(SceneMessage(102, scene));
    EXPECT_TRUE(board->GetCardSprite(0, 0)->isVisible());
    EXPECT_EQ(board->GetCardSprite(0, 0)->GetCardData(), Sexy::CardSprite::kCardBack);
    EXPECT_FALSE(board->GetCardSprite(1, 0)->isVisible());
    EXPECT_FALSE(board->GetOpenButton()->isVisible());
    Status(kMe, US_SIT, 1);
    board->OnStartButton(nullptr, 0);
    EXPECT_EQ(board->GetWaitAnimation(), nullptr);
}

TEST_F(OxNewTable, ReenteringAnOpenedHandSendsItAgainAtOnce)
{
    ASSERT_NE(Enter(), nullptr);
    Bytes scene(200, 0);
    for (int c = 0; c < 4; ++c)
        scene[c] = 1;
    Put<int64_t>(scene, 13, 500);
    Put<uint16_t>(scene, 45, 0);
    for (int c = 0; c < 4; ++c)
        std::memcpy(scene.data() + 47 + 5 * c, (c == 1 ? kMine : kSecond).data(), 5);
    for (int c = 0; c < 4; ++c)
        scene[67 + c] = c == 1 ? 1 : 255;
    ASSERT_TRUE(SceneMessage(102, scene));
    const auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].sub, 3);
    EXPECT_EQ(sent[0].payload, Bytes{7});
    EXPECT_EQ(board->GetHandTypeNumbers(), std::vector<int>{7});
    EXPECT_TRUE(board->GetBankerMark()->isVisible());
    EXPECT_EQ(board->GetBankerMark()->getPosition(), NNBoard::kBankerMarkPoints[3]);
    auto* label = dynamic_cast<CCLabelTTF*>(board->GetContentRoot()->getChildByTag(NNBoard::kBetLabelTag));
    ASSERT_NE(label, nullptr);
    EXPECT_STREQ(label->getString(), "500");
    // The restored round's end: never my own type; the voice capped at 10.
    audio.log.clear();
    ASSERT_TRUE(Game(104, End({4, 105, 0, 3}, {5, 5, 5, 5}, 0)));
    EXPECT_EQ(board->GetHandTypeNumbers(), (std::vector<int>{7, 4, 0, 3}));
    EXPECT_EQ(Played("OxEx/Eff/boys/cow_10.wav"), 1);
    EXPECT_EQ(Played("OxEx/Eff/GAME_LOST"), 1);
}

// A second playing scene replaces the bet labels of the first: one label a
// bettor, never one laid over another.
TEST_F(OxNewTable, AnotherPlayingSceneReplacesTheBetLabels)
{
    ASSERT_NE(Enter(), nullptr);
    Bytes scene(200, 0);
    for (int c = 0; c < 4; ++c)
        scene[c] = 1;
    Put<int64_t>(scene, 13, 500);
    Put<int64_t>(scene, 29, 300);
    for (int c = 0; c < 4; ++c)
        std::memcpy(scene.data() + 47 + 5 * c, (c == 1 ? kMine : kSecond).data(), 5);
    for (int c = 0; c < 4; ++c)
        scene[67 + c] = 255;
    for (int round = 0; round < 3; ++round)
    {
        ASSERT_TRUE(SceneMessage(102, scene));
        Step();
        std::vector<std::string> shown;
        for (int i = 0; i < 4; ++i)
            if (auto* label =
                    dynamic_cast<CCLabelTTF*>(board->GetContentRoot()->getChildByTag(NNBoard::kBetLabelTag + i)))
                shown.push_back(label->getString());
        EXPECT_EQ(shown, (std::vector<std::string>{"500", "300"})) << round;
    }
}

TEST_F(OxNewTable, ReenteringTheBettingBetsFromTheScenesCeiling)
{
    ASSERT_NE(Enter(), nullptr);
    Bytes scene(175, 0);
    Put<int64_t>(scene, 5, 800);
    Put<uint16_t>(scene, 45, 3);
    ASSERT_TRUE(SceneMessage(101, scene));
    EXPECT_EQ(board->GetBankerMark()->getPosition(), NNBoard::kBankerMarkPoints[2]);
    EXPECT_EQ(board->GetBankerMark()->getZOrder(), 10000);
    Press(board->GetBetButton(3));
    const auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].payload, Amount(200));
}

TEST_F(OxNewTable, TheRobTurnAndTheOpening)
{
    ASSERT_NE(Enter(), nullptr);
    Bytes mine;
    ASSERT_TRUE(Game(106, Zeros(U16(mine, 1), 5)));
    EXPECT_TRUE(board->GetRobButton()->isVisible());
    EXPECT_EQ(board->GetRunningCountdown(), NNBoard::kBankerCallCountdown);
    Bytes other;
    ASSERT_TRUE(Game(106, Zeros(U16(other, 3), 5)));
    EXPECT_FALSE(board->GetRobButton()->isVisible());
    EXPECT_TRUE(board->GetBankerCallAnimation()->isVisible());
    EXPECT_EQ(kernel->GetClockChairID(), 3);
    Banker(1000, 1);
    EXPECT_TRUE(board->GetBettingAnimation()->isVisible()) << "the banker watches the others bet";
    Deal();
    Seconds(3);
    Press(board->GetOpenButton());
    auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].payload, Bytes{1});
    Bytes opened;
    ASSERT_TRUE(Game(105, Zeros(U16(opened, 1), 2)));
    EXPECT_FALSE(board->GetOpenButton()->isVisible());
    EXPECT_TRUE(board->GetHintButton()->isEnabled());
    EXPECT_EQ(board->GetOpenAnimation()->getZOrder(), 500);
}

// The round end as a player reads it: the types lie across the fans and off
// the cards' values, the result view leaves every seat, the banker's values,
// the start button and the clock in view, and the right seat's cards end
// inside the table, short of the right bar and off its bet label.
TEST_F(OxNewTable, NothingOnTheTableCoversWhatAPlayerReads)
{
    ASSERT_NE(Enter(US_PLAY), nullptr);
    Bytes call;
    ASSERT_TRUE(Game(106, Zeros(U16(call, 0), 5)));
    Banker(1000, 3);  // across the table from me
    for (uint16_t chair : {0, 1, 2})
        Bet(chair, 500);
    Deal();
    Seconds(3);
    ASSERT_TRUE(Game(104, End({4, 7, 0, 5}, {5, 5, 5, 5}, 100)));
    Seconds(1);
    ASSERT_NE(board->GetScoreView(), nullptr);
    // The raised pairs of the left and the top seat reach the foot of the
    // seat panel above them by a few pixels.
    ExpectBullClean(board, 4, "end", {{"index 0", "seat 3"}, {"index 3", "seat 2"}});
    // Chair 2 sits on my right: its cards and its bet label.
    const float table = nodeboxes::WorldBox(board->GetTable()).getMaxX();
    for (int j = 0; j < 5; ++j)
        EXPECT_LE(nodeboxes::WorldBox(board->GetCardSprite(2, j)).getMaxX(), table + 4) << j;
}

// A seated watcher who came in mid-round sees every hand the end names under
// its type, and no type without its cards; his waiting words stand above the
// top seat, over no one.
TEST_F(OxNewTable, AWatchersRestoredEndShowsTheHandsUnderTheirTypes)
{
    ASSERT_NE(Enter(US_SIT), nullptr);
    ASSERT_TRUE(SceneMessage(101, Bytes(3, 0)));
    ASSERT_NE(board->GetWaitAnimation(), nullptr);
    ExpectBullClean(board, 4, "waiting");
    ASSERT_TRUE(Game(104, End({4, 7, 0, 5}, {5, 0, 5, 5}, 0)));
    Seconds(1);
    ASSERT_EQ(board->GetHandTypePictures().size(), 3u);
    // Chairs 0, 2 and 3 played: each shows its five cards face up, at a
    // seat's size, where its type stands beside them.
    for (uint16_t chair : {0, 2, 3})
    {
        for (int j = 0; j < 5; ++j)
        {
            Sexy::CardSprite* card = board->GetCardSprite(chair, j);
            EXPECT_TRUE(nodeboxes::Shown(card)) << chair << " " << j;
            EXPECT_NE(card->GetCardData(), Sexy::CardSprite::kCardBack);
            EXPECT_FLOAT_EQ(card->getScale(), 0.7f);
        }
    }
    EXPECT_FALSE(board->GetCardSprite(1, 0)->isVisible());
    // As at a live end, the left and top seats' raised pairs touch the foot
    // of the panel above them.
    ExpectBullClean(board, 4, "watcher's end", {{"index 0", "seat 3"}, {"index 3", "seat 2"}});
}

}  // namespace

namespace {

// --- what a player reads, phase by phase ------------------------------------------------------

// A busy table: a ceiling of ten digits, bets of eight, results of ten.
constexpr int64_t kCeiling = 9876543210LL, kBet = 98765432, kResult = 1234567890;

// The raised pairs of the left and the top seat reach the foot of the seat
// panel above them by a few rows: the cards' and the panels' points
// leave no more room.
const covering::Allowed kAtTheEnd = {{"card 0", "seat 3"}, {"card 3", "seat 2"}};

// Faults the check finds that are being mended.
std::vector<phasecheck::Open> OpenFaults()
{
    return {};
}

class OxNewReading : public phasecheck::Sized<OxNewTable>
{
protected:
    OxNewReading() { Open(OpenFaults()); }
    void Uncovered(const char* phase, const covering::Allowed& allowed = {})
    {
        std::vector<int> labels;
        for (int i = 0; i < 4; ++i)
            labels.push_back(NNBoard::kBetLabelTag + i);
        Check(BullTable(board, 4, labels, NNBoard::kHandTypePoints[0]), phase, BullNames(board, 4),
              BullFans(board, allowed));
        ExpectTypesOnTheirOwnGround(board, phase);
    }
    // The playing scene: every chair plays and bet, chair 3 is the banker,
    // my hand (chair 1) opened (type 7) or not.
    static Bytes PlayScene(bool opened)
    {
        Bytes scene(200, 0);
        for (int chair = 0; chair < 4; ++chair)
        {
            scene[chair] = 1;
            Put<int64_t>(scene, 13 + 8 * chair, chair == 3 ? 0 : kBet);
        }
        Put<uint16_t>(scene, 45, 3);
        std::memcpy(scene.data() + 47, kSecond.data(), 5);
        std::memcpy(scene.data() + 52, kMine.data(), 5);
        std::memcpy(scene.data() + 57, kThird.data(), 5);
        std::memcpy(scene.data() + 62, kSecond.data(), 5);
        for (int chair = 0; chair < 4; ++chair)
            scene[67 + chair] = chair == 1 && opened ? 7 : 255;
        return scene;
    }
};

TEST_P(OxNewReading, ALiveRoundFromTheRobToTheNextRound)
{
    ASSERT_NE(Enter(), nullptr);
    Uncovered("idle");
    Bytes call;
    ASSERT_TRUE(Game(106, Zeros(U16(call, 0), 5)));
    Run(30);
    Uncovered("their rob");
    call.clear();
    ASSERT_TRUE(Game(106, Zeros(U16(call, 1), 5)));
    Uncovered("my rob");
    Banker(kCeiling, 3);
    Uncovered("bets");
    for (uint16_t chair : {0, 1, 2})
        Bet(chair, kBet);
    Run(40);
    Uncovered("chips and amounts");
    Deal();
    for (int step = 0; step < 2; ++step)
    {
        Run(30);
        Uncovered("the deal");
    }
    Bytes opened;
    ToTheNextRound(board, 1, Zeros(U16(opened, 0), 2), End({4, 7, 0, 5}, {5, 5, 5, 5}, kResult),
                   [&](const char* phase) {
                       Uncovered(phase, std::string(phase) == "result" ? kAtTheEnd : covering::Allowed{});
                   });
}

// Bets of ten digits stand whole beside the seats' panels: the left seat's
// is not cut by its panel.
TEST_P(OxNewReading, BetsOfTenDigits)
{
    ASSERT_NE(Enter(), nullptr);
    Banker(kCeiling, 2);
    for (uint16_t chair : {0, 1, 3})
        Bet(chair, kCeiling);
    Run(40);
    Uncovered("ten-digit bets");
}

TEST_P(OxNewReading, TheBankerWatchesTheBets)
{
    ASSERT_NE(Enter(), nullptr);
    Banker(kCeiling, 1);
    Run(30);
    Uncovered("betting");
}

TEST_P(OxNewReading, AWatcherWaitsForTheNextRound)
{
    ASSERT_NE(Enter(US_SIT), nullptr);
    ASSERT_TRUE(SceneMessage(102, PlayScene(false)));
    Run(20);
    Uncovered("watching");
}

TEST_P(OxNewReading, ATableEnteredInEachScene)
{
    ASSERT_NE(Enter(), nullptr);
    Bytes call(135, 0);
    Put<uint16_t>(call, 0, 1);
    Bytes betting(175, 0);
    Put<int64_t>(betting, 5, kCeiling);
    Put<uint16_t>(betting, 45, 3);
    EachScene(board,
              {{100, call, "call scene"},
               {101, betting, "betting scene"},
               {102, PlayScene(false), "playing scene"},
               {102, PlayScene(true), "opened scene"}},
              [&](const char* phase) { Uncovered(phase); });
    ASSERT_TRUE(Game(104, End({4, 7, 0, 5}, {5, 5, 5, 5}, -kResult)));
    Seconds(1);
    Uncovered("restored result", kAtTheEnd);
}

// Chips land under every card, the banker's included, however late they
// are thrown: a table entered at the show-down lays its cards, then its
// chips.
TEST_P(OxNewReading, TheChipsLieUnderTheBankersCards)
{
    ASSERT_NE(Enter(), nullptr);
    ASSERT_TRUE(SceneMessage(102, PlayScene(false)));
    Run(40);
    std::vector<covering::detail::Drawn> order;
    int counter = 0;
    covering::detail::Walk(CCDirector::sharedDirector()->getRunningScene(), counter, order);
    auto drawnAt = [&](CCNode* node) {
        for (const covering::detail::Drawn& d : order)
            if (d.node == node)
                return d.own;
        return -1;
    };
    // Chair 3, the banker, sits across the table.
    int firstCard = counter;
    for (int j = 0; j < 5; ++j)
        firstCard = std::min(firstCard, drawnAt(board->GetCardSprite(3, j)));
    ASSERT_GT(firstCard, 0);
    for (int slot = 0; slot < NNBoard::kChipSlots; ++slot)
    {
        if (CCSprite* chip = board->GetChip(0, slot))
        {
            EXPECT_LT(drawnAt(chip), firstCard) << slot;
        }
    }
}

// The result view, drawn whole, hides every chip of the round wherever it
// landed: none stays beside it.
TEST_P(OxNewReading, TheResultHidesEveryChip)
{
    ASSERT_NE(Enter(), nullptr);
    Banker(1000, 3);
    for (uint16_t chair : {0, 1, 2})
        Bet(chair, 500);
    Run(40);
    // The corners of where the last chip of a throw lands, and of the others.
    const CCPoint edges[] = {{300, 250}, {500, 350}, {300, 350}, {450, 250}, {550, 350}};
    for (int i = 0; i < 5; ++i)
        board->GetChip(0, i)->setPosition(edges[i]);
    Deal();
    Seconds(3);
    ASSERT_TRUE(Game(104, End({4, 7, 0, 5}, {5, 5, 5, 5}, 100)));
    Seconds(1);
    EXPECT_EQ(ChipPixelsIn(board, nodeboxes::WorldBox(board->GetTable())), 0);
}

INSTANTIATE_TEST_SUITE_P(Window, OxNewReading, ::testing::ValuesIn(phasecheck::Windows()), phasecheck::WindowName);

}  // namespace
