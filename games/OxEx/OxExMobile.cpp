#include "games/OxEx/OxExMobile.h"

#include "games/OxTB/OxTBMobile.h"

namespace OxEx {

OxExMobile::OxExMobile() : Sexy::CGameKindModule(kExpectedImages) {}

Sexy::CGameBoard* OxExMobile::CreateGame() { return Sexy::CreatePlainGame(); }

void OxExMobile::LoadResources()
{
    // The bull pictures with the number sheet counted: nine.
    RequestImages(OxTB::OxTBMobile::kBullPictures);
    RequestImages({"OxEx/OxNumber/OxNumber"});
    AddFrames(OxTB::OxTBMobile::kBullFrameLists);
}

void OxExMobile::UnloadResources() { OxTB::OxTBMobile::UnloadBullResources(); }

}  // namespace OxEx
