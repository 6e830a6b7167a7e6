// The module object of mahjong with a wild tile (kind 308): the least resource table, and its game. Until the
// game's own handler and board are built, the game is the framework's plain
// table.
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace SparrowWZEx {

class SparrowWZExMobile : public Sexy::CGameKindModule
{
public:
    static constexpr uint16_t kKindID = 308;

    SparrowWZExMobile();
    Sexy::CGameBoard* CreateGame() override;
    void LoadResources() override;
    void UnloadResources() override;
};

}  // namespace SparrowWZEx
