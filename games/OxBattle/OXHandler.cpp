#include "games/OxBattle/OXHandler.h"

#include "games/OxBattle/OXBoard.h"
#include "games/framework/GameBoard.h"

namespace OxBattle {

OXBoard* OXHandler::GetOxBoard() const { return dynamic_cast<OXBoard*>(GetBoard()); }

bool OXHandler::OnGameMessage(uint16_t sub, const void* data, uint16_t size)
{
    m_cbDataReceived = 1;
    OXBoard* board = GetOxBoard();
    switch (sub)
    {
        case SUB_S_GAME_FREE: return DeliverExact<FreeMessage>(data, size, board, &OXBoard::OnGameFree);
        case SUB_S_GAME_START: return DeliverExact<RoundStartMessage>(data, size, board, &OXBoard::OnRoundStart);
        case SUB_S_PLACE_BET:
            // The area indexes the board's per-area amounts.
            return DeliverExactIf<BetPlacedMessage>(
                data, size, board, [](const BetPlacedMessage& m) { return OXBoard::ValidArea(m.cbArea); },
                &OXBoard::OnBetPlaced);
        case SUB_S_GAME_END: return DeliverExact<RoundEndMessage>(data, size, board, &OXBoard::OnRoundEnd);
        case SUB_S_APPLY_BANKER:
            return DeliverExact<ApplyBankerMessage>(
                data, size, board, [](OXBoard& b, const ApplyBankerMessage& m) { b.OnApplyBanker(m.wApplyUser); });
        case SUB_S_CHANGE_BANKER: return DeliverExact<ChangeBankerMessage>(data, size, board, &OXBoard::OnChangeBanker);
        case SUB_S_SEND_RECORD:
            return DeliverEach<RoundRecord>(data, size, board, &OXBoard::AddRecord, &OXBoard::LayoutRecords);
        case SUB_S_PLACE_BET_FAIL: return DeliverExact<BetFailedMessage>(data, size, board, &OXBoard::OnBetFailed);
        case SUB_S_CANCEL_BANKER:
            return DeliverExact<CancelBankerMessage>(
                data, size, board, [](OXBoard& b, const CancelBankerMessage& m) { b.OnCancelBanker(m.wCancelUser); });
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
            return DeliverExact<FreeScene>(data, size, board, [](OXBoard& b, const FreeScene& scene) {
                b.SetBankerMinimum(scene.lApplyBankerCondition);
                b.OnFreeScene(scene);
            });
        case GS_BETTING:
        case GS_RESULT:
        case GS_RESULT_END:
            return DeliverExact<PlayScene>(data, size, board, [gameStatus](OXBoard& b, const PlayScene& scene) {
                b.SetBankerMinimum(scene.lApplyBankerCondition);
                if (gameStatus == GS_BETTING)
                    b.OnBetScene(scene);
                else
                    b.OnResultScene(scene);
            });
        default: return true;
    }
}

}  // namespace OxBattle
