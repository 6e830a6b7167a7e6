// MD5 digests (libmd underneath). Passwords, check values and the packet
// signature all use the 32-digit lowercase hex form.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kest {

constexpr size_t kMd5DigestSize = 16;

// Incremental digest, for data that arrives in pieces (packet head + body).
class Md5
{
public:
    Md5();
    void Update(const void* data, size_t size);
    // Ends the digest; the object must be Reset before it is used again.
    void Final(uint8_t digest[kMd5DigestSize]);
    std::string FinalHex();
    void Reset();

private:
    alignas(8) uint8_t m_state[128];
};

void Md5Digest(const void* data, size_t size, uint8_t digest[kMd5DigestSize]);
std::string Md5Hex(const void* data, size_t size);
std::string Md5Hex(const std::string& text);
std::string DigestToHex(const uint8_t digest[kMd5DigestSize]);

}  // namespace kest
