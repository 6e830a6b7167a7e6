#include "games/ThreeKing/ThreeKingGame.h"

#include "games/framework/GameKindModule.h"

namespace ThreeKing {

Sexy::CGameBoard* CreateGame() { return Sexy::CreatePlainGame(); }

}  // namespace ThreeKing
