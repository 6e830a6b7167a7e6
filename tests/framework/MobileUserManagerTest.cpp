#include "games/framework/MobileUserManager.h"

#include <gtest/gtest.h>

using Sexy::CMobileUserManager;

TEST(MobileUserManager, FreedRecordsAreReusedInTheOrderTheyWereFreed)
{
    CMobileUserManager pool;
    tagUserData* a = pool.AllocUserData();
    tagUserData* b = pool.AllocUserData();
    tagUserData* c = pool.AllocUserData();
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(a->dwUserID, 0u);  // new records are zeroed

    EXPECT_TRUE(pool.FreeUserData(b));
    EXPECT_EQ(pool.AllocUserData(), b);

    EXPECT_TRUE(pool.FreeUserData(c));
    EXPECT_TRUE(pool.FreeUserData(a));
    EXPECT_EQ(pool.AllocUserData(), c);
    EXPECT_EQ(pool.AllocUserData(), a);
    EXPECT_EQ(pool.TotalCount(), 3u);
}

TEST(MobileUserManager, LimitCountsEveryRecordEverMade)
{
    CMobileUserManager pool(2);
    tagUserData* a = pool.AllocUserData();
    ASSERT_NE(pool.AllocUserData(), nullptr);
    EXPECT_EQ(pool.AllocUserData(), nullptr);
    pool.FreeUserData(a);
    EXPECT_EQ(pool.AllocUserData(), a);

    CMobileUserManager unlimited;
    for (int i = 0; i < 70000; ++i)
        ASSERT_NE(unlimited.AllocUserData(), nullptr);
}

TEST(MobileUserManager, FreeMatchesTheRecordNotItsUserId)
{
    CMobileUserManager pool;
    tagUserData* oldSeat = pool.AllocUserData();
    tagUserData* newSeat = pool.AllocUserData();
    oldSeat->dwUserID = newSeat->dwUserID = 42;  // the same user held twice while changing chairs

    EXPECT_TRUE(pool.FreeUserData(newSeat));
    EXPECT_EQ(pool.SearchUserByUserID(42), oldSeat);
    EXPECT_FALSE(pool.FreeUserData(newSeat));  // already free
    EXPECT_EQ(pool.ActiveCount(), 1u);

    tagUserData stranger{};
    EXPECT_FALSE(pool.FreeUserData(&stranger));
    EXPECT_FALSE(pool.FreeUserData(nullptr));
}

TEST(MobileUserManager, SearchFindsOnlyActiveRecordsInHandOutOrder)
{
    CMobileUserManager pool;
    tagUserData* a = pool.AllocUserData();
    tagUserData* b = pool.AllocUserData();
    a->dwUserID = 7;
    b->dwUserID = 7;
    EXPECT_EQ(pool.SearchUserByUserID(7), a);
    pool.FreeUserData(a);
    EXPECT_EQ(pool.SearchUserByUserID(7), b);
    pool.FreeUserData(b);
    EXPECT_EQ(pool.SearchUserByUserID(7), nullptr);
}
