// Tail items: after a fixed record, items {u16 byte size, u16 type, bytes}.
#pragma once

#include "core/Wire.h"

#include <cstddef>
#include <cstdint>
#include <string>

KEST_WIRE_BEGIN
struct tagDataDescribe
{
    uint16_t wDataSize;      // bytes of the item after this descriptor
    uint16_t wDataDescribe;  // item type; 0 never starts an item
};
KEST_WIRE_END
static_assert(sizeof(tagDataDescribe) == 4, "item descriptor layout");

// Writes items into a caller's buffer of `capacity` bytes; the data size
// starts at 0. An item that does not fit is refused whole.
class CSendPacketHelper
{
public:
    CSendPacketHelper(void* buffer, size_t capacity);

    // Appends {byte size, type, text as UTF-16LE without terminator}; the data
    // size grows by 4 + byte size. False, and nothing written, when it does
    // not fit the capacity or the byte size does not fit its u16.
    bool AddPacket(const std::u16string& text, uint16_t type);

    size_t GetDataSize() const { return m_dataSize; }
    void* GetDataBuffer() const { return m_buffer; }

private:
    uint8_t* m_buffer;
    size_t m_capacity;
    size_t m_dataSize = 0;
};

// Reads items in order from (data, size).
class CRecvPacketHelper
{
public:
    CRecvPacketHelper(const void* data, size_t size);

    // The next item's bytes (possibly unaligned) with its descriptor filled.
    // Null, with a zeroed descriptor, at the end, on a type 0 item, or when an
    // item would overrun the data; every later call then returns null too.
    const void* GetData(tagDataDescribe& describe);

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_position = 0;
};
