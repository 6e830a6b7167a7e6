// Frames: draws batched by state, clip rectangles, render targets, read-back
// and present.
//
// Implemented: batched textured triangles with alpha, additive and
// modulating blends; the cheap states (nearest sampling for texel-exact
// draws, no blending over opaque texels); clip rectangles; drawing into a
// texture; read-back of the frame. Not implemented: blend functions beyond
// the four SDL offers (others draw as alpha blending).

#include <cmath>
#include <cstdint>

#include "backend/sdl/SdlBackend.h"

namespace kest {
namespace backend {

namespace {

SDL_BlendMode toSdl(Blend b) {
  switch (b) {
    case Blend::None: return SDL_BLENDMODE_NONE;
    case Blend::Add: return SDL_BLENDMODE_ADD;
    case Blend::Modulate: return SDL_BLENDMODE_MOD;
    case Blend::Multiply: return SDL_BLENDMODE_MUL;
    default: return SDL_BLENDMODE_BLEND;
  }
}

void submit(Batch& b) {
  SDL_Texture* t = b.surf ? b.surf->tex : nullptr;
  if (t && b.surf->sdlLinear != b.linear) {
    // SDL changes the filter at once, also for draws it still holds queued.
    SDL_RenderFlush(g_sdl.renderer);
    SDL_SetTextureScaleMode(t, b.linear ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
    b.surf->sdlLinear = b.linear;
  }
  if (t)
    SDL_SetTextureBlendMode(t, toSdl(b.blend));
  else
    SDL_SetRenderDrawBlendMode(g_sdl.renderer, toSdl(b.blend));
  SDL_RenderGeometry(g_sdl.renderer, t, b.verts.data(), (int)b.verts.size(), b.indices.data(), (int)b.indices.size());
}

// A GL window's back buffer does not keep the last frame once swapped. One
// shown by copying parts of it to the window (glXCopySubBufferMESA) is never
// swapped: it keeps the frame itself, and frames are drawn straight into it.
bool keptInCanvas() { return !g_sdl.headless && !g_sdl.software && g_sdl.shortcuts && !g_sdl.copySubBuffer; }

bool keptInBackBuffer() { return !g_sdl.headless && !g_sdl.software && g_sdl.copySubBuffer; }

// Draws into a canvas of the window's size when the drawing surface has
// another (headless GL), or always in a GL window, whose back buffer does not
// keep the last frame; into the surface when neither holds.
void fitCanvas() {
  if (g_sdl.target) return;
  int w = 0, h = 0;
  SDL_GetWindowSize(g_sdl.window, &w, &h);
  bool want = false;
  if (w > 0 && h > 0) {
    if (g_sdl.surfaceW > 0)
      want = w != g_sdl.surfaceW || h != g_sdl.surfaceH;
    else
      want = keptInCanvas();
  }
  if (g_sdl.canvas && (!want || w != g_sdl.canvasW || h != g_sdl.canvasH)) {
    flushBatches();
    SDL_SetRenderTarget(g_sdl.renderer, nullptr);
    SDL_DestroyTexture(g_sdl.canvas);
    g_sdl.canvas = nullptr;
    g_sdl.lastValid = false;
  }
  if (want && !g_sdl.canvas) {
    g_sdl.canvas = SDL_CreateTexture(g_sdl.renderer, SDL_PIXELFORMAT_ABGR8888, SDL_TEXTUREACCESS_TARGET, w, h);
    if (!g_sdl.canvas) {
      SDL_Log("engine: canvas %dx%d not created: %s", w, h, SDL_GetError());
      return;
    }
    SDL_SetTextureBlendMode(g_sdl.canvas, SDL_BLENDMODE_NONE);
    SDL_SetTextureScaleMode(g_sdl.canvas, SDL_ScaleModeNearest);
    g_sdl.canvasW = w;
    g_sdl.canvasH = h;
    g_sdl.lastValid = false;
    g_sdl.showAll = true;
    flushBatches();
    SDL_SetRenderTarget(g_sdl.renderer, g_sdl.canvas);
    endBatches(false);  // cells for the canvas
  }
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
  if (!g_sdl.shortcuts) return st;
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

}  // namespace

void endBatches(bool send) {
  for (size_t i = 0; i < g_sdl.batchCount; ++i) {
    Batch& b = g_sdl.batches[i];
    if (send && g_sdl.renderer && !b.indices.empty()) submit(b);
    b.verts.clear();
    b.indices.clear();
  }
  g_sdl.batchCount = 0;
  int w = 0, h = 0;
  if (g_sdl.renderer) SDL_GetRendererOutputSize(g_sdl.renderer, &w, &h);
  g_sdl.outW = w;
  g_sdl.outH = h;
  g_sdl.cellsW = (w + kCell - 1) / kCell;
  g_sdl.cellsH = (h + kCell - 1) / kCell;
  g_sdl.cells.assign((size_t)g_sdl.cellsW * g_sdl.cellsH, -1);
}

void flushBatches() { endBatches(true); }

bool drawsWaitOn(const Surface* surf) {
  for (size_t i = 0; i < g_sdl.batchCount; ++i)
    if (g_sdl.batches[i].surf == surf) return true;
  return false;
}

void setDrawShortcuts(bool on) {
  resolveFrame();
  flushBatches();
  g_sdl.shortcuts = on;
  g_sdl.lastValid = false;
}

void beginFrame(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  if (!g_sdl.renderer) return;
  resolveFrame();
  fitCanvas();
  endBatches(false);
  SDL_RenderSetClipRect(g_sdl.renderer, nullptr);
  if (!g_sdl.target) {
    beginRecording(r, g, b, a);
    return;
  }
  SDL_SetRenderDrawColor(g_sdl.renderer, r, g, b, a);
  SDL_RenderClear(g_sdl.renderer);
}

void draw(Texture* t, const Vertex* vertices, int vertexCount, const int* indices, int indexCount, Blend blend) {
  if (!g_sdl.renderer || vertexCount <= 0 || indexCount <= 0) return;
  if (t && !t->surf->tex) return;
  if (g_sdl.recording) {
    recordDraw(t, vertices, vertexCount, indices, indexCount, blend);
    return;
  }
  // Drawn outside a recorded frame: the output no longer shows the last one.
  if (!g_sdl.target) g_sdl.lastValid = false, g_sdl.showAll = true;
  enqueueDraw(t, vertices, vertexCount, indices, indexCount, blend);
}

void enqueueDraw(const Texture* t, const Vertex* vertices, int vertexCount, const int* indices, int indexCount,
                 Blend blend) {
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
  const float right = (float)(g_sdl.cellsW * kCell), bottom = (float)(g_sdl.cellsH * kCell);
  const bool onScreen = std::isfinite(x0) && std::isfinite(x1) && std::isfinite(y0) && std::isfinite(y1) && x1 >= 0 &&
                        y1 >= 0 && x0 < right && y0 < bottom;
  // A pixel's margin around the bounds, clamped to the grid.
  auto cell = [](float f, float end) { return (int)std::min(std::max(f, 0.0f), end - 1) / kCell; };
  const int cx0 = onScreen ? cell(x0 - 1, right) : 0, cx1 = onScreen ? cell(x1 + 1, right) : -1;
  const int cy0 = onScreen ? cell(y0 - 1, bottom) : 0, cy1 = onScreen ? cell(y1 + 1, bottom) : -1;
  int last = -1;
  if (onScreen)
    for (int cy = cy0; cy <= cy1; ++cy)
      for (int cx = cx0; cx <= cx1; ++cx) last = std::max(last, (int)g_sdl.cells[(size_t)cy * g_sdl.cellsW + cx]);
  // The first batch from there on in the cheap state, else in the general
  // one. Comparing, nothing moves: only the newest batch is joined.
  size_t k = SIZE_MAX, kGeneral = SIZE_MAX;
  size_t from = last < 0 ? 0 : (size_t)last;
  if (!g_sdl.shortcuts && g_sdl.batchCount > 0) from = g_sdl.batchCount - 1;
  for (size_t i = from; i < g_sdl.batchCount && k == SIZE_MAX; ++i) {
    const Batch& b = g_sdl.batches[i];
    if (b.surf != surf) continue;
    if (b.blend == cheap.blend && b.linear == cheap.linear)
      k = i;
    else if (kGeneral == SIZE_MAX && b.blend == general.blend && b.linear == general.linear)
      kGeneral = i;
  }
  // A new batch for the cheap state is worth its state change; once the
  // batches run out, the general state is fine too.
  if (k == SIZE_MAX && g_sdl.batchCount == kMaxBatches) k = kGeneral;
  if (k == SIZE_MAX) {
    if (g_sdl.batchCount == kMaxBatches) flushBatches();
    k = g_sdl.batchCount++;
    if (g_sdl.batches.size() < g_sdl.batchCount) g_sdl.batches.emplace_back();
    Batch& b = g_sdl.batches[k];
    b.surf = surf;
    b.blend = cheap.blend;
    b.linear = cheap.linear;
  }
  Batch& b = g_sdl.batches[k];
  if (onScreen)
    for (int cy = cy0; cy <= cy1; ++cy)
      for (int cx = cx0; cx <= cx1; ++cx) {
        int8_t& c = g_sdl.cells[(size_t)cy * g_sdl.cellsW + cx];
        c = std::max(c, (int8_t)k);
      }
  if (t && beyondTexture(vertices, vertexCount))
    appendWrapped(b, t, vertices, vertexCount, indices, indexCount);
  else
    appendMesh(b, t, vertices, vertexCount, indices, indexCount);
}

void setClip(const int* xywh) {
  if (!g_sdl.renderer) return;
  if (g_sdl.recording) {
    g_sdl.clipped = xywh != nullptr;
    if (xywh) g_sdl.clip = Rect{xywh[0], xywh[1], xywh[0] + std::max(xywh[2], 0), xywh[1] + std::max(xywh[3], 0)};
    return;
  }
  flushBatches();
  if (!xywh) {
    SDL_RenderSetClipRect(g_sdl.renderer, nullptr);
    return;
  }
  SDL_Rect r{xywh[0], xywh[1], xywh[2] > 0 ? xywh[2] : 0, xywh[3] > 0 ? xywh[3] : 0};
  // SDL reads an empty rectangle as "no clip"; a clipped-away subtree must draw nothing.
  if (r.w == 0 || r.h == 0) r = SDL_Rect{-10, -10, 1, 1};
  SDL_RenderSetClipRect(g_sdl.renderer, &r);
}

void flush() {
  resolveFrame();
  flushBatches();
}

bool readPixels(std::vector<uint8_t>& rgba, int& width, int& height) {
  if (!g_sdl.renderer) return false;
  resolveFrame();
  flushBatches();
  if (keptInBackBuffer() && !g_sdl.target && backBufferLags()) {
    // Rectangles shown from kept pixels were never drawn into it.
    g_sdl.backStale = true;
    refreshBackBuffer();
    flushBatches();
  }
  SDL_RenderSetClipRect(g_sdl.renderer, nullptr);
  if (SDL_GetRendererOutputSize(g_sdl.renderer, &width, &height) != 0) return false;
  rgba.resize((size_t)width * height * 4);
  return SDL_RenderReadPixels(g_sdl.renderer, nullptr, SDL_PIXELFORMAT_ABGR8888, rgba.data(), width * 4) == 0;
}

void finish() {
  if (!g_sdl.renderer) return;
  resolveFrame();
  flushBatches();
  SDL_RenderFlush(g_sdl.renderer);
  // GL's own wait costs llvmpipe far less than reading a pixel back, which
  // cannot finish before the drawing does either (the software renderer's
  // only wait).
  if (g_sdl.gl.finish && SDL_GL_GetCurrentContext()) {
    g_sdl.gl.finish();
    return;
  }
  uint32_t px = 0;
  SDL_Rect r{0, 0, 1, 1};
  SDL_RenderReadPixels(g_sdl.renderer, &r, SDL_PIXELFORMAT_ABGR8888, &px, 4);
}

static long wholeOutput() {
  int w = 0, h = 0;
  outputSize(w, h);
  return (long)w * h;
}

// Shows rectangles of the GL back buffer, of the given height, on the
// window (GL counts rows from the bottom).
static void showBackRects(const std::vector<Rect>& rects, int height) {
  for (const Rect& r : rects) {
    g_sdl.copySubBuffer(g_sdl.xDisplay, g_sdl.xWindow, r.x0, height - r.y1, r.x1 - r.x0, r.y1 - r.y0);
    noteSent(rectArea(r));
  }
}

// The back buffer keeps the frame: only where the last frame changed is put
// on the window, all of it after anything else.
void showBackBuffer() {
  int w = 0, h = 0;
  SDL_GetRendererOutputSize(g_sdl.renderer, &w, &h);
  if (w != g_sdl.shownW || h != g_sdl.shownH) {
    // A new size: the driver sizes its buffers again at a swap, and only a
    // part of the old size could be copied. The frame after it is drawn and
    // shown whole, by copying.
    g_sdl.shown.clear();
    SDL_RenderPresent(g_sdl.renderer);
    g_sdl.shownW = w;
    g_sdl.shownH = h;
    g_sdl.lastValid = false;
    g_sdl.showAll = true;
    g_sdl.staleBack.clear();
    g_sdl.backStale = false;
    return;
  }
  if (g_sdl.showAll || !g_sdl.shortcuts) {
    refreshBackBuffer();
    SDL_RenderFlush(g_sdl.renderer);
    showBackRects({Rect{0, 0, w, h}}, h);
    g_sdl.showAll = false;
    return;
  }
  std::vector<Rect> rects;
  showKeptPixels(rects);
  SDL_RenderFlush(g_sdl.renderer);
  showBackRects(rects, h);
  keepDrawnPixels();
  flushX11();
}

// The software renderer draws into the window's surface, which keeps the
// frame: only where the last frame changed is sent to the window (the X
// server copies what it is sent), all of it after anything else.
void showWindowSurface() {
  if (g_sdl.showAll || !g_sdl.shortcuts || !g_sdl.lastValid) {
    SDL_RenderPresent(g_sdl.renderer);
    noteSent(wholeOutput());
    g_sdl.showAll = false;
    return;
  }
  SDL_RenderFlush(g_sdl.renderer);
  keepDrawnPixels();
  const std::vector<Rect>& rects = g_sdl.lastRects;
  if (rects.empty()) return;
  SDL_Surface* surface = SDL_GetWindowSurface(g_sdl.window);
  if (canPutOnWindow() && surface && surface->format->BytesPerPixel == 4) {
    // Straight from the surface, without waiting for the server to take it.
    for (const Rect& r : rects)
      putOnWindow(reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(surface->pixels) +
                                                    (size_t)r.y0 * surface->pitch + (size_t)r.x0 * 4),
                  r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0, surface->pitch);
    flushX11();
    return;
  }
  SDL_Rect parts[8];
  int n = 0;
  for (const Rect& r : rects) {
    if (n == 8) break;
    parts[n++] = SDL_Rect{r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0};
  }
  SDL_UpdateWindowSurfaceRects(g_sdl.window, parts, n);
}

// The window shows the canvas, which keeps the frame for the next: copied
// whole and swapped, or only where the last frame changed, straight to the
// window. Copying a whole frame costs llvmpipe as much as drawing one.
void showCanvas() {
  const std::vector<Rect>& rects = g_sdl.lastRects;
  const bool whole = rects.size() == 1 && rects[0].x0 <= 0 && rects[0].y0 <= 0 && rects[0].x1 >= g_sdl.canvasW &&
                     rects[0].y1 >= g_sdl.canvasH;
  const bool part = g_sdl.copySubBuffer && !g_sdl.showAll && !whole;
  if (part && rects.empty()) return;
  SDL_SetRenderTarget(g_sdl.renderer, nullptr);
  SDL_RenderSetClipRect(g_sdl.renderer, nullptr);
  if (part) {
    for (const Rect& r : rects) {
      SDL_Rect s{r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0};
      SDL_RenderCopy(g_sdl.renderer, g_sdl.canvas, &s, &s);
    }
    SDL_RenderFlush(g_sdl.renderer);
    showBackRects(rects, g_sdl.canvasH);
  } else {
    SDL_RenderCopy(g_sdl.renderer, g_sdl.canvas, nullptr, nullptr);
    SDL_RenderPresent(g_sdl.renderer);
    noteSent(wholeOutput());
    g_sdl.showAll = false;
  }
  SDL_SetRenderTarget(g_sdl.renderer, g_sdl.canvas);
}

void showCanvasAgain() {
  if (!g_sdl.renderer || g_sdl.headless || g_sdl.target || g_sdl.recording) return;
  if (g_sdl.software && g_sdl.lastValid) {
    // The window surface still holds the frame.
    SDL_RenderPresent(g_sdl.renderer);
    g_sdl.showAll = false;
    return;
  }
  if (keptInBackBuffer()) {
    if (!g_sdl.lastValid) return;  // the next frame is drawn whole anyway
    flushBatches();
    g_sdl.shown.clear();  // shown already
    g_sdl.showAll = true;
    showBackBuffer();
    return;
  }
  if (!g_sdl.canvas) return;
  flushBatches();
  g_sdl.showAll = true;
  showCanvas();
}

void present() {
  if (!g_sdl.renderer) return;
  resolveFrame();
  flushBatches();
  if (g_sdl.canvas && !g_sdl.headless && !g_sdl.target) {
    showCanvas();
    return;
  }
  if (keptInBackBuffer() && !g_sdl.target) {
    showBackBuffer();
    return;
  }
  if (g_sdl.software && !g_sdl.headless && !g_sdl.target) {
    showWindowSurface();
    return;
  }
  SDL_RenderPresent(g_sdl.renderer);
  if (!g_sdl.headless) noteSent(wholeOutput());
  // Nothing waits for a frame without a window, and llvmpipe then queues
  // every presented frame (up to 64), each holding its own copy of the
  // drawing state of every batch: stepping frames headless grew by hundreds
  // of megabytes. One frame at a time, as a window's swap gives.
  if (g_sdl.headless) finish();
}

void syncShown() {
  if (g_sdl.renderer && !g_sdl.headless) syncX11();
}

void outputSize(int& width, int& height) {
  width = height = 0;
  if (g_sdl.renderer) SDL_GetRendererOutputSize(g_sdl.renderer, &width, &height);
}

bool setRenderTarget(Texture* t) {
  if (!g_sdl.renderer) return false;
  resolveFrame();
  flushBatches();
  // What it shows changes: frames that draw it again must see a new texture.
  if (t) {
    textureGone(t);
    t->serial = uniqueTextureKey();
  }
  if (SDL_SetRenderTarget(g_sdl.renderer, t ? t->own.tex : g_sdl.canvas) != 0) return false;
  g_sdl.target = t ? t->own.tex : nullptr;
  endBatches(false);  // cells for the new output
  if (t) {
    SDL_RenderSetClipRect(g_sdl.renderer, nullptr);
    SDL_SetRenderDrawColor(g_sdl.renderer, 0, 0, 0, 255);
    SDL_RenderClear(g_sdl.renderer);
  }
  return true;
}

}  // namespace backend
}  // namespace kest
