#include "core/TextWidth.h"

namespace textwidth {

size_t CharLength(const std::string& text, size_t at)
{
    if (at >= text.size())
        return 0;
    const auto lead = static_cast<unsigned char>(text[at]);
    size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    return at + length <= text.size() ? length : text.size() - at;
}

Split SplitByWidth(const std::string& utf8, int start, int width, float size, const std::string& font,
                   MeasureFn measure)
{
    if (start < 0)
        start = 0;
    size_t at = static_cast<size_t>(start);
    if (at >= utf8.size())
        return Split{start, std::string()};
    float sum = 0;
    while (at < utf8.size())
    {
        const size_t length = CharLength(utf8, at);
        sum += measure != nullptr ? measure(utf8.substr(at, length), font, size) : 0.0f;
        at += length;
        if (sum >= static_cast<float>(width))
            break;
    }
    return Split{static_cast<int>(at), utf8.substr(static_cast<size_t>(start), at - static_cast<size_t>(start))};
}

std::string TruncateToWidth(const std::string& utf8, int width, float size, const std::string& font, MeasureFn measure)
{
    Split split = SplitByWidth(utf8, 0, width, size, font, measure);
    if (static_cast<size_t>(split.end) >= utf8.size())
        return utf8;
    return split.part + "...";
}

}  // namespace textwidth
