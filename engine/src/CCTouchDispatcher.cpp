#include "CCTouchDispatcher.h"

#include <algorithm>

#include "CCDirector.h"
#include "CCKeypadDispatcher.h"
#include "CCTouch.h"

NS_CC_BEGIN

// --- CCTouch ----------------------------------------------------------------

void CCTouch::setTouchInfo(int id, float x, float y) {
  m_nId = id;
  m_prevPoint = m_point;
  m_point = CCPoint(x, y);
  if (!m_startPointCaptured) {
    m_startPoint = m_point;
    m_prevPoint = m_point;
    m_startPointCaptured = true;
  }
}

CCPoint CCTouch::getLocation() const { return CCDirector::sharedDirector()->convertToGL(m_point); }
CCPoint CCTouch::getPreviousLocation() const { return CCDirector::sharedDirector()->convertToGL(m_prevPoint); }
CCPoint CCTouch::getStartLocation() const { return CCDirector::sharedDirector()->convertToGL(m_startPoint); }
CCPoint CCTouch::getDelta() const { return getLocation() - getPreviousLocation(); }

// --- CCTouchDispatcher ------------------------------------------------------

CCTouchDispatcher::CCTouchDispatcher() {}

CCTouchDispatcher::~CCTouchDispatcher() {
  removeAllDelegates();
  purge();
}

void CCTouchDispatcher::retainDelegate(CCTouchDelegate* d) {
  if (CCObject* o = dynamic_cast<CCObject*>(d)) o->retain();
}

void CCTouchDispatcher::releaseDelegate(CCTouchDelegate* d) {
  if (CCObject* o = dynamic_cast<CCObject*>(d)) o->release();
}

void CCTouchDispatcher::destroy(Handler* h) {
  for (CCTouch* t : h->claimed) t->release();
  CCTouchDelegate* d = h->delegate;
  delete h;
  releaseDelegate(d);
}

CCTouchDispatcher::Handler* CCTouchDispatcher::find(CCTouchDelegate* d) const {
  for (Handler* h : m_targeted)
    if (!h->removed && h->delegate == d) return h;
  for (Handler* h : m_standard)
    if (!h->removed && h->delegate == d) return h;
  return nullptr;
}

bool CCTouchDispatcher::hasDelegate(CCTouchDelegate* pDelegate) const {
  Handler* h = find(pDelegate);
  return h && !h->leaving;
}

void CCTouchDispatcher::insert(Handler* h, std::vector<Handler*>& list) {
  // Before the first handler of the same or a higher priority number: a later
  // registration goes first among equals.
  auto pos = std::find_if(list.begin(), list.end(), [&](Handler* o) { return o->priority >= h->priority; });
  list.insert(pos, h);
}

bool CCTouchDispatcher::stayIfLeaving(CCTouchDelegate* pDelegate, int nPriority, bool bSwallowsTouches) {
  Handler* h = find(pDelegate);
  if (!h) return false;
  // Removed and added back within one dispatch: the registration goes on
  // (with its claims), at the priority and swallowing asked for now, as a
  // layer that changes its priority during a touch re-registers.
  h->leaving = false;
  if (h->targeted) h->swallows = bSwallowsTouches;
  setPriority(nPriority, pDelegate);
  return true;
}

void CCTouchDispatcher::addStandardDelegate(CCTouchDelegate* pDelegate, int nPriority) {
  if (!pDelegate || stayIfLeaving(pDelegate, nPriority, false)) return;
  Handler* h = new Handler{pDelegate, nPriority, false, false, false, false, {}};
  retainDelegate(pDelegate);
  insert(h, m_standard);
}

void CCTouchDispatcher::addTargetedDelegate(CCTouchDelegate* pDelegate, int nPriority, bool bSwallowsTouches) {
  if (!pDelegate || stayIfLeaving(pDelegate, nPriority, bSwallowsTouches)) return;
  Handler* h = new Handler{pDelegate, nPriority, true, bSwallowsTouches, false, false, {}};
  retainDelegate(pDelegate);
  insert(h, m_targeted);
}

void CCTouchDispatcher::removeDelegate(CCTouchDelegate* pDelegate) {
  Handler* h = find(pDelegate);
  if (!h) return;
  if (m_nLocked > 0) {
    h->leaving = true;
    return;
  }
  h->removed = true;
  purge();
}

void CCTouchDispatcher::removeAllDelegates() {
  for (std::vector<Handler*>* list : {&m_targeted, &m_standard}) {
    for (Handler* h : *list) {
      if (m_nLocked > 0)
        h->leaving = true;
      else
        h->removed = true;
    }
  }
  if (m_nLocked == 0) purge();
}

void CCTouchDispatcher::setPriority(int nPriority, CCTouchDelegate* pDelegate) {
  Handler* h = find(pDelegate);
  if (!h || h->priority == nPriority) return;
  std::vector<Handler*>& list = h->targeted ? m_targeted : m_standard;
  // Placed afresh as a new registration at that priority; a dispatch under way
  // keeps its order.
  list.erase(std::find(list.begin(), list.end(), h));
  h->priority = nPriority;
  insert(h, list);
}

void CCTouchDispatcher::purge() {
  for (std::vector<Handler*>* list : {&m_targeted, &m_standard})
    for (Handler* h : *list)
      if (h->leaving) h->removed = true;
  for (std::vector<Handler*>* list : {&m_targeted, &m_standard}) {
    std::vector<Handler*> dead;
    for (auto it = list->begin(); it != list->end();) {
      if ((*it)->removed) {
        dead.push_back(*it);
        it = list->erase(it);
      } else {
        ++it;
      }
    }
    // Releasing a delegate may delete it, and its destructor may call us.
    for (Handler* h : dead) destroy(h);
  }
}

void CCTouchDispatcher::touches(CCSet* pTouches, CCEvent* pEvent, unsigned int uIndex) {
  if (!m_bDispatchEvents || !pTouches) return;
  ++m_nLocked;
  // Keep the touches alive and take a fixed copy of the handler lists.
  CCSet* mutableTouches = pTouches->copy();
  std::vector<Handler*> targeted = m_targeted;
  std::vector<Handler*> standard = m_standard;

  std::vector<CCObject*> touchList(mutableTouches->begin(), mutableTouches->end());
  for (CCObject* o : touchList) {
    CCTouch* touch = static_cast<CCTouch*>(o);
    for (Handler* h : targeted) {
      if (h->removed) continue;
      bool claimed = false;
      if (uIndex == CCTOUCHBEGAN) {
        claimed = h->delegate->ccTouchBegan(touch, pEvent);
        if (claimed && !h->removed) {
          touch->retain();
          h->claimed.push_back(touch);
        }
      } else {
        auto it = std::find(h->claimed.begin(), h->claimed.end(), touch);
        if (it != h->claimed.end()) {
          claimed = true;
          switch (uIndex) {
            case CCTOUCHMOVED: h->delegate->ccTouchMoved(touch, pEvent); break;
            case CCTOUCHENDED:
            case CCTOUCHCANCELLED: {
              // Drop the claim first: the handler may remove itself.
              h->claimed.erase(it);
              if (uIndex == CCTOUCHENDED)
                h->delegate->ccTouchEnded(touch, pEvent);
              else
                h->delegate->ccTouchCancelled(touch, pEvent);
              touch->release();
              break;
            }
          }
        }
      }
      if (claimed && h->swallows) {
        mutableTouches->removeObject(touch);
        break;
      }
    }
  }

  if (mutableTouches->count() > 0) {
    for (Handler* h : standard) {
      if (h->removed) continue;
      switch (uIndex) {
        case CCTOUCHBEGAN: h->delegate->ccTouchesBegan(mutableTouches, pEvent); break;
        case CCTOUCHMOVED: h->delegate->ccTouchesMoved(mutableTouches, pEvent); break;
        case CCTOUCHENDED: h->delegate->ccTouchesEnded(mutableTouches, pEvent); break;
        case CCTOUCHCANCELLED: h->delegate->ccTouchesCancelled(mutableTouches, pEvent); break;
      }
    }
  }
  mutableTouches->release();
  --m_nLocked;
  if (m_nLocked == 0) purge();
}

// --- keypad -----------------------------------------------------------------

void CCKeypadDispatcher::addDelegate(CCKeypadDelegate* pDelegate) {
  if (!pDelegate || std::find(m_delegates.begin(), m_delegates.end(), pDelegate) != m_delegates.end()) return;
  m_delegates.push_back(pDelegate);
}

void CCKeypadDispatcher::removeDelegate(CCKeypadDelegate* pDelegate) {
  auto it = std::find(m_delegates.begin(), m_delegates.end(), pDelegate);
  if (it != m_delegates.end()) m_delegates.erase(it);
}

bool CCKeypadDispatcher::dispatchKeypadMSG(ccKeypadMSGType nMsgType) {
  std::vector<CCKeypadDelegate*> copy = m_delegates;
  bool any = false;
  for (size_t i = copy.size(); i-- > 0;) {
    CCKeypadDelegate* d = copy[i];
    // Skip delegates removed by an earlier one in this dispatch.
    if (std::find(m_delegates.begin(), m_delegates.end(), d) == m_delegates.end()) continue;
    any = true;
    if (nMsgType == kTypeBackClicked)
      d->keyBackClicked();
    else
      d->keyMenuClicked();
  }
  return any;
}

NS_CC_END
