// Window icon.
//
// Stands in for the icon resource of the window class. Implemented: the
// picture set on the first SDL window of the process (the program has one).
// Missing: icons of other sizes. Window rectangle, work area, minimise and
// the window's messages belong to the engine's view, which owns the window.
#include "platform/WindowIcon.h"

#include <SDL.h>
#include <SDL_image.h>

namespace platform {

bool SetWindowIcon(const std::string& picturePath)
{
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
        return false;
    SDL_Window* window = nullptr;
    for (Uint32 id = 1; id < 16 && window == nullptr; ++id)
        window = SDL_GetWindowFromID(id);
    if (window == nullptr)
        return false;
    SDL_Surface* picture = IMG_Load(picturePath.c_str());
    if (picture == nullptr)
        return false;
    SDL_SetWindowIcon(window, picture);
    SDL_FreeSurface(picture);
    return true;
}

}  // namespace platform
