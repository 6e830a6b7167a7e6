#include "games/ShuangKouHP/ShuangKouMobile.h"

#include "games/ShuangKouHP/HPBoard.h"
#include "games/ShuangKouHP/HPHandler.h"

namespace ShuangKouHP {

namespace {

const char* const kFrameLists[] = {
    "shuangkouHP/ShuangKou.plist",
    "shuangkouHP/SpirteStatus.plist",
    "shuangkouHP/theEnd/tuo.plist",
    "shuangkouHP/animation/animation_4.plist",
    "shuangkouHP/animation/animation_3.plist",
    "shuangkouHP/animation/animation_2.plist",
    "ClientGame/Light.plist",
    "ClientGame/Cards.plist",
    "ClientGame/Ready.plist",
    "ClientGame/TimerNum.plist",
};

HPHandler* s_pHandler = nullptr;

}  // namespace

ShuangKouMobile::ShuangKouMobile() : Sexy::CGameKindModule(kExpectedImages) {}

HPHandler* ShuangKouMobile::GetHandler() { return s_pHandler; }

Sexy::CGameBoard* ShuangKouMobile::CreateGame()
{
    Sexy::ReplaceGameHandler(s_pHandler, new HPHandler());
    return HPBoard::create();
}

void ShuangKouMobile::LoadResources()
{
    // The animation sheets do not count towards the eight.
    PreloadImages({kFrameLists[3], kFrameLists[4], kFrameLists[5]});
    RequestImages({"shuangkouHP/ShuangKou", "shuangkouHP/SpirteStatus", "shuangkouHP/theEnd/tuo", "ClientGame/Ready",
                   "ClientGame/border-1", "ClientGame/TimerNum", "ClientGame/Light", "ClientGame/Cards"});
    AddFrames(kFrameLists);
}

void ShuangKouMobile::UnloadResources() { RemoveFrames(kFrameLists); }

}  // namespace ShuangKouHP
