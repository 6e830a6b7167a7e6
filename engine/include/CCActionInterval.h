#ifndef KEST_CC_ACTION_INTERVAL_H
#define KEST_CC_ACTION_INTERVAL_H

// Actions that take time. Timing under the manager's steps: the first step
// after start applies t = 0, later steps advance by dt; a duration of 0 or
// less completes on the first step.

#include <vector>

#include "CCAction.h"

NS_CC_BEGIN

class CCAnimation;
class CCSpriteFrame;

class CCActionInterval : public CCFiniteTimeAction {
 public:
  static CCActionInterval* create(float d);
  bool initWithDuration(float d);
  float getElapsed() { return m_elapsed; }
  bool isDone() override;
  void step(float dt) override;
  void startWithTarget(CCNode* pTarget) override;
  CCActionInterval* reverse() override;
  // Until its next change or its end, from its elapsed time.
  float getTimeToNextChange() override;
  void setAmplitudeRate(float amp) { m_fAmplitudeRate = amp; }
  float getAmplitudeRate() { return m_fAmplitudeRate; }

 protected:
  float m_elapsed = 0;
  bool m_bFirstTick = true;
  float m_fAmplitudeRate = 1;
};

// Runs actions one after another. Actions that end inside one step (instant
// ones included) all run in order, so none is skipped by a long frame.
class CCSequence : public CCActionInterval {
 public:
  ~CCSequence() override;
  static CCSequence* create(CCFiniteTimeAction* pAction1, ...);
  static CCSequence* create(CCArray* arrayOfActions);
  static CCSequence* createWithTwoActions(CCFiniteTimeAction* pActionOne, CCFiniteTimeAction* pActionTwo);
  bool initWithActions(const std::vector<CCFiniteTimeAction*>& actions);
  void startWithTarget(CCNode* pTarget) override;
  void stop() override;
  void update(float t) override;
  CCActionInterval* reverse() override;
  float nextChangeAt(float elapsed) override;

 protected:
  std::vector<CCFiniteTimeAction*> m_actions;
  std::vector<float> m_ends;
  size_t m_current = 0;
  bool m_currentStarted = false;
};

// Runs an action `times` times.
class CCRepeat : public CCActionInterval {
 public:
  ~CCRepeat() override;
  static CCRepeat* create(CCFiniteTimeAction* pAction, unsigned int times);
  bool initWithAction(CCFiniteTimeAction* pAction, unsigned int times);
  void startWithTarget(CCNode* pTarget) override;
  void stop() override;
  void update(float dt) override;
  bool isDone() override;
  CCActionInterval* reverse() override;
  float nextChangeAt(float elapsed) override;
  CCFiniteTimeAction* getInnerAction() { return m_pInnerAction; }

 protected:
  unsigned int m_uTimes = 0;
  unsigned int m_uTotal = 0;
  CCFiniteTimeAction* m_pInnerAction = nullptr;
};

class CCRepeatForever : public CCActionInterval {
 public:
  ~CCRepeatForever() override;
  static CCRepeatForever* create(CCActionInterval* pAction);
  bool initWithAction(CCActionInterval* pAction);
  void startWithTarget(CCNode* pTarget) override;
  void stop() override;
  void step(float dt) override;
  bool isDone() override { return false; }
  CCActionInterval* reverse() override;
  float getTimeToNextChange() override;
  CCActionInterval* getInnerAction() { return m_pInnerAction; }

 protected:
  CCActionInterval* m_pInnerAction = nullptr;
};

// Runs actions together; it lasts as long as the longest.
class CCSpawn : public CCActionInterval {
 public:
  ~CCSpawn() override;
  static CCSpawn* create(CCFiniteTimeAction* pAction1, ...);
  static CCSpawn* create(CCArray* arrayOfActions);
  static CCSpawn* createWithTwoActions(CCFiniteTimeAction* pAction1, CCFiniteTimeAction* pAction2);
  bool initWithActions(const std::vector<CCFiniteTimeAction*>& actions);
  void startWithTarget(CCNode* pTarget) override;
  void stop() override;
  void update(float t) override;
  CCActionInterval* reverse() override;
  float nextChangeAt(float elapsed) override;

 protected:
  std::vector<CCFiniteTimeAction*> m_actions;
  std::vector<bool> m_done;
};

class CCRotateTo : public CCActionInterval {
 public:
  static CCRotateTo* create(float fDuration, float fDeltaAngle);
  bool initWithDuration(float fDuration, float fDeltaAngle);
  void startWithTarget(CCNode* pTarget) override;
  void update(float time) override;

 protected:
  float m_fDstAngle = 0, m_fStartAngle = 0, m_fDiffAngle = 0;
};

class CCRotateBy : public CCActionInterval {
 public:
  static CCRotateBy* create(float fDuration, float fDeltaAngle);
  bool initWithDuration(float fDuration, float fDeltaAngle);
  void startWithTarget(CCNode* pTarget) override;
  void update(float time) override;
  CCActionInterval* reverse() override;

 protected:
  float m_fAngle = 0, m_fStartAngle = 0;
};

// Moves stack: each step adds its part of the movement to where the node is
// now, so two moves on one node add up and a position set during a move
// stays (the move goes on from there). So do jumps.
class CCMoveBy : public CCActionInterval {
 public:
  static CCMoveBy* create(float duration, const CCPoint& deltaPosition);
  bool initWithDuration(float duration, const CCPoint& deltaPosition);
  void startWithTarget(CCNode* pTarget) override;
  void update(float time) override;
  CCActionInterval* reverse() override;

 protected:
  CCPoint m_positionDelta, m_startPosition, m_previousPosition;
};

class CCMoveTo : public CCMoveBy {
 public:
  static CCMoveTo* create(float duration, const CCPoint& position);
  bool initWithDuration(float duration, const CCPoint& position);
  void startWithTarget(CCNode* pTarget) override;

 protected:
  CCPoint m_endPosition;
};

class CCJumpBy : public CCActionInterval {
 public:
  static CCJumpBy* create(float duration, const CCPoint& position, float height, unsigned int jumps);
  bool initWithDuration(float duration, const CCPoint& position, float height, unsigned int jumps);
  void startWithTarget(CCNode* pTarget) override;
  void update(float time) override;
  CCActionInterval* reverse() override;

 protected:
  CCPoint m_startPosition, m_delta, m_previousPosition;
  float m_height = 0;
  unsigned int m_nJumps = 0;
};

class CCJumpTo : public CCJumpBy {
 public:
  static CCJumpTo* create(float duration, const CCPoint& position, float height, int jumps);
  void startWithTarget(CCNode* pTarget) override;

 protected:
  CCPoint m_endPosition;
};

class CCScaleTo : public CCActionInterval {
 public:
  static CCScaleTo* create(float duration, float s);
  static CCScaleTo* create(float duration, float sx, float sy);
  bool initWithDuration(float duration, float s);
  bool initWithDuration(float duration, float sx, float sy);
  void startWithTarget(CCNode* pTarget) override;
  void update(float time) override;

 protected:
  float m_fStartScaleX = 1, m_fStartScaleY = 1, m_fEndScaleX = 1, m_fEndScaleY = 1;
  float m_fDeltaX = 0, m_fDeltaY = 0;
};

class CCScaleBy : public CCScaleTo {
 public:
  static CCScaleBy* create(float duration, float s);
  static CCScaleBy* create(float duration, float sx, float sy);
  void startWithTarget(CCNode* pTarget) override;
  CCActionInterval* reverse() override;
};

// Toggles visibility `blinks` times; the original visibility comes back at the end.
class CCBlink : public CCActionInterval {
 public:
  static CCBlink* create(float duration, unsigned int uBlinks);
  bool initWithDuration(float duration, unsigned int uBlinks);
  void startWithTarget(CCNode* pTarget) override;
  void update(float time) override;
  void stop() override;
  CCActionInterval* reverse() override;
  float nextChangeAt(float elapsed) override;

 protected:
  unsigned int m_nTimes = 0;
  bool m_bOriginalState = true;
};

class CCFadeTo : public CCActionInterval {
 public:
  static CCFadeTo* create(float duration, unsigned char opacity);
  bool initWithDuration(float duration, unsigned char opacity);
  void startWithTarget(CCNode* pTarget) override;
  void update(float time) override;

 protected:
  unsigned char m_toOpacity = 0;
  unsigned char m_fromOpacity = 0;
};

class CCFadeIn : public CCActionInterval {
 public:
  static CCFadeIn* create(float d);
  void update(float time) override;
  CCActionInterval* reverse() override;
};

class CCFadeOut : public CCActionInterval {
 public:
  static CCFadeOut* create(float d);
  void update(float time) override;
  CCActionInterval* reverse() override;
};

class CCTintTo : public CCActionInterval {
 public:
  static CCTintTo* create(float duration, unsigned char red, unsigned char green, unsigned char blue);
  bool initWithDuration(float duration, unsigned char red, unsigned char green, unsigned char blue);
  void startWithTarget(CCNode* pTarget) override;
  void update(float time) override;

 protected:
  ccColor3B m_to{255, 255, 255};
  ccColor3B m_from{255, 255, 255};
};

class CCTintBy : public CCActionInterval {
 public:
  static CCTintBy* create(float duration, short deltaRed, short deltaGreen, short deltaBlue);
  bool initWithDuration(float duration, short deltaRed, short deltaGreen, short deltaBlue);
  void startWithTarget(CCNode* pTarget) override;
  void update(float time) override;
  CCActionInterval* reverse() override;

 protected:
  short m_deltaR = 0, m_deltaG = 0, m_deltaB = 0;
  short m_fromR = 0, m_fromG = 0, m_fromB = 0;
};

class CCDelayTime : public CCActionInterval {
 public:
  static CCDelayTime* create(float d);
  void update(float) override {}
  CCActionInterval* reverse() override;
  float nextChangeAt(float) override { return m_fDuration; }
};

// Shows the frames of an animation on a sprite target.
class CCAnimate : public CCActionInterval {
 public:
  CCAnimate();
  ~CCAnimate() override;
  static CCAnimate* create(CCAnimation* pAnimation);
  bool initWithAnimation(CCAnimation* pAnimation);
  void startWithTarget(CCNode* pTarget) override;
  void stop() override;
  void update(float t) override;
  CCActionInterval* reverse() override;
  float nextChangeAt(float elapsed) override;
  CCAnimation* getAnimation() { return m_pAnimation; }

 protected:
  std::vector<float> m_splitTimes;
  int m_nNextFrame = 0;
  CCSpriteFrame* m_pOrigFrame = nullptr;
  unsigned int m_uExecutedLoops = 0;
  CCAnimation* m_pAnimation = nullptr;
};

// Runs an action on another target.
class CCTargetedAction : public CCActionInterval {
 public:
  ~CCTargetedAction() override;
  static CCTargetedAction* create(CCNode* pTarget, CCFiniteTimeAction* pAction);
  bool initWithTarget(CCNode* pTarget, CCFiniteTimeAction* pAction);
  void startWithTarget(CCNode* pTarget) override;
  void stop() override;
  void update(float time) override;
  float nextChangeAt(float elapsed) override { return m_pAction->nextChangeAt(elapsed); }
  CCNode* getForcedTarget() { return m_pForcedTarget; }

 protected:
  CCFiniteTimeAction* m_pAction = nullptr;
  CCNode* m_pForcedTarget = nullptr;
};

NS_CC_END

#endif
