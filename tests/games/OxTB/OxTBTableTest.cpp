// The six-seat bull game through the kernel: every message at its size, the
// round start, the deal of the seats with five cards, the open countdown,
// hint and open, the show-down and re-entry.
#include "games/OxEx/BullFixture.h"
#include "games/TableReadables.h"

#include "games/OxTB/NNBoard.h"
#include "games/OxTB/NNHandler.h"
#include "games/OxTB/OxTBMobile.h"

using namespace bulltest;
using namespace cocos2d;
using OxTB::NNBoard;
using OxTB::OxTBMobile;

namespace {

const Bytes kMine = {0x0D, 0x07, 0x05, 0x03, 0x02};   // K 7 5 3 2: bull seven, (K 7 3 | 5 2)
const Bytes kJoker = {0x4E, 0x06, 0x04, 0x03, 0x02};  // small joker bull
const Bytes kNone = {0x1D, 0x09, 0x08, 0x07, 0x06};   // K 9 8 7 6: no bull
const Bytes kArranged = {0x0D, 0x07, 0x03, 0x05, 0x02};

class OxTBTable : public BullTest
{
protected:
    // Me on chair 2 of six, the others on every other chair.
    NNBoard* Enter(uint8_t myStatus = US_PLAY, uint8_t gender = 0)
    {
        EnterBull(OxTB::kGameKind, 6, 2, {0, 1, 3, 4, 5}, myStatus, gender);
        board = dynamic_cast<NNBoard*>(kernel->GetGameBoard());
        return board;
    }
    OxTB::NNHandler* Handler() const { return OxTBMobile::GetHandler(); }

    void Start(int64_t base = 500, uint8_t inPlay = 1)
    {
        Bytes b;
        for (int c = 0; c < 6; ++c)
            U8(b, inPlay);
        ASSERT_TRUE(Game(100, Zeros(I64(b, base), 6)));
    }
    // My hand on chair 2; the count of every seat given.
    void Deal(const Bytes& mine = kMine, uint8_t myCount = 5, uint8_t otherCount = 5)
    {
        Bytes b;
        for (int c = 0; c < 6; ++c)
            Raw(b, c == 2 ? mine : kNone);
        for (int c = 0; c < 6; ++c)
            U8(b, c == 2 ? myCount : otherCount);
        ASSERT_TRUE(Game(103, b));
        Seconds(3);
    }
    static Bytes End(const uint8_t (&types)[6], int64_t myScore, uint8_t status = 5)
    {
        Bytes b;
        Zeros(b, 48);
        for (int c = 0; c < 6; ++c)
            I64(b, c == 2 ? myScore : -1);
        for (int c = 0; c < 6; ++c)
            Raw(b, c == 2 ? kMine : kJoker);
        for (int c = 0; c < 6; ++c)
            U8(b, status);
        Zeros(b, 6);
        for (uint8_t t : types)
            U8(b, t);
        return Zeros(b, 48);
    }
    static Bytes Open(uint8_t flag, const Bytes& cards)
    {
        Bytes b{flag};
        return Raw(b, cards);
    }

    NNBoard* board = nullptr;
};

struct Sized
{
    uint16_t id;
    uint16_t size;
};

TEST_F(OxTBTable, EverySubAndTheSceneAreTakenOnlyAtTheirSize)
{
    ASSERT_NE(Enter(), nullptr);
    const Sized subs[] = {{100, 20}, {103, 36}, {104, 192}, {105, 8}};
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
    for (uint16_t size = 0; size <= 125; ++size)
    {
        const Bytes body(size, 0xFF);
        EXPECT_EQ(Handler()->OnGameSceneMessage(102, false, size ? body.data() : nullptr, size), size == 123) << size;
        EXPECT_EQ(Handler()->GetRoundPhase(), 3u);
        EXPECT_TRUE(Handler()->IsRestored());
        Run(30, false);
    }
    Step();
    for (uint16_t sub : {0, 99, 101, 102, 106, 200})
        EXPECT_TRUE(Handler()->OnGameMessage(sub, nullptr, 0)) << sub;
    for (uint8_t status : {0, 1, 100, 101, 103})
        for (uint16_t size : {0, 5, 300})
        {
            const Bytes body(size, 1);
            EXPECT_TRUE(Handler()->OnGameSceneMessage(status, false, size ? body.data() : nullptr, size));
        }
}

TEST_F(OxTBTable, TheRoundStartThrowsEverySeatsChipsAndShowsTheBaseScore)
{
    ASSERT_NE(Enter(), nullptr);
    Bytes b = {1, 0, 1, 1, 0, 0};
    ASSERT_TRUE(Game(100, Zeros(I64(b, 12345), 6)));
    Seconds(1);
    for (uint16_t chair = 0; chair < 6; ++chair)
        EXPECT_EQ(board->GetChip(chair, 0) != nullptr, b[chair] != 0) << chair;
    auto* label = dynamic_cast<CCLabelTTF*>(board->GetContentRoot()->getChildByTag(NNBoard::kBaseScoreTag));
    ASSERT_NE(label, nullptr);
    EXPECT_STREQ(label->getString(), "1,2345");
    EXPECT_EQ(label->getPosition(), CCPoint(800, 150));
    EXPECT_EQ(Played("OxEx/Eff/ADD_SCORE"), 1);
    EXPECT_EQ(Played("OxEx/Eff/GAME_START"), 1);
}

TEST_F(OxTBTable, OnlySeatsWithFiveCardsAreDealt)
{
    ASSERT_NE(Enter(), nullptr);
    Start();
    Bytes b;
    for (int c = 0; c < 6; ++c)
        Raw(b, c == 2 ? kMine : kNone);
    const uint8_t counts[6] = {5, 4, 5, 6, 255, 5};
    for (uint8_t n : counts)
        U8(b, n);
    ASSERT_TRUE(Game(103, b));
    Seconds(3);
    for (uint16_t chair = 0; chair < 6; ++chair)
        EXPECT_EQ(board->GetCardSprite(chair, 0)->isVisible(), counts[chair] == 5) << chair;
    EXPECT_EQ(board->GetCardSprite(2, 4)->GetCardData(), kMine[4]);
    EXPECT_EQ(board->GetCardSprite(2, 4)->getZOrder(), 10);
    EXPECT_FLOAT_EQ(board->GetCardSprite(2, 4)->getScale(), 1.0f);
    EXPECT_EQ(board->GetCardSprite(3 - 3, 0)->getZOrder(), 9);
    EXPECT_TRUE(board->GetOpenButton()->isVisible());
    EXPECT_EQ(kernel->GetClockChairID(), 2);
}

// A count from the server other than five is no hand: the countdown sends
// the flag 0 and the cards as they came, and sorts nothing past them.
TEST_F(OxTBTable, AHandWithoutFiveCardsOpensAsNoBull)
{
    ASSERT_NE(Enter(), nullptr);
    Start();
    Deal(kMine, 7);
    Seconds(30);
    const auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].payload, Open(0, kMine));
}

TEST_F(OxTBTable, TheCountdownWarnsFiveTimesAndOpensTheArrangedHand)
{
    ASSERT_NE(Enter(), nullptr);
    Start();
    Deal();  // three seconds of the countdown
    audio.log.clear();
    Seconds(26);
    EXPECT_EQ(Played("OxEx/Eff/GAME_WARN"), 5);
    EXPECT_TRUE(Sends().empty());
    Seconds(1);
    const auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].sub, 3);
    EXPECT_EQ(sent[0].payload, Open(1, kArranged));
}

TEST_F(OxTBTable, OpenAfterTheHintSendsWhatTheHintShowed)
{
    ASSERT_NE(Enter(), nullptr);
    Start();
    Deal();
    Press(board->GetHintButton());
    Seconds(1);
    EXPECT_EQ(board->GetHandTypeNumbers(), std::vector<int>{7});
    EXPECT_FALSE(board->GetHintButton()->isEnabled());
    // The pair (5 and 2) tucked up and left behind the bull.
    EXPECT_EQ(board->GetCardSprite(2, 3)->getZOrder() + board->GetCardSprite(2, 4)->getZOrder() >= 0, true);
    Press(board->GetOpenButton());
    const auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].payload, Open(1, kArranged));
}

TEST_F(OxTBTable, OpenWithoutTheHintRunsItFirst)
{
    ASSERT_NE(Enter(), nullptr);
    Start();
    Deal(kNone);
    Press(board->GetOpenButton());
    const auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].payload[0], 0);
    Seconds(1);
    // No bull: picture 0 and no pair lifted.
    EXPECT_EQ(board->GetHandTypeNumbers(), std::vector<int>{0});
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(board->GetCardSprite(2, k)->getPositionY(), 138);
}

TEST_F(OxTBTable, AnotherSeatsOpeningLeavesMyClockAndButtons)
{
    ASSERT_NE(Enter(), nullptr);
    Start();
    Deal();
    Bytes theirs;
    ASSERT_TRUE(Game(105, Zeros(U16(theirs, 4), 6)));
    EXPECT_EQ(kernel->GetClockTimerID(), 30u);
    EXPECT_TRUE(board->GetOpenButton()->isVisible());
    EXPECT_TRUE(board->GetOpenAnimation()->isVisible());
    Bytes mine;
    ASSERT_TRUE(Game(105, Zeros(U16(mine, 2), 6)));
    EXPECT_EQ(kernel->GetClockTimerID(), 0u);
    EXPECT_FALSE(board->GetOpenButton()->isVisible());
}

TEST_F(OxTBTable, TheShowDownLaysOutTheOthersAndVoicesMyTypeCappedAtTen)
{
    ASSERT_NE(Enter(US_PLAY, 1), nullptr);
    Start();
    Deal();
    audio.log.clear();
    ASSERT_TRUE(Game(104, End({11, 1, 15, 0, 2, 3}, 0)));
    // The joker leads the others' laid-out hands (small joker, 3, 2 | 6, 4).
    EXPECT_EQ(board->GetCardSprite(0, 0)->GetCardData(), 0x4E);
    EXPECT_EQ(board->GetCardSprite(0, 3)->getZOrder(), 0);
    EXPECT_EQ(board->GetHandTypeNumbers(), (std::vector<int>{11, 1, 0, 2, 3}));
    EXPECT_EQ(Played("OxEx/Eff/girl/cow_10.mp3"), 1);
    EXPECT_EQ(Played("OxEx/Eff/GAME_LOST"), 1);
    EXPECT_TRUE(board->IsStartButtonShown());
    ASSERT_NE(board->GetScoreView(), nullptr);
    EXPECT_EQ(board->GetScoreView()->getPosition(), CCPoint(512, 220));
}

// Re-entered with the hand opened: a bull of 1 to 9 is declared a bull
// again (flag 1), laid out with its type picture.
TEST_F(OxTBTable, AnOpenedHandIsRestoredAsTheBullItIs)
{
    ASSERT_NE(Enter(), nullptr);
    Bytes scene(123, 0);
    for (int c = 0; c < 6; ++c)
        scene[c] = 1;
    Put<int64_t>(scene, 6, 700);
    for (int c = 0; c < 6; ++c)
        std::memcpy(scene.data() + 64 + 5 * c, (c == 2 ? kMine : kNone).data(), 5);
    for (int c = 0; c < 6; ++c)
        scene[94 + c] = 5;
    scene[100 + 2] = 1;
    ASSERT_TRUE(SceneMessage(102, scene));
    const auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].payload, Open(1, kArranged));
    EXPECT_EQ(board->GetHandTypeNumbers(), std::vector<int>{7});
    EXPECT_EQ(board->GetCardSprite(2, 3)->getPosition(), CCPoint(500 + 51 - 43, 138 + 30));
    auto* label = dynamic_cast<CCLabelTTF*>(board->GetContentRoot()->getChildByTag(NNBoard::kBaseScoreTag));
    ASSERT_NE(label, nullptr);
    EXPECT_STREQ(label->getString(), "700");
    EXPECT_EQ(label->getPosition(), CCPoint(600, 300));
    // The restored round's show-down: the loss sounds twice.
    audio.log.clear();
    ASSERT_TRUE(Game(104, End({1, 2, 7, 3, 4, 5}, -50)));
    EXPECT_EQ(Played("OxEx/Eff/GAME_LOST"), 2);
}

TEST_F(OxTBTable, AnUnopenedHandIsRestoredWithItsCountdown)
{
    ASSERT_NE(Enter(), nullptr);
    Bytes scene(123, 0);
    scene[1] = scene[2] = 1;
    std::memcpy(scene.data() + 64 + 10, kMine.data(), 5);
    scene[94 + 2] = 5;
    ASSERT_TRUE(SceneMessage(102, scene));
    EXPECT_TRUE(board->GetOpenButton()->isVisible());
    EXPECT_EQ(board->GetRunningCountdown(), NNBoard::kOpenCountdown);
    EXPECT_EQ(board->GetCardSprite(2, 0)->GetCardData(), kMine[0]);
    EXPECT_EQ(board->GetCardSprite(1, 0)->GetCardData(), Sexy::CardSprite::kCardBack);
    EXPECT_FALSE(board->GetCardSprite(0, 0)->isVisible());
    Press(board->GetOpenButton());
    const auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].payload, Open(1, kArranged));
}

TEST_F(OxTBTable, AWatcherReenteringWaits)
{
    ASSERT_NE(Enter(US_SIT), nullptr);
    Bytes scene(123, 0);
    scene[1] = 1;
    scene[94 + 1] = 5;
    ASSERT_TRUE(SceneMessage(102, scene));
    ASSERT_NE(board->GetWaitAnimation(), nullptr);
    EXPECT_TRUE(board->GetCardSprite(1, 0)->isVisible());
    EXPECT_FALSE(board->GetOpenButton()->isVisible());
}

// After a re-entry the next round runs on its own messages: my cards come
// from the deal, not from the old scene.
TEST_F(OxTBTable, TheRoundAfterAReentryTakesMyCardsFromTheDeal)
{
    ASSERT_NE(Enter(), nullptr);
    Bytes scene(123, 0);
    scene[2] = 1;
    std::memcpy(scene.data() + 64 + 10, kNone.data(), 5);
    scene[94 + 2] = 5;
    ASSERT_TRUE(SceneMessage(102, scene));
    ASSERT_TRUE(Game(104, End({0, 0, 0, 0, 0, 0}, 0)));
    Status(kMe, US_SIT, 2);
    board->OnStartButton(nullptr, 0);
    Status(kMe, US_PLAY, 2);
    Sends();
    Start();
    EXPECT_FALSE(Handler()->IsRestored());
    Deal();
    Press(board->GetOpenButton());
    const auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].payload, Open(1, kArranged));
}

// Types come from the server: one past the names and pictures shows no
// picture and an empty name, and nothing reads past the tables.
TEST_F(OxTBTable, TypesBeyondTheTablesShowNoPictureAndNoName)
{
    ASSERT_NE(Enter(), nullptr);
    ASSERT_TRUE(Game(104, End({16, 200, 7, 255, 10, 13}, 0)));
    EXPECT_EQ(board->GetHandTypeNumbers(), (std::vector<int>{13, 13}));
    std::vector<std::string> names;
    CCArray* children = board->GetScoreView()->getChildren();
    for (unsigned i = 0; children != nullptr && i < children->count(); ++i)
        if (auto* label = dynamic_cast<CCLabelTTF*>(children->objectAtIndex(i)))
            names.push_back(label->getString());
    ASSERT_EQ(names.size(), 18u);
    EXPECT_EQ(names[1], "");
    EXPECT_EQ(names[4], "");
    EXPECT_EQ(names[7], "牛七");
    EXPECT_EQ(names[10], "");
    EXPECT_EQ(names[13], "");
    EXPECT_EQ(names[16], "牛牛");
}

// The result names the players of the round: one who left before the end
// keeps his name, a chair nobody sat on has an empty one.
TEST_F(OxTBTable, ResultRowsNameThePlayersOfTheRoundOnly)
{
    EnterBull(OxTB::kGameKind, 6, 2, {0, 1, 3, 4});
    board = dynamic_cast<NNBoard*>(kernel->GetGameBoard());
    ASSERT_NE(board, nullptr);
    Start();
    Deal();
    ASSERT_TRUE(Status(2002, US_FREE, 1));
    ASSERT_EQ(kernel->GetTableUserData(1), nullptr);
    ASSERT_TRUE(Game(104, End({1, 2, 3, 4, 5, 6}, 10)));
    std::vector<std::string> texts;
    CCArray* children = board->GetScoreView()->getChildren();
    for (unsigned i = 0; children != nullptr && i < children->count(); ++i)
        if (auto* label = dynamic_cast<CCLabelTTF*>(children->objectAtIndex(i)))
            texts.push_back(label->getString());
    ASSERT_EQ(texts.size(), 18u);
    EXPECT_EQ(texts[3], "玩家2002");
    EXPECT_EQ(texts[4], "牛二");
    EXPECT_EQ(texts[15], "");
    EXPECT_EQ(texts[16], "牛六");
}

TEST_F(OxTBTable, TheResetClearsTheTable)
{
    ASSERT_NE(Enter(), nullptr);
    Start();
    Deal();
    ASSERT_TRUE(Game(104, End({1, 2, 7, 3, 4, 5}, 10)));
    Status(kMe, US_SIT, 2);
    board->OnStartButton(nullptr, 0);
    EXPECT_EQ(board->GetScoreView(), nullptr);
    EXPECT_EQ(board->GetContentRoot()->getChildByTag(NNBoard::kBaseScoreTag), nullptr);
    EXPECT_TRUE(board->GetHandTypeNumbers().empty());
    for (uint16_t chair = 0; chair < 6; ++chair)
    {
        EXPECT_EQ(board->GetChip(chair, 0), nullptr);
        EXPECT_FALSE(board->GetCardSprite(chair, 0)->isVisible());
        EXPECT_FLOAT_EQ(board->GetCardSprite(chair, 0)->getScale(), 0.3f);
    }
}

// The show-down as a player reads it: the types lie across the fans, off
// the cards' values; the result view leaves the seats, the start button and
// my ready clock in view. Its point and its six rows put the two lowest
// rows over the top of my cards and my type, so the view is see-through and
// they show under it until it is dragged away; the top seats' raised pairs
// reach the foot of the panels above them by three pixels.
TEST_F(OxTBTable, NothingOnTheTableCoversWhatAPlayerReads)
{
    ASSERT_NE(Enter(), nullptr);
    Start();
    Deal();
    Press(board->GetHintButton());
    Seconds(1);
    ASSERT_TRUE(Game(104, End({11, 1, 7, 0, 2, 3}, 100)));
    Seconds(1);
    ASSERT_NE(board->GetScoreView(), nullptr);
    ASSERT_TRUE(nodeboxes::Shown(board->GetTimerBox()));
    ExpectBullClean(board, 6, "end",
                    {{"result", "index 2"},
                     {"result", "type"},
                     {"index 0", "seat 4"},
                     {"index 3", "seat 1"},
                     {"index 4", "seat 2"},
                     {"index 5", "seat 3"}});
}

// Scores of ten digits, lost and won, stay inside the result's drawing,
// beside its rows' names and hands.
TEST_F(OxTBTable, TheResultHoldsScoresOfTenDigits)
{
    ASSERT_NE(Enter(), nullptr);
    Start();
    Deal();
    ASSERT_TRUE(Game(104, End({11, 1, 7, 0, 2, 3}, -2500000000LL)));
    Seconds(1);
    CCSprite* view = board->GetScoreView();
    ASSERT_NE(view, nullptr);
    std::vector<nodeboxes::Box> rows;
    for (unsigned i = 0; i < view->getChildrenCount(); ++i)
        nodeboxes::AddShown(rows, "row " + std::to_string(i), static_cast<CCNode*>(view->getChildren()->objectAtIndex(i)));
    ASSERT_EQ(rows.size(), 18u);
    const CCRect drawn = nodeboxes::BottomRows(nodeboxes::WorldBox(view), 152);
    for (const std::string& out : nodeboxes::Outside(rows, drawn))
        ADD_FAILURE() << out;
    for (const std::string& overlap : nodeboxes::Overlaps(rows))
        ADD_FAILURE() << overlap;
}

// A watcher's words stand above the top seats, over no one.
TEST_F(OxTBTable, AWatchersWaitingWordsCoverNoSeat)
{
    ASSERT_NE(Enter(US_SIT), nullptr);
    Bytes scene(123, 0);
    scene[1] = 1;
    scene[94 + 1] = 5;
    ASSERT_TRUE(SceneMessage(102, scene));
    ASSERT_NE(board->GetWaitAnimation(), nullptr);
    ExpectBullClean(board, 6, "waiting");
}

}  // namespace

namespace {

// --- what a player reads, phase by phase ------------------------------------------------------

// A busy table: a base score of eight digits, results of ten.
constexpr int64_t kBase = 98765432, kResult = 1234567890;

// At the end the result view lies over my own hand and its type, which my
// row names (its point lies on my cards; the player drags it aside); the
// top seats' raised pairs reach the foot of their panels by a few rows.
const covering::Allowed kAtTheEnd = {{"card 2", "result"}, {"my type", "result"}, {"my type", "result row"},
                                     {"card 0", "seat 4"},  {"card 3", "seat 1"}, {"card 4", "seat 2"},
                                     {"card 5", "seat 3"}};

// Faults the check finds that are being mended.
std::vector<phasecheck::Open> OpenFaults()
{
    return {};
}

class OxTBReading : public phasecheck::Sized<OxTBTable>
{
protected:
    OxTBReading() { Open(OpenFaults()); }
    void Uncovered(const char* phase, const covering::Allowed& allowed = {})
    {
        Check(BullTable(board, 6, {NNBoard::kBaseScoreTag}, NNBoard::kHandTypePoints[0]), phase,
              BullNames(board, 6), BullFans(board, allowed));
        ExpectTypesOnTheirOwnGround(board, phase);
    }
    // The playing scene: every seat plays with five cards, my hand (chair
    // 2) opened or not.
    static Bytes PlayScene(bool opened)
    {
        Bytes scene(123, 0);
        for (int c = 0; c < 6; ++c)
            scene[c] = 1;
        Put<int64_t>(scene, 6, kBase);
        for (int c = 0; c < 6; ++c)
        {
            std::memcpy(scene.data() + 64 + 5 * c, (c == 2 ? kMine : kNone).data(), 5);
            scene[94 + c] = 5;
        }
        scene[100 + 2] = opened ? 1 : 0;
        return scene;
    }
};

TEST_P(OxTBReading, ALiveRoundFromTheChipsToTheNextRound)
{
    ASSERT_NE(Enter(), nullptr);
    Uncovered("idle");
    Start(kBase);
    Run(20);
    Uncovered("chips");
    Run(30);
    Uncovered("base score");
    Bytes b;
    for (int c = 0; c < 6; ++c)
        Raw(b, c == 2 ? kMine : kNone);
    for (int c = 0; c < 6; ++c)
        U8(b, 5);
    ASSERT_TRUE(Game(103, b));
    for (int step = 0; step < 2; ++step)
    {
        Run(30);
        Uncovered("the deal");
    }
    Bytes opened;
    ToTheNextRound(board, 2, Zeros(U16(opened, 0), 6), End({1, 2, 7, 3, 14, 13}, kResult), [&](const char* phase) {
        Uncovered(phase, std::string(phase) == "result" ? kAtTheEnd : covering::Allowed{});
    });
}

TEST_P(OxTBReading, AWatcherWaitsForTheNextRound)
{
    ASSERT_NE(Enter(US_SIT), nullptr);
    ASSERT_TRUE(SceneMessage(102, PlayScene(false)));
    Run(20);
    Uncovered("watching");
}

TEST_P(OxTBReading, ATableEnteredAtTheShowDown)
{
    ASSERT_NE(Enter(), nullptr);
    EachScene(board, {{102, PlayScene(false), "playing scene"}, {102, PlayScene(true), "opened scene"}},
              [&](const char* phase) { Uncovered(phase); });
    ASSERT_TRUE(Game(104, End({1, 2, 7, 3, 14, 13}, -kResult)));
    Seconds(1);
    Uncovered("restored result", kAtTheEnd);
}

// The seats at the sides keep their cards on the table: the right seat's
// last card ends short of the bar on the right, the left seat's first
// starts inside the window.
TEST_P(OxTBReading, TheSideSeatsCardsStayOnTheTable)
{
    ASSERT_NE(Enter(), nullptr);
    Start();
    Deal();
    const CCRect table = nodeboxes::WorldBox(board->GetTable());
    // I sit on chair 2: chair 3 on my right, chair 1 on my left.
    for (int k = 0; k < 5; ++k)
    {
        EXPECT_LE(nodeboxes::WorldBox(board->GetCardSprite(3, k)).getMaxX(), table.getMaxX()) << k;
        EXPECT_GE(nodeboxes::WorldBox(board->GetCardSprite(1, k)).getMinX(), table.getMinX()) << k;
    }
}

// The result view, drawn whole, stands clear of the round's chips wherever
// they landed, and nothing under it shows through its rows.
TEST_P(OxTBReading, TheResultNeitherHalfCoversTheChipsNorShowsMyCards)
{
    ASSERT_NE(Enter(), nullptr);
    Start();
    Run(40);
    const CCPoint edges[] = {{400, 250}, {600, 250}, {400, 350}, {600, 350}, {500, 300}};
    for (int i = 0; i < 5; ++i)
        board->GetChip(0, i)->setPosition(edges[i]);
    Deal();
    ASSERT_TRUE(Game(104, End({1, 2, 7, 3, 14, 13}, 50)));
    Seconds(1);
    CCSprite* view = board->GetScoreView();
    ASSERT_NE(view, nullptr);
    const CCRect table = nodeboxes::WorldBox(board->GetTable());
    const int chips = ChipPixelsIn(board, table);
    view->setVisible(false);
    EXPECT_EQ(ChipPixelsIn(board, table), chips);
    view->setVisible(true);
    // The rows' box, with my cards (under the view) taken away.
    CCRect rows;
    bool any = false;
    for (unsigned i = 0; i < view->getChildrenCount(); ++i)
        covering::detail::SubtreeBox(static_cast<CCNode*>(view->getChildren()->objectAtIndex(i)), rows, any);
    ASSERT_TRUE(any);
    EXPECT_EQ(covering::PixelsChangedBy(rows,
                                        [&](bool shown) {
                                            for (int k = 0; k < 5; ++k)
                                                board->GetCardSprite(2, k)->setVisible(shown);
                                        }),
              0);
}

INSTANTIATE_TEST_SUITE_P(Window, OxTBReading, ::testing::ValuesIn(phasecheck::Windows()), phasecheck::WindowName);

}  // namespace
