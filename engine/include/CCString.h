#ifndef KEST_CC_STRING_H
#define KEST_CC_STRING_H

#include <string>

#include "CCObject.h"

NS_CC_BEGIN

class CCString : public CCObject {
 public:
  CCString() {}
  CCString(const char* str) : m_sString(str ? str : "") {}
  CCString(const std::string& str) : m_sString(str) {}

  static CCString* create(const std::string& str);
  static CCString* createWithFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
  static CCString* createWithData(const unsigned char* pData, unsigned long nLen);
  static CCString* createWithContentsOfFile(const char* pszFileName);

  bool initWithFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));
  int intValue() const;
  unsigned int uintValue() const;
  float floatValue() const;
  double doubleValue() const;
  // False for "", "0" and "false"; true for anything else.
  bool boolValue() const;
  const char* getCString() const { return m_sString.c_str(); }
  unsigned int length() const { return (unsigned int)m_sString.length(); }
  int compare(const char* s) const { return m_sString.compare(s ? s : ""); }
  bool isEqual(const CCObject* pObject) override;
  CCObject* copyWithZone(CCZone*) override { return new CCString(m_sString); }

  std::string m_sString;
};

#define CCStringMake(str) ::cocos2d::CCString::create(str)
#define ccs CCStringMake

class CCBool : public CCObject {
 public:
  explicit CCBool(bool v) : m_bValue(v) {}
  static CCBool* create(bool v);
  bool getValue() const { return m_bValue; }

 private:
  bool m_bValue;
};

class CCInteger : public CCObject {
 public:
  explicit CCInteger(int v) : m_nValue(v) {}
  static CCInteger* create(int v);
  int getValue() const { return m_nValue; }

 private:
  int m_nValue;
};

class CCFloat : public CCObject {
 public:
  explicit CCFloat(float v) : m_fValue(v) {}
  static CCFloat* create(float v);
  float getValue() const { return m_fValue; }

 private:
  float m_fValue;
};

class CCDouble : public CCObject {
 public:
  explicit CCDouble(double v) : m_dValue(v) {}
  static CCDouble* create(double v);
  double getValue() const { return m_dValue; }

 private:
  double m_dValue;
};

NS_CC_END

#endif
