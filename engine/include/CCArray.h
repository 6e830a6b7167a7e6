#ifndef KEST_CC_ARRAY_H
#define KEST_CC_ARRAY_H

// An ordered array that retains its objects.

#include <vector>

#include "CCObject.h"

NS_CC_BEGIN

class CCArray : public CCObject {
 public:
  ~CCArray() override;

  static CCArray* create();
  // Objects up to a terminating nullptr.
  static CCArray* create(CCObject* pObject, ...);
  static CCArray* createWithObject(CCObject* pObject);
  static CCArray* createWithCapacity(unsigned int capacity);
  static CCArray* createWithArray(CCArray* otherArray);
  // An XML plist whose root is an array; a missing or malformed file gives an empty array.
  static CCArray* createWithContentsOfFile(const char* pFileName);

  bool init() { return true; }
  bool initWithCapacity(unsigned int capacity);
  bool initWithArray(CCArray* otherArray);

  unsigned int count() const { return (unsigned int)m_data.size(); }
  unsigned int capacity() const { return (unsigned int)m_data.capacity(); }
  // UINT_MAX when absent.
  unsigned int indexOfObject(CCObject* object) const;
  // Null when out of range.
  CCObject* objectAtIndex(unsigned int index) const;
  CCObject* lastObject() const;
  CCObject* randomObject() const;
  bool containsObject(CCObject* object) const;

  void addObject(CCObject* object);
  void addObjectsFromArray(CCArray* otherArray);
  void insertObject(CCObject* object, unsigned int index);
  void removeLastObject(bool bReleaseObj = true);
  void removeObject(CCObject* object, bool bReleaseObj = true);
  void removeObjectAtIndex(unsigned int index, bool bReleaseObj = true);
  void removeObjectsInArray(CCArray* otherArray);
  void removeAllObjects();
  void fastRemoveObject(CCObject* object);
  void fastRemoveObjectAtIndex(unsigned int index);
  void exchangeObject(CCObject* object1, CCObject* object2);
  void exchangeObjectAtIndex(unsigned int index1, unsigned int index2);
  void replaceObjectAtIndex(unsigned int uIndex, CCObject* pObject, bool bReleaseObject = true);
  void reverseObjects();
  bool isEqualToArray(CCArray* pOtherArray);
  CCObject* copyWithZone(CCZone*) override;

  std::vector<CCObject*>& data() { return m_data; }

 private:
  std::vector<CCObject*> m_data;
};

// Re-reads the count each step, so removing the current object does not read freed memory.
#define CCARRAY_FOREACH(__array__, __object__)                                                                      \
  if (__array__)                                                                                                    \
    for (unsigned int __cc_i = 0;                                                                                   \
         __cc_i < (__array__)->count() && (((__object__) = (__array__)->objectAtIndex(__cc_i)) != nullptr || true); \
         ++__cc_i)

#define CCARRAY_FOREACH_REVERSE(__array__, __object__) \
  if (__array__)                                       \
    for (unsigned int __cc_i = (__array__)->count();   \
         __cc_i-- > 0 && (((__object__) = (__array__)->objectAtIndex(__cc_i)) != nullptr || true);)

NS_CC_END

#endif
