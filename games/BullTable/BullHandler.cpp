#include "games/BullTable/BullHandler.h"

#include "games/BullTable/BullBoard.h"

#include <cstring>

namespace Bull {

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

void CBullHandler::OnPlayerOpened(uint16_t player, CBullBoard* board, int zOrder)
{
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

bool CBullHandler::CopyChairCards(const uint8_t* rows, size_t chairs, uint16_t chair, uint8_t out[5])
{
    if (rows == nullptr || chair >= chairs)
        return false;
    std::memcpy(out, rows + chair * 5, 5);
    return true;
}

}  // namespace Bull
