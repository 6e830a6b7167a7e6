#include "UILayout.h"

#include <cmath>

#include "CCScale9Sprite.h"

NS_CC_BEGIN
namespace ui {

CCNode* uiMakePicture(const std::string& name, bool scale9, const CCRect& capInsets, CCSize* textureSize) {
  if (textureSize) *textureSize = CCSizeZero;
  if (name.empty()) return nullptr;
  CCSpriteFrame* frame = CCResolvePicture(name.c_str());
  if (!frame) return nullptr;
  if (textureSize) *textureSize = frame->getOriginalSize();
  if (scale9) return extension::CCScale9Sprite::createWithSpriteFrame(frame, capInsets);
  return CCSprite::createWithSpriteFrame(frame);
}

void uiFitRenderer(CCNode* renderer, const CCSize& textureSize, const CCSize& size, bool ignoreSize) {
  if (!renderer) return;
  if (auto* s9 = dynamic_cast<extension::CCScale9Sprite*>(renderer)) {
    s9->setPreferredSize(ignoreSize ? textureSize : size);
    return;
  }
  if (ignoreSize || textureSize.width <= 0 || textureSize.height <= 0) {
    renderer->setScale(1);
    return;
  }
  renderer->setScaleX(size.width / textureSize.width);
  renderer->setScaleY(size.height / textureSize.height);
}

// --- parameters -------------------------------------------------------------

LayoutParameter* LayoutParameter::create() {
  LayoutParameter* p = new LayoutParameter();
  p->autorelease();
  return p;
}

LayoutParameter* LayoutParameter::clone() {
  LayoutParameter* p = create();
  p->m_margin = m_margin;
  return p;
}

LinearLayoutParameter* LinearLayoutParameter::create() {
  LinearLayoutParameter* p = new LinearLayoutParameter();
  p->autorelease();
  return p;
}

LayoutParameter* LinearLayoutParameter::clone() {
  LinearLayoutParameter* p = create();
  p->m_margin = m_margin;
  p->m_eGravity = m_eGravity;
  return p;
}

// --- Layout -----------------------------------------------------------------

Layout::Layout() { m_eWidgetType = WidgetTypeContainer; }

Layout::~Layout() {}

Layout* Layout::create() {
  return ccCreateWith<Layout>([](Layout* l) { return l->init(); });
}

bool Layout::init() {
  if (!Widget::init()) return false;
  ignoreContentAdaptWithSize(false);
  setSize(CCSizeZero);
  setBright(true);
  setAnchorPoint(CCPointZero);
  return true;
}

Widget* Layout::createCloneInstance() { return Layout::create(); }

void Layout::addChild(CCNode* child) { addChild(child, child ? child->getZOrder() : 0); }

void Layout::addChild(CCNode* child, int zOrder) { addChild(child, zOrder, child ? child->getTag() : 0); }

void Layout::addChild(CCNode* child, int zOrder, int tag) {
  Widget::addChild(child, zOrder, tag);
  if (m_eLayoutType != LAYOUT_ABSOLUTE) doLayout();
}

void Layout::onSizeChanged() {
  CCNodeRGBA::setContentSize(m_size);
  if (m_bClippingEnabled) setClipRect(CCRect(0, 0, m_size.width, m_size.height));
  updateBackGroundImage();
  CCObject* obj = nullptr;
  CCARRAY_FOREACH(getChildren(), obj) {
    if (Widget* w = dynamic_cast<Widget*>(obj)) w->updateSizeAndPosition();
  }
  if (m_eLayoutType != LAYOUT_ABSOLUTE) doLayout();
  ccSetNeedsRedraw();
}

void Layout::setClippingEnabled(bool enabled) {
  m_bClippingEnabled = enabled;
  if (enabled)
    setClipRect(CCRect(0, 0, m_size.width, m_size.height));
  else
    clearClipRect();
}

void Layout::setLayoutType(LayoutType type) {
  m_eLayoutType = type;
  if (type == LAYOUT_RELATIVE) {
    static bool logged = false;
    if (!logged) CCLog("Layout: relative layouts are not placed; children keep their positions");
    logged = true;
  }
  doLayout();
}

// --- background -------------------------------------------------------------

void Layout::setBackGroundImage(const char* fileName, TextureResType) {
  std::string name = fileName ? fileName : "";
  if (name.empty()) return;
  m_strBackGroundImageFileName = name;
  CCNode* image =
      uiMakePicture(name, m_bBackGroundScale9Enabled, m_backGroundImageCapInsets, &m_backGroundImageTextureSize);
  replaceRenderer(m_pBackGroundImage, image, -1);
  updateBackGroundImage();
}

void Layout::setBackGroundImageCapInsets(const CCRect& capInsets) {
  m_backGroundImageCapInsets = capInsets;
  if (auto* s9 = dynamic_cast<extension::CCScale9Sprite*>(m_pBackGroundImage)) s9->setCapInsets(capInsets);
}

void Layout::setBackGroundImageScale9Enabled(bool enabled) {
  if (m_bBackGroundScale9Enabled == enabled) return;
  m_bBackGroundScale9Enabled = enabled;
  if (!m_strBackGroundImageFileName.empty()) setBackGroundImage(m_strBackGroundImageFileName.c_str());
}

void Layout::removeBackGroundImage() {
  if (m_pBackGroundImage) removeRenderer(m_pBackGroundImage);
  m_pBackGroundImage = nullptr;
  m_strBackGroundImageFileName.clear();
  m_backGroundImageTextureSize = CCSizeZero;
}

void Layout::updateBackGroundImage() {
  if (!m_pBackGroundImage) return;
  m_pBackGroundImage->setAnchorPoint(CCPoint(0.5f, 0.5f));
  m_pBackGroundImage->setPosition(CCPoint(m_size.width / 2, m_size.height / 2));
  if (auto* s9 = dynamic_cast<extension::CCScale9Sprite*>(m_pBackGroundImage)) s9->setPreferredSize(m_size);
}

void Layout::setBackGroundColorType(LayoutBackGroundColorType type) {
  m_eColorType = type;
  ccSetNeedsRedraw();
}

void Layout::setBackGroundColor(const ccColor3B& color) {
  m_cColor = color;
  ccSetNeedsRedraw();
}

void Layout::setBackGroundColor(const ccColor3B& startColor, const ccColor3B& endColor) {
  m_gStartColor = startColor;
  m_gEndColor = endColor;
  ccSetNeedsRedraw();
}

void Layout::setBackGroundColorOpacity(int opacity) {
  m_nColorOpacity = std::min(std::max(opacity, 0), 255);
  ccSetNeedsRedraw();
}

static ccColor4B mixColor(const ccColor3B& s, const ccColor3B& e, float t, unsigned char a) {
  auto mix = [&](uint8_t x, uint8_t y) { return (uint8_t)std::lround(x + (y - x) * t); };
  return ccc4(mix(s.r, e.r), mix(s.g, e.g), mix(s.b, e.b), a);
}

void Layout::draw() {
  unsigned char a = (unsigned char)(m_nColorOpacity * m_cDisplayedOpacity / 255);
  ccBlendFunc blend{CC_BLEND_SRC, CC_BLEND_DST};
  CCRenderer* r = CCRenderer::sharedRenderer();
  if (m_eColorType == LAYOUT_COLOR_SOLID && a > 0) {
    r->drawSolidRect(CCPointZero, CCPoint(m_size.width, m_size.height), ccc4(m_cColor.r, m_cColor.g, m_cColor.b, a),
                     blend);
  } else if (m_eColorType == LAYOUT_COLOR_GRADIENT && a > 0) {
    // Corner colours as the engine's gradient layer spreads them along the vector.
    float len = std::sqrt(m_alongVector.x * m_alongVector.x + m_alongVector.y * m_alongVector.y);
    if (len > 0) {
      const float c = std::sqrt(2.0f);
      float ux = m_alongVector.x / len, uy = m_alongVector.y / len;
      ccV2F_C4B_T2F_Quad q;
      q.bl = {{0, 0}, mixColor(m_gStartColor, m_gEndColor, (c + ux + uy) / (2 * c), a), {0, 0}};
      q.br = {{m_size.width, 0}, mixColor(m_gStartColor, m_gEndColor, (c - ux + uy) / (2 * c), a), {0, 0}};
      q.tl = {{0, m_size.height}, mixColor(m_gStartColor, m_gEndColor, (c + ux - uy) / (2 * c), a), {0, 0}};
      q.tr = {{m_size.width, m_size.height}, mixColor(m_gStartColor, m_gEndColor, (c - ux - uy) / (2 * c), a), {0, 0}};
      r->drawQuad(nullptr, q, blend);
    }
  }
  Widget::draw();
}

// --- linear layout ----------------------------------------------------------

void Layout::doLayout() {
  if (m_eLayoutType != LAYOUT_LINEAR_VERTICAL && m_eLayoutType != LAYOUT_LINEAR_HORIZONTAL) return;
  float topBoundary = m_size.height, leftBoundary = 0;
  CCObject* obj = nullptr;
  CCARRAY_FOREACH(getChildren(), obj) {
    Widget* child = dynamic_cast<Widget*>(obj);
    if (!child) continue;
    LinearLayoutParameter* p = dynamic_cast<LinearLayoutParameter*>(child->getLayoutParameter());
    LinearGravity gravity = p ? p->getGravity() : LINEAR_GRAVITY_NONE;
    Margin mg = p ? p->getMargin() : Margin();
    CCPoint ap = child->getAnchorPoint();
    CCSize cs = child->getSize();
    float x, y;
    if (m_eLayoutType == LAYOUT_LINEAR_VERTICAL) {
      x = ap.x * cs.width;
      y = topBoundary - (1 - ap.y) * cs.height;
      if (gravity == LINEAR_GRAVITY_RIGHT) x = m_size.width - (1 - ap.x) * cs.width;
      if (gravity == LINEAR_GRAVITY_CENTER_HORIZONTAL) x = m_size.width / 2 - (0.5f - ap.x) * cs.width;
      x += mg.left;
      y -= mg.top;
      topBoundary = y - ap.y * cs.height - mg.bottom;
    } else {
      x = leftBoundary + ap.x * cs.width;
      y = m_size.height - (1 - ap.y) * cs.height;
      if (gravity == LINEAR_GRAVITY_BOTTOM) y = ap.y * cs.height;
      if (gravity == LINEAR_GRAVITY_CENTER_VERTICAL) y = m_size.height / 2 - (0.5f - ap.y) * cs.height;
      x += mg.left;
      y -= mg.top;
      leftBoundary = x + (1 - ap.x) * cs.width + mg.right;
    }
    child->CCNode::setPosition(CCPoint(x, y));
  }
}

void Layout::copySpecialProperties(Widget* widget) {
  Layout* model = dynamic_cast<Layout*>(widget);
  if (!model) return;
  setBackGroundImageScale9Enabled(model->m_bBackGroundScale9Enabled);
  setBackGroundImageCapInsets(model->m_backGroundImageCapInsets);
  if (!model->m_strBackGroundImageFileName.empty()) setBackGroundImage(model->m_strBackGroundImageFileName.c_str());
  m_eColorType = model->m_eColorType;
  m_cColor = model->m_cColor;
  m_gStartColor = model->m_gStartColor;
  m_gEndColor = model->m_gEndColor;
  m_alongVector = model->m_alongVector;
  m_nColorOpacity = model->m_nColorOpacity;
  setClippingEnabled(model->m_bClippingEnabled);
  m_eLayoutType = model->m_eLayoutType;
}

}  // namespace ui
NS_CC_END
