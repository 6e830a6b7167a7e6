// Window events and the clock.
//
// The engine's main loop (CCApplication::run) pumps the events once a pass,
// then waits for the next event, a descriptor of the program's or the time
// the next frame needs, whichever comes first: on X it polls the server's
// connection with the descriptors. pumpEvents and waitEvents below are the
// only places that read or wait for SDL events. Mouse moves, buttons (with double clicks), the wheel,
// keys with Ctrl and Shift, text input and window state go to CCEGLView as
// its handle* calls. The window's maximised state is read where the window
// manager keeps it (on X its _NET_WM_STATE: SDL reports no change that its
// own maximise asked for) and told once a pass, after the sizes.
//
// A press on the window's own frame (the view's windowAreaAt) is the view's:
// it drags the window (dragWindow), which follows the pointer here once a
// pass until the button is up.

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "CCEGLView.h"
#include "backend/sdl/SdlBackend.h"

#include <unistd.h>

// Last: the X headers define names (None, Status) the engine uses.
#include <SDL_syswm.h>

namespace kest {
namespace backend {

namespace {

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

// The window's state where the window manager keeps it.
void readMaximized() {
  if (!g_sdl.window || g_sdl.ownMaximize) return;
  const int x11 = maximizedX11();
  g_sdl.maximized = x11 >= 0 ? x11 == 1 : (SDL_GetWindowFlags(g_sdl.window) & SDL_WINDOW_MAXIMIZED) != 0;
}

// A second press on the caption this soon and this near the last is a
// double click.
constexpr uint32_t kDoubleClickMs = 500;
constexpr int kDoubleClickPixels = 4;

// How many clicks a press of the left button on the caption at (rootX,
// rootY) of the screen makes: SDL counts in the window's pixels, which a
// drag by the first press takes along under the pointer.
int captionClicks(int rootX, int rootY) {
  const uint32_t now = SDL_GetTicks() | 1;  // 0 is none
  if (g_sdl.captionPressAt != 0 && now - g_sdl.captionPressAt <= kDoubleClickMs &&
      std::abs(rootX - g_sdl.captionPressX) <= kDoubleClickPixels &&
      std::abs(rootY - g_sdl.captionPressY) <= kDoubleClickPixels) {
    g_sdl.captionPressAt = 0;
    return 2;
  }
  g_sdl.captionPressAt = now;
  g_sdl.captionPressX = rootX;
  g_sdl.captionPressY = rootY;
  return 1;
}

// SDL calls it as it posts each event, in the order it reads them from the
// window system: what follows is not read yet.
int onPosted(void*, SDL_Event* e) {
  // Minimised while the left button was down (the board's caption buttons
  // act on the press): the window, out of sight, never gets the release,
  // and SDL would drop the next press as no change. A client that is behind
  // reads the window's return and the player's next click in the same pass,
  // so the button goes up here, before those are read.
  if (e->type == SDL_WINDOWEVENT && e->window.event == SDL_WINDOWEVENT_MINIMIZED) releaseHeldLeftButtonX11();
  return 1;
}

}  // namespace

void watchPostedEvents() {
  SDL_DelEventWatch(&onPosted, nullptr);  // once, however often a window opens
  SDL_AddEventWatch(&onPosted, nullptr);
}

bool pumpEvents() {
  if (!g_sdl.open) return true;
  cocos2d::CCEGLView* view = cocos2d::CCEGLView::sharedOpenGLView();
  SDL_Event e;
  bool keepRunning = true;
  // On X, SDL's events come from the connection: read it when it had
  // something (or the X library queued events meanwhile), and at least
  // once a second for what else SDL looks after. Events SDL queued itself
  // (window calls of ours) are taken without reading.
  const double t = now();
  if (g_sdl.xReadable || queuedX11Events() != 0 || t - g_sdl.lastPump >= 1) {
    SDL_PumpEvents();
    g_sdl.lastPump = t;
  }
  g_sdl.xReadable = true;  // unless the next wait says otherwise
  // Where the server had the pointer at the X press or release SDL reports
  // next (its own events come right after the X event's), on the window and
  // on the screen.
  bool xButton = false;
  int xButtonX = 0, xButtonY = 0, xButtonRootX = 0, xButtonRootY = 0;
  while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
    switch (e.type) {
      // Asked to quit with no window closed (a signal, say): said, so that a
      // log shows why the program ended.
      case SDL_QUIT:
        std::fprintf(stderr, "%s: quit request: ending\n", view->getViewName());
        keepRunning = false;
        break;
      case SDL_MOUSEMOTION:
        view->handleMouseMove((float)e.motion.x, (float)e.motion.y, (e.motion.state & SDL_BUTTON_LMASK) != 0);
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP: {
        int button = e.button.button == SDL_BUTTON_LEFT ? 0 : (e.button.button == SDL_BUTTON_RIGHT ? 1 : 2);
        int clicks = e.button.clicks;
        // SDL gives a button where it last saw the pointer, and it misses a
        // pointer that came into the window in one jump (a window shown
        // again under it, a touch screen): the button acts where the
        // server had the pointer, which has moved there first.
        int x = e.button.x, y = e.button.y;
        if (xButton && (xButtonX != x || xButtonY != y)) {
          x = xButtonX, y = xButtonY;
          view->handleMouseMove((float)x, (float)y, e.type == SDL_MOUSEBUTTONUP && button == 0);
        }
        if (button == 0 && e.type == SDL_MOUSEBUTTONDOWN) {
          if (!xButton) {
            int left = 0, top = 0;
            SDL_GetWindowPosition(g_sdl.window, &left, &top);
            xButtonRootX = left + x, xButtonRootY = top + y;
          }
          g_sdl.leftPressX = x, g_sdl.leftPressY = y;
          g_sdl.leftPressRootX = xButtonRootX, g_sdl.leftPressRootY = xButtonRootY;
          if (view->windowAreaAt((float)x, (float)y) == cocos2d::CCWindowArea::kCaption)
            clicks = captionClicks(xButtonRootX, xButtonRootY);
        }
        xButton = false;
        view->handleMouseButton((float)x, (float)y, button, e.type == SDL_MOUSEBUTTONDOWN, clicks);
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
      case SDL_TEXTINPUT: view->handleTextInput(e.text.text); break;
      case SDL_WINDOWEVENT:
        switch (e.window.event) {
          case SDL_WINDOWEVENT_MINIMIZED:
            g_sdl.pointerUnseen = true;
            view->handleWindowState(cocos2d::CCWindowMessage::kMinimized);
            break;
          // Also out of the minimised state: only what the manager has counts.
          case SDL_WINDOWEVENT_MAXIMIZED:
          case SDL_WINDOWEVENT_RESTORED: readMaximized(); break;
          case SDL_WINDOWEVENT_SIZE_CHANGED:
            view->handleResize((float)e.window.data1, (float)e.window.data2);
            noteNormalRect();
            break;
          case SDL_WINDOWEVENT_MOVED: noteNormalRect(); break;
          case SDL_WINDOWEVENT_EXPOSED:
            showCanvasAgain();
            view->handleExposed();
            break;
          case SDL_WINDOWEVENT_CLOSE:
            if (view->handleCloseRequest()) keepRunning = false;
            break;
          default: break;
        }
        break;
      case SDL_SYSWMEVENT: {
        if (stateChangeX11(e.syswm.msg)) readMaximized();
        int x = 0, y = 0, rootX = 0, rootY = 0, button = 0;
        const PointerEvent pointer = pointerEventX11(e.syswm.msg, x, y, rootX, rootY, button);
        xButton = pointer == PointerEvent::kPress || pointer == PointerEvent::kRelease;
        if (xButton) xButtonX = x, xButtonY = y, xButtonRootX = rootX, xButtonRootY = rootY;
        // A window dragged by its frame follows each motion, and stops at
        // the release, before the view hears of it.
        if (pointer == PointerEvent::kMotion) windowDragTo(rootX, rootY);
        if (pointer == PointerEvent::kRelease && button == 1) endWindowDrag();
        break;
      }
      default: break;
    }
  }
  // Back from minimised, the pointer may be anywhere, the window under it
  // or not (no crossing tells when it is not): what it was over last (the
  // minimise button) no longer has it.
  if (g_sdl.pointerUnseen && !(SDL_GetWindowFlags(g_sdl.window) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN))) {
    g_sdl.pointerUnseen = false;
    int x = 0, y = 0;
    if (!pointerOnWindowX11(x, y)) {
      int left = 0, top = 0;
      SDL_GetGlobalMouseState(&x, &y);
      SDL_GetWindowPosition(g_sdl.window, &left, &top);
      x -= left, y -= top;
    }
    view->handleMouseMove((float)x, (float)y, false);
  }
  followWindowDrag();
  if (g_sdl.maximized != g_sdl.maximizedTold) {
    g_sdl.maximizedTold = g_sdl.maximized;
    view->handleWindowState(g_sdl.maximized ? cocos2d::CCWindowMessage::kMaximized
                                            : cocos2d::CCWindowMessage::kRestored);
  }
  return keepRunning;
}

namespace {

// The X server's connection, or -1 when the window is not on X.
int displayFd() {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!g_sdl.window || !SDL_GetWindowWMInfo(g_sdl.window, &info)) return -1;
#if defined(SDL_VIDEO_DRIVER_X11)
  if (info.subsystem == SDL_SYSWM_X11) return ConnectionNumber(info.info.x11.display);
#endif
  return -1;
}

}  // namespace

bool waitEvents(std::vector<pollfd>& fds, int timeoutMs) {
  for (pollfd& p : fds) p.revents = 0;
  if (timeoutMs == 0) return false;
  // Headless windows have no events: only the descriptors wake us.
  if (!g_sdl.open || g_sdl.headless) {
    if (fds.empty() && timeoutMs < 0) {
      pause();  // a signal
      return false;
    }
    return poll(fds.data(), fds.size(), timeoutMs) >= 0;
  }
  const int fd = displayFd();
  if (fd >= 0) {
    // Our requests go out first: the X library's flush also reads what the
    // server sent meanwhile off the socket into its queue. Events that came
    // in since the pump (SDL's own, or read while flushing or awaiting a
    // reply) wait for no one; else anything new arrives on the connection.
    flushX11IfRequested();
    if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT) || queuedX11Events() != 0) return false;
    fds.push_back(pollfd{fd, POLLIN, 0});
    const int ready = poll(fds.data(), fds.size(), timeoutMs);
    // Interrupted (a signal SDL turns into an event) or woken by X: pump.
    g_sdl.xReadable = ready < 0 || fds.back().revents != 0;
    fds.pop_back();
    return ready >= 0;
  }
  // Events that came in since the pump wait for no one.
  SDL_PumpEvents();
  if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) return false;
  // Another window system: SDL waits for events, we look at the descriptors
  // between short waits.
  const Uint32 until = SDL_GetTicks() + (Uint32)timeoutMs;
  for (;;) {
    int slice = 10;
    if (timeoutMs >= 0) {
      const Sint32 left = (Sint32)(until - SDL_GetTicks());
      if (left <= 0) return false;
      if (left < slice) slice = left;
    }
    if (SDL_WaitEventTimeout(nullptr, slice)) return false;
    if (!fds.empty() && poll(fds.data(), fds.size(), 0) > 0) return true;
  }
}

double now() {
  using clock = std::chrono::steady_clock;
  static const clock::time_point start = clock::now();
  return std::chrono::duration<double>(clock::now() - start).count();
}

}  // namespace backend
}  // namespace kest
