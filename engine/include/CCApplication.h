#ifndef KEST_CC_APPLICATION_H
#define KEST_CC_APPLICATION_H

// The application object: the program derives from it and calls run().

#include <poll.h>

#include <functional>
#include <vector>

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

  // Opens the window, calls applicationDidFinishLaunching, then runs passes
  // until the window closes or the director ends. Returns the exit code.
  virtual int run();

  // One pass of run(): the input, the program's wait sources, a frame, then
  // the wait for the next thing that can change the screen: input, one of the
  // sources, the next frame while something moves, the next timer. Nothing
  // moving and nothing scheduled, it waits without a time limit. False when
  // the window was closed or the director ended.
  bool runPass();

  // The loop's clock (seconds) and wait (until input, one of the descriptors
  // or the timeout in seconds, infinity for none). Tests put their own in;
  // null puts the back end's back.
  using LoopClock = std::function<double()>;
  using LoopWait = std::function<void(std::vector<pollfd>& fds, double timeout)>;
  void setLoopHooks(LoopClock clock, LoopWait wait);

 protected:
  // What the program's loop waits on besides input: descriptors to watch,
  // and the seconds until the program must be asked again even if none of
  // them wakes (lower timeout to it; it comes in at most the frame's need).
  virtual void addWaitSources(std::vector<pollfd>& fds, double& timeout) {
    (void)fds;
    (void)timeout;
  }
  // Runs once a pass, before the frame: takes what the sources have.
  virtual void serviceWaitSources() {}
  // The descriptors of the last wait with what poll found on each (revents),
  // or null when the wait did not look at them (then any may be ready).
  const std::vector<pollfd>* polledWaitSources() const { return m_fdsPolled ? &m_fds : nullptr; }

 private:
  double loopNow() const;

  static CCApplication* s_sharedApplication;
  LoopClock m_clock;
  LoopWait m_wait;
  std::vector<pollfd> m_fds;
  bool m_fdsPolled = false;
  // The fixed step's clock: the loop time its steps have reached.
  double m_stepClock = -1;
  // The last wait was for the next frame's time (something moves).
  bool m_paced = true;
};

NS_CC_END

#endif
