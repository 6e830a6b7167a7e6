// The room's relay to the game: the in-process kernel and an external game
// program (tools/extgame) over the copy-data channel.
#include "RoomFixture.h"

#include "games/framework/GameBoard.h"
#include "games/framework/GameHandler.h"
#include "games/framework/KernelMessages.h"
#include "platform/Clipboard.h"
#include "platform/MessageWindow.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <sstream>

using namespace roomtest;
using namespace cocos2d;

namespace {

Bytes Payload(size_t size)
{
    Bytes b(size);
    for (size_t i = 0; i < size; ++i)
        b[i] = static_cast<uint8_t>(i * 7);
    return b;
}

}  // namespace

class RoomRelay : public RoomFixture
{
protected:
    // Runs frames and the message windows until done() or the time is up.
    bool RunUntil(const std::function<bool()>& done, int ms = 5000)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (!done())
        {
            if (std::chrono::steady_clock::now() > end)
                return false;
            platform::MessageWindow::PumpAll();
            Step(1);
            usleep(2000);
        }
        return true;
    }
    void FinishLoads()
    {
        CCTextureCache::sharedTextureCache()->waitForAsync();
        Step(1);
    }
};

TEST_F(RoomRelay, SeatedAtLogOnTheGameStartsOnceItsPicturesAreIn)
{
    LogOn(12, 3, MeAnd({User(2001, u"张三", 0, 0, US_READY)}, 0, 1, US_SIT));
    Sexy::CBaseKernelLayer* kernel = room->GetKernelLayer();
    ASSERT_NE(kernel, nullptr);
    FinishLoads();
    ASSERT_NE(kernel->GetGameBoard(), nullptr);
    EXPECT_EQ(kernel->GetKindID(), 200);
    EXPECT_EQ(kernel->GetChairCount(), 3);
    ASSERT_NE(kernel->GetMeUserData(), nullptr);
    EXPECT_EQ(kernel->GetMeChairID(), 1);
    ASSERT_NE(kernel->GetTableUserData(0), nullptr);
    EXPECT_EQ(kernel->GetTableUserData(0)->dwUserID, 2001u);
    EXPECT_FALSE(room->GetTableList()->isVisible());

    const auto options = socket->SentWith(Sexy::MDM_GF_FRAME, Sexy::SUB_GF_OPTION);
    ASSERT_EQ(options.size(), 1u);
    EXPECT_EQ(options[0].size(), 9u);
}

TEST_F(RoomRelay, GamePacketsBothWaysAndTheRelayLimit)
{
    LogOn(12, 3, MeAnd({}, 0, 1, US_SIT));
    FinishLoads();
    Sexy::CBaseKernelLayer* kernel = room->GetKernelLayer();
    ASSERT_NE(kernel->GetGameBoard(), nullptr);

    EXPECT_TRUE(Read(Sexy::MDM_GF_GAME, 100, Payload(Sexy::kMaxGamePayload)));
    EXPECT_FALSE(Read(Sexy::MDM_GF_GAME, 100, Payload(Sexy::kMaxGamePayload + 1)));
    EXPECT_TRUE(Read(Sexy::MDM_GF_FRAME, Sexy::SUB_GF_GAME_STATUS, {100, 0}));
    EXPECT_EQ(kernel->GetGameStatus(), 100);

    const uint8_t call = 3;
    ASSERT_NE(kernel->GetGameHandler(), nullptr);
    EXPECT_TRUE(kernel->GetGameHandler()->SendGameData(1, &call, 1));
    EXPECT_TRUE(kernel->GetGameHandler()->SendGameData(3));
    EXPECT_EQ(socket->SentWith(Sexy::MDM_GF_GAME, 1), (std::vector<Bytes>{{3}}));
    EXPECT_EQ(socket->SentWith(Sexy::MDM_GF_GAME, 3), (std::vector<Bytes>{{}}));

    const uint8_t head[4] = {200, 0, 9, 0};
    EXPECT_FALSE(room->OnGameSendData(Sexy::IPC_MAIN_SOCKET, 2, head, 4));
    EXPECT_FALSE(room->OnGameSendData(Sexy::IPC_MAIN_SOCKET, Sexy::IPC_SUB_SOCKET_SEND, head, 3));
    const CopyDataHead other{1, 8, 2, 1};
    EXPECT_FALSE(room->OnChannelMessage(other, nullptr, 0, 0));
}

TEST_F(RoomRelay, SittingDownLaterEntersTheGameAndLeavingResetsIt)
{
    LogOn(12, 3, MeAnd({User(2001, u"张三", 0, 0, US_SIT)}));
    FinishLoads();
    Sexy::CBaseKernelLayer* kernel = room->GetKernelLayer();
    EXPECT_EQ(kernel->GetGameBoard(), nullptr);
    ASSERT_TRUE(Read(3, 102, StatusOf(1001, 0, 2, US_SIT)));
    ASSERT_NE(kernel->GetGameBoard(), nullptr);
    EXPECT_EQ(kernel->GetMeChairID(), 2);
    ASSERT_NE(kernel->GetTableUserData(0), nullptr);

    // Another player sits at my table, then the table plays and ends.
    ASSERT_TRUE(Read(3, 100, UserEnter(User(2002, u"李四"))));
    ASSERT_TRUE(Read(3, 102, StatusOf(2002, 0, 1, US_SIT)));
    ASSERT_NE(kernel->GetTableUserData(1), nullptr);
    ASSERT_TRUE(Read(4, 101, TableState(0, 0, 1)));
    EXPECT_EQ(kernel->GetTableUserData(1)->cbUserStatus, US_PLAY);
    ASSERT_TRUE(Read(4, 101, TableState(0, 0, 0)));
    EXPECT_EQ(kernel->GetTableUserData(1)->cbUserStatus, US_SIT);

    // Closing the board leaves the table: stand up with force 1.
    kernel->RequestExit();
    const auto standUps = socket->SentWith(3, 4);
    ASSERT_EQ(standUps.size(), 1u);
    EXPECT_EQ(standUps[0], (Bytes{0, 0, 2, 0, 1}));
    EXPECT_TRUE(room->GetTableList()->isVisible());
    ASSERT_TRUE(Read(3, 102, StatusOf(1001, INVALID_TABLE, INVALID_CHAIR, US_FREE)));
    EXPECT_EQ(kernel->GetGameBoard(), nullptr);
    EXPECT_EQ(kernel->GetMeUserData(), nullptr);

    ASSERT_TRUE(Read(3, 102, StatusOf(1001, 1, 0, US_SIT)));  // a new table: a new board
    EXPECT_NE(kernel->GetGameBoard(), nullptr);
}

TEST_F(RoomRelay, MovingTablesInOneStatusLeavesNobodyBehindAtMyTable)
{
    LogOn(12, 3,
          MeAnd({User(2001, u"张三", 0, 0, US_SIT), User(2002, u"李四", 0, 2, US_READY),
                 User(2003, u"王五", 1, 2, US_SIT)},
                0, 1, US_SIT));
    FinishLoads();
    Sexy::CBaseKernelLayer* kernel = room->GetKernelLayer();
    ASSERT_NE(kernel->GetGameBoard(), nullptr);
    ASSERT_NE(kernel->GetTableUserData(0), nullptr);

    // Another player goes straight to table 1.
    ASSERT_TRUE(Read(3, 102, StatusOf(2001, 1, 0, US_SIT)));
    EXPECT_EQ(kernel->GetTableUserData(0), nullptr);

    // Then I do: only table 1's players sit at the new board.
    ASSERT_TRUE(Read(3, 102, StatusOf(1001, 1, 1, US_SIT)));
    ASSERT_NE(kernel->GetGameBoard(), nullptr);
    EXPECT_EQ(kernel->GetMeTableID(), 1);
    ASSERT_NE(kernel->GetTableUserData(0), nullptr);
    EXPECT_EQ(kernel->GetTableUserData(0)->dwUserID, 2001u);
    EXPECT_EQ(kernel->GetTableUserData(1), kernel->GetMeUserData());
    ASSERT_NE(kernel->GetTableUserData(2), nullptr);
    EXPECT_EQ(kernel->GetTableUserData(2)->dwUserID, 2003u);
    EXPECT_EQ(kernel->SearchUserByGameID(User(2002, u"").gameId), nullptr);
}

class ExternalGame : public RoomRelay
{
protected:
    void SetUp() override
    {
        RoomRelay::SetUp();
        char dir[] = "/tmp/kest-extgame-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        m_dir = dir;
        mkdir((m_dir + "/2060").c_str(), 0755);
        ASSERT_EQ(symlink(EXTGAME_PATH, (m_dir + "/2060/extgame").c_str()), 0);
        m_savedAppDir = CClientGlobal::GetAppDirectory();
        CClientGlobal::SetAppDirectory(m_dir + "/");
        m_log = m_dir + "/extgame.log";
        setenv("KEST_EXTGAME_LOG", m_log.c_str(), 1);
        unsetenv("KEST_EXTGAME_EXIT_AFTER_SHOW");
        unsetenv("KEST_EXTGAME_SILENT");
    }
    void TearDown() override
    {
        RoomRelay::TearDown();  // closing the room tells the program to end
        usleep(50000);
        CClientGlobal::SetAppDirectory(m_savedAppDir);
        unsetenv("KEST_EXTGAME_LOG");
        unsetenv("KEST_EXTGAME_EXIT_AFTER_SHOW");
        unsetenv("KEST_EXTGAME_SILENT");
        std::system(("rm -rf '" + m_dir + "'").c_str());
    }

    void MakeExternalRoom()
    {
        room = RoomScene::create();
        ASSERT_NE(room, nullptr);
        room->retain();
        socket = new FakeSocket();
        room->SetSocket(std::unique_ptr<IClientSocket>(socket));
        HallRoom config;
        config.kindId = 2060;
        config.port = 16100;
        config.name = "测试房间";
        config.host = "127.0.0.1";
        config.program = "extgame";
        room->EnterRoom(hall::MakeKindRecord(config), hall::MakeServerRecord(config));
        LogOn(12, 4, MeAnd({User(2001, u"张三", 0, 0, US_READY), User(2002, u"李四", 3, 0, US_SIT)}));
    }

    std::vector<std::string> LogLines() const
    {
        std::vector<std::string> lines;
        std::ifstream in(m_log);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
    bool Logged(const std::string& line) const
    {
        for (const std::string& l : LogLines())
            if (l == line)
                return true;
        return false;
    }
    uint32_t RecordU32(size_t offset)
    {
        platform::SharedMemory record;
        char name[16];
        std::snprintf(name, sizeof(name), "%u", room->GetMessageWindow());
        if (!record.Open(name, 14))
            return 0xFFFFFFFF;
        uint32_t v;
        std::memcpy(&v, static_cast<uint8_t*>(record.Data()) + offset, 4);
        return v;
    }

    std::string m_dir, m_log, m_savedAppDir;
};

TEST_F(ExternalGame, StartsWithTheCommandLineAndRelaysBothWays)
{
    MakeExternalRoom();
    EXPECT_EQ(RecordU32(10), room->GetMessageWindow());
    EXPECT_EQ(RecordU32(2), 0u);
    ASSERT_TRUE(Read(3, 102, StatusOf(1001, 0, 1, US_SIT)));
    char expected[96];
    std::snprintf(expected, sizeof(expected), "%u 7 2060 1 \"测试房间 1号桌\"", room->GetMessageWindow());
    EXPECT_EQ(platform::GetClipboardText(), expected);

    // Window ready: configuration, my record first, then my table, then the show.
    ASSERT_TRUE(RunUntil([&] { return Logged("show"); }));
    const std::vector<std::string> lines = LogLines();
    auto at = [&](const std::string& text) {
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i].rfind(text, 0) == 0)
                return static_cast<int>(i);
        return -1;
    };
    EXPECT_LT(at("config table 0 chair 1 user 1001 kind 2060 chairs 4"), at("user enter 1001"));
    EXPECT_LT(at("user enter 1001"), at("user enter 2001"));
    EXPECT_LT(at("user enter 2001"), at("show"));
    EXPECT_EQ(at("user enter 2002"), -1);  // another table
    EXPECT_NE(RecordU32(2), 0u);

    // The program's game option reaches the server; a game message goes there and back.
    ASSERT_TRUE(RunUntil([&] { return !socket->SentWith(Sexy::MDM_GF_FRAME, Sexy::SUB_GF_OPTION).empty(); }));
    EXPECT_EQ(socket->SentWith(Sexy::MDM_GF_FRAME, Sexy::SUB_GF_OPTION)[0].size(), 9u);
    ASSERT_TRUE(Read(Sexy::MDM_GF_GAME, 7, {1, 2, 3}));
    ASSERT_TRUE(RunUntil([&] { return !socket->SentWith(Sexy::MDM_GF_GAME, 7).empty(); }));
    EXPECT_EQ(socket->SentWith(Sexy::MDM_GF_GAME, 7)[0], (Bytes{1, 2, 3}));

    // The channel carries 10232 data bytes at most: {main, sub} and 10228 get
    // through, one more is dropped while the room goes on.
    ASSERT_TRUE(Read(Sexy::MDM_GF_GAME, 8, Payload(10228)));
    ASSERT_TRUE(Read(Sexy::MDM_GF_GAME, 9, Payload(10229)));
    ASSERT_TRUE(RunUntil([&] { return !socket->SentWith(Sexy::MDM_GF_GAME, 8).empty(); }));
    RunUntil([] { return false; }, 200);
    EXPECT_TRUE(socket->SentWith(Sexy::MDM_GF_GAME, 9).empty());
    EXPECT_EQ(socket->SentWith(Sexy::MDM_GF_GAME, 8)[0].size(), 10228u);

    // A control message closing the game is taken only from the program's window.
    const CopyDataHead closed{kCopyDataVersion, 8, Sexy::IPC_MAIN_CONTROL, Sexy::IPC_SUB_GAME_CLOSED};
    EXPECT_FALSE(room->OnChannelMessage(closed, nullptr, 0, room->GetMessageWindow()));
    EXPECT_TRUE(socket->SentWith(3, 4).empty());
}

TEST_F(ExternalGame, AProgramThatEndsUnannouncedIsNoticedWithinThePoll)
{
    setenv("KEST_EXTGAME_EXIT_AFTER_SHOW", "100", 1);
    MakeExternalRoom();
    ASSERT_TRUE(Read(3, 102, StatusOf(1001, 0, 1, US_SIT)));
    ASSERT_TRUE(RunUntil([&] { return Logged("show"); }));
    ASSERT_TRUE(RunUntil([&] { return Logged("leaving without a word"); }));
    const auto left = std::chrono::steady_clock::now();
    ASSERT_TRUE(RunUntil([&] { return !socket->SentWith(3, 4).empty(); }, 3000));
    EXPECT_LT(std::chrono::steady_clock::now() - left, std::chrono::milliseconds(1500));
    EXPECT_EQ(socket->SentWith(3, 4)[0], (Bytes{0, 0, 1, 0, 1}));
    EXPECT_EQ(RecordU32(2), 0u);
}

TEST_F(ExternalGame, ASilentProgramIsEndedOnTheNextSitDown)
{
    setenv("KEST_EXTGAME_SILENT", "1", 1);
    MakeExternalRoom();
    ASSERT_TRUE(Read(3, 102, StatusOf(1001, 0, 1, US_SIT)));
    ASSERT_TRUE(RunUntil([&] {
        return Logged("window " + std::to_string(RecordU32(2)) + ", room " + std::to_string(room->GetMessageWindow()));
    }));
    // The program wrote its window but never said it was ready: a second
    // seat ends it instead of starting another.
    platform::SharedMemory record;
    ASSERT_TRUE(record.Open(std::to_string(room->GetMessageWindow()), 14));
    std::memset(static_cast<uint8_t*>(record.Data()) + 2, 0, 4);
    ASSERT_TRUE(Read(3, 102, StatusOf(1001, 1, 2, US_SIT)));
    // Ended without a word: the poll then stands me up.
    ASSERT_TRUE(RunUntil([&] { return !socket->SentWith(3, 4).empty(); }, 3000));
}
