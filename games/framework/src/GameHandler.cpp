#include "games/framework/GameHandler.h"

#include "core/ClientGlobal.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/GameBoard.h"
#include "games/framework/GameRoom.h"
#include "games/framework/GameAudio.h"

#include "cocos2d.h"

using namespace cocos2d;

namespace Sexy {

namespace {

bool MusicOn() { return CCUserDefault::sharedUserDefault()->getBoolForKey("Music", true); }

}  // namespace

CGameHandler::CGameHandler() = default;

CGameHandler::~CGameHandler()
{
    // The notice must not call a handler that is gone.
    if (m_pNoticeDialog != nullptr)
    {
        m_pNoticeDialog->setDelegate(nullptr);
        m_pNoticeDialog->Close();
        m_pNoticeDialog = nullptr;
    }
    CBaseKernelLayer* kernel = GetKernel();
    if (kernel != nullptr && kernel->GetGameHandler() == this)
        kernel->SetGameHandler(nullptr);
}

CBaseKernelLayer* CGameHandler::GetKernel() { return RoomKernel(); }

CGameBoard* CGameHandler::GetBoard() const
{
    CBaseKernelLayer* kernel = GetKernel();
    return kernel != nullptr ? kernel->GetGameBoard() : nullptr;
}

void CGameHandler::OnDialogResult(int)
{
    // The dialog closes itself after telling us.
    m_pNoticeDialog = nullptr;
    if (CBaseKernelLayer* kernel = GetKernel())
        kernel->RequestExit();
}

// --- sound --------------------------------------------------------------------------

std::string CGameHandler::ResolveSoundPath(const std::string& name)
{
    std::string base = name;
    const size_t dot = base.rfind('.');
    const size_t slash = base.rfind('/');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        base.erase(dot);
    if (base.empty())
        return std::string();
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    for (const char* extension : {".wav", ".wma", ".mp3", ".ogg"})
    {
        const std::string candidate = files->fullPathForFilename((base + extension).c_str());
        if (files->isFileExist(candidate))
            return candidate;
    }
    return name;
}

void CGameHandler::PlayBackgroundMusic(const char* name)
{
    if (name != nullptr && name[0] != '\0')
        m_strMusicName = name;
    IGameAudio* audio = GetGameAudio();
    if (!MusicOn() || audio->IsMusicPlaying() || m_strMusicName.empty())
        return;
    const std::string path = ResolveSoundPath(m_strMusicName);
    audio->PreloadMusic(path);
    audio->SetEffectsVolume(0.5f);
    audio->SetMusicVolume(0.5f);
    audio->PlayMusic(path, true);
}

void CGameHandler::StopBackgroundMusic()
{
    IGameAudio* audio = GetGameAudio();
    if (audio->IsMusicPlaying())
        audio->StopMusic(true);
}

void CGameHandler::PlayGameSound(const char* name, bool loop)
{
    if (name != nullptr && name[0] != '\0')
        m_strEffectName = name;
    if (!MusicOn() || m_strEffectName.empty())
        return;
    GetGameAudio()->PlayEffect(ResolveSoundPath(m_strEffectName), loop);
}

void CGameHandler::StopAllGameSounds() { GetGameAudio()->StopAllEffects(); }

// --- kernel events ------------------------------------------------------------------

bool CGameHandler::AttachToKernel(const char*)
{
    if (CBaseKernelLayer* kernel = GetKernel())
        kernel->SetGameHandler(this);
    return true;
}

bool CGameHandler::InitGameHandler() { return AttachToKernel("Sexy::CGameHandler"); }

bool CGameHandler::OnClockInfo(uint16_t chair, int32_t seconds, uint32_t)
{
    if (CGameBoard* board = GetBoard())
    {
        const int32_t shown = seconds < 0 ? 0 : seconds > 0xFFFF ? 0xFFFF : seconds;
        board->SetUserClock(SwitchViewChairID(chair), static_cast<uint16_t>(shown));
    }
    return true;
}

void CGameHandler::OnClockKill(uint16_t chair, uint32_t)
{
    if (CGameBoard* board = GetBoard())
        board->SetUserClock(SwitchViewChairID(chair), 0);
}

bool CGameHandler::OnFrameMessage(uint16_t, const void*, uint16_t) { return false; }

void CGameHandler::OnSystemMessage(const void* message, uint16_t size)
{
    if (message == nullptr || size < 4)
        return;
    const auto* bytes = static_cast<const uint8_t*>(message);
    const uint16_t type = static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
    const uint16_t length = static_cast<uint16_t>(bytes[2] | bytes[3] << 8);
    if ((type & 0x200) == 0)
        return;
    m_cbCloseFlag = 1;
    const std::string text = CClientGlobal::WideToAnsi(wire::ReadTextAt(message, size, 4, length));
    if (m_pNoticeDialog != nullptr)
    {
        m_pNoticeDialog->setDelegate(nullptr);
        m_pNoticeDialog->Close();
    }
    m_pNoticeDialog = Dialog::create();
    if (m_pNoticeDialog == nullptr)
        return;
    m_pNoticeDialog->setDelegate(this);
    m_pNoticeDialog->setButtonMode(Dialog::kModeOK);
    m_pNoticeDialog->ShowMessage(CClientGlobal::UTF8ToGBK("提示").c_str(), text.c_str());
}

void CGameHandler::OnUserEnter(tagUserData* user, uint16_t chair, bool lookOn)
{
    CBaseKernelLayer* kernel = GetKernel();
    CGameBoard* board = GetBoard();
    if (board != nullptr && !lookOn)
        board->SetSeatUser(chair, user);
    if (kernel != nullptr && chair == kernel->GetMeChairID())
    {
        if (tagUserData* mine = kernel->GetTableUserData(chair))
            kernel->SetScoreAtEnter(mine->lScore);
    }
    if (board != nullptr)
        board->OnPlayerEnter(user);
}

void CGameHandler::OnUserLeave(tagUserData* user, uint16_t chair, bool lookOn)
{
    CGameBoard* board = GetBoard();
    if (board == nullptr)
        return;
    if (!lookOn)
        board->SetSeatUser(chair, nullptr);
    board->OnPlayerLeave(user);
}

void CGameHandler::OnUserScore(tagUserData* user, uint16_t chair, bool)
{
    CBaseKernelLayer* kernel = GetKernel();
    CGameBoard* board = GetBoard();
    if (board == nullptr)
        return;
    if (kernel != nullptr && kernel->IsSeatGame())
        board->RefreshSeatPanel(chair, user);
    board->OnUserScoreUpdated(user);
}

void CGameHandler::OnUserScoreChange(uint32_t userID, const char16_t* nickName, int64_t delta, uint8_t status)
{
    if (CGameBoard* board = GetBoard())
        board->OnUserScoreChanged(userID, nickName, delta, status);
}

void CGameHandler::OnUserStatus(tagUserData* user, uint16_t chair, bool)
{
    CBaseKernelLayer* kernel = GetKernel();
    CGameBoard* board = GetBoard();
    if (board == nullptr)
        return;
    if (kernel != nullptr && kernel->IsSeatGame())
        board->ShowUserStatus(chair, user);
    board->OnUserStatusUpdated(user);
}

// --- accessors ------------------------------------------------------------------------

uint16_t CGameHandler::SwitchViewChairID(uint16_t chair)
{
    CBaseKernelLayer* kernel = GetKernel();
    return kernel != nullptr ? kernel->SwitchViewChairID(chair) : 0;
}

uint16_t CGameHandler::GetMeChairID()
{
    CBaseKernelLayer* kernel = GetKernel();
    return kernel != nullptr ? kernel->GetMeChairID() : INVALID_CHAIR;
}

tagUserData* CGameHandler::GetTableUserData(uint16_t chair)
{
    CBaseKernelLayer* kernel = GetKernel();
    return kernel != nullptr ? kernel->GetTableUserData(chair) : nullptr;
}

uint8_t CGameHandler::GetGameStatus()
{
    CBaseKernelLayer* kernel = GetKernel();
    return kernel != nullptr ? kernel->GetGameStatus() : 0;
}

void CGameHandler::SetGameStatus(uint8_t status)
{
    if (CBaseKernelLayer* kernel = GetKernel())
        kernel->SetGameStatus(status);
}

bool CGameHandler::SendGameData(uint16_t sub, const void* data, uint16_t size)
{
    CBaseKernelLayer* kernel = GetKernel();
    return kernel != nullptr && kernel->SendSocketData(MDM_GF_GAME, sub, data, size);
}

bool CGameHandler::SendGameData(uint16_t sub)
{
    CBaseKernelLayer* kernel = GetKernel();
    return kernel != nullptr && kernel->SendSocketData(MDM_GF_GAME, sub);
}

bool CGameHandler::SetGameClock(uint16_t chair, uint32_t timerID, int32_t seconds)
{
    CBaseKernelLayer* kernel = GetKernel();
    return kernel != nullptr && kernel->SetGameClock(chair, timerID, seconds);
}

bool CGameHandler::KillGameClock(uint32_t timerID)
{
    CBaseKernelLayer* kernel = GetKernel();
    return kernel != nullptr && kernel->KillGameClock(timerID);
}

bool CGameHandler::IsMeNotPlaying()
{
    tagUserData* mine = GetTableUserData(GetMeChairID());
    return mine != nullptr && mine->cbUserStatus != US_PLAY;
}

}  // namespace Sexy
