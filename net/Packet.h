// Packet framing shared by the client transport and the scenario room server.
//
// A packet is an 8-byte head {u16 main, u16 sub, u32 body size} and the body,
// at most kMaxPacketBody bytes. Main command 0 belongs to the transport
// (keep-alive, address notice) and never reaches a sink. docs/protocol.md has
// the whole format.
#pragma once

#include "core/Wire.h"

#include <cstddef>
#include <cstdint>
#include <vector>

KEST_WIRE_BEGIN
struct SocketCommand
{
    uint16_t wMainCmdID;
    uint16_t wSubCmdID;
};
struct SocketPacketHead
{
    SocketCommand CommandInfo;
    uint32_t dwPacketSize;  // body bytes after the head
};
KEST_WIRE_END
static_assert(sizeof(SocketCommand) == 4, "command layout");
static_assert(sizeof(SocketPacketHead) == 8, "packet head layout");

namespace net {

constexpr size_t kPacketHeadSize = sizeof(SocketPacketHead);
constexpr size_t kMaxPacketBody = 65535;

constexpr uint16_t kTransportMain = 0;
constexpr uint16_t kKeepAliveSub = 1;
constexpr uint16_t kAddressNoticeSub = 2;

// The command word a sink receives: main in the low half.
inline uint32_t PackCommand(uint16_t main, uint16_t sub) { return main | (static_cast<uint32_t>(sub) << 16); }
inline uint16_t CommandMain(uint32_t command) { return static_cast<uint16_t>(command & 0xFFFF); }
inline uint16_t CommandSub(uint32_t command) { return static_cast<uint16_t>(command >> 16); }

// Appends one framed packet to `out`. Refuses (false, nothing appended) a body
// over kMaxPacketBody or a null body with a non-zero size.
bool AppendPacket(std::vector<uint8_t>& out, uint16_t main, uint16_t sub, const void* data, size_t size);

struct Packet
{
    uint16_t main = 0;
    uint16_t sub = 0;
    const uint8_t* data = nullptr;  // valid until the next Feed, Next or Reset
    size_t size = 0;
};

// Cuts a byte stream into packets, whatever the split of the reads.
class PacketReader
{
public:
    enum class Result
    {
        Packet,
        NeedMore,
        Error
    };

    void Feed(const void* data, size_t size);
    // The next whole packet. Error when a head announces an over-long body;
    // the reader then stays in error until Reset.
    Result Next(Packet& out);
    // Bytes received but not yet returned as packets.
    size_t Buffered() const { return m_buffer.size() - m_start; }
    bool Failed() const { return m_failed; }
    void Reset();

private:
    std::vector<uint8_t> m_buffer;
    size_t m_start = 0;
    bool m_failed = false;
};

}  // namespace net
