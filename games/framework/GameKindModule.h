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

namespace Sexy {

class CGameBoard;
class CGameHandler;

class CGameKindModule : public cocos2d::CCObject {
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

    // Asks for each picture with OnImageLoaded as callback (the engine calls
    // back for missing pictures too).
    void RequestImages(std::initializer_list<const char*> names);
    // Asks without a callback (pictures that do not count).
    static void PreloadImages(std::initializer_list<const char*> names);
    static void AddFrames(std::initializer_list<const char*> plists);
    static void RemoveFrames(std::initializer_list<const char*> plists);
    static void RemoveTextures(std::initializer_list<const char*> names);
    // A sheet's frames with their picture named apart.
    static void AddFramesWithTexture(const char* plist, const char* texture);

protected:
    uint32_t m_dwExpectedImages;
    uint32_t m_dwLoadedImages = 0;
};

// Creates a game of a kind whose module object is borrowed (kinds 9, 108).
using CreateGameFunction = CGameBoard* (*)();
using KindModuleFactory = CGameKindModule* (*)();

// What the kernel uses for one kind: a factory of its module object and,
// for kinds that borrow another game's module, the game's own creator. A
// borrowing kind gets a new module object on every load.
struct GameKindEntry {
    KindModuleFactory makeModule = nullptr;
    CreateGameFunction createGame = nullptr;
};

// Filled once at start-up (InstallGameModules in games/framework/modules).
void RegisterGameKind(uint16_t kindID, KindModuleFactory makeModule, CreateGameFunction createGame = nullptr);
const GameKindEntry* FindGameKindEntry(uint16_t kindID);
void ClearGameKinds();

// The plain table of a kind whose game is not built yet: a handler that
// takes every message and the framework's board.
CGameBoard* CreatePlainGame();

} // namespace Sexy

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

} // namespace Sexy
