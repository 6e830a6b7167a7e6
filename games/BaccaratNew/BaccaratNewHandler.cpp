#include "games/BaccaratNew/BaccaratNewHandler.h"

#include "games/BaccaratNew/BaccaratNewBoard.h"

namespace BaccaratNew {

namespace {

// Both sides' card counts have a place on the table.
template <typename Record>
bool ValidCardCounts(const Record& record)
{
    return ValidCardCount(record.cbCardCount[SIDE_XIAN]) && ValidCardCount(record.cbCardCount[SIDE_ZHUANG]);
}

}  // namespace

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
        case SUB_S_GAME_FREE: return DeliverExact<CMD_S_GameFree>(data, size, board, &BaccaratNewBoard::OnGameFree);
        case SUB_S_GAME_START: return DeliverExact<CMD_S_GameStart>(data, size, board, &BaccaratNewBoard::OnGameStart);
        case SUB_S_PLACE_BET:
            return DeliverExactIf<CMD_S_PlaceBet>(
                data, size, board, [](const CMD_S_PlaceBet& m) { return m.cbBetArea < AREA_COUNT; },
                &BaccaratNewBoard::OnPlaceBet);
        case SUB_S_GAME_END:
            // Three places a side: any other count than none, two or three
            // has no place on the table.
            return DeliverExactIf<CMD_S_GameEnd>(data, size, board, ValidCardCounts<CMD_S_GameEnd>,
                                                 &BaccaratNewBoard::OnGameEnd);
        case SUB_S_APPLY_BANKER:
            return DeliverExact<CMD_S_ApplyBanker>(data, size, board, &BaccaratNewBoard::OnApplyBanker);
        case SUB_S_CHANGE_BANKER:
            return DeliverExact<CMD_S_ChangeBanker>(data, size, board, &BaccaratNewBoard::OnChangeBanker);
        case SUB_S_SEND_RECORD:
            // Whole records only; a body that claims bytes it lacks adds none.
            return DeliverEach<tagServerGameRecord>(
                data, size, board,
                [](BaccaratNewBoard& b, const tagServerGameRecord& record) { b.AddGameRecord(record); },
                [](BaccaratNewBoard& b) {
                    b.ShowRecordStrip();
                    b.ShowBigRoad();
                    // The totals under the strip count what it shows.
                    b.ShowRecordTotals();
                });
        case SUB_S_PLACE_BET_FAIL:
            return DeliverExactIf<CMD_S_PlaceBetFail>(
                data, size, board, [](const CMD_S_PlaceBetFail& m) { return m.lBetArea < AREA_COUNT; },
                &BaccaratNewBoard::OnPlaceBetFail);
        case SUB_S_CANCEL_BANKER:
            return DeliverExact<CMD_S_CancelBanker>(data, size, board, &BaccaratNewBoard::OnCancelBanker);
        default: return true;
    }
}

bool BaccaratNewHandler::OnGameSceneMessage(uint8_t gameStatus, bool, const void* data, uint16_t size)
{
    BaccaratNewBoard* board = Board();
    switch (gameStatus)
    {
        case GS_FREE: return DeliverExact<CMD_S_StatusFree>(data, size, board, &BaccaratNewBoard::OnSceneFree);
        case GS_PLACE_BET:
        case GS_GAME_END:
            return DeliverExactIf<CMD_S_StatusPlay>(
                data, size, board, ValidCardCounts<CMD_S_StatusPlay>,
                [gameStatus](BaccaratNewBoard& b, const CMD_S_StatusPlay& scene) { b.OnScenePlay(gameStatus, scene); });
        default: return true;
    }
}

}  // namespace BaccaratNew
