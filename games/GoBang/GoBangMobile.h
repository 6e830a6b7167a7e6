// The module object of five in a row (kind 401): the least resource table, and its game. Until the
// game's own handler and board are built, the game is the framework's plain
// table.
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace GoBang {

class GoBangMobile : public Sexy::CGameKindModule
{
public:
    static constexpr uint16_t kKindID = 401;
    // Pictures LoadResources waits for before the game may start.
    static constexpr uint32_t kExpectedImages = 2;

    GoBangMobile();
    Sexy::CGameBoard* CreateGame() override;
    void LoadResources() override;
    void UnloadResources() override;
};

// The game as it describes itself to the registry (games/registry).
inline constexpr Sexy::GameKindModuleInfo kGameKind{
    GoBangMobile::kKindID,        "五子棋", "GoBang", &Sexy::MakeGameKindModule<GoBangMobile>, nullptr,
    GoBangMobile::kExpectedImages};

}  // namespace GoBang
