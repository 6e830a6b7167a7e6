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
        {
            CMD_S_GameStart start;
            if (size != sizeof(start) || !wire::ReadRecord(data, size, start))
                return false;
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
            return true;
        }
        case SUB_S_SEND_CARD:
        {
            CMD_S_SendCard cards;
            if (size != sizeof(cards) || !wire::ReadRecord(data, size, cards))
                return false;
            if (board != nullptr)
            {
                board->OnSubSendCard(cards);
                board->DealCards();
                board->StartOpenCountdown();
            }
            return true;
        }
        case SUB_S_GAME_END:
        {
            CMD_S_GameEnd end;
            if (size != sizeof(end) || !wire::ReadRecord(data, size, end))
                return false;
            if (board != nullptr)
                board->OnSubGameEnd(end, IsRestored());
            return true;
        }
        case SUB_S_OPEN_CARD:
        {
            CMD_S_Open open;
            if (size != sizeof(open) || !wire::ReadRecord(data, size, open))
                return false;
            OnPlayerOpened(open.wPlayerID, board, -1);
            return true;
        }
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
        return true;
    }
    if (gameStatus != GS_TK_PLAYING)
        return true;
    if (board != nullptr)
        board->RefreshSeatUsers();
    EnterScene(Bull::kPhasePlaying);
    if (size != sizeof(m_PlayScene) || !wire::ReadRecord(data, size, m_PlayScene))
        return false;
    const uint16_t me = GetMeChairID();
    if (board == nullptr || me >= GAME_PLAYER)
        return true;
    if (m_PlayScene.cbOpenFlag[me] != 0)
        board->RestoreOpenedHand();
    else
        board->RestoreUnopenedHand();
    return true;
}

}  // namespace OxTB
