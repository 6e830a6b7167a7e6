// The client transport: one non-blocking TCP connection in the packet format
// of docs/protocol.md, driven from the main thread by OnUpdate (PollAll calls
// it for every live module once a frame). Callbacks run only from OnUpdate.
#pragma once

#include "net/ClientSocket.h"
#include "net/HostResolver.h"

#include <cstdint>
#include <poll.h>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CTCPSocketModule : public IClientSocket
{
public:
    static constexpr uint64_t kConnectTimeoutMs = 5000;  // per address and per resolved IPv4
    static constexpr uint64_t kKeepAliveIdleMs = 10000;  // silence before we send a keep-alive
    static constexpr uint64_t kWatchdogMs = 30000;       // silence that closes the connection
    static constexpr size_t kMaxPendingSend = 4u << 20;
    static constexpr uint64_t kLookupPollMs = 10;  // how often a waiting loop looks at a lookup

    CTCPSocketModule();
    ~CTCPSocketModule() override;
    CTCPSocketModule(const CTCPSocketModule&) = delete;
    CTCPSocketModule& operator=(const CTCPSocketModule&) = delete;

    void SetSocketSink(IClientSocketSink* sink) override { m_sink = sink; }
    void SetUserID(uint32_t userId) override { m_userId = userId; }
    void SetConnectCount(uint8_t count) override { m_connectCount = count; }
    void SetSerialCheck(bool check) override { m_serialCheck = check; }
    bool Connect(const std::vector<std::string>& addresses, const std::string& identity, uint16_t port) override;
    bool SendData(uint16_t main, uint16_t sub, const void* data, size_t size) override;
    bool SendCommand(uint16_t main, uint16_t sub) override;
    void CloseSocket() override;
    void OnUpdate() override;

    // Polls every live module; the program calls it once a pass of its loop.
    // With the descriptors its last wait polled, a socket found with nothing
    // to read is not read (its deadlines and sends are still seen to).
    static void PollAll(const std::vector<pollfd>* polled = nullptr);

    // What the program's loop waits on for this module: its descriptor, with
    // POLLOUT while connecting or while bytes wait to go, and the milliseconds
    // (on the module's clock) until it must be updated even if nothing comes:
    // the connect or lookup deadline, the keep-alive, the watchdog.
    void AddWaits(std::vector<pollfd>& fds, uint64_t& dueInMs) const;
    // The same for every live module.
    static void AddWaitsAll(std::vector<pollfd>& fds, uint64_t& dueInMs);

    bool IsLinked() const;
    uint32_t GetUserID() const { return m_userId; }
    uint8_t GetConnectCount() const { return m_connectCount; }
    bool GetSerialCheck() const { return m_serialCheck; }
    const std::string& GetIdentity() const { return m_identity; }

    // Monotonic milliseconds; tests drive time through this.
    using Clock = std::function<uint64_t()>;
    void SetClock(Clock clock);
    void SetHostResolver(net::HostResolver resolver);

private:
    struct Link;

    uint64_t Now() const;
    bool StartAddress(Link& link);
    bool StartConnect(Link& link);
    void AdvanceConnect(const std::shared_ptr<Link>& link);
    void ServiceLink(const std::shared_ptr<Link>& link, bool mayRead);
    bool Flush(Link& link);
    void QueueKeepAlive(Link& link);
    void HandleTransport(Link& link, uint16_t sub, const uint8_t* data, size_t size);
    void Shut(const std::shared_ptr<Link>& link, SocketShutReason reason, const char* why);
    void Drop(const std::shared_ptr<Link>& link, const char* why);

    IClientSocketSink* m_sink = nullptr;
    uint32_t m_userId = 0;
    uint8_t m_connectCount = 1;
    bool m_serialCheck = false;
    std::string m_identity;
    Clock m_clock;
    net::HostResolver m_resolver;
    std::shared_ptr<Link> m_link;
    // Set by PollAll for one update: the last wait found the socket quiet.
    bool m_quiet = false;
};
