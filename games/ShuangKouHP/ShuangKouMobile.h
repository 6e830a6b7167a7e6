// The module object of Shuang Kou (kind 233): its pictures, and its game. Until the
// game's own handler and board are built, the game is the framework's plain
// table.
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace ShuangKouHP {

class ShuangKouMobile : public Sexy::CGameKindModule
{
public:
    static constexpr uint16_t kKindID = 233;

    ShuangKouMobile();
    Sexy::CGameBoard* CreateGame() override;
    void LoadResources() override;
    void UnloadResources() override;
};

}  // namespace ShuangKouHP
