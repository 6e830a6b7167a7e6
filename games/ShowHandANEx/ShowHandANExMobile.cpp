#include "games/ShowHandANEx/ShowHandANExMobile.h"

#include "games/ShowHandANEx/NNBoard.h"
#include "games/ShowHandANEx/NNHandler.h"

namespace ShowHandANEx {

namespace {

const char* const kFrameLists[] = {
    "ShowHandANEx/ShowHandANEx.plist", "ClientGame/Cards.plist",    "ClientGame/Ready.plist",
    "ShowHandANEx/SpirteStatus.plist", "ClientGame/TimerNum.plist", "ClientGame/Light.plist",
};

NNHandler* s_pHandler = nullptr;

}  // namespace

ShowHandANExMobile::ShowHandANExMobile() : Sexy::CGameKindModule(kExpectedImages) {}

NNHandler* ShowHandANExMobile::GetHandler() { return s_pHandler; }

Sexy::CGameBoard* ShowHandANExMobile::CreateGame()
{
    Sexy::ReplaceGameHandler(s_pHandler, new NNHandler());
    return NNBoard::create();
}

void ShowHandANExMobile::LoadResources()
{
    AddFrames(kFrameLists);
    RequestImages({"ShowHandANEx/ShowHandANEx", "ClientGame/Cards", "ClientGame/Ready", "ShowHandANEx/SpirteStatus",
                   "ClientGame/TimerNum", "ClientGame/Light", "ShowHandANEx/background"});
}

void ShowHandANExMobile::UnloadResources()
{
    RemoveFrames(kFrameLists);
    RemoveTextures({"ShowHandANEx/background"});
}

}  // namespace ShowHandANEx
