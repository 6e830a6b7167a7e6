#include "games/OxEx/NNHandler.h"

#include "games/OxEx/NNBoard.h"

namespace OxEx {

NNBoard* NNHandler::Board() const { return dynamic_cast<NNBoard*>(GetBoard()); }

bool NNHandler::OnGameMessage(uint16_t sub, const void* data, uint16_t size)
{
    NNBoard* board = Board();
    switch (sub)
    {
        case SUB_S_CALL_BANKER:
        {
            CMD_S_CallBanker call;
            if (size != sizeof(call) || !wire::ReadRecord(data, size, call))
                return false;
            if (board != nullptr)
                board->ShowRobChoice(SwitchViewChairID(call.wCallBanker));
            SetGameClock(call.wCallBanker, Bull::kBullClockID, Bull::kBullClockSeconds);
            if (board != nullptr && call.wCallBanker == GetMeChairID())
                board->StartBankerCallCountdown();
            PlayGameSound("OxEx/Eff/GAME_START", false);
            return true;
        }
        case SUB_S_GAME_START:
        {
            CMD_S_GameStart start;
            if (size != sizeof(start) || !wire::ReadRecord(data, size, start))
                return false;
            KillGameClock(Bull::kBullClockID);
            if (board != nullptr)
                board->HideRobChoice();
            m_wBankerChair = start.wBankerUser;
            m_lBetCeiling = start.lTurnMaxScore;
            if (board != nullptr)
                board->ShowBanker(m_wBankerChair);
            SetGameClock(GetMeChairID(), Bull::kBullClockID, Bull::kBullClockSeconds);
            if (board != nullptr && m_wBankerChair != GetMeChairID())
                board->StartBetCountdown();
            return true;
        }
        case SUB_S_ADD_SCORE:
        {
            CMD_S_AddScore bet;
            if (size != sizeof(bet) || !wire::ReadRecord(data, size, bet))
                return false;
            m_lLastBet = bet.lAddScoreCount;
            if (board != nullptr)
            {
                board->ThrowChips(bet.wAddScoreUser);
                board->StartOpenCountdown();
            }
            PlayGameSound("OxEx/Eff/ADD_SCORE", false);
            KillGameClock(Bull::kBullClockID);
            return true;
        }
        case SUB_S_SEND_CARD:
        {
            CMD_S_SendCard cards;
            if (size != sizeof(cards) || !wire::ReadRecord(data, size, cards))
                return false;
            if (board != nullptr)
                board->OnSubSendCard(cards);
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
        case SUB_S_GAME_END:
        {
            CMD_S_GameEnd end;
            if (size != sizeof(end) || !wire::ReadRecord(data, size, end))
                return false;
            if (board != nullptr)
                board->OnSubGameEnd(end, IsRestored());
            return true;
        }
        case SUB_S_PLAYER_EXIT:
        case 107:
        case 108:
        case 110: return true;
        default: return false;  // 109 and anything outside 100..110
    }
}

bool NNHandler::OnGameSceneMessage(uint8_t gameStatus, bool, const void* data, uint16_t size)
{
    NNBoard* board = Board();
    switch (gameStatus)
    {
        case GS_TK_FREE: EnterScene(Bull::kPhaseFree); return size == kStatusFreeSize;
        case GS_TK_CALL:
        {
            EnterScene(Bull::kPhaseCall);
            CMD_S_StatusCall call;
            if (size != sizeof(call) || !wire::ReadRecord(data, size, call))
                return false;
            if (board != nullptr)
                board->OnSceneCallBanker(call.wCallBanker);
            return true;
        }
        case GS_TK_SCORE:
        {
            EnterScene(Bull::kPhaseBetting);
            CMD_S_StatusScore score;
            if (size != sizeof(score) || !wire::ReadRecord(data, size, score))
                return false;
            if (board != nullptr)
                board->OnSceneBetting(score);
            return true;
        }
        case GS_TK_PLAYING:
        {
            EnterScene(Bull::kPhasePlaying);
            if (size != sizeof(m_PlayScene) || !wire::ReadRecord(data, size, m_PlayScene))
                return false;
            const uint16_t me = GetMeChairID();
            if (board == nullptr || me >= GAME_PLAYER)
                return true;
            if (m_PlayScene.cbOxCard[me] == NOT_OPENED)
                board->OnScenePlaying();
            else
                board->OnScenePlayingOpened();
            return true;
        }
        default: return true;
    }
}

}  // namespace OxEx
