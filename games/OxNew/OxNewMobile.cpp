#include "games/OxNew/OxNewMobile.h"
#include "games/OxEx/OxExMobile.h"
#include "games/OxTB/OxTBMobile.h"

namespace OxNew {

OxNewMobile::OxNewMobile() : Sexy::CGameKindModule(kExpectedImages) {}

Sexy::CGameBoard* OxNewMobile::CreateGame() { return Sexy::CreatePlainGame(); }

void OxNewMobile::LoadResources() { OxTB::OxTBMobile::LoadBullResources(*this); }

void OxNewMobile::UnloadResources() { OxEx::OxExMobile::UnloadBullResources(); }

}  // namespace OxNew
