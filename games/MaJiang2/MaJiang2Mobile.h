// The module object of two-seat mahjong (kind 10): the least resource table, and its game. Until the
// game's own handler and board are built, the game is the framework's plain
// table.
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace MaJiang2 {

class MaJiang2Mobile : public Sexy::CGameKindModule
{
public:
    static constexpr uint16_t kKindID = 10;
    // Pictures LoadResources waits for before the game may start.
    static constexpr uint32_t kExpectedImages = 2;

    MaJiang2Mobile();
    Sexy::CGameBoard* CreateGame() override;
    void LoadResources() override;
    void UnloadResources() override;
};

// The game as it describes itself to the registry (games/registry).
inline constexpr Sexy::GameKindModuleInfo kGameKind{
    MaJiang2Mobile::kKindID,        "二人麻将", "MaJiang2", &Sexy::MakeGameKindModule<MaJiang2Mobile>, nullptr,
    MaJiang2Mobile::kExpectedImages};

}  // namespace MaJiang2
