#include "CCProgressTimer.h"

#include <algorithm>
#include <cmath>

#include "CCRenderer.h"
#include "ExtensionMacros.h"

NS_CC_BEGIN

// --- shapes -----------------------------------------------------------------

void ccProgressRadialShape(float percentage, const CCPoint& m, bool reverse, std::vector<CCPoint>& out) {
  out.clear();
  float alpha = std::min(std::max(percentage, 0.0f), 100.0f) / 100.0f;
  if (alpha <= 0) return;
  const float twoPi = 6.28318530718f;
  // Angle swept from 12 o'clock, clockwise (counter-clockwise when reversed).
  auto sweep = [&](const CCPoint& p) {
    float dx = p.x - m.x, dy = p.y - m.y;
    if (reverse) dx = -dx;
    float a = std::atan2(dx, dy);
    return a < 0 ? a + twoPi : a;
  };
  CCPoint top(m.x, 1);
  out.push_back(m);
  out.push_back(top);
  CCPoint corners[4] = {CCPoint(1, 1), CCPoint(1, 0), CCPoint(0, 0), CCPoint(0, 1)};
  if (reverse) std::reverse(corners, corners + 4);
  float theta = twoPi * alpha;
  for (const CCPoint& c : corners) {
    float a = sweep(c);
    // The top-right (top-left reversed) corner can sit at angle 0 when the
    // midpoint is on the right (left) edge; it still comes first.
    if (a < theta || alpha >= 1) out.push_back(c);
  }
  if (alpha >= 1) {
    out.push_back(top);
    return;
  }
  CCPoint d(std::sin(theta), std::cos(theta));
  if (reverse) d.x = -d.x;
  float t = 1e30f;
  if (d.x > 1e-6f) t = std::min(t, (1 - m.x) / d.x);
  if (d.x < -1e-6f) t = std::min(t, (0 - m.x) / d.x);
  if (d.y > 1e-6f) t = std::min(t, (1 - m.y) / d.y);
  if (d.y < -1e-6f) t = std::min(t, (0 - m.y) / d.y);
  if (t > 1e29f) t = 0;
  out.push_back(CCPoint(m.x + d.x * t, m.y + d.y * t));
}

void ccProgressBarRect(float percentage, const CCPoint& m, const CCPoint& rate, CCPoint& lo, CCPoint& hi) {
  float alpha = std::min(std::max(percentage, 0.0f), 100.0f) / 100.0f;
  CCPoint off((1 - rate.x + alpha * rate.x) * 0.5f, (1 - rate.y + alpha * rate.y) * 0.5f);
  lo = m - off;
  hi = m + off;
  if (lo.x < 0) {
    hi.x -= lo.x;
    lo.x = 0;
  }
  if (hi.x > 1) {
    lo.x -= hi.x - 1;
    hi.x = 1;
  }
  if (lo.y < 0) {
    hi.y -= lo.y;
    lo.y = 0;
  }
  if (hi.y > 1) {
    lo.y -= hi.y - 1;
    hi.y = 1;
  }
}

// --- CCProgressTimer --------------------------------------------------------

CCProgressTimer::~CCProgressTimer() { CC_SAFE_RELEASE(m_pSprite); }

CCProgressTimer* CCProgressTimer::create(CCSprite* sp) {
  return ccCreateWith<CCProgressTimer>([&](CCProgressTimer* p) { return p->initWithSprite(sp); });
}

bool CCProgressTimer::initWithSprite(CCSprite* sp) {
  if (!CCNodeRGBA::init()) return false;
  // Its sprite is no child: changing it does not mark the timer.
  m_bDrawsOthers = true;
  m_fPercentage = 0;
  setAnchorPoint(CCPoint(0.5f, 0.5f));
  m_eType = kCCProgressTimerTypeRadial;
  m_bReverseDirection = false;
  m_tMidpoint = CCPoint(0.5f, 0.5f);
  m_tBarChangeRate = CCPoint(1, 1);
  setSprite(sp);
  return true;
}

void CCProgressTimer::setSprite(CCSprite* sp) {
  if (sp == m_pSprite) return;
  CC_SAFE_RETAIN(sp);
  CC_SAFE_RELEASE(m_pSprite);
  m_pSprite = sp;
  setContentSize(sp ? sp->getContentSize() : CCSizeZero);
  updateProgress();
}

void CCProgressTimer::setType(CCProgressTimerType type) {
  if (type == m_eType) return;
  m_eType = type;
  updateProgress();
}

void CCProgressTimer::setPercentage(float p) {
  // Callers count down to exactly 0 (the turn timer gives up there).
  p = std::min(std::max(p, 0.0f), 100.0f);
  if (p == m_fPercentage) return;
  m_fPercentage = p;
  updateProgress();
}

void CCProgressTimer::setReverseDirection(bool reverse) {
  if (reverse == m_bReverseDirection) return;
  m_bReverseDirection = reverse;
  updateProgress();
}

void CCProgressTimer::setMidpoint(CCPoint p) {
  m_tMidpoint = CCPoint(std::min(std::max(p.x, 0.0f), 1.0f), std::min(std::max(p.y, 0.0f), 1.0f));
  updateProgress();
}

void CCProgressTimer::setBarChangeRate(CCPoint rate) {
  m_tBarChangeRate = rate;
  updateProgress();
}

void CCProgressTimer::setColor(const ccColor3B& color) {
  if (m_pSprite) m_pSprite->setColor(color);
  markForRedraw();
}

const ccColor3B& CCProgressTimer::getColor() { return m_pSprite ? m_pSprite->getColor() : m_tRealColor; }

void CCProgressTimer::setOpacity(unsigned char opacity) {
  if (m_pSprite) m_pSprite->setOpacity(opacity);
  markForRedraw();
}

unsigned char CCProgressTimer::getOpacity() { return m_pSprite ? m_pSprite->getOpacity() : m_cRealOpacity; }

void CCProgressTimer::updateProgress() {
  if (m_eType == kCCProgressTimerTypeRadial) {
    ccProgressRadialShape(m_fPercentage, m_tMidpoint, m_bReverseDirection, m_shape);
  } else {
    m_shape.clear();
    CCPoint lo, hi;
    ccProgressBarRect(m_fPercentage, m_tMidpoint, m_tBarChangeRate, lo, hi);
    if (m_fPercentage > 0) {
      m_shape.push_back(lo);
      m_shape.push_back(hi);
    }
  }
  markForRedraw();
}

// A point of the unit square on the sprite's quad: position and texture.
static ccV2F_C4B_T2F quadPoint(const ccV2F_C4B_T2F_Quad& q, const CCPoint& a, const ccColor4B& c) {
  float x = a.x, y = a.y;
  auto mix = [&](float bl, float br, float tl, float tr) {
    return bl * (1 - x) * (1 - y) + br * x * (1 - y) + tl * (1 - x) * y + tr * x * y;
  };
  ccV2F_C4B_T2F v;
  v.vertices = {mix(q.bl.vertices.x, q.br.vertices.x, q.tl.vertices.x, q.tr.vertices.x),
                mix(q.bl.vertices.y, q.br.vertices.y, q.tl.vertices.y, q.tr.vertices.y)};
  v.texCoords = {mix(q.bl.texCoords.u, q.br.texCoords.u, q.tl.texCoords.u, q.tr.texCoords.u),
                 mix(q.bl.texCoords.v, q.br.texCoords.v, q.tl.texCoords.v, q.tr.texCoords.v)};
  v.colors = c;
  return v;
}

void CCProgressTimer::draw() {
  if (!m_pSprite || !m_pSprite->getTexture() || m_shape.empty()) return;
  unsigned char opacity = (unsigned char)(m_pSprite->getDisplayedOpacity() * m_cDisplayedOpacity / 255);
  if (opacity == 0) return;
  const ccColor3B& sc = m_pSprite->getDisplayedColor();
  ccColor4B c = ccc4(sc.r, sc.g, sc.b, opacity);
  const ccV2F_C4B_T2F_Quad& q = m_pSprite->getQuad();
  std::vector<ccV2F_C4B_T2F> verts;
  std::vector<int> idx;
  if (m_eType == kCCProgressTimerTypeRadial) {
    for (const CCPoint& p : m_shape) verts.push_back(quadPoint(q, p, c));
    for (int i = 1; i + 1 < (int)verts.size(); ++i) idx.insert(idx.end(), {0, i, i + 1});
  } else {
    const CCPoint& lo = m_shape[0];
    const CCPoint& hi = m_shape[1];
    verts = {quadPoint(q, lo, c), quadPoint(q, CCPoint(hi.x, lo.y), c), quadPoint(q, CCPoint(lo.x, hi.y), c),
             quadPoint(q, hi, c)};
    idx = {0, 1, 2, 2, 1, 3};
  }
  CCRenderer::sharedRenderer()->drawTriangles(m_pSprite->getTexture(), verts.data(), (int)verts.size(), idx.data(),
                                              (int)idx.size(), m_pSprite->getBlendFunc());
}

// --- actions ----------------------------------------------------------------

CCProgressTo* CCProgressTo::create(float duration, float percent) {
  return ccCreateWith<CCProgressTo>([&](CCProgressTo* a) { return a->initWithDuration(duration, percent); });
}

bool CCProgressTo::initWithDuration(float duration, float percent) {
  if (!CCActionInterval::initWithDuration(duration)) return false;
  m_fTo = percent;
  return true;
}

void CCProgressTo::startWithTarget(CCNode* target) {
  CCActionInterval::startWithTarget(target);
  CCProgressTimer* t = dynamic_cast<CCProgressTimer*>(target);
  m_fFrom = t ? t->getPercentage() : 0;
  // A full timer starts again from empty.
  if (m_fFrom == 100) m_fFrom = 0;
}

void CCProgressTo::update(float time) {
  if (CCProgressTimer* t = dynamic_cast<CCProgressTimer*>(m_pTarget))
    t->setPercentage(m_fFrom + (m_fTo - m_fFrom) * time);
}

CCProgressFromTo* CCProgressFromTo::create(float duration, float from, float to) {
  return ccCreateWith<CCProgressFromTo>([&](CCProgressFromTo* a) { return a->initWithDuration(duration, from, to); });
}

bool CCProgressFromTo::initWithDuration(float duration, float from, float to) {
  if (!CCActionInterval::initWithDuration(duration)) return false;
  m_fFrom = from;
  m_fTo = to;
  return true;
}

void CCProgressFromTo::update(float time) {
  if (CCProgressTimer* t = dynamic_cast<CCProgressTimer*>(m_pTarget))
    t->setPercentage(m_fFrom + (m_fTo - m_fFrom) * time);
}

CCActionInterval* CCProgressFromTo::reverse() { return create(m_fDuration, m_fTo, m_fFrom); }

NS_CC_END
