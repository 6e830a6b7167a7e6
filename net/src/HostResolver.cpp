#include "net/HostResolver.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <pthread.h>
#include <sys/socket.h>

#include <algorithm>
#include <cstring>

namespace net {

bool HostLookup::Poll(std::vector<uint32_t>& addresses)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_done)
        addresses = m_addresses;
    return m_done;
}

void HostLookup::Finish(std::vector<uint32_t> addresses)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_addresses = std::move(addresses);
    m_done = true;
}

namespace {

struct ResolveJob
{
    std::string host;
    std::shared_ptr<HostLookup> lookup;
};

void* ResolveThread(void* arg)
{
    std::unique_ptr<ResolveJob> job(static_cast<ResolveJob*>(arg));
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    std::vector<uint32_t> addresses;
    if (getaddrinfo(job->host.c_str(), nullptr, &hints, &found) == 0)
    {
        for (addrinfo* ai = found; ai != nullptr; ai = ai->ai_next)
        {
            if (ai->ai_family != AF_INET || ai->ai_addrlen < sizeof(sockaddr_in))
                continue;
            sockaddr_in sin;
            std::memcpy(&sin, ai->ai_addr, sizeof(sin));
            uint32_t address = sin.sin_addr.s_addr;
            if (std::find(addresses.begin(), addresses.end(), address) == addresses.end())
                addresses.push_back(address);
        }
        freeaddrinfo(found);
    }
    job->lookup->Finish(std::move(addresses));
    return nullptr;
}

}  // namespace

std::shared_ptr<HostLookup> ResolveHostAsync(const std::string& host)
{
    auto lookup = std::make_shared<HostLookup>();
    auto* job = new ResolveJob{host, lookup};
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setdetachstate(&attr, PTHREAD_CREATE_DETACHED);
    pthread_t thread;
    if (pthread_create(&thread, &attr, ResolveThread, job) != 0)
    {
        delete job;
        lookup->Finish({});
    }
    pthread_attr_destroy(&attr);
    return lookup;
}

bool ParseIPv4(const std::string& text, uint32_t& address)
{
    in_addr parsed{};
    if (inet_pton(AF_INET, text.c_str(), &parsed) != 1)
        return false;
    address = parsed.s_addr;
    return true;
}

std::string FormatIPv4(uint32_t address)
{
    in_addr a{};
    a.s_addr = address;
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &a, text, sizeof(text));
    return text;
}

}  // namespace net
