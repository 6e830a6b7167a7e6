#ifndef KEST_CC_CONTROL_BUTTON_H
#define KEST_CC_CONTROL_BUTTON_H

// A button: a nine-slice background and a title, each chosen per state
// (a state without its own falls back to the normal one).
//
// Touch down highlights it (zooming to 1.1 unless zoom is off) and sends
// TouchDown; moves send drag enter/inside/exit/outside; the end sends
// TouchUpInside or TouchUpOutside. While running, the button follows the
// "Cursor" notification: with the pointer over it (enabled, touch enabled,
// shown with all its parents, not pressed) its state is hover (16).
//
// Preferred size: zero lets the background follow the title plus margins;
// otherwise every background takes the preferred size. The same background
// sprite may serve several states.

#include <map>
#include <string>

#include "CCControl.h"
#include "CCScale9Sprite.h"

NS_CC_EXT_BEGIN

#define CCControlButtonMarginLR 8
#define CCControlButtonMarginTB 2

class CCControlButton : public CCControl {
 public:
  CCControlButton();
  ~CCControlButton() override;

  static CCControlButton* create();
  static CCControlButton* create(CCNode* label, CCScale9Sprite* backgroundSprite);
  static CCControlButton* create(std::string title, const char* fontName, float fontSize);
  static CCControlButton* create(CCScale9Sprite* sprite);

  bool init() override;
  virtual bool initWithLabelAndBackgroundSprite(CCNode* label, CCScale9Sprite* backgroundSprite);
  virtual bool initWithTitleAndFontNameAndFontSize(std::string title, const char* fontName, float fontSize);
  virtual bool initWithBackgroundSprite(CCScale9Sprite* sprite);

  void needsLayout() override;
  void setEnabled(bool enabled) override;
  void setSelected(bool enabled) override;
  void setHighlighted(bool enabled) override;

  // Titles.
  virtual CCString* getTitleForState(CCControlState state);
  virtual void setTitleForState(CCString* title, CCControlState state);
  virtual const ccColor3B getTitleColorForState(CCControlState state);
  virtual void setTitleColorForState(ccColor3B color, CCControlState state);
  virtual CCNode* getTitleLabelForState(CCControlState state);
  virtual void setTitleLabelForState(CCNode* label, CCControlState state);
  virtual void setTitleTTFForState(const char* fntFile, CCControlState state);
  virtual const char* getTitleTTFForState(CCControlState state);
  virtual void setTitleTTFSizeForState(float size, CCControlState state);
  virtual float getTitleTTFSizeForState(CCControlState state);

  // Backgrounds.
  virtual CCScale9Sprite* getBackgroundSpriteForState(CCControlState state);
  virtual void setBackgroundSpriteForState(CCScale9Sprite* sprite, CCControlState state);
  virtual void setBackgroundSpriteFrameForState(CCSpriteFrame* spriteFrame, CCControlState state);

  // Layout.
  virtual void setPreferredSize(CCSize size);
  virtual CCSize getPreferredSize() { return m_preferredSize; }
  virtual void setAdjustBackgroundImage(bool adjust);
  virtual bool doesAdjustBackgroundImage() { return m_doesAdjustBackgroundImage; }
  virtual void setMargins(int marginH, int marginV);
  int getHorizontalOrigin() const { return m_marginH; }
  int getVerticalMargin() const { return m_marginV; }
  virtual void setLabelAnchorPoint(CCPoint anchor);
  virtual CCPoint getLabelAnchorPoint() { return m_labelAnchorPoint; }
  virtual bool getZoomOnTouchDown() { return m_zoomOnTouchDown; }
  virtual void setZoomOnTouchDown(bool on) { m_zoomOnTouchDown = on; }

  // What is shown now.
  CCNode* getTitleLabel() { return m_titleLabel; }
  void setTitleLabel(CCNode* label);
  CCScale9Sprite* getBackgroundSprite() { return m_backgroundSprite; }
  void setBackgroundSprite(CCScale9Sprite* sprite);
  CCString* getCurrentTitle() { return m_currentTitle; }
  const ccColor3B& getCurrentTitleColor() const { return m_currentTitleColor; }
  bool isPushed() const { return m_isPushed; }
  bool isHovered() const { return m_eState == CCControlStateHover; }

  void setOpacity(unsigned char opacity) override;
  void setColor(const ccColor3B& color) override;

  void onEnter() override;
  void onExit() override;
  bool ccTouchBegan(CCTouch* pTouch, CCEvent* pEvent) override;
  void ccTouchMoved(CCTouch* pTouch, CCEvent* pEvent) override;
  void ccTouchEnded(CCTouch* pTouch, CCEvent* pEvent) override;
  void ccTouchCancelled(CCTouch* pTouch, CCEvent* pEvent) override;

  // The "Cursor" observer (public so tests and hosts can feed a point).
  void onCursor(CCObject* pointObject);

 protected:
  template <class T>
  static void setForState(std::map<CCControlState, T*>& table, T* value, CCControlState state);
  template <class T>
  static T* forState(const std::map<CCControlState, T*>& table, CCControlState state);
  bool isBackgroundUsed(CCScale9Sprite* sprite) const;
  bool worldPointInside(const CCPoint& world);
  void updateHover();
  void zoomTo(float scale);

  bool m_bParentInited = false;
  bool m_isPushed = false;
  bool m_zoomOnTouchDown = true;
  bool m_doesAdjustBackgroundImage = true;
  bool m_bHaveCursor = false;
  CCPoint m_cursorWorld;
  CCSize m_preferredSize;
  CCPoint m_labelAnchorPoint{0.5f, 0.5f};
  int m_marginH = CCControlButtonMarginLR;
  int m_marginV = CCControlButtonMarginTB;

  CCString* m_currentTitle = nullptr;
  ccColor3B m_currentTitleColor{255, 255, 255};
  CCNode* m_titleLabel = nullptr;
  CCScale9Sprite* m_backgroundSprite = nullptr;

  // Retained per state.
  std::map<CCControlState, CCString*> m_titles;
  std::map<CCControlState, ccColor3B> m_titleColors;
  std::map<CCControlState, CCNode*> m_titleLabels;
  std::map<CCControlState, CCScale9Sprite*> m_backgrounds;
};

NS_CC_EXT_END

#endif
