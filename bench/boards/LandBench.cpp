// The landlord table at its busiest. Deal: 51 cards leave the deck, mine
// swing out in a fan, turn face up and gather into the row while the others
// shrink onto their seats. Table: a hand under way, with the landlord's
// twenty and the farmers' seventeen, and plays of twelve to sixteen cards
// landing in the two rows of each seat with their captions, frames and
// shakes, over the cards already lying there. One iteration is one frame:
// "update" times the scheduler step, "draw" drawing and presenting the
// frame until the renderer has finished it.
#include <benchmark/benchmark.h>

#include <cstring>

#include "BoardBench.h"
#include "cocos2d.h"
#include "games/Land/LandBoard.h"

using namespace cocos2d;
using namespace Land;

namespace {

// Without a kernel the board sits on chair 0: views are chairs.
constexpr uint16_t kMe = 0;
constexpr uint16_t kLandlord = 1;
constexpr uint16_t kFarmer = 2;

const uint8_t kMyHand[HAND_COUNT] = {0x4F, 0x02, 0x12, 0x01, 0x11, 0x0D, 0x1D, 0x0C, 0x1B,
                                     0x0A, 0x19, 0x08, 0x17, 0x06, 0x15, 0x04, 0x13};

// An airplane of four threes with four wings, a line of twelve, a bomb.
const uint8_t kAirplane[] = {0x23, 0x33, 0x03, 0x24, 0x34, 0x04, 0x25, 0x35,
                             0x05, 0x26, 0x36, 0x16, 0x27, 0x28, 0x29, 0x2A};
const uint8_t kLine[] = {0x03, 0x14, 0x05, 0x16, 0x07, 0x18, 0x09, 0x1A, 0x0B, 0x1C, 0x0D, 0x31};
const uint8_t kBomb[] = {0x22, 0x32, 0x02, 0x12};

LandBoard* BuildBoard()
{
    boardbench::SetUpStage();
    CCDirector* director = CCDirector::sharedDirector();
    CCSpriteFrameCache* frames = CCSpriteFrameCache::sharedSpriteFrameCache();
    for (int i = 0; i < 9; ++i)
        frames->addSpriteFramesWithFile(
            CCString::createWithFormat("Land/animation/animation_%d.plist", i)->getCString());
    for (const char* sheet :
         {"ClientGame/Light.plist", "ClientGame/Cards.plist", "ClientGame/Ready.plist", "ClientGame/TimerNum.plist"})
        frames->addSpriteFramesWithFile(sheet);
    CCScene* scene = CCScene::create();
    LandBoard* board = LandBoard::create();
    scene->addChild(board, 10);
    director->runWithScene(scene);
    director->stepFrames(2);
    return board;
}

// A hand under way: the landlord on my right holds twenty, the farmer on
// my left has five cards on the table, and the landlord is to play.
void LayTable(LandBoard* board)
{
    board->ResetGameView();
    CMD_S_StatusPlay scene = {};
    scene.wBankerUser = kLandlord;
    scene.wCurrentUser = kLandlord;
    scene.wTurnWinner = kFarmer;
    scene.cbTurnCardCount = 5;
    const uint8_t line[] = {0x07, 0x18, 0x29, 0x3A, 0x0B};
    std::memcpy(scene.cbTurnCardData, line, sizeof(line));
    const uint8_t bottom[] = {0x4E, 0x21, 0x3D};
    std::memcpy(scene.cbBackCard, bottom, sizeof(bottom));
    std::memcpy(scene.cbCardData, kMyHand, sizeof(kMyHand));
    scene.cbCardCount[kMe] = HAND_COUNT;
    scene.cbCardCount[kLandlord] = MAX_COUNT;
    scene.cbCardCount[kFarmer] = HAND_COUNT;
    board->OnScenePlaying(scene);
}

void Play(LandBoard* board, uint16_t chair, uint16_t next, const uint8_t* cards, uint8_t count)
{
    CMD_S_OutCard play = {};
    play.cbCardCount = count;
    play.wCurrentUser = next;
    play.wOutCardUser = chair;
    std::memcpy(play.cbCardData, cards, count);
    board->OnSubOutCard(play);
}

void RunDeal(benchmark::State& state, bool measureDraw)
{
    LandBoard* board = BuildBoard();
    board->SetDealtCards(kMyHand);
    CMD_S_SendCard deal = {};
    deal.wCurrentUser = kLandlord;
    std::memcpy(deal.cbCardData, kMyHand, sizeof(kMyHand));
    board->SetGameState(LandBoard::kStateCalling);
    board->OnSubSendCard(deal);
    boardbench::TimeFrames(state, measureDraw, boardbench::kCpu);
    CCDirector::sharedDirector()->reset();
}

// Every two seconds the table is laid again (not timed); in between the
// landlord plays his airplane, the farmer a line over it, and the landlord
// a bomb over that, forty frames apart.
void RunTable(benchmark::State& state, bool measureDraw)
{
    LandBoard* board = BuildBoard();
    board->SetGameState(LandBoard::kStatePlaying);
    int frame = 0;
    boardbench::TimeFrames(state, measureDraw, boardbench::kCpu, [&] {
        switch (frame++ % 120)
        {
            case 0:
                LayTable(board);
                Play(board, kLandlord, kFarmer, kAirplane, sizeof(kAirplane));
                break;
            case 40: Play(board, kFarmer, kLandlord, kLine, sizeof(kLine)); break;
            case 80: Play(board, kLandlord, kFarmer, kBomb, sizeof(kBomb)); break;
            default: break;
        }
    });
    CCDirector::sharedDirector()->reset();
}

void BM_LandDealUpdate(benchmark::State& state) { RunDeal(state, false); }
void BM_LandDealDraw(benchmark::State& state) { RunDeal(state, true); }
void BM_LandTableUpdate(benchmark::State& state) { RunTable(state, false); }
void BM_LandTableDraw(benchmark::State& state) { RunTable(state, true); }

}  // namespace

// 300 frames: the whole deal, from the first card leaving the deck to the
// row gathered.
BENCHMARK(BM_LandDealUpdate)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(300)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_LandDealDraw)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(300)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
// 600 frames: five rounds of three plays.
BENCHMARK(BM_LandTableUpdate)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(600)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_LandTableDraw)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(600)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
