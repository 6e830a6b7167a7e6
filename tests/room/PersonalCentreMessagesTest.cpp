// The personal centre's messages on the hall connection: the bytes of each
// request and the bounds of each reply.
#include "room/PersonalCentreMessages.h"

#include "RoomTestUtil.h"

#include <gtest/gtest.h>

using namespace roomtest;

namespace {

const std::u16string kMd5 = u"e10adc3949ba59abbe56e057f20f883e";

TEST(PersonalCentreRequests, QueryAndPasswordChangeSitAtTheirOffsets)
{
    const Bytes query = AsBytes(centre::BuildQueryUserInfo(1001, kMd5));
    ASSERT_EQ(query.size(), 74u);
    EXPECT_EQ(U32At(query, 0), 0u);
    EXPECT_EQ(U32At(query, 4), 1001u);
    EXPECT_EQ(TextAt(query, 8, 33), kMd5);
    EXPECT_EQ(U16At(query, 8 + 64), 0);

    const Bytes change = AsBytes(centre::BuildModifyPassword(1001, 0x0100007F, u"new", kMd5));
    ASSERT_EQ(change.size(), 140u);
    EXPECT_EQ(U32At(change, 0), 1001u);
    EXPECT_EQ(U32At(change, 4), 0x0100007Fu);
    EXPECT_EQ(TextAt(change, 8, 33), u"new");
    EXPECT_EQ(TextAt(change, 74, 33), kMd5);
    EXPECT_EQ(centre::PasswordMd5("123456"), kMd5);
}

TEST(PersonalCentreRequests, ProfileIsItsHeadAndTheItemsThatFit)
{
    struct Case
    {
        std::vector<centre::Item> items;
        size_t size;
    } cases[] = {
        {{{1, u"玩家"}}, 71 + 4 + 4},
        {{{3, u"ab"}, {8, u"c"}, {1, u"n"}}, 71 + 8 + 6 + 6},
        // Past the capacity of 16313 bytes an item is dropped; a later one
        // that fits still goes.
        {{{3, std::u16string(8154, u'x')}, {1, u"n"}}, 71 + 4 + 16308},
        {{{3, std::u16string(8155, u'x')}, {1, u"n"}}, 71 + 6},
    };
    for (const Case& c : cases)
    {
        const Bytes b = centre::BuildModifyUserInfo(2, 1001, kMd5, c.items);
        ASSERT_EQ(b.size(), c.size) << c.items.size();
        EXPECT_EQ(b[0], 2);
        EXPECT_EQ(U32At(b, 1), 1001u);
        EXPECT_EQ(TextAt(b, 5, 33), kMd5);
    }
    const Bytes b = centre::BuildModifyUserInfo(0, 7, kMd5, cases[1].items);
    EXPECT_EQ(U16At(b, 71), 4);  // bytes of "ab"
    EXPECT_EQ(U16At(b, 73), 3);
    EXPECT_EQ(TextAt(b, 75, 2), u"ab");
    EXPECT_EQ(U16At(b, 79), 2);
    EXPECT_EQ(U16At(b, 81), 8);
    EXPECT_EQ(U16At(b, 85), 2);
    EXPECT_EQ(U16At(b, 87), 1);
    EXPECT_EQ(TextAt(b, 89, 1), u"n");
}

Bytes Reply(uint8_t gender, const std::vector<centre::Item>& items)
{
    Bytes b;
    PutU32(b, 0);
    b.push_back(gender);
    for (const centre::Item& item : items)
        PutItem(b, item.first, item.second);
    return b;
}

TEST(PersonalCentreReplies, ProfileReplyReadsItsItemsWithinTheMessage)
{
    uint8_t gender = 9;
    std::vector<centre::Item> items;
    const Bytes head = Reply(1, {});
    EXPECT_FALSE(centre::ReadUserInfoReply(head.data(), 4, gender, items));
    ASSERT_TRUE(centre::ReadUserInfoReply(head.data(), 5, gender, items));
    EXPECT_EQ(gender, 1);
    EXPECT_TRUE(items.empty());

    Bytes full = Reply(2, {{3, u"签名"}, {12, u"x"}, {2, u"地址"}});
    ASSERT_TRUE(centre::ReadUserInfoReply(full.data(), full.size(), gender, items));
    EXPECT_EQ(gender, 2);
    EXPECT_EQ(items, (std::vector<centre::Item>{{3, u"签名"}, {12, u"x"}, {2, u"地址"}}));
    // The last item cut short: it is not read; an odd byte size reads whole units.
    ASSERT_TRUE(centre::ReadUserInfoReply(full.data(), full.size() - 1, gender, items));
    EXPECT_EQ(items.size(), 2u);
    Bytes odd = Reply(0, {});
    PutU16(odd, 3);
    PutU16(odd, 9);
    PutText(odd, u"ab");
    odd.pop_back();
    ASSERT_TRUE(centre::ReadUserInfoReply(odd.data(), odd.size(), gender, items));
    EXPECT_EQ(items, (std::vector<centre::Item>{{9, u"a"}}));
}

TEST(PersonalCentreReplies, OperateResultTextStopsAtTheMessageEnd)
{
    struct Case
    {
        Bytes bytes;
        bool ok;
        uint32_t result;
        std::u16string text;
    };
    Bytes unterminated;
    PutU32(unterminated, 100);
    PutText(unterminated, u"密码已修改");
    Bytes terminated = unterminated;
    PutU16(terminated, 0);
    PutText(terminated, u"tail");
    Bytes oddByte = unterminated;
    oddByte.push_back('x');
    const Case cases[] = {
        {Bytes(3, 0), false, 0, u""},
        {Bytes{200, 0, 0, 0}, true, 200, u""},
        {unterminated, true, 100, u"密码已修改"},
        {terminated, true, 100, u"密码已修改"},
        {oddByte, true, 100, u"密码已修改"},
    };
    for (const Case& c : cases)
    {
        uint32_t result = 0;
        std::u16string text = u"old";
        ASSERT_EQ(centre::ReadOperateResult(c.bytes.data(), c.bytes.size(), result, text), c.ok) << c.bytes.size();
        if (!c.ok)
            continue;
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(text, c.text);
    }
}

}  // namespace
