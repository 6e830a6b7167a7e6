// The two-seat bull game's messages: every sub and scene at exactly its size,
// the phase and restored flag of the scenes, and the game clock per message.
#include "BullFixture.h"

#include "games/OxEx/NNBoard.h"
#include "games/OxEx/NNHandler.h"
#include "games/OxEx/OxExMobile.h"

using namespace bulltest;
using OxEx::NNBoard;
using OxEx::NNHandler;
using OxEx::OxExMobile;

namespace {

class OxExHandler : public BullTest
{
protected:
    NNBoard* Enter(uint16_t myChair = 0)
    {
        EnterBull(OxEx::kGameKind, 2, myChair, {static_cast<uint16_t>(1 - myChair)});
        return dynamic_cast<NNBoard*>(kernel->GetGameBoard());
    }
    NNHandler* Handler() const { return OxExMobile::GetHandler(); }
};

struct Sized
{
    uint16_t id;
    uint16_t size;
};

// Every message of its own size, and every size from 0 to two past it; the
// bytes are all 0xFF so chairs and counts are as wrong as they can be.
TEST_F(OxExHandler, EverySubAndSceneIsTakenOnlyAtItsSize)
{
    // Bytes of any value make hand types no server sends, whose voices
    // there are none of.
    soundsMustExist = false;
    ASSERT_NE(Enter(), nullptr);
    const Sized subs[] = {{100, 10}, {101, 10}, {103, 13}, {104, 46}, {105, 3}, {106, 3}};
    for (const Sized& s : subs)
    {
        for (uint16_t size = 0; size <= s.size + 2; ++size)
        {
            const Bytes body(size, 0xFF);
            EXPECT_EQ(Handler()->OnGameMessage(s.id, size ? body.data() : nullptr, size), size == s.size)
                << "sub " << s.id << " at " << size;
            Run(30, false);
        }
        Step();
    }
    const Sized scenes[] = {{0, 104}, {100, 101}, {101, 125}, {102, 137}};
    for (const Sized& s : scenes)
    {
        for (uint16_t size = 0; size <= s.size + 2; ++size)
        {
            const Bytes body(size, 0xFF);
            EXPECT_EQ(
                Handler()->OnGameSceneMessage(static_cast<uint8_t>(s.id), false, size ? body.data() : nullptr, size),
                size == s.size)
                << "scene " << s.id << " at " << size;
            Run(30, false);
        }
        Step();
    }
}

TEST_F(OxExHandler, IgnoredSubsAndStatusesTakeAnySizeAndOthersAreRefused)
{
    ASSERT_NE(Enter(), nullptr);
    for (uint16_t sub : {102, 107, 108, 110})
        for (uint16_t size : {0, 1, 13, 200})
        {
            const Bytes body(size, 7);
            EXPECT_TRUE(Handler()->OnGameMessage(sub, size ? body.data() : nullptr, size)) << sub;
        }
    for (uint16_t sub : {0, 1, 99, 109, 111, 200, 65535})
        EXPECT_FALSE(Handler()->OnGameMessage(sub, nullptr, 0)) << sub;
    for (uint8_t status : {1, 50, 99, 103, 200, 255})
    {
        Handler()->ClearRestored();
        EXPECT_TRUE(Handler()->OnGameSceneMessage(status, false, nullptr, 0)) << int(status);
        EXPECT_FALSE(Handler()->IsRestored()) << int(status);
    }
    EXPECT_TRUE(Sends().empty());
}

TEST_F(OxExHandler, ScenesSetPhaseAndRestoredFlagBeforeTheirSize)
{
    ASSERT_NE(Enter(), nullptr);
    const struct
    {
        uint8_t status;
        uint16_t wrongSize;
        uint32_t phase;
    } cases[] = {{0, 103, 0}, {100, 100, 1}, {101, 124, 2}, {102, 136, 3}};
    for (const auto& c : cases)
    {
        Handler()->ClearRestored();
        const Bytes body(c.wrongSize, 0);
        EXPECT_FALSE(Handler()->OnGameSceneMessage(c.status, false, body.data(), c.wrongSize));
        EXPECT_EQ(Handler()->GetRoundPhase(), c.phase);
        EXPECT_TRUE(Handler()->IsRestored());
    }
}

TEST_F(OxExHandler, RobTurnsRunTheClockOnTheAskedChairAndTheCountdownOnlyForMe)
{
    NNBoard* board = Enter(0);
    ASSERT_NE(board, nullptr);
    Bytes other;
    ASSERT_TRUE(Game(106, U8(U16(other, 1), 0)));
    EXPECT_EQ(kernel->GetClockChairID(), 1);
    EXPECT_EQ(kernel->GetClockTimerID(), 30u);
    EXPECT_EQ(board->GetRunningCountdown(), NNBoard::kNoCountdown);
    EXPECT_TRUE(board->GetBankerCallAnimation()->isVisible());
    EXPECT_FALSE(board->GetRobButton()->isVisible());
    EXPECT_EQ(Played("OxEx/Eff/GAME_START"), 1);

    Bytes mine;
    ASSERT_TRUE(Game(106, U8(U16(mine, 0), 0)));
    EXPECT_EQ(kernel->GetClockChairID(), 0);
    EXPECT_EQ(board->GetRunningCountdown(), NNBoard::kBankerCallCountdown);
    EXPECT_TRUE(board->GetRobButton()->isVisible());
    EXPECT_TRUE(board->GetNoRobButton()->isVisible());
}

TEST_F(OxExHandler, BankerNamedPutsTheClockOnMeAndTheBetCountdownWhenIBet)
{
    NNBoard* board = Enter(0);
    ASSERT_NE(board, nullptr);
    Bytes start;
    ASSERT_TRUE(Game(100, U16(I64(start, 1000), 1)));
    EXPECT_EQ(kernel->GetClockChairID(), 0);
    EXPECT_EQ(Handler()->GetBankerChair(), 1);
    EXPECT_EQ(Handler()->GetBetCeiling(), 1000);
    EXPECT_EQ(board->GetRunningCountdown(), NNBoard::kBetCountdown);
}

TEST_F(OxExHandler, AsTheBankerIHaveTheClockButNoBetCountdown)
{
    NNBoard* board = Enter(0);
    ASSERT_NE(board, nullptr);
    Bytes start;
    ASSERT_TRUE(Game(100, U16(I64(start, 1000), 0)));
    EXPECT_EQ(kernel->GetClockChairID(), 0);
    EXPECT_EQ(board->GetRunningCountdown(), NNBoard::kNoCountdown);
    Seconds(1);
    EXPECT_TRUE(board->GetBettingAnimation()->isVisible());
    EXPECT_EQ(board->GetBetButton(0), nullptr);
}

TEST_F(OxExHandler, MyOpenStopsMyClockAndHidesMyButtonsTheOpponentsDoesNot)
{
    NNBoard* board = Enter(0);
    ASSERT_NE(board, nullptr);
    Handler()->SetGameClock(0, 30, 30);
    board->GetOpenButton()->setVisible(true);
    board->GetHintButton()->setVisible(true);
    Bytes theirs;
    ASSERT_TRUE(Game(105, U8(U16(theirs, 1), 0)));
    EXPECT_EQ(kernel->GetClockTimerID(), 30u);
    EXPECT_TRUE(board->GetOpenButton()->isVisible());
    EXPECT_TRUE(board->GetOpenAnimation()->isVisible());
    Bytes mine;
    ASSERT_TRUE(Game(105, U8(U16(mine, 0), 0)));
    EXPECT_EQ(kernel->GetClockTimerID(), 0u);
    EXPECT_FALSE(board->GetOpenButton()->isVisible());
    EXPECT_FALSE(board->GetHintButton()->isVisible());
    EXPECT_EQ(Played("OxEx/Eff/OPEN_CARD"), 2);
}

}  // namespace
