#include "games/SparrowWZEx/SparrowWZExMobile.h"

namespace SparrowWZEx {

SparrowWZExMobile::SparrowWZExMobile() : Sexy::CGameKindModule(kExpectedImages) {}

Sexy::CGameBoard* SparrowWZExMobile::CreateGame() { return Sexy::CreatePlainGame(); }

void SparrowWZExMobile::LoadResources()
{
    // The least table: the framework's own sheets (clock digits, ready
    // signs), ready when both have arrived.
    AddFrames({"ClientGame/TimerNum.plist", "ClientGame/Ready.plist"});
    RequestImages({"ClientGame/TimerNum", "ClientGame/Ready"});
}

void SparrowWZExMobile::UnloadResources()
{
    // Nothing of its own: the framework's sheets stay for the other games.
}

}  // namespace SparrowWZEx
