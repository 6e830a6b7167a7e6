// What a player reads on the hold'em table, phase by phase, in each window
// and with a busy table's amounts: the free table, the deal, the bets with
// my turn and the raise pop-up, the pots, the showdown, the pay-out, the
// next start and a hand restored from the playing scene.
#include "../TableReadables.h"
#include "DZPoKerFixture.h"

#include "games/DZPoKer/DZPokerColorChip.h"
#include "games/DZPoKer/DZPokerProTimer.h"
#include "games/DZPoKer/MoveChipAnimation.h"

using namespace cocos2d;
using namespace DZPoKer;
using namespace holdemtest;

namespace {

// A busy table: a base bet of seven digits, raises of eight, pots of nine
// and ten digits, results of ten either way.
HandAmounts Busy()
{
    HandAmounts busy;
    busy.cell = 1000000;
    busy.raise = 98765432;
    busy.pots = {9876543210, 1234567890, 987654321};
    busy.results = {9876543210, -1234567890, 987654321, -1234567890, -98765432, -8641975320};
    return busy;
}

// Faults the check finds that are being mended.
const std::vector<phasecheck::Open> kOpenFaults = {};

// What a phase shows besides the seats.
struct Shows
{
    bool cards = false;    // my hole cards
    bool addPanel = false; // the raise pop-up
    bool result = false;   // the banners
};

class HoldemCovering : public phasecheck::Sized<HoldemTest>
{
protected:
    HoldemCovering() { Open(kOpenFaults); }

    phasecheck::List Table(const Shows& shows) const
    {
        phasecheck::List r;
        // My turn's clock is the ring round my cards.
        readables::Seats(r, board, GAME_PLAYER);
        char name[32];
        for (uint16_t view = 0; view < GAME_PLAYER; ++view)
        {
            const std::string v = " " + std::to_string(view);
            for (const char* format : {"Label_MyName_%d", "Label_coinNum_%d", "Label_ALL_Coin_%d"})
            {
                std::snprintf(name, sizeof(name), format, view);
                r.Optional(name, board->GetWidget(name));
            }
            r.Optional("action sign" + v, board->GetSeatActionSign(view));
            r.Optional("dealer" + v, board->GetDealerMark(view));
            // A result of ten digits and its sign stay on its plate.
            CCNode* result = board->GetScoreLabel(view);
            r.Optional("result" + v, result);
            if (result != nullptr)
                r.Within("its plate", nodeboxes::WorldBox(result->getParent()));
            r.Optional("bet" + v, board->GetChipLayer()->GetAmountLabel(view));
        }
        // A card is read by its face.
        auto face = [&](const std::string& name, DZPokerCardSprite* card, bool optional) {
            if (card == nullptr || card->m_cbFrameIndex != DZPokerCardSprite::kBackFrame)
                r.Node(name, card, optional);
        };
        for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
            for (int k = 0; k < HOLE_CARD_COUNT; ++k)
                face("hole " + std::to_string(chair) + " " + std::to_string(k), board->GetHoleCard(chair, k),
                     !shows.cards || chair != kMe);
        for (int i = 0; i < MAX_CENTER_COUNT; ++i)
            face("centre " + std::to_string(i), board->GetCenterCard(i), true);
        r.Optional("main pot", board->GetPotChips()->GetMainLabel());
        for (int i = 0; i < MAX_POT_COUNT; ++i)
            r.Optional("pot " + std::to_string(i), board->GetPotChips()->GetPotLabel(i));
        const char* buttons[] = {"give up", "pass", "follow", "add", "all in"};
        for (int i = 0; i < 5; ++i)
            r.Optional(buttons[i], board->GetActionButton(i));
        for (int i = 0; i < 3; ++i)
            r.Optional("add " + std::to_string(i), board->GetAddTypeButton(i));
        r.Optional("follow amount", board->GetFollowLabel());
        r.Optional("card style", board->GetWidget("Button_poker_style"));
        r.Optional("hand type", board->GetHandTypePicture());
        for (size_t i = 0; i < board->GetResultNodes().size(); ++i)
            r.Node("banner " + std::to_string(i), board->GetResultNodes()[i], !shows.result);
        if (shows.addPanel)
            r.TextsOf("raise pop-up", board->GetAddScorePanel());
        return r;
    }
    // My two hole cards lie one over the other, their corners in sight.
    static covering::Allowed Pairs()
    {
        covering::Allowed allowed;
        for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
            allowed.push_back({"hole " + std::to_string(chair) + " 0", "hole " + std::to_string(chair) + " 1"});
        return allowed;
    }
    void ExpectReadable(const std::string& phase, const Shows& shows)
    {
        Step();
        Check(Table(shows), phase, {}, Pairs());
    }
};

TEST_P(HoldemCovering, AWholeHandFromTheFreeTableToTheNextStart)
{
    PlayAWholeHand(Busy(), [&](const std::string& phase) {
        Shows shows;
        shows.cards = phase != "free" && phase != "ready again";
        shows.addPanel = phase == "add panel";
        shows.result = phase == "showdown" || phase == "paid";
        ExpectReadable(phase, shows);
        // The amounts read as raises: the panel's caption stands above the
        // top one.
        if (phase == "add panel")
        {
            CCNode* caption = board->GetWidget("Label_Add_Caption");
            ASSERT_TRUE(nodeboxes::Shown(caption));
            EXPECT_GE(nodeboxes::WorldBox(caption).getMinY(),
                      nodeboxes::WorldBox(board->GetAddTypeButton(2)).getMaxY());
        }
    });
}

// The follow amount reads only with a follow to make: no lone 0 over a
// follow button I cannot press.
TEST_P(HoldemCovering, TheFollowAmountShowsOnlyWithAFollowToMake)
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

TEST_P(HoldemCovering, AHandRestoredFromThePlayingScene)
{
    const HandAmounts busy = Busy();
    Playing p;
    p.cell = busy.cell;
    p.follow = p.followShow = busy.raise;
    p.table = {busy.cell, busy.raise, busy.raise, 2 * busy.raise, 0, busy.raise};
    p.total = {3 * busy.cell, 3 * busy.raise, 3 * busy.raise, 6 * busy.raise, 0, 3 * busy.raise};
    p.pot = busy.pots[0];
    p.round = 1;
    p.centre = "Kc 7c 2c";
    p.mask = 3;
    ASSERT_TRUE(Scene(GS_PLAYING, PlayingBytes(p)));
    Step(120);
    ExpectReadable("restored", {true});
}

INSTANTIATE_TEST_SUITE_P(Window, HoldemCovering, ::testing::ValuesIn(phasecheck::Windows()), phasecheck::WindowName);

}  // namespace
