// The module object of the landlord game (kind 200): its pictures, and its game. Until the
// game's own handler and board are built, the game is the framework's plain
// table.
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace Land {

class LandMobile : public Sexy::CGameKindModule
{
public:
    static constexpr uint16_t kKindID = 200;

    LandMobile();
    Sexy::CGameBoard* CreateGame() override;
    void LoadResources() override;
    void UnloadResources() override;
};

}  // namespace Land
