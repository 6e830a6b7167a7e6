// The red-nine and little-nine handlers: the message-received flag the
// banker check box waits for, and every message and scene record taken at
// its exact size only (a record list in whole records) and handed to one
// method of the board. The two games differ only in their own records, their
// room notice's sub and their board: CTwoCardGameHandler takes those.
#pragma once

#include "games/TwoCardBanker/TwoCardMessages.h"
#include "games/framework/GameHandler.h"

#include <cstdint>

namespace TwoCardBanker {

class CTwoCardBoard;

class CTwoCardHandler : public Sexy::CGameHandler
{
public:
    // A bet's area must be 1..areaCount; noticeSub is the room notice's sub.
    CTwoCardHandler(int areaCount, uint16_t noticeSub) : m_nAreaCount(areaCount), m_wNoticeSub(noticeSub) {}

    // Set by every message and scene, whatever it holds (also one refused).
    bool IsMessageReceived() const { return m_cbMessageReceived != 0; }

    // The kernel's board as a two-card board; null outside a game.
    CTwoCardBoard* GetTwoCardBoard() const;

    // My score from the server: the board's own panel follows it.
    void OnUserScore(tagUserData* user, uint16_t chair, bool lookOn) override;

protected:
    void NoteMessageReceived() { m_cbMessageReceived = 1; }

    // One of the shared subs: known is set and the result says whether its
    // size (and a bet's area) was right. Other subs leave known false.
    bool OnSharedMessage(uint16_t sub, const void* data, uint16_t size, bool& known);
    // Status 0: the 126-byte free scene.
    bool OnFreeSceneMessage(const void* data, uint16_t size);

private:
    int m_nAreaCount;
    uint16_t m_wNoticeSub;
    uint8_t m_cbMessageReceived = 0;
};

// What one game's handler and board read: its records (free time, round
// start and end, one record of a list, the play scene), its board and its
// module, its area count and the subs of its room notice and of the last
// message it reads. A game names it once: using Wire = GameWire<...>.
template <class FreeT, class StartT, class EndT, class RecordT, class SceneT, class BoardT, class ModuleT, int Areas,
          uint16_t NoticeSub, uint16_t LastSub>
struct GameWire
{
    using Free = FreeT;
    using Start = StartT;
    using End = EndT;
    using Record = RecordT;
    using Scene = SceneT;
    using Board = BoardT;
    using Module = ModuleT;
    static constexpr int kAreaCount = Areas;
    static constexpr uint16_t kNoticeSub = NoticeSub;
    static constexpr uint16_t kLastSub = LastSub;
};

// One game's handler, on its GameWire.
template <class Wire>
class CTwoCardGameHandler : public CTwoCardHandler
{
public:
    CTwoCardGameHandler() : CTwoCardHandler(Wire::kAreaCount, Wire::kNoticeSub) {}

    // Subs 99 to 104, 106 to 108 and the notice at their sizes (106: any
    // multiple of a record); the others up to the last sub, and any outside
    // 99..last, are accepted unread.
    bool OnGameMessage(uint16_t sub, const void* data, uint16_t size) override;
    // Status 0 takes the free scene, 100 to 102 the game's play scene;
    // others are accepted.
    bool OnGameSceneMessage(uint8_t gameStatus, bool lookOn, const void* data, uint16_t size) override;

    // The kernel's board as this game's board; null outside a game.
    typename Wire::Board* GetGameBoard() const { return dynamic_cast<typename Wire::Board*>(GetBoard()); }
};

template <class Wire>
bool CTwoCardGameHandler<Wire>::OnGameMessage(uint16_t sub, const void* data, uint16_t size)
{
    NoteMessageReceived();
    using Board = typename Wire::Board;
    Board* board = GetGameBoard();
    switch (sub)
    {
        case SUB_S_GAME_FREE: return DeliverExact<typename Wire::Free>(data, size, board, &Board::OnFreeMessage);
        case SUB_S_GAME_START:
            return DeliverExact<typename Wire::Start>(data, size, board, &Board::OnRoundStartMessage);
        case SUB_S_GAME_END: return DeliverExact<typename Wire::End>(data, size, board, &Board::OnRoundEndMessage);
        case SUB_S_SEND_RECORD:
            return DeliverEach<typename Wire::Record>(data, size, board, &Board::OnRecordMessage,
                                                      &Board::OnRecordsDone);
        default: break;
    }
    if (sub < SUB_S_GAME_FREE || sub > Wire::kLastSub)
        return true;
    bool known = false;
    const bool ok = OnSharedMessage(sub, data, size, known);
    return known ? ok : true;
}

template <class Wire>
bool CTwoCardGameHandler<Wire>::OnGameSceneMessage(uint8_t gameStatus, bool, const void* data, uint16_t size)
{
    NoteMessageReceived();
    using Board = typename Wire::Board;
    switch (gameStatus)
    {
        case GS_FREE: return OnFreeSceneMessage(data, size);
        case GS_BETTING: return DeliverExact<typename Wire::Scene>(data, size, GetGameBoard(), &Board::OnPlayScene);
        case GS_RESULT:
        case GS_RESULT_END:
            return DeliverExact<typename Wire::Scene>(data, size, GetGameBoard(), &Board::OnResultScene);
        default: return true;
    }
}

}  // namespace TwoCardBanker
