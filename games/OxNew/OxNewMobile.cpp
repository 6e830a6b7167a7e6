#include "games/OxNew/OxNewMobile.h"

#include "games/OxNew/NNBoard.h"
#include "games/OxNew/NNHandler.h"
#include "games/OxEx/OxExMobile.h"
#include "games/OxTB/OxTBMobile.h"

namespace OxNew {

OxNewMobile::OxNewMobile() : Sexy::CGameKindModule(kExpectedImages) {}

NNHandler* OxNewMobile::s_pHandler = nullptr;

Sexy::CGameBoard* OxNewMobile::CreateGame()
{
    Sexy::ReplaceGameHandler(s_pHandler, new NNHandler());
    return NNBoard::create();
}

void OxNewMobile::LoadResources() { OxTB::OxTBMobile::LoadBullResources(*this); }

void OxNewMobile::UnloadResources() { OxEx::OxExMobile::UnloadBullResources(); }

}  // namespace OxNew
