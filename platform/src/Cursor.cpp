// Cursors.
//
// Stands in for LoadImage(IMAGE_CURSOR, 48, 48), LoadCursor(IDC_ARROW) and
// SetCursor. Implemented: SDL colour cursors from PNG pictures, scaled to
// 48 x 48; the system arrow; a null cursor hides the pointer. Missing:
// animated cursors, .cur files. Emulated semantics: cursors are never freed
// (the program loads each once); with no mouse support (headless video) the
// cursor objects still exist and the current one is remembered.
#include "platform/Cursor.h"

#include <SDL.h>
#include <SDL_image.h>

#include <memory>
#include <vector>

namespace platform {

class Cursor
{
public:
    std::string source;
    SDL_Cursor* sdl = nullptr;
};

namespace {

constexpr int kCursorSize = 48;

std::vector<std::unique_ptr<Cursor>>& AllCursors()
{
    static std::vector<std::unique_ptr<Cursor>> cursors;
    return cursors;
}

Cursor* g_current = nullptr;
bool g_currentSet = false;

}  // namespace

Cursor* LoadCursorFromFile(const std::string& path, int hotX, int hotY)
{
    SDL_Surface* picture = IMG_Load(path.c_str());
    if (picture == nullptr)
        return nullptr;
    SDL_Surface* sized = SDL_CreateRGBSurfaceWithFormat(0, kCursorSize, kCursorSize, 32, SDL_PIXELFORMAT_RGBA32);
    if (sized == nullptr)
    {
        SDL_FreeSurface(picture);
        return nullptr;
    }
    SDL_SetSurfaceBlendMode(picture, SDL_BLENDMODE_NONE);
    SDL_BlitScaled(picture, nullptr, sized, nullptr);
    SDL_FreeSurface(picture);

    auto cursor = std::make_unique<Cursor>();
    cursor->source = path;
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0)
    {
        int x = hotX < 0 ? 0 : hotX >= kCursorSize ? kCursorSize - 1 : hotX;
        int y = hotY < 0 ? 0 : hotY >= kCursorSize ? kCursorSize - 1 : hotY;
        cursor->sdl = SDL_CreateColorCursor(sized, x, y);
    }
    SDL_FreeSurface(sized);
    AllCursors().push_back(std::move(cursor));
    return AllCursors().back().get();
}

Cursor* GetArrowCursor()
{
    static Cursor* arrow = [] {
        auto cursor = std::make_unique<Cursor>();
        cursor->source = "arrow";
        if (SDL_WasInit(SDL_INIT_VIDEO) != 0)
            cursor->sdl = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
        AllCursors().push_back(std::move(cursor));
        return AllCursors().back().get();
    }();
    return arrow;
}

void SetCursor(Cursor* cursor)
{
    g_current = cursor;
    g_currentSet = true;
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
        return;
    if (cursor == nullptr)
    {
        SDL_ShowCursor(SDL_DISABLE);
        return;
    }
    if (cursor->sdl != nullptr)
        SDL_SetCursor(cursor->sdl);
    SDL_ShowCursor(SDL_ENABLE);
}

Cursor* GetCursor() { return g_currentSet ? g_current : GetArrowCursor(); }

const std::string& GetCursorSource(const Cursor* cursor)
{
    static const std::string none;
    return cursor != nullptr ? cursor->source : none;
}

}  // namespace platform
