// The module object of Shuang Kou (kind 233): its pictures, and its game
// (handler and board).
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace ShuangKouHP {

class HPHandler;

class ShuangKouMobile : public Sexy::CGameKindModule
{
public:
    static constexpr uint16_t kKindID = 233;
    // Pictures LoadResources waits for before the game may start.
    static constexpr uint32_t kExpectedImages = 8;

    ShuangKouMobile();
    Sexy::CGameBoard* CreateGame() override;
    void LoadResources() override;
    void UnloadResources() override;

    // The handler of the latest game; null before the first.
    static HPHandler* GetHandler();
};

// The game as it describes itself to the registry (games/registry).
inline constexpr Sexy::GameKindModuleInfo kGameKind{
    ShuangKouMobile::kKindID,        "双扣", "ShuangKouHP", &Sexy::MakeGameKindModule<ShuangKouMobile>, nullptr,
    ShuangKouMobile::kExpectedImages};

}  // namespace ShuangKouHP
