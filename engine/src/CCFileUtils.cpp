#include "CCFileUtils.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

NS_CC_BEGIN

static CCFileUtils* s_fileUtils = nullptr;

CCFileUtils* CCFileUtils::sharedFileUtils() {
  if (!s_fileUtils) s_fileUtils = new CCFileUtils();
  return s_fileUtils;
}

void CCFileUtils::purgeFileUtils() {
  delete s_fileUtils;
  s_fileUtils = nullptr;
}

CCFileUtils::CCFileUtils() {
  char buf[4096];
  m_resourceRoot = getcwd(buf, sizeof buf) ? std::string(buf) : std::string(".");
}

static std::string withSlash(std::string dir) {
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return dir;
}

static std::string normalise(const char* name) {
  std::string s(name ? name : "");
  for (char& c : s)
    if (c == '\\') c = '/';
  return s;
}

void CCFileUtils::setResourceRoot(const std::string& dir) {
  m_resourceRoot = dir.empty() ? std::string(".") : dir;
  while (m_resourceRoot.size() > 1 && m_resourceRoot.back() == '/') m_resourceRoot.pop_back();
  m_fullPathCache.clear();
}

void CCFileUtils::setSearchPaths(const std::vector<std::string>& searchPaths) {
  m_searchPaths = searchPaths;
  m_fullPathCache.clear();
}

void CCFileUtils::addSearchPath(const char* path) {
  if (!path) return;
  m_searchPaths.push_back(path);
  m_fullPathCache.clear();
}

void CCFileUtils::removeAllPaths() {
  m_searchPaths.clear();
  m_fullPathCache.clear();
}

bool CCFileUtils::isAbsolutePath(const std::string& strPath) { return !strPath.empty() && strPath[0] == '/'; }

bool CCFileUtils::isFileExist(const std::string& strFilePath) {
  if (strFilePath.empty()) return false;
  std::string p = isAbsolutePath(strFilePath) ? strFilePath : withSlash(m_resourceRoot) + strFilePath;
  struct stat st;
  return stat(p.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string CCFileUtils::fullPathForFilename(const char* pszFileName) {
  std::string name = normalise(pszFileName);
  if (name.empty()) return name;
  if (isAbsolutePath(name)) return name;
  auto cached = m_fullPathCache.find(name);
  if (cached != m_fullPathCache.end()) return cached->second;
  std::vector<std::string> dirs;
  for (const std::string& sp : m_searchPaths)
    dirs.push_back(isAbsolutePath(sp) ? withSlash(sp) : withSlash(m_resourceRoot) + withSlash(sp));
  dirs.push_back(withSlash(m_resourceRoot));
  for (const std::string& d : dirs) {
    std::string full = d + name;
    struct stat st;
    if (stat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
      m_fullPathCache[name] = full;
      return full;
    }
  }
  // Not found: the name unchanged, not cached (the file may appear later).
  return name;
}

std::string CCFileUtils::fullPathFromRelativeFile(const char* pszFilename, const char* pszRelativeFile) {
  std::string rel = normalise(pszRelativeFile);
  size_t slash = rel.rfind('/');
  return (slash == std::string::npos ? std::string() : rel.substr(0, slash + 1)) + normalise(pszFilename);
}

bool CCFileUtils::readFile(const std::string& fullPath, std::vector<unsigned char>& out) {
  out.clear();
  FILE* f = fopen(fullPath.c_str(), "rb");
  if (!f) return false;
  struct stat st;
  if (fstat(fileno(f), &st) != 0 || !S_ISREG(st.st_mode)) {
    fclose(f);
    return false;
  }
  out.resize((size_t)st.st_size);
  size_t n = out.empty() ? 0 : fread(out.data(), 1, out.size(), f);
  fclose(f);
  out.resize(n);
  return true;
}

unsigned char* CCFileUtils::getFileData(const char* pszFileName, const char*, unsigned long* pSize) {
  if (pSize) *pSize = 0;
  if (!pszFileName) return nullptr;
  std::vector<unsigned char> data;
  if (!readFile(fullPathForFilename(pszFileName), data)) {
    CCLOG("CCFileUtils: cannot read %s", pszFileName);
    return nullptr;
  }
  unsigned char* buf = new unsigned char[data.size() + 1];
  if (!data.empty()) memcpy(buf, data.data(), data.size());
  buf[data.size()] = 0;
  if (pSize) *pSize = (unsigned long)data.size();
  return buf;
}

std::string CCFileUtils::getWritablePath() {
  const char* dir = getenv("KEST_USER_DIR");
  if (dir && *dir) return withSlash(dir);
  const char* xdg = getenv("XDG_DATA_HOME");
  if (xdg && *xdg) return withSlash(std::string(xdg) + "/kestrelium");
  const char* home = getenv("HOME");
  return withSlash(std::string(home ? home : ".") + "/.local/share/kestrelium");
}

NS_CC_END
