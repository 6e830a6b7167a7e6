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

    MaJiang2Mobile();
    Sexy::CGameBoard* CreateGame() override;
    void LoadResources() override;
    void UnloadResources() override;
};

}  // namespace MaJiang2
