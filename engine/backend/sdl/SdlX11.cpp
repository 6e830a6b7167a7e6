// What only X11 gives: putting part of a GL back buffer on the window, and
// pixels kept from earlier frames; whether a window manager runs and whether
// it has the window maximised; the pointer and the window as the server has
// them, and requests for the window's place and size that wait for no one
// (Xlib's own calls, from the library SDL loaded, so the engine links no X
// library).
//
// Kept apart because Xlib's headers define names (None, Window, Cursor) that
// the rest of the back end uses for its own.

#include "backend/sdl/SdlBackend.h"

#include <SDL_syswm.h>
#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>
#endif

#include <atomic>
#include <cstdint>
#include <cstring>
#include <vector>

namespace kest {
namespace backend {

#if defined(SDL_VIDEO_DRIVER_X11)
namespace {

struct XCalls {
  bool tried = false, ok = false;
  Status (*getWindowAttributes)(Display*, ::Window, XWindowAttributes*) = nullptr;
  GC (*createGC)(Display*, Drawable, unsigned long, XGCValues*) = nullptr;
  XImage* (*createImage)(Display*, Visual*, unsigned int, int, int, char*, unsigned int, unsigned int, int,
                         int) = nullptr;
  int (*putImage)(Display*, Drawable, GC, XImage*, int, int, int, int, unsigned int, unsigned int) = nullptr;
  int (*flush)(Display*) = nullptr;
  int (*sync)(Display*, Bool) = nullptr;
  int (*freeGC)(Display*, GC) = nullptr;
  int (*eventsQueued)(Display*, int) = nullptr;
  Atom (*internAtom)(Display*, const char*, Bool) = nullptr;
  int (*getWindowProperty)(Display*, ::Window, Atom, long, long, Bool, Atom, Atom*, int*, unsigned long*,
                           unsigned long*, unsigned char**) = nullptr;
  int (*free)(void*) = nullptr;
  XErrorHandler (*setErrorHandler)(XErrorHandler) = nullptr;
  Pixmap (*createPixmap)(Display*, Drawable, unsigned int, unsigned int, unsigned int) = nullptr;
  int (*freePixmap)(Display*, Pixmap) = nullptr;
  int (*copyArea)(Display*, Drawable, Drawable, GC, int, int, unsigned int, unsigned int, int, int) = nullptr;
  Bool (*queryPointer)(Display*, ::Window, ::Window*, ::Window*, int*, int*, int*, int*, unsigned int*) = nullptr;
  int (*putBackEvent)(Display*, XEvent*) = nullptr;
  Bool (*translateCoordinates)(Display*, ::Window, ::Window, int, int, int*, int*, ::Window*) = nullptr;
  int (*moveWindow)(Display*, ::Window, int, int) = nullptr;
  int (*moveResizeWindow)(Display*, ::Window, int, int, unsigned int, unsigned int) = nullptr;
};

XCalls& xCalls() {
  static XCalls x;
  if (x.tried) return x;
  x.tried = true;
  void* lib = SDL_LoadObject("libX11.so.6");
  if (!lib) return x;
  x.getWindowAttributes = reinterpret_cast<decltype(x.getWindowAttributes)>(SDL_LoadFunction(lib, "XGetWindowAttributes"));
  x.createGC = reinterpret_cast<decltype(x.createGC)>(SDL_LoadFunction(lib, "XCreateGC"));
  x.createImage = reinterpret_cast<decltype(x.createImage)>(SDL_LoadFunction(lib, "XCreateImage"));
  x.putImage = reinterpret_cast<decltype(x.putImage)>(SDL_LoadFunction(lib, "XPutImage"));
  x.flush = reinterpret_cast<decltype(x.flush)>(SDL_LoadFunction(lib, "XFlush"));
  x.sync = reinterpret_cast<decltype(x.sync)>(SDL_LoadFunction(lib, "XSync"));
  x.freeGC = reinterpret_cast<decltype(x.freeGC)>(SDL_LoadFunction(lib, "XFreeGC"));
  x.eventsQueued = reinterpret_cast<decltype(x.eventsQueued)>(SDL_LoadFunction(lib, "XEventsQueued"));
  x.internAtom = reinterpret_cast<decltype(x.internAtom)>(SDL_LoadFunction(lib, "XInternAtom"));
  x.getWindowProperty = reinterpret_cast<decltype(x.getWindowProperty)>(SDL_LoadFunction(lib, "XGetWindowProperty"));
  x.free = reinterpret_cast<decltype(x.free)>(SDL_LoadFunction(lib, "XFree"));
  x.setErrorHandler = reinterpret_cast<decltype(x.setErrorHandler)>(SDL_LoadFunction(lib, "XSetErrorHandler"));
  x.createPixmap = reinterpret_cast<decltype(x.createPixmap)>(SDL_LoadFunction(lib, "XCreatePixmap"));
  x.freePixmap = reinterpret_cast<decltype(x.freePixmap)>(SDL_LoadFunction(lib, "XFreePixmap"));
  x.copyArea = reinterpret_cast<decltype(x.copyArea)>(SDL_LoadFunction(lib, "XCopyArea"));
  x.queryPointer = reinterpret_cast<decltype(x.queryPointer)>(SDL_LoadFunction(lib, "XQueryPointer"));
  x.putBackEvent = reinterpret_cast<decltype(x.putBackEvent)>(SDL_LoadFunction(lib, "XPutBackEvent"));
  x.translateCoordinates =
      reinterpret_cast<decltype(x.translateCoordinates)>(SDL_LoadFunction(lib, "XTranslateCoordinates"));
  x.moveWindow = reinterpret_cast<decltype(x.moveWindow)>(SDL_LoadFunction(lib, "XMoveWindow"));
  x.moveResizeWindow = reinterpret_cast<decltype(x.moveResizeWindow)>(SDL_LoadFunction(lib, "XMoveResizeWindow"));
  // The library stays loaded for the process (SDL holds it too).
  x.ok = x.getWindowAttributes && x.createGC && x.createImage && x.putImage && x.flush && x.sync && x.freeGC &&
         x.eventsQueued && x.internAtom && x.getWindowProperty && x.free && x.createPixmap && x.freePixmap &&
         x.copyArea && x.queryPointer && x.putBackEvent && x.translateCoordinates && x.moveWindow &&
         x.moveResizeWindow;
  return x;
}

std::atomic<unsigned> g_xErrors{0};

// Xlib's own handler ends the process on any error. A request can fail for
// reasons of the moment (a GL driver putting an image on a window the
// manager has just resized), and the next frame puts it right: say it and
// go on.
int onXError(Display*, XErrorEvent* e) {
  const unsigned n = ++g_xErrors;
  if (n <= 10)
    SDL_Log("engine: the X server refused a request (error %d, request %d.%d)%s", e->error_code, e->request_code,
            e->minor_code, n == 10 ? "; further refusals go unsaid" : "");
  return 0;
}

// Every time a window opens: SDL puts its own handler back when it starts
// its video again.
void handleXErrors() {
  XCalls& x = xCalls();
  if (x.setErrorHandler) x.setErrorHandler(onXError);
}

// The window manager's names, for the display they were made on.
struct StateAtoms {
  Display* display = nullptr;
  Atom check = 0, state = 0, vertical = 0, horizontal = 0, frameExtents = 0;
};

const StateAtoms* stateAtoms() {
  static StateAtoms atoms;
  Display* display = static_cast<Display*>(g_sdl.xDisplay);
  XCalls& x = xCalls();
  if (!display || !x.ok) return nullptr;
  if (atoms.display != display) {
    atoms.display = display;
    atoms.check = x.internAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    atoms.state = x.internAtom(display, "_NET_WM_STATE", False);
    atoms.vertical = x.internAtom(display, "_NET_WM_STATE_MAXIMIZED_VERT", False);
    atoms.horizontal = x.internAtom(display, "_NET_WM_STATE_MAXIMIZED_HORZ", False);
    atoms.frameExtents = x.internAtom(display, "_NET_FRAME_EXTENTS", False);
  }
  return &atoms;
}

// A property of 32-bit items (at most `most`), or false when it is not there.
bool readProperty(::Window window, Atom property, Atom type, long most, std::vector<unsigned long>& items) {
  XCalls& x = xCalls();
  Atom actualType = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  items.clear();
  if (x.getWindowProperty(static_cast<Display*>(g_sdl.xDisplay), window, property, 0, most, False, type,
                          &actualType, &format, &count, &after, &data) != Success)
    return false;
  const bool ok = data && actualType == type && format == 32;
  // Xlib hands 32-bit items over as longs.
  if (ok) items.assign(reinterpret_cast<unsigned long*>(data), reinterpret_cast<unsigned long*>(data) + count);
  if (data) x.free(data);
  return ok;
}

// The window's visual, when its pixels are 32-bit words of red above green
// above blue (what SDL reads back as ARGB8888), and a GC to draw with.
void findPutImage(Display* display, ::Window window) {
  g_sdl.xGC = nullptr;
  g_sdl.xVisual = nullptr;
  XCalls& x = xCalls();
  if (!x.ok) return;
  XWindowAttributes a;
  if (!x.getWindowAttributes(display, window, &a) || !a.visual) return;
  const Visual* v = a.visual;
  // GL writes its frames in this visual the same way (a DirectColor one, as
  // Xvfb gives GL windows, lays its pixels out as TrueColor does).
  if ((v->c_class != TrueColor && v->c_class != DirectColor) || v->red_mask != 0xff0000 || v->green_mask != 0xff00 || v->blue_mask != 0xff ||
      (a.depth != 24 && a.depth != 32))
    return;
  // Copies from pixmaps ask for no NoExpose event each: it would wake the loop.
  XGCValues values{};
  values.graphics_exposures = False;
  g_sdl.xGC = x.createGC(display, window, GCGraphicsExposures, &values);
  if (g_sdl.xGC) {
    g_sdl.xVisual = a.visual;
    g_sdl.xDepth = a.depth;
  }
}

}  // namespace
#endif

unsigned x11Errors() {
#if defined(SDL_VIDEO_DRIVER_X11)
  return g_xErrors.load();
#else
  return 0;
#endif
}

bool canPutOnWindow() { return g_sdl.xGC && g_sdl.xVisual && g_sdl.xDisplay; }

void forgetWindowX11() {
#if defined(SDL_VIDEO_DRIVER_X11)
  if (g_sdl.xGC && g_sdl.xDisplay) xCalls().freeGC(static_cast<Display*>(g_sdl.xDisplay), static_cast<GC>(g_sdl.xGC));
#endif
  g_sdl.xGC = nullptr;
  g_sdl.xVisual = nullptr;
  g_sdl.xDisplay = nullptr;
  g_sdl.xWindow = 0;
  g_sdl.copySubBuffer = nullptr;
}

#if defined(SDL_VIDEO_DRIVER_X11)
namespace {

bool putImage(Drawable to, const uint32_t* pixels, int x, int y, int w, int h, int pitch) {
  XCalls& calls = xCalls();
  Display* display = static_cast<Display*>(g_sdl.xDisplay);
  XImage* image = calls.createImage(display, static_cast<Visual*>(g_sdl.xVisual), (unsigned)g_sdl.xDepth, ZPixmap, 0,
                                    reinterpret_cast<char*>(const_cast<uint32_t*>(pixels)), (unsigned)w,
                                    (unsigned)h, 32, pitch > 0 ? pitch : w * 4);
  if (!image) return false;
  // The words as this machine stores them; Xlib turns them for the server.
  const uint32_t one = 1;
  image->byte_order = *reinterpret_cast<const uint8_t*>(&one) == 1 ? LSBFirst : MSBFirst;
  calls.putImage(display, to, static_cast<GC>(g_sdl.xGC), image, 0, 0, x, y, (unsigned)w, (unsigned)h);
  noteSent((long)w * h);
  image->data = nullptr;  // ours, not Xlib's to free
  image->f.destroy_image(image);
  return true;
}

}  // namespace
#endif

bool putOnWindow(const uint32_t* pixels, int x, int y, int w, int h, int pitch) {
#if defined(SDL_VIDEO_DRIVER_X11)
  if (!canPutOnWindow() || w <= 0 || h <= 0) return false;
  return putImage(g_sdl.xWindow, pixels, x, y, w, h, pitch);
#else
  (void)pixels, (void)x, (void)y, (void)w, (void)h, (void)pitch;
  return false;
#endif
}

unsigned long pixmapOnServer(const uint32_t* pixels, int w, int h) {
#if defined(SDL_VIDEO_DRIVER_X11)
  if (!canPutOnWindow() || w <= 0 || h <= 0) return 0;
  XCalls& calls = xCalls();
  Display* display = static_cast<Display*>(g_sdl.xDisplay);
  const Pixmap pixmap = calls.createPixmap(display, g_sdl.xWindow, (unsigned)w, (unsigned)h, (unsigned)g_sdl.xDepth);
  if (pixmap == 0) return 0;
  if (!putImage(pixmap, pixels, 0, 0, w, h, 0)) {
    calls.freePixmap(display, pixmap);
    return 0;
  }
  return pixmap;
#else
  (void)pixels, (void)w, (void)h;
  return 0;
#endif
}

void freePixmap(unsigned long pixmap) {
#if defined(SDL_VIDEO_DRIVER_X11)
  if (pixmap != 0 && g_sdl.xDisplay && xCalls().ok) xCalls().freePixmap(static_cast<Display*>(g_sdl.xDisplay), pixmap);
#else
  (void)pixmap;
#endif
}

bool copyPixmapToWindow(unsigned long pixmap, int x, int y, int w, int h) {
#if defined(SDL_VIDEO_DRIVER_X11)
  if (pixmap == 0 || !canPutOnWindow() || w <= 0 || h <= 0) return false;
  xCalls().copyArea(static_cast<Display*>(g_sdl.xDisplay), pixmap, g_sdl.xWindow, static_cast<GC>(g_sdl.xGC), 0, 0,
                    (unsigned)w, (unsigned)h, x, y);
  ++g_sdl.sends;
  return true;
#else
  (void)pixmap, (void)x, (void)y, (void)w, (void)h;
  return false;
#endif
}

// The window's X connection, how to put pixels on it, and for a GL window
// whether it can show part of its back buffer: with GLX and
// GLX_MESA_copy_sub_buffer (Mesa's drivers have it), a frame drawn again in
// a corner is put on the window there alone.
void findWindowX11(SDL_Window* win, bool gl) {
  forgetWindowX11();
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(win, &info) || info.subsystem != SDL_SYSWM_X11) return;
  Display* display = info.info.x11.display;
  g_sdl.xDisplay = display;
  g_sdl.xWindow = info.info.x11.window;
  handleXErrors();
  findPutImage(display, info.info.x11.window);
  if (!gl) return;
  const char* egl = SDL_GetHint(SDL_HINT_VIDEO_X11_FORCE_EGL);
  if (egl && *egl == '1') return;
  using Query = const char* (*)(Display*, int);
  Query query = reinterpret_cast<Query>(SDL_GL_GetProcAddress("glXQueryExtensionsString"));
  if (!query) return;
  const char* extensions = query(display, DefaultScreen(display));
  if (!extensions || !strstr(extensions, "GLX_MESA_copy_sub_buffer")) return;
  void* copy = SDL_GL_GetProcAddress("glXCopySubBufferMESA");
  if (!copy) return;
  g_sdl.copySubBuffer = reinterpret_cast<void (*)(void*, unsigned long, int, int, int, int)>(copy);
#else
  (void)win, (void)gl;
#endif
}

int queuedX11Events() {
#if defined(SDL_VIDEO_DRIVER_X11)
  XCalls& x = xCalls();
  if (!g_sdl.xDisplay || !x.ok) return -1;
  return x.eventsQueued(static_cast<Display*>(g_sdl.xDisplay), QueuedAlready);
#else
  return -1;
#endif
}

namespace {
// The connection's request number after our last flush.
const void* s_flushedDisplay = nullptr;
unsigned long s_flushedAt = 0;
}  // namespace

namespace {

// Sends what the X library holds; with `wait`, also waits until the server
// has done it (events read in meanwhile stay queued for the next pump).
void sendRequests(bool wait) {
#if defined(SDL_VIDEO_DRIVER_X11)
  Display* display = static_cast<Display*>(g_sdl.xDisplay);
  if (!display || !xCalls().ok) return;
  if (wait)
    xCalls().sync(display, False);
  else
    xCalls().flush(display);
  s_flushedDisplay = display;
  s_flushedAt = NextRequest(display);
#else
  (void)wait;
#endif
}

}  // namespace

void flushX11() { sendRequests(false); }

void syncX11() { sendRequests(true); }

void flushX11IfRequested() {
#if defined(SDL_VIDEO_DRIVER_X11)
  // Every request the X library makes (ours, SDL's, the GL driver's) takes
  // the next number: none since the last flush leaves nothing to send.
  Display* display = static_cast<Display*>(g_sdl.xDisplay);
  if (display && display == s_flushedDisplay && NextRequest(display) == s_flushedAt) return;
  flushX11();
#endif
}

bool windowManagerX11() {
#if defined(SDL_VIDEO_DRIVER_X11)
  const StateAtoms* atoms = stateAtoms();
  std::vector<unsigned long> items;
  return atoms &&
         readProperty(DefaultRootWindow(static_cast<Display*>(g_sdl.xDisplay)), atoms->check, XA_WINDOW, 1, items) &&
         !items.empty() && items[0] != 0;
#else
  return false;
#endif
}

int maximizedX11() {
#if defined(SDL_VIDEO_DRIVER_X11)
  const StateAtoms* atoms = stateAtoms();
  std::vector<unsigned long> items;
  if (!atoms || !g_sdl.xWindow) return -1;
  // No property yet: a window the manager never changed.
  if (!readProperty(g_sdl.xWindow, atoms->state, XA_ATOM, 64, items)) return 0;
  bool vertical = false, horizontal = false;
  for (unsigned long item : items) {
    vertical = vertical || item == atoms->vertical;
    horizontal = horizontal || item == atoms->horizontal;
  }
  return vertical && horizontal ? 1 : 0;
#else
  return -1;
#endif
}

namespace {

#if defined(SDL_VIDEO_DRIVER_X11)
// Where the pointer is now, on the screen and on the window, and its
// buttons, asked of the server (SDL's answer may wait for motion it has not
// read yet).
bool queryPointer(int& rootX, int& rootY, int& x, int& y, unsigned& buttons) {
  XCalls& calls = xCalls();
  if (!g_sdl.xDisplay || !g_sdl.xWindow || !calls.ok) return false;
  ::Window root = 0, child = 0;
  return calls.queryPointer(static_cast<Display*>(g_sdl.xDisplay), g_sdl.xWindow, &root, &child, &rootX, &rootY, &x,
                            &y, &buttons);
}

#endif

}  // namespace

bool pointerOnWindowX11(int& x, int& y) {
#if defined(SDL_VIDEO_DRIVER_X11)
  int rootX = 0, rootY = 0;
  unsigned buttons = 0;
  return queryPointer(rootX, rootY, x, y, buttons);
#else
  (void)x, (void)y;
  return false;
#endif
}

int leftButtonDownX11() {
#if defined(SDL_VIDEO_DRIVER_X11)
  int rootX = 0, rootY = 0, x = 0, y = 0;
  unsigned buttons = 0;
  if (!queryPointer(rootX, rootY, x, y, buttons)) return -1;
  return (buttons & Button1Mask) ? 1 : 0;
#else
  return -1;
#endif
}

bool windowOnScreenX11(int& x, int& y, int& w, int& h) {
#if defined(SDL_VIDEO_DRIVER_X11)
  XCalls& calls = xCalls();
  Display* display = static_cast<Display*>(g_sdl.xDisplay);
  if (!display || !g_sdl.xWindow || !calls.ok) return false;
  XWindowAttributes a;
  ::Window child = 0;
  if (!calls.getWindowAttributes(display, g_sdl.xWindow, &a) ||
      !calls.translateCoordinates(display, g_sdl.xWindow, DefaultRootWindow(display), 0, 0, &x, &y, &child))
    return false;
  w = a.width;
  h = a.height;
  return true;
#else
  (void)x, (void)y, (void)w, (void)h;
  return false;
#endif
}

bool askWindowRectX11(int x, int y, int w, int h, bool size) {
#if defined(SDL_VIDEO_DRIVER_X11)
  XCalls& calls = xCalls();
  Display* display = static_cast<Display*>(g_sdl.xDisplay);
  const StateAtoms* atoms = stateAtoms();
  if (!display || !g_sdl.xWindow || !atoms || w <= 0 || h <= 0) return false;
  // The manager places its frame where the window asks to be (the gravity
  // SDL leaves): the frame's left and top come off first.
  std::vector<unsigned long> extents;
  if (readProperty(g_sdl.xWindow, atoms->frameExtents, XA_CARDINAL, 4, extents) && extents.size() == 4) {
    x -= (int)extents[0];
    y -= (int)extents[2];
  }
  if (size)
    calls.moveResizeWindow(display, g_sdl.xWindow, x, y, (unsigned)w, (unsigned)h);
  else
    calls.moveWindow(display, g_sdl.xWindow, x, y);
  flushX11();
  return true;
#else
  (void)x, (void)y, (void)w, (void)h, (void)size;
  return false;
#endif
}

void releaseHeldLeftButtonX11() {
#if defined(SDL_VIDEO_DRIVER_X11)
  XCalls& calls = xCalls();
  Display* display = static_cast<Display*>(g_sdl.xDisplay);
  if (!display || !g_sdl.xWindow || !calls.ok || !(SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK)) return;
  // The release ends the press where it was (where SDL last had the pointer
  // may be long before it).
  XEvent release{};
  release.xbutton.type = ButtonRelease;
  release.xbutton.display = display;
  release.xbutton.window = g_sdl.xWindow;
  release.xbutton.root = DefaultRootWindow(display);
  release.xbutton.x = g_sdl.leftPressX;
  release.xbutton.y = g_sdl.leftPressY;
  release.xbutton.x_root = g_sdl.leftPressRootX;
  release.xbutton.y_root = g_sdl.leftPressRootY;
  release.xbutton.state = Button1Mask;  // as it was before the release
  release.xbutton.button = Button1;
  release.xbutton.same_screen = True;
  // At the head of the queue, not through the server: a press the server
  // sent meanwhile (the window back and clicked before the client caught
  // up) is read after it, and counts.
  calls.putBackEvent(display, &release);
#endif
}

PointerEvent pointerEventX11(const void* sysWmMessage, int& x, int& y, int& rootX, int& rootY, int& button) {
#if defined(SDL_VIDEO_DRIVER_X11)
  const SDL_SysWMmsg* message = static_cast<const SDL_SysWMmsg*>(sysWmMessage);
  if (!message || message->subsystem != SDL_SYSWM_X11) return PointerEvent::kNone;
  const XEvent& event = message->msg.x11.event;
  // Presses, releases and motions lay out alike.
  if ((event.type != ButtonPress && event.type != ButtonRelease && event.type != MotionNotify) ||
      event.xbutton.window != g_sdl.xWindow)
    return PointerEvent::kNone;
  button = event.type == MotionNotify ? 0 : (int)event.xbutton.button;
  if (button >= 4 && button <= 7) return PointerEvent::kNone;  // the wheel: no button of SDL's
  x = event.xbutton.x;
  y = event.xbutton.y;
  rootX = event.xbutton.x_root;
  rootY = event.xbutton.y_root;
  return event.type == ButtonPress ? PointerEvent::kPress
                                   : (event.type == ButtonRelease ? PointerEvent::kRelease : PointerEvent::kMotion);
#else
  (void)sysWmMessage, (void)x, (void)y, (void)rootX, (void)rootY, (void)button;
  return PointerEvent::kNone;
#endif
}

bool stateChangeX11(const void* sysWmMessage) {
#if defined(SDL_VIDEO_DRIVER_X11)
  const SDL_SysWMmsg* message = static_cast<const SDL_SysWMmsg*>(sysWmMessage);
  const StateAtoms* atoms = stateAtoms();
  if (!message || !atoms || message->subsystem != SDL_SYSWM_X11) return false;
  const XEvent& event = message->msg.x11.event;
  return event.type == PropertyNotify && event.xproperty.window == g_sdl.xWindow &&
         event.xproperty.atom == atoms->state;
#else
  (void)sysWmMessage;
  return false;
#endif
}

}  // namespace backend
}  // namespace kest
