#ifndef KEST_CC_TOUCH_DISPATCHER_H
#define KEST_CC_TOUCH_DISPATCHER_H

// Hands touches to delegates.
//
// - Targeted delegates first, lower priority number first; at equal priority
//   the delegate registered later goes first.
// - A targeted delegate that claims a touch (ccTouchBegan returns true) gets
//   its moves and end; if it swallows, no later delegate sees that touch.
// - Then standard delegates, in the same order, with the touches left.
// - Delegates (CCObjects) are retained while registered. Adding or removing
//   delegates during a dispatch is safe. A delegate removed during a dispatch
//   goes when that dispatch ends: it still gets the event being dispatched
//   (and may claim or swallow it) but nothing after. Added back before the
//   end, it stays as it was, claims included. One added takes part from the
//   next event.

#include <vector>

#include "CCTouchDelegateProtocol.h"
#include "CCSet.h"

NS_CC_BEGIN

enum { CCTOUCHBEGAN, CCTOUCHMOVED, CCTOUCHENDED, CCTOUCHCANCELLED, ccTouchMax };

class CCTouchDispatcher : public CCObject {
 public:
  CCTouchDispatcher();
  ~CCTouchDispatcher() override;
  bool init() { return true; }

  bool isDispatchEvents() const { return m_bDispatchEvents; }
  void setDispatchEvents(bool bDispatchEvents) { m_bDispatchEvents = bDispatchEvents; }

  void addStandardDelegate(CCTouchDelegate* pDelegate, int nPriority);
  void addTargetedDelegate(CCTouchDelegate* pDelegate, int nPriority, bool bSwallowsTouches);
  void removeDelegate(CCTouchDelegate* pDelegate);
  void removeAllDelegates();
  void setPriority(int nPriority, CCTouchDelegate* pDelegate);
  // Whether the delegate is registered (either kind).
  bool hasDelegate(CCTouchDelegate* pDelegate) const;

  void touches(CCSet* pTouches, CCEvent* pEvent, unsigned int uIndex);
  void touchesBegan(CCSet* touches, CCEvent* pEvent) { this->touches(touches, pEvent, CCTOUCHBEGAN); }
  void touchesMoved(CCSet* touches, CCEvent* pEvent) { this->touches(touches, pEvent, CCTOUCHMOVED); }
  void touchesEnded(CCSet* touches, CCEvent* pEvent) { this->touches(touches, pEvent, CCTOUCHENDED); }
  void touchesCancelled(CCSet* touches, CCEvent* pEvent) { this->touches(touches, pEvent, CCTOUCHCANCELLED); }

 private:
  struct Handler {
    CCTouchDelegate* delegate;
    int priority;
    bool targeted;
    bool swallows;
    bool removed;
    bool leaving;                   // removed during a dispatch: goes when it ends
    std::vector<CCTouch*> claimed;  // retained
  };
  void insert(Handler* h, std::vector<Handler*>& list);
  bool stayIfLeaving(CCTouchDelegate* pDelegate, int nPriority, bool bSwallowsTouches);
  Handler* find(CCTouchDelegate* d) const;
  void purge();
  static void retainDelegate(CCTouchDelegate* d);
  static void releaseDelegate(CCTouchDelegate* d);
  void destroy(Handler* h);

  std::vector<Handler*> m_targeted;
  std::vector<Handler*> m_standard;
  bool m_bDispatchEvents = true;
  int m_nLocked = 0;
};

NS_CC_END

#endif
