#include "games/TransferBattle/NNHandler.h"

#include "games/TransferBattle/NNBoard.h"
#include "games/framework/GameBoard.h"

namespace TransferBattle {

NNBoard* NNHandler::GetTransferBoard() const { return dynamic_cast<NNBoard*>(GetBoard()); }

bool NNHandler::OnGameMessage(uint16_t sub, const void* data, uint16_t size)
{
    NNBoard* board = GetTransferBoard();
    switch (sub)
    {
        case SUB_S_GAME_FREE: return DeliverExact<FreeMessage>(data, size, board, &NNBoard::OnGameFree);
        case SUB_S_GAME_START: return DeliverExact<RoundStartMessage>(data, size, board, &NNBoard::OnGameStart);
        case SUB_S_PLACE_BET:
            // The area indexes the board's per-area amounts and labels.
            return DeliverExactIf<BetPlacedMessage>(
                data, size, board, [](const BetPlacedMessage& m) { return ValidArea(m.cbArea); }, &NNBoard::OnPlaceBet);
        case SUB_S_GAME_END:
            // The slot names the point the wheel stops at.
            return DeliverExactIf<RoundEndMessage>(
                data, size, board, [](const RoundEndMessage& m) { return ValidWinSlot(m.cbWinSlot); },
                &NNBoard::OnGameEnd);
        case SUB_S_APPLY_BANKER:
            return DeliverExact<ApplyBankerMessage>(
                data, size, board, [](NNBoard& b, const ApplyBankerMessage& m) { b.OnApplyBanker(m.wApplyUser); });
        case SUB_S_CHANGE_BANKER: return DeliverExact<ChangeBankerMessage>(data, size, board, &NNBoard::OnChangeBanker);
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
        case SUB_S_PLACE_BET_FAIL: return DeliverExact<BetFailedMessage>(data, size, board, &NNBoard::OnBetFailed);
        case SUB_S_CANCEL_BANKER:
            return DeliverExact<CancelBankerMessage>(
                data, size, board, [](NNBoard& b, const CancelBankerMessage& m) { b.OnCancelBanker(m.wCancelUser); });
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
        case GS_FREE: return DeliverExact<FreeScene>(data, size, board, &NNBoard::OnSceneFree);
        case GS_BETTING: return DeliverExact<PlayScene>(data, size, board, &NNBoard::OnSceneBetting);
        case GS_RESULT:
        case GS_RESULT_END: return DeliverExact<PlayScene>(data, size, board, &NNBoard::OnSceneResult);
        default: return true;
    }
}

}  // namespace TransferBattle
