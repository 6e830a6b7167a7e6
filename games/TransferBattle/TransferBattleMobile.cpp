#include "games/TransferBattle/TransferBattleMobile.h"

#include <string>

namespace TransferBattle {

TransferBattleMobile::TransferBattleMobile() : Sexy::CGameKindModule(kExpectedImages) {}

Sexy::CGameBoard* TransferBattleMobile::CreateGame() { return Sexy::CreatePlainGame(); }

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
