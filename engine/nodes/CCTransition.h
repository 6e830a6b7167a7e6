#ifndef KEST_CC_TRANSITION_H
#define KEST_CC_TRANSITION_H

// Scene transitions: a scene that draws the outgoing and the incoming scene
// for a while, then hands over to the incoming one.
//
// Run one with pushScene or replaceScene. On entering, the incoming scene
// gets onEnter and the outgoing one onExitTransitionDidStart; touches are
// not dispatched meanwhile. At the end the director replaces the transition
// with the incoming scene (one frame later), which gets
// onEnterTransitionDidFinish, and the outgoing scene gets onExit: each once,
// as without a transition. The outgoing scene is cleaned up only when the
// transition was a replace.
//
// Move-in: the incoming scene slides in from the left (or the bottom) with
// an ease-out. Progress: a snapshot of a scene is drawn through a progress
// timer over the other, live scene: radial counter-clockwise and horizontal
// wipe the old scene away, in-out grows the new one from the centre. Where
// the renderer cannot draw into a texture the progress ones simply cut over
// at their end.

#include "CCScene.h"

NS_CC_BEGIN

class CCActionInterval;
class CCProgressTimer;
class CCTexture2D;

class CCTransitionScene : public CCScene {
 public:
  CCTransitionScene();
  ~CCTransitionScene() override;
  static CCTransitionScene* create(float t, CCScene* scene);
  // False for a null scene or the scene already running.
  virtual bool initWithDuration(float t, CCScene* scene);
  bool isTransitionScene() const override { return true; }

  CCScene* getInScene() const { return m_pInScene; }
  CCScene* getOutScene() const { return m_pOutScene; }
  float getDuration() const { return m_fDuration; }

  void draw() override;
  void onEnter() override;
  void onExit() override;
  void cleanup() override;
  // Ends the transition: puts both scenes back in place and hands over.
  void finish();
  void hideOutShowIn();

 protected:
  virtual void sceneOrder() { m_bIsInSceneOnTop = true; }
  void setNewScene(float dt);

  CCScene* m_pInScene = nullptr;
  CCScene* m_pOutScene = nullptr;
  float m_fDuration = 0;
  bool m_bIsInSceneOnTop = true;
  bool m_bIsSendCleanupToScene = false;
};

// The incoming scene slides in from the left.
class CCTransitionMoveInL : public CCTransitionScene {
 public:
  static CCTransitionMoveInL* create(float t, CCScene* scene);
  void onEnter() override;

 protected:
  virtual void initScenes();
  virtual CCActionInterval* action();
};

// The incoming scene slides in from the bottom.
class CCTransitionMoveInB : public CCTransitionMoveInL {
 public:
  static CCTransitionMoveInB* create(float t, CCScene* scene);

 protected:
  void initScenes() override;
};

class CCTransitionProgress : public CCTransitionScene {
 public:
  CCTransitionProgress();
  ~CCTransitionProgress() override;
  void onEnter() override;
  void onExit() override;
  // The timer over the snapshot while the transition runs (tests), or null.
  CCProgressTimer* getProgressTimer() const { return m_pTimer; }

 protected:
  void sceneOrder() override { m_bIsInSceneOnTop = false; }
  // Which scene is snapshotted and the percentages run.
  virtual void setupTransition();
  // Shapes the timer (type, midpoint, rate).
  virtual void shapeTimer(CCProgressTimer* timer) = 0;

  float m_fTo = 0;
  float m_fFrom = 0;
  CCScene* m_pSceneToBeModified = nullptr;
  CCTexture2D* m_pSnapshot = nullptr;
  CCProgressTimer* m_pTimer = nullptr;
};

class CCTransitionProgressRadialCCW : public CCTransitionProgress {
 public:
  static CCTransitionProgressRadialCCW* create(float t, CCScene* scene);

 protected:
  void shapeTimer(CCProgressTimer* timer) override;
};

class CCTransitionProgressHorizontal : public CCTransitionProgress {
 public:
  static CCTransitionProgressHorizontal* create(float t, CCScene* scene);

 protected:
  void shapeTimer(CCProgressTimer* timer) override;
};

class CCTransitionProgressInOut : public CCTransitionProgress {
 public:
  static CCTransitionProgressInOut* create(float t, CCScene* scene);

 protected:
  void sceneOrder() override { m_bIsInSceneOnTop = false; }
  void setupTransition() override;
  void shapeTimer(CCProgressTimer* timer) override;
};

NS_CC_END

#endif
