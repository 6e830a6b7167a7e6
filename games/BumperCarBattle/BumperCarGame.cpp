#include "games/BumperCarBattle/BumperCarGame.h"

#include "games/BumperCarBattle/NNBoard.h"
#include "games/BumperCarBattle/NNHandler.h"

namespace BumperCarBattle {

namespace {

NNHandler* s_pHandler = nullptr;

}  // namespace

NNHandler* GetHandler() { return s_pHandler; }

Sexy::CGameBoard* CreateGame()
{
    Sexy::ReplaceGameHandler(s_pHandler, new NNHandler());
    return NNBoard::create();
}

}  // namespace BumperCarBattle
