#include "games/TransferBattle/NNHandler.h"

#include "games/TransferBattle/NNBoard.h"
#include "games/framework/GameBoard.h"

namespace TransferBattle {

namespace {

// The record when the size is exactly its own.
template <typename Record>
bool Exact(const void* data, uint16_t size, Record& out)
{
    return size == sizeof(Record) && wire::ReadRecord(data, size, out);
}

}  // namespace

NNBoard* NNHandler::GetTransferBoard() const { return dynamic_cast<NNBoard*>(GetBoard()); }

bool NNHandler::OnGameMessage(uint16_t sub, const void* data, uint16_t size)
{
    NNBoard* board = GetTransferBoard();
    switch (sub)
    {
        case SUB_S_GAME_FREE:
        {
            FreeMessage m;
            if (!Exact(data, size, m))
                return false;
            if (board != nullptr)
                board->OnGameFree(m);
            return true;
        }
        case SUB_S_GAME_START:
        {
            RoundStartMessage m;
            if (!Exact(data, size, m))
                return false;
            if (board != nullptr)
                board->OnGameStart(m);
            return true;
        }
        case SUB_S_PLACE_BET:
        {
            BetPlacedMessage m;
            // The area indexes the board's per-area amounts and labels.
            if (!Exact(data, size, m) || !ValidArea(m.cbArea))
                return false;
            if (board != nullptr)
                board->OnPlaceBet(m);
            return true;
        }
        case SUB_S_GAME_END:
        {
            RoundEndMessage m;
            // The slot names the point the wheel stops at.
            if (!Exact(data, size, m) || !ValidWinSlot(m.cbWinSlot))
                return false;
            if (board != nullptr)
                board->OnGameEnd(m);
            return true;
        }
        case SUB_S_APPLY_BANKER:
        {
            ApplyBankerMessage m;
            if (!Exact(data, size, m))
                return false;
            if (board != nullptr)
                board->OnApplyBanker(m.wApplyUser);
            return true;
        }
        case SUB_S_CHANGE_BANKER:
        {
            ChangeBankerMessage m;
            if (!Exact(data, size, m))
                return false;
            if (board != nullptr)
                board->OnChangeBanker(m);
            return true;
        }
        case SUB_S_SEND_RECORD:
        {
            if (board == nullptr || data == nullptr)
                return true;
            // A byte that names no wheel point has no picture: it is passed
            // over and the others still show.
            const auto* bytes = static_cast<const uint8_t*>(data);
            for (uint16_t at = 0; at < size; ++at)
            {
                if (ValidRecord(bytes[at]))
                    board->OnRecord(bytes[at]);
            }
            return true;
        }
        case SUB_S_PLACE_BET_FAIL:
        {
            BetFailedMessage m;
            if (!Exact(data, size, m))
                return false;
            if (board != nullptr)
                board->OnBetFailed(m);
            return true;
        }
        case SUB_S_CANCEL_BANKER:
        {
            CancelBankerMessage m;
            if (!Exact(data, size, m))
                return false;
            if (board != nullptr)
                board->OnCancelBanker(m.wCancelUser);
            return true;
        }
        case SUB_S_NO_BANKER:
            if (board != nullptr)
                board->ShowNoBanker();
            return true;
        default: return true;  // 105, 109, 110 and unknown subs
    }
}

bool NNHandler::OnGameSceneMessage(uint8_t gameStatus, bool, const void* data, uint16_t size)
{
    NNBoard* board = GetTransferBoard();
    switch (gameStatus)
    {
        case GS_FREE:
        {
            FreeScene scene;
            if (!Exact(data, size, scene))
                return false;
            if (board != nullptr)
                board->OnSceneFree(scene);
            return true;
        }
        case GS_BETTING:
        case GS_RESULT:
        case GS_RESULT_END:
        {
            PlayScene scene;
            if (!Exact(data, size, scene))
                return false;
            if (board == nullptr)
                return true;
            if (gameStatus == GS_BETTING)
                board->OnSceneBetting(scene);
            else
                board->OnSceneResult(scene);
            return true;
        }
        default: return true;
    }
}

}  // namespace TransferBattle
