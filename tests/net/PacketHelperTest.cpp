#include "net/PacketHelper.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

TEST(SendPacketHelper, WritesItemsAndRefusesWhatDoesNotFit)
{
    // Room for exactly one item of 3 units plus one of 1 unit.
    std::vector<uint8_t> buffer(4 + 6 + 4 + 2 + 8, 0xEE);
    CSendPacketHelper helper(buffer.data(), 4 + 6 + 4 + 2);
    ASSERT_TRUE(helper.AddPacket(u"ab\u4E2D", 10));
    EXPECT_EQ(helper.GetDataSize(), 10u);
    const std::vector<uint8_t> first = {6, 0, 10, 0, 'a', 0, 'b', 0, 0x2D, 0x4E};
    EXPECT_EQ(std::vector<uint8_t>(buffer.begin(), buffer.begin() + 10), first);

    EXPECT_FALSE(helper.AddPacket(u"xy", 11)) << "one byte over the capacity";
    EXPECT_EQ(helper.GetDataSize(), 10u);
    EXPECT_EQ(buffer[10], 0xEE) << "nothing written by a refused item";

    EXPECT_TRUE(helper.AddPacket(u"x", 11)) << "exactly at the capacity";
    EXPECT_EQ(helper.GetDataSize(), 16u);
    EXPECT_EQ(buffer[16], 0xEE) << "nothing past the capacity";
    EXPECT_FALSE(helper.AddPacket(u"", 12)) << "even an empty item needs its descriptor";
}

TEST(SendPacketHelper, RefusesTextsWhoseSizeOverflowsItsField)
{
    std::vector<uint8_t> buffer(70000);
    CSendPacketHelper helper(buffer.data(), buffer.size());
    EXPECT_FALSE(helper.AddPacket(std::u16string(32768, u'a'), 1));
    EXPECT_TRUE(helper.AddPacket(std::u16string(32767, u'a'), 1));
    EXPECT_EQ(helper.GetDataSize(), 4u + 65534u);
}

TEST(RecvPacketHelper, ReadsWhatTheSenderWrote)
{
    std::vector<uint8_t> buffer(64);
    CSendPacketHelper out(buffer.data(), buffer.size());
    ASSERT_TRUE(out.AddPacket(u"nick", 10));
    ASSERT_TRUE(out.AddPacket(u"", 11));
    ASSERT_TRUE(out.AddPacket(u"z", 12));

    CRecvPacketHelper in(buffer.data(), out.GetDataSize());
    tagDataDescribe d;
    const void* item = in.GetData(d);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(uint16_t{d.wDataDescribe}, 10);
    EXPECT_EQ(wire::ReadText(item, d.wDataSize / 2), u"nick");
    ASSERT_NE(in.GetData(d), nullptr);
    EXPECT_EQ(uint16_t{d.wDataDescribe}, 11);
    EXPECT_EQ(uint16_t{d.wDataSize}, 0);
    ASSERT_NE(in.GetData(d), nullptr);
    EXPECT_EQ(uint16_t{d.wDataDescribe}, 12);
    EXPECT_EQ(in.GetData(d), nullptr) << "end of the data";
    EXPECT_EQ(uint16_t{d.wDataDescribe}, 0);
}

TEST(RecvPacketHelper, StopsAtBrokenItems)
{
    // An item claiming 10 bytes with 9 behind it.
    std::vector<uint8_t> overrun = {10, 0, 3, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    CRecvPacketHelper a(overrun.data(), overrun.size());
    tagDataDescribe d{7, 7};
    EXPECT_EQ(a.GetData(d), nullptr);
    EXPECT_EQ(uint16_t{d.wDataDescribe}, 0);
    EXPECT_EQ(uint16_t{d.wDataSize}, 0);

    // A descriptor cut short, and a type 0 item followed by a good one.
    std::vector<uint8_t> shortHead = {2, 0, 3};
    CRecvPacketHelper b(shortHead.data(), shortHead.size());
    EXPECT_EQ(b.GetData(d), nullptr);

    std::vector<uint8_t> typeZero = {0, 0, 0, 0, 2, 0, 5, 0, 'a', 0};
    CRecvPacketHelper c(typeZero.data(), typeZero.size());
    EXPECT_EQ(c.GetData(d), nullptr);
    EXPECT_EQ(c.GetData(d), nullptr) << "the list stays ended";

    CRecvPacketHelper none(nullptr, 100);
    EXPECT_EQ(none.GetData(d), nullptr);
}
