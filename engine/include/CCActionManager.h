#ifndef KEST_CC_ACTION_MANAGER_H
#define KEST_CC_ACTION_MANAGER_H

// Runs the actions of every target once a frame. Targets are retained while
// they have actions; actions are retained while they run. Adding, stopping or
// removing actions (or the target) from inside an action is safe.

#include <memory>
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

  void update(float dt) override;

 private:
  struct Element {
    CCObject* target;
    std::vector<CCAction*> actions;  // null = removed, purged after the step
    bool paused = false;
    bool removed = false;
  };
  Element* find(const CCObject* target) const;
  void purge();
  void dropElement(Element* e);

  std::vector<std::unique_ptr<Element>> m_elements;
  std::unordered_map<const CCObject*, Element*> m_index;
  bool m_bLocked = false;
  bool m_bNeedsPurge = false;
};

NS_CC_END

#endif
