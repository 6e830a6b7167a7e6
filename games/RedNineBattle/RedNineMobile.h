// The module object of red nine (kind 106): its pictures, and its game
// (handler and board).
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace RedNineBattle {

class RedHandler;

class RedNineMobile : public Sexy::CGameKindModule
{
public:
    static constexpr uint16_t kKindID = 106;
    // Pictures LoadResources waits for before the game may start.
    static constexpr uint32_t kExpectedImages = 3;

    RedNineMobile();
    Sexy::CGameBoard* CreateGame() override;
    void LoadResources() override;
    void UnloadResources() override;

    // The handler of the latest game; null before the first. The board
    // reaches the kernel through it.
    static RedHandler* GetHandler();
};

// The game as it describes itself to the registry (games/registry).
inline constexpr Sexy::GameKindModuleInfo kGameKind{
    RedNineMobile::kKindID,        "红九", "RedNineBattle", &Sexy::MakeGameKindModule<RedNineMobile>, nullptr,
    RedNineMobile::kExpectedImages};

}  // namespace RedNineBattle
