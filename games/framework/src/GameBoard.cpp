#include "games/framework/GameBoard.h"

#include "core/ClientGlobal.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/GameRoom.h"
#include "ui/ImageButton.h"

#include <cmath>
#include <cstdio>
#include <new>

using namespace cocos2d;

namespace Sexy {

namespace {

constexpr int kCloseButtonTag = 1;
constexpr int kTitleZOrder = 20000;

std::string UTF8(const char16_t* wide) { return CClientGlobal::WideToUTF8(wire::ReadText(wide, 32)); }

void RemoveTagged(CCNode* parent, int tag)
{
    if (parent != nullptr && parent->getChildByTag(tag) != nullptr)
        parent->removeChildByTag(tag, true);
}

}  // namespace

CGameBoard::CGameBoard() = default;

CGameBoard::~CGameBoard()
{
    if (m_pStartButton != nullptr)
        m_pStartButton->release();
}

CGameBoard* CGameBoard::create()
{
    auto* board = new (std::nothrow) CGameBoard();
    if (board == nullptr)
        return nullptr;
    board->InitGameTable("Skin/Bg/bg1", "ClientGame/Table", nullptr, CCPointZero);
    board->CreateStartButton("ClientGame/BtnStart_01", "ClientGame/BtnStart_02", CCPoint(0, 0));
    if (!board->init())
    {
        delete board;
        return nullptr;
    }
    board->autorelease();
    return board;
}

bool CGameBoard::init()
{
    // No Dialog::init: a board stays modal from its construction.
    setTouchPriority(kTouchPriority);
    setTouchEnabled(true);
    const CCPoint origin = CCDirector::sharedDirector()->getVisibleOrigin();
    const CCSize visible = CCDirector::sharedDirector()->getVisibleSize();
    CImageButton* close = CImageButton::create("GameHall/Close_BT_01", "GameHall/Close_BT_03", "GameHall/Close_BT_02",
                                               this, menu_selector(CGameBoard::OnCloseButton), kCloseButtonTag);
    if (close != nullptr)
    {
        close->setAnchorPoint(CCPoint(0, 1));
        close->setPosition(CCPoint(origin.x + visible.width - 46, origin.y + visible.height));
        addChild(close, 100);
        m_pCloseButton = close;
    }
    return true;
}

void CGameBoard::onExit()
{
    Dialog::onExit();
    CCDirector::sharedDirector()->getTouchDispatcher()->removeDelegate(this);
}

bool CGameBoard::ccTouchBegan(CCTouch*, CCEvent*) { return isModal(); }

CBaseKernelLayer* CGameBoard::Kernel()
{
    IGameRoom* room = GetGameRoom();
    return room != nullptr ? room->GetKernelLayer() : nullptr;
}

// --- the table ---------------------------------------------------------------------

void CGameBoard::InitGameTable(const char* table, const char* content, const char* overlay, const CCPoint& offset)
{
    if (m_pTable == nullptr && table != nullptr)
    {
        m_pTable = CCSprite::create(table);
        if (m_pTable != nullptr)
        {
            m_pTable->setAnchorPoint(CCPoint(0, 0));
            CCLayer::addChild(m_pTable, 0);
        }
    }
    if (m_pContentRoot == nullptr && content != nullptr)
    {
        m_pContentRoot = CCSprite::create(content);
        if (m_pContentRoot == nullptr)
            m_pContentRoot = CCSprite::create();
        m_ContentSize = m_pContentRoot->getContentSize();
        CCLayer::addChild(m_pContentRoot, 2);
    }
    if (m_pOverlay == nullptr && overlay != nullptr && m_pContentRoot != nullptr)
    {
        m_pOverlay = CCSprite::create(overlay);
        if (m_pOverlay != nullptr)
        {
            m_pOverlay->setPosition(CCPoint(m_ContentSize.width / 2 + offset.x, m_ContentSize.height / 2 + offset.y));
            m_pContentRoot->addChild(m_pOverlay);
        }
    }
}

void CGameBoard::AddContentChild(CCNode* child) { AddContentChild(child, child != nullptr ? child->getZOrder() : 0); }

void CGameBoard::AddContentChild(CCNode* child, int zOrder)
{
    AddContentChild(child, zOrder, child != nullptr ? child->getTag() : kCCNodeTagInvalid);
}

void CGameBoard::AddContentChild(CCNode* child, int zOrder, int tag)
{
    if (child == nullptr || m_pContentRoot == nullptr)
        return;
    AddDialogChild(m_pContentRoot, child, zOrder, tag);
}

void CGameBoard::RemoveContentChild(CCNode* child)
{
    if (child != nullptr && m_pContentRoot != nullptr && child->getParent() == m_pContentRoot)
        m_pContentRoot->removeChild(child, true);
    SetSelectedChip(true, 0);
}

void CGameBoard::RemoveContentChildByTag(int tag, bool cleanup)
{
    if (m_pContentRoot != nullptr && m_pContentRoot->getChildByTag(tag) != nullptr)
        m_pContentRoot->removeChildByTag(tag, cleanup);
}

void CGameBoard::ShowBoard()
{
    CBaseKernelLayer* kernel = Kernel();
    const tagUserData* me = kernel != nullptr ? kernel->GetMeUserData() : nullptr;
    std::string title = kernel != nullptr ? CClientGlobal::WideToUTF8(kernel->GetServerName()) : std::string();
    if (me != nullptr)
    {
        char table[32];
        std::snprintf(table, sizeof(table), "  %d桌", me->wTableID + 1);
        title += table;
    }
    if (m_pTableLabel == nullptr)
    {
        m_pTableLabel = CCLabelTTF::create(title.c_str(), "Arial", 15);
        m_pTableLabel->setAnchorPoint(CCPoint(0, 1));
        CCLayer::addChild(m_pTableLabel, kTitleZOrder);
    }
    else
    {
        m_pTableLabel->setString(title.c_str());
    }
    const CCSize visible = CCDirector::sharedDirector()->getVisibleSize();
    LayoutBoard(static_cast<int>(visible.width), static_cast<int>(visible.height));
    RedrawSeats();
}

void CGameBoard::LayoutBoard(int width, int height)
{
    const CCPoint origin = CCDirector::sharedDirector()->getVisibleOrigin();
    const float top = origin.y + height;
    if (m_pTable != nullptr)
    {
        m_pTable->setPosition(origin);
        m_pTable->setScaleX(m_pTable->getContentSize().width > 0 ? width / m_pTable->getContentSize().width : 1.0f);
        m_pTable->setScaleY(m_pTable->getContentSize().height > 0 ? height / m_pTable->getContentSize().height : 1.0f);
    }
    // The play area leaves the right bar's 270 pixels and the caption's 40.
    m_nPlayWidth = width - 270 > 0 ? width - 270 : width;
    m_nPlayHeight = height - 40 > 0 ? height - 40 : height;
    if (m_pContentRoot != nullptr)
        m_pContentRoot->setPosition(CCPoint(origin.x + m_nPlayWidth * 0.5f + 4, origin.y + m_nPlayHeight * 0.5f + 4));
    if (m_pTableLabel != nullptr)
        m_pTableLabel->setPosition(CCPoint(origin.x + 20, top - 8));
    if (m_pCloseButton != nullptr)
        m_pCloseButton->setPosition(CCPoint(origin.x + width - 46, top));
    CBaseKernelLayer* kernel = Kernel();
    LayoutGameTable(m_nPlayWidth, m_nPlayHeight, false, kernel != nullptr && kernel->GetKindID() == 114);
}

void CGameBoard::LayoutGameTable(int width, int height, bool maximised, bool stretchBoth)
{
    (void)maximised;
    (void)stretchBoth;
    // Scale a content picture larger than the play area down to fit it.
    if (m_pContentRoot == nullptr || m_ContentSize.width <= 0 || m_ContentSize.height <= 0)
        return;
    const float fit = std::min(width / m_ContentSize.width, height / m_ContentSize.height);
    m_fContentScale = fit < 1.0f ? fit : 1.0f;
    m_pContentRoot->setScale(m_fContentScale);
}

void CGameBoard::OnRButtonUp() { SetSelectedChip(true, 0); }

void CGameBoard::SetSelectedChip(bool refresh, int64_t chip)
{
    m_nSelectedChip = static_cast<int>(chip);
    if (refresh)
        UpdateChipCursor();
}

void CGameBoard::SetTotalScore(int64_t score)
{
    if (m_pContentRoot == nullptr)
        return;
    const std::string text = "总分: " + CClientGlobal::GBKToUTF8(CClientGlobal::FormatScore(score));
    if (m_pTotalScoreLabel == nullptr)
    {
        m_pTotalScoreLabel = CCLabelTTF::create(text.c_str(), "Arial", 16);
        const bool placed = m_ptTotalScore.x != 0 || m_ptTotalScore.y != 0;
        m_pTotalScoreLabel->setPosition(placed ? m_ptTotalScore : CCPoint(m_ContentSize.width - 90, 24));
        m_pContentRoot->addChild(m_pTotalScoreLabel, 100);
    }
    else
    {
        m_pTotalScoreLabel->setString(text.c_str());
    }
}

// --- seats ---------------------------------------------------------------------------

void CGameBoard::SetSeatUser(uint16_t chair, tagUserData* user)
{
    if (chair >= kMaxChairs)
        return;
    m_pSeatUsers[chair] = user;
    if (!OnSeatUserChanged(chair, user))
        DrawSeat(chair);
}

tagUserData* CGameBoard::GetSeatUser(uint16_t chair) const
{
    return chair < kMaxChairs ? m_pSeatUsers[chair] : nullptr;
}

void CGameBoard::RefreshSeatPanel(uint16_t chair)
{
    if (chair < kMaxChairs)
        DrawSeat(chair);
}

void CGameBoard::ShowUserStatus(uint16_t chair, tagUserData* user)
{
    (void)user;
    RefreshSeatPanel(chair);
}

void CGameBoard::OnUserScoreUpdated(tagUserData* user)
{
    if (user == nullptr)
        return;
    for (uint16_t chair = 0; chair < kMaxChairs; ++chair)
        if (m_pSeatUsers[chair] == user)
            DrawSeat(chair);
}

CCPoint CGameBoard::DefaultSeatPoint(uint16_t viewChair) const
{
    CBaseKernelLayer* kernel = Kernel();
    const int count = kernel != nullptr && kernel->GetChairCount() > 0 ? kernel->GetChairCount() : 1;
    // View 0 at the bottom, the others counter-clockwise round an ellipse.
    const double angle = -M_PI / 2 + 2 * M_PI * viewChair / count;
    return CCPoint(static_cast<float>(m_ContentSize.width / 2 + std::cos(angle) * m_ContentSize.width * 0.38),
                   static_cast<float>(m_ContentSize.height / 2 + std::sin(angle) * m_ContentSize.height * 0.36));
}

void CGameBoard::DrawSeat(uint16_t chair)
{
    CBaseKernelLayer* kernel = Kernel();
    if (m_pContentRoot == nullptr || kernel == nullptr || !kernel->IsSeatGame())
        return;
    const uint16_t view = kernel->SwitchViewChairID(chair);
    if (view >= kMaxChairs)
        return;
    RemoveTagged(m_pContentRoot, kSeatPanelTagBase + view);
    const tagUserData* user = m_pSeatUsers[chair];
    if (user == nullptr)
        return;
    const bool ready = user->cbUserStatus == US_READY;
    std::string text =
        UTF8(user->szNickName) + "\n" + CClientGlobal::GBKToUTF8(CClientGlobal::FormatScore(user->lScore));
    if (ready)
        text += "\n准备";
    CCLabelTTF* panel = CCLabelTTF::create(text.c_str(), "Arial", 16, CCSize(160, 70), kCCTextAlignmentCenter,
                                           kCCVerticalTextAlignmentCenter);
    const CCPoint point = m_ptSeatPanel[view];
    panel->setPosition(point.x != 0 || point.y != 0 ? point : DefaultSeatPoint(view));
    m_pContentRoot->addChild(panel, 200, kSeatPanelTagBase + view);
}

void CGameBoard::RedrawSeats()
{
    for (uint16_t chair = 0; chair < kMaxChairs; ++chair)
        RemoveTagged(m_pContentRoot, kSeatPanelTagBase + chair);
    for (uint16_t chair = 0; chair < kMaxChairs; ++chair)
        if (m_pSeatUsers[chair] != nullptr)
            DrawSeat(chair);
}

bool CGameBoard::SetUserClock(uint16_t viewChair, uint16_t seconds)
{
    if (viewChair >= kMaxChairs)
        return false;
    m_wClockSeconds[viewChair] = seconds;
    if (m_pContentRoot == nullptr)
        return true;
    RemoveTagged(m_pContentRoot, kClockTagBase + viewChair);
    if (seconds == 0)
        return true;
    char text[8];
    std::snprintf(text, sizeof(text), "%02u", seconds > 99 ? 99u : static_cast<unsigned>(seconds));
    CCLabelTTF* clock = CCLabelTTF::create(text, "Arial", 28);
    clock->setColor(ccc3(255, 216, 74));
    const CCPoint set = m_ptClock[viewChair];
    CCPoint seat = DefaultSeatPoint(viewChair);
    clock->setPosition(set.x != 0 || set.y != 0 ? set : CCPoint(seat.x, seat.y + 56));
    m_pContentRoot->addChild(clock, kTimerBoxZOrder, kClockTagBase + viewChair);
    return true;
}

// --- the start button ---------------------------------------------------------------------

void CGameBoard::CreateStartButton(const char* normal, const char* hover, const CCPoint& point)
{
    if (m_pStartButton != nullptr)
        return;
    CImageButton* button =
        CImageButton::create(normal, normal, hover, this, menu_selector(CGameBoard::OnStartButton), 0);
    if (button == nullptr)
        return;
    button->setPosition(point);
    button->retain();
    m_pStartButton = button;
}

bool CGameBoard::IsStartButtonShown() const
{
    return m_pStartButton != nullptr && m_pStartButton->getParent() != nullptr;
}

void CGameBoard::ShowStartButton(bool show, int seconds)
{
    CBaseKernelLayer* kernel = Kernel();
    if (kernel == nullptr || !kernel->IsSeatGame())
        return;
    if (!show)
    {
        kernel->KillGameClock(ReadyClockID);
        return;
    }
    kernel->SetGameClock(kernel->GetMeChairID(), ReadyClockID, seconds);
    if (m_pStartButton != nullptr && m_pStartButton->getParent() == nullptr && m_pContentRoot != nullptr)
    {
        if (m_pStartButton->getPosition().equals(CCPointZero))
            m_pStartButton->setPosition(CCPoint(m_ContentSize.width / 2, m_ContentSize.height * 0.3f));
        AddContentChild(m_pStartButton, 500);
    }
}

void CGameBoard::HideStartButton()
{
    if (m_pStartButton != nullptr && m_pStartButton->getParent() != nullptr)
        m_pStartButton->removeFromParentAndCleanup(false);
}

void CGameBoard::OnStartButton(CCObject*)
{
    CBaseKernelLayer* kernel = Kernel();
    const tagUserData* me = kernel != nullptr ? kernel->GetMeUserData() : nullptr;
    if (me == nullptr || me->cbUserStatus != US_SIT)
        return;
    retain();
    ResetGameView();
    ResetGameViewEx();
    kernel->SendUserReady(nullptr, 0);
    HideStartButton();
    kernel->KillGameClock(ReadyClockID);
    OnMeReady();
    release();
}

void CGameBoard::OnCloseButton(CCObject*)
{
    if (CBaseKernelLayer* kernel = Kernel())
        kernel->RequestExit();
}

void CGameBoard::OnRoomButton(CCObject*)
{
    SetSelectedChip(true, 0);
    if (CBaseKernelLayer* kernel = Kernel())
    {
        const CCPoint origin = CCDirector::sharedDirector()->getVisibleOrigin();
        const CCSize visible = CCDirector::sharedDirector()->getVisibleSize();
        kernel->setVisible(false);
        kernel->setPosition(CCPoint(-(origin.x + visible.width), 0));
    }
    setModal(false);
    if (IGameRoom* room = GetGameRoom())
        room->ShowRoomView(true);
}

}  // namespace Sexy
