#include "KernelFixture.h"

using namespace Sexy;
using kt::KernelTest;
using kt::RecordingHandler;
using Lines = std::vector<std::string>;

namespace {

std::vector<uint8_t> SystemMessage(uint16_t type, const std::u16string& text, int lengthSkew = 0)
{
    std::vector<uint8_t> m(4 + text.size() * 2);
    const uint16_t length = static_cast<uint16_t>(static_cast<int>(text.size()) + lengthSkew);
    std::memcpy(m.data(), &type, 2);
    std::memcpy(m.data() + 2, &length, 2);
    std::memcpy(m.data() + 4, text.data(), text.size() * 2);
    return m;
}

}  // namespace

using ChannelTable = KernelTest;

TEST_F(ChannelTable, ControlMessagesKeepTheirSizeRules)
{
    GameServerConfig config;
    std::memset(&config, 0, sizeof(config));
    std::vector<uint8_t> big(sizeof(config) + 1, 0);
    EXPECT_FALSE(Control(IPC_SUB_SERVER_INFO, big.data(), sizeof(config) - 1));
    EXPECT_FALSE(Control(IPC_SUB_SERVER_INFO, big.data(), sizeof(config) + 1));
    EXPECT_FALSE(Control(IPC_SUB_SERVER_INFO));
    EXPECT_TRUE(Control(IPC_SUB_SERVER_INFO, &config, sizeof(config)));
    EXPECT_FALSE(Control(103));
    EXPECT_FALSE(Control(IPC_SUB_SPEAKER));
    EXPECT_FALSE(Control(0));
    EXPECT_TRUE(Control(IPC_SUB_NETWORK_BUSY));
    ASSERT_EQ(Boxes(), 1u);
    EXPECT_EQ(cocos2d::CCMessageBoxHistory()[0].text, "游戏网络繁忙");
    EXPECT_EQ(cocos2d::CCMessageBoxHistory()[0].title, "异常");
}

TEST_F(ChannelTable, ConfigurationSetsMyUserKindAndChairs)
{
    Configure(3, 200);
    EXPECT_EQ(kernel->GetKindID(), 200);
    EXPECT_EQ(kernel->GetChairCount(), 3);
    EXPECT_EQ(kernel->GetMeUserID(), 1000u);
    EXPECT_EQ(kernel->GetServerName(), u"测试房间");
    EXPECT_TRUE(kernel->IsSeatGame());
    Configure(20, 122);
    EXPECT_FALSE(kernel->IsSeatGame());
}

TEST_F(ChannelTable, UserMessagesKeepTheirSizeRules)
{
    Configure(3);
    std::vector<uint8_t> bytes(200, 0);
    const struct
    {
        uint16_t sub;
        size_t size;
        bool accepted;
    } rows[] = {{IPC_SUB_USER_ENTER, kUserEnterHead - 1, false},
                {IPC_SUB_USER_ENTER, kUserEnterHead, true},
                {IPC_SUB_USER_SCORE, 56, false},
                {IPC_SUB_USER_SCORE, 58, false},
                {IPC_SUB_USER_SCORE, 57, true},
                {IPC_SUB_USER_STATUS, 8, false},
                {IPC_SUB_USER_STATUS, 9, true},
                {IPC_SUB_USER_STATUS, 25, true},
                {103, 0, true},
                {104, 7, true},
                {IPC_SUB_TABLE_STARTED, 0, true},
                {IPC_SUB_TABLE_ENDED, 0, true},
                {105, 0, false},
                {106, 0, false},
                {0, 0, false}};
    for (const auto& r : rows)
        EXPECT_EQ(kernel->OnChannelMessage(IPC_MAIN_USER, r.sub, bytes.data(), static_cast<uint16_t>(r.size)),
                  r.accepted)
            << r.sub << " of " << r.size;
    EXPECT_FALSE(kernel->OnChannelMessage(IPC_MAIN_USER, IPC_SUB_USER_ENTER));  // no data at all
}

TEST_F(ChannelTable, OtherMainsAndSocketSubsAreAccepted)
{
    RecordingHandler* h = Attach();
    for (uint16_t main : {0, 2, 5, 100, 200, 65535})
        EXPECT_TRUE(kernel->OnChannelMessage(main, 1));
    EXPECT_TRUE(kernel->OnChannelMessage(IPC_MAIN_SOCKET, IPC_SUB_SOCKET_SEND));
    EXPECT_TRUE(h->calls.empty());
    EXPECT_EQ(Boxes(), 0u);
}

TEST_F(ChannelTable, GamePacketsReachTheHandler)
{
    RecordingHandler* h = Attach();
    EXPECT_TRUE(Packet(MDM_GF_GAME, 103, {1, 2, 3}));
    EXPECT_TRUE(Packet(MDM_GF_GAME, 7));  // exactly the 4-byte head: no data
    EXPECT_EQ(h->Take(), (Lines{"game 103 3", "game 7 0 null"}));
    EXPECT_EQ(Boxes(), 0u);

    h->gameAnswer = false;  // the game refuses: the box, but the room's answer stays true
    EXPECT_TRUE(Packet(MDM_GF_GAME, 101, {9}));
    EXPECT_EQ(Boxes(), 1u);
    EXPECT_EQ(cocos2d::CCMessageBoxHistory()[0].text, "DATA ERROR");
    EXPECT_EQ(cocos2d::CCMessageBoxHistory()[0].title, "DATA ERROR");
}

TEST_F(ChannelTable, MalformedGamePacketsShowDataError)
{
    RecordingHandler* h = Attach();
    EXPECT_TRUE(Packet(std::vector<uint8_t>{200, 0, 1}));  // 3 bytes
    EXPECT_TRUE(Packet(std::vector<uint8_t>{}));
    EXPECT_TRUE(Packet(300, 1));            // neither frame nor game
    EXPECT_TRUE(Packet(MDM_GF_FRAME, 55));  // a frame sub nobody takes
    EXPECT_EQ(Boxes(), 4u);
    EXPECT_EQ(h->Take(), (Lines{"frame 55"}));
}

TEST_F(ChannelTable, WithoutAHandlerGamePacketsAreDropped)
{
    EXPECT_TRUE(Packet(MDM_GF_GAME, 100, {1}));
    EXPECT_TRUE(Packet(300, 1));
    EXPECT_EQ(Boxes(), 0u);
    EXPECT_TRUE(Packet(std::vector<uint8_t>{1, 2}));  // still too short
    EXPECT_EQ(Boxes(), 1u);
}

TEST_F(ChannelTable, FrameStatusIsExactlyTwoBytes)
{
    Attach();
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_GAME_STATUS, {100, 7}));
    EXPECT_EQ(kernel->GetGameStatus(), 100);
    EXPECT_TRUE(kernel->IsAllowLookon());
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_GAME_STATUS, {0, 0, 0}));
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_GAME_STATUS, {0}));
    EXPECT_EQ(Boxes(), 2u);
    EXPECT_EQ(kernel->GetGameStatus(), 100);
}

TEST_F(ChannelTable, IgnoredFrameSubsAndTheHandlersOwnFrames)
{
    RecordingHandler* h = Attach();
    for (uint16_t sub : {10, 11, 102, 201})
        EXPECT_TRUE(Packet(MDM_GF_FRAME, sub, {1, 2}));
    EXPECT_EQ(Boxes(), 0u);
    h->Take();
    h->takeFrames = true;  // the game handles a frame itself: the kernel does nothing more
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_GAME_STATUS, {100, 0, 0}));
    EXPECT_EQ(kernel->GetGameStatus(), 0);
    EXPECT_EQ(Boxes(), 0u);
}

TEST_F(ChannelTable, SystemMessageLengthMustMatchItsSize)
{
    RecordingHandler* h = Attach();
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_SYSTEM_MESSAGE, SystemMessage(1, u"你好")));
    EXPECT_EQ(Boxes(), 0u);
    EXPECT_EQ(h->Take(), (Lines{"frame 200", "system 8"}));
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_SYSTEM_MESSAGE, SystemMessage(1, u"你好", 1)));
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_SYSTEM_MESSAGE, SystemMessage(1, u"")));  // exactly 4 bytes
    EXPECT_EQ(Boxes(), 2u);
    EXPECT_EQ(h->Take(), (Lines{"frame 200", "frame 200"}));
    EXPECT_FALSE(h->IsCloseFlag());
}

TEST_F(ChannelTable, SceneWithoutABoardStillReachesTheGame)
{
    Configure(3);
    RecordingHandler* h = Attach();
    kernel->EnterGame(nullptr);  // no room resources: only the spinner
    room.ready = true;
    uint8_t record[8] = {};
    record[6] = 200;
    kernel->EnterGame(record);
    ASSERT_EQ(kernel->GetGameBoard(), nullptr);  // no module installed for kind 200 here
    EXPECT_TRUE(Enter(1000, 1));
    h->Take();

    // Without a board there is no start button and no clock, but the scene still goes through.
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_SCENE, {4, 5, 6}));
    EXPECT_EQ(h->Take(), (Lines{"frame 101", "scene 0 3"}));
    EXPECT_EQ(kernel->GetClockTimerID(), 0u);
}

TEST_F(ChannelTable, ShowGameSendsTheNineByteOption)
{
    Attach();
    EXPECT_TRUE(Control(IPC_SUB_SHOW_GAME));
    ASSERT_EQ(room.sent.size(), 1u);
    const kt::Sent& s = room.sent[0];
    EXPECT_EQ(s.main, MDM_GF_FRAME);
    EXPECT_EQ(s.sub, SUB_GF_OPTION);
    ASSERT_EQ(s.payload.size(), 9u);
    uint32_t version, option;
    std::memcpy(&version, s.payload.data() + 1, 4);
    std::memcpy(&option, s.payload.data() + 5, 4);
    EXPECT_EQ(s.payload[0], 0);
    EXPECT_EQ(version, 0x06060003u);
    EXPECT_EQ(option, 0u);  // a defined value, never whatever the memory held
}

TEST_F(ChannelTable, SendsAreLimitedTo16209PayloadBytes)
{
    std::vector<uint8_t> payload(16210, 0xAB);
    EXPECT_TRUE(kernel->SendSocketData(MDM_GF_GAME, 3, payload.data(), 16209));
    EXPECT_FALSE(kernel->SendSocketData(MDM_GF_GAME, 3, payload.data(), 16210));
    EXPECT_TRUE(kernel->SendSocketData(MDM_GF_GAME, 4));
    EXPECT_FALSE(kernel->SendSocketData(MDM_GF_GAME, 5, nullptr, 3));
    ASSERT_EQ(room.sent.size(), 2u);
    EXPECT_EQ(room.sent[0].payload.size(), 16209u);
    EXPECT_EQ(room.sent[1].sub, 4);
    EXPECT_TRUE(room.sent[1].payload.empty());
}

TEST_F(ChannelTable, ReadyIsSentOnlyWhileSeated)
{
    Configure(3);
    Attach();
    EXPECT_TRUE(kernel->SendUserReady(nullptr, 0));  // no record of me: nothing sent
    EXPECT_TRUE(Enter(1000, 0, US_READY));
    EXPECT_TRUE(kernel->SendUserReady(nullptr, 0));
    EXPECT_TRUE(room.sent.empty());
    EXPECT_TRUE(Status(1000, US_SIT));
    EXPECT_TRUE(kernel->SetGameClock(0, ReadyClockID, 30));
    const uint8_t extra[2] = {7, 8};
    EXPECT_TRUE(kernel->SendUserReady(extra, 2));
    ASSERT_EQ(room.sent.size(), 1u);
    EXPECT_EQ(room.sent[0].main, MDM_GF_FRAME);
    EXPECT_EQ(room.sent[0].sub, SUB_GF_USER_READY);
    EXPECT_EQ(room.sent[0].payload, (std::vector<uint8_t>{7, 8}));
    EXPECT_EQ(kernel->GetClockTimerID(), 0u);  // the ready countdown stopped
}
