#ifndef KEST_CC_DIRECTOR_H
#define KEST_CC_DIRECTOR_H

// Runs the frame: scheduler (actions included), scene changes, drawing,
// autorelease pool. A frame in which nothing visible changed is not drawn
// again. Headless (KEST_HEADLESS=1, or setHeadless before the window opens)
// uses a hidden offscreen window and a fixed 1/60 s step, so stepFrames(n)
// is deterministic.

#include <string>
#include <vector>

#include "CCScene.h"

NS_CC_BEGIN

class CCEGLView;
class CCScheduler;
class CCActionManager;
class CCTouchDispatcher;
class CCKeypadDispatcher;

enum ccDirectorProjection {
  kCCDirectorProjection2D,
  kCCDirectorProjection3D,
  kCCDirectorProjectionDefault = kCCDirectorProjection2D
};

class CCDirector : public CCObject {
 public:
  CCDirector();
  ~CCDirector() override;
  static CCDirector* sharedDirector();

  CCScene* getRunningScene() { return m_pRunningScene; }
  double getAnimationInterval() { return m_dAnimationInterval; }
  void setAnimationInterval(double dValue) { m_dAnimationInterval = dValue; }
  bool isDisplayStats() { return m_bDisplayStats; }
  void setDisplayStats(bool b) { m_bDisplayStats = b; }
  float getSecondsPerFrame() { return (float)m_dAnimationInterval; }
  CCEGLView* getOpenGLView();
  void setOpenGLView(CCEGLView* pobOpenGLView);
  bool isNextDeltaTimeZero() { return m_bNextDeltaTimeZero; }
  void setNextDeltaTimeZero(bool b) { m_bNextDeltaTimeZero = b; }
  bool isPaused() { return m_bPaused; }
  unsigned int getTotalFrames() { return m_uTotalFrames; }
  void setProjection(ccDirectorProjection) {}
  void setDepthTest(bool) {}
  void setAlphaBlending(bool) {}
  float getContentScaleFactor() { return 1.0f; }
  void setContentScaleFactor(float) {}

  // Design size, in points.
  CCSize getWinSize();
  CCSize getWinSizeInPixels();
  CCSize getVisibleSize();
  CCPoint getVisibleOrigin();
  // Window pixels (origin top-left) to points (origin bottom-left) and back.
  CCPoint convertToGL(const CCPoint& obPoint);
  CCPoint convertToUI(const CCPoint& obPoint);
  float getZEye() { return 0; }

  // Scenes. Changes take effect at the start of the next frame, so the scene
  // that asked to leave lives until then.
  void runWithScene(CCScene* pScene);
  void pushScene(CCScene* pScene);
  void popScene();
  void popToRootScene();
  void replaceScene(CCScene* pScene);
  // Posted through the notification centre, the new running scene as the
  // sender, once the first frame of a scene change is out (drawn, or passed
  // over while nothing draws): a transition as it starts, the scene it
  // carries once it has handed over.
  static constexpr const char* kSceneShownNotification = "director_scene_shown";
  // Posted, with no sender, once the first frame after a change of the
  // window's size or maximised state is out (the first frame of the window
  // too): what the window shows from then is drawn for its size and state
  // (the view's getFrameSize and isMaximized).
  static constexpr const char* kWindowDrawnNotification = "director_window_drawn";
  bool isSendCleanupToScene() { return m_bSendCleanupToScene; }
  // A node drawn above every scene, running as long as it is set (retained).
  void setTopLayer(CCNode* pLayer);
  CCNode* getTopLayer() { return m_pTopLayer; }
  CCNode* getNotificationNode() { return m_pNotificationNode; }
  void setNotificationNode(CCNode* node);

  // Ends the main loop of CCApplication::run.
  void end();
  bool isEnding() const { return m_bEnding; }
  void pause();
  void resume();
  void stopAnimation() { m_bInvalid = true; }
  void startAnimation();
  void drawScene();
  void mainLoop();
  void purgeCachedData();
  float getDeltaTime() { return m_fDeltaTime; }

  CCScheduler* getScheduler() { return m_pScheduler; }
  void setScheduler(CCScheduler* s);
  CCActionManager* getActionManager() { return m_pActionManager; }
  void setActionManager(CCActionManager* m);
  CCTouchDispatcher* getTouchDispatcher() { return m_pTouchDispatcher; }
  CCKeypadDispatcher* getKeypadDispatcher() { return m_pKeypadDispatcher; }

  // Headless and test support.
  static bool isHeadless();
  // Before anything opens the window: a hidden window and a fixed step.
  static void setHeadless(bool headless);
  void setFixedTimeStep(bool fixed) { m_bFixedStep = fixed; }
  bool isFixedTimeStep() const { return m_bFixedStep; }
  // Runs n frames one after another (the fixed step in headless mode).
  void stepFrames(int n);
  // Frames actually drawn since start (unchanged frames are skipped).
  unsigned int getDrawnFrames() const { return m_uDrawnFrames; }
  // Makes the next frame draw even if nothing changed.
  void setNeedsRedraw();
  // Seconds the main loop may wait before the next frame has anything to do:
  // 0 when one is due now (a redraw, a scene change, an action that changes
  // its node every step, a per-frame update, a timer whose clock is to
  // start), the time the next timer or the next change of a running action
  // (a frame animation's next frame, a delay's end) needs otherwise,
  // infinity when only input or a message can change anything. An action's
  // change may wait up to kMergedFrames frames for a later one, so the two
  // are drawn in one frame (the loop wakes once instead of twice); a timer
  // is never made late, and an action changing every frame or two is
  // never made to wait.
  double getTimeToNextFrame();
  static const int kMergedFrames = 3;
  // With the fixed step: the next frame counts this many steps at once (0
  // or more) instead of one, so a loop that slept through frames with nothing
  // to do keeps time.
  void setNextFrameSteps(unsigned int steps) { m_uNextFrameSteps = steps; }
  // Draws the current scene now and writes it as a PNG read back from the renderer.
  bool saveScreenshot(const std::string& pngPath);
  // Draws the current scene now and reads it back: rows of RGBA from the
  // top. False when there is no renderer.
  bool captureFrame(std::vector<unsigned char>& rgba, int& width, int& height);

  // Tears down scenes and singletons (tests call this between cases).
  void reset();

 protected:
  void setNextScene();
  void postSceneShown();
  // After a frame was drawn: counted, nothing to redraw, its scene and a
  // new size of the window told.
  void frameDrawn();
  void calculateDeltaTime();
  void enterNode(CCNode* node);
  void exitNode(CCNode* node, bool cleanup);

  CCScheduler* m_pScheduler = nullptr;
  CCActionManager* m_pActionManager = nullptr;
  CCTouchDispatcher* m_pTouchDispatcher = nullptr;
  CCKeypadDispatcher* m_pKeypadDispatcher = nullptr;
  CCEGLView* m_pobOpenGLView = nullptr;
  double m_dAnimationInterval = 1.0 / 60;
  bool m_bDisplayStats = false;
  bool m_bNextDeltaTimeZero = false;
  bool m_bPaused = false;
  bool m_bInvalid = false;
  bool m_bEnding = false;
  bool m_bFixedStep = false;
  unsigned int m_uTotalFrames = 0;
  unsigned int m_uDrawnFrames = 0;
  unsigned int m_uNextFrameSteps = 1;
  float m_fDeltaTime = 0;
  double m_dLastTime = -1;
  CCScene* m_pRunningScene = nullptr;
  CCScene* m_pNextScene = nullptr;
  bool m_bSendCleanupToScene = false;
  bool m_bSceneShownDue = false;
  std::vector<CCScene*> m_scenesStack;  // retained
  CCNode* m_pTopLayer = nullptr;
  CCNode* m_pNotificationNode = nullptr;
};

NS_CC_END

#endif
