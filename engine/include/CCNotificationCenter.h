#ifndef KEST_CC_NOTIFICATION_CENTER_H
#define KEST_CC_NOTIFICATION_CENTER_H

// Synchronous notifications by name. Observers added during a post are not
// called by that post; observers removed during a post are not called again.

#include <string>
#include <vector>

#include "CCObject.h"

NS_CC_BEGIN

class CCNotificationCenter : public CCObject {
 public:
  CCNotificationCenter();
  ~CCNotificationCenter() override;
  static CCNotificationCenter* sharedNotificationCenter();
  static void purgeNotificationCenter();

  // `sender` null matches any posting object. A second registration of the
  // same target and name is ignored.
  void addObserver(CCObject* target, SEL_CallFuncO selector, const char* name, CCObject* sender);
  void removeObserver(CCObject* target, const char* name);
  int removeAllObservers(CCObject* target);
  void postNotification(const char* name);
  void postNotification(const char* name, CCObject* sender);
  int observerCount(const char* name) const;

 private:
  struct Observer {
    CCObject* target;
    SEL_CallFuncO selector;
    std::string name;
    CCObject* sender;
    bool removed;
  };
  void purge();
  std::vector<Observer*> m_observers;
  int m_nPosting = 0;
};

NS_CC_END

#endif
