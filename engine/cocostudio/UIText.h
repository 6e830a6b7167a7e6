#ifndef KEST_UI_TEXT_H
#define KEST_UI_TEXT_H

// Text widgets: Label (a TTF label; its size is the text's unless given a
// text area), LabelAtlas (digits from a picture of cells) and TextField.
//
// A text field shows its placeholder while empty and '*' per character in
// password mode; a touch on it attaches it (one field at a time). Whatever
// delivers keyboard input calls TextField::getAttached() and then
// insertText / deleteBackward on it; text beyond the maximum length is cut.

#include "UIWidget.h"

NS_CC_BEGIN
class CCLabelTTF;
class CCLabelAtlas;
namespace ui {

class Label : public Widget {
 public:
  static Label* create();
  bool init() override;
  std::string getDescription() const override { return "Label"; }

  void setText(const std::string& text);
  const char* getStringValue() const;
  int getStringLength() const;
  void setFontSize(int size);
  int getFontSize() const { return m_nFontSize; }
  void setFontName(const std::string& name);
  const std::string& getFontName() const { return m_strFontName; }
  void setTextAreaSize(const CCSize& size);
  void setTextHorizontalAlignment(CCTextAlignment alignment);
  void setTextVerticalAlignment(CCVerticalTextAlignment alignment);
  void setTouchScaleChangeEnabled(bool enabled) { m_bTouchScaleChangeEnabled = enabled; }
  bool isTouchScaleChangeEnabled() const { return m_bTouchScaleChangeEnabled; }
  void setFlipX(bool flipX) override;
  void setFlipY(bool flipY) override;
  CCSize getVirtualRendererSize() const override;
  CCLabelTTF* getVirtualRenderer() const { return m_pLabel; }

 protected:
  void onSizeChanged() override;
  void onPressStateChangedToNormal() override;
  void onPressStateChangedToPressed() override;
  void textChanged();
  Widget* createCloneInstance() override;
  void copySpecialProperties(Widget* model) override;

  CCLabelTTF* m_pLabel = nullptr;
  int m_nFontSize = 20;
  std::string m_strFontName = "Arial";
  bool m_bTouchScaleChangeEnabled = false;
};

class LabelAtlas : public Widget {
 public:
  static LabelAtlas* create();
  bool init() override;
  std::string getDescription() const override { return "LabelAtlas"; }

  // The first character of startCharMap is the glyph of cell 0.
  void setProperty(const std::string& stringValue, const std::string& charMapFile, int itemWidth, int itemHeight,
                   const std::string& startCharMap);
  void setStringValue(const std::string& value);
  const char* getStringValue() const;
  CCSize getVirtualRendererSize() const override;

 protected:
  void onSizeChanged() override;
  Widget* createCloneInstance() override;
  void copySpecialProperties(Widget* model) override;

  CCLabelAtlas* m_pAtlas = nullptr;
  std::string m_strCharMapFile;
  int m_nItemWidth = 0, m_nItemHeight = 0;
  std::string m_strStartCharMap;
};

enum TextFiledEventType {
  TEXTFIELD_EVENT_ATTACH_WITH_IME,
  TEXTFIELD_EVENT_DETACH_WITH_IME,
  TEXTFIELD_EVENT_INSERT_TEXT,
  TEXTFIELD_EVENT_DELETE_BACKWARD,
};
typedef void (CCObject::*SEL_TextFieldEvent)(CCObject*, TextFiledEventType);
#define textfieldeventselector(_SELECTOR) (::cocos2d::ui::SEL_TextFieldEvent)(&_SELECTOR)

class TextField : public Widget {
 public:
  ~TextField() override;
  static TextField* create();
  bool init() override;
  std::string getDescription() const override { return "TextField"; }

  void setText(const std::string& text);
  const char* getStringValue() const { return m_strText.c_str(); }
  void setPlaceHolder(const std::string& value);
  const char* getPlaceHolder() const { return m_strPlaceHolder.c_str(); }
  void setFontSize(int size);
  void setFontName(const std::string& name);
  void setMaxLengthEnabled(bool enable);
  bool isMaxLengthEnabled() const { return m_bMaxLengthEnabled; }
  // Characters (not bytes).
  void setMaxLength(int length);
  int getMaxLength() const { return m_nMaxLength; }
  void setPasswordEnabled(bool enable);
  bool isPasswordEnabled() const { return m_bPasswordEnabled; }
  void setPasswordStyleText(const char* styleText);
  void setTouchSize(const CCSize& size);
  void addEventListenerTextField(CCObject* target, SEL_TextFieldEvent selector);

  // Keyboard input.
  static TextField* getAttached();
  void attachWithIME();
  void didNotSelectSelf();
  void insertText(const char* utf8);
  void deleteBackward();

  bool onTouchBegan(CCTouch* touch, CCEvent* event) override;
  bool hitTest(const CCPoint& worldPoint) override;
  void onExit() override;
  CCSize getVirtualRendererSize() const override;
  // What is drawn (placeholder, text or mask).
  const char* getShownText() const;

 protected:
  void refresh();
  void sendEvent(TextFiledEventType type);
  Widget* createCloneInstance() override;
  void copySpecialProperties(Widget* model) override;

  CCLabelTTF* m_pLabel = nullptr;
  std::string m_strText;
  std::string m_strPlaceHolder;
  std::string m_strPasswordStyle = "*";
  bool m_bMaxLengthEnabled = false;
  int m_nMaxLength = 10;
  bool m_bPasswordEnabled = false;
  bool m_bTouchSizeSet = false;
  CCSize m_touchSize;
  CCObject* m_pEventListener = nullptr;
  SEL_TextFieldEvent m_pfnEventSelector = nullptr;
};

}  // namespace ui
NS_CC_END

#endif
