#include "games/TwoCardBanker/TwoCardHandler.h"

#include "games/TwoCardBanker/TwoCardBoard.h"

namespace TwoCardBanker {

CTwoCardBoard* CTwoCardHandler::GetTwoCardBoard() const { return dynamic_cast<CTwoCardBoard*>(GetBoard()); }

bool CTwoCardHandler::OnSharedMessage(uint16_t sub, const void* data, uint16_t size, bool& known)
{
    known = true;
    CTwoCardBoard* board = GetTwoCardBoard();
    if (sub == m_wNoticeSub)
    {
        RoomNoticeMessage m;
        if (!Exact(data, size, m))
            return false;
        if (board != nullptr)
            board->OnRoomNoticeMessage(m);
        return true;
    }
    switch (sub)
    {
        case SUB_S_PLACE_BET:
        {
            BetPlacedMessage m;
            // The area indexes the board's per-area amounts.
            if (!Exact(data, size, m) || m.cbArea < 1 || m.cbArea > m_nAreaCount)
                return false;
            if (board != nullptr)
                board->OnBetPlacedMessage(m);
            return true;
        }
        case SUB_S_APPLY_BANKER:
        {
            ApplyBankerMessage m;
            if (!Exact(data, size, m))
                return false;
            if (board != nullptr)
                board->OnApplyBankerMessage(m.wApplyUser);
            return true;
        }
        case SUB_S_CHANGE_BANKER:
        {
            ChangeBankerMessage m;
            if (!Exact(data, size, m))
                return false;
            if (board != nullptr)
                board->OnChangeBankerMessage(m);
            return true;
        }
        case SUB_S_PLACE_BET_FAIL:
        {
            BetFailedMessage m;
            if (!Exact(data, size, m))
                return false;
            if (board != nullptr)
                board->OnBetFailedMessage(m);
            return true;
        }
        case SUB_S_CANCEL_BANKER:
        {
            CancelBankerMessage m;
            if (!Exact(data, size, m))
                return false;
            if (board != nullptr)
                board->OnCancelBankerMessage(m.wCancelUser);
            return true;
        }
        default: known = false; return true;
    }
}

bool CTwoCardHandler::OnFreeSceneMessage(const void* data, uint16_t size)
{
    FreeScene scene;
    if (!Exact(data, size, scene))
        return false;
    if (CTwoCardBoard* board = GetTwoCardBoard())
        board->OnFreeScene(scene);
    return true;
}

}  // namespace TwoCardBanker
