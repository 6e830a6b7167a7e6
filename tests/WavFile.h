// Wave files for sound tests: mono 16-bit PCM of a square tone, or of a
// sine from phase 0 (a whole number of its periods loops without a step).
#pragma once

#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>

inline std::string MakeWav(int rate, int samples, int16_t amplitude = 3000, double sineHz = 0)
{
    std::string s;
    auto u32 = [&s](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            s += static_cast<char>(v >> (8 * i));
    };
    auto u16 = [&s](uint16_t v) {
        s += static_cast<char>(v);
        s += static_cast<char>(v >> 8);
    };
    s += "RIFF";
    u32(36 + samples * 2);
    s += "WAVEfmt ";
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    s += "data";
    u32(samples * 2);
    for (int i = 0; i < samples; ++i)
        u16(sineHz > 0 ? static_cast<uint16_t>(std::lround(amplitude * std::sin(6.283185307179586 * sineHz * i / rate)))
            : (i / 20) % 2 ? static_cast<uint16_t>(amplitude)
                           : static_cast<uint16_t>(-amplitude));
    return s;
}

// A second of it.
inline bool WriteWav(const std::string& path)
{
    std::ofstream out(path, std::ios::binary);
    out << MakeWav(22050, 22050);
    return static_cast<bool>(out.flush());
}
