// What only X11 gives: putting part of a GL back buffer on the window.
//
// Kept apart because Xlib's headers define names (None, Window, Cursor) that
// the rest of the back end uses for its own.

#include "backend/sdl/SdlBackend.h"

#include <SDL_syswm.h>

#include <cstring>

namespace kest {
namespace backend {

// Whether the GL window can show part of its back buffer: with GLX and
// GLX_MESA_copy_sub_buffer (Mesa's drivers have it), a frame drawn again in
// a corner is put on the window there alone.
void findCopySubBuffer(SDL_Window* win) {
  g_sdl.copySubBuffer = nullptr;
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(win, &info) || info.subsystem != SDL_SYSWM_X11) return;
  const char* egl = SDL_GetHint(SDL_HINT_VIDEO_X11_FORCE_EGL);
  if (egl && *egl == '1') return;
  using Query = const char* (*)(Display*, int);
  Query query = reinterpret_cast<Query>(SDL_GL_GetProcAddress("glXQueryExtensionsString"));
  if (!query) return;
  Display* display = info.info.x11.display;
  const char* extensions = query(display, DefaultScreen(display));
  if (!extensions || !strstr(extensions, "GLX_MESA_copy_sub_buffer")) return;
  void* copy = SDL_GL_GetProcAddress("glXCopySubBufferMESA");
  if (!copy) return;
  g_sdl.copySubBuffer = reinterpret_cast<void (*)(void*, unsigned long, int, int, int, int)>(copy);
  g_sdl.xDisplay = display;
  g_sdl.xWindow = info.info.x11.window;
#else
  (void)win;
#endif
}

}  // namespace backend
}  // namespace kest
