// What the three bull games' handlers keep of a round, and their requests.
//
// OxEx, OxNew and OxTB share this base: the round phase and the restored
// flag that a scene sets (the board then takes the own cards and amounts
// from the scene instead of live messages), the banker, the bet ceiling and
// the last bet of the banker-robbing games, and the base score of OxTB.
// The messages and scenes that the games read alike are read here: each
// game's handler takes its own records (their sizes and layouts differ) and
// hands their fields to the steps below.
#pragma once

#include "core/Wire.h"
#include "games/framework/GameHandler.h"

#include <cstddef>
#include <cstdint>

namespace Bull {

class CBullBoard;

// The game clock every bull phase runs on my or the asked chair.
constexpr uint32_t kBullClockID = 30;
constexpr int32_t kBullClockSeconds = 30;

// Round phases, set only by scenes.
constexpr uint32_t kPhaseFree = 0;
constexpr uint32_t kPhaseCall = 1;
constexpr uint32_t kPhaseBetting = 2;
constexpr uint32_t kPhasePlaying = 3;

// The scene statuses of the bull games.
constexpr uint8_t kSceneFree = 0;
constexpr uint8_t kSceneCall = 100;
constexpr uint8_t kSceneBetting = 101;
constexpr uint8_t kScenePlaying = 102;

class CBullHandler : public Sexy::CGameHandler
{
public:
    static constexpr uint16_t kNoChair = 0xFFFF;

    uint32_t GetRoundPhase() const { return m_dwRoundPhase; }
    bool IsRestored() const { return m_cbRestored != 0; }
    // The board's reset: the next round runs on messages again.
    void ClearRestored() { m_cbRestored = 0; }
    int64_t GetBetCeiling() const { return m_lBetCeiling; }
    int64_t GetLastBet() const { return m_lLastBet; }
    uint16_t GetBankerChair() const { return m_wBankerChair; }

    // A seated player who waits for the next round (the games of four and
    // six seats); the two-seat game has none.
    virtual bool SitsOut() { return false; }

    // The last playing scene as the board restores it: a chair's five cards
    // (null for a chair the table has not; the hint arranges them in place),
    // whether the chair plays the round, and the banker.
    virtual uint8_t* SceneCards(uint16_t chair) = 0;
    virtual bool ScenePlays(uint16_t chair)
    {
        (void)chair;
        return true;
    }
    virtual uint16_t SceneBanker() { return kNoChair; }

    // The three requests of the bull games (main 200).
    bool SendRobChoice(bool rob);
    bool SendBet(int64_t amount);
    bool SendOpenCard(uint8_t hasBull);
    bool SendOpenCard(uint8_t hasBull, const uint8_t cards[5]);

    // A card record of five from a chair's row of a message, or false when
    // the chair is not one of the table's.
    static bool CopyChairCards(const uint8_t* rows, size_t chairs, uint16_t chair, uint8_t out[5]);

protected:
    // The kernel's board when it is a bull table.
    CBullBoard* BullBoard() const;

    // A record of exactly its size copied out of a message and handed on;
    // false, with nothing done, at any other size.
    template <class Record, class Then>
    static bool TakeRecord(const void* data, uint16_t size, Then&& then)
    {
        Record record;
        if (size != sizeof(record) || !wire::ReadRecord(data, size, record))
            return false;
        then(record);
        return true;
    }

    // The messages the games read alike, each from the game's own record.
    // A seat's turn to rob the banker (sub 106): the kernel clock on that
    // seat, my countdown when it is mine, and the rob choice.
    template <class Record>
    bool TakeRobTurn(const void* data, uint16_t size)
    {
        return TakeRecord<Record>(data, size, [this](const Record& call) { OnRobTurn(call.wCallBanker); });
    }
    // The banker is named and betting opens (sub 100).
    template <class Record>
    bool TakeBankerNamed(const void* data, uint16_t size)
    {
        return TakeRecord<Record>(
            data, size, [this](const Record& start) { OnBankerNamed(start.lTurnMaxScore, start.wBankerUser); });
    }
    // A player opened (sub 105): mine stops my clock and hides my open
    // buttons; the opening animation shows either way (moved to zOrder
    // unless it is < 0).
    template <class Record>
    bool TakeOpening(const void* data, uint16_t size, int zOrder)
    {
        return TakeRecord<Record>(data, size,
                                  [this, zOrder](const Record& open) { OnPlayerOpened(open.wPlayerID, zOrder); });
    }
    // The cards dealt (sub 103) of the tables that deal on the message: the
    // board keeps them, deals and starts the open countdown.
    template <class Record, class Board>
    bool TakeDeal(const void* data, uint16_t size, Board* board)
    {
        return TakeRecord<Record>(data, size, [board](const Record& cards) {
            if (board == nullptr)
                return;
            board->OnSubSendCard(cards);
            board->DealCards();
            board->StartOpenCountdown();
        });
    }
    // The round end (sub 104), live or of a restored round.
    template <class Record, class Board>
    bool TakeRoundEnd(const void* data, uint16_t size, Board* board)
    {
        return TakeRecord<Record>(data, size, [this, board](const Record& end) {
            if (board != nullptr)
                board->OnSubGameEnd(end, IsRestored());
        });
    }

    // The scenes of the banker-robbing games (OxEx, OxNew): free, banker
    // call, betting and playing, each with its phase and the restored flag
    // set before its size is looked at; other statuses are accepted. A
    // betting scene is taken at any size while I sit the round out. The
    // call and playing scenes are read into the records given.
    template <class Call, class Score, class Play>
    bool OnRobbingScene(uint8_t status, const void* data, uint16_t size, uint16_t freeSize, Call& call, Play& play)
    {
        if (status != kSceneFree && status != kSceneCall && status != kSceneBetting && status != kScenePlaying)
            return true;
        BeginScene(status);
        switch (status)
        {
            case kSceneFree:
                if (size != freeSize)
                    return false;
                ClearScene();
                return true;
            case kSceneCall:
                if (size != sizeof(call) || !wire::ReadRecord(data, size, call))
                    return false;
                ClearScene();
                RestoreBankerCall(call.wCallBanker);
                return true;
            case kSceneBetting:
            {
                if (SitsOut())
                {
                    ClearScene();
                    ShowWaiting();
                    return true;
                }
                Score score;
                if (size != sizeof(score) || !wire::ReadRecord(data, size, score))
                    return false;
                ClearScene();
                RestoreBetting(score.lTurnMaxScore, score.wBankerUser);
                return true;
            }
            default:
                if (size != sizeof(play) || !wire::ReadRecord(data, size, play))
                    return false;
                ClearScene();
                RestorePlaying(play.cbOxCard, sizeof(play.cbOxCard));
                return true;
        }
    }

    // Before an accepted scene draws: the table, countdowns and clock of any
    // earlier scene or round go (the scene's phase and restored flag stay).
    void ClearScene();

    // Every accepted scene: its phase and the restored flag, before its size
    // is looked at.
    void EnterScene(uint32_t phase)
    {
        m_dwRoundPhase = phase;
        m_cbRestored = 1;
    }

    uint32_t m_dwRoundPhase = kPhaseFree;
    int64_t m_lBetCeiling = 0;
    int64_t m_lLastBet = 0;
    uint16_t m_wBankerChair = kNoChair;
    uint8_t m_cbRestored = 0;

private:
    void OnRobTurn(uint16_t chair);
    void OnBankerNamed(int64_t ceiling, uint16_t banker);
    void OnPlayerOpened(uint16_t player, int zOrder);
    // The seats looked up again (but for a free scene) and the scene's phase.
    void BeginScene(uint8_t status);
    void ShowWaiting();
    void RestoreBankerCall(uint16_t chair);
    void RestoreBetting(int64_t ceiling, uint16_t banker);
    // The playing scene with each chair's opened mark (255: not yet).
    void RestorePlaying(const uint8_t* opened, size_t chairs);
};

}  // namespace Bull
