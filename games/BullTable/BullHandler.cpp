#include "games/BullTable/BullHandler.h"

#include "games/BullTable/BullBoard.h"

#include <cstring>

namespace Bull {

namespace {

// A chair's opened mark in the playing scene before it opened.
constexpr uint8_t kNotOpened = 255;

}  // namespace

CBullBoard* CBullHandler::BullBoard() const { return dynamic_cast<CBullBoard*>(GetBoard()); }

bool CBullHandler::SendRobChoice(bool rob)
{
    const uint8_t choice = rob ? 1 : 0;
    return SendGameData(1, &choice, sizeof(choice));
}

bool CBullHandler::SendBet(int64_t amount)
{
    uint8_t body[8];
    std::memcpy(body, &amount, sizeof(body));
    return SendGameData(2, body, sizeof(body));
}

bool CBullHandler::SendOpenCard(uint8_t hasBull) { return SendGameData(3, &hasBull, 1); }

bool CBullHandler::SendOpenCard(uint8_t hasBull, const uint8_t cards[5])
{
    uint8_t body[6] = {hasBull};
    std::memcpy(body + 1, cards, 5);
    return SendGameData(3, body, sizeof(body));
}

void CBullHandler::OnRobTurn(uint16_t chair)
{
    CBullBoard* board = BullBoard();
    if (board != nullptr)
        board->RefreshSeatUsers();
    SetGameClock(chair, kBullClockID, kBullClockSeconds);
    PlayGameSound("OxEx/Eff/GAME_START", false);
    if (board == nullptr)
        return;
    if (chair == GetMeChairID())
        board->StartBankerCallCountdown();
    board->ShowRobChoice(SwitchViewChairID(chair));
}

void CBullHandler::OnBankerNamed(int64_t ceiling, uint16_t banker)
{
    CBullBoard* board = BullBoard();
    KillGameClock(kBullClockID);
    if (board != nullptr)
        board->HideRobChoice();
    m_lBetCeiling = ceiling;
    m_wBankerChair = banker;
    if (board != nullptr)
        board->ShowBanker(m_wBankerChair);
    SetGameClock(GetMeChairID(), kBullClockID, kBullClockSeconds);
    if (board != nullptr && m_wBankerChair != GetMeChairID())
        board->StartBetCountdown();
}

void CBullHandler::OnPlayerOpened(uint16_t player, int zOrder)
{
    CBullBoard* board = BullBoard();
    if (player == GetMeChairID())
    {
        KillGameClock(kBullClockID);
        if (board != nullptr)
            board->HideOpenButtons();
    }
    PlayGameSound("OxEx/Eff/OPEN_CARD", false);
    if (board == nullptr)
        return;
    if (zOrder < 0)
        board->ShowOpenAnimation();
    else
        board->ShowOpenAnimation(zOrder);
}

// --- scenes ------------------------------------------------------------------------------------

void CBullHandler::BeginScene(uint8_t status)
{
    CBullBoard* board = BullBoard();
    if (status != kSceneFree && board != nullptr)
        board->RefreshSeatUsers();
    switch (status)
    {
        case kSceneCall: EnterScene(kPhaseCall); break;
        case kSceneBetting: EnterScene(kPhaseBetting); break;
        case kScenePlaying: EnterScene(kPhasePlaying); break;
        default: EnterScene(kPhaseFree); break;
    }
}

void CBullHandler::ClearScene()
{
    KillGameClock(kBullClockID);
    const uint8_t restored = m_cbRestored;
    if (CBullBoard* board = BullBoard())
        board->ClearForScene();
    m_cbRestored = restored;
}

void CBullHandler::ShowWaiting()
{
    if (CBullBoard* board = BullBoard())
        board->ShowWaitAnimation();
}

void CBullHandler::RestoreBankerCall(uint16_t chair)
{
    if (CBullBoard* board = BullBoard())
        board->OnSceneCallBanker(chair);
}

void CBullHandler::RestoreBetting(int64_t ceiling, uint16_t banker)
{
    if (CBullBoard* board = BullBoard())
        board->OnSceneBetting(ceiling, banker);
}

void CBullHandler::RestorePlaying(const uint8_t* opened, size_t chairs)
{
    CBullBoard* board = BullBoard();
    const uint16_t me = GetMeChairID();
    if (board == nullptr || me >= chairs)
        return;
    if (opened[me] != kNotOpened)
        board->OnScenePlayingOpened();
    else
        board->OnScenePlaying();
}

bool CBullHandler::CopyChairCards(const uint8_t* rows, size_t chairs, uint16_t chair, uint8_t out[5])
{
    if (rows == nullptr || chair >= chairs)
        return false;
    std::memcpy(out, rows + chair * 5, 5);
    return true;
}

}  // namespace Bull
