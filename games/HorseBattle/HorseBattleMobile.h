// The module object of the horse race (kind 114): its pictures, and its game
// (handler and board).
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace HorseBattle {

class PaoMaHandler;

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

    // The handler of the latest game; null before the first. The board
    // reaches the kernel through it.
    static PaoMaHandler* GetHandler();
};

// The game as it describes itself to the registry (games/registry).
inline constexpr Sexy::GameKindModuleInfo kGameKind{
    HorseBattleMobile::kKindID,        "赛马", "HorseBattle", &Sexy::MakeGameKindModule<HorseBattleMobile>, nullptr,
    HorseBattleMobile::kExpectedImages};

}  // namespace HorseBattle
