// The module object of the four-beast wheel (kind 404): its pictures, and its game. Until the
// game's own handler and board are built, the game is the framework's plain
// table.
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace TransferBattle {

class TransferBattleMobile : public Sexy::CGameKindModule
{
public:
    static constexpr uint16_t kKindID = 404;

    TransferBattleMobile();
    Sexy::CGameBoard* CreateGame() override;
    void LoadResources() override;
    void UnloadResources() override;
};

}  // namespace TransferBattle
