// The module object of the four-seat bull game with banker robbing (kind
// 27): its handler and its board; the bull pictures, the number sheet
// uncounted.
#pragma once

#include "games/BullTable/BullModule.h"

#include <cstdint>

namespace OxNew {

class NNHandler;

class OxNewMobile : public Bull::CBullModule
{
public:
    static constexpr uint16_t kKindID = 27;
    // Pictures LoadResources waits for before the game may start.
    static constexpr uint32_t kExpectedImages = 8;

    OxNewMobile();
    // A new handler (the one it replaces goes) and its board.
    Sexy::CGameBoard* CreateGame() override;

    // The handler of the game entered last; the board reaches it here.
    static NNHandler* GetHandler() { return s_pHandler; }

private:
    static NNHandler* s_pHandler;
};

// The game as it describes itself to the registry (games/registry).
inline constexpr Sexy::GameKindModuleInfo kGameKind{
    OxNewMobile::kKindID,        "牛牛", "OxNew", &Sexy::MakeGameKindModule<OxNewMobile>, nullptr,
    OxNewMobile::kExpectedImages};

}  // namespace OxNew
