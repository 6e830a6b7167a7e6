// Shuang Kou's handler and table under any sequence of server messages,
// passing time and the player's actions: nothing may crash or read past a
// message, and no hand or trick ever holds more than 27 cards.
//
// Input: byte 0 picks my chair; then records {u8 kind, u16 code, u16 size,
// size bytes}: 0 a game message (code = sub), 1 a scene (code = status), 2
// code % 2400 frames, 3 a player action (code).
#include "cocos2d.h"
#include "fuzz/KernelStage.h"
#include "games/ShuangKouHP/HPBoard.h"
#include "games/ShuangKouHP/HPHandler.h"
#include "games/ShuangKouHP/ShuangKouMobile.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/GameRoom.h"
#include "games/framework/KernelMessages.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace Sexy;
using namespace cocos2d;

namespace {

CCScene* Setup()
{
    CCScene* scene = fuzzstage::KernelScene();
    RegisterGameKind(ShuangKouHP::kGameKind);
    return scene;
}

void Act(CBaseKernelLayer* kernel, uint16_t code)
{
    auto* board = dynamic_cast<ShuangKouHP::HPBoard*>(kernel->GetGameBoard());
    if (board == nullptr)
        return;
    const CardList& hand = board->Hand(0);
    const size_t count = std::min(hand.size(), static_cast<size_t>(board->HandCount()));
    CardSprite* card = count > 0 ? hand[(code >> 4) % count] : nullptr;
    switch (code & 0x0F)
    {
        case 0: board->OnPlayButton(nullptr, 0); break;
        case 1: board->OnPassButton(nullptr, 0); break;
        case 2: board->OnLastTrickButton(nullptr, 0); break;
        case 3: board->OnTrusteeButton(nullptr, 0); break;
        case 4: board->OnSortButton(nullptr, 0); break;
        case 5: board->OnRButtonUp(); break;
        case 6: board->OnLButtonDblClk(); break;
        case 7: board->OnStartButton(nullptr, 0); break;
        case 8: board->OnTurnTimeout(0); break;
        case 9: board->ResetGameView(); break;
        case 10:
            if (card != nullptr)
            {
                board->OnCardTouchBegan(card);
                card->SetTouchMoveX(card->GetTouchBeginX() + static_cast<float>(code >> 8) - 100);
                board->OnCardTouchMoved(card);
                board->OnCardTouchEnded(card);
            }
            break;
        default:
            if (card != nullptr)
            {
                board->OnCardTouchBegan(card);
                board->OnCardTouchEnded(card);
            }
            break;
    }
}

void Check(CBaseKernelLayer* kernel)
{
    auto* board = dynamic_cast<ShuangKouHP::HPBoard*>(kernel->GetGameBoard());
    if (board == nullptr)
        return;
    if (board->HandCount() < 0 || board->HandCount() > 27 || board->OtherCount() < 0 || board->OtherCount() > 27)
        std::abort();
    for (uint16_t view = 0; view < 2; ++view)
        if (board->Hand(view).size() > 27 || board->Trick(view).size() > 27)
            std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CCScene* scene = Setup();
    fuzzstage::KernelTable table(scene);
    CBaseKernelLayer* kernel = table.kernel;

    const uint16_t me = size > 0 ? data[0] % 2 : 0;
    fuzzstage::EnterGame(kernel, ShuangKouHP::ShuangKouMobile::kKindID, 2, me);
    fuzzstage::BoardOf<ShuangKouHP::HPBoard>(kernel);
    fuzzstage::Seat(kernel, 1000, 0, me, US_PLAY, 40000);
    fuzzstage::Seat(kernel, 2001, 0, static_cast<uint16_t>(1 - me), US_PLAY, 60000);
    kernel->OnChannelMessage(IPC_MAIN_CONFIG, IPC_SUB_SHOW_GAME, nullptr, 0);

    fuzzstage::PlayRecords(
        kernel, data, size, 2400, [kernel](uint16_t code) { Act(kernel, code); }, [kernel] { Check(kernel); });
    CCDirector::sharedDirector()->stepFrames(2);
    return 0;
}
