// The car-brand betting game (kind 108) has no module object of its own: the
// kernel loads its pictures through the landlord module and creates the game
// here. Until the game's own handler and board are built, it is the
// framework's plain table.
#pragma once

namespace Sexy {
class CGameBoard;
}

namespace BumperCarBattle {

Sexy::CGameBoard* CreateGame();

}  // namespace BumperCarBattle
