#include "games/OxNew/OxNewMobile.h"

#include "games/OxNew/NNBoard.h"
#include "games/OxNew/NNHandler.h"

namespace OxNew {

OxNewMobile::OxNewMobile() : Bull::CBullModule(kExpectedImages, false) {}

NNHandler* OxNewMobile::s_pHandler = nullptr;

Sexy::CGameBoard* OxNewMobile::CreateGame()
{
    Sexy::ReplaceGameHandler(s_pHandler, new NNHandler());
    return NNBoard::create();
}

}  // namespace OxNew
