// What the board benchmarks share: the headless stage at 1288 x 762 on the
// drawn resources, a room for a kernel to sit in, and the timing of one frame
// with the counters the benchmarks report.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "cocos2d.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/GameRoom.h"
#include "games/framework/KernelMessages.h"

namespace boardbench {

// A room that accepts whatever the game sends.
class BenchRoom : public Sexy::IGameRoom
{
public:
    explicit BenchRoom(uint16_t chairs = 0) : m_wChairs(chairs) {}
    bool OnGameSendData(uint16_t, uint16_t, const void*, uint16_t) override { return true; }
    void OnGameExit() override {}
    void ShowGameView() override {}
    void ShowRoomView(bool) override {}
    void OnGameResourcesLoaded(bool) override {}
    bool IsGameResourcesReady() override { return true; }
    void ToggleMaximize() override {}
    uint16_t GetChairCount() const override { return m_wChairs ? m_wChairs : Sexy::IGameRoom::GetChairCount(); }
    Sexy::CBaseKernelLayer* GetKernelLayer() override { return kernel; }
    Sexy::CBaseKernelLayer* kernel = nullptr;

private:
    uint16_t m_wChairs;
};

// A fresh headless director at 1288 x 762 reading the drawn resources, the
// UI services installed; no scene yet.
void SetUpStage();

// SetUpStage, then an empty scene running one frame.
cocos2d::CCScene* RunEmptyStage();

// A kernel layer on `scene`, sitting in `room`.
Sexy::CBaseKernelLayer* AddKernel(cocos2d::CCScene* scene, BenchRoom& room);

// The server's description of the room: my table and id, the game kind.
void SendServerInfo(Sexy::CBaseKernelLayer* kernel, uint16_t table, uint32_t me, uint16_t kind, uint16_t chairs,
                    const char16_t* serverName);

// The game-kind record the room hands the kernel to load and enter a game.
std::vector<uint8_t> KindRecord(uint16_t kind);

// A user sitting down, through the kernel's user channel.
void SendUserEnter(Sexy::CBaseKernelLayer* kernel, const tagUserData& user);

// Users sitting down on chairs 0 to count - 1 of the table, named 玩家<chair>
// with game id 300000 + chair: my user `me` on my chair, user 2000 + chair on
// the others, each with the status and score(chair).
void SeatPlayers(Sexy::CBaseKernelLayer* kernel, uint16_t table, uint16_t count, uint16_t myChair, uint32_t me,
                 uint8_t status, const std::function<int64_t(uint16_t)>& score);

// A game-server message {main, sub, body} as the room relays it.
void SendGamePacket(Sexy::CBaseKernelLayer* kernel, uint16_t main, uint16_t sub, const void* body, size_t size);

// A game message (main 200) of one record.
template <typename Record>
void SendGame(Sexy::CBaseKernelLayer* kernel, uint16_t sub, const Record& record)
{
    SendGamePacket(kernel, Sexy::MDM_GF_GAME, sub, &record, sizeof(Record));
}

// Loads the kind's resources as the room does, waits for its pictures, runs
// `frames` frames and enters its game.
void LoadAndEnterGame(Sexy::CBaseKernelLayer* kernel, uint16_t kind, int frames);

// A user record as the room sends it, zero but for these fields.
tagUserData MakeUser(uint32_t userID, uint32_t gameID, uint16_t table, uint16_t chair, uint8_t status, int64_t score,
                     const std::u16string& nick);

// Takes the kernel off its scene and out of the room, then resets the
// director for the next benchmark.
void RemoveKernel(BenchRoom& room, Sexy::CBaseKernelLayer* kernel);

// SetUpStage, the sprite sheets loaded, and a scene holding a new board of
// the type running two frames.
template <typename Board>
Board* StageBoard(std::initializer_list<const char*> sheets = {})
{
    SetUpStage();
    cocos2d::CCSpriteFrameCache* frames = cocos2d::CCSpriteFrameCache::sharedSpriteFrameCache();
    for (const char* sheet : sheets)
        frames->addSpriteFramesWithFile(sheet);
    cocos2d::CCScene* scene = cocos2d::CCScene::create();
    Board* board = Board::create();
    scene->addChild(board, 10);
    cocos2d::CCDirector* director = cocos2d::CCDirector::sharedDirector();
    director->runWithScene(scene);
    director->stepFrames(2);
    return board;
}

// Which counters FrameTimer::Report adds besides the renderer's label.
enum FrameCounters : unsigned
{
    kNoCounters = 0,
    kMedian = 1,  // median_ms
    kP90 = 2,     // p90_ms
    kP95 = 4,     // p95_ms
    kCpu = 8,     // cpu_ms: the work of every thread per frame
};

// Steps one frame and times its update (the scheduler step) or its draw
// (drawing and presenting until the renderer has finished), on the wall and,
// when asked, in the work of every thread (the rasteriser's too, which on a
// busy machine says more than the wall).
class FrameTimer
{
public:
    FrameTimer(bool measureDraw, unsigned counters) : m_bDraw(measureDraw), m_nCounters(counters) {}
    // Returns the timed part of the frame in seconds.
    double Frame();
    void Report(benchmark::State& state);

private:
    bool m_bDraw;
    unsigned m_nCounters;
    double m_dCpu = 0;
    std::vector<double> m_frames;  // ms
};

// One frame per iteration, `before` called ahead of each (not timed).
template <typename Before>
void TimeFrames(benchmark::State& state, bool measureDraw, unsigned counters, Before&& before)
{
    FrameTimer timer(measureDraw, counters);
    for (auto _ : state)
    {
        before();
        state.SetIterationTime(timer.Frame());
    }
    timer.Report(state);
}

inline void TimeFrames(benchmark::State& state, bool measureDraw, unsigned counters)
{
    TimeFrames(state, measureDraw, counters, [] {});
}

// Times the frames of a table that build(room) sets up in a room of
// `chairs`, round(kernel) called ahead of every `period`th frame from the
// first; the kernel is removed after.
template <typename Build, typename Round>
void TimeRounds(benchmark::State& state, bool measureDraw, unsigned counters, uint16_t chairs, int period,
                Build&& build, Round&& round)
{
    BenchRoom room(chairs);
    Sexy::CGameRoomBinding binding(&room);
    Sexy::CBaseKernelLayer* kernel = build(room);
    int frame = 0;
    TimeFrames(state, measureDraw, counters, [&] {
        if (frame++ % period == 0)
            round(kernel);
    });
    RemoveKernel(room, kernel);
}

}  // namespace boardbench
