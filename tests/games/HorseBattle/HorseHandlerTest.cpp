// The handler takes every message and scene record at its own size only,
// refuses scene statuses it does not know, keeps the round's bets, odds and
// limits, and sends my bets only within them.
#include "HorseFixture.h"

#include <gtest/gtest.h>

#include <limits>

using namespace HorseBattle;
using namespace hbtest;

namespace {

class HorseHandler : public HorseTest
{};

TEST_F(HorseHandler, EveryMessageIsTakenAtItsOwnSizeOnly)
{
    const struct
    {
        uint16_t sub;
        Bytes body;
        size_t size;
    } messages[] = {
        {SUB_S_ROUND_START, RoundStart(20), 20},
        {SUB_S_BET_END, BetEnd(5), 4},
        {SUB_S_RACE, Race(20, 1, 2), 5846},
        {SUB_S_BET_PLACED, BetPlaced(2, 3, 10000), 127},
        {SUB_S_BET_FAILED, BetFailed(2, 1, 3, 10000), 123},
        {SUB_S_FREE, Free(10, 7, 4), 352},
        {SUB_S_EMPTY, Bytes(), 0},
        {SUB_S_UNNAMED, Bytes(64, 0), 64},
    };
    for (const auto& m : messages)
    {
        ASSERT_EQ(m.body.size(), m.size) << m.sub;
        for (size_t size = 0; size <= m.size + 2; ++size)
        {
            // The race is checked near its size; far below it is refused like the rest.
            if (m.size > 400 && size > 8 && size < m.size - 8)
                continue;
            EXPECT_EQ(Message(m.sub, Sized(m.body, size)), size == m.size) << "sub " << m.sub << " at " << size;
        }
    }
    // Subs 105, 106 and those outside 100..109 are taken at any size.
    for (uint16_t sub : {0, 1, 99, 105, 106, 110, 200, 65535})
    {
        for (size_t size : {0, 1, 20, 127, 6000})
            EXPECT_TRUE(Message(sub, Bytes(size, 0xEE))) << sub << " " << size;
    }
}

TEST_F(HorseHandler, ScenesAreTakenAtTheirOwnSizesOnlyAndOthersRefused)
{
    const struct
    {
        uint8_t status;
        Bytes body;
        size_t size;
    } scenes[] = {
        {GS_FREE, BytesOf(*FreeSceneRecord(10)), 1044},
        {GS_BETTING, BytesOf(*BettingSceneRecord(10)), 1296},
        {GS_LINE_UP, BytesOf(*LineUpSceneRecord(10)), 1288},
        {GS_RACE, BytesOf(*RaceSceneRecord(10, 0, 1)), 1310},
    };
    for (const auto& s : scenes)
    {
        ASSERT_EQ(s.body.size(), s.size) << int(s.status);
        ExpectSceneTakenAtItsSizeOnly(s.status, s.body, s.size, s.size + 2);
        // Each is refused at the sizes of the others.
        for (const auto& other : scenes)
        {
            if (other.size != s.size)
            {
                EXPECT_FALSE(SceneRecord(s.status, Sized(s.body, other.size))) << int(s.status);
            }
        }
    }
    // Unlike the other games, a status it does not know is refused.
    for (uint8_t status : {1, 50, 99, 103, 200, 255})
        EXPECT_FALSE(SceneRecord(status, Bytes(1044, 0))) << int(status);
}

// GetMaxBet: my score less my bets, within my limit and the table's per area.
TEST_F(HorseHandler, TheMostIMayBetFollowsMyScoreAndTheLimits)
{
    // Before any scene both limits are 0: nothing may go on an area.
    for (uint8_t area = 0; area < AREA_COUNT; ++area)
        EXPECT_EQ(hb->GetMaxBet(area), 0) << int(area);
    EXPECT_EQ(hb->GetMaxBet(15), kMyScore);
    EXPECT_EQ(hb->GetMaxBet(16), 0);

    OpenBetting(1000000, 300000);
    EXPECT_EQ(hb->GetMaxBet(3), 300000);
    ASSERT_TRUE(Game(SUB_S_BET_PLACED, BetPlaced(2, 3, 900000)));
    EXPECT_EQ(hb->GetMaxBet(3), 100000);
    ASSERT_TRUE(Game(SUB_S_BET_PLACED, BetPlaced(2, 3, 200000)));
    EXPECT_EQ(hb->GetMaxBet(3), 0);

    const int64_t bets[AREA_COUNT] = {0, 0, 0, 0, 0, 250000};
    ASSERT_TRUE(hb->SendBets(bets));
    EXPECT_EQ(hb->GetMaxBet(5), 50000);
    EXPECT_EQ(hb->GetMaxBet(15), kMyScore - 250000);
    // Without my record nothing at all.
    ASSERT_TRUE(Status(1000, US_NULL, kMe));
    EXPECT_EQ(hb->GetMaxBet(15), 0);
    EXPECT_EQ(hb->GetMaxBet(0), 0);
}

TEST_F(HorseHandler, BetsAreSentAsOneRequestAndCountedOnBothSides)
{
    OpenBetting();
    const int64_t bets[AREA_COUNT] = {10000, 0, 0, 0, 50000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 990000};
    ASSERT_TRUE(hb->SendBets(bets));
    const auto sent = SentGame();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].first, SUB_C_BET);
    EXPECT_EQ(LastRequest(), std::vector<int64_t>(bets, bets + AREA_COUNT));
    EXPECT_EQ(hb->GetMyBet(4), 50000);
    EXPECT_EQ(hb->GetAllBet(14), 990000);
    EXPECT_EQ(board->GetMyBet(0), 10000);
    EXPECT_EQ(board->GetAreaTotal(14), 990000);

    // One area past its limit refuses the whole request, with the notice.
    ClearSent();
    const int64_t tooMuch[AREA_COUNT] = {10000, 6000000};
    EXPECT_FALSE(hb->SendBets(tooMuch));
    EXPECT_TRUE(SentGame().empty());
    EXPECT_EQ(hb->GetMyBet(0), 10000);
    ASSERT_FALSE(Notices().empty());
    EXPECT_EQ(Notices().back(), "下注金额超过玩家现有金额，请重新下注！");
}

TEST_F(HorseHandler, OthersBetsAreAddedAndMyOwnAreNotCountedTwice)
{
    OpenBetting();
    ASSERT_TRUE(Game(SUB_S_BET_PLACED, BetPlaced(2, 7, 30000)));
    EXPECT_EQ(hb->GetAllBet(7), 30000);
    EXPECT_EQ(board->GetAreaTotal(7), 30000);
    EXPECT_EQ(board->GetMyBet(7), 0);
    ASSERT_TRUE(Game(SUB_S_BET_PLACED, BetPlaced(kMe, 7, 30000)));
    EXPECT_EQ(hb->GetAllBet(7), 30000);
    EXPECT_EQ(board->GetAreaTotal(7), 30000);
}

TEST_F(HorseHandler, ARefusedBetIsTakenBackAndExplained)
{
    OpenBetting();
    const int64_t bets[AREA_COUNT] = {0, 0, 20000};
    ASSERT_TRUE(hb->SendBets(bets));
    ASSERT_TRUE(Game(SUB_S_BET_FAILED, BetFailed(kMe, 0, 2, 20000)));
    EXPECT_EQ(hb->GetMyBet(2), 0);
    EXPECT_EQ(hb->GetAllBet(2), 0);
    EXPECT_EQ(board->GetMyBet(2), 0);
    EXPECT_EQ(board->GetAreaTotal(2), 0);
    ASSERT_FALSE(Notices().empty());
    EXPECT_EQ(Notices().back(), "请在下注时间进行下注！");
    ASSERT_TRUE(hb->SendBets(bets));
    ASSERT_TRUE(Game(SUB_S_BET_FAILED, BetFailed(kMe, 3, 2, 20000)));
    EXPECT_EQ(Notices().back(), "下注金额超过玩家现有金额，请重新下注！");
    // Another player's refusal comes off the table only.
    const size_t notices = Notices().size();
    ASSERT_TRUE(Game(SUB_S_BET_PLACED, BetPlaced(2, 2, 50000)));
    ASSERT_TRUE(Game(SUB_S_BET_FAILED, BetFailed(2, 1, 2, 50000)));
    EXPECT_EQ(board->GetAreaTotal(2), 0);
    EXPECT_EQ(Notices().size(), notices);
}

TEST_F(HorseHandler, TheRoundsPhasesSetTheStatusesAndTheBoardsState)
{
    OpenBetting();
    EXPECT_EQ(hb->GetGameStatus(), GS_BETTING);
    EXPECT_EQ(board->GetRoundStatus(), GS_BETTING);
    EXPECT_EQ(board->GetMyViewChair(), 0);
    EXPECT_EQ(board->GetCountdown(), 20);
    ASSERT_TRUE(Game(SUB_S_BET_END, BetEnd(6)));
    EXPECT_EQ(hb->GetGameStatus(), GS_LINE_UP);
    EXPECT_EQ(board->GetRoundStatus(), GS_LINE_UP);
    EXPECT_FALSE(board->GetBetPanel()->isVisible());
    ASSERT_TRUE(Game(SUB_S_RACE, Race(20, 3, 4)));
    EXPECT_EQ(hb->GetGameStatus(), GS_RACE);
    EXPECT_TRUE(board->IsRacing());
    EXPECT_EQ(board->GetFirstHorse(), 3);
    EXPECT_EQ(board->GetSecondHorse(), 4);
    EXPECT_EQ(board->GetRoundResult(), 950000);
    ASSERT_TRUE(Game(SUB_S_FREE, Free(10, 7, 4)));
    EXPECT_EQ(hb->GetGameStatus(), GS_FREE);
    EXPECT_EQ(board->GetRoundStatus(), GS_FREE);
    EXPECT_EQ(hb->GetAreaOdds(3), 5u);
    EXPECT_EQ(board->GetAreaOdds(14), 16u);
    EXPECT_EQ(hb->GetAllBet(0), 0);
}

// The phase seconds are any i32 of the wire: at either end the countdown is
// taken without overflow, keeps counting down, and a negative one is hidden.
TEST_F(HorseHandler, PhaseSecondsAtTheEndsOfTheirRangeCountDownSafely)
{
    ASSERT_TRUE(Game(SUB_S_FREE, Free(std::numeric_limits<int32_t>::min(), 7, 4)));
    EXPECT_EQ(board->GetCountdown(), std::numeric_limits<int32_t>::min());
    Seconds(2);
    EXPECT_EQ(board->GetCountdown(), std::numeric_limits<int32_t>::min());
    ASSERT_TRUE(Game(SUB_S_ROUND_START, RoundStart(std::numeric_limits<int32_t>::max())));
    EXPECT_EQ(board->GetCountdown(), std::numeric_limits<int32_t>::max());
    Seconds(2);
    EXPECT_LT(board->GetCountdown(), std::numeric_limits<int32_t>::max());
    EXPECT_GT(board->GetCountdown(), 0);
    ASSERT_TRUE(Game(SUB_S_BET_END, BetEnd(-1)));
    Seconds(1);
    EXPECT_LT(board->GetCountdown(), 0);
}

// The history keeps a round only when it is newer than the last, at most 20.
TEST_F(HorseHandler, TheHistoryKeepsNewerRoundsUpToTwenty)
{
    ASSERT_TRUE(Game(SUB_S_FREE, Free(10, 50, 4)));
    ASSERT_EQ(board->GetHistory().size(), 1u);
    ASSERT_TRUE(Game(SUB_S_FREE, Free(10, 50, 5)));
    ASSERT_TRUE(Game(SUB_S_FREE, Free(10, 49, 5)));
    EXPECT_EQ(board->GetHistory().size(), 1u);
    for (uint32_t round = 51; round < 75; ++round)
        ASSERT_TRUE(Game(SUB_S_FREE, Free(10, round, round % AREA_COUNT)));
    ASSERT_EQ(board->GetHistory().size(), 20u);
    EXPECT_EQ(board->GetHistory().front().dwRound, 55u);
    EXPECT_EQ(board->GetHistory().back().dwRound, 74u);
}

TEST_F(HorseHandler, ScenesRestoreTheBetsOddsHistoryAndState)
{
    ASSERT_TRUE(Scene(GS_BETTING, BytesOf(*BettingSceneRecord(12))));
    EXPECT_EQ(hb->GetGameStatus(), GS_BETTING);
    EXPECT_EQ(board->GetRoundStatus(), GS_BETTING);
    EXPECT_TRUE(board->GetBetPanel()->isVisible());
    EXPECT_EQ(board->GetCountdown(), 12);
    EXPECT_EQ(board->GetMyBet(4), 50000);
    EXPECT_EQ(board->GetAreaTotal(4), 1250000);
    EXPECT_EQ(board->GetAreaTotal(0), 990000);
    EXPECT_EQ(hb->GetMyBet(4), 50000);
    EXPECT_EQ(hb->GetUserAreaLimit(), 5000000);
    EXPECT_EQ(hb->GetAreaOdds(2), 12u);
    EXPECT_EQ(board->GetHistory().size(), 4u);

    // Each scene brings the round's amounts whole: restored again, they
    // are not added up.
    ASSERT_TRUE(Scene(GS_LINE_UP, BytesOf(*LineUpSceneRecord(6))));
    EXPECT_EQ(board->GetMyBet(4), 50000);
    EXPECT_EQ(board->GetAreaTotal(4), 1250000);
    // A race under way shows free time, with its result kept.
    ASSERT_TRUE(Scene(GS_RACE, BytesOf(*RaceSceneRecord(7, 0, 5))));
    EXPECT_EQ(board->GetMyBet(4), 50000);
    EXPECT_EQ(hb->GetGameStatus(), GS_RACE);
    EXPECT_FALSE(board->IsRacing());
    EXPECT_TRUE(board->GetBetPanel()->isVisible());
    EXPECT_EQ(board->GetFirstHorse(), 0);
    EXPECT_EQ(board->GetSecondHorse(), 5);
    EXPECT_EQ(board->GetRoundResult(), -50000);
    EXPECT_EQ(board->GetHistory().size(), 6u);

    ASSERT_TRUE(Scene(GS_FREE, BytesOf(*FreeSceneRecord(9, 2))));
    EXPECT_EQ(hb->GetGameStatus(), GS_FREE);
    EXPECT_EQ(hb->GetMyBet(4), 0);
    EXPECT_EQ(board->GetHistory().size(), 2u);
    // The free scene's odds go to the board only.
    EXPECT_EQ(board->GetAreaOdds(1), 11u);
}

// What I bet in a restored betting round belongs to it: the free scene, the
// free time and the next round start each begin from no bet, no lit area
// and nothing placed (the race would name my area and the result my win).
TEST_F(HorseHandler, ARestoredRoundsBetsAreGoneWhenTheRoundIsOver)
{
    const auto restored = [this] {
        ASSERT_TRUE(Scene(GS_BETTING, BytesOf(*BettingSceneRecord(12))));
        board->OnTouchEvent(board->GetAreaButton(4), cocos2d::ui::TOUCH_EVENT_BEGAN);
        board->OnTouchEvent(board->GetAreaButton(4), cocos2d::ui::TOUCH_EVENT_ENDED);
        ASSERT_TRUE(board->GetAreaButton(4)->isBright());
        ASSERT_EQ(board->GetMyBet(4), 60000);
        ASSERT_EQ(board->GetLastPlaced(4), 10000);
    };
    const auto cleared = [this](const char* after) {
        for (int area = 0; area < HorseBattle::AREA_COUNT; ++area)
        {
            EXPECT_EQ(board->GetMyBet(area), 0) << after;
            EXPECT_EQ(board->GetAreaTotal(area), 0) << after;
            EXPECT_EQ(board->GetLastPlaced(area), 0) << after;
        }
        EXPECT_EQ(board->GetRoundResult(), 0) << after;
        EXPECT_FALSE(board->GetAreaButton(4)->isBright()) << after;
        EXPECT_FALSE(board->GetWidgetByTag(HorseBattle::PaoMaBoard::kMyBetLabelTag + 4)->isVisible()) << after;
    };
    restored();
    ASSERT_TRUE(Scene(GS_RACE, BytesOf(*RaceSceneRecord(7, 0, 5))));
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(*FreeSceneRecord(9, 2))));
    cleared("free scene");
    restored();
    ASSERT_TRUE(Game(SUB_S_FREE, Free(10, 7, 4)));
    cleared("free message");
    restored();
    ASSERT_TRUE(Game(SUB_S_ROUND_START, RoundStart(20)));
    cleared("round start");
}

// A betting scene that comes again is the whole round: the area I bet on
// before, with no bet of mine in this scene, shows no amount and no light.
TEST_F(HorseHandler, ABettingSceneAgainKeepsNothingOfTheLastOnesAreas)
{
    ASSERT_TRUE(Scene(GS_BETTING, BytesOf(*BettingSceneRecord(12))));
    board->OnTouchEvent(board->GetAreaButton(4), cocos2d::ui::TOUCH_EVENT_BEGAN);
    board->OnTouchEvent(board->GetAreaButton(4), cocos2d::ui::TOUCH_EVENT_ENDED);
    cocos2d::ui::Widget* myBet = board->GetWidgetByTag(HorseBattle::PaoMaBoard::kMyBetLabelTag + 4);
    ASSERT_TRUE(myBet->isVisible() && board->GetAreaButton(4)->isBright());

    auto again = BettingSceneRecord(10);
    again->lMyBets[4] = 0;
    ASSERT_TRUE(Scene(GS_BETTING, BytesOf(*again)));
    Seconds(1);
    EXPECT_EQ(board->GetMyBet(4), 0);
    EXPECT_EQ(board->GetLastPlaced(4), 0);
    EXPECT_FALSE(myBet->isVisible());
    EXPECT_FALSE(board->GetAreaButton(4)->isBright());
}

// A race entered under way is not run: the start clock of its lining-up
// stays no longer than that phase, and never over the next betting.
TEST_F(HorseHandler, TheStartClockOfARestoredLiningUpGoesWithIt)
{
    ASSERT_TRUE(Scene(GS_LINE_UP, BytesOf(*LineUpSceneRecord(6))));
    Seconds(4);
    ASSERT_NE(board->GetClock(), nullptr);
    EXPECT_TRUE(board->GetClock()->isVisible());
    ASSERT_TRUE(Scene(GS_RACE, BytesOf(*RaceSceneRecord(7, 0, 5))));
    EXPECT_FALSE(board->GetClock()->isVisible());
    ASSERT_TRUE(Game(SUB_S_ROUND_START, RoundStart(20)));
    EXPECT_FALSE(board->GetClock()->isVisible());
}

// F8: a history record whose area names no pair is not kept, and a race
// or scene naming a horse past the sixth names none.
TEST_F(HorseHandler, RecordsAndHorsesOutsideTheTablesAreNone)
{
    ASSERT_TRUE(Game(SUB_S_FREE, Free(10, 7, 15)));
    ASSERT_TRUE(Game(SUB_S_FREE, Free(10, 8, 0xFFFFFFFF)));
    EXPECT_TRUE(board->GetHistory().empty());
    auto scene = FreeSceneRecord(9, 3);
    scene->head.history[1].dwWinArea = 99;
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(*scene)));
    EXPECT_EQ(board->GetHistory().size(), 2u);

    OpenBetting();
    ASSERT_TRUE(Game(SUB_S_BET_END, BetEnd(3)));
    ASSERT_TRUE(Game(SUB_S_RACE, Race(20, 6, 255)));
    EXPECT_EQ(board->GetFirstHorse(), NO_HORSE);
    EXPECT_EQ(board->GetSecondHorse(), NO_HORSE);
    ASSERT_TRUE(Scene(GS_RACE, BytesOf(*RaceSceneRecord(7, 9, 2))));
    EXPECT_EQ(board->GetFirstHorse(), NO_HORSE);
    EXPECT_EQ(board->GetSecondHorse(), 2);
}

TEST_F(HorseHandler, TheChairNoticeRefusesMyOwnEmptyRoundMessages)
{
    board->SetChip(5);
    EXPECT_TRUE(hb->OnChairNotice(kMe, nullptr, 99));
    EXPECT_TRUE(hb->OnChairNotice(2, nullptr, 102));
    const uint8_t data = 0;
    EXPECT_TRUE(hb->OnChairNotice(kMe, &data, 102));
    EXPECT_FALSE(hb->OnChairNotice(kMe, nullptr, 100));
    EXPECT_EQ(board->GetChip(), 5);
    EXPECT_FALSE(hb->OnChairNotice(kMe, nullptr, 102));
    EXPECT_EQ(board->GetChip(), 0);
    EXPECT_TRUE(hb->OnChairNotice(kMe, nullptr, 104));
}

}  // namespace
