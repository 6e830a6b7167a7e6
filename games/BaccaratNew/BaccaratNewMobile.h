// The module object of baccarat (kind 122): its pictures and sheets, its
// handler and its board.
#pragma once

#include "games/framework/GameKindModule.h"

#include <cstdint>

namespace BaccaratNew {

class BaccaratNewBoard;
class BaccaratNewHandler;

class BaccaratNewMobile : public Sexy::CGameKindModule
{
public:
    static constexpr uint16_t kKindID = 122;
    // Pictures LoadResources waits for before the game may start.
    static constexpr uint32_t kExpectedImages = 5;

    BaccaratNewMobile();
    // A new handler (the one it replaces goes) and its board.
    Sexy::CGameBoard* CreateGame() override;
    void LoadResources() override;
    void UnloadResources() override;

    // The handler of the game entered last, and the board its init set:
    // there is one baccarat table at a time.
    static BaccaratNewHandler* GetHandler() { return s_pHandler; }
    static BaccaratNewBoard* GetBoard() { return s_pBoard; }
    static void SetBoard(BaccaratNewBoard* board) { s_pBoard = board; }

private:
    static BaccaratNewHandler* s_pHandler;
    static BaccaratNewBoard* s_pBoard;
};

// The game as it describes itself to the registry (games/registry).
inline constexpr Sexy::GameKindModuleInfo kGameKind{
    BaccaratNewMobile::kKindID,        "百家乐", "BaccaratNew", &Sexy::MakeGameKindModule<BaccaratNewMobile>, nullptr,
    BaccaratNewMobile::kExpectedImages};

}  // namespace BaccaratNew
