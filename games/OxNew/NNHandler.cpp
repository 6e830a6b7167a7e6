#include "games/OxNew/NNHandler.h"

#include "games/OxNew/NNBoard.h"

namespace OxNew {

NNBoard* NNHandler::Board() const { return dynamic_cast<NNBoard*>(GetBoard()); }

bool NNHandler::OnGameMessage(uint16_t sub, const void* data, uint16_t size)
{
    NNBoard* board = Board();
    switch (sub)
    {
        case SUB_S_CALL_BANKER: return TakeRobTurn<CMD_S_CallBanker>(data, size);
        case SUB_S_GAME_START: return TakeBankerNamed<CMD_S_GameStart>(data, size);
        // Each bettor's chips and amount; only my own bet stops my clock.
        case SUB_S_ADD_SCORE:
            return TakeRecord<CMD_S_AddScore>(data, size, [&](const CMD_S_AddScore& bet) {
                m_lLastBet = bet.lAddScoreCount;
                if (board != nullptr)
                    board->ThrowChips(bet.wAddScoreUser);
                PlayGameSound("OxEx/Eff/ADD_SCORE", false);
                if (bet.wAddScoreUser == GetMeChairID())
                    KillGameClock(Bull::kBullClockID);
            });
        case SUB_S_SEND_CARD: return TakeDeal<CMD_S_SendCard>(data, size, board);
        case SUB_S_GAME_END: return TakeRoundEnd<CMD_S_GameEnd>(data, size, board);
        case SUB_S_OPEN_CARD: return TakeOpening<CMD_S_Open>(data, size, 500);
        case SUB_S_PLAYER_EXIT:
        case SUB_S_IGNORED: return true;
        default: return false;  // 107 to 109 and anything outside 100..110
    }
}

bool NNHandler::OnGameSceneMessage(uint8_t gameStatus, bool, const void* data, uint16_t size)
{
    return OnRobbingScene<CMD_S_StatusCall, CMD_S_StatusScore>(gameStatus, data, size, kStatusFreeSize, m_CallScene,
                                                               m_PlayScene);
}

}  // namespace OxNew
