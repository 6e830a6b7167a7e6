#ifndef KEST_EXTENSION_MACROS_H
#define KEST_EXTENSION_MACROS_H

#include "cocos2d.h"

#define NS_CC_EXT_BEGIN \
  namespace cocos2d {   \
  namespace extension {
#define NS_CC_EXT_END \
  }                   \
  }
#define USING_NS_CC_EXT using namespace cocos2d::extension

namespace cocos2d {
// Two-phase creation with any init call: new, init, autorelease; a failed
// init gives null.
template <class T, class F>
T* ccCreateWith(F init) {
  T* p = new T();
  if (init(p)) {
    p->autorelease();
    return p;
  }
  delete p;
  return nullptr;
}
}  // namespace cocos2d

#endif
