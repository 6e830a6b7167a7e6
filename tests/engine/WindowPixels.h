#ifndef KEST_TESTS_ENGINE_WINDOW_PIXELS_H
#define KEST_TESTS_ENGINE_WINDOW_PIXELS_H

#include <cstdint>
#include <string>
#include <vector>

// The program's window as the X server holds it, 0xRRGGBB rows top first,
// read after every request the program sent (through its own connection,
// so in order); empty without an X11 window. Apart from the tests because
// Xlib's headers define names (None, Bool, Status) that clash with them.
std::vector<uint32_t> windowPixels();
// Sends a request the X server refuses (a window that does not exist) on the
// program's own connection and waits for the answer; false without an X11 window.
bool sendARefusedRequest();
// Sets a text property on the program's window through its own connection
// and does not flush: the request stays with the X library until the
// program sends it (events queued before it are dropped). False without an
// X11 window.
bool setPropertyUnsent(const char* name, const char* value);
// Sends the program's window a close request (WM_DELETE_WINDOW) from another
// connection, as a window manager does, and waits until it has reached the
// program's connection, unread. False without an X11 window or when it did
// not come within five seconds.
bool closeRequestArrivedUnread();
// Leaves a request that brings nothing back (NoOperation) with the X library,
// unsent, after the events read so far are dropped. False without an X11
// window.
bool noOperationUnsent();
// From another connection: the pointer moved to (x, y) of the program's
// window and the left button pressed or released there, as the X server
// tells the window (events sent to it alone, which need no pointer). False
// without an X11 window.
bool leftButtonFromOutside(int x, int y, bool down);
// From another connection: the pointer moved to (x, y) of the program's
// window with the left button down, as the X server tells the window.
// False without an X11 window.
bool leftButtonDraggedFromOutside(int x, int y);
// Where the program's window is on the screen and its size, as another
// connection reads them now; false without an X11 window.
bool windowPlaceFromOutside(int& x, int& y, int& w, int& h);
// From another connection, as a window manager minimising the window and
// bringing it back: the window unmapped, or mapped again. False without an
// X11 window.
bool mappedFromOutside(bool mapped);
// Waits until the program's connection has everything the X server sent it
// so far, queued in the X library: what a client that fell behind finds
// when it next reads. False without an X11 window.
bool everythingSentQueued();
// The property as another connection to the same server reads it now ("" when unset).
std::string propertySeenFromOutside(const char* name);
// Whether an X server takes a connection on the display.
bool displayAnswers(const char* display);

#endif
