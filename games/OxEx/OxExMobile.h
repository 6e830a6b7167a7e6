// The module object of the two-seat bull game with banker robbing (kind 102):
// its handler and its board; the bull pictures, with the number sheet
// counted (nine).
#pragma once

#include "games/BullTable/BullModule.h"

#include <cstdint>

namespace OxEx {

class NNHandler;

class OxExMobile : public Bull::CBullModule
{
public:
    static constexpr uint16_t kKindID = 102;
    // Pictures LoadResources waits for before the game may start.
    static constexpr uint32_t kExpectedImages = 9;

    OxExMobile();
    // A new handler (the one it replaces goes) and its board.
    Sexy::CGameBoard* CreateGame() override;

    // The handler of the game entered last; the board reaches it here.
    static NNHandler* GetHandler() { return s_pHandler; }

private:
    static NNHandler* s_pHandler;
};

// The game as it describes itself to the registry (games/registry).
inline constexpr Sexy::GameKindModuleInfo kGameKind{
    OxExMobile::kKindID,        "抢庄牛牛", "OxEx", &Sexy::MakeGameKindModule<OxExMobile>, nullptr,
    OxExMobile::kExpectedImages};

}  // namespace OxEx
