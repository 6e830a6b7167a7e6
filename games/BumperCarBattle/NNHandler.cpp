#include "games/BumperCarBattle/NNHandler.h"

#include "games/BumperCarBattle/NNBoard.h"
#include "games/framework/GameAudio.h"
#include "games/framework/GameBoard.h"

namespace BumperCarBattle {

namespace {

// The record when the size is exactly its own.
template <typename Record>
bool Exact(const void* data, uint16_t size, Record& out)
{
    return size == sizeof(Record) && wire::ReadRecord(data, size, out);
}

}  // namespace

NNBoard* NNHandler::GetNNBoard() const { return dynamic_cast<NNBoard*>(GetBoard()); }

bool NNHandler::OnGameMessage(uint16_t sub, const void* data, uint16_t size)
{
    NNBoard* board = GetNNBoard();
    switch (sub)
    {
        case SUB_S_GAME_FREE:
        {
            FreeMessage m;
            if (!Exact(data, size, m))
                return false;
            if (board != nullptr)
                board->OnGameFree(m);
            return true;
        }
        case SUB_S_GAME_START:
        {
            RoundStartMessage m;
            if (!Exact(data, size, m))
                return false;
            if (board != nullptr)
                board->OnGameStart(m);
            return true;
        }
        case SUB_S_PLACE_JETTON:
        {
            BetPlacedMessage m;
            // The area indexes the board's per-area amounts and chip boxes.
            if (!Exact(data, size, m) || !ValidArea(m.cbArea))
                return false;
            if (board != nullptr)
                board->OnPlaceBet(m);
            return true;
        }
        case SUB_S_GAME_END:
        {
            RoundEndMessage m;
            // The stop slot picks a track point and a win class.
            if (!Exact(data, size, m) || !ValidSlot(m.cbStopSlot))
                return false;
            if (board != nullptr)
                board->OnGameEnd(m);
            return true;
        }
        case SUB_S_APPLY_BANKER:
        {
            ApplyBankerMessage m;
            if (!Exact(data, size, m))
                return false;
            if (board != nullptr)
                board->OnApplyBanker(m);
            return true;
        }
        case SUB_S_CHANGE_BANKER:
        {
            ChangeBankerMessage m;
            if (!Exact(data, size, m))
                return false;
            if (board != nullptr)
                board->OnChangeBanker(m);
            return true;
        }
        case SUB_S_CHECKED_ONLY: return size == SIZE_CHECKED_ONLY;
        case SUB_S_SEND_RECORD:
        {
            if (size % sizeof(RoundRecord) != 0 || (size != 0 && data == nullptr))
                return false;
            if (board == nullptr)
                return true;
            const auto* bytes = static_cast<const uint8_t*>(data);
            for (uint16_t at = 0; at < size; at += sizeof(RoundRecord))
            {
                RoundRecord record;
                wire::ReadRecord(bytes + at, sizeof(RoundRecord), record);
                board->AddRecordColumns(record);
                board->CountRecord(record);
            }
            // The shares show the records at once, not at the next round.
            board->RefreshWinRecord();
            return true;
        }
        case SUB_S_PLACE_JETTON_FAIL:
        {
            BetFailedMessage m;
            if (!Exact(data, size, m))
                return false;
            if (board != nullptr)
                board->OnBetFailed(m);
            return true;
        }
        case SUB_S_CANCEL_BANKER:
        {
            CancelBankerMessage m;
            if (!Exact(data, size, m))
                return false;
            if (board != nullptr)
                board->OnCancelBanker(m);
            return true;
        }
        default: return true;  // 98 and subs outside 99..108
    }
}

bool NNHandler::OnGameSceneMessage(uint8_t gameStatus, bool, const void* data, uint16_t size)
{
    NNBoard* board = GetNNBoard();
    switch (gameStatus)
    {
        case GS_FREE:
        {
            FreeScene scene;
            if (!Exact(data, size, scene))
                return false;
            if (board != nullptr)
                board->OnSceneFree(scene);
            return true;
        }
        case GS_BETTING:
        {
            PlayScene scene;
            // Only the betting scene places the car on its slot.
            if (!Exact(data, size, scene) || !ValidSlot(scene.cbCarSlot))
                return false;
            if (board != nullptr)
                board->OnSceneBetting(scene);
            return true;
        }
        case GS_RESULT:
        case GS_RESULT_END:
        {
            PlayScene scene;
            if (!Exact(data, size, scene))
                return false;
            if (board != nullptr)
                board->OnSceneResult(scene);
            return true;
        }
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
