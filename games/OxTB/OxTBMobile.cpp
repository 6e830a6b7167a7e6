#include "games/OxTB/OxTBMobile.h"

#include "games/OxTB/NNBoard.h"
#include "games/OxTB/NNHandler.h"

#include "games/OxEx/OxExMobile.h"

namespace OxTB {

OxTBMobile::OxTBMobile() : Sexy::CGameKindModule(kExpectedImages) {}

NNHandler* OxTBMobile::s_pHandler = nullptr;

Sexy::CGameBoard* OxTBMobile::CreateGame()
{
    Sexy::ReplaceGameHandler(s_pHandler, new NNHandler());
    return NNBoard::create();
}

void OxTBMobile::LoadResources() { LoadBullResources(*this); }

void OxTBMobile::UnloadResources() { OxEx::OxExMobile::UnloadBullResources(); }

void OxTBMobile::LoadBullResources(Sexy::CGameKindModule& module)
{
    module.RequestImages(OxEx::OxExMobile::kBullPictures);
    PreloadImages({"OxEx/OxNumber/OxNumber"});
    AddFrames(OxEx::OxExMobile::kBullFrameLists);
}

}  // namespace OxTB
