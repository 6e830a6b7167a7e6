#include "games/BumperCarBattle/NNHandler.h"

#include "games/BumperCarBattle/NNBoard.h"
#include "games/framework/GameAudio.h"
#include "games/framework/GameBoard.h"

namespace BumperCarBattle {

NNBoard* NNHandler::GetNNBoard() const { return dynamic_cast<NNBoard*>(GetBoard()); }

bool NNHandler::OnGameMessage(uint16_t sub, const void* data, uint16_t size)
{
    NNBoard* board = GetNNBoard();
    switch (sub)
    {
        case SUB_S_GAME_FREE: return DeliverExact<FreeMessage>(data, size, board, &NNBoard::OnGameFree);
        case SUB_S_GAME_START: return DeliverExact<RoundStartMessage>(data, size, board, &NNBoard::OnGameStart);
        case SUB_S_PLACE_JETTON:
            // The area indexes the board's per-area amounts and chip boxes.
            return DeliverExactIf<BetPlacedMessage>(
                data, size, board, [](const BetPlacedMessage& m) { return ValidArea(m.cbArea); }, &NNBoard::OnPlaceBet);
        case SUB_S_GAME_END:
            // The stop slot picks a track point and a win class.
            return DeliverExactIf<RoundEndMessage>(
                data, size, board, [](const RoundEndMessage& m) { return ValidSlot(m.cbStopSlot); },
                &NNBoard::OnGameEnd);
        case SUB_S_APPLY_BANKER: return DeliverExact<ApplyBankerMessage>(data, size, board, &NNBoard::OnApplyBanker);
        case SUB_S_CHANGE_BANKER: return DeliverExact<ChangeBankerMessage>(data, size, board, &NNBoard::OnChangeBanker);
        case SUB_S_CHECKED_ONLY: return size == SIZE_CHECKED_ONLY;
        case SUB_S_SEND_RECORD:
            return DeliverEach<RoundRecord>(
                data, size, board,
                [](NNBoard& b, const RoundRecord& record) {
                    b.AddRecordColumns(record);
                    b.CountRecord(record);
                },
                // The shares show the records at once, not at the next round.
                &NNBoard::RefreshWinRecord);
        case SUB_S_PLACE_JETTON_FAIL: return DeliverExact<BetFailedMessage>(data, size, board, &NNBoard::OnBetFailed);
        case SUB_S_CANCEL_BANKER: return DeliverExact<CancelBankerMessage>(data, size, board, &NNBoard::OnCancelBanker);
        default: return true;  // 98 and subs outside 99..108
    }
}

bool NNHandler::OnGameSceneMessage(uint8_t gameStatus, bool, const void* data, uint16_t size)
{
    NNBoard* board = GetNNBoard();
    switch (gameStatus)
    {
        case GS_FREE: return DeliverExact<FreeScene>(data, size, board, &NNBoard::OnSceneFree);
        case GS_BETTING:
            // Only the betting scene places the car on its slot.
            return DeliverExactIf<PlayScene>(
                data, size, board, [](const PlayScene& scene) { return ValidSlot(scene.cbCarSlot); },
                &NNBoard::OnSceneBetting);
        case GS_RESULT:
        case GS_RESULT_END: return DeliverExact<PlayScene>(data, size, board, &NNBoard::OnSceneResult);
        default: return true;
    }
}

void NNHandler::ToggleBackgroundMusic()
{
    Sexy::IGameAudio* audio = Sexy::GetGameAudio();
    const std::string music = ResolveSoundPath("BumperCarBattle/sound/bg.mp3");
    audio->PreloadMusic(music);
    if (!audio->IsMusicPlaying())
        audio->PlayMusic(music, true);
    else
        audio->StopMusic(true);
}

}  // namespace BumperCarBattle
