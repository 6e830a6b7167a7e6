#include "games/OxTB/OxTBMobile.h"

#include "games/OxEx/OxExMobile.h"

namespace OxTB {

OxTBMobile::OxTBMobile() : Sexy::CGameKindModule(kExpectedImages) {}

Sexy::CGameBoard* OxTBMobile::CreateGame() { return Sexy::CreatePlainGame(); }

void OxTBMobile::LoadResources() { LoadBullResources(*this); }

void OxTBMobile::UnloadResources() { OxEx::OxExMobile::UnloadBullResources(); }

void OxTBMobile::LoadBullResources(Sexy::CGameKindModule& module)
{
    module.RequestImages(OxEx::OxExMobile::kBullPictures);
    PreloadImages({"OxEx/OxNumber/OxNumber"});
    AddFrames(OxEx::OxExMobile::kBullFrameLists);
}

}  // namespace OxTB
