#include "games/BumperCarBattle/BumperCarGame.h"

#include "games/framework/GameKindModule.h"

namespace BumperCarBattle {

Sexy::CGameBoard* CreateGame() { return Sexy::CreatePlainGame(); }

}  // namespace BumperCarBattle
