#include "games/framework/GameKindTable.h"

#include "games/framework/UserData.h"

#include <gtest/gtest.h>

using namespace Sexy;

TEST(SeatGame, ManySeatRoomsAndKind2055AreNotSeated)
{
    for (uint16_t chairs : {0, 1, 2, 3, 6, 8, 101, 200, 65535})
        EXPECT_TRUE(IsSeatGameKind(200, chairs)) << chairs;
    for (uint16_t chairs : {9, 10, 50, 100})
        EXPECT_FALSE(IsSeatGameKind(122, chairs)) << chairs;
    for (uint16_t chairs : {0, 3, 100, 101})
        EXPECT_FALSE(IsSeatGameKind(kUnseatedKind, chairs)) << chairs;
}

TEST(SwitchViewChair, ThreeChairsFromChairOne)
{
    EXPECT_EQ(SwitchViewChair(3, 1, 1), 0);
    EXPECT_EQ(SwitchViewChair(3, 1, 2), 1);
    EXPECT_EQ(SwitchViewChair(3, 1, 0), 2);
}

TEST(SwitchViewChair, EveryTableSizeTurnsTheTableAroundMySeat)
{
    for (uint16_t count = 2; count <= 8; ++count)
    {
        for (uint16_t me = 0; me < count; ++me)
        {
            // Going round the table from my chair visits the views 0, 1, 2, ... in turn.
            uint16_t chair = me;
            for (uint16_t view = 0; view < count; ++view)
            {
                EXPECT_EQ(SwitchViewChair(count, me, chair), view) << count << " chairs, mine " << me;
                chair = static_cast<uint16_t>(chair + 1 == count ? 0 : chair + 1);
            }
        }
    }
}

TEST(SwitchViewChair, ManySeatRoomsAndNoSeat)
{
    EXPECT_EQ(SwitchViewChair(100, 99, 0), 1);
    EXPECT_EQ(SwitchViewChair(100, 0, 99), 99);
    EXPECT_EQ(SwitchViewChair(60000, 0, 59999), 59999);  // would wrap in 16-bit arithmetic
    EXPECT_EQ(SwitchViewChair(60000, 59999, 0), 1);
    EXPECT_EQ(SwitchViewChair(0, 0, 5), 0);
    EXPECT_EQ(SwitchViewChair(3, INVALID_CHAIR, 2), 0);
}
