// The module object of the two-seat bull game with banker robbing (kind 102):
// its pictures, its handler and its board. The pictures of the three bull
// games and the unloading they share are here.
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace OxEx {

class NNHandler;

class OxExMobile : public Sexy::CGameKindModule
{
public:
    static constexpr uint16_t kKindID = 102;
    // Pictures LoadResources waits for before the game may start.
    static constexpr uint32_t kExpectedImages = 9;

    OxExMobile();
    // A new handler (the one it replaces goes) and its board.
    Sexy::CGameBoard* CreateGame() override;
    void LoadResources() override;
    void UnloadResources() override;

    // The handler of the game entered last; the board reaches it here.
    static NNHandler* GetHandler() { return s_pHandler; }

    // The bull games' counted pictures and frame lists (OxEx counts the
    // number sheet too).
    static const char* const kBullPictures[8];
    static const char* const kBullFrameLists[7];
    // Shared by the three bull modules (102, 27, 28).
    static void UnloadBullResources();

private:
    static NNHandler* s_pHandler;
};

// The game as it describes itself to the registry (games/registry).
inline constexpr Sexy::GameKindModuleInfo kGameKind{
    OxExMobile::kKindID,        "抢庄牛牛", "OxEx", &Sexy::MakeGameKindModule<OxExMobile>, nullptr,
    OxExMobile::kExpectedImages};

}  // namespace OxEx
