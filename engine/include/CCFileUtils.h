#ifndef KEST_CC_FILE_UTILS_H
#define KEST_CC_FILE_UTILS_H

// Finds resource files: an absolute path as it is, otherwise under each search
// path in turn (relative search paths and the default one are under the
// resource root). Backslashes in names are read as '/'.

#include <map>
#include <string>
#include <vector>

#include "CCPlatformMacros.h"

NS_CC_BEGIN

class CCFileUtils {
 public:
  static CCFileUtils* sharedFileUtils();
  static void purgeFileUtils();

  // The folder resources are found under (the program's --res DIR).
  void setResourceRoot(const std::string& dir);
  const std::string& getResourceRoot() const { return m_resourceRoot; }
  void setSearchPaths(const std::vector<std::string>& searchPaths);
  void addSearchPath(const char* path);
  const std::vector<std::string>& getSearchPaths() const { return m_searchPaths; }
  void removeAllPaths();

  // The full path of an existing file, or the name unchanged when none exists.
  std::string fullPathForFilename(const char* pszFileName);
  std::string fullPathFromRelativeFile(const char* pszFilename, const char* pszRelativeFile);
  bool isFileExist(const std::string& strFilePath);
  bool isAbsolutePath(const std::string& strPath);
  // The file's bytes (new[]; the caller delete[]s), null when unreadable.
  unsigned char* getFileData(const char* pszFileName, const char* pszMode, unsigned long* pSize);
  // The same into a vector; false when unreadable. Thread-safe for full paths.
  static bool readFile(const std::string& fullPath, std::vector<unsigned char>& out);
  std::string getWritablePath();
  void setPopupNotify(bool) {}
  bool isPopupNotify() { return false; }
  void purgeCachedEntries() { m_fullPathCache.clear(); }

 private:
  CCFileUtils();
  std::string m_resourceRoot;
  std::vector<std::string> m_searchPaths;
  std::map<std::string, std::string> m_fullPathCache;
};

NS_CC_END

#endif
