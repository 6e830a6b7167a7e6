#ifndef KEST_ENGINE_PLIST_H
#define KEST_ENGINE_PLIST_H

// XML property lists into CCDictionary / CCArray / CCString.

#include <cstddef>

#include "CCDictionary.h"

namespace kest {
namespace plist {

// The first <dict> of the document, not autoreleased; null when the text is
// not XML or holds no dict.
cocos2d::CCDictionary* parseDictionary(const char* xml, size_t length);
// The first <array>, not autoreleased; null likewise.
cocos2d::CCArray* parseArray(const char* xml, size_t length);

}  // namespace plist
}  // namespace kest

#endif
