#include "core/Wire.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

KEST_WIRE_BEGIN
struct SampleRecord
{
    uint8_t flag;
    uint16_t table;
    uint32_t userId;
    int64_t score;
    uint16_t name[4];
};
KEST_WIRE_END
static_assert(sizeof(SampleRecord) == 23, "packed layout");

std::vector<uint8_t> Utf16Bytes(const std::u16string& s)
{
    std::vector<uint8_t> out;
    for (char16_t c : s)
    {
        out.push_back(static_cast<uint8_t>(c & 0xFF));
        out.push_back(static_cast<uint8_t>(c >> 8));
    }
    return out;
}

}  // namespace

TEST(WireText, StopsAtZeroOrFieldEnd)
{
    auto bytes = Utf16Bytes(std::u16string(u"AB\0CD", 5));
    EXPECT_EQ(wire::ReadText(bytes.data(), 5), u"AB");

    auto full = Utf16Bytes(u"ABCDEF");  // no terminator inside the field
    EXPECT_EQ(wire::ReadText(full.data(), 4), u"ABCD");
}

TEST(WireText, ReadAtIsCutByTheMessageEnd)
{
    std::vector<uint8_t> msg(6, 0xEE);
    auto text = Utf16Bytes(u"hello");
    msg.insert(msg.end(), text.begin(), text.end());  // no terminator at all
    EXPECT_EQ(wire::ReadTextAt(msg.data(), msg.size(), 6, 128), u"hello");
    EXPECT_EQ(wire::ReadTextAt(msg.data(), 6, 6, 128), u"");   // text missing
    EXPECT_EQ(wire::ReadTextAt(msg.data(), 9, 6, 128), u"h");  // odd byte dropped
    EXPECT_EQ(wire::ReadTextAt(msg.data(), 4, 6, 128), u"");   // offset past the end
}

TEST(WireText, UnalignedFieldsReadSafely)
{
    std::vector<uint8_t> buf(1, 0);
    auto text = Utf16Bytes(u"xyz");
    buf.insert(buf.end(), text.begin(), text.end());
    EXPECT_EQ(wire::ReadText(buf.data() + 1, 3), u"xyz");
}

TEST(WireText, WriteCutsAndTerminates)
{
    uint16_t field[4];
    EXPECT_EQ(wire::WriteText(field, 4, u"abcdefg"), 3u);
    EXPECT_EQ(wire::ReadText(field, 4), u"abc");
    EXPECT_EQ(field[3], 0);

    EXPECT_EQ(wire::WriteText(field, 4, u"a"), 1u);
    EXPECT_EQ(field[1], 0);
    EXPECT_EQ(field[2], 0);
}

TEST(WireText, WriteNeverSplitsASurrogatePair)
{
    uint16_t field[3];
    std::u16string s = u"a\U0001F600";  // 'a', high, low
    EXPECT_EQ(wire::WriteText(field, 3, s), 1u);
    EXPECT_EQ(wire::ReadText(field, 3), u"a");
    uint16_t wide[4];
    EXPECT_EQ(wire::WriteText(wide, 4, s), 3u);
    EXPECT_EQ(wire::ReadText(wide, 4), s);
}

TEST(ByteReader, ReadsLittleEndianAndStopsAtTheEnd)
{
    const uint8_t bytes[] = {0x01, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0xFF};
    wire::ByteReader r(bytes, sizeof(bytes));
    uint8_t a = 0;
    uint16_t b = 0;
    uint32_t c = 0;
    ASSERT_TRUE(r.u8(a));
    ASSERT_TRUE(r.u16(b));
    ASSERT_TRUE(r.u32(c));
    EXPECT_EQ(a, 0x01);
    EXPECT_EQ(b, 0x1234);
    EXPECT_EQ(c, 0x12345678u);
    EXPECT_EQ(r.remaining(), 1u);
    uint16_t past = 7;
    EXPECT_FALSE(r.u16(past));
    EXPECT_EQ(past, 0);
    EXPECT_FALSE(r.ok());
    uint8_t after = 9;
    EXPECT_FALSE(r.u8(after));  // stays failed
}

TEST(ByteReader, NullBufferIsEmpty)
{
    wire::ByteReader r(nullptr, 100);
    uint8_t v;
    EXPECT_FALSE(r.u8(v));
    EXPECT_EQ(r.remaining(), 0u);
}

TEST(ByteReader, TextFieldsConsumeTheirWholeWidth)
{
    std::vector<uint8_t> buf = Utf16Bytes(std::u16string(u"ab\0\0", 4));
    buf.push_back(0x2A);
    wire::ByteReader r(buf.data(), buf.size());
    std::u16string s;
    ASSERT_TRUE(r.text(s, 4));
    EXPECT_EQ(s, u"ab");
    uint8_t tail = 0;
    ASSERT_TRUE(r.u8(tail));
    EXPECT_EQ(tail, 0x2A);
    EXPECT_FALSE(r.text(s, 1));
}

TEST(ByteWriter, RefusesToOverrun)
{
    uint8_t buf[7];
    wire::ByteWriter w(buf, sizeof(buf));
    EXPECT_TRUE(w.u32(0xAABBCCDD));
    EXPECT_TRUE(w.u16(0x1122));
    EXPECT_FALSE(w.u16(0x3344));
    EXPECT_FALSE(w.ok());
    EXPECT_EQ(w.size(), 6u);
    EXPECT_EQ(buf[0], 0xDD);
    EXPECT_EQ(buf[4], 0x22);
}

TEST(WireRecord, ReadRecordChecksTheSize)
{
    SampleRecord rec{};
    std::vector<uint8_t> bytes(sizeof(SampleRecord), 0);
    bytes[1] = 7;  // table low byte
    EXPECT_FALSE(wire::ReadRecord(bytes.data(), bytes.size() - 1, rec));
    ASSERT_TRUE(wire::ReadRecord(bytes.data(), bytes.size(), rec));
    EXPECT_EQ(uint16_t{rec.table}, 7);  // copy first: a reference to a packed field is misaligned
    EXPECT_EQ(wire::ReadText(rec.name, 4), u"");
}
