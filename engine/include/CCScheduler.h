#ifndef KEST_CC_SCHEDULER_H
#define KEST_CC_SCHEDULER_H

// Timed selectors and per-frame updates, stepped once a frame with the
// frame's time (times the time scale).
//
// Timers (schedule(sel, interval, repeat, delay)):
// - The first update after a timer is scheduled only starts its clock; time
//   counts from the next update on. A selector scheduled every frame before
//   frame 1 runs at frames 2, 3, 4...; every 0.25 s (15 frames) at 16, 31, 46.
// - A timer fires when its clock reaches the interval, with the time counted
//   (steps of 0.3125 s, interval 1: updates 5, 9, 13, 17, each with 1.25).
//   After a call the clock restarts at 0: time past the interval is dropped,
//   so a timer fires at most once an update, however long the step.
// - With a delay, the first call comes when the clock reaches the delay (also
//   counted from the update after scheduling); what the clock ran past the
//   delay counts towards the first interval. repeat n means n + 1 calls in
//   all, kCCRepeatForever never ends; scheduleOnce(sel, d) is (0, 0, d).
// - Scheduling a selector that is already scheduled for the target replaces it
//   with the new interval, repeat and delay, counted afresh (as unscheduling it
//   and scheduling it again would).
// - Timers run grouped by target, targets in the order they got their first
//   timer (one whose timers all ended comes back at the end), timers of a
//   target in the order scheduled. A timer scheduled during the walk, on a
//   new target or one the walk has not finished, gets its first update (the
//   clock start) in the same frame; on a target already passed, in the next.
// - A paused target's clocks stand still; they go on from where they were.
//
// Per-frame updates (scheduleUpdateForTarget) run before the timers, every
// frame from the first, lower priority first (below 0, 0, above 0), in order
// of scheduling among equals. One scheduled during the walk runs in the same
// frame when it lands beyond the entry the walk goes to next. An update that
// knows it will change nothing for a while says so (setUpdateQuiet) and
// lets a sleeping loop wait that long; it still runs every frame the loop
// makes, with that frame's time.
//
// Unscheduling, or releasing the target, from inside a callback is safe:
// targets are retained while they have something scheduled.

#include <list>
#include <memory>
#include <unordered_map>
#include <vector>

#include "CCObject.h"

NS_CC_BEGIN

enum { kCCPrioritySystem = INT_MIN, kCCPriorityNonSystemMin = kCCPrioritySystem + 1 };

class CCScheduler : public CCObject {
 public:
  CCScheduler();
  ~CCScheduler() override;

  float getTimeScale() const { return m_fTimeScale; }
  void setTimeScale(float fTimeScale) { m_fTimeScale = fTimeScale; }

  void update(float dt) override;

  void scheduleSelector(SEL_SCHEDULE pfnSelector, CCObject* pTarget, float fInterval, unsigned int repeat, float delay,
                        bool bPaused);
  void scheduleSelector(SEL_SCHEDULE pfnSelector, CCObject* pTarget, float fInterval, bool bPaused);
  void scheduleUpdateForTarget(CCObject* pTarget, int nPriority, bool bPaused);
  void unscheduleSelector(SEL_SCHEDULE pfnSelector, CCObject* pTarget);
  void unscheduleUpdateForTarget(const CCObject* pTarget);
  void unscheduleAllForTarget(CCObject* pTarget);
  void unscheduleAll();
  void unscheduleAllWithMinPriority(int nMinPriority);
  bool isScheduledForTarget(SEL_SCHEDULE pfnSelector, CCObject* pTarget) const;

  void pauseTarget(CCObject* pTarget);
  void resumeTarget(CCObject* pTarget);
  bool isTargetPaused(CCObject* pTarget) const;

  // Number of live timers and updates (tests and diagnostics).
  unsigned int timerCount() const;

  // Seconds until an update would call anything, for a loop that sleeps in
  // between: 0 when a per-frame update would run (except quiet's: its owner
  // knows it has nothing to do, and those that said they are quiet for a
  // while) or a timer's clock is still to start; else the time the earliest
  // running timer or quiet update still needs, divided by the time scale;
  // infinity when nothing would ever be called.
  double getTimeToNextCall(const CCObject* quiet = nullptr) const;

  // The target's per-frame update will change nothing for the next `seconds`
  // of the scheduler's clock (infinity: until something else wakes it);
  // said from the update itself, or 0 from outside to wake it. Each update
  // call forgets what was said before it. Nothing for a target without one.
  void setUpdateQuiet(const CCObject* pTarget, float seconds);

 private:
  struct TargetState {
    bool paused = false;
    int entries = 0;
  };
  struct Timer {
    SEL_SCHEDULE selector;
    double interval;
    double delay;
    double elapsed;
    unsigned int repeat;
    unsigned int timesExecuted;
    bool started;  // the first update starts the clock
    bool useDelay;
    bool runForever;
    bool removed;
  };
  struct TimerTarget {
    CCObject* target;
    TargetState* state;
    std::vector<std::unique_ptr<Timer>> timers;
    long index = 0;  // the timer being updated during the walk
  };
  using TimerTargets = std::list<TimerTarget>;
  struct UpdateEntry {
    CCObject* target;
    TargetState* state;
    int priority;
    bool removed;
    double quiet = 0;  // scheduler seconds the update said it changes nothing
  };
  using UpdateList = std::list<UpdateEntry>;

  TargetState* acquireTarget(CCObject* target, bool paused);
  void releaseTarget(CCObject* target);
  void updateTimer(Timer& t, CCObject* target, double dt);
  void removeTimerAt(TimerTargets::iterator tt, size_t i);
  void removeTimerTargetIfEmpty(TimerTargets::iterator tt);
  void removeUpdateEntry(UpdateList& list, UpdateList::iterator it);
  void walkUpdates(UpdateList& list, float dt);
  void flushReleases();
  UpdateList& listFor(int priority);

  float m_fTimeScale = 1.0f;
  bool m_bLocked = false;
  bool m_bUpdatesNeedPurge = false;

  TimerTargets m_timerTargets;
  std::unordered_map<const CCObject*, TimerTargets::iterator> m_timerIndex;
  TimerTarget* m_currentTimerTarget = nullptr;
  // Removed timers and targets whose release waits for the end of the walk.
  std::vector<std::unique_ptr<Timer>> m_deadTimers;
  std::vector<CCObject*> m_pendingRelease;

  // Priority below 0, 0, above 0; each ordered by priority, then scheduling.
  UpdateList m_updatesNeg, m_updates0, m_updatesPos;
  std::unordered_map<const CCObject*, std::pair<UpdateList*, UpdateList::iterator>> m_updateIndex;

  std::unordered_map<const CCObject*, TargetState> m_targets;
};

NS_CC_END

#endif
