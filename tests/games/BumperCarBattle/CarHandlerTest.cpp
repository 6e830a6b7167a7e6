// The handler takes every message and scene record at its own size only,
// refuses an area, a stop slot or a car slot the board cannot index, and
// accepts what it does not know.
#include "CarFixture.h"

#include <gtest/gtest.h>

using namespace BumperCarBattle;
using namespace cartest;

namespace {

class CarHandler : public CarTest
{};

TEST_F(CarHandler, EveryMessageIsTakenAtItsOwnSizeOnly)
{
    BetFailedMessage failed = {};
    failed.wChairID = 2;
    const struct
    {
        uint16_t sub;
        Bytes body;
        size_t size;
    } messages[] = {
        {SUB_S_GAME_FREE, Free(9), 1},
        {SUB_S_GAME_START, Start(1, 20), 32},
        {SUB_S_PLACE_JETTON, Bet(2, 3, 1000), 12},
        {SUB_S_GAME_END, End(25, 9), 48},
        {SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{2}), 2},
        {SUB_S_CHANGE_BANKER, ChangeBanker(2), 10},
        {SUB_S_CHECKED_ONLY, Bytes(21, 0x5A), 21},
        {SUB_S_PLACE_JETTON_FAIL, BytesOf(failed), 11},
        {SUB_S_CANCEL_BANKER, Cancel(2), 66},
    };
    for (const auto& m : messages)
        ASSERT_NO_FATAL_FAILURE(ExpectTakenAtItsSizeOnly(m.sub, m.body, m.size));
}

TEST_F(CarHandler, RecordListsAreWholeNinesTakenInOrder)
{
    for (size_t size = 0; size <= 30; ++size)
        EXPECT_EQ(Message(SUB_S_SEND_RECORD, Bytes(size, 0)), size % 9 == 0) << size;
    // Two records: class 0 won, then class 7; a 10-byte list adds nothing.
    Bytes two(18, 0);
    two[0] = 1;
    two[9 + 7] = 1;
    ASSERT_TRUE(Message(SUB_S_SEND_RECORD, two));
    EXPECT_FALSE(Message(SUB_S_SEND_RECORD, Bytes(10, 1)));
    EXPECT_EQ(board->GetHistoryColumn(), 2);
    EXPECT_EQ(board->GetWinCount(0), 1u);
    EXPECT_EQ(board->GetWinCount(7), 1u);
}

TEST_F(CarHandler, ScenesAreTakenAtTheirOwnSizesOnly)
{
    const Bytes free = BytesOf(FreeSceneRecord(10, NO_BANKER));
    const Bytes play = BytesOf(PlaySceneRecord(10, 1, 3));
    ExpectSceneTakenAtItsSizeOnly(GS_FREE, free, 122, 124);
    for (uint8_t status : {GS_BETTING, GS_RESULT, GS_RESULT_END})
        ExpectSceneTakenAtItsSizeOnly(status, play, 300, 302);
    for (uint8_t status : {1, 99, 103, 255})
        EXPECT_TRUE(SceneRecord(status, Bytes(7, 0))) << int(status);
    EXPECT_FALSE(SceneRecord(GS_FREE, Sized(play, 300)));
}

TEST_F(CarHandler, UnknownSubsAreAcceptedAndIgnored)
{
    for (uint16_t sub : {0, 1, 97, 98, 109, 200, 65535})
    {
        for (size_t size : {0, 1, 21, 48, 300})
            EXPECT_TRUE(Message(sub, Bytes(size, 0xEE))) << sub << " " << size;
    }
    EXPECT_EQ(board->GetPhase(), NNBoard::kPhaseNone);
    EXPECT_TRUE(SentGame().empty());
}

// The area, the stop slot and the betting scene's car slot index the board's
// tables: values outside 1..8 and 1..32 are refused whole.
TEST_F(CarHandler, AreasAndSlotsTheBoardCannotIndexAreRefused)
{
    StartBetting();
    for (uint8_t area : {0, 9, 255})
        EXPECT_FALSE(Message(SUB_S_PLACE_JETTON, Bet(2, area, 1000))) << int(area);
    for (uint8_t area = 1; area <= AREA_COUNT; ++area)
        EXPECT_TRUE(Message(SUB_S_PLACE_JETTON, Bet(2, area, 1000))) << int(area);
    for (int area = 1; area <= AREA_COUNT; ++area)
        EXPECT_EQ(board->GetAreaTotal(area), 1000) << area;

    for (uint8_t slot : {0, 33, 255})
        EXPECT_FALSE(Message(SUB_S_GAME_END, End(25, slot))) << int(slot);
    EXPECT_EQ(board->GetPhase(), NNBoard::kPhaseBetting);
    for (uint8_t slot : {0, 33})
        EXPECT_FALSE(SceneRecord(GS_BETTING, BytesOf(PlaySceneRecord(10, 1, slot)))) << int(slot);
    EXPECT_EQ(board->GetCarSlot(), 1);
    // The result scenes do not place the car.
    EXPECT_TRUE(SceneRecord(GS_RESULT, BytesOf(PlaySceneRecord(10, 1, 0))));
    ASSERT_TRUE(Message(SUB_S_GAME_END, End(25, 32)));
    EXPECT_EQ(board->GetCarSlot(), 32);
}

TEST_F(CarHandler, ARefusedMessageChangesNothingAndTheGameGoesOn)
{
    ASSERT_TRUE(Message(SUB_S_GAME_FREE, Free(9)));
    EXPECT_FALSE(Message(SUB_S_GAME_START, Sized(Start(1, 20), 31)));
    EXPECT_FALSE(Message(SUB_S_GAME_END, Sized(End(25, 9), 49)));
    EXPECT_EQ(board->GetPhase(), NNBoard::kPhaseFree);
    EXPECT_EQ(board->GetTimeLeft(), 9);
    // Through the kernel a refusal shows the data-error box, once.
    const size_t boxes = Boxes();
    ASSERT_TRUE(Game(SUB_S_GAME_END, Sized(End(25, 9), 47)));
    EXPECT_EQ(Boxes(), boxes + 1);
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, 20)));
    EXPECT_EQ(board->GetPhase(), NNBoard::kPhaseBetting);
    EXPECT_EQ(Boxes(), boxes + 1);
}

TEST_F(CarHandler, TheMusicToggleStartsAndStopsTheGamesMusic)
{
    audio.log.clear();
    car->ToggleBackgroundMusic();
    EXPECT_TRUE(audio.playing);
    ASSERT_FALSE(audio.log.empty());
    EXPECT_NE(audio.log.back().find("BumperCarBattle/sound/bg"), std::string::npos);
    EXPECT_NE(audio.log.back().find(" loop"), std::string::npos);
    car->ToggleBackgroundMusic();
    EXPECT_FALSE(audio.playing);
}

}  // namespace
