#include "games/OxBattle/OxBattleMobile.h"

namespace OxBattle {

OxBattleMobile::OxBattleMobile() : Sexy::CGameKindModule(kExpectedImages) {}

Sexy::CGameBoard* OxBattleMobile::CreateGame() { return Sexy::CreatePlainGame(); }

void OxBattleMobile::LoadResources()
{
    AddFrames({"OxBattle/IngameUI_1/IngameUI0.plist", "OxBattle/dice/dice.plist", "ClientGame/Cards.plist",
               "OxBattle/OxNumber/OxNumber.plist"});
    RequestImages(
        {"OxBattle/OxNumber/OxNumber", "OxBattle/IngameUI_1/IngameUI0", "ClientGame/Cards", "OxBattle/dice/dice"});
}

void OxBattleMobile::UnloadResources()
{
    // The number frames stay cached.
    RemoveFrames({"OxBattle/IngameUI_1/IngameUI0.plist", "OxBattle/dice/dice.plist", "ClientGame/Cards.plist"});
}

}  // namespace OxBattle
