// The module object of one game kind: loads and unloads the game's pictures
// and creates its handler and board.
//
// The kernel keeps one per kind (made on first use). LoadResources asks the
// texture cache for the game's pictures with OnImageLoaded as callback; the
// engine calls back once per request (missing pictures too) and retains the
// module until then, so a module released while loads are pending is freed
// only after its last callback. At the expected count the room is told the
// game is ready, exactly once.
#pragma once

#include "cocos2d.h"

#include <cstdint>
#include <initializer_list>
#include <new>

namespace Sexy {

class CGameBoard;
class CGameHandler;

class CGameKindModule : public cocos2d::CCObject
{
public:
    explicit CGameKindModule(uint32_t expectedImages) : m_dwExpectedImages(expectedImages) {}

    // Makes the game's handler (attached to the kernel) and board; null on
    // failure.
    virtual CGameBoard* CreateGame() = 0;
    virtual void LoadResources() = 0;
    virtual void UnloadResources() = 0;
    void OnImageLoaded(cocos2d::CCObject* texture);

    uint32_t GetExpectedImageCount() const { return m_dwExpectedImages; }
    uint32_t GetLoadedImageCount() const { return m_dwLoadedImages; }

    // One name each. A picture is asked for with OnImageLoaded as callback
    // (the engine calls back for missing pictures too); a preloaded one
    // counts for nothing.
    void RequestImage(const char* name);
    static void PreloadImage(const char* name);
    static void AddFrame(const char* plist);
    static void RemoveFrame(const char* plist);
    static void RemoveTexture(const char* name);
    // A sheet's frames with their picture named apart.
    static void AddFramesWithTexture(const char* plist, const char* texture);

    // The same over a braced list or a named array of the module.
    template <typename Names>
    void RequestImages(const Names& names)
    {
        for (const char* n : names)
            RequestImage(n);
    }
    void RequestImages(std::initializer_list<const char*> names)
    {
        for (const char* n : names)
            RequestImage(n);
    }
    template <typename Names>
    static void PreloadImages(const Names& names)
    {
        for (const char* n : names)
            PreloadImage(n);
    }
    static void PreloadImages(std::initializer_list<const char*> names)
    {
        for (const char* n : names)
            PreloadImage(n);
    }
    template <typename Names>
    static void AddFrames(const Names& names)
    {
        for (const char* n : names)
            AddFrame(n);
    }
    static void AddFrames(std::initializer_list<const char*> names)
    {
        for (const char* n : names)
            AddFrame(n);
    }
    template <typename Names>
    static void RemoveFrames(const Names& names)
    {
        for (const char* n : names)
            RemoveFrame(n);
    }
    static void RemoveFrames(std::initializer_list<const char*> names)
    {
        for (const char* n : names)
            RemoveFrame(n);
    }
    static void RemoveTextures(std::initializer_list<const char*> names)
    {
        for (const char* n : names)
            RemoveTexture(n);
    }

protected:
    uint32_t m_dwExpectedImages;
    uint32_t m_dwLoadedImages = 0;
};

// Creates a game of a kind whose module object is borrowed (kinds 9, 108).
using CreateGameFunction = CGameBoard* (*)();
using KindModuleFactory = CGameKindModule* (*)();

template <typename Module>
CGameKindModule* MakeGameKindModule()
{
    return new (std::nothrow) Module();
}

// How a game module describes itself: its kind, the hall's name for it, a
// factory of its module object and the pictures that object waits for. A
// kind that borrows another game's module names its own game creator; it
// gets a new module object on every load. The registry above the games
// (games/registry) collects the descriptions and installs them here.
struct GameKindModuleInfo
{
    uint16_t wKindID = 0;
    const char* pszName = "";    // UTF-8
    const char* pszModule = "";  // the game's namespace and folder under games/
    KindModuleFactory makeModule = nullptr;
    CreateGameFunction createGame = nullptr;
    uint32_t dwExpectedImages = 0;
};

// The kernel's switch from kind to module (the GameKindModuleTable), filled
// once at start-up; kinds never registered have no module.
void RegisterGameKind(const GameKindModuleInfo& info);
void RegisterGameKind(uint16_t kindID, KindModuleFactory makeModule, CreateGameFunction createGame = nullptr);
const GameKindModuleInfo* FindGameKindEntry(uint16_t kindID);
void ClearGameKinds();

// The plain table of a kind whose game is not built yet: a handler that
// takes every message and the framework's board.
CGameBoard* CreatePlainGame();

}  // namespace Sexy

namespace Sexy {

// Keeps the handler of the latest game a module created; the one it replaces
// is deleted once the new one is attached (the kernel only ever points to
// the latest). Kept until the program ends.
template <typename Handler>
Handler* ReplaceGameHandler(Handler*& kept, Handler* fresh)
{
    Handler* old = kept;
    kept = fresh;
    if (fresh != nullptr)
        fresh->InitGameHandler();
    if (old != fresh)
        delete old;
    return fresh;
}

}  // namespace Sexy
