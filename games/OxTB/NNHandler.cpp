#include "games/OxTB/NNHandler.h"

#include "games/OxTB/NNBoard.h"

namespace OxTB {

NNBoard* NNHandler::Board() const { return dynamic_cast<NNBoard*>(GetBoard()); }

bool NNHandler::OnGameMessage(uint16_t sub, const void* data, uint16_t size)
{
    NNBoard* board = Board();
    switch (sub)
    {
        case SUB_S_GAME_START:
            return TakeRecord<CMD_S_GameStart>(data, size, [&](const CMD_S_GameStart& start) {
                // A new round runs on its messages, whatever scene came before.
                ClearRestored();
                m_lBaseScore = start.lCellScore;
                if (board != nullptr)
                {
                    board->RefreshSeatUsers();
                    board->ThrowChips(start.cbPlayStatus);
                    board->ShowBaseScore();
                }
                PlayGameSound("OxEx/Eff/ADD_SCORE", false);
                PlayGameSound("OxEx/Eff/GAME_START", false);
            });
        case SUB_S_SEND_CARD: return TakeDeal<CMD_S_SendCard>(data, size, board);
        case SUB_S_GAME_END: return TakeRoundEnd<CMD_S_GameEnd>(data, size, board);
        case SUB_S_OPEN_CARD: return TakeOpening<CMD_S_Open>(data, size, -1);
        default: return true;
    }
}

bool NNHandler::OnGameSceneMessage(uint8_t gameStatus, bool, const void* data, uint16_t size)
{
    NNBoard* board = Board();
    if (gameStatus == GS_TK_FREE)
    {
        if (board != nullptr)
            board->RefreshSeatUsers();
        ClearScene();
        return true;
    }
    if (gameStatus != GS_TK_PLAYING)
        return true;
    if (board != nullptr)
        board->RefreshSeatUsers();
    EnterScene(Bull::kPhasePlaying);
    if (size != sizeof(m_PlayScene) || !wire::ReadRecord(data, size, m_PlayScene))
        return false;
    ClearScene();
    const uint16_t me = GetMeChairID();
    if (board == nullptr || me >= GAME_PLAYER)
        return true;
    // A seated player who sits the round out sees the waiting and the cards,
    // opened or not.
    if (m_PlayScene.cbOpenFlag[me] != 0 && !SitsOut())
        board->OnScenePlayingOpened();
    else
        board->OnScenePlaying();
    return true;
}

}  // namespace OxTB
