// The four-beast wheel's handler and board over any sequence of server
// messages and player actions: nothing may crash or read past a message, and
// the board's figures stay within their bounds.
//
// Input: the first byte picks my chair; then records {u8 kind, u16 code,
// u16 size, size bytes}. Kind 0 is a game message (code = sub), 1 a scene
// (code = status), 2 some frames (code), 3 a player action (code).
#include "cocos2d.h"
#include "games/BankerFuzz.h"
#include "games/TransferBattle/NNBoard.h"
#include "games/TransferBattle/NNHandler.h"
#include "games/TransferBattle/TransferBattleMobile.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/GameRoom.h"
#include "games/framework/KernelMessages.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace Sexy;
using namespace cocos2d;
using namespace cocos2d::ui;
using TransferBattle::NNBoard;

namespace {

CCScene* Setup()
{
    CCScene* scene = fuzzstage::KernelScene();
    RegisterGameKind(TransferBattle::kGameKind);
    return scene;
}

void Act(NNBoard* board, uint16_t code)
{
    const int which = code >> 4;
    switch (code & 0x0F)
    {
        case 0: board->OnChipButton(board->GetChipButton(which % NNBoard::kChipButtons), TOUCH_EVENT_ENDED); break;
        case 1: board->OnBetArea(board->GetArea(which % TransferBattle::AREA_COUNT + 1), TOUCH_EVENT_BEGAN); break;
        case 2: board->OnApplyBankerButton(nullptr, TOUCH_EVENT_BEGAN); break;
        case 3: board->OnCancelBankerButton(nullptr, TOUCH_EVENT_BEGAN); break;
        case 4: board->OnRecordScrollBack(nullptr, TOUCH_EVENT_ENDED); break;
        case 5: board->OnRecordScrollForward(nullptr, TOUCH_EVENT_ENDED); break;
        case 6: board->OnRButtonUp(); break;
        case 7: board->UpdateChipButtons(static_cast<int64_t>(code) * 1000 - 2000000); break;
        case 8: board->ShowScoreView(0); break;
        default: break;
    }
}

void Check(NNBoard* board)
{
    const int stop = board->GetStopPoint();
    if (stop < 0 || stop >= TransferBattle::WHEEL_POINTS || board->GetCountdown() < 0)
        std::abort();
    if (board->GetRecordList() != nullptr &&
        static_cast<int>(board->GetRecordList()->getItems()->count()) < board->GetRecordCount())
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CCScene* scene = Setup();
    const uint16_t me = size > 0 ? data[0] % 100 : 0;
    bankfuzz::PlayTable<NNBoard>(scene, TransferBattle::TransferBattleMobile::kKindID, me, {56000000, 3300000}, data,
                                 size, 1800, Act, Check);
    return 0;
}
