#include "games/framework/GameBoard.h"

#include "bank/BankEntry.h"
#include "core/ClientGlobal.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/BoardArt.h"
#include "games/framework/BoardDrawUserData.h"
#include "games/framework/CCShake.h"
#include "games/framework/GameChatLayer.h"
#include "games/framework/GameHandler.h"
#include "games/framework/GameRoom.h"
#include "games/framework/PlayerTableViewLayer.h"
#include "games/framework/TimerBox.h"
#include "games/framework/UserInfoView.h"
#include "ui/AppServices.h"
#include "ui/VisibleRect.h"

#include <cmath>
#include <cstdio>

using namespace cocos2d;
using namespace cocos2d::extension;

namespace Sexy {

namespace {

constexpr int kCaptionZOrder = 100;
constexpr int kButtonZOrder = 20;
constexpr int kSkinZOrder = -2;
constexpr int kBorderZOrder = 10;
constexpr int kStretchedZOrder = 1;
constexpr int kContentZOrder = 2;
const CCRect kSkinRect(0, 0, 1024, 728);
const CCRect kSkinInsets(1000, 720, 20, 4);

// The view's vertical scale rounded up, at least 1 point in pixels.
int PixelStep() { return static_cast<int>(std::ceil(1.0f / CCEGLView::sharedOpenGLView()->getScaleY())); }

CCScale9Sprite* Scale9(const char* picture) { return picture != nullptr ? CCScale9Sprite::create(picture) : nullptr; }

}  // namespace

const int64_t CGameBoard::kChipValues[kChipCount] = {100,    1000,    10000,   50000,   100000,
                                                     500000, 1000000, 5000000, 10000000};

CGameBoard::CGameBoard() = default;

CGameBoard::~CGameBoard() { CC_SAFE_RELEASE(m_pStartButton); }

CBaseKernelLayer* CGameBoard::Kernel() { return RoomKernel(); }

bool CGameBoard::IsSeatGame() { return IsSeatedGame(); }

uint16_t CGameBoard::MyChair() const
{
    if (CBaseKernelLayer* kernel = Kernel())
        return kernel->GetMeChairID();
    return m_bChairZeroOutsideRoom ? 0 : INVALID_CHAIR;
}

bool CGameBoard::IsMyChair(uint16_t chair) const { return chair != INVALID_CHAIR && chair == MyChair(); }

uint16_t CGameBoard::ViewOf(uint16_t chair) const
{
    if (CBaseKernelLayer* kernel = Kernel())
        return kernel->SwitchViewChairID(chair);
    return m_bChairZeroOutsideRoom ? chair : 0;
}

uint16_t CGameBoard::ViewOf(uint16_t chair, uint16_t views) const
{
    return views != 0 ? ViewOf(chair) % views : 0;
}

void CGameBoard::PlaySound(const char* name)
{
    CBaseKernelLayer* kernel = Kernel();
    if (CGameHandler* handler = kernel != nullptr ? kernel->GetGameHandler() : nullptr)
        handler->PlayGameSound(name, false);
}

bool CGameBoard::init()
{
    LoadBoardSheets();
    // No Dialog::init: a board stays modal from its construction.
    setTouchPriority(kTouchPriority);
    setTouchEnabled(true);

    m_pCloseButton = MakeCaptionButton("GameHall/Close_BT_01", "GameHall/Close_BT_03", "GameHall/Close_BT_02",
                                       CCSize(46, 25), cccontrol_selector(CGameBoard::OnCloseButton));
    m_pRestoreButton = MakeCaptionButton("GameHall/Restore_BT_01", "GameHall/Restore_BT_03", "GameHall/Restore_BT_02",
                                         CCSize(30, 25), cccontrol_selector(CGameBoard::OnMaximizeButton));
    m_pMaximizeButton = MakeCaptionButton("GameHall/MAX_BT_01", "GameHall/MAX_BT_03", "GameHall/MAX_BT_02",
                                          CCSize(30, 25), cccontrol_selector(CGameBoard::OnMaximizeButton));
    m_pMinimizeButton = MakeCaptionButton("GameHall/Mini_BT_01", "GameHall/Mini_BT_03", "GameHall/Mini_BT_02",
                                          CCSize(30, 25), cccontrol_selector(CGameBoard::OnMinimizeButton));
    m_pSettingButton = MakeCaptionButton("Setting/set-1", "Setting/set-3", "Setting/set-2", CCSize(30, 26), nullptr);
    addChild(m_pCloseButton, kCaptionZOrder);
    addChild(m_pRestoreButton, kButtonZOrder);
    addChild(m_pMaximizeButton, kButtonZOrder);
    addChild(m_pMinimizeButton, kButtonZOrder);
    addChild(m_pSettingButton, kButtonZOrder);
    m_pRestoreButton->setVisible(false);
    m_pSettingButton->setVisible(false);
    LayoutCaptionButtons();

    m_pTopTile = MakeTile();
    m_pUserInfoBg = CCSprite::create("ClientGame/userinfo_bg");
    m_pUserInfoBg->setAnchorPoint(CCPoint(0, 0));
    addChild(m_pUserInfoBg, 0);
    m_pListTile = MakeTile();
    m_pPlayerList = PlayerTableViewLayer::create();
    if (m_pPlayerList != nullptr)
        addChild(m_pPlayerList, 0);
    m_pAdvertTile = MakeTile();
    m_pAdvert = CCSprite::create("ClientGame/game_right_ad");
    m_pAdvert->setTextureRect(CCRect(0, 0, kRightBarWidth, 106));
    m_pAdvert->setAnchorPoint(CCPoint(0, 0));
    addChild(m_pAdvert, 0);
    m_pChatTile = MakeTile();
    m_pChatLayer = GameChatLayer::create();
    if (m_pChatLayer != nullptr)
        addChild(m_pChatLayer, 0);
    LayoutRightBar();

    LoadChipCursors();
    return true;
}

void CGameBoard::onExit()
{
    Dialog::onExit();
    CCDirector::sharedDirector()->getTouchDispatcher()->removeDelegate(this);
}

bool CGameBoard::ccTouchBegan(CCTouch*, CCEvent*) { return isModal(); }

bool CGameBoard::FrameContains(const CCPoint& world) { return window_caption::FrameAt(this, world); }

bool CGameBoard::CaptionContains(const CCPoint& world)
{
    return window_caption::TopStripAt(this, world, kCaptionHeight);
}

// --- building blocks ----------------------------------------------------------------------

CCControlButton* CGameBoard::MakeCaptionButton(const char* normal, const char* selected, const char* hover,
                                               const CCSize& size, SEL_CCControlHandler action)
{
    CCControlButton* button = CCControlButton::create(CCScale9Sprite::create(normal));
    button->setBackgroundSpriteForState(CCScale9Sprite::create(selected), CCControlStateSelected);
    button->setBackgroundSpriteForState(CCScale9Sprite::create(hover), CCControlStateHover);
    button->setPreferredSize(size);
    button->setAnchorPoint(CCPoint(0, 1));
    if (action != nullptr)
        button->addTargetWithActionForControlEvents(this, action, CCControlEventTouchDown);
    return button;
}

CCControlButton* CGameBoard::MakeTitleButton(const std::string& utf8Title)
{
    CCLabelTTF* title = CCLabelTTF::create(utf8Title.c_str(), "Arial", 15);
    CCControlButton* button = CCControlButton::create(title, CCScale9Sprite::create("ClientGame/bt-dark"));
    button->setBackgroundSpriteForState(CCScale9Sprite::create("ClientGame/bt-light"), CCControlStateSelected);
    button->setBackgroundSpriteForState(CCScale9Sprite::create("ClientGame/bt-move"), CCControlStateHover);
    button->setAnchorPoint(CCPoint(0, 1));
    return button;
}

CCSprite* CGameBoard::MakeTile()
{
    CCSprite* tile = CCSprite::create("Table/blockage");
    if (tile->getTexture() != nullptr)
    {
        ccTexParams params = {GL_LINEAR, GL_LINEAR, GL_REPEAT, GL_REPEAT};
        tile->getTexture()->setTexParameters(&params);
    }
    tile->setAnchorPoint(CCPoint(0, 0));
    addChild(tile, 0);
    return tile;
}

void CGameBoard::PlaceTile(CCSprite* tile, float x, float y, float width, float height)
{
    if (tile == nullptr)
        return;
    tile->setTextureRect(CCRect(0, 0, width, height > 0 ? height : 0));
    tile->setPosition(CCPoint(x, y));
}

// --- layout ----------------------------------------------------------------------------------

void CGameBoard::LayoutCaptionButtons()
{
    const CCPoint rightTop = VisibleRect::rightTop();
    const struct
    {
        CCControlButton* button;
        float offset;
    } buttons[] = {{m_pCloseButton, 46},
                   {m_pRestoreButton, 76},
                   {m_pMaximizeButton, 76},
                   {m_pMinimizeButton, 106},
                   {m_pSettingButton, 136}};
    for (const auto& b : buttons)
    {
        if (b.button != nullptr)
            b.button->setPosition(CCPoint(rightTop.x - b.offset, rightTop.y));
    }
}

void CGameBoard::LayoutRightBar()
{
    const float right = VisibleRect::rightTop().x;
    const float top = VisibleRect::rightTop().y;
    const float bottom = VisibleRect::leftBottom().y;
    const float left = right - 260;
    const int c = PixelStep();
    const RightBarHeights bar = MeasureRightBar();

    PlaceTile(m_pTopTile, left, top - 196, kRightBarWidth, 161);
    if (m_pUserInfoBg != nullptr)
        m_pUserInfoBg->setPosition(CCPoint(right - kRightBarWidth, top - 196 + 7));

    m_nBarTopHeight = bar.top;
    m_nAdvertHeight = bar.advert;
    m_nBarRestHeight = bar.rest;
    m_nListHeight = bar.list;

    const float listY = top - m_nListHeight - m_nBarTopHeight;
    PlaceTile(m_pListTile, left, listY, kRightBarWidth, static_cast<float>(m_nListHeight));
    if (m_pPlayerList != nullptr)
    {
        m_pPlayerList->setAnchorPoint(CCPoint(0, 0));
        m_pPlayerList->setPosition(CCPoint(left, listY));
        m_pPlayerList->setContentSize(CCSize(kRightBarWidth, static_cast<float>(m_nListHeight)));
    }

    const float advertY = listY - m_nAdvertHeight + c;
    PlaceTile(m_pAdvertTile, left, advertY, kRightBarWidth, 106);
    if (m_pAdvert != nullptr)
        m_pAdvert->setPosition(CCPoint(left, advertY));

    const int chatHeight = m_nBarRestHeight - m_nListHeight;
    PlaceTile(m_pChatTile, left, bottom + 2, kRightBarWidth, static_cast<float>(chatHeight - 2));
    if (m_pChatLayer != nullptr)
    {
        m_pChatLayer->setAnchorPoint(CCPoint(0, 0));
        m_pChatLayer->setPosition(CCPoint(left, bottom));
        m_pChatLayer->setContentSize(CCSize(kRightBarWidth, static_cast<float>(chatHeight)));
    }
}

void CGameBoard::LayoutRoomButtons()
{
    const CCPoint leftTop = VisibleRect::leftTop();
    if (m_pRoomButton == nullptr)
        return;
    m_pRoomButton->setPosition(CCPoint(leftTop.x + 50, leftTop.y - 4));
    if (m_pTableButton != nullptr)
        m_pTableButton->setPosition(
            CCPoint(m_pRoomButton->getPositionX() + m_pRoomButton->getContentSize().width + 5, leftTop.y - 4));
}

void CGameBoard::ShowBoard()
{
    CBaseKernelLayer* kernel = Kernel();
    const CCPoint rightTop = VisibleRect::rightTop();
    if (m_pRoomButton == nullptr)
    {
        const std::string name =
            kernel != nullptr ? CClientGlobal::GBKToUTF8(CClientGlobal::WideToAnsi(kernel->GetServerName())) : "";
        m_pRoomButton = MakeTitleButton(name);
        m_pRoomButton->setPreferredSize(CCSize(m_pRoomButton->getContentSize().width, 26));
        m_pRoomButton->addTargetWithActionForControlEvents(this, cccontrol_selector(CGameBoard::OnRoomButton),
                                                           CCControlEventTouchDown);
        addChild(m_pRoomButton, kButtonZOrder);
    }
    if (m_pUserInfoView == nullptr)
    {
        m_pUserInfoView = CUserInfoView::create();
        if (m_pUserInfoView != nullptr)
        {
            m_pUserInfoView->setPosition(CCPoint(rightTop.x - 198, rightTop.y - 130));
            addChild(m_pUserInfoView, 0);
        }
    }
    // The table button needs my table; without my record there is none to show.
    const tagUserData* me = kernel != nullptr ? kernel->GetMeUserData() : nullptr;
    if (me != nullptr)
    {
        char text[32];
        std::snprintf(text, sizeof(text), "%d%s", me->wTableID + 1, CClientGlobal::UTF8ToGBK("桌").c_str());
        const std::string title = CClientGlobal::GBKToUTF8(text);
        if (m_pTableButton == nullptr)
        {
            m_pTableButton = MakeTitleButton(title);
            m_pTableButton->setPreferredSize(CCSize(60, 26));
            m_pTableButton->setZoomOnTouchDown(false);
            addChild(m_pTableButton, kButtonZOrder);
        }
        else
        {
            m_pTableButton->setTitleForState(CCString::create(title), CCControlStateNormal);
        }
        m_pTableButton->setVisible(true);
    }
    else if (m_pTableButton != nullptr)
    {
        m_pTableButton->setVisible(false);
    }
    if (kernel == nullptr || kernel->GetGameBoard() == this)
    {
        const CCSize window = app_services::WindowSize();
        LayoutBoard(static_cast<int>(window.width), static_cast<int>(window.height));
    }
    if (m_pPlayerList != nullptr)
        m_pPlayerList->UpdateRowCount();
    if (IsSeatGame() && m_pTimerBox == nullptr && m_pContentRoot != nullptr)
    {
        m_pTimerBox = CTimerBox::create();
        if (m_pTimerBox != nullptr)
        {
            m_pTimerBox->setVisible(false);
            AddContentChild(m_pTimerBox, kTimerBoxZOrder, kTimerBoxTag);
        }
    }
}

void CGameBoard::LayoutBoard(int width, int height)
{
    (void)width;
    (void)height;
    const bool maximised = app_services::IsMaximized();
    if (m_pRestoreButton != nullptr)
        m_pRestoreButton->setVisible(maximised);
    if (m_pMaximizeButton != nullptr)
        m_pMaximizeButton->setVisible(!maximised);

    // The frame covers what shows: the visible area in points.
    const CCSize visible = CCDirector::sharedDirector()->getVisibleSize();
    const CCPoint leftTop = VisibleRect::leftTop();
    const CCPoint rightTop = VisibleRect::rightTop();
    for (CCScale9Sprite* frame : {m_pSkinBackground, m_pBorder})
    {
        if (frame == nullptr)
            continue;
        frame->setCapInsets(kSkinInsets);
        frame->setPreferredSize(visible);
        frame->setAnchorPoint(CCPoint(0, 1));
        frame->setPosition(leftTop);
    }

    LayoutCaptionButtons();
    if (m_pUserInfoView != nullptr)
        m_pUserInfoView->setPosition(CCPoint(rightTop.x - 197, rightTop.y - 131));
    LayoutRightBar();
    if (m_pPlayerList != nullptr)
        m_pPlayerList->OnResize();
    if (m_pChatLayer != nullptr)
        m_pChatLayer->OnResize();

    if (m_pTable != nullptr)
    {
        m_pTable->setTextureRect(CCRect(0, 0, rightTop.x - 270, rightTop.y - 40));
        m_pTable->setVisible(true);
        const CCSize table = m_pTable->getContentSize();
        if (m_pContentRoot != nullptr)
            m_pContentRoot->setPosition(CCPoint(table.width * 0.5f + 4, table.height * 0.5f + 4));
        m_nPlayWidth = static_cast<int>(table.width);
        m_nPlayHeight = static_cast<int>(table.height);
    }
    if (m_pTitle != nullptr)
        m_pTitle->setPosition(CCPoint(leftTop.x + 20, leftTop.y - 17));
    CBaseKernelLayer* kernel = Kernel();
    LayoutGameTable(m_nPlayWidth, m_nPlayHeight, maximised, kernel != nullptr && kernel->GetCurrentKind() == 114);
    LayoutRoomButtons();
}

void CGameBoard::LayoutGameTable(int width, int height, bool maximised, bool stretchBoth)
{
    if (IsSeatGame())
        FitContentToPlayArea(width, height, maximised, stretchBoth);
}

void CGameBoard::FitContentToPlayArea(int width, int height, bool maximised, bool stretchBoth)
{
    if (m_pContentRoot == nullptr)
        return;
    const CCSize content = m_pContentRoot->getContentSize();
    if (content.width <= 0 || content.height <= 0)
        return;
    const float sx = width / content.width;
    const float sy = height / content.height;
    if (maximised && stretchBoth)
    {
        m_pContentRoot->setScaleX(sx);
        m_pContentRoot->setScaleY(sy);
        return;
    }
    if (maximised)
    {
        const float s = content.width > content.height ? std::min(sx, sy) : std::max(sx, sy);
        m_pContentRoot->setScale(s);
        // The picture stretches underneath; its children keep the uniform scale.
        m_pContentRoot->setOpacity(0);
        m_fContentScale = s;
        if (getChildByTag(kStretchedTableTag) == nullptr)
        {
            CCSprite* stretched =
                CCSprite::createWithTexture(m_pContentRoot->getTexture(), m_pContentRoot->getTextureRect());
            if (stretched != nullptr)
            {
                stretched->setPosition(CCPoint(static_cast<float>(width / 2 + 2), static_cast<float>(height / 2 + 2)));
                stretched->setScaleX(sx);
                stretched->setScaleY(sy);
                addChild(stretched, kStretchedZOrder, kStretchedTableTag);
            }
        }
        m_pContentRoot->setPositionY(m_pContentRoot->getPositionY() - (height / 2 - content.height * 0.5f * s));
        return;
    }
    if (getChildByTag(kStretchedTableTag) == nullptr)
    {
        // A table stretched both ways leaves no copy behind: only its scale
        // goes back.
        m_pContentRoot->setScaleX(1.0f);
        m_pContentRoot->setScaleY(1.0f);
        return;
    }
    removeChildByTag(kStretchedTableTag, true);
    m_pContentRoot->setScale(1.0f);
    m_pContentRoot->setOpacity(255);
    m_fContentScale = 1.0f;
    if (m_pTable != nullptr)
    {
        const CCSize table = m_pTable->getContentSize();
        m_pContentRoot->setPosition(CCPoint(table.width * 0.5f + 4, table.height * 0.5f + 4));
    }
}

// --- the table and its content root ------------------------------------------------------

void CGameBoard::InitGameTable(const char* table, const char* content, const char* overlay, const CCPoint& offset)
{
    const CCPoint leftTop = VisibleRect::leftTop();
    const CCPoint rightTop = VisibleRect::rightTop();
    CBaseKernelLayer* kernel = Kernel();
    IGameRoom* room = GetGameRoom();
    uint16_t chairs = kernel != nullptr ? kernel->GetChairCount() : 0;
    if (chairs == 0 && room != nullptr)
        chairs = room->GetChairCount();
    if (m_pTable == nullptr && table != nullptr)
    {
        m_pTable = CCSprite::create(table);
        if (m_pTable->getTexture() != nullptr)
        {
            // A play area larger than the picture (a window of another shape
            // than the table's) continues its edges plainly: tiled, a whole
            // table picture would show again beside it, and the seam where
            // its edges meet.
            ccTexParams params = {GL_LINEAR, GL_LINEAR, GL_CLAMP_TO_EDGE, GL_CLAMP_TO_EDGE};
            m_pTable->getTexture()->setTexParameters(&params);
        }
        m_pTable->setAnchorPoint(CCPoint(0, 0));
        m_pTable->setPosition(CCPoint(4, 5));
        m_pTable->setTextureRect(CCRect(0, 0, rightTop.x - 270, rightTop.y - 40));
        addChild(m_pTable, chairs >= 9 ? 1 : 0);
    }
    if (m_pContentRoot == nullptr && content != nullptr)
    {
        m_pContentRoot = CCSprite::create(content);
        const CCSize tableSize = m_pTable != nullptr ? m_pTable->getContentSize() : CCSizeZero;
        m_pContentRoot->setPosition(CCPoint(tableSize.width * 0.5f + 4, tableSize.height * 0.5f + 4));
        addChild(m_pContentRoot, kContentZOrder);
        m_ContentSize = m_pContentRoot->getContentSize();
        m_nPlayWidth = static_cast<int>(m_ContentSize.width);
        m_nPlayHeight = static_cast<int>(m_ContentSize.height);
    }
    if (m_pSkinBackground == nullptr)
    {
        int index = CCUserDefault::sharedUserDefault()->getIntegerForKey("index", 0);
        if (index < 0 || index > 3)
            index = 0;
        char skin[24];
        std::snprintf(skin, sizeof(skin), "Skin/Bg/bg%d", index + 1);
        m_pSkinBackground = CCScale9Sprite::create(skin, kSkinRect, kSkinInsets);
        m_pSkinBackground->setPreferredSize(CCDirector::sharedDirector()->getVisibleSize());
        m_pSkinBackground->setAnchorPoint(CCPoint(0, 1));
        m_pSkinBackground->setPosition(leftTop);
        addChild(m_pSkinBackground, kSkinZOrder);
        m_pBorder = CCScale9Sprite::create("ClientGame/border-1", kSkinRect, kSkinInsets);
        m_pBorder->setPreferredSize(CCDirector::sharedDirector()->getVisibleSize());
        m_pBorder->setAnchorPoint(CCPoint(0, 0));
        addChild(m_pBorder, kBorderZOrder);
    }
    if (m_pOverlay == nullptr && overlay != nullptr && m_pContentRoot != nullptr)
    {
        m_pOverlay = CCSprite::create(overlay);
        m_pOverlay->setPosition(CCPoint(m_ContentSize.width / 2 + offset.x, m_ContentSize.height / 2 + offset.y));
        m_pContentRoot->addChild(m_pOverlay);
    }
}

void CGameBoard::AddGameTitle(const char* picture)
{
    if (m_pTitle != nullptr || picture == nullptr)
        return;
    const CCPoint leftTop = VisibleRect::leftTop();
    m_pTitle = CCSprite::create(picture);
    m_pTitle->setPosition(CCPoint(leftTop.x + 20, leftTop.y - 17));
    addChild(m_pTitle, kTitleZOrder);
}

void CGameBoard::AddContentChild(CCNode* child) { AddContentChild(child, child != nullptr ? child->getZOrder() : 0); }

void CGameBoard::AddContentChild(CCNode* child, int zOrder)
{
    if (child == nullptr || m_pContentRoot == nullptr)
        return;
    AddDialogChild(m_pContentRoot, child, zOrder);
}

void CGameBoard::AddContentChild(CCNode* child, int zOrder, int tag)
{
    if (child == nullptr || m_pContentRoot == nullptr)
        return;
    AddDialogChild(m_pContentRoot, child, zOrder, tag);
}

void CGameBoard::RemoveContentChildByTag(int tag, bool cleanup)
{
    if (m_pContentRoot != nullptr && m_pContentRoot->getChildByTag(tag) != nullptr)
        m_pContentRoot->removeChildByTag(tag, cleanup);
}

void CGameBoard::RemoveContentChild(CCNode* child)
{
    if (child != nullptr && m_pContentRoot != nullptr && child->getParent() == m_pContentRoot)
        m_pContentRoot->removeChild(child, true);
    SetSelectedChip(true, 0);
}

void CGameBoard::SetTotalScore(int64_t amount)
{
    if (m_pTotalScoreLabel == nullptr)
        return;
    char text[32];
    std::snprintf(text, sizeof(text), "%lld", static_cast<long long>(amount));
    m_pTotalScoreLabel->setString(text);
    // Ten digits and a sign stay inside the panel, right of its caption.
    if (CCNode* panel = m_pTotalScoreLabel->getParent())
        FitToWidth(m_pTotalScoreLabel, panel->getContentSize().width - m_pTotalScoreLabel->getPositionX() - 6);
}

void CGameBoard::ShakeBoard()
{
    if (CCShake* shake = CCShake::create(0.5f, 8))
        runAction(shake);
}

// --- buttons -----------------------------------------------------------------------------------

CCControlButton* CGameBoard::CreateImageButton(const char* normal, const char* pressed, const char* disabled,
                                               const CCPoint& point, SEL_CCControlHandler action, bool visible)
{
    CCScale9Sprite* background = CCScale9Sprite::create(normal);
    CCControlButton* button = CCControlButton::create(background);
    button->setPreferredSize(background->getOriginalSize());
    if (CCScale9Sprite* down = Scale9(pressed))
        button->setBackgroundSpriteForState(down, CCControlStateHighlighted);
    if (CCScale9Sprite* off = Scale9(disabled))
        button->setBackgroundSpriteForState(off, CCControlStateDisabled);
    button->setPosition(point);
    button->setZoomOnTouchDown(false);
    if (action != nullptr)
        button->addTargetWithActionForControlEvents(this, action, CCControlEventTouchDown);
    AddContentChild(button);
    button->setVisible(visible);
    return button;
}

CCControlButton* CGameBoard::CreateLabelButton(const char* normal, const char* pressed, const char* disabled,
                                               const CCPoint& point, SEL_CCControlHandler action, bool visible,
                                               const char* title, int fontSize)
{
    CCScale9Sprite* background = CCScale9Sprite::create(normal);
    CCScale9Sprite* down = Scale9(pressed);
    CCLabelTTF* label = CCLabelTTF::create(title != nullptr ? title : "", "Arial", static_cast<float>(fontSize));
    CCControlButton* button = CCControlButton::create(label, background);
    button->setPreferredSize(background->getOriginalSize());
    if (down != nullptr)
        button->setBackgroundSpriteForState(down, CCControlStateHighlighted);
    if (CCScale9Sprite* off = Scale9(disabled))
        button->setBackgroundSpriteForState(off, CCControlStateDisabled);
    button->setPosition(point);
    if (action != nullptr)
        button->addTargetWithActionForControlEvents(this, action, CCControlEventTouchDown);
    AddContentChild(button);
    button->setVisible(visible);
    return button;
}

void CGameBoard::CreateStartButton(const char* normal, const char* hover, const CCPoint& point)
{
    if (m_pStartButton != nullptr)
        return;
    CCScale9Sprite* background = CCScale9Sprite::create(normal);
    CCControlButton* button = CCControlButton::create(background);
    button->setBackgroundSpriteForState(CCScale9Sprite::create(hover), CCControlStateHover);
    button->setPreferredSize(background->getOriginalSize());
    button->setAnchorPoint(CCPoint(0, 1));
    button->setPosition(point);
    button->addTargetWithActionForControlEvents(this, cccontrol_selector(CGameBoard::OnStartButton),
                                                CCControlEventTouchDown);
    button->retain();
    m_pStartButton = button;
}

bool CGameBoard::IsStartButtonShown() const
{
    return m_pStartButton != nullptr && m_pStartButton->getParent() != nullptr && m_pStartButton->isVisible();
}

void CGameBoard::HideStartButton()
{
    if (m_pStartButton != nullptr && m_pStartButton->getParent() != nullptr)
        m_pStartButton->removeFromParentAndCleanup(false);
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
    if (m_pStartButton == nullptr)
        return;
    HideStartButton();
    AddContentChild(m_pStartButton);
    m_pStartButton->setVisible(true);
}

void CGameBoard::OnStartButton(CCObject*, CCControlEvent)
{
    CBaseKernelLayer* kernel = Kernel();
    const tagUserData* me = kernel != nullptr ? kernel->GetMeUserData() : nullptr;
    if (me == nullptr || me->cbUserStatus != US_SIT)
        return;
    retain();  // a reset may drop the board
    ResetGameView();
    ResetGameViewEx();
    kernel->SendUserReady(nullptr, 0);
    HideStartButton();
    kernel->KillGameClock(ReadyClockID);
    OnMeReady();
    release();
}

void CGameBoard::OnCloseButton(CCObject*, CCControlEvent)
{
    if (CBaseKernelLayer* kernel = Kernel())
        kernel->RequestExit();
}

void CGameBoard::OnMaximizeButton(CCObject*, CCControlEvent)
{
    if (IGameRoom* room = GetGameRoom())
        room->ToggleMaximize();
}

void CGameBoard::OnMinimizeButton(CCObject*, CCControlEvent) { CCEGLView::sharedOpenGLView()->minimizeWindow(); }

void CGameBoard::OnRoomButton(CCObject*, CCControlEvent)
{
    SetSelectedChip(true, 0);
    if (CBaseKernelLayer* kernel = Kernel())
    {
        kernel->setVisible(false);
        kernel->setPosition(CCPoint(-VisibleRect::rightTop().x, 0));
    }
    setModal(false);
    if (IGameRoom* room = GetGameRoom())
        room->ShowRoomView(true);
}

// --- mouse and chips -----------------------------------------------------------------------

void CGameBoard::OnMouseMove(const CCPoint& point)
{
    if (IsSeatGame())
        return;
    const CCRect play(0, 0, static_cast<float>(m_nPlayWidth), static_cast<float>(m_nPlayHeight));
    if (!play.containsPoint(point))
        CCEGLView::sharedOpenGLView()->setCursor(CCEGLView::sharedOpenGLView()->getArrowCursor());
}

void CGameBoard::OnRButtonUp() { SetSelectedChip(true, 0); }

void CGameBoard::SetSelectedChip(bool refresh, int64_t chip)
{
    (void)refresh;
    m_nSelectedChip = static_cast<int>(static_cast<uint32_t>(static_cast<uint64_t>(chip)));
    UpdateChipCursor();
}

}  // namespace Sexy
