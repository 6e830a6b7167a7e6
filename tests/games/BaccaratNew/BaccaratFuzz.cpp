// The baccarat handler and board under any sequence of server messages,
// passing time and the player's clicks: nothing may crash, read past a
// message or leave the table's piles, queue and records past their bounds.
//
// Input: byte 0 picks my chair; then records {u8 kind, u16 code, u16 size,
// size bytes}: 0 a game message (code = sub), 1 a scene (code = status),
// 2 some frames, 3 a player action picked by code.
#include "cocos2d.h"
#include "games/BankerFuzz.h"
#include "games/BaccaratNew/BaccaratNewBoard.h"
#include "games/BaccaratNew/BaccaratNewMobile.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/GameRoom.h"
#include "games/framework/KernelMessages.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace Sexy;
using namespace cocos2d;
using namespace cocos2d::ui;
using BaccaratNew::BaccaratNewBoard;

namespace {

void Act(BaccaratNewBoard* board, uint16_t code)
{
    const int which = code >> 4;
    static const char* const kButtons[] = {"BT_APPLY_BANKER_01", "BT_CANCEL_APPLY_01", "Button_Left",
                                           "Button_Right",       "Button_CHART",       "Button_CHART_CLOSE",
                                           "Button_Top"};
    switch (code & 0x0F)
    {
        case 0:
            if (Widget* chip = board->GetChipButton(which % BaccaratNewBoard::kChipCount))
                board->OnWidgetTouch(chip, TOUCH_EVENT_BEGAN);
            break;
        case 1:
            if (Widget* area = board->GetAreaButton(which % 8))
                board->OnWidgetTouch(area, TOUCH_EVENT_BEGAN);
            break;
        case 2:
            if (Widget* button = board->GetWidget(kButtons[which % 7]))
                board->OnWidgetTouch(button, TOUCH_EVENT_BEGAN);
            break;
        case 3: board->OnMouseMove(CCPoint(static_cast<float>(which % 1288), static_cast<float>(which % 762))); break;
        case 4: board->OnRButtonUp(); break;
        case 5: board->ApplyBanker((which & 1) != 0); break;
        default: break;
    }
}

void Check(BaccaratNewBoard* board)
{
    for (int area = 0; area < 8; ++area)
        if (board->GetChipCount(area) + board->GetPendingChips(area).size() > BaccaratNewBoard::kMostChipsPerArea)
            std::abort();
    if (board->GetRecords().size() > BaccaratNewBoard::kRecordCycle ||
        board->GetRoads().GetHistoryCount() > BaccaratNewBoard::kRecordCycle)
        std::abort();
    if (board->GetDealt(BaccaratNew::SIDE_XIAN).size() > 3 || board->GetDealt(BaccaratNew::SIDE_ZHUANG).size() > 3)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CCScene* scene = fuzzstage::KernelScene();
    if (FindGameKindEntry(BaccaratNew::BaccaratNewMobile::kKindID) == nullptr)
        RegisterGameKind(BaccaratNew::kGameKind);
    const uint16_t me = size > 0 ? data[0] % 100 : 0;
    bankfuzz::PlayTable<BaccaratNewBoard>(scene, BaccaratNew::BaccaratNewMobile::kKindID, me,
                                          {3000000, 6000000, 9000000, 12000000}, data, size, 900, Act, Check);
    return 0;
}
