#include "CCObject.h"

#include <cxxabi.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "CCAutoreleasePool.h"

NS_CC_BEGIN

void CCLog(const char* format, ...) {
  char buf[2048];
  va_list ap;
  va_start(ap, format);
  vsnprintf(buf, sizeof buf, format, ap);
  va_end(ap);
  fprintf(stderr, "%s\n", buf);
}

static unsigned int s_uObjectCount = 0;

CCObject::CCObject() : m_uID(++s_uObjectCount), m_uReference(1), m_uAutoReleaseCount(0) {}

CCObject::~CCObject() {
  // An object deleted while still in a pool (deleted directly) must leave it.
  if (m_uAutoReleaseCount > 0) CCPoolManager::sharedPoolManager()->removeObject(this);
}

void CCObject::release() {
  CCAssert(m_uReference > 0, "reference count should be greater than 0");
  if (m_uReference == 0) return;
  --m_uReference;
  if (m_uReference == 0) delete this;
}

void CCObject::retain() { ++m_uReference; }

CCObject* CCObject::autorelease() {
  CCPoolManager::sharedPoolManager()->addObject(this);
  return this;
}

CCObject* CCObject::copy() { return copyWithZone(nullptr); }

// ---------------------------------------------------------------------------

CCAutoreleasePool::~CCAutoreleasePool() { clear(); }

void CCAutoreleasePool::addObject(CCObject* pObject) {
  m_objects.push_back(pObject);
  ++pObject->m_uAutoReleaseCount;
}

void CCAutoreleasePool::removeObject(CCObject* pObject) {
  // Only called for objects being deleted: drop every entry without releasing.
  for (auto& o : m_objects) {
    if (o == pObject) {
      o = nullptr;
      if (pObject->m_uAutoReleaseCount > 0) --pObject->m_uAutoReleaseCount;
    }
  }
}

void CCAutoreleasePool::clear() {
  // Releasing may autorelease more objects into this pool: take the list first.
  while (!m_objects.empty()) {
    std::vector<CCObject*> objs;
    objs.swap(m_objects);
    for (CCObject* o : objs) {
      if (!o) continue;
      --o->m_uAutoReleaseCount;
      o->release();
    }
  }
}

static CCPoolManager* s_pPoolManager = nullptr;

CCPoolManager* CCPoolManager::sharedPoolManager() {
  if (!s_pPoolManager) s_pPoolManager = new CCPoolManager();
  return s_pPoolManager;
}

void CCPoolManager::purgePoolManager() {
  delete s_pPoolManager;
  s_pPoolManager = nullptr;
}

CCPoolManager::CCPoolManager() { push(); }

CCPoolManager::~CCPoolManager() {
  finalize();
  while (!m_pools.empty()) {
    CCAutoreleasePool* p = m_pools.back();
    m_pools.pop_back();
    delete p;
  }
}

void CCPoolManager::finalize() {
  for (size_t i = 0; i < m_pools.size(); ++i) m_pools[i]->clear();
}

void CCPoolManager::push() { m_pools.push_back(new CCAutoreleasePool()); }

void CCPoolManager::pop() {
  if (m_pools.empty()) return;
  if (m_pools.size() > 1) {
    CCAutoreleasePool* p = m_pools.back();
    m_pools.pop_back();
    delete p;
  } else {
    m_pools.back()->clear();
  }
}

void CCPoolManager::removeObject(CCObject* pObject) {
  for (CCAutoreleasePool* p : m_pools) p->removeObject(pObject);
}

void CCPoolManager::addObject(CCObject* pObject) { getCurReleasePool()->addObject(pObject); }

CCAutoreleasePool* CCPoolManager::getCurReleasePool() {
  if (m_pools.empty()) push();
  return m_pools.back();
}

std::string ccClassName(const CCObject* object) {
  if (object == nullptr) return "none";
  const char* mangled = typeid(*object).name();
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
  return status == 0 && name ? std::string(name.get()) : std::string(mangled);
}

NS_CC_END
