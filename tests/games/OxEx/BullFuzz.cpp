// The three bull games' handlers and boards under any sequence of server
// messages, passing time and clicks on the buttons a player can see: nothing
// may crash, read past a message or leave the table unusable.
//
// Input: byte 0 picks the game (102, 27 or 28) and my chair; then records
// {u8 op, u16 id, u16 size, size bytes} until the input ends. op % 4:
// 0 a game message (sub id), 1 a scene (status id), 2 id % 300 frames of
// time, 3 a click on the visible button id picks.
#include "cocos2d.h"
#include "fuzz/KernelStage.h"
#include "games/OxEx/NNBoard.h"
#include "games/OxEx/OxExMobile.h"
#include "games/OxNew/OxNewMobile.h"
#include "games/OxTB/OxTBMobile.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/GameRoom.h"
#include "games/framework/KernelMessages.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace Sexy;

namespace {

cocos2d::CCScene* Setup()
{
    static cocos2d::CCScene* scene = nullptr;
    if (scene != nullptr)
        return scene;
    fuzzstage::PrepareUi();
    cocos2d::CCDirector* director = cocos2d::CCDirector::sharedDirector();
    scene = cocos2d::CCScene::create();
    scene->retain();
    director->runWithScene(scene);
    director->stepFrames(1);
    RegisterGameKind(OxEx::kGameKind);
    RegisterGameKind(OxNew::kGameKind);
    RegisterGameKind(OxTB::kGameKind);
    return scene;
}

void Enter(CBaseKernelLayer* kernel, uint32_t userID, uint16_t chair)
{
    tagUserData user;
    std::memset(&user, 0, sizeof(user));
    user.dwUserID = userID;
    user.dwGameID = userID + 500000;
    user.wTableID = 3;
    user.wChairID = chair;
    user.cbUserStatus = US_PLAY;
    user.cbGender = static_cast<uint8_t>(chair & 1);
    const std::vector<uint8_t> message = UserEnterMessage(user);
    kernel->OnChannelMessage(IPC_MAIN_USER, IPC_SUB_USER_ENTER, message.data(), static_cast<uint16_t>(message.size()));
}

void RunFrames(int frames)
{
    cocos2d::CCScheduler* scheduler = cocos2d::CCDirector::sharedDirector()->getScheduler();
    for (int i = 0; i < frames; ++i)
        scheduler->update(1.0f / 60);
}

// The visible, enabled button that id picks, pressed.
void Click(Bull::CBullBoard* board, uint16_t id)
{
    cocos2d::extension::CCControlButton* buttons[] = {
        board->GetRobButton(),  board->GetNoRobButton(), board->GetOpenButton(),
        board->GetHintButton(), board->GetBetButton(0),  board->GetBetButton(1),
        board->GetBetButton(2), board->GetBetButton(3),  board->GetStartButton(),
    };
    cocos2d::extension::CCControlButton* button = buttons[id % (sizeof(buttons) / sizeof(buttons[0]))];
    if (button != nullptr && button->getParent() != nullptr && button->isVisible() && button->isEnabled())
        button->sendActionsForControlEvents(cocos2d::extension::CCControlEventTouchDown);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    cocos2d::CCScene* scene = Setup();
    fuzzstage::KernelTable table(scene);
    CBaseKernelLayer* kernel = table.kernel;

    static const uint16_t kKinds[3] = {OxEx::OxExMobile::kKindID, OxNew::OxNewMobile::kKindID,
                                       OxTB::OxTBMobile::kKindID};
    static const uint16_t kChairs[3] = {2, 4, 6};
    const int game = size > 0 ? data[0] % 3 : 0;
    const uint16_t chairs = kChairs[game];
    const uint16_t me = size > 0 ? static_cast<uint16_t>((data[0] / 3) % chairs) : 0;
    fuzzstage::EnterGame(kernel, kKinds[game], chairs, 0, 3);
    Enter(kernel, 1000, me);
    for (uint16_t chair = 0; chair < chairs; ++chair)
        if (chair != me)
            Enter(kernel, 2000 + chair, chair);
    kernel->OnChannelMessage(IPC_MAIN_CONFIG, IPC_SUB_SHOW_GAME);

    size_t at = 1;
    while (at + 5 <= size)
    {
        const uint8_t op = data[at] % 4;
        uint16_t id, length;
        std::memcpy(&id, data + at + 1, 2);
        std::memcpy(&length, data + at + 3, 2);
        at += 5;
        if (length > size - at)
            length = static_cast<uint16_t>(size - at);
        // The messages go over as copies of exactly their bytes, so reading
        // past one is caught.
        const uint8_t* body = data + at;
        at += length;
        auto* board = dynamic_cast<Bull::CBullBoard*>(kernel->GetGameBoard());
        switch (op)
        {
            case 0: fuzzstage::Packet(kernel, MDM_GF_GAME, id, body, length); break;
            case 1:
            {
                const uint8_t status[2] = {static_cast<uint8_t>(id), 0};
                fuzzstage::Packet(kernel, MDM_GF_FRAME, SUB_GF_GAME_STATUS, status, 2);
                fuzzstage::Packet(kernel, MDM_GF_FRAME, SUB_GF_SCENE, body, length);
                break;
            }
            case 2: RunFrames(id % 300); break;
            default:
                if (board != nullptr)
                    Click(board, id);
                break;
        }
    }
    RunFrames(120);
    cocos2d::CCDirector::sharedDirector()->stepFrames(1);
    return 0;
}
