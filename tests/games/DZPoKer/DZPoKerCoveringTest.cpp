// Nothing on the hold'em table lies over what a player reads, in the drawn
// pixels, phase by phase: the free table, the deal, the bets with my turn
// and the add panel, the pots, the showdown, the pay-out, the next start and
// a hand restored from the playing scene.
#include "../TableReadables.h"
#include "DZPoKerFixture.h"

#include "games/DZPoKer/DZPokerColorChip.h"
#include "games/DZPoKer/DZPokerProTimer.h"
#include "games/DZPoKer/MoveChipAnimation.h"

using namespace cocos2d;
using namespace DZPoKer;
using namespace holdemtest;

namespace {

class HoldemCovering : public HoldemTest
{
protected:
    readables::List Table() const
    {
        readables::List r = readables::Seats(board, GAME_PLAYER);
        char name[32];
        for (uint16_t view = 0; view < GAME_PLAYER; ++view)
        {
            const std::string v = " " + std::to_string(view);
            for (const char* format : {"Label_MyName_%d", "Label_coinNum_%d", "Label_ALL_Coin_%d"})
            {
                std::snprintf(name, sizeof(name), format, view);
                readables::Add(r, name, board->GetWidget(name));
            }
            readables::Add(r, "action sign" + v, board->GetSeatActionSign(view));
            readables::Add(r, "dealer" + v, board->GetDealerMark(view));
            readables::Add(r, "result" + v, board->GetScoreLabel(view));
            readables::Add(r, "bet" + v, board->GetChipLayer()->GetAmountLabel(view));
        }
        for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
            for (int k = 0; k < HOLE_CARD_COUNT; ++k)
                readables::Add(r, "hole " + std::to_string(chair) + " " + std::to_string(k),
                               board->GetHoleCard(chair, k));
        for (int i = 0; i < MAX_CENTER_COUNT; ++i)
            readables::Add(r, "centre " + std::to_string(i), board->GetCenterCard(i));
        readables::Add(r, "main pot", board->GetPotChips()->GetMainLabel());
        for (int i = 0; i < MAX_POT_COUNT; ++i)
            readables::Add(r, "pot " + std::to_string(i), board->GetPotChips()->GetPotLabel(i));
        const char* buttons[] = {"give up", "pass", "follow", "add", "all in"};
        for (int i = 0; i < 5; ++i)
            readables::Add(r, buttons[i], board->GetActionButton(i));
        for (int i = 0; i < 3; ++i)
            readables::Add(r, "add " + std::to_string(i), board->GetAddTypeButton(i));
        readables::Add(r, "add caption", board->GetWidget("Label_Add_Caption"));
        readables::Add(r, "follow amount", board->GetFollowLabel());
        readables::Add(r, "card style", board->GetWidget("Button_poker_style"));
        readables::Add(r, "hand type", board->GetHandTypePicture());
        for (size_t i = 0; i < board->GetResultNodes().size(); ++i)
            readables::Add(r, "banner " + std::to_string(i), board->GetResultNodes()[i]);
        return r;
    }
    // My two hole cards lie one over the other, their corners in sight; the
    // winner's frame rings his banner; the ring of my turn frames my cards.
    static covering::Allowed Pairs()
    {
        covering::Allowed allowed;
        for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
            allowed.push_back({"hole " + std::to_string(chair) + " 0", "hole " + std::to_string(chair) + " 1"});
        return allowed;
    }
    void ExpectReadable(const char* phase)
    {
        Step();
        readables::ExpectNothingCovers(phase, Table(), {}, Pairs());
    }
};

TEST_F(HoldemCovering, AWholeHandFromTheFreeTableToTheNextStart)
{
    Step(10);
    ExpectReadable("free");
    Start start;
    start.dealer = 1;
    start.mask = 3;
    ASSERT_TRUE(Game(SUB_S_GAME_START, StartBytes(start)));
    Step(130);
    ExpectReadable("dealt, my turn");
    Action a;
    a.current = 4;
    a.actor = kMe;
    a.amount = 100;
    a.code = ACTION_FOLLOW;
    a.follow = 100;
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, ActionBytes(a)));
    a.actor = 3;
    a.amount = 200;
    a.code = 1;
    a.follow = 200;
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, ActionBytes(a)));
    ASSERT_TRUE(Game(SUB_S_GIVE_UP, GiveUpBytes(4)));
    ASSERT_TRUE(Game(SUB_S_SEND_CARD, SendCardBytes(3, 0, kMe, "Kc 7c 2c")));
    Step(60);
    ExpectReadable("the flop, nothing to follow");
    board->ShowAddScorePanel(true);
    Step(60);
    ExpectReadable("add panel");
    // The amounts read as raises: the panel's caption stands above the top one.
    CCNode* caption = board->GetWidget("Label_Add_Caption");
    ASSERT_TRUE(nodeboxes::Shown(caption));
    EXPECT_GE(nodeboxes::WorldBox(caption).getMinY(), nodeboxes::WorldBox(board->GetAddTypeButton(2)).getMaxY());
    board->ShowAddScorePanel(false);
    ASSERT_TRUE(Game(SUB_S_POT_LIST, PotListBytes({9876543210LL, 1234567890LL, 300}, 3)));
    a.current = DZPoKer::INVALID_CHAIR;
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, ActionBytes(a)));
    ASSERT_TRUE(Game(SUB_S_SEND_CARD, SendCardBytes(0, 2, kMe, "Kc 7c 2c Kd 9d")));
    Step(120);
    ExpectReadable("pots");
    End end;
    end.scores = {9876543210LL, -1234567890LL, 100, -500, -100, -8641975320LL};
    end.hole = {"7a 7b", "Ab Ac", "Ac 5c", "Qa Qb", "", "Ab Ja"};
    end.best = {"Kc Kd 7c 7a 7b", "Kc Kd Ab Ac 9d", "Ac Kc 7c 5c 2c", "Kc Kd Qa Qb 9d", "", "Kc Kd Ab Ja 9d"};
    end.classes = {7, 3, 6, 3, 0, 2};
    end.potCount = {1, 0, 1, 0, 0, 0};
    end.potIndex[0] = {0};
    end.potIndex[2] = {1};
    ASSERT_TRUE(Game(SUB_S_GAME_END, EndBytes(end)));
    Step(100);
    ExpectReadable("showdown");
    Step(170);
    ExpectReadable("paid");
    // Scores of ten digits and a sign stay on their plates.
    for (uint16_t view = 0; view < GAME_PLAYER; ++view)
    {
        CCNode* score = board->GetScoreLabel(view);
        if (!nodeboxes::Shown(score))
            continue;
        for (const std::string& out : nodeboxes::Outside({{"result " + std::to_string(view), nodeboxes::WorldBox(score)}},
                                                         nodeboxes::WorldBox(score->getParent())))
            ADD_FAILURE() << out;
    }
    Seconds(4);
    ExpectReadable("ready again");
}

// The follow amount reads only with a follow to make: no lone 0 over a
// follow button I cannot press.
TEST_F(HoldemCovering, TheFollowAmountShowsOnlyWithAFollowToMake)
{
    Start start;
    start.current = 3;
    ASSERT_TRUE(Game(SUB_S_GAME_START, StartBytes(start)));
    Step(130);
    // A raise comes to me: 200 to follow.
    Action a;
    a.current = kMe;
    a.actor = 3;
    a.amount = 200;
    a.code = 1;
    a.follow = 200;
    a.mask = 3;
    a.followShow = 200;
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, ActionBytes(a)));
    Step(60);
    ASSERT_TRUE(Offered(board->GetActionButton(2)));
    EXPECT_TRUE(nodeboxes::Shown(board->GetFollowLabel()));
    EXPECT_STREQ(board->GetFollowLabel()->getStringValue(), "200");
    // A pass comes to me: nothing to follow, the pass is offered.
    a.amount = 0;
    a.code = ACTION_PASS;
    a.follow = 0;
    a.followShow = 0;
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, ActionBytes(a)));
    Step(60);
    ASSERT_TRUE(Offered(board->GetActionButton(1)));
    EXPECT_FALSE(Offered(board->GetActionButton(2)));
    EXPECT_FALSE(nodeboxes::Shown(board->GetFollowLabel()));
}

TEST_F(HoldemCovering, AHandRestoredFromThePlayingScene)
{
    Playing p;
    p.table = {100, 200, 200, 400, 0, 200};
    p.total = {300, 600, 600, 1200, 0, 600};
    p.pot = 2400;
    p.round = 1;
    p.centre = "Kc 7c 2c";
    p.mask = 3;
    ASSERT_TRUE(Scene(GS_PLAYING, PlayingBytes(p)));
    Step(120);
    ExpectReadable("restored");
}

}  // namespace
