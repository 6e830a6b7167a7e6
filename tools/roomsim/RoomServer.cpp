#include "tools/roomsim/RoomServer.h"

#include "tools/roomsim/LandlordTable.h"

#include "net/HostResolver.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace roomsim {

namespace {

uint64_t NowMs()
{
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

std::string Command(uint16_t main, uint16_t sub) { return std::to_string(main) + "/" + std::to_string(sub); }

}  // namespace

const char* ExitStatusName(int status)
{
    switch (status)
    {
        case kPassed: return "passed";
        case kUsage: return "usage or scenario error";
        case kUnexpected: return "unexpected client message";
        case kTimedOut: return "timed out";
        case kClientLeft: return "client left early";
        default: return "unknown";
    }
}

RoomServer::RoomServer(const Scenario& scenario, std::FILE* log) : m_scenario(scenario), m_log(log) {}

RoomServer::~RoomServer()
{
    if (m_client >= 0)
        ::close(m_client);
    if (m_listen >= 0)
        ::close(m_listen);
}

bool RoomServer::Listen(const std::string& host, uint16_t port, std::string& error)
{
    uint32_t address = 0;
    if (!net::ParseIPv4(host, address))
    {
        error = "not an IPv4 address: " + host;
        return false;
    }
    m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int one = 1;
    ::setsockopt(m_listen, SOL_SOCKET, SO_REUSEADDR, &one, sizeof(one));
    sockaddr_in sin{};
    sin.sin_family = AF_INET;
    sin.sin_port = htons(port);
    sin.sin_addr.s_addr = address;
    if (m_listen < 0 || ::bind(m_listen, reinterpret_cast<sockaddr*>(&sin), sizeof(sin)) != 0 ||
        ::listen(m_listen, 4) != 0)
    {
        error = "cannot listen on " + host + ":" + std::to_string(port) + ": " + std::strerror(errno);
        return false;
    }
    socklen_t len = sizeof(sin);
    ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&sin), &len);
    m_port = ntohs(sin.sin_port);
    return true;
}

int RoomServer::Fail(int status, const std::string& why)
{
    std::fprintf(m_log, "roomsim: FAIL (%s): %s\n", ExitStatusName(status), why.c_str());
    std::fflush(m_log);
    return status;
}

int RoomServer::Serve(uint64_t acceptTimeoutMs)
{
    if (m_listen < 0)
        return Fail(kUsage, "not listening");
    pollfd p{m_listen, POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(acceptTimeoutMs)) <= 0)
        return Fail(kTimedOut, "no client connected");
    sockaddr_in peer{};
    socklen_t len = sizeof(peer);
    m_client = ::accept4(m_listen, reinterpret_cast<sockaddr*>(&peer), &len, SOCK_CLOEXEC);
    if (m_client < 0)
        return Fail(kTimedOut, std::string("accept failed: ") + std::strerror(errno));
    m_clientLeft = false;
    m_reader.Reset();
    m_received.clear();
    // Every client starts from an empty room.
    m_roomUsers.clear();
    m_logonUser = BotSpec{};
    std::fprintf(m_log, "roomsim: client %s:%u connected, scenario \"%s\"\n",
                 net::FormatIPv4(peer.sin_addr.s_addr).c_str(), ntohs(peer.sin_port), m_scenario.name.c_str());

    // Tell the client its address, as a server does first.
    std::vector<uint8_t> notice(4);
    std::memcpy(notice.data(), &peer.sin_addr.s_addr, 4);
    int status = Send(net::kTransportMain, net::kAddressNoticeSub, notice) ? Play() : Fail(kClientLeft, "send failed");
    ::close(m_client);
    m_client = -1;
    if (status == kPassed)
    {
        std::fprintf(m_log, "roomsim: PASS \"%s\"\n", m_scenario.name.c_str());
        std::fflush(m_log);
    }
    return status;
}

int RoomServer::Play()
{
    int status = kPassed;
    if (m_scenario.hallConnection)
        std::fprintf(m_log, "roomsim: hall connection, no room log-on\n");
    else if ((status = AcceptRoomLogon()) != kPassed)
        return status;
    for (size_t i = 0; i < m_scenario.steps.size(); ++i)
    {
        status = RunStep(i, m_scenario.steps[i]);
        if (status != kPassed)
            return status;
        if (m_scenario.steps[i].kind == Step::Kind::Close)
            return kPassed;
    }
    if (!m_scenario.holdAtEnd)
        return kPassed;
    // Hold the connection open: keep answering and logging until the client leaves.
    std::fprintf(m_log, "roomsim: scenario done, holding until the client leaves\n");
    while (Pump(1000))
        m_received.clear();
    return kPassed;
}

int RoomServer::AcceptRoomLogon()
{
    Message logon;
    int status = NextMessage(NowMs() + 10000, logon);
    if (status != kPassed)
        return Fail(status, "waiting for the room log-on");
    if (logon.main != 1 || logon.sub != 1 || logon.body.size() != kRoomLogonSize)
        return Fail(kUnexpected, "expected the room log-on 1/1 of 162 bytes, got " + Command(logon.main, logon.sub) +
                                     " of " + std::to_string(logon.body.size()) + " bytes");
    std::string mismatch;
    if (!CheckFields(m_scenario.logonChecks, logon.body.data(), logon.body.size(), mismatch))
        return Fail(kUnexpected, "room log-on: " + mismatch);
    std::memcpy(&m_logonUserId, logon.body.data() + 12, 4);
    std::fprintf(m_log, "roomsim: room log-on of user %u accepted\n", m_logonUserId);
    return kPassed;
}

int RoomServer::RunStep(size_t index, const Step& step)
{
    const std::string where = "step " + std::to_string(index + 1);
    switch (step.kind)
    {
        case Step::Kind::Send:
        {
            std::vector<uint8_t> body;
            std::string error;
            if (!BuildBody(step.fields, body, error))
                return Fail(kUsage, where + ": " + error);
            return Send(step.main, step.sub, body) ? kPassed : Fail(kClientLeft, where + ": send failed");
        }
        case Step::Kind::Bots:
            for (const BotSpec& bot : step.bots)
            {
                if (!Send(3, 100, BuildUserEnter(bot, m_logonUserId)))
                    return Fail(kClientLeft, where + ": send failed");
                AddRoomUser(bot);
            }
            return kPassed;
        case Step::Kind::Landlord: return LandlordTable(*this, step.landlord, where).Run();
        case Step::Kind::Wait:
        {
            const uint64_t until = NowMs() + step.waitMs;
            for (uint64_t now = NowMs(); now < until; now = NowMs())
                if (!Pump(static_cast<int>(until - now)))
                    return Fail(kClientLeft, where + ": the client left while waiting");
            return kPassed;
        }
        case Step::Kind::Expect:
        {
            Message got;
            int status = NextMessage(NowMs() + step.waitMs, got);
            const std::string wanted = "expected " + Command(step.main, step.sub) +
                                       (step.size >= 0 ? " of " + std::to_string(step.size) + " bytes" : "");
            if (status != kPassed)
                return Fail(status, where + ": " + wanted);
            if (got.main != step.main || got.sub != step.sub ||
                (step.size >= 0 && got.body.size() != static_cast<size_t>(step.size)))
                return Fail(kUnexpected, where + ": " + wanted + ", got " + Command(got.main, got.sub) + " of " +
                                             std::to_string(got.body.size()) + " bytes");
            std::string mismatch;
            if (!CheckFields(step.fields, got.body.data(), got.body.size(), mismatch))
                return Fail(kUnexpected, where + ": " + Command(got.main, got.sub) + ": " + mismatch);
            return kPassed;
        }
        case Step::Kind::Close: std::fprintf(m_log, "roomsim: closing the connection\n"); return kPassed;
        case Step::Kind::Repeat:
            for (uint64_t round = 0; round < step.times; ++round)
            {
                for (size_t i = 0; i < step.steps.size(); ++i)
                {
                    const int status = RunStep(index, step.steps[i]);
                    if (status != kPassed)
                        return status;
                }
            }
            return kPassed;
    }
    return kPassed;
}

std::vector<BotSpec> RoomServer::UsersAt(uint16_t table) const
{
    std::vector<BotSpec> users;
    for (const BotSpec& user : m_roomUsers)
        if (user.table == table && user.chair != 65535)
            users.push_back(user);
    return users;
}

void RoomServer::AddRoomUser(const BotSpec& user)
{
    if (user.logonUser)
    {
        m_logonUser = user;
        return;
    }
    // A user is in one place: the latest.
    m_roomUsers.erase(std::remove_if(m_roomUsers.begin(), m_roomUsers.end(),
                                     [&user](const BotSpec& u) { return u.userId == user.userId; }),
                      m_roomUsers.end());
    m_roomUsers.push_back(user);
}

void RoomServer::Log(const std::string& line)
{
    std::fprintf(m_log, "roomsim: %s\n", line.c_str());
    std::fflush(m_log);
}

bool RoomServer::Pump(int waitMs)
{
    if (m_clientLeft)
        return false;
    pollfd p{m_client, POLLIN, 0};
    int ready = ::poll(&p, 1, waitMs < 0 ? 0 : waitMs);
    if (ready <= 0)
        return true;
    uint8_t chunk[16384];
    ssize_t n = ::recv(m_client, chunk, sizeof(chunk), 0);
    if (n <= 0)
    {
        std::fprintf(m_log, "roomsim: the client closed the connection\n");
        m_clientLeft = true;
        return false;
    }
    m_reader.Feed(chunk, static_cast<size_t>(n));
    for (;;)
    {
        net::Packet packet;
        auto result = m_reader.Next(packet);
        if (result == net::PacketReader::Result::NeedMore)
            break;
        if (result == net::PacketReader::Result::Error)
        {
            std::fprintf(m_log, "roomsim: the client sent a head announcing more than 65535 bytes\n");
            m_clientLeft = true;
            return false;
        }
        Message m{packet.main, packet.sub, std::vector<uint8_t>(packet.data, packet.data + packet.size)};
        LogMessage("<-", m.main, m.sub, m.body);
        if (m.main == net::kTransportMain)
        {
            // We never send keep-alives of our own, so every one is answered.
            if (m.sub == net::kKeepAliveSub && !Send(net::kTransportMain, net::kKeepAliveSub, {}))
                return false;
            continue;
        }
        m_received.push_back(std::move(m));
    }
    return true;
}

int RoomServer::NextMessage(uint64_t deadline, Message& out)
{
    while (m_received.empty())
    {
        const uint64_t now = NowMs();
        if (now >= deadline)
            return kTimedOut;
        if (!Pump(static_cast<int>(deadline - now)))
            return m_clientLeft ? kClientLeft : kUnexpected;
    }
    out = std::move(m_received.front());
    m_received.pop_front();
    return kPassed;
}

bool RoomServer::Send(uint16_t main, uint16_t sub, const std::vector<uint8_t>& body)
{
    std::vector<uint8_t> bytes;
    if (!net::AppendPacket(bytes, main, sub, body.data(), body.size()))
        return false;
    LogMessage("->", main, sub, body);
    size_t at = 0;
    while (at < bytes.size())
    {
        ssize_t n = ::send(m_client, bytes.data() + at, bytes.size() - at, MSG_NOSIGNAL);
        if (n > 0)
        {
            at += static_cast<size_t>(n);
        }
        else if (n < 0 && (errno == EAGAIN || errno == EINTR))
        {
            pollfd p{m_client, POLLOUT, 0};
            ::poll(&p, 1, 1000);
        }
        else
        {
            m_clientLeft = true;
            return false;
        }
    }
    return true;
}

void RoomServer::LogMessage(const char* arrow, uint16_t main, uint16_t sub, const std::vector<uint8_t>& body)
{
    std::fprintf(m_log, "roomsim: %s %s %zu bytes", arrow, Command(main, sub).c_str(), body.size());
    const size_t shown = body.size() < 32 ? body.size() : 32;
    if (shown != 0)
        std::fputs(":", m_log);
    for (size_t i = 0; i < shown; ++i)
        std::fprintf(m_log, " %02x", body[i]);
    std::fputs(shown < body.size() ? " ...\n" : "\n", m_log);
    std::fflush(m_log);
}

}  // namespace roomsim
