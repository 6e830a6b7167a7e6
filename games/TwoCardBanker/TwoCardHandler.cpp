#include "games/TwoCardBanker/TwoCardHandler.h"

#include "games/TwoCardBanker/TwoCardBoard.h"

namespace TwoCardBanker {

CTwoCardBoard* CTwoCardHandler::GetTwoCardBoard() const { return dynamic_cast<CTwoCardBoard*>(GetBoard()); }

void CTwoCardHandler::OnUserScore(tagUserData* user, uint16_t chair, bool lookOn)
{
    CGameHandler::OnUserScore(user, chair, lookOn);
    CTwoCardBoard* board = GetTwoCardBoard();
    if (board != nullptr && chair == GetMeChairID())
        board->OnMyScoreUpdated();
}

bool CTwoCardHandler::OnSharedMessage(uint16_t sub, const void* data, uint16_t size, bool& known)
{
    known = true;
    CTwoCardBoard* board = GetTwoCardBoard();
    if (sub == m_wNoticeSub)
        return DeliverExact<RoomNoticeMessage>(data, size, board, &CTwoCardBoard::OnRoomNoticeMessage);
    switch (sub)
    {
        case SUB_S_PLACE_BET:
            // The area indexes the board's per-area amounts.
            return DeliverExactIf<BetPlacedMessage>(
                data, size, board,
                [this](const BetPlacedMessage& m) { return m.cbArea >= 1 && m.cbArea <= m_nAreaCount; },
                &CTwoCardBoard::OnBetPlacedMessage);
        case SUB_S_APPLY_BANKER:
            return DeliverExact<ApplyBankerMessage>(
                data, size, board,
                [](CTwoCardBoard& b, const ApplyBankerMessage& m) { b.OnApplyBankerMessage(m.wApplyUser); });
        case SUB_S_CHANGE_BANKER:
            return DeliverExact<ChangeBankerMessage>(data, size, board, &CTwoCardBoard::OnChangeBankerMessage);
        case SUB_S_PLACE_BET_FAIL:
            return DeliverExact<BetFailedMessage>(data, size, board, &CTwoCardBoard::OnBetFailedMessage);
        case SUB_S_CANCEL_BANKER:
            return DeliverExact<CancelBankerMessage>(
                data, size, board,
                [](CTwoCardBoard& b, const CancelBankerMessage& m) { b.OnCancelBankerMessage(m.wCancelUser); });
        default: known = false; return true;
    }
}

bool CTwoCardHandler::OnFreeSceneMessage(const void* data, uint16_t size)
{
    return DeliverExact<FreeScene>(data, size, GetTwoCardBoard(), &CTwoCardBoard::OnFreeScene);
}

}  // namespace TwoCardBanker
