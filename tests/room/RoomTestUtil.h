// Building room-server messages in tests.
#pragma once

#include "room/RoomMessages.h"
#include "room/UserData.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace roomtest {

using Bytes = std::vector<uint8_t>;

inline void PutU16(Bytes& b, uint16_t v)
{
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
inline void PutU32(Bytes& b, uint32_t v)
{
    PutU16(b, static_cast<uint16_t>(v));
    PutU16(b, static_cast<uint16_t>(v >> 16));
}
inline void PutI64(Bytes& b, int64_t v)
{
    PutU32(b, static_cast<uint32_t>(v));
    PutU32(b, static_cast<uint32_t>(static_cast<uint64_t>(v) >> 32));
}
inline void PutText(Bytes& b, const std::u16string& s)
{
    for (char16_t c : s)
        PutU16(b, c);
}
inline void PutItem(Bytes& b, uint16_t type, const std::u16string& s)
{
    PutU16(b, static_cast<uint16_t>(s.size() * 2));
    PutU16(b, type);
    PutText(b, s);
}

inline uint16_t U16At(const Bytes& b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }
inline uint32_t U32At(const Bytes& b, size_t at)
{
    return U16At(b, at) | static_cast<uint32_t>(U16At(b, at + 2)) << 16;
}
inline std::u16string TextAt(const Bytes& b, size_t at, size_t units)
{
    std::u16string s;
    for (size_t i = 0; i < units && at + 2 * i + 1 < b.size(); ++i)
    {
        const char16_t c = U16At(b, at + 2 * i);
        if (c == 0)
            break;
        s.push_back(c);
    }
    return s;
}

template <typename T>
Bytes AsBytes(const T& record)
{
    Bytes b(sizeof(T));
    std::memcpy(b.data(), &record, sizeof(T));
    return b;
}

// A user as the server announces it.
struct UserEntry
{
    uint32_t userId = 0;
    uint32_t gameId = 0;
    std::u16string nick;
    uint16_t table = INVALID_TABLE;
    uint16_t chair = INVALID_CHAIR;
    uint8_t status = US_FREE;
    int64_t score = 0;
    int64_t bank = 0;
    uint8_t member = 0;
    uint8_t gender = 0;
    uint16_t client = 3;
};

// The 82-byte head of a user enter, then the nickname item.
inline Bytes UserEnter(const UserEntry& u)
{
    Bytes b;
    PutU32(b, u.gameId);
    PutU32(b, u.userId);
    PutU32(b, 0x11111111);  // carried
    PutU16(b, 0x2222);
    PutU32(b, 0x33333333);
    b.push_back(u.gender);
    b.push_back(u.member);
    b.push_back(0x44);
    PutU16(b, u.table);
    PutU16(b, u.chair);
    b.push_back(u.status);
    PutI64(b, u.score);
    PutI64(b, 5);
    PutI64(b, u.bank);
    PutI64(b, 6);
    PutI64(b, 7);
    PutI64(b, 8);
    PutU32(b, 0x55555555);
    b.push_back(0x66);
    b.push_back(0x77);
    PutU16(b, u.client);
    PutItem(b, 10, u.nick);
    return b;
}

inline Bytes UserStatus(uint32_t userId, uint16_t table, uint16_t chair, uint8_t status)
{
    Bytes b;
    PutU32(b, userId);
    PutU16(b, table);
    PutU16(b, chair);
    b.push_back(status);
    b.resize(kUserStatusMinSize, 0);
    return b;
}

inline Bytes UserScore(uint32_t userId, int64_t score, int64_t bank, uint8_t flag = 1)
{
    Bytes b;
    PutU32(b, userId);
    b.push_back(flag);
    PutI64(b, score);
    PutI64(b, 0);
    PutI64(b, bank);
    PutI64(b, 0);
    PutI64(b, 0);
    PutI64(b, 0);
    PutU32(b, 9);
    return b;
}

}  // namespace roomtest
