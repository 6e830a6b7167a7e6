// The module object of the horse race (kind 114): its pictures, and its game. Until the
// game's own handler and board are built, the game is the framework's plain
// table.
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace HorseBattle {

class HorseBattleMobile : public Sexy::CGameKindModule
{
public:
    static constexpr uint16_t kKindID = 114;
    // Pictures LoadResources waits for before the game may start.
    static constexpr uint32_t kExpectedImages = 1;

    HorseBattleMobile();
    Sexy::CGameBoard* CreateGame() override;
    void LoadResources() override;
    void UnloadResources() override;
};

// The game as it describes itself to the registry (games/registry).
inline constexpr Sexy::GameKindModuleInfo kGameKind{
    HorseBattleMobile::kKindID,        "赛马", "HorseBattle", &Sexy::MakeGameKindModule<HorseBattleMobile>, nullptr,
    HorseBattleMobile::kExpectedImages};

}  // namespace HorseBattle
