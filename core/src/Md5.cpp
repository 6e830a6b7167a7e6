#include "core/Md5.h"

#include <md5.h>

namespace kest {

static_assert(sizeof(MD5_CTX) <= 128, "MD5 state must fit the opaque buffer");

static MD5_CTX* Ctx(uint8_t* state) { return reinterpret_cast<MD5_CTX*>(state); }

Md5::Md5() { Reset(); }

void Md5::Reset() { MD5Init(Ctx(m_state)); }

void Md5::Update(const void* data, size_t size)
{
    if (data != nullptr && size > 0)
        MD5Update(Ctx(m_state), static_cast<const uint8_t*>(data), size);
}

void Md5::Final(uint8_t digest[kMd5DigestSize]) { MD5Final(digest, Ctx(m_state)); }

std::string Md5::FinalHex()
{
    uint8_t digest[kMd5DigestSize];
    Final(digest);
    return DigestToHex(digest);
}

void Md5Digest(const void* data, size_t size, uint8_t digest[kMd5DigestSize])
{
    Md5 md5;
    md5.Update(data, size);
    md5.Final(digest);
}

std::string DigestToHex(const uint8_t digest[kMd5DigestSize])
{
    static const char kHex[] = "0123456789abcdef";
    std::string out(kMd5DigestSize * 2, '0');
    for (size_t i = 0; i < kMd5DigestSize; ++i)
    {
        out[2 * i] = kHex[digest[i] >> 4];
        out[2 * i + 1] = kHex[digest[i] & 0x0F];
    }
    return out;
}

std::string Md5Hex(const void* data, size_t size)
{
    uint8_t digest[kMd5DigestSize];
    Md5Digest(data, size, digest);
    return DigestToHex(digest);
}

std::string Md5Hex(const std::string& text) { return Md5Hex(text.data(), text.size()); }

}  // namespace kest
