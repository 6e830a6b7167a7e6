#include "CCRenderer.h"

#include <algorithm>
#include <cmath>

#include "CCCamera.h"
#include "CCDirector.h"
#include "CCEGLView.h"
#include "CCTexture2D.h"
#include "backend/Backend.h"

NS_CC_BEGIN

namespace be = kest::backend;

static be::Blend toBlend(const ccBlendFunc& b) {
  if (b.src == GL_ONE && b.dst == GL_ZERO) return be::Blend::None;
  if (b.dst == GL_ONE) return be::Blend::Add;
  if ((b.src == GL_DST_COLOR && b.dst == GL_ZERO) || (b.src == GL_ZERO && b.dst == GL_SRC_COLOR))
    return be::Blend::Modulate;
  return be::Blend::Alpha;
}

CCRenderer* CCRenderer::sharedRenderer() {
  static CCRenderer* s = new CCRenderer();
  return s;
}

CCRenderer::CCRenderer() {
  m_stack.push_back(CCAffineTransformIdentity);
  m_turns.emplace_back();
}

void CCRenderer::pushMatrix() {
  m_stack.push_back(m_stack.back());
  m_turns.push_back(m_turns.back());
}

void CCRenderer::popMatrix() {
  if (m_stack.size() > 1) {
    m_stack.pop_back();
    m_turns.pop_back();
  }
}

void CCRenderer::turnCurrent(const float rotation[9], const CCPoint& pivot) {
  Turn& t = m_turns.back();
  t.on = true;
  for (int i = 0; i < 9; ++i) t.rotation[i] = rotation[i];
  t.pivot = pivot;
  t.world = m_stack.back();
  t.inverse = CCAffineTransformInvert(t.world);
  // Depth keeps the node's own scale (uniform scales are all the program uses).
  t.depthScale = sqrtf(fabsf(t.world.a * t.world.d - t.world.b * t.world.c));
  const CCSize win = CCDirector::sharedDirector()->getWinSize();
  t.eye = CCPoint(win.width / 2, win.height / 2);
  t.eyeDistance = CCCamera::getPerspectiveDistance(win.height);
}

CCPoint CCRenderer::project(const CCAffineTransform& m, const Turn& t, float x, float y) {
  const float wx = m.a * x + m.c * y + m.tx, wy = m.b * x + m.d * y + m.ty;
  if (!t.on) return CCPoint(wx, wy);
  // Back into the turned node's space, about its pivot.
  const float px = t.inverse.a * wx + t.inverse.c * wy + t.inverse.tx - t.pivot.x;
  const float py = t.inverse.b * wx + t.inverse.d * wy + t.inverse.ty - t.pivot.y;
  const float* r = t.rotation;
  const float qx = r[0] * px + r[1] * py + t.pivot.x;
  const float qy = r[3] * px + r[4] * py + t.pivot.y;
  const float qz = (r[6] * px + r[7] * py) * t.depthScale;
  const float X = t.world.a * qx + t.world.c * qy + t.world.tx;
  const float Y = t.world.b * qx + t.world.d * qy + t.world.ty;
  // Nothing comes closer than a tenth of the eye's distance.
  const float k = t.eyeDistance / std::max(t.eyeDistance - qz, t.eyeDistance * 0.1f);
  return CCPoint(t.eye.x + (X - t.eye.x) * k, t.eye.y + (Y - t.eye.y) * k);
}

CCPoint CCRenderer::projectPoint(const CCPoint& local) const {
  return project(m_stack.back(), m_turns.back(), local.x, local.y);
}

void CCRenderer::multMatrix(const CCAffineTransform& t) { m_stack.back() = CCAffineTransformConcat(t, m_stack.back()); }

void CCRenderer::loadMatrix(const CCAffineTransform& t) { m_stack.back() = t; }

// The current matrix followed by world points -> window pixels (origin top-left).
static CCAffineTransform pixelMatrix(const CCAffineTransform& m) {
  CCEGLView* view = CCEGLView::sharedOpenGLView();
  const CCRect& vp = view->getViewPortRect();
  float sx = view->getScaleX(), sy = view->getScaleY();
  float h = view->getFrameSize().height;
  return CCAffineTransform{
      sx * m.a, -sy * m.b, sx * m.c, -sy * m.d, vp.origin.x + sx * m.tx, h - vp.origin.y - sy * m.ty};
}

void CCRenderer::drawTriangles(CCTexture2D* texture, const ccV2F_C4B_T2F* vertices, int vertexCount, const int* indices,
                               int indexCount, const ccBlendFunc& blend) {
  if (!vertices || !indices || vertexCount <= 0 || indexCount <= 0) return;
  be::Texture* tex = texture ? texture->backendTexture() : nullptr;
  if (texture && !tex) return;
  ++m_uSubmissions;
  const Turn& turn = m_turns.back();
  const CCAffineTransform m = pixelMatrix(turn.on ? CCAffineTransformIdentity : m_stack.back());
  // Small fixed buffer for quads; larger meshes allocate.
  be::Vertex local[8];
  std::vector<be::Vertex> heap;
  be::Vertex* out = local;
  if (vertexCount > 8) {
    heap.resize((size_t)vertexCount);
    out = heap.data();
  }
  float minX = 1e30f, minY = 1e30f, maxX = -1e30f, maxY = -1e30f;
  for (int i = 0; i < vertexCount; ++i) {
    const ccV2F_C4B_T2F& v = vertices[i];
    CCPoint p(v.vertices.x, v.vertices.y);
    if (turn.on) p = project(m_stack.back(), turn, p.x, p.y);
    out[i].x = m.a * p.x + m.c * p.y + m.tx;
    out[i].y = m.b * p.x + m.d * p.y + m.ty;
    minX = std::min(minX, out[i].x);
    maxX = std::max(maxX, out[i].x);
    minY = std::min(minY, out[i].y);
    maxY = std::max(maxY, out[i].y);
    out[i].r = v.colors.r;
    out[i].g = v.colors.g;
    out[i].b = v.colors.b;
    out[i].a = v.colors.a;
    out[i].u = v.texCoords.u;
    out[i].v = v.texCoords.v;
  }
  // Nodes parked off screen (the program moves hidden widgets far above the
  // window) cost nothing to the rasteriser.
  const CCSize& frame = CCEGLView::sharedOpenGLView()->getFrameSize();
  if (maxX < 0 || maxY < 0 || minX > frame.width || minY > frame.height) return;
  be::draw(tex, out, vertexCount, indices, indexCount, toBlend(blend));
}

void CCRenderer::drawQuad(CCTexture2D* texture, const ccV2F_C4B_T2F_Quad& quad, const ccBlendFunc& blend) {
  if (m_turns.back().on) {
    drawTurnedQuad(texture, quad, blend);
    return;
  }
  // bl, br, tl, tr -> two triangles.
  static const int idx[6] = {0, 1, 2, 2, 1, 3};
  ccV2F_C4B_T2F v[4] = {quad.bl, quad.br, quad.tl, quad.tr};
  drawTriangles(texture, v, 4, idx, 6, blend);
}

// Triangles map their texture linearly, which a picture in perspective is
// not: a mesh of small cells keeps the error below a pixel at card sizes.
void CCRenderer::drawTurnedQuad(CCTexture2D* texture, const ccV2F_C4B_T2F_Quad& quad, const ccBlendFunc& blend) {
  const int kCells = 6;
  const int side = kCells + 1;
  ccV2F_C4B_T2F mesh[side * side];
  int indices[kCells * kCells * 6];
  auto mix = [](float a, float b, float t) { return a + (b - a) * t; };
  auto mixByte = [](unsigned char a, unsigned char b, float t) { return (unsigned char)lroundf(a + (b - a) * t); };
  auto lerp = [&](const ccV2F_C4B_T2F& a, const ccV2F_C4B_T2F& b, float t) {
    ccV2F_C4B_T2F v;
    v.vertices = {mix(a.vertices.x, b.vertices.x, t), mix(a.vertices.y, b.vertices.y, t)};
    v.colors = {mixByte(a.colors.r, b.colors.r, t), mixByte(a.colors.g, b.colors.g, t),
                mixByte(a.colors.b, b.colors.b, t), mixByte(a.colors.a, b.colors.a, t)};
    v.texCoords = {mix(a.texCoords.u, b.texCoords.u, t), mix(a.texCoords.v, b.texCoords.v, t)};
    return v;
  };
  for (int row = 0; row < side; ++row) {
    const float v = (float)row / kCells;
    const ccV2F_C4B_T2F left = lerp(quad.bl, quad.tl, v), right = lerp(quad.br, quad.tr, v);
    for (int col = 0; col < side; ++col) mesh[row * side + col] = lerp(left, right, (float)col / kCells);
  }
  int n = 0;
  for (int row = 0; row < kCells; ++row)
    for (int col = 0; col < kCells; ++col) {
      const int a = row * side + col, b = a + 1, c = a + side, d = c + 1;
      const int cell[6] = {a, b, c, c, b, d};
      for (int k : cell) indices[n++] = k;
    }
  drawTriangles(texture, mesh, side * side, indices, n, blend);
}

void CCRenderer::drawSolidRect(const CCPoint& origin, const CCPoint& dest, const ccColor4B& color,
                               const ccBlendFunc& blend) {
  ccV2F_C4B_T2F_Quad q;
  q.bl = {{origin.x, origin.y}, color, {0, 0}};
  q.br = {{dest.x, origin.y}, color, {0, 0}};
  q.tl = {{origin.x, dest.y}, color, {0, 0}};
  q.tr = {{dest.x, dest.y}, color, {0, 0}};
  drawQuad(nullptr, q, blend);
}

void CCRenderer::pushClipRect(const CCRect& worldRect) {
  CCEGLView* view = CCEGLView::sharedOpenGLView();
  const CCRect& vp = view->getViewPortRect();
  float sx = view->getScaleX(), sy = view->getScaleY();
  float left = vp.origin.x + worldRect.getMinX() * sx;
  float right = vp.origin.x + worldRect.getMaxX() * sx;
  float top = view->getFrameSize().height - (vp.origin.y + worldRect.getMaxY() * sy);
  float bottom = view->getFrameSize().height - (vp.origin.y + worldRect.getMinY() * sy);
  CCRect px(floorf(left), floorf(top), ceilf(right) - floorf(left), ceilf(bottom) - floorf(top));
  if (!m_clips.empty()) {
    const CCRect& o = m_clips.back();
    float l = std::max(px.getMinX(), o.getMinX()), t = std::max(px.getMinY(), o.getMinY());
    float r = std::min(px.getMaxX(), o.getMaxX()), b = std::min(px.getMaxY(), o.getMaxY());
    px = CCRect(l, t, std::max(0.0f, r - l), std::max(0.0f, b - t));
  }
  m_clips.push_back(px);
  applyClip();
}

void CCRenderer::popClipRect() {
  if (!m_clips.empty()) m_clips.pop_back();
  applyClip();
}

void CCRenderer::applyClip() {
  if (m_clips.empty()) {
    be::setClip(nullptr);
    return;
  }
  const CCRect& r = m_clips.back();
  int xywh[4] = {(int)r.origin.x, (int)r.origin.y, (int)r.size.width, (int)r.size.height};
  be::setClip(xywh);
}

bool CCRenderer::beginTarget(CCTexture2D* target) {
  if (m_bInTarget || !target || !target->backendTexture()) return false;
  be::flush();
  if (!be::setRenderTarget(target->backendTexture())) return false;
  m_bInTarget = true;
  m_savedStack.swap(m_stack);
  m_savedTurns.swap(m_turns);
  m_savedClips.swap(m_clips);
  m_stack.assign(1, CCAffineTransformIdentity);
  m_turns.assign(1, Turn());
  m_clips.clear();
  applyClip();
  return true;
}

void CCRenderer::endTarget() {
  if (!m_bInTarget) return;
  be::flush();
  be::setRenderTarget(nullptr);
  m_bInTarget = false;
  m_stack.swap(m_savedStack);
  m_turns.swap(m_savedTurns);
  m_clips.swap(m_savedClips);
  if (m_stack.empty()) m_stack.assign(1, CCAffineTransformIdentity);
  if (m_turns.size() != m_stack.size()) m_turns.assign(m_stack.size(), Turn());
  applyClip();
}

bool CCRenderer::DrawPlace::operator==(const DrawPlace& o) const {
  return CCAffineTransformEqualToTransform(matrix, o.matrix) && clipped == o.clipped && (!clipped || clip == o.clip);
}

uint64_t CCRenderer::recordingFrame(DrawPlace& place) const {
  if (m_bInTarget || m_turns.back().on) return 0;
  place.matrix = m_stack.back();
  place.clipped = !m_clips.empty();
  place.clip = place.clipped ? m_clips.back() : CCRect();
  return be::recordingFrame();
}

uint32_t CCRenderer::recordedDraws() const { return be::recordedDraws(); }

bool CCRenderer::drawAgain(uint64_t frame, uint32_t first, uint32_t count) {
  if (!be::recordAgain(frame, first, count)) return false;
  m_uSubmissions += count;
  return true;
}

void CCRenderer::beginFrame() {
  m_stack.assign(1, CCAffineTransformIdentity);
  m_turns.assign(1, Turn());
  m_clips.clear();
  m_walks.clear();
  m_uSubmissions = 0;
  be::beginFrame(0, 0, 0, 255);
}

void CCRenderer::endFrame() {
  m_clips.clear();
  be::setClip(nullptr);
  be::flush();
}

NS_CC_END
