// SDL2 back end of the engine.
//
// Implemented: a window (hidden when headless) with SDL's OpenGL renderer,
// falling back to the software renderer (and, headless, from the offscreen
// video driver with EGL to the dummy driver); batched textured triangles with
// alpha, additive and modulating blends; clip rectangles; read-back of the
// frame; mouse, wheel, keys, text input and window state to CCEGLView;
// PNG/JPEG decoding (SDL2_image) on any thread; PNG saving; text with SDL2_ttf;
// message boxes.
// Not implemented: GL wrap modes (the sprite tiles repeated textures itself),
// blend functions beyond the four SDL offers (others draw as alpha blending).
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
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <mutex>
#include <utility>

#include "CCEGLView.h"

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
  bool linear = true;  // the filter the engine asked for
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
std::vector<int8_t> g_cells;
static_assert(kMaxBatches <= 127, "batch numbers fit the cells");
bool g_shortcuts = true;
bool g_headless = false;

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
  g_rendererName = strcmp(info.name, "opengl") == 0 ? "opengl" : (strcmp(info.name, "software") == 0 ? "software" : "other");
  g_window = win;
  g_renderer = ren;
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
  if (t) SDL_SetTextureBlendMode(t, toSdl(b.blend));
  else SDL_SetRenderDrawBlendMode(g_renderer, toSdl(b.blend));
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
  g_cellsW = (w + kCell - 1) / kCell;
  g_cellsH = (h + kCell - 1) / kCell;
  g_cells.assign((size_t)g_cellsW * g_cellsH, -1);
}

void flushBatch() { endBatches(true); }

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
      t->notOpaqueSum[(size_t)(by + 1) * stride + bx + 1] = notOpaque[(size_t)by * t->bw + bx] +
                                                             t->notOpaqueSum[(size_t)by * stride + bx + 1] +
                                                             t->notOpaqueSum[(size_t)(by + 1) * stride + bx] -
                                                             t->notOpaqueSum[(size_t)by * stride + bx];
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
    // Filtering reaches half a texel past the covered ones.
    const int m = st.linear ? 1 : 0;
    if (!texelsOpaque(t, (int)std::floor(u0 * t->w) - m, (int)std::floor(v0 * t->h) - m,
                      (int)std::ceil(u1 * t->w) + m, (int)std::ceil(v1 * t->h) + m))
      return st;
  }
  st.blend = Blend::None;
  return st;
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
  if (g_renderer) SDL_DestroyRenderer(g_renderer);
  if (g_window) SDL_DestroyWindow(g_window);
  // Quitting video ends the GL driver's display, which joins its threads.
  if (g_open) SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
  if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
  g_renderer = nullptr;
  g_window = nullptr;
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

void setDrawShortcuts(bool on) {
  flushBatch();
  g_shortcuts = on;
}

void beginFrame(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  if (!g_renderer) return;
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
  const bool onScreen = std::isfinite(x0) && std::isfinite(x1) && std::isfinite(y0) && std::isfinite(y1) &&
                        x1 >= 0 && y1 >= 0 && x0 < right && y0 < bottom;
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
    if (b.blend == cheap.blend && b.linear == cheap.linear) k = i;
    else if (kGeneral == SIZE_MAX && b.blend == general.blend && b.linear == general.linear) kGeneral = i;
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
  const int base = (int)b.verts.size();
  for (int i = 0; i < vertexCount; ++i) {
    const Vertex& v = vertices[i];
    SDL_Vertex s;
    s.position.x = v.x;
    s.position.y = v.y;
    s.color = SDL_Color{v.r, v.g, v.b, v.a};
    s.tex_coord.x = v.u;
    s.tex_coord.y = v.v;
    if (t && t->page) {
      s.tex_coord.x = (t->x + v.u * t->w) / kPageSize;
      s.tex_coord.y = (t->y + v.v * t->h) / kPageSize;
    }
    b.verts.push_back(s);
  }
  for (int i = 0; i < indexCount; ++i) {
    int idx = indices[i];
    if (idx < 0 || idx >= vertexCount) idx = 0;
    b.indices.push_back(base + idx);
  }
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
  if (SDL_SetRenderTarget(g_renderer, t ? t->own.tex : nullptr) != 0) return false;
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
  SDL_Rect r;
  int display = g_window ? SDL_GetWindowDisplayIndex(g_window) : 0;
  if (SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &r) == 0) {
    x = r.x;
    y = r.y;
    w = r.w;
    h = r.h;
  }
}

bool pumpEvents() {
  if (!g_open) return true;
  cocos2d::CCEGLView* view = cocos2d::CCEGLView::sharedOpenGLView();
  SDL_Event e;
  bool keepRunning = true;
  while (SDL_PollEvent(&e)) {
    switch (e.type) {
      case SDL_QUIT:
        keepRunning = false;
        break;
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
      case SDL_TEXTINPUT:
        view->handleTextInput(e.text.text);
        break;
      case SDL_WINDOWEVENT:
        switch (e.window.event) {
          case SDL_WINDOWEVENT_MINIMIZED: view->handleWindowState(cocos2d::CCWindowMessage::kMinimized); break;
          case SDL_WINDOWEVENT_MAXIMIZED: view->handleWindowState(cocos2d::CCWindowMessage::kMaximized); break;
          case SDL_WINDOWEVENT_RESTORED: view->handleWindowState(cocos2d::CCWindowMessage::kRestored); break;
          case SDL_WINDOWEVENT_SIZE_CHANGED:
            view->handleResize((float)e.window.data1, (float)e.window.data2);
            break;
          case SDL_WINDOWEVENT_EXPOSED: view->handleWindowState(cocos2d::CCWindowMessage::kRestored); break;
          case SDL_WINDOWEVENT_CLOSE: view->handleWindowState(cocos2d::CCWindowMessage::kClose); break;
          default: break;
        }
        break;
      default:
        break;
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
  int rc = IMG_SavePNG(s, path.c_str());
  SDL_FreeSurface(s);
  return rc == 0;
}

bool renderText(const std::string& fontPath, int size, const std::string& utf8, int wrapWidth, int align,
                std::vector<uint8_t>& rgba, int& width, int& height) {
  if (utf8.empty()) return false;
  TTF_Font* f = font(fontPath, size);
  if (!f) return false;
  TTF_SetFontWrappedAlign(f, align == 1 ? TTF_WRAPPED_ALIGN_CENTER
                                        : (align == 2 ? TTF_WRAPPED_ALIGN_RIGHT : TTF_WRAPPED_ALIGN_LEFT));
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
