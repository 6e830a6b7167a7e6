// The landlord handler and board over any sequence of server messages and
// player actions: nothing may crash or read past a message, and the hands
// never hold more than twenty cards.
//
// Input: the first byte picks my chair; then records {u8 kind, u16 code,
// u16 size, size bytes}. Kind 0 is a game message (code = sub), 1 a scene
// (code = status), 2 some frames (code), 3 a player action (code).
#include "cocos2d.h"
#include "fuzz/KernelStage.h"
#include "games/Land/LandBoard.h"
#include "games/Land/LandHandler.h"
#include "games/Land/LandMobile.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/GameRoom.h"
#include "games/framework/KernelMessages.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace Sexy;
using namespace cocos2d;

namespace {

CCScene* Setup()
{
    CCScene* scene = fuzzstage::KernelScene();
    RegisterGameKind(Land::kGameKind);
    return scene;
}

void Seat(CBaseKernelLayer* kernel, uint32_t userID, uint16_t chair, uint8_t gender)
{
    tagUserData user;
    std::memset(&user, 0, sizeof(user));
    user.dwUserID = userID;
    user.wTableID = 0;
    user.wChairID = chair;
    user.cbUserStatus = US_SIT;
    user.cbGender = gender;
    const std::vector<uint8_t> message = UserEnterMessage(user);
    kernel->OnChannelMessage(IPC_MAIN_USER, IPC_SUB_USER_ENTER, message.data(), static_cast<uint16_t>(message.size()));
}

void Act(Land::LandBoard* board, uint16_t code)
{
    uint16_t me = 0;
    if (Land::LandHandler* handler = Land::LandMobile::GetHandler())
        me = handler->GetMeChairID();
    const Land::CardList& hand = board->HandSprites(me);
    CardSprite* card = hand.empty() ? nullptr : hand[(code >> 4) % hand.size()];
    switch (code & 0x0F)
    {
        case 0: board->OnCallScoreButton(board->CallButton(code >> 4), 0); break;
        case 1: board->OnPlayButton(nullptr, 0); break;
        case 2: board->OnPassButton(nullptr, 0); break;
        case 3: board->OnHintButton(nullptr, 0); break;
        case 4: board->OnTrusteeButton(nullptr, 0); break;
        case 5: board->OnSortButton(nullptr, 0); break;
        case 6: board->OnPreviousPlaysButton(nullptr, 0); break;
        case 7: board->OnRButtonUp(); break;
        case 8: board->OnLButtonDblClk(); break;
        case 9: board->OnStartButton(nullptr, 0); break;
        case 10:
            if (card != nullptr && card->GetCardListener() != nullptr)
            {
                card->GetCardListener()->OnCardTouchBegan(card);
                card->SetTouchMoveX(card->GetTouchBeginX() + static_cast<float>(code >> 8) - 100);
                card->GetCardListener()->OnCardTouchMoved(card);
                card->GetCardListener()->OnCardTouchEnded(card);
            }
            break;
        case 11: board->OnOutCardTimeout(0); break;
        case 12: board->OnCallTimeout(0); break;
        default: break;
    }
}

void Check(Land::LandBoard* board)
{
    for (uint16_t chair = 0; chair < Land::GAME_PLAYER; ++chair)
        if (board->HandSprites(chair).size() > Land::MAX_COUNT)
            std::abort();
    if (board->MyCardCount() < 0 || board->MyCardCount() > Land::MAX_COUNT || board->ViewCardCount(1) < 0 ||
        board->ViewCardCount(2) < 0)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CCScene* scene = Setup();
    fuzzstage::KernelTable table(scene);
    CBaseKernelLayer* kernel = table.kernel;

    const uint16_t me = size > 0 ? data[0] % 3 : 0;
    fuzzstage::EnterGame(kernel, Land::LandMobile::kKindID, 3, me);
    auto* board = fuzzstage::BoardOf<Land::LandBoard>(kernel);
    Seat(kernel, 1000, me, 0);
    Seat(kernel, 2001, static_cast<uint16_t>((me + 1) % 3), 1);
    Seat(kernel, 2002, static_cast<uint16_t>((me + 2) % 3), 0);
    kernel->OnChannelMessage(IPC_MAIN_CONFIG, IPC_SUB_SHOW_GAME, nullptr, 0);

    fuzzstage::PlayRecords(
        kernel, data, size, 1800, [board](uint16_t code) { Act(board, code); }, [board] { Check(board); });
    CCDirector::sharedDirector()->stepFrames(2);
    return 0;
}
