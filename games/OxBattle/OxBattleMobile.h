// The module object of bull with dice (kind 104): its pictures, and its game
// (handler and board).
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace OxBattle {

class OXHandler;

class OxBattleMobile : public Sexy::CGameKindModule
{
public:
    static constexpr uint16_t kKindID = 104;
    // Pictures LoadResources waits for before the game may start.
    static constexpr uint32_t kExpectedImages = 4;

    OxBattleMobile();
    Sexy::CGameBoard* CreateGame() override;
    void LoadResources() override;
    void UnloadResources() override;

    // The handler of the latest game; null before the first. The board
    // reaches the kernel through it.
    static OXHandler* GetHandler();
};

// The game as it describes itself to the registry (games/registry).
inline constexpr Sexy::GameKindModuleInfo kGameKind{
    OxBattleMobile::kKindID,        "百人牛牛", "OxBattle", &Sexy::MakeGameKindModule<OxBattleMobile>, nullptr,
    OxBattleMobile::kExpectedImages};

}  // namespace OxBattle
