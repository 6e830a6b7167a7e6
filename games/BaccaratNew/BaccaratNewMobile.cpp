#include "games/BaccaratNew/BaccaratNewMobile.h"

#include "games/BaccaratNew/BaccaratNewBoard.h"
#include "games/BaccaratNew/BaccaratNewHandler.h"

namespace BaccaratNew {

BaccaratNewHandler* BaccaratNewMobile::s_pHandler = nullptr;
BaccaratNewBoard* BaccaratNewMobile::s_pBoard = nullptr;

BaccaratNewMobile::BaccaratNewMobile() : Sexy::CGameKindModule(kExpectedImages) {}

Sexy::CGameBoard* BaccaratNewMobile::CreateGame()
{
    Sexy::ReplaceGameHandler(s_pHandler, new BaccaratNewHandler());
    return BaccaratNewBoard::create();
}

void BaccaratNewMobile::LoadResources()
{
    RequestImages({"ClientGame/Cards", "BaccaratNew/UI/BaccaratNew-PC/NewUi0", "BaccaratNew/UI/BaccaratNew-PC/NewUi1",
                   "BaccaratNew/UI/GameEndAnimation/GameEndAnimation0", "BaccaratNew/BG"});
    AddFrames({"ClientGame/Cards.plist", "BaccaratNew/UI/BaccaratNew-PC/NewUi0.plist",
               "BaccaratNew/UI/BaccaratNew-PC/NewUi1.plist",
               "BaccaratNew/UI/GameEndAnimation/GameEndAnimation0.plist"});
}

void BaccaratNewMobile::UnloadResources()
{
    RemoveFrames({"BaccaratNew/UI/BaccaratNew-PC/NewUi0.plist", "BaccaratNew/UI/BaccaratNew-PC/NewUi1.plist",
                  "ClientGame/Cards.plist", "BaccaratNew/UI/GameEndAnimation/GameEndAnimation0.plist"});
}

}  // namespace BaccaratNew
