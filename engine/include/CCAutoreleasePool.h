#ifndef KEST_CC_AUTORELEASE_POOL_H
#define KEST_CC_AUTORELEASE_POOL_H

#include <vector>

#include "CCObject.h"

NS_CC_BEGIN

// Holds one reference per autorelease call until cleared.
class CCAutoreleasePool : public CCObject {
 public:
  ~CCAutoreleasePool() override;
  void addObject(CCObject* pObject);
  void removeObject(CCObject* pObject);
  void clear();
  size_t count() const { return m_objects.size(); }

 private:
  std::vector<CCObject*> m_objects;
};

// A stack of pools; the bottom pool is drained by the director after each frame.
class CCPoolManager {
 public:
  static CCPoolManager* sharedPoolManager();
  static void purgePoolManager();
  void finalize();
  void push();
  void pop();
  void removeObject(CCObject* pObject);
  void addObject(CCObject* pObject);
  CCAutoreleasePool* getCurReleasePool();

 private:
  CCPoolManager();
  ~CCPoolManager();
  std::vector<CCAutoreleasePool*> m_pools;
};

NS_CC_END

#endif
