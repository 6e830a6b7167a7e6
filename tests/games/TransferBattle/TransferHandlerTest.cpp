// The handler takes every message and scene record at its own size only,
// refuses a bet on an area and a result on a slot that do not exist, passes
// over record bytes that name no wheel point, and accepts what it does not
// know.
#include "TransferFixture.h"

#include <gtest/gtest.h>

using namespace TransferBattle;
using namespace tbtest;

namespace {

class TransferHandler : public TransferTest
{};

TEST_F(TransferHandler, EveryMessageIsTakenAtItsOwnSizeOnly)
{
    ChangeBankerMessage change = {};
    change.wBankerUser = 2;
    CancelBankerMessage cancel = {};
    cancel.wCancelUser = 2;
    const struct
    {
        uint16_t sub;
        Bytes body;
        size_t size;
    } messages[] = {
        {SUB_S_GAME_FREE, Free(9), 1},
        {SUB_S_GAME_START, Start(1, 50000000, 2000000, 20), 32},
        {SUB_S_PLACE_BET, Bet(2, 3, 1000), 12},
        {SUB_S_GAME_END, End(25, 9), 46},
        {SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{2}), 2},
        {SUB_S_CHANGE_BANKER, BytesOf(change), 10},
        {SUB_S_PLACE_BET_FAIL, BytesOf(BetFailedMessage{}), 11},
        {SUB_S_CANCEL_BANKER, BytesOf(cancel), 66},
    };
    for (const auto& m : messages)
    {
        ASSERT_EQ(m.body.size(), m.size) << m.sub;
        for (size_t size = 0; size <= m.size + 2; ++size)
        {
            Bytes body = Sized(m.body, size);
            // A cut bet or result keeps a valid area and slot where it has them.
            if (m.sub == SUB_S_PLACE_BET && size > 2)
                body[2] = 3;
            if (m.sub == SUB_S_GAME_END && size > 1)
                body[1] = 9;
            EXPECT_EQ(Message(m.sub, body), size == m.size) << "sub " << m.sub << " at " << size << " bytes";
        }
    }
}

TEST_F(TransferHandler, ScenesAreTakenAtTheirOwnSizesOnly)
{
    const Bytes free = BytesOf(FreeSceneRecord(10, NO_BANKER, 1000000));
    const Bytes play = BytesOf(PlaySceneRecord(10, 1));
    ASSERT_EQ(free.size(), 622u);
    ASSERT_EQ(play.size(), 800u);
    ExpectSceneTakenAtItsSizeOnly(GS_FREE, free, 622, 624);
    for (uint8_t status : {GS_BETTING, GS_RESULT, GS_RESULT_END})
        ExpectSceneTakenAtItsSizeOnly(status, play, 800, 802);
    // Statuses 1 to 99 and above 102 are accepted whatever their size.
    for (uint8_t status : {1, 50, 99, 103, 200, 255})
    {
        for (size_t size : {0, 1, 622, 800, 900})
            EXPECT_TRUE(SceneRecord(status, Bytes(size, 0xEE))) << int(status) << " " << size;
    }
}

TEST_F(TransferHandler, UnknownSubsAndTheUnreadOnesAreAcceptedAtAnySize)
{
    for (uint16_t sub : {0, 11, 98, 105, 109, 110, 112, 200, 65535})
    {
        for (size_t size : {0, 1, 12, 46, 300})
            EXPECT_TRUE(Message(sub, Bytes(size, 0xEE))) << sub << " " << size;
    }
    for (size_t size : {0, 1, 7, 4000})
        EXPECT_TRUE(Message(SUB_S_NO_BANKER, Bytes(size, 0xEE))) << size;
    EXPECT_TRUE(SentGame().empty());
    EXPECT_EQ(board->GetRecordCount(), 0);
}

TEST_F(TransferHandler, ARefusedMessageChangesNothing)
{
    ASSERT_TRUE(Message(SUB_S_GAME_FREE, Free(9)));
    const int countdown = board->GetCountdown();
    EXPECT_FALSE(Message(SUB_S_GAME_START, Sized(Start(1, 50000000, 2000000, 20), 31)));
    EXPECT_FALSE(Message(SUB_S_GAME_END, Sized(End(25, 3), 47)));
    EXPECT_FALSE(Message(SUB_S_PLACE_BET, Sized(Bet(2, 3, 1000), 11)));
    EXPECT_EQ(board->GetCountdown(), countdown);
    EXPECT_TRUE(board->IsFreeTime());
    EXPECT_EQ(board->GetAreaTotal(3), 0);
    EXPECT_FALSE(board->IsWheelRunning());
    // Through the kernel a refusal shows the data-error box and the game goes on.
    const size_t boxes = Boxes();
    ASSERT_TRUE(Game(SUB_S_GAME_END, Sized(End(25, 3), 45)));
    EXPECT_EQ(Boxes(), boxes + 1);
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 50000000, 2000000, 20)));
    EXPECT_FALSE(board->IsFreeTime());
    EXPECT_EQ(Boxes(), boxes + 1);
}

// The area of a bet indexes the board's eight amounts and labels: 0 and 9
// and above are refused whole, 1 to 8 land on their own area.
TEST_F(TransferHandler, BetsOnAreasThatDoNotExistAreRefused)
{
    StartBetting();
    for (uint8_t area : {0, 9, 10, 255})
        EXPECT_FALSE(Message(SUB_S_PLACE_BET, Bet(2, area, 1000))) << int(area);
    for (uint8_t area = 1; area <= AREA_COUNT; ++area)
        EXPECT_TRUE(Message(SUB_S_PLACE_BET, Bet(2, area, 1000 * area))) << int(area);
    for (int area = 1; area <= AREA_COUNT; ++area)
        EXPECT_EQ(board->GetAreaTotal(area), 1000 * area) << area;
}

// A winning slot above 16 names no wheel point: the result is refused and
// no run starts. 0 and 16 both stop at point 15.
TEST_F(TransferHandler, ResultsOnSlotsThatDoNotExistAreRefused)
{
    StartBetting();
    for (uint8_t slot : {17, 18, 100, 255})
    {
        EXPECT_FALSE(Message(SUB_S_GAME_END, End(25, slot))) << int(slot);
        EXPECT_FALSE(board->IsWheelRunning()) << int(slot);
    }
    for (uint8_t slot : {0, 1, 9, 16})
    {
        EXPECT_TRUE(Message(SUB_S_GAME_END, End(25, slot))) << int(slot);
        EXPECT_TRUE(board->IsWheelRunning());
    }
    EXPECT_EQ(board->GetStopPoint(), 15);
}

// Every byte of a record list is a record; bytes outside 1 to 16 have no
// picture and are passed over, the others still show, in order.
TEST_F(TransferHandler, RecordListsAddOneRecordPerByteThatNamesAPoint)
{
    EXPECT_TRUE(Message(SUB_S_SEND_RECORD, Bytes()));
    EXPECT_EQ(board->GetRecordCount(), 0);
    Bytes twenty;
    for (int i = 0; i < 20; ++i)
        twenty.push_back(static_cast<uint8_t>(i % 16 + 1));
    EXPECT_TRUE(Message(SUB_S_SEND_RECORD, twenty));
    EXPECT_EQ(board->GetRecordCount(), 20);
    EXPECT_TRUE(Message(SUB_S_SEND_RECORD, Bytes{0, 17, 3, 255, 16}));
    EXPECT_EQ(board->GetRecordCount(), 22);
}

}  // namespace
