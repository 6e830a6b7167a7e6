#include "room/CCTableListLayer.h"

#include "core/ClientGlobal.h"
#include "ui/GBKLabel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

using namespace cocos2d;

namespace {

constexpr float kSliderRoom = 18;  // the scroll bar's strip at the right
const ccColor3B kNameColour{255, 255, 255};
const ccColor3B kMemberColour{255, 96, 80};

std::string Utf8Nick(const tagUserData* user) { return CClientGlobal::WideToUTF8(FieldText(user->szNickName)); }

}  // namespace

CCTableListLayer::Geometry CCTableListLayer::ComputeGeometry(float viewWidth, uint16_t tableCount, uint16_t chairCount)
{
    Geometry g;
    const bool wide = chairCount > 4 && chairCount <= kMaxDrawnChairs;
    g.cellWidth = wide ? 256 : 204;
    g.cellHeight = wide ? 232 : 196;
    const float usable = std::max(0.0f, viewWidth - kSliderRoom);
    g.columns = std::max(1, static_cast<int>(usable / g.cellWidth));
    g.rows = (tableCount + g.columns - 1) / g.columns;
    g.marginX = std::max(0.0f, (usable - g.columns * g.cellWidth) / 2);
    return g;
}

CCPoint CCTableListLayer::ChairOffset(uint16_t chairCount, uint16_t chair, const Geometry& geometry)
{
    if (chairCount == 0)
        return CCPoint(0, 0);
    if (chairCount > kMaxDrawnChairs)
        return CCPoint(0, -geometry.cellHeight * 0.34f);  // the join spot
    const float angle = static_cast<float>(-M_PI / 2 + 2 * M_PI * chair / chairCount);
    const float rx = geometry.cellWidth * 0.36f;
    const float ry = geometry.cellHeight * 0.30f;
    return CCPoint(std::round(rx * std::cos(angle)), std::round(ry * std::sin(angle) + 8));
}

CCTableListLayer* CCTableListLayer::create()
{
    CCTableListLayer* layer = new CCTableListLayer();
    if (!layer->init())
    {
        delete layer;
        return nullptr;
    }
    layer->autorelease();
    return layer;
}

bool CCTableListLayer::init()
{
    if (!initPane(0, kWheelStep))
        return false;
    setAnchorPoint(CCPoint(0, 0));
    m_pContent = CCNode::create();
    addChild(m_pContent);
    return true;
}

void CCTableListLayer::SetupTables(const tagRoomConfig& config, uint16_t kindId)
{
    const uint16_t tables = config.wTableCount;
    const uint16_t chairs = config.wChairCount;
    m_wKindID = kindId;
    // The same counts again (a new layout) keep who sits where.
    if (!m_bSetUp || tables != m_wConfigTables || chairs != m_Model.GetChairCount())
    {
        m_bSetUp = true;
        m_wConfigTables = tables;
        m_Model.Setup(tables, chairs);
        m_fScroll = 0;
    }
    Rebuild();
}

void CCTableListLayer::LayoutTables(const CCSize& size, uint16_t kindId)
{
    m_wKindID = kindId;
    setContentSize(size);
    setClipRect(CCRect(0, 0, size.width, size.height));
    Rebuild();
}

void CCTableListLayer::Rebuild()
{
    for (auto& cell : m_Cells)
        cell.second->removeFromParentAndCleanup(true);
    m_Cells.clear();
    m_Dirty.clear();
    const CCSize& size = getContentSize();
    m_Geometry = ComputeGeometry(size.width, m_Model.GetTableCount(), m_Model.GetChairCount());
    ClampScroll();
    PlaceSlider(CCPoint(size.width - 16, size.height - 2), size.height - 4);
    UpdateVisibleCells();
}

void CCTableListLayer::ShowTable(uint16_t table)
{
    if (!m_Model.IsValidTable(table))
        return;
    const int row = table / m_Geometry.columns;
    const float top = row * m_Geometry.cellHeight;
    const float bottom = top + m_Geometry.cellHeight;
    if (top < m_fScroll)
        ScrollTo(top);
    else if (bottom > m_fScroll + getContentSize().height)
        ScrollTo(bottom - getContentSize().height);
}

CCPoint CCTableListLayer::CellCentre(uint16_t table) const
{
    const int row = table / m_Geometry.columns;
    const int column = table % m_Geometry.columns;
    return CCPoint(m_Geometry.marginX + (column + 0.5f) * m_Geometry.cellWidth,
                   getContentSize().height - (row + 0.5f) * m_Geometry.cellHeight);
}

void CCTableListLayer::UpdateVisibleCells()
{
    m_pContent->setPosition(CCPoint(0, m_fScroll));
    const float height = getContentSize().height;
    const int tables = m_Model.GetTableCount();
    int first = 0;
    int last = -1;
    if (tables > 0 && m_Geometry.cellHeight > 0 && height > 0)
    {
        const int firstRow = static_cast<int>(m_fScroll / m_Geometry.cellHeight);
        const int lastRow = static_cast<int>((m_fScroll + height) / m_Geometry.cellHeight);
        first = firstRow * m_Geometry.columns;
        last = std::min(tables - 1, (lastRow + 1) * m_Geometry.columns - 1);
    }
    for (auto it = m_Cells.begin(); it != m_Cells.end();)
    {
        if (it->first < first || it->first > last)
        {
            it->second->removeFromParentAndCleanup(true);
            m_Dirty.erase(it->first);
            it = m_Cells.erase(it);
        }
        else
        {
            ++it;
        }
    }
    for (int table = first; table <= last; ++table)
    {
        if (m_Cells.count(static_cast<uint16_t>(table)) == 0)
        {
            CCNode* cell = BuildCell(static_cast<uint16_t>(table));
            m_pContent->addChild(cell);
            m_Cells[static_cast<uint16_t>(table)] = cell;
        }
    }
    SyncSlider();
}

CCNode* CCTableListLayer::GetCell(uint16_t table)
{
    FlushCells();
    auto it = m_Cells.find(table);
    return it == m_Cells.end() ? nullptr : it->second;
}

void CCTableListLayer::RefreshCell(uint16_t table)
{
    // Many messages can touch one table in a frame: build it once, at the
    // next frame's update (none runs while nothing waits).
    if (m_Cells.count(table) != 0)
    {
        m_Dirty.insert(table);
        scheduleUpdate();
    }
}

void CCTableListLayer::FlushCells()
{
    for (uint16_t table : m_Dirty)
    {
        auto it = m_Cells.find(table);
        if (it == m_Cells.end())
            continue;
        it->second->removeFromParentAndCleanup(true);
        CCNode* cell = BuildCell(table);
        m_pContent->addChild(cell);
        it->second = cell;
    }
    m_Dirty.clear();
}

void CCTableListLayer::update(float)
{
    FlushCells();
    unscheduleUpdate();
}

CCNode* CCTableListLayer::BuildCell(uint16_t table)
{
    const CCTableInfo* info = m_Model.GetTableInfo(table);
    const uint16_t chairs = m_Model.GetChairCount();
    const bool many = chairs > kMaxDrawnChairs;
    CCNode* cell = CCNode::create();
    cell->setTag(table);
    cell->setPosition(CellCentre(table));

    const char* picture = many ? (info->bPlaying ? "Table/table_many_playing" : "Table/table_many")
                               : (info->bPlaying ? "Table/table_playing" : "Table/table_free");
    if (CCSprite* top = CCSprite::create(picture))
    {
        top->setPosition(CCPoint(0, 8));
        cell->addChild(top, 0, kTagTable);
    }
    char number[32];
    std::snprintf(number, sizeof(number), "%u号桌", static_cast<unsigned>(table) + 1);
    CCLabelTTF* numberLabel = CCLabelTTF::create(number, "Arial", 14);
    numberLabel->setColor(ccc3(255, 244, 200));
    numberLabel->setPosition(CCPoint(0, many ? 16 : 8));
    cell->addChild(numberLabel, 1, kTagNumber);
    if (info->bLocked)
    {
        if (CCSprite* lock = CCSprite::create("Table/lock"))
        {
            lock->setPosition(CCPoint(many ? 58 : 46, many ? 44 : 36));
            cell->addChild(lock, 2, kTagLock);
        }
    }

    if (many)
    {
        unsigned seated = 0;
        for (const tagUserData* user : info->chairUsers)
            seated += user != nullptr ? 1 : 0;
        char count[32];
        std::snprintf(count, sizeof(count), "%u/%u", seated, static_cast<unsigned>(chairs));
        CCLabelTTF* countLabel = CCLabelTTF::create(count, "Arial", 13);
        countLabel->setPosition(CCPoint(0, -6));
        cell->addChild(countLabel, 1, kTagCount);
        const CCPoint spot = ChairOffset(chairs, 0, m_Geometry);
        if (CCSprite* join = CCSprite::create("Table/join"))
        {
            join->setPosition(spot);
            cell->addChild(join, 1, kTagChairBase);
        }
        return cell;
    }

    for (uint16_t chair = 0; chair < chairs; ++chair)
    {
        const CCPoint at = ChairOffset(chairs, chair, m_Geometry);
        const tagUserData* user = info->chairUsers[chair];
        if (CCSprite* seat = CCSprite::create(user != nullptr ? "Table/chair_taken" : "Table/chair"))
        {
            seat->setPosition(at);
            cell->addChild(seat, 1, kTagChairBase + chair);
        }
        if (user == nullptr)
            continue;
        const std::string face = CClientGlobal::FacePicture(CClientGlobal::GetUserLevel(user));
        if (CCSprite* faceSprite = CCSprite::create(face.c_str()))
        {
            const float side = std::max(1.0f, faceSprite->getContentSize().width);
            faceSprite->setScale(34 / side);
            faceSprite->setPosition(at);
            cell->addChild(faceSprite, 2, kTagFaceBase + chair);
        }
        const std::string name =
            CClientGlobal::TruncateTextToWidth(CClientGlobal::UTF8ToGBK(Utf8Nick(user)), 84, 12, "Arial");
        CCLabelTTF* nameLabel = CreateGBKLabel(name, "Arial", 12);
        nameLabel->setColor(user->cbMemberOrder != 0 ? kMemberColour : kNameColour);
        const float side = at.y >= 8 ? 28.0f : -28.0f;
        nameLabel->setPosition(CCPoint(at.x, at.y + side));
        cell->addChild(nameLabel, 2, kTagNameBase + chair);
        const uint8_t status = info->chairStatus[chair];
        if (status >= US_SIT && status <= 6)
        {
            if (CCSprite* icon = CreateUserStatusIcon(status, CCPoint(at.x + 21, at.y - 19), kTagStatusBase + chair))
                cell->addChild(icon, 3);
        }
    }
    return cell;
}

bool CCTableListLayer::SetTableState(uint16_t table, bool playing, bool locked)
{
    const CCTableInfo* info = m_Model.GetTableInfo(table);
    if (info == nullptr)
        return false;
    if (info->bPlaying == playing && info->bLocked == locked)
        return true;
    m_Model.SetTableState(table, playing, locked);
    RefreshCell(table);
    return true;
}

bool CCTableListLayer::SetUserInfo(uint16_t table, uint16_t chair, const tagUserData* user)
{
    if (!m_Model.SetChairUser(table, chair, user))
        return false;
    RefreshCell(table);
    return true;
}

bool CCTableListLayer::SetChairState(uint16_t table, uint16_t chair, uint8_t status)
{
    if (!m_Model.SetChairState(table, chair, status))
        return false;
    RefreshCell(table);
    return true;
}

void CCTableListLayer::ForgetUser(const tagUserData* user)
{
    if (user == nullptr)
        return;
    for (uint16_t table = 0; table < m_Model.GetTableCount(); ++table)
    {
        const CCTableInfo* info = m_Model.GetTableInfo(table);
        if (std::find(info->chairUsers.begin(), info->chairUsers.end(), user) != info->chairUsers.end())
        {
            for (uint16_t chair = 0; chair < info->chairUsers.size(); ++chair)
                if (info->chairUsers[chair] == user)
                    m_Model.SetChairUser(table, chair, nullptr);
            RefreshCell(table);
        }
    }
}

void CCTableListLayer::ShowScoreChange(uint16_t table, uint16_t chair, int64_t delta, const tagUserData* user,
                                       uint8_t flag)
{
    (void)user;
    (void)flag;
    CCNode* cell = GetCell(table);
    if (cell == nullptr || delta == 0 || !m_Model.IsValidSeat(table, chair) ||
        m_Model.GetChairCount() > kMaxDrawnChairs)
        return;
    const std::string text = (delta > 0 ? "+" : "") + CClientGlobal::FormatScore(delta);
    CCLabelTTF* label = CCLabelTTF::create(text.c_str(), "Arial", 16);
    label->setColor(delta > 0 ? ccc3(255, 214, 64) : ccc3(160, 200, 255));
    label->setPosition(ChairOffset(m_Model.GetChairCount(), chair, m_Geometry));
    cell->addChild(label, 10);
    label->runAction(
        CCSequence::create(CCSpawn::create(CCMoveBy::create(1.2f, CCPoint(0, 30)), CCFadeOut::create(1.2f), nullptr),
                           CCRemoveSelf::create(), nullptr));
}

bool CCTableListLayer::GetChairWorldPosition(uint16_t table, uint16_t chair, CCPoint& out)
{
    CCNode* cell = GetCell(table);
    if (cell == nullptr || !m_Model.IsValidTable(table))
        return false;
    const uint16_t chairs = m_Model.GetChairCount();
    if (chairs <= kMaxDrawnChairs && chair >= chairs)
        return false;
    out = cell->convertToWorldSpace(ChairOffset(chairs, chair, m_Geometry));
    return true;
}

bool CCTableListLayer::HitChair(const CCPoint& world, uint16_t& table, uint16_t& chair)
{
    if (!ContainsWorld(world))
        return false;
    FlushCells();
    const uint16_t chairs = m_Model.GetChairCount();
    const float reach = 22;
    for (auto& entry : m_Cells)
    {
        const CCPoint local = entry.second->convertToNodeSpace(world);
        if (chairs > kMaxDrawnChairs)
        {
            const CCPoint spot = ChairOffset(chairs, 0, m_Geometry);
            if (std::fabs(local.x - spot.x) <= 36 && std::fabs(local.y - spot.y) <= 16)
            {
                table = entry.first;
                chair = INVALID_CHAIR;
                return true;
            }
            continue;
        }
        for (uint16_t c = 0; c < chairs; ++c)
        {
            const CCPoint spot = ChairOffset(chairs, c, m_Geometry);
            if (std::fabs(local.x - spot.x) <= reach && std::fabs(local.y - spot.y) <= reach)
            {
                table = entry.first;
                chair = c;
                return true;
            }
        }
    }
    return false;
}

void CCTableListLayer::OnClick(const CCPoint& world)
{
    uint16_t table = 0;
    uint16_t chair = 0;
    if (m_pSink != nullptr && HitChair(world, table, chair))
        m_pSink->RequestSitDown(table, chair);
}
