#include "net/Packet.h"

#include <cstring>

namespace net {

bool AppendPacket(std::vector<uint8_t>& out, uint16_t main, uint16_t sub, const void* data, size_t size)
{
    if (size > kMaxPacketBody || (data == nullptr && size != 0))
        return false;
    SocketPacketHead head{};
    head.CommandInfo.wMainCmdID = main;
    head.CommandInfo.wSubCmdID = sub;
    head.dwPacketSize = static_cast<uint32_t>(size);
    const size_t at = out.size();
    out.resize(at + kPacketHeadSize + size);
    std::memcpy(out.data() + at, &head, kPacketHeadSize);
    if (size != 0)
        std::memcpy(out.data() + at + kPacketHeadSize, data, size);
    return true;
}

void PacketReader::Feed(const void* data, size_t size)
{
    if (m_failed || data == nullptr || size == 0)
        return;
    // Drop what was consumed before growing, so the buffer stays one packet
    // plus one read long however long the stream runs.
    if (m_start != 0)
    {
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(m_start));
        m_start = 0;
    }
    const auto* bytes = static_cast<const uint8_t*>(data);
    m_buffer.insert(m_buffer.end(), bytes, bytes + size);
}

PacketReader::Result PacketReader::Next(Packet& out)
{
    out = Packet{};
    if (m_failed)
        return Result::Error;
    if (Buffered() < kPacketHeadSize)
        return Result::NeedMore;
    SocketPacketHead head;
    std::memcpy(&head, m_buffer.data() + m_start, kPacketHeadSize);
    const uint32_t bodySize = head.dwPacketSize;
    if (bodySize > kMaxPacketBody)
    {
        m_failed = true;
        return Result::Error;
    }
    if (Buffered() - kPacketHeadSize < bodySize)
        return Result::NeedMore;
    out.main = head.CommandInfo.wMainCmdID;
    out.sub = head.CommandInfo.wSubCmdID;
    out.data = m_buffer.data() + m_start + kPacketHeadSize;
    out.size = bodySize;
    m_start += kPacketHeadSize + bodySize;
    return Result::Packet;
}

void PacketReader::Reset()
{
    m_buffer.clear();
    m_start = 0;
    m_failed = false;
}

}  // namespace net
