#include "games/BaccaratNew/BaccaratNewHandler.h"

#include "games/BaccaratNew/BaccaratNewBoard.h"

namespace BaccaratNew {

BaccaratNewBoard* BaccaratNewHandler::Board() const { return dynamic_cast<BaccaratNewBoard*>(GetBoard()); }

bool BaccaratNewHandler::SendPlaceBet(uint8_t area, int64_t amount)
{
    const CMD_C_PlaceBet request{area, amount};
    return SendGameData(SUB_C_PLACE_BET, &request, sizeof(request));
}

bool BaccaratNewHandler::SendApplyBanker() { return SendGameData(SUB_C_APPLY_BANKER); }

bool BaccaratNewHandler::SendCancelBanker() { return SendGameData(SUB_C_CANCEL_BANKER); }

bool BaccaratNewHandler::OnClockInfo(uint16_t chair, int32_t seconds, uint32_t timerID)
{
    if (BaccaratNewBoard* board = Board())
        board->SetClockSeconds(seconds);
    return Sexy::CGameHandler::OnClockInfo(chair, seconds, timerID);
}

bool BaccaratNewHandler::OnGameMessage(uint16_t sub, const void* data, uint16_t size)
{
    BaccaratNewBoard* board = Board();
    switch (sub)
    {
        case SUB_S_GAME_FREE:
        {
            CMD_S_GameFree message;
            if (!ReadExact(data, size, message))
                return false;
            if (board != nullptr)
                board->OnGameFree(message);
            return true;
        }
        case SUB_S_GAME_START:
        {
            CMD_S_GameStart message;
            if (!ReadExact(data, size, message))
                return false;
            if (board != nullptr)
                board->OnGameStart(message);
            return true;
        }
        case SUB_S_PLACE_BET:
        {
            CMD_S_PlaceBet message;
            if (!ReadExact(data, size, message) || message.cbBetArea >= AREA_COUNT)
                return false;
            if (board != nullptr)
                board->OnPlaceBet(message);
            return true;
        }
        case SUB_S_GAME_END:
        {
            CMD_S_GameEnd message;
            if (!ReadExact(data, size, message))
                return false;
            // Three places a side: any other count than none, two or three
            // has no place on the table.
            if (!ValidCardCount(message.cbCardCount[SIDE_XIAN]) || !ValidCardCount(message.cbCardCount[SIDE_ZHUANG]))
                return false;
            if (board != nullptr)
                board->OnGameEnd(message);
            return true;
        }
        case SUB_S_APPLY_BANKER:
        {
            CMD_S_ApplyBanker message;
            if (!ReadExact(data, size, message))
                return false;
            if (board != nullptr)
                board->OnApplyBanker(message);
            return true;
        }
        case SUB_S_CHANGE_BANKER:
        {
            CMD_S_ChangeBanker message;
            if (!ReadExact(data, size, message))
                return false;
            if (board != nullptr)
                board->OnChangeBanker(message);
            return true;
        }
        case SUB_S_SEND_RECORD:
        {
            // Whole records only; a body that claims bytes it lacks adds none.
            if (size % sizeof(tagServerGameRecord) != 0 || (size != 0 && data == nullptr))
                return false;
            if (board == nullptr)
                return true;
            const auto* bytes = static_cast<const uint8_t*>(data);
            const size_t count = size / sizeof(tagServerGameRecord);
            for (size_t i = 0; i < count; ++i)
            {
                tagServerGameRecord record;
                if (!wire::ReadRecord(bytes + i * sizeof(record), sizeof(record), record))
                    return false;
                board->AddGameRecord(record);
            }
            board->ShowRecordStrip();
            board->ShowBigRoad();
            // The totals under the strip count what it shows.
            board->ShowRecordTotals();
            return true;
        }
        case SUB_S_PLACE_BET_FAIL:
        {
            CMD_S_PlaceBetFail message;
            if (!ReadExact(data, size, message) || message.lBetArea >= AREA_COUNT)
                return false;
            if (board != nullptr)
                board->OnPlaceBetFail(message);
            return true;
        }
        case SUB_S_CANCEL_BANKER:
        {
            CMD_S_CancelBanker message;
            if (!ReadExact(data, size, message))
                return false;
            if (board != nullptr)
                board->OnCancelBanker(message);
            return true;
        }
        default: return true;
    }
}

bool BaccaratNewHandler::OnGameSceneMessage(uint8_t gameStatus, bool, const void* data, uint16_t size)
{
    BaccaratNewBoard* board = Board();
    switch (gameStatus)
    {
        case GS_FREE:
        {
            CMD_S_StatusFree scene;
            if (!ReadExact(data, size, scene))
                return false;
            if (board != nullptr)
                board->OnSceneFree(scene);
            return true;
        }
        case GS_PLACE_BET:
        case GS_GAME_END:
        {
            CMD_S_StatusPlay scene;
            if (!ReadExact(data, size, scene))
                return false;
            if (!ValidCardCount(scene.cbCardCount[SIDE_XIAN]) || !ValidCardCount(scene.cbCardCount[SIDE_ZHUANG]))
                return false;
            if (board != nullptr)
                board->OnScenePlay(gameStatus, scene);
            return true;
        }
        default: return true;
    }
}

}  // namespace BaccaratNew
