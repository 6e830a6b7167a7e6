#include "NetTestUtil.h"

#include "core/ClientGlobal.h"
#include "tools/roomsim/RoomServer.h"
#include "tools/roomsim/Scenario.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fstream>
#include <set>
#include <sstream>
#include <thread>

using nettest::Event;
using nettest::Pump;

extern char** environ;

namespace {

roomsim::Scenario Parse(const std::string& json)
{
    roomsim::Scenario s;
    std::string error;
    EXPECT_TRUE(roomsim::ParseScenario(json, s, error)) << error;
    return s;
}

std::string ParseError(const std::string& json)
{
    roomsim::Scenario s;
    std::string error;
    EXPECT_FALSE(roomsim::ParseScenario(json, s, error)) << json;
    return error;
}

std::vector<uint8_t> SendBody(const std::string& fieldsJson)
{
    auto s = Parse(R"({"steps":[{"send":{"main":9,"sub":9,"fields":)" + fieldsJson + "}}]}");
    std::vector<uint8_t> body;
    std::string error;
    EXPECT_TRUE(roomsim::BuildBody(s.steps.at(0).fields, body, error)) << error;
    return body;
}

// The room log-on as a client builds it: 162 bytes.
std::vector<uint8_t> RoomLogon(uint32_t userId, uint16_t kind, size_t size = roomsim::kRoomLogonSize)
{
    std::vector<uint8_t> body(roomsim::kRoomLogonSize, 0);
    std::memcpy(&body[12], &userId, 4);
    wire::WriteText(&body[16], 33, u"0123456789abcdef0123456789abcdef");
    wire::WriteText(&body[82], 33, u"fedcba9876543210fedcba9876543210");
    std::memcpy(&body[148], &kind, 2);
    const uint32_t version = 5002, three = 3;
    std::memcpy(&body[154], &version, 4);
    std::memcpy(&body[158], &three, 4);
    body.resize(size);
    return body;
}

std::string SourcePath(const std::string& relative) { return std::string(KEST_SOURCE_DIR) + "/" + relative; }

// roomsim in a thread on an ephemeral port, its log captured.
class SimRun
{
public:
    explicit SimRun(const roomsim::Scenario& scenario) : m_scenario(scenario)
    {
        m_log = open_memstream(&m_logText, &m_logSize);
        m_server = std::make_unique<roomsim::RoomServer>(m_scenario, m_log);
        std::string error;
        EXPECT_TRUE(m_server->Listen("127.0.0.1", 0, error)) << error;
        m_thread = std::thread([this] { m_status = m_server->Serve(nettest::kPatienceMs); });
    }
    ~SimRun()
    {
        Finish();
        std::fclose(m_log);
        std::free(m_logText);
    }
    uint16_t Port() const { return m_server->Port(); }
    int Finish()
    {
        if (m_thread.joinable())
            m_thread.join();
        return m_status;
    }
    std::string Log()
    {
        Finish();
        std::fflush(m_log);
        return std::string(m_logText, m_logSize);
    }

private:
    roomsim::Scenario m_scenario;
    std::FILE* m_log = nullptr;
    char* m_logText = nullptr;
    size_t m_logSize = 0;
    std::unique_ptr<roomsim::RoomServer> m_server;
    std::thread m_thread;
    int m_status = -1;
};

// A client of the room on the real transport.
struct RoomClient
{
    explicit RoomClient(uint16_t port, CTCPSocketModule::Clock clock = nullptr)
    {
        module.SetClock(std::move(clock));
        module.SetSocketSink(&sink);
        module.Connect({"127.0.0.1"}, "player", port);
        linked = Pump(module, [&] { return sink.Count(Event::Link) == 1; }) && sink.events[0].error == kLinkOK;
    }
    bool WaitReads(size_t n)
    {
        return Pump(module, [&] { return sink.Count(Event::Read) >= n || sink.Count(Event::Shut) != 0; }) &&
               sink.Count(Event::Read) >= n;
    }
    bool WaitShut()
    {
        return Pump(module, [&] { return sink.Count(Event::Shut) != 0; });
    }

    nettest::RecordingSink sink;
    CTCPSocketModule module;
    bool linked = false;
};

const char kLogonThenClose[] = R"({
  "name": "log-on only",
  "logon": { "fields": [ { "offset": 12, "u32": 4242 }, { "offset": 148, "u16": 200 } ] },
  "steps": [ { "send": { "main": 1, "sub": 100 } }, { "send": { "main": 1, "sub": 102 } }, { "close": true } ]
})";

}  // namespace

TEST(RoomSimScenario, RefusesBrokenFilesWithAClearReason)
{
    EXPECT_NE(ParseError("{").find("not JSON"), std::string::npos);
    EXPECT_NE(ParseError(R"({"steps":[{"dance":{}}]})").find("step 1: unknown step \"dance\""), std::string::npos);
    EXPECT_NE(ParseError(R"({"steps":[{"send":{"sub":1}}]})").find("\"main\" is missing"), std::string::npos);
    EXPECT_NE(ParseError(R"({"steps":[{"send":{"main":1,"sub":1,"fields":[{"u8":256}]}}]})").find("out of range"),
              std::string::npos);
    EXPECT_NE(ParseError(R"({"steps":[{"send":{"main":1,"sub":1,"fields":[{"u16":1},{"offset":1,"u8":1}]}}]})")
                  .find("overlaps"),
              std::string::npos);
    EXPECT_NE(
        ParseError(R"({"steps":[{"send":{"main":1,"sub":1,"fields":[{"zeros":65535},{"u8":1}]}}]})").find("65535"),
        std::string::npos);
    EXPECT_NE(ParseError(R"({"steps":[{"send":{"main":1,"sub":1,"hex":"abc"}}]})").find("hex"), std::string::npos);
    EXPECT_NE(
        ParseError(R"({"steps":[{"expect":{"main":1,"sub":1,"fields":[{"offset":0,"text":"a"}]}}]})").find("units"),
        std::string::npos);
    EXPECT_NE(ParseError(R"({"steps":[{"bots":[{"user":1,"chiar":2}]}]})").find("bot 1: unknown key \"chiar\""),
              std::string::npos);
    EXPECT_NE(ParseError(R"({"steps":[{"repeat":{"steps":[{"wait":1}]}}]})").find("\"times\" is missing"),
              std::string::npos);
    EXPECT_NE(ParseError(R"({"steps":[{"repeat":{"times":2,"steps":[]}}]})").find("list of steps"), std::string::npos);
    EXPECT_NE(ParseError(R"({"steps":[{"repeat":{"times":2,"steps":[{"wait":1},{"close":true}]}}]})")
                  .find("step 1: repeated step 2: a round cannot close"),
              std::string::npos);
    EXPECT_NE(ParseError(R"({"steps":[{"repeat":{"times":2,"steps":[{"wait":-1}]}}]})").find("repeated step 1"),
              std::string::npos);
    EXPECT_NE(ParseError(R"({"steps":[], "end":"later"})").find("end"), std::string::npos);
    EXPECT_NE(ParseError(R"({"steps":[], "connection":"lobby"})").find("connection"), std::string::npos);
    EXPECT_NE(ParseError(R"({"steps":[], "connection":"hall", "logon":{"fields":[]}})").find("log-on"),
              std::string::npos);
}

TEST(RoomSimScenario, BodiesAreBuiltByteExact)
{
    const auto body = SendBody(R"([{"u16":258},{"i32":-2},{"offset":8,"text":"ab","units":3},
                                   {"hex":"ff 01"},{"text":"z","item":10},{"text":"c"}])");
    const std::vector<uint8_t> expected = {2, 1, 0xFE, 0xFF, 0xFF, 0xFF, 0,  0, 'a', 0, 'b', 0,
                                           0, 0, 0xFF, 1,    2,    0,    10, 0, 'z', 0, 'c', 0};
    EXPECT_EQ(body, expected);
    EXPECT_EQ(SendBody(R"([{"zeros":65535}])").size(), 65535u) << "the largest body";
}

TEST(RoomSimScenario, FieldChecksNameTheFirstMismatch)
{
    auto s = Parse(R"({"steps":[{"expect":{"main":3,"sub":3,"fields":[
        {"offset":0,"u16":7},{"offset":2,"text":"pw","units":4},{"offset":10,"zeros":2}]}}]})");
    const auto& fields = s.steps[0].fields;
    std::vector<uint8_t> body(12, 0);
    body[0] = 7;
    wire::WriteText(&body[2], 4, u"pw");
    std::string mismatch;
    EXPECT_TRUE(roomsim::CheckFields(fields, body.data(), body.size(), mismatch)) << mismatch;
    body[0] = 8;
    EXPECT_FALSE(roomsim::CheckFields(fields, body.data(), body.size(), mismatch));
    EXPECT_NE(mismatch.find("offset 0 is 8, expected 7"), std::string::npos) << mismatch;
    body[0] = 7;
    body[11] = 1;
    EXPECT_FALSE(roomsim::CheckFields(fields, body.data(), body.size(), mismatch));
    EXPECT_NE(mismatch.find("byte 11"), std::string::npos) << mismatch;
    EXPECT_FALSE(roomsim::CheckFields(fields, body.data(), 11, mismatch)) << "a field past a short body";
    EXPECT_NE(mismatch.find("past the end"), std::string::npos) << mismatch;
    body[11] = 0;
    body[8] = 'x';  // after the text's terminator, inside its field
    EXPECT_FALSE(roomsim::CheckFields(fields, body.data(), body.size(), mismatch));
    EXPECT_NE(mismatch.find("after its text"), std::string::npos) << mismatch;
}

TEST(RoomSimScenario, ItemsAreCheckedWhole)
{
    auto s = Parse(R"({"steps":[{"expect":{"main":3,"sub":303,"fields":[
        {"offset":2,"text":"签名","item":3},{"text":"n","item":1}]}}]})");
    const auto& fields = s.steps[0].fields;
    std::vector<uint8_t> body = {9, 9, 4, 0, 3, 0, 0x7e, 0x7b, 0x0d, 0x54, 2, 0, 1, 0, 'n', 0};
    std::string mismatch;
    EXPECT_TRUE(roomsim::CheckFields(fields, body.data(), body.size(), mismatch)) << mismatch;
    body[12] = 2;
    EXPECT_FALSE(roomsim::CheckFields(fields, body.data(), body.size(), mismatch));
    EXPECT_NE(mismatch.find("offset 10 is an item of type 2"), std::string::npos) << mismatch;
}

TEST(RoomSimScenario, BotsEnterWithTheRoomUserEnterLayout)
{
    roomsim::BotSpec bot;
    bot.userId = 2001;
    bot.gameId = 200001;
    bot.nickname = std::u16string(40, u'x');
    bot.gender = 1;
    bot.memberLevel = 2;
    bot.table = 5;
    bot.chair = 1;
    bot.status = 3;
    bot.score = -12;
    bot.bank = 99;
    const auto body = roomsim::BuildUserEnter(bot, 7);
    ASSERT_EQ(body.size(), 82u + 4 + 62) << "the nickname keeps 31 units";
    wire::ByteReader r(body.data(), body.size());
    uint32_t gameId, userId;
    uint8_t gender, member, status;
    uint16_t table, chair, kind, itemSize, itemType;
    int64_t score, carried, bank;
    r.u32(gameId), r.u32(userId), r.skip(10), r.u8(gender), r.u8(member), r.skip(1);
    r.u16(table), r.u16(chair), r.u8(status), r.i64(score), r.i64(carried), r.i64(bank);
    r.skip(80 - r.offset()), r.u16(kind), r.u16(itemSize), r.u16(itemType);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(gameId, 200001u);
    EXPECT_EQ(userId, 2001u);
    EXPECT_EQ(gender, 1);
    EXPECT_EQ(member, 2);
    EXPECT_EQ(table, 5);
    EXPECT_EQ(chair, 1);
    EXPECT_EQ(status, 3);
    EXPECT_EQ(score, -12);
    EXPECT_EQ(bank, 99);
    EXPECT_EQ(kind, 3);
    EXPECT_EQ(itemSize, 62);
    EXPECT_EQ(itemType, 10);

    bot.logonUser = true;
    const auto mine = roomsim::BuildUserEnter(bot, 4242);
    uint32_t mineId;
    std::memcpy(&mineId, &mine[4], 4);
    EXPECT_EQ(mineId, 4242u) << "\"user\": \"logon\" takes the id of the log-on";
}

TEST(RoomSimEndToEnd, AcceptsTheRoomLogonSentThroughTheTransport)
{
    CClientGlobal::GetInstance()->GetUserRecord().dwClientAddr = 0;
    SimRun sim(Parse(kLogonThenClose));
    RoomClient client(sim.Port());
    ASSERT_TRUE(client.linked);
    ASSERT_TRUE(client.module.SendData(1, 1, RoomLogon(4242, 200).data(), roomsim::kRoomLogonSize));
    ASSERT_TRUE(client.WaitShut());
    EXPECT_EQ(client.sink.Commands(), (std::vector<uint32_t>{1 | 100u << 16, 1 | 102u << 16}));
    EXPECT_EQ(client.sink.events.back().reason, SocketShutReason::Remote);
    EXPECT_EQ(sim.Finish(), roomsim::kPassed) << sim.Log();
    EXPECT_EQ(CClientGlobal::GetInstance()->GetUserRecord().dwClientAddr, 0x0100007Fu)
        << "the server's address notice reached the client object";
    const std::string log = sim.Log();
    EXPECT_NE(log.find("<- 1/1 162 bytes"), std::string::npos) << log;
    EXPECT_NE(log.find("-> 1/100 0 bytes"), std::string::npos) << log;
}

// The hall connection of the personal centre: no room log-on, the steps
// start at once.
TEST(RoomSimEndToEnd, HallConnectionPlaysWithoutARoomLogon)
{
    SimRun sim(Parse(R"({
      "connection": "hall",
      "steps": [
        { "expect": { "main": 3, "sub": 302, "size": 74, "fields": [ { "offset": 4, "u32": 1001 } ] } },
        { "send": { "main": 3, "sub": 301, "fields": [ { "u32": 0 }, { "u8": 1 }, { "text": "签名", "item": 3 } ] } },
        { "close": true }
      ]
    })"));
    RoomClient client(sim.Port());
    ASSERT_TRUE(client.linked);
    std::vector<uint8_t> query(74, 0);
    const uint32_t user = 1001;
    std::memcpy(&query[4], &user, 4);
    ASSERT_TRUE(client.module.SendData(3, 302, query.data(), query.size()));
    ASSERT_TRUE(client.WaitShut());
    EXPECT_EQ(client.sink.Commands(), (std::vector<uint32_t>{3 | 301u << 16}));
    EXPECT_EQ(sim.Finish(), roomsim::kPassed) << sim.Log();
    EXPECT_NE(sim.Log().find("hall connection, no room log-on"), std::string::npos) << sim.Log();
}

TEST(RoomSimEndToEnd, DemoScenarioFillsTheRoom)
{
    roomsim::Scenario demo;
    std::string error;
    ASSERT_TRUE(roomsim::LoadScenario(SourcePath("scenarios/room_demo.json"), demo, error)) << error;
    SimRun sim(demo);
    RoomClient client(sim.Port());
    ASSERT_TRUE(client.linked);
    client.module.SendData(1, 1, RoomLogon(4242, 200).data(), roomsim::kRoomLogonSize);
    ASSERT_TRUE(client.WaitReads(12));
    const auto& ev = client.sink.events;
    std::vector<uint32_t> commands = client.sink.Commands();
    ASSERT_EQ(commands.size(), 12u);
    EXPECT_EQ(commands.front(), 1 | 100u << 16) << "log-on success first";
    EXPECT_EQ(commands[1], 2 | 101u << 16);
    EXPECT_EQ(ev[2].body.size(), 26u) << "room configuration";
    EXPECT_EQ(commands[10], 1 | 102u << 16) << "log-on finished after the users";
    EXPECT_EQ(commands[11], 4 | 100u << 16);
    EXPECT_EQ(ev[12].body.size(), 2u + 2 * 12) << "a state for every table";
    uint32_t firstUser;
    std::memcpy(&firstUser, &ev[3].body[4], 4);
    EXPECT_EQ(firstUser, 4242u) << "my own record comes first";

    client.module.CloseSocket();  // the player leaves: the held room ends well
    EXPECT_EQ(sim.Finish(), roomsim::kPassed) << sim.Log();
}

TEST(RoomSimEndToEnd, RepeatPlaysItsRoundsInOrder)
{
    auto scenario = Parse(R"({"steps":[{"repeat":{"times":3,"steps":[{"send":{"main":7,"sub":1}},
                                {"wait":1},{"send":{"main":7,"sub":2}}]}},{"send":{"main":7,"sub":3}}],"end":"close"})");
    SimRun sim(scenario);
    RoomClient client(sim.Port());
    ASSERT_TRUE(client.linked);
    client.module.SendData(1, 1, RoomLogon(1, 200).data(), roomsim::kRoomLogonSize);
    ASSERT_TRUE(client.WaitReads(7));
    const std::vector<uint32_t> expected = {7 | 1u << 16, 7 | 2u << 16, 7 | 1u << 16, 7 | 2u << 16,
                                            7 | 1u << 16, 7 | 2u << 16, 7 | 3u << 16};
    EXPECT_EQ(client.sink.Commands(), expected);
    EXPECT_EQ(sim.Finish(), roomsim::kPassed) << sim.Log();
}

TEST(RoomSimEndToEnd, AnswersKeepAliveWithoutDisturbingTheScenario)
{
    auto scenario = Parse(R"({"steps":[{"expect":{"main":3,"sub":4,"size":5}},{"close":true}]})");
    SimRun sim(scenario);
    uint64_t now = 0;
    UserRecord& me = CClientGlobal::GetInstance()->GetUserRecord();
    me.dwClientAddr = 0;
    RoomClient client(sim.Port(), [&] { return now; });
    client.module.SendData(1, 1, RoomLogon(1, 200).data(), roomsim::kRoomLogonSize);
    // Once the address notice is in, the next thing the client hears is our answer.
    ASSERT_TRUE(Pump(client.module, [&] { return me.dwClientAddr != 0; }));
    now += CTCPSocketModule::kKeepAliveIdleMs;
    client.module.OnUpdate();  // sends a keep-alive first
    const uint8_t standUp[5] = {1, 0, 2, 0, 1};
    client.module.SendData(3, 4, standUp, 5);
    ASSERT_TRUE(client.WaitShut());
    EXPECT_EQ(sim.Finish(), roomsim::kPassed);
    const std::string log = sim.Log();
    EXPECT_NE(log.find("<- 0/1 0 bytes"), std::string::npos) << log;
    EXPECT_NE(log.find("-> 0/1 0 bytes"), std::string::npos) << log;
}

TEST(RoomSimEndToEnd, FailsClearlyOnWhatItDoesNotExpect)
{
    struct Case
    {
        const char* name;
        std::string scenario;
        std::function<void(CTCPSocketModule&)> client;
        int status;
        const char* logged;
    };
    const std::string sitDown = R"({"steps":[{"expect":{"main":3,"sub":3,"size":71,"timeout":3000}}]})";
    const std::vector<Case> cases = {
        {"short log-on", kLogonThenClose,
         [](CTCPSocketModule& m) { m.SendData(1, 1, RoomLogon(4242, 200, 161).data(), 161); }, roomsim::kUnexpected,
         "expected the room log-on 1/1 of 162 bytes, got 1/1 of 161 bytes"},
        {"wrong log-on field", kLogonThenClose,
         [](CTCPSocketModule& m) { m.SendData(1, 1, RoomLogon(4242, 350).data(), roomsim::kRoomLogonSize); },
         roomsim::kUnexpected, "offset 148 is 350, expected 200"},
        {"wrong command", sitDown,
         [](CTCPSocketModule& m) {
             m.SendData(1, 1, RoomLogon(1, 200).data(), roomsim::kRoomLogonSize);
             m.SendData(3, 4, "\0\0\0\0\1", 5);
         },
         roomsim::kUnexpected, "step 1: expected 3/3 of 71 bytes, got 3/4 of 5 bytes"},
        {"client leaves", sitDown,
         [](CTCPSocketModule& m) {
             m.SendData(1, 1, RoomLogon(1, 200).data(), roomsim::kRoomLogonSize);
             m.CloseSocket();
         },
         roomsim::kClientLeft, "step 1: expected 3/3"},
        {"nothing comes", R"({"steps":[{"expect":{"main":3,"sub":3,"timeout":50}}]})",
         [](CTCPSocketModule& m) { m.SendData(1, 1, RoomLogon(1, 200).data(), roomsim::kRoomLogonSize); },
         roomsim::kTimedOut, "timed out"},
    };
    for (const auto& c : cases)
    {
        SimRun sim(Parse(c.scenario));
        RoomClient client(sim.Port());
        ASSERT_TRUE(client.linked) << c.name;
        c.client(client.module);
        Pump(client.module, [&] { return client.sink.Count(Event::Shut) != 0 || !client.module.IsLinked(); });
        EXPECT_EQ(sim.Finish(), c.status) << c.name;
        const std::string log = sim.Log();
        EXPECT_NE(log.find(c.logged), std::string::npos) << c.name << "\n" << log;
    }
}

// The landlord table with the player seated at table 5, chair 1: the
// client here plays its side of the game by hand.
class LandlordTableClient
{
public:
    explicit LandlordTableClient(uint16_t port) : client(port) {}

    // Waits for the next server message main/sub after those seen so far.
    const Event* Next(uint16_t main, uint16_t sub)
    {
        const uint32_t command = main | static_cast<uint32_t>(sub) << 16;
        Pump(client.module, [&] {
            for (size_t i = m_seen; i < client.sink.events.size(); ++i)
                if (client.sink.events[i].kind == Event::Read && client.sink.events[i].command == command)
                    return true;
            return client.sink.Count(Event::Shut) != 0;
        });
        for (size_t i = m_seen; i < client.sink.events.size(); ++i)
        {
            if (client.sink.events[i].kind == Event::Read && client.sink.events[i].command == command)
            {
                m_seen = i + 1;
                return &client.sink.events[i];
            }
        }
        return nullptr;
    }
    // Logs on, enters the game and says ready; the deal (200/100) that follows.
    const Event* EnterAndReady()
    {
        client.module.SendData(1, 1, RoomLogon(4242, 200).data(), roomsim::kRoomLogonSize);
        if (Next(3, 102) == nullptr)  // seated
            return nullptr;
        client.module.SendData(100, 1, std::vector<uint8_t>(9, 0).data(), 9);
        const Event* free = Next(100, 101);
        if (free == nullptr || free->body.size() != 56)
            return nullptr;
        client.module.SendData(100, 2, nullptr, 0);
        return Next(200, 100);
    }

    RoomClient client;

private:
    size_t m_seen = 0;
};

roomsim::Scenario LandlordTable(uint64_t seed)
{
    return Parse(R"({"steps":[{"bots":[{"user":"logon","game":1,"nick":"me"}]},
        {"landlord":{"table":5,"chair":1,"hands":1,"botdelay":0,"seed":)" +
                 std::to_string(seed) + "}}]}");
}

TEST(RoomSimLandlord, SeatsTwoBotsBesideThePlayerAndDealsHimSeventeenCards)
{
    SimRun sim(LandlordTable(7));
    LandlordTableClient player(sim.Port());
    ASSERT_TRUE(player.client.linked);
    const Event* deal = player.EnterAndReady();
    ASSERT_NE(deal, nullptr) << sim.Log();
    ASSERT_EQ(deal->body.size(), 23u);
    uint16_t first = 0;
    std::memcpy(&first, &deal->body[2], 2);
    EXPECT_LT(first, 3);
    std::set<uint8_t> cards(deal->body.begin() + 6, deal->body.end());
    EXPECT_EQ(cards.size(), 17u);
    // Two users entered standing and sat down at chairs 0 and 2.
    int enters = 0;
    for (const Event& e : player.client.sink.events)
        enters += e.kind == Event::Read && e.command == (3 | 100u << 16) ? 1 : 0;
    EXPECT_EQ(enters, 3);  // me and the two bots
    player.client.module.CloseSocket();
    EXPECT_EQ(sim.Finish(), roomsim::kClientLeft);
}

TEST(RoomSimLandlord, AGameMessageOutOfTurnFailsTheTable)
{
    SimRun sim(LandlordTable(7));
    LandlordTableClient player(sim.Port());
    ASSERT_NE(player.EnterAndReady(), nullptr) << sim.Log();
    // A pass in the calls: never a pass, and never before a free lead.
    player.client.module.SendData(200, 3, nullptr, 0);
    EXPECT_EQ(sim.Finish(), roomsim::kUnexpected) << sim.Log();
    const std::string log = sim.Log();
    EXPECT_TRUE(log.find("out of the player's turn") != std::string::npos ||
                log.find("on the player's turn came 200/3") != std::string::npos)
        << log;
}

TEST(RoomSimLandlord, ACallNotAboveTheHighestFailsTheTable)
{
    SimRun sim(LandlordTable(7));
    LandlordTableClient player(sim.Port());
    const Event* deal = player.EnterAndReady();
    ASSERT_NE(deal, nullptr) << sim.Log();
    uint16_t current = 0;
    std::memcpy(&current, &deal->body[2], 2);
    // Wait for my call: the deal's first caller, or a call naming me next.
    while (current != 1)
    {
        const Event* call = player.Next(200, 101);
        ASSERT_NE(call, nullptr) << "the calls ended before my turn\n" << sim.Log();
        std::memcpy(&current, &call->body[0], 2);
        ASSERT_NE(current, 0xFFFF) << sim.Log();
    }
    const uint8_t four = 4;
    player.client.module.SendData(200, 1, &four, 1);
    EXPECT_EQ(sim.Finish(), roomsim::kUnexpected);
    EXPECT_NE(sim.Log().find("a call of 4"), std::string::npos) << sim.Log();
}

TEST(RoomSimScenario, LandlordStepsTakeOnlyTheirKeysAndAWholeSeat)
{
    const roomsim::Scenario table = Parse(
        R"({"steps":[{"landlord":{"seed":3,"hands":2,"out":9,"call":8,"first":7,"botdelay":5,"bots":[{"user":9,"nick":"b"}]}}]})");
    const roomsim::LandlordSpec& setup = table.steps.at(0).landlord;
    EXPECT_EQ(setup.seed, 3u);
    EXPECT_EQ(setup.hands, 2u);
    EXPECT_EQ(setup.outSeconds, 9);
    EXPECT_EQ(setup.callSeconds, 8);
    EXPECT_EQ(setup.firstSeconds, 7);
    EXPECT_EQ(setup.botDelayMs, 5u);
    EXPECT_EQ(setup.chair, 65535);
    ASSERT_EQ(setup.bots.size(), 1u);
    EXPECT_NE(ParseError(R"({"steps":[{"landlord":{"tabel":1}}]})").find("unknown key \"tabel\""), std::string::npos);
    EXPECT_NE(ParseError(R"({"steps":[{"landlord":{"table":1}}]})").find("together"), std::string::npos);
    EXPECT_NE(ParseError(R"({"steps":[{"landlord":{"table":1,"chair":3}}]})").find("three-chair"), std::string::npos);
    EXPECT_NE(ParseError(R"({"steps":[{"landlord":{"bots":[{"user":"logon"}]}}]})").find("not the player"),
              std::string::npos);
}

TEST(RoomSimProgram, ExitStatusTellsTheOutcome)
{
    const std::string portFile = ::testing::TempDir() + "roomsim-port-" + std::to_string(getpid());
    std::remove(portFile.c_str());
    const std::string scenario = ::testing::TempDir() + "roomsim-scenario-" + std::to_string(getpid()) + ".json";
    std::ofstream(scenario) << kLogonThenClose;

    std::vector<std::string> args = {ROOMSIM_PATH, "--port-file", portFile, "--accept-timeout", "5000", scenario};
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, ROOMSIM_PATH, &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);

    uint16_t port = 0;
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(nettest::kPatienceMs);
    while (port == 0 && std::chrono::steady_clock::now() < giveUp)
    {
        std::ifstream(portFile) >> port;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ASSERT_NE(port, 0);
    RoomClient client(port);
    ASSERT_TRUE(client.linked);
    client.module.SendData(1, 1, RoomLogon(4242, 200).data(), roomsim::kRoomLogonSize);
    EXPECT_TRUE(client.WaitShut());
    int status = -1;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), roomsim::kPassed);
    std::remove(portFile.c_str());
    std::remove(scenario.c_str());
}
