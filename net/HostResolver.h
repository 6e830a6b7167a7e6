// Host-name resolution on a worker thread, polled from the main thread.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace net {

// Shared by the worker and the poller; outlives whichever lets go first.
class HostLookup
{
public:
    // True once finished; `addresses` then holds the IPv4 addresses found
    // (network order, as in in_addr), empty when the name did not resolve.
    bool Poll(std::vector<uint32_t>& addresses);
    void Finish(std::vector<uint32_t> addresses);

private:
    std::mutex m_mutex;
    bool m_done = false;
    std::vector<uint32_t> m_addresses;
};

using HostResolver = std::function<std::shared_ptr<HostLookup>(const std::string& host)>;

// Starts one detached thread for the name. A thread that cannot start
// finishes the lookup at once, empty.
std::shared_ptr<HostLookup> ResolveHostAsync(const std::string& host);

// An IPv4 literal "a.b.c.d" in network order; false for anything else.
bool ParseIPv4(const std::string& text, uint32_t& address);

std::string FormatIPv4(uint32_t address);

}  // namespace net
