// A headless engine with a running scene, a room stand-in bound as the game
// room, and a kernel in the scene whose handler records what it is told.
#pragma once

#include "cocos2d.h"
#include "core/ClientGlobal.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/GameAudio.h"
#include "games/framework/GameBoard.h"
#include "games/framework/GameHandler.h"
#include "games/framework/GameKindModule.h"
#include "games/framework/GameRoom.h"
#include "ui/AppServices.h"
#include "ui/UiFixture.h"
#include "ui/WindyTopLayer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace kt {

struct Sent
{
    uint16_t main;
    uint16_t sub;
    std::vector<uint8_t> payload;
};

class FakeRoom : public Sexy::IGameRoom
{
public:
    bool OnGameSendData(uint16_t main, uint16_t sub, const void* data, uint16_t size) override
    {
        EXPECT_EQ(main, 1);
        EXPECT_EQ(sub, 1);
        EXPECT_GE(size, 4);
        const auto* b = static_cast<const uint8_t*>(data);
        Sent s;
        std::memcpy(&s.main, b, 2);
        std::memcpy(&s.sub, b + 2, 2);
        s.payload.assign(b + 4, b + size);
        sent.push_back(s);
        return true;
    }
    void OnGameExit() override { ++exits; }
    void ShowGameView() override { ++gameViews; }
    void ShowRoomView(bool show) override { roomViews.push_back(show); }
    void OnGameResourcesLoaded(bool ready) override
    {
        ++readySignals;
        this->ready = ready;
    }
    bool IsGameResourcesReady() override { return ready; }
    void ToggleMaximize() override { ++maximizeToggles; }
    Sexy::CBaseKernelLayer* GetKernelLayer() override { return kernel; }

    Sexy::CBaseKernelLayer* kernel = nullptr;
    std::vector<Sent> sent;
    int exits = 0;
    int gameViews = 0;
    int readySignals = 0;
    bool ready = false;
    int maximizeToggles = 0;
    std::vector<bool> roomViews;
};

// Records every call as a line of text.
class RecordingHandler : public Sexy::CGameHandler
{
public:
    bool OnGameMessage(uint16_t sub, const void* data, uint16_t size) override
    {
        Log("game " + std::to_string(sub) + " " + std::to_string(size) + (data == nullptr ? " null" : ""));
        return gameAnswer;
    }
    bool OnGameSceneMessage(uint8_t status, bool lookOn, const void*, uint16_t size) override
    {
        Log("scene " + std::to_string(status) + (lookOn ? " lookon " : " ") + std::to_string(size));
        return true;
    }
    bool OnFrameMessage(uint16_t sub, const void* data, uint16_t size) override
    {
        Log("frame " + std::to_string(sub));
        return takeFrames || Sexy::CGameHandler::OnFrameMessage(sub, data, size);
    }
    void OnSystemMessage(const void* message, uint16_t size) override
    {
        Log("system " + std::to_string(size));
        Sexy::CGameHandler::OnSystemMessage(message, size);
    }
    bool OnClockInfo(uint16_t chair, int32_t seconds, uint32_t timerID) override
    {
        Log("clock " + std::to_string(chair) + " " + std::to_string(timerID) + " " + std::to_string(seconds));
        return Sexy::CGameHandler::OnClockInfo(chair, seconds, timerID);
    }
    void OnClockKill(uint16_t chair, uint32_t timerID) override
    {
        Log("kill " + std::to_string(chair) + " " + std::to_string(timerID));
        Sexy::CGameHandler::OnClockKill(chair, timerID);
    }
    void OnUserEnter(tagUserData* user, uint16_t chair, bool lookOn) override
    {
        Log("enter " + std::to_string(user->dwUserID) + "@" + std::to_string(chair));
        Sexy::CGameHandler::OnUserEnter(user, chair, lookOn);
    }
    void OnUserLeave(tagUserData* user, uint16_t chair, bool lookOn) override
    {
        Log("leave " + std::to_string(user->dwUserID) + "@" + std::to_string(chair));
        Sexy::CGameHandler::OnUserLeave(user, chair, lookOn);
    }
    void OnUserScore(tagUserData* user, uint16_t chair, bool flag) override
    {
        Log("score " + std::to_string(user->dwUserID) + "@" + std::to_string(chair));
        Sexy::CGameHandler::OnUserScore(user, chair, flag);
    }
    void OnUserScoreChange(uint32_t userID, const char16_t*, int64_t delta, uint8_t) override
    {
        Log("change " + std::to_string(userID) + " " + std::to_string(delta));
    }
    void OnUserStatus(tagUserData* user, uint16_t chair, bool lookOn) override
    {
        Log("status " + std::to_string(user->dwUserID) + "@" + std::to_string(chair) + "=" +
            std::to_string(user->cbUserStatus) + (lookOn ? " lookon" : ""));
        Sexy::CGameHandler::OnUserStatus(user, chair, lookOn);
    }
    void ResetGameClient() override { Log("reset"); }

    void Log(const std::string& line) { calls.push_back(line); }
    std::vector<std::string> Take()
    {
        std::vector<std::string> out;
        out.swap(calls);
        return out;
    }

    std::vector<std::string> calls;
    bool gameAnswer = true;
    bool takeFrames = false;
};

// The program as the board sees it: a window that is maximised or not.
class FakeApp : public IAppServices
{
public:
    void playBackgroundMusic(const char*, bool) override {}
    void playLoopMusic(const char*) override {}
    void stopBackgroundMusic() override {}
    void playEffect(const char*) override {}
    void stopAllEffects() override {}
    int GetWindowWidth() const override
    {
        return static_cast<int>(cocos2d::CCEGLView::sharedOpenGLView()->getFrameSize().width);
    }
    int GetWindowHeight() const override
    {
        return static_cast<int>(cocos2d::CCEGLView::sharedOpenGLView()->getFrameSize().height);
    }
    bool IsMaximized() const override { return maximized; }
    void ToggleMaximize() override { maximized = !maximized; }
    const std::vector<std::string>& GetServerAddresses() const override { return servers; }
    bool IsExternalGameDebug() const override { return false; }
    bool maximized = false;
    std::vector<std::string> servers;
};

// A sound as the tests name it: the resource name without the resource
// folder and without an extension, so a name asked as ".mp3" is the same
// sound as the ".ogg" file it plays.
inline std::string SoundStem(const std::string& path)
{
    std::string name = path;
    const std::string root = std::string(KEST_RES_DIR) + "/";
    if (name.compare(0, root.size(), root) == 0)
        name.erase(0, root.size());
    const size_t slash = name.rfind('/'), dot = name.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        name.erase(dot);
    return name;
}

// The game's sounds, logged by their stems ("effect Land/effect/boy/DOUBLE").
class RecordingAudio : public Sexy::IGameAudio
{
public:
    bool IsMusicPlaying() override { return playing; }
    void PreloadMusic(const std::string& path) override
    {
        asked.insert(path);
        log.push_back("preload " + SoundStem(path));
    }
    void PlayMusic(const std::string& path, bool loop) override
    {
        asked.insert(path);
        playing = true;
        log.push_back("music " + SoundStem(path) + (loop ? " loop" : ""));
    }
    void StopMusic(bool) override
    {
        playing = false;
        log.push_back("stop music");
    }
    void PauseMusic() override
    {
        playing = false;
        log.push_back("pause music");
    }
    void ResumeMusic() override { log.push_back("resume music"); }
    void SetMusicVolume(float v) override { log.push_back("music volume " + std::to_string(v).substr(0, 3)); }
    void SetEffectsVolume(float v) override { log.push_back("effects volume " + std::to_string(v).substr(0, 3)); }
    void PlayEffect(const std::string& path, bool loop) override
    {
        asked.insert(path);
        log.push_back("effect " + SoundStem(path) + (loop ? " loop" : ""));
    }
    void StopAllEffects() override { log.push_back("stop effects"); }
    // What was asked for that the engine would find no file for.
    std::vector<std::string> Unplayable() const;
    bool playing = false;
    std::vector<std::string> log;
    std::set<std::string> asked;
};

class KernelTest;

// A module object whose game is a framework board with a recording handler.
// Its two pictures do not exist: their callbacks must come all the same.
class TestModule : public Sexy::CGameKindModule
{
public:
    TestModule() : Sexy::CGameKindModule(2) { ++made; }
    ~TestModule() override { ++destroyed; }
    static Sexy::CGameKindModule* Make() { return new TestModule(); }
    static Sexy::CGameBoard* MakeBorrowedGame();
    Sexy::CGameBoard* CreateGame() override;
    void LoadResources() override
    {
        ++loads;
        RequestImages({"Missing/picture_a", "Missing/picture_b"});
    }
    void UnloadResources() override { ++unloads; }

    static KernelTest* fixture;
    static int made, destroyed, loads, unloads, games;
};

class KernelTest : public UiFixture
{
    friend class TestModule;

protected:
    void SetUp() override;
    void TearDown() override;

    static void Step(int frames = 1) { cocos2d::CCDirector::sharedDirector()->stepFrames(frames); }
    // Runs whole seconds of frames (60 a second, plus one for rounding).
    static void Seconds(int seconds) { Step(seconds * 60 + 1); }

    // The configuration for my user id 1000 at a table of `chairs` chairs.
    void Configure(uint16_t chairs, uint16_t kind = 200);
    // (4, 100) for a user at my table 5, named "玩家<id>" unless named.
    bool Enter(uint32_t userID, uint16_t chair, uint8_t status = US_SIT, int64_t score = 0, uint16_t table = 5,
               uint8_t gender = 0, const std::u16string& nickname = u"");
    bool Status(uint32_t userID, uint8_t status, uint16_t chair = 0, uint16_t table = 5);
    bool Score(uint32_t userID, int64_t score, uint8_t noChange = 0);
    // (1, 2) carrying {main, sub, payload}.
    bool Packet(uint16_t main, uint16_t sub, const std::vector<uint8_t>& payload = {});
    bool Packet(const std::vector<uint8_t>& raw);
    bool Control(uint16_t sub, const void* data = nullptr, uint16_t size = 0)
    {
        return kernel->OnChannelMessage(Sexy::IPC_MAIN_CONFIG, sub, data, size);
    }
    size_t Boxes() const { return cocos2d::CCMessageBoxHistory().size(); }
    // The game's own messages to the server, in order: {sub, payload}.
    std::vector<std::pair<uint16_t, std::vector<uint8_t>>> SentGame() const;
    // A handler attached to the kernel; owned by the test.
    RecordingHandler* Attach();
    // Installs TestModule for the kind, loads it with the room's resources
    // ready and enters the game: a framework board and a recording handler.
    Sexy::CGameBoard* EnterWithBoard(uint16_t chairs, uint16_t kind = 200);
    static std::vector<uint8_t> KindRecord(uint16_t kind);

    Sexy::CBaseKernelLayer* kernel = nullptr;
    // A game's tests set it: every sound its board and handler ask for must
    // be one of the build's (res/sounds.tsv), or the test fails.
    bool soundsMustExist = false;
    FakeRoom room;
    std::unique_ptr<Sexy::CGameRoomBinding> binding;
    std::unique_ptr<RecordingHandler> handler;
    RecordingAudio audio;
    FakeApp app;
};

}  // namespace kt
