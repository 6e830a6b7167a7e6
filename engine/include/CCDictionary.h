#ifndef KEST_CC_DICTIONARY_H
#define KEST_CC_DICTIONARY_H

// A dictionary with string or integer keys that retains its values and keeps
// insertion order for iteration.

#include <string>
#include <unordered_map>
#include <vector>

#include "CCArray.h"
#include "CCString.h"

NS_CC_BEGIN

class CCDictElement {
 public:
  const char* getStrKey() const { return m_strKey.c_str(); }
  intptr_t getIntKey() const { return m_iKey; }
  CCObject* getObject() const { return m_pObject; }

 private:
  friend class CCDictionary;
  std::string m_strKey;
  intptr_t m_iKey = 0;
  CCObject* m_pObject = nullptr;
};

class CCDictionary : public CCObject {
 public:
  ~CCDictionary() override;

  static CCDictionary* create();
  static CCDictionary* createWithDictionary(CCDictionary* srcDict);
  // An XML plist (dict root). A missing or malformed file is logged and gives an empty dictionary.
  static CCDictionary* createWithContentsOfFile(const char* pFileName);
  // Same, without autorelease (the caller owns the reference).
  static CCDictionary* createWithContentsOfFileThreadSafe(const char* pFileName);

  unsigned int count() const { return (unsigned int)m_elements.size(); }
  CCArray* allKeys();
  CCArray* allKeysForObject(CCObject* object);

  CCObject* objectForKey(const std::string& key);
  CCObject* objectForKey(intptr_t key);
  // The empty string for a missing key or a value that is not a string.
  const CCString* valueForKey(const std::string& key);
  const CCString* valueForKey(intptr_t key);

  void setObject(CCObject* pObject, const std::string& key);
  void setObject(CCObject* pObject, intptr_t key);
  void removeObjectForKey(const std::string& key);
  void removeObjectForKey(intptr_t key);
  void removeObjectsForKeys(CCArray* pKeyArray);
  void removeObjectForElememt(CCDictElement* pElement);
  void removeAllObjects();
  CCObject* randomObject();
  CCObject* copyWithZone(CCZone*) override;

  CCDictElement* elementAt(unsigned int index) const { return index < m_elements.size() ? m_elements[index] : nullptr; }

 private:
  CCDictElement* findStr(const std::string& key) const;
  CCDictElement* findInt(intptr_t key) const;
  void removeElement(CCDictElement* el);
  // A dictionary holds keys of one kind only, as the engine's does.
  enum KeyKind { kNone, kStr, kInt } m_eKind = kNone;
  std::vector<CCDictElement*> m_elements;
  std::unordered_map<std::string, CCDictElement*> m_strIndex;
  std::unordered_map<intptr_t, CCDictElement*> m_intIndex;
};

#define CCDICT_FOREACH(__dict__, __el__) \
  if (__dict__)                          \
    for (unsigned int __cc_d = 0;        \
         __cc_d < (__dict__)->count() && ((__el__) = (__dict__)->elementAt(__cc_d)) != nullptr; ++__cc_d)

NS_CC_END

#endif
