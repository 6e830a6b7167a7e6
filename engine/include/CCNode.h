#ifndef KEST_CC_NODE_H
#define KEST_CC_NODE_H

// The scene-graph node: children ordered by z then arrival, a 2D transform
// (position, anchor, scale, rotation, skew), visibility, tags, user data,
// actions and scheduled selectors, and a clip rectangle for its subtree.

#include <vector>

#include "CCAffineTransform.h"
#include "CCArray.h"
#include "CCProtocols.h"
#include "CCRenderer.h"

NS_CC_BEGIN

class CCScheduler;
class CCActionManager;
class CCAction;
class CCTouch;
class CCCamera;

enum { kCCNodeTagInvalid = -1 };
enum {
  kCCNodeOnEnter,
  kCCNodeOnExit,
  kCCNodeOnEnterTransitionDidFinish,
  kCCNodeOnExitTransitionDidStart,
  kCCNodeOnCleanup
};

// Any change that shows on screen calls this, so an unchanged frame is not
// drawn again. It also has every subtree record its draws anew; a change of
// one node calls CCNode::markForRedraw instead, and the subtrees that did not
// change give the draws they gave before.
void ccSetNeedsRedraw();
// How many times ccSetNeedsRedraw was called (draws kept before are of no use after it).
unsigned int ccRedrawEpoch();
// A frame is to be drawn (no draws kept before are dropped).
void ccSetFrameNeeded();

class CCNode : public CCObject {
 public:
  CCNode();
  ~CCNode() override;

  static CCNode* create();
  virtual bool init();
  const char* description();

  // Tree.
  virtual void addChild(CCNode* child);
  virtual void addChild(CCNode* child, int zOrder);
  virtual void addChild(CCNode* child, int zOrder, int tag);
  CCNode* getChildByTag(int tag);
  virtual CCArray* getChildren() { return m_pChildren; }
  unsigned int getChildrenCount() const { return m_pChildren ? m_pChildren->count() : 0; }
  virtual void setParent(CCNode* parent) { m_pParent = parent; }
  virtual CCNode* getParent() { return m_pParent; }
  virtual void removeFromParent();
  virtual void removeFromParentAndCleanup(bool cleanup);
  virtual void removeChild(CCNode* child);
  virtual void removeChild(CCNode* child, bool cleanup);
  virtual void removeChildByTag(int tag);
  virtual void removeChildByTag(int tag, bool cleanup);
  virtual void removeAllChildren();
  virtual void removeAllChildrenWithCleanup(bool cleanup);
  // Moves the child to z; among equal z it goes last.
  virtual void reorderChild(CCNode* child, int zOrder);
  virtual void sortAllChildren();

  // Geometry.
  virtual void setZOrder(int zOrder);
  virtual void _setZOrder(int z) { m_nZOrder = z; }
  virtual int getZOrder() { return m_nZOrder; }
  virtual void setVertexZ(float z) { m_fVertexZ = z; }
  virtual float getVertexZ() { return m_fVertexZ; }
  virtual void setScaleX(float fScaleX);
  virtual float getScaleX() { return m_fScaleX; }
  virtual void setScaleY(float fScaleY);
  virtual float getScaleY() { return m_fScaleY; }
  virtual void setScale(float scale);
  virtual void setScale(float fScaleX, float fScaleY);
  virtual float getScale();
  virtual void setPosition(const CCPoint& position);
  virtual void setPosition(float x, float y) { setPosition(CCPoint(x, y)); }
  virtual const CCPoint& getPosition() { return m_obPosition; }
  virtual void getPosition(float* x, float* y);
  virtual void setPositionX(float x) { setPosition(CCPoint(x, m_obPosition.y)); }
  virtual float getPositionX() { return m_obPosition.x; }
  virtual void setPositionY(float y) { setPosition(CCPoint(m_obPosition.x, y)); }
  virtual float getPositionY() { return m_obPosition.y; }
  virtual void setSkewX(float fSkewX);
  virtual float getSkewX() { return m_fSkewX; }
  virtual void setSkewY(float fSkewY);
  virtual float getSkewY() { return m_fSkewY; }
  virtual void setAnchorPoint(const CCPoint& anchorPoint);
  virtual const CCPoint& getAnchorPoint() { return m_obAnchorPoint; }
  virtual const CCPoint& getAnchorPointInPoints() { return m_obAnchorPointInPoints; }
  virtual void setContentSize(const CCSize& contentSize);
  virtual const CCSize& getContentSize() const { return m_obContentSize; }
  virtual void setVisible(bool visible);
  virtual bool isVisible() { return m_bVisible; }
  // Degrees, clockwise.
  virtual void setRotation(float fRotation);
  virtual float getRotation() { return m_fRotationX; }
  virtual void setRotationX(float fRotaionX);
  virtual float getRotationX() { return m_fRotationX; }
  virtual void setRotationY(float fRotationY);
  virtual float getRotationY() { return m_fRotationY; }
  virtual void ignoreAnchorPointForPosition(bool ignore);
  virtual bool isIgnoreAnchorPointForPosition() { return m_bIgnoreAnchorPointForPosition; }
  // Made on first use; a moved camera turns the node in 3D (CCCamera.h).
  virtual CCCamera* getCamera();

  virtual void setTag(int nTag) { m_nTag = nTag; }
  virtual int getTag() const { return m_nTag; }
  virtual void* getUserData() { return m_pUserData; }
  virtual void setUserData(void* pUserData) { m_pUserData = pUserData; }
  virtual CCObject* getUserObject() { return m_pUserObject; }
  // Retained.
  virtual void setUserObject(CCObject* pUserObject);
  virtual void setOrderOfArrival(unsigned int uOrderOfArrival) { m_uOrderOfArrival = uOrderOfArrival; }
  virtual unsigned int getOrderOfArrival() { return m_uOrderOfArrival; }

  // Life cycle. onEnter resumes the node's actions and selectors, onExit pauses them.
  virtual bool isRunning() { return m_bRunning; }
  virtual void onEnter();
  virtual void onEnterTransitionDidFinish();
  virtual void onExit();
  virtual void onExitTransitionDidStart();
  // Stops actions and unschedules selectors, recursively.
  virtual void cleanup();

  // Drawing. visit() applies the transform and clip, draws children with
  // z < 0, then draw(), then the rest. A subtree that has not changed since
  // the last frame, drawn from the same place, gives the draws it gave then.
  virtual void draw() {}
  virtual void visit();
  // The node changed how it shows: it and its ancestors record their draws
  // anew in the next frame (every setter calls it; so must a draw() that
  // changes without one).
  void markForRedraw();
  // Checks the marks: each subtree that would give its draws again records
  // them anew and must record the same, or the program ends naming the node's
  // class. On when the environment has KEST_HEADLESS (tests) or
  // KEST_CHECK_REDRAW=1, off with KEST_CHECK_REDRAW=0.
  static void setCheckKeptDraws(bool on);
  static bool isCheckingKeptDraws();
  // Multiplies the renderer's current transform by this node's.
  void transform();
  // Clip the subtree to a rectangle in this node's space (drawn with the
  // node's transform, as its axis-aligned bounds on screen).
  void setClipRect(const CCRect& rectInNode);
  void clearClipRect();
  bool hasClipRect() const { return m_bHasClipRect; }
  const CCRect& getClipRect() const { return m_obClipRect; }
  CCRect boundingBox();

  // Actions.
  virtual void setActionManager(CCActionManager* actionManager);
  virtual CCActionManager* getActionManager() { return m_pActionManager; }
  CCAction* runAction(CCAction* action);
  void stopAllActions();
  void stopAction(CCAction* action);
  void stopActionByTag(int tag);
  CCAction* getActionByTag(int tag);
  unsigned int numberOfRunningActions();

  // Scheduler. Selectors scheduled before the node runs start paused and
  // resume in onEnter.
  virtual void setScheduler(CCScheduler* scheduler);
  virtual CCScheduler* getScheduler() { return m_pScheduler; }
  bool isScheduled(SEL_SCHEDULE selector);
  void scheduleUpdate();
  void scheduleUpdateWithPriority(int priority);
  void unscheduleUpdate();
  // Runs repeat + 1 times (kCCRepeatForever: without end), first after delay.
  void schedule(SEL_SCHEDULE selector, float interval, unsigned int repeat, float delay);
  void schedule(SEL_SCHEDULE selector, float interval);
  void schedule(SEL_SCHEDULE selector);
  void scheduleOnce(SEL_SCHEDULE selector, float delay);
  void unschedule(SEL_SCHEDULE selector);
  void unscheduleAllSelectors();
  void resumeSchedulerAndActions();
  void pauseSchedulerAndActions();
  void update(float) override {}

  // Transforms. Node space has its origin at the bottom-left of the content box.
  virtual CCAffineTransform nodeToParentTransform();
  virtual CCAffineTransform parentToNodeTransform();
  virtual CCAffineTransform nodeToWorldTransform();
  virtual CCAffineTransform worldToNodeTransform();
  CCPoint convertToNodeSpace(const CCPoint& worldPoint);
  CCPoint convertToWorldSpace(const CCPoint& nodePoint);
  CCPoint convertToNodeSpaceAR(const CCPoint& worldPoint);
  CCPoint convertToWorldSpaceAR(const CCPoint& nodePoint);
  CCPoint convertTouchToNodeSpace(CCTouch* touch);
  CCPoint convertTouchToNodeSpaceAR(CCTouch* touch);

 protected:
  void childrenAlloc();
  void insertChild(CCNode* child, int z);
  void detachChild(CCNode* child, bool doCleanup);
  void markTransformDirty();
  // A retained copy of the children, for walks that may change the list.
  void snapshotChildren(std::vector<CCNode*>& out);
  static void releaseSnapshot(std::vector<CCNode*>& nodes);

  float m_fRotationX = 0;
  float m_fRotationY = 0;
  float m_fScaleX = 1;
  float m_fScaleY = 1;
  float m_fVertexZ = 0;
  CCPoint m_obPosition;
  float m_fSkewX = 0;
  float m_fSkewY = 0;
  CCPoint m_obAnchorPointInPoints;
  CCPoint m_obAnchorPoint;
  CCSize m_obContentSize;
  CCCamera* m_pCamera = nullptr;
  CCAffineTransform m_sTransform;
  CCAffineTransform m_sInverse;
  bool m_bTransformDirty = true;
  bool m_bInverseDirty = true;
  int m_nZOrder = 0;
  CCArray* m_pChildren = nullptr;
  CCNode* m_pParent = nullptr;
  int m_nTag = kCCNodeTagInvalid;
  void* m_pUserData = nullptr;
  CCObject* m_pUserObject = nullptr;
  CCScheduler* m_pScheduler = nullptr;
  CCActionManager* m_pActionManager = nullptr;
  bool m_bRunning = false;
  bool m_bVisible = true;
  bool m_bIgnoreAnchorPointForPosition = false;
  bool m_bReorderChildDirty = false;
  unsigned int m_uOrderOfArrival = 0;
  bool m_bHasClipRect = false;
  CCRect m_obClipRect;
  // A node whose draw() shows nodes that are not its children (which do not
  // mark it when they change) keeps no draws, nor do its ancestors.
  bool m_bDrawsOthers = false;

 private:
  // The draws this subtree recorded in a frame, and where from.
  struct KeptDraws {
    uint64_t frame = 0;  // 0: none
    uint32_t first = 0, count = 0;
    unsigned int epoch = 0;
    CCRenderer::DrawPlace place;
    // Where they start in the parent's draws, and which walk of the parent
    // recorded them: given again with the parent's, they lie there still.
    uint32_t offset = 0;
    unsigned int parentWalk = 0;
  };
  KeptDraws m_kept;
  unsigned int m_uWalks = 0;
  void noteKept(uint64_t frame, uint32_t first);
  bool m_bRedrawMarked = true;
};

// A node with colour and opacity (see CCRGBAProtocol: no cascade by default).
class CCNodeRGBA : public CCNode, public CCRGBAProtocol {
 public:
  CCNodeRGBA();
  static CCNodeRGBA* create();
  bool init() override;

  unsigned char getOpacity() override { return m_cRealOpacity; }
  unsigned char getDisplayedOpacity() override { return m_cDisplayedOpacity; }
  void setOpacity(unsigned char opacity) override;
  void updateDisplayedOpacity(unsigned char parentOpacity) override;
  bool isCascadeOpacityEnabled() override { return m_bCascadeOpacityEnabled; }
  void setCascadeOpacityEnabled(bool enabled) override { m_bCascadeOpacityEnabled = enabled; }
  const ccColor3B& getColor() override { return m_tRealColor; }
  const ccColor3B& getDisplayedColor() override { return m_tDisplayedColor; }
  void setColor(const ccColor3B& color) override;
  void updateDisplayedColor(const ccColor3B& parentColor) override;
  bool isCascadeColorEnabled() override { return m_bCascadeColorEnabled; }
  void setCascadeColorEnabled(bool enabled) override { m_bCascadeColorEnabled = enabled; }
  void setOpacityModifyRGB(bool) override {}
  bool isOpacityModifyRGB() override { return false; }

 protected:
  unsigned char m_cDisplayedOpacity = 255;
  unsigned char m_cRealOpacity = 255;
  ccColor3B m_tDisplayedColor;
  ccColor3B m_tRealColor;
  bool m_bCascadeColorEnabled = false;
  bool m_bCascadeOpacityEnabled = false;
};

// Helpers shared by RGBA nodes: propagate to children that speak CCRGBAProtocol.
void ccCascadeOpacity(CCNode* node, unsigned char displayed);
void ccCascadeColor(CCNode* node, const ccColor3B& displayed);
// The colour and opacity rules every RGBA node shares (CCNodeRGBA, CCLayerRGBA, extension nodes).
void ccRGBASetOpacity(CCNode* self, unsigned char& real, unsigned char& displayed, bool cascade, unsigned char opacity);
void ccRGBAUpdateOpacity(CCNode* self, unsigned char real, unsigned char& displayed, bool cascade,
                         unsigned char parentOpacity);
void ccRGBASetColor(CCNode* self, ccColor3B& real, ccColor3B& displayed, bool cascade, const ccColor3B& color);
void ccRGBAUpdateColor(CCNode* self, const ccColor3B& real, ccColor3B& displayed, bool cascade,
                       const ccColor3B& parentColor);

NS_CC_END

#endif
