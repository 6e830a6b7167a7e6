#include "games/registry/GameRegistry.h"

#include "games/BaccaratNew/BaccaratNewMobile.h"
#include "games/BumperCarBattle/BumperCarGame.h"
#include "games/DZPoKer/DZPoKerMobile.h"
#include "games/GoBang/GoBangMobile.h"
#include "games/HorseBattle/HorseBattleMobile.h"
#include "games/Land/LandMobile.h"
#include "games/MaJiang2/MaJiang2Mobile.h"
#include "games/NineXiaoBattle/NineXiaoMobile.h"
#include "games/OxBattle/OxBattleMobile.h"
#include "games/OxEx/OxExMobile.h"
#include "games/OxNew/OxNewMobile.h"
#include "games/OxTB/OxTBMobile.h"
#include "games/RedNineBattle/RedNineMobile.h"
#include "games/ShowHandANEx/ShowHandANExMobile.h"
#include "games/ShuangKouHP/ShuangKouMobile.h"
#include "games/SparrowWZEx/SparrowWZExMobile.h"
#include "games/ThreeKing/ThreeKingGame.h"
#include "games/TransferBattle/TransferBattleMobile.h"

namespace games {

namespace {

// A kind without a module object of its own loads and unloads through the
// lender's, a new one on every load.
constexpr Sexy::GameKindModuleInfo Borrowing(Sexy::GameKindModuleInfo kind, const Sexy::GameKindModuleInfo& lender)
{
    kind.makeModule = lender.makeModule;
    kind.dwExpectedImages = lender.dwExpectedImages;
    return kind;
}

constexpr Sexy::GameKindModuleInfo kKinds[] = {
    OxEx::kGameKind,
    OxNew::kGameKind,
    OxTB::kGameKind,
    RedNineBattle::kGameKind,
    NineXiaoBattle::kGameKind,
    ShuangKouHP::kGameKind,
    ShowHandANEx::kGameKind,
    GoBang::kGameKind,
    SparrowWZEx::kGameKind,
    MaJiang2::kGameKind,
    TransferBattle::kGameKind,
    BaccaratNew::kGameKind,
    OxBattle::kGameKind,
    HorseBattle::kGameKind,
    Land::kGameKind,
    DZPoKer::kGameKind,
    Borrowing(BumperCarBattle::kGameKind, Land::kGameKind),
    Borrowing(ThreeKing::kGameKind, Land::kGameKind),
};

}  // namespace

const Sexy::GameKindModuleInfo* GetGameKinds(size_t& count)
{
    count = sizeof(kKinds) / sizeof(kKinds[0]);
    return kKinds;
}

const Sexy::GameKindModuleInfo* FindGameKind(uint16_t kindID)
{
    for (const Sexy::GameKindModuleInfo& kind : kKinds)
        if (kind.wKindID == kindID)
            return &kind;
    return nullptr;
}

void InstallGameKinds()
{
    for (const Sexy::GameKindModuleInfo& kind : kKinds)
        Sexy::RegisterGameKind(kind);
}

}  // namespace games
