#ifndef KEST_CC_ACTION_H
#define KEST_CC_ACTION_H

#include "CCNode.h"

NS_CC_BEGIN

enum { kCCActionTagInvalid = -1 };

// Something a node does over time. The action manager steps it once a frame:
// step(dt) until isDone(), then stop().
class CCAction : public CCObject {
 public:
  CCAction();
  ~CCAction() override;
  static CCAction* create();

  virtual bool isDone();
  // Remembers the target (not retained: the action manager retains it).
  virtual void startWithTarget(CCNode* pTarget);
  virtual void stop();
  virtual void step(float dt);
  // t in [0, 1].
  virtual void update(float time) override;
  // Seconds of its own time the action may go without a step before one
  // changes anything (its node, a callback, its end): 0 when any step may,
  // as for movement. The main loop sleeps that long when nothing else is due.
  virtual float getTimeToNextChange();

  CCNode* getTarget() { return m_pTarget; }
  void setTarget(CCNode* pTarget) { m_pTarget = pTarget; }
  CCNode* getOriginalTarget() { return m_pOriginalTarget; }
  void setOriginalTarget(CCNode* pOriginalTarget) { m_pOriginalTarget = pOriginalTarget; }
  int getTag() { return m_nTag; }
  void setTag(int nTag) { m_nTag = nTag; }

 protected:
  CCNode* m_pOriginalTarget = nullptr;
  CCNode* m_pTarget = nullptr;
  int m_nTag = kCCActionTagInvalid;
};

class CCFiniteTimeAction : public CCAction {
 public:
  float getDuration() { return m_fDuration; }
  void setDuration(float duration) { m_fDuration = duration; }
  // A new action that does the opposite (null where there is none).
  virtual CCFiniteTimeAction* reverse();
  // Where `elapsed` seconds in and updated there last, the time of its own
  // (elapsed or later) at which an update next shows something else:
  // `elapsed` itself when it changes all the time. Containers ask the action
  // they run.
  virtual float nextChangeAt(float elapsed) { return elapsed; }

 protected:
  float m_fDuration = 0;
};

class CCActionInterval;

// Plays an interval action at a changed speed.
class CCSpeed : public CCAction {
 public:
  ~CCSpeed() override;
  static CCSpeed* create(CCActionInterval* pAction, float fSpeed);
  bool initWithAction(CCActionInterval* pAction, float fSpeed);
  float getSpeed() { return m_fSpeed; }
  void setSpeed(float fSpeed) { m_fSpeed = fSpeed; }
  void startWithTarget(CCNode* pTarget) override;
  void stop() override;
  void step(float dt) override;
  bool isDone() override;
  float getTimeToNextChange() override;

 protected:
  float m_fSpeed = 1;
  CCActionInterval* m_pInnerAction = nullptr;
};

NS_CC_END

#endif
