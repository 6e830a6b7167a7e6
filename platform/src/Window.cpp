// The main window and its messages.
//
// Stands in for SystemParametersInfo(SPI_GETWORKAREA), GetWindowRect,
// SetWindowPos(SWP_NOZORDER), ShowWindow(SW_MINIMIZE) and the messages of the
// engine window's procedure. Implemented: SDL display bounds and window
// calls; SDL events turned into WM_SETCURSOR, WM_MOUSEMOVE, WM_RBUTTONUP,
// WM_LBUTTONDBLCLK, WM_MOUSEWHEEL and the key-down messages of Tab, Enter,
// Ctrl+C and Ctrl+V. Missing: every other message. Emulated semantics: a
// double click is SDL's second click of the left button; mouse positions are
// client pixels with the origin at the top left, as Windows gives them.
#include "platform/Window.h"

#include <SDL.h>

namespace platform {

namespace {
SDL_Window* g_mainWindow = nullptr;
}

void SetMainWindow(SDL_Window* window) { g_mainWindow = window; }

SDL_Window* GetMainWindow() { return g_mainWindow; }

bool GetWorkArea(Rect& area)
{
    int display = g_mainWindow != nullptr ? SDL_GetWindowDisplayIndex(g_mainWindow) : 0;
    SDL_Rect bounds;
    if (display < 0 || SDL_GetDisplayUsableBounds(display, &bounds) != 0)
        return false;
    area = Rect{bounds.x, bounds.y, bounds.w, bounds.h};
    return true;
}

bool GetWindowRect(Rect& rect)
{
    if (g_mainWindow == nullptr)
        return false;
    SDL_GetWindowPosition(g_mainWindow, &rect.x, &rect.y);
    SDL_GetWindowSize(g_mainWindow, &rect.width, &rect.height);
    return true;
}

bool SetWindowRect(const Rect& rect)
{
    if (g_mainWindow == nullptr || rect.width <= 0 || rect.height <= 0)
        return false;
    SDL_RestoreWindow(g_mainWindow);
    SDL_SetWindowPosition(g_mainWindow, rect.x, rect.y);
    SDL_SetWindowSize(g_mainWindow, rect.width, rect.height);
    return true;
}

void MinimizeWindow()
{
    if (g_mainWindow != nullptr)
        SDL_MinimizeWindow(g_mainWindow);
}

int TranslateEvent(const SDL_Event& event, WindowMessage out[2])
{
    switch (event.type) {
    case SDL_MOUSEMOTION:
        out[0] = WindowMessage{};
        out[0].type = WindowMessageType::SetCursor;
        out[0].x = event.motion.x;
        out[0].y = event.motion.y;
        out[1] = out[0];
        out[1].type = WindowMessageType::MouseMove;
        return 2;
    case SDL_MOUSEBUTTONUP:
        if (event.button.button != SDL_BUTTON_RIGHT)
            return 0;
        out[0] = WindowMessage{};
        out[0].type = WindowMessageType::RButtonUp;
        out[0].x = event.button.x;
        out[0].y = event.button.y;
        return 1;
    case SDL_MOUSEBUTTONDOWN:
        if (event.button.button != SDL_BUTTON_LEFT || event.button.clicks != 2)
            return 0;
        out[0] = WindowMessage{};
        out[0].type = WindowMessageType::LButtonDblClk;
        out[0].x = event.button.x;
        out[0].y = event.button.y;
        return 1;
    case SDL_MOUSEWHEEL: {
        out[0] = WindowMessage{};
        out[0].type = WindowMessageType::MouseWheel;
        int y = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
        out[0].delta = y * 120;
        SDL_GetMouseState(&out[0].x, &out[0].y);
        return 1;
    }
    case SDL_KEYDOWN: {
        const SDL_Keycode sym = event.key.keysym.sym;
        const bool ctrl = (event.key.keysym.mod & KMOD_CTRL) != 0;
        int key = 0;
        if (sym == SDLK_TAB)
            key = 9;
        else if (sym == SDLK_RETURN || sym == SDLK_KP_ENTER)
            key = 13;
        else if (ctrl && sym == SDLK_c)
            key = 'C';
        else if (ctrl && sym == SDLK_v)
            key = 'V';
        if (key == 0)
            return 0;
        out[0] = WindowMessage{};
        out[0].type = WindowMessageType::KeyDown;
        out[0].key = key;
        out[0].ctrl = ctrl;
        return 1;
    }
    default:
        return 0;
    }
}

} // namespace platform
