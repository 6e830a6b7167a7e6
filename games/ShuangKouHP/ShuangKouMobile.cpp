#include "games/ShuangKouHP/ShuangKouMobile.h"

namespace ShuangKouHP {

ShuangKouMobile::ShuangKouMobile() : Sexy::CGameKindModule(8) {}

Sexy::CGameBoard* ShuangKouMobile::CreateGame() { return Sexy::CreatePlainGame(); }

void ShuangKouMobile::LoadResources()
{
    // The animation sheets do not count towards the eight.
    PreloadImages({
        "shuangkouHP/animation/animation_4.plist",
        "shuangkouHP/animation/animation_3.plist",
        "shuangkouHP/animation/animation_2.plist"});
    RequestImages({
        "shuangkouHP/ShuangKou",
        "shuangkouHP/SpirteStatus",
        "shuangkouHP/theEnd/tuo",
        "ClientGame/Ready",
        "ClientGame/border-1",
        "ClientGame/TimerNum",
        "ClientGame/Light",
        "ClientGame/Cards"});
    AddFrames({
        "shuangkouHP/ShuangKou.plist",
        "shuangkouHP/SpirteStatus.plist",
        "shuangkouHP/theEnd/tuo.plist",
        "shuangkouHP/animation/animation_4.plist",
        "shuangkouHP/animation/animation_3.plist",
        "shuangkouHP/animation/animation_2.plist",
        "ClientGame/Light.plist",
        "ClientGame/Cards.plist",
        "ClientGame/Ready.plist",
        "ClientGame/TimerNum.plist"});
}

void ShuangKouMobile::UnloadResources()
{
    RemoveFrames({
        "shuangkouHP/ShuangKou.plist",
        "shuangkouHP/SpirteStatus.plist",
        "shuangkouHP/theEnd/tuo.plist",
        "shuangkouHP/animation/animation_4.plist",
        "shuangkouHP/animation/animation_3.plist",
        "shuangkouHP/animation/animation_2.plist",
        "ClientGame/Light.plist",
        "ClientGame/Cards.plist",
        "ClientGame/Ready.plist",
        "ClientGame/TimerNum.plist"});
}

} // namespace ShuangKouHP
