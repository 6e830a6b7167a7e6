// Nothing on the Shuang Kou table lies over what a player reads, phase by
// phase: the idle table, the deal, plays and passes with the trustee on, the
// result layer and a hand restored from the playing scene; and the numbers
// across the top stand captioned on their bar, inside the table.
#include "../TableReadables.h"
#include "SkFixture.h"

#include "games/ShuangKouHP/ScoreView.h"

using namespace sktest;
using namespace ShuangKouHP;

namespace {

const char* const kHand = "3 3 4 5 6 7 8 9 10 J Q K A 2 2 5 5 5 5 9 9 s b 6 7 8 K";

// A busy room's figures: my score below zero, ten digits either way.
constexpr int64_t kMyScore = -1234567890;
constexpr int64_t kOtherScore = 9876543210;

class SkCovering : public readables::AtWindow<SkTest>
{
protected:
    SkCovering() { busy = true; }
    // A play of either chair with the busy scores, me on chair 0.
    static Bytes BusyOut(uint16_t outChair, uint16_t current, const std::string& cards)
    {
        return Out(outChair, current, cards, kMyScore, kOtherScore, 2147483647, -2147483647);
    }
    readables::List Table() const
    {
        readables::List r = readables::Seats(board, HPBoard::kViews);
        readables::Add(r, "score bar", board->ScoreBar());
        readables::Add(r, "base score", board->BaseScoreLabel());
        const char* chairLabels[] = {"my score", "other's score", "my count", "other's count"};
        for (int i = 0; i < 4; ++i)
            readables::Add(r, chairLabels[i], board->ChairLabel(i));
        readables::Add(r, "other's cards left", board->OtherCountLabel());
        readables::Add(r, "trustee sign", board->TrusteeSign());
        for (uint16_t view = 0; view < HPBoard::kViews; ++view)
        {
            const std::string v = "view " + std::to_string(view);
            readables::Add(r, v + " pass", board->PassSign(view));
            for (size_t i = 0; i < board->Hand(view).size(); ++i)
                readables::Add(r, v + " hand " + std::to_string(i), board->Hand(view)[i]);
            for (size_t i = 0; i < board->Trick(view).size(); ++i)
                readables::Add(r, v + " trick " + std::to_string(i), board->Trick(view)[i]);
        }
        readables::Add(r, "play", board->PlayButton());
        readables::Add(r, "pass", board->PassButton());
        readables::Add(r, "last trick", board->LastTrickButton());
        readables::Add(r, "trustee", board->TrusteeButton());
        readables::Add(r, "sort", board->SortButton());
        if (CScoreView* view = board->GetScoreView())
        {
            readables::Add(r, "result captions", static_cast<cocos2d::CCNode*>(view->getChildren()->objectAtIndex(0)));
            readables::Add(r, "result title", view->GetTitle());
            readables::Add(r, "result value", view->GetShownValue());
            readables::Add(r, "result close", view->GetCloseButton());
            for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
            {
                const std::string c = " " + std::to_string(chair);
                readables::Add(r, "result name" + c, view->GetNameLabel(chair));
                readables::Add(r, "result score" + c, view->GetScoreLabel(chair));
                readables::Add(r, "result count" + c, view->GetCounterLabel(chair));
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
    void ExpectReadable(const char* phase)
    {
        Step();
        readables::ExpectNothingCovers(phase, Table(), Names(), Fans());
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
    ExpectReadable("idle");
    ExpectTheTopRowOnItsBar();
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(10)));
    ASSERT_TRUE(Game(SUB_S_SEND_CARD, Deal(0, kHand)));
    Run(120);
    ExpectReadable("dealt");
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
    ExpectReadable("the other's pair on mine");
    Press(board->PassButton());
    ASSERT_TRUE(Game(SUB_S_PASS_CARD, Pass(0, 1)));
    Run(30);
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, BusyOut(1, 0, "3 4 5 6 7 8")));
    Run(30);
    Press(board->TrusteeButton());
    Run(10);
    ExpectReadable("trustee");
    ExpectTheTopRowOnItsBar();
}

TEST_P(SkCovering, TheResultLayer)
{
    EnterTable(1);
    DealHand(kHand, false);
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(-1260, 1260, 1, "9 3 K", 20)));
    Run(30);
    ExpectReadable("result");
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
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(-123456789, 123456789, 0, "", 2147483647)));
    Run(30);
    EXPECT_FALSE(nodeboxes::Shown(board->PassSign(0)));
    ExpectReadable("the other went out");
    Shoot("sk_other_out");
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
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(123456789, -123456789, 0, "3 4 5 6 7 8 9 10 J Q K A 2 2 5 5 5 5 9 9", 20)));
    Run(30);
    ExpectReadable("I went out");
    Shoot("sk_me_out");
}

TEST_P(SkCovering, AHandRestoredFromThePlayingScene)
{
    EnterTable(0);
    PlayScene scene;
    scene.hand = "3 4 5 6 7 8 9 s";
    scene.counts[0] = 8;
    scene.counts[1] = 12;
    scene.turn = 1;
    scene.current = 0;
    scene.table = "5 5";
    scene.base = 1234567890;
    scene.scores[0] = kMyScore;
    scene.scores[1] = kOtherScore;
    scene.counters[0] = -2147483647;
    scene.counters[1] = 2147483647;
    ASSERT_TRUE(SceneMessage(GS_SK_PLAYING, Scene(scene)));
    Run(30);
    ExpectReadable("restored");
}

INSTANTIATE_TEST_SUITE_P(Windows, SkCovering, ::testing::ValuesIn(readables::kWindows), readables::ByWindow);

}  // namespace
