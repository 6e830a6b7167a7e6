#include "games/RedNineBattle/RedNineMobile.h"

#include "games/RedNineBattle/RedBoard.h"
#include "games/RedNineBattle/RedHandler.h"

namespace RedNineBattle {

namespace {

RedHandler* s_pHandler = nullptr;

}  // namespace

RedNineMobile::RedNineMobile() : Sexy::CGameKindModule(kExpectedImages) {}

RedHandler* RedNineMobile::GetHandler() { return s_pHandler; }

Sexy::CGameBoard* RedNineMobile::CreateGame()
{
    Sexy::ReplaceGameHandler(s_pHandler, new RedHandler());
    return RedBoard::create();
}

void RedNineMobile::LoadResources()
{
    AddFrames({"RedNineBattle/LiangZhangUI_1/LiangZhangUI0.plist", "ClientGame/Light.plist", "ClientGame/Cards.plist"});
    RequestImages({"RedNineBattle/LiangZhangUI_1/LiangZhangUI0", "ClientGame/Light", "ClientGame/Cards"});
}

void RedNineMobile::UnloadResources()
{
    RemoveFrames(
        {"RedNineBattle/LiangZhangUI_1/LiangZhangUI0.plist", "ClientGame/Light.plist", "ClientGame/Cards.plist"});
}

}  // namespace RedNineBattle
