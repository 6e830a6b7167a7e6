#include "CCActionManager.h"

#include <algorithm>

NS_CC_BEGIN

CCActionManager::CCActionManager() {}

CCActionManager::~CCActionManager() {
  removeAllActions();
  purge();
}

CCActionManager::Element* CCActionManager::find(const CCObject* target) const {
  auto it = m_index.find(target);
  return it == m_index.end() || it->second->removed ? nullptr : it->second;
}

void CCActionManager::addAction(CCAction* pAction, CCNode* pTarget, bool paused) {
  if (!pAction || !pTarget) return;
  Element* e = find(pTarget);
  if (!e) {
    // A removed element may still sit in the index until the purge.
    auto it = m_index.find(pTarget);
    if (it != m_index.end()) {
      e = it->second;
      e->removed = false;
      e->paused = paused;
    } else {
      m_elements.emplace_back(new Element());
      e = m_elements.back().get();
      e->target = pTarget;
      e->paused = paused;
      pTarget->retain();
      m_index[pTarget] = e;
    }
  }
  if (std::find(e->actions.begin(), e->actions.end(), pAction) != e->actions.end()) {
    CCLOG("CCActionManager: action already running");
    return;
  }
  pAction->retain();
  e->actions.push_back(pAction);
  pAction->startWithTarget(pTarget);
}

void CCActionManager::dropElement(Element* e) {
  for (CCAction*& a : e->actions) {
    if (a) {
      CCAction* old = a;
      a = nullptr;
      old->release();
    }
  }
  e->removed = true;
  m_bNeedsPurge = true;
}

void CCActionManager::removeAllActions() {
  for (auto& e : m_elements)
    if (!e->removed) dropElement(e.get());
  if (!m_bLocked) purge();
}

void CCActionManager::removeAllActionsFromTarget(CCObject* pTarget) {
  Element* e = find(pTarget);
  if (!e) return;
  dropElement(e);
  if (!m_bLocked) purge();
}

void CCActionManager::removeAction(CCAction* pAction) {
  if (!pAction) return;
  Element* e = find(pAction->getOriginalTarget());
  if (!e) return;
  for (CCAction*& a : e->actions) {
    if (a == pAction) {
      a = nullptr;
      m_bNeedsPurge = true;
      pAction->release();
      break;
    }
  }
  if (!m_bLocked) purge();
}

void CCActionManager::removeActionByTag(unsigned int tag, CCObject* pTarget) {
  Element* e = find(pTarget);
  if (!e) return;
  for (CCAction*& a : e->actions) {
    if (a && a->getTag() == (int)tag) {
      CCAction* old = a;
      a = nullptr;
      m_bNeedsPurge = true;
      old->release();
      break;
    }
  }
  if (!m_bLocked) purge();
}

CCAction* CCActionManager::getActionByTag(unsigned int tag, CCObject* pTarget) {
  Element* e = find(pTarget);
  if (!e) return nullptr;
  for (CCAction* a : e->actions)
    if (a && a->getTag() == (int)tag) return a;
  return nullptr;
}

unsigned int CCActionManager::numberOfRunningActionsInTarget(CCObject* pTarget) {
  Element* e = find(pTarget);
  if (!e) return 0;
  unsigned int n = 0;
  for (CCAction* a : e->actions) n += a ? 1 : 0;
  return n;
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
  for (auto& e : m_elements) {
    if (!e->removed && !e->paused) {
      e->paused = true;
      targets->addObject(e->target);
    }
  }
  return targets;
}

void CCActionManager::resumeTargets(CCArray* targetsToResume) {
  CCObject* o;
  CCARRAY_FOREACH(targetsToResume, o) { resumeTarget(o); }
}

void CCActionManager::update(float dt) {
  bool wasLocked = m_bLocked;
  m_bLocked = true;
  size_t n = m_elements.size();
  for (size_t i = 0; i < n && i < m_elements.size(); ++i) {
    Element* e = m_elements[i].get();
    if (e->removed || e->paused) continue;
    // Actions added during this walk start next frame.
    size_t count = e->actions.size();
    for (size_t j = 0; j < count && j < e->actions.size(); ++j) {
      CCAction* a = e->actions[j];
      if (!a) continue;
      a->retain();
      a->step(dt);
      // The step may have stopped this action or every action of the target.
      if (!e->removed && j < e->actions.size() && e->actions[j] == a && a->isDone()) {
        a->stop();
        if (j < e->actions.size() && e->actions[j] == a) {
          e->actions[j] = nullptr;
          m_bNeedsPurge = true;
          a->release();
        }
      }
      a->release();
      if (e->removed || e->paused) break;
    }
    if (!e->removed) {
      bool empty = true;
      for (CCAction* a : e->actions) empty = empty && a == nullptr;
      if (empty) {
        e->removed = true;
        m_bNeedsPurge = true;
      }
    }
  }
  m_bLocked = wasLocked;
  if (!m_bLocked && m_bNeedsPurge) purge();
}

void CCActionManager::purge() {
  m_bNeedsPurge = false;
  std::vector<CCObject*> toRelease;
  for (auto& e : m_elements) {
    if (e->removed) continue;
    e->actions.erase(std::remove(e->actions.begin(), e->actions.end(), nullptr), e->actions.end());
    if (e->actions.empty()) e->removed = true;
  }
  for (auto it = m_elements.begin(); it != m_elements.end();) {
    Element* e = it->get();
    if (e->removed) {
      m_index.erase(e->target);
      toRelease.push_back(e->target);
      for (CCAction* a : e->actions)
        if (a) a->release();
      it = m_elements.erase(it);
    } else {
      ++it;
    }
  }
  // Releasing may delete targets whose destructors call back in.
  for (CCObject* o : toRelease) o->release();
}

NS_CC_END
