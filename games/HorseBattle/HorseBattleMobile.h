// The module object of the horse race (kind 114): its pictures, and its game. Until the
// game's own handler and board are built, the game is the framework's plain
// table.
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace HorseBattle {

class HorseBattleMobile : public Sexy::CGameKindModule
{
public:
    static constexpr uint16_t kKindID = 114;

    HorseBattleMobile();
    Sexy::CGameBoard* CreateGame() override;
    void LoadResources() override;
    void UnloadResources() override;
};

}  // namespace HorseBattle
