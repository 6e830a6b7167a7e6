#include "games/DZPoKer/DZPoKerMobile.h"

#include "games/DZPoKer/DZPoKerBoard.h"
#include "games/DZPoKer/DZPoKerHandler.h"

#include <string>

namespace DZPoKer {

namespace {

const char* const kFrameLists[] = {"ClientGame/Cards.plist", "ClientGame/Ready.plist", "ClientGame/TimerNum.plist",
                                   "ClientGame/Light.plist"};
const char* const kAnimationSheets[] = {"shengli", "gaopai",  "hulu",    "jingang",     "shijian",
                                        "shunzi",  "tonghua", "waiting", "DZPokerCards"};

DZPoKerHandler* s_pHandler = nullptr;

}  // namespace

DZPoKerMobile::DZPoKerMobile() : Sexy::CGameKindModule(kExpectedImages) {}

DZPoKerHandler* DZPoKerMobile::GetHandler() { return s_pHandler; }

Sexy::CGameBoard* DZPoKerMobile::CreateGame()
{
    Sexy::ReplaceGameHandler(s_pHandler, new DZPoKerHandler());
    return DZPoKerBoard::create();
}

void DZPoKerMobile::LoadResources()
{
    AddFrames(kFrameLists);
    LoadAnimationFrames();
    RequestImages({"ClientGame/Cards", "ClientGame/Ready", "ClientGame/TimerNum", "ClientGame/Light"});
}

void DZPoKerMobile::UnloadResources()
{
    RemoveFrames(kFrameLists);
    RemoveTextures({"DZShowHand/background1"});
    // The waiting animation's frames stay cached.
    for (const char* sheet : kAnimationSheets)
    {
        if (std::string(sheet) != "waiting")
            RemoveFrame((std::string("DZShowHand/Animation/") + sheet + ".plist").c_str());
    }
}

void DZPoKerMobile::LoadAnimationFrames()
{
    for (const char* sheet : kAnimationSheets)
    {
        const std::string base = std::string("DZShowHand/Animation/") + sheet;
        AddFramesWithTexture((base + ".plist").c_str(), (base + ".png").c_str());
    }
}

}  // namespace DZPoKer
