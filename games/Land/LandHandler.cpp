#include "games/Land/LandHandler.h"

#include "games/Land/GameLogic.h"
#include "games/Land/LandBoard.h"

#include <cstring>

namespace Land {

namespace {

template <typename Record>
Record Read(const void* data)
{
    Record record;
    std::memcpy(&record, data, sizeof(record));
    return record;
}

}  // namespace

LandBoard* LandHandler::GetLandBoard() const { return dynamic_cast<LandBoard*>(GetBoard()); }

void LandHandler::BeginRestore()
{
    // The playing scene fills the table in; until then nothing lies on it.
    EndRestore();
    m_cbRestored = 1;
}

void LandHandler::EndRestore()
{
    m_cbRestored = 0;
    m_cbRestoredTurnCount = 0;
    std::memset(m_cbRestoredTurnCards, 0, sizeof(m_cbRestoredTurnCards));
    m_cbRestoredFreeLead = 0;
}

bool LandHandler::OnGameMessage(uint16_t sub, const void* data, uint16_t size)
{
    LandBoard* board = GetLandBoard();
    switch (sub)
    {
        case SUB_S_SEND_CARD:
        {
            if (size != sizeof(CMD_S_SendCard))
                return false;
            const auto deal = Read<CMD_S_SendCard>(data);
            if (!IsChair(deal.wCurrentUser))
                return false;
            EndRestore();
            if (board != nullptr)
            {
                board->SetDealtCards(deal.cbCardData);
                board->SetGameState(LandBoard::kStateCalling);
                board->OnSubSendCard(deal);
            }
            return true;
        }
        case SUB_S_LAND_SCORE:
        {
            if (size != sizeof(CMD_S_LandScore))
                return false;
            const auto call = Read<CMD_S_LandScore>(data);
            if (!IsChairOrNobody(call.wCurrentUser) || !IsChair(call.wLandUser))
                return false;
            if (board != nullptr)
            {
                board->SetGameState(LandBoard::kStateCalling);
                board->OnSubCallScore(call);
            }
            return true;
        }
        case SUB_S_BANKER_INFO:
        {
            if (size != sizeof(CMD_S_BankerInfo))
                return false;
            const auto banker = Read<CMD_S_BankerInfo>(data);
            if (!IsChair(banker.wBankerUser) || !IsChair(banker.wCurrentUser))
                return false;
            // The landlord's first lead starts the first trick.
            EndRestore();
            if (board != nullptr)
            {
                board->SetGameState(LandBoard::kStatePlaying);
                board->OnSubBankerInfo(banker);
            }
            return true;
        }
        case SUB_S_OUT_CARD:
        {
            // The count is read only once the head is there; a play holds
            // 1 to 20 cards, the record's places.
            if (size < kOutCardHead)
                return false;
            CMD_S_OutCard play = {};
            std::memcpy(&play, data, kOutCardHead);
            if (play.cbCardCount == 0 || play.cbCardCount > MAX_COUNT || size != kOutCardHead + play.cbCardCount)
                return false;
            if (!IsChairOrNobody(play.wCurrentUser) || !IsChair(play.wOutCardUser))
                return false;
            std::memcpy(&play, data, size);
            m_TableRecord = play;
            m_bHasTableRecord = true;
            EndRestore();
            if (board != nullptr)
                board->OnSubOutCard(play);
            return true;
        }
        case SUB_S_PASS_CARD:
        {
            if (size != sizeof(CMD_S_PassCard))
                return false;
            const auto pass = Read<CMD_S_PassCard>(data);
            if (!IsChairOrNobody(pass.wCurrentUser) || !IsChair(pass.wPassUser))
                return false;
            // A pass inside the trick leaves its cards on the table.
            if (pass.cbTurnOver != 0)
                EndRestore();
            if (board != nullptr)
                board->OnSubPassCard(pass);
            return true;
        }
        case SUB_S_GAME_END:
        {
            if (size != sizeof(CMD_S_GameEnd))
                return false;
            const auto end = Read<CMD_S_GameEnd>(data);
            EndRestore();
            if (board != nullptr)
            {
                board->SetGameState(LandBoard::kStateEnded);
                board->OnSubGameEnd(end);
            }
            return true;
        }
        default: return true;
    }
}

bool LandHandler::OnGameSceneMessage(uint8_t gameStatus, bool, const void* data, uint16_t size)
{
    LandBoard* board = GetLandBoard();
    switch (gameStatus)
    {
        case GS_WK_FREE:
        {
            if (size != sizeof(CMD_S_StatusFree))
                return false;
            const auto free = Read<CMD_S_StatusFree>(data);
            m_dwOutCardSeconds = free.cbOutCardTime;
            m_dwCallSeconds = free.cbCallScoreTime;
            m_dwFirstSeconds = free.cbFirstOutTime;
            if (board != nullptr)
                board->OnSceneFree();
            return true;
        }
        case GS_WK_SCORE:
        {
            BeginRestore();
            if (size != sizeof(CMD_S_StatusScore))
                return false;
            const auto calling = Read<CMD_S_StatusScore>(data);
            if (!IsChairOrNobody(calling.wCurrentUser))
                return false;
            if (board != nullptr)
                board->OnSceneCalling(calling);
            return true;
        }
        case GS_WK_PLAYING:
        {
            BeginRestore();
            if (size != sizeof(CMD_S_StatusPlay))
                return false;
            const auto playing = Read<CMD_S_StatusPlay>(data);
            if (!IsChair(playing.wBankerUser) || !IsChairOrNobody(playing.wCurrentUser) ||
                !IsChairOrNobody(playing.wTurnWinner) || playing.cbTurnCardCount > MAX_COUNT)
                return false;
            for (uint8_t count : playing.cbCardCount)
                if (count > MAX_COUNT)
                    return false;
            if (board != nullptr)
                board->OnScenePlaying(playing);
            return true;
        }
        default: return true;
    }
}

}  // namespace Land
