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

// A busy table: a base score of eight digits, scores of nine, results of ten.
constexpr int64_t kBase = 99999999, kScore = -123456789, kResult = 1234567890;

// Faults the check finds that are being mended.
const std::vector<phasecheck::Open> kOpenFaults = {
    {"shuangkou: the top bar's digits have no minus sign, -600 reads 600",
     "the other's pair on mine|trustee|result|result after my pass",
     phasecheck::kEverySize, "* score", "draws no '-'"},
    {"shuangkou: the result layer hides the other's last play", "result", phasecheck::kEverySize, "view 1 trick *",
     "result"},
    {"shuangkou: my 不出 stays on the table after the hand ends", "result after my pass", phasecheck::kEverySize,
     "view 0 pass", "still shows"},
};

// What a phase shows besides the seats and the top row.
struct Shows
{
    bool cards = false;     // my hand and the other's count
    bool myTurn = false;    // my play buttons
    bool result = false;    // the result layer
    bool theirPlay = false; // the other's last play
};

class SkCovering : public phasecheck::Sized<SkTest>
{
protected:
    SkCovering() { Open(kOpenFaults); }

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
                r.Node(v + " trick " + std::to_string(i), board->Trick(view)[i], view == 0 || !shows.theirPlay);
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
    // result layer's numbers stand on its captioned picture.
    covering::Allowed Fans() const
    {
        covering::Allowed allowed;
        for (uint16_t view = 0; view < HPBoard::kViews; ++view)
            for (const char* row : {" hand ", " trick "})
                for (int i = 0; i < 27; ++i)
                {
                    const std::string v = "view " + std::to_string(view);
                    allowed.push_back({v + row + std::to_string(i), v + row});
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
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, Out(0, 1, "3 3", kScore)));
    Run(30);
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, Out(1, 0, "9 9", kScore)));
    Run(30);
    ExpectReadable("the other's pair on mine", {true, true});
    Press(board->PassButton());
    ASSERT_TRUE(Game(SUB_S_PASS_CARD, Pass(0, 1)));
    Run(30);
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, Out(1, 0, "3 4 5 6 7 8", kScore)));
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
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, Out(0, 1, "s b", kScore)));
    Run(30);
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(-kResult, kResult, 1, "9 3 K", kResult)));
    Run(30);
    ExpectReadable("result", {true, false, true, true});
}

// The hand ends on my pass: the result clears my 不出.
TEST_P(SkCovering, TheResultAfterMyPass)
{
    EnterTable(1);
    DealHand(kHand, false);
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, Out(0, 1, "s b", kScore)));
    Run(30);
    ASSERT_TRUE(Game(SUB_S_PASS_CARD, Pass(1, 0)));
    Run(30);
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(-kResult, kResult, 1, "9 3 K", kResult)));
    Run(30);
    ExpectReadable("result after my pass", {true, false, true});
}

TEST_P(SkCovering, AHandRestoredFromThePlayingScene)
{
    EnterTable(0);
    ASSERT_TRUE(SceneMessage(GS_SK_PLAYING, Scene(AHandUnderWay(kBase))));
    Run(30);
    ExpectReadable("restored", {true, true});
}

INSTANTIATE_TEST_SUITE_P(Window, SkCovering, ::testing::ValuesIn(phasecheck::Windows()), phasecheck::WindowName);

}  // namespace
