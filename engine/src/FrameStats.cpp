#include "FrameStats.h"

#include <time.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "backend/Backend.h"

namespace kest {
namespace framestats {

namespace {

// What the environment asks for, read once.
struct Settings {
  bool read = false, on = false, rects = false;
};

Settings& settings() {
  static Settings s;
  return s;
}

// The second being counted.
struct Stats {
  double start = -1;
  double cpuStart = 0;
  double phase[kPhaseCount] = {};
  unsigned passes = 0, steps = 0, drawn = 0;
  // How the waits ended: at their time, before it (input, a descriptor,
  // a signal), or with no time limit.
  unsigned onTime = 0, early = 0, unlimited = 0;
  backend::FrameCounts counts;  // at its start
};

Stats& stats() {
  static Stats s;
  return s;
}

double cpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return (double)t.tv_sec + (double)t.tv_nsec * 1e-9;
}

}  // namespace

bool on() {
  Settings& s = settings();
  if (!s.read) {
    const char* v = getenv("KEST_FRAME_STATS");
    s.on = v && *v && strcmp(v, "0") != 0;
    s.rects = s.on && strcmp(v, "rects") == 0;
    s.read = true;
  }
  return s.on;
}

double lap(Phase phase, double since) {
  if (!on()) return 0;
  const double t = backend::now();
  stats().phase[phase] += t - since;
  return t;
}

void pass(double asked, double took) {
  if (!on()) return;
  Stats& s = stats();
  ++s.passes;
  if (std::isinf(asked))
    ++s.unlimited;
  else if (took < asked - 0.001)
    ++s.early;
  else
    ++s.onTime;
}

void frameStepped() {
  if (on()) ++stats().steps;
}

void frameDrawn() {
  if (!on()) return;
  Stats& s = stats();
  ++s.drawn;
  if (!settings().rects) return;
  static std::vector<int> xywh;
  static std::vector<uint8_t> kept;
  backend::lastFrameRects(xywh, kept);
  std::string line = "frame-rects";
  char part[64];
  for (size_t i = 0; i < kept.size(); ++i) {
    std::snprintf(part, sizeof part, " %dx%d+%d+%d%s", xywh[i * 4 + 2], xywh[i * 4 + 3], xywh[i * 4], xywh[i * 4 + 1],
                  kept[i] ? "k" : "");
    line += part;
  }
  std::fprintf(stderr, "%.3f %s\n", backend::now(), line.c_str());
}

double now() { return on() ? backend::now() : 0; }

void report() {
  if (!on()) return;
  const double now = backend::now();
  Stats& s = stats();
  if (s.start < 0) {
    s.start = now;
    s.cpuStart = cpuSeconds();
    s.counts = backend::frameCounts();
    return;
  }
  if (now - s.start < 1) return;
  const backend::FrameCounts c = backend::frameCounts();
  const double cpu = cpuSeconds();
  const double ms = 1000.0;
  std::fprintf(stderr,
               "frame-stats %.1fs: passes %u (waits on time %u, early %u, unlimited %u) steps %u drawn %u "
               "(whole %llu, part %llu) rects %llu px %llu kept %llu on-cpu %llu sent %llu px in %llu | "
               "ms events %.2f sources %.2f update %.2f draw %.2f present %.2f wait %.1f | cpu %.2f ms\n",
               now - s.start, s.passes, s.onTime, s.early, s.unlimited, s.steps, s.drawn,
               (unsigned long long)(c.whole - s.counts.whole), (unsigned long long)(c.partial - s.counts.partial),
               (unsigned long long)(c.rects - s.counts.rects),
               (unsigned long long)(c.rectPixels - s.counts.rectPixels),
               (unsigned long long)(c.keptRects - s.counts.keptRects),
               (unsigned long long)(c.underOnCpu - s.counts.underOnCpu),
               (unsigned long long)(c.sentPixels - s.counts.sentPixels),
               (unsigned long long)(c.sends - s.counts.sends), s.phase[kEvents] * ms, s.phase[kSources] * ms,
               s.phase[kUpdate] * ms, s.phase[kDraw] * ms, s.phase[kPresent] * ms, s.phase[kWait] * ms,
               (cpu - s.cpuStart) * ms);
  std::fflush(stderr);
  s = Stats();
  s.start = now;
  s.cpuStart = cpu;
  s.counts = c;
}

}  // namespace framestats
}  // namespace kest
