// The module object of mahjong with a wild tile (kind 308): the least resource table, and its game. Until the
// game's own handler and board are built, the game is the framework's plain
// table.
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace SparrowWZEx {

class SparrowWZExMobile : public Sexy::CGameKindModule
{
public:
    static constexpr uint16_t kKindID = 308;
    // Pictures LoadResources waits for before the game may start.
    static constexpr uint32_t kExpectedImages = 2;

    SparrowWZExMobile();
    Sexy::CGameBoard* CreateGame() override;
    void LoadResources() override;
    void UnloadResources() override;
};

// The game as it describes itself to the registry (games/registry).
inline constexpr Sexy::GameKindModuleInfo kGameKind{
    SparrowWZExMobile::kKindID,        "麻将", "SparrowWZEx", &Sexy::MakeGameKindModule<SparrowWZExMobile>, nullptr,
    SparrowWZExMobile::kExpectedImages};

}  // namespace SparrowWZEx
