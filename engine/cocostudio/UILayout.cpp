#include "UILayout.h"

#include <cmath>
#include <string>
#include <vector>

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

RelativeLayoutParameter* RelativeLayoutParameter::create() {
  RelativeLayoutParameter* p = new RelativeLayoutParameter();
  p->autorelease();
  return p;
}

LayoutParameter* RelativeLayoutParameter::clone() {
  RelativeLayoutParameter* p = create();
  p->m_margin = m_margin;
  p->m_eAlign = m_eAlign;
  p->m_strRelativeName = m_strRelativeName;
  p->m_strRelativeToName = m_strRelativeToName;
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
  markForRedraw();
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
  doLayout();
}

void Layout::onEnter() {
  Widget::onEnter();
  // Children resolve their percent sizes and positions as they enter: the
  // layout has the last word.
  if (m_eLayoutType != LAYOUT_ABSOLUTE) doLayout();
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
  markForRedraw();
}

void Layout::setBackGroundColor(const ccColor3B& color) {
  m_cColor = color;
  markForRedraw();
}

void Layout::setBackGroundColor(const ccColor3B& startColor, const ccColor3B& endColor) {
  m_gStartColor = startColor;
  m_gEndColor = endColor;
  markForRedraw();
}

void Layout::setBackGroundColorOpacity(int opacity) {
  m_nColorOpacity = std::min(std::max(opacity, 0), 255);
  markForRedraw();
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

void Layout::doLayout() {
  if (m_eLayoutType == LAYOUT_LINEAR_VERTICAL || m_eLayoutType == LAYOUT_LINEAR_HORIZONTAL)
    doLinearLayout();
  else if (m_eLayoutType == LAYOUT_RELATIVE)
    doRelativeLayout();
}

// --- linear layout ----------------------------------------------------------

void Layout::doLinearLayout() {
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

// --- relative layout --------------------------------------------------------

namespace {

struct Box {
  float left, bottom, right, top;
};

Box boxInParent(Widget* w) {
  const CCPoint ap = w->getAnchorPoint();
  const CCSize cs = w->getSize();
  const float left = w->getPositionX() - ap.x * cs.width;
  const float bottom = w->getPositionY() - ap.y * cs.height;
  return Box{left, bottom, left + cs.width, bottom + cs.height};
}

// Where a child of size cs and anchor ap goes: against the layout (size ls)
// or beside the sibling's box, then moved by its margins on the aligned sides.
CCPoint relativePosition(RelativeAlign align, const CCPoint& ap, const CCSize& cs, const CCSize& ls, const Box* to,
                         const Margin& mg) {
  // Anchor offsets from the child's left/bottom and right/top edges.
  const float fromLeft = ap.x * cs.width, fromRight = (1 - ap.x) * cs.width;
  const float fromBottom = ap.y * cs.height, fromTop = (1 - ap.y) * cs.height;
  const float centreX = ls.width * 0.5f - cs.width * (0.5f - ap.x);
  const float centreY = ls.height * 0.5f - cs.height * (0.5f - ap.y);
  switch (align) {
    case RELATIVE_ALIGN_NONE:
    case RELATIVE_ALIGN_PARENT_TOP_LEFT: return CCPoint(fromLeft + mg.left, ls.height - fromTop - mg.top);
    case RELATIVE_ALIGN_PARENT_TOP_CENTER_HORIZONTAL: return CCPoint(centreX, ls.height - fromTop - mg.top);
    case RELATIVE_ALIGN_PARENT_TOP_RIGHT: return CCPoint(ls.width - fromRight - mg.right, ls.height - fromTop - mg.top);
    case RELATIVE_ALIGN_PARENT_LEFT_CENTER_VERTICAL: return CCPoint(fromLeft + mg.left, centreY);
    case RELATIVE_CENTER_IN_PARENT: return CCPoint(centreX, centreY);
    case RELATIVE_ALIGN_PARENT_RIGHT_CENTER_VERTICAL: return CCPoint(ls.width - fromRight - mg.right, centreY);
    case RELATIVE_ALIGN_PARENT_LEFT_BOTTOM: return CCPoint(fromLeft + mg.left, fromBottom + mg.bottom);
    case RELATIVE_ALIGN_PARENT_BOTTOM_CENTER_HORIZONTAL: return CCPoint(centreX, fromBottom + mg.bottom);
    case RELATIVE_ALIGN_PARENT_RIGHT_BOTTOM: return CCPoint(ls.width - fromRight - mg.right, fromBottom + mg.bottom);
    default: break;
  }
  // Beside a sibling: without one the child goes to the corner, its margins
  // still applied as for a sibling there.
  const Box b = to ? *to : Box{0, 0, 0, 0};
  const float midX = (b.left + b.right) * 0.5f - cs.width * (0.5f - ap.x);
  const float midY = (b.bottom + b.top) * 0.5f - cs.height * (0.5f - ap.y);
  const float leftAligned = b.left + fromLeft + mg.left, rightAligned = b.right - fromRight - mg.right;
  const float topAligned = b.top - fromTop - mg.top, bottomAligned = b.bottom + fromBottom + mg.bottom;
  const float above = b.top + fromBottom + mg.bottom, below = b.bottom - fromTop - mg.top;
  const float leftOf = b.left - fromRight - mg.right, rightOf = b.right + fromLeft + mg.left;
  switch (align) {
    case RELATIVE_LOCATION_ABOVE_LEFTALIGN: return CCPoint(leftAligned, above);
    case RELATIVE_LOCATION_ABOVE_CENTER: return CCPoint(midX, above);
    case RELATIVE_LOCATION_ABOVE_RIGHTALIGN: return CCPoint(rightAligned, above);
    case RELATIVE_LOCATION_LEFT_OF_TOPALIGN: return CCPoint(leftOf, topAligned);
    case RELATIVE_LOCATION_LEFT_OF_CENTER: return CCPoint(leftOf, midY);
    case RELATIVE_LOCATION_LEFT_OF_BOTTOMALIGN: return CCPoint(leftOf, bottomAligned);
    case RELATIVE_LOCATION_RIGHT_OF_TOPALIGN: return CCPoint(rightOf, topAligned);
    case RELATIVE_LOCATION_RIGHT_OF_CENTER: return CCPoint(rightOf, midY);
    case RELATIVE_LOCATION_RIGHT_OF_BOTTOMALIGN: return CCPoint(rightOf, bottomAligned);
    case RELATIVE_LOCATION_BELOW_LEFTALIGN: return CCPoint(leftAligned, below);
    case RELATIVE_LOCATION_BELOW_CENTER: return CCPoint(midX, below);
    case RELATIVE_LOCATION_BELOW_RIGHTALIGN: return CCPoint(rightAligned, below);
    default: return CCPoint(0, 0);
  }
}

}  // namespace

void Layout::doRelativeLayout() {
  struct Item {
    Widget* widget;
    RelativeLayoutParameter* parameter;
    bool put;
  };
  std::vector<Item> items;
  CCObject* obj = nullptr;
  CCARRAY_FOREACH(getChildren(), obj) {
    Widget* child = dynamic_cast<Widget*>(obj);
    auto* p = child ? dynamic_cast<RelativeLayoutParameter*>(child->getLayoutParameter()) : nullptr;
    if (p) items.push_back(Item{child, p, false});
  }
  auto sibling = [&](const std::string& name) -> Item* {
    if (name.empty()) return nullptr;
    for (Item& item : items)
      if (item.parameter->getRelativeName() == name) return &item;
    return nullptr;
  };
  // A child beside a sibling waits until the sibling is placed; a sibling
  // that never is (a loop of references) is taken where it stands.
  size_t left = items.size();
  bool force = false;
  while (left > 0) {
    size_t placed = 0;
    for (Item& item : items) {
      if (item.put) continue;
      RelativeAlign align = item.parameter->getAlign();
      Item* to =
          align >= RELATIVE_LOCATION_ABOVE_LEFTALIGN ? sibling(item.parameter->getRelativeToWidgetName()) : nullptr;
      if (to && to != &item && !to->put && !force) continue;
      Box box{0, 0, 0, 0};
      if (to) box = boxInParent(to->widget);
      CCPoint at = relativePosition(align, item.widget->getAnchorPoint(), item.widget->getSize(), m_size,
                                    to ? &box : nullptr, item.parameter->getMargin());
      item.widget->CCNode::setPosition(at);
      item.put = true;
      ++placed;
      --left;
      force = false;
    }
    if (placed == 0) force = true;
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
