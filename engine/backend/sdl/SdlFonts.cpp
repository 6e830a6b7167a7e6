// Text drawn into pixels with SDL2_ttf: white glyphs with alpha, wrapped
// and aligned. Fonts open on first use by path and size and stay open until
// the window closes.

#include <cstdlib>
#include <string>
#include <vector>

#include "backend/sdl/SdlBackend.h"

namespace kest {
namespace backend {

namespace {

// Closes them, and SDL2_ttf, at the process's exit too.
void closeFontsAtExit() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  atexit([] {
    closeFonts();
    if (TTF_WasInit()) TTF_Quit();
  });
}

TTF_Font* font(const std::string& path, int size) {
  if (size <= 0) return nullptr;
  if (!TTF_WasInit()) {
    if (TTF_Init() != 0) return nullptr;
    // Fonts go at exit even when nothing closes the window, or none opened.
    closeFontsAtExit();
  }
  auto key = std::make_pair(path, size);
  auto it = g_sdl.fonts.find(key);
  if (it != g_sdl.fonts.end()) return it->second;
  TTF_Font* f = TTF_OpenFont(path.c_str(), size);
  g_sdl.fonts[key] = f;  // a failure is remembered too
  return f;
}

}  // namespace

bool renderText(const std::string& fontPath, int size, const std::string& utf8, int wrapWidth, int align,
                std::vector<uint8_t>& rgba, int& width, int& height) {
  if (utf8.empty()) return false;
  TTF_Font* f = font(fontPath, size);
  if (!f) return false;
  TTF_SetFontWrappedAlign(
      f, align == 1 ? TTF_WRAPPED_ALIGN_CENTER : (align == 2 ? TTF_WRAPPED_ALIGN_RIGHT : TTF_WRAPPED_ALIGN_LEFT));
  const SDL_Color white{255, 255, 255, 255};
  // One line unwrapped renders the same pixels as through the wrapping
  // renderer, which measures and shapes it twice more.
  SDL_Surface* s =
      wrapWidth <= 0 && utf8.find_first_of("\r\n") == std::string::npos
          ? TTF_RenderUTF8_Blended(f, utf8.c_str(), white)
          : TTF_RenderUTF8_Blended_Wrapped(f, utf8.c_str(), white, (Uint32)(wrapWidth > 0 ? wrapWidth : 0));
  return surfaceToRgba(s, rgba, width, height);
}

bool fontUsable(const std::string& fontPath) { return font(fontPath, 12) != nullptr; }

int fontLineHeight(const std::string& fontPath, int size) {
  TTF_Font* f = font(fontPath, size);
  return f ? TTF_FontLineSkip(f) : size;
}

void closeFonts() {
  for (auto& kv : g_sdl.fonts)
    if (kv.second) TTF_CloseFont(kv.second);
  g_sdl.fonts.clear();
}

}  // namespace backend
}  // namespace kest
