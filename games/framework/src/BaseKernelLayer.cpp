#include "games/framework/BaseKernelLayer.h"

#include "core/ClientGlobal.h"
#include "games/framework/GameBoard.h"
#include "games/framework/GameHandler.h"
#include "games/framework/GameKindModule.h"
#include "games/framework/GameRoom.h"
#include "games/framework/GameAudio.h"
#include "games/framework/MobileUserTimer.h"
#include "ui/WindyTopLayer.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

using namespace cocos2d;

namespace Sexy {

namespace {

uint16_t U16(const void* data, size_t offset)
{
    uint16_t v;
    std::memcpy(&v, static_cast<const uint8_t*>(data) + offset, sizeof(v));
    return v;
}

int64_t WrappingSub(int64_t a, int64_t b)
{
    return static_cast<int64_t>(static_cast<uint64_t>(a) - static_cast<uint64_t>(b));
}

int64_t WrappingAdd(int64_t a, int64_t b)
{
    return static_cast<int64_t>(static_cast<uint64_t>(a) + static_cast<uint64_t>(b));
}

// A closed board is not heard: its music (or a looping effect that stands
// for it) would otherwise play on in the room and the hall.
void SilenceClosedBoard()
{
    GetGameAudio()->StopMusic(true);
    GetGameAudio()->StopAllEffects();
}

// Removes a node that may be running the very callback we are in: it stays
// alive until the frame's pool drains.
void DetachLater(CCNode* node)
{
    node->retain();
    node->removeFromParentAndCleanup(true);
    node->autorelease();
}

}  // namespace

CBaseKernelLayer* CBaseKernelLayer::create()
{
    auto* kernel = new (std::nothrow) CBaseKernelLayer();
    if (kernel != nullptr && kernel->init())
    {
        kernel->autorelease();
        return kernel;
    }
    delete kernel;
    return nullptr;
}

CBaseKernelLayer::CBaseKernelLayer() : m_UserManager(CMobileUserManager::kNoLimit) {}

CBaseKernelLayer::~CBaseKernelLayer()
{
    // The exit question must not outlive its delegate.
    CCNode* exitDialog = WindyTopLayer::sharedTopLayer()->getChildByTag(kExitDialogTag);
    if (auto* dialog = dynamic_cast<Dialog*>(exitDialog))
    {
        if (dialog->getDelegate() == this)
        {
            dialog->setDelegate(nullptr);
            dialog->Close();
        }
    }
    // The room closes with the board still open.
    if (m_pGameBoard != nullptr)
        SilenceClosedBoard();
    UnloadGameResources(m_dwCurrentKind);
    // Released, not deleted: a module with loads still pending is kept alive
    // by the texture cache until its last callback.
    for (auto& kept : m_KindModules)
        kept.second->release();
    m_KindModules.clear();
}

bool CBaseKernelLayer::init() { return CCLayer::init(); }

// --- sending ------------------------------------------------------------------

bool CBaseKernelLayer::SendSocketData(uint16_t main, uint16_t sub, const void* data, uint16_t size)
{
    if (size > kMaxGamePayload || (data == nullptr && size != 0))
        return false;
    IGameRoom* room = GetGameRoom();
    if (room == nullptr)
        return false;
    std::vector<uint8_t> packet(kGamePacketHead + size);
    std::memcpy(packet.data(), &main, 2);
    std::memcpy(packet.data() + 2, &sub, 2);
    if (size != 0)
        std::memcpy(packet.data() + kGamePacketHead, data, size);
    room->OnGameSendData(IPC_MAIN_SOCKET, IPC_SUB_SOCKET_SEND, packet.data(), static_cast<uint16_t>(packet.size()));
    return true;
}

bool CBaseKernelLayer::SendSocketData(uint16_t main, uint16_t sub) { return SendSocketData(main, sub, nullptr, 0); }

bool CBaseKernelLayer::SendUserReady(const void* data, uint16_t size)
{
    if (m_pMeUserData == nullptr || m_pMeUserData->cbUserStatus != US_SIT)
        return true;
    KillGameClock(ReadyClockID);
    return SendSocketData(MDM_GF_FRAME, SUB_GF_USER_READY, data, size);
}

// --- accessors ------------------------------------------------------------------

uint8_t CBaseKernelLayer::GetGameStatus() { return m_cbGameStatus; }

void CBaseKernelLayer::SetGameStatus(uint8_t status) { m_cbGameStatus = status; }

uint16_t CBaseKernelLayer::SwitchViewChairID(uint16_t chair)
{
    if (m_pMeUserData == nullptr)
        return 0;
    return SwitchViewChair(GetChairCount(), m_wMeChairID, chair);
}

tagUserData* CBaseKernelLayer::GetMeUserData() { return m_pMeUserData; }

uint16_t CBaseKernelLayer::GetMeChairID() { return m_wMeChairID; }

tagUserData* CBaseKernelLayer::GetTableUserData(uint16_t chair)
{
    return chair < SeatLimit() ? m_pSeats[chair] : nullptr;
}

tagUserData* CBaseKernelLayer::SearchUserByGameID(uint32_t gameID)
{
    for (tagUserData* user : m_pSeats)
        if (user != nullptr && user->dwGameID == gameID)
            return user;
    return nullptr;
}

uint16_t CBaseKernelLayer::GetClockChairID() { return m_wClockChairID; }

bool CBaseKernelLayer::SearchReadyUser()
{
    // The scene step always uses the full ready time, whoever is ready.
    return true;
}

bool CBaseKernelLayer::IsSeatGame() { return IsSeatGameKind(GetKindID(), GetChairCount()); }

uint16_t CBaseKernelLayer::SeatLimit() const
{
    return static_cast<uint16_t>(std::min<size_t>(GetChairCount(), kMaxSeats));
}

std::u16string CBaseKernelLayer::GetServerName() const { return wire::ReadText(m_Config.szServerName, 32); }

std::u16string CBaseKernelLayer::GetKindName() const { return wire::ReadText(m_Config.szKindName, 32); }

// --- the game clock -------------------------------------------------------------

bool CBaseKernelLayer::SetGameClock(uint16_t chair, uint32_t timerID, int32_t seconds)
{
    if (m_pGameHandler == nullptr)
        return false;
    if (m_dwClockTimerID != 0)
        KillGameClock(m_dwClockTimerID);
    if (chair >= GetChairCount() || seconds < 1 || timerID == 0)
        return false;
    CMobileUserTimer* node = CMobileUserTimer::create();
    if (node == nullptr)
        return false;
    m_dwClockTimerID = timerID;
    m_dwClockSeconds = static_cast<uint32_t>(seconds);
    m_wClockChairID = chair;
    m_pClockNode = node;
    node->Start(this, chair, timerID, seconds, static_cast<int32_t>(timerID));
    addChild(node);
    m_pGameHandler->OnClockInfo(chair, seconds, timerID);
    return true;
}

bool CBaseKernelLayer::KillGameClock(uint32_t timerID)
{
    if (m_pGameHandler == nullptr || m_dwClockTimerID == 0)
        return false;
    if (timerID != 0 && timerID != m_dwClockTimerID)
        return false;
    const uint16_t chair = m_wClockChairID;
    const uint32_t running = m_dwClockTimerID;
    StopClockNode();
    // Cleared before the handler hears of it, so it may start a new clock.
    m_dwClockTimerID = 0;
    m_dwClockSeconds = 0;
    m_wClockChairID = INVALID_CHAIR;
    if (chair != INVALID_CHAIR)
        m_pGameHandler->OnClockKill(chair, running);
    return true;
}

void CBaseKernelLayer::StopClockNode()
{
    CMobileUserTimer* node = m_pClockNode;
    m_pClockNode = nullptr;
    if (node != nullptr)
    {
        node->Stop();
        DetachLater(node);
    }
}

void CBaseKernelLayer::OnClockTick(CMobileUserTimer* node, int32_t secondsLeft)
{
    if (node != m_pClockNode)
        return;
    const uint16_t chair = node->GetChairID();
    const uint32_t timerID = node->GetTimerID();
    if (m_pGameHandler != nullptr)
        m_pGameHandler->OnClockInfo(chair, secondsLeft, timerID);
    // The ready countdown ran out (and nobody stopped it meanwhile): leave,
    // if I still sit without having pressed. Ready or playing, I stay.
    if (timerID == ReadyClockID && secondsLeft == 0 && node == m_pClockNode)
    {
        node->Stop();
        if (m_pMeUserData == nullptr || m_pMeUserData->cbUserStatus == US_SIT)
            RequestExit();
    }
}

// --- the room's channel -----------------------------------------------------------

bool CBaseKernelLayer::OnChannelMessage(uint16_t main, uint16_t sub) { return OnChannelMessage(main, sub, nullptr, 0); }

bool CBaseKernelLayer::OnChannelMessage(uint16_t main, uint16_t sub, const void* data, uint16_t size)
{
    if (data == nullptr)
        size = 0;
    switch (main)
    {
        case IPC_MAIN_SOCKET:
            if (sub == IPC_SUB_SOCKET_RECV && !OnSocketMessage(data, size))
                CCMessageBox("DATA ERROR", "DATA ERROR");
            return true;
        case IPC_MAIN_CONFIG: return OnControlMessage(sub, data, size);
        case IPC_MAIN_USER: return OnUserMessage(sub, data, size);
        default: return true;
    }
}

bool CBaseKernelLayer::OnSocketMessage(const void* data, uint16_t size)
{
    if (size < kGamePacketHead)
        return false;
    if (m_pGameHandler == nullptr)
        return true;
    const uint16_t main = U16(data, 0);
    const uint16_t sub = U16(data, 2);
    const uint16_t payloadSize = static_cast<uint16_t>(size - kGamePacketHead);
    const void* payload = payloadSize != 0 ? static_cast<const uint8_t*>(data) + kGamePacketHead : nullptr;
    if (main == MDM_GF_GAME)
        return m_pGameHandler->OnGameMessage(sub, payload, payloadSize);
    if (main == MDM_GF_FRAME)
    {
        if (m_pGameHandler->OnFrameMessage(sub, payload, payloadSize))
            return true;
        return OnFrameMessage(sub, payload, payloadSize);
    }
    return false;
}

bool CBaseKernelLayer::OnFrameMessage(uint16_t sub, const void* data, uint16_t size)
{
    const auto* bytes = static_cast<const uint8_t*>(data);
    switch (sub)
    {
        case SUB_GF_GAME_STATUS:
            if (size != 2)
                return false;
            m_cbGameStatus = bytes[0];
            m_cbAllowLookon = bytes[1] != 0 ? 1 : 0;
            return true;
        case SUB_GF_SCENE:
        {
            // Ready already, I have done what the free scene asks: its start
            // button could send nothing, and its clock would stand me up.
            const bool meReady = m_pMeUserData != nullptr && m_pMeUserData->cbUserStatus == US_READY;
            if (m_cbGameStatus == GAME_STATUS_FREE && m_pGameBoard != nullptr && !meReady)
            {
                int seconds = kReadySeconds;
                if (!SearchReadyUser())
                    seconds = m_dwClockTimerID != 0 ? static_cast<int>(m_dwClockSeconds) : 99;
                m_pGameBoard->ShowStartButton(true, seconds);
            }
            else if (m_pGameBoard != nullptr)
            {
                // A scene of a game under way, or a free one while I am
                // ready: the start button and ready clock of an earlier free
                // scene go.
                DropReadyPrompt();
            }
            if (m_pGameHandler == nullptr)
                return true;
            const bool lookOn = m_pMeUserData != nullptr && m_pMeUserData->cbUserStatus == US_LOOKON;
            return m_pGameHandler->OnGameSceneMessage(m_cbGameStatus, lookOn, data, size);
        }
        case SUB_GF_SYSTEM_MESSAGE:
        {
            if (size <= 4 || static_cast<size_t>(U16(data, 2)) * 2 + 4 != size)
                return false;
            if (m_pGameHandler != nullptr)
                m_pGameHandler->OnSystemMessage(data, size);
            return true;
        }
        case SUB_GF_IGNORED_10:
        case SUB_GF_IGNORED_11:
        case SUB_GF_IGNORED_102:
        case SUB_GF_IGNORED_201: return true;
        default: return false;
    }
}

bool CBaseKernelLayer::OnControlMessage(uint16_t sub, const void* data, uint16_t size)
{
    switch (sub)
    {
        case IPC_SUB_SERVER_INFO:
        {
            if (size != sizeof(m_Config))
                return false;
            std::memcpy(&m_Config, data, sizeof(m_Config));
            return true;
        }
        case IPC_SUB_SHOW_GAME: ShowGameBoard(); return true;
        case IPC_SUB_CLOSE_GAME: RequestExit(); return true;
        case IPC_SUB_NETWORK_BUSY: CCMessageBox("游戏网络繁忙", "异常"); return true;
        default: return false;
    }
}

void CBaseKernelLayer::ShowGameBoard()
{
    if (m_pGameBoard != nullptr)
        m_pGameBoard->ShowBoard();
    GameOptionMessage option;
    option.cbAllowLookon = 0;
    option.dwFrameVersion = kGameFrameVersion;
    option.dwOptionValue = m_Config.dwOptionValue;
    SendSocketData(MDM_GF_FRAME, SUB_GF_OPTION, &option, sizeof(option));
}

bool CBaseKernelLayer::OnUserMessage(uint16_t sub, const void* data, uint16_t size)
{
    switch (sub)
    {
        case IPC_SUB_USER_ENTER:
        {
            tagUserData record;
            if (!ReadUserEnterMessage(data, size, record))
                return false;
            ActiveUserData(record);
            return true;
        }
        case IPC_SUB_USER_SCORE:
        {
            UserScoreMessage message;
            if (size != sizeof(message))
                return false;
            std::memcpy(&message, data, sizeof(message));
            UpdateUserScore(message);
            return true;
        }
        case IPC_SUB_USER_STATUS:
        {
            UserStatusMessage message;
            if (!wire::ReadRecord(data, size, message))
                return false;
            OnUserStatusMessage(message);
            return true;
        }
        case IPC_SUB_USER_IGNORED_103:
        case IPC_SUB_USER_IGNORED_104: return true;
        case IPC_SUB_TABLE_STARTED:
            if (IsSeatGame())
                SetTableStatus(US_PLAY);
            return true;
        case IPC_SUB_TABLE_ENDED: SetTableStatus(US_SIT); return true;
        default: return false;
    }
}

// --- users at my table -------------------------------------------------------------

void CBaseKernelLayer::ActiveUserData(const tagUserData& record)
{
    const uint16_t chair = record.wChairID;
    if (record.wTableID == INVALID_TABLE || chair >= SeatLimit())
        return;
    tagUserData* user = m_UserManager.AllocUserData();
    if (user == nullptr)
        return;
    const bool me = record.dwUserID == GetMeUserID();
    const uint8_t myStatusWas = m_pMeUserData != nullptr ? m_pMeUserData->cbUserStatus : uint8_t{US_NULL};
    // A user changing chairs is announced at the new chair before his status
    // says so: empty his old seat first, so he is never seated twice.
    for (uint16_t i = 0; i < SeatLimit(); ++i)
    {
        tagUserData* held = m_pSeats[i];
        if (held != nullptr && (held->dwUserID == record.dwUserID || i == chair))
            RemoveSeat(i);
    }
    *user = record;
    m_pSeats[chair] = user;
    if (me)
    {
        m_pMeUserData = user;
        m_wMeTableID = user->wTableID;
        m_wMeChairID = user->wChairID;
        OnMyStatus(myStatusWas);
    }
    if (m_pGameHandler != nullptr)
        m_pGameHandler->OnUserEnter(user, chair, false);
}

void CBaseKernelLayer::RemoveSeat(uint16_t chair)
{
    tagUserData* user = m_pSeats[chair];
    m_pSeats[chair] = nullptr;
    if (user == m_pMeUserData)
    {
        m_pMeUserData = nullptr;
        m_wMeTableID = INVALID_TABLE;
        m_wMeChairID = INVALID_CHAIR;
    }
    if (m_pGameHandler != nullptr)
        m_pGameHandler->OnUserLeave(user, chair, false);
    m_UserManager.FreeUserData(user);
}

bool CBaseKernelLayer::UpdateUserScore(const UserScoreMessage& message)
{
    tagUserData* user = m_UserManager.SearchUserByUserID(message.dwUserID);
    if (user == nullptr)
        return false;
    const int64_t newScore = message.lScore;
    const int64_t delta = WrappingSub(newScore, user->lScore);
    ApplyUserScore(message, *user);
    if (m_pGameHandler == nullptr)
        return true;
    const uint16_t chair = user->wChairID;
    m_pGameHandler->OnUserScore(user, chair, user->cbUserStatus != US_NULL);
    if (message.cbNoChange != 1)
        m_pGameHandler->OnUserScoreChange(user->dwUserID, user->szNickName, delta, user->cbUserStatus);
    if (chair == m_wMeChairID)
    {
        m_lScoreChangeSum = WrappingAdd(m_lScoreChangeSum, delta);
        if (m_pGameBoard != nullptr)
            m_pGameBoard->SetTotalScore(m_lScoreChangeSum);
    }
    return true;
}

void CBaseKernelLayer::OnUserStatusMessage(const UserStatusMessage& message)
{
    const uint32_t userID = message.dwUserID;
    const uint8_t status = message.cbUserStatus;
    // Moving to another table in one message is leaving this one: the room
    // relays it because the old table was mine.
    const uint16_t table = message.wTableID;
    const bool atMyTable = m_pMeUserData == nullptr || table == m_wMeTableID;
    if (status >= US_SIT && atMyTable)
    {
        tagUserData* user = m_UserManager.SearchUserByUserID(userID);
        if (user == nullptr)
            return;
        SetUserStatus(*user, status);
        if (m_pGameHandler != nullptr)
            m_pGameHandler->OnUserStatus(user, user->wChairID, status == US_LOOKON);
        return;
    }
    // Someone left the table: the game there is over.
    m_cbGameStatus = GAME_STATUS_FREE;
    m_cbAllowLookon = 0;
    if (userID != GetMeUserID())
    {
        DeleteUserData(userID);
        return;
    }
    if (m_pGameHandler != nullptr && m_pGameHandler->IsCloseFlag())
    {
        // The close notice keeps the board; the new table's users must
        // still not sit down beside the old table's. Up, I have no ready
        // to give.
        DropReadyPrompt();
        if (status >= US_SIT)
            ClearSeats();
        return;
    }
    ResetGameKernel();
}

void CBaseKernelLayer::DeleteUserData(uint32_t userID)
{
    for (uint16_t chair = 0; chair < SeatLimit(); ++chair)
    {
        if (m_pSeats[chair] != nullptr && m_pSeats[chair]->dwUserID == userID)
        {
            RemoveSeat(chair);
            return;
        }
    }
}

void CBaseKernelLayer::SetTableStatus(uint8_t status)
{
    for (uint16_t chair = 0; chair < SeatLimit(); ++chair)
    {
        tagUserData* user = m_pSeats[chair];
        if (user == nullptr)
            continue;
        SetUserStatus(*user, status);
        if (m_pGameHandler != nullptr)
            m_pGameHandler->OnUserStatus(user, chair, false);
    }
}

void CBaseKernelLayer::SetUserStatus(tagUserData& user, uint8_t status)
{
    const uint8_t was = user.cbUserStatus;
    user.cbUserStatus = status;
    if (&user == m_pMeUserData)
        OnMyStatus(was);
}

void CBaseKernelLayer::OnMyStatus(uint8_t was)
{
    const uint8_t now = m_pMeUserData->cbUserStatus;
    if (now != was && now != US_SIT)
        DropReadyPrompt();
}

void CBaseKernelLayer::DropReadyPrompt()
{
    if (m_pGameBoard != nullptr)
        m_pGameBoard->HideStartButton();
    KillGameClock(ReadyClockID);
}

void CBaseKernelLayer::ResetGameKernel()
{
    if (m_dwClockTimerID != 0 && !KillGameClock(m_dwClockTimerID))
        StopClockNode();
    m_dwClockTimerID = 0;
    m_dwClockSeconds = 0;
    m_wClockChairID = INVALID_CHAIR;

    ClearSeats();
    m_cbGameStatus = GAME_STATUS_FREE;
    m_cbAllowLookon = 0;

    if (m_pGameHandler != nullptr)
        m_pGameHandler->ResetGameClient();

    if (CGameBoard* board = m_pGameBoard)
    {
        m_pGameBoard = nullptr;
        if (CCNode* timerBox = board->GetTimerBox())
        {
            board->RemoveContentChild(timerBox);
            board->ForgetTimerBox();
        }
        board->HideStartButton();
        DetachLater(board);
        SilenceClosedBoard();
    }
}

void CBaseKernelLayer::ClearSeats()
{
    for (uint16_t chair = 0; chair < SeatLimit(); ++chair)
    {
        tagUserData* user = m_pSeats[chair];
        if (user == nullptr)
            continue;
        m_pSeats[chair] = nullptr;
        if (m_pGameHandler != nullptr)
            m_pGameHandler->OnUserLeave(user, chair, false);
        m_UserManager.FreeUserData(user);
    }
    m_pMeUserData = nullptr;
    m_wMeTableID = INVALID_TABLE;
    m_wMeChairID = INVALID_CHAIR;
}

// --- leaving -------------------------------------------------------------------------

bool CBaseKernelLayer::IsPlaying() { return m_pMeUserData != nullptr && m_pMeUserData->cbUserStatus == US_PLAY; }

void CBaseKernelLayer::RequestExit()
{
    if (IsPlaying())
    {
        WindyTopLayer* top = WindyTopLayer::sharedTopLayer();
        if (top->getChildByTag(kExitDialogTag) != nullptr)
            return;
        Dialog* dialog = Dialog::create();
        if (dialog == nullptr)
            return;
        dialog->setDelegate(this);
        dialog->setButtonMode(Dialog::kModeOKCancel);
        dialog->setTag(kExitDialogTag);
        dialog->ShowMessage(CClientGlobal::UTF8ToGBK("提示").c_str(),
                            CClientGlobal::UTF8ToGBK("您正在游戏中,强行退出将被扣分，确定要强退吗?").c_str());
        return;
    }
    OnDialogResult(Dialog::kButtonOK);
}

void CBaseKernelLayer::OnDialogResult(int button)
{
    if (button == Dialog::kButtonOK)
    {
        retain();  // the room may drop us while we finish
        if (IGameRoom* room = GetGameRoom())
            room->OnGameExit();
        const CCPoint origin = CCDirector::sharedDirector()->getVisibleOrigin();
        const CCSize visible = CCDirector::sharedDirector()->getVisibleSize();
        setPosition(CCPoint(-(origin.x + visible.width), getPosition().y));
        if (m_pGameBoard != nullptr)
        {
            m_pGameBoard->setModal(false);
            m_pGameBoard->SetSelectedChip(true, 0);
        }
        if (m_pGameHandler != nullptr)
        {
            if (Dialog* notice = m_pGameHandler->GetNoticeDialog())
            {
                m_pGameHandler->ForgetNoticeDialog();
                notice->setDelegate(nullptr);
                notice->Close();
            }
            if (m_pGameHandler->IsCloseFlag())
                ResetGameKernel();
        }
        GetGameAudio()->PauseMusic();
        GetGameAudio()->StopAllEffects();
        release();
    }
    WindyTopLayer::sharedTopLayer()->relayout();
}

// --- modules -------------------------------------------------------------------------------

uint16_t CBaseKernelLayer::KindOfRecord(const void* kindRecord)
{
    return kindRecord != nullptr ? U16(kindRecord, 6) : 0;
}

CGameKindModule* CBaseKernelLayer::GetKindModule(uint16_t kindID) const
{
    auto it = m_KindModules.find(kindID);
    return it != m_KindModules.end() ? it->second : nullptr;
}

CGameKindModule* CBaseKernelLayer::MakeKindModule(uint16_t kindID)
{
    const GameKindModuleInfo* entry = FindGameKindEntry(kindID);
    if (entry == nullptr || entry->makeModule == nullptr)
        return nullptr;
    CGameKindModule* module = entry->makeModule();
    if (module == nullptr)
        return nullptr;
    CGameKindModule*& kept = m_KindModules[kindID];
    if (kept != nullptr)
        kept->release();
    kept = module;
    return module;
}

void CBaseKernelLayer::LoadGameResources(const void* kindRecord)
{
    const uint16_t kind = KindOfRecord(kindRecord);
    m_dwCurrentKind = kind;
    const GameKindModuleInfo* entry = FindGameKindEntry(kind);
    // Kinds that borrow another game's module get a fresh one every time.
    const bool renew = entry != nullptr && entry->createGame != nullptr;
    if (GetKindModule(kind) != nullptr && !renew)
        return;
    if (CGameKindModule* module = MakeKindModule(kind))
        module->LoadResources();
}

void CBaseKernelLayer::UnloadGameResources(uint32_t kindID)
{
    if (kindID > 0xFFFF)
        return;
    const uint16_t kind = static_cast<uint16_t>(kindID);
    CGameKindModule* module = GetKindModule(kind);
    if (module == nullptr)
        module = MakeKindModule(kind);
    if (module != nullptr)
        module->UnloadResources();
}

bool CBaseKernelLayer::EnterGame(const void* kindRecord)
{
    const uint16_t kind = KindOfRecord(kindRecord);
    WindyTopLayer* top = WindyTopLayer::sharedTopLayer();
    IGameRoom* room = GetGameRoom();
    if (room == nullptr || !room->IsGameResourcesReady() || top->isLoadingShown())
    {
        top->showLoading();
        return true;
    }
    if (m_pGameBoard == nullptr)
    {
        CGameBoard* board = nullptr;
        const GameKindModuleInfo* entry = FindGameKindEntry(kind);
        if (entry != nullptr && entry->createGame != nullptr)
        {
            board = entry->createGame();
        }
        else if (entry != nullptr)
        {
            CGameKindModule* module = GetKindModule(kind);
            if (module == nullptr)
                module = MakeKindModule(kind);
            if (module != nullptr)
                board = module->CreateGame();
        }
        if (board != nullptr)
        {
            m_pGameBoard = board;
            addChild(board, kBoardZOrder);
        }
    }
    if (top->isLoadingShown())
        top->hideLoading();
    room->ShowGameView();
    top->relayout();
    return true;
}

CBaseKernelLayer* RoomKernel()
{
    IGameRoom* room = GetGameRoom();
    return room != nullptr ? room->GetKernelLayer() : nullptr;
}

bool IsSeatedGame()
{
    CBaseKernelLayer* kernel = RoomKernel();
    return kernel == nullptr || kernel->IsSeatGame();
}

}  // namespace Sexy
