#include "games/OxEx/OxExMobile.h"

#include "games/OxEx/NNBoard.h"
#include "games/OxEx/NNHandler.h"

namespace OxEx {

NNHandler* OxExMobile::s_pHandler = nullptr;

OxExMobile::OxExMobile() : Bull::CBullModule(kExpectedImages, true) {}

Sexy::CGameBoard* OxExMobile::CreateGame()
{
    Sexy::ReplaceGameHandler(s_pHandler, new NNHandler());
    return NNBoard::create();
}

}  // namespace OxEx
