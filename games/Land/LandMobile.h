// The module object of the landlord game (kind 200): its pictures, and its
// game (handler and board). Kinds 9 and 108 load their pictures through it.
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace Land {

class LandHandler;

class LandMobile : public Sexy::CGameKindModule
{
public:
    static constexpr uint16_t kKindID = 200;
    // Pictures LoadResources waits for before the game may start.
    static constexpr uint32_t kExpectedImages = 9;

    LandMobile();
    Sexy::CGameBoard* CreateGame() override;
    void LoadResources() override;
    void UnloadResources() override;

    // The handler of the latest game; null before the first.
    static LandHandler* GetHandler();
};

// The game as it describes itself to the registry (games/registry).
inline constexpr Sexy::GameKindModuleInfo kGameKind{
    LandMobile::kKindID, "斗地主", "Land", &Sexy::MakeGameKindModule<LandMobile>, nullptr, LandMobile::kExpectedImages};

}  // namespace Land
