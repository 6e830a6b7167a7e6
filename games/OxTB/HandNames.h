// Hand names of the six-seat bull game, indexed by the type byte of the
// round-end message. Texts are UTF-8 (labels take UTF-8).
#pragma once

#include <cstddef>

namespace OxTB {

// Answers every index: the type comes from the wire, and one past the
// sixteen names gives an empty text.
struct HandNameTable
{
    const char* const* names;
    size_t count;

    const char* operator[](size_t index) const { return index < count ? names[index] : ""; }
    size_t size() const { return count; }
};

// 0 "无牛", 1..9 "牛一".."牛九", 10 empty, 11 "小王牛", 12 "大王牛",
// 13 "牛牛", 14 "四花牛", 15 "五花牛".
extern const HandNameTable OxTBHandNames;

}  // namespace OxTB
