#include "NetTestUtil.h"

#include "core/ClientGlobal.h"

#include <gtest/gtest.h>

#include <memory>

using nettest::Event;
using nettest::Pump;

namespace {

std::vector<uint8_t> Bytes(std::initializer_list<uint8_t> b) { return std::vector<uint8_t>(b); }

// A module with a clock the test moves, linked to a raw loopback server.
class LinkedSocket : public ::testing::Test
{
protected:
    void SetUp() override
    {
        module = std::make_unique<CTCPSocketModule>();
        module->SetSocketSink(&sink);
        module->SetClock([this] { return now; });
        ASSERT_TRUE(module->Connect({"127.0.0.1"}, "player", server.port));
        ASSERT_TRUE(server.Accept());
        ASSERT_TRUE(Pump(*module, [&] { return sink.Count(Event::Link) == 1; }));
        ASSERT_EQ(sink.events[0].error, kLinkOK);
        sink.events.clear();
    }

    bool PumpReads(size_t n)
    {
        return Pump(*module, [&] { return sink.Count(Event::Read) >= n; });
    }
    bool PumpShut()
    {
        return Pump(*module, [&] { return sink.Count(Event::Shut) >= 1; });
    }

    uint64_t now = 1000000;
    nettest::TestServer server;
    nettest::RecordingSink sink;
    std::unique_ptr<CTCPSocketModule> module;
};

}  // namespace

TEST_F(LinkedSocket, DispatchesCoalescedPacketsInOrder)
{
    CClientGlobal* global = CClientGlobal::GetInstance();
    global->GetUserRecord().dwClientAddr = 0;
    EXPECT_EQ(global->GetServerAddr(), 0x0100007Fu) << "the server's IPv4 as in_addr keeps it";

    std::vector<uint8_t> stream;
    const uint8_t shortNotice[3] = {10, 0, 0};
    net::AppendPacket(stream, 0, 2, shortNotice, 3);
    net::AppendPacket(stream, 1, 100, nullptr, 0);
    net::AppendPacket(stream, 2, 101, "0123456789", 10);
    const uint8_t notice[4] = {127, 0, 0, 1};
    net::AppendPacket(stream, 0, 2, notice, 4);
    net::AppendPacket(stream, 1, 102, nullptr, 0);
    server.SendRaw(stream);

    ASSERT_TRUE(PumpReads(3));
    EXPECT_EQ(sink.Commands(), (std::vector<uint32_t>{1 | 100u << 16, 2 | 101u << 16, 1 | 102u << 16}))
        << "the address notice is the transport's own";
    EXPECT_EQ(sink.events[1].body.size(), 10u);
    EXPECT_EQ(global->GetUserRecord().dwClientAddr, 0x0100007Fu) << "the address notice of 4 bytes is kept";
    EXPECT_TRUE(module->IsLinked());
}

TEST_F(LinkedSocket, PacketArrivingAByteAtATimeIsDispatchedOnceWhole)
{
    std::vector<uint8_t> stream;
    net::AppendPacket(stream, 3, 102, "abcdefghijklmnopqrstuvwxy", 25);
    for (size_t i = 0; i + 1 < stream.size(); ++i)
    {
        server.SendRaw({stream[i]});
        // Let the byte reach the module before the next one.
        for (int k = 0; k < 5; ++k)
            module->OnUpdate();
        ASSERT_EQ(sink.Count(Event::Read), 0u) << "dispatched after " << i + 1 << " bytes";
    }
    server.SendRaw({stream.back()});
    ASSERT_TRUE(PumpReads(1));
    EXPECT_EQ(sink.events[0].body.size(), 25u);
    for (int k = 0; k < 5; ++k)
        module->OnUpdate();
    EXPECT_EQ(sink.Count(Event::Read), 1u) << "never twice";
}

TEST_F(LinkedSocket, OverLongHeadClosesAfterTheWholePacketsBeforeIt)
{
    std::vector<uint8_t> stream;
    net::AppendPacket(stream, 1, 100, nullptr, 0);
    const uint8_t bad[8] = {3, 0, 100, 0, 0x00, 0x00, 0x01, 0x00};
    stream.insert(stream.end(), bad, bad + 8);
    server.SendRaw(stream);

    ASSERT_TRUE(PumpShut());
    EXPECT_EQ(sink.Count(Event::Read), 1u);
    EXPECT_EQ(sink.events.back().reason, SocketShutReason::ProtocolError);
    EXPECT_FALSE(module->IsLinked());
    EXPECT_TRUE(server.ClientClosed());
    EXPECT_FALSE(module->SendCommand(1, 1)) << "nothing goes out on a closed connection";
}

TEST_F(LinkedSocket, RefusedMessageClosesAndDropsTheRest)
{
    sink.onRead = [](uint32_t command, IClientSocket*) { return net::CommandSub(command) != 2; };
    std::vector<uint8_t> stream;
    for (uint16_t sub = 1; sub <= 4; ++sub)
        net::AppendPacket(stream, 7, sub, nullptr, 0);
    server.SendRaw(stream);

    ASSERT_TRUE(PumpShut());
    EXPECT_EQ(sink.Count(Event::Read), 2u) << "packets after the refused one are dropped";
    EXPECT_EQ(sink.events.back().reason, SocketShutReason::SinkRefused);
    EXPECT_TRUE(server.ClientClosed());
    for (int k = 0; k < 5; ++k)
        module->OnUpdate();
    EXPECT_EQ(sink.Count(Event::Shut), 1u) << "shut once per connection";
}

TEST_F(LinkedSocket, ServerCloseDeliversWholePacketsThenShutsOnce)
{
    std::vector<uint8_t> stream;
    net::AppendPacket(stream, 1, 102, nullptr, 0);
    stream.insert(stream.end(), {4, 0, 101, 0, 4, 0});  // a head cut short
    server.SendRaw(stream);
    server.CloseClient();

    ASSERT_TRUE(PumpShut());
    EXPECT_EQ(sink.Count(Event::Read), 1u);
    EXPECT_EQ(sink.events.back().reason, SocketShutReason::Remote);
    for (int k = 0; k < 5; ++k)
        module->OnUpdate();
    EXPECT_EQ(sink.Count(Event::Shut), 1u);
}

TEST_F(LinkedSocket, OwnerCloseIsQuietEvenFromInsideARead)
{
    sink.onRead = [](uint32_t, IClientSocket* socket) {
        socket->CloseSocket();
        return true;
    };
    server.Send(1, 100);
    server.Send(1, 101);
    ASSERT_TRUE(PumpReads(1));
    EXPECT_TRUE(server.ClientClosed());
    for (int k = 0; k < 5; ++k)
        module->OnUpdate();
    EXPECT_EQ(sink.Count(Event::Read), 1u);
    EXPECT_EQ(sink.Count(Event::Shut), 0u);
}

TEST_F(LinkedSocket, SinkMayDestroyTheModuleInsideARead)
{
    std::vector<uint8_t> seen;
    sink.onRead = [&](uint32_t, IClientSocket*) {
        seen = sink.events.back().body;
        module.reset();  // the room tearing itself down on a notice
        return true;
    };
    server.Send(1000, 1, Bytes({1, 2, 3}));
    server.Send(1000, 2);
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(nettest::kPatienceMs);
    while (module && std::chrono::steady_clock::now() < giveUp)
        CTCPSocketModule::PollAll();
    EXPECT_FALSE(module);
    EXPECT_EQ(seen, Bytes({1, 2, 3}));
    EXPECT_EQ(sink.Count(Event::Read), 1u);
}

TEST_F(LinkedSocket, UpdateFromInsideAReadDoesNotNest)
{
    int depth = 0, deepest = 0;
    std::vector<uint8_t> firstBody;
    sink.onRead = [&](uint32_t, IClientSocket* socket) {
        ++depth;
        deepest = std::max(deepest, depth);
        const std::vector<uint8_t> before = sink.events.back().body;
        socket->OnUpdate();
        if (firstBody.empty())
            firstBody = before;
        --depth;
        return true;
    };
    std::vector<uint8_t> stream;
    net::AppendPacket(stream, 200, 1, std::string(100, 'a').data(), 100);
    net::AppendPacket(stream, 200, 2, std::string(100, 'b').data(), 100);
    server.SendRaw(stream);
    ASSERT_TRUE(PumpReads(2));
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(sink.Commands(), (std::vector<uint32_t>{200 | 1u << 16, 200 | 2u << 16}));
    EXPECT_EQ(firstBody, std::vector<uint8_t>(100, 'a'));
}

TEST_F(LinkedSocket, SendsFramedPacketsAndRefusesBadOnes)
{
    ASSERT_TRUE(module->SendData(3, 3, "seat", 4));
    ASSERT_TRUE(module->SendCommand(3, 4));
    net::Packet p;
    std::vector<uint8_t> body;
    ASSERT_TRUE(server.Receive(p, body));
    EXPECT_EQ(p.main, 3);
    EXPECT_EQ(p.sub, 3);
    EXPECT_EQ(body, Bytes({'s', 'e', 'a', 't'}));
    ASSERT_TRUE(server.Receive(p, body));
    EXPECT_EQ(p.sub, 4);
    EXPECT_TRUE(body.empty());

    std::vector<uint8_t> big(net::kMaxPacketBody + 1);
    EXPECT_FALSE(module->SendData(200, 1, big.data(), big.size()));
    EXPECT_TRUE(module->SendData(200, 1, big.data(), net::kMaxPacketBody));
    EXPECT_FALSE(module->SendCommand(0, 1)) << "main 0 is the transport's";
    ASSERT_TRUE(server.Receive(p, body));
    EXPECT_EQ(body.size(), net::kMaxPacketBody);
    EXPECT_TRUE(server.Quiet());
}

TEST_F(LinkedSocket, KeepAliveIsSentWhenIdleAndNeverEchoedForever)
{
    net::Packet p;
    std::vector<uint8_t> body;
    now += CTCPSocketModule::kKeepAliveIdleMs - 1;
    module->OnUpdate();
    EXPECT_TRUE(server.Quiet()) << "not idle long enough";

    now += 1;
    module->OnUpdate();
    ASSERT_TRUE(server.Receive(p, body));
    EXPECT_EQ(p.main, 0);
    EXPECT_EQ(p.sub, 1);
    now += 5000;
    module->OnUpdate();
    EXPECT_TRUE(server.Quiet()) << "one outstanding at a time";

    server.Send(0, 1);  // the answer
    ASSERT_TRUE(Pump(*module, [&] { return server.Quiet(); }));
    EXPECT_EQ(sink.Count(Event::Read), 0u) << "keep-alives never reach the sink";

    server.Send(0, 1);  // the server asks
    module->OnUpdate();
    ASSERT_TRUE(Pump(*module, [&] { return server.Receive(p, body, 10); }));
    EXPECT_EQ(p.sub, 1) << "answered in kind";
}

TEST_F(LinkedSocket, WatchdogClosesASilentConnection)
{
    now += CTCPSocketModule::kWatchdogMs - 1000;
    module->OnUpdate();
    server.Send(1, 100);  // anything heard restarts the watchdog
    ASSERT_TRUE(PumpReads(1));

    now += CTCPSocketModule::kWatchdogMs - 1;
    module->OnUpdate();
    EXPECT_TRUE(module->IsLinked());
    EXPECT_EQ(sink.Count(Event::Shut), 0u);

    now += 1;
    module->OnUpdate();
    ASSERT_EQ(sink.Count(Event::Shut), 1u);
    EXPECT_EQ(sink.events.back().reason, SocketShutReason::Watchdog);
    EXPECT_TRUE(server.ClientClosed());
}

// A loop that sleeps between events wakes for the module when its descriptor
// is ready or its next deadline comes: the keep-alive, then the watchdog.
TEST_F(LinkedSocket, WaitsEndInTimeForTheKeepAliveAndTheWatchdog)
{
    std::vector<pollfd> fds;
    uint64_t due = UINT64_MAX;
    module->AddWaits(fds, due);
    ASSERT_EQ(fds.size(), 1u);
    EXPECT_EQ(fds[0].events, POLLIN);
    EXPECT_EQ(due, CTCPSocketModule::kKeepAliveIdleMs);

    now += due;
    module->OnUpdate();
    net::Packet p;
    std::vector<uint8_t> body;
    ASSERT_TRUE(server.Receive(p, body));
    EXPECT_EQ(p.sub, 1) << "the keep-alive went at its time";

    fds.clear();
    due = UINT64_MAX;
    module->AddWaits(fds, due);
    EXPECT_EQ(due, CTCPSocketModule::kWatchdogMs - CTCPSocketModule::kKeepAliveIdleMs)
        << "one keep-alive outstanding: the watchdog is next";
    now += due;
    module->OnUpdate();
    ASSERT_EQ(sink.Count(Event::Shut), 1u);
    EXPECT_EQ(sink.events.back().reason, SocketShutReason::Watchdog);

    fds.clear();
    due = UINT64_MAX;
    CTCPSocketModule::AddWaitsAll(fds, due);
    EXPECT_TRUE(fds.empty()) << "a closed module is not waited on";
    EXPECT_EQ(due, UINT64_MAX);
}

TEST_F(LinkedSocket, AMessageWakesTheWaitAndRestartsTheKeepAlivesTime)
{
    std::vector<pollfd> fds;
    uint64_t due = UINT64_MAX;
    module->AddWaits(fds, due);
    ASSERT_EQ(fds.size(), 1u);
    server.Send(1, 100);
    ASSERT_EQ(::poll(fds.data(), fds.size(), 5000), 1) << "the message wakes a sleeping loop";
    EXPECT_NE(fds[0].revents & POLLIN, 0);
    now += 4000;
    ASSERT_TRUE(PumpReads(1));
    fds.clear();
    due = UINT64_MAX;
    module->AddWaits(fds, due);
    EXPECT_EQ(due, CTCPSocketModule::kKeepAliveIdleMs) << "what was heard restarts the keep-alive's time";
}

// A socket the last wait found quiet is not read; one found readable, or one
// the wait did not poll, is: a message that came after the wait waits for
// the next one, never longer.
TEST_F(LinkedSocket, OnlySocketsTheWaitFoundReadableAreRead)
{
    std::vector<pollfd> fds;
    uint64_t due = UINT64_MAX;
    module->AddWaits(fds, due);
    ASSERT_EQ(fds.size(), 1u);
    ASSERT_EQ(::poll(fds.data(), fds.size(), 0), 0);
    server.Send(1, 100);
    ASSERT_EQ(::poll(fds.data(), 1, 0), 1);  // it is there now
    std::vector<pollfd> quiet = fds;
    quiet[0].revents = 0;
    CTCPSocketModule::PollAll(&quiet);
    EXPECT_EQ(sink.Count(Event::Read), 0u) << "found quiet: not read";
    CTCPSocketModule::PollAll(&fds);
    EXPECT_EQ(sink.Count(Event::Read), 1u) << "found readable: read";
    server.Send(1, 101);
    ASSERT_EQ(::poll(fds.data(), 1, 5000), 1);
    std::vector<pollfd> other{pollfd{fds[0].fd + 1000, POLLIN, 0}};
    CTCPSocketModule::PollAll(&other);
    EXPECT_EQ(sink.Count(Event::Read), 2u) << "not polled: read";
    server.Send(1, 102);
    ASSERT_EQ(::poll(fds.data(), 1, 5000), 1);
    CTCPSocketModule::PollAll(nullptr);
    EXPECT_EQ(sink.Count(Event::Read), 3u) << "no wait: read";
}

TEST(SocketConnect, RefusedConnectionIsReportedThroughLink)
{
    nettest::RecordingSink sink;
    CTCPSocketModule module;
    module.SetSocketSink(&sink);
    EXPECT_TRUE(module.Connect({"127.0.0.1"}, "player", nettest::ClosedPort()));
    EXPECT_TRUE(sink.events.empty()) << "never from inside Connect";
    ASSERT_TRUE(Pump(module, [&] { return !sink.events.empty(); }));
    ASSERT_EQ(sink.events.size(), 1u);
    EXPECT_EQ(sink.events[0].kind, Event::Link);
    EXPECT_EQ(sink.events[0].error, kLinkRefused);
    EXPECT_EQ(CClientGlobal::GBKToUTF8(sink.events[0].text), "无法连接到服务器");
    for (int k = 0; k < 5; ++k)
        module.OnUpdate();
    EXPECT_EQ(sink.events.size(), 1u) << "no shut for a connection that never linked";
}

TEST(SocketConnect, NothingToTryIsStillReportedThroughLink)
{
    nettest::RecordingSink sink;
    CTCPSocketModule module;
    module.SetSocketSink(&sink);
    EXPECT_FALSE(module.Connect({}, "player", 1234));
    EXPECT_TRUE(sink.events.empty());
    module.OnUpdate();
    ASSERT_EQ(sink.events.size(), 1u);
    EXPECT_EQ(sink.events[0].error, kLinkNoAddress);
}

TEST(SocketConnect, FallsBackThroughTheAddressList)
{
    nettest::TestServer server;
    nettest::RecordingSink sink;
    CTCPSocketModule module;
    module.SetSocketSink(&sink);
    std::vector<std::string> asked;
    module.SetHostResolver([&](const std::string& host) {
        asked.push_back(host);
        auto lookup = std::make_shared<net::HostLookup>();
        uint32_t loopback = 0;
        net::ParseIPv4("127.0.0.1", loopback);
        lookup->Finish(host == "good.example" ? std::vector<uint32_t>{loopback} : std::vector<uint32_t>{});
        return lookup;
    });
    // Unresolvable, empty, refused (nothing listens on 127.0.0.2), then good.
    ASSERT_TRUE(module.Connect({"bad.example", "", "127.0.0.2", "good.example"}, "player", server.port));
    ASSERT_TRUE(Pump(module, [&] { return !sink.events.empty(); }));
    ASSERT_TRUE(server.Accept());
    ASSERT_EQ(sink.events.size(), 1u);
    EXPECT_EQ(sink.events[0].error, kLinkOK);
    EXPECT_EQ(asked, (std::vector<std::string>{"bad.example", "good.example"}));
    EXPECT_TRUE(module.IsLinked());
}

TEST(SocketConnect, ResolutionThatNeverEndsTimesOut)
{
    nettest::RecordingSink sink;
    CTCPSocketModule module;
    uint64_t now = 0;
    module.SetClock([&] { return now; });
    module.SetSocketSink(&sink);
    module.SetHostResolver([](const std::string&) { return std::make_shared<net::HostLookup>(); });
    ASSERT_TRUE(module.Connect({"slow.example", "slower.example"}, "player", 4000));

    now = CTCPSocketModule::kConnectTimeoutMs - 1;
    module.OnUpdate();
    EXPECT_TRUE(sink.events.empty());
    now += 1;
    module.OnUpdate();
    EXPECT_TRUE(sink.events.empty()) << "the second address gets its own time";
    now += CTCPSocketModule::kConnectTimeoutMs;
    module.OnUpdate();
    ASSERT_EQ(sink.events.size(), 1u);
    EXPECT_EQ(sink.events[0].error, kLinkTimedOut);
}

TEST(SocketConnect, HostNamesResolveOnAWorker)
{
    nettest::TestServer server;
    nettest::RecordingSink sink;
    CTCPSocketModule module;
    module.SetSocketSink(&sink);
    ASSERT_TRUE(module.Connect({"localhost"}, "player", server.port));
    ASSERT_TRUE(Pump(module, [&] { return !sink.events.empty(); }));
    ASSERT_TRUE(server.Accept());
    EXPECT_EQ(sink.events[0].error, kLinkOK);
}

TEST(SocketConnect, ReconnectDropsTheOldConnectionQuietly)
{
    nettest::TestServer first, second;
    nettest::RecordingSink sink;
    CTCPSocketModule module;
    module.SetSocketSink(&sink);
    module.Connect({"127.0.0.1"}, "player", first.port);
    ASSERT_TRUE(first.Accept());
    ASSERT_TRUE(Pump(module, [&] { return sink.Count(Event::Link) == 1; }));
    first.Send(1, 100);

    module.Connect({"127.0.0.1"}, "player", second.port);
    EXPECT_TRUE(first.ClientClosed());
    ASSERT_TRUE(second.Accept());
    ASSERT_TRUE(Pump(module, [&] { return sink.Count(Event::Link) == 2; }));
    EXPECT_EQ(sink.Count(Event::Read), 0u) << "nothing of the old connection after the new Connect";
    EXPECT_EQ(sink.Count(Event::Shut), 0u);
}

TEST(SocketConnect, PollAllDrivesEveryLiveModule)
{
    nettest::TestServer a, b;
    nettest::RecordingSink sinkA, sinkB;
    auto moduleA = std::make_unique<CTCPSocketModule>();
    auto moduleB = std::make_unique<CTCPSocketModule>();
    moduleA->SetSocketSink(&sinkA);
    moduleB->SetSocketSink(&sinkB);
    moduleA->Connect({"127.0.0.1"}, "", a.port);
    moduleB->Connect({"127.0.0.1"}, "", b.port);
    ASSERT_TRUE(a.Accept());
    ASSERT_TRUE(b.Accept());
    // The first module's link tears down the second, which must then be skipped.
    sinkA.onRead = [&](uint32_t, IClientSocket*) {
        moduleB.reset();
        return true;
    };
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(nettest::kPatienceMs);
    while (sinkA.Count(Event::Link) == 0 && std::chrono::steady_clock::now() < giveUp)
        CTCPSocketModule::PollAll();
    ASSERT_EQ(sinkA.Count(Event::Link), 1u);
    a.Send(1, 1);
    b.Send(1, 1);
    while (sinkA.Count(Event::Read) == 0 && std::chrono::steady_clock::now() < giveUp)
        CTCPSocketModule::PollAll();
    EXPECT_EQ(sinkA.Count(Event::Read), 1u);
    EXPECT_FALSE(moduleB);
    CTCPSocketModule::PollAll();
}
