#include "games/ShuangKouHP/ShuangKouMobile.h"

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

}  // namespace

ShuangKouMobile::ShuangKouMobile() : Sexy::CGameKindModule(kExpectedImages) {}

Sexy::CGameBoard* ShuangKouMobile::CreateGame() { return Sexy::CreatePlainGame(); }

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
