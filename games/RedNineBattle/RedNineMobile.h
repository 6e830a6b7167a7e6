// The module object of red nine (kind 106): its pictures, and its game. Until the
// game's own handler and board are built, the game is the framework's plain
// table.
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace RedNineBattle {

class RedNineMobile : public Sexy::CGameKindModule
{
public:
    static constexpr uint16_t kKindID = 106;

    RedNineMobile();
    Sexy::CGameBoard* CreateGame() override;
    void LoadResources() override;
    void UnloadResources() override;
};

}  // namespace RedNineBattle
