// The kernel's channel entry over any sequence of messages: nothing may
// crash or read past a message, and the seats stay consistent (no user on
// two chairs, nobody beyond the chair count or the hundred seats, my record
// on my chair).
//
// Input: the first byte picks the chair count; then records
// {u8 main, u16 sub, u16 size, size bytes} until the input ends.
#include "cocos2d.h"
#include "fuzz/GameRoomStage.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/GameBoard.h"
#include "games/framework/GameKindModule.h"
#include "games/framework/GameRoom.h"
#include "ui/WindyTopLayer.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <vector>

using namespace Sexy;

namespace {

class PlainModule : public CGameKindModule
{
public:
    PlainModule() : CGameKindModule(0) {}
    static CGameKindModule* Make() { return new PlainModule(); }
    CGameBoard* CreateGame() override { return CreatePlainGame(); }
    void LoadResources() override {}
    void UnloadResources() override {}
};

cocos2d::CCScene* Setup()
{
    static cocos2d::CCScene* scene = nullptr;
    if (scene != nullptr)
        return scene;
    cocos2d::CCDirector::setHeadless(true);
    cocos2d::CCDirector* director = cocos2d::CCDirector::sharedDirector();
    cocos2d::CCEGLView* view = cocos2d::CCEGLView::sharedOpenGLView();
    director->setOpenGLView(view);
    view->setFrameSize(1288, 762);
    view->setDesignResolutionSize(1288, 762, cocos2d::kResolutionFixedWidth);
    scene = cocos2d::CCScene::create();
    scene->retain();
    director->runWithScene(scene);
    director->stepFrames(1);
    RegisterGameKind(200, &PlainModule::Make);
    return scene;
}

void CheckSeats(CBaseKernelLayer* kernel)
{
    const uint16_t chairs = kernel->GetChairCount();
    std::set<uint32_t> seated;
    for (uint32_t chair = 0; chair < 0x10000; chair += (chair < 256 ? 1 : 997))
    {
        tagUserData* user = kernel->GetTableUserData(static_cast<uint16_t>(chair));
        if (user == nullptr)
            continue;
        if (chair >= chairs || chair >= CBaseKernelLayer::kMaxSeats || user->wChairID != chair)
            std::abort();
        if (!seated.insert(user->dwUserID).second)
            std::abort();
    }
    if (tagUserData* me = kernel->GetMeUserData())
        if (kernel->GetTableUserData(kernel->GetMeChairID()) != me)
            std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    cocos2d::CCScene* scene = Setup();
    fuzzstage::QuietRoom room;
    CGameRoomBinding binding(&room);
    CBaseKernelLayer* kernel = CBaseKernelLayer::create();
    room.kernel = kernel;
    scene->addChild(kernel);

    static const uint16_t kChairs[8] = {2, 3, 4, 6, 8, 20, 100, 200};
    GameServerConfig config;
    std::memset(&config, 0, sizeof(config));
    config.dwUserID = 1000;
    config.wKindID = 200;
    config.wChairCount = size > 0 ? kChairs[data[0] % 8] : 3;
    kernel->OnChannelMessage(IPC_MAIN_CONFIG, IPC_SUB_SERVER_INFO, &config, sizeof(config));
    uint8_t kindRecord[8] = {0, 0, 0, 0, 0, 0, 200, 0};
    kernel->LoadGameResources(kindRecord);
    kernel->EnterGame(kindRecord);

    static const uint16_t kMains[6] = {IPC_MAIN_SOCKET, IPC_MAIN_SOCKET, IPC_MAIN_CONFIG,
                                       IPC_MAIN_USER,   IPC_MAIN_USER,   7};
    size_t at = 1;
    while (at + 5 <= size)
    {
        const uint16_t main = kMains[data[at] % 6];
        uint16_t sub, length;
        std::memcpy(&sub, data + at + 1, 2);
        std::memcpy(&length, data + at + 3, 2);
        at += 5;
        if (length > size - at)
            length = static_cast<uint16_t>(size - at);
        // A copy of exactly the message, so reading past it is caught.
        std::vector<uint8_t> message(data + at, data + at + length);
        kernel->OnChannelMessage(main, sub, message.empty() ? nullptr : message.data(), length);
        at += length;
        CheckSeats(kernel);
    }
    cocos2d::CCDirector::sharedDirector()->stepFrames(2);
    kernel->removeFromParentAndCleanup(true);
    room.kernel = nullptr;
    WindyTopLayer* top = WindyTopLayer::sharedTopLayer();
    while (cocos2d::CCNode* dialog = top->getChildByTag(CBaseKernelLayer::kExitDialogTag))
        dialog->removeFromParentAndCleanup(true);
    cocos2d::CCDirector::sharedDirector()->stepFrames(1);
    return 0;
}
