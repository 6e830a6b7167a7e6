#include "games/DZPoKer/DZPoKerHandler.h"

#include "games/DZPoKer/DZPoKerBoard.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/KernelMessages.h"

#include <cstring>

namespace DZPoKer {

namespace {

// A chair a message names: 0..5, or nobody where nobody is allowed.
bool ChairOrNobody(uint16_t chair) { return chair < GAME_PLAYER || chair == INVALID_CHAIR; }

}  // namespace

DZPoKerHandler::DZPoKerHandler() = default;

DZPoKerBoard* DZPoKerHandler::GetPokerBoard() const { return dynamic_cast<DZPoKerBoard*>(GetBoard()); }

bool DZPoKerHandler::IsMePlaying()
{
    const tagUserData* me = GetTableUserData(GetMeChairID());
    return me != nullptr && me->cbUserStatus == US_PLAY;
}

void DZPoKerHandler::ResetGameClient()
{
    m_wDealerUser = INVALID_CHAIR;
    m_wCurrentUser = INVALID_CHAIR;
    m_lStartChip = 0;
    m_lFollowScore = 0;
    m_lPot = 0;
    m_lCellScore = 0;
    std::memset(m_lTableScore, 0, sizeof(m_lTableScore));
    std::memset(m_lTotalScore, 0, sizeof(m_lTotalScore));
    std::memset(m_cbCenterCard, 0, sizeof(m_cbCenterCard));
    std::memset(m_cbHandCard, 0, sizeof(m_cbHandCard));
    std::memset(m_cbBestFive, 0, sizeof(m_cbBestFive));
    std::memset(m_cbPlayStatus, 0, sizeof(m_cbPlayStatus));
    m_lFollowShow = 0;
    m_nActionMask = MASK_NONE;
    Sexy::CGameHandler::ResetGameClient();
}

bool DZPoKerHandler::OnGameMessage(uint16_t sub, const void* data, uint16_t size)
{
    switch (sub)
    {
        case SUB_S_GAME_START: return OnGameStart(data, size);
        case SUB_S_ADD_SCORE: return OnAddScoreMessage(data, size);
        case SUB_S_GIVE_UP: return OnGiveUpMessage(data, size);
        case SUB_S_SEND_CARD: return OnSendCard(data, size);
        case SUB_S_GAME_END: return OnGameEnd(data, size);
        case SUB_S_IGNORED: return true;
        case SUB_S_POT_LIST: return OnPotList(data, size);
        default: return false;
    }
}

bool DZPoKerHandler::OnGameSceneMessage(uint8_t gameStatus, bool, const void* data, uint16_t size)
{
    switch (gameStatus)
    {
        case GS_FREE:
        {
            CMD_S_StatusFree free;
            if (!ReadExact(data, size, free))
                return false;
            ResetGameClient();
            m_wMeChairID = GetMeChairID();
            SetGameStatus(Sexy::GAME_STATUS_FREE);
            if (DZPoKerBoard* board = GetPokerBoard())
                board->ClearForScene();
            return true;
        }
        case GS_PLAYING: return OnPlayingScene(data, size);
        default: return false;
    }
}

// --- server messages ------------------------------------------------------------

bool DZPoKerHandler::OnGameStart(const void* data, uint16_t size)
{
    ResetGameClient();
    CMD_S_GameStart start;
    if (!ReadExact(data, size, start))
        return false;
    if (!ChairOrNobody(start.wCurrentUser) || !ChairOrNobody(start.wDealerUser))
        return false;
    SetGameStatus(Sexy::GAME_STATUS_PLAY);
    m_wCurrentUser = start.wCurrentUser;
    m_wDealerUser = start.wDealerUser;
    m_lStartChip = start.lStartChip;
    m_lFollowScore = start.lFollowScore;
    m_lAllInScore = start.lAllInScore;
    m_lCellScore = start.lCellScore;
    m_nActionMask = start.nActionMask;
    m_lFollowShow = 0;
    std::memcpy(m_cbPlayStatus, start.cbPlayStatus, sizeof(m_cbPlayStatus));

    DZPoKerBoard* board = GetPokerBoard();
    if (board != nullptr)
        board->ShowDealerMark(m_wDealerUser);
    PlayGameSound("DZShowHand/Music/GAME_START", false);
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        if (m_cbPlayStatus[chair] != 0)
            m_lTableScore[chair] = m_lTotalScore[chair] = m_lCellScore;
    }
    if (board != nullptr && m_wCurrentUser == GetMeChairID())
        board->ShowMyActions(m_nActionMask);
    std::memcpy(m_cbHandCard, start.cbHandCard, sizeof(m_cbHandCard));
    if (board != nullptr)
    {
        board->StartDeal();
        board->StartTurnTimer(m_wCurrentUser);
    }
    return true;
}

DZPoKerBoard* DZPoKerHandler::StopTurnTimer()
{
    DZPoKerBoard* board = GetPokerBoard();
    if (board != nullptr)
        board->StopTurnTimer();
    return board;
}

bool DZPoKerHandler::OnAddScoreMessage(const void* data, uint16_t size)
{
    DZPoKerBoard* board = StopTurnTimer();
    CMD_S_AddScore action;
    if (!ReadExact(data, size, action))
        return false;
    const uint16_t actor = action.wAddScoreUser;
    if (actor >= GAME_PLAYER)
        return false;
    m_wCurrentUser = action.wCurrentUser;
    m_lFollowScore = action.lFollowScore;
    m_lAllInScore = action.lAllInScore;
    m_lStartChip = action.lStartChip;
    m_nActionMask = action.nActionMask;
    m_lFollowShow = action.lFollowShow;
    const uint16_t me = GetMeChairID();
    if (board != nullptr && m_wCurrentUser == me)
        board->ShowMyActions(m_nActionMask);

    if (actor == me)
    {
        // My own amounts went on when I pressed the button.
        if (board != nullptr && action.nActionCode == ACTION_ALL_IN)
            board->ShowSeatAction(SwitchViewChairID(me), ACTION_ALL_IN);
        if (board != nullptr && action.lAddScore > 0)
            board->SetTableBet(me, m_lTableScore[me]);
    }
    else
    {
        if (action.lAddScore > 0)
        {
            m_lTableScore[actor] += action.lAddScore;
            m_lTotalScore[actor] += action.lAddScore;
            if (board != nullptr)
            {
                board->SetTableBet(actor, m_lTableScore[actor]);
                board->SetTotalBet(actor, m_lTotalScore[actor]);
            }
        }
        if (board != nullptr)
            board->ShowSeatAction(SwitchViewChairID(actor), action.nActionCode);
        if (m_cbPlayStatus[actor] == 1)
        {
            const char* sound = action.lAddScore == 0                ? "DZShowHand/Music/NO_ADD"
                                : action.lAddScore == m_lAllInScore  ? "DZShowHand/Music/SHOW_HAND"
                                : action.lAddScore == m_lFollowScore ? "DZShowHand/Music/FOLLOW"
                                                                     : "DZShowHand/Music/ADD_SCORE";
            PlayGameSound(sound, false);
        }
    }

    if (m_wCurrentUser == INVALID_CHAIR)
    {
        // The betting phase is over: the bets go to the pot.
        for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
        {
            if (m_cbPlayStatus[chair] == 0)
                continue;
            if (board != nullptr)
                board->HideSeatAction(chair);
            m_lPot += m_lTableScore[chair];
        }
        std::memset(m_lTableScore, 0, sizeof(m_lTableScore));
        if (board != nullptr)
            board->GatherBetsToPot(m_lPot);
    }
    else if (m_wCurrentUser < GAME_PLAYER && board != nullptr)
    {
        board->StartTurnTimer(m_wCurrentUser);
    }
    return true;
}

bool DZPoKerHandler::OnGiveUpMessage(const void* data, uint16_t size)
{
    DZPoKerBoard* board = StopTurnTimer();
    CMD_S_GiveUp giveUp;
    if (!ReadExact(data, size, giveUp))
        return false;
    const uint16_t chair = giveUp.wGiveUpUser;
    if (chair >= GAME_PLAYER)
        return false;
    m_cbPlayStatus[chair] = 0;
    if (chair == GetMeChairID())
        SetGameStatus(Sexy::GAME_STATUS_FREE);
    if (board != nullptr)
        board->ShowSeatAction(SwitchViewChairID(chair), ACTION_GIVE_UP);
    if (m_lTableScore[chair] > 0)
    {
        m_lPot += m_lTableScore[chair];
        if (board != nullptr)
            board->ShowGiveUp(chair, m_lTableScore[chair], true);
    }
    else if (board != nullptr)
    {
        board->ShowGiveUp(chair, 0, false);
    }
    int playing = 0;
    for (uint8_t status : m_cbPlayStatus)
        playing += status != 0;
    if (playing < 2 && board != nullptr)
    {
        for (uint16_t other = 0; other < GAME_PLAYER; ++other)
        {
            if (m_cbPlayStatus[other] != 0 && m_lTableScore[other] > 0)
                board->ShowGiveUp(other, m_lTableScore[other], true);
        }
    }
    return true;
}

bool DZPoKerHandler::OnSendCard(const void* data, uint16_t size)
{
    CMD_S_SendCard send;
    if (!ReadExact(data, size, send))
        return false;
    m_wCurrentUser = send.wCurrentUser;
    m_nActionMask = send.nActionMask;
    m_lFollowShow = 0;
    const uint8_t count = send.cbCardCount < MAX_CENTER_COUNT ? send.cbCardCount : MAX_CENTER_COUNT;
    std::memcpy(m_cbCenterCard, send.cbCenterCard, count);

    DZPoKerBoard* board = GetPokerBoard();
    if (board != nullptr)
    {
        if (send.cbRunOut == 0 && count == 3)
            board->DealBoardCards(0, 0, 3);
        else if (send.cbRunOut == 0 && count >= 4)
            board->DealBoardCards(count - 1, 0, 0);
        if (count == MAX_CENTER_COUNT)
        {
            if (send.cbRunOut == 1)
                board->DealBoardCards(0, 0, 5);
            else if (send.cbRunOut == 2)
                board->DealBoardCards(0, 3, 5);
            else if (send.cbRunOut == 3)
                board->DealBoardCards(4, 0, 0);
        }
        if (m_wCurrentUser == GetMeChairID())
            board->ShowMyActions(m_nActionMask);
    }
    return true;
}

void DZPoKerHandler::OnBoardCardsShown()
{
    DZPoKerBoard* board = GetPokerBoard();
    if (board == nullptr)
        return;
    if (IsMePlaying() && m_wCurrentUser == GetMeChairID())
        board->ShowMyActions(m_nActionMask);
    if (m_wCurrentUser < GAME_PLAYER)
        board->StartTurnTimer(m_wCurrentUser);
}

bool DZPoKerHandler::OnGameEnd(const void* data, uint16_t size)
{
    DZPoKerBoard* board = StopTurnTimer();
    CMD_S_GameEnd end;
    if (!ReadExact(data, size, end))
        return false;

    HideActionButtons();
    if (board != nullptr)
    {
        for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
            board->HideSeatAction(chair);
    }
    std::memcpy(m_lGameScore, end.lGameScore, sizeof(m_lGameScore));
    std::memcpy(m_cbHandCard, end.cbHandCard, sizeof(m_cbHandCard));
    std::memcpy(m_cbBestFive, end.cbBestFive, sizeof(m_cbBestFive));
    if (board != nullptr)
    {
        board->SetGameResult(end.cbBestFive, end.cbHandClass, end.cbPotCount, end.cbPotIndex);
        board->ShowGameScores();
    }

    m_cbShowHand = end.cbShowHand == 1 ? 1 : 0;
    SetGameStatus(Sexy::GAME_STATUS_FREE);
    if (m_cbShowHand != 0)
    {
        WinnerList winners{};
        m_GameLogic.SelectWinners(m_cbBestFive, winners);
        for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
        {
            if (m_cbPlayStatus[chair] != 1 || board == nullptr)
                continue;
            board->ShowHoleCards(chair);
            board->ShowHandClass(chair);
        }
        if (board != nullptr && m_wMeChairID < GAME_PLAYER && m_cbPlayStatus[m_wMeChairID] != 0)
            board->HighlightBestFive(m_wMeChairID);
        for (uint8_t i = 0; i < winners.count && i < GAME_PLAYER && board != nullptr; ++i)
            board->ShowWinner(winners.chairs[i]);
    }
    const uint16_t me = GetMeChairID();
    if (IsMePlaying())
        PlayGameSound(me < GAME_PLAYER && m_lGameScore[me] >= 0 ? "DZShowHand/Music/GAME_WIN"
                                                                : "DZShowHand/Music/GAME_LOST",
                      false);
    else
        PlayGameSound("DZShowHand/Music/GAME_END", false);
    std::memset(m_lTableScore, 0, sizeof(m_lTableScore));
    std::memset(m_lTotalScore, 0, sizeof(m_lTotalScore));
    m_lPot = 0;
    return true;
}

bool DZPoKerHandler::OnPotList(const void* data, uint16_t size)
{
    CMD_S_PotList pots;
    if (!ReadExact(data, size, pots))
        return false;
    // More than six pots cannot be shown: the count is cut to the list.
    const uint32_t count = pots.dwPotCount < MAX_POT_COUNT ? pots.dwPotCount : MAX_POT_COUNT;
    if (DZPoKerBoard* board = GetPokerBoard())
        board->SetPotList(pots.lPotScore, count);
    return true;
}

bool DZPoKerHandler::OnPlayingScene(const void* data, uint16_t size)
{
    CMD_S_StatusPlay scene;
    if (!ReadExact(data, size, scene))
        return false;
    if (!ChairOrNobody(scene.wDealerUser))
        return false;
    // The scene is the whole hand: nothing of an earlier one stays, on the
    // table or in the sums.
    ResetGameClient();
    if (DZPoKerBoard* board = GetPokerBoard())
        board->ClearForScene();
    m_wMeChairID = GetMeChairID();
    SetGameStatus(Sexy::GAME_STATUS_PLAY);
    m_wDealerUser = scene.wDealerUser;
    m_wCurrentUser = scene.wCurrentUser;
    std::memcpy(m_lTableScore, scene.lTableScore, sizeof(m_lTableScore));
    std::memcpy(m_lTotalScore, scene.lTotalScore, sizeof(m_lTotalScore));
    std::memcpy(m_cbPlayStatus, scene.cbPlayStatus, sizeof(m_cbPlayStatus));
    m_lStartChip = scene.lStartChip;
    m_lCellScore = scene.lCellScore;
    m_lAllInScore = scene.lAllInScore;
    m_lFollowScore = scene.lFollowScore;
    m_lPot = scene.lPot;
    m_nActionMask = scene.nActionMask;
    m_lFollowShow = scene.lFollowShow;
    if (m_wMeChairID < GAME_PLAYER)
        std::memcpy(m_cbHandCard[m_wMeChairID], scene.cbHandCard, HOLE_CARD_COUNT);
    std::memcpy(m_cbCenterCard, scene.cbCenterCard, sizeof(m_cbCenterCard));

    DZPoKerBoard* board = GetPokerBoard();
    if (board == nullptr)
        return true;
    if (m_lPot > 0)
        board->ShowPot(m_lPot);
    board->ShowDealerMark(m_wDealerUser);
    board->RestoreHoleCards();
    if (scene.cbBetRound != 0)
    {
        const int shown = scene.cbBetRound + 2;
        board->ShowBoardCards(shown < MAX_CENTER_COUNT ? shown : MAX_CENTER_COUNT);
    }
    bool anyWithoutBet = false;
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        if (m_cbPlayStatus[chair] == 0)
            continue;
        if (m_lTableScore[chair] > 0)
            board->ShowTableChips(SwitchViewChairID(chair), m_lTableScore[chair]);
        if (m_lTableScore[chair] == 0)
            anyWithoutBet = true;
    }
    if (anyWithoutBet)
        board->SetChipPlacement(true);
    if (m_wCurrentUser == GetMeChairID())
        board->ShowMyActions(m_nActionMask);
    if (m_wCurrentUser < GAME_PLAYER)
        board->StartTurnTimer(m_wCurrentUser);
    if (!IsMePlaying())
        board->ShowWaitingAnimation();
    return true;
}

// --- users ----------------------------------------------------------------------------

void DZPoKerHandler::OnUserLeave(tagUserData* user, uint16_t chair, bool lookOn)
{
    if (GetBoard() == nullptr)
        return;
    Sexy::CGameHandler::OnUserLeave(user, chair, lookOn);
    DZPoKerBoard* board = GetPokerBoard();
    if (board != nullptr && chair != GetMeChairID() && chair < GAME_PLAYER)
        board->ClearSeat(chair);
}

// --- my actions ------------------------------------------------------------------------

void DZPoKerHandler::HideActionButtons()
{
    if (DZPoKerBoard* board = GetPokerBoard())
    {
        for (int i = 0; i < 5; ++i)
            board->ShowActionButton(i, false);
    }
}

void DZPoKerHandler::AddMyBet(int64_t amount)
{
    const uint16_t me = GetMeChairID();
    if (me >= GAME_PLAYER)
        return;
    m_lTableScore[me] += amount;
    m_lTotalScore[me] += amount;
}

void DZPoKerHandler::SendAddScore(const char* sound, int64_t amount, int32_t kind)
{
    PlayGameSound(sound, false);
    HideActionButtons();
    CMD_C_AddScore add{};
    add.lScore = amount;
    add.nAddKind = kind;
    SendGameData(SUB_C_ADD_SCORE, &add, sizeof(add));
}

void DZPoKerHandler::OnGiveUp()
{
    PlayGameSound("DZShowHand/Music/GIVE_UP", false);
    HideActionButtons();
    SendGameData(SUB_C_GIVE_UP);
}

void DZPoKerHandler::OnPass() { SendAddScore("DZShowHand/Music/NO_ADD", 0, ADD_FOLLOW); }

void DZPoKerHandler::OnFollow()
{
    AddMyBet(m_lFollowScore);
    SendAddScore("DZShowHand/Music/FOLLOW", m_lFollowScore, ADD_FOLLOW);
}

void DZPoKerHandler::OnAddScore(int32_t kind)
{
    const int64_t times = kind == 2 ? 2 : kind == 3 ? 3 : 1;
    const int64_t amount = m_lCellScore * times + m_lFollowScore;
    AddMyBet(amount);
    SendAddScore("DZShowHand/Music/ADD_SCORE", amount, kind);
}

void DZPoKerHandler::OnAllIn()
{
    AddMyBet(m_lAllInScore);
    SendAddScore("DZShowHand/Music/SHOW_HAND", m_lAllInScore, ADD_ALL_IN);
}

}  // namespace DZPoKer
