#include "games/framework/LabelFit.h"

#include <cinttypes>
#include <cstdio>
#include <string>

using namespace cocos2d;

namespace Sexy {

std::string AtlasFigure(int64_t value)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%" PRId64, value);
    if (text[0] == '-')
        text[0] = ':';
    return text;
}

void FitTextToWidth(CCLabelTTF* label, float width)
{
    if (label == nullptr || width <= 0 || label->getContentSize().width <= width)
        return;
    const std::string text = label->getString();
    size_t end = text.size();
    while (end > 0)
    {
        // Back to the start of the last whole character.
        do
            --end;
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80);
        label->setString((text.substr(0, end) + "...").c_str());
        if (label->getContentSize().width <= width)
            return;
    }
}

void FitScaleToWidth(CCNode* node, float width)
{
    if (node == nullptr || width <= 0)
        return;
    const float drawn = node->getContentSize().width;
    node->setScale(drawn > width ? width / drawn : 1.0f);
}

}  // namespace Sexy
