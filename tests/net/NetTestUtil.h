// Loopback equipment for transport tests: a raw test server, a recording
// sink and a pump that polls until something happened (never a timed check).
#pragma once

#include "net/Packet.h"
#include "net/TCPSocketModule.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace nettest {

// Gives up after this much real time: only a safety net for broken code.
constexpr int kPatienceMs = 5000;

inline uint16_t PortOf(int fd)
{
    sockaddr_in sin{};
    socklen_t len = sizeof(sin);
    getsockname(fd, reinterpret_cast<sockaddr*>(&sin), &len);
    return ntohs(sin.sin_port);
}

// A port on 127.0.0.1 that nothing listens on.
inline uint16_t ClosedPort()
{
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in sin{};
    sin.sin_family = AF_INET;
    sin.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&sin), sizeof(sin));
    uint16_t port = PortOf(fd);
    ::close(fd);
    return port;
}

class TestServer
{
public:
    TestServer()
    {
        m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        int one = 1;
        ::setsockopt(m_listen, SOL_SOCKET, SO_REUSEADDR, &one, sizeof(one));
        sockaddr_in sin{};
        sin.sin_family = AF_INET;
        sin.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_listen, reinterpret_cast<sockaddr*>(&sin), sizeof(sin));
        ::listen(m_listen, 8);
        port = PortOf(m_listen);
    }
    ~TestServer()
    {
        CloseClient();
        ::close(m_listen);
    }

    bool Accept()
    {
        pollfd p{m_listen, POLLIN, 0};
        if (::poll(&p, 1, kPatienceMs) <= 0)
            return false;
        m_client = ::accept(m_listen, nullptr, nullptr);
        return m_client >= 0;
    }
    void CloseClient()
    {
        if (m_client >= 0)
            ::close(m_client);
        m_client = -1;
    }

    void SendRaw(const std::vector<uint8_t>& bytes) const
    {
        size_t at = 0;
        while (at < bytes.size())
        {
            ssize_t n = ::send(m_client, bytes.data() + at, bytes.size() - at, MSG_NOSIGNAL);
            if (n <= 0)
                return;
            at += static_cast<size_t>(n);
        }
    }
    void Send(uint16_t main, uint16_t sub, const std::vector<uint8_t>& body = {}) const
    {
        std::vector<uint8_t> bytes;
        net::AppendPacket(bytes, main, sub, body.data(), body.size());
        SendRaw(bytes);
    }

    // The next packet from the client; false when none comes or the client closed.
    bool Receive(net::Packet& packet, std::vector<uint8_t>& body, int waitMs = kPatienceMs)
    {
        for (;;)
        {
            net::Packet p;
            if (m_reader.Next(p) == net::PacketReader::Result::Packet)
            {
                body.assign(p.data, p.data + p.size);
                packet = p;
                packet.data = body.data();
                return true;
            }
            pollfd pf{m_client, POLLIN, 0};
            if (::poll(&pf, 1, waitMs) <= 0)
                return false;
            uint8_t chunk[4096];
            ssize_t n = ::recv(m_client, chunk, sizeof(chunk), 0);
            if (n <= 0)
                return false;
            m_reader.Feed(chunk, static_cast<size_t>(n));
        }
    }
    // True when nothing more arrives from the client right now.
    bool Quiet()
    {
        net::Packet p;
        std::vector<uint8_t> body;
        return !Receive(p, body, 50);
    }
    // True once the client has closed its end.
    bool ClientClosed()
    {
        pollfd pf{m_client, POLLIN, 0};
        if (::poll(&pf, 1, kPatienceMs) <= 0)
            return false;
        uint8_t chunk[4096];
        for (;;)
        {
            ssize_t n = ::recv(m_client, chunk, sizeof(chunk), MSG_DONTWAIT);
            if (n == 0)
                return true;
            if (n < 0)
                return errno == ECONNRESET;
        }
    }

    uint16_t port = 0;

private:
    int m_listen = -1;
    int m_client = -1;
    net::PacketReader m_reader;
};

struct Event
{
    enum Kind
    {
        Link,
        Read,
        Shut
    } kind;
    int error = 0;
    std::string text;
    uint32_t command = 0;
    std::vector<uint8_t> body;
    SocketShutReason reason = SocketShutReason::Remote;
};

class RecordingSink : public IClientSocketSink
{
public:
    bool OnSocketLink(int errorCode, const char* errorText, IClientSocket*) override
    {
        events.push_back({Event::Link, errorCode, errorText ? errorText : "", 0, {}, {}});
        return true;
    }
    bool OnSocketRead(uint32_t command, const void* data, size_t size, IClientSocket* socket) override
    {
        const auto* bytes = static_cast<const uint8_t*>(data);
        events.push_back({Event::Read, 0, "", command, std::vector<uint8_t>(bytes, bytes + size), {}});
        if (onRead)
            return onRead(command, socket);
        return acceptReads;
    }
    bool OnSocketShut(IClientSocket*, SocketShutReason reason) override
    {
        Event e{Event::Shut, 0, "", 0, {}, reason};
        events.push_back(e);
        return true;
    }

    size_t Count(Event::Kind kind) const
    {
        size_t n = 0;
        for (const auto& e : events)
            n += e.kind == kind;
        return n;
    }
    std::vector<uint32_t> Commands() const
    {
        std::vector<uint32_t> out;
        for (const auto& e : events)
            if (e.kind == Event::Read)
                out.push_back(e.command);
        return out;
    }

    std::vector<Event> events;
    bool acceptReads = true;
    std::function<bool(uint32_t, IClientSocket*)> onRead;
};

// Polls the module until `done` holds; false if it never does.
inline bool Pump(CTCPSocketModule& module, const std::function<bool()>& done)
{
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(kPatienceMs);
    while (std::chrono::steady_clock::now() < giveUp)
    {
        module.OnUpdate();
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return false;
}

}  // namespace nettest
