#include "games/MaJiang2/MaJiang2Mobile.h"

namespace MaJiang2 {

MaJiang2Mobile::MaJiang2Mobile() : Sexy::CGameKindModule(kExpectedImages) {}

Sexy::CGameBoard* MaJiang2Mobile::CreateGame() { return Sexy::CreatePlainGame(); }

void MaJiang2Mobile::LoadResources()
{
    // The least table: the framework's own sheets (clock digits, ready
    // signs), ready when both have arrived.
    AddFrames({"ClientGame/TimerNum.plist", "ClientGame/Ready.plist"});
    RequestImages({"ClientGame/TimerNum", "ClientGame/Ready"});
}

void MaJiang2Mobile::UnloadResources()
{
    // Nothing of its own: the framework's sheets stay for the other games.
}

}  // namespace MaJiang2
