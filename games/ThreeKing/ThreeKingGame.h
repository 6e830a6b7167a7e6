// San Gong (kind 9) has no module object of its own: the kernel loads its
// pictures through the landlord module and creates the game here.
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace ThreeKing {

class NNHandler;

constexpr uint16_t kKindID = 9;

// A new handler (the one it replaces goes), attached to the kernel, and its
// board.
Sexy::CGameBoard* CreateGame();
// The handler of the game created last; the board reaches it here.
NNHandler* GetHandler();

// The game as it describes itself to the registry (games/registry); the
// registry lends it the landlord module.
inline constexpr Sexy::GameKindModuleInfo kGameKind{kKindID, "三公", "ThreeKing", nullptr, &CreateGame, 0};

}  // namespace ThreeKing
