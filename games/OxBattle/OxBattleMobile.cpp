#include "games/OxBattle/OxBattleMobile.h"

#include "games/OxBattle/OXBoard.h"
#include "games/OxBattle/OXHandler.h"

namespace OxBattle {

namespace {

OXHandler* s_pHandler = nullptr;

}  // namespace

OxBattleMobile::OxBattleMobile() : Sexy::CGameKindModule(kExpectedImages) {}

OXHandler* OxBattleMobile::GetHandler() { return s_pHandler; }

Sexy::CGameBoard* OxBattleMobile::CreateGame()
{
    Sexy::ReplaceGameHandler(s_pHandler, new OXHandler());
    return OXBoard::create();
}

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
