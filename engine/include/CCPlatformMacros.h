#ifndef KEST_CC_PLATFORM_MACROS_H
#define KEST_CC_PLATFORM_MACROS_H

// Namespace, logging, ownership and property macros of the engine API.

#include <climits>
#include <cstdio>
#include <cstdlib>

#define NS_CC_BEGIN namespace cocos2d {
#define NS_CC_END }
#define USING_NS_CC using namespace cocos2d

#define CC_DLL

namespace cocos2d {
// Writes one line to stderr (a newline is added). Always on: diagnostics are
// cheap next to a frame and the program's log needs them in release builds too.
void CCLog(const char* format, ...) __attribute__((format(printf, 1, 2)));
}  // namespace cocos2d

#define CCLOG(...) ::cocos2d::CCLog(__VA_ARGS__)
#define CCLOGINFO(...) ::cocos2d::CCLog(__VA_ARGS__)
#define CCLOGWARN(...) ::cocos2d::CCLog(__VA_ARGS__)
#define CCLOGERROR(...) ::cocos2d::CCLog(__VA_ARGS__)

// Programmer errors are logged, never fatal: nothing in this layer aborts.
#define CCAssert(cond, msg)                                                                \
  do {                                                                                     \
    if (!(cond)) ::cocos2d::CCLog("Assert failed: %s (%s:%d)", (msg), __FILE__, __LINE__); \
  } while (0)

#define CC_SAFE_DELETE(p) \
  do {                    \
    delete (p);           \
    (p) = nullptr;        \
  } while (0)
#define CC_SAFE_DELETE_ARRAY(p) \
  do {                          \
    delete[](p);                \
    (p) = nullptr;              \
  } while (0)
#define CC_SAFE_FREE(p) \
  do {                  \
    if (p) {            \
      free(p);          \
      (p) = nullptr;    \
    }                   \
  } while (0)
#define CC_SAFE_RELEASE(p) \
  do {                     \
    if (p) {               \
      (p)->release();      \
    }                      \
  } while (0)
#define CC_SAFE_RELEASE_NULL(p) \
  do {                          \
    if (p) {                    \
      (p)->release();           \
      (p) = nullptr;            \
    }                           \
  } while (0)
#define CC_SAFE_RETAIN(p) \
  do {                    \
    if (p) {              \
      (p)->retain();      \
    }                     \
  } while (0)
#define CC_BREAK_IF(cond) \
  if (cond) break
#define CC_UNUSED_PARAM(unusedparam) (void)(unusedparam)

// Two-phase construction: new, init, autorelease; a failed init yields null.
#define CREATE_FUNC(__TYPE__)        \
  static __TYPE__* create() {        \
    __TYPE__* pRet = new __TYPE__(); \
    if (pRet->init()) {              \
      pRet->autorelease();           \
      return pRet;                   \
    }                                \
    delete pRet;                     \
    return nullptr;                  \
  }

#define NODE_FUNC(__TYPE__) CREATE_FUNC(__TYPE__)

#define CC_PROPERTY_READONLY(varType, varName, funName) \
 protected:                                             \
  varType varName;                                      \
                                                        \
 public:                                                \
  virtual varType get##funName(void);

#define CC_PROPERTY(varType, varName, funName) \
 protected:                                    \
  varType varName;                             \
                                               \
 public:                                       \
  virtual varType get##funName(void);          \
  virtual void set##funName(varType var);

#define CC_SYNTHESIZE_READONLY(varType, varName, funName) \
 protected:                                               \
  varType varName;                                        \
                                                          \
 public:                                                  \
  virtual varType get##funName(void) const { return varName; }

#define CC_SYNTHESIZE(varType, varName, funName)               \
 protected:                                                    \
  varType varName;                                             \
                                                               \
 public:                                                       \
  virtual varType get##funName(void) const { return varName; } \
  virtual void set##funName(varType var) { varName = var; }

#define CC_SYNTHESIZE_PASS_BY_REF(varType, varName, funName)          \
 protected:                                                           \
  varType varName;                                                    \
                                                                      \
 public:                                                              \
  virtual const varType& get##funName(void) const { return varName; } \
  virtual void set##funName(const varType& var) { varName = var; }

#define CC_SYNTHESIZE_RETAIN(varType, varName, funName)        \
 private:                                                      \
  varType varName;                                             \
                                                               \
 public:                                                       \
  virtual varType get##funName(void) const { return varName; } \
  virtual void set##funName(varType var) {                     \
    if (varName != var) {                                      \
      CC_SAFE_RETAIN(var);                                     \
      CC_SAFE_RELEASE(varName);                                \
      varName = var;                                           \
    }                                                          \
  }

#define CC_DEGREES_TO_RADIANS(a) ((a)*0.01745329252f)
#define CC_RADIANS_TO_DEGREES(a) ((a)*57.29577951f)
#define CC_CONTENT_SCALE_FACTOR() 1.0f
#define CC_REPEAT_FOREVER (UINT_MAX - 1)
#define kCCRepeatForever (UINT_MAX - 1)

#define CCRANDOM_0_1() ((float)rand() / (float)RAND_MAX)
#define CCRANDOM_MINUS1_1() ((CCRANDOM_0_1() - 0.5f) * 2.0f)

#define CC_TARGET_PLATFORM 5
#define CC_PLATFORM_LINUX 5
#define CC_PLATFORM_WIN32 3

#endif
