#include "games/ShowHandANEx/NNHandler.h"

#include "games/ShowHandANEx/NNBoard.h"
#include "games/common/BankerBetting.h"

#include <algorithm>
#include <cstring>

namespace ShowHandANEx {

// Amounts are the server's and may be anything 64 bits hold: sums stop at
// the ends of the range instead of wrapping.
using games::SaturatingAdd;
using games::SaturatingMul;
using games::SaturatingSub;

namespace {

bool IsChair(uint16_t chair) { return chair < GAME_PLAYER; }
// A chair that acts next, or nobody.
bool IsChairOrNobody(uint16_t chair) { return chair < GAME_PLAYER || chair == INVALID_CHAIR; }

}  // namespace

NNHandler::NNHandler() = default;

NNBoard* NNHandler::Board() const { return dynamic_cast<NNBoard*>(GetBoard()); }

void NNHandler::RefreshMyChair()
{
    const uint16_t me = GetMeChairID();
    m_wMyChair = IsChair(me) ? me : INVALID_CHAIR;
}

void NNHandler::ResetGameClient()
{
    m_bShowHand = false;
    m_bSceneShowHand = false;
    m_bRestored = false;
    m_dwRaiseCount = 0;
    m_lCellScore = 0;
    m_lLastAmount = 0;
    m_lShowHandCap = 0;
    m_lRestoreFollowBase = 0;
    m_lFollowAmount = 0;
    m_wRestoreShowHandMode = 0;
    m_wCurrentChair = INVALID_CHAIR;
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        m_cbRoundFlag[chair] = 0;
        m_lRoundBet[chair] = 0;
        m_lCommitted[chair] = 0;
    }
    m_cbCardCount = 0;
    m_bGaveUp = false;
    Sexy::CGameHandler::ResetGameClient();
}

void NNHandler::StartTurnClock(uint16_t chair)
{
    m_bGaveUp = false;
    SetGameClock(chair, IDI_TURN_CLOCK, TURN_SECONDS);
}

bool NNHandler::OnClockInfo(uint16_t chair, int32_t seconds, uint32_t timerID)
{
    if (timerID == IDI_TURN_CLOCK && seconds == 0 && IsMe(chair))
    {
        // Given up: nothing more is offered for this hand.
        if (NNBoard* board = Board())
            board->HideActionButtons();
        GiveUp();
        return true;
    }
    return Sexy::CGameHandler::OnClockInfo(chair, seconds, timerID);
}

// --- messages ---------------------------------------------------------------------------------

bool NNHandler::OnGameMessage(uint16_t sub, const void* data, uint16_t size)
{
    switch (sub)
    {
        case SUB_S_GAME_START: return OnGameStart(data, size);
        case SUB_S_ADD_SCORE: return OnAddScore(data, size);
        case SUB_S_GIVE_UP: return OnGiveUp(data, size);
        case SUB_S_SEND_CARD: return OnSendCard(data, size);
        case SUB_S_GAME_END: return OnGameEnd(data, size);
        case 108:
        case 109:
        case 115: return true;
        default: return false;
    }
}

bool NNHandler::OnGameStart(const void* data, uint16_t size)
{
    // A start of any size clears the last hand's sums first.
    ResetGameClient();
    tagGameStart start;
    if (size != sizeof(start) || !wire::ReadRecord(data, size, start))
        return false;
    const uint16_t current = start.wCurrentUser;
    if (!IsChairOrNobody(current))
        return false;
    m_wCurrentChair = current;
    m_lCellScore = start.lCellScore;
    m_lShowHandCap = start.lShowHandCap;
    RefreshMyChair();

    // Both players ante one base bet.
    m_lCommitted[0] = SaturatingAdd(m_lCommitted[0], m_lCellScore);
    m_lCommitted[1] = SaturatingAdd(m_lCommitted[1], m_lCellScore);
    NNBoard* board = Board();
    if (board != nullptr)
    {
        board->AddPool(SaturatingMul(2, m_lCellScore));
        if (IsChair(m_wMyChair))
        {
            const uint16_t me = m_wMyChair, other = OtherChair();
            board->SetCard(me, 0, start.cbMyHiddenCard);
            board->SetCard(me, 1, start.cbShownCard[me]);
            board->SetCard(other, 0, 0);
            board->SetCard(other, 1, start.cbShownCard[other]);
        }
        board->DealCards(2);
    }
    StartTurnClock(m_wCurrentChair);
    return true;
}

bool NNHandler::OnAddScore(const void* data, uint16_t size)
{
    tagAddScore action;
    if (size != sizeof(action) || !wire::ReadRecord(data, size, action))
        return false;
    const uint16_t acting = action.wActingUser;
    const uint16_t current = action.wCurrentUser;
    if (!IsChair(acting) || !IsChairOrNobody(current))
        return false;
    m_wActingChair = acting;
    m_wCurrentChair = current;
    m_wFollowMode = action.wFollowMode;
    m_lLastAmount = action.lAmount;
    m_lFollowAmount = action.lFollowAmount;

    NNBoard* board = Board();
    if (m_lLastAmount != 0)
    {
        if (board != nullptr)
            board->AddPool(SaturatingSub(m_lLastAmount, m_lRoundBet[acting]));
        if (current == INVALID_CHAIR)
        {
            // The round is complete: what stands goes into my finished sum.
            if (IsChair(m_wMyChair))
                m_lCommitted[m_wMyChair] = SaturatingAdd(m_lCommitted[m_wMyChair], m_lLastAmount);
        }
        else
        {
            m_lRoundBet[acting] = m_lLastAmount;
        }
        if (board != nullptr)
            board->ThrowChip(acting);
    }
    else if (board != nullptr)
    {
        board->ShowNoteSign(true);
    }

    m_cbRoundFlag[0] = action.cbRoundFlag[0];
    m_cbRoundFlag[1] = action.cbRoundFlag[1];
    m_bShowHand = action.cbShowHand != 0;
    if (m_bShowHand && board != nullptr)
    {
        board->SetShowHandMode(true);
        board->PlayShowHandEffect(true);
    }
    if (board != nullptr)
    {
        if (IsMe(current))
            board->ShowActionButtons();
        board->ShowActionLabel(acting);
        board->AddChairBet(acting);
        board->ApplyActionLabelRules(acting);
    }
    StartTurnClock(current);
    return true;
}

bool NNHandler::OnGiveUp(const void* data, uint16_t size)
{
    tagGiveUp giveUp;
    if (size != sizeof(giveUp) || !wire::ReadRecord(data, size, giveUp))
        return false;
    const uint16_t chair = giveUp.wGiveUpUser;
    if (!IsChair(chair))
        return false;
    if (NNBoard* board = Board())
    {
        board->SetEndMode(giveUp.dwEndMode);
        board->ShowGiveUp(chair);
    }
    return true;
}

bool NNHandler::OnSendCard(const void* data, uint16_t size)
{
    tagSendCard send;
    if (size != sizeof(send) || !wire::ReadRecord(data, size, send))
        return false;
    const uint16_t current = send.wCurrentUser;
    NNBoard* board = Board();
    const int shown = board != nullptr ? board->CountMyVisibleCards() : 0;
    // A player holds five cards at most, and one message deals two at most.
    const int count = send.cbSendCount;
    if (!IsChairOrNobody(current) || count > MAX_SEND_COUNT || shown + count > MAX_COUNT)
        return false;
    m_wCurrentChair = current;
    m_lLastAmount = 0;
    if (board != nullptr)
    {
        if (IsChair(m_wMyChair))
        {
            const uint16_t me = m_wMyChair, other = OtherChair();
            for (int k = 0; k < count; ++k)
            {
                board->SetCard(me, shown + k, send.cbCardData[me][k]);
                board->SetCard(other, shown + k, send.cbCardData[other][k]);
            }
        }
        board->ApplySendCardLabelRule(current);
        board->ShowNoteSign(false);
        board->DealCards(count);
    }
    m_cbRoundFlag[0] = 0;
    m_cbRoundFlag[1] = 0;
    m_lFollowAmount = 0;
    m_lRoundBet[0] = 0;
    m_lRoundBet[1] = 0;
    StartTurnClock(current);
    return true;
}

bool NNHandler::OnGameEnd(const void* data, uint16_t size)
{
    tagGameEnd end;
    if (size != sizeof(end) || !wire::ReadRecord(data, size, end))
        return false;
    if (NNBoard* board = Board())
        board->OnGameEnd(end);
    return true;
}

bool NNHandler::OnGameSceneMessage(uint8_t gameStatus, bool, const void* data, uint16_t size)
{
    if (gameStatus == GS_TK_FREE)
    {
        // Between hands: a hand the table still showed (the scene came
        // again, or mid-hand) is over, and its buttons would send bets the
        // server never asked for.
        ClearHandForScene();
        return true;
    }
    if (gameStatus != GS_TK_PLAYING)
        return true;
    return OnScenePlay(data, size);
}

void NNHandler::ClearHandForScene()
{
    KillGameClock(IDI_TURN_CLOCK);
    ResetGameClient();
    if (NNBoard* board = Board())
        board->ClearForScene();
}

bool NNHandler::OnScenePlay(const void* data, uint16_t size)
{
    tagStatusPlay scene;
    if (size != sizeof(scene) || !wire::ReadRecord(data, size, scene))
        return false;
    const uint16_t current = scene.wCurrentUser;
    const uint8_t cardCount = scene.cbCardCount;
    if (!IsChairOrNobody(current) || cardCount > MAX_COUNT)
        return false;
    // The scene is the whole hand: a scene sent again replaces the sums,
    // the table and the clock of the one before instead of adding to them.
    ClearHandForScene();
    NNBoard* board = Board();
    m_bRestored = true;
    m_dwRaiseCount = 5;
    m_wCurrentChair = current;
    m_cbCardCount = cardCount;
    m_lCellScore = scene.lCellScore;
    m_lRestoreFollowBase = scene.lFollowBase;
    m_wRestoreShowHandMode = scene.wShowHandMode;
    m_lShowHandCap = scene.lShowHandCap;
    m_bShowHand = scene.cbShowHand != 0;
    m_bSceneShowHand = m_bShowHand;
    m_cbRoundFlag[0] = scene.cbRoundFlag[0];
    m_cbRoundFlag[1] = scene.cbRoundFlag[1];
    RefreshMyChair();

    int64_t pool = 0;
    int64_t totals[GAME_PLAYER] = {};
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        totals[chair] = SaturatingAdd(scene.lChairAmount[chair][0], scene.lChairAmount[chair][1]);
        m_lCommitted[chair] = SaturatingAdd(m_lCommitted[chair], totals[chair]);
        pool = SaturatingAdd(pool, totals[chair]);
    }
    if (board != nullptr)
    {
        board->AddPool(pool);
        // Someone who comes in mid-hand reads each player's stake as the
        // players at the table do.
        board->RestoreChairBets(totals);
        if (IsChair(m_wMyChair))
        {
            const uint16_t me = m_wMyChair, other = OtherChair();
            for (int k = 0; k < cardCount; ++k)
            {
                board->SetCard(me, k, scene.cbCardData[me][k]);
                board->SetCard(other, k, scene.cbCardData[other][k]);
            }
        }
        board->RestoreCards();
    }
    if (IsMe(current))
    {
        if (board != nullptr)
            board->ShowActionButtons();
        StartTurnClock(current);
    }
    if (board != nullptr)
    {
        board->RestoreChip();
        board->ApplyRestoreLabelRule(m_wActingChair);
    }
    return true;
}

// --- my actions -------------------------------------------------------------------------------

int64_t NNHandler::FollowPrice() const
{
    if (!m_bRestored)
        return m_lFollowAmount;
    return m_wFollowMode == 2 ? m_lFollowAmount : m_lRestoreFollowBase;
}

int64_t NNHandler::RaisePrice(int multiplier) const
{
    const int64_t amount = SaturatingAdd(SaturatingMul(multiplier, m_lCellScore), m_lLastAmount);
    return m_bRestored ? SaturatingAdd(amount, m_lRestoreFollowBase) : amount;
}

int64_t NNHandler::ShowHandPrice()
{
    int64_t score = 0;
    if (IsChair(m_wMyChair))
        if (const tagUserData* me = GetTableUserData(m_wMyChair))
            score = me->lScore;
    const int64_t remaining = SaturatingSub(score, Committed(m_wMyChair));
    if (m_bRestored)
    {
        if (!m_bSceneShowHand)
            return 0;
        switch (m_wRestoreShowHandMode)
        {
            case 1: return std::min(remaining, m_lShowHandCap);
            case 2: return SaturatingAdd(m_lCellScore, remaining);
            default: return 0;
        }
    }
    return m_bShowHand ? std::min(remaining, m_lShowHandCap) : remaining;
}

bool NNHandler::SendAddScore(int64_t amount, uint8_t kind)
{
    tagUserAddScore request;
    request.lAmount = amount;
    request.cbKind = kind;
    return SendGameData(SUB_C_ADD_SCORE, &request, sizeof(request));
}

void NNHandler::Follow()
{
    KillGameClock(IDI_TURN_CLOCK);
    const int64_t amount = FollowPrice();
    m_bRestored = false;
    SendAddScore(amount, ADD_KIND_FOLLOW);
}

void NNHandler::Raise(int multiplier)
{
    NNBoard* board = Board();
    if (m_bRestored && m_dwRaiseCount == 5 && board != nullptr && IsChair(m_wMyChair) &&
        board->IsActionLabelMade(m_wMyChair))
        board->HideActionLabel(m_wMyChair);
    ++m_dwRaiseCount;
    KillGameClock(IDI_TURN_CLOCK);
    const int64_t amount = RaisePrice(multiplier);
    m_bRestored = false;
    SendAddScore(amount, ADD_KIND_RAISE);
}

void NNHandler::ShowHand()
{
    const int64_t amount = ShowHandPrice();
    m_bRestored = false;
    SendAddScore(amount, ADD_KIND_FOLLOW);
}

void NNHandler::GiveUp()
{
    if (m_bGaveUp)
        return;
    m_bGaveUp = true;
    KillGameClock(IDI_TURN_CLOCK);
    SendGameData(SUB_C_GIVE_UP);
}

}  // namespace ShowHandANEx
