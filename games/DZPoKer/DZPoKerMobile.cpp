#include "games/DZPoKer/DZPoKerMobile.h"

#include <string>

namespace DZPoKer {

DZPoKerMobile::DZPoKerMobile() : Sexy::CGameKindModule(4) {}

Sexy::CGameBoard* DZPoKerMobile::CreateGame() { return Sexy::CreatePlainGame(); }

void DZPoKerMobile::LoadResources()
{
    AddFrames({
        "ClientGame/Cards.plist",
        "ClientGame/Ready.plist",
        "ClientGame/TimerNum.plist",
        "ClientGame/Light.plist"});
    LoadAnimationFrames();
    RequestImages({
        "ClientGame/Cards",
        "ClientGame/Ready",
        "ClientGame/TimerNum",
        "ClientGame/Light"});
}

void DZPoKerMobile::UnloadResources()
{
    RemoveFrames({
        "ClientGame/Cards.plist",
        "ClientGame/Ready.plist",
        "ClientGame/TimerNum.plist",
        "ClientGame/Light.plist"});
    RemoveTextures({"DZShowHand/background1"});
    // The waiting animation's frames stay cached.
    RemoveFrames({
        "DZShowHand/Animation/shengli.plist",
        "DZShowHand/Animation/gaopai.plist",
        "DZShowHand/Animation/hulu.plist",
        "DZShowHand/Animation/jingang.plist",
        "DZShowHand/Animation/shijian.plist",
        "DZShowHand/Animation/shunzi.plist",
        "DZShowHand/Animation/tonghua.plist",
        "DZShowHand/Animation/DZPokerCards.plist"});
}

void DZPoKerMobile::LoadAnimationFrames()
{
    static const char* const kSheets[] = {"shengli", "gaopai", "hulu", "jingang", "shijian", "shunzi", "tonghua", "waiting", "DZPokerCards"};
    for (const char* sheet : kSheets) {
        const std::string base = std::string("DZShowHand/Animation/") + sheet;
        AddFramesWithTexture((base + ".plist").c_str(), (base + ".png").c_str());
    }
}

} // namespace DZPoKer
