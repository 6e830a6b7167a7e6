// Walking UTF-8 text by the drawn width of its characters.
#pragma once

#include <cstddef>
#include <string>

namespace textwidth {

// Width of one character (UTF-8) drawn in a font and size.
using MeasureFn = float (*)(const std::string& utf8, const std::string& font, float size);

// Bytes of the UTF-8 character at `at`, taken from its lead byte and never
// past the end (a stray continuation byte counts as one).
size_t CharLength(const std::string& text, size_t at);

struct Split
{
    int end;
    std::string part;
};

// Takes characters from byte `start` until the summed width reaches `width`
// (the character that reaches it is taken) or the text ends.
Split SplitByWidth(const std::string& utf8, int start, int width, float size, const std::string& font,
                   MeasureFn measure);

// Cuts the text after the character whose width reaches `width` and appends
// "..." unless the cut falls at the end.
std::string TruncateToWidth(const std::string& utf8, int width, float size, const std::string& font, MeasureFn measure);

}  // namespace textwidth
