#include "games/ThreeKing/NNHandler.h"

#include "games/ThreeKing/NNBoard.h"

namespace ThreeKing {

NNBoard* NNHandler::Board() const { return dynamic_cast<NNBoard*>(GetBoard()); }

bool NNHandler::SendRobChoice(bool rob)
{
    const CMD_C_CallBanker request{static_cast<uint8_t>(rob ? 1 : 0)};
    return SendGameData(SUB_C_CALL_BANKER, &request, sizeof(request));
}

bool NNHandler::SendBet(int64_t amount)
{
    const CMD_C_AddScore request{amount};
    return SendGameData(SUB_C_ADD_SCORE, &request, sizeof(request));
}

bool NNHandler::SendShow(uint8_t hasType)
{
    const CMD_C_OpenCard request{hasType};
    return SendGameData(SUB_C_OPEN_CARD, &request, sizeof(request));
}

bool NNHandler::OnClockInfo(uint16_t chair, int32_t seconds, uint32_t timerID)
{
    if (chair == GetMeChairID() && seconds <= 0)
    {
        NNBoard* board = Board();
        switch (timerID)
        {
            case IDI_ADD_SCORE:
                if (board != nullptr)
                    board->ShowBetButtons(false);
                break;
            case IDI_CALL_BANKER:
                if (board != nullptr)
                    board->ShowRobButtons(false);
                break;
            case IDI_OPEN_CARD:
                if (board != nullptr)
                    board->ShowOpenButtons(false);
                break;
            default: break;
        }
    }
    // The box shows the seconds and goes at 0, whichever clock it is: a
    // time-out sends nothing.
    return Sexy::CGameHandler::OnClockInfo(chair, seconds, timerID);
}

bool NNHandler::OnGameMessage(uint16_t sub, const void* data, uint16_t size)
{
    NNBoard* board = Board();
    switch (sub)
    {
        case SUB_S_BANKER_SET:
        {
            CMD_S_BankerSet message;
            if (!ReadExact(data, size, message))
                return false;
            if (board != nullptr)
                board->OnSubBankerSet(message);
            return true;
        }
        case SUB_S_ADD_SCORE:
        {
            CMD_S_AddScore message;
            if (!ReadExact(data, size, message))
                return false;
            if (board != nullptr)
                board->OnSubAddScore(message);
            return true;
        }
        case SUB_S_HIDE_ACTIONS:
        {
            CMD_S_HideActions message;
            if (!ReadExact(data, size, message))
                return false;
            if (board != nullptr)
                board->OnSubHideActions(message);
            return true;
        }
        case SUB_S_SEND_CARD:
        {
            CMD_S_SendCard message;
            if (!ReadExact(data, size, message))
                return false;
            if (board != nullptr)
                board->OnSubSendCard(message);
            return true;
        }
        case SUB_S_GAME_END:
        {
            CMD_S_GameEnd message;
            if (!ReadExact(data, size, message))
                return false;
            if (board != nullptr)
                board->OnSubGameEnd(message);
            return true;
        }
        case SUB_S_OPEN_CARD:
        {
            CMD_S_OpenCard message;
            if (!ReadExact(data, size, message))
                return false;
            if (board != nullptr)
                board->OnSubOpenCard(message);
            return true;
        }
        case SUB_S_CALL_BANKER:
        {
            CMD_S_CallBanker message;
            if (!ReadExact(data, size, message))
                return false;
            if (board != nullptr)
                board->OnSubCallBanker(message);
            return true;
        }
        case SUB_S_IGNORED_1:
        case SUB_S_IGNORED_2:
        case SUB_S_IGNORED_3:
        case SUB_S_IGNORED_4: return true;
        default: return false;
    }
}

void NNHandler::ClearScene()
{
    // A scene tells the whole table: nothing of an earlier one stays, its
    // clock neither.
    for (uint32_t clock : {IDI_ADD_SCORE, IDI_CALL_BANKER, IDI_OPEN_CARD, IDI_SCENE_OPEN})
        KillGameClock(clock);
    if (NNBoard* board = Board())
        board->ClearTable();
}

bool NNHandler::OnGameSceneMessage(uint8_t gameStatus, bool, const void* data, uint16_t size)
{
    switch (gameStatus)
    {
        case GS_TK_FREE:
            if (size != sizeof(CMD_S_StatusFree))
                return false;
            ClearScene();
            return true;
        case GS_TK_CALL: return OnSceneCall(data, size);
        case GS_TK_SCORE: return OnSceneScore(data, size);
        case GS_TK_PLAYING: return OnScenePlay(data, size);
        default: return true;
    }
}

bool NNHandler::OnSceneCall(const void* data, uint16_t size)
{
    NNBoard* board = Board();
    if (board != nullptr)
        board->RefreshTableUsers();
    // A watcher waits for the next round whatever the scene holds.
    if (IsMeNotPlaying())
    {
        ClearScene();
        if (board != nullptr)
            board->ShowWaitAnimation();
        return true;
    }
    CMD_S_StatusCall scene;
    if (!ReadExact(data, size, scene))
        return false;
    ClearScene();
    if (board != nullptr)
    {
        board->ShowStateSign(NNBoard::kSignCall);
        board->ShowRobButtons(scene.wCallBanker == GetMeChairID());
    }
    SetGameClock(scene.wCallBanker, IDI_CALL_BANKER, TIME_CLOCK);
    return true;
}

bool NNHandler::OnSceneScore(const void* data, uint16_t size)
{
    NNBoard* board = Board();
    if (board != nullptr)
        board->RefreshTableUsers();
    CMD_S_StatusScore scene;
    if (!ReadExact(data, size, scene))
        return false;
    ClearScene();
    if (board == nullptr)
        return true;
    board->SetMaxScore(scene.lMaxScore);
    board->SetBankerChair(scene.wBankerUser);
    board->ShowStateSign(NNBoard::kSignScore);
    if (IsMeNotPlaying())
    {
        board->ShowWaitAnimation();
        return true;
    }
    board->PlaceBankerMark(scene.wBankerUser);
    const uint16_t me = GetMeChairID();
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
        if (chair != scene.wBankerUser && scene.lTableScore[chair] != 0)
            board->PlaceBetChip(chair, scene.lTableScore[chair]);
    if (scene.wBankerUser != me)
    {
        // A bet of mine already in closes my turn: no buttons, no clock.
        if (me < GAME_PLAYER && scene.lTableScore[me] != 0)
            return true;
        board->CreateBetButtons();
    }
    // The bet clock, as the banker message starts it: my bet coming back
    // stops it, and running out it takes the bet buttons.
    SetGameClock(me, IDI_ADD_SCORE, TIME_CLOCK);
    return true;
}

bool NNHandler::OnScenePlay(const void* data, uint16_t size)
{
    NNBoard* board = Board();
    if (board != nullptr)
        board->RefreshTableUsers();
    CMD_S_StatusPlay scene;
    if (!ReadExact(data, size, scene))
        return false;
    m_SceneCopy = scene;
    ClearScene();
    if (board == nullptr)
        return true;
    board->SetBankerChair(m_SceneCopy.wBankerUser);
    const uint16_t me = GetMeChairID();
    if (me >= GAME_PLAYER)
    {
        // No seat of mine at the table: only the others' cards.
        board->TakeCards(m_SceneCopy.cbHandCardData);
        board->RestoreCards();
        return true;
    }
    const bool notShown = m_SceneCopy.cbShowState[me] == SHOW_NOT_YET;
    const bool watching = IsMeNotPlaying();
    if (notShown)
        board->TakeCards(m_SceneCopy.cbHandCardData);
    if (watching)
    {
        board->ShowWaitAnimation();
        if (notShown)
            board->RestoreCards();
        return true;
    }
    board->ShowStateSign(NNBoard::kSignOpen);
    // A hand already shown has nothing left to show.
    board->ShowOpenButtons(notShown);
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
        if (chair != m_SceneCopy.wBankerUser && m_SceneCopy.lTableScore[chair] != 0)
            board->PlaceBetChip(chair, m_SceneCopy.lTableScore[chair]);
    board->PlaceBankerMark(m_SceneCopy.wBankerUser);
    if (!notShown)
        board->TakeCards(m_SceneCopy.cbHandCardData);
    board->RestoreCards();
    if (notShown)
        SetGameClock(me, IDI_SCENE_OPEN, TIME_CLOCK);
    return true;
}

}  // namespace ThreeKing
