// SDL2 back end of the engine.
//
// Implemented: a window (hidden when headless) with SDL's OpenGL renderer,
// falling back to the software renderer (and, headless, from the offscreen
// video driver with EGL to the dummy driver); batched textured triangles with
// alpha, additive and modulating blends; clip rectangles; read-back of the
// frame; mouse, wheel, keys, text input and window state to CCEGLView;
// PNG/JPEG decoding (SDL2_image) on any thread; PNG saving; text with SDL2_ttf;
// message boxes.
// Not implemented: blend functions beyond the four SDL offers (others draw as
// alpha blending).
//
// Mesa's llvmpipe fills every pixel on the CPU, so two kinds of draw take the
// cheap road with the same result: one whose pixel centres land on texel
// centres samples the nearest texel instead of filtering four, and one that
// covers only opaque texels at full alpha is written without blending. Small
// textures drawn only whole (labels) share pages, so a board full of them is
// drawn in a few batches instead of one per texture, and changing a label's
// text writes into a page instead of making a new GL texture.

#include "backend/Backend.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <dlfcn.h>
#include <link.h>
#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <mutex>
#include <utility>

#include "CCEGLView.h"
#include "platform/AtomicFile.h"

namespace kest {
namespace backend {

// What SDL draws from: a texture's own, or a page that small ones share.
struct Surface {
  SDL_Texture* tex = nullptr;
  int w = 0, h = 0;
  bool sdlLinear = true;  // the filter SDL holds now
};

// Pages: rows ("shelves") of one height, each with its free spans of columns.
struct Shelf {
  int y, h;
  std::vector<std::pair<int, int>> free;  // [x0, x1), in order
};
struct Page {
  Surface surf;
  std::vector<Shelf> shelves;
  int nextY = 0;
  int live = 0;
};

struct Texture {
  Surface own;
  Surface* surf = &own;
  Page* page = nullptr;
  int x = 0, y = 0;  // where its texels start on the page
  unsigned generation = 0;
  int w = 0, h = 0;
  bool linear = true;                     // the filter the engine asked for
  bool repeatS = false, repeatT = false;  // else clamped to the edge
  // Opacity in blocks of kBlock x kBlock texels: 'opaque' when every texel
  // is, 'clear' when no block is, else prefix sums of the blocks that are not.
  bool opaque = false, clear = true;
  int bw = 0, bh = 0;
  std::vector<uint32_t> notOpaqueSum;  // (bw + 1) x (bh + 1)
};

namespace {

SDL_Window* g_window = nullptr;
SDL_Renderer* g_renderer = nullptr;
bool g_open = false;
bool g_tried = false;
const char* g_rendererName = "none";
bool g_software = false;

// Draws wait in batches until something needs them on the renderer (a clip,
// a target, a read-back, the end of the frame). A draw joins a batch of its
// state that comes no earlier than the last batch drawing where it draws, so
// interleaved states (opaque and fading sprites of one sheet, labels between
// sprites) cost a few batches instead of one per change.
struct Batch {
  Surface* surf = nullptr;
  Blend blend = Blend::Alpha;
  bool linear = true;
  std::vector<SDL_Vertex> verts;
  std::vector<int> indices;
};
std::vector<Batch> g_batches;  // the first g_batchCount wait; the rest keep their storage
size_t g_batchCount = 0;
constexpr size_t kMaxBatches = 32;
// For each kCell x kCell square of the output: the last waiting batch that
// draws there, or -1.
constexpr int kCell = 32;
int g_cellsW = 0, g_cellsH = 0;
int g_outW = 0, g_outH = 0;  // the output the batches draw to
std::vector<int8_t> g_cells;
static_assert(kMaxBatches <= 127, "batch numbers fit the cells");
bool g_shortcuts = true;
bool g_headless = false;

// A headless GL window draws into a buffer of the size it was opened with,
// which does not follow the window. Once the window has another size, frames
// are drawn into a canvas of that size instead.
int g_surfaceW = 0, g_surfaceH = 0;  // 0: the drawing surface follows the window
SDL_Texture* g_canvas = nullptr;
int g_canvasW = 0, g_canvasH = 0;
SDL_Texture* g_target = nullptr;  // what setRenderTarget asked for

constexpr int kPageSize = 1024;
constexpr int kPagedMaxW = 512, kPagedMaxH = 128;
std::vector<std::unique_ptr<Page>> g_pages;
// Textures made before the renderer last closed point at nothing of today's.
unsigned g_generation = 1;

constexpr int kBlock = 4;

std::map<std::pair<std::string, int>, TTF_Font*> g_fonts;

SDL_BlendMode toSdl(Blend b) {
  switch (b) {
    case Blend::None: return SDL_BLENDMODE_NONE;
    case Blend::Add: return SDL_BLENDMODE_ADD;
    case Blend::Modulate: return SDL_BLENDMODE_MOD;
    case Blend::Multiply: return SDL_BLENDMODE_MUL;
    default: return SDL_BLENDMODE_BLEND;
  }
}

bool tryOpen(const char* videoDriver, const char* renderDriver, bool hidden, int w, int h, const char* title) {
  if (videoDriver) SDL_SetHint(SDL_HINT_VIDEODRIVER, videoDriver);
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return false;
  Uint32 flags = hidden ? SDL_WINDOW_HIDDEN : (SDL_WINDOW_RESIZABLE | SDL_WINDOW_SHOWN);
  if (strcmp(renderDriver, "opengl") == 0) {
    flags |= SDL_WINDOW_OPENGL;
    // 2D drawing needs no depth or stencil; without them llvmpipe also drops
    // whatever an opaque full-tile draw covers.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
  }
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, renderDriver);
  // Naming a driver turns SDL's own batching off unless asked for.
  SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
  SDL_Window* win = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h, flags);
  if (!win) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    return false;
  }
  Uint32 rflags = strcmp(renderDriver, "software") == 0 ? SDL_RENDERER_SOFTWARE : SDL_RENDERER_ACCELERATED;
  SDL_Renderer* ren = SDL_CreateRenderer(win, -1, rflags);
  if (!ren) {
    SDL_DestroyWindow(win);
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    return false;
  }
  SDL_RendererInfo info;
  SDL_GetRendererInfo(ren, &info);
  g_rendererName =
      strcmp(info.name, "opengl") == 0 ? "opengl" : (strcmp(info.name, "software") == 0 ? "software" : "other");
  g_software = strcmp(g_rendererName, "software") == 0;
  g_window = win;
  g_renderer = ren;
  g_surfaceW = g_surfaceH = 0;
  if (hidden && strcmp(g_rendererName, "opengl") == 0) {
    g_surfaceW = w;
    g_surfaceH = h;
  }
  SDL_SetRenderDrawBlendMode(ren, SDL_BLENDMODE_BLEND);
  return true;
}

void submit(Batch& b) {
  SDL_Texture* t = b.surf ? b.surf->tex : nullptr;
  if (t && b.surf->sdlLinear != b.linear) {
    // SDL changes the filter at once, also for draws it still holds queued.
    SDL_RenderFlush(g_renderer);
    SDL_SetTextureScaleMode(t, b.linear ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
    b.surf->sdlLinear = b.linear;
  }
  if (t)
    SDL_SetTextureBlendMode(t, toSdl(b.blend));
  else
    SDL_SetRenderDrawBlendMode(g_renderer, toSdl(b.blend));
  SDL_RenderGeometry(g_renderer, t, b.verts.data(), (int)b.verts.size(), b.indices.data(), (int)b.indices.size());
}

// Drops the waiting batches (sent first when `send`) and sizes the cells to
// the output.
void endBatches(bool send) {
  for (size_t i = 0; i < g_batchCount; ++i) {
    Batch& b = g_batches[i];
    if (send && g_renderer && !b.indices.empty()) submit(b);
    b.verts.clear();
    b.indices.clear();
  }
  g_batchCount = 0;
  int w = 0, h = 0;
  if (g_renderer) SDL_GetRendererOutputSize(g_renderer, &w, &h);
  g_outW = w;
  g_outH = h;
  g_cellsW = (w + kCell - 1) / kCell;
  g_cellsH = (h + kCell - 1) / kCell;
  g_cells.assign((size_t)g_cellsW * g_cellsH, -1);
}

void flushBatch() { endBatches(true); }

// Draws into a canvas of the window's size when the drawing surface has
// another, into the surface when they agree again.
void fitCanvas() {
  if (g_surfaceW <= 0 || g_target) return;
  int w = 0, h = 0;
  SDL_GetWindowSize(g_window, &w, &h);
  const bool want = w > 0 && h > 0 && (w != g_surfaceW || h != g_surfaceH);
  if (g_canvas && (!want || w != g_canvasW || h != g_canvasH)) {
    flushBatch();
    SDL_SetRenderTarget(g_renderer, nullptr);
    SDL_DestroyTexture(g_canvas);
    g_canvas = nullptr;
  }
  if (want && !g_canvas) {
    g_canvas = SDL_CreateTexture(g_renderer, SDL_PIXELFORMAT_ABGR8888, SDL_TEXTUREACCESS_TARGET, w, h);
    if (!g_canvas) {
      SDL_Log("engine: canvas %dx%d not created: %s", w, h, SDL_GetError());
      return;
    }
    g_canvasW = w;
    g_canvasH = h;
    flushBatch();
    SDL_SetRenderTarget(g_renderer, g_canvas);
    endBatches(false);  // cells for the canvas
  }
}

bool waiting(const Surface* surf) {
  for (size_t i = 0; i < g_batchCount; ++i)
    if (g_batches[i].surf == surf) return true;
  return false;
}

// Marks the blocks holding any texel that is not fully opaque.
void summariseOpacity(Texture* t, const uint8_t* rgba) {
  const int w = t->w, h = t->h;
  t->bw = (w + kBlock - 1) / kBlock;
  t->bh = (h + kBlock - 1) / kBlock;
  std::vector<uint8_t> notOpaque((size_t)t->bw * t->bh, 0);
  size_t count = 0;
  for (int y = 0; y < h; ++y) {
    const uint8_t* row = rgba + (size_t)y * w * 4;
    uint8_t* blocks = &notOpaque[(size_t)(y / kBlock) * t->bw];
    for (int x = 0; x < w; ++x)
      if (row[x * 4 + 3] != 255 && !blocks[x / kBlock]) {
        blocks[x / kBlock] = 1;
        ++count;
      }
  }
  t->opaque = count == 0;
  t->clear = count == notOpaque.size();
  t->notOpaqueSum.clear();
  if (t->opaque || t->clear) return;
  const int stride = t->bw + 1;
  t->notOpaqueSum.assign((size_t)stride * (t->bh + 1), 0);
  for (int by = 0; by < t->bh; ++by)
    for (int bx = 0; bx < t->bw; ++bx)
      t->notOpaqueSum[(size_t)(by + 1) * stride + bx + 1] =
          notOpaque[(size_t)by * t->bw + bx] + t->notOpaqueSum[(size_t)by * stride + bx + 1] +
          t->notOpaqueSum[(size_t)(by + 1) * stride + bx] - t->notOpaqueSum[(size_t)by * stride + bx];
}

// Whether every texel of [x0, x1) x [y0, y1), clamped to the texture, is opaque.
bool texelsOpaque(const Texture* t, int x0, int y0, int x1, int y1) {
  if (t->opaque) return true;
  if (t->clear) return false;
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, t->w);
  y1 = std::min(y1, t->h);
  if (x1 <= x0 || y1 <= y0) return false;
  const int bx0 = x0 / kBlock, by0 = y0 / kBlock;
  const int bx1 = (x1 + kBlock - 1) / kBlock, by1 = (y1 + kBlock - 1) / kBlock;
  const int stride = t->bw + 1;
  const std::vector<uint32_t>& s = t->notOpaqueSum;
  return s[(size_t)by1 * stride + bx1] - s[(size_t)by0 * stride + bx1] - s[(size_t)by1 * stride + bx0] +
             s[(size_t)by0 * stride + bx0] ==
         0;
}

// A texel coordinate as an int, kept just around the picture: a frame of any
// size (or NaN) must not overflow the conversion; texelsOpaque clips anyway.
int texelIndex(float f, int size) {
  if (!(f > -1.0f)) return -1;
  if (!(f < (float)size + 1.0f)) return size + 1;
  return (int)f;
}

bool nearInt(float f, float tolerance) { return std::fabs(f - std::round(f)) < tolerance; }

// True when texel coordinates follow window pixels one to one (turned by
// quarter turns or flipped, but not scaled), with pixel centres on texel
// centres: then the nearest texel is exactly what filtering would give.
bool texelExact(const Texture* t, const Vertex* v, int n) {
  if (n < 3) return false;
  const float W = (float)t->w, H = (float)t->h;
  int k = -1;
  float dx1 = v[1].x - v[0].x, dy1 = v[1].y - v[0].y, det = 0;
  for (int i = 2; i < n && k < 0; ++i) {
    det = dx1 * (v[i].y - v[0].y) - (v[i].x - v[0].x) * dy1;
    if (std::fabs(det) > 1e-3f) k = i;
  }
  if (k < 0) return false;
  const float dx2 = v[k].x - v[0].x, dy2 = v[k].y - v[0].y;
  const float du1 = (v[1].u - v[0].u) * W, du2 = (v[k].u - v[0].u) * W;
  const float dv1 = (v[1].v - v[0].v) * H, dv2 = (v[k].v - v[0].v) * H;
  // Texel coordinate per window pixel along x and y.
  const float ux = (du1 * dy2 - du2 * dy1) / det, uy = (dx1 * du2 - dx2 * du1) / det;
  const float vx = (dv1 * dy2 - dv2 * dy1) / det, vy = (dx1 * dv2 - dx2 * dv1) / det;
  const float tol = 1e-3f;
  if (!nearInt(ux, tol) || !nearInt(uy, tol) || !nearInt(vx, tol) || !nearInt(vy, tol)) return false;
  const int a = (int)std::round(ux), b = (int)std::round(uy), c = (int)std::round(vx), d = (int)std::round(vy);
  if (std::abs(a) + std::abs(b) != 1 || std::abs(c) + std::abs(d) != 1 || a * d - b * c == 0) return false;
  const float u0 = v[0].u * W - a * v[0].x - b * v[0].y, v0 = v[0].v * H - c * v[0].x - d * v[0].y;
  if (!nearInt(u0, tol) || !nearInt(v0, tol)) return false;
  for (int i = 1; i < n; ++i)
    if (std::fabs(v[i].u * W - (a * v[i].x + b * v[i].y + u0)) > tol ||
        std::fabs(v[i].v * H - (c * v[i].x + d * v[i].y + v0)) > tol)
      return false;
  return true;
}

struct DrawState {
  Blend blend;
  bool linear;
};

DrawState chooseState(const Texture* t, const Vertex* v, int n, Blend blend) {
  DrawState st{blend, t ? t->linear : true};
  if (!g_shortcuts) return st;
  if (t && st.linear && texelExact(t, v, n)) st.linear = false;
  if (blend != Blend::Alpha) return st;
  for (int i = 0; i < n; ++i)
    if (v[i].a != 255) return st;
  if (t) {
    float u0 = v[0].u, u1 = v[0].u, v0 = v[0].v, v1 = v[0].v;
    for (int i = 1; i < n; ++i) {
      u0 = std::min(u0, v[i].u);
      u1 = std::max(u1, v[i].u);
      v0 = std::min(v0, v[i].v);
      v1 = std::max(v1, v[i].v);
    }
    // A repeated picture drawn past its edge shows all of itself.
    if (t->repeatS && (u0 < 0 || u1 > 1)) u0 = 0, u1 = 1;
    if (t->repeatT && (v0 < 0 || v1 > 1)) v0 = 0, v1 = 1;
    // Filtering reaches half a texel past the covered ones.
    const int m = st.linear ? 1 : 0;
    if (!texelsOpaque(t, texelIndex(std::floor(u0 * t->w), t->w) - m, texelIndex(std::floor(v0 * t->h), t->h) - m,
                      texelIndex(std::ceil(u1 * t->w), t->w) + m, texelIndex(std::ceil(v1 * t->h), t->h) + m))
      return st;
  }
  st.blend = Blend::None;
  return st;
}

// --- cutting triangles --------------------------------------------------------

// A corner of a polygon being cut: x, y, u, v, then r, g, b, a.
struct Corner {
  float f[8];
};
enum { kX, kY, kU, kV };
constexpr int kMaxCorners = 16;  // a triangle cut by eight lines

Corner toCorner(float x, float y, float u, float v, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  return Corner{{x, y, u, v, (float)r, (float)g, (float)b, (float)a}};
}

uint8_t channel(float f) { return (uint8_t)std::min(std::max(std::lround(f), 0L), 255L); }

SDL_Vertex toSdl(const Corner& c) {
  SDL_Vertex v;
  v.position = SDL_FPoint{c.f[kX], c.f[kY]};
  v.color = SDL_Color{channel(c.f[4]), channel(c.f[5]), channel(c.f[6]), channel(c.f[7])};
  v.tex_coord = SDL_FPoint{c.f[kU], c.f[kV]};
  return v;
}

Corner toCorner(const SDL_Vertex& v) {
  return toCorner(v.position.x, v.position.y, v.tex_coord.x, v.tex_coord.y, v.color.r, v.color.g, v.color.b, v.color.a);
}

bool before(const Corner& a, const Corner& b) {
  for (int k = 0; k < 4; ++k)
    if (a.f[k] != b.f[k]) return a.f[k] < b.f[k];
  return false;
}

// Keeps the part of a convex polygon on one side of f[axis] == c. The point
// on a crossing edge is worked out from its ends in one order whichever way
// the edge runs, so the two triangles sharing an edge cut it at the same
// point and no pixel falls between them.
int cut(const Corner* in, int n, Corner* out, int axis, float c, bool keepAbove) {
  int m = 0;
  for (int i = 0; i < n; ++i) {
    const Corner& p = in[i];
    const Corner& q = in[(i + 1) % n];
    const bool pIn = keepAbove ? p.f[axis] >= c : p.f[axis] <= c;
    const bool qIn = keepAbove ? q.f[axis] >= c : q.f[axis] <= c;
    if (pIn) out[m++] = p;
    if (pIn == qIn) continue;
    const Corner& a = before(q, p) ? q : p;
    const Corner& b = before(q, p) ? p : q;
    const float t = (c - a.f[axis]) / (b.f[axis] - a.f[axis]);
    Corner r;
    for (int k = 0; k < 8; ++k) r.f[k] = a.f[k] + t * (b.f[k] - a.f[k]);
    r.f[axis] = c;
    out[m++] = r;
  }
  return m;
}

// Cuts to lo <= f[axis] <= hi (an infinite bound cuts nothing).
int cutBetween(const Corner* in, int n, Corner* out, int axis, double lo, double hi) {
  Corner tmp[kMaxCorners];
  const Corner* src = in;
  if (std::isfinite(lo)) {
    n = cut(in, n, tmp, axis, (float)lo, true);
    src = tmp;
  }
  if (std::isfinite(hi)) return cut(src, n, out, axis, (float)hi, false);
  std::copy(src, src + n, out);
  return n;
}

// SDL's software rasteriser works in 32-bit integers on whole pixels
// doubled: a triangle reaching far out of the window, or a large one whose
// texel coordinates are large (twice its area times the texel coordinate of
// a corner), overflows them, and it reads texels from anywhere: wrong pixels
// or a crash.
constexpr float kSoftwareReach = 1024;  // pixels beyond the output
constexpr double kSoftwareProduct = 1 << 30;

bool fitsSoftware(const SDL_Vertex* const* v, int texW, int texH) {
  const float lo = -kSoftwareReach, right = (float)g_outW + kSoftwareReach, bottom = (float)g_outH + kSoftwareReach;
  double x[3], y[3], texel = 0;
  for (int i = 0; i < 3; ++i) {
    const SDL_FPoint& p = v[i]->position;
    if (!(p.x >= lo && p.x <= right && p.y >= lo && p.y <= bottom)) return false;
    x[i] = 2.0 * (int)p.x;
    y[i] = 2.0 * (int)p.y;
    texel = std::max(texel, (double)std::max((int)(v[i]->tex_coord.x * texW), (int)(v[i]->tex_coord.y * texH)));
  }
  const double area = std::fabs((x[1] - x[0]) * (y[2] - y[0]) - (y[1] - y[0]) * (x[2] - x[0]));
  return area * (texel + 1) < kSoftwareProduct;
}

void pushTriangle(Batch& b, const SDL_Vertex& p, const SDL_Vertex& q, const SDL_Vertex& r) {
  const int base = (int)b.verts.size();
  b.verts.push_back(p);
  b.verts.push_back(q);
  b.verts.push_back(r);
  for (int i = 0; i < 3; ++i) b.indices.push_back(base + i);
}

// A triangle for the software renderer, each with corners of its own: SDL
// takes two triangles sharing an edge that form an upright rectangle for a
// picture copied upright, which a turned picture is not. One that would
// overflow is cut to the output and into squares small enough.
void pushSoftware(Batch& b, const SDL_Vertex& p, const SDL_Vertex& q, const SDL_Vertex& r) {
  const int texW = b.surf ? b.surf->w : 0, texH = b.surf ? b.surf->h : 0;
  const SDL_Vertex* tri[3] = {&p, &q, &r};
  if (fitsSoftware(tri, texW, texH)) {
    pushTriangle(b, p, q, r);
    return;
  }
  Corner poly[kMaxCorners] = {toCorner(p), toCorner(q), toCorner(r)}, inside[kMaxCorners];
  int n = cutBetween(poly, 3, inside, kX, 0, g_outW);
  n = cutBetween(inside, n, poly, kY, 0, g_outH);
  if (n < 3) return;
  // Twice a square's area in doubled pixels, times the texels, stays within the product.
  const int cell = (int)std::min(1024.0, std::max(16.0, std::sqrt(kSoftwareProduct / 8 / (std::max(texW, texH) + 1))));
  float x0 = poly[0].f[kX], x1 = x0, y0 = poly[0].f[kY], y1 = y0;
  for (int i = 1; i < n; ++i) {
    x0 = std::min(x0, poly[i].f[kX]);
    x1 = std::max(x1, poly[i].f[kX]);
    y0 = std::min(y0, poly[i].f[kY]);
    y1 = std::max(y1, poly[i].f[kY]);
  }
  for (int cx = (int)x0 / cell * cell; cx < x1; cx += cell) {
    Corner column[kMaxCorners];
    const int nc = cutBetween(poly, n, column, kX, cx, cx + cell);
    for (int cy = (int)y0 / cell * cell; nc >= 3 && cy < y1; cy += cell) {
      Corner piece[kMaxCorners];
      const int np = cutBetween(column, nc, piece, kY, cy, cy + cell);
      for (int i = 1; i + 1 < np; ++i) {
        const SDL_Vertex p0 = toSdl(piece[0]), pi = toSdl(piece[i]), pj = toSdl(piece[i + 1]);
        const SDL_Vertex* small[3] = {&p0, &pi, &pj};
        if (fitsSoftware(small, texW, texH)) pushTriangle(b, p0, pi, pj);
      }
    }
  }
}

// Where pieces of a quad side meet, as values of the side's parameter in
// [0, 1]: every `step` texels of the texture coordinate running along it
// (from a0 at 0 to a1 at 1), over the part [lo, hi] that is seen, widened to
// the nearest such values so every piece ends on whole texels.
void sideCuts(double a0, double a1, double step, double lo, double hi, std::vector<double>& out) {
  out.assign({0.0, 1.0});
  const double span = a1 - a0;
  if (std::fabs(span) > 1e-9) {
    double c0 = a0 + lo * span, c1 = a0 + hi * span;
    if (c0 > c1) std::swap(c0, c1);
    for (double k = std::floor(c0 / step); k <= std::ceil(c1 / step); ++k) {
      const double at = (k * step - a0) / span;
      if (at > 0 && at < 1) out.push_back(at);
    }
  }
  std::sort(out.begin(), out.end());
  // Keep the pieces that reach into [lo, hi].
  size_t first = 0, last = out.size() - 1;
  while (first + 1 < last && out[first + 1] <= lo) ++first;
  while (last > first + 1 && out[last - 1] >= hi) --last;
  out = std::vector<double>(out.begin() + (long)first, out.begin() + (long)last + 1);
}

// A quad for the software renderer. A large one is cut into pieces along
// whole texels: SDL takes each corner's texel coordinate to a whole texel,
// so pieces cut anywhere else would show seams a texel wide, many pixels
// when the picture is magnified. Pieces out of sight are left out. False
// when the quad is not a parallelogram on screen and on the texture.
bool pushSoftwareQuad(Batch& b, const SDL_Vertex* v, const int* idx) {
  // Corner a and d are opposite; the triangles share b and c.
  int a = -1, d = -1;
  for (int i = 0; i < 3; ++i) {
    if (idx[i] != idx[3] && idx[i] != idx[4] && idx[i] != idx[5]) a = idx[i];
    if (idx[3 + i] != idx[0] && idx[3 + i] != idx[1] && idx[3 + i] != idx[2]) d = idx[3 + i];
  }
  if (a < 0 || d < 0) return false;
  int bc[2], n = 0;
  for (int i = 0; i < 3 && n < 2; ++i)
    if (idx[i] != a) bc[n++] = idx[i];
  const SDL_Vertex &A = v[a], &B = v[bc[0]], &C = v[bc[1]], &D = v[d];
  const float ex1 = B.position.x - A.position.x, ey1 = B.position.y - A.position.y;
  const float ex2 = C.position.x - A.position.x, ey2 = C.position.y - A.position.y;
  const float size = std::fabs(ex1) + std::fabs(ey1) + std::fabs(ex2) + std::fabs(ey2);
  if (std::fabs(A.position.x + D.position.x - B.position.x - C.position.x) > 1e-4f * size ||
      std::fabs(A.position.y + D.position.y - B.position.y - C.position.y) > 1e-4f * size ||
      std::fabs(A.tex_coord.x + D.tex_coord.x - B.tex_coord.x - C.tex_coord.x) > 1e-5f ||
      std::fabs(A.tex_coord.y + D.tex_coord.y - B.tex_coord.y - C.tex_coord.y) > 1e-5f ||
      memcmp(&A.color, &B.color, sizeof(SDL_Color)) != 0 || memcmp(&A.color, &C.color, sizeof(SDL_Color)) != 0 ||
      memcmp(&A.color, &D.color, sizeof(SDL_Color)) != 0)
    return false;
  const int texW = b.surf ? b.surf->w : 0, texH = b.surf ? b.surf->h : 0;
  const SDL_Vertex* first[3] = {&A, &B, &C};
  const SDL_Vertex* second[3] = {&C, &B, &D};
  if (fitsSoftware(first, texW, texH) && fitsSoftware(second, texW, texH)) {
    pushTriangle(b, A, B, C);
    pushTriangle(b, C, B, D);
    return true;
  }
  const double det = (double)ex1 * ey2 - (double)ey1 * ex2;
  if (std::fabs(det) < 1e-6) return true;  // covers no pixel
  // The part seen: the output's corners in the quad's parameters.
  double s0 = INFINITY, s1 = -INFINITY, t0 = INFINITY, t1 = -INFINITY;
  for (int corner = 0; corner < 4; ++corner) {
    const double px = (corner & 1 ? g_outW + 1.0 : -1.0) - A.position.x;
    const double py = (corner & 2 ? g_outH + 1.0 : -1.0) - A.position.y;
    const double s = (px * ey2 - py * ex2) / det, t = (ex1 * py - ey1 * px) / det;
    s0 = std::min(s0, s), s1 = std::max(s1, s), t0 = std::min(t0, t), t1 = std::max(t1, t);
  }
  s0 = std::max(s0, 0.0), s1 = std::min(s1, 1.0), t0 = std::max(t0, 0.0), t1 = std::min(t1, 1.0);
  if (s0 >= s1 || t0 >= t1) return true;
  // Pieces of at most `reach` pixels a side keep within the products.
  const double reach = std::min(256.0, std::sqrt(kSoftwareProduct / 4 / (std::max(texW, texH) + 1)));
  auto along = [&](const SDL_Vertex& to, double lo, double hi, std::vector<double>& cuts) {
    const double du = ((double)to.tex_coord.x - A.tex_coord.x) * texW;
    const double dv = ((double)to.tex_coord.y - A.tex_coord.y) * texH;
    const bool onU = std::fabs(du) >= std::fabs(dv);
    const double texels = std::max(std::fabs(onU ? du : dv), 1e-9);
    const double pixels = std::hypot(to.position.x - A.position.x, to.position.y - A.position.y);
    const double step = std::max(1.0, std::floor(reach * texels / std::max(pixels, 1e-9)));
    const double from = onU ? (double)A.tex_coord.x * texW : (double)A.tex_coord.y * texH;
    if (!b.surf) {
      // Nothing to keep whole: pieces along the pixels.
      sideCuts(0, pixels, reach, lo, hi, cuts);
      return;
    }
    sideCuts(from, from + (onU ? du : dv), step, lo, hi, cuts);
  };
  static std::vector<double> ss, ts;
  along(B, s0, s1, ss);
  along(C, t0, t1, ts);
  const Corner ca = toCorner(A), cb = toCorner(B), cc = toCorner(C);
  auto at = [&](double s, double t) {
    Corner c;
    for (int k = 0; k < 8; ++k) c.f[k] = (float)(ca.f[k] + s * (cb.f[k] - ca.f[k]) + t * (cc.f[k] - ca.f[k]));
    return toSdl(c);
  };
  for (size_t i = 0; i + 1 < ss.size(); ++i)
    for (size_t j = 0; j + 1 < ts.size(); ++j) {
      const SDL_Vertex p00 = at(ss[i], ts[j]), p10 = at(ss[i + 1], ts[j]);
      const SDL_Vertex p01 = at(ss[i], ts[j + 1]), p11 = at(ss[i + 1], ts[j + 1]);
      pushSoftware(b, p00, p10, p01);
      pushSoftware(b, p01, p10, p11);
    }
  return true;
}

// Texture coordinates of the texture's own texels to those of what SDL draws from.
SDL_Vertex onSurface(const Texture* t, const Vertex& v) {
  SDL_Vertex s;
  s.position = SDL_FPoint{v.x, v.y};
  s.color = SDL_Color{v.r, v.g, v.b, v.a};
  float u = v.u, w = v.v;
  if (t && t->page) {
    u = (t->x + u * t->w) / kPageSize;
    w = (t->y + w * t->h) / kPageSize;
  }
  // SDL refuses a whole draw for one coordinate outside 0..1.
  s.tex_coord = SDL_FPoint{std::min(std::max(u, 0.0f), 1.0f), std::min(std::max(w, 0.0f), 1.0f)};
  return s;
}

// Two triangles sharing an edge that SDL's software renderer copies as a
// picture: corners on two columns and two rows, one colour, and texture
// coordinates that follow the columns and rows (flipped or not, never
// turned) and cover a texel or more each way (else SDL fills the rectangle
// with the colour).
bool copiedUpright(const SDL_Vertex* v, const int* idx, const Surface* surf) {
  int shared = 0;
  for (int i = 0; i < 3; ++i)
    for (int j = 3; j < 6; ++j) shared += idx[i] == idx[j];
  if (shared != 2) return false;
  int topLeft = 0, bottomRight = 0;
  for (int i = 1; i < 4; ++i) {
    if (memcmp(&v[i].color, &v[0].color, sizeof(SDL_Color)) != 0) return false;
    for (int j = 0; j < i; ++j) {
      const bool sameX = v[i].position.x == v[j].position.x, sameY = v[i].position.y == v[j].position.y;
      if (sameX == sameY) {
        // Two corners on no common side: a diagonal, which must cross both ways.
        if (sameX || v[i].tex_coord.x == v[j].tex_coord.x || v[i].tex_coord.y == v[j].tex_coord.y) return false;
      } else if ((sameX && v[i].tex_coord.x != v[j].tex_coord.x) || (sameY && v[i].tex_coord.y != v[j].tex_coord.y)) {
        return false;
      }
    }
    if (v[i].position.x <= v[topLeft].position.x && v[i].position.y <= v[topLeft].position.y) topLeft = i;
    if (v[i].position.x >= v[bottomRight].position.x && v[i].position.y >= v[bottomRight].position.y) bottomRight = i;
  }
  // Each corner shares a side with two others and a diagonal with one.
  for (int i = 0; i < 4; ++i) {
    int sides = 0;
    for (int j = 0; j < 4; ++j)
      sides += j != i && (v[i].position.x == v[j].position.x) != (v[i].position.y == v[j].position.y);
    if (sides != 2) return false;
  }
  if (!surf) return true;
  // As SDL works out the texture rectangle.
  const SDL_FPoint a = v[topLeft].tex_coord, b = v[bottomRight].tex_coord;
  const int sx = (int)(a.x * surf->w), sy = (int)(a.y * surf->h);
  return (int)(b.x * surf->w - sx) != 0 && (int)(b.y * surf->h - sy) != 0;
}

void appendMesh(Batch& b, const Texture* t, const Vertex* vertices, int vertexCount, const int* indices,
                int indexCount) {
  auto index = [&](int i) {
    const int idx = indices[i];
    return idx < 0 || idx >= vertexCount ? 0 : idx;
  };
  if (g_software) {
    static std::vector<SDL_Vertex> own;
    own.clear();
    for (int i = 0; i < vertexCount; ++i) own.push_back(onSurface(t, vertices[i]));
    if (vertexCount == 4 && indexCount == 6) {
      const int quad[6] = {index(0), index(1), index(2), index(3), index(4), index(5)};
      if (copiedUpright(own.data(), quad, b.surf)) {
        const int base = (int)b.verts.size();
        b.verts.insert(b.verts.end(), own.begin(), own.end());
        for (int i : quad) b.indices.push_back(base + i);
        return;
      }
      if (pushSoftwareQuad(b, own.data(), quad)) return;
    }
    for (int i = 0; i + 2 < indexCount; i += 3) pushSoftware(b, own[index(i)], own[index(i + 1)], own[index(i + 2)]);
    return;
  }
  const int base = (int)b.verts.size();
  for (int i = 0; i < vertexCount; ++i) b.verts.push_back(onSurface(t, vertices[i]));
  for (int i = 0; i + 2 < indexCount; i += 3)
    for (int k = 0; k < 3; ++k) b.indices.push_back(base + index(i + k));
}

bool beyondTexture(const Vertex* v, int n) {
  for (int i = 0; i < n; ++i)
    if (!(v[i].u >= 0 && v[i].u <= 1 && v[i].v >= 0 && v[i].v <= 1)) return true;
  return false;
}

// Along one axis of the texture: where a piece starts and ends, and how its
// coordinates map back into the texture.
struct Span {
  double lo, hi;
  float shift;  // repeat: subtract this
  float fixed;  // clamp beyond the edge: this coordinate throughout, else < 0
};

// The pieces a coordinate range [from, to] falls into: whole copies of the
// picture when it repeats, else the picture and what lies either side of it,
// which shows the edge texel (its centre, as a filter reads it there). False
// when there would be more than `max`.
bool spans(double from, double to, bool repeat, int texels, std::vector<Span>& out, double max) {
  out.clear();
  if (repeat) {
    const double first = std::floor(from), last = std::max(std::ceil(to), first + 1);
    if (last - first > max) return false;
    for (double k = first; k < last; ++k)
      out.push_back(Span{k == first ? -INFINITY : k, k + 1 == last ? INFINITY : k + 1, (float)k, -1});
    return true;
  }
  const float half = 0.5f / (float)texels;
  if (from < 0) out.push_back(Span{-INFINITY, 0, 0, half});
  if (to > 0 && from < 1) out.push_back(Span{out.empty() ? -INFINITY : 0.0, to > 1 ? 1.0 : INFINITY, 0, -1});
  if (to > 1) out.push_back(Span{out.empty() ? -INFINITY : 1.0, INFINITY, 0, 1 - half});
  return true;
}

// A texture rectangle larger than its picture reaches past 0..1. GL would
// wrap: repeat tiles the picture, clamp to the edge stretches its edge
// texels. SDL draws only 0..1, so the triangles are cut where the copies of
// the picture meet and each piece is drawn from within the picture.
constexpr int kMaxWrapPieces = 1 << 16;

void appendWrapped(Batch& b, const Texture* t, const Vertex* vertices, int vertexCount, const int* indices,
                   int indexCount) {
  static bool logged = false;
  static std::vector<Span> us, vs;
  for (int i = 0; i + 2 < indexCount; i += 3) {
    Corner tri[3];
    double u0 = INFINITY, u1 = -INFINITY, v0 = INFINITY, v1 = -INFINITY;
    for (int k = 0; k < 3; ++k) {
      int idx = indices[i + k];
      if (idx < 0 || idx >= vertexCount) idx = 0;
      const Vertex& v = vertices[idx];
      tri[k] = toCorner(v.x, v.y, v.u, v.v, v.r, v.g, v.b, v.a);
      u0 = std::min(u0, (double)v.u);
      u1 = std::max(u1, (double)v.u);
      v0 = std::min(v0, (double)v.v);
      v1 = std::max(v1, (double)v.v);
    }
    if (!std::isfinite(u0 + u1 + v0 + v1)) continue;
    if (!spans(u0, u1, t->repeatS, t->w, us, kMaxWrapPieces) ||
        !spans(v0, v1, t->repeatT, t->h, vs, (double)kMaxWrapPieces / (double)us.size())) {
      // Too many copies to draw: the edge texels stretch instead.
      if (!logged) SDL_Log("engine: a texture repeats too often to draw; its edges stretch instead");
      logged = true;
      spans(u0, u1, false, t->w, us, kMaxWrapPieces);
      spans(v0, v1, false, t->h, vs, kMaxWrapPieces);
    }
    for (const Span& su : us) {
      Corner column[kMaxCorners];
      const int nc = cutBetween(tri, 3, column, kU, su.lo, su.hi);
      for (size_t c = 0; nc >= 3 && c < vs.size(); ++c) {
        const Span& sw = vs[c];
        Corner piece[kMaxCorners];
        const int np = cutBetween(column, nc, piece, kV, sw.lo, sw.hi);
        if (np < 3) continue;
        SDL_Vertex sv[kMaxCorners];
        for (int k = 0; k < np; ++k) {
          const float* f = piece[k].f;
          Vertex v{f[kX], f[kY], channel(f[4]), channel(f[5]), channel(f[6]), channel(f[7]), f[kU], f[kV]};
          v.u = su.fixed >= 0 ? su.fixed : v.u - su.shift;
          v.v = sw.fixed >= 0 ? sw.fixed : v.v - sw.shift;
          sv[k] = onSurface(t, v);
        }
        if (g_software) {
          for (int k = 1; k + 1 < np; ++k) pushSoftware(b, sv[0], sv[k], sv[k + 1]);
          continue;
        }
        const int base = (int)b.verts.size();
        for (int k = 0; k < np; ++k) b.verts.push_back(sv[k]);
        for (int k = 1; k + 1 < np; ++k) {
          b.indices.push_back(base);
          b.indices.push_back(base + k);
          b.indices.push_back(base + k + 1);
        }
      }
    }
  }
}

bool placeOnPage(Page& p, int w, int h, int& x, int& y) {
  const int rowH = (h + 7) & ~7;
  for (Shelf& s : p.shelves) {
    if (s.h != rowH) continue;
    for (size_t i = 0; i < s.free.size(); ++i)
      if (s.free[i].second - s.free[i].first >= w) {
        x = s.free[i].first;
        y = s.y;
        s.free[i].first += w;
        if (s.free[i].first == s.free[i].second) s.free.erase(s.free.begin() + (long)i);
        return true;
      }
  }
  if (p.nextY + rowH > kPageSize) return false;
  p.shelves.push_back(Shelf{p.nextY, rowH, {{w, kPageSize}}});
  x = 0;
  y = p.nextY;
  p.nextY += rowH;
  return true;
}

void freeOnPage(Page& p, int x, int y, int w) {
  for (Shelf& s : p.shelves) {
    if (s.y != y) continue;
    auto it = s.free.begin();
    while (it != s.free.end() && it->first < x) ++it;
    it = s.free.insert(it, {x, x + w});
    if (it + 1 != s.free.end() && (it + 1)->first == it->second) {
      it->second = (it + 1)->second;
      s.free.erase(it + 1);
    }
    if (it != s.free.begin() && (it - 1)->second == it->first) {
      (it - 1)->second = it->second;
      s.free.erase(it);
    }
    return;
  }
}

Page* newPage() {
  SDL_Texture* tex =
      SDL_CreateTexture(g_renderer, SDL_PIXELFORMAT_ABGR8888, SDL_TEXTUREACCESS_STATIC, kPageSize, kPageSize);
  if (!tex) return nullptr;
  std::vector<uint8_t> clear((size_t)kPageSize * kPageSize * 4, 0);
  SDL_UpdateTexture(tex, nullptr, clear.data(), kPageSize * 4);
  SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_BLEND);
  SDL_SetTextureScaleMode(tex, SDL_ScaleModeLinear);
  g_pages.push_back(std::unique_ptr<Page>(new Page()));
  Page* p = g_pages.back().get();
  p->surf.tex = tex;
  p->surf.w = p->surf.h = kPageSize;
  return p;
}

// Puts the texels on a page inside a border that repeats the edge texels, so
// filtering at the edges reads what clamping to the edge would.
bool placePaged(Texture* t, const uint8_t* rgba) {
  const int w = t->w + 2, h = t->h + 2;
  int x = 0, y = 0;
  Page* page = nullptr;
  for (auto& p : g_pages)
    if (placeOnPage(*p, w, h, x, y)) {
      page = p.get();
      break;
    }
  if (!page) {
    page = newPage();
    if (!page || !placeOnPage(*page, w, h, x, y)) return false;
  }
  std::vector<uint8_t> bordered((size_t)w * h * 4);
  for (int row = 0; row < h; ++row) {
    const uint8_t* src = rgba + (size_t)std::min(std::max(row - 1, 0), t->h - 1) * t->w * 4;
    uint8_t* dst = &bordered[(size_t)row * w * 4];
    memcpy(dst + 4, src, (size_t)t->w * 4);
    memcpy(dst, src, 4);
    memcpy(dst + (size_t)(w - 1) * 4, src + (size_t)(t->w - 1) * 4, 4);
  }
  // Draws waiting on this page read it before the new texels land.
  if (waiting(&page->surf)) flushBatch();
  SDL_Rect r{x, y, w, h};
  SDL_UpdateTexture(page->surf.tex, &r, bordered.data(), w * 4);
  t->page = page;
  t->surf = &page->surf;
  t->x = x + 1;
  t->y = y + 1;
  ++page->live;
  return true;
}

void releasePaged(Texture* t) {
  Page* page = t->page;
  freeOnPage(*page, t->x - 1, t->y - 1, t->w + 2);
  // The newest page stays for the next label even when it empties.
  if (--page->live > 0 || page == g_pages.back().get()) return;
  SDL_DestroyTexture(page->surf.tex);
  for (size_t i = 0; i < g_pages.size(); ++i)
    if (g_pages[i].get() == page) {
      g_pages.erase(g_pages.begin() + (long)i);
      break;
    }
}

int toVK(SDL_Keycode k) {
  if (k >= SDLK_a && k <= SDLK_z) return 'A' + (k - SDLK_a);
  if (k >= SDLK_0 && k <= SDLK_9) return '0' + (k - SDLK_0);
  switch (k) {
    case SDLK_BACKSPACE: return cocos2d::kCCVKBack;
    case SDLK_TAB: return cocos2d::kCCVKTab;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return cocos2d::kCCVKReturn;
    case SDLK_ESCAPE: return cocos2d::kCCVKEscape;
    case SDLK_END: return cocos2d::kCCVKEnd;
    case SDLK_HOME: return cocos2d::kCCVKHome;
    case SDLK_LEFT: return cocos2d::kCCVKLeft;
    case SDLK_UP: return cocos2d::kCCVKUp;
    case SDLK_RIGHT: return cocos2d::kCCVKRight;
    case SDLK_DOWN: return cocos2d::kCCVKDown;
    case SDLK_DELETE: return cocos2d::kCCVKDelete;
    case SDLK_SPACE: return ' ';
    default: return 0;
  }
}

std::once_flag g_imgOnce;
void initImage() {
  std::call_once(g_imgOnce, [] { IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG); });
}

bool surfaceToRgba(SDL_Surface* s, std::vector<uint8_t>& rgba, int& w, int& h) {
  if (!s) return false;
  SDL_Surface* c = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ABGR8888, 0);
  SDL_FreeSurface(s);
  if (!c) return false;
  w = c->w;
  h = c->h;
  rgba.resize((size_t)w * h * 4);
  SDL_LockSurface(c);
  for (int y = 0; y < h; ++y)
    memcpy(&rgba[(size_t)y * w * 4], (const uint8_t*)c->pixels + (size_t)y * c->pitch, (size_t)w * 4);
  SDL_UnlockSurface(c);
  SDL_FreeSurface(c);
  return w > 0 && h > 0;
}

TTF_Font* font(const std::string& path, int size) {
  if (size <= 0) return nullptr;
  if (!TTF_WasInit() && TTF_Init() != 0) return nullptr;
  auto key = std::make_pair(path, size);
  auto it = g_fonts.find(key);
  if (it != g_fonts.end()) return it->second;
  TTF_Font* f = TTF_OpenFont(path.c_str(), size);
  g_fonts[key] = f;  // a failure is remembered too
  return f;
}

// Mesa's software rasteriser sizes its thread pool by the online CPUs. Confined
// to fewer (taskset, containers) the pool crowds them: measured here on two
// cores, one thread more than the CPUs we may use draws the busy board about
// a third faster than the default.
void sizeRasteriserThreads() {
  if (getenv("LP_NUM_THREADS")) return;
  cpu_set_t set;
  if (sched_getaffinity(0, sizeof set, &set) != 0) return;
  int allowed = CPU_COUNT(&set);
  long online = sysconf(_SC_NPROCESSORS_ONLN);
  if (allowed <= 1 || allowed >= online) return;
  setenv("LP_NUM_THREADS", std::to_string(allowed + 1).c_str(), 0);
}

// The GL driver keeps blocks for the life of the process in its globals;
// unloading it at close would turn them into leaks and leave dangling
// thread-local entries. Every library loaded so far stays mapped instead.
void keepLibrariesMapped() {
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void*) {
        if (info->dlpi_name && info->dlpi_name[0]) dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
        return 0;
      },
      nullptr);
}

}  // namespace

bool open(bool headless, int width, int height, const char* title) {
  if (g_tried) return g_open;
  g_tried = true;
  g_headless = headless;
  sizeRasteriserThreads();
  const char* forced = SDL_getenv("KEST_RENDERER");
  bool wantSoftware = forced && strcmp(forced, "software") == 0;
  bool ok = false;
  if (headless) {
    if (!wantSoftware) ok = tryOpen("offscreen", "opengl", true, width, height, title);
    if (!ok) ok = tryOpen("offscreen", "software", true, width, height, title);
    if (!ok) ok = tryOpen("dummy", "software", true, width, height, title);
  } else {
    if (!wantSoftware) ok = tryOpen(nullptr, "opengl", false, width, height, title);
    if (!ok) ok = tryOpen(nullptr, "software", false, width, height, title);
  }
  if (!ok) SDL_Log("engine: no renderer could be opened: %s", SDL_GetError());
  // Fonts go at exit even when nothing closes the window (tests).
  static bool registered = false;
  if (!registered) {
    registered = true;
    atexit([] {
      for (auto& kv : g_fonts)
        if (kv.second) TTF_CloseFont(kv.second);
      g_fonts.clear();
      if (TTF_WasInit()) TTF_Quit();
    });
  }
  if (ok && !headless) SDL_StartTextInput();
  g_open = ok;
  return ok;
}

bool isOpen() { return g_open; }

void close() {
  for (auto& kv : g_fonts)
    if (kv.second) TTF_CloseFont(kv.second);
  g_fonts.clear();
  if (g_open) keepLibrariesMapped();
  // The canvas goes first: a renderer destroyed while a texture is its target
  // leaves that texture's queued commands behind.
  if (g_renderer && g_canvas) {
    SDL_SetRenderTarget(g_renderer, nullptr);
    SDL_DestroyTexture(g_canvas);
  }
  if (g_renderer) SDL_DestroyRenderer(g_renderer);
  if (g_window) SDL_DestroyWindow(g_window);
  // Quitting video ends the GL driver's display, which joins its threads.
  if (g_open) SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
  if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
  g_renderer = nullptr;
  g_window = nullptr;
  g_canvas = g_target = nullptr;
  g_surfaceW = g_surfaceH = 0;
  endBatches(false);
  g_pages.clear();
  ++g_generation;
  g_open = false;
  g_tried = false;
}

const char* rendererName() { return g_open ? g_rendererName : "none"; }

Texture* createTexture(const uint8_t* rgba, int width, int height, bool drawnWhole) {
  Texture* t = new Texture();
  t->generation = g_generation;
  if (!g_renderer || width <= 0 || height <= 0) return t;
  t->w = width;
  t->h = height;
  summariseOpacity(t, rgba);
  if (drawnWhole && g_shortcuts && width <= kPagedMaxW && height <= kPagedMaxH && placePaged(t, rgba)) return t;
  t->own.tex = SDL_CreateTexture(g_renderer, SDL_PIXELFORMAT_ABGR8888, SDL_TEXTUREACCESS_STATIC, width, height);
  if (t->own.tex) {
    t->own.w = width;
    t->own.h = height;
    SDL_UpdateTexture(t->own.tex, nullptr, rgba, width * 4);
    SDL_SetTextureBlendMode(t->own.tex, SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(t->own.tex, SDL_ScaleModeLinear);
  } else {
    SDL_Log("engine: texture %dx%d not created: %s", width, height, SDL_GetError());
  }
  return t;
}

void destroyTexture(Texture* t) {
  if (!t) return;
  if (!g_renderer || t->generation != g_generation) {
    // The renderer (and its textures) went first, at exit.
    delete t;
    return;
  }
  // Waiting draws read the texels before they go or are reused.
  if (waiting(t->surf)) flushBatch();
  if (t->page) {
    releasePaged(t);
  } else if (t->own.tex) {
    SDL_DestroyTexture(t->own.tex);
  }
  delete t;
}

void setTextureFilter(Texture* t, bool linear) {
  // Draws already batched keep the filter they were made with; SDL gets the
  // new one when a batch needs it.
  if (t) t->linear = linear;
}

void setTextureWrap(Texture* t, bool repeatS, bool repeatT) {
  if (!t) return;
  t->repeatS = repeatS;
  t->repeatT = repeatT;
}

void setDrawShortcuts(bool on) {
  flushBatch();
  g_shortcuts = on;
}

void beginFrame(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  if (!g_renderer) return;
  fitCanvas();
  endBatches(false);
  SDL_RenderSetClipRect(g_renderer, nullptr);
  SDL_SetRenderDrawColor(g_renderer, r, g, b, a);
  SDL_RenderClear(g_renderer);
}

void draw(Texture* t, const Vertex* vertices, int vertexCount, const int* indices, int indexCount, Blend blend) {
  if (!g_renderer || vertexCount <= 0 || indexCount <= 0) return;
  if (t && !t->surf->tex) return;
  Surface* surf = t ? t->surf : nullptr;
  const DrawState cheap = chooseState(t, vertices, vertexCount, blend);
  const DrawState general{blend, t ? t->linear : true};
  // The cells under the draw, and the last batch drawing in any of them.
  float x0 = vertices[0].x, x1 = x0, y0 = vertices[0].y, y1 = y0;
  for (int i = 1; i < vertexCount; ++i) {
    x0 = std::min(x0, vertices[i].x);
    x1 = std::max(x1, vertices[i].x);
    y0 = std::min(y0, vertices[i].y);
    y1 = std::max(y1, vertices[i].y);
  }
  const float right = (float)(g_cellsW * kCell), bottom = (float)(g_cellsH * kCell);
  const bool onScreen = std::isfinite(x0) && std::isfinite(x1) && std::isfinite(y0) && std::isfinite(y1) && x1 >= 0 &&
                        y1 >= 0 && x0 < right && y0 < bottom;
  // A pixel's margin around the bounds, clamped to the grid.
  auto cell = [](float f, float end) { return (int)std::min(std::max(f, 0.0f), end - 1) / kCell; };
  const int cx0 = onScreen ? cell(x0 - 1, right) : 0, cx1 = onScreen ? cell(x1 + 1, right) : -1;
  const int cy0 = onScreen ? cell(y0 - 1, bottom) : 0, cy1 = onScreen ? cell(y1 + 1, bottom) : -1;
  int last = -1;
  if (onScreen)
    for (int cy = cy0; cy <= cy1; ++cy)
      for (int cx = cx0; cx <= cx1; ++cx) last = std::max(last, (int)g_cells[(size_t)cy * g_cellsW + cx]);
  // The first batch from there on in the cheap state, else in the general
  // one. Comparing, nothing moves: only the newest batch is joined.
  size_t k = SIZE_MAX, kGeneral = SIZE_MAX;
  size_t from = last < 0 ? 0 : (size_t)last;
  if (!g_shortcuts && g_batchCount > 0) from = g_batchCount - 1;
  for (size_t i = from; i < g_batchCount && k == SIZE_MAX; ++i) {
    const Batch& b = g_batches[i];
    if (b.surf != surf) continue;
    if (b.blend == cheap.blend && b.linear == cheap.linear)
      k = i;
    else if (kGeneral == SIZE_MAX && b.blend == general.blend && b.linear == general.linear)
      kGeneral = i;
  }
  // A new batch for the cheap state is worth its state change; once the
  // batches run out, the general state is fine too.
  if (k == SIZE_MAX && g_batchCount == kMaxBatches) k = kGeneral;
  if (k == SIZE_MAX) {
    if (g_batchCount == kMaxBatches) flushBatch();
    k = g_batchCount++;
    if (g_batches.size() < g_batchCount) g_batches.emplace_back();
    Batch& b = g_batches[k];
    b.surf = surf;
    b.blend = cheap.blend;
    b.linear = cheap.linear;
  }
  Batch& b = g_batches[k];
  if (onScreen)
    for (int cy = cy0; cy <= cy1; ++cy)
      for (int cx = cx0; cx <= cx1; ++cx) {
        int8_t& c = g_cells[(size_t)cy * g_cellsW + cx];
        c = std::max(c, (int8_t)k);
      }
  if (t && beyondTexture(vertices, vertexCount))
    appendWrapped(b, t, vertices, vertexCount, indices, indexCount);
  else
    appendMesh(b, t, vertices, vertexCount, indices, indexCount);
}

void setClip(const int* xywh) {
  if (!g_renderer) return;
  flushBatch();
  if (!xywh) {
    SDL_RenderSetClipRect(g_renderer, nullptr);
    return;
  }
  SDL_Rect r{xywh[0], xywh[1], xywh[2] > 0 ? xywh[2] : 0, xywh[3] > 0 ? xywh[3] : 0};
  // SDL reads an empty rectangle as "no clip"; a clipped-away subtree must draw nothing.
  if (r.w == 0 || r.h == 0) r = SDL_Rect{-10, -10, 1, 1};
  SDL_RenderSetClipRect(g_renderer, &r);
}

void flush() { flushBatch(); }

bool readPixels(std::vector<uint8_t>& rgba, int& width, int& height) {
  if (!g_renderer) return false;
  flushBatch();
  SDL_RenderSetClipRect(g_renderer, nullptr);
  if (SDL_GetRendererOutputSize(g_renderer, &width, &height) != 0) return false;
  rgba.resize((size_t)width * height * 4);
  return SDL_RenderReadPixels(g_renderer, nullptr, SDL_PIXELFORMAT_ABGR8888, rgba.data(), width * 4) == 0;
}

void finish() {
  if (!g_renderer) return;
  flushBatch();
  // Reading a pixel back cannot finish before the drawing does.
  uint32_t px = 0;
  SDL_Rect r{0, 0, 1, 1};
  SDL_RenderReadPixels(g_renderer, &r, SDL_PIXELFORMAT_ABGR8888, &px, 4);
}

void present() {
  if (!g_renderer) return;
  flushBatch();
  SDL_RenderPresent(g_renderer);
  // Nothing waits for a frame without a window, and llvmpipe then queues
  // every presented frame (up to 64), each holding its own copy of the
  // drawing state of every batch: stepping frames headless grew by hundreds
  // of megabytes. One frame at a time, as a window's swap gives.
  if (g_headless) finish();
}

void outputSize(int& width, int& height) {
  width = height = 0;
  if (g_renderer) SDL_GetRendererOutputSize(g_renderer, &width, &height);
}

Texture* createTargetTexture(int width, int height) {
  if (!g_renderer || width <= 0 || height <= 0) return nullptr;
  SDL_Texture* tex = SDL_CreateTexture(g_renderer, SDL_PIXELFORMAT_ABGR8888, SDL_TEXTUREACCESS_TARGET, width, height);
  if (!tex) {
    SDL_Log("engine: target texture %dx%d not created: %s", width, height, SDL_GetError());
    return nullptr;
  }
  SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_BLEND);
  SDL_SetTextureScaleMode(tex, SDL_ScaleModeLinear);
  Texture* t = new Texture();
  t->generation = g_generation;
  t->own.tex = tex;
  t->own.w = t->w = width;
  t->own.h = t->h = height;
  return t;
}

bool setRenderTarget(Texture* t) {
  if (!g_renderer) return false;
  flushBatch();
  if (SDL_SetRenderTarget(g_renderer, t ? t->own.tex : g_canvas) != 0) return false;
  g_target = t ? t->own.tex : nullptr;
  endBatches(false);  // cells for the new output
  if (t) {
    SDL_RenderSetClipRect(g_renderer, nullptr);
    SDL_SetRenderDrawColor(g_renderer, 0, 0, 0, 255);
    SDL_RenderClear(g_renderer);
  }
  return true;
}

void setTitle(const char* title) {
  if (g_window) SDL_SetWindowTitle(g_window, title);
}

void setWindowSize(int width, int height) {
  if (g_window) SDL_SetWindowSize(g_window, width, height);
}

void minimize() {
  if (g_window) SDL_MinimizeWindow(g_window);
}
void maximize() {
  if (g_window) SDL_MaximizeWindow(g_window);
}
void restore() {
  if (g_window) SDL_RestoreWindow(g_window);
}
bool isMinimized() { return g_window && (SDL_GetWindowFlags(g_window) & SDL_WINDOW_MINIMIZED); }

void windowRect(int& x, int& y, int& w, int& h) {
  x = y = w = h = 0;
  if (!g_window) return;
  SDL_GetWindowPosition(g_window, &x, &y);
  SDL_GetWindowSize(g_window, &w, &h);
}

void setWindowRect(int x, int y, int w, int h) {
  if (!g_window) return;
  SDL_SetWindowPosition(g_window, x, y);
  SDL_SetWindowSize(g_window, w, h);
}

void workArea(int& x, int& y, int& w, int& h) {
  x = y = 0;
  w = 1288;
  h = 762;
  // Headless there is no desktop: a common one stands in (KEST_DESKTOP=WxH
  // names another), so a maximised window is what a player would get.
  if (g_headless) {
    w = 1920;
    h = 1040;
    const char* desktop = SDL_getenv("KEST_DESKTOP");
    int dw = 0, dh = 0;
    if (desktop && sscanf(desktop, "%dx%d", &dw, &dh) == 2 && dw > 0 && dh > 0) {
      w = dw;
      h = dh;
    }
    return;
  }
  SDL_Rect r;
  int display = g_window ? SDL_GetWindowDisplayIndex(g_window) : 0;
  if (SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &r) == 0) {
    x = r.x;
    y = r.y;
    w = r.w;
    h = r.h;
  }
}

bool setWindowIcon(const uint8_t* rgba, int width, int height) {
  if (!g_window || !rgba || width <= 0 || height <= 0) return false;
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(rgba), width, height, 32, width * 4,
                                                      SDL_PIXELFORMAT_ABGR8888);
  if (!s) return false;
  SDL_SetWindowIcon(g_window, s);
  SDL_FreeSurface(s);
  return true;
}

// SDL frees its cursors when the window closes: one made before then is
// stale and shows nothing.
struct Cursor {
  SDL_Cursor* sdl;
  unsigned generation;
};

Cursor* createCursor(const uint8_t* rgba, int width, int height, int size, int hotX, int hotY) {
  if (!g_window || !rgba || width <= 0 || height <= 0 || size <= 0) return nullptr;
  SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(rgba), width, height, 32, width * 4,
                                                            SDL_PIXELFORMAT_ABGR8888);
  SDL_Surface* sized = SDL_CreateRGBSurfaceWithFormat(0, size, size, 32, SDL_PIXELFORMAT_ABGR8888);
  SDL_Cursor* sdl = nullptr;
  if (picture && sized) {
    SDL_SetSurfaceBlendMode(picture, SDL_BLENDMODE_NONE);
    SDL_BlitScaled(picture, nullptr, sized, nullptr);
    sdl = SDL_CreateColorCursor(sized, std::min(std::max(hotX, 0), size - 1), std::min(std::max(hotY, 0), size - 1));
  }
  if (picture) SDL_FreeSurface(picture);
  if (sized) SDL_FreeSurface(sized);
  return sdl ? new Cursor{sdl, g_generation} : nullptr;
}

Cursor* createArrowCursor() {
  SDL_Cursor* sdl = g_window ? SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW) : nullptr;
  return sdl ? new Cursor{sdl, g_generation} : nullptr;
}

void showCursor(bool shown, Cursor* cursor) {
  if (!g_window) return;
  if (shown && cursor && cursor->generation == g_generation) SDL_SetCursor(cursor->sdl);
  SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
}

bool setClipboardText(const std::string& utf8) { return g_window && SDL_SetClipboardText(utf8.c_str()) == 0; }

bool getClipboardText(std::string& utf8) {
  if (!g_window || !SDL_HasClipboardText()) return false;
  char* text = SDL_GetClipboardText();
  utf8 = text ? text : "";
  SDL_free(text);
  return true;
}

bool pumpEvents() {
  if (!g_open) return true;
  cocos2d::CCEGLView* view = cocos2d::CCEGLView::sharedOpenGLView();
  SDL_Event e;
  bool keepRunning = true;
  while (SDL_PollEvent(&e)) {
    switch (e.type) {
      case SDL_QUIT: keepRunning = false; break;
      case SDL_MOUSEMOTION:
        view->handleMouseMove((float)e.motion.x, (float)e.motion.y, (e.motion.state & SDL_BUTTON_LMASK) != 0);
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP: {
        int button = e.button.button == SDL_BUTTON_LEFT ? 0 : (e.button.button == SDL_BUTTON_RIGHT ? 1 : 2);
        view->handleMouseButton((float)e.button.x, (float)e.button.y, button, e.type == SDL_MOUSEBUTTONDOWN,
                                e.button.clicks);
        break;
      }
      case SDL_MOUSEWHEEL: {
        int dy = e.wheel.y;
        if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) dy = -dy;
        if (dy != 0) view->handleMouseWheel(dy * 120);
        break;
      }
      case SDL_KEYDOWN:
      case SDL_KEYUP: {
        int vk = toVK(e.key.keysym.sym);
        if (vk) {
          bool ctrl = (e.key.keysym.mod & KMOD_CTRL) != 0;
          bool shift = (e.key.keysym.mod & KMOD_SHIFT) != 0;
          view->handleKey(vk, e.type == SDL_KEYDOWN, ctrl, shift);
        }
        break;
      }
      case SDL_TEXTINPUT: view->handleTextInput(e.text.text); break;
      case SDL_WINDOWEVENT:
        switch (e.window.event) {
          case SDL_WINDOWEVENT_MINIMIZED: view->handleWindowState(cocos2d::CCWindowMessage::kMinimized); break;
          case SDL_WINDOWEVENT_MAXIMIZED: view->handleWindowState(cocos2d::CCWindowMessage::kMaximized); break;
          case SDL_WINDOWEVENT_RESTORED: view->handleWindowState(cocos2d::CCWindowMessage::kRestored); break;
          case SDL_WINDOWEVENT_SIZE_CHANGED: view->handleResize((float)e.window.data1, (float)e.window.data2); break;
          case SDL_WINDOWEVENT_EXPOSED: view->handleWindowState(cocos2d::CCWindowMessage::kRestored); break;
          case SDL_WINDOWEVENT_CLOSE: view->handleWindowState(cocos2d::CCWindowMessage::kClose); break;
          default: break;
        }
        break;
      default: break;
    }
  }
  return keepRunning;
}

void waitEvents(int timeoutMs) {
  if (timeoutMs <= 0) return;
  if (g_open)
    SDL_WaitEventTimeout(nullptr, timeoutMs);
  else
    SDL_Delay((Uint32)timeoutMs);
}

double now() {
  using clock = std::chrono::steady_clock;
  static const clock::time_point start = clock::now();
  return std::chrono::duration<double>(clock::now() - start).count();
}

bool decodeFile(const std::string& path, std::vector<uint8_t>& rgba, int& width, int& height) {
  initImage();
  return surfaceToRgba(IMG_Load(path.c_str()), rgba, width, height);
}

bool decodeMemory(const void* data, size_t size, std::vector<uint8_t>& rgba, int& width, int& height) {
  if (!data || size == 0) return false;
  initImage();
  SDL_RWops* rw = SDL_RWFromConstMem(data, (int)size);
  if (!rw) return false;
  return surfaceToRgba(IMG_Load_RW(rw, 1), rgba, width, height);
}

bool savePng(const std::string& path, const uint8_t* rgba, int width, int height) {
  if (!rgba || width <= 0 || height <= 0) return false;
  initImage();
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(rgba), width, height, 32, width * 4,
                                                      SDL_PIXELFORMAT_ABGR8888);
  if (!s) return false;
  // Encoded in memory, then written whole: a full disk keeps the old file.
  std::vector<uint8_t> png;
  SDL_RWops* out = SDL_AllocRW();
  if (!out) {
    SDL_FreeSurface(s);
    return false;
  }
  out->hidden.unknown.data1 = &png;
  out->size = [](SDL_RWops*) -> Sint64 { return -1; };
  out->seek = [](SDL_RWops*, Sint64, int) -> Sint64 { return -1; };
  out->read = [](SDL_RWops*, void*, size_t, size_t) -> size_t { return 0; };
  out->write = [](SDL_RWops* rw, const void* p, size_t size, size_t count) -> size_t {
    auto* bytes = static_cast<std::vector<uint8_t>*>(rw->hidden.unknown.data1);
    bytes->insert(bytes->end(), static_cast<const uint8_t*>(p), static_cast<const uint8_t*>(p) + size * count);
    return count;
  };
  out->close = [](SDL_RWops* rw) -> int {
    SDL_FreeRW(rw);
    return 0;
  };
  int rc = IMG_SavePNG_RW(s, out, 1);
  SDL_FreeSurface(s);
  std::string error;
  return rc == 0 && !png.empty() && platform::WriteFileAtomically(path, png.data(), png.size(), error);
}

bool renderText(const std::string& fontPath, int size, const std::string& utf8, int wrapWidth, int align,
                std::vector<uint8_t>& rgba, int& width, int& height) {
  if (utf8.empty()) return false;
  TTF_Font* f = font(fontPath, size);
  if (!f) return false;
  TTF_SetFontWrappedAlign(
      f, align == 1 ? TTF_WRAPPED_ALIGN_CENTER : (align == 2 ? TTF_WRAPPED_ALIGN_RIGHT : TTF_WRAPPED_ALIGN_LEFT));
  SDL_Surface* s = TTF_RenderUTF8_Blended_Wrapped(f, utf8.c_str(), SDL_Color{255, 255, 255, 255},
                                                  (Uint32)(wrapWidth > 0 ? wrapWidth : 0));
  return surfaceToRgba(s, rgba, width, height);
}

void workerThreadExit() { SDL_TLSCleanup(); }

bool fontUsable(const std::string& fontPath) { return font(fontPath, 12) != nullptr; }

int fontLineHeight(const std::string& fontPath, int size) {
  TTF_Font* f = font(fontPath, size);
  return f ? TTF_FontLineSkip(f) : size;
}

void messageBox(const char* text, const char* title) {
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, title ? title : "", text ? text : "", g_window);
}

}  // namespace backend
}  // namespace kest
