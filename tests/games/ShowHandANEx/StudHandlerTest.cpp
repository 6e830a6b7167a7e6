// Five-card stud's messages: each sub and scene only at its size, chairs and
// card counts from the wire refused when out of range, the running sums and
// the prices of my actions, and the turn clock that gives up once.
#include "StudFixture.h"

using namespace studtest;
using namespace ShowHandANEx;

namespace {

class StudHandler : public StudTest
{
protected:
    static std::string Title(cocos2d::extension::CCControlButton* button)
    {
        cocos2d::CCString* title =
            button != nullptr ? button->getTitleForState(cocos2d::extension::CCControlStateNormal) : nullptr;
        return title != nullptr ? title->getCString() : std::string();
    }
};

struct Sized
{
    uint16_t id;
    uint16_t size;
};

// Zero bytes name chair 0 and no new cards, so each message is good at its
// own size; at every other size from 0 to two past it, it is refused.
TEST_F(StudHandler, EverySubAndSceneIsTakenOnlyAtItsSize)
{
    EnterTable(0);
    const Sized subs[] = {{100, 48}, {101, 26}, {102, 14}, {103, 17}, {104, 26}};
    for (const Sized& s : subs)
    {
        for (uint16_t size = 0; size <= s.size + 2; ++size)
        {
            // Sub 103 fits only while my five places are not full.
            board->ResetGameView();
            const Bytes body(size, 0);
            EXPECT_EQ(stud->OnGameMessage(s.id, size ? body.data() : nullptr, size), size == s.size)
                << "sub " << s.id << " at " << size;
            Run(20);
        }
    }
    for (uint16_t size = 0; size <= 160; ++size)
    {
        board->ResetGameView();
        const Bytes body(size, 0);
        EXPECT_EQ(stud->OnGameSceneMessage(GS_TK_PLAYING, false, size ? body.data() : nullptr, size), size == 158)
            << "scene at " << size;
    }
}

TEST_F(StudHandler, IgnoredSubsAndOtherStatusesTakeAnySizeAndTheRestAreRefused)
{
    EnterTable(0);
    for (uint16_t sub : {108, 109, 115})
        for (uint16_t size : {0, 1, 26, 300})
        {
            const Bytes body(size, 0xFF);
            EXPECT_TRUE(stud->OnGameMessage(sub, size ? body.data() : nullptr, size)) << sub;
        }
    for (uint16_t sub : {0, 1, 99, 105, 106, 107, 110, 111, 112, 113, 114, 116, 200, 65535})
        EXPECT_FALSE(stud->OnGameMessage(sub, nullptr, 0)) << sub;
    for (uint8_t status : {0, 1, 99, 101, 200, 255})
        for (uint16_t size : {0, 5, 158, 400})
        {
            const Bytes body(size, 0xFF);
            EXPECT_TRUE(stud->OnGameSceneMessage(status, false, size ? body.data() : nullptr, size)) << int(status);
        }
    // Every sub id, empty: the five handled ones want a body, three are
    // ignored, and the rest are refused.
    for (uint32_t sub = 0; sub <= 0xFFFF; ++sub)
    {
        const bool ignored = sub == 108 || sub == 109 || sub == 115;
        ASSERT_EQ(stud->OnGameMessage(static_cast<uint16_t>(sub), nullptr, 0), ignored) << sub;
    }
    for (uint32_t status = 0; status <= 0xFF; ++status)
        ASSERT_EQ(stud->OnGameSceneMessage(static_cast<uint8_t>(status), false, nullptr, 0), status != GS_TK_PLAYING)
            << status;
    EXPECT_FALSE(stud->IsRestored());
    EXPECT_EQ(board->GetPool(), 0);
    EXPECT_TRUE(Sends().empty());
}

TEST_F(StudHandler, AShortGameStartClearsTheHandBeforeItIsRefused)
{
    EnterTable(0);
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(0, 0x01, 0x12, 0x23, 100)));
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(0, 1, 200, 200)));
    EXPECT_EQ(stud->CellScore(), 100);
    EXPECT_EQ(stud->Committed(0), 100);

    Bytes shortStart = Start(0, 0x01, 0x12, 0x23, 100);
    shortStart.pop_back();
    EXPECT_FALSE(Game(SUB_S_GAME_START, shortStart));
    EXPECT_EQ(stud->CellScore(), 0);
    EXPECT_EQ(stud->CurrentChair(), ShowHandANEx::INVALID_CHAIR);
    EXPECT_EQ(stud->Committed(0), 0);
    EXPECT_EQ(stud->RoundBet(0), 0);
    EXPECT_EQ(stud->FollowAmount(), 0);
    // Not reset: who acted last and the follow mode.
    EXPECT_EQ(stud->ActingChair(), 0);
}

TEST_F(StudHandler, AGameStartAntesDealsAndStartsTheClockOnTheCurrentChair)
{
    EnterTable(1);
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(0, 0x2A, 0x13, 0x3C, 250, 9000)));
    EXPECT_EQ(stud->MyChair(), 1);
    EXPECT_EQ(stud->Committed(0), 250);
    EXPECT_EQ(stud->Committed(1), 250);
    EXPECT_EQ(board->GetPool(), 500);
    EXPECT_EQ(stud->ShowHandCap(), 9000);
    // My hidden card and my shown card; the other's first card stays hidden.
    EXPECT_EQ(board->GetCard(1, 0), 0x2A);
    EXPECT_EQ(board->GetCard(1, 1), 0x3C);
    EXPECT_EQ(board->GetCard(0, 0), 0);
    EXPECT_EQ(board->GetCard(0, 1), 0x13);
    EXPECT_EQ(board->CountMyVisibleCards(), 2);
    EXPECT_EQ(kernel->GetClockTimerID(), IDI_TURN_CLOCK);
    EXPECT_EQ(kernel->GetClockChairID(), 0);
}

// Chairs index the per-chair sums and card rows: anything but 0 and 1 (and
// nobody where a next chair may be nobody) is refused and changes nothing.
TEST_F(StudHandler, ChairsOutOfRangeAreRefused)
{
    EnterTable(0);
    EXPECT_FALSE(Game(SUB_S_GAME_START, Start(2, 1, 1, 1, 100)));
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(0, 1, 1, 1, 100)));
    const int64_t pool = board->GetPool();

    EXPECT_FALSE(Game(SUB_S_ADD_SCORE, Action(2, 1, 500, 500)));
    EXPECT_FALSE(Game(SUB_S_ADD_SCORE, Action(65535, 1, 500, 500)));
    EXPECT_FALSE(Game(SUB_S_ADD_SCORE, Action(0, 3, 500, 500)));
    EXPECT_EQ(board->GetPool(), pool);
    EXPECT_EQ(stud->RoundBet(0), 0);
    EXPECT_EQ(stud->LastAmount(), 0);

    EXPECT_FALSE(Game(SUB_S_GIVE_UP, GiveUpMessage(2, END_MODE_COVER)));
    EXPECT_EQ(board->GetEndMode(), END_MODE_REVEAL);

    const uint8_t cards[2][2] = {{0x05, 0}, {0x06, 0}};
    EXPECT_FALSE(Game(SUB_S_SEND_CARD, Send(9, 1, cards)));
    EXPECT_EQ(board->CountMyVisibleCards(), 2);

    PlayScene scene;
    scene.current = 4;
    EXPECT_FALSE(SceneMessage(GS_TK_PLAYING, Scene(scene)));
    EXPECT_FALSE(stud->IsRestored());

    EXPECT_TRUE(Game(SUB_S_ADD_SCORE, Action(1, ShowHandANEx::INVALID_CHAIR, 500, 0)));
}

// A player holds five cards and a message deals two at most: a count past
// either would write past the card rows and the five sprites.
TEST_F(StudHandler, SendCardCountsPastTheHandAreRefused)
{
    EnterTable(0);
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(0, 1, 2, 3, 100)));
    const uint8_t cards[2][2] = {{0x05, 0x06}, {0x15, 0x16}};
    EXPECT_FALSE(Game(SUB_S_SEND_CARD, Send(0, 3, cards)));
    EXPECT_FALSE(Game(SUB_S_SEND_CARD, Send(0, 255, cards)));
    EXPECT_EQ(board->CountMyVisibleCards(), 2);
    ASSERT_TRUE(Game(SUB_S_SEND_CARD, Send(0, 2, cards)));
    EXPECT_EQ(board->CountMyVisibleCards(), 4);
    EXPECT_FALSE(Game(SUB_S_SEND_CARD, Send(0, 2, cards)));
    EXPECT_EQ(board->GetCard(0, 4), 0);
    ASSERT_TRUE(Game(SUB_S_SEND_CARD, Send(0, 1, cards)));
    EXPECT_EQ(board->GetCard(0, 4), 0x05);
    EXPECT_EQ(board->GetCard(1, 4), 0x15);
    EXPECT_EQ(board->CountMyVisibleCards(), 5);
}

TEST_F(StudHandler, ASceneOfMoreThanFiveCardsIsRefused)
{
    EnterTable(0);
    PlayScene scene;
    scene.cardCount = 6;
    EXPECT_FALSE(SceneMessage(GS_TK_PLAYING, Scene(scene)));
    EXPECT_FALSE(stud->IsRestored());
    EXPECT_EQ(board->CountMyVisibleCards(), 0);
    scene.cardCount = 5;
    for (int k = 0; k < 5; ++k)
    {
        scene.cards[0][k] = static_cast<uint8_t>(0x01 + k);
        scene.cards[1][k] = static_cast<uint8_t>(0x11 + k);
    }
    EXPECT_TRUE(SceneMessage(GS_TK_PLAYING, Scene(scene)));
    EXPECT_EQ(board->CountMyVisibleCards(), 5);
}

TEST_F(StudHandler, AnActionMovesThePoolByWhatTheChairAddsToItsRoundBet)
{
    EnterTable(0);
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(0, 1, 2, 3, 100)));
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(0, 1, 300, 300)));
    EXPECT_EQ(board->GetPool(), 500);
    EXPECT_EQ(stud->RoundBet(0), 300);
    EXPECT_EQ(board->GetChairBet(0), 300);
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(1, 0, 600, 600)));
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(0, 1, 900, 900)));
    // Chair 0 had 300 in the round: 600 more.
    EXPECT_EQ(board->GetPool(), 200 + 300 + 600 + 600);
    EXPECT_EQ(stud->RoundBet(0), 900);
    EXPECT_EQ(board->Chips().size(), 3u);
    EXPECT_EQ(kernel->GetClockChairID(), 1);
}

TEST_F(StudHandler, AnActionOfNothingShowsTheNoteSignAndMovesNoChips)
{
    EnterTable(0);
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(0, 1, 2, 3, 100)));
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(0, 1, 0, 0)));
    EXPECT_TRUE(board->NoteSign()->isVisible());
    EXPECT_EQ(board->GetPool(), 200);
    EXPECT_EQ(stud->RoundBet(0), 0);
    EXPECT_TRUE(board->Chips().empty());
    // The next change of the pool takes it away.
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(1, 0, 100, 100)));
    EXPECT_FALSE(board->NoteSign()->isVisible());
}

TEST_F(StudHandler, ACompleteRoundCommitsToMyChairAndStartsNoClock)
{
    EnterTable(1);
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 1, 2, 3, 100)));
    // The other chair's action closes the round: the amount is mine to count.
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(0, ShowHandANEx::INVALID_CHAIR, 400, 0)));
    EXPECT_EQ(stud->Committed(1), 500);
    EXPECT_EQ(stud->Committed(0), 100);
    EXPECT_EQ(stud->RoundBet(0), 0);
    EXPECT_EQ(kernel->GetClockTimerID(), 0u);
    Run(30);
    EXPECT_FALSE(board->FollowButton()->isVisible());
}

TEST_F(StudHandler, ASendCardOfNoCardsStillClosesTheBettingRound)
{
    EnterTable(0);
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(0, 1, 2, 3, 100)));
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(0, 1, 300, 300, 0, 1, 1)));
    const uint8_t none[2][2] = {};
    ASSERT_TRUE(Game(SUB_S_SEND_CARD, Send(1, 0, none)));
    EXPECT_EQ(board->CountMyVisibleCards(), 2);
    EXPECT_EQ(stud->RoundBet(0), 0);
    EXPECT_EQ(stud->FollowAmount(), 0);
    EXPECT_EQ(stud->LastAmount(), 0);
    EXPECT_FALSE(stud->RoundCapped());
    EXPECT_EQ(kernel->GetClockChairID(), 1);
    EXPECT_EQ(kernel->GetClockTimerID(), IDI_TURN_CLOCK);
}

TEST_F(StudHandler, MyActionsArePricedFromTheLastAction)
{
    EnterTable(0);
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 1, 2, 3, 100, 30000)));
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(1, 0, 300, 250)));
    EXPECT_EQ(stud->FollowPrice(), 250);
    EXPECT_EQ(stud->RaisePrice(1), 400);
    EXPECT_EQ(stud->RaisePrice(5), 800);
    // My score less what I put in finished rounds (the ante).
    EXPECT_EQ(stud->ShowHandPrice(), kMyScore - 100);
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(1, 0, 300, 250, 1)));
    EXPECT_EQ(stud->ShowHandPrice(), 30000);

    stud->Raise(2);
    auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].first, SUB_C_ADD_SCORE);
    ASSERT_EQ(sent[0].second.size(), 9u);
    EXPECT_EQ(AmountOf(sent[0].second), 500);
    EXPECT_EQ(sent[0].second[8], ADD_KIND_RAISE);
    stud->Follow();
    sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(AmountOf(sent[0].second), 250);
    EXPECT_EQ(sent[0].second[8], ADD_KIND_FOLLOW);
}

TEST_F(StudHandler, AfterASceneTheFirstActionsUseTheScenesFollowBase)
{
    EnterTable(0);
    PlayScene scene;
    scene.current = 0;
    scene.cell = 100;
    scene.followBase = 700;
    scene.amounts[0][0] = 1000;
    scene.amounts[1][0] = 1200;
    ASSERT_TRUE(SceneMessage(GS_TK_PLAYING, Scene(scene)));
    EXPECT_TRUE(stud->IsRestored());
    EXPECT_EQ(stud->RaiseCount(), 5u);
    EXPECT_EQ(board->GetPool(), 2200);
    EXPECT_EQ(stud->FollowPrice(), 700);
    EXPECT_EQ(stud->RaisePrice(2), 900);
    // A show hand is not offered at its price while the scene had none.
    EXPECT_EQ(stud->ShowHandPrice(), 0);

    // An action message of follow mode 2 makes the follow its amount.
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(1, 0, 300, 450, 0, 0, 0, 2)));
    EXPECT_EQ(stud->FollowPrice(), 450);
    stud->Follow();
    auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(AmountOf(sent[0].second), 450);
    EXPECT_FALSE(stud->IsRestored());
}

TEST_F(StudHandler, ASceneShowHandIsPricedByItsMode)
{
    EnterTable(1);
    PlayScene scene;
    scene.current = 1;
    scene.cell = 100;
    scene.amounts[1][0] = 2000;
    scene.amounts[1][1] = 3000;
    scene.showHand = 1;
    scene.cap = 20000;
    scene.showHandMode = 1;
    ASSERT_TRUE(SceneMessage(GS_TK_PLAYING, Scene(scene)));
    EXPECT_EQ(stud->ShowHandPrice(), 20000);
    scene.showHandMode = 2;
    board->ResetGameView();
    ASSERT_TRUE(SceneMessage(GS_TK_PLAYING, Scene(scene)));
    // The same scene again sets what is committed, it does not add to it.
    EXPECT_EQ(stud->ShowHandPrice(), 100 + kMyScore - 5000);
    scene.showHandMode = 3;
    ASSERT_TRUE(SceneMessage(GS_TK_PLAYING, Scene(scene)));
    EXPECT_EQ(stud->ShowHandPrice(), 0);
    stud->ShowHand();
    auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(AmountOf(sent[0].second), 0);
    EXPECT_FALSE(stud->IsRestored());
}

// The kernel's clock reports 0 a second time; the give-up goes once, and a
// press of the button after it sends nothing more.
TEST_F(StudHandler, TheTurnClockGivesUpForMeOnce)
{
    EnterTable(0);
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(0, 1, 2, 3, 100)));
    Run(60);
    ASSERT_TRUE(board->FollowButton()->isVisible());
    Run(60 * 32);
    auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].first, SUB_C_GIVE_UP);
    EXPECT_TRUE(sent[0].second.empty());
    EXPECT_EQ(kernel->GetClockTimerID(), 0u);
    // Nothing else is offered once the clock gave up for me.
    for (auto* button : {board->RaiseButton(0), board->RaiseButton(1), board->RaiseButton(2), board->FollowButton(),
                         board->ShowHandButton(), board->GiveUpButton()})
        EXPECT_FALSE(button->isVisible());
    stud->GiveUp();
    EXPECT_TRUE(Sends().empty());
    EXPECT_TRUE(stud->OnClockInfo(0, 0, IDI_TURN_CLOCK));
    EXPECT_TRUE(Sends().empty());

    // The next turn of mine may give up again.
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(1, 0, 100, 100)));
    board->OnGiveUp(nullptr, 0);
    sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].first, SUB_C_GIVE_UP);
    EXPECT_EQ(kernel->GetClockTimerID(), 0u);
    Run(60 * 33);
    EXPECT_TRUE(Sends().empty());
}

TEST_F(StudHandler, TheClockRunningOutOnTheOtherChairSendsNothing)
{
    EnterTable(0);
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 1, 2, 3, 100)));
    Run(60 * 33);
    EXPECT_TRUE(Sends().empty());
}

// Amounts are the server's: sums and prices at the ends of the 64-bit range
// stop there instead of wrapping round to the other sign.
TEST_F(StudHandler, AmountsAtTheEndsOfTheRangeStopThere)
{
    EnterTable(0);
    const int64_t big = INT64_MAX / 2 + 1;
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(0, 1, 2, 3, big)));
    EXPECT_EQ(board->GetPool(), INT64_MAX);
    EXPECT_EQ(stud->RaisePrice(5), INT64_MAX);
    Run(60);
    EXPECT_EQ(Title(board->RaiseButton(2)), std::to_string(INT64_MAX));
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, Action(1, 0, INT64_MIN, 0)));
    EXPECT_EQ(board->GetPool(), -1);
    EXPECT_EQ(stud->ShowHandPrice(), kMyScore - big);

    PlayScene scene;
    scene.amounts[0][0] = INT64_MAX;
    scene.amounts[0][1] = INT64_MAX;
    scene.amounts[1][0] = INT64_MIN;
    board->ResetGameView();
    ASSERT_TRUE(SceneMessage(GS_TK_PLAYING, Scene(scene)));
    EXPECT_EQ(stud->Committed(0), INT64_MAX);
    // The scene replaces the hand's sums: the start's ante is gone.
    EXPECT_EQ(stud->Committed(1), INT64_MIN);
    EXPECT_EQ(board->GetPool(), -1);
}

}  // namespace
