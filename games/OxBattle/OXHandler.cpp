#include "games/OxBattle/OXHandler.h"

#include "games/OxBattle/OXBoard.h"
#include "games/framework/GameBoard.h"

namespace OxBattle {

namespace {

// The record when the size is exactly its own.
template <typename Record>
bool Exact(const void* data, uint16_t size, Record& out)
{
    return size == sizeof(Record) && wire::ReadRecord(data, size, out);
}

}  // namespace

OXBoard* OXHandler::GetOxBoard() const { return dynamic_cast<OXBoard*>(GetBoard()); }

bool OXHandler::OnGameMessage(uint16_t sub, const void* data, uint16_t size)
{
    m_cbDataReceived = 1;
    OXBoard* board = GetOxBoard();
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
                board->OnRoundStart(m);
            return true;
        }
        case SUB_S_PLACE_BET:
        {
            BetPlacedMessage m;
            // The area indexes the board's per-area amounts.
            if (!Exact(data, size, m) || !OXBoard::ValidArea(m.cbArea))
                return false;
            if (board != nullptr)
                board->OnBetPlaced(m);
            return true;
        }
        case SUB_S_GAME_END:
        {
            RoundEndMessage m;
            if (!Exact(data, size, m))
                return false;
            if (board != nullptr)
                board->OnRoundEnd(m);
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
            if (size % sizeof(RoundRecord) != 0 || (size != 0 && data == nullptr))
                return false;
            if (board == nullptr)
                return true;
            const auto* bytes = static_cast<const uint8_t*>(data);
            for (uint16_t at = 0; at < size; at += sizeof(RoundRecord))
            {
                RoundRecord record;
                wire::ReadRecord(bytes + at, sizeof(RoundRecord), record);
                board->AddRecord(record);
            }
            board->LayoutRecords();
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
        default: return true;  // 105 and unknown subs
    }
}

bool OXHandler::OnGameSceneMessage(uint8_t gameStatus, bool, const void* data, uint16_t size)
{
    m_cbDataReceived = 1;
    OXBoard* board = GetOxBoard();
    switch (gameStatus)
    {
        case GS_FREE:
        {
            FreeScene scene;
            if (!Exact(data, size, scene))
                return false;
            if (board != nullptr)
            {
                board->SetBankerMinimum(scene.lApplyBankerCondition);
                board->OnFreeScene(scene);
            }
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
            board->SetBankerMinimum(scene.lApplyBankerCondition);
            if (gameStatus == GS_BETTING)
                board->OnBetScene(scene);
            else
                board->OnResultScene(scene);
            return true;
        }
        default: return true;
    }
}

}  // namespace OxBattle
