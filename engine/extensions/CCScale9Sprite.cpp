#include "CCScale9Sprite.h"

#include <algorithm>

NS_CC_EXT_BEGIN

CCScale9Sprite::CCScale9Sprite() {}

CCScale9Sprite::~CCScale9Sprite() { CC_SAFE_RELEASE(m_pTexture); }

CCScale9Sprite* CCScale9Sprite::create() {
  return ccCreateWith<CCScale9Sprite>([](CCScale9Sprite* s) { return s->init(); });
}
CCScale9Sprite* CCScale9Sprite::create(const char* file) {
  return ccCreateWith<CCScale9Sprite>([&](CCScale9Sprite* s) { return s->initWithFile(file); });
}
CCScale9Sprite* CCScale9Sprite::create(const char* file, CCRect rect) {
  return ccCreateWith<CCScale9Sprite>([&](CCScale9Sprite* s) { return s->initWithFile(file, rect); });
}
CCScale9Sprite* CCScale9Sprite::create(const char* file, CCRect rect, CCRect capInsets) {
  return ccCreateWith<CCScale9Sprite>([&](CCScale9Sprite* s) { return s->initWithFile(file, rect, capInsets); });
}
CCScale9Sprite* CCScale9Sprite::create(CCRect capInsets, const char* file) {
  return ccCreateWith<CCScale9Sprite>([&](CCScale9Sprite* s) { return s->initWithFile(capInsets, file); });
}
CCScale9Sprite* CCScale9Sprite::createWithSpriteFrame(CCSpriteFrame* f) {
  return ccCreateWith<CCScale9Sprite>([&](CCScale9Sprite* s) { return s->initWithSpriteFrame(f); });
}
CCScale9Sprite* CCScale9Sprite::createWithSpriteFrame(CCSpriteFrame* f, CCRect capInsets) {
  return ccCreateWith<CCScale9Sprite>([&](CCScale9Sprite* s) { return s->initWithSpriteFrame(f, capInsets); });
}
CCScale9Sprite* CCScale9Sprite::createWithSpriteFrameName(const char* name) {
  return ccCreateWith<CCScale9Sprite>([&](CCScale9Sprite* s) { return s->initWithSpriteFrameName(name); });
}
CCScale9Sprite* CCScale9Sprite::createWithSpriteFrameName(const char* name, CCRect capInsets) {
  return ccCreateWith<CCScale9Sprite>([&](CCScale9Sprite* s) { return s->initWithSpriteFrameName(name, capInsets); });
}

bool CCScale9Sprite::init() {
  if (!CCNodeRGBA::init()) return false;
  setAnchorPoint(CCPoint(0.5f, 0.5f));
  return true;
}

bool CCScale9Sprite::initWithFile(const char* file) { return initWithFile(file, CCRectZero, CCRectZero); }

bool CCScale9Sprite::initWithFile(const char* file, CCRect rect) { return initWithFile(file, rect, CCRectZero); }

bool CCScale9Sprite::initWithFile(CCRect capInsets, const char* file) {
  return initWithFile(file, CCRectZero, capInsets);
}

bool CCScale9Sprite::initWithFile(const char* file, CCRect rect, CCRect capInsets) {
  CCSpriteFrame* frame = CCResolvePicture(file);
  bool whole = rect.size.width <= 0 || rect.size.height <= 0;
  return initWithFrame(frame, whole ? nullptr : &rect, capInsets);
}

bool CCScale9Sprite::initWithSpriteFrame(CCSpriteFrame* f) { return initWithFrame(f, nullptr, CCRectZero); }

bool CCScale9Sprite::initWithSpriteFrame(CCSpriteFrame* f, CCRect capInsets) {
  return initWithFrame(f, nullptr, capInsets);
}

bool CCScale9Sprite::initWithSpriteFrameName(const char* name) {
  return initWithFrame(CCResolvePicture(name), nullptr, CCRectZero);
}

bool CCScale9Sprite::initWithSpriteFrameName(const char* name, CCRect capInsets) {
  return initWithFrame(CCResolvePicture(name), nullptr, capInsets);
}

bool CCScale9Sprite::initWithFrame(CCSpriteFrame* frame, const CCRect* subRect, const CCRect& capInsets) {
  if (!init()) return false;
  if (!frame) return true;  // an empty sprite, as create() gives
  CCRect rect = frame->getRect();
  bool rotated = frame->isRotated();
  if (subRect && !rotated) {
    // A rectangle of a picture that came from a sheet is relative to its frame.
    rect = CCRect(rect.origin.x + subRect->origin.x, rect.origin.y + subRect->origin.y, subRect->size.width,
                  subRect->size.height);
  }
  setImage(frame->getTexture(), rect, rotated, capInsets);
  return true;
}

void CCScale9Sprite::setImage(CCTexture2D* texture, const CCRect& rect, bool rotated, const CCRect& capInsets) {
  CC_SAFE_RETAIN(texture);
  CC_SAFE_RELEASE(m_pTexture);
  m_pTexture = texture;
  m_bStandIn = texture && texture == CCTextureCache::sharedTextureCache()->standInTexture();
  m_rect = rect;
  m_bRotated = rotated;
  m_originalSize = rect.size;
  m_preferredSize = m_originalSize;
  setCapInsets(capInsets);
  setContentSize(m_originalSize);
}

void CCScale9Sprite::setSpriteFrame(CCSpriteFrame* frame) {
  if (!frame) return;
  CCSize keep = m_preferredSize;
  bool hadImage = m_pTexture != nullptr;
  setImage(frame->getTexture(), frame->getRect(), frame->isRotated(), CCRectZero);
  if (hadImage) setPreferredSize(keep);
}

CCScale9Sprite* CCScale9Sprite::resizableSpriteWithCapInsets(CCRect capInsets) {
  CCScale9Sprite* s = create();
  if (s && m_pTexture) s->setImage(m_pTexture, m_rect, m_bRotated, capInsets);
  return s;
}

void CCScale9Sprite::setPreferredSize(CCSize size) {
  setContentSize(size);
  m_preferredSize = size;
}

static void fitCaps(float& origin, float& length, float picture) {
  // A little slack for insets computed back from the other sides.
  if (origin < 0 || length < 0 || origin + length > picture + 0.01f) {
    origin = 0;
    length = picture;
  }
  length = std::min(length, picture - origin);
}

void CCScale9Sprite::setCapInsets(CCRect caps) {
  float w = m_originalSize.width, h = m_originalSize.height;
  if (caps.size.width <= 0 && caps.size.height <= 0 && caps.origin.x == 0 && caps.origin.y == 0)
    caps = CCRect(w / 3, h / 3, w / 3, h / 3);
  // Insets that do not fit the picture (often left from a larger one) are
  // dropped along that axis: the whole picture stretches there, so the
  // sprite still fills its size.
  fitCaps(caps.origin.x, caps.size.width, w);
  fitCaps(caps.origin.y, caps.size.height, h);
  m_capInsets = caps;
  updateInsetsFromCaps();
  markForRedraw();
}

void CCScale9Sprite::updateInsetsFromCaps() {
  m_insetLeft = m_capInsets.origin.x;
  m_insetTop = m_capInsets.origin.y;
  m_insetRight = m_originalSize.width - m_capInsets.getMaxX();
  m_insetBottom = m_originalSize.height - m_capInsets.getMaxY();
}

void CCScale9Sprite::setInsetLeft(float v) {
  setCapInsets(CCRect(v, m_insetTop, m_originalSize.width - v - m_insetRight,
                      m_originalSize.height - m_insetTop - m_insetBottom));
}
void CCScale9Sprite::setInsetTop(float v) {
  setCapInsets(CCRect(m_insetLeft, v, m_originalSize.width - m_insetLeft - m_insetRight,
                      m_originalSize.height - v - m_insetBottom));
}
void CCScale9Sprite::setInsetRight(float v) {
  setCapInsets(CCRect(m_insetLeft, m_insetTop, m_originalSize.width - m_insetLeft - v,
                      m_originalSize.height - m_insetTop - m_insetBottom));
}
void CCScale9Sprite::setInsetBottom(float v) {
  setCapInsets(CCRect(m_insetLeft, m_insetTop, m_originalSize.width - m_insetLeft - m_insetRight,
                      m_originalSize.height - m_insetTop - v));
}

void CCScale9Sprite::setContentSize(const CCSize& size) {
  CCNodeRGBA::setContentSize(CCSize(std::max(size.width, 0.0f), std::max(size.height, 0.0f)));
  markForRedraw();
}

void CCScale9Sprite::sourceEdges(float xs[4], float ys[4]) const {
  xs[0] = 0;
  xs[1] = m_capInsets.origin.x;
  xs[2] = m_capInsets.getMaxX();
  xs[3] = m_originalSize.width;
  ys[0] = 0;
  ys[1] = m_capInsets.origin.y;
  ys[2] = m_capInsets.getMaxY();
  ys[3] = m_originalSize.height;
}

// Fixed border sizes along one axis for a target length: they keep their
// size while they fit, and shrink in proportion when they do not.
static void sliceLengths(float first, float last, float target, float out[3]) {
  float borders = first + last;
  if (target >= borders) {
    out[0] = first;
    out[1] = target - borders;
    out[2] = last;
  } else {
    float k = borders > 0 ? target / borders : 0;
    out[0] = first * k;
    out[1] = 0;
    out[2] = last * k;
  }
}

void CCScale9Sprite::getSliceSizes(float columns[3], float rows[3]) const {
  float xs[4], ys[4];
  sourceEdges(xs, ys);
  sliceLengths(xs[1], xs[3] - xs[2], m_obContentSize.width, columns);
  // Rows top to bottom, as the picture is.
  sliceLengths(ys[1], ys[3] - ys[2], m_obContentSize.height, rows);
}

ccTex2F CCScale9Sprite::texCoord(float px, float py) const {
  float tw = (float)m_pTexture->getPixelsWide(), th = (float)m_pTexture->getPixelsHigh();
  float ax, ay;
  if (m_bRotated) {
    // Stored 90° clockwise: upright (px, py) sits at (x + h - py, y + px).
    ax = m_rect.origin.x + (m_rect.size.height - py);
    ay = m_rect.origin.y + px;
  } else {
    ax = m_rect.origin.x + px;
    ay = m_rect.origin.y + py;
  }
  return ccTex2F{ax / tw, ay / th};
}

void CCScale9Sprite::draw() {
  if (!m_pTexture || m_cDisplayedOpacity == 0 || m_pTexture->getPixelsWide() == 0 || m_pTexture->getPixelsHigh() == 0)
    return;
  float src[2][4];
  sourceEdges(src[0], src[1]);
  float cols[3], rows[3];
  getSliceSizes(cols, rows);
  float dx[4] = {0, cols[0], cols[0] + cols[1], cols[0] + cols[1] + cols[2]};
  // Destination rows from the top edge down (node Y is up).
  float H = m_obContentSize.height;
  float dy[4] = {H, H - rows[0], H - rows[0] - rows[1], H - rows[0] - rows[1] - rows[2]};
  ccColor4B c = ccc4(m_tDisplayedColor.r, m_tDisplayedColor.g, m_tDisplayedColor.b, m_cDisplayedOpacity);
  ccBlendFunc blend{CC_BLEND_SRC, CC_BLEND_DST};
  CCRenderer* r = CCRenderer::sharedRenderer();
  for (int row = 0; row < 3; ++row) {
    if (dy[row] - dy[row + 1] <= 0 || src[1][row + 1] - src[1][row] <= 0) continue;
    for (int col = 0; col < 3; ++col) {
      if (dx[col + 1] - dx[col] <= 0 || src[0][col + 1] - src[0][col] <= 0) continue;
      ccV2F_C4B_T2F_Quad q;
      q.tl = {{dx[col], dy[row]}, c, texCoord(src[0][col], src[1][row])};
      q.tr = {{dx[col + 1], dy[row]}, c, texCoord(src[0][col + 1], src[1][row])};
      q.bl = {{dx[col], dy[row + 1]}, c, texCoord(src[0][col], src[1][row + 1])};
      q.br = {{dx[col + 1], dy[row + 1]}, c, texCoord(src[0][col + 1], src[1][row + 1])};
      r->drawQuad(m_pTexture, q, blend);
    }
  }
}

NS_CC_EXT_END
