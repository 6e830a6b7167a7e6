#ifndef KEST_CC_APPLICATION_H
#define KEST_CC_APPLICATION_H

// The application object: the program derives from it and calls run().

#include "CCObject.h"

NS_CC_BEGIN

enum ccLanguageType { kLanguageEnglish = 0, kLanguageChinese };
enum TargetPlatform { kTargetWindows, kTargetLinux, kTargetMacOS, kTargetAndroid, kTargetIphone, kTargetIpad };

class CCApplication {
 public:
  CCApplication();
  virtual ~CCApplication();
  static CCApplication* sharedApplication();

  virtual bool applicationDidFinishLaunching() = 0;
  virtual void applicationDidEnterBackground() {}
  virtual void applicationWillEnterForeground() {}
  virtual void setAnimationInterval(double interval);
  virtual ccLanguageType getCurrentLanguage() { return kLanguageChinese; }
  virtual TargetPlatform getTargetPlatform() { return kTargetLinux; }

  // Opens the window, calls applicationDidFinishLaunching, then runs frames
  // until the window closes or the director ends. Returns the exit code.
  virtual int run();

 private:
  static CCApplication* s_sharedApplication;
};

NS_CC_END

#endif
