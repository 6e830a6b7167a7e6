#ifndef KEST_CC_LAYER_H
#define KEST_CC_LAYER_H

#include "CCKeypadDispatcher.h"
#include "CCNode.h"
#include "CCTouchDelegateProtocol.h"

NS_CC_BEGIN

enum ccTouchesMode { kCCTouchesAllAtOnce, kCCTouchesOneByOne };

// A full-window node that can take touches and keys. While running and touch
// enabled it is registered with the touch dispatcher (registerWithTouchDispatcher).
class CCLayer : public CCNode, public CCTouchDelegate, public CCKeypadDelegate {
 public:
  CCLayer();
  ~CCLayer() override;
  CREATE_FUNC(CCLayer)
  bool init() override;

  void onEnter() override;
  void onExit() override;
  void onEnterTransitionDidFinish() override;

  // Default: claims every touch (override to decide).
  bool ccTouchBegan(CCTouch* pTouch, CCEvent* pEvent) override;

  virtual void registerWithTouchDispatcher();
  virtual bool isTouchEnabled() { return m_bTouchEnabled; }
  virtual void setTouchEnabled(bool value);
  virtual void setTouchMode(ccTouchesMode mode);
  virtual int getTouchMode() { return m_eTouchMode; }
  // Re-registers when already registered.
  virtual void setTouchPriority(int priority);
  virtual int getTouchPriority() { return m_nTouchPriority; }
  virtual bool isKeypadEnabled() { return m_bKeypadEnabled; }
  virtual void setKeypadEnabled(bool value);
  virtual bool isAccelerometerEnabled() { return false; }
  virtual void setAccelerometerEnabled(bool) {}

 protected:
  bool m_bTouchEnabled = false;
  bool m_bKeypadEnabled = false;
  int m_nTouchPriority = 0;
  ccTouchesMode m_eTouchMode = kCCTouchesAllAtOnce;
};

class CCLayerRGBA : public CCLayer, public CCRGBAProtocol {
 public:
  CREATE_FUNC(CCLayerRGBA)
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
  unsigned char m_cDisplayedOpacity = 255, m_cRealOpacity = 255;
  ccColor3B m_tDisplayedColor{255, 255, 255}, m_tRealColor{255, 255, 255};
  bool m_bCascadeOpacityEnabled = false, m_bCascadeColorEnabled = false;
};

// A layer filled with one colour.
class CCLayerColor : public CCLayerRGBA, public CCBlendProtocol {
 public:
  CCLayerColor();
  static CCLayerColor* create();
  static CCLayerColor* create(const ccColor4B& color);
  static CCLayerColor* create(const ccColor4B& color, float width, float height);
  bool init() override;
  virtual bool initWithColor(const ccColor4B& color);
  virtual bool initWithColor(const ccColor4B& color, float width, float height);

  void changeWidth(float w);
  void changeHeight(float h);
  void changeWidthAndHeight(float w, float h);
  void draw() override;
  void setBlendFunc(ccBlendFunc blendFunc) override { m_tBlendFunc = blendFunc; }
  ccBlendFunc getBlendFunc() override { return m_tBlendFunc; }

 protected:
  ccBlendFunc m_tBlendFunc;
};

NS_CC_END

#endif
