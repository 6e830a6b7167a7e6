#include "net/IPCCopyData.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

struct Heard
{
    uint16_t version, size, main, sub;
    std::vector<uint8_t> data;
    platform::WindowHandle sender;
};

class ChannelSink : public IChannelMessageSink
{
public:
    bool OnChannelMessage(const CopyDataHead& head, const void* data, size_t size,
                          platform::WindowHandle sender) override
    {
        const auto* bytes = static_cast<const uint8_t*>(data);
        heard.push_back({head.wVersion, head.wDataSize, head.wMainCmdID, head.wSubCmdID,
                         std::vector<uint8_t>(bytes, bytes + size), sender});
        return answer;
    }
    std::vector<Heard> heard;
    bool answer = true;
};

std::vector<uint8_t> Block(uint16_t version, uint16_t headSize, uint16_t main, uint16_t sub, size_t dataSize)
{
    std::vector<uint8_t> block(sizeof(CopyDataHead) + dataSize, 0x5A);
    CopyDataHead head{version, headSize, main, sub};
    std::memcpy(block.data(), &head, sizeof(head));
    return block;
}

// A message window whose copy-data goes to a channel receiver.
class ChannelWindow : public platform::IMessageWindowSink
{
public:
    ChannelWindow() { created = window.Create(this); }
    void OnCopyData(platform::WindowHandle sender, uint32_t dwData, const void* data, size_t size) override
    {
        receiver.OnCopyData(sender, dwData, data, size);
    }
    void OnTimer(uint32_t) override {}

    platform::MessageWindow window;
    CIPCRecvCopyData receiver;
    bool created = false;
};

}  // namespace

TEST(IPCRecvCopyData, ChecksTheHeadBeforeTheSinkHearsIt)
{
    ChannelSink sink;
    CIPCRecvCopyData receiver;
    auto good = Block(1, 8 + 3, 1, 2, 3);
    EXPECT_FALSE(receiver.OnCopyData(7, 1, good.data(), good.size())) << "no sink yet";
    receiver.SetChannelMessageSink(&sink);

    ASSERT_TRUE(receiver.OnCopyData(7, 1, good.data(), good.size()));
    ASSERT_EQ(sink.heard.size(), 1u);
    EXPECT_EQ(sink.heard[0].main, 1);
    EXPECT_EQ(sink.heard[0].sub, 2);
    EXPECT_EQ(sink.heard[0].data, (std::vector<uint8_t>{0x5A, 0x5A, 0x5A}));
    EXPECT_EQ(sink.heard[0].sender, 7u);

    const auto wrongVersion = Block(2, 8 + 3, 1, 2, 3);
    const auto sizeTooBig = Block(1, 8 + 4, 1, 2, 3);
    const auto sizeTooSmall = Block(1, 8 + 2, 1, 2, 3);
    const auto headOnly = Block(1, 8, 0, 1, 0);
    EXPECT_FALSE(receiver.OnCopyData(7, 1, wrongVersion.data(), wrongVersion.size()));
    EXPECT_FALSE(receiver.OnCopyData(7, 1, sizeTooBig.data(), sizeTooBig.size()));
    EXPECT_FALSE(receiver.OnCopyData(7, 1, sizeTooSmall.data(), sizeTooSmall.size()));
    EXPECT_FALSE(receiver.OnCopyData(7, 1, headOnly.data(), 7)) << "shorter than a head";
    EXPECT_FALSE(receiver.OnCopyData(7, 2, good.data(), good.size())) << "not a channel message";
    EXPECT_FALSE(receiver.OnCopyData(7, 1, nullptr, 8));
    EXPECT_EQ(sink.heard.size(), 1u) << "refused blocks never reach the sink";

    ASSERT_TRUE(receiver.OnCopyData(7, 1, headOnly.data(), headOnly.size()));
    EXPECT_TRUE(sink.heard.back().data.empty());
    sink.answer = false;
    EXPECT_FALSE(receiver.OnCopyData(7, 1, good.data(), good.size())) << "the sink's answer comes back";
}

TEST(IPCSendCopyData, TravelsBetweenMessageWindowsUpToItsLimit)
{
    ChannelWindow game, room;
    ASSERT_TRUE(game.created && room.created);
    ChannelSink sink;
    game.receiver.SetChannelMessageSink(&sink);

    CIPCSendCopyData sender;
    EXPECT_FALSE(sender.SendCommand(3, 104)) << "no peer yet";
    sender.SetPeerWnd(game.window.GetHandle());
    sender.SetLocalWnd(room.window.GetHandle());

    std::vector<uint8_t> largest(kMaxCopyDataBody);
    for (size_t i = 0; i < largest.size(); ++i)
        largest[i] = static_cast<uint8_t>(i);
    ASSERT_EQ(kMaxCopyDataBody, 10232u);
    EXPECT_TRUE(sender.SendData(1, 2, largest.data(), largest.size()));
    std::vector<uint8_t> tooBig(kMaxCopyDataBody + 1);
    EXPECT_FALSE(sender.SendData(1, 2, tooBig.data(), tooBig.size()));
    EXPECT_TRUE(sender.SendCommand(3, 104));

    for (int i = 0; i < 100 && sink.heard.size() < 2; ++i)
        game.window.Pump();
    ASSERT_EQ(sink.heard.size(), 2u);
    EXPECT_EQ(sink.heard[0].data, largest);
    EXPECT_EQ(sink.heard[0].size, 10240);
    EXPECT_EQ(sink.heard[0].sender, room.window.GetHandle());
    EXPECT_EQ(sink.heard[1].main, 3);
    EXPECT_EQ(sink.heard[1].sub, 104);
    EXPECT_TRUE(sink.heard[1].data.empty());
}
