#include "net/PacketHelper.h"

#include <cstring>
#include <limits>

CSendPacketHelper::CSendPacketHelper(void* buffer, size_t capacity)
    : m_buffer(static_cast<uint8_t*>(buffer)), m_capacity(buffer ? capacity : 0)
{}

bool CSendPacketHelper::AddPacket(const std::u16string& text, uint16_t type)
{
    const size_t bytes = text.size() * 2;
    if (bytes > std::numeric_limits<uint16_t>::max())
        return false;
    if (m_capacity < m_dataSize || m_capacity - m_dataSize < sizeof(tagDataDescribe) + bytes)
        return false;
    tagDataDescribe describe{static_cast<uint16_t>(bytes), type};
    uint8_t* at = m_buffer + m_dataSize;
    std::memcpy(at, &describe, sizeof(describe));
    at += sizeof(describe);
    for (char16_t unit : text)
    {
        *at++ = static_cast<uint8_t>(unit & 0xFF);
        *at++ = static_cast<uint8_t>(unit >> 8);
    }
    m_dataSize += sizeof(describe) + bytes;
    return true;
}

CRecvPacketHelper::CRecvPacketHelper(const void* data, size_t size)
    : m_data(static_cast<const uint8_t*>(data)), m_size(data ? size : 0)
{}

const void* CRecvPacketHelper::GetData(tagDataDescribe& describe)
{
    describe = tagDataDescribe{0, 0};
    if (m_size - m_position < sizeof(tagDataDescribe))
        return nullptr;
    tagDataDescribe next;
    std::memcpy(&next, m_data + m_position, sizeof(next));
    const size_t itemSize = next.wDataSize;
    const size_t remaining = m_size - m_position - sizeof(tagDataDescribe);
    if (next.wDataDescribe == 0 || itemSize > remaining)
    {
        m_position = m_size;  // a broken item ends the list
        return nullptr;
    }
    const uint8_t* item = m_data + m_position + sizeof(tagDataDescribe);
    m_position += sizeof(tagDataDescribe) + itemSize;
    describe = next;
    return item;
}
