#include "net/TCPSocketModule.h"
#include "platform/Polled.h"

#include "net/Packet.h"
#include "net/src/NetGlobal.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

using net::detail::Log;

// One Connect: the attempt and, once linked, the connection. Callbacks hold
// their own reference, so a sink may close, reconnect or destroy the module
// from inside a callback; `closed` tells the poll to stop touching anything.
struct CTCPSocketModule::Link
{
    enum class Stage
    {
        Resolving,
        Connecting,
        Linked,
        Failed
    };

    Stage stage = Stage::Failed;
    bool closed = false;
    bool linked = false;

    std::vector<std::string> addresses;
    size_t addressIndex = 0;
    uint16_t port = 0;
    std::shared_ptr<net::HostLookup> lookup;
    std::vector<uint32_t> candidates;  // IPv4 of the current address
    size_t candidateIndex = 0;
    uint64_t deadline = 0;
    int failure = kLinkNoAddress;

    int fd = -1;
    uint32_t serverAddress = 0;
    net::PacketReader reader;
    std::vector<uint8_t> outbox;
    size_t outboxStart = 0;
    uint64_t lastReceive = 0;
    bool keepAliveOutstanding = false;
    // A failure found where no callback may run (inside SendData).
    bool pendingShut = false;
    bool updating = false;  // an update is on the stack: a nested one must not dispatch
    SocketShutReason pendingReason = SocketShutReason::ReadError;

    ~Link() { CloseFd(); }
    void CloseFd()
    {
        if (fd >= 0)
        {
            ::close(fd);
            fd = -1;
        }
    }
};

namespace {

std::vector<CTCPSocketModule*>& LiveModules()
{
    // Never destroyed: a module may outlive static destruction at exit.
    static auto* modules = new std::vector<CTCPSocketModule*>();
    return *modules;
}

uint64_t SteadyMs()
{
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

int FailureFromErrno(int error) { return error == ETIMEDOUT ? kLinkTimedOut : kLinkRefused; }

}  // namespace

CTCPSocketModule::CTCPSocketModule() : m_resolver(net::ResolveHostAsync) { LiveModules().push_back(this); }

CTCPSocketModule::~CTCPSocketModule()
{
    if (m_link)
        Drop(m_link, "socket module destroyed");
    auto& modules = LiveModules();
    modules.erase(std::remove(modules.begin(), modules.end(), this), modules.end());
}

void CTCPSocketModule::SetClock(Clock clock) { m_clock = std::move(clock); }

void CTCPSocketModule::SetHostResolver(net::HostResolver resolver)
{
    m_resolver = resolver ? std::move(resolver) : net::HostResolver(net::ResolveHostAsync);
}

uint64_t CTCPSocketModule::Now() const { return m_clock ? m_clock() : SteadyMs(); }

bool CTCPSocketModule::IsLinked() const { return m_link && m_link->stage == Link::Stage::Linked; }

void CTCPSocketModule::PollAll(const std::vector<pollfd>* polled)
{
    // A callback may destroy or create modules: poll a copy, and only those
    // still alive when their turn comes.
    const std::vector<CTCPSocketModule*> snapshot = LiveModules();
    for (CTCPSocketModule* module : snapshot)
    {
        const auto& live = LiveModules();
        if (std::find(live.begin(), live.end(), module) == live.end())
            continue;
        // Found with nothing to read (a socket the wait did not poll, one
        // made since, is read).
        const Link* link = module->m_link.get();
        module->m_quiet = link != nullptr && platform::FoundQuiet(polled, link->fd);
        module->OnUpdate();
        // The module may be gone now.
        const auto& after = LiveModules();
        if (std::find(after.begin(), after.end(), module) != after.end())
            module->m_quiet = false;
    }
}

void CTCPSocketModule::AddWaits(std::vector<pollfd>& fds, uint64_t& dueInMs) const
{
    const Link* link = m_link.get();
    if (link == nullptr || link->closed)
        return;
    const uint64_t now = Now();
    auto until = [now](uint64_t when) { return when > now ? when - now : 0; };
    switch (link->stage)
    {
        case Link::Stage::Resolving:
            // The lookup ends on a worker that tells nobody: look now and then.
            dueInMs = std::min(dueInMs, std::min<uint64_t>(kLookupPollMs, until(link->deadline)));
            break;
        case Link::Stage::Connecting:
            fds.push_back(pollfd{link->fd, POLLOUT, 0});
            dueInMs = std::min(dueInMs, until(link->deadline));
            break;
        case Link::Stage::Linked:
        {
            if (link->pendingShut)
            {
                dueInMs = 0;
                break;
            }
            const bool sending = link->outboxStart < link->outbox.size();
            fds.push_back(pollfd{link->fd, static_cast<short>(POLLIN | (sending ? POLLOUT : 0)), 0});
            const uint64_t watchdog = until(link->lastReceive + kWatchdogMs);
            const uint64_t keepAlive = until(link->lastReceive + kKeepAliveIdleMs);
            dueInMs = std::min(dueInMs, link->keepAliveOutstanding ? watchdog : std::min(keepAlive, watchdog));
            break;
        }
        case Link::Stage::Failed: break;
    }
}

void CTCPSocketModule::AddWaitsAll(std::vector<pollfd>& fds, uint64_t& dueInMs)
{
    for (const CTCPSocketModule* module : LiveModules())
        module->AddWaits(fds, dueInMs);
}

bool CTCPSocketModule::Connect(const std::vector<std::string>& addresses, const std::string& identity, uint16_t port)
{
    if (m_link)
        Drop(m_link, "reconnecting");
    m_identity = identity;
    auto link = std::make_shared<Link>();
    link->addresses = addresses;
    link->port = port;
    m_link = link;
    if (addresses.empty() || port == 0)
    {
        link->stage = Link::Stage::Failed;
        link->failure = kLinkNoAddress;
        return false;
    }
    Log("connecting to port %u (%zu addresses)", port, addresses.size());
    return StartAddress(*link);
}

// Starts on link.addresses[addressIndex], moving on past addresses that fail
// at once. False when none is left (the link is then Failed).
bool CTCPSocketModule::StartAddress(Link& link)
{
    while (link.addressIndex < link.addresses.size())
    {
        const std::string& address = link.addresses[link.addressIndex];
        link.candidates.clear();
        link.candidateIndex = 0;
        uint32_t literal = 0;
        if (net::ParseIPv4(address, literal))
        {
            link.candidates.push_back(literal);
            if (StartConnect(link))
                return true;
        }
        else if (!address.empty())
        {
            link.lookup = m_resolver(address);
            if (link.lookup)
            {
                link.stage = Link::Stage::Resolving;
                link.deadline = Now() + kConnectTimeoutMs;
                return true;
            }
            link.failure = kLinkResolveFailed;
        }
        else
        {
            link.failure = kLinkResolveFailed;
        }
        ++link.addressIndex;
    }
    link.stage = Link::Stage::Failed;
    return false;
}

// Starts a non-blocking connect to candidates[candidateIndex], moving on past
// candidates that fail at once. False when the address has none left.
bool CTCPSocketModule::StartConnect(Link& link)
{
    for (; link.candidateIndex < link.candidates.size(); ++link.candidateIndex)
    {
        link.CloseFd();
        int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd < 0)
        {
            link.failure = kLinkRefused;
            continue;
        }
        int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof(one));
        sockaddr_in sin{};
        sin.sin_family = AF_INET;
        sin.sin_port = htons(link.port);
        sin.sin_addr.s_addr = link.candidates[link.candidateIndex];
        int rc = ::connect(fd, reinterpret_cast<const sockaddr*>(&sin), sizeof(sin));
        if (rc == 0 || errno == EINPROGRESS)
        {
            link.fd = fd;
            link.serverAddress = sin.sin_addr.s_addr;
            link.stage = Link::Stage::Connecting;
            link.deadline = Now() + kConnectTimeoutMs;
            return true;
        }
        Log("connect to %s:%u failed: %s", net::FormatIPv4(sin.sin_addr.s_addr).c_str(), link.port,
            std::strerror(errno));
        link.failure = FailureFromErrno(errno);
        ::close(fd);
    }
    return false;
}

void CTCPSocketModule::AdvanceConnect(const std::shared_ptr<Link>& link)
{
    const uint64_t now = Now();
    bool nextAddress = false;
    if (link->stage == Link::Stage::Resolving)
    {
        std::vector<uint32_t> found;
        if (link->lookup->Poll(found))
        {
            link->lookup.reset();
            if (found.empty())
            {
                Log("cannot resolve %s", link->addresses[link->addressIndex].c_str());
                link->failure = kLinkResolveFailed;
                nextAddress = true;
            }
            else
            {
                link->candidates = std::move(found);
                link->candidateIndex = 0;
                nextAddress = !StartConnect(*link);
            }
        }
        else if (now >= link->deadline)
        {
            Log("resolving %s timed out", link->addresses[link->addressIndex].c_str());
            link->lookup.reset();  // the worker finishes into a lookup nobody reads
            link->failure = kLinkTimedOut;
            nextAddress = true;
        }
    }
    else if (link->stage == Link::Stage::Connecting)
    {
        pollfd p{link->fd, POLLOUT, 0};
        int ready = ::poll(&p, 1, 0);
        if (ready > 0)
        {
            int error = 0;
            socklen_t len = sizeof(error);
            if (::getsockopt(link->fd, SOL_SOCKET, SO_ERROR, &error, &len) != 0)
                error = errno;
            if (error == 0)
            {
                link->stage = Link::Stage::Linked;
                link->linked = true;
                link->lastReceive = now;
                net::detail::StoreServerAddress(link->serverAddress);
                Log("linked to %s:%u", net::FormatIPv4(link->serverAddress).c_str(), link->port);
                if (m_sink)
                    m_sink->OnSocketLink(kLinkOK, net::detail::LinkErrorText(kLinkOK), this);
                return;
            }
            Log("connect to %s:%u failed: %s", net::FormatIPv4(link->serverAddress).c_str(), link->port,
                std::strerror(error));
            link->failure = FailureFromErrno(error);
        }
        else if (now >= link->deadline)
        {
            Log("connect to %s:%u timed out", net::FormatIPv4(link->serverAddress).c_str(), link->port);
            link->failure = kLinkTimedOut;
        }
        else
        {
            return;
        }
        link->CloseFd();
        ++link->candidateIndex;
        nextAddress = !StartConnect(*link);
    }
    if (nextAddress)
    {
        ++link->addressIndex;
        StartAddress(*link);
    }
    if (link->stage == Link::Stage::Failed)
    {
        const int failure = link->failure;
        Log("no server reachable (error %d)", failure);
        link->closed = true;
        link->CloseFd();
        m_link.reset();
        if (m_sink)
            m_sink->OnSocketLink(failure, net::detail::LinkErrorText(failure), this);
    }
}

void CTCPSocketModule::OnUpdate()
{
    std::shared_ptr<Link> link = m_link;
    // A sink calling OnUpdate from inside a callback would dispatch the next
    // packet before the current one is handled, and move the bytes under it.
    if (!link || link->closed || link->updating)
        return;
    link->updating = true;
    if (link->stage == Link::Stage::Linked)
        ServiceLink(link, !m_quiet);
    else
        AdvanceConnect(link);
    link->updating = false;
}

void CTCPSocketModule::ServiceLink(const std::shared_ptr<Link>& link, bool mayRead)
{
    if (link->pendingShut)
    {
        Shut(link, link->pendingReason, "send failed");
        return;
    }
    if (!Flush(*link))
    {
        Shut(link, link->pendingReason, "send failed");
        return;
    }

    // Read what is there, a bounded amount per update so a flood cannot
    // stall the frame; the rest waits for the next one.
    bool remoteClosed = false;
    bool readFailed = false;
    uint8_t chunk[16384];
    for (int i = 0; i < 64 && mayRead; ++i)
    {
        ssize_t n = ::recv(link->fd, chunk, sizeof(chunk), 0);
        if (n > 0)
        {
            link->reader.Feed(chunk, static_cast<size_t>(n));
            link->lastReceive = Now();
            continue;
        }
        if (n == 0)
            remoteClosed = true;
        else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            readFailed = true;
        break;
    }

    for (;;)
    {
        net::Packet packet;
        auto result = link->reader.Next(packet);
        if (result == net::PacketReader::Result::NeedMore)
            break;
        if (result == net::PacketReader::Result::Error)
        {
            Shut(link, SocketShutReason::ProtocolError, "packet head announces more than 65535 bytes");
            return;
        }
        if (packet.main == net::kTransportMain)
        {
            HandleTransport(*link, packet.sub, packet.data, packet.size);
            continue;
        }
        if (m_sink == nullptr)
            continue;
        const bool accepted =
            m_sink->OnSocketRead(net::PackCommand(packet.main, packet.sub), packet.data, packet.size, this);
        if (link->closed)
            return;  // the sink closed, reconnected or destroyed us
        if (!accepted)
        {
            Log("message %u/%u (%zu bytes) refused", packet.main, packet.sub, packet.size);
            Shut(link, SocketShutReason::SinkRefused, "message refused by its handler");
            return;
        }
    }

    if (remoteClosed || readFailed)
    {
        if (link->reader.Buffered() != 0)
            Log("%zu bytes of a partial packet discarded", link->reader.Buffered());
        Shut(link, remoteClosed ? SocketShutReason::Remote : SocketShutReason::ReadError,
             remoteClosed ? "closed by the server" : "read failed");
        return;
    }

    const uint64_t now = Now();
    const uint64_t silent = now > link->lastReceive ? now - link->lastReceive : 0;
    if (silent >= kWatchdogMs)
    {
        Shut(link, SocketShutReason::Watchdog, "nothing received for 30 seconds");
        return;
    }
    if (silent >= kKeepAliveIdleMs && !link->keepAliveOutstanding)
    {
        QueueKeepAlive(*link);
        link->keepAliveOutstanding = true;
    }
    if (!Flush(*link))
        Shut(link, link->pendingReason, "send failed");
}

void CTCPSocketModule::HandleTransport(Link& link, uint16_t sub, const uint8_t* data, size_t size)
{
    if (sub == net::kKeepAliveSub)
    {
        if (link.keepAliveOutstanding)
            link.keepAliveOutstanding = false;  // the answer to ours
        else
            QueueKeepAlive(link);
        return;
    }
    if (sub == net::kAddressNoticeSub && size == 4)
    {
        uint32_t address;
        std::memcpy(&address, data, 4);
        net::detail::StoreClientAddress(address);
        return;
    }
    Log("transport message 0/%u (%zu bytes) ignored", sub, size);
}

void CTCPSocketModule::QueueKeepAlive(Link& link)
{
    net::AppendPacket(link.outbox, net::kTransportMain, net::kKeepAliveSub, nullptr, 0);
}

// Sends what the socket takes now. False on a failure (pendingReason set).
bool CTCPSocketModule::Flush(Link& link)
{
    while (link.outboxStart < link.outbox.size())
    {
        ssize_t n =
            ::send(link.fd, link.outbox.data() + link.outboxStart, link.outbox.size() - link.outboxStart, MSG_NOSIGNAL);
        if (n > 0)
        {
            link.outboxStart += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
            break;
        link.pendingReason = SocketShutReason::ReadError;
        return false;
    }
    if (link.outboxStart == link.outbox.size())
    {
        link.outbox.clear();
        link.outboxStart = 0;
    }
    else if (link.outbox.size() - link.outboxStart > kMaxPendingSend)
    {
        link.pendingReason = SocketShutReason::SendOverflow;
        return false;
    }
    return true;
}

bool CTCPSocketModule::SendData(uint16_t main, uint16_t sub, const void* data, size_t size)
{
    Link* link = m_link.get();
    if (link == nullptr || link->stage != Link::Stage::Linked || link->pendingShut)
    {
        Log("send %u/%u while not linked: dropped", main, sub);
        return false;
    }
    if (main == net::kTransportMain)
    {
        Log("send 0/%u refused: main 0 belongs to the transport", sub);
        return false;
    }
    if (!net::AppendPacket(link->outbox, main, sub, data, size))
    {
        Log("send %u/%u refused: %zu bytes", main, sub, size);
        return false;
    }
    if (!Flush(*link))
    {
        // Reported from the next update: no callback may run inside a send.
        link->pendingShut = true;
        return false;
    }
    return true;
}

bool CTCPSocketModule::SendCommand(uint16_t main, uint16_t sub) { return SendData(main, sub, nullptr, 0); }

void CTCPSocketModule::CloseSocket()
{
    if (m_link)
        Drop(m_link, "closed by its owner");
}

void CTCPSocketModule::Drop(const std::shared_ptr<Link>& link, const char* why)
{
    if (link->linked)
        Log("connection closed: %s", why);
    link->closed = true;
    link->CloseFd();
    if (m_link == link)
        m_link.reset();
}

void CTCPSocketModule::Shut(const std::shared_ptr<Link>& link, SocketShutReason reason, const char* why)
{
    Drop(link, why);
    if (m_sink)
        m_sink->OnSocketShut(this, reason);
}
