// The module object of the six-seat bull game without a banker (kind 28):
// its pictures (the loading OxNew shares), its handler and its board.
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace OxTB {

class NNHandler;

class OxTBMobile : public Sexy::CGameKindModule
{
public:
    static constexpr uint16_t kKindID = 28;
    // Pictures LoadResources waits for before the game may start.
    static constexpr uint32_t kExpectedImages = 8;

    OxTBMobile();
    // A new handler (the one it replaces goes) and its board.
    Sexy::CGameBoard* CreateGame() override;
    void LoadResources() override;
    void UnloadResources() override;

    // The handler of the game entered last; the board reaches it here.
    static NNHandler* GetHandler() { return s_pHandler; }
    // Shared with OxNew (kind 27): eight counted pictures, the number sheet
    // uncounted, then the frames.
    static void LoadBullResources(Sexy::CGameKindModule& module);

private:
    static NNHandler* s_pHandler;
};

// The game as it describes itself to the registry (games/registry).
inline constexpr Sexy::GameKindModuleInfo kGameKind{
    OxTBMobile::kKindID,        "通比牛牛", "OxTB", &Sexy::MakeGameKindModule<OxTBMobile>, nullptr,
    OxTBMobile::kExpectedImages};

}  // namespace OxTB
