#include "CCScheduler.h"

#include <algorithm>

NS_CC_BEGIN

// Float steps of 1/60 s do not add up to whole seconds exactly.
static const double kTimeEpsilon = 1e-6;

CCScheduler::CCScheduler() {}

CCScheduler::~CCScheduler() {
  unscheduleAll();
  purge();
}

CCScheduler::TargetState* CCScheduler::acquireTarget(CCObject* target, bool paused) {
  auto it = m_targets.find(target);
  if (it == m_targets.end()) {
    it = m_targets.emplace(target, TargetState()).first;
    it->second.paused = paused;
  }
  ++it->second.entries;
  target->retain();
  return &it->second;
}

void CCScheduler::releaseTarget(CCObject* target) {
  auto it = m_targets.find(target);
  if (it != m_targets.end() && --it->second.entries <= 0) m_targets.erase(it);
  target->release();
}

CCScheduler::Timer* CCScheduler::findTimer(SEL_SCHEDULE sel, const CCObject* target) const {
  for (const auto& t : m_timers)
    if (!t->removed && t->target == target && t->selector == sel) return t.get();
  return nullptr;
}

void CCScheduler::scheduleSelector(SEL_SCHEDULE pfnSelector, CCObject* pTarget, float fInterval, unsigned int repeat,
                                   float delay, bool bPaused) {
  if (!pfnSelector || !pTarget) return;
  Timer* t = findTimer(pfnSelector, pTarget);
  if (!t) {
    m_timers.emplace_back(new Timer());
    t = m_timers.back().get();
    t->target = pTarget;
    t->selector = pfnSelector;
    t->state = acquireTarget(pTarget, bPaused);
    t->generation = 0;
  }
  // A new request replaces the waiting one: everything restarts.
  t->interval = fInterval > 0 ? fInterval : 0;
  t->delay = delay > 0 ? delay : 0;
  t->useDelay = delay > 0;
  t->repeat = repeat;
  t->runForever = repeat == kCCRepeatForever;
  t->elapsed = 0;
  t->timesExecuted = 0;
  t->removed = false;
  ++t->generation;
}

void CCScheduler::scheduleSelector(SEL_SCHEDULE pfnSelector, CCObject* pTarget, float fInterval, bool bPaused) {
  scheduleSelector(pfnSelector, pTarget, fInterval, kCCRepeatForever, 0.0f, bPaused);
}

void CCScheduler::scheduleUpdateForTarget(CCObject* pTarget, int nPriority, bool bPaused) {
  if (!pTarget) return;
  for (auto& u : m_updates) {
    if (!u->removed && u->target == pTarget) {
      if (u->priority == nPriority) return;
      // A new priority: drop the old entry and insert afresh.
      unscheduleUpdateForTarget(pTarget);
      break;
    }
  }
  std::unique_ptr<UpdateEntry> e(new UpdateEntry());
  e->target = pTarget;
  e->priority = nPriority;
  e->removed = false;
  e->state = acquireTarget(pTarget, bPaused);
  // After every entry of the same or a lower priority.
  auto pos = std::find_if(m_updates.begin(), m_updates.end(),
                          [&](const std::unique_ptr<UpdateEntry>& x) { return x->priority > nPriority; });
  if (m_bLocked) {
    // Inserting mid-walk would shift indexes; new entries wait at the end and
    // are sorted into place when the walk ends.
    m_updates.push_back(std::move(e));
    m_bNeedsPurge = true;
  } else {
    m_updates.insert(pos, std::move(e));
  }
}

void CCScheduler::unscheduleSelector(SEL_SCHEDULE pfnSelector, CCObject* pTarget) {
  Timer* t = findTimer(pfnSelector, pTarget);
  if (!t) return;
  t->removed = true;
  m_bNeedsPurge = true;
  if (!m_bLocked) purge();
}

void CCScheduler::unscheduleUpdateForTarget(const CCObject* pTarget) {
  for (auto& u : m_updates) {
    if (!u->removed && u->target == pTarget) {
      u->removed = true;
      m_bNeedsPurge = true;
    }
  }
  if (!m_bLocked) purge();
}

void CCScheduler::unscheduleAllForTarget(CCObject* pTarget) {
  if (!pTarget) return;
  for (auto& t : m_timers)
    if (t->target == pTarget && !t->removed) {
      t->removed = true;
      m_bNeedsPurge = true;
    }
  for (auto& u : m_updates)
    if (u->target == pTarget && !u->removed) {
      u->removed = true;
      m_bNeedsPurge = true;
    }
  if (!m_bLocked) purge();
}

void CCScheduler::unscheduleAll() { unscheduleAllWithMinPriority(kCCPrioritySystem); }

void CCScheduler::unscheduleAllWithMinPriority(int nMinPriority) {
  for (auto& t : m_timers)
    if (!t->removed) {
      t->removed = true;
      m_bNeedsPurge = true;
    }
  for (auto& u : m_updates)
    if (!u->removed && u->priority >= nMinPriority) {
      u->removed = true;
      m_bNeedsPurge = true;
    }
  if (!m_bLocked) purge();
}

bool CCScheduler::isScheduledForTarget(SEL_SCHEDULE pfnSelector, CCObject* pTarget) const {
  return findTimer(pfnSelector, pTarget) != nullptr;
}

void CCScheduler::pauseTarget(CCObject* pTarget) {
  auto it = m_targets.find(pTarget);
  if (it != m_targets.end()) it->second.paused = true;
}

void CCScheduler::resumeTarget(CCObject* pTarget) {
  auto it = m_targets.find(pTarget);
  if (it != m_targets.end()) it->second.paused = false;
}

bool CCScheduler::isTargetPaused(CCObject* pTarget) const {
  auto it = m_targets.find(pTarget);
  return it != m_targets.end() && it->second.paused;
}

unsigned int CCScheduler::timerCount() const {
  unsigned int n = 0;
  for (const auto& t : m_timers) n += t->removed ? 0 : 1;
  for (const auto& u : m_updates) n += u->removed ? 0 : 1;
  return n;
}

void CCScheduler::advance(Timer& t, double dt) {
  t.elapsed += dt;
  double due = t.useDelay ? t.delay : t.interval;
  if (t.elapsed + kTimeEpsilon < due) return;

  unsigned int generation = t.generation;
  CCObject* target = t.target;
  SEL_SCHEDULE sel = t.selector;
  (target->*sel)((float)t.elapsed);
  // The callback may have unscheduled or re-scheduled this very timer.
  if (t.removed || t.generation != generation) return;

  t.elapsed -= due;
  t.useDelay = false;
  // Fire at most once a frame: time beyond one interval is dropped.
  if (t.elapsed + kTimeEpsilon >= t.interval || t.elapsed < 0) t.elapsed = 0;
  ++t.timesExecuted;
  if (!t.runForever && t.timesExecuted > t.repeat) {
    t.removed = true;
    m_bNeedsPurge = true;
  }
}

void CCScheduler::update(float dt) {
  bool wasLocked = m_bLocked;
  m_bLocked = true;
  double step = (double)dt * m_fTimeScale;

  // Updates first: entries added during the walk wait for the next frame.
  size_t n = m_updates.size();
  for (size_t i = 0; i < n && i < m_updates.size(); ++i) {
    UpdateEntry* u = m_updates[i].get();
    if (u->removed || u->state->paused) continue;
    u->target->update((float)step);
  }

  n = m_timers.size();
  for (size_t i = 0; i < n && i < m_timers.size(); ++i) {
    Timer* t = m_timers[i].get();
    if (t->removed || t->state->paused) continue;
    advance(*t, step);
  }

  m_bLocked = wasLocked;
  if (!m_bLocked && m_bNeedsPurge) purge();
}

void CCScheduler::purge() {
  m_bNeedsPurge = false;
  // Collect first: releasing a target may run its destructor, which may call
  // back into the scheduler.
  std::vector<CCObject*> toRelease;
  for (auto it = m_timers.begin(); it != m_timers.end();) {
    if ((*it)->removed) {
      toRelease.push_back((*it)->target);
      it = m_timers.erase(it);
    } else {
      ++it;
    }
  }
  for (auto it = m_updates.begin(); it != m_updates.end();) {
    if ((*it)->removed) {
      toRelease.push_back((*it)->target);
      it = m_updates.erase(it);
    } else {
      ++it;
    }
  }
  std::stable_sort(m_updates.begin(), m_updates.end(),
                   [](const std::unique_ptr<UpdateEntry>& a, const std::unique_ptr<UpdateEntry>& b) {
                     return a->priority < b->priority;
                   });
  for (CCObject* o : toRelease) releaseTarget(o);
}

NS_CC_END
