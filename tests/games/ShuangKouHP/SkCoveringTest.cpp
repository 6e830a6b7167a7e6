// What a player reads on the Shuang Kou table, phase by phase, in each
// window and with a busy table's figures: the idle table, the deal, plays
// and passes with the trustee on, the result layer and a hand restored from
// the playing scene; and the numbers across the top stand captioned on
// their bar, inside the table.
#include "../TableReadables.h"
#include "SkFixture.h"

#include "games/ShuangKouHP/ScoreView.h"

using namespace sktest;
using namespace ShuangKouHP;

namespace {

const char* const kHand = "3 3 4 5 6 7 8 9 10 J Q K A 2 2 5 5 5 5 9 9 s b 6 7 8 K";

// A busy table: a base score of eight digits, results of ten; my score so
// far below zero, the other's above, and the counters as large as the
// record carries.
constexpr int64_t kBase = 99999999, kResult = 1234567890;
constexpr int64_t kMyScore = -1234567890, kOtherScore = 9876543210;
constexpr int32_t kCounter = 2147483647;

// Faults the check finds that are being mended.
const std::vector<phasecheck::Open> kOpenFaults = {};

// What a phase shows besides the seats and the top row.
struct Shows
{
    bool cards = false;     // my hand and the other's count
    bool myTurn = false;    // my play buttons
    bool result = false;    // the result layer
    bool theirPlay = false; // the other's last play
    bool myPlay = false;    // my last play
};

class SkCovering : public phasecheck::Sized<SkTest>
{
protected:
    SkCovering() { Open(kOpenFaults); }
    // A play of either chair with the busy scores, me on chair 0.
    static Bytes BusyOut(uint16_t outChair, uint16_t current, const std::string& cards)
    {
        return Out(outChair, current, cards, kMyScore, kOtherScore, kCounter, -kCounter);
    }

    phasecheck::List Table(const Shows& shows) const
    {
        phasecheck::List r;
        readables::Seats(r, board, HPBoard::kViews, shows.result ? readables::kStartButton : 0u);
        r.Node("score bar", board->ScoreBar());
        r.Node("base score", board->BaseScoreLabel());
        const char* chairLabels[] = {"my score", "other's score", "my count", "other's count"};
        for (int i = 0; i < 4; ++i)
            r.Node(chairLabels[i], board->ChairLabel(i));
        r.Node("other's cards left", board->OtherCountLabel(), !shows.cards || shows.result);
        r.Optional("trustee sign", board->TrusteeSign());
        for (uint16_t view = 0; view < HPBoard::kViews; ++view)
        {
            const std::string v = "view " + std::to_string(view);
            // A pass is a sign of the hand: the result clears it.
            if (shows.result)
                r.Gone(v + " pass", board->PassSign(view));
            else
                r.Optional(v + " pass", board->PassSign(view));
            const int held = !shows.cards || shows.result ? 0 : view == 0 ? board->HandCount() : board->OtherCount();
            for (size_t i = 0; i < board->Hand(view).size(); ++i)
                r.Node(v + " hand " + std::to_string(i), board->Hand(view)[i], static_cast<int>(i) >= held);
            for (size_t i = 0; i < board->Trick(view).size(); ++i)
                r.Node(v + " trick " + std::to_string(i), board->Trick(view)[i],
                       view == 0 ? !shows.myPlay : !shows.theirPlay);
        }
        r.Node("play", board->PlayButton(), !shows.myTurn);
        r.Node("pass", board->PassButton(), !shows.myTurn);
        r.Node("last trick", board->LastTrickButton(), !shows.cards || shows.result);
        r.Node("trustee", board->TrusteeButton(), !shows.cards || shows.result);
        r.Node("sort", board->SortButton(), !shows.cards || shows.result);
        if (CScoreView* view = board->GetScoreView(); view != nullptr && shows.result)
        {
            r.Node("result captions", static_cast<cocos2d::CCNode*>(view->getChildren()->objectAtIndex(0)));
            r.Node("result title", view->GetTitle());
            r.Node("result value", view->GetShownValue());
            r.Node("result close", view->GetCloseButton());
            for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
            {
                const std::string c = " " + std::to_string(chair);
                r.Node("result name" + c, view->GetNameLabel(chair));
                r.Node("result score" + c, view->GetScoreLabel(chair));
                r.Node("result count" + c, view->GetCounterLabel(chair));
            }
        }
        return r;
    }
    // Cards of a hand or a trick lie fanned, their corners in sight; the
    // result layer's numbers stand on its captioned picture; its close
    // button stands on the table over the corner of the other's last cards
    // left.
    covering::Allowed Fans() const
    {
        covering::Allowed allowed;
        for (uint16_t view = 0; view < HPBoard::kViews; ++view)
            for (const char* row : {" hand ", " trick "})
                for (int i = 0; i < 27; ++i)
                {
                    const std::string v = "view " + std::to_string(view);
                    allowed.push_back({v + row + std::to_string(i), v + row});
                    if (view == 1)
                        allowed.push_back({v + row + std::to_string(i), "result close"});
                }
        for (const char* part : {"result title", "result value", "result close", "result name 0", "result name 1",
                                 "result score 0", "result score 1", "result count 0", "result count 1"})
            allowed.push_back({"result captions", part});
        allowed.push_back({"score bar", "base score"});
        allowed.push_back({"score bar", "difen"});
        for (const char* label : {"my score", "other's score", "my count", "other's count"})
            allowed.push_back({"score bar", label});
        return allowed;
    }
    covering::Names Names() const
    {
        covering::Names names;
        for (int i = 0; i < 4; ++i)
            names[board->ChairLabel(i)] = i < 2 ? (i == 0 ? "my score" : "other's score")
                                                : (i == 2 ? "my count" : "other's count");
        names[board->BaseScoreLabel()] = "base score";
        // The base score's caption picture stands on the bar's left end.
        cocos2d::CCTexture2D* difen = cocos2d::CCTextureCache::sharedTextureCache()->addImage("shuangkouHP/difen");
        cocos2d::CCArray* children = board->GetContentRoot()->getChildren();
        for (unsigned int i = 0; children != nullptr && i < children->count(); ++i)
            if (auto* sprite = dynamic_cast<cocos2d::CCSprite*>(children->objectAtIndex(i));
                sprite != nullptr && sprite->getTexture() == difen)
                names[sprite] = "difen";
        if (CScoreView* view = board->GetScoreView())
            names[view] = "result";
        return names;
    }
    void ExpectReadable(const char* phase, const Shows& shows)
    {
        Step();
        Check(Table(shows), phase, Names(), Fans());
    }
    // The four labels and the base score stand on the bar, and the bar on the
    // table: nothing of the row runs off the rim into the corner.
    void ExpectTheTopRowOnItsBar()
    {
        const cocos2d::CCRect bar = nodeboxes::WorldBox(board->ScoreBar());
        std::vector<nodeboxes::Box> row;
        nodeboxes::AddShown(row, "base score", board->BaseScoreLabel());
        for (int i = 0; i < 4; ++i)
            nodeboxes::AddShown(row, "label " + std::to_string(i), board->ChairLabel(i));
        ASSERT_EQ(row.size(), 5u);
        for (const std::string& out : nodeboxes::Outside(row, bar))
            ADD_FAILURE() << out;
        for (const std::string& out : nodeboxes::Outside({{"bar", bar}}, nodeboxes::WorldBox(board->GetContentRoot())))
            ADD_FAILURE() << out;
    }
};

// A figure below zero draws its minus: my score's first cell is not blank.
TEST_P(SkCovering, MyScoreBelowZeroShowsItsSign)
{
    EnterTable(0);
    DealHand(kHand, false);
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, BusyOut(1, 0, "9 9")));
    Run(30);
    cocos2d::CCLabelAtlas* mine = board->ChairLabel(0);
    ASSERT_EQ(std::string(mine->getString()).size(), 11u);
    const cocos2d::CCRect box = nodeboxes::WorldBox(mine);
    const cocos2d::CCRect sign(box.getMinX(), box.getMinY(), box.size.width / 11, box.size.height);
    Step();
    EXPECT_GT(covering::PixelsChangedBy(sign, [&](bool show) { mine->setVisible(show); }), 8);
    ExpectTheTopRowOnItsBar();
}

TEST_P(SkCovering, TheIdleTableAndTheDeal)
{
    EnterTable(0);
    Step();
    ExpectReadable("idle", {});
    ExpectTheTopRowOnItsBar();
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(kBase)));
    ASSERT_TRUE(Game(SUB_S_SEND_CARD, Deal(0, kHand)));
    Run(120);
    ExpectReadable("dealt", {true});
}

TEST_P(SkCovering, PlaysPassesAndTheTrustee)
{
    EnterTable(0);
    DealHand(kHand, true);
    Select("3 3");
    Press(board->PlayButton());
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, BusyOut(0, 1, "3 3")));
    Run(30);
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, BusyOut(1, 0, "9 9")));
    Run(30);
    ExpectReadable("the other's pair on mine", {true, true});
    Press(board->PassButton());
    ASSERT_TRUE(Game(SUB_S_PASS_CARD, Pass(0, 1)));
    Run(30);
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, BusyOut(1, 0, "3 4 5 6 7 8")));
    Run(30);
    Press(board->TrusteeButton());
    Run(10);
    ExpectReadable("trustee", {true});
    ExpectTheTopRowOnItsBar();
}

// The hand ends on the other's pair of jokers: the result leaves them in
// sight.
TEST_P(SkCovering, TheResultLayer)
{
    EnterTable(1);
    DealHand(kHand, false);
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, BusyOut(0, 1, "s b")));
    Run(30);
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(-kResult, kResult, 1, "9 3 K", kResult)));
    Run(30);
    ExpectReadable("result", {true, false, true, true});
}

// The other goes out with a pair of jokers over my pass: the result leaves
// that last play in sight, and my pass is over with the hand.
TEST_P(SkCovering, TheOtherGoesOutOverMyPass)
{
    EnterTable(0);
    DealHand(kHand, false);
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, BusyOut(1, 0, "9 9")));
    Run(30);
    Press(board->PassButton());
    ASSERT_TRUE(Game(SUB_S_PASS_CARD, Pass(0, 1)));
    Run(30);
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, BusyOut(1, 0xFFFF, "b b")));
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(-kResult, kResult, 0, "", kCounter)));
    Run(30);
    ExpectReadable("the other went out", {true, false, true, true});
}

// I go out with a pair: the result leaves my last play in sight, and the
// other's cards left above it.
TEST_P(SkCovering, IGoOut)
{
    EnterTable(0);
    PlayScene scene;
    scene.hand = "3 3";
    scene.counts[0] = 2;
    scene.counts[1] = 20;
    scene.turn = 0;
    scene.current = 0;
    ASSERT_TRUE(SceneMessage(GS_SK_PLAYING, Scene(scene)));
    Run(30);
    Select("3 3");
    Press(board->PlayButton());
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, BusyOut(0, 0xFFFF, "3 3")));
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(kResult, -kResult, 0, "3 4 5 6 7 8 9 10 J Q K A 2 2 5 5 5 5 9 9", 20)));
    Run(30);
    ExpectReadable("I went out", {true, false, true, false, true});
}

TEST_P(SkCovering, AHandRestoredFromThePlayingScene)
{
    EnterTable(0);
    PlayScene scene = AHandUnderWay(kBase);
    scene.scores[0] = kMyScore;
    scene.scores[1] = kOtherScore;
    scene.counters[0] = -kCounter;
    scene.counters[1] = kCounter;
    ASSERT_TRUE(SceneMessage(GS_SK_PLAYING, Scene(scene)));
    Run(30);
    ExpectReadable("restored", {true, true});
}

INSTANTIATE_TEST_SUITE_P(Window, SkCovering, ::testing::ValuesIn(phasecheck::Windows()), phasecheck::WindowName);

}  // namespace
