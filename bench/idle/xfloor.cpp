// The least a client can spend showing the horses' bob behind the start: an
// X client that, at the same moments as the race board (a 1-pixel bob at
// frames 0, 6, 12 and 18 of a 25-frame loop at 60 frames a second, and a
// clock tick a second), copies one 101x453 picture from a pixmap already on
// the server onto its window and flushes, and otherwise sleeps in poll().
// Nothing is drawn on the client's side: this is only the wake-ups and the
// requests that any client showing those frames has to make.
//
//   xfloor [seconds]   (runs until killed without an argument)

#include <X11/Xlib.h>
#include <poll.h>
#include <sys/prctl.h>
#include <time.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

namespace {

double now() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec + t.tv_nsec * 1e-9;
}

// Seconds from `t` to the next bob change after it (a loop of 25 frames at
// 60 a second, changing at frames 0, 6, 12 and 18).
double nextBob(double t) {
  const double loop = 25.0 / 60.0;
  const double in = std::fmod(t, loop);
  for (int frame : {6, 12, 18, 25})
    if (in < frame / 60.0 - 1e-9) return frame / 60.0 - in;
  return loop - in;
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 0;
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "xfloor: no X display\n");
    return 1;
  }
  const int screen = DefaultScreen(display);
  const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, 1280, 800, 0, 0,
                                            BlackPixel(display, screen));
  XSelectInput(display, window, ExposureMask | StructureNotifyMask);
  XMapWindow(display, window);
  const int kW = 101, kH = 453, kFrames = 4;
  const Pixmap frames = XCreatePixmap(display, window, kW * kFrames, kH, DefaultDepth(display, screen));
  XGCValues values;
  values.graphics_exposures = False;
  const GC gc = XCreateGC(display, window, GCGraphicsExposures, &values);
  for (int f = 0; f < kFrames; ++f) {
    XSetForeground(display, gc, 0x203040u + 0x101010u * f);
    XFillRectangle(display, frames, gc, f * kW, 0, kW, kH);
  }
  XFlush(display);
  prctl(PR_SET_TIMERSLACK, 1000000UL, 0, 0, 0);
  const double start = now();
  double bob = start + nextBob(0), tick = start + 1;
  int frame = 0;
  pollfd fd{ConnectionNumber(display), POLLIN, 0};
  while (seconds <= 0 || now() - start < seconds) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
    }
    const double due = std::fmin(bob, tick);
    const double wait = due - now();
    if (wait > 0 && poll(&fd, 1, (int)std::ceil(wait * 1000)) > 0) continue;
    const double t = now();
    if (t + 0.0005 < due) continue;
    if (t >= bob) bob = t + nextBob(t - start);
    if (t >= tick) tick += 1;
    frame = (frame + 1) % kFrames;
    XCopyArea(display, frames, window, gc, frame * kW, 0, kW, kH, 246, 101);
    XFlush(display);
  }
  XCloseDisplay(display);
  return 0;
}
