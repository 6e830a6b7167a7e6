#ifndef KEST_UI_BUTTON_H
#define KEST_UI_BUTTON_H

// Buttons and check boxes.
//
// A button shows its normal picture, the pressed one while pressed (or
// setBrightStyle(BRIGHT_HIGHLIGHT)) and the disabled one when not bright; a
// state whose picture was never given shows the normal picture. Its title is
// centred on its box. Check boxes: pressing shows the selected background;
// a release over the box flips the state and sends SELECTED (0) or
// UNSELECTED (1) after the touch event; setSelectedState sends nothing.

#include "UIWidget.h"

NS_CC_BEGIN
class CCLabelTTF;
namespace ui {

class Button : public Widget {
 public:
  Button();
  static Button* create();
  bool init() override;
  std::string getDescription() const override { return "Button"; }

  void loadTextures(const char* normal, const char* selected, const char* disabled,
                    TextureResType texType = UI_TEX_TYPE_LOCAL);
  void loadTextureNormal(const char* normal, TextureResType texType = UI_TEX_TYPE_LOCAL);
  void loadTexturePressed(const char* selected, TextureResType texType = UI_TEX_TYPE_LOCAL);
  void loadTextureDisabled(const char* disabled, TextureResType texType = UI_TEX_TYPE_LOCAL);
  void setCapInsets(const CCRect& capInsets);
  void setScale9Enabled(bool able);
  bool isScale9Enabled() const { return m_bScale9Enabled; }
  void setPressedActionEnabled(bool enabled) { m_bPressedActionEnabled = enabled; }

  void setTitleText(const std::string& text);
  const char* getTitleText() const;
  void setTitleColor(const ccColor3B& color);
  const ccColor3B& getTitleColor() const;
  void setTitleFontSize(float size);
  float getTitleFontSize() const;
  void setTitleFontName(const char* fontName);
  const char* getTitleFontName() const;

  void setAnchorPoint(const CCPoint& pt) override;
  void setFlipX(bool flipX) override;
  void setFlipY(bool flipY) override;
  CCSize getVirtualRendererSize() const override { return m_normalTextureSize; }
  // The picture shown now: 0 normal, 1 pressed, 2 disabled (tests).
  int getShownPicture() const { return m_nShown; }
  const std::string& getNormalFileName() const { return m_strNormal; }

 protected:
  void onSizeChanged() override;
  void onPressStateChangedToNormal() override;
  void onPressStateChangedToPressed() override;
  void onPressStateChangedToDisabled() override;
  Widget* createCloneInstance() override;
  void copySpecialProperties(Widget* model) override;
  void show(int which);
  void fitRenderer(CCNode* renderer, const CCSize& textureSize);

  CCNode* m_pictures[3] = {nullptr, nullptr, nullptr};
  std::string m_strNormal, m_strPressed, m_strDisabled;
  CCSize m_normalTextureSize, m_pressedTextureSize, m_disabledTextureSize;
  CCLabelTTF* m_pTitle = nullptr;
  bool m_bScale9Enabled = false;
  bool m_bPressedActionEnabled = false;
  CCRect m_capInsets;
  int m_nShown = 0;
};

enum CheckBoxEventType { CHECKBOX_STATE_EVENT_SELECTED, CHECKBOX_STATE_EVENT_UNSELECTED };
typedef void (CCObject::*SEL_SelectedStateEvent)(CCObject*, CheckBoxEventType);
#define checkboxselectedeventselector(_SELECTOR) (::cocos2d::ui::SEL_SelectedStateEvent)(&_SELECTOR)

class CheckBox : public Widget {
 public:
  CheckBox();
  static CheckBox* create();
  bool init() override;
  std::string getDescription() const override { return "CheckBox"; }

  void loadTextures(const char* backGround, const char* backGroundSelected, const char* cross,
                    const char* backGroundDisabled, const char* frontCrossDisabled,
                    TextureResType texType = UI_TEX_TYPE_LOCAL);
  void loadTextureBackGround(const char* name, TextureResType texType = UI_TEX_TYPE_LOCAL);
  void loadTextureBackGroundSelected(const char* name, TextureResType texType = UI_TEX_TYPE_LOCAL);
  void loadTextureFrontCross(const char* name, TextureResType texType = UI_TEX_TYPE_LOCAL);
  void loadTextureBackGroundDisabled(const char* name, TextureResType texType = UI_TEX_TYPE_LOCAL);
  void loadTextureFrontCrossDisabled(const char* name, TextureResType texType = UI_TEX_TYPE_LOCAL);

  // Sets the state without any event.
  void setSelectedState(bool selected);
  bool getSelectedState() const { return m_bSelected; }
  void addEventListenerCheckBox(CCObject* target, SEL_SelectedStateEvent selector);

  void onTouchEnded(CCTouch* touch, CCEvent* event) override;
  void setAnchorPoint(const CCPoint& pt) override;
  CCSize getVirtualRendererSize() const override { return m_backGroundTextureSize; }

 protected:
  enum { kBack, kBackSelected, kCross, kBackDisabled, kCrossDisabled, kCount };
  void loadPicture(int which, const char* name);
  void onSizeChanged() override;
  void onPressStateChangedToNormal() override;
  void onPressStateChangedToPressed() override;
  void onPressStateChangedToDisabled() override;
  Widget* createCloneInstance() override;
  void copySpecialProperties(Widget* model) override;
  void updateVisibility();

  CCNode* m_pictures[kCount] = {};
  std::string m_names[kCount];
  CCSize m_backGroundTextureSize;
  bool m_bSelected = false;
  int m_nPress = 0;  // 0 normal, 1 pressed, 2 disabled
  CCObject* m_pSelectedStateEventListener = nullptr;
  SEL_SelectedStateEvent m_pfnSelectedStateEventSelector = nullptr;
};

}  // namespace ui
NS_CC_END

#endif
