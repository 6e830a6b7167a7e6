#include "net/IPCCopyData.h"

#include "net/src/NetGlobal.h"

#include <cstring>

bool CIPCSendCopyData::SendData(uint16_t main, uint16_t sub, const void* data, size_t size)
{
    if (m_peer == 0 || size > kMaxCopyDataBody || (data == nullptr && size != 0))
    {
        net::detail::Log("channel message %u/%u of %zu bytes not sent", main, sub, size);
        return false;
    }
    uint8_t block[platform::kMaxCopyData];
    CopyDataHead head{kCopyDataVersion, static_cast<uint16_t>(sizeof(head) + size), main, sub};
    std::memcpy(block, &head, sizeof(head));
    if (size != 0)
        std::memcpy(block + sizeof(head), data, size);
    return platform::SendCopyData(m_local, m_peer, kCopyDataIdentifier, block, sizeof(head) + size);
}

bool CIPCRecvCopyData::OnCopyData(platform::WindowHandle sender, uint32_t dwData, const void* block, size_t size)
{
    if (dwData != kCopyDataIdentifier || block == nullptr || size < sizeof(CopyDataHead) ||
        size > platform::kMaxCopyData)
        return false;
    CopyDataHead head;
    std::memcpy(&head, block, sizeof(head));
    if (head.wVersion != kCopyDataVersion || head.wDataSize != size)
    {
        net::detail::Log("channel message refused: version %u, size %u in a block of %zu bytes", head.wVersion,
                         head.wDataSize, size);
        return false;
    }
    if (m_sink == nullptr)
        return false;
    return m_sink->OnChannelMessage(head, static_cast<const uint8_t*>(block) + sizeof(head), size - sizeof(head),
                                    sender);
}
