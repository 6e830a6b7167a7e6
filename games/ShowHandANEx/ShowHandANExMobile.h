// The module object of five-card stud (kind 19): its pictures, and its game
// (handler and board).
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace ShowHandANEx {

class NNHandler;

class ShowHandANExMobile : public Sexy::CGameKindModule
{
public:
    static constexpr uint16_t kKindID = 19;
    // Pictures LoadResources waits for before the game may start.
    static constexpr uint32_t kExpectedImages = 7;

    ShowHandANExMobile();
    Sexy::CGameBoard* CreateGame() override;
    void LoadResources() override;
    void UnloadResources() override;

    // The handler of the latest game; null before the first.
    static NNHandler* GetHandler();
};

// The game as it describes itself to the registry (games/registry).
inline constexpr Sexy::GameKindModuleInfo kGameKind{
    ShowHandANExMobile::kKindID,        "梭哈", "ShowHandANEx", &Sexy::MakeGameKindModule<ShowHandANExMobile>, nullptr,
    ShowHandANExMobile::kExpectedImages};

}  // namespace ShowHandANEx
