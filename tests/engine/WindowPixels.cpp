#include "WindowPixels.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

bool programWindow(SDL_SysWMinfo& info) {
  SDL_Window* window = nullptr;
  for (Uint32 id = 1; id < 64 && !window; ++id) window = SDL_GetWindowFromID(id);
  SDL_VERSION(&info.version);
  return window && SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11;
}

}  // namespace

std::vector<uint32_t> windowPixels() {
  SDL_SysWMinfo info;
  if (!programWindow(info)) return {};
  Display* display = info.info.x11.display;
  const ::Window xwindow = info.info.x11.window;
  XSync(display, False);
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, xwindow, &attributes)) return {};
  XImage* image = XGetImage(display, xwindow, 0, 0, (unsigned)attributes.width, (unsigned)attributes.height,
                            AllPlanes, ZPixmap);
  if (!image) return {};
  std::vector<uint32_t> px;
  px.reserve((size_t)attributes.width * attributes.height);
  for (int y = 0; y < attributes.height; ++y)
    for (int x = 0; x < attributes.width; ++x) px.push_back((uint32_t)XGetPixel(image, x, y) & 0xffffffu);
  XDestroyImage(image);
  return px;
}

bool sendARefusedRequest() {
  SDL_SysWMinfo info;
  if (!programWindow(info)) return false;
  Display* display = info.info.x11.display;
  XMapWindow(display, (::Window)0x7ffffff0);  // BadWindow
  XSync(display, False);
  return true;
}

bool displayAnswers(const char* display) {
  Display* d = XOpenDisplay(display);
  if (!d) return false;
  XCloseDisplay(d);
  return true;
}
