// The red-nine and little-nine handlers and boards over any sequence of
// server messages and player actions: nothing may crash or read past a
// message, and the table's lists and counters stay within their bounds.
//
// Input: the first byte picks the game (bit 0: red nine or little nine) and
// my chair (the rest); then records {u8 kind, u16 code, u16 size, size
// bytes}. Kind 0 is a game message (code = sub), 1 a scene (code = status),
// 2 some frames (code), 3 a player action (code).
#include "cocos2d.h"
#include "games/BankerFuzz.h"
#include "games/NineXiaoBattle/NineXiaoMobile.h"
#include "games/RedNineBattle/RedNineMobile.h"
#include "games/TwoCardBanker/TwoCardBoard.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/CardSprite.h"
#include "games/framework/GameRoom.h"
#include "games/framework/KernelMessages.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace Sexy;
using namespace cocos2d;
using namespace cocos2d::ui;
using TwoCardBanker::CTwoCardBoard;

namespace {

CCScene* Setup()
{
    CCScene* scene = fuzzstage::KernelScene();
    RegisterGameKind(RedNineBattle::kGameKind);
    RegisterGameKind(NineXiaoBattle::kGameKind);
    return scene;
}

void Act(CTwoCardBoard* board, uint16_t code)
{
    const int which = code >> 4;
    switch (code & 0x0F)
    {
        case 0: board->OnChipButton(board->GetChipButton(which % 7), TOUCH_EVENT_ENDED); break;
        case 1: board->OnAreaTouched(board->GetArea(which % 6 + 1), TOUCH_EVENT_ENDED); break;
        case 2:
            board->OnBankerCheckBox(nullptr,
                                    which % 2 == 0 ? CHECKBOX_STATE_EVENT_SELECTED : CHECKBOX_STATE_EVENT_UNSELECTED);
            break;
        case 3: board->OnManualOpenButton(nullptr, TOUCH_EVENT_ENDED); break;
        case 4: board->OnAutoOpenButton(nullptr, TOUCH_EVENT_ENDED); break;
        case 5: board->OnRecordMoveLeft(nullptr, TOUCH_EVENT_ENDED); break;
        case 6: board->OnRecordMoveRight(nullptr, TOUCH_EVENT_ENDED); break;
        case 7:
            board->OnBankerListScroll(board->GetWidget(which % 2 ? "Button_43" : "Button_44"), TOUCH_EVENT_ENDED);
            break;
        case 8: board->OnMouseMove(CCPoint(static_cast<float>(which % 1288), static_cast<float>(which % 762))); break;
        case 9: board->OnRButtonUp(); break;
        case 10:
        {
            CardSprite* card = board->GetCard(which % 4, 1);
            if (card != nullptr && card->GetCardListener() != nullptr)
            {
                card->GetCardListener()->OnCardTouchBegan(card);
                card->SetTouchMovePoint(
                    CCPoint(static_cast<float>(which % 400) - 200, -static_cast<float>(which % 300)));
                card->GetCardListener()->OnCardTouchMoved(card);
                card->GetCardListener()->OnCardTouchEnded(card);
            }
            break;
        }
        case 11: board->UpdateChipButtons(static_cast<int64_t>(code) * 1000 - 2000000); break;
        case 12: board->PlaceChipsOnArea(static_cast<uint8_t>(which % 8), static_cast<int64_t>(which) * 100050); break;
        case 13: board->ForceOpenAll(); break;
        default: break;
    }
}

void Check(CTwoCardBoard* board)
{
    const int areas = board->Shape().areaCount;
    if (board->GetTableChips().size() > static_cast<size_t>(areas) * CTwoCardBoard::kMostChipsPerArea)
        std::abort();
    if (board->GetOpenIndex() < 0 || board->GetOpenIndex() > TwoCardBanker::HAND_COUNT)
        std::abort();
    if (board->GetDealStartHand() < -1 || board->GetDealStartHand() > 3)
        std::abort();
    if (board->GetRecordList() != nullptr &&
        static_cast<int>(board->GetRecordList()->getItems()->count()) < board->GetRecordCount())
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CCScene* scene = Setup();
    const uint8_t first = size > 0 ? data[0] : 0;
    const uint16_t kind =
        (first & 1) == 0 ? RedNineBattle::RedNineMobile::kKindID : NineXiaoBattle::NineXiaoMobile::kKindID;
    const uint16_t me = static_cast<uint16_t>((first >> 1) % 100);
    bankfuzz::PlayTable<CTwoCardBoard>(scene, kind, me, {56000000, 3300000}, data, size, 1800, Act, Check);
    return 0;
}
