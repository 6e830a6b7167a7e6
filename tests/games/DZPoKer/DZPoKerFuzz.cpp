// Any bytes from the server reach the hold'em handler and its table: game
// messages, scenes and time passing, in any order, with my own buttons
// pressed in between. Nothing may crash or read past a message, and the
// table's piles stay on the table.
//
// Input: the first byte picks my chair; then records {u8 what, u16 code,
// u16 size, size bytes} until the input ends. what % 4: 0 a game message
// (code = sub), 1 a scene (code = game status), 2 frames pass (code % 400 of
// them), 3 one of my actions (code % 6: give up, pass, follow, add of kind
// code / 6, all in, the add button).
#include "cocos2d.h"
#include "fuzz/KernelStage.h"
#include "games/DZPoKer/DZPoKerBoard.h"
#include "games/DZPoKer/DZPoKerHandler.h"
#include "games/DZPoKer/DZPoKerMobile.h"
#include "games/DZPoKer/DZPokerColorChip.h"
#include "games/DZPoKer/MoveChipAnimation.h"
#include "games/framework/GameKindModule.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace Sexy;
using namespace fuzzstage;

namespace {

void MyAction(DZPoKer::DZPoKerBoard* board, uint16_t code)
{
    DZPoKer::DZPoKerHandler* handler = DZPoKer::DZPoKerMobile::GetHandler();
    if (handler == nullptr)
        return;
    switch (code % 6)
    {
        case 0: handler->OnGiveUp(); break;
        case 1: handler->OnPass(); break;
        case 2: handler->OnFollow(); break;
        case 3: handler->OnAddScore(code / 6); break;
        case 4: handler->OnAllIn(); break;
        default:
            if (cocos2d::ui::Button* add = board->GetActionButton(DZPoKer::DZPoKerBoard::kAddButton))
                board->OnActionButton(add, cocos2d::ui::TOUCH_EVENT_ENDED);
            break;
    }
}

// Chips fly to seats and piles; none may pile up past what a hand can bet.
void Check(DZPoKer::DZPoKerBoard* board)
{
    for (uint16_t view = 0; view < DZPoKer::GAME_PLAYER; ++view)
    {
        if (board->GetChipLayer()->GetPile(view).size() > 10000)
            std::abort();
    }
    if (board->GetPotCount() > DZPoKer::MAX_POT_COUNT)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    cocos2d::CCScene* scene = KernelScene();
    RegisterGameKind(DZPoKer::kGameKind);
    fuzzstage::KernelTable table(scene);
    CBaseKernelLayer* kernel = table.kernel;

    const uint16_t me = size > 0 ? data[0] % DZPoKer::GAME_PLAYER : 2;
    GameServerConfig config;
    std::memset(&config, 0, sizeof(config));
    config.wTableID = 3;
    config.dwUserID = 1000;
    config.wKindID = DZPoKer::DZPoKerMobile::kKindID;
    config.wChairCount = DZPoKer::GAME_PLAYER;
    kernel->OnChannelMessage(IPC_MAIN_CONFIG, IPC_SUB_SERVER_INFO, &config, sizeof(config));
    std::vector<uint8_t> kind(kGameKindRecordSize, 0);
    std::memcpy(kind.data() + 6, &config.wKindID, 2);
    kernel->LoadGameResources(kind.data());
    cocos2d::CCTextureCache::sharedTextureCache()->waitForAsync();
    cocos2d::CCDirector::sharedDirector()->stepFrames(1);
    kernel->EnterGame(kind.data());
    auto* board = fuzzstage::BoardOf<DZPoKer::DZPoKerBoard>(kernel);
    for (uint16_t chair = 0; chair < DZPoKer::GAME_PLAYER; ++chair)
        Seat(kernel, chair == me ? 1000 : 2000 + chair, 3, chair, US_PLAY, 100000);
    kernel->OnChannelMessage(IPC_MAIN_CONFIG, IPC_SUB_SHOW_GAME, nullptr, 0);

    cocos2d::CCDirector* director = cocos2d::CCDirector::sharedDirector();
    fuzzstage::PlayRecords(
        kernel, data, size, 400, [board](uint16_t code) { MyAction(board, code); }, [board] { Check(board); });
    // Whatever was waiting runs: delayed buttons, flights, the pot's payment.
    director->stepFrames(420);
    return 0;
}
