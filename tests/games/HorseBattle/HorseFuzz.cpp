// The horse race's handler and board over any sequence of server messages
// and player actions: nothing may crash or read past a message, and the
// board's race and history stay within their bounds.
//
// Input: the first byte picks my chair; then records {u8 kind, u16 code,
// u16 size, size bytes}. Kind 0 is a game message (code = sub), 1 a scene
// (code = status), 2 some frames (code), 3 a player action (code).
#include "cocos2d.h"
#include "games/BankerFuzz.h"
#include "games/HorseBattle/HorseBattleMobile.h"
#include "games/HorseBattle/PaoMaBoard.h"
#include "games/HorseBattle/PaoMaHandler.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/GameRoom.h"
#include "games/framework/KernelMessages.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace Sexy;
using namespace cocos2d;
using namespace cocos2d::ui;
using HorseBattle::PaoMaBoard;

namespace {

CCScene* Setup()
{
    CCScene* scene = fuzzstage::KernelScene();
    RegisterGameKind(HorseBattle::kGameKind);
    return scene;
}

void Act(PaoMaBoard* board, uint16_t code)
{
    const int which = code >> 4;
    const TouchEventType type = (which & 1) != 0 ? TOUCH_EVENT_ENDED : TOUCH_EVENT_BEGAN;
    switch (code & 0x0F)
    {
        case 0: board->OnTouchEvent(board->GetAreaButton(which % HorseBattle::AREA_COUNT), type); break;
        case 1: board->OnTouchEvent(board->GetWidgetByTag(PaoMaBoard::kChipTag), TOUCH_EVENT_BEGAN); break;
        case 2: board->OnTouchEvent(board->GetWidgetByTag(PaoMaBoard::kHistoryTag), TOUCH_EVENT_BEGAN); break;
        case 3: board->OnTouchEvent(board->GetWidgetByTag(PaoMaBoard::kHelpTag), TOUCH_EVENT_BEGAN); break;
        case 4: board->OnResultClose(nullptr, TOUCH_EVENT_ENDED); break;
        case 5: board->ShowResult(); break;
        case 6: board->RefreshHistory(); break;
        case 7: board->ResetGameView(); break;
        default: break;
    }
}

void Check(PaoMaBoard* board)
{
    if (board->GetHistory().size() > 64 || board->GetFirstHorse() > HorseBattle::NO_HORSE ||
        board->GetSecondHorse() > HorseBattle::NO_HORSE)
        std::abort();
    for (int h = 0; h < HorseBattle::HORSE_COUNT; ++h)
    {
        if (board->GetStepIndex(h) < 0 || board->GetStepIndex(h) >= HorseBattle::kPathSteps)
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CCScene* scene = Setup();
    const uint16_t me = size > 0 ? data[0] % 100 : 0;
    bankfuzz::PlayTable<PaoMaBoard>(scene, HorseBattle::HorseBattleMobile::kKindID, me, {56000000, 3300000}, data, size,
                                    1800, Act, Check);
    return 0;
}
