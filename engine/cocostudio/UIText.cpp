#include "UIText.h"

#include <algorithm>

#include "UILayout.h"

NS_CC_BEGIN
namespace ui {

namespace {
// UTF-8 helpers: characters, not bytes, count for lengths and deletes.
int utf8Length(const std::string& s) {
  int n = 0;
  for (unsigned char c : s)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}
std::string utf8Prefix(const std::string& s, int chars) {
  size_t i = 0;
  for (int n = 0; i < s.size(); ++i) {
    if (((unsigned char)s[i] & 0xC0) != 0x80) {
      if (n == chars) break;
      ++n;
    }
  }
  return s.substr(0, i);
}
int clampFontSize(int size) { return std::min(std::max(size, 1), 256); }
}  // namespace

// --- Label ------------------------------------------------------------------

Label* Label::create() {
  return ccCreateWith<Label>([](Label* l) { return l->init(); });
}

bool Label::init() {
  m_pLabel = CCLabelTTF::create("", "Arial", 20);
  if (!Widget::init()) return false;
  addRenderer(m_pLabel);
  textChanged();
  return true;
}

Widget* Label::createCloneInstance() { return Label::create(); }

CCSize Label::getVirtualRendererSize() const { return m_pLabel ? m_pLabel->getContentSize() : CCSizeZero; }

void Label::textChanged() {
  if (m_bIgnoreSize) m_size = getVirtualRendererSize();
  onSizeChanged();
}

void Label::setText(const std::string& text) {
  if (text == m_pLabel->getString()) return;
  m_pLabel->setString(text.c_str());
  textChanged();
}

const char* Label::getStringValue() const { return m_pLabel->getString(); }

int Label::getStringLength() const { return utf8Length(m_pLabel->getString()); }

void Label::setFontSize(int size) {
  m_nFontSize = clampFontSize(size);
  m_pLabel->setFontSize((float)m_nFontSize);
  textChanged();
}

void Label::setFontName(const std::string& name) {
  m_strFontName = name;
  m_pLabel->setFontName(name.c_str());
  textChanged();
}

void Label::setTextAreaSize(const CCSize& size) {
  m_pLabel->setDimensions(CCSize(std::max(size.width, 0.0f), std::max(size.height, 0.0f)));
  textChanged();
}

void Label::setTextHorizontalAlignment(CCTextAlignment alignment) {
  m_pLabel->setHorizontalAlignment(alignment);
  textChanged();
}

void Label::setTextVerticalAlignment(CCVerticalTextAlignment alignment) {
  m_pLabel->setVerticalAlignment(alignment);
  textChanged();
}

void Label::setFlipX(bool flipX) {
  Widget::setFlipX(flipX);
  m_pLabel->setFlipX(flipX);
}

void Label::setFlipY(bool flipY) {
  Widget::setFlipY(flipY);
  m_pLabel->setFlipY(flipY);
}

void Label::onSizeChanged() {
  if (!m_pLabel) return;
  m_pLabel->setAnchorPoint(m_obAnchorPoint);
  uiFitRenderer(m_pLabel, getVirtualRendererSize(), m_size, m_bIgnoreSize);
}

void Label::onPressStateChangedToNormal() {
  if (m_bTouchScaleChangeEnabled) onSizeChanged();
}

void Label::onPressStateChangedToPressed() {
  if (m_bTouchScaleChangeEnabled && m_pLabel) m_pLabel->setScale(m_pLabel->getScale() * 1.2f);
}

void Label::copySpecialProperties(Widget* widget) {
  Label* model = dynamic_cast<Label*>(widget);
  if (!model) return;
  setFontName(model->m_strFontName);
  setFontSize(model->m_nFontSize);
  setTextAreaSize(model->m_pLabel->getDimensions());
  setTextHorizontalAlignment(model->m_pLabel->getHorizontalAlignment());
  setTextVerticalAlignment(model->m_pLabel->getVerticalAlignment());
  setText(model->getStringValue());
  m_pLabel->setColor(model->m_pLabel->getColor());
  m_bTouchScaleChangeEnabled = model->m_bTouchScaleChangeEnabled;
}

// --- LabelAtlas -------------------------------------------------------------

LabelAtlas* LabelAtlas::create() {
  return ccCreateWith<LabelAtlas>([](LabelAtlas* l) { return l->init(); });
}

bool LabelAtlas::init() { return Widget::init(); }

Widget* LabelAtlas::createCloneInstance() { return LabelAtlas::create(); }

void LabelAtlas::setProperty(const std::string& stringValue, const std::string& charMapFile, int itemWidth,
                             int itemHeight, const std::string& startCharMap) {
  m_strCharMapFile = charMapFile;
  m_nItemWidth = std::min(std::max(itemWidth, 1), 4096);
  m_nItemHeight = std::min(std::max(itemHeight, 1), 4096);
  m_strStartCharMap = startCharMap;
  unsigned int start = startCharMap.empty() ? '0' : (unsigned char)startCharMap[0];
  CCLabelAtlas* atlas = CCLabelAtlas::create(stringValue.c_str(), charMapFile.c_str(), (unsigned)m_nItemWidth,
                                             (unsigned)m_nItemHeight, start);
  CCNode* slot = m_pAtlas;
  replaceRenderer(slot, atlas);
  m_pAtlas = atlas;
  if (m_bIgnoreSize) m_size = getVirtualRendererSize();
  onSizeChanged();
}

void LabelAtlas::setStringValue(const std::string& value) {
  if (!m_pAtlas) return;
  m_pAtlas->setString(value.c_str());
  if (m_bIgnoreSize) m_size = getVirtualRendererSize();
  onSizeChanged();
}

const char* LabelAtlas::getStringValue() const { return m_pAtlas ? m_pAtlas->getString() : ""; }

CCSize LabelAtlas::getVirtualRendererSize() const { return m_pAtlas ? m_pAtlas->getContentSize() : CCSizeZero; }

void LabelAtlas::onSizeChanged() {
  if (!m_pAtlas) return;
  m_pAtlas->setAnchorPoint(m_obAnchorPoint);
  uiFitRenderer(m_pAtlas, getVirtualRendererSize(), m_size, m_bIgnoreSize);
}

void LabelAtlas::copySpecialProperties(Widget* widget) {
  LabelAtlas* model = dynamic_cast<LabelAtlas*>(widget);
  if (!model || !model->m_pAtlas) return;
  setProperty(model->getStringValue(), model->m_strCharMapFile, model->m_nItemWidth, model->m_nItemHeight,
              model->m_strStartCharMap);
}

// --- TextField --------------------------------------------------------------

static TextField* s_attached = nullptr;

TextField::~TextField() {
  if (s_attached == this) s_attached = nullptr;
}

TextField* TextField::create() {
  return ccCreateWith<TextField>([](TextField* t) { return t->init(); });
}

bool TextField::init() {
  m_pLabel = CCLabelTTF::create("", "Arial", 20);
  if (!Widget::init()) return false;
  addRenderer(m_pLabel);
  setTouchEnabled(true);
  refresh();
  return true;
}

Widget* TextField::createCloneInstance() { return TextField::create(); }

TextField* TextField::getAttached() { return s_attached; }

const char* TextField::getShownText() const { return m_pLabel->getString(); }

void TextField::refresh() {
  std::string shown;
  if (m_strText.empty()) {
    shown = m_strPlaceHolder;
  } else if (m_bPasswordEnabled) {
    for (int i = utf8Length(m_strText); i > 0; --i) shown += m_strPasswordStyle;
  } else {
    shown = m_strText;
  }
  if (shown != m_pLabel->getString()) m_pLabel->setString(shown.c_str());
  // The placeholder shows grey.
  m_pLabel->setColor(m_strText.empty() ? ccc3(127, 127, 127) : ccWHITE);
  applyRGBA(m_pLabel);
  m_pLabel->setAnchorPoint(m_obAnchorPoint);
  if (m_bIgnoreSize) m_size = getVirtualRendererSize();
}

CCSize TextField::getVirtualRendererSize() const { return m_pLabel ? m_pLabel->getContentSize() : CCSizeZero; }

void TextField::setText(const std::string& text) {
  m_strText = m_bMaxLengthEnabled ? utf8Prefix(text, m_nMaxLength) : text;
  refresh();
}

void TextField::setPlaceHolder(const std::string& value) {
  m_strPlaceHolder = value;
  refresh();
}

void TextField::setFontSize(int size) {
  m_pLabel->setFontSize((float)clampFontSize(size));
  refresh();
}

void TextField::setFontName(const std::string& name) {
  m_pLabel->setFontName(name.c_str());
  refresh();
}

void TextField::setMaxLengthEnabled(bool enable) {
  m_bMaxLengthEnabled = enable;
  setText(m_strText);
}

void TextField::setMaxLength(int length) {
  m_nMaxLength = std::max(length, 0);
  setText(m_strText);
}

void TextField::setPasswordEnabled(bool enable) {
  m_bPasswordEnabled = enable;
  refresh();
}

void TextField::setPasswordStyleText(const char* styleText) {
  if (!styleText || !*styleText) return;
  m_strPasswordStyle = utf8Prefix(styleText, 1);
  refresh();
}

void TextField::setTouchSize(const CCSize& size) {
  m_bTouchSizeSet = true;
  m_touchSize = size;
}

void TextField::addEventListenerTextField(CCObject* target, SEL_TextFieldEvent selector) {
  m_pEventListener = target;
  m_pfnEventSelector = selector;
}

void TextField::sendEvent(TextFiledEventType type) {
  if (m_pEventListener && m_pfnEventSelector) (m_pEventListener->*m_pfnEventSelector)(this, type);
}

void TextField::attachWithIME() {
  if (s_attached == this) return;
  if (s_attached) s_attached->didNotSelectSelf();
  s_attached = this;
  sendEvent(TEXTFIELD_EVENT_ATTACH_WITH_IME);
}

void TextField::didNotSelectSelf() {
  if (s_attached != this) return;
  s_attached = nullptr;
  sendEvent(TEXTFIELD_EVENT_DETACH_WITH_IME);
}

void TextField::insertText(const char* utf8) {
  if (!utf8 || !*utf8) return;
  std::string add = utf8;
  if (m_bMaxLengthEnabled) add = utf8Prefix(add, std::max(0, m_nMaxLength - utf8Length(m_strText)));
  if (add.empty()) return;
  m_strText += add;
  refresh();
  sendEvent(TEXTFIELD_EVENT_INSERT_TEXT);
}

void TextField::deleteBackward() {
  if (m_strText.empty()) return;
  m_strText = utf8Prefix(m_strText, utf8Length(m_strText) - 1);
  refresh();
  sendEvent(TEXTFIELD_EVENT_DELETE_BACKWARD);
}

bool TextField::hitTest(const CCPoint& worldPoint) {
  if (!m_bTouchSizeSet) return Widget::hitTest(worldPoint);
  CCPoint p = convertToNodeSpace(worldPoint);
  CCRect box(-m_touchSize.width * m_obAnchorPoint.x, -m_touchSize.height * m_obAnchorPoint.y, m_touchSize.width,
             m_touchSize.height);
  return box.containsPoint(p);
}

bool TextField::onTouchBegan(CCTouch* touch, CCEvent* event) {
  bool taken = Widget::onTouchBegan(touch, event);
  if (m_bHitted) attachWithIME();
  return taken;
}

void TextField::onExit() {
  didNotSelectSelf();
  Widget::onExit();
}

void TextField::copySpecialProperties(Widget* widget) {
  TextField* model = dynamic_cast<TextField*>(widget);
  if (!model) return;
  m_pLabel->setFontName(model->m_pLabel->getFontName());
  m_pLabel->setFontSize(model->m_pLabel->getFontSize());
  m_bMaxLengthEnabled = model->m_bMaxLengthEnabled;
  m_nMaxLength = model->m_nMaxLength;
  m_bPasswordEnabled = model->m_bPasswordEnabled;
  m_strPasswordStyle = model->m_strPasswordStyle;
  m_bTouchSizeSet = model->m_bTouchSizeSet;
  m_touchSize = model->m_touchSize;
  m_strPlaceHolder = model->m_strPlaceHolder;
  setText(model->m_strText);
}

}  // namespace ui
NS_CC_END
