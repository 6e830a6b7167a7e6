#include "games/common/BankerPanel.h"

#include "core/ClientGlobal.h"
#include "games/common/BoardWidgets.h"
#include "games/framework/UserData.h"

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
    row->setText(prefix + NickName(user, m_Style.nameBytes));
    if (m_Style.coloured)
        row->setColor(m_Style.colour);
    m_pList->pushBackCustomItem(row);
    Label* score = Label::create();
    score->setFontSize(m_Style.scoreFontSize);
    char text[32];
    std::snprintf(text, sizeof(text), "%lld", static_cast<long long>(user->lScore));
    score->setText(text);
    if (m_Style.coloured)
        score->setColor(m_Style.colour);
    score->setAnchorPoint(CCPoint(0, 0.5f));
    score->setPosition(CCPoint(m_Style.scoreX - row->getSize().width / 2, 0));
    row->addChild(score);
    m_Queue.Add(chair);
    return row;
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
    return m_Queue.Remove(chair);
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
    return removed;
}

void BankerQueueList::Clear()
{
    if (m_pList != nullptr)
        m_pList->removeAllItems();
    m_Queue.Clear();
}

}  // namespace games
