// The car-brand handler and board over any sequence of server messages and
// player actions: nothing may crash or read past a message, the win counts
// stay the counts of the classes, and the chip piles stay within their cap.
//
// Input: the first byte picks my chair; then records {u8 kind, u16 code,
// u16 size, size bytes}. Kind 0 is a game message (code = sub), 1 a scene
// (code = status), 2 some frames (code), 3 a player action (code).
#include "cocos2d.h"
#include "games/BankerFuzz.h"
#include "games/BumperCarBattle/BumperCarGame.h"
#include "games/BumperCarBattle/NNBoard.h"
#include "games/BumperCarBattle/NNHandler.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/GameRoom.h"
#include "games/framework/KernelMessages.h"
#include "games/registry/GameRegistry.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace Sexy;
using namespace cocos2d;
using namespace cocos2d::ui;
using namespace BumperCarBattle;

namespace {

CCScene* Setup()
{
    CCScene* scene = fuzzstage::KernelScene();
    static bool installed = false;
    if (!installed)
    {
        games::InstallGameKinds();
        installed = true;
    }
    return scene;
}

void Touch(int phase, const CCPoint& at)
{
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    int id = 0;
    float xs[] = {at.x};
    float ys[] = {762 - at.y};
    if (phase == 0)
        view->handleTouchesBegin(1, &id, xs, ys);
    else if (phase == 1)
        view->handleTouchesMove(1, &id, xs, ys);
    else
        view->handleTouchesEnd(1, &id, xs, ys);
}

void Act(NNBoard* board, uint16_t code)
{
    const int which = code >> 4;
    switch (code & 0x0F)
    {
        case 0: board->OnChipButton(board->GetChipButton(which % 6), TOUCH_EVENT_ENDED); break;
        case 1: board->OnAreaButtonTouch(board->GetAreaButton(which % 8 + 1), TOUCH_EVENT_BEGAN); break;
        case 2: board->OnApplyBankerButton(nullptr, TOUCH_EVENT_BEGAN); break;
        case 3: board->OnCancelBankerButton(nullptr, TOUCH_EVENT_BEGAN); break;
        case 4: board->OnHistoryLeft(nullptr, TOUCH_EVENT_BEGAN); break;
        case 5: board->OnHistoryRight(nullptr, TOUCH_EVENT_BEGAN); break;
        case 6: board->OnMouseMove(CCPoint(static_cast<float>(which % 1288), static_cast<float>(which % 762))); break;
        case 7: board->OnRButtonUp(); break;
        case 8:
        {
            // A drag from the table's corner to a point of the window.
            const CCPoint to(static_cast<float>((which * 37) % 1288), static_cast<float>((which * 11) % 762));
            Touch(0, CCPoint(20, 700));
            Touch(1, to);
            Touch(2, to);
            break;
        }
        case 9: board->UpdateChipButtons((which & 1) != 0); break;
        case 10: board->StepTrackLight(nullptr); break;
        case 11: board->LightTrackUnderCar(0); break;
        default: break;
    }
}

void Check(NNBoard* board)
{
    for (int area = 1; area <= AREA_COUNT; ++area)
    {
        if (board->GetChipPile().CountOn(area) > NNBoard::kMostChipsPerArea)
            std::abort();
    }
    const int slot = board->GetCarSlot();
    if (slot < 1 || slot > TRACK_SLOTS)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CCScene* scene = Setup();
    const uint16_t me = size > 0 ? data[0] % 100 : 0;
    bankfuzz::PlayTable<NNBoard>(scene, kKindID, me, {56000000, 3300000}, data, size, 1800, Act, Check);
    return 0;
}
