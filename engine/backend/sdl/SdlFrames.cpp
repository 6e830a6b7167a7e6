// Frames kept between presents: a frame draws again only where it changed.
//
// The draws of a frame are recorded (texture, its state, blend, clip and
// vertices) and, when the frame ends, compared with the last frame's. The
// pixels that can differ lie under the draws that are new or gone in a
// shortest edit between the two lists (a draw that moved in the order counts
// as both), so only those rectangles are cleared and drawn again, each draw
// clipped to them. A frame that changes too much, or one after anything the
// lists do not capture (a new size or clear colour, draws made outside the
// recording), is drawn whole.
//
// The frame is kept where it is drawn: a headless GL surface or its canvas,
// the software renderer's window surface, and in a GL window a canvas copied
// to the window at present.

#include <cmath>
#include <cstring>

#include "backend/sdl/SdlBackend.h"

namespace kest {
namespace backend {

namespace {

// Beyond this many edits a frame is drawn whole: comparing costs about the
// square of the edits, and that many changes cover most of the screen anyway.
constexpr int kMaxEdits = 64;
// At most this many rectangles are drawn again; more are merged.
constexpr size_t kMaxRects = 4;
// A frame whose changed rectangles cover more than this share of the output
// is drawn whole.
constexpr double kWholeShare = 0.6;

uint64_t mix(uint64_t h, uint64_t v) {
  h ^= v + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2);
  return h * 0xff51afd7ed558ccdull;
}

uint64_t hashBytes(uint64_t h, const void* p, size_t n) {
  const unsigned char* c = static_cast<const unsigned char*>(p);
  // Four lanes at a time: label texels are hashed as they are made.
  uint64_t lane[4] = {h, h ^ 0x9e3779b97f4a7c15ull, h ^ 0xc2b2ae3d27d4eb4full, h ^ 0x165667b19e3779f9ull};
  while (n >= 32) {
    for (int i = 0; i < 4; ++i) {
      uint64_t v;
      memcpy(&v, c + i * 8, 8);
      lane[i] = (lane[i] ^ v) * 0xff51afd7ed558ccdull;
      lane[i] ^= lane[i] >> 29;
    }
    c += 32;
    n -= 32;
  }
  h = mix(mix(mix(mix(h, lane[0]), lane[1]), lane[2]), lane[3]);
  while (n >= 8) {
    uint64_t v;
    memcpy(&v, c, 8);
    h = mix(h, v);
    c += 8;
    n -= 8;
  }
  uint64_t tail = 0;
  memcpy(&tail, c, n);
  return mix(h, tail ^ (uint64_t)n << 56);
}

}  // namespace

uint64_t uniqueTextureKey() { return mix(0x6a09e667f3bcc908ull, g_sdl.nextSerial++); }

uint64_t texelsKey(const uint8_t* rgba, int width, int height) {
  // Hashing costs about what copying does; large pictures are rarely made
  // twice with the same texels, so they take a unique key instead.
  const size_t bytes = (size_t)width * height * 4;
  if (bytes > 256 * 1024) return uniqueTextureKey();
  return hashBytes(mix(0xbb67ae8584caa73bull, (uint64_t)width << 32 | (uint32_t)height), rgba, bytes);
}

void beginRecording(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  FrameList& f = g_sdl.frame;
  f.draws.clear();
  f.verts.clear();
  f.indices.clear();
  f.clear[0] = r;
  f.clear[1] = g;
  f.clear[2] = b;
  f.clear[3] = a;
  int w = 0, h = 0;
  SDL_GetRendererOutputSize(g_sdl.renderer, &w, &h);
  f.w = w;
  f.h = h;
  g_sdl.clipped = false;
  ++g_sdl.frameNumber;
  g_sdl.recording = true;
}

void recordDraw(Texture* t, const Vertex* vertices, int vertexCount, const int* indices, int indexCount, Blend blend) {
  FrameList& f = g_sdl.frame;
  Recorded d;
  d.tex = t;
  d.blend = blend;
  d.clipped = g_sdl.clipped;
  d.clip = g_sdl.clip;
  d.firstVert = (uint32_t)f.verts.size();
  d.vertCount = (uint32_t)vertexCount;
  d.firstIndex = (uint32_t)f.indices.size();
  d.indexCount = (uint32_t)indexCount;
  f.verts.insert(f.verts.end(), vertices, vertices + vertexCount);
  f.indices.insert(f.indices.end(), indices, indices + indexCount);
  float x0 = vertices[0].x, x1 = x0, y0 = vertices[0].y, y1 = y0;
  for (int i = 1; i < vertexCount; ++i) {
    x0 = std::min(x0, vertices[i].x);
    x1 = std::max(x1, vertices[i].x);
    y0 = std::min(y0, vertices[i].y);
    y1 = std::max(y1, vertices[i].y);
  }
  // A pixel's margin; a draw off the output or clipped away covers nothing.
  Rect out{0, 0, f.w, f.h};
  Rect b{0, 0, 0, 0};
  if (std::isfinite(x0) && std::isfinite(x1) && std::isfinite(y0) && std::isfinite(y1)) {
    auto clampi = [](float v) { return (int)std::min(std::max(v, -1e6f), 1e6f); };
    b = Rect{clampi(std::floor(x0)) - 1, clampi(std::floor(y0)) - 1, clampi(std::ceil(x1)) + 1,
             clampi(std::ceil(y1)) + 1};
  }
  if (!intersectRects(b, out, d.bounds) || (d.clipped && !intersectRects(d.bounds, d.clip, d.bounds)))
    d.bounds = Rect{0, 0, 0, 0};
  uint64_t h = 0x243f6a8885a308d3ull;
  if (t) {
    h = mix(h, t->serial);
    h = mix(h, (uint64_t)t->linear | (uint64_t)t->repeatS << 1 | (uint64_t)t->repeatT << 2);
    t->recordedIn = g_sdl.frameNumber;
  }
  h = mix(h, (uint64_t)blend);
  if (d.clipped) h = hashBytes(h, &d.clip, sizeof d.clip);
  h = hashBytes(h, vertices, sizeof(Vertex) * (size_t)vertexCount);
  h = hashBytes(h, indices, sizeof(int) * (size_t)indexCount);
  d.key = h;
  f.draws.push_back(d);
}

namespace {

// The rectangles to draw again; false when the whole frame must be drawn.
bool findDamage(std::vector<Rect>& rects) {
  const FrameList &a = g_sdl.last, &b = g_sdl.frame;
  if (!g_sdl.lastValid || !g_sdl.shortcuts || a.w != b.w || a.h != b.h || memcmp(a.clear, b.clear, 4) != 0)
    return false;
  const int n = (int)a.draws.size(), m = (int)b.draws.size();
  int p = 0;
  while (p < n && p < m && a.draws[(size_t)p].key == b.draws[(size_t)p].key) ++p;
  int s = 0;
  while (s < n - p && s < m - p && a.draws[(size_t)(n - 1 - s)].key == b.draws[(size_t)(m - 1 - s)].key) ++s;
  std::vector<uint64_t> ka, kb;
  for (int i = p; i < n - s; ++i) ka.push_back(a.draws[(size_t)i].key);
  for (int i = p; i < m - s; ++i) kb.push_back(b.draws[(size_t)i].key);
  std::vector<uint8_t> gone, added;
  if (!markEdits(ka.data(), (int)ka.size(), kb.data(), (int)kb.size(), kMaxEdits, gone, added)) return false;
  for (size_t i = 0; i < gone.size(); ++i)
    if (gone[i] && rectArea(a.draws[(size_t)p + i].bounds) > 0)
      addDamage(rects, a.draws[(size_t)p + i].bounds, kMaxRects);
  for (size_t i = 0; i < added.size(); ++i)
    if (added[i] && rectArea(b.draws[(size_t)p + i].bounds) > 0)
      addDamage(rects, b.draws[(size_t)p + i].bounds, kMaxRects);
  long covered = 0;
  for (const Rect& r : rects) covered += rectArea(r);
  return covered <= (long)(kWholeShare * b.w * b.h);
}

void setSdlClip(const Rect* r) {
  if (!r) {
    SDL_RenderSetClipRect(g_sdl.renderer, nullptr);
    return;
  }
  SDL_Rect s{r->x0, r->y0, r->x1 - r->x0, r->y1 - r->y0};
  SDL_RenderSetClipRect(g_sdl.renderer, &s);
}

// Draws the frame's draws that reach into `only` (null: all of them), each
// clipped to its own clip and to that rectangle.
void replay(const FrameList& f, const Rect* only) {
  const Rect whole{0, 0, f.w, f.h};
  bool set = false, clipped = false;
  Rect current = whole;
  for (const Recorded& d : f.draws) {
    if (rectArea(d.bounds) == 0) continue;
    Rect clip = whole;
    bool wantClip = false;
    if (only) {
      if (!intersectRects(d.bounds, *only, clip)) continue;
      clip = *only;
      wantClip = true;
    }
    if (d.clipped) {
      if (!intersectRects(clip, d.clip, clip)) continue;
      wantClip = true;
    }
    if (!set || wantClip != clipped ||
        (wantClip &&
         (clip.x0 != current.x0 || clip.y0 != current.y0 || clip.x1 != current.x1 || clip.y1 != current.y1))) {
      flushBatches();
      setSdlClip(wantClip ? &clip : nullptr);
      set = true;
      clipped = wantClip;
      current = clip;
    }
    enqueueDraw(d.tex, &f.verts[d.firstVert], (int)d.vertCount, &f.indices[d.firstIndex], (int)d.indexCount, d.blend);
  }
  flushBatches();
}

}  // namespace

void resolveFrame() {
  if (!g_sdl.recording) return;
  g_sdl.recording = false;
  FrameList& f = g_sdl.frame;
  std::vector<Rect> rects;
  const bool partial = findDamage(rects);
  endBatches(false);
  if (!partial) {
    setSdlClip(nullptr);
    SDL_SetRenderDrawColor(g_sdl.renderer, f.clear[0], f.clear[1], f.clear[2], f.clear[3]);
    SDL_RenderClear(g_sdl.renderer);
    replay(f, nullptr);
    ++g_sdl.wholeFrames;
  } else {
    for (const Rect& r : rects) {
      // Clearing a rectangle: a quad without blending (a clear ignores the clip).
      flushBatches();
      setSdlClip(&r);
      const float x0 = (float)r.x0, y0 = (float)r.y0, x1 = (float)r.x1, y1 = (float)r.y1;
      const Vertex quad[4] = {{x0, y0, f.clear[0], f.clear[1], f.clear[2], f.clear[3], 0, 0},
                              {x1, y0, f.clear[0], f.clear[1], f.clear[2], f.clear[3], 0, 0},
                              {x1, y1, f.clear[0], f.clear[1], f.clear[2], f.clear[3], 0, 0},
                              {x0, y1, f.clear[0], f.clear[1], f.clear[2], f.clear[3], 0, 0}};
      const int idx[6] = {0, 1, 2, 0, 2, 3};
      enqueueDraw(nullptr, quad, 4, idx, 6, Blend::None);
      replay(f, &r);
    }
    ++g_sdl.partialFrames;
  }
  setSdlClip(nullptr);
  g_sdl.lastRects = rects;
  if (!partial) g_sdl.lastRects.assign(1, Rect{0, 0, f.w, f.h});
  std::swap(g_sdl.last, g_sdl.frame);
  g_sdl.lastValid = true;
}

FrameCounts frameCounts() {
  FrameCounts c;
  c.whole = g_sdl.wholeFrames;
  c.partial = g_sdl.partialFrames;
  for (const Rect& r : g_sdl.lastRects) c.lastPixels += rectArea(r);
  return c;
}

}  // namespace backend
}  // namespace kest
