#include "room/TableGridModel.h"

#include <gtest/gtest.h>

namespace {

TEST(TableGridModel, NumbersOutsideTheConfigurationAreIgnored)
{
    CTableGridModel grid;
    grid.Setup(3, 4);
    tagUserData u{};
    EXPECT_TRUE(grid.SetTableState(2, true, true));
    EXPECT_FALSE(grid.SetTableState(3, true, true));
    EXPECT_FALSE(grid.SetTableState(INVALID_TABLE, true, true));
    EXPECT_TRUE(grid.SetChairUser(2, 3, &u));
    EXPECT_FALSE(grid.SetChairUser(2, 4, &u));
    EXPECT_FALSE(grid.SetChairUser(3, 0, &u));
    EXPECT_FALSE(grid.SetChairState(0, INVALID_CHAIR, US_SIT));
    EXPECT_EQ(grid.GetChairUser(2, 3), &u);
    EXPECT_EQ(grid.GetChairUser(9, 9), nullptr);
    EXPECT_EQ(grid.GetTableInfo(3), nullptr);
    const CCTableInfo* info = grid.GetTableInfo(2);
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->bLocked);
    EXPECT_TRUE(info->bPlaying);
}

TEST(TableGridModel, ForgetUserClearsEveryChairShowingIt)
{
    CTableGridModel grid;
    grid.Setup(2, 2);
    tagUserData a{}, b{};
    grid.SetChairUser(0, 1, &a);
    grid.SetChairState(0, 1, US_PLAY);
    grid.SetChairUser(1, 0, &a);  // a stale seat
    grid.SetChairUser(1, 1, &b);
    grid.ForgetUser(&a);
    EXPECT_EQ(grid.GetChairUser(0, 1), nullptr);
    EXPECT_EQ(grid.GetTableInfo(0)->chairStatus[1], US_NULL);
    EXPECT_EQ(grid.GetChairUser(1, 0), nullptr);
    EXPECT_EQ(grid.GetChairUser(1, 1), &b);
}

TEST(TableGridModel, AHugeConfigurationIsCappedNotAllocated)
{
    CTableGridModel grid;
    grid.Setup(65535, 65535);
    EXPECT_EQ(grid.GetChairCount(), 65535);
    EXPECT_LE(size_t{grid.GetTableCount()} * grid.GetChairCount(), CTableGridModel::kMaxChairs);
    grid.Setup(0, 0);
    EXPECT_EQ(grid.GetTableCount(), 0);
    EXPECT_FALSE(grid.SetTableState(0, false, false));
}

}  // namespace
