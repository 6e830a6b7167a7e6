#include "games/HorseBattle/HorseBattleMobile.h"

#include "games/HorseBattle/PaoMaBoard.h"
#include "games/HorseBattle/PaoMaHandler.h"

namespace HorseBattle {

namespace {

PaoMaHandler* s_pHandler = nullptr;

}  // namespace

HorseBattleMobile::HorseBattleMobile() : Sexy::CGameKindModule(kExpectedImages) {}

PaoMaHandler* HorseBattleMobile::GetHandler() { return s_pHandler; }

Sexy::CGameBoard* HorseBattleMobile::CreateGame()
{
    Sexy::ReplaceGameHandler(s_pHandler, new PaoMaHandler());
    return PaoMaBoard::create();
}

void HorseBattleMobile::LoadResources()
{
    // Ready with the first of the seven pictures.
    AddFrames({"HorseBattle/UI/PaoMaUI/PaoMaUI0.plist", "HorseBattle/UI/PaoMaUI/PaoMaUI1.plist"});
    RequestImages({"HorseBattle/UI/PaoMaUI/PaoMaUI0", "HorseBattle/UI/PaoMaUI/PaoMaUI1"});
    AddFrames({"HorseBattle/Animations/HorseAnimation/HorseAnimation0.plist"});
    RequestImages({"HorseBattle/Animations/HorseAnimation/HorseAnimation0"});
    AddFrames({"HorseBattle/Animations/FenceAnimation/FenceAnimation0.plist"});
    RequestImages({"HorseBattle/Animations/FenceAnimation/FenceAnimation0"});
    AddFrames({"HorseBattle/Animations/TimeClockAnimation/TimeClockAnimation0.plist"});
    RequestImages({"HorseBattle/Animations/TimeClockAnimation/TimeClockAnimation0"});
    RequestImages({"HorseBattle/UI/pm_runbj", "HorseBattle/UI/bm"});
}

void HorseBattleMobile::UnloadResources()
{
    // The clock animation's frames stay.
    RemoveFrames({"HorseBattle/Animations/HorseAnimation/HorseAnimation0.plist",
                  "HorseBattle/UI/PaoMaUI/PaoMaUI0.plist", "HorseBattle/UI/PaoMaUI/PaoMaUI1.plist",
                  "HorseBattle/Animations/FenceAnimation/FenceAnimation0.plist"});
    RemoveTextures({"HorseBattle/UI/pm_runbj", "HorseBattle/UI/bm"});
}

}  // namespace HorseBattle
