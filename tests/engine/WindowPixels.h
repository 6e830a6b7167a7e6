#ifndef KEST_TESTS_ENGINE_WINDOW_PIXELS_H
#define KEST_TESTS_ENGINE_WINDOW_PIXELS_H

#include <cstdint>
#include <vector>

// The program's window as the X server holds it, 0xRRGGBB rows top first,
// read after every request the program sent (through its own connection,
// so in order); empty without an X11 window. Apart from the tests because
// Xlib's headers define names (None, Bool, Status) that clash with them.
std::vector<uint32_t> windowPixels();
// Sends a request the X server refuses (a window that does not exist) on the
// program's own connection and waits for the answer; false without an X11 window.
bool sendARefusedRequest();
// Whether an X server takes a connection on the display.
bool displayAnswers(const char* display);

#endif
