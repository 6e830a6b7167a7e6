#ifndef KEST_CC_KEYPAD_DISPATCHER_H
#define KEST_CC_KEYPAD_DISPATCHER_H

// Back (Escape) and menu keys to layers that enabled the keypad.

#include <vector>

#include "CCObject.h"

NS_CC_BEGIN

class CCKeypadDelegate {
 public:
  virtual ~CCKeypadDelegate() {}
  virtual void keyBackClicked() {}
  virtual void keyMenuClicked() {}
};

enum ccKeypadMSGType { kTypeBackClicked = 1, kTypeMenuClicked };

class CCKeypadDispatcher : public CCObject {
 public:
  void addDelegate(CCKeypadDelegate* pDelegate);
  void removeDelegate(CCKeypadDelegate* pDelegate);
  // Later-added delegates first; safe against changes during the dispatch.
  bool dispatchKeypadMSG(ccKeypadMSGType nMsgType);

 private:
  std::vector<CCKeypadDelegate*> m_delegates;
};

NS_CC_END

#endif
