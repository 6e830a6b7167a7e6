// The engine's main window as the Windows code saw it: its rectangle, the
// work area, minimise, and its input as window messages.
#pragma once

#include <cstdint>

struct SDL_Window;
union SDL_Event;

namespace platform {

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The engine tells the platform which window is the main one.
void SetMainWindow(SDL_Window* window);
SDL_Window* GetMainWindow();

// Usable area of the display that shows the main window (no panels).
bool GetWorkArea(Rect& area);
// Outer position and client size of the main window.
bool GetWindowRect(Rect& rect);
// Moves and sizes the main window without changing its stacking order.
bool SetWindowRect(const Rect& rect);
void MinimizeWindow();

// Window messages the hooks act on.
enum class WindowMessageType {
    SetCursor,      // before every mouse move, as WM_SETCURSOR
    MouseMove,
    RButtonUp,
    LButtonDblClk,
    MouseWheel,     // delta: +120 per notch away from the user
    KeyDown,        // key: 9 Tab, 13 Enter, 'C'/'V' with ctrl
};

struct WindowMessage {
    WindowMessageType type = WindowMessageType::MouseMove;
    int x = 0;  // client pixels, origin top-left
    int y = 0;
    int delta = 0;
    int key = 0;
    bool ctrl = false;
};

// Turns one SDL event into at most two window messages; returns how many.
// Events the hooks do not care about give none.
int TranslateEvent(const SDL_Event& event, WindowMessage out[2]);

} // namespace platform
