#include "CCScheduler.h"

#include <algorithm>
#include <limits>

NS_CC_BEGIN

// Float steps of 1/60 s do not add up to whole seconds exactly.
static const double kTimeEpsilon = 1e-6;

CCScheduler::CCScheduler() {}

CCScheduler::~CCScheduler() {
  unscheduleAll();
  flushReleases();
}

// --- bookkeeping ------------------------------------------------------------

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
  // Releasing may run the target's destructor, which may call back in: never
  // in the middle of a walk or of a change to the lists.
  m_pendingRelease.push_back(target);
}

void CCScheduler::flushReleases() {
  if (m_bLocked) return;
  m_deadTimers.clear();
  while (!m_pendingRelease.empty()) {
    std::vector<CCObject*> batch;
    batch.swap(m_pendingRelease);
    for (CCObject* o : batch) o->release();
  }
}

CCScheduler::UpdateList& CCScheduler::listFor(int priority) {
  return priority < 0 ? m_updatesNeg : (priority == 0 ? m_updates0 : m_updatesPos);
}

// --- timers -----------------------------------------------------------------

void CCScheduler::scheduleSelector(SEL_SCHEDULE pfnSelector, CCObject* pTarget, float fInterval, unsigned int repeat,
                                   float delay, bool bPaused) {
  if (!pfnSelector || !pTarget) return;
  auto found = m_timerIndex.find(pTarget);
  TimerTargets::iterator tt;
  if (found == m_timerIndex.end()) {
    m_timerTargets.push_back(TimerTarget());
    tt = std::prev(m_timerTargets.end());
    tt->target = pTarget;
    m_timerIndex[pTarget] = tt;
  } else {
    tt = found->second;
  }
  std::unique_ptr<Timer> t(new Timer());
  t->selector = pfnSelector;
  t->interval = fInterval > 0 ? fInterval : 0;
  t->delay = delay > 0 ? delay : 0;
  t->elapsed = 0;
  t->repeat = repeat;
  t->timesExecuted = 0;
  t->started = false;
  t->useDelay = delay > 0;
  t->runForever = repeat == kCCRepeatForever;
  t->removed = false;
  // Take the new entry before dropping an old one, so the target keeps its
  // state (paused or not) and its place.
  tt->state = acquireTarget(pTarget, bPaused);
  for (size_t i = 0; i < tt->timers.size(); ++i) {
    if (tt->timers[i]->selector == pfnSelector) {
      // A newer request replaces the waiting one, counted afresh.
      removeTimerAt(tt, i);
      break;
    }
  }
  tt->timers.push_back(std::move(t));
  flushReleases();
}

void CCScheduler::scheduleSelector(SEL_SCHEDULE pfnSelector, CCObject* pTarget, float fInterval, bool bPaused) {
  scheduleSelector(pfnSelector, pTarget, fInterval, kCCRepeatForever, 0.0f, bPaused);
}

void CCScheduler::removeTimerAt(TimerTargets::iterator tt, size_t i) {
  std::unique_ptr<Timer> t = std::move(tt->timers[i]);
  tt->timers.erase(tt->timers.begin() + (long)i);
  // Keep the walk on the timer after the removed one.
  if (tt->index >= (long)i) --tt->index;
  t->removed = true;
  // The timer may be the one running its callback right now.
  m_deadTimers.push_back(std::move(t));
  releaseTarget(tt->target);
}

void CCScheduler::removeTimerTargetIfEmpty(TimerTargets::iterator tt) {
  // The target being walked goes when its walk is done.
  if (!tt->timers.empty() || &*tt == m_currentTimerTarget) return;
  m_timerIndex.erase(tt->target);
  m_timerTargets.erase(tt);
}

void CCScheduler::unscheduleSelector(SEL_SCHEDULE pfnSelector, CCObject* pTarget) {
  auto found = m_timerIndex.find(pTarget);
  if (found == m_timerIndex.end()) return;
  TimerTargets::iterator tt = found->second;
  for (size_t i = 0; i < tt->timers.size(); ++i) {
    if (tt->timers[i]->selector == pfnSelector) {
      removeTimerAt(tt, i);
      removeTimerTargetIfEmpty(tt);
      break;
    }
  }
  flushReleases();
}

bool CCScheduler::isScheduledForTarget(SEL_SCHEDULE pfnSelector, CCObject* pTarget) const {
  auto found = m_timerIndex.find(pTarget);
  if (found == m_timerIndex.end()) return false;
  for (const auto& t : found->second->timers)
    if (t->selector == pfnSelector) return true;
  return false;
}

void CCScheduler::updateTimer(Timer& t, CCObject* target, double dt) {
  if (!t.started) {
    t.started = true;
    t.elapsed = 0;
    t.timesExecuted = 0;
    return;
  }
  t.elapsed += dt;
  bool delayed = t.useDelay;
  double due = delayed ? t.delay : t.interval;
  if (t.elapsed + kTimeEpsilon < due) return;

  SEL_SCHEDULE sel = t.selector;
  (target->*sel)((float)t.elapsed);
  // The callback may have unscheduled or replaced this very timer.
  if (t.removed) return;

  if (delayed) {
    t.elapsed = std::max(0.0, t.elapsed - t.delay);
    t.useDelay = false;
  } else {
    t.elapsed = 0;
  }
  ++t.timesExecuted;
  if (!t.runForever && t.timesExecuted > t.repeat) unscheduleSelector(sel, target);
}

// --- per-frame updates ------------------------------------------------------

void CCScheduler::scheduleUpdateForTarget(CCObject* pTarget, int nPriority, bool bPaused) {
  if (!pTarget) return;
  auto found = m_updateIndex.find(pTarget);
  if (found != m_updateIndex.end()) {
    UpdateEntry& e = *found->second.second;
    if (e.priority == nPriority) {
      // Unscheduled earlier in this walk: it comes back in its place.
      if (e.removed) {
        e.state = acquireTarget(pTarget, bPaused);
        e.removed = false;
        e.quiet = 0;
      }
      return;
    }
    // A new priority: drop the old entry and insert afresh.
    removeUpdateEntry(*found->second.first, found->second.second);
    m_updateIndex.erase(pTarget);
  }
  UpdateList& list = listFor(nPriority);
  // After every entry of the same or a lower priority.
  auto pos = std::find_if(list.begin(), list.end(), [&](const UpdateEntry& x) { return x.priority > nPriority; });
  UpdateEntry e;
  e.target = pTarget;
  e.priority = nPriority;
  e.removed = false;
  e.state = acquireTarget(pTarget, bPaused);
  m_updateIndex[pTarget] = std::make_pair(&list, list.insert(pos, e));
  flushReleases();
}

void CCScheduler::removeUpdateEntry(UpdateList& list, UpdateList::iterator it) {
  if (it->removed) return;
  releaseTarget(it->target);
  if (m_bLocked) {
    // The walk may stand on it: it goes when the walk ends.
    it->removed = true;
    m_bUpdatesNeedPurge = true;
    return;
  }
  auto found = m_updateIndex.find(it->target);
  if (found != m_updateIndex.end() && found->second.second == it) m_updateIndex.erase(found);
  list.erase(it);
}

void CCScheduler::unscheduleUpdateForTarget(const CCObject* pTarget) {
  auto found = m_updateIndex.find(pTarget);
  if (found == m_updateIndex.end()) return;
  removeUpdateEntry(*found->second.first, found->second.second);
  flushReleases();
}

// --- all of a target, all targets --------------------------------------------

void CCScheduler::unscheduleAllForTarget(CCObject* pTarget) {
  if (!pTarget) return;
  auto found = m_timerIndex.find(pTarget);
  if (found != m_timerIndex.end()) {
    TimerTargets::iterator tt = found->second;
    while (!tt->timers.empty()) removeTimerAt(tt, tt->timers.size() - 1);
    removeTimerTargetIfEmpty(tt);
  }
  unscheduleUpdateForTarget(pTarget);
  flushReleases();
}

void CCScheduler::unscheduleAll() { unscheduleAllWithMinPriority(kCCPrioritySystem); }

void CCScheduler::unscheduleAllWithMinPriority(int nMinPriority) {
  for (auto tt = m_timerTargets.begin(); tt != m_timerTargets.end();) {
    auto next = std::next(tt);
    while (!tt->timers.empty()) removeTimerAt(tt, tt->timers.size() - 1);
    removeTimerTargetIfEmpty(tt);
    tt = next;
  }
  for (UpdateList* list : {&m_updatesNeg, &m_updates0, &m_updatesPos}) {
    for (auto it = list->begin(); it != list->end();) {
      auto next = std::next(it);
      if (!it->removed && it->priority >= nMinPriority) removeUpdateEntry(*list, it);
      it = next;
    }
  }
  flushReleases();
}

// --- pause ------------------------------------------------------------------

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
  for (const TimerTarget& tt : m_timerTargets) n += (unsigned int)tt.timers.size();
  for (const UpdateList* list : {&m_updatesNeg, &m_updates0, &m_updatesPos})
    for (const UpdateEntry& e : *list) n += e.removed ? 0 : 1;
  return n;
}

double CCScheduler::getTimeToNextCall(const CCObject* quiet) const {
  double next = std::numeric_limits<double>::infinity();
  for (const UpdateList* list : {&m_updatesNeg, &m_updates0, &m_updatesPos})
    for (const UpdateEntry& e : *list) {
      if (e.removed || e.state->paused || e.target == quiet) continue;
      if (e.quiet <= 0) return 0;
      next = std::min(next, e.quiet);
    }
  for (const TimerTarget& tt : m_timerTargets) {
    if (tt.state->paused) continue;
    for (const auto& t : tt.timers) {
      if (t->removed) continue;
      if (!t->started) return 0;
      const double due = t->useDelay ? t->delay : t->interval;
      next = std::min(next, std::max(0.0, due - t->elapsed - kTimeEpsilon));
    }
  }
  if (next == 0) return 0;
  // A stopped clock never reaches anything.
  if (m_fTimeScale <= 0) return std::numeric_limits<double>::infinity();
  return next / m_fTimeScale;
}

// --- the frame --------------------------------------------------------------

void CCScheduler::walkUpdates(UpdateList& list, float dt) {
  // The next entry is taken before the update runs: one inserted right after
  // the running entry waits for the next frame, one further on runs now.
  for (auto it = list.begin(); it != list.end();) {
    auto next = std::next(it);
    if (!it->removed && !it->state->paused) {
      // What it said last time is over: it may say it again.
      it->quiet = 0;
      it->target->update(dt);
    }
    it = next;
  }
}

void CCScheduler::setUpdateQuiet(const CCObject* pTarget, float seconds) {
  auto found = m_updateIndex.find(pTarget);
  if (found == m_updateIndex.end()) return;
  found->second.second->quiet = seconds > 0 ? (double)seconds : 0;
}

void CCScheduler::update(float dt) {
  bool wasLocked = m_bLocked;
  m_bLocked = true;
  double step = (double)dt * m_fTimeScale;
  float fstep = (float)step;

  walkUpdates(m_updatesNeg, fstep);
  walkUpdates(m_updates0, fstep);
  walkUpdates(m_updatesPos, fstep);

  // Timers: targets added during the walk are reached in it; so are timers
  // added to the target being walked.
  TimerTarget* outer = m_currentTimerTarget;
  for (auto tt = m_timerTargets.begin(); tt != m_timerTargets.end();) {
    m_currentTimerTarget = &*tt;
    if (!tt->state->paused) {
      for (tt->index = 0; tt->index < (long)tt->timers.size(); ++tt->index) {
        Timer& t = *tt->timers[(size_t)tt->index];
        updateTimer(t, tt->target, step);
      }
    }
    auto next = std::next(tt);
    m_currentTimerTarget = outer;
    removeTimerTargetIfEmpty(tt);
    tt = next;
  }

  if (m_bUpdatesNeedPurge && !wasLocked) {
    m_bUpdatesNeedPurge = false;
    for (UpdateList* list : {&m_updatesNeg, &m_updates0, &m_updatesPos}) {
      for (auto it = list->begin(); it != list->end();) {
        auto next = std::next(it);
        if (it->removed) {
          auto found = m_updateIndex.find(it->target);
          if (found != m_updateIndex.end() && found->second.second == it) m_updateIndex.erase(found);
          list->erase(it);
        }
        it = next;
      }
    }
  }
  m_bLocked = wasLocked;
  flushReleases();
}

NS_CC_END
