// Hand names of the two-seat and four-seat bull games, indexed by the type
// byte of a round-end message. Texts are UTF-8 (labels take UTF-8).
#pragma once

#include <cstddef>

namespace Bull {

// A name table that answers every index: the type comes from the wire, and
// an index past the table gives the table's fallback text.
struct HandNameTable
{
    const char* const* names;
    size_t count;
    const char* beyond;

    const char* operator[](size_t index) const { return index < count ? names[index] : beyond; }
    size_t size() const { return count; }
};

// 0 "无牛", 1..9 "牛一".."牛九", 10 "牛牛". Both tables show every type above
// 10 (the face hands 104 and 105 among them) as "牛牛".
extern const HandNameTable OxExHandNames;
extern const HandNameTable OxNewHandNames;

}  // namespace Bull
