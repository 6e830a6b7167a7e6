#include "room/RoomUserManager.h"

#include "core/ClientGlobal.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

tagUserData User(uint32_t id, uint32_t game, const std::u16string& nick, int64_t score = 0, uint8_t member = 0)
{
    tagUserData u{};
    u.dwUserID = id;
    u.dwGameID = game;
    SetFieldText(u.szNickName, nick);
    u.lScore = score;
    u.cbMemberOrder = member;
    u.wTableID = INVALID_TABLE;
    u.wChairID = INVALID_CHAIR;
    return u;
}

std::vector<uint32_t> GameIds(const RoomUserManager& m)
{
    std::vector<uint32_t> ids;
    for (uint16_t i = 0; m.GetUserByIndex(i) != nullptr; ++i)
        ids.push_back(m.GetUserByIndex(i)->dwGameID);
    return ids;
}

TEST(RoomUserManager, DeleteKeepsTheOrderOfTheRest)
{
    RoomUserManager m;
    m.AddUser(User(1, 10, u"a"));
    tagUserData* b = m.AddUser(User(2, 20, u"b"));
    m.AddUser(User(3, 30, u"c"));
    EXPECT_TRUE(m.DeleteUser(b));
    EXPECT_FALSE(m.DeleteUser(b));
    EXPECT_EQ(GameIds(m), (std::vector<uint32_t>{10, 30}));
    EXPECT_EQ(m.GetUserByIndex(2), nullptr);
}

// My record can leave the list (status 0 about me) while the room still
// points at it; it must stay readable until the room is torn down.
TEST(RoomUserManager, MyRecordOutlivesItsDeletion)
{
    RoomUserManager m;
    tagUserData* me = m.AddUser(User(1, 10, u"me", 321));
    m.SetMeUser(me);
    EXPECT_TRUE(m.DeleteUser(me));
    EXPECT_EQ(m.GetUserCount(), 0u);
    EXPECT_EQ(m.SearchUserByUserID(1), nullptr);
    EXPECT_EQ(me->lScore, 321);  // ASan reports a freed record here
    m.ClearAll();
    EXPECT_EQ(m.GetMeUser(), nullptr);
}

TEST(RoomUserManagerSort, DirectionFlipsOnEveryCallWhateverTheColumn)
{
    RoomUserManager m;
    m.AddUser(User(1, 30, u"c", 5));
    m.AddUser(User(2, 10, u"a", 50));
    m.AddUser(User(3, 20, u"b", -5));
    m.SortByColumn(1);
    EXPECT_EQ(GameIds(m), (std::vector<uint32_t>{10, 20, 30}));
    m.SortByColumn(1);
    EXPECT_EQ(GameIds(m), (std::vector<uint32_t>{30, 20, 10}));
    m.SortByColumn(2);  // third call: ascending again
    EXPECT_EQ(GameIds(m), (std::vector<uint32_t>{20, 30, 10}));
    m.SortByColumn(2);
    EXPECT_EQ(GameIds(m), (std::vector<uint32_t>{10, 30, 20}));
    m.SortByColumn(0);  // fifth call: nicknames descending
    EXPECT_EQ(GameIds(m), (std::vector<uint32_t>{30, 20, 10}));
    m.SortByColumn(0);
    EXPECT_EQ(GameIds(m), (std::vector<uint32_t>{10, 20, 30}));
    EXPECT_EQ(m.GetSortColumn(), 0);
}

TEST(RoomUserManagerSort, NicknamesCompareAsCodePageBytes)
{
    // GBK orders 啊 (B0A1) before 张 (D5C5); "Z" (5A) before both.
    RoomUserManager m;
    m.AddUser(User(1, 1, u"张"));
    m.AddUser(User(2, 2, u"啊"));
    m.AddUser(User(3, 3, u"Z"));
    m.SortByColumn(0);  // descending
    EXPECT_EQ(GameIds(m), (std::vector<uint32_t>{1, 2, 3}));
    m.SortByColumn(0);
    EXPECT_EQ(GameIds(m), (std::vector<uint32_t>{3, 2, 1}));
}

TEST(RoomUserManagerSort, MeFirstThenMembersThenTheColumnOrder)
{
    RoomUserManager m;
    m.AddUser(User(1, 40, u"d", 0, 0));
    m.AddUser(User(2, 10, u"a", 0, 1));
    tagUserData* me = m.AddUser(User(3, 50, u"me", 0, 0));
    m.AddUser(User(4, 30, u"c", 0, 2));
    m.AddUser(User(5, 20, u"b", 0, 1));
    m.SetMeUser(me);
    m.SortByColumn(1);  // ascending game ids within each member level
    EXPECT_EQ(GameIds(m), (std::vector<uint32_t>{50, 30, 10, 20, 40}));
    m.SortByColumn(1);
    EXPECT_EQ(GameIds(m), (std::vector<uint32_t>{50, 30, 20, 10, 40}));
}

}  // namespace
