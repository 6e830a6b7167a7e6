#include "games/Land/LandMobile.h"

#include "games/Land/LandBoard.h"
#include "games/Land/LandHandler.h"

namespace Land {

namespace {

const char* const kAnimationLists[] = {
    "Land/animation/animation_0.plist", "Land/animation/animation_1.plist", "Land/animation/animation_2.plist",
    "Land/animation/animation_3.plist", "Land/animation/animation_4.plist", "Land/animation/animation_5.plist",
    "Land/animation/animation_6.plist", "Land/animation/animation_7.plist", "Land/animation/animation_8.plist",
};

LandHandler* s_pHandler = nullptr;

}  // namespace

LandMobile::LandMobile() : Sexy::CGameKindModule(kExpectedImages) {}

LandHandler* LandMobile::GetHandler() { return s_pHandler; }

Sexy::CGameBoard* LandMobile::CreateGame()
{
    Sexy::ReplaceGameHandler(s_pHandler, new LandHandler());
    return LandBoard::create();
}

void LandMobile::LoadResources()
{
    // Nine of the fourteen requests name frame lists; the engine answers
    // those with their sheets' pictures, so the ninth answer comes.
    RequestImages(kAnimationLists);
    RequestImages(
        {"ClientGame/Cards", "ClientGame/Ready", "ClientGame/border-1", "ClientGame/TimerNum", "ClientGame/Light"});
    AddFrames(kAnimationLists);
    AddFrames(
        {"ClientGame/Light.plist", "ClientGame/Cards.plist", "ClientGame/Ready.plist", "ClientGame/TimerNum.plist"});
}

void LandMobile::UnloadResources()
{
    // The ClientGame sheets stay: the other games use them.
    RemoveFrames(kAnimationLists);
}

}  // namespace Land
