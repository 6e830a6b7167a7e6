// Names of the three-card result hands, indexed by the hand index of the
// round-end message. Texts are UTF-8 (labels take UTF-8).
#pragma once

#include <cstddef>

// Answers every index: the index comes from the wire, and one past the
// twelve names gives an empty text.
struct ThreeKingHandNameTable
{
    const char* const* names;
    size_t count;

    const char* operator[](size_t index) const { return index < count ? names[index] : ""; }
    size_t size() const { return count; }
};

// 0..9 "0点".."9点", 10 "三公", 11 "炸弹".
extern const ThreeKingHandNameTable ThreeKingHandNames;
