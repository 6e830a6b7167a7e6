// The red-nine handler takes every message and scene record at its own size
// only, refuses a bet on an area that does not exist, and accepts what it
// does not read.
#include "RedNineFixture.h"

#include <gtest/gtest.h>

using namespace RedNineBattle;
using namespace rntest;

namespace {

class RedHandlerTest : public RedNineTest
{};

TEST_F(RedHandlerTest, EveryMessageIsTakenAtItsOwnSizeOnly)
{
    const struct
    {
        uint16_t sub;
        Bytes body;
        size_t size;
    } messages[] = {
        {SUB_S_GAME_FREE, Free(9), 23},
        {SUB_S_GAME_START, Start(1, 50000000, 2000000, 20), 24},
        {SUB_S_PLACE_BET, Bet(2, 3, 1000), 13},
        {SUB_S_GAME_END, End(25), 85},
    };
    for (const auto& m : messages)
        ASSERT_NO_FATAL_FAILURE(ExpectTakenAtItsSizeOnly(m.sub, m.body, m.size));
    ExpectSharedMessagesTakenAtTheirSizesOnly(SUB_S_ROOM_NOTICE);
}

TEST_F(RedHandlerTest, ScenesAreTakenAtTheirOwnSizesOnly)
{
    const Bytes free = BytesOf(FreeSceneRecord(10, NO_BANKER, 1000000));
    const Bytes play = BytesOf(PlaySceneRecord(10, 1));
    ASSERT_EQ(free.size(), 126u);
    ASSERT_EQ(play.size(), 307u);
    ExpectSceneTakenAtItsSizeOnly(GS_FREE, free, 126, 128);
    for (uint8_t status : {GS_BETTING, GS_RESULT, GS_RESULT_END})
        ExpectSceneTakenAtItsSizeOnly(status, play, 307, 309);
    for (uint8_t status : {1, 99, 103, 200, 255})
        EXPECT_TRUE(SceneRecord(status, Bytes(307, 0))) << int(status);
}

TEST_F(RedHandlerTest, RecordListsAreAnyNumberOfThreeByteRecords)
{
    for (size_t size = 0; size <= 14; ++size)
        EXPECT_EQ(Message(SUB_S_SEND_RECORD, Bytes(size, 1)), size % 3 == 0) << size;
    // 0 + 1 + 2 + 3 + 4 records were drawn.
    EXPECT_EQ(board->GetRecordCount(), 10);
}

TEST_F(RedHandlerTest, SubsItDoesNotReadAreAccepted)
{
    for (uint16_t sub : {0, 1, 98, 105, 109, 110, 111, 112, 114, 117, 200, 65535})
    {
        for (size_t size : {0, 1, 23, 85, 512, 600})
            EXPECT_TRUE(Message(sub, Bytes(size, 0xEE))) << sub << " " << size;
    }
    EXPECT_EQ(board->GetBetState(), RedBoard::kStateFree);
    EXPECT_EQ(board->GetRecordCount(), 0);
    EXPECT_TRUE(SentGame().empty());
}

// The area of a bet indexes the board's per-area amounts: 0 and 7 and above
// are refused whole.
TEST_F(RedHandlerTest, BetsOnAreasThatDoNotExistAreRefused)
{
    StartBetting();
    for (uint8_t area : {0, 7, 8, 255})
        EXPECT_FALSE(Message(SUB_S_PLACE_BET, Bet(2, area, 1000))) << int(area);
    for (uint8_t area = 1; area <= AREA_COUNT; ++area)
        EXPECT_TRUE(Message(SUB_S_PLACE_BET, Bet(2, area, 1000))) << int(area);
    for (int area = 1; area <= AREA_COUNT; ++area)
        EXPECT_EQ(board->GetAreaTotal(area), 1000) << area;
}

TEST_F(RedHandlerTest, ARefusedMessageChangesNothingAndTheGameGoesOn)
{
    StartBetting();
    EXPECT_FALSE(Message(SUB_S_GAME_END, Sized(End(25), 84)));
    EXPECT_FALSE(Message(SUB_S_PLACE_BET, Sized(Bet(2, 3, 1000), 12)));
    EXPECT_EQ(board->GetBetState(), RedBoard::kStateBetting);
    EXPECT_EQ(board->GetAreaTotal(3), 0);
    // Through the kernel a refusal shows the data-error box, and the next
    // message is taken as usual.
    const size_t boxes = Boxes();
    ASSERT_TRUE(Game(SUB_S_GAME_END, Sized(End(25), 86)));
    EXPECT_EQ(Boxes(), boxes + 1);
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(25)));
    EXPECT_EQ(board->GetBetState(), RedBoard::kStateResult);
    EXPECT_EQ(Boxes(), boxes + 1);
}

// The banker box waits for the first word of the server, whatever it was.
TEST_F(RedHandlerTest, AnyMessageCountsAsReceivedEvenWhenRefused)
{
    EXPECT_FALSE(twoCard->IsMessageReceived());
    EXPECT_FALSE(Message(SUB_S_GAME_FREE, Bytes()));
    EXPECT_TRUE(twoCard->IsMessageReceived());
}

TEST_F(RedHandlerTest, AnySceneCountsAsReceived)
{
    EXPECT_TRUE(SceneRecord(7, Bytes(3, 0)));
    EXPECT_TRUE(twoCard->IsMessageReceived());
}

}  // namespace
