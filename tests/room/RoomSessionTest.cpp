// The room's session alone: no engine, no scene. A fake view keeps the grid
// in the real grid model and records what the session asked of it.
#include "FakeSocket.h"
#include "RoomTestUtil.h"

#include "core/ClientGlobal.h"
#include "room/RoomSession.h"
#include "room/TableGridModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace roomtest {
namespace {

std::vector<std::string>& SessionBoxes()
{
    static std::vector<std::string> boxes;
    return boxes;
}

void CaptureBox(const std::string& gbk) { SessionBoxes().push_back(CClientGlobal::GBKToUTF8(gbk)); }

struct GameMessage
{
    uint16_t main;
    uint16_t sub;
    Bytes data;
};

class FakeView : public IRoomView
{
public:
    void OnRoomLinkFailed(const std::string& text) override { events.push_back("link failed: " + text); }
    void OnRoomShut() override { events.push_back("shut"); }
    void OnRoomLoggedOn() override { events.push_back("logged on"); }
    void OnRoomRefused(const std::u16string& reason) override { refusal = reason; }
    void OnRoomLogonFinished() override { events.push_back("finished"); }
    void OnRoomConfig() override { grid.Setup(session->GetRoomConfig().wTableCount, session->GetChairCount()); }
    void OnLeaveAsked() override { events.push_back("leave"); }
    void OnUserAdded(const tagUserData*) override {}
    void OnUserChanged(const tagUserData*) override {}
    void OnUserRemoved(const tagUserData* user) override { removed.push_back(user->dwUserID); }
    void OnMyScoreChanged() override {}
    void OnTableScoreChanged() override {}
    const tagUserData* GetChairUser(uint16_t table, uint16_t chair) const override
    {
        return grid.GetChairUser(table, chair);
    }
    bool IsTableLocked(uint16_t table) const override
    {
        const CCTableInfo* info = grid.GetTableInfo(table);
        return info != nullptr && info->bLocked;
    }
    void SetTableState(uint16_t table, bool playing, bool locked) override
    {
        grid.SetTableState(table, playing, locked);
    }
    void SetChairUser(uint16_t table, uint16_t chair, const tagUserData* user) override
    {
        grid.SetChairUser(table, chair, user);
    }
    void SetChairState(uint16_t table, uint16_t chair, uint8_t status) override
    {
        grid.SetChairState(table, chair, status);
    }
    void ForgetChairUser(const tagUserData* user) override { grid.ForgetUser(user); }
    void ShowScoreChange(uint16_t, uint16_t, int64_t, const tagUserData*, uint8_t) override {}
    void OpenTablePassword() override { ++passwordDialogs; }
    void HideProgress() override {}
    void AddChatLine(const std::string& sender, const std::string& text, ChatKind kind) override
    {
        chat.push_back({CClientGlobal::GBKToUTF8(sender), CClientGlobal::GBKToUTF8(text), static_cast<int>(kind)});
    }
    void ShowSpeakerLine(uint16_t type, const std::string& sender, const std::string& text) override
    {
        speaker.push_back({CClientGlobal::GBKToUTF8(sender), CClientGlobal::GBKToUTF8(text), type});
    }
    void OpenSpeakerDialog(const tagSpeakerInfo& info) override { allowances.push_back(info); }
    bool OnBankMessage(uint16_t, const void*, size_t) override { return true; }
    bool ForwardToGame(uint16_t, uint16_t, const void*, size_t) override { return true; }
    bool SendToGame(uint16_t main, uint16_t sub, const void* data, size_t size) override
    {
        const auto* bytes = static_cast<const uint8_t*>(data);
        toGame.push_back({main, sub, Bytes(bytes, bytes + size)});
        return true;
    }
    bool SendUserToGame(const tagUserData* user) override
    {
        usersToGame.push_back(user->dwUserID);
        return true;
    }
    void OnMyTableState(bool playing) override { tableStates.push_back(playing); }
    void OnMySeatTaken(uint16_t table, uint16_t chair) override { seatsTaken.emplace_back(table, chair); }

    struct Line
    {
        std::string sender;  // UTF-8
        std::string text;
        int kind;  // ChatKind, or the loudspeaker type
        bool operator==(const Line& o) const { return sender == o.sender && text == o.text && kind == o.kind; }
    };

    RoomSession* session = nullptr;
    CTableGridModel grid;
    std::vector<Line> chat;
    std::vector<Line> speaker;
    std::vector<tagSpeakerInfo> allowances;
    std::vector<std::string> events;
    std::u16string refusal;
    std::vector<uint32_t> removed;
    std::vector<GameMessage> toGame;
    std::vector<uint32_t> usersToGame;
    std::vector<bool> tableStates;
    std::vector<std::pair<uint16_t, uint16_t>> seatsTaken;
    int passwordDialogs = 0;
};

class RoomSessionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CClientGlobal::SetMessageBoxHandler(&CaptureBox);
        SessionBoxes().clear();
        UserRecord& logon = CClientGlobal::GetInstance()->GetUserRecord();
        logon.dwUserID = 1001;
        view.session = &session;
        socket = new FakeSocket();
        session.SetSocket(std::unique_ptr<IClientSocket>(socket));
        GameKindRecord kind{};
        kind.wKindID = 200;
        GameServerRecord server{};
        server.wKindID = 200;
        server.wServerPort = 16100;
        session.Connect(kind, server, {"127.0.0.1"});
    }
    void TearDown() override { CClientGlobal::SetMessageBoxHandler(nullptr); }

    bool Read(uint16_t main, uint16_t sub, const Bytes& data = Bytes())
    {
        return session.OnSocketRead(MakeCommand(main, sub), data.empty() ? nullptr : data.data(), data.size(), socket);
    }
    // Logged on in a room of 6 tables of 3 chairs with me (1001) and others.
    void LogOn(const std::vector<UserEntry>& users)
    {
        ASSERT_TRUE(session.OnSocketLink(0, "", socket));
        ASSERT_TRUE(Read(1, 100));
        Bytes config;
        PutU16(config, 6);
        PutU16(config, 3);
        config.resize(sizeof(tagRoomConfig), 0);
        ASSERT_TRUE(Read(2, 101, config));
        for (const UserEntry& u : users)
            ASSERT_TRUE(Read(3, 100, UserEnter(u)));
        ASSERT_TRUE(Read(1, 102));
    }
    static UserEntry Entry(uint32_t id, uint16_t table = INVALID_TABLE, uint16_t chair = INVALID_CHAIR,
                         uint8_t status = US_FREE)
    {
        UserEntry u;
        u.userId = id;
        u.gameId = 100000 + id;
        u.nick = u"user";
        u.table = table;
        u.chair = chair;
        u.status = status;
        return u;
    }
    const tagUserData* Find(uint32_t id) { return session.GetUserManager().SearchUserByUserID(id); }

    FakeView view;
    RoomSession session{&view};
    FakeSocket* socket = nullptr;
};

TEST_F(RoomSessionTest, LogOnMovesThroughItsStates)
{
    EXPECT_EQ(session.GetRoomState(), RoomSession::kRoomIdle);
    ASSERT_TRUE(session.OnSocketLink(0, "", socket));
    EXPECT_EQ(session.GetRoomState(), RoomSession::kRoomLinked);
    ASSERT_EQ(socket->SentWith(1, 1).size(), 1u);
    EXPECT_EQ(socket->SentWith(1, 1)[0].size(), sizeof(RoomLogonRequest));
    ASSERT_TRUE(Read(1, 100));
    EXPECT_EQ(session.GetRoomState(), RoomSession::kRoomLoggedOn);
    ASSERT_TRUE(Read(1, 102));
    EXPECT_EQ(session.GetRoomState(), RoomSession::kRoomReady);
    EXPECT_EQ(view.events, (std::vector<std::string>{"logged on", "finished"}));
}

TEST_F(RoomSessionTest, RefusalKeepsTheReasonAndAShortOneIsRefused)
{
    Bytes refusal(6, 0);
    PutText(refusal, u"满了");
    EXPECT_FALSE(Read(1, 101, Bytes(5, 0)));
    EXPECT_EQ(session.GetRoomState(), RoomSession::kRoomIdle);
    ASSERT_TRUE(Read(1, 101, refusal));
    EXPECT_EQ(session.GetRoomState(), RoomSession::kRoomRefused);
    EXPECT_EQ(view.refusal, u"满了");
}

TEST_F(RoomSessionTest, ClosedSessionReadsNothing)
{
    session.Close();
    EXPECT_TRUE(socket->closed);
    EXPECT_TRUE(Read(1, 100));
    EXPECT_EQ(session.GetRoomState(), RoomSession::kRoomIdle);
}

// Messages shorter (or longer) than their records are refused before any
// state changes.
TEST_F(RoomSessionTest, MalformedMessagesAreRefused)
{
    LogOn({Entry(1001)});
    const struct
    {
        uint16_t main, sub;
        size_t size;
    } cases[] = {
        {2, 101, sizeof(tagRoomConfig) - 1},  // configuration
        {3, 100, Sexy::kUserHead - 1},        // user enter
        {3, 101, sizeof(UserScoreMessage) - 1},
        {3, 102, kUserStatusMinSize - 1},
        {3, 103, kSitFailedMinSize - 1},
        {3, 211, 269},  // chat
        {3, 302, 5},    // room message
        {3, 308, 393},  // loudspeaker
        {3, 70, 15},    // loudspeaker allowance
        {4, 100, 3},    // table list: odd size
        {4, 101, 5},    // one table: exact size only
        {1000, 1, 4},   // system message: head only
    };
    for (const auto& c : cases)
        EXPECT_FALSE(Read(c.main, c.sub, Bytes(c.size, 0))) << c.main << "/" << c.sub;
    EXPECT_EQ(session.GetUserManager().GetUserCount(), 1u);
}

// A user's status moves him on the grid: sitting, changing seats, standing
// up and leaving the room, each leaving no chair behind.
TEST_F(RoomSessionTest, StatusMovesAUserOnTheGrid)
{
    LogOn({Entry(1001), Entry(2, 1, 1, US_SIT)});
    const tagUserData* two = Find(2);
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(view.grid.GetChairUser(1, 1), two);

    ASSERT_TRUE(Read(3, 102, UserStatus(2, 4, 2, US_READY)));
    EXPECT_EQ(view.grid.GetChairUser(1, 1), nullptr);
    EXPECT_EQ(view.grid.GetChairUser(4, 2), two);
    EXPECT_EQ(view.grid.GetTableInfo(4)->chairStatus[2], US_READY);

    ASSERT_TRUE(Read(3, 102, UserStatus(2, INVALID_TABLE, INVALID_CHAIR, US_FREE)));
    EXPECT_EQ(view.grid.GetChairUser(4, 2), nullptr);
    EXPECT_EQ(Find(2), two);

    ASSERT_TRUE(Read(3, 102, UserStatus(2, 0, 0, US_SIT)));
    ASSERT_TRUE(Read(3, 102, UserStatus(2, 0, 0, US_NULL)));
    EXPECT_EQ(view.grid.GetChairUser(0, 0), nullptr);
    EXPECT_EQ(Find(2), nullptr);
    EXPECT_EQ(view.removed, std::vector<uint32_t>{2});
}

TEST_F(RoomSessionTest, LookerOnIsNotSeatedOnTheGrid)
{
    LogOn({Entry(1001), Entry(2, 2, 0, US_SIT), Entry(3)});
    ASSERT_TRUE(Read(3, 102, UserStatus(3, 2, 0, US_LOOKON)));
    EXPECT_EQ(view.grid.GetChairUser(2, 0), Find(2));
    EXPECT_EQ(Find(3)->wTableID, 2);
}

// My own status: a new seat starts the game there once; the same seat again
// does not; the request is over either way.
TEST_F(RoomSessionTest, MyNewSeatStartsTheGameOnce)
{
    LogOn({Entry(1001)});
    ASSERT_TRUE(session.RequestSitDown(3, 1));
    EXPECT_EQ(session.GetRequestTable(), 3);
    ASSERT_TRUE(Read(3, 102, UserStatus(1001, 3, 1, US_SIT)));
    EXPECT_EQ(session.GetRequestTable(), INVALID_TABLE);
    ASSERT_TRUE(Read(3, 102, UserStatus(1001, 3, 1, US_READY)));
    ASSERT_EQ(view.seatsTaken.size(), 1u);
    EXPECT_EQ(view.seatsTaken[0], std::make_pair(uint16_t{3}, uint16_t{1}));
    EXPECT_TRUE(session.IsSeated());
}

// What reaches the game: status changes at my table (mine and others'), the
// users who sit down there, and nothing of other tables.
TEST_F(RoomSessionTest, OnlyMyTableIsRelayedToTheGame)
{
    LogOn({Entry(1001, 2, 0, US_SIT), Entry(2), Entry(3)});
    ASSERT_TRUE(Read(3, 102, UserStatus(2, 2, 1, US_SIT)));
    ASSERT_TRUE(Read(3, 102, UserStatus(3, 5, 1, US_SIT)));
    EXPECT_EQ(view.usersToGame, std::vector<uint32_t>{2});
    ASSERT_EQ(view.toGame.size(), 1u);
    EXPECT_EQ(view.toGame[0].main, Sexy::IPC_MAIN_USER);
    EXPECT_EQ(view.toGame[0].sub, Sexy::IPC_SUB_USER_STATUS);
    ASSERT_EQ(view.toGame[0].data.size(), sizeof(UserStatusMessage));
    EXPECT_EQ(U32At(view.toGame[0].data, 0), 2u);
    EXPECT_EQ(U16At(view.toGame[0].data, 4), 2);
    EXPECT_EQ(U16At(view.toGame[0].data, 6), 1);

    // Leaving my table is still news there.
    ASSERT_TRUE(Read(3, 102, UserStatus(2, INVALID_TABLE, INVALID_CHAIR, US_FREE)));
    EXPECT_EQ(view.toGame.size(), 2u);
}

TEST_F(RoomSessionTest, MyTableStateFollowsItsTableOnly)
{
    LogOn({Entry(1001, 2, 0, US_SIT)});
    Bytes other, mine;
    PutU16(other, 3);
    other.push_back(0);
    other.push_back(1);
    PutU16(mine, 2);
    mine.push_back(1);
    mine.push_back(1);
    ASSERT_TRUE(Read(4, 101, other));
    EXPECT_FALSE(session.IsMyTablePlaying());
    EXPECT_TRUE(view.tableStates.empty());
    ASSERT_TRUE(Read(4, 101, mine));
    EXPECT_TRUE(session.IsMyTablePlaying());
    EXPECT_EQ(view.tableStates, std::vector<bool>{true});
    EXPECT_TRUE(view.grid.GetTableInfo(2)->bLocked);
}

// A locked table asks for its password first; OK sends the sit-down with it
// and keeps it for the next one.
TEST_F(RoomSessionTest, LockedTableSitsDownWithThePassword)
{
    LogOn({Entry(1001)});
    Bytes list;
    PutU16(list, 2);
    list.insert(list.end(), {0, 0, 1, 0});
    ASSERT_TRUE(Read(4, 100, list));
    ASSERT_TRUE(session.RequestSitDown(1, 2));
    EXPECT_EQ(view.passwordDialogs, 1);
    EXPECT_TRUE(socket->SentWith(3, 3).empty());
    EXPECT_EQ(session.GetPendingTable(), 1);
    ASSERT_TRUE(session.SendSitDown("abc"));
    const std::vector<Bytes> sent = socket->SentWith(3, 3);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(U16At(sent[0], 0), 1);
    EXPECT_EQ(U16At(sent[0], 2), 2);
    EXPECT_EQ(TextAt(sent[0], 5, 33), u"abc");
    EXPECT_EQ(session.GetTablePassword(), "abc");
    EXPECT_EQ(session.GetRequestTable(), 1);
}

TEST_F(RoomSessionTest, SitDownRefusals)
{
    EXPECT_FALSE(session.RequestSitDown(0, 0));  // not logged on
    LogOn({Entry(1001, 0, 0, US_SIT), Entry(2, 1, 1, US_SIT)});
    EXPECT_FALSE(session.RequestSitDown(0, 0));  // my own chair: nothing said
    EXPECT_TRUE(SessionBoxes().empty());
    EXPECT_FALSE(session.RequestSitDown(1, 1));
    ASSERT_EQ(SessionBoxes().size(), 1u);
    EXPECT_EQ(SessionBoxes()[0], "座位已被占用");
    ASSERT_TRUE(Read(3, 102, UserStatus(1001, 0, 0, US_PLAY)));
    EXPECT_FALSE(session.RequestSitDown(2, 2));
    EXPECT_EQ(SessionBoxes().size(), 2u);
    EXPECT_TRUE(socket->SentWith(3, 3).empty());
}

TEST_F(RoomSessionTest, FailedRequestEndsIt)
{
    LogOn({Entry(1001)});
    ASSERT_TRUE(session.RequestSitDown(2, 2));
    Bytes failure(4, 0);
    PutText(failure, u"不行");
    failure.resize(failure.size() + 2, 0);
    ASSERT_TRUE(Read(3, 103, failure));
    EXPECT_EQ(session.GetRequestTable(), INVALID_TABLE);
    ASSERT_EQ(SessionBoxes().size(), 1u);
    EXPECT_EQ(SessionBoxes()[0], "不行");
    EXPECT_TRUE(session.RequestSitDown(2, 2));
}

TEST_F(RoomSessionTest, MyScoreReachesTheLoggedOnRecord)
{
    LogOn({Entry(1001)});
    ASSERT_TRUE(Read(3, 101, UserScore(1001, 4321, 99)));
    const UserRecord& logon = CClientGlobal::GetInstance()->GetUserRecord();
    EXPECT_EQ(int64_t{logon.lScore}, 4321);
    EXPECT_EQ(int64_t{logon.lInsureScore}, 99);
}

TEST_F(RoomSessionTest, SystemMessageFlagsChooseWhereItGoes)
{
    LogOn({Entry(1001)});
    auto message = [](uint16_t flags, const std::u16string& text) {
        Bytes b;
        PutU16(b, flags);
        PutU16(b, static_cast<uint16_t>(text.size()));
        PutText(b, text);
        return b;
    };
    ASSERT_TRUE(Read(1000, 1, message(0x0002, u"注意")));
    ASSERT_TRUE(Read(1000, 1, message(0x0002, u"对方被迫离开了")));
    EXPECT_EQ(SessionBoxes(), std::vector<std::string>{"注意"});
    EXPECT_TRUE(std::find(view.events.begin(), view.events.end(), "leave") == view.events.end());
    ASSERT_TRUE(Read(1000, 1, message(0x0100, u"再见")));
    EXPECT_EQ(view.events.back(), "leave");
}

// The configuration the game is told: my seat, then the kind, server and
// room values at their offsets, the two names, and zeros elsewhere.
TEST(RoomSessionConfig, FilledFromMySeatAndTheRoomsRecords)
{
    FakeView view;
    RoomSession session(&view);
    view.session = &session;
    auto* socket = new FakeSocket();
    session.SetSocket(std::unique_ptr<IClientSocket>(socket));
    GameKindRecord kind;
    std::memset(&kind, 0xEE, sizeof(kind));
    kind.wKindID = 200;
    SetFieldText(kind.szKindName, u"斗地主");
    GameServerRecord server;
    std::memset(&server, 0xEE, sizeof(server));
    server.wKindID = 200;
    server.wServerID = 0x1234;
    SetFieldText(server.szServerAddr, u"127.0.0.1");
    SetFieldText(server.szServerName, u"欢乐斗地主一区");
    session.Connect(kind, server, {});

    Sexy::GameServerConfig config;
    EXPECT_FALSE(session.BuildGameConfig(config));  // nobody is me yet

    Bytes roomConfig;
    PutU16(roomConfig, 12);
    PutU16(roomConfig, 3);
    PutU16(roomConfig, 0x4321);
    PutU32(roomConfig, 0x89ABCDEF);
    roomConfig.resize(sizeof(tagRoomConfig), 0xEE);
    ASSERT_TRUE(session.OnSocketRead(MakeCommand(2, 101), roomConfig.data(), roomConfig.size(), socket));
    UserEntry me;
    me.userId = 0xCAFE;
    me.gameId = 1;
    me.table = 11;
    me.chair = 2;
    me.status = US_SIT;
    const Bytes enter = UserEnter(me);
    ASSERT_TRUE(session.OnSocketRead(MakeCommand(3, 100), enter.data(), enter.size(), socket));

    ASSERT_TRUE(session.BuildGameConfig(config));
    const Bytes b = AsBytes(config);
    ASSERT_EQ(b.size(), 166u);
    EXPECT_EQ(U16At(b, 0), 11);
    EXPECT_EQ(U16At(b, 2), 2);
    EXPECT_EQ(U32At(b, 4), 0xCAFEu);
    EXPECT_EQ(U32At(b, 8), 0u);
    EXPECT_EQ(U32At(b, 12), 0u);
    EXPECT_EQ(U16At(b, 16), 200);
    EXPECT_EQ(U16At(b, 18), 0x1234);
    EXPECT_EQ(U16At(b, 20), 0x4321);
    EXPECT_EQ(U32At(b, 22), 0x89ABCDEFu);
    EXPECT_EQ(TextAt(b, 26, 32), u"欢乐斗地主一区");
    EXPECT_EQ(U16At(b, 90), 0);
    EXPECT_EQ(U32At(b, 92), 0u);
    EXPECT_EQ(U16At(b, 96), 3);
    EXPECT_EQ(U32At(b, 98), 0u);  // the option value the game sends back
    EXPECT_EQ(TextAt(b, 102, 32), u"斗地主");
}

TEST_F(RoomSessionTest, ShutConnectionTellsThePlayerOnce)
{
    LogOn({Entry(1001)});
    ASSERT_TRUE(session.OnSocketShut(socket, SocketShutReason{}));
    EXPECT_TRUE(socket->closed);
    EXPECT_EQ(SessionBoxes().size(), 1u);
    EXPECT_EQ(view.events.back(), "shut");
}

// Every text of a chat, loudspeaker line or notice is read no further than
// its field and its message: full fields without a terminator, a chat of
// count 0 with no text at all.
TEST_F(RoomSessionTest, TextsStopAtTheirFields)
{
    LogOn({Entry(1001)});
    using Line = FakeView::Line;

    Bytes chat(270, 0);
    for (size_t at = 14; at < 270; at += 2)
        chat[at] = 'A';  // a sender of 128 units, no terminator
    ASSERT_TRUE(Read(3, 211, chat));
    PutText(chat, u"你好");
    chat[0] = 2;
    ASSERT_TRUE(Read(3, 211, chat));
    const std::string sender(128, 'A');
    EXPECT_EQ(view.chat, (std::vector<Line>{{sender, "", 0}, {sender, "你好", 0}}));

    SpeakerMessage line{};
    line.wType = 19;
    Bytes speaker = AsBytes(line);
    for (size_t at = 10; at < 74; at += 2)
        speaker[at] = 'S';
    for (size_t at = 138; at < 394; at += 2)
        speaker[at] = 'T';
    ASSERT_TRUE(Read(3, 308, speaker));
    speaker[0] = 7;  // a type that only scrolls
    ASSERT_TRUE(Read(3, 308, speaker));
    EXPECT_EQ(view.speaker, (std::vector<Line>{{std::string(32, 'S'), std::string(128, 'T'), 19},
                                               {std::string(32, 'S'), std::string(128, 'T'), 7}}));

    Bytes notice;
    PutU16(notice, kNoticeToChat | kNoticeToBox);
    PutU16(notice, 2);
    PutText(notice, u"维护");
    ASSERT_TRUE(Read(1000, 1, notice));
    EXPECT_EQ(view.chat.back(), (Line{"系统公告", "维护", 1}));
    EXPECT_EQ(SessionBoxes(), std::vector<std::string>{"维护"});

    Bytes message(6, 0);
    PutText(message, u"房间消息");  // no terminator
    ASSERT_TRUE(Read(3, 302, message));
    EXPECT_EQ(SessionBoxes().back(), "房间消息");
}

TEST_F(RoomSessionTest, AllowanceOpensTheSpeakerDialog)
{
    LogOn({Entry(1001)});
    Bytes allowance;
    for (uint32_t v : {5000u, 20000u, 3u, 1u})
        PutU32(allowance, v);
    ASSERT_TRUE(Read(3, 70, allowance));
    ASSERT_EQ(view.allowances.size(), 1u);
    EXPECT_EQ(uint32_t{view.allowances[0].dwSmallPrice}, 5000u);
    EXPECT_EQ(uint32_t{view.allowances[0].dwBigPrice}, 20000u);
    EXPECT_EQ(uint32_t{view.allowances[0].dwSmallCount}, 3u);
    EXPECT_EQ(uint32_t{view.allowances[0].dwBigCount}, 1u);
    allowance.push_back(0);
    EXPECT_FALSE(Read(3, 70, allowance));
    EXPECT_EQ(view.allowances.size(), 1u);

    ASSERT_TRUE(session.SendSpeaker(0, CClientGlobal::UTF8ToGBK("有人吗")));
    const std::vector<Bytes> sent = socket->SentWith(3, 305);
    ASSERT_EQ(sent.size(), 1u);
    ASSERT_EQ(sent[0].size(), 263u);
    EXPECT_EQ(U16At(sent[0], 1), 19);
    EXPECT_EQ(TextAt(sent[0], 7, 128), u"有人吗");
}

}  // namespace
}  // namespace roomtest
