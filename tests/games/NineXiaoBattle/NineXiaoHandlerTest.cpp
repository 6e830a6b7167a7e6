// The little-nine handler takes every message and scene record at its own
// size only (not red nine's), refuses a bet on an area that does not exist,
// and accepts what it does not read.
#include "NineXiaoFixture.h"

#include <gtest/gtest.h>

using namespace NineXiaoBattle;
using namespace nxtest;

namespace {

class NineXiaoHandler : public NineXiaoTest
{};

TEST_F(NineXiaoHandler, EveryMessageIsTakenAtItsOwnSizeOnly)
{
    const struct
    {
        uint16_t sub;
        Bytes body;
        size_t size;
    } messages[] = {
        {SUB_S_GAME_FREE, Free(9), 1},
        {SUB_S_GAME_START, Start(1, 50000000, 2000000, 20), 32},
        {SUB_S_PLACE_BET, Bet(2, 3, 1000), 13},
        {SUB_S_GAME_END, End(25), 74},
    };
    for (const auto& m : messages)
        ASSERT_NO_FATAL_FAILURE(ExpectTakenAtItsSizeOnly(m.sub, m.body, m.size));
    ExpectSharedMessagesTakenAtTheirSizesOnly(SUB_S_ROOM_NOTICE);
    // Red nine's free time is refused here.
    EXPECT_FALSE(Message(SUB_S_GAME_FREE, Bytes(23, 0)));
}

TEST_F(NineXiaoHandler, ScenesAreTakenAtTheirOwnSizesOnly)
{
    const Bytes free = BytesOf(FreeSceneRecord(10, NO_BANKER, 1000000));
    const Bytes play = BytesOf(PlaySceneRecord(10, 1));
    ASSERT_EQ(free.size(), 126u);
    ASSERT_EQ(play.size(), 291u);
    ExpectSceneTakenAtItsSizeOnly(GS_FREE, free, 126, 128);
    for (uint8_t status : {GS_BETTING, GS_RESULT, GS_RESULT_END})
        ExpectSceneTakenAtItsSizeOnly(status, play, 291, 309);
    for (uint8_t status : {1, 99, 103, 255})
        EXPECT_TRUE(SceneRecord(status, Bytes(291, 0))) << int(status);
}

TEST_F(NineXiaoHandler, RecordListsAreAnyNumberOfTwelveByteRecords)
{
    for (size_t size = 0; size <= 37; ++size)
        EXPECT_EQ(Message(SUB_S_SEND_RECORD, Bytes(size, 0)), size % 12 == 0) << size;
    // 0 + 1 + 2 + 3 records were drawn.
    EXPECT_EQ(board->GetRecordCount(), 6);
    EXPECT_FALSE(Message(SUB_S_SEND_RECORD, Bytes(13, 0)));
    EXPECT_TRUE(Message(SUB_S_SEND_RECORD, Records({{1, -1, 0}, {0, 0, 0}})));
    EXPECT_EQ(board->GetRecordCount(), 8);
}

TEST_F(NineXiaoHandler, SubsItDoesNotReadAreAccepted)
{
    // 113 is red nine's notice; here it is one of the subs not read.
    for (uint16_t sub : {0, 98, 105, 109, 112, 113, 114, 116, 118, 300, 65535})
    {
        for (size_t size : {0, 1, 23, 74, 512, 600})
            EXPECT_TRUE(Message(sub, Bytes(size, 0xEE))) << sub << " " << size;
    }
    EXPECT_EQ(board->GetBetState(), RedBoard::kStateFree);
    EXPECT_TRUE(ChatLines().empty());
}

TEST_F(NineXiaoHandler, BetsOnAreasThatDoNotExistAreRefused)
{
    StartBetting();
    for (uint8_t area : {0, 4, 6, 255})
        EXPECT_FALSE(Message(SUB_S_PLACE_BET, Bet(2, area, 1000))) << int(area);
    for (uint8_t area = 1; area <= AREA_COUNT; ++area)
        EXPECT_TRUE(Message(SUB_S_PLACE_BET, Bet(2, area, 1000))) << int(area);
    for (int area = 1; area <= AREA_COUNT; ++area)
        EXPECT_EQ(board->GetAreaTotal(area), 1000) << area;
}

TEST_F(NineXiaoHandler, AnyMessageCountsAsReceivedEvenWhenRefused)
{
    EXPECT_FALSE(twoCard->IsMessageReceived());
    EXPECT_FALSE(Message(SUB_S_GAME_END, Bytes(3, 0)));
    EXPECT_TRUE(twoCard->IsMessageReceived());
}

}  // namespace
