// The car-brand betting game (kind 108) has no module object of its own: the
// kernel loads its pictures through the landlord module and creates the game
// here. Until the game's own handler and board are built, it is the
// framework's plain table.
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace BumperCarBattle {

constexpr uint16_t kKindID = 108;

Sexy::CGameBoard* CreateGame();

// The game as it describes itself to the registry (games/registry); the
// registry lends it the landlord module.
inline constexpr Sexy::GameKindModuleInfo kGameKind{kKindID, "碰碰车", "BumperCarBattle", nullptr, &CreateGame, 0};

}  // namespace BumperCarBattle
