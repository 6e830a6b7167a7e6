#include "CCNotificationCenter.h"

#include <algorithm>

NS_CC_BEGIN

static CCNotificationCenter* s_sharedNotifCenter = nullptr;

CCNotificationCenter::CCNotificationCenter() {}

CCNotificationCenter::~CCNotificationCenter() {
  for (Observer* o : m_observers) delete o;
}

CCNotificationCenter* CCNotificationCenter::sharedNotificationCenter() {
  if (!s_sharedNotifCenter) s_sharedNotifCenter = new CCNotificationCenter();
  return s_sharedNotifCenter;
}

void CCNotificationCenter::purgeNotificationCenter() { CC_SAFE_RELEASE_NULL(s_sharedNotifCenter); }

void CCNotificationCenter::addObserver(CCObject* target, SEL_CallFuncO selector, const char* name, CCObject* sender) {
  if (!target || !selector || !name) return;
  for (Observer* o : m_observers)
    if (!o->removed && o->target == target && o->name == name) return;
  m_observers.push_back(new Observer{target, selector, name, sender, false});
}

void CCNotificationCenter::removeObserver(CCObject* target, const char* name) {
  if (!name) return;
  for (Observer* o : m_observers) {
    if (!o->removed && o->target == target && o->name == name) {
      o->removed = true;
      break;
    }
  }
  if (m_nPosting == 0) purge();
}

int CCNotificationCenter::removeAllObservers(CCObject* target) {
  int n = 0;
  for (Observer* o : m_observers) {
    if (!o->removed && o->target == target) {
      o->removed = true;
      ++n;
    }
  }
  if (m_nPosting == 0) purge();
  return n;
}

void CCNotificationCenter::postNotification(const char* name) { postNotification(name, nullptr); }

void CCNotificationCenter::postNotification(const char* name, CCObject* sender) {
  if (!name) return;
  ++m_nPosting;
  // Observers added from here on are not part of this post.
  size_t n = m_observers.size();
  for (size_t i = 0; i < n; ++i) {
    Observer* o = m_observers[i];
    if (o->removed || o->name != name) continue;
    if (o->sender && sender && o->sender != sender) continue;
    (o->target->*o->selector)(sender);
  }
  --m_nPosting;
  if (m_nPosting == 0) purge();
}

int CCNotificationCenter::observerCount(const char* name) const {
  int n = 0;
  for (Observer* o : m_observers)
    if (!o->removed && (!name || o->name == name)) ++n;
  return n;
}

void CCNotificationCenter::purge() {
  auto it = std::remove_if(m_observers.begin(), m_observers.end(), [](Observer* o) {
    if (!o->removed) return false;
    delete o;
    return true;
  });
  m_observers.erase(it, m_observers.end());
}

NS_CC_END
