// The module object of baccarat (kind 122): its pictures, and its game. Until the
// game's own handler and board are built, the game is the framework's plain
// table.
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace BaccaratNew {

class BaccaratNewMobile : public Sexy::CGameKindModule
{
public:
    static constexpr uint16_t kKindID = 122;
    // Pictures LoadResources waits for before the game may start.
    static constexpr uint32_t kExpectedImages = 5;

    BaccaratNewMobile();
    Sexy::CGameBoard* CreateGame() override;
    void LoadResources() override;
    void UnloadResources() override;
};

// The game as it describes itself to the registry (games/registry).
inline constexpr Sexy::GameKindModuleInfo kGameKind{
    BaccaratNewMobile::kKindID,        "百家乐", "BaccaratNew", &Sexy::MakeGameKindModule<BaccaratNewMobile>, nullptr,
    BaccaratNewMobile::kExpectedImages};

}  // namespace BaccaratNew
