#include "games/ShuangKouHP/HPHandler.h"

#include "games/ShuangKouHP/HPBoard.h"
#include "games/framework/GameAudio.h"

namespace ShuangKouHP {

namespace {

constexpr uint16_t kNobody = 0xFFFF;

bool IsChair(uint16_t chair) { return chair < GAME_PLAYER; }
bool IsChairOrNobody(uint16_t chair) { return chair < GAME_PLAYER || chair == kNobody; }

}  // namespace

HPBoard* HPHandler::Board() const { return dynamic_cast<HPBoard*>(GetBoard()); }

void HPHandler::StopBackgroundMusic()
{
    Sexy::IGameAudio* audio = Sexy::GetGameAudio();
    if (audio != nullptr && audio->IsMusicPlaying())
        audio->StopMusic(true);
}

void HPHandler::PlayGameMusic()
{
    Sexy::IGameAudio* audio = Sexy::GetGameAudio();
    if (audio == nullptr || audio->IsMusicPlaying())
        return;
    const std::string path = ResolveSoundPath("shuangkouHP/effect/otherSounds/BACK_MUSIC");
    audio->PreloadMusic(path);
    audio->PlayMusic(path, true);
}

bool HPHandler::OnGameMessage(uint16_t sub, const void* data, uint16_t size)
{
    HPBoard* board = Board();
    switch (sub)
    {
        case SUB_S_GAME_START:
        {
            // The deal is laid out from my chair: it is taken even from a
            // start of the wrong size.
            if (board != nullptr)
                board->SetMyChair(GetMeChairID());
            CMD_S_GameStart start;
            if (size != sizeof(start) || !wire::ReadRecord(data, size, start))
                return false;
            if (board != nullptr)
                board->OnGameStart(start);
            return true;
        }
        case SUB_S_SEND_CARD:
        {
            CMD_S_SendCard deal;
            if (size != sizeof(deal) || !wire::ReadRecord(data, size, deal))
                return false;
            if (!IsChair(deal.wCurrentUser))
                return false;
            if (board != nullptr)
            {
                board->SetHandCards(deal.cbCardData);
                board->OnSendCard(deal);
            }
            return true;
        }
        case SUB_S_OUT_CARD:
        {
            CMD_S_OutCard play;
            if (size != sizeof(play) || !wire::ReadRecord(data, size, play))
                return false;
            // The count sizes every loop over the 27 card places.
            if (play.cbCardCount > MAX_COUNT || !IsChair(play.wOutCardUser) || !IsChairOrNobody(play.wCurrentUser))
                return false;
            m_OutCard = play;
            if (board != nullptr)
            {
                board->SetPassAllowed(true);
                board->OnOutCard(play);
            }
            return true;
        }
        case SUB_S_PASS_CARD:
        {
            CMD_S_PassCard pass;
            if (size != sizeof(pass) || !wire::ReadRecord(data, size, pass))
                return false;
            if (!IsChair(pass.wPassUser) || !IsChairOrNobody(pass.wCurrentUser))
                return false;
            if (board != nullptr)
            {
                board->SetPassAllowed(true);
                board->OnPassCard(pass);
            }
            return true;
        }
        case SUB_S_GAME_END:
        {
            CMD_S_GameEnd end;
            if (size != sizeof(end) || !wire::ReadRecord(data, size, end))
                return false;
            if (end.cbCardCount[0] > HAND_COUNT || end.cbCardCount[1] > HAND_COUNT)
                return false;
            if (board != nullptr)
                board->OnGameEnd(end);
            return true;
        }
        default: return true;
    }
}

bool HPHandler::OnGameSceneMessage(uint8_t gameStatus, bool, const void* data, uint16_t size)
{
    switch (gameStatus)
    {
        case GS_SK_FREE:
            if (size != sizeof(CMD_S_StatusFree))
                return false;
            // A free table: nothing of an earlier scene or hand stays.
            if (HPBoard* board = Board())
                board->ResetGameView();
            return true;
        case GS_SK_PLAYING:
        {
            m_cbSceneFlag = 1;
            CMD_S_StatusPlay scene;
            if (size != sizeof(scene) || !wire::ReadRecord(data, size, scene))
                return false;
            if (scene.cbCardCount[0] > HAND_COUNT || scene.cbCardCount[1] > HAND_COUNT ||
                scene.cbTurnCardCount > MAX_COUNT || !IsChairOrNobody(scene.wTurnUser) ||
                !IsChairOrNobody(scene.wCurrentUser))
                return false;
            if (HPBoard* board = Board())
                board->OnScenePlay(scene);
            return true;
        }
        default: return true;
    }
}

}  // namespace ShuangKouHP
