#ifndef KEST_UI_ACTION_H
#define KEST_UI_ACTION_H

// The layout animations a CocoStudio file carries ("animation" section),
// played by name: ActionManager::shareManager()->playActionByName(
// "PaoMaUI.ExportJson", "AnimationWin").
//
// An animation has nodes bound to widgets by action tag; each node has
// tracks (move, scale, rotate, fade, tint) fed by the frames that carry
// their keys. A track's first frame applies at once, each later one is
// reached over (its frame id - the previous one's) x the unit time with its
// easing; rotation turns by the difference between frames. All tracks run
// together; a looping animation starts again when all have ended. Files are
// known by their base name (after the last '/').

#include <rapidjson/fwd.h>

#include <map>
#include <string>
#include <vector>

#include "UIWidget.h"

NS_CC_EXT_BEGIN

enum ActionTrack { kTrackMove, kTrackScale, kTrackRotate, kTrackFade, kTrackTint, kTrackCount };

struct ActionFrame {
  int frameIndex = 0;
  int tweenType = 0;
  std::vector<float> tweenParameters;
  // Per track: x, y (move and scale), degrees (rotate), opacity (fade), r, g, b (tint).
  float values[3] = {0, 0, 0};
};

class ActionNode : public CCObject {
 public:
  ~ActionNode() override;
  int getActionTag() const { return m_nActionTag; }
  void setActionTag(int tag) { m_nActionTag = tag; }
  // The widget the node moves (retained); null when none has its tag.
  ui::Widget* getWidget() const { return m_pWidget; }
  void setWidget(ui::Widget* widget);
  std::vector<ActionFrame>& frames(ActionTrack track) { return m_frames[track]; }
  // Seconds from the first frame to the last of any track.
  float getDuration(float unitTime) const;
  void play(float unitTime);
  void stop();
  bool isRunning() const;

 private:
  CCFiniteTimeAction* trackAction(ActionTrack track, float unitTime);
  int m_nActionTag = 0;
  ui::Widget* m_pWidget = nullptr;
  CCAction* m_pRunning = nullptr;  // retained
  std::vector<ActionFrame> m_frames[kTrackCount];
};

class ActionObject : public CCObject {
 public:
  ActionObject();
  ~ActionObject() override;
  void setName(const char* name) { m_strName = name ? name : ""; }
  const char* getName() const { return m_strName.c_str(); }
  void setLoop(bool loop) { m_bLoop = loop; }
  bool getLoop() const { return m_bLoop; }
  void setUnitTime(float t) { m_fUnitTime = t; }
  float getUnitTime() const { return m_fUnitTime; }
  void addActionNode(ActionNode* node);
  const std::vector<ActionNode*>& getActionNodes() const { return m_nodes; }
  float getTotalTime() const;

  // Stops, applies the state at time 0 and starts every track; `done`
  // (retained until it runs) is called when a non-looping play ends.
  void play();
  void play(CCCallFunc* done);
  void stop();
  bool isPlaying() const { return m_bPlaying; }
  void update(float dt) override;

 private:
  std::string m_strName;
  bool m_bLoop = false;
  float m_fUnitTime = 0.1f;
  bool m_bPlaying = false;
  float m_fElapsed = 0;
  std::vector<ActionNode*> m_nodes;  // retained
  CCCallFunc* m_pDone = nullptr;
};

class ActionManager : public CCObject {
 public:
  ~ActionManager() override;
  static ActionManager* shareManager();
  static void purgeActionManager();

  // Reads the "animation" section of a layout file, binding to widgets under root.
  void initWithDictionary(const char* jsonName, const rapidjson::Value& dic, ui::Widget* root);

  // Null when unknown (logged).
  ActionObject* getActionByName(const char* jsonName, const char* actionName);
  ActionObject* playActionByName(const char* jsonName, const char* actionName);
  ActionObject* playActionByName(const char* jsonName, const char* actionName, CCCallFunc* func);
  void releaseActions();

 private:
  static std::string baseName(const char* path);
  std::map<std::string, std::vector<ActionObject*>> m_actions;  // retained
};

NS_CC_EXT_END

#endif
