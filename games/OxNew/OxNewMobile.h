// The module object of bull with banker robbing (OxNew) (kind 27): its pictures, and its game. Until the
// game's own handler and board are built, the game is the framework's plain
// table.
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace OxNew {

class OxNewMobile : public Sexy::CGameKindModule
{
public:
    static constexpr uint16_t kKindID = 27;
    // Pictures LoadResources waits for before the game may start.
    static constexpr uint32_t kExpectedImages = 8;

    OxNewMobile();
    Sexy::CGameBoard* CreateGame() override;
    void LoadResources() override;
    void UnloadResources() override;
};

// The game as it describes itself to the registry (games/registry).
inline constexpr Sexy::GameKindModuleInfo kGameKind{
    OxNewMobile::kKindID,        "牛牛", "OxNew", &Sexy::MakeGameKindModule<OxNewMobile>, nullptr,
    OxNewMobile::kExpectedImages};

}  // namespace OxNew
