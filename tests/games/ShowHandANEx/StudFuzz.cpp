// Five-card stud's handler and table under any sequence of server messages,
// passing time and presses of the buttons a player can see: nothing may
// crash or read past a message, and no hand holds more than five cards.
//
// Input: byte 0 picks my chair; then records {u8 kind, u16 code, u16 size,
// size bytes}: 0 a game message (code = sub), 1 a scene (code = status), 2
// code % 1800 frames, 3 a player action (code).
#include "cocos2d.h"
#include "fuzz/KernelStage.h"
#include "games/ShowHandANEx/NNBoard.h"
#include "games/ShowHandANEx/NNHandler.h"
#include "games/ShowHandANEx/ShowHandANExMobile.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/GameRoom.h"
#include "games/framework/KernelMessages.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace Sexy;
using namespace cocos2d;
using namespace cocos2d::extension;

namespace {

CCScene* Setup()
{
    CCScene* scene = fuzzstage::KernelScene();
    RegisterGameKind(ShowHandANEx::kGameKind);
    return scene;
}

void Press(CCControlButton* button)
{
    if (button != nullptr && button->getParent() != nullptr && button->isVisible() && button->isEnabled())
        button->sendActionsForControlEvents(CCControlEventTouchDown);
}

void Act(CBaseKernelLayer* kernel, uint16_t code)
{
    auto* board = dynamic_cast<ShowHandANEx::NNBoard*>(kernel->GetGameBoard());
    if (board == nullptr)
        return;
    switch (code % 10)
    {
        case 0:
        case 1:
        case 2: Press(board->RaiseButton(code % 10)); break;
        case 3: Press(board->FollowButton()); break;
        case 4: Press(board->ShowHandButton()); break;
        case 5: Press(board->GiveUpButton()); break;
        case 6: board->OnStartButton(nullptr, 0); break;
        case 7:
            if (Sexy::CardSprite* hole = board->GetCardSprite(0, 0))
            {
                board->OnCardTouchBegan(hole);
                board->OnCardTouchEnded(hole);
            }
            break;
        case 8: board->ResetGameView(); break;
        default: board->ResetGameViewEx(); break;
    }
}

void Check(CBaseKernelLayer* kernel)
{
    auto* board = dynamic_cast<ShowHandANEx::NNBoard*>(kernel->GetGameBoard());
    if (board != nullptr && (board->CountMyVisibleCards() < 0 || board->CountMyVisibleCards() > 5))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CCScene* scene = Setup();
    fuzzstage::KernelTable table(scene);
    CBaseKernelLayer* kernel = table.kernel;

    const uint16_t me = size > 0 ? data[0] % 2 : 0;
    fuzzstage::EnterGame(kernel, ShowHandANEx::ShowHandANExMobile::kKindID, 2, me);
    fuzzstage::BoardOf<ShowHandANEx::NNBoard>(kernel);
    fuzzstage::Seat(kernel, 1000, 0, me, US_PLAY, 50000);
    fuzzstage::Seat(kernel, 2001, 0, static_cast<uint16_t>(1 - me), US_PLAY, 80000);
    kernel->OnChannelMessage(IPC_MAIN_CONFIG, IPC_SUB_SHOW_GAME, nullptr, 0);

    fuzzstage::PlayRecords(
        kernel, data, size, 1800, [kernel](uint16_t code) { Act(kernel, code); }, [kernel] { Check(kernel); });
    CCDirector::sharedDirector()->stepFrames(2);
    return 0;
}
