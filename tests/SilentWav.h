// A short wave file of silence (16-bit mono PCM) for sound tests.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

inline bool WriteSilentWav(const std::string& path, uint32_t rate = 22050)
{
    const uint32_t bytes = rate * 2;  // a second
    std::vector<uint8_t> file;
    auto text = [&file](const char* s) { file.insert(file.end(), s, s + 4); };
    auto u32 = [&file](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            file.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    auto u16 = [&file](uint16_t v) {
        file.push_back(static_cast<uint8_t>(v));
        file.push_back(static_cast<uint8_t>(v >> 8));
    };
    text("RIFF");
    u32(36 + bytes);
    text("WAVE");
    text("fmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    text("data");
    u32(bytes);
    file.resize(file.size() + bytes, 0);
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return false;
    const bool ok = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && ok;
}
