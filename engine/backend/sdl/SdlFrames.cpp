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
// A changed rectangle is drawn from the last draw that hides it whole (with
// nothing to clear), and in a window one whose draws came before shows the
// pixels kept from then, with nothing drawn: a frame animation over a still
// table goes round the same few pictures.
//
// The frame is kept where it is drawn: a headless GL surface or its canvas,
// the software renderer's window surface, and in a GL window its back buffer
// (shown a part at a time with glXCopySubBufferMESA, never swapped) or else a
// canvas copied to the window at present.

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
  g_sdl.recordedAgain = 0;
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
constexpr size_t kGoneMax = 32;
}  // namespace

void textureGone(const Texture* t) {
  if (!t || t->recordedIn == 0 || t->recordedIn != g_sdl.lastNumber) return;
  if (g_sdl.gone.size() < kGoneMax)
    g_sdl.gone.push_back(t);
  else
    g_sdl.goneMany = true;
}

uint64_t recordingFrame() { return g_sdl.recording ? g_sdl.frameNumber : 0; }

uint32_t recordedDraws() { return (uint32_t)g_sdl.frame.draws.size(); }

namespace {

// Whether draws [first, first + count) of the last frame can be recorded
// again into the frame being recorded.
bool lastDrawsUsable(uint64_t frame, uint32_t first, uint32_t count) {
  const FrameList &a = g_sdl.last, &f = g_sdl.frame;
  if (!g_sdl.recording || frame == 0 || frame != g_sdl.lastNumber || frame + 1 != g_sdl.frameNumber) return false;
  if (first > a.draws.size() || count > a.draws.size() - first) return false;
  // Bounds were clipped to the output.
  return a.w == f.w && a.h == f.h;
}

}  // namespace

bool canRecordAgain(uint64_t frame, uint32_t first, uint32_t count) {
  if (!lastDrawsUsable(frame, first, count) || g_sdl.goneMany) return false;
  const FrameList& a = g_sdl.last;
  if (!g_sdl.gone.empty())
    for (uint32_t k = first; k < first + count; ++k)
      if (a.draws[k].tex && std::find(g_sdl.gone.begin(), g_sdl.gone.end(), a.draws[k].tex) != g_sdl.gone.end())
        return false;
  return true;
}

bool recordAgain(uint64_t frame, uint32_t first, uint32_t count) {
  if (!canRecordAgain(frame, first, count)) return false;
  const FrameList& a = g_sdl.last;
  FrameList& f = g_sdl.frame;
  if (count == 0) return true;
  // Draws recorded one after another: their vertices and indices are too.
  const Recorded &d0 = a.draws[first], &dn = a.draws[first + count - 1];
  const uint32_t v0 = d0.firstVert, v1 = dn.firstVert + dn.vertCount;
  const uint32_t i0 = d0.firstIndex, i1 = dn.firstIndex + dn.indexCount;
  const uint32_t vertAt = (uint32_t)f.verts.size(), indexAt = (uint32_t)f.indices.size();
  f.verts.insert(f.verts.end(), a.verts.begin() + v0, a.verts.begin() + v1);
  f.indices.insert(f.indices.end(), a.indices.begin() + i0, a.indices.begin() + i1);
  g_sdl.recordedAgain += count;
  for (uint32_t k = first; k < first + count; ++k) {
    Recorded d = a.draws[k];
    d.firstVert = d.firstVert - v0 + vertAt;
    d.firstIndex = d.firstIndex - i0 + indexAt;
    // Still drawn: a texture going from now on ends this frame's recording first.
    if (d.tex) const_cast<Texture*>(d.tex)->recordedIn = g_sdl.frameNumber;
    f.draws.push_back(d);
  }
  return true;
}

bool recordedAsBefore(uint64_t frame, uint32_t first, uint32_t count, uint32_t since) {
  const FrameList &a = g_sdl.last, &f = g_sdl.frame;
  if (!lastDrawsUsable(frame, first, count) || since > f.draws.size() || f.draws.size() - since != count) return false;
  for (uint32_t k = 0; k < count; ++k)
    if (a.draws[first + k].key != f.draws[since + k].key) return false;
  return true;
}

namespace {

// The rectangles to draw again; false when the whole frame must be drawn.
bool findDamage(std::vector<Rect>& rects, std::vector<uint8_t>& changed) {
  const FrameList &a = g_sdl.last, &b = g_sdl.frame;
  if (!g_sdl.lastValid || !g_sdl.shortcuts || a.w != b.w || a.h != b.h || memcmp(a.clear, b.clear, 4) != 0)
    return false;
  const int n = (int)a.draws.size(), m = (int)b.draws.size();
  int p = 0;
  while (p < n && p < m && a.draws[(size_t)p].key == b.draws[(size_t)p].key) ++p;
  int s = 0;
  while (s < n - p && s < m - p && a.draws[(size_t)(n - 1 - s)].key == b.draws[(size_t)(m - 1 - s)].key) ++s;
  // Kept between frames: their storage is reused.
  static std::vector<uint64_t> ka, kb;
  static std::vector<uint8_t> gone, added;
  ka.clear();
  kb.clear();
  for (int i = p; i < n - s; ++i) ka.push_back(a.draws[(size_t)i].key);
  for (int i = p; i < m - s; ++i) kb.push_back(b.draws[(size_t)i].key);
  if (!markEdits(ka.data(), (int)ka.size(), kb.data(), (int)kb.size(), kMaxEdits, gone, added)) return false;
  for (size_t i = 0; i < gone.size(); ++i)
    if (gone[i] && rectArea(a.draws[(size_t)p + i].bounds) > 0)
      addDamage(rects, a.draws[(size_t)p + i].bounds, kMaxRects);
  for (size_t i = 0; i < added.size(); ++i)
    if (added[i] && rectArea(b.draws[(size_t)p + i].bounds) > 0)
      addDamage(rects, b.draws[(size_t)p + i].bounds, kMaxRects);
  changed.assign((size_t)m, 0);
  for (size_t i = 0; i < added.size(); ++i) changed[(size_t)p + i] = added[i];
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

// A draw of one upright rectangle: its corners on the corners of its
// extent (in any order), texture coordinates, if textured, following x and y
// alone and within the texture.
struct UprightQuad {
  float x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // extent
  float u0 = 0, u1 = 0, t0 = 0, t1 = 0;  // texture coordinates at x0, x1, y0, y1
  bool fullAlpha = true;                 // every corner at alpha 255
};

bool uprightQuad(const FrameList& f, const Recorded& d, UprightQuad& q) {
  if (d.vertCount != 4 || d.indexCount != 6) return false;
  const Vertex* v = &f.verts[d.firstVert];
  q.x0 = q.x1 = v[0].x;
  q.y0 = q.y1 = v[0].y;
  for (int i = 1; i < 4; ++i) {
    q.x0 = std::min(q.x0, v[i].x);
    q.x1 = std::max(q.x1, v[i].x);
    q.y0 = std::min(q.y0, v[i].y);
    q.y1 = std::max(q.y1, v[i].y);
  }
  // Every corner on a corner of the extent; the two triangles then fill it.
  bool seen[4] = {false, false, false, false};
  q.fullAlpha = true;
  for (int i = 0; i < 4; ++i) {
    const bool left = v[i].x == q.x0, top = v[i].y == q.y0;
    if ((!left && v[i].x != q.x1) || (!top && v[i].y != q.y1)) return false;
    seen[(left ? 0 : 1) + (top ? 0 : 2)] = true;
    q.fullAlpha = q.fullAlpha && v[i].a == 255;
  }
  if (!(seen[0] && seen[1] && seen[2] && seen[3]) || q.x1 <= q.x0 || q.y1 <= q.y0) return false;
  const int* idx = &f.indices[d.firstIndex];
  for (int i = 0; i < 6; ++i)
    if (idx[i] < 0 || idx[i] > 3) return false;
  if (!d.tex) return true;
  for (int i = 0; i < 4; ++i) {
    if (v[i].x == q.x0) q.u0 = v[i].u; else q.u1 = v[i].u;
    if (v[i].y == q.y0) q.t0 = v[i].v; else q.t1 = v[i].v;
  }
  for (int i = 0; i < 4; ++i)
    if (v[i].u != (v[i].x == q.x0 ? q.u0 : q.u1) || v[i].v != (v[i].y == q.y0 ? q.t0 : q.t1)) return false;
  return std::min(q.u0, q.u1) >= 0 && std::max(q.u0, q.u1) <= 1 && std::min(q.t0, q.t1) >= 0 &&
         std::max(q.t0, q.t1) <= 1;
}

// The texels an upright textured quad draws from in r, a texel more each way
// for filtering: [x0, x1) x [y0, y1).
void texelsUnder(const Texture* t, const UprightQuad& q, const Rect& r, int& x0, int& y0, int& x1, int& y1) {
  auto texel = [](float a0, float a1, float p0, float p1, float p, int size) {
    return (a0 + (a1 - a0) * (p - p0) / (p1 - p0)) * (float)size;
  };
  const float ua = texel(q.u0, q.u1, q.x0, q.x1, (float)r.x0, t->w), ub = texel(q.u0, q.u1, q.x0, q.x1, (float)r.x1, t->w);
  const float va = texel(q.t0, q.t1, q.y0, q.y1, (float)r.y0, t->h), vb = texel(q.t0, q.t1, q.y0, q.y1, (float)r.y1, t->h);
  x0 = (int)std::floor(std::min(ua, ub)) - 1;
  y0 = (int)std::floor(std::min(va, vb)) - 1;
  x1 = (int)std::ceil(std::max(ua, ub)) + 1;
  y1 = (int)std::ceil(std::max(va, vb)) + 1;
}

// Whether the draw paints every pixel of r with opaque colour, so nothing
// drawn before it shows there: an upright rectangle (its texture, if any,
// laid straight along it and opaque under r) that writes without blending or
// blends at full alpha.
bool coversOpaquely(const FrameList& f, const Recorded& d, const Rect& r) {
  if (d.blend != Blend::None && d.blend != Blend::Alpha) return false;
  if (!rectInside(r, d.bounds) || (d.clipped && !rectInside(r, d.clip))) return false;
  UprightQuad q;
  if (!uprightQuad(f, d, q)) return false;
  if (!(q.x0 <= (float)r.x0 && q.y0 <= (float)r.y0 && q.x1 >= (float)r.x1 && q.y1 >= (float)r.y1)) return false;
  // Written over whatever was there, or blended at full alpha.
  if (d.blend == Blend::None) return true;
  if (!q.fullAlpha) return false;
  if (!d.tex) return true;
  int x0, y0, x1, y1;
  texelsUnder(d.tex, q, r, x0, y0, x1, y1);
  return texelsOpaque(d.tex, x0, y0, x1, y1);
}

// Whether the draw leaves every pixel of r as it was: a picture blended in
// whose texels there are all fully transparent.
bool leavesAlone(const FrameList& f, const Recorded& d, const Rect& r) {
  if (!d.tex || (d.blend != Blend::Alpha && d.blend != Blend::Add)) return false;
  UprightQuad q;
  if (!uprightQuad(f, d, q)) return false;
  int x0, y0, x1, y1;
  texelsUnder(d.tex, q, r, x0, y0, x1, y1);
  return texelsTransparent(d.tex, x0, y0, x1, y1);
}

// What lies under the last draw that hides the whole rectangle does not
// show: drawing starts there (cleared: at the clear colour, with no draw
// hiding it).
size_t drawnFrom(const FrameList& f, const Rect& r, bool& cleared) {
  size_t first = f.draws.size();
  while (first > 0 && !coversOpaquely(f, f.draws[first - 1], r)) --first;
  cleared = first == 0;
  return first > 0 ? first - 1 : 0;
}

// Draws the frame's draws that reach into `only` (null: all of them), each
// clipped to its own clip and to that rectangle; from `first` on.
void replay(const FrameList& f, const Rect* only, size_t first = 0, size_t end = SIZE_MAX) {
  const Rect whole{0, 0, f.w, f.h};
  bool set = false, clipped = false;
  Rect current = whole;
  for (size_t k = first; k < f.draws.size() && k < end; ++k) {
    const Recorded& d = f.draws[k];
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

// Kept pixels: a rectangle of at most this many pixels, this many kept
// rectangles and pixels in all (the keys of rectangles drawn lately are
// held in g_sdl's Recent lists).
constexpr long kKeptMaxPixels = 256 * 256;
constexpr size_t kKeptMaxCount = 128;
constexpr long kKeptMaxTotal = 2048 * 1024;
// Keeps the key of a rectangle's upper layer apart from the key of the same
// draws over the clear colour.
constexpr uint64_t kLayerSalt = 0x3c6ef372fe94f82bull;

bool reaches(const Recorded& d, const Rect& r) {
  Rect in;
  if (rectArea(d.bounds) == 0 || !intersectRects(d.bounds, r, in)) return false;
  return !d.clipped || intersectRects(in, d.clip, in);
}

// What decides the pixels of r: where it is, and the draws that reach into it
// from `first` on (the clear colour when nothing hides it whole).
uint64_t rectKey(const FrameList& f, const Rect& r, size_t first, size_t end, bool cleared) {
  uint64_t h = mix(0x510e527fade682d1ull, (uint64_t)(uint32_t)r.x0 << 32 | (uint32_t)r.y0);
  h = mix(h, (uint64_t)(uint32_t)r.x1 << 32 | (uint32_t)r.y1);
  if (cleared) h = hashBytes(h, f.clear, 4);
  for (size_t k = first; k < end; ++k)
    if (reaches(f.draws[k], r)) h = mix(h, f.draws[k].key);
  return h;
}

// Where the draws reaching into r from `first` on can be cut in two layers:
// the first new one, after which every draw reaching in is blended so that
// what is under it shows through in proportion (no adding); SIZE_MAX when
// there is none, or it is the first.
size_t layerCut(const FrameList& f, const std::vector<uint8_t>& changed, const Rect& r, size_t first) {
  size_t cut = SIZE_MAX;
  for (size_t k = first + 1; k < f.draws.size(); ++k) {
    if (!reaches(f.draws[k], r)) continue;
    if (cut == SIZE_MAX && k < changed.size() && changed[k]) cut = k;
    if (cut != SIZE_MAX && f.draws[k].blend == Blend::Add) return SIZE_MAX;
  }
  return cut;
}

// Whether a window surface holds pixels as 0xAARRGGBB or 0xXXRRGGBB, the
// layout pixels are read and put together in.
bool takesArgb(const SDL_Surface* s) {
  return s && (s->format->format == SDL_PIXELFORMAT_ARGB8888 || s->format->format == SDL_PIXELFORMAT_RGB888);
}

// Reads r of the output (a GL window's back buffer, or the window surface), as
// 0xAARRGGBB; the draws before it are sent already (replay ends so).
bool readRect(const Rect& r, std::vector<uint32_t>& pixels) {
  const int w = r.x1 - r.x0, h = r.y1 - r.y0;
  pixels.resize((size_t)w * h);
  SDL_Rect sr{r.x0, r.y0, w, h};
  return SDL_RenderReadPixels(g_sdl.renderer, &sr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), w * 4) == 0;
}

// The software renderer's window surface, which keeps the frame; null for
// any other output.
SDL_Surface* windowSurface() { return g_sdl.software ? SDL_GetWindowSurface(g_sdl.window) : nullptr; }

// h rows of w 32-bit pixels between buffers whose rows lie the given
// numbers of bytes apart.
void copyRows(void* to, size_t toPitch, const void* from, size_t fromPitch, int w, int h) {
  for (int y = 0; y < h; ++y)
    memcpy((uint8_t*)to + (size_t)y * toPitch, (const uint8_t*)from + (size_t)y * fromPitch, (size_t)w * 4);
}

// Where pixel (x, y) lies in a buffer of 32-bit pixels whose rows lie `pitch` bytes apart.
uint8_t* at(void* pixels, size_t pitch, int x, int y) { return (uint8_t*)pixels + (size_t)y * pitch + (size_t)x * 4; }

// Rows of 32-bit pixels between r of a window surface and a packed buffer.
void putOnSurface(SDL_Surface* surface, const Rect& r, const uint32_t* pixels) {
  const int w = r.x1 - r.x0;
  copyRows(at(surface->pixels, surface->pitch, r.x0, r.y0), surface->pitch, pixels, (size_t)w * 4, w, r.y1 - r.y0);
}

void takeFromSurface(const SDL_Surface* surface, const Rect& r, uint32_t* pixels) {
  const int w = r.x1 - r.x0;
  copyRows(pixels, (size_t)w * 4, at(surface->pixels, surface->pitch, r.x0, r.y0), surface->pitch, w, r.y1 - r.y0);
}

// Fills r with one opaque colour (a clear ignores the clip).
void fillRect(const Rect& r, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha) {
  flushBatches();
  SDL_Rect s{r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0};
  SDL_RenderSetClipRect(g_sdl.renderer, &s);
  const float x0 = (float)r.x0, y0 = (float)r.y0, x1 = (float)r.x1, y1 = (float)r.y1;
  const Vertex quad[4] = {{x0, y0, red, green, blue, alpha, 0, 0},
                          {x1, y0, red, green, blue, alpha, 0, 0},
                          {x1, y1, red, green, blue, alpha, 0, 0},
                          {x0, y1, red, green, blue, alpha, 0, 0}};
  const int idx[6] = {0, 1, 2, 0, 2, 3};
  enqueueDraw(nullptr, quad, 4, idx, 6, Blend::None);
}

// The frame's next buffer of pixels put together, shown for the rectangle
// (the buffers are kept from frame to frame).
std::vector<uint32_t>& nextComposed(ShownRect& shown) {
  if (g_sdl.composed.size() <= g_sdl.composedCount) g_sdl.composed.emplace_back();
  shown.composed = (int)g_sdl.composedCount;
  return g_sdl.composed[g_sdl.composedCount++];
}

// A rectangle put together from the pixels under its first new draw and the
// draws from there on over black and over white (composeOver).
void composeLayers(ShownRect& shown, KeptPixels& under, KeptPixels& layer) {
  under.used = layer.used = g_sdl.frameNumber;
  std::vector<uint32_t>& out = nextComposed(shown);
  const size_t n = under.pixels.size();
  out.resize(n);
  composeOver(under.pixels.data(), layer.pixels.data(), layer.pixels.data() + n, out.data(), n);
}

// The draws from `from` on that reach into r, over black and then over white
// (what composeOver takes), one after the other. Leaves r of the output
// drawn over; false when it could not be read.
bool drawLayer(const FrameList& f, const Rect& r, size_t from, std::vector<uint32_t>& both) {
  std::vector<uint32_t> overWhite;
  fillRect(r, 0, 0, 0, 255);
  replay(f, &r, from);
  if (!readRect(r, both)) return false;
  fillRect(r, 255, 255, 255, 255);
  replay(f, &r, from);
  if (!readRect(r, overWhite) || overWhite.size() != both.size()) return false;
  both.insert(both.end(), overWhite.begin(), overWhite.end());
  return true;
}

int findKept(uint64_t key) {
  for (size_t i = 0; i < g_sdl.kept.size(); ++i)
    if (g_sdl.kept[i].key == key) return (int)i;
  return -1;
}

// Whether the key was drawn lately; remembers it.
bool seenBefore(uint64_t key) {
  for (uint64_t k : g_sdl.seenKeys.items)
    if (k == key) return true;
  g_sdl.seenKeys.remember(key);
  return false;
}

// Whether the draws of a layer were seen lately over other pixels than
// these; remembers them over these. Over the same pixels every time (a
// frame animation over a still table), the whole rectangle's pixels come
// round and are kept alone: keeping layers too would only take the room.
bool seenOverAnother(uint64_t layerKey, uint64_t underKey) {
  for (auto& s : g_sdl.layersSeen.items)
    if (s.first == layerKey) {
      const bool other = s.second != underKey;
      s.second = underKey;
      return other;
    }
  g_sdl.layersSeen.remember({layerKey, underKey});
  return false;
}

// A picture going round over a rectangle that changed under it (a clock's
// light over its digits): where its top draw starts, its bounds, and the
// keys of what lies under it there and of what is drawn from it on.
struct PictureOver {
  size_t cut = SIZE_MAX;
  Rect b{0, 0, 0, 0};
  uint64_t underKey = 0, layerKey = 0;
};

// The topmost new draw reaching into r, when it lies inside r, the draws
// after it reach r only within its bounds, what is drawn from it on over its
// bounds is kept or was drawn before, and what lies under it there is not
// kept: its next frames can be put together from two kept
// layers (composeLayers) once what lies under it now is read.
bool findPictureOver(const FrameList& f, const std::vector<uint8_t>& changed, const Rect& r, size_t top,
                     PictureOver& p) {
  size_t cut = SIZE_MAX;
  for (size_t k = std::min(f.draws.size(), changed.size()); k-- > top + 1;)
    if (changed[k] && reaches(f.draws[k], r)) {
      cut = k;
      break;
    }
  if (cut == SIZE_MAX) return false;
  const Rect b = f.draws[cut].bounds;
  if (!rectInside(b, r) || rectArea(b) == 0 || rectArea(b) > kKeptMaxPixels) return false;
  // Only the picture's bounds are put together: a draw over it must leave
  // the rest of r alone.
  for (size_t k = cut + 1; k < f.draws.size(); ++k) {
    const Recorded& d = f.draws[k];
    Rect in;
    if (!reaches(d, r) || !intersectRects(d.bounds, r, in)) continue;
    if (d.clipped && !intersectRects(in, d.clip, in)) continue;
    if (rectInside(in, b)) continue;
    // What of r lies above, below, left and right of b.
    const Rect rest[4] = {{r.x0, r.y0, r.x1, b.y0}, {r.x0, b.y1, r.x1, r.y1}, {r.x0, b.y0, b.x0, b.y1},
                          {b.x1, b.y0, r.x1, b.y1}};
    for (const Rect& part : rest) {
      Rect touched;
      if (intersectRects(part, in, touched) && !leavesAlone(f, d, touched)) return false;
    }
  }
  const uint64_t layerKey = mix(rectKey(f, b, cut, f.draws.size(), false), kLayerSalt);
  if (findKept(layerKey) < 0 && !seenBefore(layerKey)) return false;
  bool cleared = false;
  const size_t start = drawnFrom(f, b, cleared);
  if (start >= cut) return false;
  const uint64_t underKey = rectKey(f, b, start, cut, cleared);
  if (findKept(underKey) >= 0) return false;
  p.cut = cut;
  p.b = b;
  p.underKey = underKey;
  p.layerKey = layerKey;
  return true;
}

// With what lies under the picture drawn in r (or put together in
// madeUnder), puts r together from pixels: r read back, the picture's layer
// (kept, or drawn now over black and over white, and kept) over its part.
// Both layers are kept for its next frames.
// The pixels go into the software renderer's window surface, or are shown
// like kept ones (the back buffer lags there). False when the output could
// not be read: r is then to be drawn again whole.
bool putPictureOver(const FrameList& f, const Rect& r, const PictureOver& p, SDL_Surface* surface, ShownRect& shown,
                    std::vector<uint32_t>* madeUnder) {
  std::vector<uint32_t> pixels, drawn;
  if (madeUnder && madeUnder->size() == (size_t)rectArea(r))
    pixels = std::move(*madeUnder);
  else if (!readRect(r, pixels))
    return false;
  const size_t rowBytes = (size_t)(r.x1 - r.x0) * 4;
  const int bw = p.b.x1 - p.b.x0, bh = p.b.y1 - p.b.y0;
  const size_t n = (size_t)bw * bh;
  uint8_t* const inR = at(pixels.data(), rowBytes, p.b.x0 - r.x0, p.b.y0 - r.y0);
  std::vector<uint32_t> under(n);
  copyRows(under.data(), (size_t)bw * 4, inR, rowBytes, bw, bh);
  const int kept = findKept(p.layerKey);
  const std::vector<uint32_t>* layer = &drawn;
  if (kept >= 0 && g_sdl.kept[(size_t)kept].pixels.size() == 2 * n) {
    g_sdl.kept[(size_t)kept].used = g_sdl.frameNumber;
    layer = &g_sdl.kept[(size_t)kept].pixels;
  } else if (!drawLayer(f, p.b, p.cut, drawn) || drawn.size() != 2 * n) {
    return false;
  }
  std::vector<uint32_t> composed(n);
  composeOver(under.data(), layer->data(), layer->data() + n, composed.data(), n);
  copyRows(inR, rowBytes, composed.data(), (size_t)bw * 4, bw, bh);
  g_sdl.pendingKeeps.push_back({p.underKey, std::move(under)});
  if (kept < 0) g_sdl.pendingKeeps.push_back({p.layerKey, std::move(drawn)});
  // Not drawn whole in the back buffer: nothing there to keep.
  shown.keep = false;
  if (surface) {
    putOnSurface(surface, r, pixels.data());
  } else {
    nextComposed(shown) = std::move(pixels);
  }
  return true;
}

// A rectangle can be put together without drawing when the draws reaching
// it from some draw on are pictures laid a texel to a pixel (a clock's digits
// and its light): over the pixels kept of it with the draws before that one.
struct OnCpu {
  size_t first = SIZE_MAX;  // the earliest such draw after the one the rectangle is drawn from
  uint64_t baseKey = 0;     // of the rectangle with the draws before it
  int kept = -1;            // where those pixels are kept
};

// Where the draw lays a picture a texel to a pixel from a texture whose
// texels can be had (texelsOnCpu reads them only when they are needed).
bool texelQuadOf(const FrameList& f, const Recorded& d, TexelQuad& out) {
  const Texture* t = d.tex;
  if (!t || (d.blend != Blend::Alpha && d.blend != Blend::None) || !mayHaveTexelsOnCpu(t)) return false;
  UprightQuad q;
  if (!uprightQuad(f, d, q)) return false;
  const Vertex* v = &f.verts[d.firstVert];
  for (int i = 1; i < 4; ++i)
    if (v[i].r != v[0].r || v[i].g != v[0].g || v[i].b != v[0].b || v[i].a != v[0].a) return false;
  auto whole = [](float a, int& n) {
    if (!(std::fabs(a) < 1e6f)) return false;
    n = (int)std::lround(a);
    return std::fabs(a - (float)n) < 1e-3f;
  };
  int x0, y0, x1, y1, u0, v0;
  const float du = (q.u1 - q.u0) * (float)t->w, dv = (q.t1 - q.t0) * (float)t->h;
  if (!whole(q.x0, x0) || !whole(q.y0, y0) || !whole(q.x1, x1) || !whole(q.y1, y1) ||
      !whole(q.u0 * (float)t->w, u0) || !whole(q.t0 * (float)t->h, v0) ||
      std::fabs(std::fabs(du) - (float)(x1 - x0)) > 1e-3f || std::fabs(std::fabs(dv) - (float)(y1 - y0)) > 1e-3f)
    return false;
  out.at = Rect{x0, y0, x1, y1};
  out.sx = du > 0 ? 1 : -1;
  out.sy = dv > 0 ? 1 : -1;
  // Mirrored, the first pixel's centre lies half a texel inside the far edge.
  out.tx = out.sx > 0 ? u0 : u0 - 1;
  out.ty = out.sy > 0 ? v0 : v0 - 1;
  out.colour[0] = v[0].r, out.colour[1] = v[0].g, out.colour[2] = v[0].b, out.colour[3] = v[0].a;
  out.blend = d.blend == Blend::Alpha;
  return true;
}

// Whether the draw changes nothing in r: it does not reach it, or its
// texels there are all clear (a table's frame with a hole over a clock).
bool passesOver(const FrameList& f, const Recorded& d, const Rect& r) {
  Rect in;
  if (!reaches(d, r) || !intersectRects(d.bounds, r, in)) return true;
  return leavesAlone(f, d, in);
}

// Whether r, drawn from `start` up to draw `end`, can be put together on the
// CPU: the earliest draw after `start` from which on every draw reaching r
// before `end` lays a picture a texel to a pixel or passes over, and where
// the pixels of r with the draws before it are kept.
bool findOnCpu(const FrameList& f, const Rect& r, size_t start, bool cleared, size_t end, OnCpu& u) {
  if (!g_sdl.gl.getTexImage || rectArea(r) > kKeptMaxPixels) return false;
  end = std::min(end, f.draws.size());
  size_t first = end;
  bool laid = false;  // a picture to lay, not only draws passing over
  for (; first > start + 1; --first) {
    TexelQuad q;
    const Recorded& d = f.draws[first - 1];
    if (passesOver(f, d, r)) continue;
    if (!texelQuadOf(f, d, q)) break;
    laid = true;
  }
  // With nothing to lay, the pixels under the draws passing over are the
  // rectangle's own: kept as they are, not as a base.
  if (first >= end || !laid) return false;
  u.first = first;
  // The same pixels as the rectangle read back after those draws: the key is shared.
  u.baseKey = rectKey(f, r, start, first, cleared);
  u.kept = findKept(u.baseKey);
  if (u.kept >= 0 && g_sdl.kept[(size_t)u.kept].pixels.size() != (size_t)rectArea(r)) u.kept = -1;
  return true;
}

// Lays the draws [from, end) over the pixels of r, texel for texel.
bool drawRangeOnCpu(const FrameList& f, const Rect& r, size_t from, size_t end, std::vector<uint32_t>& pixels) {
  for (size_t k = from; k < end && k < f.draws.size(); ++k) {
    const Recorded& d = f.draws[k];
    Rect clip = r;
    if (passesOver(f, d, r) || (d.clipped && !intersectRects(clip, d.clip, clip))) continue;
    TexelQuad q;
    const uint8_t* texels = nullptr;
    if (!texelQuadOf(f, d, q) || !(texels = texelsOnCpu(d.tex)) ||
        !drawTexelQuad(pixels.data(), r, clip, texels, d.tex->w, d.tex->h, q))
      return false;
  }
  return true;
}

// The kept pixels with the draws from the first on, up to `end`, laid over them.
bool drawOnCpu(const FrameList& f, const Rect& r, size_t end, const OnCpu& u, std::vector<uint32_t>& pixels) {
  if (u.kept < 0 || u.first > end) return false;
  KeptPixels& base = g_sdl.kept[(size_t)u.kept];
  base.used = g_sdl.frameNumber;
  pixels = base.pixels;
  return drawRangeOnCpu(f, r, u.first, end, pixels);
}

// drawLayer's layer, laid texel for texel: the draws from `from` on over
// black and then over white.
bool drawLayerOnCpu(const FrameList& f, const Rect& r, size_t from, std::vector<uint32_t>& both) {
  const size_t n = (size_t)rectArea(r);
  std::vector<uint32_t> white(n, 0xffffffffu);
  both.assign(n, 0xff000000u);
  if (!drawRangeOnCpu(f, r, from, f.draws.size(), both) || !drawRangeOnCpu(f, r, from, f.draws.size(), white))
    return false;
  both.insert(both.end(), white.begin(), white.end());
  return true;
}

void keepPixels(uint64_t key, std::vector<uint32_t>&& pixels) {
  std::vector<KeptPixels>& kept = g_sdl.kept;
  const long area = (long)pixels.size();
  long total = area;
  for (const KeptPixels& k : kept) total += (long)k.pixels.size();
  // The longest unused go first.
  while (!kept.empty() && (kept.size() >= kKeptMaxCount || total > kKeptMaxTotal)) {
    size_t oldest = 0;
    for (size_t i = 1; i < kept.size(); ++i)
      if (kept[i].used < kept[oldest].used) oldest = i;
    total -= (long)kept[oldest].pixels.size();
    freePixmap(kept[oldest].pixmap);
    kept.erase(kept.begin() + (long)oldest);
  }
  KeptPixels k;
  k.key = key;
  k.used = g_sdl.frameNumber;
  k.pixels = std::move(pixels);
  kept.push_back(std::move(k));
}

}  // namespace

bool canKeepPixels() {
  if (!g_sdl.shortcuts || g_sdl.headless || g_sdl.target || !g_sdl.window) return false;
  if (g_sdl.software) {
    SDL_Surface* s = SDL_GetWindowSurface(g_sdl.window);
    return s && s->format->BytesPerPixel == 4;
  }
  return g_sdl.copySubBuffer && !g_sdl.canvas && canPutOnWindow();
}

void showKeptPixels(std::vector<Rect>& drawn) {
  drawn.clear();
  // A frame drawn whole has no rectangles of its own.
  if (g_sdl.shown.empty()) drawn = g_sdl.lastRects;
  for (const ShownRect& s : g_sdl.shown) {
    if ((s.kept < 0 && s.composed < 0) || g_sdl.software) {
      drawn.push_back(s.r);
      continue;
    }
    // Straight on the window; the back buffer lags there until drawn again.
    // Kept pixels go to the X server once and are copied there after that.
    const int w = s.r.x1 - s.r.x0, h = s.r.y1 - s.r.y0;
    bool put = false;
    if (s.kept >= 0) {
      KeptPixels& k = g_sdl.kept[(size_t)s.kept];
      if (k.pixmap == 0) k.pixmap = pixmapOnServer(k.pixels.data(), w, h);
      put = copyPixmapToWindow(k.pixmap, s.r.x0, s.r.y0, w, h) || putOnWindow(k.pixels.data(), s.r.x0, s.r.y0, w, h);
    } else {
      put = putOnWindow(g_sdl.composed[(size_t)s.composed].data(), s.r.x0, s.r.y0, w, h);
    }
    if (!put) {
      g_sdl.backStale = true;
      drawn.push_back(s.r);  // copied from a back buffer drawn whole again
    } else {
      auto& stale = g_sdl.staleBack;
      const bool listed =
          std::any_of(stale.begin(), stale.end(), [&s](const Rect& o) { return rectInside(s.r, o); });
      if (!listed && stale.size() < 16)
        stale.push_back(s.r);
      else if (!listed)
        g_sdl.backStale = true;
    }
  }
  if (g_sdl.backStale && !drawn.empty()) refreshBackBuffer();
}

void forgetKeptPixmaps() {
  for (KeptPixels& k : g_sdl.kept) {
    freePixmap(k.pixmap);
    k.pixmap = 0;
  }
}

bool backBufferLags() {
  if (!g_sdl.staleBack.empty() || g_sdl.backStale) return true;
  for (const ShownRect& s : g_sdl.shown)
    if (s.kept >= 0 || s.composed >= 0) return true;
  return false;
}

void keepDrawnPixels() {
  SDL_Surface* surface = windowSurface();
  for (const ShownRect& s : g_sdl.shown) {
    if (!s.keep) continue;
    std::vector<uint32_t> pixels;
    if (surface) {
      pixels.resize((size_t)rectArea(s.r));
      takeFromSurface(surface, s.r, pixels.data());
    } else if (!readRect(s.r, pixels)) {
      continue;
    }
    keepPixels(s.key, std::move(pixels));
  }
}

void refreshBackBuffer() {
  if (g_sdl.staleBack.empty() && !g_sdl.backStale) return;
  g_sdl.staleBack.clear();
  g_sdl.backStale = false;
  if (!g_sdl.lastValid) return;
  const FrameList& f = g_sdl.last;
  flushBatches();
  setSdlClip(nullptr);
  SDL_SetRenderDrawColor(g_sdl.renderer, f.clear[0], f.clear[1], f.clear[2], f.clear[3]);
  SDL_RenderClear(g_sdl.renderer);
  replay(f, nullptr);
  setSdlClip(nullptr);
}

void resolveFrame() {
  if (!g_sdl.recording) return;
  g_sdl.recording = false;
  // The last frame's rectangles are shown by now.
  for (auto& p : g_sdl.pendingKeeps) keepPixels(p.key, std::move(p.pixels));
  g_sdl.pendingKeeps.clear();
  FrameList& f = g_sdl.frame;
  std::vector<Rect> rects;
  static std::vector<uint8_t> changed;  // which draws are new; storage kept
  const bool partial = findDamage(rects, changed);
  const bool keeping = partial && canKeepPixels();
  g_sdl.shown.clear();
  endBatches(false);
  if (!partial) {
    setSdlClip(nullptr);
    SDL_SetRenderDrawColor(g_sdl.renderer, f.clear[0], f.clear[1], f.clear[2], f.clear[3]);
    SDL_RenderClear(g_sdl.renderer);
    replay(f, nullptr);
    ++g_sdl.wholeFrames;
    g_sdl.staleBack.clear();
    g_sdl.backStale = false;
  } else {
    g_sdl.composedCount = 0;
    SDL_Surface* const surface = keeping ? windowSurface() : nullptr;
    for (const Rect& r : rects) {
      bool cleared = false;
      const size_t start = drawnFrom(f, r, cleared);
      ShownRect shown;
      shown.r = r;
      // Layers of the rectangle: what lies under its first new draw, and
      // the draws from there on.
      size_t top = SIZE_MAX;
      uint64_t underKey = 0, layerKey = 0;
      bool keepUnder = false, keepLayer = false;
      if (keeping && rectArea(r) <= kKeptMaxPixels) {
        shown.key = rectKey(f, r, start, f.draws.size(), cleared);
        shown.kept = findKept(shown.key);
        if (shown.kept >= 0) {
          KeptPixels& k = g_sdl.kept[(size_t)shown.kept];
          k.used = g_sdl.frameNumber;
          g_sdl.shown.push_back(shown);
          ++g_sdl.keptRects;
          // The software renderer's window surface keeps the frame: the
          // pixels go straight into it.
          if (surface) putOnSurface(surface, r, k.pixels.data());
          continue;
        }
        shown.keep = seenBefore(shown.key);
        top = g_sdl.software && !takesArgb(surface) ? SIZE_MAX : layerCut(f, changed, r, start);
        if (top != SIZE_MAX) {
          underKey = rectKey(f, r, start, top, cleared);
          layerKey = mix(rectKey(f, r, top, f.draws.size(), false), kLayerSalt);
          const int under = findKept(underKey), layer = findKept(layerKey);
          if (under >= 0 && layer >= 0 &&
              g_sdl.kept[(size_t)layer].pixels.size() == 2 * g_sdl.kept[(size_t)under].pixels.size()) {
            // Never drawn into the back buffer: nothing there to keep.
            shown.keep = false;
            composeLayers(shown, g_sdl.kept[(size_t)under], g_sdl.kept[(size_t)layer]);
            ++g_sdl.keptRects;
            if (surface) {
              // The window surface keeps the frame: the pixels go into it.
              putOnSurface(surface, r, g_sdl.composed[(size_t)shown.composed].data());
              shown.composed = -1;
            }
            g_sdl.shown.push_back(shown);
            continue;
          }
          // Draws seen before over another picture go round: both layers are kept.
          keepLayer = layer < 0 && seenOverAnother(layerKey, underKey);
          keepUnder = under < 0 && (layer >= 0 || keepLayer);
        } else {
          top = SIZE_MAX;
        }
      }
      g_sdl.shown.push_back(shown);
      // Drawn again here: the back buffer holds it.
      auto& stale = g_sdl.staleBack;
      stale.erase(std::remove_if(stale.begin(), stale.end(), [&r](const Rect& s) { return rectInside(s, r); }),
                  stale.end());
      PictureOver picture;
      const bool over = !keepUnder && !keepLayer && top != SIZE_MAX && findPictureOver(f, changed, r, top, picture);
      OnCpu cpu;
      const bool onCpu = keeping && findOnCpu(f, r, start, cleared, over ? picture.cut : f.draws.size(), cpu);
      if (onCpu && cpu.kept >= 0) {
        std::vector<uint32_t> pixels;
        if (over) {
          // What lies under the picture; its layer goes over it as drawn.
          if (drawOnCpu(f, r, picture.cut, cpu, pixels) &&
              putPictureOver(f, r, picture, surface, g_sdl.shown.back(), &pixels)) {
            ++g_sdl.underOnCpu;
            continue;
          }
        } else {
          // With the layers its next frames are put together from: what
          // lies under its first new draw is taken on the way.
          const size_t all = f.draws.size(), split = keepUnder && top >= cpu.first ? top : all;
          std::vector<uint32_t> under, both;
          bool made = drawOnCpu(f, r, split, cpu, pixels);
          if (made && split < all) {
            under = pixels;
            made = drawRangeOnCpu(f, r, split, all, pixels);
          }
          if (made) {
            if (!under.empty()) g_sdl.pendingKeeps.push_back({underKey, std::move(under)});
            if (keepLayer && top >= cpu.first && drawLayerOnCpu(f, r, top, both))
              g_sdl.pendingKeeps.push_back({layerKey, std::move(both)});
            // Shown like kept pixels (the back buffer lags there), and kept
            // when drawn before.
            ShownRect& now = g_sdl.shown.back();
            if (now.keep) g_sdl.pendingKeeps.push_back({now.key, pixels});
            now.keep = false;
            nextComposed(now) = std::move(pixels);
            ++g_sdl.underOnCpu;
            continue;
          }
        }
      }
      if (keepLayer) {
        // The draws from the new one on.
        std::vector<uint32_t> both;
        if (drawLayer(f, r, top, both)) g_sdl.pendingKeeps.push_back({layerKey, std::move(both)});
      }
      const size_t end = keepUnder ? top : over ? picture.cut : f.draws.size();
      if (cleared) fillRect(r, f.clear[0], f.clear[1], f.clear[2], f.clear[3]);
      flushBatches();
      if (onCpu && cpu.kept < 0 && cpu.first < end && seenBefore(cpu.baseKey)) {
        // Drawn here a second time: what lies under the first picture drawn
        // on the CPU is kept, for the next changes to be put together from.
        replay(f, &r, start, cpu.first);
        std::vector<uint32_t> base;
        if (readRect(r, base)) g_sdl.pendingKeeps.push_back({cpu.baseKey, std::move(base)});
        replay(f, &r, cpu.first, end);
      } else {
        replay(f, &r, start, end);
      }
      if (over && !putPictureOver(f, r, picture, surface, g_sdl.shown.back(), nullptr)) {
        if (cleared) fillRect(r, f.clear[0], f.clear[1], f.clear[2], f.clear[3]);
        replay(f, &r, start);
      }
      if (keepUnder) {
        std::vector<uint32_t> under;
        if (readRect(r, under)) g_sdl.pendingKeeps.push_back({underKey, std::move(under)});
        replay(f, &r, top);
      }
    }
    ++g_sdl.partialFrames;
  }
  setSdlClip(nullptr);
  g_sdl.lastRects = rects;
  if (!partial) g_sdl.lastRects.assign(1, Rect{0, 0, f.w, f.h});
  g_sdl.rectCount += g_sdl.lastRects.size();
  for (const Rect& r : g_sdl.lastRects) g_sdl.rectPixels += (uint64_t)rectArea(r);
  std::swap(g_sdl.last, g_sdl.frame);
  g_sdl.lastValid = true;
  g_sdl.lastNumber = g_sdl.frameNumber;
  g_sdl.lastRecordedAgain = g_sdl.recordedAgain;
  g_sdl.gone.clear();
  g_sdl.goneMany = false;
}

void lastFrameRects(std::vector<int>& xywh, std::vector<uint8_t>& kept) {
  xywh.clear();
  kept.clear();
  for (const Rect& r : g_sdl.lastRects) {
    xywh.insert(xywh.end(), {r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0});
    uint8_t k = 0;
    for (const ShownRect& s : g_sdl.shown)
      if (s.r.x0 == r.x0 && s.r.y0 == r.y0 && s.r.x1 == r.x1 && s.r.y1 == r.y1) k = s.kept >= 0 || s.composed >= 0;
    kept.push_back(k);
  }
}

FrameCounts frameCounts() {
  FrameCounts c;
  c.whole = g_sdl.wholeFrames;
  c.partial = g_sdl.partialFrames;
  c.keptRects = g_sdl.keptRects;
  c.underOnCpu = g_sdl.underOnCpu;
  for (const Rect& r : g_sdl.lastRects) c.lastPixels += rectArea(r);
  c.lastRecordedAgain = g_sdl.lastRecordedAgain;
  c.rects = g_sdl.rectCount;
  c.rectPixels = g_sdl.rectPixels;
  c.sentPixels = g_sdl.sentPixels;
  c.sends = g_sdl.sends;
  return c;
}

}  // namespace backend
}  // namespace kest
