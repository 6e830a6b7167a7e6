#include "games/OxEx/OxExMobile.h"
#include "games/OxTB/OxTBMobile.h"

namespace OxEx {

OxExMobile::OxExMobile() : Sexy::CGameKindModule(9) {}

Sexy::CGameBoard* OxExMobile::CreateGame() { return Sexy::CreatePlainGame(); }

void OxExMobile::LoadResources()
{
    RequestImages({
        "OxEx/OxEx",
        "ClientGame/Cards",
        "OxEx/CentrenOxEx",
        "OxEx/SpirteStatus",
        "ClientGame/Ready",
        "ClientGame/border-1",
        "ClientGame/TimerNum",
        "ClientGame/Light",
        "OxEx/OxNumber/OxNumber"});
    AddFrames({
        "OxEx/OxEx.plist",
        "ClientGame/Light.plist",
        "ClientGame/Cards.plist",
        "OxEx/SpirteStatus.plist",
        "ClientGame/Ready.plist",
        "ClientGame/TimerNum.plist",
        "OxEx/OxNumber/OxNumber.plist"});
}

void OxExMobile::UnloadResources()
{
    OxTB::OxTBMobile::UnloadBullResources();
}

} // namespace OxEx
