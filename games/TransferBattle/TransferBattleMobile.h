// The module object of the four-beast wheel (kind 404): its pictures, and
// its game (handler and board).
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace TransferBattle {

class NNHandler;

class TransferBattleMobile : public Sexy::CGameKindModule
{
public:
    static constexpr uint16_t kKindID = 404;
    // Pictures LoadResources waits for before the game may start.
    static constexpr uint32_t kExpectedImages = 6;

    TransferBattleMobile();
    Sexy::CGameBoard* CreateGame() override;
    void LoadResources() override;
    void UnloadResources() override;

    // The handler of the latest game; null before the first. The board
    // reaches the kernel through it.
    static NNHandler* GetHandler();
};

// The game as it describes itself to the registry (games/registry).
inline constexpr Sexy::GameKindModuleInfo kGameKind{TransferBattleMobile::kKindID,
                                                    "四方神兽",
                                                    "TransferBattle",
                                                    &Sexy::MakeGameKindModule<TransferBattleMobile>,
                                                    nullptr,
                                                    TransferBattleMobile::kExpectedImages};

}  // namespace TransferBattle
