#include "hall/GameHallScene.h"

#include "core/ClientGlobal.h"
#include "net/TCPSocketModule.h"
#include "ui/AppServices.h"
#include "ui/GBKLabel.h"
#include "ui/ImageButton.h"
#include "ui/MBProgressHUD.h"
#include "ui/PublicLayer.h"
#include "ui/VisibleRect.h"

#include <algorithm>
#include <cstdio>

using namespace cocos2d;

GameHallScene* g_pGameHallScene = nullptr;

namespace {

GameHallScene::RoomEnterer g_roomEnterer = nullptr;
GameHallScene::RoomCloser g_roomCloser = nullptr;
GameHallScene::UserInfoDialogFactory g_userInfoFactory = nullptr;

constexpr uint16_t kHallUserMain = 3;
constexpr uint16_t kSubUserInfoResult = 301;
constexpr uint16_t kSubModifyResult = 900;

std::string GBK(const char* utf8) { return CClientGlobal::UTF8ToGBK(utf8); }

}  // namespace

// --- small services ---------------------------------------------------------

bool HallMessage::init()
{
    if (!CCLayer::init())
        return false;
    CCSprite* panel = CCSprite::create("Hall/message_bg");
    if (panel != nullptr)
    {
        panel->setAnchorPoint(CCPoint(0, 0));
        addChild(panel);
        setContentSize(panel->getContentSize());
    }
    return true;
}

void GameHallUserLayer::UpdateUserInfo(PublicLayer* frame)
{
    if (frame != nullptr)
        frame->UpdateUserInfo();
}

// --- the scene ----------------------------------------------------------------

void GameHallScene::SetRoomEnterer(RoomEnterer enterer, RoomCloser closer)
{
    g_roomEnterer = enterer;
    g_roomCloser = closer;
}

void GameHallScene::SetUserInfoDialogFactory(UserInfoDialogFactory factory) { g_userInfoFactory = factory; }

GameHallScene* GameHallScene::create(const HallConfig& config)
{
    auto* hall = new GameHallScene();
    if (!hall->initHall(config))
    {
        delete hall;
        return nullptr;
    }
    hall->autorelease();
    return hall;
}

CCScene* GameHallScene::CreateFirstScene(const HallConfig& config)
{
    hall::ApplyUser(config.user, CClientGlobal::GetInstance()->GetUserRecord());
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile("ClientGame/UserStatus.plist");
    return create(config);
}

GameHallScene::GameHallScene() = default;

GameHallScene::~GameHallScene()
{
    CCDirector::sharedDirector()->getScheduler()->unscheduleAllForTarget(this);
    // The hall's reference to a room still open (the program is ending).
    if (g_roomCloser != nullptr)
        g_roomCloser();
    if (g_pGameHallScene == this)
        g_pGameHallScene = nullptr;
}

bool GameHallScene::initHall(const HallConfig& config)
{
    if (!CCScene::init())
        return false;
    m_Config = config;
    g_pGameHallScene = this;
    SetHallSocket(std::make_unique<CTCPSocketModule>());

    if (CCSprite* background = CCSprite::create("Skin/Bg/bg1"))
    {
        background->setAnchorPoint(CCPoint(0, 0));
        addChild(background, -1);
        m_pBackground = background;
    }
    m_pPublicLayer = PublicLayer::create(0);
    if (m_pPublicLayer != nullptr)
    {
        m_pPublicLayer->setButtonTarget(this, menu_selector(GameHallScene::OnFrameButton));
        addChild(m_pPublicLayer, 0);
    }
    BuildRoomList();
    m_pHallMessage = HallMessage::create();
    addChild(m_pHallMessage, 1);
    LayoutHall();
    app_services::SetResizeHandler(&GameHallScene::OnWindowResized);
    if (m_Config.enterRoom >= 0)
        scheduleOnce(schedule_selector(GameHallScene::EnterAtStart), 0);
    return true;
}

void GameHallScene::BuildRoomList()
{
    m_pHeading = CCLabelTTF::create("游戏房间", "Arial", 22);
    m_pHeading->setAnchorPoint(CCPoint(0, 0.5f));
    addChild(m_pHeading, 1);
    if (m_Config.rooms.empty())
    {
        CCLabelTTF* note = CCLabelTTF::create("没有配置房间（--room 或 hall.conf）", "Arial", 16);
        addChild(note, 1, kTagEmptyNote);
        return;
    }
    for (size_t i = 0; i < m_Config.rooms.size() && i < kMaxRooms; ++i)
    {
        const HallRoom& room = m_Config.rooms[i];
        CImageButton* button =
            CImageButton::create("Hall/room", "Hall/room_pressed", "Hall/room_hover", this,
                                 menu_selector(GameHallScene::OnRoomButton), kTagRoomBase + static_cast<int>(i));
        if (button == nullptr)
            continue;
        const CCSize size = button->getContentSize();
        CCLabelTTF* kindLabel = CCLabelTTF::create(room.kindName.c_str(), "Arial", 18);
        kindLabel->setPosition(CCPoint(size.width / 2, size.height / 2 + 11));
        button->addChild(kindLabel, 5);
        CCLabelTTF* nameLabel = CCLabelTTF::create(room.name.c_str(), "Arial", 14);
        nameLabel->setPosition(CCPoint(size.width / 2, size.height / 2 - 13));
        nameLabel->setColor(ccc3(230, 240, 250));
        button->addChild(nameLabel, 5);
        addChild(button, 1, kTagRoomBase + static_cast<int>(i));
    }
}

void GameHallScene::LayoutHall()
{
    const CCRect visible = VisibleRect::getVisibleRect();
    m_laidOutFor = visible.size;
    if (m_pBackground != nullptr)
    {
        const CCSize picture = m_pBackground->getContentSize();
        m_pBackground->setScale(visible.size.width / std::max(1.0f, picture.width),
                                visible.size.height / std::max(1.0f, picture.height));
        m_pBackground->setPosition(visible.origin);
    }
    if (m_pPublicLayer != nullptr)
    {
        m_pPublicLayer->Relayout(visible.size.width, visible.size.height, app_services::IsMaximized());
    }
    if (m_pHeading != nullptr)
        m_pHeading->setPosition(CCPoint(visible.getMinX() + 40, visible.getMaxY() - 130));
    if (CCNode* note = getChildByTag(kTagEmptyNote))
        note->setPosition(VisibleRect::center());
    const float cellWidth = 240;
    const float cellHeight = 96;
    const int columns = std::max(1, static_cast<int>((visible.size.width - 80) / cellWidth));
    for (size_t i = 0; i < m_Config.rooms.size() && i < kMaxRooms; ++i)
    {
        CCNode* button = getChildByTag(kTagRoomBase + static_cast<int>(i));
        if (button == nullptr)
            continue;
        const int column = static_cast<int>(i) % columns;
        const int row = static_cast<int>(i) / columns;
        button->setPosition(
            CCPoint(visible.getMinX() + 40 + (column + 0.5f) * cellWidth, visible.getMaxY() - 200 - row * cellHeight));
    }
    if (m_pHallMessage != nullptr)
        m_pHallMessage->setPosition(CCPoint(visible.getMinX() + 12, visible.getMinY() + 12));
}

void GameHallScene::OnWindowResized(int, int)
{
    if (g_pGameHallScene != nullptr && g_pGameHallScene->isRunning())
        g_pGameHallScene->LayoutHall();
}

void GameHallScene::onEnter()
{
    CCScene::onEnter();
    // Back from a room: the window may have been maximised there, and the
    // logged-on user's score may have changed.
    if (!VisibleRect::getVisibleRect().size.equals(m_laidOutFor))
        LayoutHall();
    GameHallUserLayer::UpdateUserInfo(m_pPublicLayer);
    // The room asked to be entered again (its re-enter dialog).
    CCUserDefault* settings = CCUserDefault::sharedUserDefault();
    const int port = settings->getIntegerForKey("RoomSocketPort", 0);
    if (port == 0)
        return;
    settings->setIntegerForKey("RoomSocketPort", 0);
    settings->flush();
    for (size_t i = 0; i < m_Config.rooms.size(); ++i)
    {
        if (m_Config.rooms[i].port == port)
        {
            EnterConfiguredRoom(i);
            return;
        }
    }
}

void GameHallScene::EnterAtStart(float)
{
    if (m_Config.enterRoom >= 0)
        EnterConfiguredRoom(static_cast<size_t>(m_Config.enterRoom));
}

void GameHallScene::OnRoomButton(CCObject* sender)
{
    auto* node = dynamic_cast<CCNode*>(sender);
    if (node != nullptr && node->getTag() >= kTagRoomBase)
        EnterConfiguredRoom(static_cast<size_t>(node->getTag() - kTagRoomBase));
}

void GameHallScene::OnFrameButton(CCObject* sender)
{
    auto* node = dynamic_cast<CCNode*>(sender);
    if (node == nullptr)
        return;
    if (node->getTag() == PublicLayer::kTagUserPanel)
        ShowUserInfoDialog(false);
    else if (node->getTag() == PublicLayer::kButtonClose)
        CCDirector::sharedDirector()->end();
    else if (node->getTag() == PublicLayer::kButtonMinimize)
        CCEGLView::sharedOpenGLView()->minimizeWindow();
    else if (node->getTag() == PublicLayer::kButtonMaximize || node->getTag() == PublicLayer::kButtonRestore)
    {
        app_services::ToggleMaximize();
    }
}

bool GameHallScene::EnterConfiguredRoom(size_t index)
{
    if (index >= m_Config.rooms.size())
        return false;
    const HallRoom& room = m_Config.rooms[index];
    return EnterGameServer(hall::MakeKindRecord(room), hall::MakeServerRecord(room));
}

bool GameHallScene::EnterGameServer(const GameKindRecord& kind, const GameServerRecord& server)
{
    if (m_bEntering || g_roomEnterer == nullptr)
        return false;
    MBProgressHUD::showHUD();
    if (!g_roomEnterer(kind, server))
    {
        MBProgressHUD::hideHUD(false);
        CClientGlobal::ShowMessageBox(GBK("进入房间失败"));
        return false;
    }
    return true;
}

void GameHallScene::RemoveHallMessage()
{
    if (m_pHallMessage == nullptr)
        return;
    m_pHallMessage->removeFromParentAndCleanup(true);
    m_pHallMessage = nullptr;
}

bool GameHallScene::ShowUserInfoDialog(bool passwordPage)
{
    CCScene* scene = CCDirector::sharedDirector()->getRunningScene();
    if (scene == nullptr || g_userInfoFactory == nullptr || scene->getChildByTag(kTagUserInfoDialog) != nullptr)
        return false;
    CCNode* dialog = g_userInfoFactory();
    if (dialog == nullptr)
        return false;
    scene->addChild(dialog, kTagUserInfoDialog, kTagUserInfoDialog);
    if (passwordPage)
        if (auto* centre = dynamic_cast<IPersonalCentreDialog*>(dialog))
            centre->OnTabSelected(nullptr);
    return true;
}

// --- the hall connection ---------------------------------------------------------

void GameHallScene::SetHallSocket(std::unique_ptr<IClientSocket> socket)
{
    m_pHallSocket = std::move(socket);
    if (m_pHallSocket)
        m_pHallSocket->SetSocketSink(this);
}

bool GameHallScene::ConnectHallServer(int connectType)
{
    m_nConnectType = connectType;
    m_nConnectTries = 1;
    const UserRecord& logon = CClientGlobal::GetInstance()->GetUserRecord();
    m_pHallSocket->SetUserID(logon.dwUserID);
    return m_pHallSocket->Connect({m_Config.hallHost}, CClientGlobal::WideToAnsi(FieldText(logon.szAccounts)),
                                  m_Config.hallPort);
}

void GameHallScene::CloseHallSocket()
{
    m_nConnectType = 0;
    if (m_pHallSocket)
        m_pHallSocket->CloseSocket();
}

IPersonalCentreDialog* GameHallScene::FindDialog(int tag)
{
    CCScene* scene = CCDirector::sharedDirector()->getRunningScene();
    CCNode* child = scene != nullptr ? scene->getChildByTag(tag) : nullptr;
    return dynamic_cast<IPersonalCentreDialog*>(child);
}

bool GameHallScene::OnSocketLink(int errorCode, const char*, IClientSocket*)
{
    if (m_nConnectType != kConnectPersonalCentre)
        return true;
    if (errorCode == 0)
    {
        IPersonalCentreDialog* dialog = FindDialog(kTagUserInfoDialog);
        if (dialog != nullptr && dialog->QueryUserInfo())
            return true;
    }
    else if (m_nConnectTries < kPersonalCentreTries)
    {
        ++m_nConnectTries;
        const UserRecord& logon = CClientGlobal::GetInstance()->GetUserRecord();
        m_pHallSocket->Connect({m_Config.hallHost}, CClientGlobal::WideToAnsi(FieldText(logon.szAccounts)),
                               m_Config.hallPort);
        return true;
    }
    m_nConnectType = 0;
    CClientGlobal::ShowMessageBox(GBK("个人中心异常"));
    return true;
}

bool GameHallScene::OnSocketRead(uint32_t command, const void* data, size_t size, IClientSocket*)
{
    const uint16_t main = static_cast<uint16_t>(command & 0xFFFF);
    const uint16_t sub = static_cast<uint16_t>(command >> 16);
    if (main != kHallUserMain)
        return true;
    if (sub == kSubUserInfoResult)
    {
        IPersonalCentreDialog* dialog = FindDialog(kTagUserInfoDialog);
        if (dialog == nullptr)
        {
            CClientGlobal::ShowMessageBox(GBK("个人中心请求异常"));
            return true;
        }
        return dialog->OnUserInfoResult(data, size);
    }
    if (sub == kSubModifyResult)
    {
        bool ok = true;
        if (IPersonalCentreDialog* lock = FindDialog(kTagLockMachineDialog))
            ok = lock->OnModifyResult(data, size) && ok;
        if (IPersonalCentreDialog* info = FindDialog(kTagUserInfoDialog))
            ok = info->OnModifyResult(data, size) && ok;
        return ok;
    }
    return true;
}

bool GameHallScene::OnSocketShut(IClientSocket*, SocketShutReason)
{
    m_nConnectType = 0;
    return true;
}
