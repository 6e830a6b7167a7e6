#include "games/OxTB/OxTBMobile.h"

namespace OxTB {

const char* const OxTBMobile::kBullPictures[8] = {
    "OxEx/OxEx",        "ClientGame/Cards",    "OxEx/CentrenOxEx",    "OxEx/SpirteStatus",
    "ClientGame/Ready", "ClientGame/border-1", "ClientGame/TimerNum", "ClientGame/Light",
};

const char* const OxTBMobile::kBullFrameLists[7] = {
    "OxEx/OxEx.plist",        "ClientGame/Light.plist",    "ClientGame/Cards.plist",       "OxEx/SpirteStatus.plist",
    "ClientGame/Ready.plist", "ClientGame/TimerNum.plist", "OxEx/OxNumber/OxNumber.plist",
};

OxTBMobile::OxTBMobile() : Sexy::CGameKindModule(kExpectedImages) {}

Sexy::CGameBoard* OxTBMobile::CreateGame() { return Sexy::CreatePlainGame(); }

void OxTBMobile::LoadResources() { LoadBullResources(*this); }

void OxTBMobile::UnloadResources() { UnloadBullResources(); }

void OxTBMobile::LoadBullResources(Sexy::CGameKindModule& module)
{
    module.RequestImages(kBullPictures);
    PreloadImages({"OxEx/OxNumber/OxNumber"});
    AddFrames(kBullFrameLists);
}

void OxTBMobile::UnloadBullResources()
{
    RemoveFrames(kBullFrameLists);
    RemoveTextures({"OxEx/CentrenOxEx"});
}

}  // namespace OxTB
