#include "CCSprite.h"

#include <utility>

#include "CCAnimation.h"
#include "CCRenderer.h"
#include "CCSpriteFrameCache.h"
#include "CCTextureCache.h"

NS_CC_BEGIN

CCSprite::CCSprite() { m_sBlendFunc = ccBlendFunc{CC_BLEND_SRC, CC_BLEND_DST}; }

CCSprite::~CCSprite() { CC_SAFE_RELEASE(m_pobTexture); }

template <class F>
static CCSprite* make(F init) {
  CCSprite* s = new CCSprite();
  if (init(s)) {
    s->autorelease();
    return s;
  }
  delete s;
  return nullptr;
}

CCSprite* CCSprite::create() {
  return make([](CCSprite* s) { return s->init(); });
}
CCSprite* CCSprite::create(const char* file) {
  return make([&](CCSprite* s) { return s->initWithFile(file); });
}
CCSprite* CCSprite::create(const char* file, const CCRect& rect) {
  return make([&](CCSprite* s) { return s->initWithFile(file, rect); });
}
CCSprite* CCSprite::createWithTexture(CCTexture2D* t) {
  return make([&](CCSprite* s) { return s->initWithTexture(t); });
}
CCSprite* CCSprite::createWithTexture(CCTexture2D* t, const CCRect& rect) {
  return make([&](CCSprite* s) { return s->initWithTexture(t, rect); });
}
CCSprite* CCSprite::createWithSpriteFrame(CCSpriteFrame* f) {
  return make([&](CCSprite* s) { return s->initWithSpriteFrame(f); });
}
CCSprite* CCSprite::createWithSpriteFrameName(const char* name) {
  return make([&](CCSprite* s) { return s->initWithSpriteFrameName(name); });
}

bool CCSprite::init() { return initWithTexture(nullptr, CCRectZero); }

bool CCSprite::initWithTexture(CCTexture2D* pTexture) {
  if (!pTexture) return false;
  CCRect rect(0, 0, (float)pTexture->getPixelsWide(), (float)pTexture->getPixelsHigh());
  return initWithTexture(pTexture, rect);
}

bool CCSprite::initWithTexture(CCTexture2D* pTexture, const CCRect& rect) {
  return initWithTexture(pTexture, rect, false);
}

bool CCSprite::initWithTexture(CCTexture2D* pTexture, const CCRect& rect, bool rotated) {
  if (!CCNodeRGBA::init()) return false;
  m_bFlipX = m_bFlipY = false;
  setAnchorPoint(CCPoint(0.5f, 0.5f));
  m_obOffsetPosition = CCPointZero;
  m_sQuad = ccV2F_C4B_T2F_Quad();
  ccColor4B white = ccc4(255, 255, 255, 255);
  m_sQuad.bl.colors = m_sQuad.br.colors = m_sQuad.tl.colors = m_sQuad.tr.colors = white;
  m_bStandIn = pTexture && pTexture == CCTextureCache::sharedTextureCache()->standInTexture();
  setTexture(pTexture);
  setTextureRect(rect, rotated, rect.size);
  return true;
}

bool CCSprite::initWithResolvedFrame(CCSpriteFrame* frame, const CCRect* subRect) {
  if (!frame) return false;
  if (!subRect) return initWithSpriteFrame(frame);
  // A rect inside a picture that came from a sheet is relative to its frame.
  CCRect r = *subRect;
  const CCRect& fr = frame->getRect();
  if (!frame->isRotated()) {
    r.origin.x += fr.origin.x;
    r.origin.y += fr.origin.y;
  }
  return initWithTexture(frame->getTexture(), r, false);
}

bool CCSprite::initWithFile(const char* pszFilename) {
  return initWithResolvedFrame(CCResolvePicture(pszFilename), nullptr);
}

bool CCSprite::initWithFile(const char* pszFilename, const CCRect& rect) {
  return initWithResolvedFrame(CCResolvePicture(pszFilename), &rect);
}

bool CCSprite::initWithSpriteFrame(CCSpriteFrame* frame) {
  if (!frame) return false;
  if (!initWithTexture(frame->getTexture(), frame->getRect())) return false;
  setDisplayFrame(frame);
  return true;
}

bool CCSprite::initWithSpriteFrameName(const char* name) {
  return initWithResolvedFrame(CCResolvePicture(name), nullptr);
}

void CCSprite::setTexture(CCTexture2D* texture) {
  if (texture == m_pobTexture) return;
  CC_SAFE_RETAIN(texture);
  CC_SAFE_RELEASE(m_pobTexture);
  m_pobTexture = texture;
  m_bStandIn = texture && texture == CCTextureCache::sharedTextureCache()->standInTexture();
  markForRedraw();
}

void CCSprite::setTextureRect(const CCRect& rect) { setTextureRect(rect, false, rect.size); }

void CCSprite::setTextureRect(const CCRect& rect, bool rotated, const CCSize& untrimmedSize) {
  m_bRectRotated = rotated;
  setContentSize(untrimmedSize);
  m_obRect = rect;
  setTextureCoords(rect);
  CCPoint rel = m_obUnflippedOffsetPositionFromCenter;
  if (m_bFlipX) rel.x = -rel.x;
  if (m_bFlipY) rel.y = -rel.y;
  m_obOffsetPosition.x = rel.x + (m_obContentSize.width - m_obRect.size.width) / 2;
  m_obOffsetPosition.y = rel.y + (m_obContentSize.height - m_obRect.size.height) / 2;
  float x1 = m_obOffsetPosition.x, y1 = m_obOffsetPosition.y;
  float x2 = x1 + m_obRect.size.width, y2 = y1 + m_obRect.size.height;
  m_sQuad.bl.vertices = {x1, y1};
  m_sQuad.br.vertices = {x2, y1};
  m_sQuad.tl.vertices = {x1, y2};
  m_sQuad.tr.vertices = {x2, y2};
  markForRedraw();
}

void CCSprite::setTextureCoords(const CCRect& rect) {
  if (!m_pobTexture) return;
  float atlasW = (float)m_pobTexture->getPixelsWide();
  float atlasH = (float)m_pobTexture->getPixelsHigh();
  if (atlasW <= 0 || atlasH <= 0) return;
  if (m_bRectRotated) {
    // Stored 90° clockwise: the region is h wide and w tall.
    float left = rect.origin.x / atlasW;
    float right = (rect.origin.x + rect.size.height) / atlasW;
    float top = rect.origin.y / atlasH;
    float bottom = (rect.origin.y + rect.size.width) / atlasH;
    if (m_bFlipX) std::swap(top, bottom);
    if (m_bFlipY) std::swap(left, right);
    m_sQuad.bl.texCoords = {left, top};
    m_sQuad.br.texCoords = {left, bottom};
    m_sQuad.tl.texCoords = {right, top};
    m_sQuad.tr.texCoords = {right, bottom};
  } else {
    float left = rect.origin.x / atlasW;
    float right = (rect.origin.x + rect.size.width) / atlasW;
    float top = rect.origin.y / atlasH;
    float bottom = (rect.origin.y + rect.size.height) / atlasH;
    if (m_bFlipX) std::swap(left, right);
    if (m_bFlipY) std::swap(top, bottom);
    m_sQuad.bl.texCoords = {left, bottom};
    m_sQuad.br.texCoords = {right, bottom};
    m_sQuad.tl.texCoords = {left, top};
    m_sQuad.tr.texCoords = {right, top};
  }
}

void CCSprite::setDisplayFrame(CCSpriteFrame* frame) {
  if (!frame) return;
  m_obUnflippedOffsetPositionFromCenter = frame->getOffset();
  CCTexture2D* tex = frame->getTexture();
  if (tex != m_pobTexture) setTexture(tex);
  m_bRectRotated = frame->isRotated();
  setTextureRect(frame->getRect(), m_bRectRotated, frame->getOriginalSize());
}

bool CCSprite::isFrameDisplayed(CCSpriteFrame* frame) {
  return frame && frame->getRect().equals(m_obRect) && frame->getTexture() == m_pobTexture &&
         frame->getOffset().equals(m_obUnflippedOffsetPositionFromCenter);
}

CCSpriteFrame* CCSprite::displayFrame() {
  return CCSpriteFrame::createWithTexture(m_pobTexture, m_obRect, m_bRectRotated, m_obUnflippedOffsetPositionFromCenter,
                                          m_obContentSize);
}

void CCSprite::setDisplayFrameWithAnimationName(const char* animationName, int frameIndex) {
  CCAnimation* a = CCAnimationCache::sharedAnimationCache()->animationByName(animationName);
  if (!a || frameIndex < 0) return;
  CCAnimationFrame* f = dynamic_cast<CCAnimationFrame*>(a->getFrames()->objectAtIndex((unsigned int)frameIndex));
  if (f) setDisplayFrame(f->getSpriteFrame());
}

void CCSprite::setFlipX(bool b) {
  if (m_bFlipX == b) return;
  m_bFlipX = b;
  setTextureRect(m_obRect, m_bRectRotated, m_obContentSize);
}

void CCSprite::setFlipY(bool b) {
  if (m_bFlipY == b) return;
  m_bFlipY = b;
  setTextureRect(m_obRect, m_bRectRotated, m_obContentSize);
}

void CCSprite::updateColor() { markForRedraw(); }

void CCSprite::setColor(const ccColor3B& color) {
  CCNodeRGBA::setColor(color);
  updateColor();
}

void CCSprite::setOpacity(unsigned char opacity) {
  CCNodeRGBA::setOpacity(opacity);
  updateColor();
}

void CCSprite::updateDisplayedColor(const ccColor3B& parentColor) {
  CCNodeRGBA::updateDisplayedColor(parentColor);
  updateColor();
}

void CCSprite::updateDisplayedOpacity(unsigned char parentOpacity) {
  CCNodeRGBA::updateDisplayedOpacity(parentOpacity);
  updateColor();
}

void CCSprite::draw() {
  if (!m_pobTexture || m_cDisplayedOpacity == 0 || m_obRect.size.width <= 0 || m_obRect.size.height <= 0) return;
  ccColor4B c = ccc4(m_tDisplayedColor.r, m_tDisplayedColor.g, m_tDisplayedColor.b, m_cDisplayedOpacity);
  m_sQuad.bl.colors = m_sQuad.br.colors = m_sQuad.tl.colors = m_sQuad.tr.colors = c;
  // Opaque pictures are blended all the same: splitting batches by blend mode
  // cost far more (draw calls, rasteriser memory) than the blending saves.
  CCRenderer::sharedRenderer()->drawQuad(m_pobTexture, m_sQuad, m_sBlendFunc);
}

NS_CC_END
