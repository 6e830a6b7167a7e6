#include "WindowPixels.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <poll.h>

#include <cstring>
#include <initializer_list>

namespace {

bool programWindow(SDL_SysWMinfo& info) {
  SDL_Window* window = nullptr;
  for (Uint32 id = 1; id < 64 && !window; ++id) window = SDL_GetWindowFromID(id);
  SDL_VERSION(&info.version);
  return window && SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11;
}

// Events read meanwhile would end the program's next wait before it sends
// anything: SDL takes them now, and they are dropped.
void dropEvents(Display* display) {
  XSync(display, False);
  SDL_PumpEvents();
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

// Runs `act` on a connection of its own to the program's display, about the
// program's window, and waits until the server has done it.
template <typename Act>
bool fromOutside(Act act) {
  SDL_SysWMinfo info;
  if (!programWindow(info)) return false;
  Display* other = XOpenDisplay(DisplayString(info.info.x11.display));
  if (!other) return false;
  act(other, info.info.x11.window);
  XSync(other, False);
  XCloseDisplay(other);
  return true;
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

bool noOperationUnsent() {
  SDL_SysWMinfo info;
  if (!programWindow(info)) return false;
  dropEvents(info.info.x11.display);
  XNoOp(info.info.x11.display);
  return true;
}

bool setPropertyUnsent(const char* name, const char* value) {
  SDL_SysWMinfo info;
  if (!programWindow(info)) return false;
  Display* display = info.info.x11.display;
  const Atom atom = XInternAtom(display, name, False);
  dropEvents(display);
  XChangeProperty(display, info.info.x11.window, atom, XA_STRING, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(value), (int)strlen(value));
  return true;
}

bool closeRequestArrivedUnread() {
  const bool sent = fromOutside([](Display* other, ::Window window) {
    XEvent event;
    memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(other, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)XInternAtom(other, "WM_DELETE_WINDOW", False);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(other, window, False, NoEventMask, &event);
  });
  SDL_SysWMinfo info;
  if (!sent || !programWindow(info)) return false;
  pollfd p{ConnectionNumber(info.info.x11.display), POLLIN, 0};
  return poll(&p, 1, 5000) == 1;
}

namespace {

// Pointer events (a motion, a press or a release of the left button) at
// (x, y) of the window, sent to it alone: a motion lays out as a button
// event does (its is_hint where the button is).
void pointerEvents(Display* other, ::Window window, int x, int y, std::initializer_list<int> types, bool held) {
  int rootX = 0, rootY = 0;
  ::Window child = 0;
  XTranslateCoordinates(other, window, DefaultRootWindow(other), x, y, &rootX, &rootY, &child);
  for (int type : types) {
    XEvent event;
    memset(&event, 0, sizeof event);
    event.xbutton.type = type;
    event.xbutton.window = window;
    event.xbutton.root = DefaultRootWindow(other);
    event.xbutton.x = x, event.xbutton.y = y;
    event.xbutton.x_root = rootX, event.xbutton.y_root = rootY;
    event.xbutton.state = held ? Button1Mask : 0;
    event.xbutton.button = type == MotionNotify ? 0 : Button1;
    event.xbutton.same_screen = True;
    const long mask = type == MotionNotify ? PointerMotionMask : type == ButtonPress ? ButtonPressMask : ButtonReleaseMask;
    XSendEvent(other, window, False, mask, &event);
  }
}

}  // namespace

bool leftButtonFromOutside(int x, int y, bool down) {
  return fromOutside([x, y, down](Display* other, ::Window window) {
    // The pointer there first, then the button.
    pointerEvents(other, window, x, y, {MotionNotify, down ? ButtonPress : ButtonRelease}, !down);
  });
}

bool leftButtonDraggedFromOutside(int x, int y) {
  return fromOutside([x, y](Display* other, ::Window window) { pointerEvents(other, window, x, y, {MotionNotify}, true); });
}

bool windowPlaceFromOutside(int& x, int& y, int& w, int& h) {
  return fromOutside([&](Display* other, ::Window window) {
    XWindowAttributes attributes;
    ::Window child = 0;
    XGetWindowAttributes(other, window, &attributes);
    XTranslateCoordinates(other, window, DefaultRootWindow(other), 0, 0, &x, &y, &child);
    w = attributes.width, h = attributes.height;
  });
}

bool mappedFromOutside(bool mapped) {
  return fromOutside([mapped](Display* other, ::Window window) {
    if (mapped)
      XMapWindow(other, window);
    else
      XUnmapWindow(other, window);
  });
}

bool everythingSentQueued() {
  SDL_SysWMinfo info;
  if (!programWindow(info)) return false;
  XSync(info.info.x11.display, False);
  return true;
}

std::string propertySeenFromOutside(const char* name) {
  std::string text;
  fromOutside([name, &text](Display* other, ::Window window) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const Atom atom = XInternAtom(other, name, False);
    if (XGetWindowProperty(other, window, atom, 0, 256, False, XA_STRING, &type, &format, &count, &after, &data) ==
            Success &&
        data) {
      text.assign(reinterpret_cast<const char*>(data), count);
      XFree(data);
    }
  });
  return text;
}

bool displayAnswers(const char* display) {
  Display* d = XOpenDisplay(display);
  if (!d) return false;
  XCloseDisplay(d);
  return true;
}
