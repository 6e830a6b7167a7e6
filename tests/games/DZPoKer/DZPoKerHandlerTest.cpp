// The hold'em handler against its messages: exact sizes, the bets it keeps,
// what it asks of the board, my actions on the wire, and the faults of
// untrusted chairs and pot numbers.
#include "DZPoKerFixture.h"

using namespace cocos2d;
using namespace DZPoKer;

namespace holdemtest {

namespace {

struct Record
{
    bool scene;
    uint16_t code;  // sub, or the scene's game status
    size_t size;
};

}  // namespace

TEST_F(HoldemTest, EveryMessageIsTakenAtItsOwnSizeOnly)
{
    const Record records[] = {{false, SUB_S_GAME_START, 62}, {false, SUB_S_ADD_SCORE, 58}, {false, SUB_S_GIVE_UP, 10},
                              {false, SUB_S_SEND_CARD, 13},  {false, SUB_S_GAME_END, 631}, {false, SUB_S_POT_LIST, 124},
                              {true, GS_FREE, 16},           {true, GS_PLAYING, 174}};
    for (const Record& r : records)
    {
        for (size_t size = 0; size <= r.size + 2; ++size)
        {
            const Bytes body(size, 0);
            const bool taken = r.scene ? Scene(static_cast<uint8_t>(r.code), body) : Game(r.code, body);
            EXPECT_EQ(taken, size == r.size) << (r.scene ? "scene " : "sub ") << r.code << " of " << size;
            Step();
        }
    }
    // 106 is taken at any size; other subs and statuses are not.
    for (size_t size : {0, 1, 500})
        EXPECT_TRUE(Game(SUB_S_IGNORED, Bytes(size, 7)));
    for (uint16_t sub : {0, 1, 99, 105, 107, 109, 200})
        EXPECT_FALSE(Game(sub, Bytes(13, 0))) << sub;
    EXPECT_FALSE(Scene(101, Bytes(174, 0)));
    EXPECT_FALSE(Scene(200, Bytes(16, 0)));
}

TEST_F(HoldemTest, RefusedMessagesStillResetOrStopFirst)
{
    ASSERT_TRUE(Game(SUB_S_GAME_START, StartBytes(Start{})));
    EXPECT_EQ(holdem->m_nActionMask, 1);
    EXPECT_FALSE(Game(SUB_S_GAME_START, Bytes(61, 0)));  // the reset comes before the size test
    EXPECT_EQ(holdem->m_nActionMask, MASK_NONE);
    EXPECT_EQ(holdem->m_lCellScore, 0);

    ASSERT_TRUE(Game(SUB_S_GAME_START, StartBytes(Start{})));
    Step(40);
    ASSERT_NE(board->GetTurnTimer()->GetRing(), nullptr);
    for (uint16_t sub : {SUB_S_ADD_SCORE, SUB_S_GIVE_UP, SUB_S_GAME_END})
    {
        board->StartTurnTimer(1);
        Step(40);
        ASSERT_NE(board->GetTurnTimer()->GetRing(), nullptr);
        EXPECT_FALSE(Game(sub, Bytes(3, 0)));
        Step(3);
        EXPECT_EQ(board->GetTurnTimer()->GetRing(), nullptr) << sub;
    }
}

TEST_F(HoldemTest, GameStartPutsTheBlindsOnAndDealsEveryPlayingChair)
{
    Start start;
    start.dealer = 3;  // view 1
    start.playing = {1, 1, 1, 0, 1, 1};
    ASSERT_TRUE(Game(SUB_S_GAME_START, StartBytes(start)));
    EXPECT_EQ(kernel->GetGameStatus(), Sexy::GAME_STATUS_PLAY);
    EXPECT_TRUE(board->GetDealerMark(ViewOf(3))->isVisible());
    EXPECT_EQ(Played("DZShowHand/Music/GAME_START"), 1);
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
        EXPECT_EQ(holdem->m_lTableScore[chair], chair == 3 ? 0 : 100) << chair;
    // The blinds fly at once, one chip a seat; the hole cards half a second later.
    EXPECT_EQ(board->GetChipLayer()->GetPile(ViewOf(0)).size(), 1u);
    EXPECT_TRUE(board->GetChipLayer()->GetPile(ViewOf(3)).empty());
    Step(120);  // the second card lands 1.4 s after the first leaves
    EXPECT_EQ(Played("DZShowHand/Music/SEND_CARD"), 10);
    EXPECT_EQ(board->GetHoleCard(kMe, 0)->GetCardData(), Card("Aa"));
    EXPECT_EQ(board->GetHoleCard(kMe, 1)->GetCardData(), Card("Kb"));
    EXPECT_FLOAT_EQ(board->GetHoleCard(kMe, 0)->getScale(), 0.5f);
    EXPECT_TRUE(board->GetHoleCard(kMe, 0)->getPosition().equals(board->GetHoleCardPoint(0, 0)));
    EXPECT_TRUE(board->GetHoleCard(0, 1)->getPosition().equals(board->GetHoleCardPoint(ViewOf(0), 1)));
    EXPECT_EQ(board->GetHoleCard(0, 0)->GetCardData(), CARD_BACK);
    EXPECT_FALSE(board->GetHoleCard(3, 0)->isVisible());
    // My turn: nothing to follow yet, so pass; and the ring at my seat.
    EXPECT_TRUE(Offered(board->GetActionButton(DZPoKerBoard::kPassButton)));
    EXPECT_FALSE(Offered(board->GetActionButton(DZPoKerBoard::kFollowButton)));
    ASSERT_NE(board->GetTurnTimer()->GetRing(), nullptr);
    EXPECT_TRUE(board->GetTurnTimer()->GetRing()->getPosition().equals(board->GetTurnTimer()->GetSeatPoint(0)));
}

TEST_F(HoldemTest, OtherChairsBetsAreCountedOnceAndSoundByTheirAmount)
{
    ASSERT_TRUE(Game(SUB_S_GAME_START, StartBytes(Start{})));
    audio.log.clear();
    struct Case
    {
        uint16_t actor;
        int64_t amount;
        int32_t code;
        const char* sound;
        int64_t table;  // the actor's table bet after
    } cases[] = {
        {3, 0, ACTION_PASS, "NO_ADD", 100},      {4, 200, ACTION_FOLLOW, "FOLLOW", 300},
        {5, 400, 1, "ADD_SCORE", 500},           {0, 5000, ACTION_ALL_IN, "SHOW_HAND", 5100},
        {kMe, 200, ACTION_FOLLOW, nullptr, 100},  // my own: already counted when I pressed
    };
    for (const Case& c : cases)
    {
        Action a;
        a.current = 1;
        a.actor = c.actor;
        a.amount = c.amount;
        a.code = c.code;
        a.follow = 200;
        ASSERT_TRUE(Game(SUB_S_ADD_SCORE, ActionBytes(a)));
        EXPECT_EQ(holdem->m_lTableScore[c.actor], c.table) << c.actor;
        EXPECT_EQ(holdem->m_lTotalScore[c.actor], c.table) << c.actor;
        if (c.sound != nullptr)
        {
            EXPECT_EQ(Played(std::string("DZShowHand/Music/") + c.sound), 1) << c.sound;
            EXPECT_TRUE(board->GetSeatActionSign(ViewOf(c.actor))->isVisible());
        }
    }
    EXPECT_EQ(board->GetTotalBet(4), 300);
    EXPECT_EQ(board->GetTableBet(ViewOf(4)), 300);
    EXPECT_EQ(audio.log.size(), 4u);
}

TEST_F(HoldemTest, TheLastActionOfAPhaseMovesTheBetsToThePot)
{
    Start start;
    start.playing = {1, 1, 1, 1, 0, 0};
    ASSERT_TRUE(Game(SUB_S_GAME_START, StartBytes(start)));
    ASSERT_TRUE(Game(SUB_S_GIVE_UP, GiveUpBytes(1)));  // its 100 go to the pot at once
    EXPECT_EQ(holdem->m_lPot, 100);
    Action a;
    a.actor = 3;
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, ActionBytes(a)));
    EXPECT_EQ(holdem->m_lPot, 400);
    for (int64_t bet : holdem->m_lTableScore)
        EXPECT_EQ(bet, 0);
    EXPECT_FALSE(board->GetSeatActionSign(ViewOf(3))->isVisible());
    // A second later the table's chips fly to the pot, which shows the amount.
    Step(70);
    Step(30);
    EXPECT_TRUE(board->GetChipLayer()->GetPile(ViewOf(0)).empty());
    EXPECT_EQ(board->GetPotChips()->GetMainPile().size(), 1u);
    ASSERT_NE(board->GetPotChips()->GetMainLabel(), nullptr);
    EXPECT_STREQ(board->GetPotChips()->GetMainLabel()->getString(), "400");
    EXPECT_TRUE(board->IsChipPlacement());
}

TEST_F(HoldemTest, AGiveUpThatLeavesOnePlayerFliesTheRestOfTheTable)
{
    Start start;
    start.playing = {0, 0, 1, 1, 0, 0};
    ASSERT_TRUE(Game(SUB_S_GAME_START, StartBytes(start)));
    Step(60);
    ASSERT_EQ(board->GetChipLayer()->GetPile(ViewOf(2)).size(), 1u);
    ASSERT_TRUE(Game(SUB_S_GIVE_UP, GiveUpBytes(3)));
    EXPECT_EQ(holdem->m_cbPlayStatus[3], 0);
    EXPECT_EQ(holdem->m_lPot, 100);
    Step(50);
    // Both seats' chips went: the folder's and the winner's.
    EXPECT_TRUE(board->GetChipLayer()->GetPile(ViewOf(3)).empty());
    EXPECT_TRUE(board->GetChipLayer()->GetPile(ViewOf(2)).empty());
    EXPECT_EQ(board->GetHoleCard(3, 0)->getOpacity(), 0);
    EXPECT_EQ(board->GetHoleCard(3, 0)->GetCardData(), CARD_BACK);
    EXPECT_EQ(kernel->GetGameStatus(), Sexy::GAME_STATUS_PLAY);  // not mine
    ASSERT_TRUE(Game(SUB_S_GIVE_UP, GiveUpBytes(kMe)));
    EXPECT_EQ(kernel->GetGameStatus(), Sexy::GAME_STATUS_FREE);
}

TEST_F(HoldemTest, SendCardTurnsTheCentreCardsByItsRunOut)
{
    struct Case
    {
        uint8_t runOut;
        std::string cards;
        std::vector<int> turned;  // centre cards whose back turns
        bool allFive;
    } cases[] = {
        {0, "2a 3b 4c", {0, 1, 2}, false},    {0, "2a 3b 4c 5d", {3}, false},
        {0, "2a 3b 4c 5d 6a", {4}, false},    {1, "2a 3b 4c 5d 6a", {0, 1, 2, 3, 4}, true},
        {2, "2a 3b 4c 5d 6a", {3, 4}, false}, {3, "2a 3b 4c 5d 6a", {4}, false},
    };
    for (const Case& c : cases)
    {
        board->ResetGameView();
        ASSERT_TRUE(Game(SUB_S_SEND_CARD, SendCardBytes(0, c.runOut, 0, c.cards)));
        EXPECT_EQ(board->IsDealAllFive(), c.allFive);
        Step(5 * 26);
        for (int i = 0; i < MAX_CENTER_COUNT; ++i)
        {
            const bool turned = std::find(c.turned.begin(), c.turned.end(), i) != c.turned.end();
            EXPECT_EQ(board->GetCenterCard(i)->isVisible(), turned) << int(c.runOut) << " " << c.cards << " " << i;
            if (turned)
            {
                EXPECT_EQ(board->GetCenterCard(i)->GetCardData(), cardtext::Cards(c.cards)[i]);
            }
        }
    }
    // More than five cards named: five are kept.
    Bytes seven = SendCardBytes(0, 0, 0, "2a 3b 4c 5d 6a");
    seven[7] = 7;
    EXPECT_TRUE(Game(SUB_S_SEND_CARD, seven));
}

TEST_F(HoldemTest, TheCentreCardsTurnInPerspective)
{
    ASSERT_TRUE(Game(SUB_S_SEND_CARD, SendCardBytes(0, 0, 0, "2a 3b 4c")));
    Step(7);
    float turn[9];
    EXPECT_TRUE(board->GetCenterBack(0)->isVisible());
    EXPECT_TRUE(board->GetCenterBack(0)->getCamera()->getTurn(turn));
    EXPECT_FALSE(board->GetCenterCard(0)->isVisible());
    Step(13);
    EXPECT_FALSE(board->GetCenterBack(0)->isVisible());
    EXPECT_TRUE(board->GetCenterCard(0)->isVisible());
    Step(13);
    EXPECT_FALSE(board->GetCenterCard(0)->getCamera()->getTurn(turn));  // lying flat
    EXPECT_TRUE(board->GetCenterBack(1)->isVisible());                  // the next one turns
}

TEST_F(HoldemTest, MyTurnAfterTheCardsShowsMyButtonsOnlyWhilePlaying)
{
    ASSERT_TRUE(Game(SUB_S_SEND_CARD, SendCardBytes(2, 0, kMe, "2a 3b 4c")));
    Step(40);
    EXPECT_TRUE(Offered(board->GetActionButton(DZPoKerBoard::kAddButton)));
    EXPECT_EQ(board->GetTurnTimer()->GetChair(), kMe);
}

TEST_F(HoldemTest, AShowdownShowsTheHandsMarksTheWinnerAndPlaysMyResult)
{
    Start start;
    start.playing = {1, 0, 1, 1, 0, 0};
    ASSERT_TRUE(Game(SUB_S_GAME_START, StartBytes(start)));
    Playing p;
    p.playing = start.playing;
    ASSERT_TRUE(Scene(GS_PLAYING, PlayingBytes(p)));  // my chair as the scene finds it
    ASSERT_TRUE(Game(SUB_S_SEND_CARD, SendCardBytes(0, 1, 0, "Kc Qd Jd 5a 2b")));
    Step(150);
    audio.log.clear();
    End end;
    end.scores = {-300, 0, 600, -300, 0, 0};
    end.hole[0] = "9a 9b";
    end.hole[2] = "Aa Td";
    end.hole[3] = "3c 4c";
    end.best[0] = "Kc Qd Jd 9a 9b";
    end.best[2] = "Aa Kc Qd Jd Td";
    end.best[3] = "Kc Qd Jd 5a 4c";
    end.classes = {2, 0, 5, 1, 0, 0};
    ASSERT_TRUE(Game(SUB_S_GAME_END, EndBytes(end)));
    EXPECT_EQ(kernel->GetGameStatus(), Sexy::GAME_STATUS_FREE);
    EXPECT_EQ(Played("DZShowHand/Music/GAME_WIN"), 1);
    EXPECT_EQ(board->GetHoleCard(0, 0)->GetCardData(), Card("9a"));
    EXPECT_EQ(board->GetHoleCard(3, 1)->GetCardData(), Card("4c"));
    EXPECT_EQ(board->GetResultNodes().size(), 3u);  // a banner for each playing chair
    EXPECT_TRUE(board->GetScorePlate(ViewOf(2))->isVisible());
    EXPECT_STREQ(board->GetScoreLabel(ViewOf(2))->getString(), "+600");
    EXPECT_STREQ(board->GetScoreLabel(ViewOf(0))->getString(), "-300");
    EXPECT_EQ(board->GetWinnerViews(), std::vector<uint16_t>{ViewOf(2)});
    ASSERT_NE(board->GetHandTypePicture(), nullptr);  // the straight's picture
    // Two seconds on, my best five stand out.
    Step(125);
    EXPECT_FLOAT_EQ(board->GetCenterCard(0)->getScale(), 0.8f);   // Kc
    EXPECT_FLOAT_EQ(board->GetCenterCard(3)->getScale(), 0.65f);  // 5a is not mine
    EXPECT_EQ(board->GetCenterCard(3)->getOpacity(), 100);
    EXPECT_FLOAT_EQ(board->GetHoleCard(kMe, 0)->getScale(), 0.55f);
    // A second on, the winner's mark at its seat.
    Step(65);
    ASSERT_NE(board->GetWinnerMark(), nullptr);
    EXPECT_TRUE(board->GetWinnerMark()->getPosition().equals(board->GetSeatPoint(0)));
    EXPECT_EQ(holdem->m_lPot, 0);
    for (int64_t bet : holdem->m_lTotalScore)
        EXPECT_EQ(bet, 0);
}

TEST_F(HoldemTest, AnEndWithoutShowdownShowsNoHandsAndScoreZeroWins)
{
    ASSERT_TRUE(Game(SUB_S_GAME_START, StartBytes(Start{})));
    Step(120);
    audio.log.clear();
    End end;
    end.showHand = 0;
    end.hole[0] = "9a 9b";
    end.best[0] = "Kc Qd Jd 9a 9b";
    ASSERT_TRUE(Game(SUB_S_GAME_END, EndBytes(end)));
    EXPECT_EQ(Played("DZShowHand/Music/GAME_WIN"), 1);
    EXPECT_EQ(board->GetHoleCard(0, 0)->GetCardData(), CARD_BACK);
    EXPECT_TRUE(board->GetResultNodes().empty());
    Step(200);
    EXPECT_EQ(board->GetWinnerMark(), nullptr);
    // Three seconds after the pot is paid, the start button is back.
    Step(150);
    EXPECT_TRUE(board->IsStartButtonShown());
}

TEST_F(HoldemTest, MyActionsGoOutWithTheirAmountsAndCountOnce)
{
    Start start;
    start.mask = 3;
    ASSERT_TRUE(Game(SUB_S_GAME_START, StartBytes(start)));
    Step(40);
    holdem->OnFollow();
    EXPECT_EQ(holdem->m_lTableScore[kMe], 200);
    holdem->OnAddScore(2);  // 2 x cell + follow
    holdem->OnAddScore(9);  // an unknown kind counts one cell and is sent as it is
    holdem->OnAllIn();
    holdem->OnPass();
    holdem->OnGiveUp();
    const auto sent = SentGame();
    ASSERT_EQ(sent.size(), 6u);
    const struct
    {
        int64_t amount;
        int32_t kind;
    } adds[] = {{100, 0}, {300, 2}, {200, 9}, {5000, 4}, {0, 0}};
    for (size_t i = 0; i < 5; ++i)
    {
        ASSERT_EQ(sent[i].first, SUB_C_ADD_SCORE);
        ASSERT_EQ(sent[i].second.size(), 12u);
        CMD_C_AddScore add;
        std::memcpy(&add, sent[i].second.data(), sizeof(add));
        EXPECT_EQ(add.lScore, adds[i].amount) << i;
        EXPECT_EQ(add.nAddKind, adds[i].kind) << i;
    }
    EXPECT_EQ(sent[5].first, SUB_C_GIVE_UP);
    EXPECT_TRUE(sent[5].second.empty());
    EXPECT_EQ(holdem->m_lTableScore[kMe], 100 + 100 + 300 + 200 + 5000);
    EXPECT_FALSE(board->GetButtonPanel()->isVisible());
    EXPECT_EQ(Played("DZShowHand/Music/GIVE_UP"), 1);
}

TEST_F(HoldemTest, APlayingSceneRestoresTheTable)
{
    Playing p;
    p.table = {200, 0, 200, 0, 400, 0};
    p.total = {300, 100, 300, 100, 500, 100};
    p.playing = {1, 0, 1, 1, 1, 0};
    p.pot = 1200;
    p.dealer = 4;
    p.round = 1;
    p.centre = "2a 3b 4c 5d 6a";
    ASSERT_TRUE(Scene(GS_PLAYING, PlayingBytes(p)));
    EXPECT_EQ(kernel->GetGameStatus(), Sexy::GAME_STATUS_PLAY);
    EXPECT_EQ(board->GetPotChips()->GetMainPile().size(), 1u);
    EXPECT_STREQ(board->GetPotChips()->GetMainLabel()->getString(), "1200");
    EXPECT_TRUE(board->GetDealerMark(ViewOf(4))->isVisible());
    for (int i = 0; i < MAX_CENTER_COUNT; ++i)
        EXPECT_EQ(board->GetCenterCard(i)->isVisible(), i < 3) << i;  // after the flop
    EXPECT_EQ(board->GetChipLayer()->GetPile(ViewOf(4)).size(), 1u);
    EXPECT_TRUE(board->GetChipLayer()->GetPile(ViewOf(3)).empty());
    EXPECT_TRUE(board->IsChipPlacement());             // chair 3 plays with nothing on the table
    EXPECT_EQ(board->GetWaitingAnimation(), nullptr);  // I play
    Step(120);
    EXPECT_EQ(board->GetHoleCard(kMe, 1)->GetCardData(), Card("Kb"));
    EXPECT_TRUE(board->GetHoleCard(3, 0)->isVisible());
    EXPECT_FALSE(board->GetHoleCard(1, 0)->isVisible());
    EXPECT_TRUE(Offered(board->GetActionButton(DZPoKerBoard::kFollowButton)));
    EXPECT_STREQ(board->GetFollowLabel()->getStringValue(), "200");

    // Betting phase 0 shows no centre card, 3 and more all five; a looker-on waits.
    ASSERT_TRUE(Status(1000, US_LOOKON, kMe));
    for (uint8_t round : {0, 3, 9})
    {
        board->ResetGameView();
        p.round = round;
        ASSERT_TRUE(Scene(GS_PLAYING, PlayingBytes(p)));
        for (int i = 0; i < MAX_CENTER_COUNT; ++i)
            EXPECT_EQ(board->GetCenterCard(i)->isVisible(), round != 0) << int(round) << " " << i;
        ASSERT_NE(board->GetWaitingAnimation(), nullptr);
    }
}

TEST_F(HoldemTest, AFreeSceneStopsTheTimer)
{
    board->StartTurnTimer(3);
    Step(40);
    ASSERT_NE(board->GetTurnTimer()->GetRing(), nullptr);
    ASSERT_TRUE(Scene(GS_FREE, Bytes(16, 0)));
    Step(3);  // the stop waits 0.02 s from its first frame
    EXPECT_EQ(board->GetTurnTimer()->GetRing(), nullptr);
    EXPECT_EQ(holdem->m_wMeChairID, kMe);
}

TEST_F(HoldemTest, ALeavingPlayerTakesTheSeatsMarksAlong)
{
    ASSERT_TRUE(Game(SUB_S_GAME_START, StartBytes(Start{})));
    Step(120);
    board->ShowWinScore(4, 100);
    ASSERT_TRUE(board->GetHoleCard(4, 0)->isVisible());
    ASSERT_TRUE(Status(2004, US_FREE, 4));
    EXPECT_FALSE(board->GetHoleCard(4, 0)->isVisible());
    EXPECT_FALSE(board->GetScorePlate(ViewOf(4))->isVisible());
    EXPECT_EQ(board->GetSeatPanel(ViewOf(4)), nullptr);
}

// --- untrusted numbers ----------------------------------------------------------

TEST_F(HoldemTest, ChairsBeyondTheTableAreRefused)
{
    Start start;
    start.dealer = 6;
    EXPECT_FALSE(Game(SUB_S_GAME_START, StartBytes(start)));
    start.dealer = DZPoKer::INVALID_CHAIR;  // no dealer yet
    EXPECT_TRUE(Game(SUB_S_GAME_START, StartBytes(start)));
    start.dealer = 0;
    start.current = 9;
    EXPECT_FALSE(Game(SUB_S_GAME_START, StartBytes(start)));
    ASSERT_TRUE(Game(SUB_S_GAME_START, StartBytes(Start{})));
    Action a;
    a.actor = 6;
    a.amount = 100;
    EXPECT_FALSE(Game(SUB_S_ADD_SCORE, ActionBytes(a)));
    a.actor = DZPoKer::INVALID_CHAIR;
    EXPECT_FALSE(Game(SUB_S_ADD_SCORE, ActionBytes(a)));
    a.actor = 1;
    a.current = 7;  // taken, but no timer runs for it
    EXPECT_TRUE(Game(SUB_S_ADD_SCORE, ActionBytes(a)));
    Step(40);
    EXPECT_EQ(board->GetTurnTimer()->GetRing(), nullptr);
    EXPECT_FALSE(Game(SUB_S_GIVE_UP, GiveUpBytes(6)));
    EXPECT_FALSE(Game(SUB_S_GIVE_UP, GiveUpBytes(DZPoKer::INVALID_CHAIR)));
    Playing p;
    p.dealer = 200;
    EXPECT_FALSE(Scene(GS_PLAYING, PlayingBytes(p)));
    p.dealer = 1;
    p.current = 300;
    EXPECT_TRUE(Scene(GS_PLAYING, PlayingBytes(p)));
}

TEST_F(HoldemTest, PotCountsAndPotIndexesStayInsideTheSixPots)
{
    // A pot count past six is cut to six.
    ASSERT_TRUE(Game(SUB_S_POT_LIST, PotListBytes({100, 200, 300, 400, 500, 600}, 0xFFFFFFFFu)));
    EXPECT_EQ(board->GetPotCount(), 6u);
    ASSERT_TRUE(Game(SUB_S_POT_LIST, PotListBytes({500, 300}, 2)));
    EXPECT_EQ(board->GetPotCount(), 2u);
    End end;
    end.scores = {0, 0, 0, 100, 0, 0};
    end.potCount = {0, 0, 0, 200, 0, 0};  // more pots won than exist
    end.potIndex[3] = {1, 5, 250, 0, 9, 1};
    ASSERT_TRUE(Game(SUB_S_GAME_START, StartBytes(Start{})));
    ASSERT_TRUE(Game(SUB_S_GAME_END, EndBytes(end)));
    Step(60 * 6);
    // Chair 3 (view 1) is paid the two pots there are; the names past them pay nothing.
    DZPokerColorChip* pot = board->GetPotChips();
    EXPECT_EQ(pot->GetRestTaker(0), ViewOf(3));
    EXPECT_EQ(pot->GetRestTaker(1), ViewOf(3));
    for (int k = 2; k < MAX_POT_COUNT; ++k)
        EXPECT_EQ(pot->GetRestTaker(k), 0) << k;
}

TEST_F(HoldemLookerTest, WithoutMyRecordIAmNotPlaying)
{
    // My record never came: a scene, the cards and the end are taken and
    // shown as to someone looking on.
    ASSERT_EQ(kernel->GetMeUserData(), nullptr);
    Playing p;
    p.current = DZPoKer::INVALID_CHAIR;
    ASSERT_TRUE(Scene(GS_PLAYING, PlayingBytes(p)));
    EXPECT_NE(board->GetWaitingAnimation(), nullptr);
    ASSERT_TRUE(Game(SUB_S_SEND_CARD, SendCardBytes(0, 0, kMe, "2a 3b 4c")));
    audio.log.clear();
    ASSERT_TRUE(Game(SUB_S_GAME_END, EndBytes(End{})));
    EXPECT_EQ(Played("DZShowHand/Music/GAME_END"), 1);
    Step(60 * 6);
}

}  // namespace holdemtest
