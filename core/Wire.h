// Wire records: little-endian, packed, read and written with bounds checks.
//
// Every server message is untrusted. Handlers check the size first, then read
// through ByteReader (which never reads past its buffer) or memcpy into a
// packed record whose size is fixed by static_assert. Texts on the wire are
// fixed arrays of UTF-16LE units: ReadWireText stops at the first 0 or at the
// field's end, whichever comes first, and never at an unaligned pointer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "wire records are read in place on little-endian hosts");

namespace wire {

// Reads a UTF-16 text field of at most maxUnits units, starting at a byte
// address that may be unaligned. Stops at the first 0 unit.
std::u16string ReadText(const void* field, size_t maxUnits);

// Reads a text field at byte offset `offset` of a message of `size` bytes.
// The field is cut at the message end as well: a missing text is empty.
std::u16string ReadTextAt(const void* data, size_t size, size_t offset, size_t maxUnits);

// Writes text into a field of fieldUnits units: cut to fieldUnits - 1 units
// (never splitting a surrogate pair) and 0-terminated; the rest is zeroed.
// Returns the number of units written before the terminator.
size_t WriteText(void* field, size_t fieldUnits, const std::u16string& text);

// Copies a trivially copyable record out of a buffer; false when too short.
template <typename T>
bool ReadRecord(const void* data, size_t size, T& out)
{
    static_assert(std::is_trivially_copyable<T>::value, "wire records are plain bytes");
    if (data == nullptr || size < sizeof(T))
        return false;
    std::memcpy(&out, data, sizeof(T));
    return true;
}

// Sequential bounds-checked reader. Every read fails (returns false and leaves
// the output zeroed) once the buffer is exhausted; ok() reports whether any
// read has failed.
class ByteReader
{
public:
    ByteReader(const void* data, size_t size) : m_data(static_cast<const uint8_t*>(data)), m_size(data ? size : 0) {}

    bool u8(uint8_t& v) { return raw(&v, 1); }
    bool u16(uint16_t& v) { return raw(&v, 2); }
    bool u32(uint32_t& v) { return raw(&v, 4); }
    bool i32(int32_t& v) { return raw(&v, 4); }
    bool i64(int64_t& v) { return raw(&v, 8); }
    bool u64(uint64_t& v) { return raw(&v, 8); }
    bool bytes(void* out, size_t n) { return raw(out, n); }
    // A text field of exactly `units` units; consumed whole even when shorter text.
    bool text(std::u16string& out, size_t units);
    bool skip(size_t n);

    size_t offset() const { return m_offset; }
    size_t remaining() const { return m_size - m_offset; }
    const uint8_t* cursor() const { return m_data + m_offset; }
    bool ok() const { return m_ok; }

private:
    bool raw(void* out, size_t n);

    const uint8_t* m_data;
    size_t m_size;
    size_t m_offset = 0;
    bool m_ok = true;
};

// Sequential writer into a caller's fixed buffer; refuses to overrun it.
class ByteWriter
{
public:
    ByteWriter(void* data, size_t capacity) : m_data(static_cast<uint8_t*>(data)), m_capacity(capacity) {}

    bool u8(uint8_t v) { return raw(&v, 1); }
    bool u16(uint16_t v) { return raw(&v, 2); }
    bool u32(uint32_t v) { return raw(&v, 4); }
    bool i32(int32_t v) { return raw(&v, 4); }
    bool i64(int64_t v) { return raw(&v, 8); }
    bool bytes(const void* in, size_t n) { return raw(in, n); }
    // A text field of exactly `units` units, cut and 0-terminated.
    bool text(const std::u16string& s, size_t units);
    bool zeros(size_t n);

    size_t size() const { return m_offset; }
    bool ok() const { return m_ok; }

private:
    bool raw(const void* in, size_t n);

    uint8_t* m_data;
    size_t m_capacity;
    size_t m_offset = 0;
    bool m_ok = true;
};

}  // namespace wire

// Packed wire records: declare between these so the layout is exact.
#define KEST_WIRE_BEGIN _Pragma("pack(push, 1)")
#define KEST_WIRE_END _Pragma("pack(pop)")
