// The baccarat handler through the kernel: every message and scene at its
// size only, nothing of the board changed by one refused, and the counts
// and areas of the wire checked before they index anything.
#include "BaccaratFixture.h"

using namespace bactest;

namespace {

struct Sized
{
    uint16_t id;
    uint16_t size;
};

TEST_F(BaccaratTest, EveryMessageIsTakenOnlyAtItsOwnSize)
{
    StartBetting();
    const Sized subs[] = {{99, 1}, {100, 43}, {101, 13}, {102, 109}, {103, 2}, {104, 10}, {107, 11}, {108, 2}};
    for (const Sized& s : subs)
    {
        for (uint16_t size = 0; size <= s.size + 2; ++size)
        {
            // Zeros: area 0, card counts of 0, chair 0.
            const Bytes body(size, 0);
            EXPECT_EQ(handler->OnGameMessage(s.id, size ? body.data() : nullptr, size), size == s.size)
                << "sub " << s.id << " at " << size;
        }
        Seconds(0.2f);
    }
    // The records come in fives, none at all included.
    for (uint16_t size = 0; size <= 26; ++size)
    {
        const Bytes body(size, 1);
        EXPECT_EQ(handler->OnGameMessage(106, size ? body.data() : nullptr, size), size % 5 == 0) << size;
    }
    // A size without its bytes is no record.
    const size_t records = board->GetRecords().size();
    for (uint16_t size : {5, 10, 335})
        EXPECT_FALSE(handler->OnGameMessage(106, nullptr, size)) << size;
    EXPECT_EQ(board->GetRecords().size(), records);
    for (uint16_t sub : {0, 1, 98, 105, 109, 200, 0xFFFF})
        for (uint16_t size : {0, 3, 400})
        {
            const Bytes body(size, 9);
            EXPECT_TRUE(handler->OnGameMessage(sub, size ? body.data() : nullptr, size)) << sub;
        }
    // Every sub id, empty: the eight sized ones are refused, the records (none
    // of them) and every other sub are taken.
    for (uint32_t sub = 0; sub <= 0xFFFF; ++sub)
    {
        const bool sized = (sub >= 99 && sub <= 104) || sub == 107 || sub == 108;
        ASSERT_EQ(handler->OnGameMessage(static_cast<uint16_t>(sub), nullptr, 0), !sized) << sub;
    }
}

TEST_F(BaccaratTest, EverySceneIsTakenOnlyAtItsOwnSize)
{
    const Sized scenes[] = {{0, 110}, {100, 327}, {101, 327}};
    for (const Sized& s : scenes)
        for (uint16_t size = 0; size <= s.size + 2; ++size)
        {
            const Bytes body(size, 0);
            EXPECT_EQ(handler->OnGameSceneMessage(static_cast<uint8_t>(s.id), false, size ? body.data() : nullptr,
                                                  size),
                      size == s.size)
                << "status " << s.id << " at " << size;
        }
    for (uint8_t status : {1, 50, 99, 102, 200, 255})
        for (uint16_t size : {0, 110, 327, 500})
        {
            const Bytes body(size, 2);
            EXPECT_TRUE(handler->OnGameSceneMessage(status, false, size ? body.data() : nullptr, size)) << status;
        }
    for (uint32_t status = 0; status <= 0xFF; ++status)
        ASSERT_EQ(handler->OnGameSceneMessage(static_cast<uint8_t>(status), false, nullptr, 0),
                  status != GS_FREE && status != GS_PLACE_BET && status != GS_GAME_END)
            << status;
}

TEST_F(BaccaratTest, ABetOnAnAreaPastTheEighthIsRefusedAndChangesNothing)
{
    StartBetting();
    for (uint8_t area : {8, 9, 200, 255})
    {
        EXPECT_FALSE(Game(SUB_S_PLACE_BET, Bet(2, area, 1000))) << int(area);
        CMD_S_PlaceBetFail fail{kMe, area, 1000};
        EXPECT_FALSE(Game(SUB_S_PLACE_BET_FAIL, fail)) << int(area);
    }
    for (int area = 0; area < 8; ++area)
        EXPECT_EQ(board->GetAllBet(area), 0);
    EXPECT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, 7, 1000)));
    EXPECT_EQ(board->GetAllBet(7), 1000);
}

TEST_F(BaccaratTest, ACardCountOtherThanNoneTwoOrThreeIsRefused)
{
    StartBetting();
    for (uint8_t player : {0, 1, 2, 3, 4, 9, 255})
        for (uint8_t banker : {0, 1, 2, 3, 4, 200})
        {
            CMD_S_GameEnd end = End({}, {});
            end.cbCardCount[SIDE_XIAN] = player;
            end.cbCardCount[SIDE_ZHUANG] = banker;
            const bool valid = ValidCardCount(player) && ValidCardCount(banker);
            EXPECT_EQ(Game(SUB_S_GAME_END, end), valid) << int(player) << " " << int(banker);
            if (!valid)
                continue;
            EXPECT_EQ(board->GetCardCount(SIDE_XIAN), player);
            EXPECT_EQ(board->GetCardCount(SIDE_ZHUANG), banker);
            // Only a round with cards on both sides is dealt.
            EXPECT_EQ(board->IsRoundDealt(), player != 0 && banker != 0);
            ASSERT_TRUE(Game(SUB_S_GAME_FREE, CMD_S_GameFree{5}));
        }
    // The play scene alike.
    CMD_S_StatusPlay scene{};
    scene.cbGameStatus = GS_GAME_END;
    scene.cbCardCount[SIDE_XIAN] = 4;
    scene.cbCardCount[SIDE_ZHUANG] = 2;
    EXPECT_FALSE(Scene(GS_GAME_END, BytesOf(scene)));
    scene.cbCardCount[SIDE_XIAN] = 3;
    EXPECT_TRUE(Scene(GS_GAME_END, BytesOf(scene)));
}

TEST_F(BaccaratTest, TheClockSecondsReachTheBoard)
{
    EXPECT_EQ(board->GetClockSeconds(), -1);
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, CMD_S_GameFree{7}));
    EXPECT_EQ(board->GetClockSeconds(), 7);
    EXPECT_EQ(kernel->GetClockTimerID(), IDI_FREE);
    EXPECT_EQ(kernel->GetClockChairID(), kMe);
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start()));
    EXPECT_EQ(kernel->GetClockTimerID(), IDI_PLACE_BET);
    EXPECT_EQ(handler->GetGameStatus(), GS_PLACE_BET);
    Seconds(3.1f);
    EXPECT_EQ(board->GetClockSeconds(), 17);
    ASSERT_TRUE(Game(SUB_S_GAME_END, End({0x01, 0x02}, {0x03, 0x04})));
    EXPECT_EQ(kernel->GetClockTimerID(), IDI_GAME_END);
    EXPECT_EQ(handler->GetGameStatus(), GS_GAME_END);
}

TEST_F(BaccaratTest, RecordsAreAddedInOrderAndRefreshTheViews)
{
    Bytes records;
    for (const Bytes& r : {Record(5, 3), Record(2, 7, 0, 0, 1), Record(6, 6, 5), Record(9, 1, 3, 1)})
        records.insert(records.end(), r.begin(), r.end());
    ASSERT_TRUE(Game(SUB_S_SEND_RECORD, records));
    ASSERT_EQ(board->GetRecords().size(), 4u);
    EXPECT_EQ(board->GetRecords()[1].cbBankerPoint, 7);
    EXPECT_EQ(board->GetRecords()[2].cbSpecial, 5);
    EXPECT_EQ(board->GetRoads().GetHistoryCount(), 4u);
    EXPECT_EQ(board->LabelText("bottom_zhuang_num"), "1");
    EXPECT_EQ(board->LabelText("bottom_xian_num"), "2");
    EXPECT_EQ(board->LabelText("bottom_ping_num"), "1");
    // No records: nothing changes, the views are drawn again.
    ASSERT_TRUE(Game(SUB_S_SEND_RECORD, {}));
    EXPECT_EQ(board->GetRecords().size(), 4u);
}

}  // namespace
