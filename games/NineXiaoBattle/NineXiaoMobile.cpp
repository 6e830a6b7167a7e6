#include "games/NineXiaoBattle/NineXiaoMobile.h"

#include "games/NineXiaoBattle/RedBoard.h"
#include "games/NineXiaoBattle/RedHandler.h"

namespace NineXiaoBattle {

namespace {

RedHandler* s_pHandler = nullptr;

}  // namespace

NineXiaoMobile::NineXiaoMobile() : Sexy::CGameKindModule(kExpectedImages) {}

RedHandler* NineXiaoMobile::GetHandler() { return s_pHandler; }

Sexy::CGameBoard* NineXiaoMobile::CreateGame()
{
    Sexy::ReplaceGameHandler(s_pHandler, new RedHandler());
    return RedBoard::create();
}

void NineXiaoMobile::LoadResources()
{
    AddFrames({"NineXiaoBattle/XiaoJiu_UI_1/XiaoJiu_UI0.plist", "ClientGame/Light.plist", "ClientGame/Cards.plist"});
    RequestImages({"NineXiaoBattle/XiaoJiu_UI_1/XiaoJiu_UI0", "ClientGame/Light", "ClientGame/Cards"});
}

void NineXiaoMobile::UnloadResources()
{
    RemoveFrames({"NineXiaoBattle/XiaoJiu_UI_1/XiaoJiu_UI0.plist", "ClientGame/Light.plist", "ClientGame/Cards.plist"});
}

}  // namespace NineXiaoBattle
