#include "games/OxEx/OxExMobile.h"

#include "games/OxEx/NNBoard.h"
#include "games/OxEx/NNHandler.h"

namespace OxEx {

NNHandler* OxExMobile::s_pHandler = nullptr;

const char* const OxExMobile::kBullPictures[8] = {
    "OxEx/OxEx",        "ClientGame/Cards",    "OxEx/CentrenOxEx",    "OxEx/SpirteStatus",
    "ClientGame/Ready", "ClientGame/border-1", "ClientGame/TimerNum", "ClientGame/Light",
};

const char* const OxExMobile::kBullFrameLists[7] = {
    "OxEx/OxEx.plist",        "ClientGame/Light.plist",    "ClientGame/Cards.plist",       "OxEx/SpirteStatus.plist",
    "ClientGame/Ready.plist", "ClientGame/TimerNum.plist", "OxEx/OxNumber/OxNumber.plist",
};

OxExMobile::OxExMobile() : Sexy::CGameKindModule(kExpectedImages) {}

Sexy::CGameBoard* OxExMobile::CreateGame()
{
    Sexy::ReplaceGameHandler(s_pHandler, new NNHandler());
    return NNBoard::create();
}

void OxExMobile::LoadResources()
{
    // The bull pictures with the number sheet counted: nine.
    RequestImages(kBullPictures);
    RequestImages({"OxEx/OxNumber/OxNumber"});
    AddFrames(kBullFrameLists);
}

void OxExMobile::UnloadResources() { UnloadBullResources(); }

void OxExMobile::UnloadBullResources()
{
    RemoveFrames(kBullFrameLists);
    RemoveTextures({"OxEx/CentrenOxEx"});
}

}  // namespace OxEx
