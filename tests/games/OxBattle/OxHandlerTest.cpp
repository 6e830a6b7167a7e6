// The handler takes every message and scene record at its own size only,
// refuses a bet on an area that does not exist, and accepts what it does not
// know.
#include "OxFixture.h"

#include <gtest/gtest.h>

using namespace OxBattle;
using namespace oxtest;

namespace {

class OxHandler : public OxTest
{};

TEST_F(OxHandler, EveryMessageIsTakenAtItsOwnSizeOnly)
{
    ChangeBankerMessage change = {};
    change.wBankerUser = 2;
    BetFailedMessage failed = {};
    failed.lAmount = 1000;
    CancelBankerMessage cancel = {};
    cancel.wCancelUser = 2;
    const struct
    {
        uint16_t sub;
        Bytes body;
    } messages[] = {
        {SUB_S_GAME_FREE, Free(9)},
        {SUB_S_GAME_START, Start(1, 50000000, 2000000, 20)},
        {SUB_S_PLACE_BET, Bet(2, 3, 1000)},
        {SUB_S_GAME_END, End(25)},
        {SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{2})},
        {SUB_S_CHANGE_BANKER, BytesOf(change)},
        {SUB_S_PLACE_BET_FAIL, BytesOf(failed)},
        {SUB_S_CANCEL_BANKER, BytesOf(cancel)},
    };
    const size_t sizes[] = {1, 24, 12, 73, 2, 10, 11, 66};
    for (size_t m = 0; m < sizeof(messages) / sizeof(messages[0]); ++m)
        ASSERT_NO_FATAL_FAILURE(ExpectTakenAtItsSizeOnly(messages[m].sub, messages[m].body, sizes[m]));
}

TEST_F(OxHandler, ARefusedMessageChangesNothing)
{
    ASSERT_TRUE(Message(SUB_S_GAME_FREE, Free(9)));
    const int phase = board->GetPhase();
    const int countdown = board->GetCountdown();
    EXPECT_FALSE(Message(SUB_S_GAME_START, Sized(Start(1, 50000000, 2000000, 20), 23)));
    EXPECT_FALSE(Message(SUB_S_GAME_END, Sized(End(25), 74)));
    EXPECT_FALSE(Message(SUB_S_PLACE_BET, Sized(Bet(2, 3, 1000), 11)));
    EXPECT_EQ(board->GetPhase(), phase);
    EXPECT_EQ(board->GetCountdown(), countdown);
    EXPECT_EQ(board->GetAreaTotal(3), 0);
    EXPECT_EQ(board->GetDice(), nullptr);
    // Through the kernel a refusal shows the data-error box and the game goes on.
    const size_t boxes = Boxes();
    ASSERT_TRUE(Game(SUB_S_GAME_END, Sized(End(25), 72)));
    EXPECT_EQ(Boxes(), boxes + 1);
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 50000000, 2000000, 20)));
    EXPECT_EQ(board->GetPhase(), OXBoard::kPhaseBetting);
    EXPECT_EQ(Boxes(), boxes + 1);
}

// The area of a bet indexes the board's per-area amounts: 0 and 5 and above
// are refused whole.
TEST_F(OxHandler, BetsOnAreasThatDoNotExistAreRefused)
{
    StartBetting();
    for (uint8_t area : {0, 5, 6, 255})
        EXPECT_FALSE(Message(SUB_S_PLACE_BET, Bet(2, area, 1000))) << int(area);
    for (uint8_t area = 1; area <= AREA_COUNT; ++area)
        EXPECT_TRUE(Message(SUB_S_PLACE_BET, Bet(2, area, 1000))) << int(area);
    for (int area = 1; area <= AREA_COUNT; ++area)
        EXPECT_EQ(board->GetAreaTotal(area), 1000) << area;
}

TEST_F(OxHandler, RecordListsAreAnyNumberOfFourByteRecords)
{
    for (size_t size = 0; size <= 14; ++size)
        EXPECT_EQ(Message(SUB_S_SEND_RECORD, Bytes(size, 1)), size % 4 == 0) << size;
    // 0 + 1 + 2 + 3 records were taken.
    EXPECT_EQ(board->GetRecordMarks(1).size(), 6u);
}

TEST_F(OxHandler, AnEmptyRecordListStillLaysTheStripOut)
{
    ASSERT_TRUE(Message(SUB_S_SEND_RECORD, Records({{1, 0, 0, 0}, {0, 1, 0, 0}})));
    cocos2d::CCSprite* first = board->GetRecordMarks(1)[0];
    first->setVisible(false);
    ASSERT_TRUE(Message(SUB_S_SEND_RECORD, Bytes()));
    EXPECT_TRUE(first->isVisible());
}

TEST_F(OxHandler, UnknownSubsAndSub105AreAcceptedAndIgnored)
{
    for (uint16_t sub : {0, 1, 98, 109, 200, 65535})
    {
        for (size_t size : {0, 1, 24, 73, 300})
            EXPECT_TRUE(Message(sub, Bytes(size, 0xEE))) << sub << " " << size;
    }
    for (size_t size : {0, 1, 7, 4000})
        EXPECT_TRUE(Message(SUB_S_IGNORED, Bytes(size, 0xEE))) << size;
    EXPECT_EQ(board->GetPhase(), OXBoard::kPhaseFree);
    EXPECT_TRUE(SentGame().empty());
}

TEST_F(OxHandler, ScenesAreTakenAtTheirOwnSizesOnly)
{
    const Bytes free = BytesOf(FreeSceneRecord(10, NO_BANKER, 1000000));
    const Bytes play = BytesOf(PlaySceneRecord(GS_BETTING, 10, 1));
    ASSERT_EQ(free.size(), 126u);
    ASSERT_EQ(play.size(), 266u);
    ExpectSceneTakenAtItsSizeOnly(GS_FREE, free, 126, 128);
    for (uint8_t status : {GS_BETTING, GS_RESULT, GS_RESULT_END})
    {
        for (size_t size = 0; size <= 268; ++size)
        {
            Bytes body = Sized(play, size);
            if (size >= 186)
                body[185] = status;
            EXPECT_EQ(SceneRecord(status, body), size == 266) << int(status) << " at " << size;
        }
    }
    for (uint8_t status : {1, 99, 103, 255})
        EXPECT_TRUE(SceneRecord(status, Bytes(7, 0))) << int(status);
}

TEST_F(OxHandler, AShortFreeSceneKeepsTheBankerMinimum)
{
    ASSERT_TRUE(SceneRecord(GS_FREE, BytesOf(FreeSceneRecord(10, NO_BANKER, 1000000))));
    EXPECT_EQ(board->GetBankerMinimum(), 1000000);
    EXPECT_FALSE(SceneRecord(GS_FREE, Sized(BytesOf(FreeSceneRecord(10, NO_BANKER, 3000000)), 125)));
    EXPECT_EQ(board->GetBankerMinimum(), 1000000);
    ASSERT_TRUE(SceneRecord(GS_RESULT, BytesOf(PlaySceneRecord(GS_RESULT, 10, 1))));
    EXPECT_EQ(board->GetBankerMinimum(), 2000000);
}

TEST_F(OxHandler, ResultScenesOfBothStatusesAreLaidOutAlike)
{
    for (uint8_t status : {GS_RESULT, GS_RESULT_END})
    {
        ASSERT_TRUE(SceneRecord(status, BytesOf(PlaySceneRecord(status, 10, 1))));
        EXPECT_EQ(board->GetPhase(), OXBoard::kPhaseResultScene);
        EXPECT_EQ(board->GetTypeImages().size(), 5u);
        EXPECT_STREQ(board->GetStateTexture(), "OxBattle/outCard");
        EXPECT_EQ(board->GetKeptAmount(), 88);
    }
}

// The banker buttons wait for the first word of the server, whatever it was.
TEST_F(OxHandler, AnyMessageOrSceneCountsAsDataReceived)
{
    EXPECT_FALSE(ox->IsDataReceived());
    TapWidget("Button_57");
    EXPECT_TRUE(SentGame().empty());
    EXPECT_FALSE(Message(SUB_S_GAME_FREE, Bytes()));
    EXPECT_TRUE(ox->IsDataReceived());
    ASSERT_TRUE(Message(SUB_S_GAME_FREE, Free(9)));
    TapWidget("Button_57");
    ASSERT_EQ(SentGame().size(), 1u);
    EXPECT_EQ(SentGame()[0].first, SUB_C_APPLY_BANKER);
    EXPECT_TRUE(SentGame()[0].second.empty());
}

}  // namespace
