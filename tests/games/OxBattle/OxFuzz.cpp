// The bull-with-dice handler and board over any sequence of server messages
// and player actions: nothing may crash or read past a message, and the
// table's lists stay within their bounds.
//
// Input: the first byte picks my chair; then records {u8 kind, u16 code,
// u16 size, size bytes}. Kind 0 is a game message (code = sub), 1 a scene
// (code = status), 2 some frames (code), 3 a player action (code).
#include "cocos2d.h"
#include "games/BankerFuzz.h"
#include "games/OxBattle/OXBoard.h"
#include "games/OxBattle/OXHandler.h"
#include "games/OxBattle/OxBattleMobile.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/CardSprite.h"
#include "games/framework/GameRoom.h"
#include "games/framework/KernelMessages.h"
#include "ui/UiServices.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace Sexy;
using namespace cocos2d;
using namespace cocos2d::ui;

namespace {

CCScene* Setup()
{
    CCScene* scene = fuzzstage::KernelScene();
    RegisterGameKind(OxBattle::kGameKind);
    return scene;
}

void Act(OxBattle::OXBoard* board, uint16_t code)
{
    const int which = code >> 4;
    switch (code & 0x0F)
    {
        case 0: board->OnChipButton(board->GetChipButton(which % 8), TOUCH_EVENT_ENDED); break;
        case 1: board->OnAreaTouched(board->GetArea(which % 4 + 1), TOUCH_EVENT_ENDED); break;
        case 2: board->OnApplyBankerButton(nullptr, TOUCH_EVENT_ENDED); break;
        case 3: board->OnCancelBankerButton(nullptr, TOUCH_EVENT_ENDED); break;
        case 4: board->EnableManualOpen(nullptr, TOUCH_EVENT_ENDED); break;
        case 5: board->DisableManualOpen(nullptr, TOUCH_EVENT_ENDED); break;
        case 6: board->OnRecordLeftButton(nullptr, TOUCH_EVENT_ENDED); break;
        case 7: board->OnRecordRightButton(nullptr, TOUCH_EVENT_ENDED); break;
        case 8: board->OnMouseMove(CCPoint(static_cast<float>(which % 1288), static_cast<float>(which % 762))); break;
        case 9: board->OnRButtonUp(); break;
        case 10:
        {
            CardSprite* card = board->GetCard(which % 5, 4);
            if (card != nullptr && card->GetCardListener() != nullptr)
            {
                card->GetCardListener()->OnCardTouchBegan(card);
                card->SetTouchMovePoint(CCPoint(static_cast<float>(which % 200) - 100, 0));
                card->GetCardListener()->OnCardTouchMoved(card);
                card->GetCardListener()->OnCardTouchEnded(card);
            }
            break;
        }
        case 11: board->UpdateChipButtons(static_cast<int64_t>(code) * 1000 - 2000000); break;
        default: break;
    }
}

void Check(OxBattle::OXBoard* board)
{
    if (board->GetRecordMarks(1).size() >= static_cast<size_t>(OxBattle::OXBoard::kRecordsKept) + 200 ||
        board->GetTypeImages().size() > OxBattle::HAND_COUNT)
        std::abort();
    for (int area = 2; area <= OxBattle::AREA_COUNT; ++area)
        if (board->GetRecordMarks(area).size() != board->GetRecordMarks(1).size())
            std::abort();
    const int first = board->GetFirstHand();
    if (first < 0 || first > 6)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CCScene* scene = Setup();
    const uint16_t me = size > 0 ? data[0] % 100 : 0;
    bankfuzz::PlayTable<OxBattle::OXBoard>(scene, OxBattle::OxBattleMobile::kKindID, me, {56000000, 3300000}, data,
                                           size, 1800, Act, Check);
    return 0;
}
