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
const std::vector<phasecheck::Open> kOpenFaults = {};

// What a phase shows besides the seats: the cards dealt to each view, the
// hand's pool and bets, my buttons, the result.
struct Shows
{
    int cards = 0;
    // The views whose bets in the hand show a total: 1 mine, 2 the other's.
    unsigned bets = 0;
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
        r.Node("pool", board->PoolLabel(), shows.bets == 0);
        r.Optional("note sign", board->NoteSign());
        for (uint16_t chair = 0; chair < NNBoard::kViews; ++chair)
        {
            const std::string c = "chair " + std::to_string(chair);
            r.Node(c + " bet total", board->BetLabel(chair), (shows.bets & (1u << ViewOf(chair))) == 0);
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
        // And what is drawn: nothing of the win shows behind my labels.
        for (cocos2d::CCNode* label : {mine->GetNameLabel(), mine->GetScoreLabel()})
            EXPECT_EQ(covering::PixelsChangedBy(nodeboxes::WorldBox(label), [&](bool show) { win->setVisible(show); }),
                      0);
    }
    // The panel under my buttons and the frames round the bet totals show
    // only with what they hold: a total of 0 is none.
    void ExpectFramesWithTheirContents(bool buttons, bool myTotal, bool otherTotal)
    {
        EXPECT_EQ(nodeboxes::Shown(board->FunctionPanel()), buttons);
        EXPECT_EQ(nodeboxes::Shown(board->BetFrame(0)), myTotal);
        EXPECT_EQ(nodeboxes::Shown(board->BetLabel(me)), myTotal);
        EXPECT_EQ(nodeboxes::Shown(board->BetFrame(1)), otherTotal);
        EXPECT_EQ(nodeboxes::Shown(board->BetLabel(other)), otherTotal);
    }
    // The six buttons lie on the tray's drawing, and the tray keeps off my
    // name and score and the total score.
    void ExpectTheButtonsOnTheirTray()
    {
        cocos2d::CCSprite* tray = board->FunctionPanel();
        ASSERT_TRUE(nodeboxes::Shown(tray));
        constexpr float kClearLeft = 160, kClearAbove = 28;
        const cocos2d::CCSize size = tray->getContentSize();
        const cocos2d::CCRect drawn = cocos2d::CCRectApplyAffineTransform(
            cocos2d::CCRect(kClearLeft, 0, size.width - kClearLeft, size.height - kClearAbove),
            tray->nodeToWorldTransform());
        std::vector<nodeboxes::Box> buttons;
        for (int i = 0; i < NNBoard::kRaiseButtons; ++i)
            nodeboxes::AddShown(buttons, "raise " + std::to_string(i), board->RaiseButton(i));
        nodeboxes::AddShown(buttons, "follow", board->FollowButton());
        nodeboxes::AddShown(buttons, "show hand", board->ShowHandButton());
        nodeboxes::AddShown(buttons, "give up", board->GiveUpButton());
        EXPECT_EQ(buttons.size(), 6u);
        for (const std::string& out : nodeboxes::Outside(buttons, drawn))
            ADD_FAILURE() << out;
        std::vector<nodeboxes::Box> boxes = {{"tray", drawn}};
        Sexy::CBoardDrawUserData* mine = board->GetSeatPanel(0);
        nodeboxes::AddShown(boxes, "my name", mine->GetNameLabel());
        nodeboxes::AddShown(boxes, "my score", mine->GetScoreLabel());
        nodeboxes::AddShown(boxes, "total score", board->GetTotalScorePanel());
        for (const std::string& overlap : nodeboxes::Overlaps(boxes))
            ADD_FAILURE() << overlap;
    }
    // The pool and each player's bet in the round are told by a caption
    // beside or above them; a total, by its frame's caption at the frame's
    // left, which the total keeps clear of.
    void ExpectTheAmountsCaptioned()
    {
        std::vector<cocos2d::CCLabelTTF*> amounts = {board->PoolLabel()};
        for (uint16_t chair = 0; chair < NNBoard::kViews; ++chair)
            if (nodeboxes::Shown(board->ActionLabel(chair)))
                amounts.push_back(board->ActionLabel(chair));
        ASSERT_GE(amounts.size(), 2u);
        for (cocos2d::CCLabelTTF* amount : amounts)
        {
            ASSERT_TRUE(nodeboxes::Shown(amount));
            ASSERT_EQ(amount->getChildrenCount(), 1u) << amount->getString();
            auto* caption = dynamic_cast<cocos2d::CCLabelTTF*>(amount->getChildren()->objectAtIndex(0));
            ASSERT_NE(caption, nullptr);
            EXPECT_FALSE(nodeboxes::Overlap(nodeboxes::WorldBox(caption), nodeboxes::WorldBox(amount)))
                << caption->getString();
        }
        ExpectTheTotalsInTheirFrames();
    }
    void ExpectTheTotalsInTheirFrames()
    {
        for (uint16_t chair = 0; chair < NNBoard::kViews; ++chair)
        {
            cocos2d::CCLabelTTF* total = board->BetLabel(chair);
            if (!nodeboxes::Shown(total))
                continue;
            const cocos2d::CCRect frame = nodeboxes::WorldBox(board->BetFrame(ViewOf(chair)));
            const cocos2d::CCRect box = nodeboxes::WorldBox(total);
            const float scale = frame.size.width / 180;
            EXPECT_GE(box.getMinX(), frame.getMinX() + 38 * scale) << total->getString();
            EXPECT_LE(box.getMaxX(), frame.getMaxX()) << total->getString();
        }
    }
    uint16_t ViewOf(uint16_t chair) const { return chair == me ? 0 : 1; }
    // The settlement's names and results lie on its picture's drawing (its
    // clear rows and columns round it are the table's).
    void ExpectTheSettlementOnItsPicture()
    {
        Settlement* panel = board->GetSettlement();
        ASSERT_NE(panel, nullptr);
        const cocos2d::CCRect drawn =
            cocos2d::CCRectApplyAffineTransform(cocos2d::CCRect(0, 24, 360, 126), panel->nodeToWorldTransform());
        std::vector<nodeboxes::Box> rows;
        for (uint16_t chair = 0; chair < NNBoard::kViews; ++chair)
        {
            nodeboxes::AddShown(rows, "name " + std::to_string(chair), panel->NameLabel(chair));
            nodeboxes::AddShown(rows, "result " + std::to_string(chair), panel->ResultLabel(chair));
        }
        EXPECT_EQ(rows.size(), 4u);
        for (const std::string& out : nodeboxes::Outside(rows, drawn))
            ADD_FAILURE() << out;
        for (const std::string& overlap : nodeboxes::Overlaps(rows))
            ADD_FAILURE() << overlap;
    }
};

TEST_P(StudCovering, AHandFromTheIdleTableToTheResult)
{
    std::srand(7);
    EnterTable(0);
    Step();
    ExpectReadable("idle", {});
    ExpectFramesWithTheirContents(false, false, false);
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 0x31, 0x05, 0x16, kCell, 100 * kRaise)));
    Run(60);
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(1, 0, kBet, kBet)));
    Run(60);
    ExpectReadable("my turn", {2, 2, true});
    ExpectFramesWithTheirContents(true, false, true);
    ExpectTheButtonsOnTheirTray();
    // A pool that does not show fails the check.
    board->PoolLabel()->setVisible(false);
    const std::vector<covering::Finding> found = covering::Look(Table({2, 2, true}).Items(), Names(), Fans());
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
    ExpectReadable("fourth card", {4, 3, true});
    ExpectTheAmountsCaptioned();
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(kResult, -kResult, 0x31, 0x2B)));
    Run(60 * 4);
    ExpectReadable("won", {4, 3, false, true});
    ExpectTheWinClearOfMyName();
    ExpectTheSettlementOnItsPicture();
    ExpectFramesWithTheirContents(false, true, true);
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
    ExpectReadable("lost", {2, 3, false, true});
    ExpectTheSettlementOnItsPicture();
    board->ResetGameView();
    Run(10);
    ExpectReadable("next idle", {});
    ExpectFramesWithTheirContents(false, false, false);
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
    // The other player's total runs to ten digits over the scene's two amounts.
    scene.amounts[0][0] = 3 * kRaise;
    scene.amounts[1][0] = kResult;
    scene.amounts[1][1] = kRaise;
    scene.followBase = kBet;
    ASSERT_TRUE(SceneMessage(GS_TK_PLAYING, Scene(scene)));
    Run(60);
    ExpectReadable("restored", {4, 3, true});
    ExpectFramesWithTheirContents(true, true, true);
    ExpectTheTotalsInTheirFrames();
}

INSTANTIATE_TEST_SUITE_P(Window, StudCovering, ::testing::ValuesIn(phasecheck::Windows()), phasecheck::WindowName);

}  // namespace
