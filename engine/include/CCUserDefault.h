#ifndef KEST_CC_USER_DEFAULT_H
#define KEST_CC_USER_DEFAULT_H

// Settings in an XML file, written through on every set. The folder is
// $KEST_USER_DIR when set (tests use a temporary one), else
// $XDG_CONFIG_HOME/kestrelium or ~/.config/kestrelium.

#include <map>
#include <string>

#include "CCPlatformMacros.h"

NS_CC_BEGIN

class CCUserDefault {
 public:
  ~CCUserDefault();
  static CCUserDefault* sharedUserDefault();
  static void purgeSharedUserDefault();
  static const std::string& getXMLFilePath();
  static bool isXMLFileExist();

  bool getBoolForKey(const char* pKey);
  bool getBoolForKey(const char* pKey, bool defaultValue);
  int getIntegerForKey(const char* pKey);
  int getIntegerForKey(const char* pKey, int defaultValue);
  float getFloatForKey(const char* pKey);
  float getFloatForKey(const char* pKey, float defaultValue);
  double getDoubleForKey(const char* pKey);
  double getDoubleForKey(const char* pKey, double defaultValue);
  std::string getStringForKey(const char* pKey);
  std::string getStringForKey(const char* pKey, const std::string& defaultValue);

  void setBoolForKey(const char* pKey, bool value);
  void setIntegerForKey(const char* pKey, int value);
  void setFloatForKey(const char* pKey, float value);
  void setDoubleForKey(const char* pKey, double value);
  void setStringForKey(const char* pKey, const std::string& value);
  // Writes the file; false when it cannot be written (logged).
  bool flush();

 private:
  CCUserDefault();
  const std::string* find(const char* key) const;
  void set(const char* key, const std::string& value);
  std::map<std::string, std::string> m_values;
  std::string m_path;
};

NS_CC_END

#endif
