#ifndef KEST_CC_SCHEDULER_H
#define KEST_CC_SCHEDULER_H

// Timed selectors and per-frame updates.
//
// - schedule(sel, interval, repeat, delay): first call after delay (after
//   interval when delay is 0), then every interval; repeat n means n + 1 calls,
//   kCCRepeatForever never ends. scheduleOnce(sel, delay) is one call.
// - Scheduling a selector that is already scheduled for the target restarts it
//   with the new interval, repeat and delay: a newer request replaces the
//   waiting one.
// - A timer fires at most once a frame; time it could not use (intervals
//   shorter than a frame, or a long frame) is dropped, never piled up.
// - Per-frame updates run first, lower priority first; then timers in the
//   order they were first scheduled.
// - Unscheduling, or releasing the target, from inside a callback is safe:
//   targets are retained while they have something scheduled.

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

 private:
  struct TargetState {
    bool paused = false;
    int entries = 0;
  };
  struct Timer {
    CCObject* target;
    SEL_SCHEDULE selector;
    TargetState* state;
    double interval;
    double delay;
    double elapsed;
    unsigned int repeat;
    unsigned int timesExecuted;
    bool useDelay;
    bool runForever;
    bool removed;
    unsigned int generation;
  };
  struct UpdateEntry {
    CCObject* target;
    TargetState* state;
    int priority;
    bool removed;
  };

  TargetState* acquireTarget(CCObject* target, bool paused);
  void releaseTarget(CCObject* target);
  void advance(Timer& t, double dt);
  void purge();
  Timer* findTimer(SEL_SCHEDULE sel, const CCObject* target) const;

  float m_fTimeScale = 1.0f;
  bool m_bLocked = false;
  bool m_bNeedsPurge = false;
  std::vector<std::unique_ptr<Timer>> m_timers;
  std::vector<std::unique_ptr<UpdateEntry>> m_updates;
  std::unordered_map<const CCObject*, TargetState> m_targets;
};

NS_CC_END

#endif
