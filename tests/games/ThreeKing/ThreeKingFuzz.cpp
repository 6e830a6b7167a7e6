// The San Gong handler and board under any sequence of server messages,
// passing time and presses of the buttons a player can see: nothing may
// crash, read past a message or leave the table's lists out of bounds.
//
// Input: byte 0 picks my chair (and whether I play); then records {u8 kind,
// u16 code, u16 size, size bytes}: 0 a game message (code = sub), 1 a scene
// (code = status), 2 some frames, 3 a press of the button code picks.
#include "cocos2d.h"
#include "fuzz/KernelStage.h"
#include "games/ThreeKing/NNBoard.h"
#include "games/ThreeKing/ThreeKingGame.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/CardSprite.h"
#include "games/framework/GameRoom.h"
#include "games/framework/KernelMessages.h"
#include "games/registry/GameRegistry.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace Sexy;

namespace {

void Press(ThreeKing::NNBoard* board, uint16_t code)
{
    cocos2d::extension::CCControlButton* buttons[] = {
        board->GetRobButton(),  board->GetNoRobButton(), board->GetShowButton(), board->GetMyTypeButton(),
        board->GetBetButton(0), board->GetBetButton(1),  board->GetBetButton(2), board->GetStartButton(),
    };
    cocos2d::extension::CCControlButton* button = buttons[code % (sizeof(buttons) / sizeof(buttons[0]))];
    if (button != nullptr && button->getParent() != nullptr && button->isVisible() && button->isEnabled())
        button->sendActionsForControlEvents(cocos2d::extension::CCControlEventTouchDown);
    if (code & 0x100)
        board->ResetGameView();
}

void Check(ThreeKing::NNBoard* board)
{
    // One sign a hand at most between two resets.
    if (board->GetHandSigns().size() > ThreeKing::NNBoard::kSeats)
        std::abort();
    for (uint16_t chair = 0; chair < ThreeKing::NNBoard::kSeats; ++chair)
        for (int i = 0; i < ThreeKing::NNBoard::kCards; ++i)
            if (board->GetCardSprite(chair, i) == nullptr || board->GetCardSprite(chair, i)->getParent() == nullptr)
                std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    cocos2d::CCScene* scene = fuzzstage::KernelScene();
    if (FindGameKindEntry(ThreeKing::kKindID) == nullptr)
        RegisterGameKind(*games::FindGameKind(ThreeKing::kKindID));
    fuzzstage::KernelTable table(scene);
    CBaseKernelLayer* kernel = table.kernel;

    const uint16_t me = size > 0 ? data[0] % ThreeKing::GAME_PLAYER : 0;
    const uint8_t myStatus = size > 0 && (data[0] & 0x80) ? US_SIT : US_PLAY;
    fuzzstage::EnterGame(kernel, ThreeKing::kKindID, ThreeKing::GAME_PLAYER, me, 3);
    auto* board = fuzzstage::BoardOf<ThreeKing::NNBoard>(kernel);
    fuzzstage::Seat(kernel, 1000, 3, me, myStatus, 128000);
    for (uint16_t chair = 0; chair < ThreeKing::GAME_PLAYER; ++chair)
        if (chair != me && (chair + (size > 1 ? data[1] : 0)) % 5 != 0)
            fuzzstage::Seat(kernel, 2000 + chair, 3, chair, US_PLAY, 50000);
    kernel->OnChannelMessage(IPC_MAIN_CONFIG, IPC_SUB_SHOW_GAME, nullptr, 0);

    fuzzstage::PlayRecords(
        kernel, data, size, 600, [board](uint16_t code) { Press(board, code); }, [board] { Check(board); });
    cocos2d::CCDirector::sharedDirector()->stepFrames(2);
    return 0;
}
