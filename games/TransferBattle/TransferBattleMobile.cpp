#include "games/TransferBattle/TransferBattleMobile.h"

#include "games/TransferBattle/NNBoard.h"
#include "games/TransferBattle/NNHandler.h"

#include <string>

namespace TransferBattle {

namespace {

NNHandler* s_pHandler = nullptr;

}  // namespace

TransferBattleMobile::TransferBattleMobile() : Sexy::CGameKindModule(kExpectedImages) {}

NNHandler* TransferBattleMobile::GetHandler() { return s_pHandler; }

Sexy::CGameBoard* TransferBattleMobile::CreateGame()
{
    Sexy::ReplaceGameHandler(s_pHandler, new NNHandler());
    return NNBoard::create();
}

void TransferBattleMobile::LoadResources()
{
    static const char* const kSheets[] = {"TransferBattle/NewUi_1/NewUi0", "TransferBattle/images/jieshudongwu",
                                          "TransferBattle/baihu/bai1hu",   "TransferBattle/qinglong/qing1long",
                                          "TransferBattle/xuanwu/xuan1wu", "TransferBattle/zhuque/zhu1que"};
    for (const char* sheet : kSheets)
    {
        AddFrame((std::string(sheet) + ".plist").c_str());
        RequestImage(sheet);
    }
}

void TransferBattleMobile::UnloadResources()
{
    RemoveFrames({"TransferBattle/NewUi_1/NewUi0.plist", "TransferBattle/images/jieshudongwu.plist",
                  "TransferBattle/baihu/bai1hu.plist", "TransferBattle/qinglong/qing1long.plist",
                  "TransferBattle/xuanwu/xuan1wu.plist", "TransferBattle/zhuque/zhu1que.plist"});
}

}  // namespace TransferBattle
