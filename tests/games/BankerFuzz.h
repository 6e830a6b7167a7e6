// One input of a banker game's fuzzer on a table of 100 chairs: my user 1000
// on my chair, the others on the chairs after it, the game shown, then the
// input's records played (fuzz/KernelStage.h) and the kernel left.
#pragma once

#include "cocos2d.h"
#include "fuzz/KernelStage.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/GameRoom.h"
#include "games/framework/KernelMessages.h"

#include <cstdint>
#include <initializer_list>

namespace bankfuzz {

// Users 2001, 2002, ... sit on the chairs after mine with `others`' scores;
// act(board, code) and check(board) are the game's own. A kind whose game
// does not give a board of the type aborts.
template <class Board, class Act, class Check>
void PlayTable(cocos2d::CCScene* scene, uint16_t kind, uint16_t me, std::initializer_list<int64_t> others,
               const uint8_t* data, size_t size, int maxFrames, Act act, Check check)
{
    fuzzstage::KernelTable table(scene);
    Sexy::CBaseKernelLayer* kernel = table.kernel;
    fuzzstage::EnterGame(kernel, kind, 100, me);
    auto* board = fuzzstage::BoardOf<Board>(kernel);
    fuzzstage::Seat(kernel, 1000, 0, me, US_SIT, 8800000);
    uint16_t next = 1;
    for (int64_t score : others)
    {
        fuzzstage::Seat(kernel, 2000 + next, 0, static_cast<uint16_t>((me + next) % 100), US_SIT, score);
        ++next;
    }
    kernel->OnChannelMessage(Sexy::IPC_MAIN_CONFIG, Sexy::IPC_SUB_SHOW_GAME, nullptr, 0);

    fuzzstage::PlayRecords(
        kernel, data, size, maxFrames, [board, &act](uint16_t code) { act(board, code); },
        [board, &check] { check(board); });
    cocos2d::CCDirector::sharedDirector()->stepFrames(2);
}

}  // namespace bankfuzz
