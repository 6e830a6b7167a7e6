// What a player reads on the five-card stud table, phase by phase, in each
// window and with a busy table's amounts: the idle table, a hand's bets, my
// turn, the result with its win animation and settlement, and a hand
// restored from the playing scene.
#include "../TableReadables.h"
#include "StudFixture.h"

#include "games/ShowHandANEx/ScoreView.h"
#include "games/ShowHandANEx/Settlement.h"

#include <cstdlib>
#include <cstring>

using namespace studtest;
using namespace ShowHandANEx;

namespace {

// A busy table: a base bet of seven digits, bets of eight, results of ten.
constexpr int64_t kCell = 1000000, kBet = 20000000, kRaise = 98765432, kResult = 1234567890;

// Faults the check finds that are being mended.
const std::vector<phasecheck::Open> kOpenFaults = {
    {"stud: the win animation's glow covers my name", "won", phasecheck::kEverySize, "seat 0 name", "hard to read"},
    {"stud: the win animation's glow covers my name", "won", phasecheck::kEverySize, "seat 0 name",
     "a line under it"},
    {"stud: the button tray's edge crosses my name and score", "my turn|fourth card|restored", phasecheck::kEverySize,
     "seat 0 *", "a line under it"},
    {"stud: the 500 and 放弃 buttons stick out past the button tray", "my turn|fourth card|restored",
     phasecheck::kEverySize, "raise 2", "past the button tray"},
    {"stud: the 500 and 放弃 buttons stick out past the button tray", "my turn|fourth card|restored",
     phasecheck::kEverySize, "give up", "past the button tray"},
    {"stud: a hand restored from its scene shows no bet totals", "restored", phasecheck::kEverySize,
     "chair ? bet total", "does not show"},
};

// What a phase shows besides the seats: the cards dealt to each view, the
// hand's pool and bets, my buttons, the result.
struct Shows
{
    int cards = 0;
    bool bets = false;
    bool myTurn = false;
    bool result = false;
};

class StudCovering : public phasecheck::Sized<StudTest>
{
protected:
    StudCovering() { Open(kOpenFaults); }

    phasecheck::List Table(const Shows& shows) const
    {
        phasecheck::List r;
        readables::Seats(r, board, NNBoard::kViews,
                         (shows.result ? readables::kStartButton : 0u) | (shows.myTurn ? readables::kClock : 0u));
        r.Node("pool", board->PoolLabel(), !shows.bets);
        r.Optional("note sign", board->NoteSign());
        for (uint16_t chair = 0; chair < NNBoard::kViews; ++chair)
        {
            const std::string c = "chair " + std::to_string(chair);
            r.Node(c + " bet total", board->BetLabel(chair), !shows.bets);
            r.Optional(c + " action", board->ActionLabel(chair));
            r.Optional(c + " round start", board->RoundStartLabel(chair));
        }
        for (uint16_t view = 0; view < NNBoard::kViews; ++view)
            for (int k = 0; k < NNBoard::kCards; ++k)
                r.Node("view " + std::to_string(view) + " card " + std::to_string(k), board->GetCardSprite(view, k),
                       k >= shows.cards);
        // My buttons stand in their tray.
        const cocos2d::CCRect tray = nodeboxes::WorldBox(board->FunctionPanel());
        for (int i = 0; i < NNBoard::kRaiseButtons; ++i)
            r.Node("raise " + std::to_string(i), board->RaiseButton(i), !shows.myTurn).Within("the button tray", tray);
        r.Node("follow", board->FollowButton(), !shows.myTurn).Within("the button tray", tray);
        r.Optional("show hand", board->ShowHandButton()).Within("the button tray", tray);
        r.Node("give up", board->GiveUpButton(), !shows.myTurn).Within("the button tray", tray);
        for (size_t i = 0; i < board->Chips().size(); ++i)
            r.Optional("chip " + std::to_string(i), board->Chips()[i]);
        if (Settlement* panel = board->GetSettlement(); panel != nullptr && shows.result)
            for (uint16_t chair = 0; chair < NNBoard::kViews; ++chair)
            {
                r.Node("settled name " + std::to_string(chair), panel->NameLabel(chair));
                r.Node("settled result " + std::to_string(chair), panel->ResultLabel(chair));
            }
        return r;
    }
    covering::Names Names() const { return {{board->GetSettlement(), "settlement"}, {board->GetScoreView(), "win"}}; }
    // A player's cards lie fanned over each other, their ranks in sight;
    // chips are thrown on a heap.
    static covering::Allowed Fans()
    {
        covering::Allowed allowed;
        for (uint16_t view = 0; view < NNBoard::kViews; ++view)
            for (int k = 0; k < NNBoard::kCards; ++k)
                allowed.push_back({"view " + std::to_string(view) + " card " + std::to_string(k),
                                   "view " + std::to_string(view) + " card "});
        for (int i = 0; i < 40; ++i)
            allowed.push_back({"chip " + std::to_string(i), "chip "});
        return allowed;
    }
    void ExpectReadable(const char* phase, const Shows& shows)
    {
        Step();
        Check(Table(shows), phase, Names(), Fans());
    }
    // The bags and the heap of coins and stars keep off my name and score:
    // they are drawn under my seat's labels, but a name over a heap is not
    // read.
    void ExpectTheWinClearOfMyName()
    {
        CScoreView* win = board->GetScoreView();
        ASSERT_NE(win, nullptr);
        std::vector<nodeboxes::Box> boxes;
        Sexy::CBoardDrawUserData* mine = board->GetSeatPanel(0);
        ASSERT_NE(mine, nullptr);
        nodeboxes::AddShown(boxes, "my name", mine->GetNameLabel());
        nodeboxes::AddShown(boxes, "my score", mine->GetScoreLabel());
        ASSERT_EQ(boxes.size(), 2u);
        for (int i = 0; i < CScoreView::kBags; ++i)
        {
            ASSERT_NE(win->Bag(i), nullptr);
            boxes.push_back({"bag", nodeboxes::TopRows(nodeboxes::WorldBox(win->Bag(i)), 72)});
        }
        for (const char* frame : {"flymonney1_01", "xing_01"})
        {
            cocos2d::CCSpriteFrame* piece =
                cocos2d::CCSpriteFrameCache::sharedSpriteFrameCache()->spriteFrameByName(frame);
            ASSERT_NE(piece, nullptr) << frame;
            const cocos2d::CCSize size = piece->getOriginalSize();
            const cocos2d::CCPoint at = win->convertToWorldSpace(CScoreView::kGatherPoint);
            const cocos2d::CCRect whole(at.x - size.width / 2, at.y - size.height / 2, size.width, size.height);
            boxes.push_back({"heap", nodeboxes::TopRows(whole, size.width)});
        }
        for (const std::string& overlap : nodeboxes::Overlaps(boxes, {{"bag", "heap"}}))
            ADD_FAILURE() << overlap;
    }
    // The panel under my buttons and the frames round the bet totals show
    // only with what they hold.
    void ExpectFramesWithTheirContents(bool buttons, bool totals)
    {
        EXPECT_EQ(nodeboxes::Shown(board->FunctionPanel()), buttons);
        for (uint16_t view = 0; view < NNBoard::kViews; ++view)
            EXPECT_EQ(nodeboxes::Shown(board->BetFrame(view)), totals) << view;
    }
};

TEST_P(StudCovering, AHandFromTheIdleTableToTheResult)
{
    std::srand(7);
    EnterTable(0);
    Step();
    ExpectReadable("idle", {});
    ExpectFramesWithTheirContents(false, false);
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 0x31, 0x05, 0x16, kCell, 100 * kRaise)));
    Run(60);
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(1, 0, kBet, kBet)));
    Run(60);
    ExpectReadable("my turn", {2, true, true});
    ExpectFramesWithTheirContents(true, true);
    // A pool that does not show fails the check.
    board->PoolLabel()->setVisible(false);
    const std::vector<covering::Finding> found = covering::Look(Table({2, true, true}).Items(), Names(), Fans());
    EXPECT_TRUE(std::any_of(found.begin(), found.end(), [](const covering::Finding& f) {
        return f.readable == "pool" && f.what == "does not show";
    }));
    board->PoolLabel()->setVisible(true);

    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(0, 1, kRaise, kRaise)));
    const uint8_t cards[2][2] = {{0x1A, 0x2B}, {0x0C, 0x3D}};
    ASSERT_TRUE(Game(SUB_S_SEND_CARD, Send(1, 2, cards)));
    Run(90);
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(1, 0, 2 * kRaise, 2 * kRaise)));
    Run(60);
    ExpectReadable("fourth card", {4, true, true});
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(kResult, -kResult, 0x31, 0x2B)));
    Run(60 * 4);
    ExpectReadable("won", {4, true, false, true});
    ExpectTheWinClearOfMyName();
    ExpectFramesWithTheirContents(false, true);
}

TEST_P(StudCovering, ALostHandAndTheNextIdleTable)
{
    std::srand(11);
    EnterTable(1);
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(0, 0x31, 0x05, 0x16, kCell, 100 * kRaise)));
    Run(60);
    for (int i = 0; i < 6; ++i)
        ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(static_cast<uint16_t>(i % 2), static_cast<uint16_t>(1 - i % 2),
                                                 kBet * (i + 1), kBet * (i + 1))));
    Run(60);
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(kResult, -kResult, 0x2B, 0x31)));
    Run(60 * 4);
    ExpectReadable("lost", {2, true, false, true});
    board->ResetGameView();
    Run(10);
    ExpectReadable("next idle", {});
    ExpectFramesWithTheirContents(false, false);
}

TEST_P(StudCovering, AHandRestoredFromThePlayingScene)
{
    EnterTable(0);
    PlayScene scene;
    scene.current = 0;
    scene.cardCount = 4;
    const uint8_t cards[2][5] = {{0x31, 0x05, 0x1A, 0x2B, 0}, {0x00, 0x16, 0x0C, 0x3D, 0}};
    std::memcpy(scene.cards, cards, sizeof(cards));
    scene.cell = kCell;
    scene.amounts[0][0] = 3 * kRaise;
    scene.amounts[1][0] = 3 * kRaise;
    scene.followBase = kBet;
    ASSERT_TRUE(SceneMessage(GS_TK_PLAYING, Scene(scene)));
    Run(60);
    ExpectReadable("restored", {4, true, true});
}

INSTANTIATE_TEST_SUITE_P(Window, StudCovering, ::testing::ValuesIn(phasecheck::Windows()), phasecheck::WindowName);

}  // namespace
