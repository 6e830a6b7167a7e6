#include "games/ShowHandANEx/ShowHandANExMobile.h"

namespace ShowHandANEx {

namespace {

const char* const kFrameLists[] = {
    "ShowHandANEx/ShowHandANEx.plist", "ClientGame/Cards.plist",    "ClientGame/Ready.plist",
    "ShowHandANEx/SpirteStatus.plist", "ClientGame/TimerNum.plist", "ClientGame/Light.plist",
};

}  // namespace

ShowHandANExMobile::ShowHandANExMobile() : Sexy::CGameKindModule(kExpectedImages) {}

Sexy::CGameBoard* ShowHandANExMobile::CreateGame() { return Sexy::CreatePlainGame(); }

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
