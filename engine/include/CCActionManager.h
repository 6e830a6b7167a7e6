#ifndef KEST_CC_ACTION_MANAGER_H
#define KEST_CC_ACTION_MANAGER_H

// Runs the actions of every target once a frame. Targets are retained while
// they have actions; actions are retained while they run. Adding, stopping or
// removing actions (or the target) from inside an action is safe.
//
// Targets run in the order they got their first action (a target whose
// actions all ended, or were stopped, comes back at the end), actions of a
// target in the order they were run. The walk takes in what is added while it
// goes: an action run on its own node from inside a step (a CCCallFunc in a
// sequence) gets its first step in the same frame, and so does one run on a
// node the walk has not reached yet or that had no actions.

#include <list>
#include <unordered_map>
#include <vector>

#include "CCAction.h"

NS_CC_BEGIN

class CCActionManager : public CCObject {
 public:
  CCActionManager();
  ~CCActionManager() override;

  void addAction(CCAction* pAction, CCNode* pTarget, bool paused);
  void removeAllActions();
  void removeAllActionsFromTarget(CCObject* pTarget);
  void removeAction(CCAction* pAction);
  void removeActionByTag(unsigned int tag, CCObject* pTarget);
  CCAction* getActionByTag(unsigned int tag, CCObject* pTarget);
  unsigned int numberOfRunningActionsInTarget(CCObject* pTarget);
  // Whether the target has any running action.
  bool QueryTarget(CCObject* pTarget);
  void pauseTarget(CCObject* pTarget);
  void resumeTarget(CCObject* pTarget);
  // The targets that were running, retained in the returned set's owner array.
  CCArray* pauseAllRunningActions();
  void resumeTargets(CCArray* targetsToResume);

  // Whether a target that is not paused has an action to step.
  bool hasRunningActions() const;
  // Seconds (of the actions' time) until a step of any running action may
  // change something; infinity when none runs.
  float getTimeToNextChange() const;
  // The latest of the running actions' next changes due within `limit`
  // seconds (of the actions' time), or -1 when none is.
  float getLastChangeWithin(float limit) const;

  void update(float dt) override;

 private:
  struct Element {
    CCObject* target;
    std::vector<CCAction*> actions;  // retained
    long index = 0;                  // the action stepping during the walk
    bool paused = false;
  };
  using Elements = std::list<Element>;
  Element* find(const CCObject* target);
  void removeActionAt(Elements::iterator e, size_t i);
  void removeAllActionsOf(Elements::iterator e);
  void dropIfEmpty(Elements::iterator e);
  void flushReleases();

  Elements m_elements;
  std::unordered_map<const CCObject*, Elements::iterator> m_index;
  Element* m_pCurrentTarget = nullptr;
  bool m_bLocked = false;
  // Actions and targets whose release waits for the end of the walk.
  std::vector<CCObject*> m_pendingRelease;
};

NS_CC_END

#endif
