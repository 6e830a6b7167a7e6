// What a player reads on the San Gong table, phase by phase, in each window
// and with a busy table's amounts: waiting for the next round, robbing,
// betting, the deal, the shows, the result and a table restored in play.
#include "../TableReadables.h"
#include "ThreeKingFixture.h"

using namespace tktest;
using namespace ThreeKing;

namespace {

const std::vector<Bytes> kHands = {{0x0B, 0x1C, 0x2D}, {0x05, 0x15, 0x25}, {0x09, 0x19, 0x03},
                                   {0x0A, 0x0B, 0x1A}, {0x01, 0x02, 0x02}, {0x31, 0x32, 0x32}};

// A busy table: a ceiling of ten digits, bets of eight, results of ten.
constexpr int64_t kCeiling = 9876543210LL, kBet = 98765432, kResult = 1234567890;

// Faults the check finds that are being mended.
const std::vector<phasecheck::Open> kOpenFaults = {};

// What a phase shows besides the seats.
struct Shows
{
    bool waiting = false;  // I watch: the waiting sign
    bool rob = false;      // my rob buttons
    bool banker = false;   // the banker's mark
    bool bets = false;     // every bettor's chip and amount
    bool cards = false;    // the hands of the seats in play
    bool result = false;   // the result's rows
};

class ThreeKingCovering : public phasecheck::Sized<ThreeKingTest>
{
protected:
    ThreeKingCovering() { Open(kOpenFaults); }

    // A playing scene of six seats in play, each with three cards from
    // `firstCard` on, my cards not yet shown, the banker at 5; `bet` on every
    // seat but the banker's.
    static Bytes PlayingScene(uint8_t firstCard, int64_t bet)
    {
        Bytes scene(250, 0);
        for (int c = 0; c < 6; ++c)
        {
            scene[c] = 1;
            if (bet != 0)
                Put(scene, 15 + 8 * c, int64_t{c == 5 ? 0 : bet});
            for (int i = 0; i < 3; ++i)
                scene[65 + 3 * c + i] = static_cast<uint8_t>(firstCard + c + i);
            scene[83 + c] = c == kMyChair ? SHOW_NOT_YET : 1;
        }
        Put(scene, 63, uint16_t{5});
        return scene;
    }

    phasecheck::List Table(const Shows& shows) const
    {
        phasecheck::List r;
        readables::Seats(r, board, NNBoard::kSeats, shows.rob ? readables::kClock : 0u);
        const char* signs[] = {"robbing sign", "betting sign", "show sign"};
        for (int s = 0; s < NNBoard::kSignCount; ++s)
            r.Optional(signs[s], board->GetStateSign(static_cast<NNBoard::Sign>(s)));
        r.Node("banker mark", board->GetBankerMark(), !shows.banker);
        r.Node("waiting sign", board->GetWaitAnimation(), !shows.waiting);
        r.Node("rob", board->GetRobButton(), !shows.rob);
        r.Node("no rob", board->GetNoRobButton(), !shows.rob);
        r.Optional("show", board->GetShowButton());
        r.Optional("hand sign button", board->GetMyTypeButton());
        for (int i = 0; i < 3; ++i)
            r.Optional("bet " + std::to_string(i), board->GetBetButton(i));
        for (uint16_t chair = 0; chair < NNBoard::kSeats; ++chair)
        {
            const std::string seat = "chair " + std::to_string(chair);
            // A chip is read by its amount.
            cocos2d::CCSprite* chip = board->GetChip(chair);
            const bool bettor = shows.bets && chair != board->GetBankerChair() && board->IsInPlay(chair);
            if (chip != nullptr && chip->getChildrenCount() > 0)
                r.Node(seat + " chip", static_cast<cocos2d::CCNode*>(chip->getChildren()->objectAtIndex(0)), !bettor);
            else if (bettor)
                r.Node(seat + " chip", nullptr);
            // My third card stays down until the hands are shown.
            for (int i = 0; i < NNBoard::kCards; ++i)
                r.Node(seat + " card " + std::to_string(i), board->GetCardSprite(chair, i),
                       !shows.cards || !board->IsInPlay(chair) || (chair == kMyChair && i == 2 && !shows.result));
        }
        for (size_t i = 0; i < board->GetHandSigns().size(); ++i)
            r.Optional("hand sign " + std::to_string(i), board->GetHandSigns()[i]);
        if (CScoreView* view = board->GetScoreView(); view != nullptr && shows.result)
        {
            cocos2d::CCArray* rows = view->getChildren();
            for (unsigned int i = 0; rows != nullptr && i < rows->count(); ++i)
                r.Node("result text " + std::to_string(i), static_cast<cocos2d::CCNode*>(rows->objectAtIndex(i)));
        }
        return r;
    }
    covering::Names Names() const
    {
        return {{board->GetDealerHand(), "dealer's hands"}, {board->GetScoreView(), "result view"}};
    }
    // A hand's cards lie fanned over each other, their ranks in sight, and
    // its sign is a banner on their foot.
    static covering::Allowed Fans()
    {
        covering::Allowed allowed;
        for (uint16_t chair = 0; chair < NNBoard::kSeats; ++chair)
            for (int i = 0; i < NNBoard::kCards; ++i)
            {
                const std::string card = "chair " + std::to_string(chair) + " card " + std::to_string(i);
                allowed.push_back({card, "chair " + std::to_string(chair) + " card "});
                allowed.push_back({card, "hand sign "});
            }
        return allowed;
    }
    void ExpectReadable(const char* phase, const Shows& shows)
    {
        Step();
        Check(Table(shows), phase, Names(), Fans());
    }
    // The result's rows lie on its drawing, the first one too, none astride
    // its border.
    void ExpectTheRowsOnTheResult()
    {
        CScoreView* view = board->GetScoreView();
        ASSERT_NE(view, nullptr);
        std::vector<nodeboxes::Box> rows;
        cocos2d::CCArray* labels = view->getChildren();
        for (unsigned int i = 0; labels != nullptr && i < labels->count(); ++i)
            nodeboxes::AddShown(rows, "row text " + std::to_string(i),
                                static_cast<cocos2d::CCNode*>(labels->objectAtIndex(i)));
        ASSERT_FALSE(rows.empty());
        const cocos2d::CCRect drawn = nodeboxes::TopRows(nodeboxes::WorldBox(view), 161);
        for (const std::string& out : nodeboxes::Outside(rows, drawn))
            ADD_FAILURE() << out;
    }
    // Nothing under the result shows through it: a white sheet laid under
    // its drawing changes none of the pixels inside its border.
    void ExpectTheResultOpaque()
    {
        CScoreView* view = board->GetScoreView();
        ASSERT_NE(view, nullptr);
        const cocos2d::CCRect drawn = nodeboxes::TopRows(nodeboxes::WorldBox(view), 161);
        const cocos2d::CCRect inside(drawn.getMinX() + 6, drawn.getMinY() + 6, drawn.size.width - 12,
                                     drawn.size.height - 12);
        const cocos2d::CCSize size = view->getContentSize();
        cocos2d::CCLayerColor* sheet = cocos2d::CCLayerColor::create({255, 255, 255, 255}, size.width, size.height);
        sheet->setPosition(view->getPosition() - cocos2d::CCPoint(size.width / 2, size.height / 2));
        board->AddContentChild(sheet, view->getZOrder() - 1);
        covering::detail::Frame with, without;
        ASSERT_TRUE(covering::detail::Capture(with));
        sheet->setVisible(false);
        covering::detail::Capture(without);
        sheet->removeFromParentAndCleanup(true);
        const covering::detail::Pixels area = covering::detail::ToPixels(inside, with);
        int through = 0;
        for (int y = area.y0; y < area.y1; ++y)
            for (int x = area.x0; x < area.x1; ++x)
                for (int c = 0; c < 3; ++c)
                {
                    const size_t at = (static_cast<size_t>(y) * with.width + x) * 4 + c;
                    if (std::abs(with.rgba[at] - without.rgba[at]) > 2)
                    {
                        ++through;
                        break;
                    }
                }
        EXPECT_EQ(through, 0);
    }
    // The banker mark stands on the table, clear of the side bar.
    void ExpectMarkOnTheTable()
    {
        const cocos2d::CCRect mark = nodeboxes::WorldBox(board->GetBankerMark());
        const cocos2d::CCRect table = nodeboxes::WorldBox(board->GetTable());
        for (const std::string& out : nodeboxes::Outside({{"banker mark", mark}}, table))
            ADD_FAILURE() << out;
    }
};

TEST_P(ThreeKingCovering, AWatcherWaitingForTheNextRound)
{
    ASSERT_NE(EnterTable({0, 1, 3, 4, 5}, US_SIT), nullptr);
    Bytes scene(250, 0);
    for (int c = 0; c < 6; ++c)
    {
        scene[c] = c != kMyChair;
        for (int i = 0; i < 3; ++i)
            scene[65 + 3 * c + i] = static_cast<uint8_t>(0x01 + c + i);
    }
    ASSERT_TRUE(SceneMessage(GS_TK_PLAYING, scene));
    Seconds(1);
    ASSERT_NE(board->GetWaitAnimation(), nullptr);
    ExpectReadable("waiting", {true, false, false, false, true});
    // The result of the round I watch comes over the waiting sign's table.
    const int64_t scores[6] = {kResult, -kResult, 0, kResult / 2, -kResult / 2, 0};
    const uint8_t indexes[6] = {1, 2, 0, 3, 4, 5};
    ASSERT_TRUE(Game(104, GameEnd(scores, indexes)));
    Seconds(1);
    ExpectReadable("watched result", {false, false, false, false, true, true});
}

TEST_P(ThreeKingCovering, RobbingAndBettingOnEverySeat)
{
    ASSERT_NE(EnterTable(), nullptr);
    ExpectReadable("idle", {});
    ASSERT_TRUE(Game(106, Chair(kMyChair, 3)));
    Seconds(1);
    ExpectReadable("robbing", {false, true});
    // The mark on each seat in turn: the right-hand ones stay off the side bar.
    for (uint16_t banker : {3, 4, 5, 0, 1, 2})
    {
        ASSERT_TRUE(Game(100, BankerSet(kCeiling, banker)));
        Seconds(1);
        ExpectMarkOnTheTable();
    }
    for (uint16_t chair : {0, 1, 3, 4, 5})
        ASSERT_TRUE(Game(101, AddScore(chair, kBet)));
    Seconds(1);
    ExpectReadable("betting", {false, false, true, true});
}

TEST_P(ThreeKingCovering, TheDealTheShowsAndTheResult)
{
    ASSERT_NE(EnterTable(), nullptr);
    ASSERT_TRUE(Game(100, BankerSet(kCeiling, 4)));
    Seconds(1);
    for (uint16_t chair : {0, 1, 2, 3, 5})
        ASSERT_TRUE(Game(101, AddScore(chair, kBet)));
    ASSERT_TRUE(Game(103, SendCard(kHands)));
    // The dealer's hands deal in sight: the first cards are on their way.
    Run(20);
    {
        phasecheck::List dealing = Table({false, false, true, true});
        dealing.Node("dealer's hands", board->GetDealerHand());
        Check(dealing, "dealing", Names(), Fans());
    }
    Seconds(2);
    ExpectReadable("dealt", {false, false, true, true, true});
    Press(board->GetMyTypeButton());
    ExpectReadable("my hand signed", {false, false, true, true, true});
    Press(board->GetShowButton());
    const int64_t scores[6] = {-kBet, kBet, -kBet, -kResult, kResult, -kBet};
    const uint8_t indexes[6] = {10, 11, 1, 0, 5, 5};
    ASSERT_TRUE(Game(104, GameEnd(scores, indexes)));
    Seconds(1);
    ExpectReadable("result", {false, false, true, false, true, true});
    ExpectTheRowsOnTheResult();
    ExpectTheResultOpaque();
    ExpectMarkOnTheTable();
}

TEST_P(ThreeKingCovering, ATableRestoredInPlay)
{
    ASSERT_NE(EnterTable(), nullptr);
    ASSERT_TRUE(SceneMessage(GS_TK_PLAYING, PlayingScene(0x01, kBet)));
    Seconds(1);
    ExpectReadable("restored play", {false, false, true, true, true});
    ExpectMarkOnTheTable();
}

TEST_P(ThreeKingCovering, TablesRestoredInTheRobbingAndTheBetting)
{
    ASSERT_NE(EnterTable(), nullptr);
    Bytes calling(169, 0);
    Put(calling, 0, uint16_t{kMyChair});
    ASSERT_TRUE(SceneMessage(GS_TK_CALL, calling));
    Seconds(1);
    ExpectReadable("restored robbing", {false, true});
    board->ResetGameView();
    Bytes betting(225, 0);
    Put(betting, 7, kCeiling);
    for (uint16_t c : {0, 1, 3, 4})
        Put(betting, 15 + 8 * c, kBet);
    Put(betting, 63, uint16_t{5});
    ASSERT_TRUE(SceneMessage(GS_TK_SCORE, betting));
    Seconds(1);
    ExpectReadable("restored betting", {false, false, true, true});
    ExpectMarkOnTheTable();
    ASSERT_TRUE(SceneMessage(GS_TK_PLAYING, PlayingScene(0x11, 0)));
    Seconds(1);
    ExpectReadable("restored play after the betting", {false, false, true, false, true});
}

INSTANTIATE_TEST_SUITE_P(Window, ThreeKingCovering, ::testing::ValuesIn(phasecheck::Windows()),
                         phasecheck::WindowName);

}  // namespace
