// The module object of five-card stud (kind 19): its pictures, and its game. Until the
// game's own handler and board are built, the game is the framework's plain
// table.
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace ShowHandANEx {

class ShowHandANExMobile : public Sexy::CGameKindModule
{
public:
    static constexpr uint16_t kKindID = 19;

    ShowHandANExMobile();
    Sexy::CGameBoard* CreateGame() override;
    void LoadResources() override;
    void UnloadResources() override;
};

}  // namespace ShowHandANEx
