#include "games/NineXiaoBattle/NineXiaoMobile.h"

namespace NineXiaoBattle {

NineXiaoMobile::NineXiaoMobile() : Sexy::CGameKindModule(kExpectedImages) {}

Sexy::CGameBoard* NineXiaoMobile::CreateGame() { return Sexy::CreatePlainGame(); }

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
