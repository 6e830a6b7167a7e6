// The module object of six-seat bull (kind 102): its pictures, and its game. Until the
// game's own handler and board are built, the game is the framework's plain
// table.
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace OxEx {

class OxExMobile : public Sexy::CGameKindModule
{
public:
    static constexpr uint16_t kKindID = 102;
    // Pictures LoadResources waits for before the game may start.
    static constexpr uint32_t kExpectedImages = 9;

    OxExMobile();
    Sexy::CGameBoard* CreateGame() override;
    void LoadResources() override;
    void UnloadResources() override;
};

// The game as it describes itself to the registry (games/registry).
inline constexpr Sexy::GameKindModuleInfo kGameKind{
    OxExMobile::kKindID,        "抢庄牛牛", "OxEx", &Sexy::MakeGameKindModule<OxExMobile>, nullptr,
    OxExMobile::kExpectedImages};

}  // namespace OxEx
