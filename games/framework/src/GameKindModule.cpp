#include "games/framework/GameKindModule.h"

#include "games/framework/GameBoard.h"
#include "games/framework/GameHandler.h"
#include "games/framework/GameRoom.h"

#include <map>
#include <new>

using namespace cocos2d;

namespace Sexy {

namespace {

std::map<uint16_t, GameKindModuleInfo>& Entries()
{
    static std::map<uint16_t, GameKindModuleInfo> entries;
    return entries;
}

// The handler of a game that is not built yet: takes every message.
class CPlainGameHandler : public CGameHandler
{
public:
    bool OnGameMessage(uint16_t, const void*, uint16_t) override { return true; }
    bool OnGameSceneMessage(uint8_t, bool, const void*, uint16_t) override { return true; }
};

CPlainGameHandler* g_pPlainHandler = nullptr;

}  // namespace

void CGameKindModule::OnImageLoaded(CCObject*)
{
    ++m_dwLoadedImages;
    if (m_dwLoadedImages != m_dwExpectedImages)
        return;
    if (IGameRoom* room = GetGameRoom())
        room->OnGameResourcesLoaded(true);
}

void CGameKindModule::RequestImage(const char* name)
{
    CCTextureCache::sharedTextureCache()->addImageAsync(name, this, callfuncO_selector(CGameKindModule::OnImageLoaded));
}

void CGameKindModule::PreloadImage(const char* name)
{
    CCTextureCache::sharedTextureCache()->addImageAsync(name, nullptr, nullptr);
}

void CGameKindModule::AddFrame(const char* plist)
{
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile(plist);
}

void CGameKindModule::RemoveFrame(const char* plist)
{
    CCSpriteFrameCache::sharedSpriteFrameCache()->removeSpriteFramesFromFile(plist);
}

void CGameKindModule::AddFramesWithTexture(const char* plist, const char* texture)
{
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile(plist, texture);
}

void CGameKindModule::RemoveTexture(const char* name)
{
    CCTextureCache::sharedTextureCache()->removeTextureForKey(name);
}

void RegisterGameKind(const GameKindModuleInfo& info) { Entries()[info.wKindID] = info; }

void RegisterGameKind(uint16_t kindID, KindModuleFactory makeModule, CreateGameFunction createGame)
{
    GameKindModuleInfo info;
    info.wKindID = kindID;
    info.makeModule = makeModule;
    info.createGame = createGame;
    RegisterGameKind(info);
}

const GameKindModuleInfo* FindGameKindEntry(uint16_t kindID)
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

}  // namespace Sexy
