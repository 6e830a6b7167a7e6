#include "games/OxTB/OxTBMobile.h"

#include "games/OxTB/NNBoard.h"
#include "games/OxTB/NNHandler.h"

namespace OxTB {

OxTBMobile::OxTBMobile() : Bull::CBullModule(kExpectedImages, false) {}

NNHandler* OxTBMobile::s_pHandler = nullptr;

Sexy::CGameBoard* OxTBMobile::CreateGame()
{
    Sexy::ReplaceGameHandler(s_pHandler, new NNHandler());
    return NNBoard::create();
}

}  // namespace OxTB
