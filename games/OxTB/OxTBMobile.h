// The module object of bull with banker robbing (OxTB) (kind 28): its pictures, and its game. Until the
// game's own handler and board are built, the game is the framework's plain
// table.
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace OxTB {

class OxTBMobile : public Sexy::CGameKindModule
{
public:
    static constexpr uint16_t kKindID = 28;
    // Pictures LoadResources waits for before the game may start.
    static constexpr uint32_t kExpectedImages = 8;

    OxTBMobile();
    Sexy::CGameBoard* CreateGame() override;
    void LoadResources() override;
    void UnloadResources() override;
    // Shared with OxNew (kind 27): eight counted pictures, the number sheet
    // uncounted, then the frames.
    static void LoadBullResources(Sexy::CGameKindModule& module);
};

// The game as it describes itself to the registry (games/registry).
inline constexpr Sexy::GameKindModuleInfo kGameKind{
    OxTBMobile::kKindID,        "通比牛牛", "OxTB", &Sexy::MakeGameKindModule<OxTBMobile>, nullptr,
    OxTBMobile::kExpectedImages};

}  // namespace OxTB
