// Textures and the pages that small ones share.
//
// A texture drawn only from within its own texels (labels), of at most
// 512 x 128, is placed on a shared 1024 x 1024 page inside a border that
// repeats its edge texels, so that a board full of labels draws in a few
// batches and a label's new text writes into a page instead of making a GL
// texture. Every texture keeps which blocks of its texels are opaque, so
// that draws covering only those need no blending.

#include <cstring>

#include "backend/sdl/SdlBackend.h"

namespace kest {
namespace backend {

namespace {

// The GL names the calls in g_sdl.gl take here.
constexpr unsigned kGlTexture2D = 0x0DE1, kGlRgba = 0x1908, kGlUnsignedByte = 0x1401, kGlPackRowLength = 0x0D02,
                   kGlPackAlignment = 0x0D05, kGlFramebuffer = 0x8D40, kGlColourAttachment0 = 0x8CE0, kGlNoError = 0;

constexpr int kPagedMaxW = 512, kPagedMaxH = 128;

// Marks the blocks holding any texel that is not fully opaque, and the
// larger ones holding any that is not fully clear, in one pass.
void summariseOpacity(Texture* t, const uint8_t* rgba) {
  static_assert(kSeenBlock % kBlock == 0, "seen blocks are whole opacity blocks");
  const int w = t->w, h = t->h;
  t->bw = (w + kBlock - 1) / kBlock;
  t->bh = (h + kBlock - 1) / kBlock;
  const int sw = (w + kSeenBlock - 1) / kSeenBlock, sh = (h + kSeenBlock - 1) / kSeenBlock;
  // Scratch kept between calls: labels are made again every few frames.
  static std::vector<uint8_t> notOpaque, seen;
  notOpaque.assign((size_t)t->bw * t->bh, 0);
  seen.assign((size_t)sw * sh, 0);
  const int whole = w / kBlock;  // blocks of a full row of texels; the last may be part of one
  for (int y = 0; y < h; ++y) {
    const uint8_t* row = rgba + (size_t)y * w * 4;
    uint8_t* blocks = &notOpaque[(size_t)(y / kBlock) * t->bw];
    uint8_t* seenBlocks = &seen[(size_t)(y / kSeenBlock) * sw];
    for (int bx = 0; bx < whole; ++bx) {
      const uint8_t* p = row + (size_t)bx * kBlock * 4 + 3;
      unsigned all = 255, any = 0;
      for (int i = 0; i < kBlock; ++i) {
        all &= p[i * 4];
        any |= p[i * 4];
      }
      blocks[bx] |= all != 255;
      seenBlocks[bx * kBlock / kSeenBlock] |= any != 0;
    }
    if (whole < t->bw) {
      unsigned all = 255, any = 0;
      for (int x = whole * kBlock; x < w; ++x) {
        all &= row[x * 4 + 3];
        any |= row[x * 4 + 3];
      }
      blocks[whole] |= all != 255;
      seenBlocks[whole * kBlock / kSeenBlock] |= any != 0;
    }
  }
  size_t count = 0;
  for (uint8_t b : notOpaque) count += b;
  t->opaque = count == 0;
  t->clear = count == notOpaque.size();
  t->notOpaqueSum.clear();
  if (t->opaque)
    t->seen.clear();
  else
    t->seen = seen;
  if (t->opaque || t->clear) return;
  const int stride = t->bw + 1;
  t->notOpaqueSum.assign((size_t)stride * (t->bh + 1), 0);
  for (int by = 0; by < t->bh; ++by)
    for (int bx = 0; bx < t->bw; ++bx)
      t->notOpaqueSum[(size_t)(by + 1) * stride + bx + 1] =
          notOpaque[(size_t)by * t->bw + bx] + t->notOpaqueSum[(size_t)by * stride + bx + 1] +
          t->notOpaqueSum[(size_t)(by + 1) * stride + bx] - t->notOpaqueSum[(size_t)by * stride + bx];
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
      SDL_CreateTexture(g_sdl.renderer, SDL_PIXELFORMAT_ABGR8888, SDL_TEXTUREACCESS_STATIC, kPageSize, kPageSize);
  if (!tex) return nullptr;
  std::vector<uint8_t> clear((size_t)kPageSize * kPageSize * 4, 0);
  SDL_UpdateTexture(tex, nullptr, clear.data(), kPageSize * 4);
  SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_BLEND);
  SDL_SetTextureScaleMode(tex, SDL_ScaleModeLinear);
  g_sdl.pages.push_back(std::unique_ptr<Page>(new Page()));
  Page* p = g_sdl.pages.back().get();
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
  for (auto& p : g_sdl.pages)
    if (placeOnPage(*p, w, h, x, y)) {
      page = p.get();
      break;
    }
  if (!page) {
    page = newPage();
    if (!page || !placeOnPage(*page, w, h, x, y)) return false;
  }
  static std::vector<uint8_t> bordered;  // at most a page's largest texture, kept between calls
  bordered.resize((size_t)w * h * 4);
  for (int row = 0; row < h; ++row) {
    const uint8_t* src = rgba + (size_t)std::min(std::max(row - 1, 0), t->h - 1) * t->w * 4;
    uint8_t* dst = &bordered[(size_t)row * w * 4];
    memcpy(dst + 4, src, (size_t)t->w * 4);
    memcpy(dst, src, 4);
    memcpy(dst + (size_t)(w - 1) * 4, src + (size_t)(t->w - 1) * 4, 4);
  }
  // Draws waiting on this page read it before the new texels land.
  if (drawsWaitOn(&page->surf)) flushBatches();
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
  if (--page->live > 0 || page == g_sdl.pages.back().get()) return;
  SDL_DestroyTexture(page->surf.tex);
  for (size_t i = 0; i < g_sdl.pages.size(); ++i)
    if (g_sdl.pages[i].get() == page) {
      g_sdl.pages.erase(g_sdl.pages.begin() + (long)i);
      break;
    }
}

}  // namespace

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

bool texelsTransparent(const Texture* t, int x0, int y0, int x1, int y1) {
  if (t->opaque || t->seen.empty()) return false;
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, t->w);
  y1 = std::min(y1, t->h);
  if (x1 <= x0 || y1 <= y0) return true;
  const int sw = (t->w + kSeenBlock - 1) / kSeenBlock;
  for (int by = y0 / kSeenBlock; by <= (y1 - 1) / kSeenBlock; ++by)
    for (int bx = x0 / kSeenBlock; bx <= (x1 - 1) / kSeenBlock; ++bx)
      if (t->seen[(size_t)by * sw + bx]) return false;
  return true;
}

bool mayHaveTexelsOnCpu(const Texture* t) {
  if (!t || t->page || t->target || textureStale(t) || !t->own.tex || t->own.w != t->w || t->own.h != t->h)
    return false;
  if (!t->cpuTexels.empty()) return true;
  // A single texel would not tell a rectangle texture from a 2D one (below).
  return !t->cpuTried && (long)t->w * t->h <= kCpuTexelsMax && (long)t->w * t->h > 1 && g_sdl.gl.getTexImage &&
         g_sdl.gl.pixelStore && g_sdl.gl.getError;
}

const uint8_t* texelsOnCpu(const Texture* t) {
  if (!mayHaveTexelsOnCpu(t)) return nullptr;
  if (!t->cpuTexels.empty()) return t->cpuTexels.data();
  t->cpuTried = true;
  const SdlState::GlCalls& gl = g_sdl.gl;
  flushBatches();
  float sw = 0, sh = 0;
  // Binding sends SDL's queued draws of the texture; their errors are not the read's.
  if (SDL_GL_BindTexture(t->own.tex, &sw, &sh) != 0) return nullptr;
  for (int i = 0; i < 8 && gl.getError() != kGlNoError; ++i) {
  }
  std::vector<uint8_t> texels;
  // SDL lays a texture out at its size on a 2D texture when the driver takes
  // any size (Mesa's do); else it is padded, or a rectangle texture.
  if (sw == 1.0f && sh == 1.0f) {
    texels.resize((size_t)t->w * t->h * 4);
    // SDL's read-back leaves its row length set.
    gl.pixelStore(kGlPackRowLength, 0);
    gl.pixelStore(kGlPackAlignment, 4);
    gl.getTexImage(kGlTexture2D, 0, kGlRgba, kGlUnsignedByte, texels.data());
    if (gl.getError() != kGlNoError) texels.clear();
  }
  SDL_GL_UnbindTexture(t->own.tex);
  t->cpuTexels = std::move(texels);
  return t->cpuTexels.empty() ? nullptr : t->cpuTexels.data();
}

Texture* createTexture(const uint8_t* rgba, int width, int height, bool drawnWhole) {
  Texture* t = new Texture();
  t->generation = g_sdl.generation;
  if (!g_sdl.renderer || width <= 0 || height <= 0) return t;
  t->serial = texelsKey(rgba, width, height);
  t->w = width;
  t->h = height;
  summariseOpacity(t, rgba);
  if (drawnWhole && g_sdl.shortcuts && width <= kPagedMaxW && height <= kPagedMaxH && placePaged(t, rgba)) return t;
  t->own.tex = SDL_CreateTexture(g_sdl.renderer, SDL_PIXELFORMAT_ABGR8888, SDL_TEXTUREACCESS_STATIC, width, height);
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

namespace {

// SDL's GL renderer draws into a target through one framebuffer object per
// size and leaves the last target it drew to attached there. Deleted while
// attached, a texture's storage stays with the driver until another target
// of its size is drawn to: a window-sized snapshot is 4 MB kept for nothing.
// Bound and taken off first, it goes with its name.
void detachTarget(SDL_Texture* tex) {
  if (!g_sdl.gl.framebufferTexture2D) return;
  SDL_Texture* was = SDL_GetRenderTarget(g_sdl.renderer);
  SDL_Rect clip{};
  const bool clipped = SDL_RenderIsClipEnabled(g_sdl.renderer);
  if (clipped) SDL_RenderGetClipRect(g_sdl.renderer, &clip);
  if (SDL_SetRenderTarget(g_sdl.renderer, tex) != 0) return;
  g_sdl.gl.framebufferTexture2D(kGlFramebuffer, kGlColourAttachment0, kGlTexture2D, 0, 0);
  SDL_SetRenderTarget(g_sdl.renderer, was == tex ? nullptr : was);
  if (was != tex) SDL_RenderSetClipRect(g_sdl.renderer, clipped ? &clip : nullptr);
}

}  // namespace

void destroyTexture(Texture* t) {
  if (!t) return;
  if (!g_sdl.renderer || t->generation != g_sdl.generation) {
    // The renderer (and its textures) went first, at exit.
    delete t;
    return;
  }
  // Waiting draws read the texels before they go or are reused.
  if (recordedNow(t)) resolveFrame();
  textureGone(t);
  if (drawsWaitOn(t->surf)) flushBatches();
  if (t->page) {
    releasePaged(t);
  } else if (t->own.tex) {
    if (t->target) detachTarget(t->own.tex);
    SDL_DestroyTexture(t->own.tex);
  }
  delete t;
}

bool textureStale(const Texture* t) { return t && t->generation != g_sdl.generation; }

void setTextureFilter(Texture* t, bool linear) {
  // Draws already batched keep the filter they were made with; SDL gets the
  // new one when a batch needs it.
  if (!t || t->linear == linear) return;
  textureGone(t);
  t->linear = linear;
}

void setTextureWrap(Texture* t, bool repeatS, bool repeatT) {
  if (!t || (t->repeatS == repeatS && t->repeatT == repeatT)) return;
  textureGone(t);
  t->repeatS = repeatS;
  t->repeatT = repeatT;
}

Texture* createTargetTexture(int width, int height) {
  if (!g_sdl.renderer || width <= 0 || height <= 0) return nullptr;
  SDL_Texture* tex =
      SDL_CreateTexture(g_sdl.renderer, SDL_PIXELFORMAT_ABGR8888, SDL_TEXTUREACCESS_TARGET, width, height);
  if (!tex) {
    SDL_Log("engine: target texture %dx%d not created: %s", width, height, SDL_GetError());
    return nullptr;
  }
  SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_BLEND);
  SDL_SetTextureScaleMode(tex, SDL_ScaleModeLinear);
  Texture* t = new Texture();
  t->generation = g_sdl.generation;
  t->serial = uniqueTextureKey();
  t->own.tex = tex;
  t->own.w = t->w = width;
  t->own.h = t->h = height;
  t->target = true;
  return t;
}

}  // namespace backend
}  // namespace kest
