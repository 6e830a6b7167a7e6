// The window and its renderer.
//
// Implemented: a window (hidden when headless) with SDL's OpenGL renderer,
// falling back to the software renderer (and, headless, from the offscreen
// video driver with EGL to the dummy driver), opened inside the usable area;
// minimise, maximise, restore, raise, position, size and a least size; the
// work area (headless: a stand-in desktop); the icon; colour cursors; the
// clipboard; message boxes. Closing ends the renderer, every texture page and
// the fonts; textures and cursors made before then are stale.
//
// A window that draws its own caption has no frame from the window manager:
// the view says where a press lands, and a press on the caption or an edge
// drags the window (dragWindow): the client moves or sizes it itself, with a
// request to the manager for each place, until the button is up. A click
// that gives the window the focus also acts, and closing only asks the
// view. Maximising is the manager's (it keeps the rectangle to go back to
// and tells the other programs); without one the back end does it. A
// maximised window dragged by its caption is restored under the pointer
// here and dragged on.
//
// With a manager, the window's place and size are asked for with requests
// of our own (askWindowRectX11): SDL's calls count the size asked for as
// the window's at once, and a GL window drawn at a size the X window does
// not have yet shows its picture out of place until the next size change.

#include <dlfcn.h>
#include <link.h>
#include <malloc.h>
#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "backend/sdl/SdlBackend.h"

namespace kest {
namespace backend {

SdlState g_sdl;

namespace {
std::string g_openError;
}

namespace {

// A size of w x h's shape that the area holds: w x h itself when it fits,
// else scaled down to touch the area's shorter side (whole pixels, never
// past it).
void fitShape(int areaW, int areaH, int& w, int& h) {
  if (w <= 0 || h <= 0 || areaW <= 0 || areaH <= 0 || (w <= areaW && h <= areaH)) return;
  if ((long)areaW * h >= (long)areaH * w) {
    w = std::max(1, (int)((long)w * areaH / h));
    h = areaH;
  } else {
    h = std::max(1, (int)((long)h * areaW / w));
    w = areaW;
  }
}

// The least size asked for, as much of it as the usable area holds.
void applyLeastSize() {
  if (!g_sdl.window) return;
  int x, y, w = std::max(g_sdl.leastW, 1), h = std::max(g_sdl.leastH, 1), areaW, areaH;
  workArea(x, y, areaW, areaH);
  fitShape(areaW, areaH, w, h);
  SDL_SetWindowMinimumSize(g_sdl.window, w, h);
}

// x clamped so that [x, x + w) lies inside [from, from + length) where it
// can.
int within(int x, int w, int from, int length) { return std::max(from, std::min(x, from + length - w)); }

bool tryOpen(const char* videoDriver, const char* renderDriver, bool hidden, int w, int h, const char* title) {
  if (videoDriver) SDL_SetHint(SDL_HINT_VIDEODRIVER, videoDriver);
  // The view decides whether a close request closes (a hand may be running).
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // Else SDL drops the press that gives the window the focus: a button on
  // an inactive window would need two clicks.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return false;
  // Without a display SDL falls back to drivers whose windows nobody sees:
  // a program meant to show a window would run on invisibly.
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!hidden && driver && (strcmp(driver, "offscreen") == 0 || strcmp(driver, "dummy") == 0)) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    SDL_SetError("no display to show a window on (is DISPLAY set?)");
    return false;
  }
  Uint32 flags = hidden ? SDL_WINDOW_HIDDEN : (SDL_WINDOW_RESIZABLE | SDL_WINDOW_SHOWN);
  if (!hidden && g_sdl.ownCaption) flags |= SDL_WINDOW_BORDERLESS;
  if (strcmp(renderDriver, "opengl") == 0) {
    flags |= SDL_WINDOW_OPENGL;
    // 2D drawing needs no depth or stencil; without them llvmpipe also drops
    // whatever an opaque full-tile draw covers.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
  }
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, renderDriver);
  // Else SDL shows a software renderer's frames through an OpenGL texture,
  // loading the whole GL driver (some 60 MB resident) to copy pixels.
  if (strcmp(renderDriver, "software") == 0) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // Naming a driver turns SDL's own batching off unless asked for.
  SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
  // Inside the usable area, panels and docks clear, whatever the screen.
  // Headless, only a desktop named (KEST_DESKTOP) holds the window in: the
  // stand-in one takes what a test asks for.
  int areaX, areaY, areaW, areaH;
  workArea(areaX, areaY, areaW, areaH);
  if (!hidden || SDL_getenv("KEST_DESKTOP")) fitShape(areaW, areaH, w, h);
  const int x = areaX + std::max(areaW - w, 0) / 2, y = areaY + std::max(areaH - h, 0) / 2;
  SDL_Window* win = SDL_CreateWindow(title, x, y, w, h, flags);
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
  g_sdl.rendererName =
      strcmp(info.name, "opengl") == 0 ? "opengl" : (strcmp(info.name, "software") == 0 ? "software" : "other");
  g_sdl.software = strcmp(g_sdl.rendererName, "software") == 0;
  g_sdl.window = win;
  g_sdl.renderer = ren;
  g_sdl.surfaceW = g_sdl.surfaceH = 0;
  if (hidden && strcmp(g_sdl.rendererName, "opengl") == 0) {
    g_sdl.surfaceW = w;
    g_sdl.surfaceH = h;
  }
  g_sdl.showAll = true;
  if (!hidden) {
    findWindowX11(win, strcmp(g_sdl.rendererName, "opengl") == 0);
    // The window manager's state changes come as X property changes.
    if (g_sdl.xDisplay) SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    watchPostedEvents();
  }
  g_sdl.maximized = g_sdl.maximizedTold = g_sdl.ownMaximize = false;
  g_sdl.normalX = x;
  g_sdl.normalY = y;
  g_sdl.normalW = w;
  g_sdl.normalH = h;
  g_sdl.captionPressAt = 0;
  g_sdl.pointerUnseen = false;
  g_sdl.drag = SdlState::WindowDrag();
  applyLeastSize();
  g_sdl.gl = {};
  if (strcmp(g_sdl.rendererName, "opengl") == 0) {
    SdlState::GlCalls& gl = g_sdl.gl;
    gl.framebufferTexture2D =
        reinterpret_cast<decltype(gl.framebufferTexture2D)>(SDL_GL_GetProcAddress("glFramebufferTexture2DEXT"));
    gl.getTexImage = reinterpret_cast<decltype(gl.getTexImage)>(SDL_GL_GetProcAddress("glGetTexImage"));
    gl.pixelStore = reinterpret_cast<decltype(gl.pixelStore)>(SDL_GL_GetProcAddress("glPixelStorei"));
    gl.getError = reinterpret_cast<decltype(gl.getError)>(SDL_GL_GetProcAddress("glGetError"));
    gl.finish = reinterpret_cast<decltype(gl.finish)>(SDL_GL_GetProcAddress("glFinish"));
  }
  SDL_SetRenderDrawBlendMode(ren, SDL_BLENDMODE_BLEND);
  return true;
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

// Pictures pass through large buffers (decoded rows, converted surfaces, the
// driver's copies) that live for a moment. By default glibc raises its mmap
// threshold to the largest block freed so far, after which such buffers come
// from the heap and their pages stay resident once freed. A fixed threshold
// gives every one of them back to the system when it goes. Fixing it also
// fixes the trim threshold at its 128 KB default, so the heap's top was given
// back and taken again every frame (the GL driver's per-frame blocks): about
// 25 brk calls a frame of the busy board. The top keeps up to a few MB free.
void returnLargeBlocks() {
  static bool done = false;
  if (done) return;
  done = true;
  mallopt(M_MMAP_THRESHOLD, 256 * 1024);
  mallopt(M_TRIM_THRESHOLD, 8 * 1024 * 1024);
}

}  // namespace

bool open(bool headless, int width, int height, const char* title) {
  if (g_sdl.tried) return g_sdl.open;
  g_sdl.tried = true;
  returnLargeBlocks();
  g_sdl.headless = headless;
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
  if (!ok) {
    g_openError = SDL_GetError();
    SDL_Log("engine: no renderer could be opened: %s", g_openError.c_str());
  }
  if (ok && !headless) SDL_StartTextInput();
  g_sdl.open = ok;
  return ok;
}

bool isOpen() { return g_sdl.open; }

const char* openError() { return g_openError.c_str(); }

void close() {
  closeFonts();
  if (g_sdl.open) keepLibrariesMapped();
  // The canvas goes first: a renderer destroyed while a texture is its target
  // leaves that texture's queued commands behind.
  if (g_sdl.renderer && g_sdl.canvas) {
    SDL_SetRenderTarget(g_sdl.renderer, nullptr);
    SDL_DestroyTexture(g_sdl.canvas);
  }
  forgetKeptPixmaps();
  forgetWindowX11();
  if (g_sdl.renderer) SDL_DestroyRenderer(g_sdl.renderer);
  if (g_sdl.window) SDL_DestroyWindow(g_sdl.window);
  // Quitting video ends the GL driver's display, which joins its threads.
  if (g_sdl.open) SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
  if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
  g_sdl.renderer = nullptr;
  g_sdl.gl = {};
  g_sdl.window = nullptr;
  g_sdl.maximized = g_sdl.maximizedTold = g_sdl.ownMaximize = false;
  g_sdl.drag = SdlState::WindowDrag();
  g_sdl.canvas = g_sdl.target = nullptr;
  g_sdl.surfaceW = g_sdl.surfaceH = 0;
  endBatches(false);
  g_sdl.recording = g_sdl.lastValid = false;
  g_sdl.frame = FrameList();
  g_sdl.last = FrameList();
  g_sdl.lastNumber = 0;
  g_sdl.shownW = g_sdl.shownH = 0;
  g_sdl.kept.clear();
  g_sdl.pendingKeeps.clear();
  g_sdl.composedCount = 0;
  g_sdl.shown.clear();
  g_sdl.seenKeys.clear();
  g_sdl.layersSeen.clear();
  g_sdl.staleBack.clear();
  g_sdl.backStale = false;
  g_sdl.pages.clear();
  ++g_sdl.generation;
  g_sdl.open = false;
  g_sdl.tried = false;
}

const char* rendererName() { return g_sdl.open ? g_sdl.rendererName : "none"; }

void setTitle(const char* title) {
  if (g_sdl.window) SDL_SetWindowTitle(g_sdl.window, title);
}

void setOwnCaption(bool own) {
  g_sdl.ownCaption = own;
  if (!g_sdl.window || g_sdl.headless) return;
  SDL_SetWindowBordered(g_sdl.window, own ? SDL_FALSE : SDL_TRUE);
}

void setWindowSize(int width, int height) {
  if (!g_sdl.window) return;
  int x, y, w, h;
  windowRect(x, y, w, h);
  setWindowRect(x, y, width, height);
}

void setLeastWindowSize(int width, int height) {
  g_sdl.leastW = std::max(width, 0);
  g_sdl.leastH = std::max(height, 0);
  applyLeastSize();
}

void minimize() {
  if (g_sdl.window) SDL_MinimizeWindow(g_sdl.window);
}

namespace {

// Whether a window manager looks after the window: not headless, and on X
// only when one runs (a bare X server maximises nothing).
bool managed() { return g_sdl.window && !g_sdl.headless && (!g_sdl.xDisplay || windowManagerX11()); }

// The window's least size as SDL holds it (what the usable area allows of
// the one asked for).
void leastSize(int& w, int& h) {
  w = h = 0;
  if (g_sdl.window) SDL_GetWindowMinimumSize(g_sdl.window, &w, &h);
  w = std::max(w, 1);
  h = std::max(h, 1);
}

// Drags the window from the rectangle `from` until the left button's
// release, the pointer at (pointerX, pointerY) of the screen then.
void beginDrag(int sideX, int sideY, int pointerX, int pointerY, const int from[4]) {
  SdlState::WindowDrag& d = g_sdl.drag;
  d.on = true;
  d.sideX = sideX;
  d.sideY = sideY;
  d.pointerX = pointerX;
  d.pointerY = pointerY;
  std::copy(from, from + 4, d.from);
  std::copy(from, from + 4, d.wanted);
  std::copy(from, from + 4, d.asked);
}

}  // namespace

void maximize() {
  if (!g_sdl.window || g_sdl.maximized) return;
  if (managed()) {
    SDL_MaximizeWindow(g_sdl.window);
    return;
  }
  windowRect(g_sdl.normalX, g_sdl.normalY, g_sdl.normalW, g_sdl.normalH);
  int x, y, w, h;
  workArea(x, y, w, h);
  setWindowRect(x, y, w, h);
  g_sdl.ownMaximize = g_sdl.maximized = true;
}

void restore() {
  if (!g_sdl.window) return;
  if (g_sdl.ownMaximize) {
    g_sdl.ownMaximize = g_sdl.maximized = false;
    // Never back to a place outside the usable area.
    int x, y, w, h;
    workArea(x, y, w, h);
    setWindowRect(within(g_sdl.normalX, g_sdl.normalW, x, w), within(g_sdl.normalY, g_sdl.normalH, y, h), g_sdl.normalW,
                  g_sdl.normalH);
    return;
  }
  if (g_sdl.maximized) SDL_RestoreWindow(g_sdl.window);
}

void restoreUnder(int x, int y, float fractionX, float fractionY) {
  if (!g_sdl.window || !g_sdl.maximized || g_sdl.normalW <= 0 || g_sdl.normalH <= 0) return;
  const int w = g_sdl.normalW, h = g_sdl.normalH;
  int areaX, areaY, areaW, areaH;
  workArea(areaX, areaY, areaW, areaH);
  const int left = within(x - (int)std::lround(fractionX * (float)w), w, areaX, areaW);
  const int top = within(y - (int)std::lround(fractionY * (float)h), h, areaY, areaH);
  if (g_sdl.ownMaximize) {
    g_sdl.ownMaximize = g_sdl.maximized = false;
  } else {
    // The manager takes the window out of its state (to the rectangle it
    // keeps), then it goes where the pointer is.
    SDL_RestoreWindow(g_sdl.window);
  }
  setWindowRect(left, top, w, h);
  // And follows it from there (not headless: no pointer there).
  const int from[4] = {left, top, w, h};
  if (g_sdl.xDisplay) beginDrag(0, 0, x, y, from);
}

bool dragWindow(int sideX, int sideY) {
  g_sdl.drag.on = false;
  if (!g_sdl.window || g_sdl.headless || g_sdl.maximized || !g_sdl.xDisplay) return false;
  int from[4];
  if (!windowOnScreenX11(from[0], from[1], from[2], from[3])) return false;
  beginDrag(std::max(-1, std::min(sideX, 1)), std::max(-1, std::min(sideY, 1)), g_sdl.leftPressRootX,
            g_sdl.leftPressRootY, from);
  return true;
}

void draggedRect(int sideX, int sideY, int dx, int dy, int leastW, int leastH, int rect[4]) {
  if (sideX == 0 && sideY == 0) {
    rect[0] += dx;
    rect[1] += dy;
    return;
  }
  // One axis: the named edge follows, the other stays where it was.
  auto follow = [](int side, int d, int least, int& at, int& length) {
    if (side == 0) return;
    const int end = at + length;
    length = std::max(side < 0 ? length - d : length + d, std::max(least, 1));
    if (side < 0) at = end - length;
  };
  follow(sideX, dx, leastW, rect[0], rect[2]);
  follow(sideY, dy, leastH, rect[1], rect[3]);
}

void windowDragTo(int rootX, int rootY) {
  SdlState::WindowDrag& d = g_sdl.drag;
  if (!d.on) return;
  int leastW, leastH;
  leastSize(leastW, leastH);
  std::copy(d.from, d.from + 4, d.wanted);
  draggedRect(d.sideX, d.sideY, rootX - d.pointerX, rootY - d.pointerY, leastW, leastH, d.wanted);
}

namespace {

// One request for all the motions read since the last, however far the
// pointer went meanwhile: a manager that is slow takes them in order, and
// the window ends where the last one put it.
void askWanted() {
  SdlState::WindowDrag& d = g_sdl.drag;
  if (std::equal(d.wanted, d.wanted + 4, d.asked)) return;
  const bool sized = d.wanted[2] != d.asked[2] || d.wanted[3] != d.asked[3];
  std::copy(d.wanted, d.wanted + 4, d.asked);
  askWindowRectX11(d.wanted[0], d.wanted[1], d.wanted[2], d.wanted[3], sized);
}

}  // namespace

void endWindowDrag() {
  if (!g_sdl.drag.on) return;
  askWanted();
  g_sdl.drag.on = false;
}

void followWindowDrag() {
  if (!g_sdl.drag.on) return;
  askWanted();
  // The release goes to the window while the press holds the pointer, unless
  // the window went out of sight meanwhile: with the button up and nothing
  // left to read (the answer came after every event sent before it), it
  // went elsewhere.
  if (!g_sdl.window || (leftButtonDownX11() != 1 && queuedX11Events() <= 0)) g_sdl.drag.on = false;
}

void noteNormalRect() {
  if (!g_sdl.window || g_sdl.maximized) return;
  int x, y, w, h, areaX, areaY, areaW, areaH;
  windowRect(x, y, w, h);
  workArea(areaX, areaY, areaW, areaH);
  // The manager may give a window the usable area before it says that it
  // maximised it.
  if (w <= 0 || h <= 0 || (x == areaX && y == areaY && w == areaW && h == areaH)) return;
  g_sdl.normalX = x;
  g_sdl.normalY = y;
  g_sdl.normalW = w;
  g_sdl.normalH = h;
}

bool isMinimized() { return g_sdl.window && (SDL_GetWindowFlags(g_sdl.window) & SDL_WINDOW_MINIMIZED); }

bool isMaximized() { return g_sdl.window && g_sdl.maximized; }

void raiseWindow() {
  if (!g_sdl.window || g_sdl.headless) return;
  // Restoring would also take a maximised window out of its state: showing
  // maps a minimised one again, raising asks the manager for the focus
  // (which also ends a minimised state).
  SDL_ShowWindow(g_sdl.window);
  SDL_RaiseWindow(g_sdl.window);
}

void windowRect(int& x, int& y, int& w, int& h) {
  x = y = w = h = 0;
  if (!g_sdl.window) return;
  SDL_GetWindowPosition(g_sdl.window, &x, &y);
  SDL_GetWindowSize(g_sdl.window, &w, &h);
}

void setWindowRect(int x, int y, int w, int h) {
  if (!g_sdl.window) return;
  int leastW, leastH;
  leastSize(leastW, leastH);
  // Asked of the manager, the window changes when it says so (and SDL then
  // tells the size); alone, it changes at once.
  if (managed() && askWindowRectX11(x, y, std::max(w, leastW), std::max(h, leastH), true)) return;
  SDL_SetWindowPosition(g_sdl.window, x, y);
  SDL_SetWindowSize(g_sdl.window, w, h);
}

void workArea(int& x, int& y, int& w, int& h) {
  x = y = 0;
  w = 1288;
  h = 762;
  // Headless there is no desktop: a common one stands in (KEST_DESKTOP=WxH
  // names another), so a maximised window is what a player would get.
  if (g_sdl.headless) {
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
  int display = g_sdl.window ? SDL_GetWindowDisplayIndex(g_sdl.window) : 0;
  if (SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &r) == 0) {
    x = r.x;
    y = r.y;
    w = r.w;
    h = r.h;
  }
}

bool setWindowIcon(const uint8_t* rgba, int width, int height) {
  if (!g_sdl.window || !rgba || width <= 0 || height <= 0) return false;
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(rgba), width, height, 32, width * 4,
                                                      SDL_PIXELFORMAT_ABGR8888);
  if (!s) return false;
  SDL_SetWindowIcon(g_sdl.window, s);
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
  if (!g_sdl.window || !rgba || width <= 0 || height <= 0 || size <= 0) return nullptr;
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
  return sdl ? new Cursor{sdl, g_sdl.generation} : nullptr;
}

Cursor* createArrowCursor() {
  SDL_Cursor* sdl = g_sdl.window ? SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW) : nullptr;
  return sdl ? new Cursor{sdl, g_sdl.generation} : nullptr;
}

void showCursor(bool shown, Cursor* cursor) {
  if (!g_sdl.window) return;
  if (shown && cursor && cursor->generation == g_sdl.generation) SDL_SetCursor(cursor->sdl);
  SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
}

bool setClipboardText(const std::string& utf8) { return g_sdl.window && SDL_SetClipboardText(utf8.c_str()) == 0; }

bool getClipboardText(std::string& utf8) {
  if (!g_sdl.window || !SDL_HasClipboardText()) return false;
  char* text = SDL_GetClipboardText();
  utf8 = text ? text : "";
  SDL_free(text);
  return true;
}

void messageBox(const char* text, const char* title) {
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, title ? title : "", text ? text : "", g_sdl.window);
}

}  // namespace backend
}  // namespace kest
