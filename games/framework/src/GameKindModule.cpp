#include "games/framework/GameKindModule.h"

#include "games/framework/GameBoard.h"
#include "games/framework/GameHandler.h"
#include "games/framework/GameKindTable.h"
#include "games/framework/GameRoom.h"

#include <map>
#include <new>

using namespace cocos2d;

namespace Sexy {

namespace {

std::map<uint16_t, GameKindEntry>& Entries()
{
    static std::map<uint16_t, GameKindEntry> entries;
    return entries;
}

// The handler of a game that is not built yet: takes every message.
class CPlainGameHandler : public CGameHandler {
public:
    bool OnGameMessage(uint16_t, const void*, uint16_t) override { return true; }
    bool OnGameSceneMessage(uint8_t, bool, const void*, uint16_t) override { return true; }
};

CPlainGameHandler* g_pPlainHandler = nullptr;

} // namespace

void CGameKindModule::OnImageLoaded(CCObject*)
{
    ++m_dwLoadedImages;
    if (m_dwLoadedImages != m_dwExpectedImages)
        return;
    if (IGameRoom* room = GetGameRoom())
        room->OnGameResourcesLoaded(true);
}

void CGameKindModule::RequestImages(std::initializer_list<const char*> names)
{
    CCTextureCache* cache = CCTextureCache::sharedTextureCache();
    for (const char* name : names)
        cache->addImageAsync(name, this, callfuncO_selector(CGameKindModule::OnImageLoaded));
}

void CGameKindModule::PreloadImages(std::initializer_list<const char*> names)
{
    CCTextureCache* cache = CCTextureCache::sharedTextureCache();
    for (const char* name : names)
        cache->addImageAsync(name, nullptr, nullptr);
}

void CGameKindModule::AddFrames(std::initializer_list<const char*> plists)
{
    CCSpriteFrameCache* frames = CCSpriteFrameCache::sharedSpriteFrameCache();
    for (const char* plist : plists)
        frames->addSpriteFramesWithFile(plist);
}

void CGameKindModule::RemoveFrames(std::initializer_list<const char*> plists)
{
    CCSpriteFrameCache* frames = CCSpriteFrameCache::sharedSpriteFrameCache();
    for (const char* plist : plists)
        frames->removeSpriteFramesFromFile(plist);
}

void CGameKindModule::AddFramesWithTexture(const char* plist, const char* texture)
{
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile(plist, texture);
}

void CGameKindModule::RemoveTextures(std::initializer_list<const char*> names)
{
    CCTextureCache* cache = CCTextureCache::sharedTextureCache();
    for (const char* name : names)
        cache->removeTextureForKey(name);
}

void RegisterGameKind(uint16_t kindID, KindModuleFactory makeModule, CreateGameFunction createGame)
{
    Entries()[kindID] = GameKindEntry{makeModule, createGame};
}

const GameKindEntry* FindGameKindEntry(uint16_t kindID)
{
    auto it = Entries().find(kindID);
    return it != Entries().end() ? &it->second : nullptr;
}

void ClearGameKinds() { Entries().clear(); }

CGameBoard* CreatePlainGame()
{
    ReplaceGameHandler<CPlainGameHandler>(g_pPlainHandler, new (std::nothrow) CPlainGameHandler());
    return CGameBoard::create();
}

} // namespace Sexy
