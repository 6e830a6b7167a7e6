// Pictures: PNG and JPEG decoded with SDL2_image on any thread, PNG saved
// whole (encoded in memory, then written in one atomic write).

#include <SDL_image.h>

#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "backend/sdl/SdlBackend.h"
#include "platform/AtomicFile.h"

namespace kest {
namespace backend {

namespace {

// The codecs start once for the process, on whichever thread comes first.
std::once_flag g_imgOnce;
void initImage() {
  std::call_once(g_imgOnce, [] { IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG); });
}

}  // namespace

bool surfaceToRgba(SDL_Surface* s, std::vector<uint8_t>& rgba, int& w, int& h) {
  if (!s) return false;
  // Direct colour without a colour key (text, most pictures): straight into
  // the texels, without a converted surface in between.
  if (!SDL_ISPIXELFORMAT_INDEXED(s->format->format) && !SDL_HasColorKey(s) && !SDL_MUSTLOCK(s) && s->w > 0 &&
      s->h > 0) {
    w = s->w;
    h = s->h;
    rgba.resize((size_t)w * h * 4);
    bool ok = true;
    if (s->format->format == SDL_PIXELFORMAT_ARGB8888) {
      // What text renders to: red and blue change places, a loop the
      // compiler vectorises (SDL's own converter goes pixel by pixel).
      for (int y = 0; y < h; ++y) {
        const uint8_t* src = (const uint8_t*)s->pixels + (size_t)y * s->pitch;
        uint8_t* dst = &rgba[(size_t)y * w * 4];
        for (int x = 0; x < w; ++x) {
          uint32_t v;
          memcpy(&v, src + x * 4, 4);
          v = (v & 0xff00ff00u) | (v >> 16 & 0xffu) | (v & 0xffu) << 16;
          memcpy(dst + x * 4, &v, 4);
        }
      }
    } else {
      ok = SDL_ConvertPixels(w, h, s->format->format, s->pixels, s->pitch, SDL_PIXELFORMAT_ABGR8888, rgba.data(),
                             w * 4) == 0;
    }
    SDL_FreeSurface(s);
    return ok;
  }
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

bool pictureSize(const std::string& path, int& width, int& height) {
  // The signature, then the IHDR chunk: length 13, "IHDR", width, height.
  static const uint8_t kHead[16] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  uint8_t head[24];
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return false;
  const size_t got = fread(head, 1, sizeof head, f);
  fclose(f);
  if (got != sizeof head || memcmp(head, kHead, sizeof kHead) != 0) return false;
  auto be32 = [](const uint8_t* p) { return (uint32_t)p[0] << 24 | (uint32_t)p[1] << 16 | (uint32_t)p[2] << 8 | p[3]; };
  const uint32_t w = be32(head + 16), h = be32(head + 20);
  // Sizes a texture can have; anything else is decoded (and refused) at once.
  if (w == 0 || h == 0 || w > 16384 || h > 16384) return false;
  width = (int)w;
  height = (int)h;
  return true;
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

void workerThreadExit() { SDL_TLSCleanup(); }

}  // namespace backend
}  // namespace kest
