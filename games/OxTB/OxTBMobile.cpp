#include "games/OxTB/OxTBMobile.h"

namespace OxTB {

OxTBMobile::OxTBMobile() : Sexy::CGameKindModule(8) {}

Sexy::CGameBoard* OxTBMobile::CreateGame() { return Sexy::CreatePlainGame(); }

void OxTBMobile::LoadResources()
{
    LoadBullResources(*this);
}

void OxTBMobile::UnloadResources()
{
    UnloadBullResources();
}

void OxTBMobile::LoadBullResources(Sexy::CGameKindModule& module)
{
    module.RequestImages({
        "OxEx/OxEx",
        "ClientGame/Cards",
        "OxEx/CentrenOxEx",
        "OxEx/SpirteStatus",
        "ClientGame/Ready",
        "ClientGame/border-1",
        "ClientGame/TimerNum",
        "ClientGame/Light"});
    PreloadImages({"OxEx/OxNumber/OxNumber"});
    AddFrames({
        "OxEx/OxEx.plist",
        "ClientGame/Light.plist",
        "ClientGame/Cards.plist",
        "OxEx/SpirteStatus.plist",
        "ClientGame/Ready.plist",
        "ClientGame/TimerNum.plist",
        "OxEx/OxNumber/OxNumber.plist"});
}

void OxTBMobile::UnloadBullResources()
{
    RemoveFrames({
        "OxEx/OxEx.plist",
        "ClientGame/Light.plist",
        "ClientGame/Cards.plist",
        "OxEx/SpirteStatus.plist",
        "ClientGame/Ready.plist",
        "ClientGame/TimerNum.plist",
        "OxEx/OxNumber/OxNumber.plist"});
    RemoveTextures({"OxEx/CentrenOxEx"});
}

} // namespace OxTB
