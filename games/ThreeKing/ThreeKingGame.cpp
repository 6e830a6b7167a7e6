#include "games/ThreeKing/ThreeKingGame.h"

#include "games/ThreeKing/NNBoard.h"
#include "games/ThreeKing/NNHandler.h"

namespace ThreeKing {

namespace {

NNHandler* s_pHandler = nullptr;

}  // namespace

NNHandler* GetHandler() { return s_pHandler; }

Sexy::CGameBoard* CreateGame()
{
    Sexy::ReplaceGameHandler(s_pHandler, new NNHandler());
    return NNBoard::create();
}

}  // namespace ThreeKing
