// A connection the test drives: what the owner sends is recorded.
#pragma once

#include "RoomTestUtil.h"
#include "net/ClientSocket.h"

#include <string>
#include <vector>

namespace roomtest {

class FakeSocket : public IClientSocket
{
public:
    struct Sent
    {
        uint16_t main;
        uint16_t sub;
        Bytes data;
    };
    void SetSocketSink(IClientSocketSink* sink) override { this->sink = sink; }
    void SetUserID(uint32_t id) override { userId = id; }
    void SetConnectCount(uint8_t) override {}
    void SetSerialCheck(bool check) override { serialCheck = check; }
    bool Connect(const std::vector<std::string>& list, const std::string& id, uint16_t p) override
    {
        addresses = list;
        identity = id;
        port = p;
        ++connects;
        return true;
    }
    bool SendData(uint16_t main, uint16_t sub, const void* data, size_t size) override
    {
        const auto* bytes = static_cast<const uint8_t*>(data);
        sent.push_back({main, sub, Bytes(bytes, bytes + size)});
        return !closed;
    }
    bool SendCommand(uint16_t main, uint16_t sub) override { return SendData(main, sub, nullptr, 0); }
    void CloseSocket() override { closed = true; }
    void OnUpdate() override { ++updates; }

    // The messages sent with this command, in order.
    std::vector<Bytes> SentWith(uint16_t main, uint16_t sub) const
    {
        std::vector<Bytes> out;
        for (const Sent& s : sent)
            if (s.main == main && s.sub == sub)
                out.push_back(s.data);
        return out;
    }

    IClientSocketSink* sink = nullptr;
    std::vector<Sent> sent;
    std::vector<std::string> addresses;
    std::string identity;
    uint32_t userId = 0;
    uint16_t port = 0;
    int connects = 0;
    int updates = 0;
    bool serialCheck = false;
    bool closed = false;
};

}  // namespace roomtest
