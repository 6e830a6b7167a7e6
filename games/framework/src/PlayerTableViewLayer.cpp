#include "games/framework/PlayerTableViewLayer.h"

#include "core/ClientGlobal.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/BoardArt.h"
#include "games/framework/BoardDrawUserData.h"
#include "games/framework/GameRoom.h"
#include "ui/CCTableSliderLayer.h"
#include "ui/GBKLabel.h"
#include "ui/ListNodes.h"
#include "ui/MyPoint.h"
#include "ui/VisibleRect.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>

using namespace cocos2d;
using namespace cocos2d::extension;

namespace {

constexpr float kCellFontSize = 15;
constexpr int kNicknameWidth = 80;
constexpr int kBlankStatus = 9999;
const char* const kPlayerMouseWheel = "PlayerMouseWheel";

// "Table/..." pictures that fill their rectangle by repeating.
void RepeatTexture(CCSprite* sprite)
{
    if (sprite->getTexture() == nullptr)
        return;
    ccTexParams params = {GL_LINEAR, GL_LINEAR, GL_REPEAT, GL_REPEAT};
    sprite->getTexture()->setTexParameters(&params);
}

CCSprite* TiledSprite(const char* picture, float width, float height)
{
    CCSprite* sprite = CCSprite::create(picture);
    RepeatTexture(sprite);
    sprite->setTextureRect(CCRect(0, 0, width, height));
    sprite->setAnchorPoint(CCPoint(0, 0));
    return sprite;
}

void ShowPicture(CCSprite* sprite, const std::string& name)
{
    if (sprite == nullptr)
        return;
    if (CCSpriteFrame* frame = CCResolvePicture(name.c_str()))
        sprite->setDisplayFrame(frame);
}

}  // namespace

PlayerTableViewLayer* PlayerTableViewLayer::create()
{
    auto* layer = new (std::nothrow) PlayerTableViewLayer();
    if (layer != nullptr && layer->init())
    {
        layer->autorelease();
        return layer;
    }
    delete layer;
    return nullptr;
}

PlayerTableViewLayer::PlayerTableViewLayer()
{
    CCNotificationCenter* centre = CCNotificationCenter::sharedNotificationCenter();
    centre->addObserver(this, callfuncO_selector(PlayerTableViewLayer::OnCursorMoved), notify::kCursor, nullptr);
    // Nothing posts the wheel to the game's lists; the list listens all the same.
    centre->addObserver(this, callfuncO_selector(PlayerTableViewLayer::OnMouseWheel), kPlayerMouseWheel, nullptr);
}

PlayerTableViewLayer::~PlayerTableViewLayer()
{
    CCNotificationCenter* centre = CCNotificationCenter::sharedNotificationCenter();
    centre->removeObserver(this, notify::kCursor);
    centre->removeObserver(this, kPlayerMouseWheel);
    m_pHeader = nullptr;
    m_pVerticalBar = nullptr;
    m_pHorizontalBar = nullptr;
    m_pTableView = nullptr;
}

int PlayerTableViewLayer::ComputeListHeight()
{
    // The rows of the board's list, without its header and margin.
    return Sexy::MeasureRightBar().list - kHeadHeight - 16;
}

CCLabelTTF* PlayerTableViewLayer::CreateCellLabel(const std::string& gbk, int tag, float x, float y, int alignment,
                                                  float width)
{
    CCLabelTTF* label = CreateGBKLabel(gbk, "Arial", kCellFontSize);
    label->setAnchorPoint(CCPoint(0, 0));
    label->setDimensions(CCSize(width, 26));
    label->setHorizontalAlignment(alignment == 1   ? kCCTextAlignmentCenter
                                  : alignment == 2 ? kCCTextAlignmentRight
                                                   : kCCTextAlignmentLeft);
    label->setVerticalAlignment(kCCVerticalTextAlignmentCenter);
    label->setColor(ccc3(0, 0, 0));
    label->setPosition(CCPoint(x, y));
    label->setTag(tag);
    return label;
}

CCScale9Sprite* PlayerTableViewLayer::CreateCellSprite(const char* file, int tag, float x, float y, const CCRect& rect)
{
    CCScale9Sprite* sprite = CCScale9Sprite::create(file, rect);
    sprite->setAnchorPoint(CCPoint(0, 0));
    sprite->setPosition(CCPoint(x, y));
    sprite->setTag(tag);
    return sprite;
}

bool PlayerTableViewLayer::init()
{
    if (!CCLayer::init())
        return false;
    Sexy::LoadBoardSheets();
    m_nListHeight = ComputeListHeight();

    m_pTableView = CCTableView::create(this, CCSize(kViewWidth, static_cast<float>(m_nListHeight)));
    m_pTableView->setDirection(kCCScrollViewDirectionVertical);
    m_pTableView->setPosition(CCPoint(0, kTableY));
    m_pTableView->setDelegate(this);
    m_pTableView->setTouchEnabled(true);
    m_pTableView->setTouchPriority(-128);
    m_pTableView->setTag(kTableTag);
    m_pTableView->setVerticalFillOrder(kCCTableViewFillTopDown);
    addChild(m_pTableView);

    m_pHeader = TiledSprite("Table/table_title_bg", kRowWidth, 30);
    m_pHeader->setPosition(CCPoint(0, static_cast<float>(kTableY + m_nListHeight)));
    addChild(m_pHeader);
    struct Column
    {
        float x;
        CCRect piece;
        const char* title;
        float titleWidth;
    };
    const Column columns[] = {
        {0, CCRect(114, 0, 36, 33), nullptr, 0},
        {36, CCRect(27, 0, 123, 33), "游戏昵称", 124},
        {159, CCRect(77, 0, 73, 33), "游戏ID", 74},
        {232, CCRect(1, 0, 133, 33), "欢乐豆", 134},
    };
    for (const Column& column : columns)
    {
        m_pHeader->addChild(CreateCellSprite("Table/title_bg", 0, column.x, 0, column.piece));
        if (column.title != nullptr)
            m_pHeader->addChild(
                CreateCellLabel(CClientGlobal::UTF8ToGBK(column.title), 0, column.x, 0, 1, column.titleWidth));
    }

    m_pVerticalBar = CCTableSliderLayer::create(CCTableSliderLayer::kVertical, m_nListHeight, this,
                                                callfuncO_selector(PlayerTableViewLayer::OnVerticalSliderChanged));
    m_pVerticalBar->setAnchorPoint(CCPoint(0, 0));
    m_pVerticalBar->setPosition(CCPoint(kViewWidth, static_cast<float>(m_nListHeight + kTableY)));
    m_pVerticalBar->setContentSize(CCSize(static_cast<float>(m_nListHeight), CCTableSliderLayer::kTrackThickness));
    m_pVerticalBar->setRotation(90);
    addChild(m_pVerticalBar);

    m_pHorizontalBar = CCTableSliderLayer::create(CCTableSliderLayer::kHorizontal, 258, this,
                                                  callfuncO_selector(PlayerTableViewLayer::OnHorizontalSliderChanged));
    m_pHorizontalBar->setAnchorPoint(CCPoint(0, 0));
    m_pHorizontalBar->setPosition(CCPoint(0, 1));
    m_pHorizontalBar->setContentSize(CCSize(258, CCTableSliderLayer::kTrackThickness));
    addChild(m_pHorizontalBar);

    UpdateRowCount();
    return true;
}

void PlayerTableViewLayer::visit()
{
    // Rows and header are wider than the pane: nothing shows outside it.
    const CCSize size = getContentSize();
    const CCRect clip(0, 0, size.width + 2, size.height + 2);
    if (!hasClipRect() || !getClipRect().equals(clip))
        setClipRect(clip);
    CCLayer::visit();
}

// --- items ---------------------------------------------------------------------------------

PlayerItemGame PlayerTableViewLayer::MakeItem(const tagUserData* user, bool groupedScore)
{
    PlayerItemGame item;
    item.level = CClientGlobal::GetUserLevel(user);
    item.gameID = user->dwGameID;
    item.nickname = CClientGlobal::WideToAnsi(FieldText(user->szNickName));
    char text[32];
    std::snprintf(text, sizeof(text), "%d", static_cast<int>(user->dwGameID));
    item.gameIDText = text;
    if (groupedScore)
    {
        item.scoreText = CClientGlobal::FormatScore(user->lScore);
    }
    else
    {
        std::snprintf(text, sizeof(text), "%lld", static_cast<long long>(user->lScore));
        item.scoreText = text;
    }
    item.status = user->cbUserStatus;
    item.clientKind = user->dwClientKind;
    return item;
}

void PlayerTableViewLayer::ReloadFromKernel()
{
    m_Items.clear();
    Sexy::CBaseKernelLayer* kernel = Sexy::RoomKernel();
    if (kernel == nullptr)
        return;
    for (uint16_t chair = 0; chair < Sexy::CBaseKernelLayer::kMaxSeats; ++chair)
    {
        if (const tagUserData* user = kernel->GetTableUserData(chair))
            m_Items.push_back(MakeItem(user, false));
    }
}

void PlayerTableViewLayer::UpdateRowCount()
{
    const int minimum = m_nListHeight / kRowHeight;
    ReloadFromKernel();
    m_nRowCount = std::max(static_cast<int>(m_Items.size()), minimum);
    if (m_pTableView == nullptr)
        return;
    m_pTableView->setViewSize(CCSize(kViewWidth, static_cast<float>(m_nListHeight)));
    m_pTableView->reloadData();
    if (m_pVerticalBar != nullptr)
    {
        m_pVerticalBar->setTrackHeight(m_nListHeight);
        m_pVerticalBar->setScrollRange(m_nListHeight - kRowHeight * m_nRowCount);
        m_pVerticalBar->setScrollOffset(m_pTableView->minContainerOffset().y);
        m_pVerticalBar->setContentSize(CCSize(static_cast<float>(m_nListHeight), CCTableSliderLayer::kTrackThickness));
        m_pVerticalBar->setPosition(CCPoint(kViewWidth, static_cast<float>(m_nListHeight + kTableY)));
    }
    if (m_pHorizontalBar != nullptr)
        m_pHorizontalBar->setScrollRange(-kMaxShift);
}

void PlayerTableViewLayer::OnResize()
{
    m_nListHeight = ComputeListHeight();
    if (m_pHeader != nullptr)
    {
        m_pHeader->setAnchorPoint(CCPoint(0, 0));
        m_pHeader->setPosition(CCPoint(m_fHorizontalOffset, static_cast<float>(kTableY + m_nListHeight)));
    }
    if (m_pTableView != nullptr)
        UpdateRowCount();
}

void PlayerTableViewLayer::ReloadKeepingPlace()
{
    const float oldOffset = m_pTableView->getContentOffset().y;
    const float oldLowest = m_pTableView->minContainerOffset().y;
    m_pTableView->reloadData();
    const float lowest = m_pTableView->minContainerOffset().y;
    float target = oldOffset;
    if (oldOffset > -31)
        target = 0;
    else if (oldLowest - oldOffset > -31)
        target = lowest;
    m_pTableView->setContentOffset(CCPoint(0, target), false);
    if (m_pVerticalBar != nullptr)
    {
        m_pVerticalBar->setScrollRange(static_cast<int>(lowest));
        m_pVerticalBar->setScrollOffset(target);
    }
}

void PlayerTableViewLayer::AddUser(const tagUserData* user)
{
    if (m_pTableView == nullptr)
        return;
    if (user != nullptr)
        m_Items.push_back(MakeItem(user, true));
    ReloadKeepingPlace();
}

void PlayerTableViewLayer::RemoveUser(uint32_t gameID)
{
    if (m_pTableView == nullptr)
        return;
    m_Items.erase(std::remove_if(m_Items.begin(), m_Items.end(),
                                 [gameID](const PlayerItemGame& item) { return item.gameID == gameID; }),
                  m_Items.end());
    ReloadKeepingPlace();
}

void PlayerTableViewLayer::UpdateUser(const tagUserData* user)
{
    if (user == nullptr || m_pTableView == nullptr)
        return;
    const std::string score = CClientGlobal::FormatScore(user->lScore);
    const size_t count = m_Items.size();
    for (size_t i = 0; i < count; ++i)
    {
        CCTableViewCell* cell = m_pTableView->cellAtIndex(static_cast<unsigned int>(i));
        if (cell == nullptr || static_cast<uint32_t>(cell->getTag()) != user->dwGameID)
            continue;
        ReloadFromKernel();
        auto* background = static_cast<CCSprite*>(cell->getChildByTag(kTagRowBackground));
        if (background == nullptr)
            continue;
        ShowStatus(static_cast<CCSprite*>(background->getChildByTag(kTagStatus)), user->cbUserStatus);
        if (auto* label = dynamic_cast<CCLabelTTF*>(background->getChildByTag(kTagScore)))
            label->setString(CClientGlobal::GBKToUTF8(score).c_str());
        if (auto* avatar = static_cast<CCSprite*>(background->getChildByTag(kTagAvatar)))
        {
            ShowPicture(avatar, CClientGlobal::FacePicture(CClientGlobal::GetUserLevel(user)));
            if (avatar->getTexture() != nullptr)
                avatar->getTexture()->setAliasTexParameters();
            avatar->setAnchorPoint(CCPoint(0, 0));
        }
    }
}

// --- rows ----------------------------------------------------------------------------------

unsigned int PlayerTableViewLayer::numberOfCellsInTableView(CCTableView*)
{
    m_nRowCount = std::max(static_cast<int>(m_Items.size()), m_nListHeight / kRowHeight);
    return static_cast<unsigned int>(m_nRowCount);
}

CCSize PlayerTableViewLayer::cellSizeForTable(CCTableView*) { return CCSize(kViewWidth, kRowHeight); }

void PlayerTableViewLayer::ShowStatus(CCSprite* icon, int status)
{
    if (icon == nullptr)
        return;
    const bool shown = status >= 2 && status <= 6;
    char frame[24];
    std::snprintf(frame, sizeof(frame), shown ? "status_%d" : "people0-9999", status);
    ShowPicture(icon, frame);
    if (shown)
        icon->setScale(1.0f);
    else
        icon->setScale(0.12f, 0.13f);
    icon->setAnchorPoint(CCPoint(1, 0));
    if (icon->getTexture() != nullptr)
        icon->getTexture()->setAliasTexParameters();
}

void PlayerTableViewLayer::ShowBadge(CCSprite* badge, uint32_t clientKind)
{
    char frame[24];
    if (clientKind >= 1 && clientKind <= 3)
        std::snprintf(frame, sizeof(frame), "expand_%u", static_cast<unsigned>(clientKind));
    else
        std::snprintf(frame, sizeof(frame), "people0-9999");
    ShowPicture(badge, frame);
}

void PlayerTableViewLayer::ShowRowTexture(CCSprite* background, unsigned int index)
{
    char picture[32];
    std::snprintf(picture, sizeof(picture), "Table/player_bg_%u", index % 2);
    if (CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(picture))
        background->setTexture(texture);
    RepeatTexture(background);
    background->setTextureRect(CCRect(0, 0, kRowWidth, kRowHeight));
}

CCTableViewCell* PlayerTableViewLayer::tableCellAtIndex(CCTableView* table, unsigned int index)
{
    CCTableViewCell* cell = table->dequeueCell();
    const bool fresh = cell == nullptr;
    if (fresh)
    {
        cell = new (std::nothrow) CCTableViewCell();
        if (cell == nullptr)
            return nullptr;
        cell->autorelease();
    }
    ShowRow(cell, index, fresh);
    return cell;
}

void PlayerTableViewLayer::ShowRow(CCTableViewCell* cell, unsigned int index, bool fresh)
{
    PlayerItemGame item;
    item.level = kBlankStatus;
    if (index < m_Items.size())
    {
        item = m_Items[index];
        item.nickname = CClientGlobal::TruncateTextToWidth(item.nickname, kNicknameWidth, kCellFontSize, "Arial");
    }
    cell->setTag(static_cast<int>(item.gameID));
    const int status = item.status >= 2 && item.status <= 6 ? item.status : kBlankStatus;
    if (fresh)
    {
        CCSprite* background = CCSprite::create();
        background->setAnchorPoint(CCPoint(0, 0));
        background->setPosition(CCPoint(m_fHorizontalOffset, 0));
        ShowRowTexture(background, index);
        background->setTag(kTagRowBackground);
        cell->addChild(background);

        CCSprite* avatar = CCSprite::create(CClientGlobal::FacePicture(item.level).c_str());
        avatar->setAnchorPoint(CCPoint(0, 0));
        avatar->setScale(0.24f);
        avatar->setPosition(CCPoint(6, 3));
        avatar->setTag(kTagAvatar);
        background->addChild(avatar);
        if (CCSprite* icon = CreateUserStatusIcon(status, CCPoint(6 + 24, 3), kTagStatus))
            background->addChild(icon);
        background->addChild(CreateCellLabel(item.nickname, kTagNickname, 36, 0, 0, 105));
        CCSprite* badge = CCSprite::create();
        badge->setAnchorPoint(CCPoint(0, 0));
        ShowBadge(badge, item.clientKind);
        badge->setTag(kTagBadge);
        badge->setPosition(CCPoint(144, 15));
        background->addChild(badge);
        background->addChild(CreateCellLabel(item.gameIDText, kTagGameID, 159, 0, 1, 70));
        background->addChild(CreateCellLabel(item.scoreText, kTagScore, 232, 0, 2, 115));
        return;
    }
    auto* background = static_cast<CCSprite*>(cell->getChildByTag(kTagRowBackground));
    if (background == nullptr)
        return;
    background->setAnchorPoint(CCPoint(0, 0));
    background->setPosition(CCPoint(m_fHorizontalOffset, 0));
    ShowRowTexture(background, index);
    if (auto* avatar = static_cast<CCSprite*>(background->getChildByTag(kTagAvatar)))
    {
        ShowPicture(avatar, CClientGlobal::FacePicture(item.level));
        avatar->setAnchorPoint(CCPoint(0, 0));
    }
    ShowStatus(static_cast<CCSprite*>(background->getChildByTag(kTagStatus)), item.status);
    ShowBadge(static_cast<CCSprite*>(background->getChildByTag(kTagBadge)), item.clientKind);
    const std::pair<int, const std::string*> texts[] = {
        {kTagNickname, &item.nickname}, {kTagGameID, &item.gameIDText}, {kTagScore, &item.scoreText}};
    for (const auto& text : texts)
    {
        if (auto* label = dynamic_cast<CCLabelTTF*>(background->getChildByTag(text.first)))
            label->setString(CClientGlobal::GBKToUTF8(*text.second).c_str());
    }
}

// --- scrolling and hover -----------------------------------------------------------------------

void PlayerTableViewLayer::scrollViewDidScroll(CCScrollView* view)
{
    if (m_pVerticalBar == nullptr || view == nullptr)
        return;
    const float y = view->getContentOffset().y;
    m_pVerticalBar->setScrollOffset(y);
    if (y > 0 || y < view->minContainerOffset().y)
        view->setBounceable(false);
}

void PlayerTableViewLayer::OnVerticalSliderChanged(CCObject*)
{
    if (m_pVerticalBar == nullptr || m_pTableView == nullptr)
        return;
    m_pTableView->setContentOffset(CCPoint(0, static_cast<float>(m_pVerticalBar->getCurrentOffset())), false);
}

void PlayerTableViewLayer::OnHorizontalSliderChanged(CCObject*)
{
    if (m_pHorizontalBar == nullptr || m_pTableView == nullptr)
        return;
    m_fHorizontalOffset = static_cast<float>(m_pHorizontalBar->getCurrentOffset());
    for (int i = 0; i < m_nRowCount; ++i)
    {
        CCTableViewCell* cell = m_pTableView->cellAtIndex(static_cast<unsigned int>(i));
        if (cell == nullptr)
            continue;
        if (CCNode* background = cell->getChildByTag(kTagRowBackground))
        {
            background->setAnchorPoint(CCPoint(0, 0));
            background->setPosition(CCPoint(m_fHorizontalOffset, 0));
        }
    }
    if (m_pHeader != nullptr)
    {
        m_pHeader->setAnchorPoint(CCPoint(0, 0));
        m_pHeader->setPosition(CCPoint(m_fHorizontalOffset, static_cast<float>(kTableY + m_nListHeight)));
    }
}

void PlayerTableViewLayer::OnCursorMoved(CCObject* point)
{
    auto* at = dynamic_cast<CCPointObject*>(point);
    if (at == nullptr)
        return;
    const CCRect box = boundingBox();
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    const float sx = view->getScaleX();
    const float sy = view->getScaleY();
    const CCRect area(box.origin.x * sx, box.origin.y * sy, (box.size.width + 2) * sx, (box.size.height + 2) * sy);
    m_fHover = area.containsPoint(at->m_point) ? 1.0f : 0.0f;
}

void PlayerTableViewLayer::OnMouseWheel(CCObject* point)
{
    auto* at = dynamic_cast<CCPointObject*>(point);
    if (at == nullptr || m_pTableView == nullptr || m_fHover != 1.0f)
        return;
    m_pTableView->setContentOffset(CCPoint(0, m_pTableView->getContentOffset().y + at->m_point.y), false);
}
