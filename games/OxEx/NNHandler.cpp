#include "games/OxEx/NNHandler.h"

#include "games/OxEx/NNBoard.h"

namespace OxEx {

NNBoard* NNHandler::Board() const { return dynamic_cast<NNBoard*>(GetBoard()); }

bool NNHandler::OnGameMessage(uint16_t sub, const void* data, uint16_t size)
{
    NNBoard* board = Board();
    switch (sub)
    {
        case SUB_S_CALL_BANKER: return TakeRobTurn<CMD_S_CallBanker>(data, size);
        case SUB_S_GAME_START: return TakeBankerNamed<CMD_S_GameStart>(data, size);
        case SUB_S_ADD_SCORE:
            return TakeRecord<CMD_S_AddScore>(data, size, [&](const CMD_S_AddScore& bet) {
                m_lLastBet = bet.lAddScoreCount;
                if (board != nullptr)
                {
                    board->ThrowChips(bet.wAddScoreUser);
                    board->StartOpenCountdown();
                }
                PlayGameSound("OxEx/Eff/ADD_SCORE", false);
                KillGameClock(Bull::kBullClockID);
            });
        // The deal waits for the chips and the amount: it starts when they land.
        case SUB_S_SEND_CARD:
            return TakeRecord<CMD_S_SendCard>(data, size, [&](const CMD_S_SendCard& cards) {
                if (board != nullptr)
                    board->OnSubSendCard(cards);
            });
        case SUB_S_OPEN_CARD: return TakeOpening<CMD_S_Open>(data, size, -1);
        case SUB_S_GAME_END: return TakeRoundEnd<CMD_S_GameEnd>(data, size, board);
        case SUB_S_PLAYER_EXIT:
        case 107:
        case 108:
        case 110: return true;
        default: return false;  // 109 and anything outside 100..110
    }
}

bool NNHandler::OnGameSceneMessage(uint8_t gameStatus, bool, const void* data, uint16_t size)
{
    // The call scene is read only while it is handled.
    CMD_S_StatusCall call;
    return OnRobbingScene<CMD_S_StatusCall, CMD_S_StatusScore>(gameStatus, data, size, kStatusFreeSize, call,
                                                               m_PlayScene);
}

}  // namespace OxEx
