#include <algorithm>
#include <cstdarg>
#include <cstdlib>

#include "CCArray.h"
#include "CCDictionary.h"
#include "CCFileUtils.h"
#include "CCSet.h"
#include "CCString.h"

NS_CC_BEGIN

// --- CCString ---------------------------------------------------------------

CCString* CCString::create(const std::string& str) {
  CCString* s = new CCString(str);
  s->autorelease();
  return s;
}

static std::string vformat(const char* format, va_list ap) {
  va_list copy;
  va_copy(copy, ap);
  int n = vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (n <= 0) return std::string();
  std::string out((size_t)n, '\0');
  vsnprintf(&out[0], (size_t)n + 1, format, ap);
  return out;
}

CCString* CCString::createWithFormat(const char* format, ...) {
  va_list ap;
  va_start(ap, format);
  std::string s = vformat(format, ap);
  va_end(ap);
  return create(s);
}

bool CCString::initWithFormat(const char* format, ...) {
  va_list ap;
  va_start(ap, format);
  m_sString = vformat(format, ap);
  va_end(ap);
  return true;
}

CCString* CCString::createWithData(const unsigned char* pData, unsigned long nLen) {
  if (!pData) return create("");
  // Up to the first 0, as C text.
  unsigned long n = 0;
  while (n < nLen && pData[n]) ++n;
  return create(std::string((const char*)pData, n));
}

CCString* CCString::createWithContentsOfFile(const char* pszFileName) {
  std::vector<unsigned char> data;
  std::string path = CCFileUtils::sharedFileUtils()->fullPathForFilename(pszFileName);
  if (!CCFileUtils::readFile(path, data)) return nullptr;
  return create(std::string(data.begin(), data.end()));
}

int CCString::intValue() const { return atoi(m_sString.c_str()); }
unsigned int CCString::uintValue() const { return (unsigned int)atoi(m_sString.c_str()); }
float CCString::floatValue() const { return (float)atof(m_sString.c_str()); }
double CCString::doubleValue() const { return atof(m_sString.c_str()); }
bool CCString::boolValue() const { return !(m_sString.empty() || m_sString == "0" || m_sString == "false"); }
bool CCString::isEqual(const CCObject* pObject) {
  const CCString* s = dynamic_cast<const CCString*>(pObject);
  return s && s->m_sString == m_sString;
}

CCBool* CCBool::create(bool v) {
  CCBool* p = new CCBool(v);
  p->autorelease();
  return p;
}
CCInteger* CCInteger::create(int v) {
  CCInteger* p = new CCInteger(v);
  p->autorelease();
  return p;
}
CCFloat* CCFloat::create(float v) {
  CCFloat* p = new CCFloat(v);
  p->autorelease();
  return p;
}
CCDouble* CCDouble::create(double v) {
  CCDouble* p = new CCDouble(v);
  p->autorelease();
  return p;
}

// --- CCArray ----------------------------------------------------------------

CCArray::~CCArray() { removeAllObjects(); }

CCArray* CCArray::create() {
  CCArray* a = new CCArray();
  a->autorelease();
  return a;
}

CCArray* CCArray::create(CCObject* pObject, ...) {
  CCArray* a = create();
  if (!pObject) return a;
  a->addObject(pObject);
  va_list ap;
  va_start(ap, pObject);
  for (CCObject* o = va_arg(ap, CCObject*); o; o = va_arg(ap, CCObject*)) a->addObject(o);
  va_end(ap);
  return a;
}

CCArray* CCArray::createWithObject(CCObject* pObject) {
  CCArray* a = create();
  if (pObject) a->addObject(pObject);
  return a;
}

CCArray* CCArray::createWithCapacity(unsigned int capacity) {
  CCArray* a = create();
  a->initWithCapacity(capacity);
  return a;
}

CCArray* CCArray::createWithArray(CCArray* otherArray) {
  CCArray* a = create();
  a->initWithArray(otherArray);
  return a;
}

bool CCArray::initWithCapacity(unsigned int capacity) {
  m_data.reserve(capacity);
  return true;
}

bool CCArray::initWithArray(CCArray* otherArray) {
  removeAllObjects();
  addObjectsFromArray(otherArray);
  return true;
}

unsigned int CCArray::indexOfObject(CCObject* object) const {
  auto it = std::find(m_data.begin(), m_data.end(), object);
  return it == m_data.end() ? UINT_MAX : (unsigned int)(it - m_data.begin());
}

CCObject* CCArray::objectAtIndex(unsigned int index) const { return index < m_data.size() ? m_data[index] : nullptr; }

CCObject* CCArray::lastObject() const { return m_data.empty() ? nullptr : m_data.back(); }

CCObject* CCArray::randomObject() const {
  if (m_data.empty()) return nullptr;
  return m_data[(size_t)rand() % m_data.size()];
}

bool CCArray::containsObject(CCObject* object) const { return indexOfObject(object) != UINT_MAX; }

void CCArray::addObject(CCObject* object) {
  if (!object) return;
  object->retain();
  m_data.push_back(object);
}

void CCArray::addObjectsFromArray(CCArray* otherArray) {
  if (!otherArray) return;
  std::vector<CCObject*> copy = otherArray->m_data;
  for (CCObject* o : copy) addObject(o);
}

void CCArray::insertObject(CCObject* object, unsigned int index) {
  if (!object) return;
  if (index > m_data.size()) index = (unsigned int)m_data.size();
  object->retain();
  m_data.insert(m_data.begin() + index, object);
}

void CCArray::removeLastObject(bool bReleaseObj) {
  if (m_data.empty()) return;
  CCObject* o = m_data.back();
  m_data.pop_back();
  if (bReleaseObj) o->release();
}

void CCArray::removeObject(CCObject* object, bool bReleaseObj) {
  unsigned int i = indexOfObject(object);
  if (i != UINT_MAX) removeObjectAtIndex(i, bReleaseObj);
}

void CCArray::removeObjectAtIndex(unsigned int index, bool bReleaseObj) {
  if (index >= m_data.size()) return;
  CCObject* o = m_data[index];
  m_data.erase(m_data.begin() + index);
  if (bReleaseObj) o->release();
}

void CCArray::removeObjectsInArray(CCArray* otherArray) {
  if (!otherArray) return;
  std::vector<CCObject*> copy = otherArray->m_data;
  for (CCObject* o : copy) removeObject(o);
}

void CCArray::removeAllObjects() {
  std::vector<CCObject*> old;
  old.swap(m_data);
  for (CCObject* o : old) o->release();
}

void CCArray::fastRemoveObject(CCObject* object) { removeObject(object); }

void CCArray::fastRemoveObjectAtIndex(unsigned int index) { removeObjectAtIndex(index); }

void CCArray::exchangeObject(CCObject* object1, CCObject* object2) {
  exchangeObjectAtIndex(indexOfObject(object1), indexOfObject(object2));
}

void CCArray::exchangeObjectAtIndex(unsigned int index1, unsigned int index2) {
  if (index1 >= m_data.size() || index2 >= m_data.size()) return;
  std::swap(m_data[index1], m_data[index2]);
}

void CCArray::replaceObjectAtIndex(unsigned int uIndex, CCObject* pObject, bool bReleaseObject) {
  if (uIndex >= m_data.size() || !pObject) return;
  pObject->retain();
  CCObject* old = m_data[uIndex];
  m_data[uIndex] = pObject;
  if (bReleaseObject) old->release();
}

void CCArray::reverseObjects() { std::reverse(m_data.begin(), m_data.end()); }

bool CCArray::isEqualToArray(CCArray* pOtherArray) {
  if (!pOtherArray || pOtherArray->count() != count()) return false;
  for (unsigned int i = 0; i < count(); ++i)
    if (!m_data[i]->isEqual(pOtherArray->m_data[i])) return false;
  return true;
}

CCObject* CCArray::copyWithZone(CCZone*) {
  CCArray* a = new CCArray();
  for (CCObject* o : m_data) {
    CCObject* c = o->copy();
    if (c) {
      a->addObject(c);
      c->release();
    } else {
      a->addObject(o);
    }
  }
  return a;
}

// --- CCSet ------------------------------------------------------------------

CCSet::CCSet(const CCSet& other) : CCObject() {
  for (CCObject* o : other.m_set) addObject(o);
}

CCSet::~CCSet() { removeAllObjects(); }

CCSet* CCSet::create() {
  CCSet* s = new CCSet();
  s->autorelease();
  return s;
}

CCSet* CCSet::copy() { return new CCSet(*this); }

void CCSet::addObject(CCObject* pObject) {
  if (pObject && m_set.insert(pObject).second) pObject->retain();
}

void CCSet::removeObject(CCObject* pObject) {
  if (pObject && m_set.erase(pObject)) pObject->release();
}

void CCSet::removeAllObjects() {
  std::set<CCObject*> old;
  old.swap(m_set);
  for (CCObject* o : old) o->release();
}

// --- CCDictionary -----------------------------------------------------------

CCDictionary::~CCDictionary() { removeAllObjects(); }

CCDictionary* CCDictionary::create() {
  CCDictionary* d = new CCDictionary();
  d->autorelease();
  return d;
}

CCDictionary* CCDictionary::createWithDictionary(CCDictionary* srcDict) {
  if (!srcDict) return create();
  CCDictionary* d = (CCDictionary*)srcDict->copy();
  d->autorelease();
  return d;
}

CCDictElement* CCDictionary::findStr(const std::string& key) const {
  auto it = m_strIndex.find(key);
  return it == m_strIndex.end() ? nullptr : it->second;
}

CCDictElement* CCDictionary::findInt(intptr_t key) const {
  auto it = m_intIndex.find(key);
  return it == m_intIndex.end() ? nullptr : it->second;
}

CCArray* CCDictionary::allKeys() {
  CCArray* a = CCArray::create();
  for (CCDictElement* e : m_elements) {
    if (m_eKind == kStr)
      a->addObject(CCString::create(e->m_strKey));
    else
      a->addObject(CCInteger::create((int)e->m_iKey));
  }
  return a;
}

CCArray* CCDictionary::allKeysForObject(CCObject* object) {
  CCArray* a = CCArray::create();
  for (CCDictElement* e : m_elements) {
    if (!e->m_pObject->isEqual(object)) continue;
    if (m_eKind == kStr)
      a->addObject(CCString::create(e->m_strKey));
    else
      a->addObject(CCInteger::create((int)e->m_iKey));
  }
  return a;
}

CCObject* CCDictionary::objectForKey(const std::string& key) {
  CCDictElement* e = findStr(key);
  return e ? e->m_pObject : nullptr;
}

CCObject* CCDictionary::objectForKey(intptr_t key) {
  CCDictElement* e = findInt(key);
  return e ? e->m_pObject : nullptr;
}

static const CCString* emptyString() {
  static CCString* s = new CCString("");
  return s;
}

const CCString* CCDictionary::valueForKey(const std::string& key) {
  const CCString* s = dynamic_cast<CCString*>(objectForKey(key));
  return s ? s : emptyString();
}

const CCString* CCDictionary::valueForKey(intptr_t key) {
  const CCString* s = dynamic_cast<CCString*>(objectForKey(key));
  return s ? s : emptyString();
}

void CCDictionary::setObject(CCObject* pObject, const std::string& key) {
  if (!pObject || m_eKind == kInt) return;
  m_eKind = kStr;
  pObject->retain();
  if (CCDictElement* e = findStr(key)) {
    e->m_pObject->release();
    e->m_pObject = pObject;
    return;
  }
  CCDictElement* e = new CCDictElement();
  e->m_strKey = key;
  e->m_pObject = pObject;
  m_elements.push_back(e);
  m_strIndex[key] = e;
}

void CCDictionary::setObject(CCObject* pObject, intptr_t key) {
  if (!pObject || m_eKind == kStr) return;
  m_eKind = kInt;
  pObject->retain();
  if (CCDictElement* e = findInt(key)) {
    e->m_pObject->release();
    e->m_pObject = pObject;
    return;
  }
  CCDictElement* e = new CCDictElement();
  e->m_iKey = key;
  e->m_pObject = pObject;
  m_elements.push_back(e);
  m_intIndex[key] = e;
}

void CCDictionary::removeElement(CCDictElement* el) {
  if (!el) return;
  if (m_eKind == kStr)
    m_strIndex.erase(el->m_strKey);
  else
    m_intIndex.erase(el->m_iKey);
  m_elements.erase(std::find(m_elements.begin(), m_elements.end(), el));
  CCObject* o = el->m_pObject;
  delete el;
  o->release();
}

void CCDictionary::removeObjectForKey(const std::string& key) { removeElement(findStr(key)); }
void CCDictionary::removeObjectForKey(intptr_t key) { removeElement(findInt(key)); }

void CCDictionary::removeObjectsForKeys(CCArray* pKeyArray) {
  CCObject* o;
  CCARRAY_FOREACH(pKeyArray, o) {
    if (CCString* s = dynamic_cast<CCString*>(o)) removeObjectForKey(s->m_sString);
  }
}

void CCDictionary::removeObjectForElememt(CCDictElement* pElement) { removeElement(pElement); }

void CCDictionary::removeAllObjects() {
  std::vector<CCDictElement*> old;
  old.swap(m_elements);
  m_strIndex.clear();
  m_intIndex.clear();
  for (CCDictElement* e : old) {
    e->m_pObject->release();
    delete e;
  }
  m_eKind = kNone;
}

CCObject* CCDictionary::randomObject() {
  if (m_elements.empty()) return nullptr;
  return m_elements[(size_t)rand() % m_elements.size()]->m_pObject;
}

CCObject* CCDictionary::copyWithZone(CCZone*) {
  CCDictionary* d = new CCDictionary();
  for (CCDictElement* e : m_elements) {
    CCObject* c = e->m_pObject->copy();
    CCObject* v = c ? c : e->m_pObject;
    if (m_eKind == kStr)
      d->setObject(v, e->m_strKey);
    else
      d->setObject(v, e->m_iKey);
    if (c) c->release();
  }
  return d;
}

NS_CC_END
