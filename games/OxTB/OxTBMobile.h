// The module object of the six-seat bull game without a banker (kind 28):
// its handler and its board; the bull pictures, the number sheet uncounted.
#pragma once

#include "games/BullTable/BullModule.h"

#include <cstdint>

namespace OxTB {

class NNHandler;

class OxTBMobile : public Bull::CBullModule
{
public:
    static constexpr uint16_t kKindID = 28;
    // Pictures LoadResources waits for before the game may start.
    static constexpr uint32_t kExpectedImages = 8;

    OxTBMobile();
    // A new handler (the one it replaces goes) and its board.
    Sexy::CGameBoard* CreateGame() override;

    // The handler of the game entered last; the board reaches it here.
    static NNHandler* GetHandler() { return s_pHandler; }

private:
    static NNHandler* s_pHandler;
};

// The game as it describes itself to the registry (games/registry).
inline constexpr Sexy::GameKindModuleInfo kGameKind{
    OxTBMobile::kKindID,        "通比牛牛", "OxTB", &Sexy::MakeGameKindModule<OxTBMobile>, nullptr,
    OxTBMobile::kExpectedImages};

}  // namespace OxTB
