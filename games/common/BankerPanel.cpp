#include "games/common/BankerPanel.h"

#include "core/ClientGlobal.h"
#include "games/common/BoardWidgets.h"
#include "games/framework/BoardArt.h"
#include "games/framework/UserData.h"

#include <algorithm>
#include <cstdio>

using namespace cocos2d;
using namespace cocos2d::ui;

namespace games {

// --- the banker panel -------------------------------------------------------------------------

void BankerPanel::Attach(TouchGroup* layer, const BankerPanelStyle& style)
{
    m_pLayer = layer;
    m_Style = style;
}

void BankerPanel::ShowBanker(uint16_t chair, const tagUserData* user)
{
    std::string name;
    std::string score;
    if (chair == BankerQueue::kNoChair)
    {
        name = m_Style.nobody != nullptr ? m_Style.nobody : "";
        score = "0";
    }
    else if (user != nullptr)
    {
        name = NickName(user, m_Style.nameBytes);
        score = CClientGlobal::FormatScore(user->lScore);
    }
    else if (m_Style.keepWhenUserMissing)
    {
        return;
    }
    else
    {
        score = "0";
    }
    if (m_Style.name != nullptr)
        SetWidgetText(m_pLayer, m_Style.name, name);
    if (m_Style.score != nullptr)
        SetWidgetText(m_pLayer, m_Style.score, score);
}

void BankerPanel::ShowRounds(int64_t rounds)
{
    if (m_Style.rounds == nullptr)
        return;
    char text[24];
    std::snprintf(text, sizeof(text), "%lld", static_cast<long long>(rounds));
    SetWidgetText(m_pLayer, m_Style.rounds, text);
}

void BankerPanel::ShowResult(int64_t amount)
{
    if (m_Style.result != nullptr)
        SetWidgetText(m_pLayer, m_Style.result, CClientGlobal::FormatScore(amount));
}

// --- the queue list ---------------------------------------------------------------------------

void BankerQueueList::Attach(ListView* list, const BankerRowStyle& style)
{
    m_pList = list;
    m_Style = style;
    m_Queue.Clear();
}

Label* BankerQueueList::AddRow(uint16_t chair, const tagUserData* user, const std::string& prefix)
{
    // A chair whose user has left has no row to show.
    if (user == nullptr || m_pList == nullptr)
        return nullptr;
    Label* row = Label::create();
    row->setTag(TagOf(chair));
    row->setFontSize(m_Style.nameFontSize);
    if (m_Style.coloured)
        row->setColor(m_Style.colour);
    Label* score = Label::create();
    score->setFontSize(m_Style.scoreFontSize);
    char text[32];
    std::snprintf(text, sizeof(text), "%lld", static_cast<long long>(user->lScore));
    score->setText(text);
    if (m_Style.coloured)
        score->setColor(m_Style.colour);
    score->setAnchorPoint(CCPoint(0, 0.5f));
    row->addChild(score);
    const std::string name = NickName(user, m_Style.nameBytes);
    m_Names[row->getTag()] = name;
    SetRowText(row, m_Indent ? std::string(m_Indent(m_Queue.Size()), ' ') : prefix, name);
    // The list lays the row out by its size: its text first.
    m_pList->pushBackCustomItem(row);
    m_Queue.Add(chair);
    return row;
}

void BankerQueueList::SetRowText(Label* row, const std::string& prefix, const std::string& name) const
{
    row->setText(prefix + name);
    CCArray* children = row->getChildren();
    auto* score = children != nullptr && children->count() > 0 ? dynamic_cast<Label*>(children->objectAtIndex(0))
                                                                : nullptr;
    if (score == nullptr)
        return;
    // The score's column, but never over a long (or far indented) name.
    const float width = row->getSize().width;
    const float half = width / 2;
    const float x = std::max(m_Style.scoreX - half, half + kScoreGap);
    score->setPosition(CCPoint(x, 0));
    // A long score is drawn smaller rather than cut at the list's edge.
    if (m_pList == nullptr)
        return;
    const float list = m_pList->getSize().width;
    const ListViewGravity gravity = m_pList->getGravity();
    const float left = gravity == LISTVIEW_GRAVITY_RIGHT               ? list - width
                       : gravity == LISTVIEW_GRAVITY_CENTER_HORIZONTAL ? (list - width) / 2
                                                                       : 0;
    // A widget's children stand round its anchor point.
    Sexy::FitToWidth(score, list - left - row->getAnchorPoint().x * width - x);
}

void BankerQueueList::Reindent()
{
    if (!m_Indent || m_pList == nullptr)
        return;
    for (unsigned int index = 0; index < m_pList->getItems()->count(); ++index)
    {
        auto* row = dynamic_cast<Label*>(m_pList->getItem(index));
        auto name = row != nullptr ? m_Names.find(row->getTag()) : m_Names.end();
        if (name != m_Names.end())
            SetRowText(row, std::string(m_Indent(index), ' '), name->second);
    }
    m_pList->refreshView();
}

void BankerQueueList::RemoveItemsTagged(int tag)
{
    if (m_pList == nullptr)
        return;
    // After a removal the same index holds the next row, which may be the
    // same chair's again.
    unsigned int index = 0;
    while (Widget* item = m_pList->getItem(index))
    {
        if (item->getTag() == tag)
            m_pList->removeItem(static_cast<int>(index));
        else
            ++index;
    }
}

size_t BankerQueueList::RemoveRows(uint16_t chair)
{
    RemoveItemsTagged(TagOf(chair));
    const size_t removed = m_Queue.Remove(chair);
    Reindent();
    return removed;
}

size_t BankerQueueList::RemoveRowsIf(const std::function<bool(uint16_t chair)>& drop)
{
    if (!drop)
        return 0;
    std::vector<uint16_t> gone;
    const size_t removed = m_Queue.RemoveIf([&](uint16_t chair) {
        if (!drop(chair))
            return false;
        gone.push_back(chair);
        return true;
    });
    for (uint16_t chair : gone)
        RemoveItemsTagged(TagOf(chair));
    Reindent();
    return removed;
}

void BankerQueueList::Clear()
{
    if (m_pList != nullptr)
        m_pList->removeAllItems();
    m_Queue.Clear();
    m_Names.clear();
}

}  // namespace games
