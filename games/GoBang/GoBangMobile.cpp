#include "games/GoBang/GoBangMobile.h"

namespace GoBang {

GoBangMobile::GoBangMobile() : Sexy::CGameKindModule(kExpectedImages) {}

Sexy::CGameBoard* GoBangMobile::CreateGame() { return Sexy::CreatePlainGame(); }

void GoBangMobile::LoadResources()
{
    // The least table: the framework's own sheets (clock digits, ready
    // signs), ready when both have arrived.
    AddFrames({"ClientGame/TimerNum.plist", "ClientGame/Ready.plist"});
    RequestImages({"ClientGame/TimerNum", "ClientGame/Ready"});
}

void GoBangMobile::UnloadResources()
{
    // Nothing of its own: the framework's sheets stay for the other games.
}

}  // namespace GoBang
