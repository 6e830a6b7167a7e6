#ifndef KEST_ENGINE_FRAME_STATS_H
#define KEST_ENGINE_FRAME_STATS_H

// Where a waiting program's time goes, once a second on standard error,
// when the environment has KEST_FRAME_STATS set (and not "0"): loop passes
// and how their waits ended, frames stepped and drawn (whole or in part),
// the rectangles drawn again and their pixels, the pixels put on the window
// and the requests that carried them, and the milliseconds spent in each
// part of a pass, with the process's CPU time over the same second.
// KEST_FRAME_STATS=rects adds a line a drawn frame: its rectangles drawn
// again (WxH+X+Y, "k" when shown from kept pixels). Off, every call costs a
// test of one flag.

namespace kest {
namespace framestats {

enum Phase { kEvents, kSources, kUpdate, kDraw, kPresent, kWait, kPhaseCount };

bool on();
// Adds the time since `since` (backend::now(), seconds) to a phase and
// returns now (0 when off).
double lap(Phase phase, double since);
// A loop pass; its wait asked for `asked` seconds and took `took` (infinity: no limit).
void pass(double asked, double took);
void frameStepped();
void frameDrawn();
// Writes a line when a second has passed since the last one.
void report();
// backend::now() when on, else 0.
double now();

}  // namespace framestats
}  // namespace kest

#endif
