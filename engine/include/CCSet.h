#ifndef KEST_CC_SET_H
#define KEST_CC_SET_H

#include <set>

#include "CCObject.h"

NS_CC_BEGIN

typedef std::set<CCObject*>::iterator CCSetIterator;

// A set that retains its objects (touch sets are handed to delegates in one).
class CCSet : public CCObject {
 public:
  CCSet() {}
  CCSet(const CCSet& other);
  ~CCSet() override;
  static CCSet* create();
  CCSet* copy();
  CCSet* mutableCopy() { return copy(); }
  int count() const { return (int)m_set.size(); }
  void addObject(CCObject* pObject);
  void removeObject(CCObject* pObject);
  void removeAllObjects();
  bool containsObject(CCObject* pObject) const { return m_set.count(pObject) != 0; }
  CCSetIterator begin() { return m_set.begin(); }
  CCSetIterator end() { return m_set.end(); }
  CCObject* anyObject() { return m_set.empty() ? nullptr : *m_set.begin(); }

 private:
  std::set<CCObject*> m_set;
};

NS_CC_END

#endif
