#include "net/Packet.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

struct Seen
{
    uint16_t main, sub;
    std::vector<uint8_t> body;
    bool operator==(const Seen& o) const { return main == o.main && sub == o.sub && body == o.body; }
};

std::vector<uint8_t> Body(size_t n, uint8_t seed)
{
    std::vector<uint8_t> b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = static_cast<uint8_t>(seed + i * 7);
    return b;
}

// Three packets, an empty, a small and a largest one.
std::vector<Seen> SamplePackets()
{
    return {{1, 100, {}}, {3, 211, Body(300, 1)}, {200, 104, Body(net::kMaxPacketBody, 9)}};
}

std::vector<uint8_t> Encode(const std::vector<Seen>& packets)
{
    std::vector<uint8_t> stream;
    for (const auto& p : packets)
        EXPECT_TRUE(net::AppendPacket(stream, p.main, p.sub, p.body.data(), p.body.size()));
    return stream;
}

// Feeds the stream in pieces of the given sizes (the last piece takes the rest)
// and collects every packet as soon as it is whole.
std::vector<Seen> Decode(const std::vector<uint8_t>& stream, const std::vector<size_t>& pieces)
{
    net::PacketReader reader;
    std::vector<Seen> out;
    size_t at = 0, piece = 0;
    while (at < stream.size())
    {
        size_t n = piece < pieces.size() ? std::min(pieces[piece++], stream.size() - at) : stream.size() - at;
        reader.Feed(stream.data() + at, n);
        at += n;
        net::Packet p;
        while (reader.Next(p) == net::PacketReader::Result::Packet)
            out.push_back({p.main, p.sub, std::vector<uint8_t>(p.data, p.data + p.size)});
    }
    EXPECT_EQ(reader.Buffered(), 0u);
    return out;
}

}  // namespace

TEST(PacketFraming, HeadLayoutAndCommandWord)
{
    std::vector<uint8_t> stream;
    const uint8_t body[3] = {0xAA, 0xBB, 0xCC};
    ASSERT_TRUE(net::AppendPacket(stream, 0x0102, 0x0304, body, 3));
    const std::vector<uint8_t> expected = {0x02, 0x01, 0x04, 0x03, 3, 0, 0, 0, 0xAA, 0xBB, 0xCC};
    EXPECT_EQ(stream, expected);
    EXPECT_EQ(net::PackCommand(3, 100), 3u | (100u << 16));
    EXPECT_EQ(net::CommandMain(net::PackCommand(65535, 7)), 65535);
    EXPECT_EQ(net::CommandSub(net::PackCommand(65535, 7)), 7);
}

TEST(PacketFraming, SameResultWhateverTheSplit)
{
    const auto packets = SamplePackets();
    const auto stream = Encode(packets);

    EXPECT_EQ(Decode(stream, {}), packets) << "all in one read";
    EXPECT_EQ(Decode(stream, std::vector<size_t>(stream.size(), 1)), packets) << "a byte at a time";
    EXPECT_EQ(Decode(stream, {7, 1, 9, 300}), packets) << "split inside heads and bodies";

    std::mt19937 random(12345);
    for (int round = 0; round < 20; ++round)
    {
        std::vector<size_t> pieces;
        for (size_t total = 0; total < stream.size();)
        {
            size_t n = 1 + random() % 5000;
            pieces.push_back(n);
            total += n;
        }
        ASSERT_EQ(Decode(stream, pieces), packets) << "round " << round;
    }
}

TEST(PacketFraming, PartialPacketWaits)
{
    std::vector<uint8_t> stream;
    net::AppendPacket(stream, 5, 6, "abcd", 4);
    net::PacketReader reader;
    net::Packet p;
    reader.Feed(stream.data(), stream.size() - 1);
    EXPECT_EQ(reader.Next(p), net::PacketReader::Result::NeedMore);
    EXPECT_EQ(reader.Next(p), net::PacketReader::Result::NeedMore) << "asking twice changes nothing";
    reader.Feed(stream.data() + stream.size() - 1, 1);
    ASSERT_EQ(reader.Next(p), net::PacketReader::Result::Packet);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(p.data), p.size), "abcd");
    EXPECT_EQ(reader.Next(p), net::PacketReader::Result::NeedMore);
}

TEST(PacketFraming, OverLongHeadIsAnErrorThatSticks)
{
    std::vector<uint8_t> stream;
    net::AppendPacket(stream, 1, 1, nullptr, 0);
    // A head announcing 65536 bytes, with no body behind it: refused at once.
    const uint8_t bad[8] = {2, 0, 2, 0, 0x00, 0x00, 0x01, 0x00};
    stream.insert(stream.end(), bad, bad + 8);
    net::AppendPacket(stream, 3, 3, nullptr, 0);

    net::PacketReader reader;
    reader.Feed(stream.data(), stream.size());
    net::Packet p;
    ASSERT_EQ(reader.Next(p), net::PacketReader::Result::Packet) << "the packet before it is whole";
    EXPECT_EQ(reader.Next(p), net::PacketReader::Result::Error);
    EXPECT_TRUE(reader.Failed());
    EXPECT_EQ(reader.Next(p), net::PacketReader::Result::Error) << "nothing after it is read";
    reader.Reset();
    EXPECT_EQ(reader.Next(p), net::PacketReader::Result::NeedMore);

    const uint8_t huge[8] = {1, 0, 1, 0, 0xFF, 0xFF, 0xFF, 0xFF};
    reader.Feed(huge, 8);
    EXPECT_EQ(reader.Next(p), net::PacketReader::Result::Error) << "no wrap-around on 4 GiB";
}

TEST(PacketFraming, SenderRefusesWhatNoReceiverTakes)
{
    std::vector<uint8_t> stream;
    std::vector<uint8_t> body(net::kMaxPacketBody + 1);
    EXPECT_FALSE(net::AppendPacket(stream, 1, 1, body.data(), body.size()));
    EXPECT_FALSE(net::AppendPacket(stream, 1, 1, nullptr, 4));
    EXPECT_TRUE(stream.empty());
}
