// Base of every game's message handler, and the accessors through which
// game code reaches the kernel.
//
// The kernel calls the handler for each game message, scene, system message,
// user event and clock event; the defaults keep the board's seats, player
// list and clock up to date, so a game overrides only what it needs. The
// module object creates one handler per game entry and keeps it; the kernel
// only points to the latest one attached and never deletes it.
#pragma once

#include "core/Wire.h"
#include "games/framework/UserData.h"
#include "ui/Dialog.h"

#include <cstdint>
#include <functional>
#include <string>

namespace Sexy {

class CBaseKernelLayer;
class CGameBoard;

class CGameHandler : public CDialogDelegate
{
public:
    CGameHandler();
    ~CGameHandler() override;

    // From the notice dialog, whatever the button: leave the table.
    void OnDialogResult(int button) override;
    // A non-empty name replaces the stored one; an empty name replays it.
    // Plays only with "Music" on and no music playing, looped, at volume 0.5.
    virtual void PlayBackgroundMusic(const char* name);
    virtual void StopBackgroundMusic();
    // Effects follow "Music" as well.
    virtual void PlayGameSound(const char* name, bool loop);
    virtual void StopAllGameSounds();
    // Makes this handler the kernel's handler; the class path is not used.
    virtual bool AttachToKernel(const char* classPath);
    virtual void ResetGameClient() {}
    virtual void ReservedHook1() {}
    // Shows the seconds at the chair's view position; games act on 0.
    virtual bool OnClockInfo(uint16_t chair, int32_t seconds, uint32_t timerID);
    virtual bool ReservedHook2(int value)
    {
        (void)value;
        return true;
    }
    virtual void OnClockKill(uint16_t chair, uint32_t timerID);
    virtual void ReservedHook3(int a, int b, int c)
    {
        (void)a;
        (void)b;
        (void)c;
    }
    // Game-server main 200; data is null when the payload is empty.
    virtual bool OnGameMessage(uint16_t sub, const void* data, uint16_t size) = 0;
    // The scene when I enter or re-enter a table; lookOn when my status is 4.
    virtual bool OnGameSceneMessage(uint8_t gameStatus, bool lookOn, const void* data, uint16_t size) = 0;
    // False lets the kernel handle game-server main 100 itself.
    virtual bool OnFrameMessage(uint16_t sub, const void* data, uint16_t size);
    // {u16 type, u16 length, UTF-16 text}; its size already matches its length.
    virtual void OnSystemMessage(const void* message, uint16_t size);
    virtual void OnUserEnter(tagUserData* user, uint16_t chair, bool lookOn);
    virtual void OnUserLeave(tagUserData* user, uint16_t chair, bool lookOn);
    virtual void OnUserScore(tagUserData* user, uint16_t chair, bool flag);
    virtual void OnUserScoreChange(uint32_t userID, const char16_t* nickName, int64_t delta, uint8_t status);
    virtual void OnUserStatus(tagUserData* user, uint16_t chair, bool lookOn);
    // One body for every game: attaches the handler and answers true. The
    // module's CreateGame calls it on each new handler.
    virtual bool InitGameHandler();

    // --- accessors: each goes through the room's kernel ------------------
    static CBaseKernelLayer* GetKernel();
    CGameBoard* GetBoard() const;
    uint16_t SwitchViewChairID(uint16_t chair);
    uint16_t GetMeChairID();
    tagUserData* GetTableUserData(uint16_t chair);
    uint8_t GetGameStatus();
    void SetGameStatus(uint8_t status);
    bool SendGameData(uint16_t sub, const void* data, uint16_t size);
    bool SendGameData(uint16_t sub);
    bool SetGameClock(uint16_t chair, uint32_t timerID, int32_t seconds);
    bool KillGameClock(uint32_t timerID);
    // False without a record on my chair; else true unless I am playing.
    bool IsMeNotPlaying();

    // The file a sound name stands for: its extension is dropped and .wav,
    // .wma, .mp3 and .ogg are tried in turn; the name itself when none exists.
    static std::string ResolveSoundPath(const std::string& name);

    Dialog* GetNoticeDialog() const { return m_pNoticeDialog; }
    // The kernel removes the notice when the player leaves.
    void ForgetNoticeDialog() { m_pNoticeDialog = nullptr; }
    bool IsCloseFlag() const { return m_cbCloseFlag != 0; }
    const std::string& GetEffectName() const { return m_strEffectName; }
    const std::string& GetMusicName() const { return m_strMusicName; }

protected:
    // --- a game's messages, taken at their exact sizes ---------------------
    // The record when the message is exactly its size; false at any other.
    template <typename Record>
    static bool ReadExact(const void* data, uint16_t size, Record& out)
    {
        return size == sizeof(Record) && wire::ReadRecord(data, size, out);
    }
    // A message of exactly one Record, handed to the board when there is
    // one as deliver(*board, record) (a member of the board's or a lambda).
    // False, and nothing handed, when the size is any other or, for
    // DeliverExactIf, when valid(record) refuses a value the board would
    // index with.
    template <typename Record, typename Board, typename Deliver>
    static bool DeliverExact(const void* data, uint16_t size, Board* board, Deliver&& deliver)
    {
        return DeliverExactIf<Record>(
            data, size, board, [](const Record&) { return true; }, deliver);
    }
    template <typename Record, typename Board, typename Valid, typename Deliver>
    static bool DeliverExactIf(const void* data, uint16_t size, Board* board, Valid&& valid, Deliver&& deliver)
    {
        Record record;
        if (!ReadExact(data, size, record) || !valid(record))
            return false;
        if (board != nullptr)
            std::invoke(deliver, *board, record);
        return true;
    }
    // A list of whole Records, any count (none too): each handed to the
    // board in order, then done(*board) once. False, and nothing handed,
    // when the size is no whole count.
    template <typename Record, typename Board, typename Each, typename Done>
    static bool DeliverEach(const void* data, uint16_t size, Board* board, Each&& each, Done&& done)
    {
        if (size % sizeof(Record) != 0 || (size != 0 && data == nullptr))
            return false;
        if (board == nullptr)
            return true;
        const auto* bytes = static_cast<const uint8_t*>(data);
        for (uint16_t at = 0; at < size; at += sizeof(Record))
        {
            Record record;
            wire::ReadRecord(bytes + at, sizeof(Record), record);
            std::invoke(each, *board, record);
        }
        std::invoke(done, *board);
        return true;
    }

    Dialog* m_pNoticeDialog = nullptr;
    std::string m_strEffectName;
    std::string m_strMusicName;
    uint8_t m_cbCloseFlag = 0;  // a system message told the game to close
};

}  // namespace Sexy
