#include "room/PlayerTableViewLayerG.h"

#include "core/ClientGlobal.h"
#include "room/CCTableListLayer.h"
#include "room/CDlgGameUserInfo.h"
#include "room/RoomUserManager.h"
#include "ui/GBKLabel.h"
#include "ui/ImageButton.h"

#include <algorithm>
#include <cmath>

using namespace cocos2d;

namespace {

// Columns: status badge, nickname, game ID, score.
constexpr float kNameX = 24;
constexpr float kNameWidth = 82;
constexpr float kGameIdX = 110;
constexpr float kGameIdWidth = 54;
constexpr float kScoreX = 166;
constexpr float kScoreWidth = 56;  // the scroll bar keeps the last 14 points
constexpr float kFontSize = 12;

const ccColor3B kTextColour{40, 56, 72};
const ccColor3B kMemberColour{214, 30, 30};

CCLabelTTF* CellLabel(const std::string& gbk, float x, float width, const ccColor3B& colour)
{
    const std::string shown = CClientGlobal::TruncateTextToWidth(gbk, static_cast<int>(width), kFontSize, "Arial");
    CCLabelTTF* label = CreateGBKLabel(shown, "Arial", kFontSize);
    label->setAnchorPoint(CCPoint(0, 0.5f));
    label->setPosition(CCPoint(x, PlayerTableViewLayerG::kRowHeight / 2));
    label->setColor(colour);
    return label;
}

}  // namespace

PlayerTableViewLayerG* PlayerTableViewLayerG::create(RoomUserManager* users)
{
    auto* list = new PlayerTableViewLayerG();
    if (!list->initList(users))
    {
        delete list;
        return nullptr;
    }
    list->autorelease();
    return list;
}

bool PlayerTableViewLayerG::initList(RoomUserManager* users)
{
    // After the header buttons, which take their touches first.
    if (!initPane(1, kWheelStep))
        return false;
    m_pUsers = users;
    m_pRows = CCNode::create();
    addChild(m_pRows, 0, kTagRows);
    BuildHeader();
    setContentSize(CCSize(240, kHeaderHeight));
    return true;
}

void PlayerTableViewLayerG::BuildHeader()
{
    CCNode* header = CCNode::create();
    addChild(header, 2, kTagHeader);
    struct Column
    {
        const char* picture;
        int tag;
        float x;
    } columns[] = {
        {"Table/head_nickname", kTagSortNickname, 0},
        {"Table/head_gameid", kTagSortGameID, kGameIdX - 2},
        {"Table/head_score", kTagSortScore, kScoreX - 2},
    };
    for (const Column& column : columns)
    {
        const std::string name = column.picture;
        CImageButton* button = CImageButton::create(name, name + "_pressed", name + "_hover", this,
                                                    menu_selector(PlayerTableViewLayerG::OnHeaderButton), column.tag);
        if (button == nullptr)
            continue;
        button->setAnchorPoint(CCPoint(0, 0));
        button->setPosition(CCPoint(column.x, 0));
        header->addChild(button, 0, column.tag);
    }
}

void PlayerTableViewLayerG::OnHeaderButton(CCObject* sender)
{
    auto* node = dynamic_cast<CCNode*>(sender);
    if (node == nullptr || m_pUsers == nullptr)
        return;
    switch (node->getTag())
    {
        case kTagSortNickname: m_pUsers->SortByColumn(0); break;
        case kTagSortGameID: m_pUsers->SortByColumn(1); break;
        case kTagSortScore: m_pUsers->SortByColumn(2); break;
        default: return;
    }
    ReloadList();
}

void PlayerTableViewLayerG::LayoutList(float width, float height)
{
    setContentSize(CCSize(width, height));
    const float rowsHeight = std::max(0.0f, height - kHeaderHeight);
    setClipRect(CCRect(0, 0, width, height));
    if (CCNode* header = getChildByTag(kTagHeader))
        header->setPosition(CCPoint(0, rowsHeight));
    PlaceSlider(CCPoint(width - 14, rowsHeight), rowsHeight);
    ClampScroll();
    m_bDirty = true;
    FlushRows();
}

int PlayerTableViewLayerG::GetRowCount() const
{
    return m_pUsers != nullptr ? static_cast<int>(std::min<size_t>(m_pUsers->GetUserCount(), 65535)) : 0;
}

float PlayerTableViewLayerG::GetViewHeight() const { return std::max(0.0f, getContentSize().height - kHeaderHeight); }

void PlayerTableViewLayerG::OnScrolled()
{
    m_bDirty = true;
    FlushRows();
}

void PlayerTableViewLayerG::ReloadList()
{
    ClampScroll();
    MarkDirty();
}

void PlayerTableViewLayerG::UpdateUser(const tagUserData* user)
{
    // Only the user's own row is built again, and only when it is shown: the
    // order changes on a sort or a user coming or going, which reload the list.
    if (m_bDirty || m_pUsers == nullptr)
        return;
    const int last = std::min(GetRowCount() - 1, static_cast<int>((m_fScroll + GetViewHeight()) / kRowHeight));
    for (int row = m_nFirstShown; row <= last; ++row)
    {
        if (m_pUsers->GetUserByIndex(static_cast<uint16_t>(row)) == user)
        {
            m_ChangedRows.insert(row);
            scheduleUpdate();  // built at the next frame's update
            return;
        }
    }
}

void PlayerTableViewLayerG::MarkDirty()
{
    // Rows are built at the next frame's update, which runs only then.
    m_bDirty = true;
    scheduleUpdate();
}

void PlayerTableViewLayerG::RemoveUser(uint32_t gameId)
{
    (void)gameId;  // the manager no longer lists the user
    ReloadList();
}

void PlayerTableViewLayerG::update(float)
{
    FlushRows();
    unscheduleUpdate();
}

void PlayerTableViewLayerG::FlushRows()
{
    if (!m_bDirty)
    {
        for (int row : m_ChangedRows)
        {
            CCNode* old = m_pRows->getChildByTag(kTagRowBase + row);
            if (old == nullptr)
                continue;
            CCNode* node = BuildRow(row);
            node->setPosition(old->getPosition());
            old->removeFromParentAndCleanup(true);
            m_pRows->addChild(node, 0, kTagRowBase + row);
        }
        m_ChangedRows.clear();
        return;
    }
    m_bDirty = false;
    m_ChangedRows.clear();
    m_pRows->removeAllChildrenWithCleanup(true);
    const float rowsHeight = std::max(0.0f, getContentSize().height - kHeaderHeight);
    m_nFirstShown = static_cast<int>(m_fScroll / kRowHeight);
    const int last = std::min(GetRowCount() - 1, static_cast<int>((m_fScroll + rowsHeight) / kRowHeight));
    // Rows below the last user keep the stripes going.
    const int lastStripe = static_cast<int>((m_fScroll + rowsHeight) / kRowHeight);
    for (int row = m_nFirstShown; row <= lastStripe; ++row)
    {
        CCNode* node = row <= last ? BuildRow(row) : CCNode::create();
        if (row > last)
        {
            if (CCSprite* stripe = CCSprite::create(row % 2 == 0 ? "Table/player_bg_0" : "Table/player_bg_1"))
            {
                stripe->setAnchorPoint(CCPoint(0, 0));
                stripe->setScaleX(getContentSize().width / std::max(1.0f, stripe->getContentSize().width));
                stripe->setScaleY(kRowHeight / std::max(1.0f, stripe->getContentSize().height));
                node->addChild(stripe);
            }
        }
        node->setPosition(CCPoint(0, rowsHeight - (row + 1) * kRowHeight + m_fScroll));
        m_pRows->addChild(node, 0, kTagRowBase + row);
    }
    SyncSlider();
}

CCNode* PlayerTableViewLayerG::BuildRow(int row)
{
    CCNode* node = CCNode::create();
    if (CCSprite* stripe = CCSprite::create(row % 2 == 0 ? "Table/player_bg_0" : "Table/player_bg_1"))
    {
        stripe->setAnchorPoint(CCPoint(0, 0));
        stripe->setScaleX(getContentSize().width / std::max(1.0f, stripe->getContentSize().width));
        stripe->setScaleY(kRowHeight / std::max(1.0f, stripe->getContentSize().height));
        node->addChild(stripe);
    }
    const tagUserData* user = m_pUsers->GetUserByIndex(static_cast<uint16_t>(row));
    if (user == nullptr)
        return node;
    if (user->cbUserStatus >= US_SIT && user->cbUserStatus <= 6)
    {
        if (CCSprite* icon = CreateUserStatusIcon(user->cbUserStatus, CCPoint(21, 6), kTagRowStatus))
            node->addChild(icon, 1);
    }
    const ccColor3B colour = user->cbMemberOrder != 0 ? kMemberColour : kTextColour;
    const std::string nick = CClientGlobal::WideToAnsi(FieldText(user->szNickName));
    node->addChild(CellLabel(nick, kNameX, kNameWidth, colour), 1, kTagRowName);
    node->addChild(CellLabel(std::to_string(user->dwGameID), kGameIdX, kGameIdWidth, colour), 1, kTagRowGameID);
    node->addChild(CellLabel(CClientGlobal::FormatScore(user->lScore), kScoreX, kScoreWidth, colour), 1, kTagRowScore);
    return node;
}

CCNode* PlayerTableViewLayerG::GetRowNode(int row)
{
    FlushRows();
    return m_pRows->getChildByTag(kTagRowBase + row);
}

void PlayerTableViewLayerG::OnRowClicked(int row)
{
    if (m_pUsers == nullptr || row < 0 || row >= GetRowCount())
        return;
    const tagUserData* user = m_pUsers->GetUserByIndex(static_cast<uint16_t>(row));
    if (user == nullptr)
        return;
    CDlgGameUserInfo::Open(m_pUsers, user->dwGameID);
}

bool PlayerTableViewLayerG::ContainsWorld(const CCPoint& world)
{
    const CCPoint local = convertToNodeSpace(world);
    const CCSize& size = getContentSize();
    return local.x >= 0 && local.y >= 0 && local.x < size.width && local.y < size.height - kHeaderHeight;
}

void PlayerTableViewLayerG::OnClick(const CCPoint& world)
{
    const CCPoint local = convertToNodeSpace(world);
    const float fromTop = GetViewHeight() - local.y + m_fScroll;
    if (fromTop >= 0)
        OnRowClicked(static_cast<int>(fromTop / kRowHeight));
}
