#include "CCUserDefault.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>

#include <tinyxml2.h>

#include "platform/AtomicFile.h"

NS_CC_BEGIN

static CCUserDefault* s_userDefault = nullptr;
static std::string s_filePath;

static void makeDirs(const std::string& dir) {
  std::string cur;
  for (size_t i = 0; i < dir.size(); ++i) {
    cur += dir[i];
    if ((dir[i] == '/' && i > 0) || i + 1 == dir.size()) mkdir(cur.c_str(), 0755);
  }
}

static std::string settingsFolder() {
  const char* dir = getenv("KEST_USER_DIR");
  if (dir && *dir) return dir;
  const char* xdg = getenv("XDG_CONFIG_HOME");
  if (xdg && *xdg) return std::string(xdg) + "/kestrelium";
  const char* home = getenv("HOME");
  return std::string(home ? home : ".") + "/.config/kestrelium";
}

const std::string& CCUserDefault::getXMLFilePath() {
  s_filePath = settingsFolder() + "/UserDefault.xml";
  return s_filePath;
}

bool CCUserDefault::isXMLFileExist() {
  struct stat st;
  return stat(getXMLFilePath().c_str(), &st) == 0;
}

CCUserDefault* CCUserDefault::sharedUserDefault() {
  if (!s_userDefault) s_userDefault = new CCUserDefault();
  return s_userDefault;
}

void CCUserDefault::purgeSharedUserDefault() {
  delete s_userDefault;
  s_userDefault = nullptr;
}

CCUserDefault::CCUserDefault() : m_path(getXMLFilePath()) {
  tinyxml2::XMLDocument doc;
  if (doc.LoadFile(m_path.c_str()) != tinyxml2::XML_SUCCESS) return;
  const tinyxml2::XMLElement* root = doc.FirstChildElement("userDefaultRoot");
  if (!root) {
    CCLOG("CCUserDefault: %s has no settings root; starting empty", m_path.c_str());
    return;
  }
  for (const tinyxml2::XMLElement* e = root->FirstChildElement(); e; e = e->NextSiblingElement())
    m_values[e->Name()] = e->GetText() ? e->GetText() : "";
}

CCUserDefault::~CCUserDefault() {}

const std::string* CCUserDefault::find(const char* key) const {
  if (!key) return nullptr;
  auto it = m_values.find(key);
  return it == m_values.end() ? nullptr : &it->second;
}

void CCUserDefault::set(const char* key, const std::string& value) {
  if (!key || !*key) return;
  m_values[key] = value;
  flush();
}

bool CCUserDefault::getBoolForKey(const char* k) { return getBoolForKey(k, false); }
bool CCUserDefault::getBoolForKey(const char* k, bool d) {
  const std::string* v = find(k);
  return v ? *v == "true" : d;
}
int CCUserDefault::getIntegerForKey(const char* k) { return getIntegerForKey(k, 0); }
int CCUserDefault::getIntegerForKey(const char* k, int d) {
  const std::string* v = find(k);
  return v ? atoi(v->c_str()) : d;
}
float CCUserDefault::getFloatForKey(const char* k) { return getFloatForKey(k, 0.0f); }
float CCUserDefault::getFloatForKey(const char* k, float d) {
  const std::string* v = find(k);
  return v ? (float)atof(v->c_str()) : d;
}
double CCUserDefault::getDoubleForKey(const char* k) { return getDoubleForKey(k, 0.0); }
double CCUserDefault::getDoubleForKey(const char* k, double d) {
  const std::string* v = find(k);
  return v ? atof(v->c_str()) : d;
}
std::string CCUserDefault::getStringForKey(const char* k) { return getStringForKey(k, ""); }
std::string CCUserDefault::getStringForKey(const char* k, const std::string& d) {
  const std::string* v = find(k);
  return v ? *v : d;
}

void CCUserDefault::setBoolForKey(const char* k, bool v) { set(k, v ? "true" : "false"); }
void CCUserDefault::setIntegerForKey(const char* k, int v) { set(k, std::to_string(v)); }
void CCUserDefault::setFloatForKey(const char* k, float v) {
  char buf[64];
  snprintf(buf, sizeof buf, "%.9g", v);
  set(k, buf);
}
void CCUserDefault::setDoubleForKey(const char* k, double v) {
  char buf[64];
  snprintf(buf, sizeof buf, "%.17g", v);
  set(k, buf);
}
void CCUserDefault::setStringForKey(const char* k, const std::string& v) { set(k, v); }

bool CCUserDefault::flush() {
  std::string dir = m_path.substr(0, m_path.rfind('/'));
  makeDirs(dir);
  tinyxml2::XMLDocument doc;
  doc.InsertEndChild(doc.NewDeclaration());
  tinyxml2::XMLElement* root = doc.NewElement("userDefaultRoot");
  doc.InsertEndChild(root);
  for (const auto& kv : m_values) {
    tinyxml2::XMLElement* e = doc.NewElement(kv.first.c_str());
    const std::string& value = kv.second;
    if (!value.empty() && value.find_first_not_of(" \t\n\r\v\f") == std::string::npos) {
      // The reader drops text that is only blanks; in CDATA it stays.
      tinyxml2::XMLText* text = doc.NewText(value.c_str());
      text->SetCData(true);
      e->InsertEndChild(text);
    } else {
      e->SetText(value.c_str());
    }
    root->InsertEndChild(e);
  }
  // The old file is replaced only by a complete, flushed new one: a full
  // disk keeps the settings that were saved before.
  tinyxml2::XMLPrinter printer;
  doc.Print(&printer);
  std::string error;
  if (!platform::WriteFileAtomically(m_path, printer.CStr(), (size_t)printer.CStrSize() - 1, error)) {
    CCLOG("CCUserDefault: cannot write %s (%s); the old file is kept", m_path.c_str(), error.c_str());
    return false;
  }
  return true;
}

NS_CC_END
