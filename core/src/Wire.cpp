#include "core/Wire.h"

namespace wire {

std::u16string ReadText(const void* field, size_t maxUnits)
{
    std::u16string out;
    if (field == nullptr)
        return out;
    const auto* bytes = static_cast<const uint8_t*>(field);
    for (size_t i = 0; i < maxUnits; ++i)
    {
        char16_t unit = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        if (unit == 0)
            break;
        out.push_back(unit);
    }
    return out;
}

std::u16string ReadTextAt(const void* data, size_t size, size_t offset, size_t maxUnits)
{
    if (data == nullptr || offset >= size)
        return std::u16string();
    size_t available = (size - offset) / 2;
    return ReadText(static_cast<const uint8_t*>(data) + offset, available < maxUnits ? available : maxUnits);
}

size_t WriteText(void* field, size_t fieldUnits, const std::u16string& text)
{
    if (field == nullptr || fieldUnits == 0)
        return 0;
    auto* bytes = static_cast<uint8_t*>(field);
    std::memset(bytes, 0, fieldUnits * 2);
    size_t n = text.size() < fieldUnits - 1 ? text.size() : fieldUnits - 1;
    // Do not leave half of a surrogate pair at the cut.
    if (n > 0 && n < text.size() && text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF)
        --n;
    for (size_t i = 0; i < n; ++i)
    {
        bytes[2 * i] = static_cast<uint8_t>(text[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<uint8_t>(text[i] >> 8);
    }
    return n;
}

bool ByteReader::raw(void* out, size_t n)
{
    if (!m_ok || n > m_size - m_offset)
    {
        m_ok = false;
        if (out != nullptr && n > 0)
            std::memset(out, 0, n);
        return false;
    }
    if (n > 0)
        std::memcpy(out, m_data + m_offset, n);
    m_offset += n;
    return true;
}

bool ByteReader::skip(size_t n)
{
    if (!m_ok || n > m_size - m_offset)
    {
        m_ok = false;
        return false;
    }
    m_offset += n;
    return true;
}

bool ByteReader::text(std::u16string& out, size_t units)
{
    out.clear();
    if (!m_ok || units > (m_size - m_offset) / 2)
    {
        m_ok = false;
        return false;
    }
    out = ReadText(m_data + m_offset, units);
    m_offset += units * 2;
    return true;
}

bool ByteWriter::raw(const void* in, size_t n)
{
    if (!m_ok || n > m_capacity - m_offset)
    {
        m_ok = false;
        return false;
    }
    if (n > 0)
        std::memcpy(m_data + m_offset, in, n);
    m_offset += n;
    return true;
}

bool ByteWriter::zeros(size_t n)
{
    if (!m_ok || n > m_capacity - m_offset)
    {
        m_ok = false;
        return false;
    }
    std::memset(m_data + m_offset, 0, n);
    m_offset += n;
    return true;
}

bool ByteWriter::text(const std::u16string& s, size_t units)
{
    if (!m_ok || units > (m_capacity - m_offset) / 2)
    {
        m_ok = false;
        return false;
    }
    WriteText(m_data + m_offset, units, s);
    m_offset += units * 2;
    return true;
}

}  // namespace wire
