// The module object of Texas hold'em (kind 350): its pictures, and its game
// (handler and board).
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace DZPoKer {

class DZPoKerHandler;

class DZPoKerMobile : public Sexy::CGameKindModule
{
public:
    static constexpr uint16_t kKindID = 350;
    // Pictures LoadResources waits for before the game may start.
    static constexpr uint32_t kExpectedImages = 4;

    DZPoKerMobile();
    Sexy::CGameBoard* CreateGame() override;
    void LoadResources() override;
    void UnloadResources() override;
    // The nine animation sheets, each with its picture.
    static void LoadAnimationFrames();
    // The handler of the latest game; null before the first.
    static DZPoKerHandler* GetHandler();
};

// The game as it describes itself to the registry (games/registry).
inline constexpr Sexy::GameKindModuleInfo kGameKind{
    DZPoKerMobile::kKindID,        "德州扑克", "DZPoKer", &Sexy::MakeGameKindModule<DZPoKerMobile>, nullptr,
    DZPoKerMobile::kExpectedImages};

}  // namespace DZPoKer
