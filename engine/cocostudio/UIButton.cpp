#include "UIButton.h"

#include "CCScale9Sprite.h"
#include "UILayout.h"

NS_CC_BEGIN
namespace ui {

static const int kPressedZoomTag = 0x0b770001;

// --- Button -----------------------------------------------------------------

Button::Button() {}

Button* Button::create() {
  return ccCreateWith<Button>([](Button* b) { return b->init(); });
}

bool Button::init() {
  if (!Widget::init()) return false;
  m_pTitle = CCLabelTTF::create("", "Arial", 14);
  addRenderer(m_pTitle, 1);
  setTouchEnabled(true);
  return true;
}

Widget* Button::createCloneInstance() { return Button::create(); }

void Button::loadTextures(const char* normal, const char* selected, const char* disabled, TextureResType t) {
  loadTextureNormal(normal, t);
  loadTexturePressed(selected, t);
  loadTextureDisabled(disabled, t);
}

void Button::loadTextureNormal(const char* name, TextureResType) {
  if (!name || !*name) return;
  m_strNormal = name;
  replaceRenderer(m_pictures[0], uiMakePicture(m_strNormal, m_bScale9Enabled, m_capInsets, &m_normalTextureSize));
  if (m_bIgnoreSize) m_size = m_normalTextureSize;
  onSizeChanged();
  show(m_nShown);
}

void Button::loadTexturePressed(const char* name, TextureResType) {
  if (!name || !*name) return;
  m_strPressed = name;
  replaceRenderer(m_pictures[1], uiMakePicture(m_strPressed, m_bScale9Enabled, m_capInsets, &m_pressedTextureSize));
  onSizeChanged();
  show(m_nShown);
}

void Button::loadTextureDisabled(const char* name, TextureResType) {
  if (!name || !*name) return;
  m_strDisabled = name;
  replaceRenderer(m_pictures[2], uiMakePicture(m_strDisabled, m_bScale9Enabled, m_capInsets, &m_disabledTextureSize));
  onSizeChanged();
  show(m_nShown);
}

void Button::setScale9Enabled(bool able) {
  if (m_bScale9Enabled == able) return;
  m_bScale9Enabled = able;
  std::string n = m_strNormal, p = m_strPressed, d = m_strDisabled;
  for (CCNode*& r : m_pictures) {
    if (r) removeRenderer(r);
    r = nullptr;
  }
  loadTextures(n.c_str(), p.c_str(), d.c_str());
  // A nine-slice button takes the size it is given.
  ignoreContentAdaptWithSize(!able && m_bIgnoreSize);
}

void Button::setCapInsets(const CCRect& capInsets) {
  m_capInsets = capInsets;
  for (CCNode* r : m_pictures)
    if (auto* s9 = dynamic_cast<extension::CCScale9Sprite*>(r)) s9->setCapInsets(capInsets);
}

void Button::fitRenderer(CCNode* renderer, const CCSize& textureSize) {
  uiFitRenderer(renderer, textureSize, m_size, m_bIgnoreSize);
}

void Button::onSizeChanged() {
  fitRenderer(m_pictures[0], m_normalTextureSize);
  fitRenderer(m_pictures[1], m_pressedTextureSize);
  fitRenderer(m_pictures[2], m_disabledTextureSize);
  for (CCNode* r : m_pictures)
    if (r) r->setAnchorPoint(m_obAnchorPoint);
  if (m_pTitle)
    m_pTitle->setPosition(
        CCPoint(m_size.width * (0.5f - m_obAnchorPoint.x), m_size.height * (0.5f - m_obAnchorPoint.y)));
}

void Button::setAnchorPoint(const CCPoint& pt) {
  Widget::setAnchorPoint(pt);
  if (m_pTitle) m_pTitle->setAnchorPoint(CCPoint(0.5f, 0.5f));
  onSizeChanged();
}

void Button::setFlipX(bool flipX) {
  Widget::setFlipX(flipX);
  for (CCNode* r : m_pictures)
    if (CCSprite* s = dynamic_cast<CCSprite*>(r)) s->setFlipX(flipX);
}

void Button::setFlipY(bool flipY) {
  Widget::setFlipY(flipY);
  for (CCNode* r : m_pictures)
    if (CCSprite* s = dynamic_cast<CCSprite*>(r)) s->setFlipY(flipY);
}

void Button::show(int which) {
  m_nShown = which;
  // A state without its own picture shows the normal one.
  int picture = m_pictures[which] ? which : 0;
  for (int i = 0; i < 3; ++i)
    if (m_pictures[i]) m_pictures[i]->setVisible(i == picture);
}

void Button::onPressStateChangedToNormal() {
  show(0);
  if (m_bPressedActionEnabled)
    for (CCNode* r : m_pictures)
      if (r) {
        r->stopActionByTag(kPressedZoomTag);
        r->setScale(1);
      }
  onSizeChanged();
}

void Button::onPressStateChangedToPressed() {
  show(1);
  if (m_bPressedActionEnabled && m_pictures[1]) {
    CCAction* zoom = CCScaleTo::create(0.05f, m_pictures[1]->getScaleX() * 1.1f, m_pictures[1]->getScaleY() * 1.1f);
    zoom->setTag(kPressedZoomTag);
    m_pictures[1]->runAction(zoom);
  }
}

void Button::onPressStateChangedToDisabled() { show(2); }

void Button::setTitleText(const std::string& text) {
  if (m_pTitle) m_pTitle->setString(text.c_str());
}

const char* Button::getTitleText() const { return m_pTitle ? m_pTitle->getString() : ""; }

void Button::setTitleColor(const ccColor3B& color) {
  if (m_pTitle) {
    m_pTitle->setColor(color);
    applyRGBA(m_pTitle);
  }
}

const ccColor3B& Button::getTitleColor() const { return m_pTitle ? m_pTitle->getColor() : ccWHITE; }

void Button::setTitleFontSize(float size) {
  if (m_pTitle) m_pTitle->setFontSize(size);
}

float Button::getTitleFontSize() const { return m_pTitle ? m_pTitle->getFontSize() : 0; }

void Button::setTitleFontName(const char* fontName) {
  if (m_pTitle) m_pTitle->setFontName(fontName);
}

const char* Button::getTitleFontName() const { return m_pTitle ? m_pTitle->getFontName() : ""; }

void Button::copySpecialProperties(Widget* widget) {
  Button* model = dynamic_cast<Button*>(widget);
  if (!model) return;
  m_bPressedActionEnabled = model->m_bPressedActionEnabled;
  m_capInsets = model->m_capInsets;
  m_bScale9Enabled = model->m_bScale9Enabled;
  loadTextures(model->m_strNormal.c_str(), model->m_strPressed.c_str(), model->m_strDisabled.c_str());
  setTitleText(model->getTitleText());
  setTitleFontName(model->getTitleFontName());
  setTitleFontSize(model->getTitleFontSize());
  setTitleColor(model->getTitleColor());
}

// --- CheckBox ---------------------------------------------------------------

CheckBox::CheckBox() {}

CheckBox* CheckBox::create() {
  return ccCreateWith<CheckBox>([](CheckBox* c) { return c->init(); });
}

bool CheckBox::init() {
  if (!Widget::init()) return false;
  setTouchEnabled(true);
  m_bSelected = false;
  return true;
}

Widget* CheckBox::createCloneInstance() { return CheckBox::create(); }

void CheckBox::loadTextures(const char* backGround, const char* backGroundSelected, const char* cross,
                            const char* backGroundDisabled, const char* frontCrossDisabled, TextureResType) {
  loadPicture(kBack, backGround);
  loadPicture(kBackSelected, backGroundSelected);
  loadPicture(kCross, cross);
  loadPicture(kBackDisabled, backGroundDisabled);
  loadPicture(kCrossDisabled, frontCrossDisabled);
}

void CheckBox::loadTextureBackGround(const char* n, TextureResType) { loadPicture(kBack, n); }
void CheckBox::loadTextureBackGroundSelected(const char* n, TextureResType) { loadPicture(kBackSelected, n); }
void CheckBox::loadTextureFrontCross(const char* n, TextureResType) { loadPicture(kCross, n); }
void CheckBox::loadTextureBackGroundDisabled(const char* n, TextureResType) { loadPicture(kBackDisabled, n); }
void CheckBox::loadTextureFrontCrossDisabled(const char* n, TextureResType) { loadPicture(kCrossDisabled, n); }

void CheckBox::loadPicture(int which, const char* name) {
  if (!name || !*name) return;
  m_names[which] = name;
  CCSize size;
  // The cross draws over the background.
  int z = which == kCross || which == kCrossDisabled ? 1 : 0;
  replaceRenderer(m_pictures[which], uiMakePicture(m_names[which], false, CCRectZero, &size), z);
  if (which == kBack) {
    m_backGroundTextureSize = size;
    if (m_bIgnoreSize) m_size = size;
  }
  onSizeChanged();
  updateVisibility();
}

void CheckBox::onSizeChanged() {
  const CCSize& t = m_backGroundTextureSize;
  for (CCNode* r : m_pictures) {
    if (!r) continue;
    r->setAnchorPoint(m_obAnchorPoint);
    uiFitRenderer(r, t, m_size, m_bIgnoreSize);
  }
}

void CheckBox::setAnchorPoint(const CCPoint& pt) {
  Widget::setAnchorPoint(pt);
  onSizeChanged();
}

void CheckBox::updateVisibility() {
  auto set = [&](int i, bool v) {
    if (m_pictures[i]) m_pictures[i]->setVisible(v);
  };
  bool disabled = m_nPress == 2;
  bool pressed = m_nPress == 1 && m_pictures[kBackSelected];
  bool disabledBack = disabled && m_pictures[kBackDisabled];
  set(kBack, !pressed && !disabledBack);
  set(kBackSelected, pressed);
  set(kBackDisabled, disabledBack);
  bool disabledCross = disabled && m_pictures[kCrossDisabled];
  set(kCross, m_bSelected && !disabledCross);
  set(kCrossDisabled, m_bSelected && disabledCross);
}

void CheckBox::onPressStateChangedToNormal() {
  m_nPress = 0;
  updateVisibility();
}

void CheckBox::onPressStateChangedToPressed() {
  m_nPress = 1;
  updateVisibility();
}

void CheckBox::onPressStateChangedToDisabled() {
  m_nPress = 2;
  updateVisibility();
}

void CheckBox::setSelectedState(bool selected) {
  if (selected == m_bSelected) return;
  m_bSelected = selected;
  updateVisibility();
}

void CheckBox::addEventListenerCheckBox(CCObject* target, SEL_SelectedStateEvent selector) {
  m_pSelectedStateEventListener = target;
  m_pfnSelectedStateEventSelector = selector;
}

void CheckBox::onTouchEnded(CCTouch* touch, CCEvent* event) {
  bool over = m_bFocus;
  // The listeners may release the box: keep it for the rest of this call.
  retain();
  Widget::onTouchEnded(touch, event);
  if (over) {
    setSelectedState(!m_bSelected);
    if (m_pSelectedStateEventListener && m_pfnSelectedStateEventSelector)
      (m_pSelectedStateEventListener->*m_pfnSelectedStateEventSelector)(
          this, m_bSelected ? CHECKBOX_STATE_EVENT_SELECTED : CHECKBOX_STATE_EVENT_UNSELECTED);
  }
  release();
}

void CheckBox::copySpecialProperties(Widget* widget) {
  CheckBox* model = dynamic_cast<CheckBox*>(widget);
  if (!model) return;
  for (int i = 0; i < kCount; ++i) loadPicture(i, model->m_names[i].c_str());
  setSelectedState(model->m_bSelected);
}

}  // namespace ui
NS_CC_END
