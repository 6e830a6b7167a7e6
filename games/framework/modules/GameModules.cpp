#include "games/framework/modules/GameModules.h"

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
#include "games/framework/GameKindModule.h"

#include <new>

namespace Sexy {

namespace {

template <typename Module>
CGameKindModule* Make()
{
    return new (std::nothrow) Module();
}

}  // namespace

void InstallGameModules()
{
    RegisterGameKind(OxEx::OxExMobile::kKindID, &Make<OxEx::OxExMobile>);
    RegisterGameKind(OxNew::OxNewMobile::kKindID, &Make<OxNew::OxNewMobile>);
    RegisterGameKind(OxTB::OxTBMobile::kKindID, &Make<OxTB::OxTBMobile>);
    RegisterGameKind(RedNineBattle::RedNineMobile::kKindID, &Make<RedNineBattle::RedNineMobile>);
    RegisterGameKind(NineXiaoBattle::NineXiaoMobile::kKindID, &Make<NineXiaoBattle::NineXiaoMobile>);
    RegisterGameKind(ShuangKouHP::ShuangKouMobile::kKindID, &Make<ShuangKouHP::ShuangKouMobile>);
    RegisterGameKind(ShowHandANEx::ShowHandANExMobile::kKindID, &Make<ShowHandANEx::ShowHandANExMobile>);
    RegisterGameKind(GoBang::GoBangMobile::kKindID, &Make<GoBang::GoBangMobile>);
    RegisterGameKind(SparrowWZEx::SparrowWZExMobile::kKindID, &Make<SparrowWZEx::SparrowWZExMobile>);
    RegisterGameKind(MaJiang2::MaJiang2Mobile::kKindID, &Make<MaJiang2::MaJiang2Mobile>);
    RegisterGameKind(TransferBattle::TransferBattleMobile::kKindID, &Make<TransferBattle::TransferBattleMobile>);
    RegisterGameKind(BaccaratNew::BaccaratNewMobile::kKindID, &Make<BaccaratNew::BaccaratNewMobile>);
    RegisterGameKind(OxBattle::OxBattleMobile::kKindID, &Make<OxBattle::OxBattleMobile>);
    RegisterGameKind(HorseBattle::HorseBattleMobile::kKindID, &Make<HorseBattle::HorseBattleMobile>);
    RegisterGameKind(Land::LandMobile::kKindID, &Make<Land::LandMobile>);
    RegisterGameKind(DZPoKer::DZPoKerMobile::kKindID, &Make<DZPoKer::DZPoKerMobile>);
    // These two borrow the landlord module for their pictures.
    RegisterGameKind(108, &Make<Land::LandMobile>, &BumperCarBattle::CreateGame);
    RegisterGameKind(9, &Make<Land::LandMobile>, &ThreeKing::CreateGame);
}

}  // namespace Sexy
