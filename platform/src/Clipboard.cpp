// Clipboard text.
//
// Stands in for the Win32 clipboard (CF_TEXT). Implemented: UTF-8 text through
// SDL when its video subsystem runs, else a process-local store. Missing:
// bitmaps (the transfer voucher copies a picture; not used on this platform).
#include "platform/Clipboard.h"

#include <SDL.h>

namespace platform {

static std::string& LocalClipboard()
{
    static std::string text;
    return text;
}

bool SetClipboardText(const std::string& utf8)
{
    LocalClipboard() = utf8;
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0)
        return SDL_SetClipboardText(utf8.c_str()) == 0;
    return true;
}

std::string GetClipboardText()
{
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0 && SDL_HasClipboardText())
    {
        char* text = SDL_GetClipboardText();
        std::string out = text != nullptr ? text : "";
        SDL_free(text);
        return out;
    }
    return LocalClipboard();
}

}  // namespace platform
