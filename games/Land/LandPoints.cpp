#include "games/Land/LandPoints.h"

#include <cstdlib>
#include <cstring>

using namespace cocos2d;

namespace Land {

bool ParsePointText(const char* text, CCPoint& point)
{
    point = CCPointZero;
    const char* comma = text != nullptr ? std::strchr(text, ',') : nullptr;
    if (comma == nullptr)
        return false;
    point = CCPoint(static_cast<float>(std::atoi(text)), static_cast<float>(std::atoi(comma + 1)));
    return true;
}

size_t ReadLandPoints(const char* file, CCPoint (&points)[kLandPointCount])
{
    for (CCPoint& point : points)
        point = CCPointZero;
    CCDictionary* dict = CCDictionary::createWithContentsOfFile(file);
    CCArray* list = dict != nullptr ? dynamic_cast<CCArray*>(dict->objectForKey("point_moblie_list")) : nullptr;
    size_t good = 0;
    for (size_t i = 0; i < kLandPointCount; ++i)
    {
        CCDictionary* entry = list != nullptr && i < list->count()
                                  ? dynamic_cast<CCDictionary*>(list->objectAtIndex(static_cast<unsigned int>(i)))
                                  : nullptr;
        const CCString* text = entry != nullptr ? entry->valueForKey("point_moblie") : nullptr;
        if (text != nullptr && ParsePointText(text->getCString(), points[i]))
            ++good;
        else
            CCLOG("%s: point %zu is missing or has no comma; (0, 0) stands in", file, i);
    }
    return good;
}

}  // namespace Land
