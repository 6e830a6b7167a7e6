// The stage of the fuzzers that drive a game: the room stand-in and its
// helpers (GameRoomStage.h) and the running scene on the UI stage.
#pragma once

#include "cocos2d.h"
#include "fuzz/GameRoomStage.h"
#include "fuzz/UiStage.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/GameRoom.h"
#include "ui/WindyTopLayer.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace fuzzstage {

// The running scene, made once; frames run without drawing.
inline cocos2d::CCScene* KernelScene()
{
    static cocos2d::CCScene* scene = nullptr;
    if (scene != nullptr)
        return scene;
    PrepareUi();
    cocos2d::CCDirector* director = cocos2d::CCDirector::sharedDirector();
    scene = cocos2d::CCScene::create();
    scene->retain();
    director->runWithScene(scene);
    director->stepFrames(1);
    director->stopAnimation();
    return scene;
}

// Plays the records {u8 kind, u16 code, u16 size, size bytes} that follow the
// first byte. kind % 4: 0 a game message (code = sub), 1 a scene (code =
// status), 2 code % maxFrames frames, 3 act(code); check() after each record.
template <class Act, class Check>
void PlayRecords(Sexy::CBaseKernelLayer* kernel, const uint8_t* data, size_t size, int maxFrames, Act act, Check check)
{
    size_t at = 1;
    while (at + 5 <= size)
    {
        const uint8_t kind = data[at] % 4;
        uint16_t code = 0, length = 0;
        std::memcpy(&code, data + at + 1, 2);
        std::memcpy(&length, data + at + 3, 2);
        at += 5;
        if (length > size - at)
            length = static_cast<uint16_t>(size - at);
        switch (kind)
        {
            case 0: Packet(kernel, Sexy::MDM_GF_GAME, code, data + at, length); break;
            case 1:
            {
                const uint8_t status[2] = {static_cast<uint8_t>(code), 0};
                Packet(kernel, Sexy::MDM_GF_FRAME, Sexy::SUB_GF_GAME_STATUS, status, 2);
                Packet(kernel, Sexy::MDM_GF_FRAME, Sexy::SUB_GF_SCENE, data + at, length);
                break;
            }
            case 2: cocos2d::CCDirector::sharedDirector()->stepFrames(code % maxFrames); break;
            default: act(code); break;
        }
        at += length;
        check();
    }
}

// The kernel taken off the scene, with any exit dialog and loading veil it
// left on the top layer, so the next input starts clean.
inline void LeaveKernel(Sexy::CBaseKernelLayer* kernel, QuietRoom& room)
{
    kernel->removeFromParentAndCleanup(true);
    room.kernel = nullptr;
    WindyTopLayer* top = WindyTopLayer::sharedTopLayer();
    while (cocos2d::CCNode* dialog = top->getChildByTag(Sexy::CBaseKernelLayer::kExitDialogTag))
        dialog->removeFromParentAndCleanup(true);
    if (top->isLoadingShown())
        top->hideLoading();
    cocos2d::CCDirector::sharedDirector()->stepFrames(1);
}

// One input's table: a quiet room and a kernel sitting in it on the scene,
// left (LeaveKernel) when it goes out of scope.
struct KernelTable
{
    explicit KernelTable(cocos2d::CCScene* scene) : binding(&room), kernel(Sexy::CBaseKernelLayer::create())
    {
        room.kernel = kernel;
        scene->addChild(kernel);
    }
    ~KernelTable() { LeaveKernel(kernel, room); }
    KernelTable(const KernelTable&) = delete;
    KernelTable& operator=(const KernelTable&) = delete;

    QuietRoom room;
    Sexy::CGameRoomBinding binding;
    Sexy::CBaseKernelLayer* kernel;
};

// The kernel's board as the game's board type; a game that gave another
// (or none) aborts the run.
template <class Board>
Board* BoardOf(Sexy::CBaseKernelLayer* kernel)
{
    auto* board = dynamic_cast<Board*>(kernel->GetGameBoard());
    if (board == nullptr)
        std::abort();
    return board;
}

}  // namespace fuzzstage
