// The module object of little nine (kind 110): its pictures, and its game
// (handler and board).
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace NineXiaoBattle {

class RedHandler;

class NineXiaoMobile : public Sexy::CGameKindModule
{
public:
    static constexpr uint16_t kKindID = 110;
    // Pictures LoadResources waits for before the game may start.
    static constexpr uint32_t kExpectedImages = 3;

    NineXiaoMobile();
    Sexy::CGameBoard* CreateGame() override;
    void LoadResources() override;
    void UnloadResources() override;

    // The handler of the latest game; null before the first. The board
    // reaches the kernel through it.
    static RedHandler* GetHandler();
};

// The game as it describes itself to the registry (games/registry).
inline constexpr Sexy::GameKindModuleInfo kGameKind{
    NineXiaoMobile::kKindID,        "小九", "NineXiaoBattle", &Sexy::MakeGameKindModule<NineXiaoMobile>, nullptr,
    NineXiaoMobile::kExpectedImages};

}  // namespace NineXiaoBattle
