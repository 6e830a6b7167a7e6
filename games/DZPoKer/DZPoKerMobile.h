// The module object of Texas hold'em (kind 350): its pictures, and its game. Until the
// game's own handler and board are built, the game is the framework's plain
// table.
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace DZPoKer {

class DZPoKerMobile : public Sexy::CGameKindModule
{
public:
    static constexpr uint16_t kKindID = 350;

    DZPoKerMobile();
    Sexy::CGameBoard* CreateGame() override;
    void LoadResources() override;
    void UnloadResources() override;
    // The nine animation sheets, each with its picture.
    static void LoadAnimationFrames();
};

}  // namespace DZPoKer
