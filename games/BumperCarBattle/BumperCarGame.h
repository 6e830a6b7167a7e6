// The car-brand betting game (kind 108) has no module object of its own: the
// kernel loads its pictures through the landlord module and creates the game
// here, a handler (NNHandler) and the table (NNBoard).
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace BumperCarBattle {

class NNHandler;

constexpr uint16_t kKindID = 108;

Sexy::CGameBoard* CreateGame();

// The handler of the latest game; null before the first. The board reaches
// the kernel through it.
NNHandler* GetHandler();

// The game as it describes itself to the registry (games/registry); the
// registry lends it the landlord module.
inline constexpr Sexy::GameKindModuleInfo kGameKind{kKindID, "碰碰车", "BumperCarBattle", nullptr, &CreateGame, 0};

}  // namespace BumperCarBattle
