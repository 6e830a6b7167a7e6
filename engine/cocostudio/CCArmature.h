#ifndef KEST_CC_ARMATURE_H
#define KEST_CC_ARMATURE_H

// CocoStudio skeletal animation (cocos2d::extension).
//
// CCArmatureDataManager reads ".ExportJson" files: armatures (bones with a
// bind pose and display pictures), their animations (movements of key
// frames per bone) and picture pivots; the sheets the file names are loaded
// into the frame cache. CCArmature::create(name) builds the armature whose
// position is the armature's own origin, posed at the first frame of its
// first movement; getAnimation()->play(name) runs a movement.
//
// Time runs at 60 frames a second times the movement's speed and the speed
// scale. Play blends from the current pose to the movement's first key over
// its durationTo frames, then plays passes of durationTween frames sampling
// key time (duration - 1) x progress, easing between keys; a looping
// movement repeats, another stops on its last pose. Bones the movement does
// not name are hidden. -1 (and easing 10000) take the file's values.
//
// An armature asks for a redraw only when what it draws changed. Between
// held keys (tweenFrame false, or a tween between equal poses), and once
// stopped, paused or done, it tells the scheduler how long it will change
// nothing, so a waiting program sleeps until its next key.
// Nested armatures and particle displays are not drawn (logged once).
//
// A missing or malformed file logs a line and adds nothing; an unknown
// armature name gives an empty armature; an unknown movement name is logged
// and changes nothing.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "ExtensionMacros.h"

NS_CC_EXT_BEGIN

// --- data -------------------------------------------------------------------

struct CCBaseData {
  float x = 0, y = 0;
  int zOrder = 0;
  float scaleX = 1, scaleY = 1;
  float skewX = 0, skewY = 0;  // radians, clockwise-positive
  bool isUseColorInfo = false;
  int a = 255, r = 255, g = 255, b = 255;
};

enum DisplayType { CS_DISPLAY_SPRITE, CS_DISPLAY_ARMATURE, CS_DISPLAY_PARTICLE };

struct CCDisplayData {
  DisplayType displayType = CS_DISPLAY_SPRITE;
  std::string displayName;  // frame name, ".png" added
  CCBaseData skinData;
};

struct CCBoneData : CCBaseData {
  std::string name;
  std::string parentName;
  std::vector<CCDisplayData> displayDataList;
};

struct CCFrameData : CCBaseData {
  int frameID = 0;
  int displayIndex = 0;  // -1: nothing shown
  int tweenEasing = 0;
  std::vector<float> easingParams;
  bool isTween = true;
  std::string strEvent;
};

struct CCMovementBoneData {
  std::string name;
  float delay = 0;
  std::vector<CCFrameData> frameList;  // by frame index
};

struct CCMovementData {
  std::string name;
  int duration = 0;
  float scale = 1;
  int durationTo = 0;
  int durationTween = 0;
  bool loop = true;
  int tweenEasing = 0;
  std::map<std::string, CCMovementBoneData> movBoneDataDic;
  const CCMovementBoneData* getMovementBoneData(const std::string& bone) const;
};

class CCArmatureData : public CCObject {
 public:
  std::string name;
  float dataVersion = 0.1f;
  std::vector<CCBoneData> boneDataList;
  const CCBoneData* getBoneData(const std::string& bone) const;
};

class CCAnimationData : public CCObject {
 public:
  std::string name;
  std::vector<std::string> movementNames;  // in file order
  std::map<std::string, CCMovementData> movementDataDic;
  const CCMovementData* getMovement(const std::string& movement) const;
  int getMovementCount() const { return (int)movementNames.size(); }
};

struct CCTextureData {
  std::string name;
  float width = 0, height = 0;
  float pivotX = 0.5f, pivotY = 0.5f;
};

class CCArmatureDataManager : public CCObject {
 public:
  static CCArmatureDataManager* sharedArmatureDataManager();
  static void purge();

  // Loads the file once (a path already loaded is skipped).
  void addArmatureFileInfo(const char* configFilePath);
  // With the sheet given explicitly.
  void addArmatureFileInfo(const char* imagePath, const char* plistPath, const char* configFilePath);
  // The same from the file's bytes (fuzzing and tests); false when nothing was read.
  bool addArmatureFileData(const char* data, size_t size, const char* configFilePath);
  void removeArmatureFileInfo(const char* configFilePath);

  CCArmatureData* getArmatureData(const char* id);
  CCAnimationData* getAnimationData(const char* id);
  const CCTextureData* getTextureData(const char* id);

 private:
  ~CCArmatureDataManager() override;
  std::map<std::string, CCArmatureData*> m_armatures;    // retained
  std::map<std::string, CCAnimationData*> m_animations;  // retained
  std::map<std::string, CCTextureData> m_textures;
  std::set<std::string> m_loaded;
  std::map<std::string, std::vector<std::string>> m_namesByFile;
};

// --- runtime ----------------------------------------------------------------

class CCArmature;

// One bone of a running armature: its current pose and display.
class CCBone : public CCObject {
 public:
  const std::string& getName() const { return m_name; }
  CCBone* getParentBone() const { return m_pParent; }
  int getDisplayIndex() const { return m_nDisplayIndex; }
  void changeDisplayWithIndex(int index, bool force);
  // The sprite shown now, or null.
  CCNode* getDisplayRenderNode() const;
  // Position, scale and skew relative to the bind pose, as the animation set them.
  const CCBaseData& getTweenData() const { return m_pose; }
  // The bone's transform in armature space (origin = the armature's origin).
  const CCAffineTransform& getNodeToArmatureTransform() const { return m_world; }
  int getZOrder() const { return m_data ? m_data->zOrder + m_pose.zOrder : 0; }

 private:
  friend class CCArmature;
  friend class CCArmatureAnimation;
  ~CCBone() override;
  std::string m_name;
  const CCBoneData* m_data = nullptr;
  CCBone* m_pParent = nullptr;
  std::vector<CCSprite*> m_displays;  // retained; null for displays not drawn
  int m_nDisplayIndex = -1;
  CCBaseData m_pose;      // relative to the bind pose
  CCBaseData m_fromPose;  // where a blend started
  int m_lastKey = -1;     // the key last reached (frame events)
  CCAffineTransform m_world = CCAffineTransformIdentity;
};

enum MovementEventType { START, COMPLETE, LOOP_COMPLETE };
typedef void (CCObject::*SEL_MovementEventCallFunc)(CCArmature*, MovementEventType, const char*);
typedef void (CCObject::*SEL_FrameEventCallFunc)(CCBone*, const char*, int, int);
#define movementEvent_selector(_SELECTOR) (::cocos2d::extension::SEL_MovementEventCallFunc)(&_SELECTOR)
#define frameEvent_selector(_SELECTOR) (::cocos2d::extension::SEL_FrameEventCallFunc)(&_SELECTOR)

class CCArmatureAnimation : public CCObject {
 public:
  void play(const char* movementName, int durationTo = -1, int durationTween = -1, int loop = -1,
            int tweenEasing = 10000);
  void playByIndex(int animationIndex, int durationTo = -1, int durationTween = -1, int loop = -1,
                   int tweenEasing = 10000);
  void playWithIndex(int animationIndex, int durationTo = -1, bool loop = true);
  // Jumps to a frame of the current movement and plays on from it.
  void gotoAndPlay(int frameIndex);
  void gotoAndPause(int frameIndex);
  void pause();
  void resume();
  void stop();
  void setSpeedScale(float speedScale);
  float getSpeedScale() const { return m_fSpeedScale; }
  void setAnimationScale(float s) { setSpeedScale(s); }

  int getMovementCount() const;
  std::string getCurrentMovementID() const { return m_movementID; }
  int getCurrentFrameIndex() const;
  bool isPlaying() const { return m_bPlaying && !m_bPause; }
  bool isPause() const { return m_bPause; }
  bool isComplete() const { return m_bComplete; }
  CCAnimationData* getAnimationData() const { return m_pAnimationData; }
  // Seconds (of the armature's clock, speed applied) until the pose can
  // change or an event is due: 0 while it changes every frame (a blend, a
  // tween between different poses), infinity when it never will.
  float getTimeToNextChange() const;

  // Targets are not retained.
  void setMovementEventCallFunc(CCObject* target, SEL_MovementEventCallFunc callFunc);
  void setFrameEventCallFunc(CCObject* target, SEL_FrameEventCallFunc callFunc);

  void update(float dt) override;

 private:
  friend class CCArmature;
  ~CCArmatureAnimation() override;
  enum Phase { kIdle, kBlend, kPass };
  void poseAt(float progress, bool fireEvents);
  void movementEvent(MovementEventType type);
  // The armature's update runs again at the next frame (its quiet time is over).
  void wake();

  CCArmature* m_pArmature = nullptr;            // the owner
  CCAnimationData* m_pAnimationData = nullptr;  // retained
  const CCMovementData* m_pMovement = nullptr;
  std::string m_movementID;
  Phase m_ePhase = kIdle;
  float m_fFrames = 0;  // frames into the phase
  int m_nDurationTo = 0;
  int m_nDurationTween = 0;
  bool m_bLoop = false;
  int m_nTweenEasing = 0;
  float m_fSpeedScale = 1;
  float m_fProgress = 0;
  bool m_bPlaying = false;
  bool m_bPause = false;
  bool m_bComplete = false;
  unsigned int m_uGeneration = 0;  // changes with every play, so a callback that plays stops the caller
  CCObject* m_pMovementTarget = nullptr;
  SEL_MovementEventCallFunc m_pfnMovement = nullptr;
  CCObject* m_pFrameTarget = nullptr;
  SEL_FrameEventCallFunc m_pfnFrame = nullptr;
};

class CCArmature : public CCNodeRGBA, public CCBlendProtocol {
 public:
  CCArmature();
  ~CCArmature() override;
  static CCArmature* create();
  static CCArmature* create(const char* name);
  bool init() override;
  virtual bool init(const char* name);

  CCArmatureAnimation* getAnimation() { return m_pAnimation; }
  const std::string& getName() const { return m_strName; }
  CCArmatureData* getArmatureData() const { return m_pArmatureData; }
  // Null when the armature has no such bone.
  CCBone* getBone(const char* name) const;
  const std::vector<CCBone*>& getBones() const { return m_bones; }
  // The box of what is drawn now, in the parent's space.
  CCRect getBoundingBox();

  void onEnter() override;
  void onExit() override;
  void update(float dt) override;
  void draw() override;
  void setBlendFunc(ccBlendFunc blendFunc) override { m_blendFunc = blendFunc; }
  ccBlendFunc getBlendFunc() override { return m_blendFunc; }
  void updateDisplayedColor(const ccColor3B& parentColor) override;
  void updateDisplayedOpacity(unsigned char parentOpacity) override;
  void setColor(const ccColor3B& color) override;
  void setOpacity(unsigned char opacity) override;

  // Recomputes the bones' transforms and the displays' colours (after a pose change).
  void updateBones();

 private:
  CCAffineTransform displayTransform(CCBone* bone, bool withOffset) const;
  CCRect poseBounds();
  void updateOffsetPoint();
  void updateColours();

  std::string m_strName;
  CCArmatureData* m_pArmatureData = nullptr;  // retained
  CCArmatureAnimation* m_pAnimation = nullptr;
  std::vector<CCBone*> m_bones;  // retained, parents before children
  std::vector<CCBone*> m_drawOrder;
  CCPoint m_offset;
  ccBlendFunc m_blendFunc{CC_BLEND_SRC, CC_BLEND_DST};
};

NS_CC_EXT_END

#endif
