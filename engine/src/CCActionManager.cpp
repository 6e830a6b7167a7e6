#include "CCActionManager.h"

#include <algorithm>
#include <limits>

NS_CC_BEGIN

CCActionManager::CCActionManager() {}

CCActionManager::~CCActionManager() {
  removeAllActions();
  flushReleases();
}

CCActionManager::Element* CCActionManager::find(const CCObject* target) {
  auto it = m_index.find(target);
  return it == m_index.end() ? nullptr : &*it->second;
}

void CCActionManager::flushReleases() {
  // Releasing may delete an action or a target whose destructor calls back in.
  if (m_bLocked) return;
  while (!m_pendingRelease.empty()) {
    std::vector<CCObject*> batch;
    batch.swap(m_pendingRelease);
    for (CCObject* o : batch) o->release();
  }
}

void CCActionManager::addAction(CCAction* pAction, CCNode* pTarget, bool paused) {
  if (!pAction || !pTarget) return;
  auto it = m_index.find(pTarget);
  Elements::iterator e;
  if (it == m_index.end()) {
    m_elements.push_back(Element());
    e = std::prev(m_elements.end());
    e->target = pTarget;
    e->paused = paused;
    pTarget->retain();
    m_index[pTarget] = e;
  } else {
    e = it->second;
  }
  if (std::find(e->actions.begin(), e->actions.end(), pAction) != e->actions.end()) {
    CCLOG("CCActionManager: action already running");
    return;
  }
  pAction->retain();
  e->actions.push_back(pAction);
  pAction->startWithTarget(pTarget);
}

void CCActionManager::removeActionAt(Elements::iterator e, size_t i) {
  CCAction* a = e->actions[i];
  e->actions.erase(e->actions.begin() + (long)i);
  // Keep the walk on the action after the removed one.
  if (e->index >= (long)i) --e->index;
  m_pendingRelease.push_back(a);
}

void CCActionManager::removeAllActionsOf(Elements::iterator e) {
  for (CCAction* a : e->actions) m_pendingRelease.push_back(a);
  // The walk's place stays where it was: actions run after this, from the same
  // step, wait for the next frame unless they land beyond it.
  e->actions.clear();
}

void CCActionManager::dropIfEmpty(Elements::iterator e) {
  // The target being walked goes when its walk is done.
  if (!e->actions.empty() || &*e == m_pCurrentTarget) return;
  m_pendingRelease.push_back(e->target);
  m_index.erase(e->target);
  m_elements.erase(e);
}

void CCActionManager::removeAllActions() {
  for (auto e = m_elements.begin(); e != m_elements.end();) {
    auto next = std::next(e);
    removeAllActionsOf(e);
    dropIfEmpty(e);
    e = next;
  }
  flushReleases();
}

void CCActionManager::removeAllActionsFromTarget(CCObject* pTarget) {
  auto it = m_index.find(pTarget);
  if (it == m_index.end()) return;
  Elements::iterator e = it->second;
  removeAllActionsOf(e);
  dropIfEmpty(e);
  flushReleases();
}

void CCActionManager::removeAction(CCAction* pAction) {
  if (!pAction) return;
  auto it = m_index.find(pAction->getOriginalTarget());
  if (it == m_index.end()) return;
  Elements::iterator e = it->second;
  auto pos = std::find(e->actions.begin(), e->actions.end(), pAction);
  if (pos == e->actions.end()) return;
  removeActionAt(e, (size_t)(pos - e->actions.begin()));
  dropIfEmpty(e);
  flushReleases();
}

void CCActionManager::removeActionByTag(unsigned int tag, CCObject* pTarget) {
  auto it = m_index.find(pTarget);
  if (it == m_index.end()) return;
  Elements::iterator e = it->second;
  for (size_t i = 0; i < e->actions.size(); ++i) {
    if (e->actions[i]->getTag() == (int)tag) {
      removeActionAt(e, i);
      dropIfEmpty(e);
      break;
    }
  }
  flushReleases();
}

CCAction* CCActionManager::getActionByTag(unsigned int tag, CCObject* pTarget) {
  Element* e = find(pTarget);
  if (!e) return nullptr;
  for (CCAction* a : e->actions)
    if (a->getTag() == (int)tag) return a;
  return nullptr;
}

unsigned int CCActionManager::numberOfRunningActionsInTarget(CCObject* pTarget) {
  Element* e = find(pTarget);
  return e ? (unsigned int)e->actions.size() : 0;
}

bool CCActionManager::QueryTarget(CCObject* pTarget) { return numberOfRunningActionsInTarget(pTarget) > 0; }

void CCActionManager::pauseTarget(CCObject* pTarget) {
  if (Element* e = find(pTarget)) e->paused = true;
}

void CCActionManager::resumeTarget(CCObject* pTarget) {
  if (Element* e = find(pTarget)) e->paused = false;
}

CCArray* CCActionManager::pauseAllRunningActions() {
  CCArray* targets = CCArray::create();
  for (Element& e : m_elements) {
    if (!e.paused && !e.actions.empty()) {
      e.paused = true;
      targets->addObject(e.target);
    }
  }
  return targets;
}

void CCActionManager::resumeTargets(CCArray* targetsToResume) {
  CCObject* o;
  CCARRAY_FOREACH(targetsToResume, o) { resumeTarget(o); }
}

bool CCActionManager::hasRunningActions() const {
  for (const Element& e : m_elements)
    if (!e.paused && !e.actions.empty()) return true;
  return false;
}

float CCActionManager::getTimeToNextChange() const {
  float next = std::numeric_limits<float>::infinity();
  for (const Element& e : m_elements) {
    if (e.paused) continue;
    for (CCAction* a : e.actions) {
      next = std::min(next, a->getTimeToNextChange());
      if (next <= 0) return 0;
    }
  }
  return next;
}

float CCActionManager::getLastChangeWithin(float limit) const {
  float last = -1;
  for (const Element& e : m_elements) {
    if (e.paused) continue;
    for (CCAction* a : e.actions) {
      const float next = a->getTimeToNextChange();
      if (next <= limit) last = std::max(last, next);
    }
  }
  return last;
}

void CCActionManager::update(float dt) {
  bool wasLocked = m_bLocked;
  m_bLocked = true;
  Element* outer = m_pCurrentTarget;
  // Stepping waits on memory at every action: actions and their nodes lie
  // apart on the heap, and drawing a frame evicts them. Asked for all at
  // once first, they arrive together.
  for (const Element& e : m_elements) {
    __builtin_prefetch(e.target);
    for (const CCAction* a : e.actions) __builtin_prefetch(a);
  }
  // The number of targets, and of each target's actions, is read afresh at
  // every turn: what a step adds is reached in this walk.
  for (auto e = m_elements.begin(); e != m_elements.end();) {
    m_pCurrentTarget = &*e;
    if (!e->paused) {
      for (e->index = 0; e->index < (long)e->actions.size(); ++e->index) {
        CCAction* a = e->actions[(size_t)e->index];
        a->retain();
        a->step(dt);
        // The step may have stopped this action or every action of the target.
        if (a->isDone()) {
          auto pos = std::find(e->actions.begin(), e->actions.end(), a);
          if (pos != e->actions.end()) {
            a->stop();
            // stop() may have removed it too.
            pos = std::find(e->actions.begin(), e->actions.end(), a);
            if (pos != e->actions.end()) removeActionAt(e, (size_t)(pos - e->actions.begin()));
          }
        }
        a->release();
      }
    }
    auto next = std::next(e);
    m_pCurrentTarget = outer;
    dropIfEmpty(e);
    e = next;
  }
  m_bLocked = wasLocked;
  flushReleases();
}

NS_CC_END
