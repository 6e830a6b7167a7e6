#include "Plist.h"

#include <cstring>
#include <vector>

#include <tinyxml2.h>

#include "CCFileUtils.h"

USING_NS_CC;

namespace kest {
namespace plist {
namespace {

CCObject* parseValue(const tinyxml2::XMLElement* e, int depth);

// Nesting this deep is not a sheet anyone wrote; stop before the stack does.
const int kMaxDepth = 64;

CCDictionary* parseDict(const tinyxml2::XMLElement* e, int depth) {
  CCDictionary* d = new CCDictionary();
  const char* key = nullptr;
  for (const tinyxml2::XMLElement* c = e->FirstChildElement(); c; c = c->NextSiblingElement()) {
    if (strcmp(c->Name(), "key") == 0) {
      key = c->GetText() ? c->GetText() : "";
      continue;
    }
    if (!key) continue;  // a value without its key is dropped
    CCObject* v = parseValue(c, depth + 1);
    if (v) {
      d->setObject(v, std::string(key));
      v->release();
    }
    key = nullptr;
  }
  return d;
}

CCArray* parseArr(const tinyxml2::XMLElement* e, int depth) {
  CCArray* a = new CCArray();
  for (const tinyxml2::XMLElement* c = e->FirstChildElement(); c; c = c->NextSiblingElement()) {
    CCObject* v = parseValue(c, depth + 1);
    if (v) {
      a->addObject(v);
      v->release();
    }
  }
  return a;
}

// Numbers and booleans stay text, as the engine's plist reader keeps them.
CCObject* parseValue(const tinyxml2::XMLElement* e, int depth) {
  if (depth > kMaxDepth) return nullptr;
  const char* n = e->Name();
  if (strcmp(n, "dict") == 0) return parseDict(e, depth);
  if (strcmp(n, "array") == 0) return parseArr(e, depth);
  if (strcmp(n, "string") == 0 || strcmp(n, "integer") == 0 || strcmp(n, "real") == 0)
    return new CCString(e->GetText() ? e->GetText() : "");
  if (strcmp(n, "true") == 0) return new CCString("1");
  if (strcmp(n, "false") == 0) return new CCString("0");
  return nullptr;
}

const tinyxml2::XMLElement* findFirst(const tinyxml2::XMLElement* e, const char* name) {
  for (; e; e = e->NextSiblingElement()) {
    if (strcmp(e->Name(), name) == 0) return e;
    if (strcmp(e->Name(), "plist") == 0) {
      if (const tinyxml2::XMLElement* f = findFirst(e->FirstChildElement(), name)) return f;
    }
  }
  return nullptr;
}

}  // namespace

CCDictionary* parseDictionary(const char* xml, size_t length) {
  tinyxml2::XMLDocument doc;
  if (!xml || doc.Parse(xml, length) != tinyxml2::XML_SUCCESS) return nullptr;
  const tinyxml2::XMLElement* d = findFirst(doc.FirstChildElement(), "dict");
  return d ? parseDict(d, 0) : nullptr;
}

CCArray* parseArray(const char* xml, size_t length) {
  tinyxml2::XMLDocument doc;
  if (!xml || doc.Parse(xml, length) != tinyxml2::XML_SUCCESS) return nullptr;
  const tinyxml2::XMLElement* a = findFirst(doc.FirstChildElement(), "array");
  return a ? parseArr(a, 0) : nullptr;
}

}  // namespace plist
}  // namespace kest

NS_CC_BEGIN

CCDictionary* CCDictionary::createWithContentsOfFileThreadSafe(const char* pFileName) {
  std::string path = CCFileUtils::sharedFileUtils()->fullPathForFilename(pFileName ? pFileName : "");
  std::vector<unsigned char> data;
  CCDictionary* d = nullptr;
  if (CCFileUtils::readFile(path, data)) {
    d = kest::plist::parseDictionary((const char*)data.data(), data.size());
    if (!d) CCLOG("plist: %s is not a readable property list", pFileName ? pFileName : "");
  } else {
    CCLOG("plist: cannot read %s", pFileName ? pFileName : "");
  }
  return d ? d : new CCDictionary();
}

CCDictionary* CCDictionary::createWithContentsOfFile(const char* pFileName) {
  CCDictionary* d = createWithContentsOfFileThreadSafe(pFileName);
  d->autorelease();
  return d;
}

CCArray* CCArray::createWithContentsOfFile(const char* pFileName) {
  std::string path = CCFileUtils::sharedFileUtils()->fullPathForFilename(pFileName ? pFileName : "");
  std::vector<unsigned char> data;
  CCArray* a = nullptr;
  if (CCFileUtils::readFile(path, data)) a = kest::plist::parseArray((const char*)data.data(), data.size());
  if (!a) {
    CCLOG("plist: cannot read an array from %s", pFileName ? pFileName : "");
    a = new CCArray();
  }
  a->autorelease();
  return a;
}

NS_CC_END
