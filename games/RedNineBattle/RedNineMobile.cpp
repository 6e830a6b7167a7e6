#include "games/RedNineBattle/RedNineMobile.h"

namespace RedNineBattle {

RedNineMobile::RedNineMobile() : Sexy::CGameKindModule(kExpectedImages) {}

Sexy::CGameBoard* RedNineMobile::CreateGame() { return Sexy::CreatePlainGame(); }

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
